// Feeds arbitrary bytes to one session as several Calcs, so that the state
// kept between runs (error distance, variables, MARGIN, cipher keys, the
// Enigma machine) meets hostile input too. Every run makes its results and
// its listing, and its diagnostics as the front ends show them: hints,
// carets and the terminal's report. No input may crash, hang or read out of
// bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frontend/calc.h"
#include "frontend/diagnostic.h"
#include "frontend/script_bytes.h"
#include "interp/session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses how many runs the rest is cut into.
  const size_t runs = 1 + data[0] % 3;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  orbelin::Session session;
  const size_t piece = rest.size() / runs + 1;
  for (size_t i = 0; i < runs; ++i) {
    const size_t start = std::min(rest.size(), i * piece);
    const orbelin::CalcView view =
        orbelin::CalcSource(session, std::string(rest.substr(start, piece)));
    view.ShownText();
    view.Diagnostics(orbelin::BoxTextFromFile(view.source));
    orbelin::ReportText("fuzz.inp", view.source, view.explanations(), true);
  }
  return 0;
}
