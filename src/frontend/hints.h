// What to change, in plain English, for an error of a run.
//
// The interpreter says what went wrong and where: the error's number, its
// token, the token before it and the call whose brackets it stands in. The
// hint looks at the few tokens around that place and at what people are
// likely to have typed there: a coordinate copied from a cache page or a
// GPS screen, another language's operators and habits, a phone keyboard's
// look-alike characters.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "frontend/lost_characters.h"
#include "interp/diagnostics.h"
#include "interp/run_result.h"

namespace orbelin {

// The hint for one error; "" where the message says it all. A library
// call's refusal carries its own (ErrorRecord::detail). `text` is the
// script up to its NUL byte (CutAtNul); the hint is Windows-1252, as it may
// quote the text.
// `lost`: the characters that became '?' in the text (it was UTF-8).
std::string HintForError(std::string_view text, const ErrorRecord& error,
                         std::span<const LostCharacter> lost = {});

// The hint for the place where a run stopped with no error there to say
// why (an error just before hid it).
std::string HintForStop(std::string_view text, const RunResult& run,
                        std::span<const LostCharacter> lost = {});

}  // namespace orbelin
