#include "text/key_store.h"

#include <cstring>

#include "base/ascii.h"

namespace orbelin {

void KeyStore::Set(std::string_view key) {
  size_t n = key.find('\0');
  if (n == std::string_view::npos) n = key.size();
  if (n > kCapacity - 1) n = kCapacity - 1;
  std::memset(text_, 0, sizeof text_);
  std::memcpy(text_, key.data(), n);
  length_ = n;
  position_ = 0;
}

char KeyStore::Next() {
  if (length_ == 0) return '\0';
  const char c = FoldAscii(text_[position_]);
  if (++position_ >= length_) position_ = 0;
  return c;
}

}  // namespace orbelin
