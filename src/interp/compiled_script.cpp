#include "interp/compiled_script.h"

#include <algorithm>
#include <utility>

#include "base/text_sink.h"
#include "interp/final_pattern.h"
#include "interp/library_call.h"
#include "interp/listing.h"
#include "interp/parser.h"
#include "interp/scanner.h"
#include "interp/tape_compiler.h"
#include "interp/terminals.h"
#include "text/text_state.h"

namespace orbelin {

CompiledScript::CompiledScript(std::string source, std::vector<std::string> tried)
    : source_(std::move(source)),
      tried_(std::move(tried)),
      session_(std::make_unique<Session>()),
      finals_(std::make_unique<FinalPatternMemo>()) {
  for (const std::string& name : tried_) start_.push_back({name, 0.0});
  Session& s = *session_;
  s.vars_.ResetNames(start_);
  Scanner scanner(source_, s.diagnostics_);
  s.diagnostics_.BeginRun(scanner.lookahead_location(), &scanner.current());
  std::vector<RunNote> notes;
  Runtime rt{s.out_, s.vars_, s.diagnostics_, *s.text_, s.point_, notes, 0, {}, false};
  scanner.NextToken();
  TapeCompiler compiler(rt, scanner, tape_);
  Parser<TapeCompiler> parser(scanner, rt, compiler);
  parser.Program();
  s.vars_.ForgetStartValues();
  s.diagnostics_.EndRun();
  // Errors of the scan go through the diagnostics, not the parser.
  grammar_error_ =
      compiler.failed() || s.diagnostics_.reports() != 0 || scanner.lookahead() != kEof;
  // The tape gives the notes of the reading before every note of a run:
  // right for the declarations' warnings, which come first anyway, but not
  // for a warning about text further down.
  compiled_ = !grammar_error_ && !compiler.warned();
  cut_tokens_ = scanner.cut_tokens();
  if (const SourceLocation* at = scanner.unclosed_comment()) unclosed_comment_ = *at;
  if (const size_t nul = scanner.nul_position();
      nul != std::string_view::npos &&
      std::string_view(source_).find_first_not_of('\0', nul) != std::string_view::npos) {
    nul_position_ = nul;
  }
  notes_ = std::move(notes);  // the declarations' warnings, the same in every run
}

CompiledScript::~CompiledScript() = default;

const Variables& CompiledScript::variables() const {
  return session_->variables();
}

const RunResult& CompiledScript::Run(std::span<const double> values, bool listing, bool text) {
  if (!compiled_) {
    // Read again in a new session, as every run of such a text is.
    for (size_t i = 0; i < start_.size(); ++i) {
      start_[i].value = i < values.size() ? values[i] : 0.0;
    }
    session_ = std::make_unique<Session>();
    result_ = session_->Run(source_, {.start_values = start_, .listing = listing});
    fixed_error_ = grammar_error_;
    return result_;
  }
  Play(values, text);
  Session& s = *session_;
  result_.errors = s.diagnostics_.records();
  result_.output_size = s.out_.text_size();
  if (text) WriteErrorLines(s.out_, result_.errors);
  s.out_.TakeInto(&result_.results);
  if (!text) {  // DEBUG traces, if any
    result_.results.clear();
    result_.output_size = 0;
  }
  result_.point = s.point_;
  result_.cut_tokens = cut_tokens_;
  result_.unclosed_comment = unclosed_comment_;
  result_.nul_position = nul_position_;
  result_.listing.clear();
  if (listing && text) {
    StringSink text;
    text.Reserve(source_.size() + source_.size() / 4 + 64);
    WriteListing(text, source_, result_.errors);
    result_.listing = text.Take();
  }
  return result_;
}

// The steps of the tape on the session's state set back to a new
// session's; each step does what the evaluating parser does there.
void CompiledScript::Play(std::span<const double> values, bool text) {
  Session& s = *session_;
  s.vars_.Restart(values);
  s.out_.Restart();
  s.point_ = {};
  if (tape_.calls_statements) *s.text_ = TextState{};
  s.diagnostics_.BeginRun(nullptr, nullptr);
  result_.notes = notes_;
  Runtime rt{s.out_, s.vars_, s.diagnostics_, *s.text_,     s.point_, result_.notes,
             0,      {},      false,          finals_.get()};
  double* slot = tape_.cells.data();
  // A new session starts with the distance at its full value; after an
  // error it counts the tokens read since.
  bool reported = false;
  uint64_t reported_at = 0;
  fixed_error_ = false;
  const auto call = [&](TapeCall& c) {
    for (int i = 0; i < c.numbers; ++i) c.args.num[i] = slot[c.inputs[i]];
    rt.call = c.call;
    const uint64_t since = c.delivered - reported_at;
    const int distance = !reported || since >= static_cast<uint64_t>(Diagnostics::kDistance)
                             ? Diagnostics::kDistance
                             : static_cast<int>(since);
    s.diagnostics_.Locate(&c.lookahead, &c.before, c.site, distance);
    return s.diagnostics_.reports();
  };
  const auto called = [&](const TapeCall& c, uint64_t reports_before) {
    if (s.diagnostics_.reports() == reports_before) return;
    reported = true;
    reported_at = c.delivered;
    if (c.fixed) fixed_error_ = true;
  };
  for (const TapeStep& step : tape_.steps) {
    switch (step.kind) {
      case TapeStep::Kind::kLoad:
        if (step.fixed && played_) break;
        slot[step.dst] = s.vars_.Get(step.a);
        break;
      case TapeStep::Kind::kBinary:
        if (step.fixed && played_) break;
        slot[step.dst] = Arithmetic(step.op, slot[step.a], slot[step.b]);
        break;
      case TapeStep::Kind::kFunction: {
        TapeCall& c = tape_.calls[static_cast<size_t>(step.a)];
        if (c.cached) break;
        const uint64_t before = call(c);
        const size_t notes = result_.notes.size(), written = s.out_.text_size();
        slot[step.dst] = c.form->binding.function(rt, c.args);
        called(c, before);
        c.cached = step.fixed && s.diagnostics_.reports() == before &&
                   result_.notes.size() == notes && s.out_.text_size() == written;
        break;
      }
      case TapeStep::Kind::kStatement: {
        TapeCall& c = tape_.calls[static_cast<size_t>(step.a)];
        if (c.only_text && !text) break;
        const uint64_t before = call(c);
        c.form->binding.statement(rt, c.args);
        called(c, before);
        break;
      }
      case TapeStep::Kind::kDeclare: {
        const size_t place = static_cast<size_t>(step.b);
        s.vars_.Set(step.a, place > 0 && place <= values.size() ? values[place - 1] : 0.0);
        break;
      }
      case TapeStep::Kind::kAssign:
        rt.call = tape_.names[static_cast<size_t>(step.dst)];
        rt.SetValue(step.a, slot[step.b]);
        break;
      case TapeStep::Kind::kWriteNumber:
        if (text) s.out_.WriteNumber(slot[step.a], slot[step.b]);
        break;
      case TapeStep::Kind::kWriteString:
        if (text) s.out_.WriteString(tape_.texts[static_cast<size_t>(step.a)].view());
        break;
      case TapeStep::Kind::kNewline:
        if (text) s.out_.WriteNewline();
        break;
      case TapeStep::Kind::kSetting:
        ApplySetting(rt, step.op, slot[step.a]);
        break;
    }
  }
  s.diagnostics_.EndRun();
  result_.point_set = rt.point_set;
  played_ = true;
}

}  // namespace orbelin
