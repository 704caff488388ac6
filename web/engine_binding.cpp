// The page's one way into the engine. Every call the page makes into the
// interpreter and the shell's text conversions is in this file, so a change of
// the engine's interface is a change here and nowhere else. The page gets
// plain values: UTF-8 texts to show, the files' Windows-1252 bytes, numbers.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1252.h"
#include "base/maths.h"
#include "base/utf8.h"
#include "frontend/calc.h"
#include "frontend/diagnostic.h"
#include "frontend/import_check.h"
#include "frontend/lost_characters.h"
#include "frontend/pasted_text.h"
#include "frontend/point.h"
#include "frontend/position_fix.h"
#include "frontend/save_rules.h"
#include "frontend/script_bytes.h"
#include "frontend/script_names.h"
#include "frontend/vary/final.h"
#include "frontend/vary/form.h"
#include "frontend/vary/runner.h"
#include "frontend/vary/unknowns.h"
#include "interp/session.h"
#include "interp/terminals.h"

namespace orbelin::web {

namespace {

using emscripten::val;

// ---------------------------------------------------------------------------
// Plain values for the page.

val Bytes(std::string_view bytes) {
  return val::global("Uint8Array")
      .new_(emscripten::typed_memory_view(bytes.size(),
                                          reinterpret_cast<const unsigned char*>(bytes.data())));
}

// UTF-16 units of the first `characters` code points of a UTF-8 text (a JS
// string's indices count UTF-16 units).
size_t Utf16Units(std::string_view utf8, size_t characters = std::string_view::npos) {
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

// The box's caret places as UTF-16 offsets into its text, the page's way of
// counting. `places` are in text order or not; the lines are walked once.
class Offsets {
 public:
  explicit Offsets(std::string_view box_text) : text_(box_text) {}
  int At(const CaretPlace& place) {
    if (place.line < line_) Rewind();
    while (line_ < place.line) {
      const size_t end = text_.find('\n', start_);
      if (end == std::string_view::npos) break;
      units_ += Utf16Units(text_.substr(start_, end - start_)) + 1;
      start_ = end + 1;
      ++line_;
    }
    std::string_view line = text_.substr(start_);
    line = line.substr(0, line.find('\n'));
    return static_cast<int>(units_ + Utf16Units(line, static_cast<size_t>(place.index)));
  }

 private:
  void Rewind() { line_ = 0, start_ = 0, units_ = 0; }
  std::string_view text_;
  int line_ = 0;
  size_t start_ = 0;
  size_t units_ = 0;
};

// What one Calc produced, for the page: the results or the listing as the
// window shows them, their bytes, and the diagnostics with their English
// hints, as the front-end core gives them to every front end.
val Report(const CalcView& view, std::string_view box_text) {
  val report = val::object();
  report.set("results", BoxTextFromFile(view.run.results));
  report.set("listing", BoxTextFromFile(view.run.listing));
  report.set("shown", view.ShownText());
  report.set("resultsBytes", Bytes(view.run.results));
  report.set("listingBytes", Bytes(view.run.listing));
  report.set("errorCount", static_cast<int>(view.run.errors.size()));
  Offsets offsets(box_text);
  val diagnostics = val::array();
  for (const Diagnostic& d : view.Diagnostics(box_text)) {
    val item = val::object();
    item.set("kind", std::string(d.KindWord()));
    item.set("text", d.Headline());
    item.set("hint", d.hint);
    item.set("caret", offsets.At(d.caret));
    diagnostics.call<void>("push", item);
  }
  report.set("diagnostics", diagnostics);
  const std::optional<CaretPlace> caret = view.ErrorCaret(box_text);
  report.set("caret", caret ? offsets.At(*caret) : -1);
  return report;
}

// ---------------------------------------------------------------------------
// What the page calls.

bool SamePoint(const HandOffPoint& a, const HandOffPoint& b) {
  // Bit for bit, so that a NaN set again counts as the same point.
  return a.set == b.set && std::bit_cast<uint64_t>(a.lat) == std::bit_cast<uint64_t>(b.lat) &&
         std::bit_cast<uint64_t>(a.lon) == std::bit_cast<uint64_t>(b.lon);
}

// A point and the forms the page hands on, for a point the engine set or
// one the page kept from an earlier session.
val PointView(bool set, double lat, double lon) {
  const HandOffPoint p{lat, lon, set};
  val point = val::object();
  point.set("set", p.set);
  point.set("lat", p.lat);
  point.set("lon", p.lon);
  const std::string refusal = PointRefusal(p);
  point.set("onEarth", refusal.empty());
  point.set("refusal", refusal);
  if (refusal.empty()) {
    point.set("text", CoordinateText(p.lat, p.lon));
    point.set("geo", GeoPinUri(p.lat, p.lon));
    point.set("osm", OpenStreetMapUri(p.lat, p.lon));
  }
  return point;
}

// One session for the page's life: values, MARGIN, keys, the Enigma machine
// and the point carry over from one Calc to the next.
class Engine {
 public:
  // Calc on the script box's text: it runs as the bytes the window saves
  // (CR LF line ends, Windows-1252, the closing NUL), as the window runs it.
  // `point` is the session's point afterwards; `pointChanged` says that
  // this run set it to something new.
  val Calc(const std::string& box_text) {
    const HandOffPoint before = session_.hand_off_point();
    val report = Report(CalcBox(session_, box_text), box_text);
    const HandOffPoint& after = session_.hand_off_point();
    report.set("point", PointView(after.set, after.lat, after.lon));
    report.set("pointChanged", !SamePoint(before, after));
    return report;
  }

  // A script file's bytes taken as they are, as `orbelin run --encoding
  // cp1252` reads them. `terminal` holds the errors and warnings as that
  // command prints them on standard error for a script called `name`
  // (Windows-1252 bytes): the golden cases hold the page to the same words.
  val RunFile(const std::string& bytes, const std::string& name) {
    const CalcView view = CalcSource(session_, bytes);
    val report = Report(view, BoxTextFromFile(bytes));
    report.set("terminal", Bytes(ReportText(name, view.source, view.explanations(), false)));
    return report;
  }

  // The point set with OLAT and OLON, and the forms the page hands on.
  val Point() const {
    const HandOffPoint& p = session_.hand_off_point();
    return PointView(p.set, p.lat, p.lon);
  }

  // The point the page kept from the session before (a reload, a Cancel).
  void RestorePoint(bool set, double lat, double lon) {
    session_.RestoreHandOffPoint(HandOffPoint{lat, lon, set});
  }

  // "" for a point that is not on the Earth: nothing invalid is written.
  std::string PointGpx(const std::string& name) const {
    const HandOffPoint& p = session_.hand_off_point();
    return PointRefusal(p).empty() ? GpxWaypoint(p.lat, p.lon, name) : "";
  }

 private:
  Session session_;
};

// The GPX waypoint of a point on the Earth; "" for any other.
std::string GpxAt(bool set, double lat, double lon, const std::string& name) {
  const HandOffPoint p{lat, lon, set};
  return PointRefusal(p).empty() ? GpxWaypoint(lat, lon, name) : "";
}

// The phone's position (one fix, or the mean of `fixes`) as the script box
// takes it at the caret, whose line holds `before` and `after` it.
std::string PositionInsertionAt(double lat, double lon, double accuracy, int fixes,
                                const std::string& before, const std::string& after) {
  return PositionInsertion(lat, lon, accuracy, fixes, before, after);
}

// The mean of fixes [{lat, lon, accuracy}]: {lat, lon, spread, accuracy,
// fixes, text}.
val AverageOf(val fixes) {
  std::vector<Fix> list;
  const int n = fixes["length"].as<int>();
  for (int i = 0; i < n; ++i) {
    list.push_back({fixes[i]["lat"].as<double>(), fixes[i]["lon"].as<double>(),
                    fixes[i]["accuracy"].as<double>()});
  }
  const AveragedPosition mean = AverageFixes(list);
  val result = val::object();
  result.set("lat", mean.lat);
  result.set("lon", mean.lon);
  result.set("spread", mean.spread);
  result.set("accuracy", mean.accuracy);
  result.set("fixes", mean.fixes);
  result.set("text", AverageText(mean));
  return result;
}

// From here to the point along the geodesic: {text, distance, bearing,
// found, distanceText, bearingText}.
val LegTo(double from_lat, double from_lon, double lat, double lon) {
  const Leg leg = LegBetween(from_lat, from_lon, lat, lon);
  val result = val::object();
  result.set("found", leg.found);
  result.set("distance", leg.distance);
  result.set("bearing", leg.bearing);
  result.set("text", LegText(leg));
  result.set("distanceText", leg.found ? LegDistanceText(leg.distance) : "");
  result.set("bearingText", leg.found ? LegBearingText(leg.bearing) : "");
  return result;
}

// A file's bytes as the box shows them: up to the first NUL, line ends made
// "\n". Valid UTF-8 with non-ASCII bytes (a leading byte-order mark dropped)
// is converted as the command line's automatic encoding does; anything else
// is Windows-1252, as the window saves.
std::string ImportScript(const std::string& bytes) {
  return BoxTextFromScriptFile(bytes);
}

// A file offered for import: the text the box gets, whether it is binary,
// and what to tell the user about it.
val JudgeImportFile(const std::string& bytes, const std::string& name) {
  const ImportVerdict verdict = JudgeImport(name, bytes);
  val result = val::object();
  result.set("binary", verdict.binary);
  result.set("note", verdict.note);
  result.set("text", BoxTextFromScriptFile(bytes));
  return result;
}

// The name a script is stored under, as the core names files.
std::string ScriptName(const std::string& typed) {
  return StoredScriptName(typed);
}

// A file name without folder and extension, for the GPX file's name.
std::string ScriptStem(const std::string& name) {
  return Stem(name);
}

// The question before Save stores the box under `name`; "" when it may go
// ahead (the name is free, or it is the script being edited).
std::string ReplaceQuestionFor(const std::string& name, const std::string& current, bool exists) {
  return MustAskBeforeReplacing(exists, name == current) ? ReplaceQuestion(name).text : "";
}

// The bytes the window saves for this box text.
val ExportScript(const std::string& box_text) {
  return Bytes(ScriptFileFromBoxText(box_text));
}

// The question before Export writes characters that a script file cannot
// hold as '?'; "" when nothing is lost.
std::string LostCharactersQuestionFor(const std::string& box_text) {
  const std::u32string lost = CharactersLostOnSave(box_text);
  return lost.empty() ? "" : LostCharactersQuestion(lost).text;
}

// A stored script in a backup of all of them: the bytes the window saves,
// or the same layout in UTF-8 where Windows-1252 would lose characters, so
// that importing the backup gives every character back.
val BackupScript(const std::string& box_text) {
  return Bytes(CharactersLostOnSave(box_text).empty() ? ScriptFileFromBoxText(box_text)
                                                      : Utf8ScriptFileFromBoxText(box_text));
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

// `text` (UTF-8) as a JSON string.
void AppendJson(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

// The "Try values" dialog's search, run in slices so that the page's worker
// can report progress and hear Cancel between them. `form` holds the box
// text and the dialog's fields: {text, values: [[name, values]...], where,
// near, within, show, final, digitSum}.
class VarySearch {
 public:
  explicit VarySearch(val form) {
    VaryForm f;
    f.source = ScriptFileFromBoxText(form["text"].as<std::string>());
    const val values = form["values"];
    const int n = values["length"].as<int>();
    for (int i = 0; i < n; ++i) {
      f.values.emplace_back(values[i][0].as<std::string>(), values[i][1].as<std::string>());
    }
    f.where = form["where"].as<std::string>();
    f.near = form["near"].as<std::string>();
    f.within = form["within"].as<std::string>();
    f.show = form["show"].as<std::string>();
    f.final_pattern = form["final"].as<std::string>();
    f.digit_sum = form["digitSum"].as<std::string>();
    VaryPlanning planning = PlanVaryForm(f);
    errors_ = std::move(planning.errors);
    if (planning.plan) {
      plan_ = std::make_unique<VaryPlan>(std::move(*planning.plan));
      collector_ = std::make_unique<VaryCollector>(*plan_);
      collector_->NoteFound(true);
    }
  }

  // Sentences saying what is wrong with the fields; empty when the search
  // can run.
  val Errors() const {
    val list = val::array();
    for (const std::string& e : errors_) list.call<void>("push", e);
    return list;
  }

  double Combinations() const { return plan_ ? static_cast<double>(plan_->combinations()) : 0; }

  // Runs for about `seconds` more; returns how many combinations are done.
  double Step(double seconds) {
    if (!plan_) return 0;
    const auto start = std::chrono::steady_clock::now();
    const auto until = start + std::chrono::duration<double>(seconds);
    while (next_ < plan_->combinations()) {
      collector_->Run(next_++);
      if ((next_ & 63) == 0 && std::chrono::steady_clock::now() >= until) break;
    }
    seconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return static_cast<double>(next_);
  }

  // The points found since the last call, for the dialog to show while the
  // search goes on: the first kMostFound of the search, no more (the list
  // at the end holds them all, in its order).
  val Found() {
    val points = val::array();
    if (!plan_) return points;
    for (const KeptRun& run : collector_->TakeFound()) {
      if (found_ == kMostFound) break;
      ++found_;
      points.call<void>("push", PointItem(ListFoundPoint(*plan_, run)));
    }
    if (found_ == kMostFound) collector_->NoteFound(false);
    return points;
  }

  // What was found, as JSON: {points: [{values, position, distance, shown,
  // firstLine, hasPoint, lat, lon}], summary, gpx}, the GPX's waypoints
  // named after the script `name` (UTF-8). Ten thousand points cross into
  // JavaScript as one text in a few milliseconds, where an object each
  // would take half a second. Asked for once, at the end or after Cancel:
  // it takes the kept runs out of the search.
  std::string Listing(const std::string& name) {
    VaryOutcome outcome;
    outcome.combinations = plan_ ? plan_->combinations() : 0;
    outcome.stopped = next_ < outcome.combinations;
    outcome.seconds = seconds_;
    std::string json = "{\"points\":[";
    if (plan_) {
      outcome.counts = collector_->counts();
      outcome.kept = collector_->TakeKept();
      const VaryListing listing = ListVaryOutcome(*plan_, outcome, name);
      for (size_t i = 0; i < listing.points.size(); ++i) {
        const VaryListedPoint& p = listing.points[i];
        if (i > 0) json += ',';
        json += "{\"values\":";
        AppendJson(json, p.values);
        json += ",\"position\":";
        AppendJson(json, p.position);
        json += ",\"distance\":";
        AppendJson(json, p.distance);
        json += ",\"shown\":";
        AppendJson(json, p.shown);
        json += ",\"firstLine\":";
        AppendJson(json, p.first_line);
        json += p.has_point ? ",\"hasPoint\":true" : ",\"hasPoint\":false";
        char numbers[80];
        // Seventeen digits read back as the same double.
        std::snprintf(numbers, sizeof numbers, ",\"lat\":%.17g,\"lon\":%.17g}",
                      maths::isfinite(p.lat) ? p.lat : 0.0, maths::isfinite(p.lon) ? p.lon : 0.0);
        json += numbers;
      }
      json += "],\"summary\":";
      AppendJson(json, listing.summary);
      json += ",\"gpx\":";
      AppendJson(json, listing.gpx);
      json += '}';
    } else {
      json += "]}";
    }
    return json;
  }

 private:
  static constexpr size_t kMostFound = 200;

  static val PointItem(const VaryListedPoint& p) {
    val item = val::object();
    item.set("values", p.values);
    item.set("position", p.position);
    item.set("distance", p.distance);
    item.set("shown", p.shown);
    item.set("firstLine", p.first_line);
    item.set("hasPoint", p.has_point);
    item.set("lat", p.lat);
    item.set("lon", p.lon);
    return item;
  }

  std::vector<std::string> errors_;
  size_t found_ = 0;
  std::unique_ptr<VaryPlan> plan_;
  std::unique_ptr<VaryCollector> collector_;
  uint64_t next_ = 0;
  double seconds_ = 0.0;
};

// Names of the script (Windows-1252) as a JavaScript array of texts.
val NameList(const std::vector<std::string>& names) {
  val list = val::array();
  for (const std::string& name : names) list.call<void>("push", Cp1252ToUtf8(name));
  return list;
}

// The names of the box's VAR line, which the dialog offers to try.
val DeclaredNames(const std::string& box_text) {
  return NameList(DeclaredVariables(ScriptFileFromBoxText(box_text)));
}

// The variables the dialog offers a field for: the box's VAR line, then the
// names of the final as written (UTF-8) that the script does not declare.
val FormNames(const std::string& box_text, const std::string& pattern) {
  val list = val::array();
  for (const std::string& name : FormVariables(ScriptFileFromBoxText(box_text), pattern)) {
    list.call<void>("push", name);
  }
  return list;
}

// The names of the VAR line that no statement sets: the unknowns, which
// the dialog suggests digits for.
val UnsetNames(const std::string& box_text) {
  return NameList(UnsetVariables(ScriptFileFromBoxText(box_text)));
}

// The point the box's script sets run as it stands, its unknowns at 0 (a
// search's reference, near which the final lies), with the forms the page
// shows.
val ScriptPoint(const std::string& box_text) {
  Session session;
  RunOptions options;
  options.listing = false;
  session.Run(ScriptFileFromBoxText(box_text), options);
  const HandOffPoint& p = session.hand_off_point();
  return PointView(p.set, p.lat, p.lon);
}

}  // namespace

// What a paste into the script box inserts (the window's rule).
std::string PastedTextFor(const std::string& text) {
  return PastedText(text);
}

EMSCRIPTEN_BINDINGS(orbelin_engine) {
  emscripten::class_<Engine>("Engine")
      .constructor<>()
      .function("calc", &Engine::Calc)
      .function("runFile", &Engine::RunFile)
      .function("point", &Engine::Point)
      .function("restorePoint", &Engine::RestorePoint)
      .function("pointGpx", &Engine::PointGpx);
  emscripten::class_<VarySearch>("VarySearch")
      .constructor<val>()
      .function("errors", &VarySearch::Errors)
      .function("combinations", &VarySearch::Combinations)
      .function("step", &VarySearch::Step)
      .function("found", &VarySearch::Found)
      .function("listing", &VarySearch::Listing);
  emscripten::function("declaredNames", &DeclaredNames);
  emscripten::function("unsetNames", &UnsetNames);
  emscripten::function("formNames", &FormNames);
  emscripten::function("scriptPoint", &ScriptPoint);
  emscripten::function("pointView", &PointView);
  emscripten::function("gpxAt", &GpxAt);
  emscripten::function("positionInsertion", &PositionInsertionAt);
  emscripten::function("averageFixes", &AverageOf);
  emscripten::function("legTo", &LegTo);
  emscripten::function("judgeImport", &JudgeImportFile);
  emscripten::function("lostCharactersQuestion", &LostCharactersQuestionFor);
  emscripten::function("backupScript", &BackupScript);
  emscripten::function("importScript", &ImportScript);
  emscripten::function("exportScript", &ExportScript);
  emscripten::function("scriptName", &ScriptName);
  emscripten::function("scriptStem", &ScriptStem);
  emscripten::function("replaceQuestion", &ReplaceQuestionFor);
  emscripten::function("keywords", &Keywords);
  emscripten::function("pastedText", &PastedTextFor);
}

}  // namespace orbelin::web
