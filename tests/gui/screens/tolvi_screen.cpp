// The window as scripts/screenshots.sh shows it: in a language, under Fusion's light or dark
// palette, with a few panels solved, in a folder of its own. Not a test.
#include <QAction>
#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>

#include "gui/ftolvi.h"
#include "gui/qt_form.h"
#include "solvers/controls.h"
#include "texts/catalogue.h"

namespace {

// Qt derives the texts, the fields' base and the shades from the button and window colours.
QPalette Dark() {
  QPalette p(QColor(60, 60, 64), QColor(45, 45, 48));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  const QStringList args = QCoreApplication::arguments();
  if (args.contains(QStringLiteral("--dark"))) QApplication::setPalette(Dark());
  QTemporaryDir dir;
  tolvi::FTolvi window(dir.path().toStdString());
  const int lang = args.indexOf(QStringLiteral("--lang"));
  if (lang > 0 && lang + 1 < args.size())
    window.setLanguage(
        tolvi::IdiomaDelCodi(args[lang + 1].toStdString()).value_or(tolvi::kSpanish));
  window.atzar().seed(7);
  for (int16_t key : {0, 1, 3, 5, 7}) window.controller().generate(key);
  window.controller().doubleClicked(tolvi::ctl::PAritm);
  window.show();
  // The worksheet builder over the window, with its sheet preview drawn.
  if (args.contains(QStringLiteral("--worksheet")))
    QTimer::singleShot(300, &window, [&window] {
      if (auto* entry = window.findChild<QAction*>(QLatin1String(tolvi::ctl::OpHoja))) entry->trigger();
    });
  return app.exec();
}
