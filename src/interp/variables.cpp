#include "interp/variables.h"

#include <algorithm>

namespace orbelin {

Variables::Variables() {
  names_.reserve(kMaxNames);
  ResetNames();
}

uint32_t Variables::Hash(std::string_view name) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h;
}

void Variables::ResetNames(std::span<const StartValue> start) {
  names_.clear();
  index_.fill(0);
  start_ = start;
  started_.clear();
  is_started_.fill(false);
  for (std::string_view name : kPredefined) Add(name);
  // The predefined names are never declared: they start here.
  for (const Started& s : started_) values_[Index(s.number)] = s.value;
}

int Variables::Add(std::string_view name) {
  if (static_cast<int>(names_.size()) >= kMaxNames) return 0;
  names_.emplace_back(name);
  int number = static_cast<int>(names_.size());
  size_t mask = index_.size() - 1;
  for (size_t i = Hash(name) & mask;; i = (i + 1) & mask) {
    if (index_[i] == 0) {
      index_[i] = static_cast<int16_t>(number);
      break;
    }
  }
  for (size_t i = 0; i < start_.size(); ++i) {
    if (start_[i].name == name) {
      started_.push_back({number, start_[i].value, false, i});
      is_started_[Index(number)] = true;
    }
  }
  return number;
}

void Variables::Restart(std::span<const double> values) {
  // Only the names' slots and slot 0 can have been written.
  std::fill_n(values_.begin(), names_.size() + 1, 0.0);
  for (Started& s : started_) {
    s.value = s.start < values.size() ? values[s.start] : 0.0;
    s.assigned = false;
    if (s.number <= 3) values_[Index(s.number)] = s.value;  // GM1 to GM3 are never declared
  }
}

double Variables::StartOf(int v) const {
  for (const Started& s : started_) {
    if (s.number == v) return s.value;
  }
  return 0.0;
}

bool Variables::FirstAssignmentOfStarted(int v) {
  if (!is_started_[Index(v)]) return false;
  for (Started& s : started_) {
    if (s.number == v && !s.assigned) {
      s.assigned = true;
      return true;
    }
  }
  return false;
}

int Variables::Find(std::string_view name) const {
  size_t mask = index_.size() - 1;
  for (size_t i = Hash(name) & mask; index_[i] != 0; i = (i + 1) & mask) {
    if (names_[index_[i] - 1] == name) return index_[i];
  }
  return -1;
}

}  // namespace orbelin
