#include "window/qt/x11_windows.h"

#include <QtGui/qguiapplication_platform.h>

#include <QByteArray>
#include <QGuiApplication>

// Xlib last: its macros (None, Bool, Status, ...) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <vector>

namespace orbelin {

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

// A private connection to the application's display, with X errors ignored
// while it is open.
class Connection {
 public:
  Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return;
    display_ = XOpenDisplay(DisplayString(x11->display()));
    if (display_ != nullptr) previous_handler_ = XSetErrorHandler(IgnoreXError);
  }
  ~Connection() {
    if (display_ == nullptr) return;
    XSync(display_, False);
    XSetErrorHandler(previous_handler_);
    XCloseDisplay(display_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  Display* get() const { return display_; }

 private:
  Display* display_ = nullptr;
  int (*previous_handler_)(Display*, XErrorEvent*) = nullptr;
};

bool HasClass(Display* d, Window w, const std::string& class_name) {
  XClassHint hint{};
  if (XGetClassHint(d, w, &hint) == 0) return false;
  bool match = hint.res_class != nullptr && class_name == hint.res_class;
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return match;
}

std::vector<Window> Children(Display* d, Window w) {
  Window root_return, parent_return;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(d, w, &root_return, &parent_return, &children, &count) != 0 && children) {
    result.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return result;
}

// A window manager puts each client window into a frame of its own; the
// class is the client's, a few levels below the root's child.
Window FindBelow(Display* d, Window w, const std::string& class_name, int depth) {
  if (HasClass(d, w, class_name)) return w;
  if (depth == 0) return 0;
  for (Window child : Children(d, w)) {
    if (Window found = FindBelow(d, child, class_name, depth - 1)) return found;
  }
  return 0;
}

}  // namespace

std::string X11DisplayName() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return "";
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->display() == nullptr) return "";
  return DisplayString(x11->display());
}

std::uint64_t FindX11WindowByClass(const std::string& class_name) {
  Connection c;
  if (c.get() == nullptr) return 0;
  std::vector<Window> top = Children(c.get(), DefaultRootWindow(c.get()));
  // Topmost first, as the stacking order lists them last.
  for (auto it = top.rbegin(); it != top.rend(); ++it) {
    if (Window found = FindBelow(c.get(), *it, class_name, 3)) return found;
  }
  return 0;
}

void SendX11WindowMessage(std::uint64_t window, long message, std::uint64_t param, long param2) {
  Connection c;
  if (c.get() == nullptr || window == 0) return;
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = static_cast<Window>(window);
  event.xclient.message_type = XInternAtom(c.get(), kWindowMessageAtom, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = message;
  event.xclient.data.l[1] = static_cast<long>(param);
  event.xclient.data.l[2] = param2;
  XSendEvent(c.get(), static_cast<Window>(window), False, NoEventMask, &event);
}

void ActivateX11Window(std::uint64_t window) {
  Connection c;
  if (c.get() == nullptr || window == 0) return;
  Display* d = c.get();
  Window w = static_cast<Window>(window);
  XRaiseWindow(d, w);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(d, w, &attributes) != 0 && attributes.map_state == IsViewable) {
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
  }
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = w;
  event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // a request from an application
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
}

void SetX11WindowClass(std::uint64_t window, const std::string& instance,
                       const std::string& class_name) {
  Connection c;
  if (c.get() == nullptr || window == 0) return;
  QByteArray name = QByteArray::fromStdString(instance);
  QByteArray cls = QByteArray::fromStdString(class_name);
  XClassHint hint;
  hint.res_name = name.data();
  hint.res_class = cls.data();
  XSetClassHint(c.get(), static_cast<Window>(window), &hint);
}

}  // namespace orbelin
