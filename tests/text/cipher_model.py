#!/usr/bin/env python3
"""An independent model of the puzzle toolbox's text tools, written from
their textbook definitions without looking at Orbelin's code, and a check
of the real program against it on seeded random input.

    cipher_model.py ORBELIN [SEED]

Each tool gets a few hundred random texts (letters of both cases, digits,
blanks, punctuation and the Windows-1252 umlauts); the script is run
through `orbelin run` and every line it writes must be the model's.
"""
import os
import random
import subprocess
import sys
import tempfile

# ---- The model ------------------------------------------------------------

UPPER = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
UMLAUTS = {"\xc4": "AE", "\xd6": "OE", "\xdc": "UE", "\xe4": "AE", "\xf6": "OE",
           "\xfc": "UE", "\xdf": "SS"}


def word_value(text, reverse=False):
    """A = 1 ... Z = 26 (or Z = 1 ... A = 26), umlauts as two letters."""
    total = 0
    for ch in text:
        for letter in UMLAUTS.get(ch, ch.upper() if ch.isascii() else ""):
            if letter in UPPER:
                place = UPPER.index(letter) + 1
                total += 27 - place if reverse else place
    return total


def caesar(text, shift):
    """Each letter shift places on, in its own case; the rest as it is."""
    out = ""
    for ch in text:
        for alphabet in (UPPER, UPPER.lower()):
            if ch in alphabet:
                ch = alphabet[(alphabet.index(ch) + shift) % 26]
                break
        out += ch
    return out


def atbash(text):
    out = ""
    for ch in text:
        for alphabet in (UPPER, UPPER.lower()):
            if ch in alphabet:
                ch = alphabet[::-1][alphabet.index(ch)]
                break
        out += ch
    return out


def square(key):
    """The 5 x 5 square: the key's letters once each (J as I), then the rest."""
    order = ""
    for ch in (key.upper() + "ABCDEFGHIKLMNOPQRSTUVWXYZ").replace("J", "I"):
        if ch in UPPER and ch not in order:
            order += ch
    return order


def polybius(text, key):
    """Row and column digits of each letter; words apart by ' / '."""
    sq = square(key)
    words = []
    for word in text.split(" "):
        letters = [c.upper() for c in word if c.isascii() and c.upper() in UPPER]
        letters = ["I" if c == "J" else c for c in letters]
        if letters:
            words.append(" ".join(f"{sq.index(c) // 5 + 1}{sq.index(c) % 5 + 1}" for c in letters))
    return " / ".join(words)


def unpolybius(code, key):
    sq = square(key)
    return " ".join("".join(sq[(int(p[0]) - 1) * 5 + int(p[1]) - 1] for p in word.split())
                    for word in code.split(" / "))


def playfair(text, key, decipher=False):
    """Textbook Playfair: pairs with X between doubled letters and after a
    lone last one (Q where the letter is X), row right, column down,
    rectangle corners; deciphering goes left and up."""
    sq = square(key)
    where = {ch: divmod(i, 5) for i, ch in enumerate(sq)}
    letters = ["I" if c == "J" else c for c in (ch.upper() for ch in text if ch.isascii())
               if c in UPPER]
    pairs = []
    if decipher:
        pairs = [(letters[i], letters[i + 1]) for i in range(0, len(letters), 2)]
    else:
        i = 0
        while i < len(letters):
            a = letters[i]
            if i + 1 < len(letters) and letters[i + 1] != a:
                pairs.append((a, letters[i + 1]))
                i += 2
            else:
                pairs.append((a, "Q" if a == "X" else "X"))
                i += 1
    step = -1 if decipher else 1
    out = []
    for a, b in pairs:
        (ra, ca), (rb, cb) = where[a], where[b]
        if ra == rb:
            ca, cb = (ca + step) % 5, (cb + step) % 5
        elif ca == cb:
            ra, rb = (ra + step) % 5, (rb + step) % 5
        else:
            ca, cb = cb, ca
        out.append(sq[ra * 5 + ca] + sq[rb * 5 + cb])
    return "".join(out) if decipher else " ".join(out)


def bacon(text, letters):
    """Five A/B per letter, the place in binary; 24 letters: I=J, U=V."""
    alphabet = UPPER if letters == 26 else UPPER.replace("J", "").replace("V", "")
    words = []
    for word in text.split(" "):
        codes = []
        for c in word:
            c = c.upper() if c.isascii() else ""
            if letters == 24:
                c = {"J": "I", "V": "U"}.get(c, c)
            if c and c in alphabet:
                codes.append(format(alphabet.index(c), "05b").replace("0", "A").replace("1", "B"))
        if codes:
            words.append(" ".join(codes))
    return " / ".join(words)


def unbacon(code, letters):
    alphabet = UPPER if letters == 26 else UPPER.replace("J", "").replace("V", "")
    return " ".join("".join(alphabet[int(g.replace("A", "0").replace("B", "1"), 2)]
                            for g in word.split()) for word in code.split(" / "))


def zigzag(items, rails):
    """Write the items in a zigzag over the rails, read them rail by rail."""
    grid = [[] for _ in range(rails)]
    row, down = 0, True
    for item in items:
        grid[row].append(item)
        if row == 0:
            down = True
        elif row == rails - 1:
            down = False
        row += 1 if down else -1
    return [x for r in grid for x in r]


def rail_fence(text, rails):
    return "".join(zigzag(text, rails))


def un_rail_fence(text, rails):
    """The inverse: the fence of the places 0 .. n-1 says where each went."""
    out = [""] * len(text)
    for ch, place in zip(text, zigzag(range(len(text)), rails)):
        out[place] = ch
    return "".join(out)


KEYPAD = {"2": "ABC", "3": "DEF", "4": "GHI", "5": "JKL", "6": "MNO", "7": "PQRS",
          "8": "TUV", "9": "WXYZ"}  # ITU-T E.161


def taps(text):
    out = []
    for ch in text:
        if ch == " ":
            out.append("0")
        elif ch.isascii() and ch.upper() in UPPER:
            for key, letters in KEYPAD.items():
                if ch.upper() in letters:
                    out.append(key * (letters.index(ch.upper()) + 1))
    return " ".join(out)


def untaps(code):
    return "".join(" " if g == "0" else KEYPAD[g[0]][len(g) - 1] for g in code.split())


def phone_keys(text):
    return "".join(next((k for k, v in KEYPAD.items() if ch.isascii() and ch.upper() in v), ch)
                   for ch in text)


def letters_of(numbers):
    out = ""
    for part in numbers.replace(",", " ").replace("-", " ").replace(".", " ").split(" "):
        if part:
            out += UPPER[int(part) - 1]
    return out


# ---- The check ------------------------------------------------------------

PLAIN = UPPER + UPPER.lower() + "0123456789  .,!?-" + "".join(UMLAUTS)


def random_text(rng, alphabet=PLAIN, longest=40):
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(0, longest)))


def cases(rng):
    """(script line, expected output line) pairs."""
    for _ in range(200):
        t = random_text(rng)
        yield f"WRITE AZSUM('{t}'), ' ', ZASUM('{t}');", f"{word_value(t)} {word_value(t, True)}"
    for _ in range(100):
        numbers = [str(rng.randint(1, 26)) for _ in range(rng.randint(0, 12))]
        text = rng.choice([" ", ",", "-", "."]).join(numbers)
        yield f"WRITE AZTEXT('{text}');", letters_of(text)
    for _ in range(200):
        t, n = random_text(rng), rng.randint(-60, 60)
        shift = str(n) if n >= 0 else f"0 - {-n}"
        yield f"WRITE CAESAR('{t}', {shift}), '|', ATBASH('{t}');", f"{caesar(t, n)}|{atbash(t)}"
    keys = ["", "KEY", "playfair example", "Geocaching Is Fun", "ZYX WVU"]
    for _ in range(200):
        t, key = random_text(rng), rng.choice(keys)
        code = polybius(t, key)
        yield (f"WRITE POLYE('{t}', '{key}'), '|', POLYD('{code}', '{key}');",
               f"{code}|{unpolybius(code, key)}")
    for _ in range(200):
        t, key = random_text(rng), rng.choice(keys)
        cipher = playfair(t, key)
        yield (f"WRITE PLAYFAIRE('{t}', '{key}'), '|', PLAYFAIRD('{cipher}', '{key}');",
               f"{cipher}|{playfair(cipher, key, decipher=True)}")
    for _ in range(200):
        t, letters = random_text(rng), rng.choice([24, 26])
        code = bacon(t, letters)
        yield (f"WRITE BACONE('{t}', {letters}), '|', BACOND('{code}', {letters});",
               f"{code}|{unbacon(code, letters)}")
    for _ in range(200):
        t, rails = random_text(rng), rng.randint(2, 10)
        fence = rail_fence(t, rails)
        yield (f"WRITE RAILE('{t}', {rails}), '|', RAILD('{fence}', {rails});",
               f"{fence}|{un_rail_fence(fence, rails)}")
    for _ in range(200):
        t = random_text(rng)
        code = taps(t)
        yield (f"WRITE TEXT2TAPS('{t}'), '|', TAPS2TEXT('{code}'), '|', TEXT2KEYS('{t}');",
               f"{code}|{untaps(code)}|{phone_keys(t)}")
    for _ in range(10):
        t = random_text(rng)
        yield f"WRITE CAESARALL('{t}');", "\n".join(f"{n:2d} {caesar(t, n)}" for n in range(1, 26))


def main():
    orbelin = sys.argv[1]
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 29
    rng = random.Random(seed)
    pairs = list(cases(rng))
    script = "MARGIN = 0;\n" + "".join(line + "\n" for line, _ in pairs)
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "model.inp")
        with open(path, "wb") as f:
            f.write(script.encode("cp1252"))
        run = subprocess.run([orbelin, "run", "--no-files", "--encoding", "cp1252", path],
                             capture_output=True)
    got = run.stdout.decode("cp1252").split("\n")
    failed = 0
    if run.returncode != 0:
        print(f"orbelin ended with status {run.returncode}:\n{run.stderr.decode('utf-8', 'replace')}")
        failed += 1
    at = 0  # the next line of output
    for line, expected in pairs:
        lines = expected.count("\n") + 1
        actual = "\n".join(got[at:at + lines])
        at += lines
        if actual != expected:
            failed += 1
            if failed <= 10:
                print(f"{line}\n  model:   {expected!r}\n  orbelin: {actual!r}")
    print(f"{len(pairs) - failed} of {len(pairs)} lines agree with the model (seed {seed})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
