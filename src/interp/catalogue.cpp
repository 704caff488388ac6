#include "interp/catalogue.h"

#include "interp/bindings.h"
#include "interp/terminals.h"

namespace orbelin {

namespace {

constexpr CallForm kForms[kTerminalCount] = {
#define ORBELIN_FORM(name, text, role, kinds, handler) {kinds, Binding(handler)},
    ORBELIN_TERMINALS(ORBELIN_FORM)
#undef ORBELIN_FORM
};

// Every library call has its binding, and nothing else has one.
constexpr bool FormsMatchRoles() {
  for (int t = 0; t < kTerminalCount; ++t) {
    const Role role = TerminalRole(t);
    const bool call = role == Role::kStatement || role == Role::kBareStatement ||
                      role == Role::kItem || role == Role::kFirstItem;
    const Binding::Kind kind = kForms[t].binding.kind;
    if (call != (kind == Binding::Kind::kStatement)) return false;
    if ((role == Role::kFunction) != (kind == Binding::Kind::kFunction)) return false;
  }
  return true;
}
static_assert(FormsMatchRoles());

// How many arguments of one kind ('N', 'S' or 'V') a row's kinds take.
constexpr int CountKind(const char* kinds, char kind) {
  int n = 0;
  for (; *kinds != '\0'; ++kinds) n += *kinds == kind ? 1 : 0;
  return n;
}

// Every row's arguments fit the record the parser fills: a new keyword with
// one number too many is a compile error, not a write past num[11].
#define ORBELIN_FITS(name, text, role, kinds, handler)            \
  static_assert(CountKind(kinds, 'N') <= CallArgs::kMaxNum &&     \
                    CountKind(kinds, 'S') <= CallArgs::kMaxStr && \
                    CountKind(kinds, 'V') <= CallArgs::kMaxVar,   \
                "the arguments of " #name " do not fit CallArgs (library_call.h)");
ORBELIN_TERMINALS(ORBELIN_FITS)
#undef ORBELIN_FITS

}  // namespace

const CallForm& CallFormOf(int t) {
  static constexpr CallForm kNone{"", nullptr};
  return t >= 0 && t < kTerminalCount ? kForms[t] : kNone;
}

}  // namespace orbelin
