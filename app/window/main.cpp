// orbelin-window: Orbelin's desktop window. A separate program from the
// command line, so that `orbelin` itself never loads Qt.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "end_signals.h"
#include "interp/session.h"
#include "shell/home_folder.h"
#include "shell/qt/main_window.h"
#include "shell/window_controller.h"
#include "single_instance.h"

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
  parser.process(app);

  SingleInstance instance(SingleInstance::DefaultFolder());
  if (!instance.Claim()) return 0;

  HomeFolderSources sources;
  sources.option = parser.value(home_option).toStdString();
  sources.orbelin_home = Env("ORBELIN_HOME");
  sources.xdg_data_home = Env("XDG_DATA_HOME");
  sources.home = Env("HOME");
  const std::string folder = ResolveHomeFolder(sources);
  const std::string examples =
      FindExamplesFolder(QCoreApplication::applicationDirPath().toStdString());
  if (!PrepareHomeFolder(folder, examples)) {
    std::fprintf(stderr, "orbelin-window: cannot use the home folder '%s'\n", folder.c_str());
    return 1;
  }

  Session session;
  MainWindow window;
  WindowController controller(window, session, folder);
  window.SetController(&controller);

  EndSignals end_signals;
  QObject::connect(&end_signals, &EndSignals::Received, &window,
                   [&controller] { controller.EndRequest(); });
  QObject::connect(&instance, &SingleInstance::RaiseRequested, &window, [&window] {
    window.showNormal();
    window.raise();
    window.activateWindow();
    window.BringToFront(window.MainWindowId());
  });
  QObject::connect(&window, &MainWindow::Ended, &app, &QCoreApplication::quit);

  controller.Start();
  window.SetUpNativeWindow();
  window.show();
  return app.exec();
}
