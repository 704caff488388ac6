#include "frontend/vary/plan.h"

#include <set>

#include "interp/scanner.h"
#include "interp/session.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

std::string List(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + names[i];
  return text;
}

bool IsPredefined(const std::string& name) {
  return name == "GM1" || name == "GM2" || name == "GM3";
}

// Why `written` names no variable of the script; "" when it does. `role`
// says where the name was met: "to give values to", "to show".
std::string Unknown(const std::string& written, const std::string& name,
                    const std::vector<std::string>& declared, const std::string& role) {
  if (IsPredefined(name)) return "";
  for (const std::string& d : declared) {
    if (d == name) return "";
  }
  if (name.empty()) return "A variable's name is missing " + role + ".";
  const std::string start = "There is no variable " + written + " " + role + ": ";
  if (KeywordTerminal(name) != kIdent) return start + name + " is a keyword of the language.";
  if (declared.empty()) return start + "the script has no VAR line.";
  return start + "the script's VAR line declares " + List(declared) + ".";
}

}  // namespace

void VaryPlan::Values(uint64_t index, std::vector<double>* values) const {
  values->resize(sets_.size());
  for (size_t i = sets_.size(); i-- > 0;) {
    const uint64_t n = sets_[i].values.size();
    (*values)[i] = sets_[i].values[index % n];
    index /= n;
  }
}

std::vector<std::string> DeclaredVariables(std::string_view source) {
  Session session;
  RunOptions options;
  options.listing = false;
  session.Run(source, options);
  const std::vector<std::string>& names = session.variables().names();
  return {names.begin() + 3, names.end()};  // after GM1, GM2, GM3
}

VaryPlanning PlanVary(VaryRequest request) {
  VaryPlanning out;
  const std::vector<std::string> declared = DeclaredVariables(request.source);
  if (request.sets.empty()) {
    out.errors.push_back("No values to try: name a variable of the script and its values.");
  }
  std::set<std::string> given;
  for (const ValueSet& s : request.sets) {
    if (std::string why = Unknown(s.written, s.name, declared, "to give values to"); !why.empty()) {
      out.errors.push_back(why);
    } else if (!given.insert(s.name).second) {
      out.errors.push_back("The variable " + s.written + " is given values twice.");
    }
  }
  for (const Condition& c : request.filter.where) {
    const std::string written = c.written.substr(0, c.written.find('='));
    if (std::string why = Unknown(written, c.name, declared, "for the condition " + c.written);
        !why.empty()) {
      out.errors.push_back(why);
    }
  }
  VaryPlan plan;
  for (const std::string& written : request.show) {
    const std::string name = VariableName(written);
    if (std::string why = Unknown(written, name, declared, "to show"); !why.empty()) {
      out.errors.push_back(why);
    }
    plan.show_.push_back(name);
  }
  if (request.filter.within && !request.filter.near) {
    out.errors.push_back("A distance to stay within needs a point to measure it from.");
  }
  const uint64_t count = CombinationCount(request.sets);
  if (count > kMaxCombinations) {
    // The sizes multiplied, as far as a line holds them.
    constexpr size_t kSizesShown = 6;
    std::string sizes;
    long double product = 1;
    for (size_t i = 0; i < request.sets.size(); ++i) {
      const size_t n = request.sets[i].values.size();
      if (i < kSizesShown) sizes += (i > 0 ? " \xC3\x97 " : "") + CountText(n);
      product *= static_cast<long double>(n);
    }
    if (request.sets.size() > kSizesShown) {
      sizes += " \xC3\x97 \xE2\x80\xA6, " + CountText(request.sets.size()) + " sets of values";
    }
    const std::string total = product < 1.8e19L ? CountText(static_cast<uint64_t>(product))
                                                : std::string("more than 10^19");
    out.errors.push_back("The values give " + total + " combinations (" + sizes + "); at most " +
                         CountText(kMaxCombinations) + " can be tried: give fewer values.");
  }
  // A long command line of mistakes gets a few of them and a count: the
  // rest are of the same kind.
  constexpr size_t kErrorsShown = 5;
  if (out.errors.size() > kErrorsShown + 1) {
    const size_t more = out.errors.size() - kErrorsShown;
    out.errors.resize(kErrorsShown);
    out.errors.push_back("And " + CountText(more) + " more mistakes in the options.");
  }
  if (!out.errors.empty()) return out;
  plan.source_ = std::move(request.source);
  plan.sets_ = std::move(request.sets);
  plan.filter_ = std::move(request.filter);
  plan.combinations_ = count;
  out.plan = std::move(plan);
  return out;
}

}  // namespace orbelin
