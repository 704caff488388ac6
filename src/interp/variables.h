// The variable table: names are rebuilt by every run, values live as long as
// the session.
//
// Variable numbers index the values; 0 belongs to no name and is what every
// failed look-up yields, so a stray assignment lands there harmlessly.
// GM1, GM2 and GM3 are 1, 2 and 3 in every run. Names are at most 19 bytes,
// upper case.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

// A variable that starts a run at a given value instead of 0.0: the name
// folded and cut as the scanner reads names.
struct StartValue {
  std::string name;
  double value = 0.0;
};

class Variables {
 public:
  static constexpr int kSlots = 1000;  // values 0..999
  static constexpr int kMaxNames = kSlots - 1;
  static constexpr size_t kMaxNameLength = 19;
  // The names every run has without declaring them, numbers 1, 2 and 3,
  // whose values carry over from one run to the next.
  static constexpr std::array<std::string_view, 3> kPredefined = {"GM1", "GM2", "GM3"};
  static bool IsPredefined(std::string_view name) {
    for (std::string_view p : kPredefined) {
      if (p == name) return true;
    }
    return false;
  }

  Variables();

  // Forgets every name, then declares GM1, GM2, GM3. Values stay, except
  // that the names in `start` take their start values: GM1 to GM3 at once,
  // the others when the script declares them (in place of 0.0).
  void ResetNames(std::span<const StartValue> start = {});
  // Adds a name that is not yet there; returns its number, or 0 when the
  // table is full.
  int Add(std::string_view name);
  // The number of the name, or -1.
  int Find(std::string_view name) const;

  double Get(int v) const { return values_[Index(v)]; }
  void Set(int v, double x) { values_[Index(v)] = x; }
  // What a declaration does: 0.0, or the variable's start value.
  void Clear(int v) { values_[Index(v)] = started_.empty() ? 0.0 : StartOf(v); }

  // Whether variable v was named in the start values.
  bool HasStartValue(int v) const { return StartPlace(v) >= 0; }
  // Where in the start values variable v's value is; -1 for none.
  int StartPlace(int v) const {
    for (const Started& s : started_) {
      if (s.number == v) return static_cast<int>(s.start);
    }
    return -1;
  }

  // True the first time in a run that a variable with a start value is
  // assigned: the script then overrides the value it was given.
  bool FirstAssignmentOfStarted(int v);

  // The start values are the caller's: forgotten when the run is over.
  void ForgetStartValues() { start_ = {}; }

  // Another run of the same names, as after ResetNames with start values
  // of the same names in the same order, now `values`: every value as a
  // new table has it (0.0, GM1 to GM3 at their start values), and no
  // started variable assigned yet. The declarations then clear the rest.
  void Restart(std::span<const double> values);

  // The names in the order they were added, GM1 to GM3 first.
  const std::vector<std::string>& names() const { return names_; }

 private:
  static size_t Index(int v) { return (v >= 0 && v < kSlots) ? static_cast<size_t>(v) : 0; }
  static uint32_t Hash(std::string_view name);
  double StartOf(int v) const;

  struct Started {
    int number;
    double value;
    bool assigned;
    size_t start;  // its place in the start values
  };

  std::array<double, kSlots> values_{};
  std::vector<std::string> names_;  // names_[i] is variable i + 1
  // Open-addressing index over names_: finds the same number as a linear
  // search would, since names are unique.
  std::array<int16_t, 2048> index_{};
  std::span<const StartValue> start_;
  std::vector<Started> started_;  // the variables of start_ named so far
  // Whether variable v is one of started_: every assignment asks, and most
  // variables are not.
  std::array<bool, kSlots> is_started_{};
};

}  // namespace orbelin
