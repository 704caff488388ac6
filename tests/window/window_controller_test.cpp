#include "window/window_controller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include "fake_platform.h"
#include "frontend/point.h"
#include "test_files.h"
#include "window/definition_file.h"
#include "window/open_in_map.h"

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;
using testing::FileCount;
using testing::ReadBytes;
using testing::RunInChild;
using testing::RunUnprivileged;
using testing::TempFolder;
using testing::WriteBytes;

// The scripts, results and listings in a folder.
std::vector<std::string> ScriptsIn(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".inp" || ext == ".res" || ext == ".lst") found.push_back(entry.path().string());
  }
  return found;
}

class WindowControllerTest : public ::testing::Test {
 protected:
  TempFolder home;
  FakePlatform platform;
  Session session;
  WindowController controller{platform, session, home.folder()};

  // A home folder whose definition names walk.inp (in `folder`, a folder of
  // the home folder, when given), with its results.
  std::string PrepareWalk(const std::string& folder = "") {
    std::string dir = home.folder();
    if (!folder.empty()) {
      dir += folder + "/";
      std::filesystem::create_directories(dir);
    }
    WriteBytes(dir + "walk.inp", "VAR A;\r\nA = 2;\0"s);
    WriteBytes(dir + "walk.res", "2\n");
    WriteDefinition(home.folder(), dir + "walk.inp");
    return dir + "walk.inp";
  }

  // The user types: the box's text changes and the window says so.
  void Edit(const std::string& text) {
    platform.script_box = text;
    controller.ScriptEdited(text);
  }
};

TEST_F(WindowControllerTest, StartWithoutDefinitionLeavesEverythingEmpty) {
  controller.Start();
  EXPECT_EQ(controller.script_path(), "");
  EXPECT_EQ(platform.label, "");
  EXPECT_EQ(platform.Title(), "Orbelin");
  EXPECT_EQ(platform.script_box, "");
  EXPECT_EQ(platform.results_box, "");
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(WindowControllerTest, StartLoadsTheScriptTheDefinitionNames) {
  const std::string script = PrepareWalk();
  WriteBytes(home / "Orbelin.ini", "/home/u/Maps\r\n");
  controller.Start();
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(platform.Title(), "walk.inp - Orbelin");
  EXPECT_EQ(platform.script_box, "VAR A;\nA = 2;");
  EXPECT_EQ(platform.results_box, "2\n");
  EXPECT_EQ(controller.hand_off_folder(), "/home/u/Maps");
  EXPECT_EQ(platform.hand_off_note, "Hand-off file: /home/u/Maps/apidata1.$$$");
}

TEST_F(WindowControllerTest, StartOpensAFileNamedOnTheCommandLine) {
  PrepareWalk();
  WriteBytes(home / "a.inp", "WRITE 1;");
  controller.Start(home / "a.inp");
  EXPECT_EQ(controller.script_path(), home / "a.inp");
  EXPECT_EQ(platform.script_box, "WRITE 1;");
  EXPECT_EQ(platform.Title(), "a.inp - Orbelin");

  // One that cannot be read says so; the definition's script opens.
  controller.Start(home / "gone.inp");
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Could not open " + home / "gone.inp" +
                                                      ": No such file or directory."});
  EXPECT_EQ(controller.script_path(), home / "walk.inp");
}

TEST_F(WindowControllerTest, StartWithMissingScriptForgetsItsPathAndClearsLabel) {
  WriteDefinition(home.folder(), home / "gone.inp");
  controller.Start();
  EXPECT_EQ(controller.script_path(), "");
  EXPECT_EQ(platform.label, "");
  EXPECT_EQ(platform.Title(), "Orbelin");
  EXPECT_EQ(platform.script_box, "");
  controller.Calc();
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text.rfind("Erst speichern", 0), 0u);
}

// A pipe or a device named as the script (or as its results) must neither
// hold the start up nor be taken for a script.
TEST_F(WindowControllerTest, PipeNamedInDefinitionIsNoScript) {
  ASSERT_EQ(mkfifo((home / "pipe.inp").c_str(), 0644), 0);
  WriteDefinition(home.folder(), home / "pipe.inp");
  EXPECT_TRUE(RunInChild(
      [&] {
        controller.Start();
        return controller.script_path().empty() && platform.label.empty();
      },
      false, 5));

  PrepareWalk();
  std::filesystem::remove(home / "walk.res");
  ASSERT_EQ(mkfifo((home / "walk.res").c_str(), 0644), 0);
  platform.results_box = "before";
  EXPECT_TRUE(RunInChild(
      [&] {
        controller.Start();
        return controller.script_path() == home / "walk.inp" && platform.results_box.empty();
      },
      false, 5));
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

// Calc without a file says "Erst speichern" and offers Save As: cancelled,
// nothing is saved or run; given a name, the script is saved and runs.
TEST_F(WindowControllerTest, CalcWithoutScriptFileOffersSaveAs) {
  controller.Start();
  Edit("WRITE 6 * 7;");
  controller.HandleCommand(WindowController::kCalcButton);
  platform.answers = {Answer::kYes};  // Save As…, but the dialog is cancelled
  controller.HandleCommand(WindowController::kCalcMenu);
  ASSERT_EQ(platform.questions.size(), 2u);
  EXPECT_EQ(platform.questions[0].text,
            "Erst speichern: a script runs from its file, so it must be saved first.");
  EXPECT_EQ(platform.questions[0].yes, "Save As…");
  EXPECT_EQ(platform.dialogs.size(), 1u);
  EXPECT_TRUE(ScriptsIn(home.folder()).empty());

  platform.answers = {Answer::kYes};
  platform.dialog_answers = {home / "six"};
  controller.Calc();
  EXPECT_EQ(ReadBytes(home / "six.inp"), "WRITE 6 * 7;\0"s);
  EXPECT_EQ(ReadBytes(home / "six.res"), "42\n");
  EXPECT_EQ(platform.results_box, "42\n");
  EXPECT_EQ(platform.Title(), "six.inp - Orbelin");
}

TEST_F(WindowControllerTest, CalcSavesTheBoxThenShowsResults) {
  const std::string script = PrepareWalk();
  controller.Start();
  Edit("VAR A;\nA = 3;\nWRITE A, ' \xC3\xA4';");
  EXPECT_EQ(platform.Title(), "*walk.inp - Orbelin");
  controller.HandleCommand(WindowController::kCalcButton);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 3;\r\nWRITE A, ' \xE4';\0"s);
  EXPECT_EQ(ReadBytes(home / "walk.res"), "3 \xE4\n");
  EXPECT_EQ(platform.results_box, "3 \xC3\xA4\n");
  EXPECT_EQ(platform.Title(), "walk.inp - Orbelin");
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(WindowControllerTest, CalcWithErrorsShowsListingAndPlacesCaret) {
  PrepareWalk();
  controller.Start();
  Edit("VAR A;\nA = 2\nWRITE A;");
  controller.Calc();
  // Under the listing, as in no file, what the terminal would say.
  EXPECT_EQ(platform.results_box,
            "Listing:\n\n    1  VAR A;\n    2  A = 2\n    3\n*****  ^ \";\" expected (E6)\n\n\n"
            "    1 syntax errors\n\n"
            "3:1: error: \";\" expected (E6)\n"
            "  hint: every statement ends with ';': one is missing at the end of line 2\n");
  EXPECT_EQ(ReadBytes(home / "walk.res"), "2\nLine 3, Col 1: \";\" expected (E6)\n");
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"error Compilation errors\n", "caret script 2 0"}));

  // Columns behind a tab are the interpreter's, not the box's: the ";" after
  // "{<tab>}A = 2 +" stands at column 17, the box's character 10.
  platform.log.clear();
  Edit("VAR A;\n{\t}A = 2 +;");
  controller.Calc();
  EXPECT_EQ(platform.log.back(), "caret script 1 10");
}

// The window says what the terminal and the page say, and each line of it
// takes the caret to its place: a pasted tab, a unary minus and an unknown
// name.
TEST_F(WindowControllerTest, CalcListsEachDiagnosticWithItsHint) {
  PrepareWalk();
  controller.Start();
  Edit("VAR A;\nA = 0 - 1;\nA = -2;\nWRITE B;\nWRITE 1;\n\tWRITE A;");
  controller.Calc();
  const std::string& box = platform.results_box;
  const size_t list = box.find("\n\n3:5:");
  ASSERT_NE(list, std::string::npos) << box;
  EXPECT_EQ(box.substr(list + 2),
            "3:5: error: unexpected symbol in Fact (E105)\n"
            "  hint: there is no minus sign before a number: write 0 - 5, or °S and °W for "
            "southern and western coordinates\n"
            "4:8: error: indent name unknown (E111)\n"
            "  hint: B is not declared: names are declared in the one VAR line at the top, as in "
            "VAR B;\n"
            "6:8: error: EOF expected (E0)\n"
            "  hint: a tab is not allowed outside a text in quotes: indent with blanks; the rest "
            "of the script was not run\n")
      << box;
  const int first = static_cast<int>(std::count(box.begin(), box.begin() + list + 2, '\n'));
  platform.log.clear();
  controller.ResultsLineActivated(first);      // the unary minus
  controller.ResultsLineActivated(first + 3);  // the unknown name's hint
  controller.ResultsLineActivated(first + 4);  // the tab
  controller.ResultsLineActivated(0);          // the listing: nothing
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"caret script 2 4", "caret script 3 7", "caret script 5 0"}));
}

// A save that fails says which file and why, and the old file's text does
// not run in the edit's place.
TEST_F(WindowControllerTest, CalcThatCannotSaveSaysWhyAndRunsNothing) {
  WriteBytes(home / "w.inp", "WRITE 1;\0"s);
  chmod((home / "w.inp").c_str(), 0444);
  chmod(home.folder().c_str(), 0777);  // the results could be written
  WriteDefinition(home.folder(), home / "w.inp");
  EXPECT_TRUE(RunUnprivileged([&] {
    controller.Start();
    Edit("WRITE 2;");
    controller.Calc();
    const std::vector<std::string> expected{"error Could not save " + home / "w.inp" +
                                            ": Permission denied."};
    if (platform.log != expected) {
      for (const std::string& line : platform.log) std::fprintf(stderr, "log: %s\n", line.c_str());
      return false;
    }
    return platform.results_box.empty() && !std::filesystem::exists(home / "w.res") &&
           platform.Title() == "*w.inp - Orbelin";
  }));
  EXPECT_EQ(ReadBytes(home / "w.inp"), "WRITE 1;\0"s);
}

TEST_F(WindowControllerTest, CalcSaysWhichResultsFileItCouldNotWrite) {
  PrepareWalk();
  controller.Start();
  std::filesystem::remove(home / "walk.res");
  std::filesystem::create_directory(home / "walk.res");
  controller.Calc();
  EXPECT_EQ(platform.errors,
            std::vector<std::string>{"Cannot create the results file " + home / "walk.res" +
                                     ": Is a directory. The script was not run."});

  // The listing fails after the run: its results are shown all the same.
  std::filesystem::remove(home / "walk.res");
  std::filesystem::create_directory(home / "walk.lst");
  platform.errors.clear();
  Edit("WRITE 7;");
  controller.Calc();
  EXPECT_EQ(platform.results_box, "7\n");
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Cannot write the listing " +
                                                      home / "walk.lst" + ": Is a directory."});
}

// A script named like its own results would be overwritten by them.
TEST_F(WindowControllerTest, CalcNeverWritesOverTheScriptItself) {
  WriteBytes(home / "x.res", "WRITE 1;\0"s);
  WriteDefinition(home.folder(), home / "x.res");
  controller.Start();
  controller.Calc();
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_TRUE(platform.errors[0].starts_with("The script " + home / "x.res" +
                                             " would be overwritten by its own results"));
  EXPECT_EQ(ReadBytes(home / "x.res"), "WRITE 1;\0"s);
  EXPECT_FALSE(std::filesystem::exists(home / "x.lst"));
}

TEST_F(WindowControllerTest, SaveChoosesFileAddsExtensionAndClearsResults) {
  controller.Start();
  Edit("VAR A;\nA = 1;");
  EXPECT_EQ(platform.Title(), "*Orbelin");
  platform.results_box = "old results";
  platform.dialog_answers.push_back(home / "walk");
  controller.HandleCommand(WindowController::kSaveButton);

  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_FALSE(platform.dialogs[0].open);
  EXPECT_EQ(platform.dialogs[0].title, "Save File");
  EXPECT_EQ(platform.dialogs[0].filter, "All (*.INP);;All files (*)");
  EXPECT_EQ(platform.dialogs[0].start_folder, home.folder());
  EXPECT_EQ(controller.script_path(), home / "walk.inp");
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(platform.Title(), "walk.inp - Orbelin");
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "VAR A;\r\nA = 1;\0"s);
  EXPECT_EQ(platform.results_box, "");
}

TEST_F(WindowControllerTest, SaveThatFailsKeepsTheOldNameAndSaysWhy) {
  const std::string script = PrepareWalk();
  controller.Start();
  Edit("WRITE 5;");
  platform.dialog_answers.push_back(home / "no-such-folder/x");
  controller.HandleCommand(WindowController::kSaveMenu);
  EXPECT_EQ(platform.errors,
            std::vector<std::string>{"Could not save " + home / "no-such-folder/x.inp" +
                                     ": No such file or directory."});
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(platform.results_box, "2\n");
  EXPECT_EQ(platform.Title(), "*walk.inp - Orbelin");
}

TEST_F(WindowControllerTest, SaveOntoAnotherExistingFileAsksFirst) {
  const std::string script = PrepareWalk();
  WriteBytes(home / "other.inp", "kept");
  controller.Start();
  Edit("WRITE 5;");
  platform.dialog_answers = {home / "other", home / "other.inp"};
  controller.Save();
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text, home / "other.inp" + " already exists. Replace it?");
  EXPECT_EQ(platform.questions[0].yes, "Replace");
  EXPECT_TRUE(platform.questions[0].cancel_is_default);
  EXPECT_EQ(ReadBytes(home / "other.inp"), "kept");
  EXPECT_EQ(controller.script_path(), script);

  platform.answers = {Answer::kYes};
  controller.Save();
  EXPECT_EQ(ReadBytes(home / "other.inp"), "WRITE 5;\0"s);
  EXPECT_EQ(controller.script_path(), home / "other.inp");

  // Its own file is no other file.
  platform.dialog_answers = {home / "other.inp"};
  Edit("WRITE 6;");
  controller.Save();
  EXPECT_EQ(platform.questions.size(), 2u);
  EXPECT_EQ(ReadBytes(home / "other.inp"), "WRITE 6;\0"s);
}

TEST_F(WindowControllerTest, SaveCurrentSavesInPlaceOrChoosesAName) {
  controller.Start();
  Edit("WRITE 1;");
  platform.dialog_answers = {home / "new"};
  controller.HandleCommand(WindowController::kSaveCurrent);
  EXPECT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(ReadBytes(home / "new.inp"), "WRITE 1;\0"s);

  Edit("WRITE 2;");
  platform.results_box = "kept";
  controller.HandleCommand(WindowController::kSaveCurrent);
  EXPECT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(ReadBytes(home / "new.inp"), "WRITE 2;\0"s);
  EXPECT_EQ(platform.Title(), "new.inp - Orbelin");
  EXPECT_EQ(platform.results_box, "kept");
}

TEST_F(WindowControllerTest, CancelledDialogChangesNothing) {
  const std::string script = PrepareWalk();
  controller.Start();
  platform.script_box = "edited";
  platform.answers = {Answer::kNo};  // Load: discard the edit
  controller.HandleCommand(WindowController::kSaveMenu);
  controller.HandleCommand(WindowController::kLoadMenu);
  EXPECT_EQ(platform.dialogs.size(), 2u);
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.script_box, "edited");
  EXPECT_EQ(platform.results_box, "2\n");
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 2;\0"s);
}

TEST_F(WindowControllerTest, LoadShowsScriptAndItsResultsOrNone) {
  controller.Start();
  WriteBytes(home / "a.inp", "WRITE '\xE4';\0"s);
  WriteBytes(home / "a.res", "\xE4\n");
  WriteBytes(home / "b.INP", "VAR B;");
  platform.dialog_answers = {home / "a.inp", home / "b.INP"};

  controller.HandleCommand(WindowController::kLoadButton);
  EXPECT_TRUE(platform.dialogs[0].open);
  EXPECT_EQ(platform.dialogs[0].title, "Open File");
  EXPECT_EQ(platform.label, "a.inp");
  EXPECT_EQ(platform.Title(), "a.inp - Orbelin");
  EXPECT_EQ(platform.script_box, "WRITE 'ä';");
  EXPECT_EQ(platform.results_box, "ä\n");

  // b has no results file: a's are not shown as if they were b's.
  controller.HandleCommand(WindowController::kLoadMenu);
  EXPECT_EQ(controller.script_path(), home / "b.INP");
  EXPECT_EQ(platform.script_box, "VAR B;");
  EXPECT_EQ(platform.results_box, "");
  EXPECT_TRUE(platform.log.size() == 2u && platform.questions.empty());
}

TEST_F(WindowControllerTest, LoadThatCannotReadKeepsTheScriptAndSaysWhy) {
  const std::string script = PrepareWalk();
  controller.Start();
  std::filesystem::create_directory(home / "dir.inp");
  platform.dialog_answers = {home / "dir.inp"};
  controller.Load();
  EXPECT_EQ(platform.errors,
            std::vector<std::string>{"Could not open " + home / "dir.inp" + ": Is a directory."});
  EXPECT_EQ(controller.script_path(), script);
  EXPECT_EQ(platform.label, "walk.inp");
  EXPECT_EQ(platform.script_box, "VAR A;\nA = 2;");
}

TEST_F(WindowControllerTest, LoadOverEditsAsksToSaveDiscardOrCancel) {
  const std::string script = PrepareWalk();
  WriteBytes(home / "a.inp", "WRITE 1;");
  controller.Start();
  Edit("WRITE 'mine';");

  controller.Load();  // Cancel
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text, "Save the changes to walk.inp?");
  EXPECT_EQ(platform.questions[0].yes, "Save");
  EXPECT_EQ(platform.questions[0].no, "Discard");
  EXPECT_FALSE(platform.questions[0].cancel_is_default);
  EXPECT_TRUE(platform.dialogs.empty());
  EXPECT_EQ(platform.script_box, "WRITE 'mine';");

  platform.answers = {Answer::kYes};
  platform.dialog_answers = {home / "a.inp"};
  controller.Load();
  EXPECT_EQ(ReadBytes(script), "WRITE 'mine';\0"s);
  EXPECT_EQ(platform.script_box, "WRITE 1;");

  Edit("WRITE 'thrown away';");
  platform.answers = {Answer::kNo};
  platform.dialog_answers = {script};
  controller.Load();
  EXPECT_EQ(ReadBytes(home / "a.inp"), "WRITE 1;");
  EXPECT_EQ(platform.script_box, "WRITE 'mine';");

  // Typed with no file yet: Save chooses a name.
  TempFolder other;
  WindowController fresh(platform, session, other.folder());
  fresh.Start();
  platform.script_box = "WRITE 3;";
  fresh.ScriptEdited("WRITE 3;");
  platform.answers = {Answer::kYes};
  platform.dialog_answers = {other / "typed", home / "a.inp"};
  fresh.Load();
  EXPECT_EQ(platform.questions.back().text, "Save the script you typed?");
  EXPECT_EQ(platform.questions.back().yes, "Save As…");
  EXPECT_EQ(ReadBytes(other / "typed.inp"), "WRITE 3;\0"s);
  EXPECT_EQ(fresh.script_path(), home / "a.inp");
}

TEST_F(WindowControllerTest, DoneSavesScriptThenDefinitionThenEnds) {
  const std::string script = PrepareWalk();
  controller.Start();
  Edit("VAR A;\nA = 5;");
  std::remove((home / "Orbelin.def").c_str());
  controller.HandleCommand(WindowController::kDone);
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 5;\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), script);
}

// A file the box did not change is left as it is: a read-only example that
// was only looked at, or a UTF-8 file, closes without a word.
TEST_F(WindowControllerTest, DoneLeavesAnUnchangedFileAlone) {
  WriteBytes(home / "utf8.inp", "WRITE '\xCE\xA9';\n");
  WriteDefinition(home.folder(), home / "utf8.inp");
  controller.Start();
  controller.Done();
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(home / "utf8.inp"), "WRITE '\xCE\xA9';\n");
  EXPECT_TRUE(platform.questions.empty());
}

TEST_F(WindowControllerTest, DoneThatCannotSaveOffersSaveAsDiscardOrCancel) {
  const std::string script = PrepareWalk("stick");
  controller.Start();
  Edit("WRITE 'precious';");
  std::filesystem::remove_all(home / "stick");  // the stick was pulled

  controller.Done();  // Cancel
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text, "Could not save " + script +
                                            ": No such file or directory.\n"
                                            "Save the script under another name?");
  EXPECT_EQ(platform.questions[0].yes, "Save As…");
  EXPECT_EQ(platform.questions[0].no, "Discard");
  EXPECT_FALSE(platform.ended);

  // Save As into a folder that is not there either: asked again.
  platform.answers = {Answer::kYes, Answer::kYes};
  platform.dialog_answers = {home / "gone/x", home / "kept"};
  controller.Done();
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Could not save " + home / "gone/x.inp" +
                                                      ": No such file or directory."});
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(home / "kept.inp"), "WRITE 'precious';\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), home / "kept.inp");
}

TEST_F(WindowControllerTest, DoneWithTypedTextAndNoFileAsks) {
  controller.Start();
  controller.Done();  // nothing typed: ends at once
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(ReadBytes(home / "Orbelin.def"), "\n\0"s);

  TempFolder other;
  FakePlatform typed;
  WindowController second(typed, session, other.folder());
  second.Start();
  typed.script_box = "VAR A;";
  second.ScriptEdited("VAR A;");
  second.Done();  // Cancel
  EXPECT_FALSE(typed.ended);
  ASSERT_EQ(typed.questions.size(), 1u);
  EXPECT_EQ(typed.questions[0].text, "Save the script you typed?");

  typed.answers = {Answer::kYes};  // and then the dialog is cancelled
  second.Done();
  EXPECT_FALSE(typed.ended);
  EXPECT_EQ(typed.dialogs.size(), 1u);

  typed.answers = {Answer::kNo};
  second.Done();
  EXPECT_TRUE(typed.ended);
  EXPECT_EQ(FileCount(other.folder()), 1);  // only Orbelin.def
}

// Saving the box over a file with text after a NUL byte would delete that
// text, which the box never showed.
TEST_F(WindowControllerTest, NulInsideScriptWarnsAndAsksBeforeCuttingTheRest) {
  const std::string file = "WRITE 1;\r\n\0WRITE 2;\r\n\0"s;
  WriteBytes(home / "nul.inp", file);
  WriteDefinition(home.folder(), home / "nul.inp");
  controller.Start();
  EXPECT_EQ(platform.script_box, "WRITE 1;\n");
  EXPECT_EQ(platform.warnings,
            std::vector<std::string>{"nul.inp has a NUL byte in line 2: the box shows only the "
                                     "text before it, and only that runs. Saving the box into "
                                     "this file would delete the 11 bytes after the NUL."});

  controller.Calc();  // unchanged: runs what the file holds, asks nothing
  EXPECT_EQ(platform.results_box, "1\n");
  EXPECT_TRUE(platform.questions.empty());
  EXPECT_EQ(ReadBytes(home / "nul.inp"), file);

  Edit("WRITE 3;");
  controller.Calc();  // Cancel
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text,
            "nul.inp has 11 bytes after a NUL byte in line 2, which the box does not show. "
            "Saving deletes them.");
  EXPECT_EQ(platform.questions[0].yes, "Save Anyway");
  EXPECT_TRUE(platform.questions[0].cancel_is_default);
  EXPECT_EQ(ReadBytes(home / "nul.inp"), file);
  EXPECT_EQ(platform.results_box, "1\n");

  platform.answers = {Answer::kYes};
  controller.Calc();
  EXPECT_EQ(ReadBytes(home / "nul.inp"), "WRITE 3;\0"s);
  EXPECT_EQ(platform.results_box, "3\n");

  // A saved script's own NUL at the end is no reason to warn.
  platform.warnings.clear();
  platform.dialog_answers = {home / "nul.inp"};
  controller.Load();
  EXPECT_TRUE(platform.warnings.empty());
}

TEST_F(WindowControllerTest, CharactersWindows1252LacksAreNotedAndAskedAbout) {
  PrepareWalk();
  controller.Start();
  Edit("WRITE '\xCE\xA9");  // Ω
  Edit("WRITE '\xCE\xA9\xCE\xA9 \xC3\xA4';");
  EXPECT_EQ(platform.notes, std::vector<std::string>{"Ω cannot be saved in a script file "
                                                     "(Windows-1252): it becomes '?'."});
  controller.Calc();  // Cancel
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text,
            "Windows-1252, the code of script files, has no Ω: saved, it becomes '?'.");
  EXPECT_EQ(platform.questions[0].yes, "Save Anyway");
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "VAR A;\r\nA = 2;\0"s);
  EXPECT_EQ(platform.results_box, "2\n");

  platform.answers = {Answer::kYes};
  controller.Calc();
  EXPECT_EQ(ReadBytes(home / "walk.inp"), "WRITE '?? \xE4';\0"s);
  EXPECT_EQ(platform.results_box, "?? ä\n");
  // The box shows what was saved and ran, as an edit that an undo takes
  // back; it holds no unsaved change.
  EXPECT_EQ(platform.edits, std::vector<std::string>{"WRITE '?? ä';"});
  EXPECT_EQ(platform.script_box, "WRITE '?? ä';");
  EXPECT_EQ(platform.Title(), "walk.inp - Orbelin");
  controller.Calc();  // agreed once for Ω
  EXPECT_EQ(platform.questions.size(), 2u);

  Edit("WRITE '\xF0\x9F\x98\x80\xE2\x82\xAC\xCE\xA9\xE2\x84\x96';");  // 😀 € Ω №
  EXPECT_EQ(platform.notes.back(),
            "😀 and № cannot be saved in a script file (Windows-1252): they become '?'.");
  controller.Calc();
  EXPECT_EQ(platform.questions.back().text,
            "Windows-1252, the code of script files, has no 😀 or №: saved, they become '?'.");
}

// Saved as '?', a character is still named by the hints of the Calc that
// saved it: the box shows '?', the hint says what it was.
TEST_F(WindowControllerTest, HintsNameWhatWasSavedAsAQuestionMark) {
  PrepareWalk();
  controller.Start();
  Edit("VAR LAT;\nLAT = N 48\xC2\xB0 12\xE2\x80\xB2 20.7\xE2\x80\xB3;");  // prime signs
  platform.answers = {Answer::kYes};
  controller.Calc();
  EXPECT_EQ(platform.script_box, "VAR LAT;\nLAT = N 48\xC2\xB0 12? 20.7?;");
  EXPECT_NE(platform.results_box.find("2:15: error: \";\" expected (E6)\n"
                                      "  hint: minutes are marked with ' and seconds with \" (the "
                                      "keyboard's apostrophe and double quote), not with the prime "
                                      "sign"),
            std::string::npos)
      << platform.results_box;
}

// The system ends the program (log-out, kill): the edit is saved as Done
// saves it, and what cannot go to its file unharmed goes to a new file that
// the next start opens.
TEST_F(WindowControllerTest, EndRequestSavesTheEdit) {
  const std::string script = PrepareWalk();
  controller.Start();
  Edit("WRITE 'typed';");
  std::remove((home / "Orbelin.def").c_str());
  controller.EndRequest();
  EXPECT_TRUE(platform.ended);
  EXPECT_EQ(ReadBytes(script), "WRITE 'typed';\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), script);
  EXPECT_TRUE(platform.log.size() == 1u && platform.reports.empty());
}

TEST_F(WindowControllerTest, EndRequestKeepsWhatCannotBeSavedInANewFile) {
  struct Case {
    std::string file;  // the script file, or "" for none
    std::string typed, recovered_name, recovered;
  } cases[] = {
      {"", "WRITE 1;\nWRITE 2;", "unsaved-recovered.inp", "WRITE 1;\r\nWRITE 2;\0"s},
      {"WRITE 1;\0WRITE 2;\0"s, "WRITE 3;", "walk-recovered.inp", "WRITE 3;\0"s},
      {"WRITE 1;\0"s, "WRITE '\xCE\xA9\xC3\xA4';", "walk-recovered.inp",
       "WRITE '\xCE\xA9\xC3\xA4';\0"s},  // kept in UTF-8
  };
  for (const Case& c : cases) {
    TempFolder folder;
    FakePlatform fake;
    Session fresh;
    WindowController ending(fake, fresh, folder.folder());
    if (!c.file.empty()) {
      WriteBytes(folder / "walk.inp", c.file);
      WriteDefinition(folder.folder(), folder / "walk.inp");
    }
    ending.Start();
    fake.script_box = c.typed;
    ending.ScriptEdited(c.typed);
    ending.EndRequest();
    EXPECT_TRUE(fake.ended);
    if (!c.file.empty()) {
      EXPECT_EQ(ReadBytes(folder / "walk.inp"), c.file);
    }
    EXPECT_EQ(ReadBytes(folder / c.recovered_name), c.recovered) << c.recovered_name;
    EXPECT_EQ(ReadDefinition(folder.folder()), folder / c.recovered_name);
    ASSERT_EQ(fake.reports.size(), 1u);
    EXPECT_NE(fake.reports[0].find(folder / c.recovered_name), std::string::npos)
        << fake.reports[0];

    // The next start opens it with the text as typed, and says why.
    FakePlatform next;
    WindowController again(next, fresh, folder.folder());
    again.Start();
    EXPECT_EQ(next.script_box, c.typed);
    ASSERT_EQ(next.informations.size(), 1u);
    EXPECT_EQ(next.informations[0],
              "Orbelin was last ended by the system (at log-out or shut-down) with unsaved text. " +
                  fake.reports[0] + " That file is open now.");
    FakePlatform third;
    WindowController once_only(third, fresh, folder.folder());
    once_only.Start();
    EXPECT_TRUE(third.informations.empty());
  }
}

// Ended by the system, the text went to a file of its own; the next start
// was given another script to open: the note says where the text is, and
// does not claim it is open.
TEST_F(WindowControllerTest, EndedNoteWhenAnotherFileOpens) {
  controller.Start();
  Edit("WRITE 'kept';");
  controller.EndRequest();
  const std::string kept = home / "unsaved-recovered.inp";
  ASSERT_TRUE(Exists(kept));

  WriteBytes(home / "pt.inp", "WRITE 1;\0"s);
  FakePlatform next;
  Session fresh;
  WindowController again(next, fresh, home.folder());
  again.Start(home / "pt.inp");
  EXPECT_EQ(again.script_path(), home / "pt.inp");
  ASSERT_EQ(next.informations.size(), 1u);
  EXPECT_EQ(next.informations[0],
            "Orbelin was last ended by the system (at log-out or shut-down) with unsaved text. "
            "The script had no file; the text is in " +
                kept + ". It is not open now: File > Recent lists it.");
  EXPECT_EQ(next.recent.front(), kept);
}

// Another program (an editor, a sync tool) wrote the script file after the
// box took it: no save overwrites it without asking, edited or not.
TEST_F(WindowControllerTest, ScriptChangedOnDiskIsNotOverwrittenUnasked) {
  const std::string script = PrepareWalk();
  const std::string theirs = "WRITE 'theirs';\0"s;
  controller.Start();
  WriteBytes(script, theirs);

  // Cancel: nothing written, nothing run.
  controller.HandleCommand(WindowController::kCalcButton);
  ASSERT_EQ(platform.questions.size(), 1u);
  EXPECT_EQ(platform.questions[0].text,
            "walk.inp was changed by another program since it was opened here. Keep the text in "
            "the box and overwrite the file, or load the file's new text?");
  EXPECT_EQ(ReadBytes(script), theirs);
  EXPECT_EQ(platform.results_box, "2\n");

  // Load File: the box takes their text and Calc runs it.
  platform.answers = {Answer::kNo};
  controller.HandleCommand(WindowController::kCalcButton);
  EXPECT_EQ(platform.script_box, "WRITE 'theirs';");
  EXPECT_EQ(ReadBytes(script), theirs);
  EXPECT_EQ(platform.results_box, "theirs\n");

  // Once the box has their text, saving asks no more; a new change asks
  // again, and Overwrite keeps the box's text.
  Edit("WRITE 'mine';");
  controller.HandleCommand(WindowController::kSaveCurrent);
  EXPECT_EQ(platform.questions.size(), 2u);
  WriteBytes(script, theirs);
  Edit("WRITE 'mine again';");
  platform.answers = {Answer::kYes};
  controller.HandleCommand(WindowController::kSaveCurrent);
  EXPECT_EQ(platform.questions.size(), 3u);
  EXPECT_EQ(ReadBytes(script), "WRITE 'mine again';\0"s);

  // Done with nothing typed leaves their file as it is.
  WriteBytes(script, theirs);
  controller.HandleCommand(WindowController::kDone);
  EXPECT_EQ(ReadBytes(script), theirs);
  EXPECT_EQ(platform.questions.size(), 3u);
  EXPECT_TRUE(platform.ended);
}

// Ended by the system, nobody can choose: their file stays, the box's text
// goes to a new file that the next start opens.
TEST_F(WindowControllerTest, EndRequestKeepsBothTextsWhenTheFileChangedOnDisk) {
  const std::string script = PrepareWalk();
  controller.Start();
  Edit("WRITE 'mine';");
  WriteBytes(script, "WRITE 'theirs';\0"s);
  controller.EndRequest();
  EXPECT_EQ(ReadBytes(script), "WRITE 'theirs';\0"s);
  EXPECT_EQ(ReadBytes(home / "walk-recovered.inp"), "WRITE 'mine';\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), home / "walk-recovered.inp");
  ASSERT_EQ(platform.reports.size(), 1u);
  EXPECT_EQ(platform.reports[0], script + " was changed by another program; the text is in " +
                                     (home / "walk-recovered.inp") + ".");
}

// A script whose name takes all 255 bytes is saved like any other, and
// a copy kept for it at the end gets a name that fits.
TEST_F(WindowControllerTest, LongestScriptNameSavesAndRecovers) {
  const std::string stem(251, 'n');
  const std::string script = home / (stem + ".inp");
  WriteBytes(script, "WRITE 1;\0"s);
  controller.Start(script);
  Edit("WRITE 2;");
  controller.HandleCommand(WindowController::kCalcButton);
  EXPECT_EQ(ReadBytes(script), "WRITE 2;\0"s);
  EXPECT_EQ(platform.results_box, "2\n");

  WriteBytes(script, "WRITE 1;\0WRITE 3;"s);  // saving over it would lose text
  Edit("WRITE 4;");
  controller.EndRequest();
  const std::string kept = home / (stem.substr(0, 241) + "-recovered.inp");
  EXPECT_EQ(ReadBytes(kept), "WRITE 4;\0"s);
  EXPECT_EQ(ReadDefinition(home.folder()), kept);
}

// Unsaved text is copied into the home folder every few seconds. A start
// after a crash offers the copy back as unsaved edits of its script; once
// they are saved, the copy is gone.
// The copies of unsaved text in a home folder: each window's own is
// "Orbelin-unsaved-TAG.inp".
std::vector<std::string> CopiesIn(const std::string& folder) {
  std::vector<std::string> copies;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("Orbelin-unsaved") && name.ends_with(".inp")) {
      copies.push_back(entry.path().string());
    }
  }
  return copies;
}

// A window that types `text` into `script` (none: "") and lives until it is
// killed: in a process of its own, which signals `ready` once its copy is
// written.
pid_t WindowThatTypes(const std::string& home, const std::string& script, const std::string& text,
                      int ready) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  auto* platform = new FakePlatform;
  auto* session = new Session;
  auto* window = new WindowController(*platform, *session, home);
  if (!script.empty()) WriteDefinition(home, script);
  window->Start();
  platform->script_box = text;
  window->ScriptEdited(text);
  window->Autosave();
  (void)!write(ready, "r", 1);
  for (;;) pause();
}

void Kill(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Unsaved text is copied into the home folder every few seconds. A start
// after a crash offers the copy back as unsaved edits of its script; once
// they are saved, the copy is gone.
TEST_F(WindowControllerTest, RecoveryCopyOutlivesACrash) {
  const std::string script = PrepareWalk();
  controller.Start();
  controller.Autosave();  // nothing typed, nothing copied
  EXPECT_TRUE(CopiesIn(home.folder()).empty());
  Edit("WRITE 'typed \xC3\xA4';");
  controller.Autosave();
  ASSERT_EQ(CopiesIn(home.folder()).size(), 1u);
  const std::string copy = CopiesIn(home.folder())[0];
  EXPECT_EQ(ReadBytes(copy), "WRITE 'typed \xE4';\0"s);
  EXPECT_EQ(ReadBytes(script), "VAR A;\r\nA = 2;\0"s);

  // While its window lives, no other start offers it.
  {
    FakePlatform other;
    Session fresh;
    WindowController beside(other, fresh, home.folder());
    beside.Start();
    EXPECT_TRUE(other.questions.empty());
  }

  // Killed: the next start offers it.
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  const pid_t crashed = WindowThatTypes(home.folder(), script, "WRITE 'killed';", pipe_fds[1]);
  char c;
  ASSERT_EQ(read(pipe_fds[0], &c, 1), 1);
  Kill(crashed);
  close(pipe_fds[0]);
  close(pipe_fds[1]);
  FakePlatform next;
  Session fresh;
  WindowController again(next, fresh, home.folder());
  next.answers = {Answer::kYes};
  again.Start();
  ASSERT_EQ(next.questions.size(), 1u);
  const std::string killed_copy = home / "Orbelin-unsaved-" + std::to_string(crashed) + ".inp";
  EXPECT_EQ(next.questions[0].text,
            "Orbelin ended without saving the text typed for " + script +
                " (a crash, or the computer was switched off). A copy from a few seconds before "
                "is in " +
                killed_copy + ". Restore it into the box?");
  EXPECT_EQ(next.script_box, "WRITE 'killed';");
  EXPECT_EQ(next.Title(), "*walk.inp - Orbelin");
  again.HandleCommand(WindowController::kDone);
  EXPECT_EQ(ReadBytes(script), "WRITE 'killed';\0"s);
  EXPECT_FALSE(Exists(killed_copy));
  // The first window's copy is its own: still there, untouched.
  EXPECT_EQ(CopiesIn(home.folder()), std::vector<std::string>{copy});
}

// Two windows on one home folder (on two displays), each with typed text:
// one saves, the other is killed. Its text is offered at the next start,
// and only its own; the saving window removed only its own copy.
TEST_F(WindowControllerTest, EachWindowKeepsItsOwnRecoveryCopy) {
  WriteBytes(home / "a.inp", "WRITE 1;\0"s);
  WriteBytes(home / "b.inp", "WRITE 2;\0"s);
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  const pid_t b =
      WindowThatTypes(home.folder(), home / "b.inp", "WRITE 'typed in B';", pipe_fds[1]);
  char c;
  ASSERT_EQ(read(pipe_fds[0], &c, 1), 1);
  close(pipe_fds[0]);
  close(pipe_fds[1]);

  controller.Start(home / "a.inp");
  EXPECT_TRUE(platform.questions.empty());  // B is alive
  Edit("WRITE 'typed in A';");
  controller.Autosave();
  EXPECT_EQ(CopiesIn(home.folder()).size(), 2u);
  controller.SaveCurrent();
  controller.Autosave();
  ASSERT_EQ(CopiesIn(home.folder()).size(), 1u);
  EXPECT_EQ(ReadBytes(CopiesIn(home.folder())[0]), "WRITE 'typed in B';\0"s);
  Kill(b);

  FakePlatform next;
  Session fresh;
  WindowController again(next, fresh, home.folder());
  next.answers = {Answer::kYes};
  again.Start();
  ASSERT_EQ(next.questions.size(), 1u);
  EXPECT_NE(next.questions[0].text.find("typed for " + home / "b.inp"), std::string::npos);
  EXPECT_EQ(next.script_box, "WRITE 'typed in B';");
  EXPECT_EQ(ReadBytes(home / "a.inp"), "WRITE 'typed in A';\0"s);
}

// Copies of windows that are gone: Discard removes one; Cancel keeps it
// in a file of its own. A copy of an older version (untagged) is found too.
TEST_F(WindowControllerTest, RecoveryCopyIsDiscardedOrSetAside) {
  // Saved text needs no copy: the next tick removes it.
  controller.Start();
  Edit("WRITE 1;");
  controller.Autosave();
  ASSERT_EQ(CopiesIn(home.folder()).size(), 1u);
  platform.dialog_answers = {home / "one"};
  controller.HandleCommand(WindowController::kSaveButton);
  controller.Autosave();
  EXPECT_TRUE(CopiesIn(home.folder()).empty());

  struct Case {
    Answer answer;
    std::string set_aside;  // where Cancel puts it
  } cases[] = {{Answer::kNo, ""}, {Answer::kCancel, "unsaved-recovered.inp"}};
  for (const Case& c : cases) {
    TempFolder folder;
    WriteBytes(folder / "Orbelin-unsaved.txt", "copy\n\n");
    WriteBytes(folder / "Orbelin-unsaved.inp", "WRITE 2;\0"s);
    FakePlatform next;
    Session fresh;
    WindowController again(next, fresh, folder.folder());
    next.answers = {c.answer};
    again.Start();
    ASSERT_EQ(next.questions.size(), 1u);
    EXPECT_EQ(next.script_box, "");
    EXPECT_TRUE(CopiesIn(folder.folder()).empty());
    EXPECT_FALSE(Exists(folder / "Orbelin-unsaved.txt"));
    if (!c.set_aside.empty()) {
      EXPECT_EQ(ReadBytes(folder / c.set_aside), "WRITE 2;\0"s);
      EXPECT_EQ(next.informations,
                std::vector<std::string>{"The copy is kept in " + folder / c.set_aside + "."});
    }
  }
}

// What editor users expect: the dialogs start beside the current script
// (not in the hidden home folder), the File menu lists the scripts last
// opened or saved, also after the next start, and New empties the box once
// the edits are settled.
TEST_F(WindowControllerTest, RecentScriptsDialogFolderAndNew) {
  std::filesystem::create_directories(home / "puzzles");
  const std::string a = home / "puzzles/a.inp";
  WriteBytes(a, "WRITE 1;\0"s);
  WriteBytes(home / "puzzles/a.res", "1\n");
  controller.Start(a);
  EXPECT_EQ(platform.recent, std::vector<std::string>{a});
  platform.dialog_answers = {home / "puzzles/b"};
  controller.HandleCommand(WindowController::kSaveButton);
  EXPECT_EQ(platform.dialogs[0].start_folder, home / "puzzles/");
  controller.HandleCommand(WindowController::kLoadButton);  // cancelled
  EXPECT_EQ(platform.dialogs[1].start_folder, home / "puzzles/");
  const std::vector<std::string> both{home / "puzzles/b.inp", a};
  EXPECT_EQ(platform.recent, both);

  Edit("WRITE 2;");
  controller.HandleCommand(WindowController::kNew);  // Cancel keeps all
  EXPECT_EQ(platform.script_box, "WRITE 2;");
  platform.answers = {Answer::kNo};
  controller.HandleCommand(WindowController::kNew);
  EXPECT_EQ(platform.script_box, "");
  EXPECT_EQ(platform.results_box, "");
  EXPECT_EQ(platform.label, "");
  EXPECT_EQ(platform.Title(), "Orbelin");
  EXPECT_EQ(controller.script_path(), "");
  EXPECT_EQ(ReadBytes(home / "puzzles/b.inp"), "WRITE 1;\0"s);

  FakePlatform next;
  Session fresh;
  WindowController again(next, fresh, home.folder());
  again.Start();
  EXPECT_EQ(next.recent, both);
  again.Open(a);
  EXPECT_EQ(next.recent, (std::vector<std::string>{a, home / "puzzles/b.inp"}));

  // A script deleted since: the next start no longer offers it, nor does a
  // choice of it that finds it gone.
  std::filesystem::remove(home / "puzzles/b.inp");
  FakePlatform third;
  WindowController later(third, fresh, home.folder());
  later.Start();
  EXPECT_EQ(third.recent, std::vector<std::string>{a});
  std::filesystem::remove(a);
  later.Open(a);
  EXPECT_EQ(third.errors.back(), "Could not open " + a + ": No such file or directory.");
  EXPECT_TRUE(third.recent.empty());
}

TEST_F(WindowControllerTest, HandOffMessages) {
  TempFolder maps;
  WriteBytes(home / "Orbelin.ini", maps / "");
  controller.Start();

  controller.HandleCommand(WindowController::kHandOffButton);
  PrepareWalk();
  controller.Start();
  Edit("OLAT = 52.5; OLON = 0 - 13.25;");
  controller.Calc();
  controller.HandOff();  // no map window
  platform.map_window = 9;
  controller.HandOff();
  EXPECT_EQ(platform.errors,
            (std::vector<std::string>{"Kein Punkt gesetzt", "OziExplore not running"}));
  EXPECT_EQ(ReadBytes(maps / "apidata1.$$$"), "52.500000\n-13.250000\n");

  // Orbelin's own words, and on a second line which file and why.
  WriteBytes(home / "Orbelin.ini", "/no/such/folder");
  controller.Start();
  controller.HandOff();
  EXPECT_EQ(platform.errors.back(),
            "Can not write file!\n/no/such/folder/apidata1.$$$: No such file or directory.");
}

// A point that is no place on the Earth goes nowhere: no exchange file, no
// GPX, no link, nothing on the clipboard.
TEST_F(WindowControllerTest, APointOffTheEarthIsRefusedEveryWayOut) {
  PrepareWalk();
  controller.Start();
  platform.map_window = 9;
  for (const char* script : {"OLAT = SQRT(0 - 1); OLON = 11;", "OLAT = 123.4; OLON = 11;"}) {
    Edit(script);
    controller.Calc();
    platform.errors.clear();
    platform.dialog_answers = {home / "p.gpx"};
    for (int id : {WindowController::kHandOffButton, WindowController::kExportGpx,
                   WindowController::kOpenInMap, WindowController::kCopyCoordinates}) {
      controller.HandleCommand(id);
    }
    ASSERT_EQ(platform.errors.size(), 4u) << script;
    EXPECT_TRUE(platform.errors[0].starts_with(
        "The point set with OLAT and OLON is not a place on the Earth: the latitude is "))
        << platform.errors[0];
    EXPECT_EQ(platform.errors, std::vector<std::string>(4, platform.errors[0]));
  }
  EXPECT_FALSE(std::filesystem::exists(home / "apidata1.$$$"));
  EXPECT_FALSE(std::filesystem::exists(home / "p.gpx"));
  EXPECT_TRUE(platform.dialogs.empty() && platform.links.empty() && platform.clipboard.empty());
}

// With no folder named in Orbelin.ini the file goes to the home folder, and
// the File menu says so.
TEST_F(WindowControllerTest, HandOffWithoutSettingsGoesToTheHomeFolder) {
  PrepareWalk();
  controller.Start();
  const std::string file = home / "apidata1.$$$";
  EXPECT_EQ(platform.hand_off_note, "Hand-off file: " + file);
  Edit("OLAT = 1.5; OLON = 2;");
  controller.Calc();
  platform.map_window = 9;
  controller.HandleCommand(WindowController::kHandOffButton);
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(ReadBytes(file), "1.500000\n2.000000\n");

  controller.HandleCommand(WindowController::kHandOffInfo);
  EXPECT_EQ(platform.informations,
            std::vector<std::string>{
                "Button O writes the point to " + file +
                ", for the map program to read.\nOrbelin.ini names no folder for it, so it goes "
                "to Orbelin's home folder. To use another folder, write it on the first line of " +
                home / "Orbelin.ini" + " and start Orbelin again."});

  WriteBytes(home / "Orbelin.ini", "/maps\n");
  controller.Start();
  controller.HandOffInfo();
  EXPECT_EQ(platform.informations.back(),
            "Button O writes the point to /maps/apidata1.$$$, for the map program to read.\n"
            "The folder is the first line of " +
                home / "Orbelin.ini" + "; a change there counts from the next start.");

  // A settings file that is no such file is said at start, and the
  // hand-off file stays in the home folder.
  WriteBytes(home / "Orbelin.ini", std::string(1 << 20, 'x'));
  controller.Start();
  EXPECT_EQ(platform.hand_off_note, "Hand-off file: " + file);
  ASSERT_EQ(platform.warnings.size(), 1u);
  EXPECT_NE(platform.warnings[0].find("Orbelin ignores it"), std::string::npos);
}

TEST_F(WindowControllerTest, PointGoesOutAsGpxMapLinkAndText) {
  PrepareWalk();
  controller.Start();
  for (int id : {WindowController::kExportGpx, WindowController::kOpenInMap,
                 WindowController::kCopyCoordinates}) {
    controller.HandleCommand(id);
  }
  EXPECT_EQ(platform.errors, std::vector<std::string>(3, "Kein Punkt gesetzt"));
  EXPECT_TRUE(platform.dialogs.empty() && platform.links.empty() && platform.clipboard.empty());

  Edit("OLAT = 48.20575; OLON = 11.50833333;");
  controller.Calc();
  platform.errors.clear();
  platform.dialog_answers = {home / "walk"};
  controller.HandleCommand(WindowController::kExportGpx);
  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_FALSE(platform.dialogs[0].open);
  EXPECT_EQ(platform.dialogs[0].title, "Export as GPX");
  EXPECT_EQ(platform.dialogs[0].filter, "GPX (*.gpx)");
  EXPECT_EQ(platform.dialogs[0].start_folder, home.folder());
  EXPECT_EQ(platform.dialogs[0].file_name, "walk.gpx");
  EXPECT_EQ(ReadBytes(home / "walk.gpx"), GpxWaypoint(48.20575, 11.50833333, "walk"));

  controller.HandleCommand(WindowController::kOpenInMap);
  EXPECT_EQ(platform.links,
            std::vector<std::string>{"geo:48.205750,11.508333?q=48.205750,11.508333"});
  controller.HandleCommand(WindowController::kCopyCoordinates);
  EXPECT_EQ(platform.clipboard, "N 48° 12.345 E 011° 30.500");
  EXPECT_TRUE(platform.errors.empty());

  // An existing file is replaced only when the user agrees; a failure says why.
  platform.dialog_answers = {home / "walk.gpx", home / "no/such.gpx"};
  controller.ExportGpx();
  EXPECT_EQ(platform.questions.back().text, home / "walk.gpx" + " already exists. Replace it?");
  controller.ExportGpx();
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Could not save " + home / "no/such.gpx" +
                                                      ": No such file or directory."});
}

// One way to open a point, for the main window and the Try values dialog:
// a program for geo: links, else the browser with openstreetmap.org, else
// a message with both links.
TEST(OpenPointInMap, GeoLinkThenTheWebThenAMessage) {
  const std::string geo = "geo:-33.856800,151.215300?q=-33.856800,151.215300";
  const std::string web =
      "https://www.openstreetmap.org/?mlat=-33.856800&mlon=151.215300#map=18/-33.856800/151.215300";
  struct Case {
    bool geo_opens, web_opens;
    std::vector<std::string> tried;
    size_t notes, errors;
  } cases[] = {
      {true, true, {geo}, 0, 0}, {false, true, {geo, web}, 1, 0}, {false, false, {geo, web}, 0, 1}};
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.links_open = c.geo_opens;
    platform.web_open = c.web_opens;
    OpenPointInMap(platform, -33.8568, 151.2153);
    EXPECT_EQ(platform.links, c.tried);
    EXPECT_EQ(platform.notes.size(), c.notes);
    ASSERT_EQ(platform.errors.size(), c.errors);
    if (c.errors > 0) {
      EXPECT_EQ(platform.errors[0], "No program opened " + geo + ", nor a web browser " + web +
                                        ". Choose a program for geo: links in the desktop's "
                                        "settings, or use Copy coordinates.");
    }
  }
}

// The window's outputs follow the command line's rule: an export never
// lands on the script, and neither an export nor Calc writes through a
// link that came with the folder. The script itself keeps its links.
TEST_F(WindowControllerTest, OutputsNeverLandOnTheScriptOrGoThroughALink) {
  PrepareWalk();
  controller.Start();
  Edit("OLAT = 48.20575; OLON = 11.50833333;");
  controller.Calc();
  ASSERT_TRUE(platform.errors.empty());
  const std::string script = ReadBytes(home / "walk.inp");
  WriteBytes(home / "victim.txt", "keep");
  ASSERT_EQ(symlink("victim.txt", (home / "link.gpx").c_str()), 0);
  platform.dialog_answers = {home / "walk.inp", home / "link.gpx"};
  controller.ExportGpx();
  controller.ExportGpx();
  ASSERT_EQ(platform.errors.size(), 2u);
  EXPECT_EQ(platform.errors[0], "The script " + home / "walk.inp" +
                                    " would be overwritten by the GPX file. Nothing was written.");
  EXPECT_NE(platform.errors[1].find(home / "link.gpx" + ", a symbolic link to victim.txt"),
            std::string::npos)
      << platform.errors[1];
  EXPECT_TRUE(platform.questions.empty());

  platform.errors.clear();
  std::filesystem::remove(home / "walk.res");
  ASSERT_EQ(symlink("victim.txt", (home / "walk.res").c_str()), 0);
  controller.Calc();
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_NE(platform.errors[0].find("The results of " + home / "walk.inp" + " would go to " +
                                    home / "walk.res" + ", a symbolic link to victim.txt"),
            std::string::npos)
      << platform.errors[0];
  EXPECT_EQ(ReadBytes(home / "walk.inp"), script);
  EXPECT_EQ(ReadBytes(home / "victim.txt"), "keep");
}

TEST_F(WindowControllerTest, OpenFromTheCommandLineAsksAboutEditsFirst) {
  PrepareWalk();
  WriteBytes(home / "a.inp", "WRITE 1;");
  controller.Start();
  Edit("typed");
  controller.Open(home / "a.inp");  // Cancel
  EXPECT_EQ(platform.script_box, "typed");
  // The question names the file that would come in.
  EXPECT_EQ(platform.questions.back().text, "Save the changes to walk.inp before opening a.inp?");
  platform.answers = {Answer::kNo};
  controller.Open(home / "a.inp");
  EXPECT_EQ(platform.script_box, "WRITE 1;");
  EXPECT_EQ(controller.script_path(), home / "a.inp");

  // A file that does not exist is an error before any question, and the
  // box keeps its script.
  Edit("typed again");
  const size_t asked = platform.questions.size();
  controller.Open(home / "new.inp");
  EXPECT_EQ(platform.questions.size(), asked);
  EXPECT_EQ(platform.errors.back(),
            "Could not open " + home / "new.inp" + ": No such file or directory.");
  EXPECT_EQ(platform.script_box, "typed again");
  EXPECT_EQ(controller.script_path(), home / "a.inp");
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

namespace orbelin {
namespace {

VaryForm Tried(const std::string& a, const std::string& where = "") {
  VaryForm form;
  form.values = {{"A", a}};
  form.where = where;
  return form;
}

// The Try values fields follow the text in the box: a file's stay with it
// from one start to the next, an unsaved text keeps its own for the
// session, and a text saved under a name takes its fields along.
TEST_F(WindowControllerTest, TryValuesFieldsStayWithTheirScript) {
  const std::string walk = PrepareWalk();
  controller.Start();
  controller.KeepTriedFields(Tried("0..9", "CHK=41"));

  controller.HandleCommand(WindowController::kNew);
  EXPECT_FALSE(AnyFieldFilled(controller.TriedFieldsForScript()));
  controller.KeepTriedFields(Tried("1,3,5"));
  Edit("VAR A;\nOLAT = A;");
  platform.answers = {Answer::kNo};
  controller.HandleCommand(WindowController::kNew);  // another unsaved text
  EXPECT_FALSE(AnyFieldFilled(controller.TriedFieldsForScript()));
  controller.KeepTriedFields(Tried("7"));
  Edit("VAR A;\nOLAT = A;");
  platform.dialog_answers.push_back(home / "saved");
  controller.HandleCommand(WindowController::kSaveButton);
  EXPECT_EQ(controller.TriedFieldsForScript().values, Tried("7").values);

  FakePlatform next;
  Session fresh;
  WindowController again(next, fresh, home.folder());
  again.Start(walk);
  const VaryForm walk_fields = again.TriedFieldsForScript();
  EXPECT_EQ(walk_fields.values, Tried("0..9").values);
  EXPECT_EQ(walk_fields.where, "CHK=41");
  again.Open(home / "saved.inp");
  EXPECT_EQ(again.TriedFieldsForScript().values, Tried("7").values);
}

}  // namespace
}  // namespace orbelin
