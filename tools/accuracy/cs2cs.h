// PROJ's cs2cs on many pairs of numbers at once (one process: each start
// costs a fifth of a second). The grids' accuracy sections and tests use it
// as their reference; where cs2cs is missing they say so and skip.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orbelin::cs2cs {

using Pair = std::pair<double, double>;

// The first two numbers cs2cs gives for each input pair ("a b" in the
// order the source CRS takes), nothing for a pair it cannot convert; an
// empty list when cs2cs does not run.
inline std::vector<std::optional<Pair>> Many(const std::string& from, const std::string& to,
                                             const std::vector<Pair>& in) {
  char path[] = "/tmp/orbelin-cs2cs-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return {};
  std::FILE* f = fdopen(fd, "w");
  for (const Pair& p : in) std::fprintf(f, "%.10f %.10f\n", p.first, p.second);
  std::fclose(f);
  const std::string command =
      "cs2cs -f %.6f " + from + " +to " + to + " < " + path + " 2>/dev/null";
  std::vector<std::optional<Pair>> out;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
      double a = 0, b = 0;
      if (std::sscanf(line, "%lf %lf", &a, &b) == 2 && std::isfinite(a) && std::isfinite(b)) {
        out.emplace_back(Pair{a, b});
      } else {
        out.emplace_back(std::nullopt);
      }
    }
    if (pclose(pipe) != 0) out.clear();
  }
  std::remove(path);
  if (out.size() != in.size()) out.clear();
  return out;
}

// One pair.
inline std::optional<Pair> One(const std::string& from, const std::string& to, double a, double b) {
  const auto out = Many(from, to, {{a, b}});
  return out.empty() ? std::nullopt : out[0];
}

}  // namespace orbelin::cs2cs
