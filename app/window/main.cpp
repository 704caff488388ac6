// orbelin-window: Orbelin's desktop window. A separate program from the
// command line, so that `orbelin` itself never loads Qt.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "interp/session.h"
#include "window/display_name.h"
#include "window/home_folder.h"
#include "window/qt/app_icon.h"
#include "window/qt/end_signals.h"
#include "window/qt/main_window.h"
#include "window/qt/message_box.h"
#include "window/qt/single_instance.h"
#include "window/qt/x11_windows.h"
#include "window/window_controller.h"

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Help and version need no display, so they are answered before the window
// system is touched.
bool AsksForHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version") {
      return true;
    }
  }
  return false;
}

constexpr int kAutosaveMs = 3000;
constexpr const char* kPlaceFileName = "orbelin-window.conf";

// The script named on the command line, as an absolute path of the bytes
// given: Qt's text of an argument loses a name that is not UTF-8
// ("m\xFCnchen.inp"), which `orbelin run` opens.
std::string FileArgument(int argc, char** argv, const QStringList& positional) {
  if (positional.isEmpty()) return "";
  std::string bytes = positional.first().toStdString();
  for (int i = argc - 1; i >= 1; --i) {
    if (QFile::decodeName(argv[i]) == positional.first()) {
      bytes = argv[i];
      break;
    }
  }
  if (bytes.empty() || bytes.front() == '/') return bytes;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(bytes, error);
  return error ? bytes : absolute.lexically_normal().string();
}

bool HasDisplay() {
  return !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty() ||
         !Env("QT_QPA_PLATFORM").empty();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orbelin;
  EndSignals::Block();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Orbelin's window: write a script in the upper box, B runs it, the lower box shows "
      "the results."));
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption home_option(
      QStringLiteral("home"),
      QStringLiteral("Orbelin's home folder (Orbelin.ini, Orbelin.def, examples); default "
                     "$ORBELIN_HOME, else $XDG_DATA_HOME/orbelin or ~/.local/share/orbelin."),
      QStringLiteral("DIR"));
  parser.addOption(home_option);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral("A script to open; in the window already open, when there is one."),
      QStringLiteral("[FILE]"));

  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orbelin-window"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORBELIN_VERSION));
    parser.process(core);  // prints and ends the program
    return 0;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "orbelin-window: no display to open the window on (DISPLAY is not set).\n"
                 "Scripts also run without a window: orbelin run SCRIPT\n");
    return 1;
  }

  QApplication app(argc, argv);
  // Qt took the locale from the environment; the interpreter's numbers are
  // written with a decimal point whatever the user's language.
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setApplicationName(QStringLiteral("orbelin-window"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ORBELIN_VERSION));
  QGuiApplication::setWindowIcon(AppIcon());
  parser.process(app);
  const std::string file = FileArgument(argc, argv, parser.positionalArguments());

  // Heard from the first message box on: until the window exists, the end
  // request ends the program as it is.
  EndSignals end_signals;
  QObject::connect(&end_signals, &EndSignals::Received, &app, [] { QCoreApplication::exit(1); });

  HomeFolderSources sources;
  sources.option = parser.value(home_option).toStdString();
  sources.orbelin_home = Env("ORBELIN_HOME");
  sources.xdg_data_home = Env("XDG_DATA_HOME");
  sources.home = Env("HOME");
  const std::string folder = ResolveHomeFolder(sources);

  // One window per home folder and screen: a start with another home, or on
  // another screen, opens its own. ":0" and ":0.0" are one screen.
  const QString platform = QGuiApplication::platformName();
  std::string screen;
  if (platform == QLatin1String("xcb")) {
    screen = NormalX11Display(X11DisplayName());
  } else if (platform.startsWith(QLatin1String("wayland"))) {
    screen = NormalWaylandDisplay(Env("WAYLAND_DISPLAY"), Env("XDG_RUNTIME_DIR"));
  } else {
    screen = Env("DISPLAY") + " " + Env("WAYLAND_DISPLAY");
  }
  const QString display = platform + QLatin1Char(' ') + QString::fromStdString(screen);
  SingleInstance instance(SingleInstance::DefaultFolder(),
                          display + QLatin1Char('\n') + QString::fromStdString(folder));
  if (!instance.Claim(QByteArray::fromStdString(file))) return 0;
  const std::string examples =
      FindExamplesFolder(QCoreApplication::applicationDirPath().toStdString());
  if (const std::error_code error = PrepareHomeFolder(folder, examples)) {
    // Started from a desktop's menu, standard error is seen by nobody.
    const std::string text =
        folder.empty() ? "Orbelin has no home folder: $HOME is not set. Give one with --home DIR."
                       : "Orbelin cannot use the home folder " + folder + ": " + error.message() +
                             ".\nGive another with --home DIR or $ORBELIN_HOME.";
    std::fprintf(stderr, "orbelin-window: %s\n", text.c_str());
    QMessageBox message(QMessageBox::Critical, QStringLiteral("Error"), Wrappable(text),
                        QMessageBox::Ok);
    PrepareMessage(message);
    message.exec();
    return 1;
  }

  Session session;
  MainWindow window;
  WindowController controller(window, session, folder);
  window.SetController(&controller);

  QObject::disconnect(&end_signals, nullptr, &app, nullptr);
  QObject::connect(&end_signals, &EndSignals::Received, &window,
                   [&controller] { controller.EndRequest(); });
  QObject::connect(&instance, &SingleInstance::RaiseRequested, &window, [&window] {
    window.showNormal();
    window.raise();
    window.activateWindow();
    window.BringToFront(window.MainWindowId());
  });
  QObject::connect(&instance, &SingleInstance::OpenRequested, &window,
                   [&controller](const QByteArray& path) { controller.Open(path.toStdString()); });
  // exit(), not quit(): a quit request is refused while a message box is
  // open, and the end request may come while one is (at the start, say).
  QObject::connect(&window, &MainWindow::Ended, &app, [] { QCoreApplication::exit(0); });

  // The window's size and place, as the user left them, per home folder.
  QSettings place(QString::fromStdString(folder + kPlaceFileName), QSettings::IniFormat);
  window.restoreGeometry(place.value(QStringLiteral("geometry")).toByteArray());
  QObject::connect(&window, &MainWindow::Ended, &window, [&window, &place] {
    place.setValue(QStringLiteral("geometry"), window.saveGeometry());
    place.sync();
  });

  window.SetUpNativeWindow();
  window.show();
  // After show(): a warning at start-up stands over the window.
  controller.Start(file);
  // Ended already (the end request came during a start-up message)?
  if (window.ended()) return 0;
  // Unsaved text is copied every few seconds: a crash or a kill loses at
  // most that much typing.
  QTimer autosave;
  QObject::connect(&autosave, &QTimer::timeout, &window, [&controller] { controller.Autosave(); });
  autosave.start(kAutosaveMs);
  return app.exec();
}
