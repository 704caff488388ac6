// Calls every function of base/maths.h on the same pseudo-random inputs in
// every build and prints, per function, how many results it computed and a
// digest of their bits. Built natively and with Emscripten, the two outputs
// are equal exactly when both builds give the same bits for every input.
//
//   libm_compare COUNT             lines "function calls digest"
//   libm_compare COUNT FUNCTION    lines "function input-bits... result-bits"
//                                  of that function (of all for "all"), to
//                                  find a difference
//
// Every NaN counts as one value: its sign and payload come from the
// processor (x86 and ARM make different NaNs of 0/0), not from the library.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <string_view>

#include "base/maths.h"

namespace {

namespace maths = orbelin::maths;

// splitmix64: the same sequence everywhere.
struct Random {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [lo, hi).
  double In(double lo, double hi) { return lo + (hi - lo) * (Next() >> 11) * 0x1.0p-53; }
  // Any double at all: every exponent, subnormals, infinities and NaNs.
  double AnyBits() {
    const uint64_t b = Next();
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
  }
};

uint64_t Bits(double x) {
  if (x != x) return 0x7FF8000000000000ull;
  uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

struct Digest {
  long calls = 0;
  uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a over the result bits
};

class Recorder {
 public:
  explicit Recorder(const char* only) : only_(only) {}

  void One(const char* name, double (*f)(double), double x) {
    const double y = f(x);
    if (only_ != nullptr) {
      if (Shows(name)) {
        std::printf("%s %016" PRIx64 " %016" PRIx64 "\n", name, Bits(x), Bits(y));
      }
      return;
    }
    Add(name, y);
  }
  void Two(const char* name, double (*f)(double, double), double x, double y) {
    const double z = f(x, y);
    if (only_ != nullptr) {
      if (Shows(name)) {
        std::printf("%s %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", name, Bits(x), Bits(y),
                    Bits(z));
      }
      return;
    }
    Add(name, z);
  }
  void Print() const {
    for (const auto& [name, d] : digests_)
      std::printf("%s %ld %016" PRIx64 "\n", name.c_str(), d.calls, d.hash);
  }

 private:
  bool Shows(const char* name) const {
    return only_ == std::string_view("all") || only_ == std::string_view(name);
  }
  void Add(const char* name, double y) {
    Digest& d = digests_[name];
    ++d.calls;
    uint64_t b = Bits(y);
    for (int i = 0; i < 8; ++i, b >>= 8) d.hash = (d.hash ^ (b & 0xFF)) * 0x100000001B3ull;
  }

  const char* only_;
  std::map<std::string, Digest> digests_;
};

double Scalbn3(double x) {
  return maths::scalbn(x, 3);
}
double ScalbnMinus1070(double x) {
  return maths::scalbn(x, -1070);
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  Recorder r(argc > 2 ? argv[2] : nullptr);
  Random g{12345};
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // The edges once: zeros, infinities, NaN, the smallest and largest.
  const double edges[] = {0.0,    -0.0,  1.0, -1.0, 0.5,    inf,    -inf,     nan,
                          1e-310, 1e308, 710, -746, 1e-300, 1.0e22, 0x1p1023, 3.141592653589793};
  for (double x : edges) {
    for (auto [name, f] : {std::pair{"sin", &maths::sin},
                           {"cos", &maths::cos},
                           {"tan", &maths::tan},
                           {"asin", &maths::asin},
                           {"acos", &maths::acos},
                           {"atan", &maths::atan},
                           {"sinh", &maths::sinh},
                           {"cosh", &maths::cosh},
                           {"tanh", &maths::tanh},
                           {"asinh", &maths::asinh},
                           {"atanh", &maths::atanh},
                           {"exp", &maths::exp},
                           {"expm1", &maths::expm1},
                           {"log", &maths::log},
                           {"log1p", &maths::log1p},
                           {"log10", &maths::log10},
                           {"cbrt", &maths::cbrt}}) {
      r.One(name, f, x);
    }
    for (double y : edges) {
      r.Two("atan2", &maths::atan2, x, y);
      r.Two("pow", &maths::pow, x, y);
      r.Two("hypot", &maths::hypot, x, y);
      r.Two("fmod", &maths::fmod, x, y);
      r.Two("remainder", &maths::remainder, x, y);
    }
  }
  for (long i = 0; i < count; ++i) {
    // Radians of geographic angles, the wider range a script may use, and
    // arguments so large that their reduction needs many bits of pi.
    const double a = g.In(-3.5, 3.5), w = g.In(-1000, 1000), any = g.AnyBits();
    for (auto [name, f] :
         {std::pair{"sin", &maths::sin}, {"cos", &maths::cos}, {"tan", &maths::tan}}) {
      r.One(name, f, a);
      r.One(name, f, w);
      r.One(name, f, any);
    }
    const double t = g.In(-50, 50), u = g.In(-1, 1);
    r.One("atan", &maths::atan, t);
    r.One("atan", &maths::atan, u);
    r.One("asin", &maths::asin, u);
    r.One("acos", &maths::acos, u);
    r.One("atanh", &maths::atanh, u);
    r.One("asinh", &maths::asinh, t);
    // (Each draw is named first: C++ leaves the order of arguments open.)
    const double y1 = g.In(-1, 1), x1 = g.In(-1, 1), y2 = g.In(-1e7, 1e7), x2 = g.In(-1e7, 1e7);
    r.Two("atan2", &maths::atan2, y1, x1);
    r.Two("atan2", &maths::atan2, y2, x2);
    r.Two("atan2", &maths::atan2, any, g.AnyBits());
    // exp over its whole range, up to overflow and into the subnormals.
    const double e = g.In(-40, 40), e_wide = g.In(-750, 712);
    r.One("exp", &maths::exp, e);
    r.One("exp", &maths::exp, e_wide);
    r.One("expm1", &maths::expm1, e / 4);
    r.One("tanh", &maths::tanh, e / 4);
    r.One("sinh", &maths::sinh, e);
    r.One("cosh", &maths::cosh, e);
    // pow: the calculator's ^ and | (x ^ y and the y-th root), whole
    // exponents of negative bases, results near overflow and underflow.
    const double base = g.In(0, 100), p = g.In(-6, 6), n = maths::floor(g.In(-4, 9));
    r.Two("pow", &maths::pow, base, p);
    r.Two("pow", &maths::pow, base, n);
    r.Two("pow", &maths::pow, base, 1 / n);
    r.Two("pow", &maths::pow, -base, n);
    const double near_one = g.In(0.5, 2), huge_power = g.In(-2000, 2000);
    r.Two("pow", &maths::pow, near_one, huge_power);
    r.Two("pow", &maths::pow, any, g.AnyBits());
    const double pos = g.In(0, 1e9), tiny = g.In(0, 1e-3);
    r.One("log", &maths::log, pos);
    r.One("log", &maths::log, g.In(0.9, 1.1));
    r.One("log", &maths::log, any);
    r.One("log1p", &maths::log1p, tiny);
    r.One("log10", &maths::log10, pos);
    r.One("cbrt", &maths::cbrt, w);
    const double east = g.In(-1e7, 1e7), north = g.In(-1e7, 1e7);
    r.Two("hypot", &maths::hypot, east, north);
    r.Two("hypot", &maths::hypot, any, g.AnyBits());
    r.Two("fmod", &maths::fmod, w, a);
    r.Two("fmod", &maths::fmod, any, g.AnyBits());
    // Longitudes put into [-180, 180], the halves among them.
    const double lon = g.In(-1000, 1000);
    r.Two("remainder", &maths::remainder, lon, 360.0);
    r.Two("remainder", &maths::remainder, maths::round(lon) + 0.5, 1.0);
    r.Two("remainder", &maths::remainder, any, g.AnyBits());
    r.One("scalbn", &Scalbn3, any);
    r.One("scalbn", &ScalbnMinus1070, w);
    // The exact ones, compiled to each target's instructions.
    r.One("sqrt", &maths::sqrt, pos);
    r.One("sqrt", &maths::sqrt, any);
    r.One("floor", &maths::floor, w);
    r.One("round", &maths::round, w);
    r.Two("fmax", &maths::fmax, maths::trunc(u), -maths::trunc(u));
  }
  r.Print();
  return 0;
}
