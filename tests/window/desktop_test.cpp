// The window on a real X server (Xvfb, 800 by 600) with a real window
// manager (openbox), driven as a user would with xdotool: type, click, press
// keys, answer the message boxes. Where permissions matter the window runs
// as "nobody" when the tests run as root. What a message box says is read
// from standard error, where the window also writes it. Skipped where Xvfb,
// xdotool or openbox is not installed.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <thread>

#include "child_process.h"
#include "test_files.h"
#include "window/definition_file.h"
#include "window/layout.h"

// Xlib last: its macros (None, Bool, Status) clash with other headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace orbelin {
namespace {

using namespace std::string_literals;
using testing::ChildOptions;
using testing::ChildProcess;
using testing::FindOnPath;
using testing::ReadBytes;
using testing::RunsAsNobody;
using testing::TempFolder;
using testing::WaitFor;
using testing::WriteBytes;

// The window as its user can start it (a copy when that is "nobody").
const std::string& WindowProgram() {
  static const std::string program =
      testing::ProgramForWindowUser(ORBELIN_BINARY_DIR "/orbelin-window");
  return program;
}
const std::string kReceiver = ORBELIN_BINARY_DIR "/map-receiver";

// An Xvfb server of 800 by 600 pixels, the smallest screen a desktop has,
// on a display number of its own choosing.
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
      execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24",
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

// A tmpfs of 64 KB, filled up: a full disk. Needs root.
class FullDisk {
 public:
  explicit FullDisk(const std::string& folder) : folder_(folder) {
    std::filesystem::create_directories(folder);
    const std::string options = "size=64k,mode=0755,uid=" + std::to_string(testing::kNobody) +
                                ",gid=" + std::to_string(testing::kNoGroup);
    if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      error_ = errno;
      return;
    }
    mounted_ = true;
  }
  ~FullDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  int error() const { return error_; }

  // Takes the space that is left.
  void Fill() {
    std::FILE* f = std::fopen((folder_ + "/filler").c_str(), "wb");
    if (f == nullptr) return;
    const std::string block(1024, 'x');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
    }
    std::fclose(f);
  }

 private:
  std::string folder_;
  bool mounted_ = false;
  int error_ = 0;
};

// The client area of the main window on the screen, found by the label's
// colour, and the scale of its row (the label is 16 pixels high at 1).
struct Area {
  int x = 0, y = 0, width = 0, height = 0;
  double scale = 1.0;
  std::pair<int, int> Center(const Rect& r) const {
    return {x + r.x + r.width / 2, y + r.y + r.height / 2};
  }
};

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string xvfb = FindOnPath("Xvfb");
    const std::string openbox = FindOnPath("openbox");
    xdotool_ = FindOnPath("xdotool");
    if (xvfb.empty() || xdotool_.empty() || openbox.empty()) {
      GTEST_SKIP() << "needs Xvfb, xdotool and openbox";
    }
    server_ = std::make_unique<Xvfb>(xvfb);
    ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
    // A window that is not mapped yet makes XGetImage fail with BadMatch;
    // the default handler would end the test instead of letting it retry.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    display_ = XOpenDisplay(server_->display().c_str());
    ASSERT_NE(display_, nullptr);

    for (const char* folder : {"run", "home", "user", "maps", "bin"}) {
      std::filesystem::create_directories(tmp / folder);
      if (std::string(folder) != "bin") Own(tmp / folder);
    }
    chmod((tmp / "run").c_str(), 0700);
    // Open in map goes through xdg-open: this one writes down the link.
    WriteBytes(tmp / "bin/xdg-open",
               "#!/bin/sh\nprintf '%s\\n' \"$1\" >> " + tmp / "home/opened\n");
    chmod((tmp / "bin/xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    env = {{"DISPLAY", server_->display()},
           {"XDG_RUNTIME_DIR", tmp / "run"},
           {"QT_QPA_PLATFORM", "xcb"},
           {"QT_QPA_PLATFORMTHEME", ""},
           {"XDG_CURRENT_DESKTOP", ""},
           {"DBUS_SESSION_BUS_ADDRESS", ""},
           {"HOME", tmp / "user"},
           {"ORBELIN_HOME", tmp / "home"},
           {"PATH", tmp / "bin" + ":" + (path != nullptr ? path : "/usr/bin:/bin")},
           {"LSAN_OPTIONS", testing::ChildLeakOptions()}};

    window_manager_ =
        std::make_unique<ChildProcess>(std::vector<std::string>{openbox, "--sm-disable"}, env,
                                       ChildOptions{"/dev/null", "/dev/null"});
    ASSERT_TRUE(WaitFor([&] { return WindowManagerRuns(); })) << "openbox did not start";
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // The folder or file belongs to the user the window runs as.
  static void Own(const std::string& path) {
    if (RunsAsNobody()) (void)!chown(path.c_str(), testing::kNobody, testing::kNoGroup);
  }
  // A file of the window's user, with these bytes and this mode.
  static void Give(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
    WriteBytes(path, bytes);
    Own(path);
    chmod(path.c_str(), mode);
  }

  // Orbelin.def names the script; the window's user may write it again.
  void Define(const std::string& script) {
    WriteDefinition(tmp / "home/", script);
    Own(tmp / "home/Orbelin.def");
  }

  std::unique_ptr<ChildProcess> StartWindow(std::vector<std::string> args = {}) {
    args.insert(args.begin(), WindowProgram());
    return std::make_unique<ChildProcess>(args, env,
                                          ChildOptions{"/dev/null", tmp / "stderr", true});
  }
  // What the window said: its message boxes, questions and notes.
  std::string Said() { return ReadBytes(tmp / "stderr"); }
  bool WaitSaid(const std::string& text) {
    return WaitFor([&] { return Said().find(text) != std::string::npos; });
  }

  void Xdo(std::vector<std::string> args) {
    args.insert(args.begin(), xdotool_);
    ChildProcess xdotool(args, env);
    EXPECT_EQ(xdotool.Wait(), 0) << args[1];
  }
  void Click(std::pair<int, int> at) {
    // (The server takes the move before the click; xdotool's --sync would
    // wait long for a move when the pointer is there already.)
    Xdo({"mousemove", std::to_string(at.first), std::to_string(at.second), "click", "1"});
  }
  void Key(const std::string& keys) { Xdo({"key", "--clearmodifiers", keys}); }
  // Types the text, with Return for each "\n".
  void Type(const std::string& text) {
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      if (end > start) Xdo({"type", "--delay", "15", text.substr(start, end - start)});
      Key("Return");
    }
    if (start < text.size()) Xdo({"type", "--delay", "15", text.substr(start)});
  }

  bool WindowManagerRuns() {
    Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    const bool runs =
        XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        count == 1;
    if (data != nullptr) XFree(data);
    return runs;
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
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display_, w, XInternAtom(display_, "_NET_WM_NAME", False), 0, 1024,
                           False, XInternAtom(display_, "UTF8_STRING", False), &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
      title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return title;
  }
  bool Viewable(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, w, &a) != 0 && a.map_state == IsViewable;
  }

  // The first client window, topmost first, below the frames of the window
  // manager, with this class (or any but the main window's, for "dialog")
  // and this title (any when empty).
  Window FindClient(const std::string& class_name, const std::string& title = "") {
    return FindBelow(DefaultRootWindow(display_), class_name, title, 3);
  }
  Window FindBelow(Window w, const std::string& class_name, const std::string& title, int depth) {
    const std::string cls = ClassOf(w).second;
    const bool class_matches = class_name == "dialog"
                                   ? !cls.empty() && cls != "OrbelinClass" && cls != "Openbox"
                                   : cls == class_name;
    if (class_matches && (title.empty() || TitleOf(w) == title) && Viewable(w)) return w;
    if (depth == 0) return 0;
    Window root_return, parent_return, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display_, w, &root_return, &parent_return, &children, &count) != 0) {
      for (unsigned int i = count; i-- > 0 && found == 0;) {
        found = FindBelow(children[i], class_name, title, depth - 1);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }
  Window WaitForMain() {
    Window w = 0;
    WaitFor([&] { return (w = FindClient("OrbelinClass")) != 0; });
    return w;
  }
  // The X server has let go of an ended window's main window, so that the
  // next start's is not mistaken for it.
  bool WaitForNoMain() {
    return WaitFor([&] { return FindClient("OrbelinClass") == 0; });
  }
  // A message box or file dialog with this title, in front and focused.
  Window WaitForDialog(const std::string& title) {
    Window w = 0;
    if (!WaitFor([&] { return (w = FindClient("dialog", title)) != 0; })) return 0;
    Xdo({"windowactivate", "--sync", std::to_string(w)});
    return w;
  }
  bool WaitDialogGone(const std::string& title) {
    return WaitFor([&] { return FindClient("dialog", title) == 0; });
  }
  // The File menu, open: Alt+F has reached the window. A menu is a window
  // of the program that the window manager leaves alone, and no tooltip.
  bool WaitForMenu() {
    const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    const Atom tooltip = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    const auto is_menu = [&](Window w) {
      XWindowAttributes a;
      if (XGetWindowAttributes(display_, w, &a) == 0 || a.map_state != IsViewable ||
          !a.override_redirect || ClassOf(w).first != "orbelin-window") {
        return false;
      }
      Atom actual;
      int format;
      unsigned long n, after;
      unsigned char* data = nullptr;
      bool menu = true;
      if (XGetWindowProperty(display_, w, type, 0, 8, False, XA_ATOM, &actual, &format, &n, &after,
                             &data) == Success &&
          data != nullptr) {
        for (unsigned long k = 0; k < n; ++k) {
          menu = menu && reinterpret_cast<Atom*>(data)[k] != tooltip;
        }
      }
      if (data != nullptr) XFree(data);
      return menu;
    };
    return WaitFor([&] {
      Window root_return, parent_return, *children = nullptr;
      unsigned int count = 0;
      bool open = false;
      XQueryTree(display_, DefaultRootWindow(display_), &root_return, &parent_return, &children,
                 &count);
      for (unsigned int i = 0; i < count && !open; ++i) open = is_menu(children[i]);
      if (children != nullptr) XFree(children);
      return open;
    });
  }
  // The tooltip that a note shows, 0 while there is none.
  Window FindTooltip() {
    const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
    const Atom tooltip = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    Window root_return, parent_return, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root_return, &parent_return, &children,
               &count);
    for (unsigned int i = 0; i < count && found == 0; ++i) {
      if (!Viewable(children[i])) continue;
      Atom actual;
      int format;
      unsigned long n, after;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display_, children[i], type, 0, 8, False, XA_ATOM, &actual, &format,
                             &n, &after, &data) == Success &&
          data != nullptr) {
        for (unsigned long k = 0; k < n; ++k) {
          if (reinterpret_cast<Atom*>(data)[k] == tooltip) found = children[i];
        }
      }
      if (data != nullptr) XFree(data);
    }
    if (children != nullptr) XFree(children);
    return found;
  }
  // A window's rectangle on the screen: x, y, width, height.
  std::vector<int> ScreenRect(Window w) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, w, &a) == 0) return {};
    Window child;
    int x, y;
    XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
  }
  // Whether `inner`'s centre lies within `outer`.
  static bool CentreWithin(const std::vector<int>& inner, const std::vector<int>& outer) {
    if (inner.size() != 4 || outer.size() != 4) return false;
    const int cx = inner[0] + inner[2] / 2, cy = inner[1] + inner[3] / 2;
    return cx >= outer[0] && cx < outer[0] + outer[2] && cy >= outer[1] && cy < outer[1] + outer[3];
  }

  // Alt+F, then the item's letter.
  void MenuItem(const std::string& letter) {
    Key("alt+f");
    ASSERT_TRUE(WaitForMenu()) << "Alt+F opened no menu\n" << Said();
    Key(letter);
  }

  // The main window in front and with the keyboard, as a click on it gives.
  void Activate(Window main) {
    Xdo({"windowactivate", "--sync", std::to_string(main)});
    EXPECT_TRUE(WaitFor([&] { return FocusedWindow() == main; }));
  }

  bool WaitTitle(Window w, const std::string& title,
                 std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    return WaitFor([&] { return TitleOf(w) == title; }, limit);
  }

  // Where the client area is: its top left corner is 4 pixels above and to
  // the left of the label's (times the scale).
  bool FindClientArea(Window w, Area* area) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display_, w, &a) == 0) return false;
    Window child;
    int wx, wy;
    XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &wx, &wy, &child);
    XImage* image = XGetImage(display_, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    const auto lavender = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < a.width && y < a.height &&
             (XGetPixel(image, x, y) & 0xFFFFFF) == 0xD2D2FF;
    };
    int top = -1, left = -1, right = -1, bottom = -1;
    for (int row = 0; row < a.height && top < 0; ++row) {
      if (lavender(10, row)) top = row;
    }
    for (int col = 0; top >= 0 && col < a.width && left < 0; ++col) {
      if (lavender(col, top)) left = col;
    }
    for (int col = left; left >= 0 && lavender(col, top); ++col) right = col;
    for (int row = top; right >= 0 && lavender(right - 1, row); ++row) bottom = row;
    XDestroyImage(image);
    if (bottom < 0) return false;
    area->scale = LayoutScale(bottom - top + 1);
    const int margin = static_cast<int>(std::lround(4 * area->scale));
    area->x = wx + left - margin;
    area->y = wy + top - margin;
    area->width = a.width - (left - margin);
    area->height = a.height - (top - margin);
    return true;
  }
  WindowLayout LayoutOf(const Area& area) {
    return ComputeLayout(area.width, area.height, area.scale);
  }
  // The main window as a user finds it: its layout on the screen.
  Area Locate(Window main) {
    Area area;
    EXPECT_TRUE(WaitFor([&] { return FindClientArea(main, &area); }));
    return area;
  }

  // The frame of the window manager around a client: left, right, top,
  // bottom.
  std::vector<long> FrameExtents(Window w) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::vector<long> extents;
    if (XGetWindowProperty(display_, w, XInternAtom(display_, "_NET_FRAME_EXTENTS", False), 0, 4,
                           False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        count == 4) {
      extents.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + 4);
    }
    if (data != nullptr) XFree(data);
    return extents;
  }

  // The text on the clipboard, as another program pastes it.
  std::string ReadClipboard() {
    Window me = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    Atom clipboard = XInternAtom(display_, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom property = XInternAtom(display_, "ORBELIN_TEST_PASTE", False);
    XConvertSelection(display_, clipboard, utf8, property, me, CurrentTime);
    XFlush(display_);
    std::string text;
    XEvent event;
    WaitFor([&] { return XCheckTypedWindowEvent(display_, me, SelectionNotify, &event); },
            std::chrono::seconds(5));
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, me, property, 0, 4096, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
      text.assign(reinterpret_cast<char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    XDestroyWindow(display_, me);
    return text;
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
  std::unique_ptr<ChildProcess> window_manager_;
};

TEST_F(DesktopTest, TypeSaveCalcHandOffAndClose) {
  WriteBytes(tmp / "home/Orbelin.ini", tmp / "maps\r\n");
  ChildProcess receiver({kReceiver, tmp / "maps"}, env, tmp / "receiver.out");
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "receiver.out") == "ready\n"; }));

  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_NE(main, 0u);
  EXPECT_EQ(ClassOf(main), std::make_pair("orbelin-window"s, "OrbelinClass"s));
  EXPECT_TRUE(WaitTitle(main, "Orbelin"));
  const Area area = Locate(main);
  const WindowLayout l = LayoutOf(area);

  // The window and the window manager's frame around it fit the screen.
  std::vector<long> frame;
  ASSERT_TRUE(WaitFor([&] { return (frame = FrameExtents(main)).size() == 4; }));
  XWindowAttributes a;
  ASSERT_NE(XGetWindowAttributes(display_, main, &a), 0);
  Window child;
  int x, y;
  XTranslateCoordinates(display_, main, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  EXPECT_GE(x - frame[0], 0);
  EXPECT_GE(y - frame[2], 0);
  EXPECT_LE(x + a.width + frame[1], 800);
  EXPECT_LE(y + a.height + frame[3], 600);

  // Type into the script box and save it under a name without extension.
  Activate(main);
  Click(area.Center(l.script));
  Type("VAR A;\nA = 6 * 7;\nOLAT = 52.5; OLON = 0 - 13.25;\nWRITE 'A = ', A;");
  EXPECT_TRUE(WaitTitle(main, "*Orbelin"));
  Click(area.Center(l.save));
  ASSERT_NE(WaitForDialog("Save File"), 0u);
  Type(tmp / "home/walk");
  Key("Return");
  const std::string script = tmp / "home/walk.inp";
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(script); }));
  EXPECT_EQ(ReadBytes(script),
            "VAR A;\r\nA = 6 * 7;\r\nOLAT = 52.5; OLON = 0 - 13.25;\r\nWRITE 'A = ', A;\0"s);
  EXPECT_TRUE(WaitTitle(main, "walk.inp - Orbelin"));

  // Calc, then the hand-off.
  Click(area.Center(l.calc));
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/walk.res") == "A = 42\n"; }));
  Click(area.Center(l.hand_off));
  char expected[128];
  std::snprintf(expected, sizeof expected,
                "ready\npoint 52.500000 -13.250000 sender 0x%lx code 110\n",
                static_cast<unsigned long>(main));
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "receiver.out") == expected; }))
      << ReadBytes(tmp / "receiver.out");
  EXPECT_EQ(ReadBytes(tmp / "maps/apidata1.$$$"), "52.500000\n-13.250000\n");

  // A second start brings the window forward and ends.
  Xdo({"windowactivate", "--sync", std::to_string(FindClient("OziExplorer"))});
  ChildProcess second({WindowProgram()}, env, ChildOptions{"/dev/null", "", true});
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow() == main; }));

  // The title bar's close button saves what was typed since, and the
  // program ends as soon as its window is gone.
  Activate(main);
  Click(area.Center(l.script));
  Key("ctrl+End");
  Type("\nWRITE 'ok';");
  EXPECT_TRUE(WaitTitle(main, "*walk.inp - Orbelin"));
  SendDeleteWindow(main);
  ASSERT_TRUE(WaitFor([&] { return FindClient("OrbelinClass") == 0; }));
  // A program that lingers with no window (a thread or an event loop left
  // running) is caught by Wait's limit; how fast it ends is the machine's.
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadBytes(script),
            "VAR A;\r\nA = 6 * 7;\r\nOLAT = 52.5; OLON = 0 - 13.25;\r\nWRITE 'A = ', A;\r\n"
            "WRITE 'ok';\0"s);
  EXPECT_EQ(ReadDefinition(tmp / "home/"), script);
}

// A writable script in a folder the user may not write: saved in place, so
// Calc runs the edit, and the file keeps its inode, owner and mode.
TEST_F(DesktopTest, ReadOnlyFolderWithWritableFile) {
  const std::string folder = tmp / "ro";
  std::filesystem::create_directories(folder);
  Own(folder);
  Give(folder + "/w.inp", "WRITE 1;\0"s);
  Give(folder + "/w.res", "1\n");
  Give(folder + "/w.lst", "");
  chmod(folder.c_str(), 0555);
  Define(folder + "/w.inp");
  struct stat before;
  ASSERT_EQ(stat((folder + "/w.inp").c_str(), &before), 0);

  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "w.inp - Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type("\nWRITE 2;");
  Click(area.Center(LayoutOf(area).calc));
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(folder + "/w.res") == "1\n2\n"; }))
      << ReadBytes(folder + "/w.res") << Said();
  EXPECT_EQ(ReadBytes(folder + "/w.inp"), "WRITE 1;\r\nWRITE 2;\0"s);
  EXPECT_TRUE(WaitTitle(main, "w.inp - Orbelin"));

  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
  struct stat after;
  ASSERT_EQ(stat((folder + "/w.inp").c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(Said().find("orbelin-window: Error"), std::string::npos) << Said();
  chmod(folder.c_str(), 0755);
}

// A read-only script: Calc says why it cannot save and runs nothing; Done
// offers to save the text under another name.
TEST_F(DesktopTest, ReadOnlyFileSaysWhyAndOffersSaveAs) {
  const std::string script = tmp / "home/w.inp";
  Give(script, "WRITE 1;\0"s, 0444);
  Define(script);
  Own(tmp / "home/Orbelin.def");

  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "w.inp - Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type("\nWRITE 2;");
  Click(area.Center(LayoutOf(area).calc));
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(WaitSaid("Error: Could not save " + script + ": Permission denied.\n")) << Said();
  Key("Return");
  EXPECT_TRUE(WaitDialogGone("Error"));
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\0"s);
  EXPECT_FALSE(std::filesystem::exists(tmp / "home/w.res"));

  Click(area.Center(LayoutOf(area).done));
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: Could not save " + script +
                       ": Permission denied. Save the script under another name?\n"))
      << Said();
  Key("alt+s");
  ASSERT_NE(WaitForDialog("Save File"), 0u);
  Type(tmp / "home/kept");
  Key("Return");
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadBytes(tmp / "home/kept.inp"), "WRITE 1;\r\nWRITE 2;\0"s);
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\0"s);
  EXPECT_EQ(ReadDefinition(tmp / "home/"), tmp / "home/kept.inp");
}

// A full disk (a 64 KB tmpfs): the save says so and nothing runs; Done asks
// before the edit is dropped.
TEST_F(DesktopTest, FullDiskSaysSoAndKeepsTheFile) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a 64 KB tmpfs needs root";
  FullDisk disk(tmp / "full");
  if (!disk.mounted()) {
    GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(disk.error());
  }
  const std::string script = tmp / "full/w.inp";
  Give(script, "WRITE 1;\0"s);
  disk.Fill();
  Define(script);

  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "w.inp - Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type("\nWRITE 2;");
  Click(area.Center(LayoutOf(area).calc));
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(WaitSaid("Error: Could not save " + script + ": No space left on device.\n"))
      << Said();
  Key("Return");
  EXPECT_TRUE(WaitDialogGone("Error"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "full/w.res"));

  Click(area.Center(LayoutOf(area).done));
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: Could not save " + script + ": No space left on device."));
  Key("alt+d");  // Discard
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\0"s);
}

// Text after a NUL byte: opening warns, and saving over it asks first.
TEST_F(DesktopTest, NulInsideScriptWarnsAndAsksBeforeCutting) {
  const std::string script = tmp / "home/n.inp";
  const std::string file = "WRITE 1;\r\n\0WRITE 2;\r\n\0"s;
  Give(script, file);
  Define(script);

  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_NE(WaitForDialog("Warning"), 0u);
  EXPECT_TRUE(WaitSaid("Warning: n.inp has a NUL byte in line 2:"));
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Warning"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type("WRITE 3;");
  ASSERT_TRUE(WaitTitle(main, "*n.inp - Orbelin"));
  Key("F5");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u) << Said();
  EXPECT_TRUE(WaitSaid("Question: n.inp has 11 bytes after a NUL byte in line 2"));
  Key("Escape");
  ASSERT_TRUE(WaitDialogGone("Orbelin"));
  EXPECT_EQ(ReadBytes(script), file);
  EXPECT_FALSE(std::filesystem::exists(tmp / "home/n.res"));

  Activate(main);
  Key("F5");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  Key("alt+s");  // Save Anyway
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/n.res") == "1\n3\n"; }));
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\r\nWRITE 3;\0"s);
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// A pipe named as the script, or as Orbelin.def itself, neither hangs the
// start nor keeps later starts from finding the window.
TEST_F(DesktopTest, PipeInOrbelinDefStartsEmpty) {
  ASSERT_EQ(mkfifo((tmp / "home/pipe.inp").c_str(), 0666), 0);
  Define(tmp / "home/pipe.inp");
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_NE(main, 0u);
  EXPECT_TRUE(WaitTitle(main, "Orbelin"));
  Key("F5");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: Erst speichern: a script runs from its file"));
  Key("Escape");
  ASSERT_TRUE(WaitDialogGone("Orbelin"));
  ChildProcess second({WindowProgram()}, env, ChildOptions{"/dev/null", "", true});
  EXPECT_EQ(second.Wait(), 0);
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
  ASSERT_TRUE(WaitForNoMain());

  std::filesystem::remove(tmp / "home/Orbelin.def");
  ASSERT_EQ(mkfifo((tmp / "home/Orbelin.def").c_str(), 0666), 0);
  auto again = StartWindow();
  const Window next = WaitForMain();
  ASSERT_NE(next, 0u);
  EXPECT_TRUE(WaitTitle(next, "Orbelin"));
  Key("ctrl+q");
  EXPECT_EQ(again->Wait(), 0);
}

// Log-out (SIGHUP) or kill (SIGTERM) saves the edit as Done does.
TEST_F(DesktopTest, EndSignalSavesTheEdit) {
  const std::string script = tmp / "home/walk.inp";
  for (int signal_number : {SIGTERM, SIGHUP}) {
    Give(script, "WRITE 1;\0"s);
    Define(script);
    auto window = StartWindow();
    const Window main = WaitForMain();
    ASSERT_TRUE(WaitTitle(main, "walk.inp - Orbelin"));
    const Area area = Locate(main);
    Activate(main);
    Click(area.Center(LayoutOf(area).script));
    Key("ctrl+End");
    Type("\nWRITE 2;");
    ASSERT_TRUE(WaitTitle(main, "*walk.inp - Orbelin"));
    window->Signal(signal_number);
    EXPECT_EQ(window->Wait(), 0) << signal_number;
    EXPECT_EQ(ReadBytes(script), "WRITE 1;\r\nWRITE 2;\0"s) << signal_number;
    ASSERT_TRUE(WaitForNoMain());
  }

  // While Done asks what to do with a script that has no file, nobody
  // answers any more: the text goes to a new file that the next start opens.
  std::filesystem::remove(tmp / "home/Orbelin.def");
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "Orbelin"));
  Activate(main);
  Type("WRITE 3;");
  ASSERT_TRUE(WaitTitle(main, "*Orbelin"));
  Key("ctrl+q");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  window->Signal(SIGTERM);
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadBytes(tmp / "home/unsaved-recovered.inp"), "WRITE 3;\0"s);
  EXPECT_EQ(ReadDefinition(tmp / "home/"), tmp / "home/unsaved-recovered.inp");
  EXPECT_TRUE(WaitSaid("The script had no file; the text is in " +
                       tmp / "home/unsaved-recovered.inp" + ".\n"));
}

// The keys of a desktop editor.
TEST_F(DesktopTest, Shortcuts) {
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Type("VAR");
  Key("Tab");  // blanks to the next tab stop
  Type("A;");
  ASSERT_TRUE(WaitTitle(main, "*Orbelin"));

  Key("ctrl+s");  // no file yet: asks for a name
  ASSERT_NE(WaitForDialog("Save File"), 0u);
  Type(tmp / "home/keys");
  Key("Return");
  ASSERT_TRUE(WaitTitle(main, "keys.inp - Orbelin"));
  EXPECT_EQ(ReadBytes(tmp / "home/keys.inp"), "VAR     A;\0"s);

  Type("\nA = 6 * 7; WRITE A;");
  Key("ctrl+Return");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/keys.res") == "42\n"; }));
  Type(" WRITE A + 1;");
  Key("F5");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/keys.res") == "42\n43\n"; }));
  // Alt and a button's letter press it: Alt+B is Calc.
  Type(" WRITE A + 2;");
  Key("alt+b");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/keys.res") == "42\n43\n44\n"; }));
  Type(" WRITE 0;");
  Key("ctrl+s");
  EXPECT_TRUE(WaitTitle(main, "keys.inp - Orbelin"));
  EXPECT_EQ(ReadBytes(tmp / "home/keys.inp"),
            "VAR     A;\r\nA = 6 * 7; WRITE A; WRITE A + 1; WRITE A + 2; WRITE 0;\0"s);

  // Shift+Tab takes the line back a tab stop and stays in the box (it
  // moved to C, where Return saved and closed); Ctrl+Z takes it back.
  Key("Home");
  Key("Tab");
  Key("shift+Tab");
  Key("shift+Tab");
  Key("Return");
  Key("ctrl+s");
  EXPECT_TRUE(WaitFor([&] {
    return ReadBytes(tmp / "home/keys.inp") ==
           "VAR     A;\r\n\r\nA = 6 * 7; WRITE A; WRITE A + 1; WRITE A + 2; WRITE 0;\0"s;
  })) << ReadBytes(tmp / "home/keys.inp");
  EXPECT_TRUE(window->Running());

  Key("ctrl+o");
  ASSERT_NE(WaitForDialog("Open File"), 0u);
  Key("Escape");
  ASSERT_TRUE(WaitDialogGone("Open File"));
  // Alt+F opens the File menu; E is its Export as GPX, which needs a point.
  MenuItem("e");
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(WaitSaid("Error: Kein Punkt gesetzt\n"));
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Error"));

  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// The point leaves as a GPX file that other programs read, as a geo: link
// for the desktop's map, and as text on the clipboard.
TEST_F(DesktopTest, PointAsGpxMapLinkAndText) {
  const std::string script = tmp / "home/cache.inp";
  Give(script, "OLAT = 48.20575; OLON = 11.50833333;\0"s);
  Define(script);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "cache.inp - Orbelin"));
  Activate(main);
  Key("F5");
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(tmp / "home/cache.res"); }));

  MenuItem("e");
  ASSERT_NE(WaitForDialog("Export as GPX"), 0u);
  Key("ctrl+a");
  Type(tmp / "home/final");
  Key("Return");
  const std::string gpx = tmp / "home/final.gpx";
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(gpx); }));

  Activate(main);
  MenuItem("o");
  EXPECT_TRUE(WaitFor([&] { return ReadClipboard() == "N 48° 12.345 E 011° 30.500"; }))
      << ReadClipboard();
  Activate(main);
  MenuItem("m");
  const std::string geo = "geo:48.205750,11.508333?q=48.205750,11.508333\n";
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/opened") == geo; }))
      << ReadBytes(tmp / "home/opened");
  // Debian's xdg-open fails for geo: links unless a program is set up for
  // them: the point goes to openstreetmap.org in the browser, and without
  // a browser either the window says so, with the links.
  WriteBytes(tmp / "bin/xdg-open",
             "#!/bin/sh\ncase $1 in geo:*) exit 3;; esac\nprintf '%s\\n' \"$1\" >> " +
                 tmp / "home/opened\n");
  Activate(main);
  MenuItem("m");
  EXPECT_TRUE(WaitFor([&] {
    return ReadBytes(tmp / "home/opened") ==
           geo +
               "https://www.openstreetmap.org/?mlat=48.205750&mlon=11.508333"
               "#map=18/48.205750/11.508333\n";
  })) << ReadBytes(tmp / "home/opened");
  EXPECT_TRUE(WaitSaid("Note: No program here opens geo: links"));
  WriteBytes(tmp / "bin/xdg-open", "#!/bin/sh\nexit 3\n");
  Activate(main);
  MenuItem("m");
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(
      WaitSaid("Error: No program opened geo:48.205750,11.508333?q=48.205750,11.508333, "
               "nor a web browser https://www.openstreetmap.org/"));
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Error"));
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);

  // Read back by two programs of other makers, Debian's gpsbabel and
  // python3-gpxpy (tools/dev installs both).
  const std::string gpsbabel = FindOnPath("gpsbabel");
  ASSERT_FALSE(gpsbabel.empty()) << "needs gpsbabel";
  ChildProcess read({gpsbabel, "-i", "gpx", "-f", gpx, "-o", "unicsv", "-F", tmp / "gps.csv"}, env);
  EXPECT_EQ(read.Wait(), 0);
  EXPECT_EQ(ReadBytes(tmp / "gps.csv"),
            "No,Latitude,Longitude,Name,Description\r\n"
            "1,48.205750,11.508333,\"cache\",\"N 48° 12.345 E 011° 30.500\"\r\n");
  ChildProcess parse({"/usr/bin/python3", "-c",
                      "import sys, gpxpy\n"
                      "w = gpxpy.parse(open(sys.argv[1], encoding='utf-8')).waypoints\n"
                      "print(len(w), w[0].name, w[0].latitude, w[0].longitude)\n",
                      gpx},
                     env, ChildOptions{tmp / "gpxpy.out", tmp / "gpxpy.err"});
  EXPECT_EQ(parse.Wait(), 0) << ReadBytes(tmp / "gpxpy.err");
  EXPECT_EQ(ReadBytes(tmp / "gpxpy.out"), "1 cache 48.20575 11.508333\n");
}

// The window says what the terminal says: under the listing, each error
// with its hint (a pasted tab, a unary minus, an unknown name); a click on
// one takes the caret there. A point off the Earth goes nowhere.
TEST_F(DesktopTest, HintsUnderTheListingAndNoPointOffTheEarth) {
  const std::string script = tmp / "home/hints.inp";
  Give(script, "VAR A;\r\nA = -2;\r\nWRITE B;\r\nWRITE 1;\r\n\tWRITE A;\0"s);
  Define(script);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "hints.inp - Orbelin"));
  const Area area = Locate(main);
  const WindowLayout l = LayoutOf(area);
  Activate(main);
  Key("F5");
  ASSERT_NE(WaitForDialog("Error"), 0u);
  Key("Return");
  EXPECT_TRUE(WaitDialogGone("Error"));
  // What the results box shows, as another program pastes it.
  Click(area.Center(l.results));
  Key("ctrl+a");
  Key("ctrl+c");
  std::string shown;
  EXPECT_TRUE(WaitFor([&] {
    return (shown = ReadClipboard()).find("hint: B is") != std::string::npos;
  })) << shown;
  for (const char* said :
       {"2:5: error: unexpected symbol in Fact (E105)\n  hint: there is no minus sign before a "
        "number",
        "3:8: error: indent name unknown (E111)\n  hint: B is not declared",
        "5:8: error: EOF expected (E0)\n  hint: a tab is not allowed outside a text in quotes"}) {
    EXPECT_NE(shown.find(said), std::string::npos) << said << "\n" << shown;
  }
  EXPECT_EQ(ReadBytes(tmp / "home/hints.res").find("hint"), std::string::npos);

  // A point with a latitude of 123.4: no hand-off file, nothing copied.
  Click(area.Center(l.script));
  Key("ctrl+a");
  Type("OLAT = 123.4; OLON = 11;");
  Key("F5");
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/hints.res").empty(); }));
  Click(area.Center(l.hand_off));
  ASSERT_NE(WaitForDialog("Error"), 0u);
  const std::string refusal =
      "Error: The point set with OLAT and OLON is not a place on the Earth: the latitude is "
      "123.4, beyond ±90°. Nothing was handed on.\n";
  EXPECT_TRUE(WaitSaid(refusal)) << Said();
  Key("Return");
  EXPECT_TRUE(WaitDialogGone("Error"));
  Activate(main);
  MenuItem("o");
  ASSERT_NE(WaitForDialog("Error"), 0u);
  Key("Return");
  EXPECT_TRUE(WaitDialogGone("Error"));
  EXPECT_FALSE(std::filesystem::exists(tmp / "home/apidata1.$$$"));
  EXPECT_EQ(ReadClipboard().find("123"), std::string::npos);
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// A pair typed as a cache page writes it, degree signs and all, runs as
// a coordinate; WGC and WDMS write it back: the degree sign is byte 0xB0
// in the results file and "°" in the results box.
TEST_F(DesktopTest, CoordinatesAsCachePagesWriteThem) {
  const std::string script = tmp / "home/pasted.inp";
  Give(script, "\0"s);
  Define(script);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "pasted.inp - Orbelin"));
  const Area area = Locate(main);
  const WindowLayout l = LayoutOf(area);
  // The degree sign on a key of its own, as a German keyboard has it:
  // xdotool's borrowed key for a sign the keymap lacks can drop some.
  int min_code = 0, max_code = 0, per_code = 0;
  XDisplayKeycodes(display_, &min_code, &max_code);
  KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(min_code),
                                    max_code - min_code + 1, &per_code);
  int spare = max_code;
  while (spare > min_code && map[(spare - min_code) * per_code] != NoSymbol) --spare;
  XFree(map);
  KeySym degree[] = {XK_degree, XK_degree};
  XChangeKeyboardMapping(display_, spare, 2, degree, 1);
  XSync(display_, False);
  Activate(main);
  Click(area.Center(l.script));
  Type("WRITE WGC(N 48° 12.345, E 011° 30.500);\nWRITE WDMS(N48°12.345,e 11° 30.5);\n");
  Key("F5");
  const std::string expected =
      "N 48\xB0 12.345 E 011\xB0 30.500\nN 48\xB0 12' 20.7\" E 011\xB0 30' 30.0\"\n";
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/pasted.res") == expected; }))
      << ::testing::PrintToString(ReadBytes(script));
  Click(area.Center(l.results));
  Key("ctrl+a");
  Key("ctrl+c");
  EXPECT_TRUE(WaitFor([&] {
    return ReadClipboard() == "N 48° 12.345 E 011° 30.500\nN 48° 12' 20.7\" E 011° 30' 30.0\"\n";
  })) << ReadClipboard();
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// The system's end request (SIGTERM at log-out, Ctrl+C in a terminal)
// ends the program while a start-up message is up, as at any other time.
TEST_F(DesktopTest, EndSignalsWhileAStartUpMessageIsUp) {
  WriteBytes(tmp / "file", "x");
  for (int signal : {SIGTERM, SIGINT}) {
    auto bad_home = StartWindow({"--home", tmp / "file"});
    ASSERT_NE(WaitForDialog("Error"), 0u);
    bad_home->Signal(signal);
    EXPECT_EQ(bad_home->Wait(), 1) << signal;
    ASSERT_TRUE(WaitDialogGone("Error"));

    auto missing = StartWindow({tmp / "home/missing.inp"});
    ASSERT_NE(WaitForDialog("Error"), 0u);
    missing->Signal(signal);
    EXPECT_EQ(missing->Wait(), 0) << signal;
    ASSERT_TRUE(WaitDialogGone("Error"));
    ASSERT_TRUE(WaitForNoMain());
  }
}

// A note at the start (a character Windows-1252 lacks) waits until the
// window is placed and shows under the caret; questions open over the
// window, wherever the window manager put it.
TEST_F(DesktopTest, NotesAndQuestionsOpenOverTheWindow) {
  const std::string script = tmp / "home/omega.inp";
  Give(script, "WRITE '\xCE\xA9';\n");  // UTF-8, as an editor wrote it
  auto window = StartWindow({script});
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "omega.inp - Orbelin"));
  Window note = 0;
  ASSERT_TRUE(WaitFor([&] { return (note = FindTooltip()) != 0; })) << Said();
  EXPECT_TRUE(CentreWithin(ScreenRect(note), ScreenRect(main)))
      << ScreenRect(note)[0] << "," << ScreenRect(note)[1];
  Xdo({"windowmove", "--sync", std::to_string(main), "300", "100"});
  Activate(main);
  Key("F5");
  const Window question = WaitForDialog("Orbelin");
  ASSERT_NE(question, 0u);
  EXPECT_TRUE(WaitSaid("Question: Windows-1252, the code of script files, has no Ω"));
  EXPECT_TRUE(CentreWithin(ScreenRect(question), ScreenRect(main)));
  Key("Escape");
  ASSERT_TRUE(WaitDialogGone("Orbelin"));
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// What a screen reader finds through AT-SPI (Debian's at-spi2-core and
// python3-pyatspi): every control has a name, the buttons by what they do
// rather than by their letter, and the boxes say what they hold.
TEST_F(DesktopTest, ScreenReadersFindANameForEveryControl) {
  const std::string dbus = FindOnPath("dbus-daemon");
  if (dbus.empty() || !std::filesystem::exists("/usr/bin/python3") ||
      !std::filesystem::exists("/usr/libexec/at-spi-bus-launcher")) {
    GTEST_SKIP() << "needs dbus-daemon, at-spi2-core and python3-pyatspi";
  }
  // A session bus of the test's own; the accessibility bus starts on it.
  ChildProcess bus({dbus, "--session", "--nofork", "--print-address=1"}, env, tmp / "bus");
  std::string address;
  ASSERT_TRUE(WaitFor([&] {
    address = ReadBytes(tmp / "bus");
    return address.find('\n') != std::string::npos;
  }));
  address.resize(address.find('\n'));
  std::map<std::string, std::string> a11y = env;
  a11y["DBUS_SESSION_BUS_ADDRESS"] = address;
  a11y["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1";
  const std::string script = tmp / "home/named.inp";
  WriteBytes(script, "WRITE 1;\0"s);
  ChildProcess window({ORBELIN_BINARY_DIR "/orbelin-window", script}, a11y,
                      ChildOptions{"/dev/null", tmp / "stderr"});
  ASSERT_TRUE(WaitTitle(WaitForMain(), "named.inp - Orbelin"));
  ChildProcess tree(
      {"/usr/bin/python3", ORBELIN_SOURCE_DIR "/tests/window/accessible_tree.py", "orbelin-window"},
      a11y, ChildOptions{tmp / "tree", tmp / "tree.err"});
  ASSERT_EQ(tree.Wait(std::chrono::seconds(60)), 0) << ReadBytes(tmp / "tree.err");
  const std::string lines = ReadBytes(tmp / "tree");

  // Controls: what a user acts on or reads. Containers (the menu bar's
  // popups, fillers, scroll bars of the boxes) carry no name of their own.
  const std::set<std::string> controls = {"push button",   "text",         "menu item", "label",
                                          "check box",     "radio button", "combo box", "entry",
                                          "toggle button", "page tab",     "list",      "table"};
  std::map<std::string, std::string> named;  // "ROLE NAME" -> description
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
    fields.resize(4);
    if (controls.count(fields[1]) == 0) continue;
    EXPECT_FALSE(fields[2].empty()) << "a " << fields[1] << " without a name:\n" << lines;
    named[fields[1] + " " + fields[2]] = fields[3];
  }
  for (const char* button : {"Calc", "Load", "Save As", "Hand off", "Close"}) {
    const auto it = named.find("push button "s + button);
    ASSERT_NE(it, named.end()) << button << "\n" << lines;
    EXPECT_FALSE(it->second.empty()) << button;
  }
  for (const char* box : {"text Script", "text Results", "label named.inp"}) {
    ASSERT_EQ(named.count(box), 1u) << box << "\n" << lines;
    EXPECT_FALSE(named[box].empty()) << box;
  }
  for (const char* item : {"menu item Calc", "menu item Undo", "menu item Handbook"}) {
    EXPECT_EQ(named.count(item), 1u) << item;
  }
  window.Signal(SIGTERM);
  EXPECT_EQ(window.Wait(), 0);
  bus.Signal(SIGTERM);
  bus.Wait();
}

// Started from a desktop's menu with a home folder it cannot use, the
// window says why in a message box.
TEST_F(DesktopTest, BadHomeIsShownInAMessageBox) {
  WriteBytes(tmp / "file", "x");
  auto window = StartWindow({"--home", tmp / "file"});
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(WaitSaid("cannot use the home folder " + tmp / "file/" + ": Not a directory."));
  Key("Return");
  EXPECT_EQ(window->Wait(), 1);

  // A home folder that may not be written would lose Orbelin.def and the
  // text kept at the end: said at start, as for one that cannot be made.
  std::filesystem::create_directories(tmp / "read-only");
  Own(tmp / "read-only");
  chmod((tmp / "read-only").c_str(), 0555);
  auto again = StartWindow({"--home", tmp / "read-only"});
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(
      WaitSaid("cannot use the home folder " + tmp / "read-only/" + ": Permission denied."));
  Key("Return");
  EXPECT_EQ(again->Wait(), 1);

  // A path of 244 characters wraps: the box stays narrower than the screen.
  std::string deep = tmp / "file";
  while (deep.size() < 244) deep += "/folder";
  auto long_path = StartWindow({"--home", deep});
  const Window box = WaitForDialog("Error");
  ASSERT_NE(box, 0u);
  XWindowAttributes a;
  ASSERT_NE(XGetWindowAttributes(display_, box, &a), 0);
  EXPECT_LT(a.width, 600);
  Key("Return");
  EXPECT_EQ(long_path->Wait(), 1);
}

// The file manager opens a script: in the window, or in the one already
// open.
TEST_F(DesktopTest, FileOnTheCommandLineAndALaterStart) {
  Give(tmp / "home/a.inp", "WRITE 1;\0"s);
  Give(tmp / "home/b.inp", "WRITE 2;\0"s);
  auto window = StartWindow({tmp / "home/a.inp"});
  const Window main = WaitForMain();
  EXPECT_TRUE(WaitTitle(main, "a.inp - Orbelin"));
  // The same screen, written another way: the window already open takes
  // the file.
  std::map<std::string, std::string> same_screen = env;
  same_screen["DISPLAY"] += ".0";
  ChildProcess second({WindowProgram(), tmp / "home/b.inp"}, same_screen,
                      ChildOptions{"/dev/null", "", true});
  EXPECT_EQ(second.Wait(), 0);
  EXPECT_TRUE(WaitTitle(main, "b.inp - Orbelin"));
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// Names that are not UTF-8 (Latin-1 from an old disk), as `orbelin run`
// takes them: on the command line, from a later start, and in Orbelin.def
// for the next start.
TEST_F(DesktopTest, NamesThatAreNotUtf8OpenAndRun) {
  const std::string a = tmp / "home/m\xFCnchen.inp";
  const std::string b = tmp / "home/z\xFCrich.inp";
  Give(a, "WRITE 1;\0"s);
  Give(b, "WRITE 2;\0"s);
  auto window = StartWindow({a});
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "m\uFFFDnchen.inp - Orbelin")) << TitleOf(main) << Said();
  Activate(main);
  Key("F5");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/m\xFCnchen.res") == "1\n"; }));
  ChildProcess later({WindowProgram(), b}, env, ChildOptions{"/dev/null", "", true});
  EXPECT_EQ(later.Wait(), 0);
  EXPECT_TRUE(WaitTitle(main, "z\uFFFDrich.inp - Orbelin"));
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadDefinition(tmp / "home/"), b);
  ASSERT_TRUE(WaitForNoMain());
  auto next = StartWindow();
  EXPECT_TRUE(WaitTitle(WaitForMain(), "z\uFFFDrich.inp - Orbelin"));
  Key("ctrl+q");
  EXPECT_EQ(next->Wait(), 0);
}

// Files from later starts arrive while the window asks a question: the
// question is answered, the window lives on with the typed text, and each
// file takes its turn after it; one that does not exist says so and
// changes nothing.
TEST_F(DesktopTest, FilesFromLaterStartsWaitForTheOpenQuestion) {
  const std::string a = tmp / "home/a.inp";
  Give(a, "WRITE 1;\0"s);
  Give(tmp / "home/b.inp", "WRITE 2;\0"s);
  auto window = StartWindow({a});
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "a.inp - Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type(" WRITE 3;");
  ASSERT_TRUE(WaitTitle(main, "*a.inp - Orbelin"));
  const auto later_start = [&](const std::string& file) {
    ChildProcess later({WindowProgram(), file}, env, ChildOptions{"/dev/null", "", true});
    EXPECT_EQ(later.Wait(), 0);
  };
  later_start(tmp / "home/b.inp");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: Save the changes to a.inp before opening b.inp?"));
  later_start(tmp / "home/missing.inp");
  Key("Escape");  // Cancel: the text stays
  ASSERT_NE(WaitForDialog("Error"), 0u);
  EXPECT_TRUE(WaitSaid("Error: Could not open " + tmp / "home/missing.inp" +
                       ": No such file or directory."));
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Error"));
  EXPECT_TRUE(WaitTitle(main, "*a.inp - Orbelin"));
  window->Signal(SIGTERM);
  EXPECT_EQ(window->Wait(), 0);
  EXPECT_EQ(ReadBytes(a), "WRITE 1; WRITE 3;\0"s);
}

// F5 on a script nobody edited runs it as it stands: an editor's UTF-8
// file keeps its bytes and its inode. Once another program has changed it,
// F5 asks which text to keep, and Load File takes the new one.
TEST_F(DesktopTest, UneditedScriptIsRunAsItStandsAndAChangeOnDiskIsAsked) {
  const std::string script = tmp / "home/u.inp";
  const std::string utf8 = "WRITE '\xC3\xA4';\n";  // LF, UTF-8, no NUL
  Give(script, utf8);
  Define(script);
  struct stat before, after;
  ASSERT_EQ(stat(script.c_str(), &before), 0);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "u.inp - Orbelin"));
  Activate(main);
  Key("F5");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/u.res") == "\xE4\n"; }));
  ASSERT_EQ(stat(script.c_str(), &after), 0);
  EXPECT_EQ(ReadBytes(script), utf8);
  EXPECT_EQ(after.st_ino, before.st_ino);

  Give(script, "WRITE 'theirs';\n");
  Key("F5");
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: u.inp was changed by another program since it was opened"));
  Key("alt+l");  // Load File
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/u.res") == "theirs\n"; }));
  EXPECT_EQ(ReadBytes(script), "WRITE 'theirs';\n");
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
}

// Killed outright (no chance to save), the window still leaves a copy of
// the text typed a few seconds before; the next start offers it back.
TEST_F(DesktopTest, RecoveryCopyAfterAKill) {
  const std::string script = tmp / "home/k.inp";
  Give(script, "WRITE 1;\0"s);
  Define(script);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "k.inp - Orbelin"));
  const Area area = Locate(main);
  Activate(main);
  Click(area.Center(LayoutOf(area).script));
  Key("ctrl+End");
  Type(" WRITE 2;");
  ASSERT_TRUE(WaitTitle(main, "*k.inp - Orbelin"));
  // The window's own copy: Orbelin-unsaved-TAG.inp.
  const auto copy = [&] {
    for (const auto& entry : std::filesystem::directory_iterator(tmp / "home")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("Orbelin-unsaved-") && name.ends_with(".inp"))
        return entry.path().string();
    }
    return std::string();
  };
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(copy()) == "WRITE 1; WRITE 2;\0"s; }));
  window->Signal(SIGKILL);
  window->Wait();
  ASSERT_TRUE(WaitForNoMain());
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\0"s);

  auto next = StartWindow();
  const Window again = WaitForMain();
  ASSERT_NE(WaitForDialog("Orbelin"), 0u);
  EXPECT_TRUE(WaitSaid("Question: Orbelin ended without saving the text typed for " + script));
  Key("Return");  // Restore
  ASSERT_TRUE(WaitTitle(again, "*k.inp - Orbelin"));
  Key("ctrl+s");
  ASSERT_TRUE(WaitTitle(again, "k.inp - Orbelin"));
  EXPECT_EQ(ReadBytes(script), "WRITE 1; WRITE 2;\0"s);
  Key("ctrl+q");
  EXPECT_EQ(next->Wait(), 0);
  EXPECT_EQ(copy(), "");
}

// What editor users expect: Find takes the caret to the text, New empties
// the box, and the window comes back at the size the user gave it.
TEST_F(DesktopTest, FindNewAndTheWindowsSizeNextTime) {
  const std::string script = tmp / "home/e.inp";
  Give(script, "WRITE 1;\r\nWRITE 22;\r\nWRITE 1;\0"s);
  auto window = StartWindow({script});
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "e.inp - Orbelin"));
  Activate(main);
  Key("ctrl+f");
  ASSERT_NE(WaitForDialog("Find"), 0u);
  Type("22");
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Find"));
  Type("33");  // replaces the text found
  ASSERT_TRUE(WaitTitle(main, "*e.inp - Orbelin"));
  Key("ctrl+s");
  ASSERT_TRUE(WaitTitle(main, "e.inp - Orbelin"));
  EXPECT_EQ(ReadBytes(script), "WRITE 1;\r\nWRITE 33;\r\nWRITE 1;\0"s);
  // F3 finds the next (it did nothing while two actions held it).
  Key("ctrl+Home");
  Key("ctrl+f");
  ASSERT_NE(WaitForDialog("Find"), 0u);
  Key("ctrl+a");
  Type("1;");
  Key("Return");
  ASSERT_TRUE(WaitDialogGone("Find"));
  Key("F3");
  Type("4;");
  Key("ctrl+s");
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(script) == "WRITE 1;\r\nWRITE 33;\r\nWRITE 4;\0"s; }))
      << ReadBytes(script);
  Key("ctrl+n");
  ASSERT_TRUE(WaitTitle(main, "Orbelin"));

  Xdo({"windowsize", "--sync", std::to_string(main), "300", "420"});
  XWindowAttributes before;
  ASSERT_TRUE(WaitFor(
      [&] { return XGetWindowAttributes(display_, main, &before) != 0 && before.width == 300; }));
  Key("ctrl+q");
  EXPECT_EQ(window->Wait(), 0);
  ASSERT_TRUE(WaitForNoMain());

  auto next = StartWindow();
  const Window again = WaitForMain();
  XWindowAttributes after;
  EXPECT_TRUE(WaitFor([&] {
    return XGetWindowAttributes(display_, again, &after) != 0 && Viewable(again) &&
           after.width == before.width && after.height == before.height;
  })) << after.width
      << "x" << after.height << " after " << before.width << "x" << before.height;
  Key("ctrl+q");
  EXPECT_EQ(next->Wait(), 0);
}

// File > Try values… with a final as the cache page writes it: its letters
// get fields, the first point found opens in the map as the main window's
// point does, and the fields are there again at the next opening and the
// next start. 45 finals of the 1,000 have digits adding up to 41; in the
// order of the letters the first is A=0 B=0 C=8, N 48° 10.307 E 011° 38.500
// (a Python brute force over the final's digits finds the same).
TEST_F(DesktopTest, TryValuesWithTheFinalAsWritten) {
  const std::string script = tmp / "home/final.inp";
  Give(script, "WRITE 'final';\0"s);
  Define(script);
  const std::string geo = "geo:48.171783,11.641667?q=48.171783,11.641667\n";
  std::string opened;
  for (int start = 0; start < 2; ++start) {
    auto window = StartWindow();
    const Window main = WaitForMain();
    ASSERT_TRUE(WaitTitle(main, "final.inp - Orbelin"));
    for (int opening = 0; opening < 2; ++opening) {
      Activate(main);
      MenuItem("v");
      ASSERT_NE(WaitForDialog("Try values"), 0u);
      if (start == 0 && opening == 0) {
        // The final's field has the keyboard; its letters' fields follow it
        // after the digit sum.
        Type("N 48° 1A.3B7 E 011° 3C.500");
        Key("Tab");
        Type("41");
        for (const char* values : {"0..9", "0..9", "0..9"}) {
          Key("Tab");
          Type(values);
        }
      }
      Key("Return");  // Run
      // Open in map works once the search has ended and chosen its first
      // point; a slow build ends it after the key has come, so the key is
      // given again until the map has the point (once).
      const size_t before = ReadBytes(tmp / "home/opened").size();
      opened += geo;
      bool shown = false;
      for (int attempt = 0; attempt < 10 && !shown; ++attempt) {
        Key("alt+m");
        shown = WaitFor([&] { return ReadBytes(tmp / "home/opened").size() > before; },
                        std::chrono::seconds(3));
      }
      EXPECT_TRUE(WaitFor([&] { return ReadBytes(tmp / "home/opened") == opened; }))
          << "start " << start << ", opening " << opening << ": " << ReadBytes(tmp / "home/opened");
      Key("Escape");
      ASSERT_TRUE(WaitDialogGone("Try values"));
    }
    Activate(main);
    Key("ctrl+q");
    EXPECT_EQ(window->Wait(), 0);
    ASSERT_TRUE(WaitForNoMain());
  }
}

// A search of 8,000,000 runs on its own thread: the dialog closes at once
// while it runs, and the system ending the window in the middle of another
// ends it cleanly (the search is stopped and waited for first).
TEST_F(DesktopTest, TryValuesClosedAndEndedWhileItSearches) {
  const std::string script = tmp / "home/walk.inp";
  Give(script, "VAR A, B, C;\r\nOLAT = 48 + A / 600; OLON = 11 + B / 600;\0"s);
  Define(script);
  auto window = StartWindow();
  const Window main = WaitForMain();
  ASSERT_TRUE(WaitTitle(main, "walk.inp - Orbelin"));
  Activate(main);
  MenuItem("v");
  ASSERT_NE(WaitForDialog("Try values"), 0u);
  Key("Tab");  // past the final and its digit sum
  for (int field = 0; field < 3; ++field) {
    Key("Tab");
    Type("0..199");
  }
  Key("Return");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Key("Escape");
  ASSERT_TRUE(WaitDialogGone("Try values"));
  Activate(main);
  MenuItem("v");
  ASSERT_NE(WaitForDialog("Try values"), 0u);
  Key("Return");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  window->Signal(SIGTERM);
  EXPECT_EQ(window->Wait(), 0) << Said();
  EXPECT_EQ(ReadBytes(script), "VAR A, B, C;\r\nOLAT = 48 + A / 600; OLON = 11 + B / 600;\0"s);
}

}  // namespace
}  // namespace orbelin
