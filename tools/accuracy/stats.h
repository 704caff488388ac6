// Error statistics by bin, and their rendering as Markdown tables.
#pragma once

#include <string>
#include <vector>

namespace orbelin::accuracy {

// The errors of one bin. A failure is a case where the function gave no
// number (NaN, or DISTVINCENTY's -1); it has no error to count.
class ErrorStats {
 public:
  void Add(double error) { errors_.push_back(error); }
  void AddFailure() { ++failures_; }
  int cases() const { return static_cast<int>(errors_.size()) + failures_; }
  int failures() const { return failures_; }
  double Max() const;
  double Median() const;
  void Merge(const ErrorStats& other);

 private:
  std::vector<double> errors_;
  int failures_ = 0;
};

// One row per bin: label, cases, then for each column the median and the
// maximum, and the failures when any bin has one.
struct Column {
  std::string title;  // e.g. "distance (mm)"
  std::vector<ErrorStats> bins;
};

std::string Table(const std::string& bin_title, const std::vector<std::string>& bin_labels,
                  const std::vector<Column>& columns);

// A number for a table cell: fixed with a sensible number of digits.
std::string Figure(double x);

}  // namespace orbelin::accuracy
