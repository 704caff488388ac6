#include "interp/result_stream.h"

#include <cmath>
#include <cstdarg>
#include <vector>

#include "interp/int_conversion.h"

namespace orbelin {

namespace {
// Text goes to the file in chunks of this size, so memory stays small for
// long outputs while most writes are plain appends.
constexpr size_t kFlushAt = 1 << 16;
// Digits after the point that show any double exactly (2^-1074 has 1074).
constexpr int kMaxPrecision = 1074;
}  // namespace

ResultStream::~ResultStream() {
  Close();
}

bool ResultStream::OpenFile(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "w");
  if (file_ == nullptr) return false;
  open_ = true;
  return true;
}

void ResultStream::OpenMemory() {
  Close();
  open_ = true;
}

std::string ResultStream::Close() {
  std::string text;
  if (file_ != nullptr) {
    FlushToFile();
    std::fclose(file_);
    file_ = nullptr;
  } else {
    text.swap(buffer_);
  }
  buffer_.clear();
  open_ = false;
  return text;
}

void ResultStream::FlushToFile() {
  if (!buffer_.empty()) {
    std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
  }
}

void ResultStream::Write(std::string_view bytes) {
  if (!open_) return;
  buffer_.append(bytes);
  if (file_ != nullptr && buffer_.size() >= kFlushAt) FlushToFile();
}

void ResultStream::Printf(const char* format, ...) {
  if (!open_) return;
  char local[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(local, sizeof local, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    return;
  }
  if (static_cast<size_t>(n) < sizeof local) {
    va_end(again);
    Write(std::string_view(local, n));
    return;
  }
  std::vector<char> big(static_cast<size_t>(n) + 1);
  std::vsnprintf(big.data(), big.size(), format, again);
  va_end(again);
  Write(std::string_view(big.data(), n));
}

void ResultStream::WriteNumber(double value, double precision) {
  if (!open_) return;
  // A precision below zero is what C's "%.*f" takes as "not given" (six
  // digits); NaN has no floor and counts as 0.
  int p = std::isnan(precision) ? 0 : FloorToInt(precision);
  if (p > kMaxPrecision) p = kMaxPrecision;
  Printf("%.*f", p, value);
}

void ResultStream::WriteChar(double code) {
  if (!open_) return;
  char byte = static_cast<char>(LowByte(code));
  Write(std::string_view(&byte, 1));
}

// Breaks at the last blank at an index from 1 to the margin; the blank itself
// is dropped. Text without such a blank is written whole, and the last part
// gets no line end: the output statement ends the line.
void ResultStream::WriteString(std::string_view text) {
  if (!open_) return;
  std::string_view s = text;
  long n = static_cast<long>(s.size());
  while (n > margin_) {
    n = margin_;
    while (n > 0 && s[n] != ' ') --n;
    if (n > 0) {
      Write(s.substr(0, n));
      Write("\n");
      s.remove_prefix(n + 1);
      n = static_cast<long>(s.size());
    }
    if (n == 0) break;
  }
  Write(s);
}

}  // namespace orbelin
