// map-receiver: a stand-in for the moving-map program that Orbelin hands its
// point to. It owns a window of the class "OziExplorer"; on Orbelin's window
// message (number 1029, Orbelin's window, 110) it reads the exchange file
// "apidata1.$$$" in FOLDER, shows the point and prints it on stdout.
//
//   map-receiver [--once] FOLDER
//
// FOLDER is the one named in Orbelin.ini. With --once it ends after the
// first point. It prints "ready" once its window exists.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr long kHandOffMessage = 1029;

struct Point {
  std::string lat, lon;
};

bool ReadExchangeFile(const std::string& folder, Point* point) {
  std::ifstream in(folder + "/apidata1.$$$");
  if (!in) return false;
  return static_cast<bool>(std::getline(in, point->lat)) &&
         static_cast<bool>(std::getline(in, point->lon));
}

void Draw(Display* d, Window w, GC gc, const std::string& first, const std::string& second) {
  XClearWindow(d, w);
  XDrawString(d, w, gc, 10, 25, first.c_str(), static_cast<int>(first.size()));
  XDrawString(d, w, gc, 10, 45, second.c_str(), static_cast<int>(second.size()));
  XFlush(d);
}

}  // namespace

int main(int argc, char** argv) {
  bool once = false;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--once") == 0) {
      once = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || !folder.empty()) {
      std::fprintf(stderr, "usage: map-receiver [--once] FOLDER\n");
      return 2;
    } else {
      folder = argv[i];
    }
  }
  if (folder.empty()) {
    std::fprintf(stderr, "usage: map-receiver [--once] FOLDER\n");
    return 2;
  }

  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) {
    std::fprintf(stderr, "map-receiver: cannot open the X display\n");
    return 1;
  }
  const int screen = DefaultScreen(d);
  Window w = XCreateSimpleWindow(d, RootWindow(d, screen), 0, 0, 360, 64, 1, BlackPixel(d, screen),
                                 WhitePixel(d, screen));
  XStoreName(d, w, "Map receiver");
  XClassHint hint;
  std::string name = "map-receiver", cls = "OziExplorer";
  hint.res_name = name.data();
  hint.res_class = cls.data();
  XSetClassHint(d, w, &hint);
  const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
  Atom delete_window = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, w, &delete_window, 1);
  const Atom window_message = XInternAtom(d, "ORBELIN_WINDOW_MESSAGE", False);
  XSelectInput(d, w, ExposureMask | StructureNotifyMask);
  XMapWindow(d, w);
  GC gc = XCreateGC(d, w, 0, nullptr);
  XSetForeground(d, gc, BlackPixel(d, screen));
  XSync(d, False);
  std::printf("ready\n");
  std::fflush(stdout);

  std::string first = "Waiting for a point in", second = folder;
  bool done = false;
  while (!done) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == Expose && e.xexpose.count == 0) {
      Draw(d, w, gc, first, second);
    } else if (e.type == ClientMessage && e.xclient.message_type == protocols &&
               static_cast<Atom>(e.xclient.data.l[0]) == delete_window) {
      done = true;
    } else if (e.type == ClientMessage && e.xclient.message_type == window_message &&
               e.xclient.format == 32 && e.xclient.data.l[0] == kHandOffMessage) {
      Point p;
      if (ReadExchangeFile(folder, &p)) {
        std::printf("point %s %s sender 0x%lx code %ld\n", p.lat.c_str(), p.lon.c_str(),
                    static_cast<unsigned long>(e.xclient.data.l[1]), e.xclient.data.l[2]);
        first = "Point " + p.lat + " " + p.lon;
        second = "from Orbelin";
      } else {
        std::printf("unreadable exchange file\n");
        first = "Cannot read the exchange file in";
        second = folder;
      }
      std::fflush(stdout);
      Draw(d, w, gc, first, second);
      done = once;
    }
  }
  XFreeGC(d, gc);
  XDestroyWindow(d, w);
  XCloseDisplay(d);
  return 0;
}
