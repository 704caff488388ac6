#include "stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orbelin::accuracy {

double ErrorStats::Max() const {
  if (errors_.empty()) return std::nan("");
  return *std::max_element(errors_.begin(), errors_.end());
}

double ErrorStats::Median() const {
  if (errors_.empty()) return std::nan("");
  std::vector<double> sorted = errors_;
  std::sort(sorted.begin(), sorted.end());
  const size_t n = sorted.size();
  return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

void ErrorStats::Merge(const ErrorStats& other) {
  errors_.insert(errors_.end(), other.errors_.begin(), other.errors_.end());
  failures_ += other.failures_;
}

std::string Figure(double x) {
  char buf[64];
  if (std::isnan(x)) return "-";
  const double a = std::fabs(x);
  if (a == 0) return "0";
  if (a >= 1000) {
    std::snprintf(buf, sizeof buf, "%.0f", x);
  } else if (a >= 0.01) {
    std::snprintf(buf, sizeof buf, "%.3g", x);
  } else {
    std::snprintf(buf, sizeof buf, "%.1e", x);
  }
  return buf;
}

std::string Table(const std::string& bin_title, const std::vector<std::string>& bin_labels,
                  const std::vector<Column>& columns) {
  bool any_failure = false;
  for (const Column& c : columns) {
    for (const ErrorStats& s : c.bins) any_failure = any_failure || s.failures() > 0;
  }
  std::string out = "| " + bin_title + " | cases |";
  std::string rule = "|---|---:|";
  for (const Column& c : columns) {
    out += " " + c.title + " median | max |";
    rule += "---:|---:|";
  }
  if (any_failure) {
    out += " no result |";
    rule += "---:|";
  }
  out += "\n" + rule + "\n";
  for (size_t i = 0; i < bin_labels.size(); ++i) {
    const int cases = columns.front().bins[i].cases();
    if (cases == 0) continue;
    out += "| " + bin_labels[i] + " | " + std::to_string(cases) + " |";
    for (const Column& c : columns) {
      out += " " + Figure(c.bins[i].Median()) + " | " + Figure(c.bins[i].Max()) + " |";
    }
    if (any_failure) {
      int failures = 0;
      for (const Column& c : columns) failures = std::max(failures, c.bins[i].failures());
      out += " " + std::to_string(failures) + " |";
    }
    out += "\n";
  }
  return out;
}

}  // namespace orbelin::accuracy
