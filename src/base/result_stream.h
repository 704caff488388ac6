// The result stream: where a run's text goes while the script runs.
//
// Every output statement, library item and DEBUG trace writes here; the run
// hands the collected text out as its results. Only WriteNewline and the
// wrapping of WriteString add line ends. Bytes are Windows-1252 and are kept
// as they are.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "base/text_sink.h"

namespace orbelin {

class ResultStream final : public TextSink {
 public:
  static constexpr int kDefaultMargin = 30;

  void Write(std::string_view bytes) override { text_.append(bytes); }

  // "%.*f" with the precision rounded down. Precisions beyond 1074 digits
  // are cut to 1074, which already shows every double exactly.
  void WriteNumber(double value, double precision);
  // The text wrapped at the margin (see margin()).
  void WriteString(std::string_view text);
  // One byte: the low eight bits of the code's whole part.
  void WriteChar(double code);
  void WriteNewline() { text_.push_back('\n'); }

  size_t text_size() const { return text_.size(); }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // Hands the text written so far over and starts empty again.
  std::string Take() { return std::exchange(text_, {}); }
  // Take into *text, whose buffer the stream goes on with: for runs
  // again and again that should not allocate each time.
  void TakeInto(std::string* text) {
    text->swap(text_);
    text_.clear();
  }
  // Empty, with the margin of a new stream.
  void Restart() {
    text_.clear();
    margin_ = kDefaultMargin;
  }

  // Width at which WriteString breaks lines; 0 or less turns wrapping off.
  // Lives as long as the stream's owner: taking the text keeps it.
  int margin() const { return margin_; }
  void set_margin(int margin) { margin_ = margin; }

 private:
  std::string text_;
  int margin_ = kDefaultMargin;
};

}  // namespace orbelin
