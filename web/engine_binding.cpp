// The page's one way into the engine. Every call the page makes into the
// interpreter and the shell's text conversions is in this file, so a change of
// the engine's interface is a change here and nowhere else. The page gets
// plain values: UTF-8 texts to show, the files' Windows-1252 bytes, numbers.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "hand_off_forms.h"
#include "interp/diagnostics.h"
#include "interp/listing.h"
#include "interp/result_stream.h"
#include "interp/session.h"
#include "interp/terminals.h"
#include "shell/box_text.h"
#include "shell/caret_column.h"
#include "shell/file_names.h"
#include "text/cp1252.h"
#include "text/utf8.h"

namespace orbelin::web {

namespace {

using emscripten::val;

// ---------------------------------------------------------------------------
// Engine calls. The run below becomes Session::Run (results, listing, errors
// and point in one value) when the engine offers it.

struct RunValue {
  std::string results;  // Windows-1252, error lines included
  std::string listing;  // Windows-1252
  std::vector<ErrorRecord> errors;
};

RunValue RunSource(Session& session, const std::string& source) {
  RunValue run;
  run.results = session.RunText(source);
  run.errors = session.last_errors();
  ResultStream listing;
  listing.OpenMemory();
  WriteListing(listing, source, run.errors);
  run.listing = listing.Close();
  return run;
}

struct HintedDiagnostic {
  std::string text;  // "line:col: error: message", UTF-8
  std::string hint;  // English advice, UTF-8; may be empty
};

// PLACEHOLDER until the engine's diagnostics carry their English hints: the
// text is built here from the message table and every hint is empty.
std::vector<HintedDiagnostic> PlaceholderHintedDiagnostics(const std::vector<ErrorRecord>& errors) {
  std::vector<HintedDiagnostic> out;
  for (const ErrorRecord& e : errors) {
    std::string text = std::to_string(e.line) + ":" + std::to_string(e.column) +
                       ": error: " + Cp1252ToUtf8(MessageText(e.number)) + " (E" +
                       std::to_string(e.number) + ")";
    out.push_back({std::move(text), ""});
  }
  return out;
}

// ---------------------------------------------------------------------------
// Plain values for the page.

val Bytes(std::string_view bytes) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(),
                                          reinterpret_cast<const unsigned char*>(bytes.data())));
}

constexpr size_t kWhole = std::string_view::npos;

// UTF-16 units of the first `characters` code points of a UTF-8 text (a JS
// string's indices count UTF-16 units).
size_t Utf16Units(std::string_view utf8, size_t characters) {
  size_t units = 0;
  size_t i = 0;
  for (; i < utf8.size() && characters > 0; --characters) {
    char32_t cp = '?';
    size_t len = DecodeUtf8(utf8, i, &cp);
    i += len == 0 ? 1 : len;
    units += cp > 0xFFFF ? 2 : 1;
  }
  return units;
}

// Where the box's caret goes for an error, as the window places it: the
// error's line, and the character the interpreter's column (tabs counted to
// the next multiple of 8) falls on. A UTF-16 offset into the box text.
int CaretOffset(std::string_view box_text, const ErrorRecord& error) {
  size_t offset = 0;
  std::string_view rest = box_text;
  for (int line = 1; line < error.line; ++line) {
    size_t end = rest.find('\n');
    if (end == std::string_view::npos) return static_cast<int>(Utf16Units(box_text, kWhole));
    offset += Utf16Units(rest.substr(0, end), kWhole) + 1;
    rest.remove_prefix(end + 1);
  }
  std::string_view line = rest.substr(0, rest.find('\n'));
  const int index = CaretIndexForColumn(line, std::max(error.column - 1, 0));
  return static_cast<int>(offset + Utf16Units(line, static_cast<size_t>(index)));
}

val Report(const RunValue& run, std::string_view box_text) {
  val report = val::object();
  report.set("results", BoxTextFromFile(run.results));
  report.set("listing", BoxTextFromFile(run.listing));
  report.set("resultsBytes", Bytes(run.results));
  report.set("listingBytes", Bytes(run.listing));
  report.set("errorCount", static_cast<int>(run.errors.size()));
  val diagnostics = val::array();
  const std::vector<HintedDiagnostic> hinted = PlaceholderHintedDiagnostics(run.errors);
  for (size_t i = 0; i < hinted.size(); ++i) {
    val item = val::object();
    item.set("text", hinted[i].text);
    item.set("hint", hinted[i].hint);
    item.set("caret", CaretOffset(box_text, run.errors[i]));
    diagnostics.call<void>("push", item);
  }
  report.set("diagnostics", diagnostics);
  report.set("caret", run.errors.empty() ? -1 : CaretOffset(box_text, run.errors.back()));
  return report;
}

// ---------------------------------------------------------------------------
// What the page calls.

// One session for the page's life: values, MARGIN, keys, the Enigma machine
// and the point carry over from one Calc to the next.
class Engine {
 public:
  // Calc on the script box's text: it runs as the bytes the window saves
  // (CR LF line ends, Windows-1252, the closing NUL), as the window runs it.
  val Calc(const std::string& box_text) {
    return Report(RunSource(session_, ScriptFileFromBoxText(box_text)), box_text);
  }

  // A script file's bytes taken as they are, as `orbelin run --encoding
  // cp1252` reads them.
  val RunFile(const std::string& bytes) {
    return Report(RunSource(session_, bytes), BoxTextFromFile(bytes));
  }

  // The point set with OLAT and OLON, and the forms the page hands on.
  val Point() const {
    const HandOffPoint& p = session_.hand_off_point();
    val point = val::object();
    point.set("set", p.set);
    point.set("lat", p.lat);
    point.set("lon", p.lon);
    const bool on_earth = p.set && std::isfinite(p.lat) && std::isfinite(p.lon) &&
                          std::fabs(p.lat) <= 90 && std::fabs(p.lon) <= 180;
    point.set("onEarth", on_earth);
    if (on_earth) {
      point.set("text", CoordinateText(p.lat, p.lon));
      point.set("geo", GeoUri(p.lat, p.lon));
    }
    return point;
  }

  std::string PointGpx(const std::string& name) const {
    const HandOffPoint& p = session_.hand_off_point();
    return GpxWaypoint(p.lat, p.lon, name);
  }

 private:
  Session session_;
};

// A file's bytes as the box shows them: up to the first NUL, line ends made
// "\n". Valid UTF-8 with non-ASCII bytes (a leading byte-order mark dropped)
// is converted as the command line's automatic encoding does; anything else
// is Windows-1252, as the window saves.
std::string ImportScript(const std::string& bytes) {
  std::string_view text(bytes);
  text = text.substr(0, text.find('\0'));
  if (HasNonAscii(text) && IsValidUtf8(text)) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return BoxTextFromFile(Utf8ToCp1252(text));
  }
  return BoxTextFromFile(text);
}

// The name a script is stored under: what the user typed, without folders
// or surrounding blanks, with ".inp" when it has no extension, as the window
// names its files. Empty when nothing is left.
std::string ScriptName(const std::string& typed) {
  const size_t first = typed.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  std::string name = typed.substr(first, typed.find_last_not_of(" \t\r\n") - first + 1);
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '-';
  }
  return BuildFileNames(name).script;
}

// The bytes the window saves for this box text.
val ExportScript(const std::string& box_text) {
  return Bytes(ScriptFileFromBoxText(box_text));
}

// The language's keywords for the key row's inserter, in alphabetical order.
val Keywords() {
  std::vector<std::string> words;
  for (int t = 0; t < kTerminalCount; ++t) {
    std::string_view text = TerminalText(t);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') words.emplace_back(text);
  }
  std::sort(words.begin(), words.end());
  val list = val::array();
  for (const std::string& w : words) list.call<void>("push", w);
  return list;
}

}  // namespace

EMSCRIPTEN_BINDINGS(orbelin_engine) {
  emscripten::class_<Engine>("Engine")
      .constructor<>()
      .function("calc", &Engine::Calc)
      .function("runFile", &Engine::RunFile)
      .function("point", &Engine::Point)
      .function("pointGpx", &Engine::PointGpx);
  emscripten::function("importScript", &ImportScript);
  emscripten::function("exportScript", &ExportScript);
  emscripten::function("scriptName", &ScriptName);
  emscripten::function("keywords", &Keywords);
}

}  // namespace orbelin::web
