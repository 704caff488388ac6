#include "interp/listing.h"

#include <cstring>
#include <string>

#include "interp/result_stream.h"

namespace orbelin {

namespace {

// One source line from pos up to its line feed, carriage returns dropped and
// each tab widened to the next column the scanner counts (a tab standing at
// output column k takes 9 - k % 8 blanks). Returns false for the last line
// when it has no line feed; *pos moves past the line feed.
bool ReadListingLine(std::string_view source, size_t* pos, std::string* line) {
  line->clear();
  size_t p = *pos;
  while (p < source.size() && source[p] != '\n') {
    char c = source[p++];
    if (c == '\r') continue;
    if (c == '\t') {
      size_t k = line->size() + 1;
      line->append(9 - k % 8, ' ');
    } else {
      line->push_back(c);
    }
  }
  if (p >= source.size()) {
    *pos = p;
    return false;
  }
  *pos = p + 1;
  return true;
}

void WriteCaretLine(ResultStream& out, const ErrorRecord& r) {
  out.Write("*****");
  if (r.column > 0) out.Write(std::string(static_cast<size_t>(r.column), ' '));
  out.Write(" ^ ");
  WriteMessage(out, r.number);
  out.Write("\n");
}

}  // namespace

void WriteListing(ResultStream& out, std::string_view source,
                  const std::vector<ErrorRecord>& records) {
  // The text ends at its first NUL, as the scanner reads it.
  const void* nul = std::memchr(source.data(), 0, source.size());
  if (nul != nullptr) source = source.substr(0, static_cast<const char*>(nul) - source.data());

  out.Write("Listing:\n\n");
  size_t next = 0;  // first record not yet written
  int carets = 0;
  int line_number = 0;
  size_t pos = 0;
  std::string line;
  while (ReadListingLine(source, &pos, &line)) {
    ++line_number;
    out.Printf("%5d  ", line_number);
    out.Write(line);
    out.Write("\n");
    while (next < records.size() && records[next].line == line_number) {
      WriteCaretLine(out, records[next++]);
      ++carets;
    }
  }
  if (next < records.size()) {
    out.Printf("%5d\n", line_number + 1);
    while (next < records.size()) {
      WriteCaretLine(out, records[next++]);
      ++carets;
    }
  }
  out.Printf("\n\n%5d syntax errors\n", carets);
}

void WriteErrorLines(ResultStream& out, const std::vector<ErrorRecord>& records) {
  for (const ErrorRecord& r : records) {
    out.Printf("Line %d, Col %d: ", r.line, r.column);
    WriteMessage(out, r.number);
    out.Write("\n");
  }
}

}  // namespace orbelin
