#include "interp/listing.h"

#include <cstring>
#include <string>

#include "base/source_text.h"
#include "base/text_sink.h"

namespace orbelin {

namespace {

// One source line from pos up to its line feed, carriage returns dropped and
// each tab widened to the next column the scanner counts (a tab standing at
// output column k takes 9 - k % 8 blanks). Returns false for the last line
// when it has no line feed; *pos moves past the line feed. Lines without tab
// or carriage return are handed out as they stand, without a copy.
bool ReadListingLine(std::string_view source, size_t* pos, std::string* buffer,
                     std::string_view* line) {
  const size_t start = *pos;
  size_t end = source.find('\n', start);
  const bool complete = end != std::string_view::npos;
  if (!complete) end = source.size();
  *pos = complete ? end + 1 : end;
  std::string_view raw = source.substr(start, end - start);
  // The usual line has no tab and at most the carriage return of a CR LF.
  std::string_view body = raw;
  if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
  if (std::memchr(body.data(), '\t', body.size()) == nullptr &&
      std::memchr(body.data(), '\r', body.size()) == nullptr) {
    *line = body;
    return complete;
  }
  buffer->clear();
  for (char c : raw) {
    if (c == '\r') continue;
    if (c == '\t') {
      const int k = static_cast<int>(buffer->size()) + 1;  // the tab's column
      buffer->append(static_cast<size_t>(ColumnAfterTab(k) - k), ' ');
    } else {
      buffer->push_back(c);
    }
  }
  *line = *buffer;
  return complete;
}

// "%5d  " without the cost of a format call per line.
void WriteLineNumber(StringSink& out, int n) {
  if (n < 0 || n > 99999) {
    out.Printf("%5d  ", n);
    return;
  }
  char text[7] = {' ', ' ', ' ', ' ', ' ', ' ', ' '};
  int i = 4;
  do {
    text[i--] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n > 0);
  out.Write(std::string_view(text, sizeof text));
}

void WriteCaretLine(TextSink& out, const ErrorRecord& r) {
  out.Write("*****");
  if (r.column > 0) out.Write(std::string(static_cast<size_t>(r.column), ' '));
  out.Write(" ^ ");
  WriteMessage(out, r.number);
  out.Write("\n");
}

}  // namespace

void WriteListing(StringSink& out, std::string_view source,
                  const std::vector<ErrorRecord>& records) {
  source = CutAtNul(source);  // as the scanner reads it

  out.Write("Listing:\n\n");
  size_t next = 0;  // first record not yet written
  int carets = 0;
  int line_number = 0;
  size_t pos = 0;
  std::string buffer;
  std::string_view line;
  while (ReadListingLine(source, &pos, &buffer, &line)) {
    ++line_number;
    WriteLineNumber(out, line_number);
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

void WriteErrorLines(TextSink& out, const std::vector<ErrorRecord>& records) {
  for (const ErrorRecord& r : records) {
    out.Printf("Line %d, Col %d: ", r.line, r.column);
    WriteMessage(out, r.number);
    out.Write("\n");
  }
}

}  // namespace orbelin
