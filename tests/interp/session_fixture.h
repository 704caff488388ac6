// Runs script text in a session and reads the results back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "interp/session.h"

namespace orbelin {

class SessionTest : public ::testing::Test {
 protected:
  // The results of one run, error lines included.
  std::string Run(const std::string& source) {
    last_ = session_->Run(source);
    errors_ = static_cast<int>(last_.errors.size());
    return last_.results;
  }

  // The value of a name declared by the last run.
  double Value(const std::string& name) {
    int v = session_->variables().Find(name);
    EXPECT_GT(v, 0) << name;
    return v > 0 ? session_->variables().Get(v) : 0.0;
  }

  // "number@line:column" of every diagnostic of the last run.
  std::vector<std::string> Errors() {
    std::vector<std::string> out;
    for (const ErrorRecord& r : last_.errors) {
      out.push_back(std::to_string(r.number) + "@" + std::to_string(r.line) + ":" +
                    std::to_string(r.column));
    }
    return out;
  }

  // Starts over with a new session, as a new start of the program would.
  void Fresh() { session_ = std::make_unique<Session>(); }

  std::unique_ptr<Session> session_ = std::make_unique<Session>();
  RunResult last_;
  int errors_ = 0;
};

}  // namespace orbelin
