// orbelin-window as a program, on the offscreen platform: one start per
// user, the home folder, and how the system's end request is handled.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "child_process.h"
#include "test_files.h"
#include "window/definition_file.h"

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::ChildProcess;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WaitFor;
using testing::WriteBytes;

const std::string kProgram = ORBELIN_BINARY_DIR "/orbelin-window";

class WindowProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(tmp / "run");
    chmod((tmp / "run").c_str(), 0700);
  }

  std::unique_ptr<ChildProcess> Start(std::vector<std::string> args = {}) {
    args.insert(args.begin(), kProgram);
    return std::make_unique<ChildProcess>(args, env,
                                          testing::ChildOptions{"/dev/null", tmp / "stderr"});
  }

  // The sockets of the starts that claimed their place (one per home
  // folder and display), which have blocked the end signals by then.
  int Sockets() {
    int count = 0;
    for (const auto& e : std::filesystem::directory_iterator(tmp / "run")) {
      const std::string name = e.path().filename().string();
      if (name.starts_with("OrbelinClass-") && !name.ends_with(".lock")) ++count;
    }
    return count;
  }
  bool Claimed(int starts = 1) {
    return WaitFor([&] { return Sockets() == starts; });
  }
  void RemoveSockets() {
    for (const auto& e : std::filesystem::directory_iterator(tmp / "run")) {
      if (!e.path().filename().string().ends_with(".lock")) std::filesystem::remove(e.path());
    }
  }

  TempFolder tmp;
  std::map<std::string, std::string> env{
      {"QT_QPA_PLATFORM", "offscreen"},
      {"XDG_RUNTIME_DIR", tmp / "run"},
      {"HOME", tmp / "user"},
      {"ORBELIN_HOME", ""},
      {"XDG_DATA_HOME", ""},
      {"DISPLAY", ""},
      {"LSAN_OPTIONS", testing::ChildLeakOptions()},
  };
};

TEST_F(WindowProgramTest, FirstStartMakesHomeAndSecondStartEnds) {
  auto first = Start();
  ASSERT_TRUE(Claimed());
  const std::string home = tmp / "user/.local/share/orbelin";
  // Every example script of the source tree is copied (the folder is there
  // before the copies are).
  for (const auto& e : std::filesystem::directory_iterator(ORBELIN_SOURCE_DIR "/examples")) {
    if (e.path().extension() != ".inp") continue;
    const std::string copy = home + "/" + e.path().filename().string();
    EXPECT_TRUE(WaitFor([&] { return ReadBytes(copy) == ReadBytes(e.path()); })) << e.path();
  }

  // The same home folder goes to the first window; another one is a
  // window of its own.
  auto second = Start({"--home", home});
  EXPECT_EQ(second->Wait(), 0);
  EXPECT_TRUE(first->Running());
  auto elsewhere = Start({"--home", tmp / "elsewhere"});
  ASSERT_TRUE(Claimed(2));
  EXPECT_TRUE(WaitFor([&] { return std::filesystem::is_directory(tmp / "elsewhere"); }));
  elsewhere->Signal(SIGTERM);
  EXPECT_EQ(elsewhere->Wait(), 0);

  first->Signal(SIGTERM);
  EXPECT_EQ(first->Wait(), 0);
  EXPECT_EQ(ReadBytes(home + "/Orbelin.def"), "\n\0"s);
}

// An unchanged script is not written again (Done leaves it alone too).
TEST_F(WindowProgramTest, EndSignalWritesDefinitionAndLeavesAnUnchangedScript) {
  const std::string home = tmp / "home";
  std::filesystem::create_directories(home);
  const std::string script = home + "/walk.inp";
  WriteBytes(script, "VAR A;\nWRITE A;");  // Done would save it with CR LF and a NUL
  WriteDefinition(home + "/", script);

  for (int signal_number : {SIGTERM, SIGHUP, SIGINT}) {
    struct stat before;
    ASSERT_EQ(stat((home + "/Orbelin.def").c_str(), &before), 0);
    RemoveSockets();
    auto window = Start({"--home", home});
    ASSERT_TRUE(Claimed());
    window->Signal(signal_number);
    EXPECT_EQ(window->Wait(), 0) << signal_number;
    struct stat after;
    ASSERT_EQ(stat((home + "/Orbelin.def").c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "the definition was not written again";
    EXPECT_EQ(ReadDefinition(home + "/"), script);
    EXPECT_EQ(ReadBytes(script), "VAR A;\nWRITE A;");
  }
}

// Started from a desktop's menu, nobody reads standard error: the reason
// stands in a message box until the user (here the end request) closes it.
TEST_F(WindowProgramTest, UnusableHomeFolderIsShownAndEndsWithError) {
  WriteBytes(tmp / "file", "x");
  auto window = Start({"--home", tmp / "file"});
  const std::string said = "orbelin-window: Orbelin cannot use the home folder " + tmp / "file/" +
                           ": Not a directory.\nGive another with --home DIR or $ORBELIN_HOME.\n";
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "stderr").find(said) != std::string::npos; }))
      << ReadBytes(tmp / "stderr");
  EXPECT_FALSE(window->Wait(std::chrono::milliseconds(300))) << "ended without showing it";
  window->Signal(SIGTERM);
  EXPECT_EQ(window->Wait(), 1);
}

// A script named on the command line opens in the window (the desktop's
// file manager starts it so).
TEST_F(WindowProgramTest, FileOnTheCommandLineOpens) {
  const std::string home = tmp / "home";
  std::filesystem::create_directories(home);
  WriteBytes(tmp / "a.inp", "WRITE 1;");
  auto window = Start({"--home", home, tmp / "a.inp"});
  ASSERT_TRUE(Claimed());
  window->Signal(SIGTERM);
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadDefinition(home + "/"), tmp / "a.inp");
}

}  // namespace
}  // namespace orbelin
