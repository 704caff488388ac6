#include "frontend/vary/plan.h"

#include <set>

#include "interp/diagnostics.h"
#include "interp/scanner.h"
#include "interp/session.h"
#include "interp/terminals.h"
#include "interp/variables.h"

namespace orbelin {

namespace {

std::string List(const std::vector<std::string>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + names[i];
  return text;
}

// Why `written` names no variable of the script; "" when it does. `role`
// says where the name was met: "to give values to", "to show".
std::string Unknown(const std::string& written, const std::string& name,
                    const std::vector<std::string>& declared, const std::string& role) {
  if (Variables::IsPredefined(name)) return "";
  for (const std::string& d : declared) {
    if (d == name) return "";
  }
  if (name.empty()) return "A variable's name is missing " + role + ".";
  const std::string start = "There is no variable " + written + " " + role + ": ";
  if (KeywordTerminal(name) != kIdent) return start + name + " is a keyword of the language.";
  if (declared.empty()) return start + "the script has no VAR line.";
  return start + "the script's VAR line declares " + List(declared) + ".";
}

// A name for the search's own variables that the script and the pattern
// leave free: `base`, or `base` with a number.
std::string FreeName(const std::string& base, const std::vector<std::string>& taken) {
  for (int n = 0;; ++n) {
    const std::string name = n == 0 ? base : base + std::to_string(n);
    bool used = false;
    for (const std::string& t : taken) used = used || t == name;
    if (!used) return name;
  }
}

// The script with a final pattern after it: the names the pattern needs
// join the script's VAR line (a new one when it has none, on its first line
// so that its line numbers stay), then FINAL2GPS reads the pattern and its
// point becomes the run's point. With a digit sum to keep, FINALQSUM
// counts the digits into `sum`.
std::string WithFinal(const std::string& whole, const std::string& pattern,
                      const std::vector<std::string>& names, const std::string& lat,
                      const std::string& lon, const std::string& sum) {
  // The pattern's statements go after the script, and a script ends at its
  // first NUL byte (the one a saved script ends with, too): they go before.
  const std::string script = whole.substr(0, whole.find('\0'));
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
  Diagnostics quiet;
  Scanner scanner(script, quiet);
  scanner.NextToken();
  std::string text;
  if (scanner.lookahead() == kVar) {
    const size_t after = scanner.lookahead_token().position + 3;
    text = script.substr(0, after) + " " + list + "," + script.substr(after);
  } else {
    text = "VAR " + list + "; " + script;
  }
  // Line breaks in the pattern are spaces to it, and a text of the script
  // holds none.
  std::string written = pattern;
  for (char& c : written) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += "FINAL2GPS('" + written + "', " + lat + ", " + lon + ");\r\n";
  text += "OLAT = " + lat + "; OLON = " + lon + ";\r\n";
  if (!sum.empty()) text += sum + " = FINALQSUM('" + written + "');\r\n";
  return text;
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
  // The script's names come after those every run has.
  const std::vector<std::string>& names = session.variables().names();
  return {names.begin() + Variables::kPredefined.size(), names.end()};
}

VaryPlanning PlanVary(VaryRequest request) {
  VaryPlanning out;
  const std::vector<std::string> script_names = DeclaredVariables(request.source);
  std::vector<std::string> declared = script_names;
  // The pattern's names the script does not declare: the search declares
  // them, and each must be given values (else it would only ever be 0).
  std::vector<std::string> pattern_names;
  const bool final = !request.final_pattern.empty();
  if (final) {
    // A pattern that cannot be read leaves its letters unknown: what would
    // follow about the variables would only mislead.
    out.errors = CheckFinalPattern(request.final_pattern);
    if (!out.errors.empty()) return out;
    for (const std::string& n : FinalLetters(request.final_pattern)) {
      if (Unknown(n, n, script_names, "").empty()) continue;
      if (KeywordTerminal(n) != kIdent) {
        out.errors.push_back("The final pattern uses " + n +
                             ", a keyword of the language: write it in brackets of the script "
                             "as a variable of another name.");
        continue;
      }
      pattern_names.push_back(n);
      declared.push_back(n);
      bool given = false;
      for (const ValueSet& s : request.sets) given = given || s.name == n;
      if (!given) {
        out.errors.push_back(
            "The final pattern uses " + n + ", but it is given no values: add --set " + n +
            "=0..9" + (request.source.empty() ? "" : ", or declare and compute it in the script") +
            ".");
      }
    }
  } else if (request.digit_sum) {
    out.errors.push_back(
        "A digit sum to keep needs the final pattern it counts: give one. For a script's point, "
        "compute WGCQSUM(LAT, LON) into a variable and keep it with a condition, as --where "
        "CHK=41.");
  }
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
  if (final) {
    std::vector<std::string> taken = declared;
    const std::string lat = FreeName("FINALLAT", taken);
    taken.push_back(lat);
    const std::string lon = FreeName("FINALLON", taken);
    taken.push_back(lon);
    const std::string sum = request.digit_sum ? FreeName("FINALSUM", taken) : "";
    std::vector<std::string> names = pattern_names;
    names.push_back(lat);
    names.push_back(lon);
    if (!sum.empty()) {
      names.push_back(sum);
      Condition c;
      c.name = sum;
      c.written = "digit sum=" + std::to_string(*request.digit_sum);
      c.spans.push_back(
          {static_cast<double>(*request.digit_sum), static_cast<double>(*request.digit_sum)});
      request.filter.where.push_back(std::move(c));
    }
    request.source = WithFinal(request.source, request.final_pattern, names, lat, lon, sum);
  }
  plan.source_ = std::move(request.source);
  plan.sets_ = std::move(request.sets);
  plan.filter_ = std::move(request.filter);
  plan.combinations_ = count;
  out.plan = std::move(plan);
  return out;
}

}  // namespace orbelin
