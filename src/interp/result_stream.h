// The result stream: the one place where a run's text goes.
//
// While a script runs it is the results file; while the listing is written it
// is the listing. Every writer does nothing when no stream is open, and only
// WriteNewline and the wrapping of WriteString add line ends. Bytes are
// Windows-1252 and are written as they are.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orbelin {

class ResultStream {
 public:
  static constexpr int kDefaultMargin = 30;

  ResultStream() = default;
  ResultStream(const ResultStream&) = delete;
  ResultStream& operator=(const ResultStream&) = delete;
  ~ResultStream();

  // Creates or empties the file; false when it cannot be opened.
  bool OpenFile(const std::string& path);
  // Collects the text in memory; Close() hands it back.
  void OpenMemory();
  // Flushes and closes. Returns the collected text of a memory stream.
  std::string Close();
  bool IsOpen() const { return open_; }

  // "%.*f" with the precision rounded down. Precisions beyond 1074 digits
  // are cut to 1074, which already shows every double exactly.
  void WriteNumber(double value, double precision);
  // The text wrapped at the margin (see margin()).
  void WriteString(std::string_view text);
  // One byte: the low eight bits of the code's whole part.
  void WriteChar(double code);
  void WriteNewline() { Write("\n"); }
  // Raw bytes, no wrapping.
  void Write(std::string_view bytes);
  // printf-style raw output.
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Width at which WriteString breaks lines; 0 or less turns wrapping off.
  // Lives as long as the stream's owner, not reset by opening.
  int margin() const { return margin_; }
  void set_margin(int margin) { margin_ = margin; }

 private:
  void FlushToFile();

  bool open_ = false;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  int margin_ = kDefaultMargin;
};

}  // namespace orbelin
