// Where library routines put text: the results of a run, a DEBUG trace, or a
// test's buffer. The libraries see nothing of the interpreter but this.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace orbelin {

class TextSink {
 public:
  // Raw bytes (Windows-1252), written as they are.
  virtual void Write(std::string_view bytes) = 0;
  // printf-style; the C library's formatting with "." as decimal point.
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

 protected:
  ~TextSink() = default;
};

// A sink that keeps everything in a string.
class StringSink final : public TextSink {
 public:
  void Write(std::string_view bytes) override { text_.append(bytes); }
  const std::string& text() const { return text_; }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // Hands the text over and starts empty again.
  std::string Take() { return std::exchange(text_, {}); }

 private:
  std::string text_;
};

}  // namespace orbelin
