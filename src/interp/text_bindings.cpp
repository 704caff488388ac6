#include "interp/bindings.h"
#include "interp/errors.h"
#include "text/ciphers.h"
#include "text/enigma.h"
#include "text/letter_values.h"
#include "text/morse.h"
#include "text/text_state.h"

namespace orbelin {

double FnQsum(Runtime&, const CallArgs& a) {
  return Qsum(a.num[0]);
}
double FnQqsum(Runtime&, const CallArgs& a) {
  return Qqsum(a.num[0]);
}
double FnKqsum(Runtime&, const CallArgs& a) {
  return Kqsum(a.num[0]);
}
double FnAlpha(Runtime&, const CallArgs& a) {
  return Alpha(a.str[0].view());
}
double FnSumrom(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumRom, a.str[0].view());
}
double FnSumkas(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumKas, a.str[0].view());
}
double FnSumjen(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumJen, a.str[0].view());
}
double FnSummer(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumMer, a.str[0].view());
}
double FnSumkah(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumKah, a.str[0].view());
}
double FnSummey(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumMey, a.str[0].view());
}
double FnSumker(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumKer, a.str[0].view());
}
double FnSumdev(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumDev, a.str[0].view());
}
double FnSumeyr(Runtime&, const CallArgs& a) {
  return AlphabetSum(kSumEyr, a.str[0].view());
}

void HandleVigi(Runtime& rt, const CallArgs& a) {
  rt.text.vigenere.Set(a.str[0].view());
}
void HandleSubstri(Runtime& rt, const CallArgs& a) {
  rt.text.running.Set(a.str[0].view());
}
void HandleTransi(Runtime& rt, const CallArgs& a) {
  rt.text.alphabet.Set(a.str[0].view());
}

// The cipher items are string items: their text is wrapped at MARGIN.
void ItemRot13(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(Rot(a.str[0].view(), a.num[0]));
}
void ItemVige(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(VigenereEncipher(rt.text.vigenere, a.str[0].view()));
}
void ItemVigd(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(VigenereDecipher(rt.text.vigenere, a.str[0].view()));
}
void ItemSubstr(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(SubtractKey(rt.text.running, a.str[0].view()));
}
void ItemTransr(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(AlphabetEncipher(rt.text.alphabet, a.str[0].view()));
}
void ItemTrans(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(AlphabetDecipher(rt.text.alphabet, a.str[0].view()));
}

// Morse writes straight into the stream, without wrapping.
void ItemMorse(Runtime& rt, const CallArgs& a) {
  MorseEncode(rt.out, a.str[0].view(), rt.debug != 0);
}
void ItemEsrom(Runtime& rt, const CallArgs& a) {
  MorseDecode(rt.out, a.str[0].view(), rt.debug != 0);
}

namespace {

int SetupError(EnigmaSetup result) {
  switch (result) {
    case EnigmaSetup::kTooManyWheels:
      return kErrTooManyWheels;
    case EnigmaSetup::kRingsNotAsLong:
      return kErrRingsNotAsLong;
    case EnigmaSetup::kOddPlugs:
      return kErrOddPlugs;
    case EnigmaSetup::kBadWheelLetter:
      return kErrBadWheelLetter;
    case EnigmaSetup::kBadRingLetter:
      return kErrBadRingLetter;
    case EnigmaSetup::kBadWindowLetter:
      return kErrBadWindowLetter;
    case EnigmaSetup::kDone:
      break;
  }
  return 0;
}

}  // namespace

// Prints the set-up table, or reports the first fault found.
void HandleEnigmaInit(Runtime& rt, const CallArgs& a) {
  const EnigmaSetup result = EnigmaInit(rt.text.enigma, a.str[0].view(), a.str[1].view(),
                                        a.str[2].view(), a.str[3].view());
  if (result != EnigmaSetup::kDone) {
    rt.ReportError(SetupError(result));
    return;
  }
  WriteEnigmaSetup(rt.out, rt.text.enigma);
}

void HandleEnigmaRun(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(EnigmaRun(rt.text.enigma, a.str[0].view()));
  rt.out.WriteNewline();
}

void HandleEnigmaInfo(Runtime& rt, const CallArgs&) {
  WriteEnigmaInfo(rt.out);
}
void HandleEnigmaWheels(Runtime& rt, const CallArgs&) {
  WriteEnigmaPositions(rt.out, rt.text.enigma);
}

}  // namespace orbelin
