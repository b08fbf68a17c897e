// Prints the controls of Tolvi's main window, one "Class count" line per kind, then one
// "menu Title count" line per menu: what bare_window is to build. Runs offscreen.
//
// A control is a widget placed in the window by the program: internal parts of a control (the
// editor of a combo box, the viewport of a text box, the extension button of the menu bar) are
// left out, since bare_window's controls make the same parts for themselves.
#include <QApplication>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextStream>

#include "gui/ftolvi.h"
#include "solvers/recording_services.h"

namespace {

// The Qt class a widget is made from (Tolvi's own subclasses count as their Qt base).
QString QtClass(const QObject* o) {
  const QMetaObject* m = o->metaObject();
  while (m && !QByteArray(m->className()).startsWith('Q')) m = m->superClass();
  return m ? QString::fromLatin1(m->className()) : QString();
}

// Placed by the program: every widget above it, up to the window, only holds other widgets.
bool Placed(const QWidget* w) {
  static const QStringList kContainers = {"QWidget", "QFrame", "QGroupBox", "QMainWindow"};
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (!kContainers.contains(QtClass(p))) return false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir folder;
  tolvi::RecordingServices ui;
  tolvi::FTolvi window(folder.path().toStdString(), &ui);

  QMap<QString, int> counts;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (w->isWindow() || !Placed(w)) continue;
    if (w == window.centralWidget() || qobject_cast<const QMenuBar*>(w)) continue;
    ++counts[QtClass(w)];
  }
  QTextStream out(stdout);
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) out << it.key() << ' ' << *it << '\n';
  for (const QAction* a : window.menuBar()->actions()) {
    if (!a->menu()) continue;
    QString title = a->text().remove(QLatin1Char('&'));
    title.replace(QLatin1Char(' '), QLatin1Char('_'));
    out << "menu " << title << ' ' << a->menu()->actions().size() << '\n';
  }
  out.flush();
  return out.status() == QTextStream::Ok ? 0 : 1;
}
