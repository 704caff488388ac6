#include "text/enigma_wheels.h"

namespace orbelin {

// clang-format off
const EnigmaWheel kEnigmaWheels[kEnigmaWheelCount] = {
    {"ETW",               "ABCDEFGHIJKLMNOPQRSTUVWXYZ", ""},                   // A
    {"I",                 "EKMFLGDQVZNTOWYHXUSPAIBRCJ", "Q"},                  // B
    {"II",                "AJDKSIRUXBLHWTMCQGZNPYFVOE", "E"},                  // C
    {"III",               "BDFHJLCPRTXVZNYEIWGAKMUSQO", "V"},                  // D
    {"IV",                "ESOVPZJAYQUIRHXLNFTGKDCMWB", "J"},                  // E
    {"V",                 "VZBRGITYUPSDNHLXAWMJQOFECK", "Z"},                  // F
    {"VI",                "JPGVOUMFYQBENHZRDKASXLICTW", "ZM"},                 // G
    {"VII",               "NZJHGRCXMYSWBOUFAIVLPEKQDT", "ZM"},                 // H
    {"VIII",              "FKQHTLXOCBJSPDZRAMEWNIUYGV", "ZM"},                 // I
    {"UKW A",             "EJMZALYXVBWFCRQUONTSPIKHGD", ""},                   // J
    {"UKW B",             "YRUHQSLDPXNGOKMIEBFZCWVJAT", ""},                   // K
    {"UKW C",             "FVPJIAOYEDRZXWGCTKUQSBNMHL", ""},                   // L
    {"ETW M4",            "ABCDEFGHIJKLMNOPQRSTUVWXYZ", ""},                   // M
    {"Beta M4",           "LEYJVCNIXWPBQMDRTAKZGFUHOS", ""},                   // N
    {"Gamma M4",          "FSOKANUERHMBTIYCWLQPZXVGJD", ""},                   // O
    {"UKW B d\xFCnn M4",  "ENKQAUYWJICOPBLMDXZVFTHRGS", ""},                   // P
    {"UKW C d\xFCnn M4",  "RDOBJNTKVEHMLFCWZAXGYIPSUQ", ""},                   // Q
    {"ETW (G)",           "QWERTZUIOASDFGHJKPYXCVBNML", ""},                   // R
    {"I (G)",             "DMTWSILRUYQNKFEJCAZBPGXOHV", "ABCEFGIKLOPQSUVWZ"},  // S
    {"II (G)",            "HQZGPJTMOBLNCIFDYAWVEUSRKX", "ACDFGHKMNQSTVYZ"},    // T
    {"III (G)",           "UQNTLSZFMREHDPXKIBVYGJCWOA", "AEFHKMNRUWX"},        // U
    {"UKW (G)",           "RULQMZJSYGOCETKWDAHNBXPVIF", ""},                   // V
};
// clang-format on

}  // namespace orbelin
