// State of the text subsystem that lives as long as the session: the cipher
// key stores with their positions and the Enigma machine. A run never resets
// it; the keys and the machine go on where the last statement left them.
#pragma once

#include "text/enigma.h"
#include "text/key_store.h"

namespace orbelin {

struct TextState {
  KeyStore vigenere;  // VIGI; read by VIGE and VIGD
  KeyStore running;   // SUBSTRI; read by SUBSTR
  KeyStore alphabet;  // TRANSI; read by TRANS and TRANSR by place, no position
  EnigmaMachine enigma;
};

}  // namespace orbelin
