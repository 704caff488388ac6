#include "shell/window_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fake_platform.h"
#include "shell/definition_file.h"
#include "test_files.h"

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;
using testing::ReadBytes;
using testing::RunUnprivileged;
using testing::TempFolder;
using testing::WriteBytes;

class WindowControllerTest : public ::testing::Test {
 protected:
  TempFolder home;
  FakePlatform platform;
  Session session;
  WindowController controller{platform, session, home.folder()};

  // A home folder whose definition names walk.inp, with its results.
  std::string PrepareWalk() {
    const std::string script = home / "walk.inp";
    WriteBytes(script, "VAR A;\r\nA = 2;\0"s);
    WriteBytes(home / "walk.res", "2\n");
    WriteDefinition(home.folder(), script);
    return script;
  }
};

TEST_F(WindowControllerTest, StartWithoutDefinitionLeavesEverythingEmpty) {
  controller.Start();
  EXPECT_EQ(controller.script_path(), "");
  EXPECT_EQ(platform.label, "");
  EXPECT_EQ(platform.script_box, "");
  EXPECT_EQ(platform.results_box, "");
  EXPECT_EQ(controller.hand_off_folder(), "");
}

TEST_F(WindowControllerTest, StartLoadsTheScriptTheDefinitionNames) {
  const std::string script = PrepareWalk();
  WriteBytes(home / "Orbelin.ini", "/home/u/Maps\r\n");
  controller.Start();
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(platform.script_box, "VAR A;\nA = 2;");
  EXPECT_EQ(platform.results_box, "2\n");
  EXPECT_EQ(controller.hand_off_folder(), "/home/u/Maps");
}

TEST_F(WindowControllerTest, StartWithMissingScriptForgetsItsPath) {
  WriteDefinition(home.folder(), home / "gone.inp");
  controller.Start();
  EXPECT_EQ(controller.script_path(), "");
  EXPECT_EQ(platform.script_box, "");
  controller.Calc();
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Erst speichern"});
}

TEST_F(WindowControllerTest, StartReadsReadOnlyFiles) {
  PrepareWalk();
  WriteBytes(home / "Orbelin.ini", "/maps\n");
  for (const char* name : {"walk.inp", "walk.res", "Orbelin.ini", "Orbelin.def"}) {
    chmod((home / name).c_str(), 0444);
  }
  EXPECT_TRUE(RunUnprivileged([&] {
    controller.Start();
    return platform.script_box == "VAR A;\nA = 2;" && platform.results_box == "2\n" &&
           controller.hand_off_folder() == "/maps" && controller.script_path() == home / "walk.inp";
  }));
}

TEST_F(WindowControllerTest, CalcWithoutScriptFileRefusesAndRunsNothing) {
  controller.Start();
  platform.script_box = "VAR A;";
  controller.HandleCommand(WindowController::kCalcButton);
  controller.HandleCommand(WindowController::kCalcMenu);
  EXPECT_EQ(platform.errors, (std::vector<std::string>{"Erst speichern", "Erst speichern"}));
  EXPECT_EQ(testing::FileCount(home.folder()), 0);
}

TEST_F(WindowControllerTest, CalcSavesTheBoxThenShowsResults) {
  const std::string script = PrepareWalk();
  controller.Start();
  platform.script_box = "VAR A;\nA = 3;\nWRITE A, ' \xC3\xA4';";
  controller.HandleCommand(WindowController::kCalcButton);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 3;\r\nWRITE A, ' \xE4';\0"s);
  EXPECT_EQ(ReadBytes(home / "walk.res"), "3 \xE4\n");
  EXPECT_EQ(platform.results_box, "3 \xC3\xA4\n");
  EXPECT_TRUE(platform.errors.empty());
}

TEST_F(WindowControllerTest, CalcWithErrorsShowsListingAndPlacesCaret) {
  PrepareWalk();
  controller.Start();
  platform.script_box = "VAR A;\nA = 2\nWRITE A;";
  controller.Calc();
  EXPECT_EQ(platform.results_box,
            "Listing:\n\n    1  VAR A;\n    2  A = 2\n    3\n*****  ^ \";\" expected (E6)\n\n\n"
            "    1 syntax errors\n");
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"error Compilation errors\n", "caret script 2 0"}));

  // Columns behind a tab are the interpreter's, not the box's: the ";" after
  // "{<tab>}A = 2 +" stands at column 17, the box's character 10.
  platform.log.clear();
  platform.script_box = "VAR A;\n{\t}A = 2 +;";
  controller.Calc();
  EXPECT_EQ(platform.log.back(), "caret script 1 10");
}

TEST_F(WindowControllerTest, SaveChoosesFileAddsExtensionAndClearsResults) {
  controller.Start();
  platform.script_box = "VAR A;\nA = 1;";
  platform.results_box = "old results";
  platform.dialog_answers.push_back(home / "walk");
  controller.HandleCommand(WindowController::kSaveButton);

  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_FALSE(platform.dialogs[0].open);
  EXPECT_EQ(platform.dialogs[0].title, "Save File");
  EXPECT_EQ(platform.dialogs[0].filter, "All (*.INP)");
  EXPECT_EQ(platform.dialogs[0].start_folder, home.folder());
  EXPECT_EQ(controller.script_path(), home / "walk.inp");
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "VAR A;\r\nA = 1;\0"s);
  EXPECT_EQ(platform.results_box, "");
}

TEST_F(WindowControllerTest, CancelledDialogChangesNothing) {
  const std::string script = PrepareWalk();
  controller.Start();
  platform.script_box = "edited";
  controller.HandleCommand(WindowController::kSaveMenu);
  controller.HandleCommand(WindowController::kLoadMenu);
  EXPECT_EQ(platform.dialogs.size(), 2u);
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.script_box, "edited");
  EXPECT_EQ(platform.results_box, "2\n");
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 2;\0"s);
}

TEST_F(WindowControllerTest, LoadShowsScriptAndResultsOrKeepsOldResults) {
  controller.Start();
  WriteBytes(home / "a.inp", "WRITE '\xE4';\0"s);
  WriteBytes(home / "a.res", "\xE4\n");
  WriteBytes(home / "b.INP", "VAR B;");
  platform.dialog_answers = {home / "a.inp", home / "b.INP"};

  controller.HandleCommand(WindowController::kLoadButton);
  EXPECT_TRUE(platform.dialogs[0].open);
  EXPECT_EQ(platform.dialogs[0].title, "Open File");
  EXPECT_EQ(platform.label, "a.inp");
  EXPECT_EQ(platform.script_box, "WRITE 'ä';");
  EXPECT_EQ(platform.results_box, "ä\n");

  controller.HandleCommand(WindowController::kLoadMenu);  // b has no results file
  EXPECT_EQ(controller.script_path(), home / "b.INP");
  EXPECT_EQ(platform.script_box, "VAR B;");
  EXPECT_EQ(platform.results_box, "ä\n");
}

TEST_F(WindowControllerTest, DoneSavesDefinitionAndScriptThenEnds) {
  const std::string script = PrepareWalk();
  controller.Start();
  platform.script_box = "VAR A;\nA = 5;";
  std::remove((home / "Orbelin.def").c_str());
  controller.HandleCommand(WindowController::kDone);
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 5;\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), script);
}

TEST_F(WindowControllerTest, CloseRequestSavesDefinitionButNotScript) {
  const std::string script = PrepareWalk();
  controller.Start();
  platform.script_box = "typed but never saved";
  std::remove((home / "Orbelin.def").c_str());
  controller.CloseRequest();
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 2;\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), script);
}

TEST_F(WindowControllerTest, DoneWithoutScriptFileWritesOnlyEmptyDefinition) {
  controller.Start();
  platform.script_box = "VAR A;";
  controller.Done();
  EXPECT_EQ(ReadBytes(home / "Orbelin.def"), "\n\0"s);
  EXPECT_EQ(testing::FileCount(home.folder()), 1);
}

TEST_F(WindowControllerTest, HandOffMessages) {
  TempFolder maps;
  WriteBytes(home / "Orbelin.ini", maps / "");
  controller.Start();

  controller.HandleCommand(WindowController::kHandOffButton);
  PrepareWalk();
  controller.Start();
  platform.script_box = "OLAT = 52.5; OLON = 0 - 13.25;";
  controller.Calc();
  controller.HandOff();  // no map window
  platform.map_window = 9;
  controller.HandOff();
  EXPECT_EQ(platform.errors,
            (std::vector<std::string>{"Kein Punkt gesetzt", "OziExplore not running"}));
  EXPECT_EQ(ReadBytes(maps / "apidata1.$$$"), "52.500000\n-13.250000\n");

  WriteBytes(home / "Orbelin.ini", "/no/such/folder");
  controller.Start();
  controller.HandOff();
  EXPECT_EQ(platform.errors.back(), "Can not write file!");
}

TEST_F(WindowControllerTest, InputPanelFollowsFocus) {
  controller.FocusChanged(Box::kScript, true);
  controller.FocusChanged(Box::kScript, false);
  controller.FocusChanged(Box::kResults, true);
  controller.FocusChanged(Box::kResults, false);
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"panel up", "panel down", "panel down", "panel down"}));
}

}  // namespace
}  // namespace orbelin
