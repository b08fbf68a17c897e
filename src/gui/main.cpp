// tolvi: the window. Started from the working folder, which holds the settings files and
// the problem folder.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "gui/ftolvi.h"

namespace {

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display Qt would stop with a long, obscure message: say what to do instead.
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) {
    std::fputs("tolvi: no display found; start the window with xvfb-run (xvfb-run tolvi), "
               "or use tolvi-cli for the same work without a window.\n",
               stderr);
    return 1;
  }
  QApplication app(argc, argv);
  // Numbers never follow the system's locale: Qt's default locale is pinned, and the C
  // library's, which QApplication has just taken from the environment, is put back.
  QLocale::setDefault(QLocale::c());
  std::setlocale(LC_NUMERIC, "C");
  tolvi::FTolvi window(QDir::currentPath().toStdString());
  window.show();
  // TOLVI_EXIT_WHEN_IDLE=1 ends the program as soon as the event loop first runs idle, so that
  // the cold start can be timed from outside.
  if (Set("TOLVI_EXIT_WHEN_IDLE")) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
  return app.exec();
}
