// The checked examples of the handbook, found by their markers.
//
//   <!-- example -->                 a script block (```orbelin) and then its
//                                    output block (```text), run in a session
//                                    of their own;
//   <!-- example: continues -->      the same, run in the session of the
//                                    example before it in the file, so
//                                    variables, keys and machines carry over;
//   <!-- example: not checked -->    the same shape, shown but not run (text
//                                    after "not checked" says why);
//   <!-- example-file: PATH -->      an output block: what the bundled script
//                                    PATH (from the top of the repository)
//                                    writes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "markdown.h"

namespace handbook {

struct Example {
  int marker_line = 0;
  bool checked = true;
  bool continues = false;   // runs in the session of the previous example
  std::string script;       // the script text, empty for a bundled file
  std::string script_path;  // bundled file, relative to the repository
  int output_line = 0;      // line of the output block's opening fence
  std::string output;
};

// The examples of one file in their order. A marker not followed by the
// blocks it needs is an error (false, with the line in *error).
bool FindExamples(const std::vector<Block>& blocks, std::vector<Example>* examples,
                  std::string* error);

// True when a comment block is one of the markers above.
bool IsExampleMarker(std::string_view comment);

}  // namespace handbook
