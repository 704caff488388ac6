#include "interp/session.h"

#include <cstdio>

#include "interp/listing.h"
#include "interp/parser.h"
#include "interp/scanner.h"
#include "text/cp1252.h"
#include "text/text_state.h"

namespace orbelin {

namespace {

bool ReadWholeFile(const std::string& path, std::string* text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  text->clear();
  char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text->append(chunk, n);
  std::fclose(f);
  return true;
}

void ConvertSource(SourceEncoding encoding, std::string* source) {
  switch (encoding) {
    case SourceEncoding::kCp1252:
      break;
    case SourceEncoding::kAuto:
      if (HasNonAscii(*source) && IsValidUtf8(*source)) *source = Utf8ToCp1252(*source);
      break;
    case SourceEncoding::kUtf8:
      *source = Utf8ToCp1252(*source);
      break;
  }
}

}  // namespace

Session::Session() : text_(std::make_unique<TextState>()) {}
Session::~Session() = default;

// Parses and evaluates the source into the open result stream, then appends
// the error lines. Names, diagnostics and DEBUG start afresh; values, MARGIN,
// the error distance and the library state carry over.
void Session::Evaluate(const std::string& source) {
  vars_.ResetNames();
  Scanner scanner(source, diagnostics_);
  diagnostics_.BeginRun(scanner.lookahead_location());
  Runtime rt{out_, vars_, diagnostics_, *text_, point_};
  scanner.NextToken();
  Parser parser(scanner, rt);
  parser.Program();
  diagnostics_.EndRun();
  WriteErrorLines(out_, diagnostics_.records());
}

RunOutcome Session::RunScript(const std::string& script_path, RunHost& host,
                              SourceEncoding encoding) {
  RunOutcome outcome;
  host.SaveScript();
  std::string source;
  if (!ReadWholeFile(script_path, &source)) {
    host.ShowError(script_path);
    return outcome;
  }
  DerivedNames names = host.BuildFileNames();
  if (!out_.OpenFile(names.results)) {
    host.ShowError(names.results);
    return outcome;
  }
  host.ClearResults();
  ConvertSource(encoding, &source);
  Evaluate(source);
  out_.Close();

  // A listing that cannot be created is skipped without a word.
  if (out_.OpenFile(names.listing)) {
    WriteListing(out_, source, diagnostics_.records());
    out_.Close();
  }

  outcome.ran = true;
  const auto& records = diagnostics_.records();
  outcome.error_count = static_cast<int>(records.size());
  if (!records.empty()) {
    outcome.last_error = {records.back().line, records.back().column};
    host.ShowListing();
    host.ShowError("Compilation errors\n");
    host.PlaceCaret(outcome.last_error.line - 1, outcome.last_error.column - 1);
  } else {
    host.ShowResults();
  }
  return outcome;
}

std::string Session::RunText(std::string source, int* error_count) {
  out_.OpenMemory();
  Evaluate(source);
  if (error_count != nullptr) *error_count = static_cast<int>(diagnostics_.records().size());
  return out_.Close();
}

}  // namespace orbelin
