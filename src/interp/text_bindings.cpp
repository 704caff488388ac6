#include <string>
#include <utility>
#include <vector>

#include "interp/bindings.h"
#include "interp/errors.h"
#include "interp/text_notices.h"
#include "text/ciphers.h"
#include "text/enigma.h"
#include "text/key_notices.h"
#include "text/letter_values.h"
#include "text/morse.h"
#include "text/plugboard.h"
#include "text/text_notice.h"
#include "text/text_state.h"
#include "text/word_value.h"

namespace orbelin {

double FnQsum(Runtime&, const CallArgs& a) {
  return Qsum(a.num[0]);
}
double FnQqsum(Runtime&, const CallArgs& a) {
  return Qqsum(a.num[0]);
}
// The minus sign of a south or west coordinate counts its degrees rounded
// down, so the digits are not the ones the coordinate is written with.
double FnKqsum(Runtime& rt, const CallArgs& a) {
  const double x = a.num[0];
  if (x < 0) {
    rt.Note("KQSUM of a negative value sums the digits of " + KqsumText(x) +
                " (the degrees rounded down), not those of " + KqsumText(-x),
            "for the digit sum of a south or west coordinate, write KQSUM(FABS(x))");
  }
  return Kqsum(x);
}
// Accented letters count 0 in these sums, as they always have; the run
// says so, since a puzzle may mean them as letters.
namespace {
double Counted(Runtime& rt, const char* keyword, double value, const CallArgs& a) {
  Say(rt, UncountedNotices(keyword, a.str[0].view()));
  return value;
}
}  // namespace

double FnAlpha(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "ALPHA", Alpha(a.str[0].view()), a);
}
double FnSumrom(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMROM", AlphabetSum(kSumRom, a.str[0].view()), a);
}
double FnSumkas(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMKAS", AlphabetSum(kSumKas, a.str[0].view()), a);
}
double FnSumjen(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMJEN", AlphabetSum(kSumJen, a.str[0].view()), a);
}
double FnSummer(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMMER", AlphabetSum(kSumMer, a.str[0].view()), a);
}
double FnSumkah(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMKAH", AlphabetSum(kSumKah, a.str[0].view()), a);
}
double FnSummey(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMMEY", AlphabetSum(kSumMey, a.str[0].view()), a);
}
double FnSumker(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMKER", AlphabetSum(kSumKer, a.str[0].view()), a);
}
double FnSumdev(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMDEV", AlphabetSum(kSumDev, a.str[0].view()), a);
}
double FnSumeyr(Runtime& rt, const CallArgs& a) {
  return Counted(rt, "SUMEYR", AlphabetSum(kSumEyr, a.str[0].view()), a);
}

void HandleVigi(Runtime& rt, const CallArgs& a) {
  rt.text.vigenere.Set(a.str[0].view());
  Say(rt, KeyNotices("VIGI", a.str[0].view()));
}
void HandleSubstri(Runtime& rt, const CallArgs& a) {
  rt.text.running.Set(a.str[0].view());
  Say(rt, KeyNotices("SUBSTRI", a.str[0].view()));
}
void HandleTransi(Runtime& rt, const CallArgs& a) {
  rt.text.alphabet.Set(a.str[0].view());
  Say(rt, AlphabetNotices(a.str[0].view()));
}

namespace {

// A keyed cipher without its key writes the text as it is; the key may
// have been set in an earlier run, so this is known only here.
void WarnWithoutKey(Runtime& rt, const KeyStore& key, const char* what, const char* example) {
  if (!key.empty()) return;
  rt.Warn(std::string("no ") + what + " is set: the text is written unchanged",
          std::string("set it first, as in ") + example);
}

}  // namespace

// The cipher items are string items: their text is wrapped at MARGIN.
void ItemRot13(Runtime& rt, const CallArgs& a) {
  rt.out.WriteString(Rot(a.str[0].view(), a.num[0]));
}
void ItemVige(Runtime& rt, const CallArgs& a) {
  WarnWithoutKey(rt, rt.text.vigenere, "Vigen\xE8re key", "VIGI('KEY');");
  rt.out.WriteString(VigenereEncipher(rt.text.vigenere, a.str[0].view()));
}
void ItemVigd(Runtime& rt, const CallArgs& a) {
  WarnWithoutKey(rt, rt.text.vigenere, "Vigen\xE8re key", "VIGI('KEY');");
  rt.out.WriteString(VigenereDecipher(rt.text.vigenere, a.str[0].view()));
}
void ItemSubstr(Runtime& rt, const CallArgs& a) {
  WarnWithoutKey(rt, rt.text.running, "running key", "SUBSTRI('KEY');");
  rt.out.WriteString(SubtractKey(rt.text.running, a.str[0].view()));
}
void ItemTransr(Runtime& rt, const CallArgs& a) {
  WarnWithoutKey(rt, rt.text.alphabet, "keyed alphabet", "TRANSI('QWERTZUIOPASDFGHJKLYXCVBNM');");
  rt.out.WriteString(AlphabetEncipher(rt.text.alphabet, a.str[0].view()));
}
void ItemTrans(Runtime& rt, const CallArgs& a) {
  WarnWithoutKey(rt, rt.text.alphabet, "keyed alphabet", "TRANSI('QWERTZUIOPASDFGHJKLYXCVBNM');");
  rt.out.WriteString(AlphabetDecipher(rt.text.alphabet, a.str[0].view()));
}

// Morse writes straight into the stream, without wrapping.
void ItemMorse(Runtime& rt, const CallArgs& a) {
  if (MorseEncode(rt.out, a.str[0].view(), rt.debug != 0) > 0) {
    Say(rt, MorseNotices(a.str[0].view()));
  }
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
  Say(rt, PlugboardNotices(rt.text.enigma.plugs));
  if (a.str[3].length > EnigmaMachine::kMaxPlugs) {
    rt.Warn("only the first " + std::to_string(EnigmaMachine::kMaxPlugs) +
                " characters of the plugboard count: the rest is not plugged",
            "26 letters make at most 13 plugs");
  }
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
