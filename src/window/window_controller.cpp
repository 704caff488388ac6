#include "window/window_controller.h"

#include <optional>
#include <utility>
#include <vector>

#include "frontend/file_io.h"
#include "frontend/output_plan.h"
#include "frontend/point.h"
#include "frontend/script_names.h"
#include "window/definition_file.h"
#include "window/file_messages.h"
#include "window/hand_off.h"
#include "window/open_in_map.h"
#include "window/recent_files.h"
#include "window/settings_file.h"

namespace orbelin {

namespace {

constexpr const char* kProgramName = "Orbelin";

}  // namespace

WindowController::WindowController(Platform& platform, Session& session, std::string program_folder)
    : platform_(platform), session_(session), program_folder_(std::move(program_folder)) {}

void WindowController::Start(const std::string& file) {
  // This window's copy of unsaved text gets its name before any other
  // window's copy is looked for.
  if (!recovery_.claimed()) recovery_ = RecoveryCopy::Claim(program_folder_);
  hand_off_folder_.clear();
  std::string settings_note;
  ReadSettings(program_folder_, &hand_off_folder_, &settings_note);
  if (!settings_note.empty()) platform_.ShowWarning(settings_note);
  // The root folder, where the exchange file has always gone without a
  // folder named for it, is no place an ordinary user may write:
  // without a folder of its own the file goes to the home folder.
  hand_off_folder_default_ = hand_off_folder_.empty();
  if (hand_off_folder_default_) {
    hand_off_folder_ = program_folder_;
    if (!hand_off_folder_.empty() && hand_off_folder_.back() == '/') hand_off_folder_.pop_back();
  }
  platform_.SetHandOffNote("Hand-off file: " + ExchangeFilePath(hand_off_folder_));
  // Scripts deleted or moved since are no longer offered.
  recent_ = ReadRecentFiles(program_folder_);
  if (std::erase_if(recent_, [](const std::string& path) { return !Exists(path); }) > 0) {
    WriteRecentFiles(program_folder_, recent_);
  }
  platform_.SetRecentFiles(recent_);
  tried_.Read(program_folder_);
  script_path_ = ReadDefinition(program_folder_);
  if (file.empty() || !LoadScriptFile(file, false)) {
    // Ended by the system while the error was shown: nothing more to load.
    if (ended_) return;
    LoadStartupScript();
  }
  OfferRecoveryCopies();
}

void WindowController::HandleCommand(int id) {
  switch (id) {
    case kDone:
      Done();
      break;
    case kLoadButton:
    case kLoadMenu:
      Load();
      break;
    case kSaveButton:
    case kSaveMenu:
      Save();
      break;
    case kSaveCurrent:
      SaveCurrent();
      break;
    case kNew:
      New();
      break;
    case kCalcButton:
    case kCalcMenu:
      Calc();
      break;
    case kHandOffButton:
      HandOff();
      break;
    case kExportGpx:
      ExportGpx();
      break;
    case kOpenInMap:
      OpenInMap();
      break;
    case kCopyCoordinates:
      CopyCoordinates();
      break;
    case kHandOffInfo:
      HandOffInfo();
      break;
    default:
      break;
  }
}

void WindowController::Remember(const std::string& path) {
  AddRecentFile(recent_, path);
  WriteRecentFiles(program_folder_, recent_);
  platform_.SetRecentFiles(recent_);
}

std::string WindowController::TriedKey() const {
  return script_path_.empty() ? "unsaved " + std::to_string(unsaved_count_) : script_path_;
}

void WindowController::KeepTriedFields(const VaryForm& fields) {
  tried_.Keep(TriedKey(), fields);
  if (!script_path_.empty()) tried_.Write(program_folder_);
}

// The home folder is hidden: the dialogs start beside the current script.
std::string WindowController::ScriptFolder() const {
  return script_path_.empty() || names_.folder.empty() ? program_folder_ : names_.folder;
}

void WindowController::HandOff() {
  if (!HasPoint()) return;
  const HandOffPoint& point = session_.hand_off_point();
  std::error_code error;
  switch (SendPoint(platform_, point.lat, point.lon, hand_off_folder_, &error)) {
    case SendResult::kNotRunning:
      platform_.ShowError("OziExplore not running");
      break;
    case SendResult::kCannotWrite:
      // Orbelin's own words, then which file and why.
      platform_.ShowError("Can not write file!\n" + ExchangeFilePath(hand_off_folder_) + ": " +
                          error.message() + ".");
      break;
    case SendResult::kSent:
      break;
  }
}

void WindowController::HandOffInfo() {
  const std::string file = ExchangeFilePath(hand_off_folder_);
  const std::string settings = program_folder_ + kSettingsFileName;
  std::string text = "Button O writes the point to " + file + ", for the map program to read.\n";
  if (hand_off_folder_default_) {
    text +=
        "Orbelin.ini names no folder for it, so it goes to Orbelin's home folder. To use another "
        "folder, write it on the first line of " +
        settings + " and start Orbelin again.";
  } else {
    text += "The folder is the first line of " + settings +
            "; a change there counts from the next start.";
  }
  platform_.ShowInformation(text);
}

// Every way out of the window refuses a point that is not on the Earth.
bool WindowController::HasPoint() {
  const std::string refusal = PointRefusal(session_.hand_off_point());
  if (refusal.empty()) return true;
  platform_.ShowError(refusal);
  return false;
}

void WindowController::ExportGpx() {
  if (!HasPoint()) return;
  const std::string stem = names_.name.empty() ? kProgramName : Stem(names_.name);
  FileDialogRequest request;
  request.open = false;
  request.title = "Export as GPX";
  request.filter = "GPX (*.gpx)";
  request.start_folder = ScriptFolder();
  request.file_name = stem + ".gpx";
  std::optional<std::string> chosen = platform_.ChooseFile(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (Stem(path) == FileName(path)) path += ".gpx";
  // Not over the script, and not through a link.
  OutputPlan plan;
  plan.Reads(script_path_);
  plan.Writes(path, OutputKind::kGpx);
  if (const std::vector<std::string> refusals = plan.Refusals(); !refusals.empty()) {
    platform_.ShowError(OneParagraph(refusals) + " Nothing was written.");
    return;
  }
  if (IsRegularFile(path) && !ConfirmReplace(path)) return;
  const HandOffPoint& point = session_.hand_off_point();
  if (std::error_code error =
          WriteOutputFile(path, GpxWaypoint(point.lat, point.lon, stem), /*sync=*/true)) {
    platform_.ShowError(CouldNot("save", path, error));
  }
}

void WindowController::OpenInMap() {
  if (!HasPoint()) return;
  OpenPointInMap(platform_, session_.hand_off_point().lat, session_.hand_off_point().lon);
}

void WindowController::CopyCoordinates() {
  if (!HasPoint()) return;
  platform_.SetClipboard(
      CoordinateText(session_.hand_off_point().lat, session_.hand_off_point().lon));
}

void WindowController::FocusChanged(Box box, bool gained) {
  platform_.SetInputPanel(gained && box == Box::kScript);
}

void WindowController::UpdateTitle() {
  const std::string name = script_path_.empty() ? "" : names_.name;
  platform_.SetTitle(name.empty() ? std::string(kProgramName) : name + " - " + kProgramName);
}

void WindowController::BuildFileNames() {
  names_ = orbelin::BuildFileNames(script_path_);
  script_path_ = names_.script;
}

}  // namespace orbelin
