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

#include "base/caret_column.h"
#include "base/cp1252.h"
#include "base/file_names.h"
#include "base/point_forms.h"
#include "base/script_text.h"
#include "base/utf8.h"
#include "interp/explain.h"
#include "interp/session.h"
#include "interp/terminals.h"

namespace orbelin::web {

using orbelin::CoordinateText;
using orbelin::GeoUri;
using orbelin::GpxWaypoint;

namespace {

using emscripten::val;

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
int CaretOffset(std::string_view box_text, int error_line, int error_column) {
  size_t offset = 0;
  std::string_view rest = box_text;
  for (int line = 1; line < error_line; ++line) {
    size_t end = rest.find('\n');
    if (end == std::string_view::npos) return static_cast<int>(Utf16Units(box_text, kWhole));
    offset += Utf16Units(rest.substr(0, end), kWhole) + 1;
    rest.remove_prefix(end + 1);
  }
  std::string_view line = rest.substr(0, rest.find('\n'));
  const int index = CaretIndexForColumn(line, std::max(error_column - 1, 0));
  return static_cast<int>(offset + Utf16Units(line, static_cast<size_t>(index)));
}

// What one Calc produced, for the page: the results or the listing as the
// window shows them, their bytes, and the diagnostics with their English
// hints as the command line prints them.
val Report(const RunResult& run, std::string_view source, std::string_view box_text) {
  val report = val::object();
  report.set("results", BoxTextFromFile(run.results));
  report.set("listing", BoxTextFromFile(run.listing));
  report.set("resultsBytes", Bytes(run.results));
  report.set("listingBytes", Bytes(run.listing));
  report.set("errorCount", static_cast<int>(run.errors.size()));
  val diagnostics = val::array();
  for (const Explanation& d : Explain(source, run)) {
    val item = val::object();
    const bool error = d.kind == Explanation::Kind::kError;
    item.set("kind", std::string(error ? "error" : "warning"));
    item.set("text", std::to_string(d.line) + ":" + std::to_string(d.column) + ": " +
                         (error ? "error: " : "warning: ") + Cp1252ToUtf8(d.message));
    item.set("hint", Cp1252ToUtf8(d.hint));
    item.set("caret", CaretOffset(box_text, d.line, d.column));
    diagnostics.call<void>("push", item);
  }
  report.set("diagnostics", diagnostics);
  report.set("caret", run.errors.empty() ? -1
                                         : CaretOffset(box_text, run.errors.back().line,
                                                       run.errors.back().column));
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
    const std::string source = ScriptFileFromBoxText(box_text);
    return Report(session_.Run(source), source, box_text);
  }

  // A script file's bytes taken as they are, as `orbelin run --encoding
  // cp1252` reads them.
  val RunFile(const std::string& bytes) {
    return Report(session_.Run(bytes), bytes, BoxTextFromFile(bytes));
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
  return BoxTextFromScriptFile(bytes);
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
    if (IsKeyword(t)) words.emplace_back(TerminalText(t));
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
