// Numbered diagnostics: the error reporter with its distance rule, the list
// of records of one run, and the message texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "interp/token.h"

namespace orbelin {

class TextSink;

// Where the parser stands inside brackets: the call whose arguments it
// reads (its keyword's terminal, or "(" for a bracket in an expression),
// the argument it is at, and where its bracket opened. The hints of the
// bracket and comma errors say which call and which argument.
struct CallSite {
  int terminal = -1;      // -1: outside every bracket
  int argument = 0;       // from 1; 0 before the first
  SourceLocation opened;  // the "(" (line 0 while it is not read yet)
};

struct ErrorRecord {
  int number;
  int line;             // from 1
  int column;           // from 1, tabs expanded as the scanner counts them
  size_t position = 0;  // byte index of the token in the text (in no file)
  // The token before it and the brackets it stands in, for the hints (in
  // no file either).
  Token before = {};
  CallSite site = {};
  // What exactly a library call refused and what to write instead, for the
  // hint ("" for the grammar's errors, whose hints come from the text).
  std::string detail = {};
};

class Diagnostics {
 public:
  // Tokens that must be delivered after an error before the next is kept.
  static constexpr int kDistance = 2;

  // Reports error n at the parser's lookahead token. Dropped when fewer than
  // two tokens were delivered since the last report; the distance restarts
  // either way. Evaluation always goes on.
  void Report(int number);
  // Report, then gives the record just stored the detail for its hint.
  void Report(int number, std::string detail);
  // The scanner calls this for every token it delivers.
  void TokenDelivered() {
    ++delivered_;
    if (distance_ < kDistance) ++distance_;  // only "at least 2" matters
  }

  // Run start: empty list, records stored from now on, located at
  // *lookahead, with *before as the token before it.
  void BeginRun(const SourceLocation* lookahead, const Token* before);
  // Run end: nothing is stored any more (the distance is kept).
  void EndRun();

  const std::vector<ErrorRecord>& records() const { return records_; }
  // The parser keeps this up to date as it enters and leaves brackets.
  CallSite& site() { return site_; }
  int distance() const { return distance_; }

  // Tokens delivered and errors reported (stored or dropped) since the
  // diagnostics were made: a compiled script notes them as it is read.
  uint64_t delivered() const { return delivered_; }
  uint64_t reports() const { return reports_; }
  // For a compiled script's run, which reads no tokens: a library call's
  // errors are located where the parser stood when it read the call, with
  // the distance the tokens since the last report give.
  void Locate(const SourceLocation* lookahead, const Token* before, const CallSite& site,
              int distance) {
    lookahead_ = lookahead;
    before_ = before;
    site_ = site;
    distance_ = distance;
  }

 private:
  std::vector<ErrorRecord> records_;
  const SourceLocation* lookahead_ = nullptr;
  const Token* before_ = nullptr;
  CallSite site_;
  bool storing_ = false;
  int distance_ = kDistance;  // kept from run to run
  uint64_t delivered_ = 0;
  uint64_t reports_ = 0;
};

// The message of error n as written in results and listings (Windows-1252).
std::string MessageText(int number);
// MessageText, then " (E%d)".
void WriteMessage(TextSink& out, int number);

}  // namespace orbelin
