// Classical ciphers on the ASCII letters of an 8-bit text: a Caesar shift,
// Vigenère, subtraction of a running key, and a keyed alphabet.
//
// Every cipher keeps the case of the text letter and passes every other byte
// (digits, blanks, punctuation, accented letters) through unchanged. The
// keyed ciphers read their key from a KeyStore, whose position carries over
// from one call to the next.
//
// Keys that are not plain letters never produce a byte outside the letters:
// a key character that is no letter shifts by its code minus 65 taken modulo
// 26 (so VigenereDecipher still undoes VigenereEncipher), and in the keyed
// alphabet only capitals count: a letter whose place holds anything else,
// or lies beyond a short alphabet, is left as it is. An empty key leaves the
// whole text unchanged and uses no key character.
#pragma once

#include <string>
#include <string_view>

#include "text/key_store.h"

namespace orbelin {

// Shifts the letters forward by trunc(shift) places within their case
// (ROT13 by default). Any whole shift works modulo 26; NaN and infinities
// shift by 0.
std::string Rot(std::string_view text, double shift);

// Each letter moves forward by its key letter (A by 0 ... Z by 25).
std::string VigenereEncipher(KeyStore& key, std::string_view text);
// Each letter moves back by its key letter.
std::string VigenereDecipher(KeyStore& key, std::string_view text);

// Letter number (A = 1 .. Z = 26) minus key letter number, modulo 26 with 0
// written as Z. A ß uses up two key characters and a ? one, both unchanged.
std::string SubtractKey(KeyStore& key, std::string_view text);

// Plain alphabet to keyed alphabet: the letter at place i becomes the keyed
// alphabet's character i, in the case of the text letter.
std::string AlphabetEncipher(const KeyStore& alphabet, std::string_view text);
// Keyed alphabet back to plain: the letter becomes the plain letter of the
// last place where the keyed alphabet holds its capital.
std::string AlphabetDecipher(const KeyStore& alphabet, std::string_view text);

}  // namespace orbelin
