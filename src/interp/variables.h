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
#include <string>
#include <string_view>
#include <vector>

namespace orbelin {

class Variables {
 public:
  static constexpr int kSlots = 1000;  // values 0..999
  static constexpr int kMaxNames = kSlots - 1;
  static constexpr size_t kMaxNameLength = 19;

  Variables();

  // Forgets every name, then declares GM1, GM2, GM3. Values stay.
  void ResetNames();
  // Adds a name that is not yet there; returns its number, or 0 when the
  // table is full.
  int Add(std::string_view name);
  // The number of the name, or -1.
  int Find(std::string_view name) const;

  double Get(int v) const { return values_[Index(v)]; }
  void Set(int v, double x) { values_[Index(v)] = x; }
  void Clear(int v) { values_[Index(v)] = 0.0; }

 private:
  static size_t Index(int v) { return (v >= 0 && v < kSlots) ? static_cast<size_t>(v) : 0; }
  static uint32_t Hash(std::string_view name);

  std::array<double, kSlots> values_{};
  std::vector<std::string> names_;  // names_[i] is variable i + 1
  // Open-addressing index over names_: finds the same number as a linear
  // search would, since names are unique.
  std::array<int16_t, 2048> index_{};
};

}  // namespace orbelin
