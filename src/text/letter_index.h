// Letters counted from A = 0, as the ciphers and the Enigma machine work
// with them.
#pragma once

namespace orbelin {

// The remainder 0..25 also for negative n, so odd keys still give letters.
constexpr int Mod26(int n) {
  return ((n % 26) + 26) % 26;
}

}  // namespace orbelin
