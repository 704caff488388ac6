// The window on a real X server (Xvfb), driven as a user would with xdotool:
// type a script, save it, run it, hand its point to map-receiver, close the
// window. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/prctl.h>

#include "child_process.h"
#include "shell/definition_file.h"
#include "shell/layout.h"
#include "test_files.h"

// Xlib last: its macros (None, Bool, Status) clash with other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::ChildProcess;
using testing::FindOnPath;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WaitFor;
using testing::WriteBytes;

// An Xvfb server on a display number of its own choosing.
class Xvfb {
 public:
  explicit Xvfb(const std::string& program) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      close(fds[0]);
      std::string fd = std::to_string(fds[1]);
      execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
            "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string xvfb = FindOnPath("Xvfb");
    xdotool_ = FindOnPath("xdotool");
    if (xvfb.empty() || xdotool_.empty()) GTEST_SKIP() << "needs Xvfb and xdotool";
    server_ = std::make_unique<Xvfb>(xvfb);
    ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
    // A window that is not mapped yet makes XGetImage fail with BadMatch;
    // the default handler would end the test instead of letting it retry.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    display_ = XOpenDisplay(server_->display().c_str());
    ASSERT_NE(display_, nullptr);
    std::filesystem::create_directories(tmp / "run");
    chmod((tmp / "run").c_str(), 0700);
    std::filesystem::create_directories(tmp / "home");
    std::filesystem::create_directories(tmp / "maps");
    env = {{"DISPLAY", server_->display()},
           {"XDG_RUNTIME_DIR", tmp / "run"},
           {"QT_QPA_PLATFORM", "xcb"},
           {"QT_QPA_PLATFORMTHEME", ""},
           {"XDG_CURRENT_DESKTOP", ""},
           {"HOME", tmp / "user"},
           {"LSAN_OPTIONS", testing::ChildLeakOptions()}};
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  void Run(std::vector<std::string> args) {
    args.insert(args.begin(), xdotool_);
    ChildProcess xdotool(args, env);
    EXPECT_EQ(xdotool.Wait(), 0) << args[1];
  }
  void Click(int x, int y) {
    Run({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
  }
  // Types the text, with Return for each "\n".
  void Type(const std::string& text) {
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      if (end > start) Run({"type", "--delay", "15", text.substr(start, end - start)});
      Run({"key", "Return"});
    }
    if (start < text.size()) Run({"type", "--delay", "15", text.substr(start)});
  }

  // The topmost window with this WM_CLASS class and this title, each when
  // given.
  Window FindWindow(const std::string& class_name, const std::string& title = "") {
    Window root_return, parent_return, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root_return, &parent_return, &children,
               &count);
    for (unsigned int i = count; i-- > 0 && found == 0;) {
      if ((class_name.empty() || ClassOf(children[i]).second == class_name) &&
          (title.empty() || TitleOf(children[i]) == title)) {
        found = children[i];
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }
  Window WaitForWindow(const std::string& class_name, const std::string& title = "") {
    Window w = 0;
    WaitFor([&] { return (w = FindWindow(class_name, title)) != 0; });
    return w;
  }
  std::pair<std::string, std::string> ClassOf(Window w) {
    XClassHint hint{};
    if (XGetClassHint(display_, w, &hint) == 0) return {};
    std::pair<std::string, std::string> result{hint.res_name, hint.res_class};
    XFree(hint.res_name);
    XFree(hint.res_class);
    return result;
  }
  std::string TitleOf(Window w) {
    XTextProperty property;
    if (XGetWMName(display_, w, &property) == 0 || property.value == nullptr) return "";
    std::string title(reinterpret_cast<char*>(property.value), property.nitems);
    XFree(property.value);
    return title;
  }

  // Screen position and size of the client area below the menu bar, found by
  // the label's background colour at its top left corner.
  bool FindClientArea(Window w, int* x, int* y, int* width, int* height) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, w, &a) == 0) return false;
    Window child;
    int wx, wy;
    XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &wx, &wy, &child);
    XImage* image = XGetImage(display_, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    int top = -1;
    for (int row = 0; row < a.height && top < 0; ++row) {
      if ((XGetPixel(image, 10, row) & 0xFFFFFF) == 0xD2D2FF) top = row;
    }
    int left = -1;
    for (int col = 0; top >= 0 && col < a.width && left < 0; ++col) {
      if ((XGetPixel(image, col, top + 2) & 0xFFFFFF) == 0xD2D2FF) left = col;
    }
    XDestroyImage(image);
    if (top < 0 || left < 0) return false;
    *x = wx + left - 4;
    *y = wy + top - 4;
    *width = a.width - (left - 4);
    *height = a.height - (top - 4);
    return true;
  }

  void SendDeleteWindow(Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, w, False, NoEventMask, &e);
    XFlush(display_);
  }

  Window FocusedWindow() {
    Window focus;
    int revert;
    XGetInputFocus(display_, &focus, &revert);
    return focus;
  }

  TempFolder tmp;
  std::map<std::string, std::string> env;
  Display* display_ = nullptr;

 private:
  std::string xdotool_;
  std::unique_ptr<Xvfb> server_;
};

const std::string kWindow = ORBELIN_BINARY_DIR "/orbelin-window";
const std::string kReceiver = ORBELIN_BINARY_DIR "/map-receiver";

TEST_F(DesktopTest, TypeSaveCalcHandOffAndClose) {
  WriteBytes(tmp / "home/Orbelin.ini", tmp / "maps\r\n");
  ChildProcess receiver({kReceiver, tmp / "maps"}, env, tmp / "receiver.out");
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "receiver.out") == "ready\n"; }));

  ChildProcess window({kWindow, "--home", tmp / "home"}, env);
  const Window main = WaitForWindow("OrbelinClass");
  ASSERT_NE(main, 0u);
  EXPECT_EQ(ClassOf(main), std::make_pair("orbelin-window"s, "OrbelinClass"s));
  EXPECT_EQ(TitleOf(main), "Orbelin");
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(WaitFor([&] { return FindClientArea(main, &x, &y, &w, &h); }));
  const WindowLayout l = ComputeLayout(w, h);
  const auto center = [&](const Rect& r) {
    return std::make_pair(x + r.x + r.width / 2, y + r.y + r.height / 2);
  };

  // Type into the script box and save it under a name without extension.
  Click(center(l.script).first, center(l.script).second);
  Type("VAR A;\nA = 6 * 7;\nOLAT = 52.5; OLON = 0 - 13.25;\nWRITE 'A = ', A;");
  Click(center(l.save).first, center(l.save).second);
  const Window dialog = WaitForWindow("", "Save File");
  ASSERT_NE(dialog, 0u);
  Run({"windowfocus", "--sync", std::to_string(dialog)});
  Type(tmp / "home/walk");
  Run({"key", "Return"});
  const std::string script = tmp / "home/walk.inp";
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(script); }));
  EXPECT_EQ(ReadBytes(script),
            "VAR A;\r\nA = 6 * 7;\r\nOLAT = 52.5; OLON = 0 - 13.25;\r\nWRITE 'A = ', A;\0"s);

  // Calc, then the hand-off.
  Click(center(l.calc).first, center(l.calc).second);
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/walk.res") == "A = 42\n"; }));
  Click(center(l.hand_off).first, center(l.hand_off).second);
  char expected[128];
  std::snprintf(expected, sizeof expected,
                "ready\npoint 52.500000 -13.250000 sender 0x%lx code 110\n",
                static_cast<unsigned long>(main));
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "receiver.out") == expected; }))
      << ReadBytes(tmp / "receiver.out");
  EXPECT_EQ(ReadBytes(tmp / "maps/apidata1.$$$"), "52.500000\n-13.250000\n");

  // A second start brings the window forward and ends.
  Run({"windowfocus", "--sync", std::to_string(WaitForWindow("OziExplorer"))});
  ChildProcess second({kWindow}, env);
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow() == main; }));

  // The title bar's close button saves what was typed since.
  Click(center(l.script).first, center(l.script).second);
  Run({"key", "ctrl+End"});
  Type("\nWRITE 'ok';");
  SendDeleteWindow(main);
  EXPECT_EQ(window.Wait(), 0);
  EXPECT_EQ(ReadBytes(script),
            "VAR A;\r\nA = 6 * 7;\r\nOLAT = 52.5; OLON = 0 - 13.25;\r\nWRITE 'A = ', A;\r\n"
            "WRITE 'ok';\0"s);
  EXPECT_EQ(ReadDefinition(tmp / "home/"), script);
}

}  // namespace
}  // namespace orbelin
