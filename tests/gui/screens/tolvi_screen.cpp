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
#include "texts/catalogue.h"

namespace {

QPalette Dark() {
  QPalette p;
  const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(60, 60, 64));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::ToolTipBase, window);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::black);
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
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
  window.controller().doubleClicked("PAritm");
  window.show();
  // The worksheet builder over the window, with its sheet preview drawn.
  if (args.contains(QStringLiteral("--worksheet")))
    QTimer::singleShot(300, &window, [&window] {
      if (auto* entry = window.findChild<QAction*>(QStringLiteral("OpHoja"))) entry->trigger();
    });
  return app.exec();
}
