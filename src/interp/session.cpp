#include "interp/session.h"

#include "interp/library_call.h"
#include "interp/listing.h"
#include "interp/parser.h"
#include "interp/scanner.h"
#include "interp/terminals.h"
#include "text/text_state.h"

namespace orbelin {

Session::Session() : text_(std::make_unique<TextState>()) {}
Session::~Session() = default;

RunResult Session::Run(std::string_view source, const RunOptions& options) {
  vars_.ResetNames(options.start_values);
  // Room for what a script usually writes, so the results are not copied
  // again and again as they grow.
  out_.Reserve(source.size());
  Scanner scanner(source, diagnostics_);
  diagnostics_.BeginRun(scanner.lookahead_location(), &scanner.current());
  std::vector<RunNote> notes;
  Runtime rt{out_, vars_, diagnostics_, *text_, point_, notes, 0, {}, false};
  scanner.NextToken();
  Evaluation evaluation(rt);
  Parser<Evaluation> parser(scanner, rt, evaluation);
  parser.Program();
  vars_.ForgetStartValues();
  diagnostics_.EndRun();

  RunResult result;
  if (scanner.lookahead() != kEof) {
    result.stopped_early = true;
    result.stop = *scanner.lookahead_location();
    result.stop_before = scanner.current();
  }
  result.cut_tokens = scanner.cut_tokens();
  if (const SourceLocation* at = scanner.unclosed_comment()) result.unclosed_comment = *at;
  // Text after the NUL that ends the script; the one NUL the window saves
  // at the very end, or NULs alone, hide nothing.
  if (const size_t nul = scanner.nul_position();
      nul != std::string_view::npos &&
      source.find_first_not_of('\0', nul) != std::string_view::npos) {
    result.nul_position = nul;
  }
  result.errors = diagnostics_.records();
  result.notes = std::move(notes);
  result.output_size = out_.text_size();
  WriteErrorLines(out_, result.errors);
  result.results = out_.Take();
  result.point = point_;
  result.point_set = rt.point_set;
  if (!options.listing) return result;
  StringSink listing;
  listing.Reserve(source.size() + source.size() / 4 + 64);  // the text and its line numbers
  WriteListing(listing, source, result.errors);
  result.listing = listing.Take();
  return result;
}

}  // namespace orbelin
