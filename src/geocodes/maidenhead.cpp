#include "geocodes/maidenhead.h"

#include "base/maths.h"

namespace orbelin {

namespace {

// Cells of each level per cell of the one above it, and the finest cells
// per degree.
constexpr int kDivisions[5] = {18, 10, 24, 10, 24};
constexpr long kLonCellsPerDegree = 2880;  // 18 * 10 * 24 * 10 * 24 / 360
constexpr long kLatCellsPerDegree = 5760;  // ... / 180
constexpr long kCells = 18L * 10 * 24 * 10 * 24;

// The finest cells in one cell of level i (0 the field).
long CellsIn(int level) {
  long n = 1;
  for (int i = level + 1; i < 5; ++i) n *= kDivisions[i];
  return n;
}

long Cell(double degrees_from_origin, long per_degree) {
  const double c = maths::floor(degrees_from_origin * static_cast<double>(per_degree));
  if (!(c >= 0)) return 0;
  return c >= static_cast<double>(kCells) ? kCells - 1 : static_cast<long>(c);
}

char Character(int level, long index) {
  if (level % 2 == 1) return static_cast<char>('0' + index);
  return static_cast<char>((level == 0 ? 'A' : 'a') + index);
}

}  // namespace

std::string Locator(double lat, double lon, int length) {
  double l = maths::remainder(lon, 360.0);
  if (l == 180) l = -180;
  const long x = Cell(l + 180, kLonCellsPerDegree);
  const long y = Cell(lat + 90, kLatCellsPerDegree);
  std::string text;
  for (int level = 0; level < length / 2 && level < 5; ++level) {
    const long cells = CellsIn(level);
    text += Character(level, x / cells % kDivisions[level]);
    text += Character(level, y / cells % kDivisions[level]);
  }
  return text;
}

CodeReading ReadLocator(std::string_view text) {
  CodeReading r;
  const std::string example = "a locator is 2 to 10 characters, as JN58 or JN58td or JN58td25";
  if (text.empty() || text.size() % 2 != 0 || text.size() > 10) {
    r.why = "it has " + std::to_string(text.size()) + " characters: " + example;
    return r;
  }
  long x = 0, y = 0;
  int levels = static_cast<int>(text.size() / 2);
  for (int level = 0; level < levels; ++level) {
    long v[2];
    for (int k = 0; k < 2; ++k) {
      char c = text[static_cast<size_t>(2 * level + k)];
      const bool digits = level % 2 == 1;
      const char top = static_cast<char>((digits ? '0' : 'A') + kDivisions[level] - 1);
      if (!digits && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (c < (digits ? '0' : 'A') || c > top) {
        r.why = std::string("'") + text[static_cast<size_t>(2 * level + k)] + "' at place " +
                std::to_string(2 * level + k + 1) + " is not " +
                (digits ? "a digit" : std::string("a letter A to ") + top) + ": " + example;
        return r;
      }
      v[k] = c - (digits ? '0' : 'A');
    }
    x = x * kDivisions[level] + v[0];
    y = y * kDivisions[level] + v[1];
  }
  // Whole cells from the origin, then one division each: the nearest
  // doubles to the edges.
  const long cells = CellsIn(levels - 1);
  auto degrees = [](long from_origin, long origin, long per_degree) {
    return static_cast<double>(from_origin - origin * per_degree) / static_cast<double>(per_degree);
  };
  r.ok = true;
  r.area.west = degrees(x * cells, 180, kLonCellsPerDegree);
  r.area.east = degrees((x + 1) * cells, 180, kLonCellsPerDegree);
  r.area.south = degrees(y * cells, 90, kLatCellsPerDegree);
  r.area.north = degrees((y + 1) * cells, 90, kLatCellsPerDegree);
  return r;
}

}  // namespace orbelin
