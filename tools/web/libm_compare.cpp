// Prints, for the same pseudo-random inputs on every platform, the bits of
// each maths function the engine calls. Built once natively and once with
// Emscripten, the two outputs differ exactly where the C libraries do.
//   libm_compare [COUNT]   lines: "function input-bits... result-bits"
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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
};

uint64_t Bits(double x) {
  uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

void Print1(const char* name, double x, double y) {
  std::printf("%s %016" PRIx64 " %016" PRIx64 "\n", name, Bits(x), Bits(y));
}
void Print2(const char* name, double x, double y, double z) {
  std::printf("%s %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", name, Bits(x), Bits(y), Bits(z));
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 100000;
  Random r{12345};
  for (long i = 0; i < count; ++i) {
    // Radians of geographic angles, and the wider range a script may use.
    double a = r.In(-3.5, 3.5), w = r.In(-1000, 1000);
    Print1("sin", a, std::sin(a));
    Print1("sin", w, std::sin(w));
    Print1("cos", a, std::cos(a));
    Print1("cos", w, std::cos(w));
    Print1("tan", a, std::tan(a));
    Print1("tan", w, std::tan(w));
    double t = r.In(-50, 50), u = r.In(-1, 1);
    Print1("atan", t, std::atan(t));
    Print1("atan", u, std::atan(u));
    double y = r.In(-1, 1), x = r.In(-1, 1);
    Print2("atan2", y, x, std::atan2(y, x));
    double big_y = r.In(-1e7, 1e7), big_x = r.In(-1e7, 1e7);
    Print2("atan2", big_y, big_x, std::atan2(big_y, big_x));
    Print1("asin", u, std::asin(u));
    Print1("acos", u, std::acos(u));
    double e = r.In(-40, 40);
    Print1("exp", e, std::exp(e));
    Print1("tanh", e / 4, std::tanh(e / 4));
    double base = r.In(0, 100), p = r.In(-6, 6), n = std::floor(r.In(-4, 9));
    Print2("pow", base, p, std::pow(base, p));
    Print2("pow", base, n, std::pow(base, n));
    Print2("pow", base, 1 / n, std::pow(base, 1 / n));
    double s = r.In(0, 1e9);
    Print1("sqrt", s, std::sqrt(s));
    Print2("fmod", w, a, std::fmod(w, a));
  }
  return 0;
}
