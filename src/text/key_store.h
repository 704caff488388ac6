// A cipher key as typed, and the place of the next key character in it.
//
// The key is used cyclically from where the previous use stopped, across
// statements and runs; only setting the key again starts it from the front.
#pragma once

#include <cstddef>
#include <string_view>

namespace orbelin {

class KeyStore {
 public:
  static constexpr size_t kCapacity = 256;  // 255 bytes and the NUL

  // Stores the key up to its first NUL (at most 255 bytes, no case folding)
  // and starts at its first character. The bytes after it are zero.
  void Set(std::string_view key);

  bool empty() const { return length_ == 0; }
  size_t length() const { return length_; }
  size_t position() const { return position_; }
  // Byte i of the store; zero beyond the key.
  char at(size_t i) const { return i < kCapacity ? text_[i] : '\0'; }

  // The character at the position, a to z folded to capitals, and the
  // position moved on by one, back to the front after the last character.
  // An empty key gives NUL and stays where it is.
  char Next();

 private:
  char text_[kCapacity] = {};
  size_t length_ = 0;
  size_t position_ = 0;
};

}  // namespace orbelin
