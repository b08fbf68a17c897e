// A bare Qt main window with the controls given on standard input ("Class count" lines and
// "menu Title count" lines, as count_controls prints them), laid out in one grid. It ends as
// soon as the event loop first runs idle, as tolvi does with TOLVI_EXIT_WHEN_IDLE=1.
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

QWidget* Make(const QString& kind, int i) {
  const QString text = QStringLiteral("%1 %2").arg(kind.mid(1)).arg(i);
  if (kind == QLatin1String("QLabel")) return new QLabel(text);
  if (kind == QLatin1String("QLineEdit")) return new QLineEdit;
  if (kind == QLatin1String("QPushButton")) return new QPushButton(text);
  if (kind == QLatin1String("QToolButton")) return new QToolButton;
  if (kind == QLatin1String("QComboBox")) {
    auto* c = new QComboBox;
    c->setEditable(true);
    c->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    return c;
  }
  if (kind == QLatin1String("QGroupBox")) return new QGroupBox(text);
  if (kind == QLatin1String("QFrame")) {
    auto* f = new QFrame;
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    return f;
  }
  if (kind == QLatin1String("QPlainTextEdit")) return new QPlainTextEdit;
  if (kind == QLatin1String("QTextEdit")) return new QTextEdit;
  if (kind == QLatin1String("QWidget")) return new QWidget;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  auto* central = new QWidget;
  auto* grid = new QGridLayout(central);
  int placed = 0;
  QTextStream in(stdin);
  QString line;
  while (in.readLineInto(&line)) {
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() == 3 && words[0] == QLatin1String("menu")) {
      QMenu* menu = window.menuBar()->addMenu(words[1]);
      for (int i = 0; i < words[2].toInt(); ++i) menu->addAction(QStringLiteral("Entry %1").arg(i));
      continue;
    }
    if (words.size() != 2) continue;
    for (int i = 0; i < words[1].toInt(); ++i) {
      QWidget* w = Make(words[0], i);
      if (!w) {
        std::fprintf(stderr, "bare_window: no %s\n", qPrintable(words[0]));
        return 2;
      }
      grid->addWidget(w, placed / 12, placed % 12);
      ++placed;
    }
  }
  window.setCentralWidget(central);
  window.show();
  QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
  return app.exec();
}
