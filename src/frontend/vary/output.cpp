#include "frontend/vary/output.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string_view>
#include <utility>

#include "base/cp1252.h"
#include "base/maths.h"
#include "frontend/point.h"

namespace orbelin {

namespace {

// Columns on a terminal: UTF-8 characters, not bytes.
size_t Width(const std::string& text) {
  size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

std::string Padded(const std::string& text, size_t width) {
  const size_t w = Width(text);
  return w >= width ? text : text + std::string(width - w, ' ');
}

// A field of a CSV line, quoted where it holds a comma, a quote or a line
// end (RFC 4180).
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// A text a spreadsheet must show as text: one that starts like a formula
// (=, +, -, @, or a tab or CR before one) gets a leading apostrophe, so that
// a script's line such as =HYPERLINK(...) is never run when the file is
// opened. Numbers are written as they are and stay numbers.
std::string CsvText(const std::string& text) {
  if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos) {
    return "'" + text;
  }
  return text;
}

}  // namespace

std::string ShortNumber(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::vector<VaryPoint> MergePoints(const std::vector<KeptRun>& kept) {
  std::vector<VaryPoint> points;
  // Thousandths of a minute, as the coordinate text rounds them.
  std::map<std::pair<long long, long long>, size_t> where;
  for (const KeptRun& run : kept) {
    if (run.has_point) {
      const std::pair<long long, long long> key{maths::llround(run.lat * 60000.0),
                                                maths::llround(run.lon * 60000.0)};
      const auto [at, added] = where.try_emplace(key, points.size());
      if (!added) {
        std::vector<uint64_t>& c = points[at->second].combinations;
        c.push_back(run.combination);
        c.insert(c.end(), run.merged.begin(), run.merged.end());
        continue;
      }
    }
    VaryPoint p;
    p.combinations.push_back(run.combination);
    p.combinations.insert(p.combinations.end(), run.merged.begin(), run.merged.end());
    p.has_point = run.has_point;
    p.lat = run.lat;
    p.lon = run.lon;
    p.distance = run.distance;
    p.shown = run.shown;
    p.first_line = Cp1252ToUtf8(run.first_line);
    points.push_back(std::move(p));
  }
  return points;
}

namespace {

// The one variable in which b goes on from a by one whole step, as in a
// range; -1 when they differ otherwise.
int StepBetween(const std::vector<double>& a, const std::vector<double>& b) {
  int step = -1;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k] == b[k]) continue;
    if (step >= 0 || b[k] != a[k] + 1 || a[k] != maths::floor(a[k])) return -1;
    step = static_cast<int>(k);
  }
  return step;
}

}  // namespace

std::string ValuesText(const VaryPlan& plan, const VaryPoint& point, size_t most) {
  // Runs whose values go on one by one in a single variable, the others
  // alike, are written as a range of it: "A=3 CHK=0..199".
  const size_t n = point.combinations.size();
  std::string text;
  std::vector<double> first, last, next;
  size_t items = 0, i = 0;
  for (; i < n && items < most; ++items) {
    plan.Values(point.combinations[i], &first);
    last = first;
    int step = -1;
    size_t j = i + 1;
    for (; j < n; ++j) {
      plan.Values(point.combinations[j], &next);
      const int k = StepBetween(last, next);
      if (k < 0 || (step >= 0 && k != step)) break;
      step = k;
      last.swap(next);
    }
    if (items > 0) text += ", ";
    for (size_t k = 0; k < plan.sets().size() && k < first.size(); ++k) {
      if (k > 0) text += ' ';
      text += plan.sets()[k].name + "=" + ValueText(first[k]);
      if (static_cast<int>(k) == step) text += ".." + ValueText(last[k]);
    }
    i = j;
  }
  if (i < n) text += " and " + CountText(n - i) + " more";
  return text;
}

std::string VaryTable(const VaryPlan& plan, const std::vector<VaryPoint>& points) {
  const bool near = plan.filter().near.has_value();
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header = {"values", "point"};
  if (near) header.push_back("distance");
  for (const std::string& name : plan.show()) header.push_back(name);
  // A script that writes nothing gets no empty column.
  const bool written = std::any_of(points.begin(), points.end(),
                                   [](const VaryPoint& p) { return !p.first_line.empty(); });
  if (written) header.push_back("first line");
  rows.push_back(header);
  for (const VaryPoint& p : points) {
    std::vector<std::string> row = {ValuesText(plan, p, 3),
                                    p.has_point ? CoordinateText(p.lat, p.lon) : "-"};
    if (near) row.push_back(DistanceText(p.distance));
    for (double v : p.shown) row.push_back(ShortNumber(v));
    if (written) row.push_back(p.first_line);
    rows.push_back(std::move(row));
  }
  std::vector<size_t> widths(header.size(), 0);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
  }
  std::string table;
  for (const auto& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line += "  ";
      line += i + 1 < row.size() ? Padded(row[i], widths[i]) : row[i];
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    table += line + "\n";
  }
  return table;
}

std::string VarySummary(const VaryPlan& plan, const VaryOutcome& outcome, size_t points) {
  const VaryCounts& c = outcome.counts;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f s", outcome.seconds);
  std::string text;
  if (outcome.fixed_error && c.tried < outcome.combinations) {
    text += "Stopped after " + CountText(c.tried) + " of " + CountText(outcome.combinations) +
            " combinations: the script has an error that no value tried can change, so every "
            "combination has it. Mend the error the script's first combination shows, then try "
            "again.\n";
  } else if (outcome.stopped) {
    text += "Stopped after " + CountText(c.tried) + " of " + CountText(outcome.combinations) +
            " combinations (" + seconds + "): what was found so far.\n";
  } else {
    text += CountText(c.tried) + (c.tried == 1 ? " combination" : " combinations") + " tried in " +
            seconds + ".\n";
  }
  const std::string at = CountText(points) + (points == 1 ? " point" : " points");
  text += "Kept: " + CountText(c.kept) + (c.kept == 1 ? " run" : " runs");
  uint64_t listed = 0;  // runs at the points listed
  for (const KeptRun& run : outcome.kept) listed += 1 + run.merged.size();
  if (c.kept > listed) {
    text += std::string("; only the ") + (plan.filter().near ? "nearest " : "first ") +
            CountText(outcome.kept.size()) + " points are listed (" + CountText(listed) +
            " runs); " + CountText(c.kept - listed) +
            " runs at other points are left out: narrow the search with a condition, a distance "
            "or fewer values";
  } else if (points != c.kept) {
    text += ", at " + at;
  }
  text += ".\n";
  std::vector<std::string> dropped;
  const auto add = [&](uint64_t n, const std::string& why) {
    if (n > 0) dropped.push_back(CountText(n) + " " + why);
  };
  add(c.failed_where, "failed a condition");
  if (plan.filter().within) add(c.too_far, "beyond " + DistanceText(*plan.filter().within));
  add(c.distance_unknown, "with the distance unknown (nearly opposite the reference point)");
  add(c.without_point, "set no point");
  add(c.off_earth, "set a point that is no place on the Earth");
  add(c.with_errors, "had errors");
  if (!dropped.empty()) {
    text += "Dropped:";
    for (size_t i = 0; i < dropped.size(); ++i) text += (i > 0 ? ", " : " ") + dropped[i];
    text += ".\n";
  }
  return text;
}

std::string VaryCsv(const VaryPlan& plan, const std::vector<VaryPoint>& points) {
  std::string csv;
  std::vector<std::string> header;
  for (const ValueSet& s : plan.sets()) header.push_back(s.name);
  for (const char* name : {"lat", "lon", "point", "distance_m"}) header.push_back(name);
  for (const std::string& name : plan.show()) header.push_back(name);
  header.push_back("first_line");
  header.push_back("same_point");
  const auto line = [&csv](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) csv += (i > 0 ? "," : "") + CsvField(fields[i]);
    csv += "\r\n";
  };
  line(header);
  std::vector<double> values;
  for (const VaryPoint& p : points) {
    std::vector<std::string> row;
    plan.Values(p.combinations.front(), &values);
    for (double v : values) row.push_back(ValueText(v));
    if (p.has_point) {
      row.push_back(ValueText(p.lat));
      row.push_back(ValueText(p.lon));
      row.push_back(CsvText(CoordinateText(p.lat, p.lon)));
    } else {
      row.insert(row.end(), 3, "");
    }
    char distance[40] = "";
    if (p.distance >= 0) std::snprintf(distance, sizeof distance, "%.3f", p.distance);
    row.push_back(distance);
    for (double v : p.shown) row.push_back(ValueText(v));
    row.push_back(CsvText(p.first_line));
    VaryPoint others = p;
    others.combinations.erase(others.combinations.begin());
    row.push_back(CsvText(ValuesText(plan, others, others.combinations.size())));
    line(row);
  }
  return csv;
}

}  // namespace orbelin
