// The window's interpreter: one Session for the life of the window.
#pragma once

#include "interp/session.h"
#include "shell/script_runner.h"

namespace orbelin {

class SessionRunner : public ScriptRunner {
 public:
  void RunScript(const std::string& script_path, RunHost& host) override {
    // The window saves its scripts as Windows-1252.
    session_.RunScript(script_path, host, SourceEncoding::kCp1252);
  }
  HandOffPoint hand_off_point() const override { return session_.hand_off_point(); }

 private:
  Session session_;
};

}  // namespace orbelin
