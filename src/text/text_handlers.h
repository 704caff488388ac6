// Handlers of the text keywords: letter sums, ciphers, Morse code, Enigma.
#pragma once

#include "interp/library_call.h"

namespace orbelin {

// Numeric functions.
double FnQsum(Runtime& rt, const CallArgs& a);   // QSUM(x)
double FnQqsum(Runtime& rt, const CallArgs& a);  // QQSUM(x)
double FnKqsum(Runtime& rt, const CallArgs& a);  // KQSUM(x)
double FnAlpha(Runtime& rt, const CallArgs& a);  // ALPHA(s)
double FnSumrom(Runtime& rt, const CallArgs& a);
double FnSumkas(Runtime& rt, const CallArgs& a);
double FnSumjen(Runtime& rt, const CallArgs& a);
double FnSummer(Runtime& rt, const CallArgs& a);
double FnSumkah(Runtime& rt, const CallArgs& a);
double FnSummey(Runtime& rt, const CallArgs& a);
double FnSumker(Runtime& rt, const CallArgs& a);
double FnSumdev(Runtime& rt, const CallArgs& a);
double FnSumeyr(Runtime& rt, const CallArgs& a);

// Key statements.
void HandleVigi(Runtime& rt, const CallArgs& a);     // VIGI(key)
void HandleSubstri(Runtime& rt, const CallArgs& a);  // SUBSTRI(key)
void HandleTransi(Runtime& rt, const CallArgs& a);   // TRANSI(alphabet)

// Cipher and Morse output items.
void ItemRot13(Runtime& rt, const CallArgs& a);   // ROT13(text[:shift])
void ItemVige(Runtime& rt, const CallArgs& a);    // VIGE(text)
void ItemVigd(Runtime& rt, const CallArgs& a);    // VIGD(text)
void ItemSubstr(Runtime& rt, const CallArgs& a);  // SUBSTR(text)
void ItemTransr(Runtime& rt, const CallArgs& a);  // TRANSR(text)
void ItemTrans(Runtime& rt, const CallArgs& a);   // TRANS(text)
void ItemMorse(Runtime& rt, const CallArgs& a);   // MORSE(text)
void ItemEsrom(Runtime& rt, const CallArgs& a);   // ESROM(code)

// Enigma statements.
void HandleEnigmaInit(Runtime& rt,
                      const CallArgs& a);  // ENIGMAINIT(wheels, rings, positions, plugs)
void HandleEnigmaRun(Runtime& rt, const CallArgs& a);     // ENIGMARUN(text)
void HandleEnigmaInfo(Runtime& rt, const CallArgs& a);    // ENIGMAINFO
void HandleEnigmaWheels(Runtime& rt, const CallArgs& a);  // ENIGMAWHEELS

}  // namespace orbelin
