// The texts the Enigma machine prints: the set-up table, the window letters
// and the help text. Windows-1252 bytes: ä 0xE4, ö 0xF6, ü 0xFC, ß 0xDF.
#include "text/enigma.h"
#include "text/enigma_wheels.h"

namespace orbelin {

void WriteEnigmaSetup(TextSink& out, const EnigmaMachine& m) {
  out.Write("+-----\n");
  out.Write("| Enigma Walzen: \n");
  for (int i = 0; i < m.count; ++i) {
    const EnigmaPlace& p = m.places[i];
    int ring = p.ring_offset == 0 ? 0 : 26 - p.ring_offset;
    out.Printf("|   %d: ", i + 1);
    out.Printf("%-7s ", kEnigmaWheels[p.wheel].name);
    out.Printf("%c", 'A' + ring);
    out.Printf("-%.2d", ring + 1);
    out.Printf(" %c \n", 'A' + p.start);
  }
  out.Write("| Enigma Steckbrett: \n");
  if (m.plugs.empty()) {
    out.Write("|   -- unbenutzt -- \n");
  } else {
    out.Printf("|   %s\n", m.plugs.c_str());
  }
  out.Write("+-----\n");
  out.Write("\n");
}

void WriteEnigmaPositions(TextSink& out, const EnigmaMachine& m) {
  out.Write("Engima Stellung: ");
  for (int i = 0; i < m.count; ++i) out.Printf("%c", 'A' + m.places[i].position);
  out.Write("\n");
}

void WriteEnigmaInfo(TextSink& out) {
  // clang-format off
  static const char* const kHelp[] = {
      "\n",
      "+-----\n",
      "| EngigmaInit(R\xE4" "der,Preset,Stellung,Steckbrett)\n",
      "|    R\xE4" "der (string)      'KBCDA'\n",
      "|                             ^- ETW\n",
      "|                          ^^^-- 3 R\xE4" "der A\n",
      "|                         ^----- UKW\n",
      "|    Preset (string)     'AAAAA' (im Rad)\n",
      "|                             ^- Normal A\n",
      "|                          ^^^-- 3 R\xE4" "der A\n",
      "|                         ^----- Normal A\n",
      "|    Stellung (string)   'AAAAA' (Au\xDF" "en)\n",
      "|                             ^- Normal A\n",
      "|                          ^^^-- 3 R\xE4" "der A\n",
      "|                         ^----- Normal A\n",
      "|    Steckbrett (string) 'ABQF'\n",
      "|                           ^^-- Q/F wird getauscht\n",
      "|                         ^^-- A/B wird getauscht",  // the next text goes on in this line
      "| \n",
      "| EnigmaRun(Text)\n",
      "|    Text (string) 'Test gr\xF6\xDF" "er?'\n",
      "| \n",
      "| EnigmaWheels\n",
      "|    Stand der R\xE4" "der\n",
      "| \n",
      "| Tabelle der R\xE4" "der\n",
  };
  // clang-format on
  for (const char* text : kHelp) out.Write(text);
  for (int i = 0; i < kEnigmaWheelCount; ++i) {
    out.Printf("|   %c: %s\n", 'A' + i, kEnigmaWheels[i].name);
  }
  out.Write("+-----\n");
  out.Write("\n");
}

}  // namespace orbelin
