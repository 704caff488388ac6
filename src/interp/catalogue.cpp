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

}  // namespace

const CallForm& CallFormOf(int t) {
  static constexpr CallForm kNone{"", nullptr};
  return t >= 0 && t < kTerminalCount ? kForms[t] : kNone;
}

}  // namespace orbelin
