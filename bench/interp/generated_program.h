// One generated program written twice: as an Orbelin script and as the same
// computation in Lua 5.4, so that a whole `orbelin run` can be timed beside
// an interpreter that people know. Both print the same lines.
#pragma once

#include <random>
#include <string>

namespace orbelin::bench {

enum class Language { kOrbelin, kLua };

// About `target_bytes` of Orbelin text, and the same statements in Lua:
// assignments with arithmetic and maths functions, output lines with fixed
// decimals, texts and comments, over 150 variables.
inline std::string GenerateProgram(size_t target_bytes, Language language) {
  constexpr int kNames = 150;  // Lua allows 200 locals in a chunk
  const bool lua = language == Language::kLua;
  std::mt19937 rng(2026);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto name = [&] {
    std::string n = "V";  // appended, not "V" + ...: GCC 12 warns wrongly of the latter
    n += std::to_string(pick(kNames));
    return n;
  };
  auto fixed = [&](const std::string& value, int decimals) {
    return lua ? "F(\"%." + std::to_string(decimals) + "f\", " + value + ")"
               : value + ":" + std::to_string(decimals);
  };
  const std::string eol = lua ? "\n" : "\r\n";

  std::string s;
  if (lua) {
    s = "-- generated benchmark program\nlocal F, W = string.format, io.write\n"
        "local sin, cos, sqrt, abs, fmod, atan, pi = math.sin, math.cos, math.sqrt, math.abs, "
        "math.fmod, math.atan, math.pi\n";
    for (int i = 0; i < kNames; i += 10) {
      s += "local ";
      for (int j = i; j < i + 10; ++j) s += (j > i ? ", V" : "V") + std::to_string(j);
      s += " = 0";
      for (int j = i + 1; j < i + 10; ++j) s += ", 0";
      s += "\n";
    }
  } else {
    s = "-- generated benchmark script\r\nVAR ";
    for (int i = 0; i < kNames; ++i) {
      s += (i ? ", V" : "V") + std::to_string(i);
      if (i % 12 == 11) s += "\r\n  ";
    }
    s += ";\r\nMARGIN = 0;\r\n";
  }
  const char* write = lua ? "W(" : "WRITE ";
  const char* end_write = lua ? ", \"\\n\");" : ";";
  // Statements of about 46 bytes each in Orbelin; the same count in both
  // languages, so that both run the same program.
  for (size_t statements = target_bytes / 46; statements > 0; --statements) {
    switch (pick(6)) {
      case 0:
        s += name() + " = " + name() + " * 2.5 + " + (lua ? "sin(" : "SIN(") + name() +
             ") - 1.25 / (" + name() + " + 1);" + eol;
        break;
      case 1:
        s += write + std::string(lua ? "\"value \", " : "'value ', ") + fixed(name(), 3) +
             (lua ? ", \" \", " : ", ' ', ") +
             fixed(std::string(lua ? "sqrt(abs(" : "SQRT(FABS(") + name() + "))", 4) + end_write +
             eol;
        break;
      case 2:
        s += name() + " = " + (lua ? "fmod(" : "FMOD(") + name() + " + 17, 360) / " +
             std::to_string(pick(9) + 2) + " + " + (lua ? "cos(" : "COS(") + name() + ");" + eol;
        break;
      case 3:
        s += name() + " = (" + name() + " + " + std::to_string(pick(1000)) + ") / 7 - " +
             (lua ? "pi" : "PI") + ";" + eol;
        break;
      case 4:
        s += write + fixed(name(), 2) + (lua ? ", \" deg \", " : ", ' deg ', ") +
             fixed(std::string(lua ? "atan(" : "ATAN2(") + name() + ", 3) * 180 / " +
                       (lua ? "pi" : "PI"),
                   4) +
             end_write + eol;
        break;
      default:
        s += (lua ? "--[[ a comment between statements ]] "
                  : "(* a comment between statements *) ") +
             name() + " = " + name() + " - 1;" + eol;
        break;
    }
  }
  return s;
}

}  // namespace orbelin::bench
