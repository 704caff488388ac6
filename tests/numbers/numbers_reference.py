#!/usr/bin/env python3
"""The number tools of the puzzle toolbox through the real program, against
independent references: Python's int() and its own digit writing for the
bases, its bytes in Windows-1252 for character codes, coreutils' factor for
prime factors and primality, a plain sieve of Eratosthenes (with the
published values of the 10^k-th primes) for the n-th prime, and Python's
datetime (the proleptic Gregorian calendar of the years 1 to 9999) for
dates.

    numbers_reference.py ORBELIN [SEED]

Seeded random cases; every line the script writes must be the reference's.
"""
import os
import datetime
import random
import subprocess
import sys
import tempfile

DIGITS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def to_base(n, base):
    """Python's own repeated division, independent of the program's."""
    if n == 0:
        return "0"
    sign, n = ("-", -n) if n < 0 else ("", n)
    out = ""
    while n:
        n, d = divmod(n, base)
        out = DIGITS[d] + out
    return sign + out


def code_digits(byte, base):
    width = len(to_base(255, base)) if base != 10 else 0
    return to_base(byte, base).rjust(width, "0")


def number(x):
    """A whole number as the script writes it: no unary minus."""
    return str(x) if x >= 0 else f"0 - {-x}"


def bases(rng):
    for _ in range(300):
        base = rng.randint(2, 36)
        n = rng.choice([rng.randint(-1000, 1000), rng.randint(-2**53, 2**53), 2**53, -2**53])
        digits = to_base(n, base)
        # int() is the reference for reading, the division above for writing
        assert int(digits, base) == n
        cased = "".join(rng.choice([c, c.lower()]) for c in digits)
        yield (f"WRITE NUM2BASE({number(n)}, {base}), ' ', BASE2NUM('{cased}', {base}):0;",
               f"{digits} {int(cased, base)}")


def codes(rng):
    printable = [b for b in range(32, 256) if b != 39 and b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D)]
    for _ in range(200):
        base = rng.choice([2, 8, 10, 16, rng.randint(2, 36)])
        text = bytes(rng.choice(printable) for _ in range(rng.randint(0, 12)))
        written = " ".join(code_digits(b, base) for b in text)
        plain = text.decode("cp1252")
        yield (f"WRITE TEXT2CODES('{plain}', {base}), '|', CODES2TEXT('{written}', {base});",
               f"{written}|{plain}")


def factor(numbers):
    """coreutils' factor: {n: [p, p, q, ...]}."""
    out = subprocess.run(["factor"] + [str(n) for n in numbers], capture_output=True,
                         text=True, check=True).stdout
    found = {}
    for line in out.splitlines():
        n, _, primes = line.partition(":")
        found[int(n)] = [int(p) for p in primes.split()]
    return found


def written(primes):
    return " * ".join(f"{p}^{primes.count(p)}" if primes.count(p) > 1 else str(p)
                      for p in sorted(set(primes)))


def primes(rng):
    numbers = [rng.randint(2, 10**6) for _ in range(100)] + \
              [rng.randint(2, 2**53) for _ in range(100)] + \
              [2**53, 2**53 - 1, 2**53 - 111, 10**12 + 39, 600851475143, 2, 3, 4]
    known = factor(numbers)
    for n in numbers:
        yield (f"WRITE PRIMEFACTORS({n}), ' ', ISPRIME({n});",
               f"{written(known[n])} {1 if known[n] == [n] else 0}")

    limit = 2_000_000  # a plain sieve, as any textbook has it
    sieve = bytearray([1]) * (limit + 1)
    sieve[0] = sieve[1] = 0
    for p in range(2, int(limit ** 0.5) + 1):
        if sieve[p]:
            sieve[p * p::p] = bytearray(len(sieve[p * p::p]))
    table = [p for p in range(limit + 1) if sieve[p]]
    for n in [1, 2, 3, 4, 5, 6, 7] + [rng.randint(1, len(table)) for _ in range(100)]:
        yield f"WRITE NTHPRIME({n});", str(table[n - 1])
    # The 10^k-th primes as prime tables publish them.
    for n, p in [(10, 29), (100, 541), (1000, 7919), (10**4, 104729), (10**5, 1299709),
                 (10**6, 15485863), (10**7, 179424673)]:
        yield f"WRITE NTHPRIME({n});", str(p)


WEEKDAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]


def dates(rng):
    first, last = datetime.date(1, 1, 1).toordinal(), datetime.date(9999, 12, 31).toordinal()
    def some_day():
        return datetime.date.fromordinal(rng.choice([
            rng.randint(first, last), rng.randint(first, first + 800),
            rng.randint(last - 800, last), datetime.date(2000, 2, 27).toordinal() + rng.randint(0, 4),
            datetime.date(1900, 2, 27).toordinal() + rng.randint(0, 4)]))
    for _ in range(300):
        a, b = some_day(), some_day()
        days = rng.randint(first - a.toordinal(), last - a.toordinal())
        c = a + datetime.timedelta(days=days)
        yield (f"DATEPLUS({a.year}, {a.month}, {a.day}, {number(days)}, Y, M, D); "
               f"WRITE WEEKDAY({a.year}, {a.month}, {a.day}), ' ', "
               f"WDATE({b.year}, {b.month}, {b.day}), ' ', "
               f"DAYSBETWEEN({a.year}, {a.month}, {a.day}, {b.year}, {b.month}, {b.day}), ' ', "
               f"Y, '-', M, '-', D;",
               f"{a.isoweekday()} {WEEKDAYS[b.isoweekday() - 1]} {b.isoformat()} "
               f"{b.toordinal() - a.toordinal()} {c.year}-{c.month}-{c.day}")


def cases(rng):
    yield from bases(rng)
    yield from codes(rng)
    yield from primes(rng)
    yield from dates(rng)


def run(orbelin, pairs):
    script = "VAR Y, M, D;\nMARGIN = 0;\n" + "".join(line + "\n" for line, _ in pairs)
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "numbers.inp")
        with open(path, "wb") as f:
            f.write(script.encode("cp1252"))
        done = subprocess.run([orbelin, "run", "--no-files", "--encoding", "cp1252", path],
                              capture_output=True)
    return done.returncode, done.stdout.decode("cp1252").split("\n"), done.stderr


def main():
    orbelin = sys.argv[1]
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 29
    pairs = list(cases(random.Random(seed)))
    status, got, err = run(orbelin, pairs)
    failed = 0
    if status != 0:
        print(f"orbelin ended with status {status}:\n{err.decode('utf-8', 'replace')}")
        failed += 1
    at = 0
    for line, expected in pairs:
        lines = expected.count("\n") + 1
        actual = "\n".join(got[at:at + lines])
        at += lines
        if actual != expected:
            failed += 1
            if failed <= 10:
                print(f"{line}\n  reference: {expected!r}\n  orbelin:   {actual!r}")
    print(f"{len(pairs) - failed} of {len(pairs)} lines agree with the references (seed {seed})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
