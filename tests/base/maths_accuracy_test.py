"""The engine's maths functions against the exact values (mpmath at 300
bits): every result on libm_compare's inputs within its bound in units in
the last place. libm_compare calls base/maths.h; the WebAssembly build gives
the same bits (tests/web/maths.test.mjs), so this holds for the page too.

    python3 maths_accuracy_test.py LIBM_COMPARE
"""
import math
import struct
import subprocess
import sys
from fractions import Fraction

import mpmath

mpmath.mp.prec = 300

# Error bounds in units in the last place, as musl states them for its
# sources: fdlibm's trigonometric functions below one unit, the table-driven
# exp, log and pow just above half a unit (correctly rounded but for rare
# cases); atan2 (pi minus an angle loses a little more), the hyperbolic
# functions and their inverses within two.
BOUNDS = {
    "sin": 1, "cos": 1, "tan": 1, "asin": 1, "acos": 1, "atan": 1, "atan2": 2,
    "exp": 0.52, "log": 0.52, "pow": 0.52,
    "expm1": 1, "log1p": 1, "log10": 1, "cbrt": 1, "hypot": 1, "sinh": 2, "cosh": 2,
    "tanh": 2, "asinh": 2, "atanh": 2,
    "fmod": 0, "remainder": 0, "scalbn": 0, "sqrt": 0.5, "floor": 0, "round": 0, "fmax": 0,
}

EXACT = {
    "sin": mpmath.sin, "cos": mpmath.cos, "tan": mpmath.tan, "asin": mpmath.asin,
    "acos": mpmath.acos, "atan": mpmath.atan, "atan2": mpmath.atan2, "exp": mpmath.exp,
    "log": mpmath.log, "pow": mpmath.power, "expm1": mpmath.expm1, "log1p": mpmath.log1p,
    "log10": mpmath.log10, "cbrt": lambda x: mpmath.sign(x) * mpmath.cbrt(abs(x)), "hypot": mpmath.hypot, "sinh": mpmath.sinh,
    "cosh": mpmath.cosh, "tanh": mpmath.tanh, "asinh": mpmath.asinh, "atanh": mpmath.atanh,
    "fmod": lambda x, y: c_fmod(x, y), "remainder": lambda x, y: c_remainder(x, y), "sqrt": mpmath.sqrt, "floor": mpmath.floor,
    "fmax": max,
    "round": lambda x: mpmath.sign(x) * mpmath.floor(abs(x) + mpmath.mpf(0.5)),
}

def c_fmod(x, y):
    """C's fmod, exactly: x - trunc(x / y) * y, with the sign of x."""
    fx, fy = Fraction(x), Fraction(y)
    q = abs(fx / fy).__floor__() * (1 if (fx / fy) > 0 else -1)
    return mpmath.mpf(float(fx - q * fy))


def c_remainder(x, y):
    """C's remainder, exactly: x - n * y, n the whole number nearest x / y,
    halves to the even one."""
    fx, fy = Fraction(x), Fraction(y)
    return mpmath.mpf(float(fx - round(fx / fy) * fy))


MAX = mpmath.mpf(sys.float_info.max)


def double(bits):
    return struct.unpack("<d", struct.pack("<Q", int(bits, 16)))[0]


def ulp(exact):
    """The unit in the last place of a double of the magnitude of exact."""
    if exact == 0:
        return mpmath.ldexp(1, -1074)
    _, e = mpmath.frexp(abs(exact))  # abs(exact) = m * 2^e, m in [0.5, 1)
    return mpmath.ldexp(1, max(e - 1, -1022) - 52)


def error_in_ulps(name, args, result):
    """None when the result is right, else its error as a text."""
    # IEEE's special cases (NaN, infinities, signed zeros: atan2(-0, -1) is
    # -pi, pow(0, -1) infinity) are rules, not approximations; the bit test
    # holds both builds to the same ones.
    if any(math.isnan(a) or math.isinf(a) or a == 0 for a in args):
        return None
    if name == "scalbn":
        return None  # two scalings mixed in one stream; exact by construction
    try:
        exact = EXACT[name](*(args if name in ("fmod", "remainder") else [mpmath.mpf(a) for a in args]))
    except (ValueError, ZeroDivisionError):
        exact = None
    if exact is None or isinstance(exact, mpmath.mpc) or mpmath.isnan(exact):
        return None if math.isnan(result) else f"{result!r} where there is no real value"
    if mpmath.isinf(exact) or abs(exact) >= MAX * (1 + mpmath.ldexp(1, -53)):
        return None if math.isinf(result) and (result > 0) == (exact > 0) else f"{result!r}, not infinity"
    if math.isnan(result) or math.isinf(result):
        return f"{result!r} for {mpmath.nstr(exact, 20)}"
    err = abs(mpmath.mpf(result) - exact) / ulp(exact)
    if err > BOUNDS[name]:
        return f"{result!r} for {mpmath.nstr(exact, 20)}: {mpmath.nstr(err, 3)} ulp"
    return None


def main():
    lines = subprocess.run([sys.argv[1], "300", "all"], check=True, capture_output=True,
                           text=True).stdout.split("\n")
    checked, failures = {}, []
    for line in filter(None, lines):
        name, *bits = line.split()
        *args, result = [double(b) for b in bits]
        checked[name] = checked.get(name, 0) + 1
        why = error_in_ulps(name, args, result)
        if why:
            failures.append(f"{name}({', '.join(repr(a) for a in args)}) = {why}")
    missing = sorted(set(BOUNDS) - set(checked))
    if missing:
        failures.append(f"libm_compare calls none of {missing}")
    for f in failures[:20]:
        print(f)
    print(f"{sum(checked.values())} results of {len(checked)} functions checked, "
          f"{len(failures)} outside their bounds")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
