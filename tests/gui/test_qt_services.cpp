// The Qt services as the program uses them, offscreen: the option chooser reached through the
// solvers' TriaOpcio, the file dialog in the window's language with its messages routed
// through the services, the one problem viewer and its save, and the geometric row of the
// main window offering the infinite sum and asking for a ratio.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "gui/dftxs.h"
#include "gui/fprbls.h"
#include "gui/ftolvi.h"
#include "gui/qt_services.h"
#include "solvers/tria.h"

using namespace tolvi;

namespace {

// Plays the user's part in modal windows: each step runs once on the next modal window that
// comes to the top. A modal window nobody expected, or one a step left open for long, is
// closed and noted, so that a test fails instead of hanging.
class ModalScript : public QObject {
 public:
  using Step = std::function<void(QWidget*)>;

  ModalScript() {
    poll_.setInterval(10);
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
    poll_.start();
  }
  ModalScript& then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  bool finished() const { return steps_.empty(); }
  QStringList unexpected;

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (modal == last_) {
      if (since_.elapsed() > 5000) close(modal, QStringLiteral("left open: "));
      return;
    }
    last_ = modal;
    since_.start();
    if (steps_.empty()) {
      close(modal, QStringLiteral("unexpected: "));
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    // Run from a timer of its own, so that a window the step opens is played in turn.
    QTimer::singleShot(0, modal, [step = std::move(step), w = QPointer<QWidget>(modal)] {
      if (w) step(w);
    });
  }
  void close(QWidget* modal, const QString& why) {
    unexpected << why + modal->windowTitle();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }

  QTimer poll_;
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QElapsedTimer since_;
};

template <class T = QWidget>
T* Child(QWidget* parent, const char* name) {
  T* w = parent->findChild<T*>(QLatin1String(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

void Click(QWidget* parent, const char* name) {
  QTest::mouseClick(Child(parent, name), Qt::LeftButton);
}

// Picks a row of the chooser and presses Ok; row -1 presses Esc.
ModalScript::Step Choose(int row, QString* title = nullptr, QStringList* items = nullptr) {
  return [=](QWidget* chooser) {
    QVERIFY2(chooser->objectName() == QLatin1String("FTria"), qPrintable(chooser->objectName()));
    auto* list = Child<QListWidget>(chooser, "LstOps");
    if (title) *title = chooser->windowTitle();
    if (items) {
      for (int i = 0; i < list->count(); ++i) *items << list->item(i)->text();
    }
    if (row < 0) {
      QTest::keyClick(list, Qt::Key_Escape);
      return;
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    Click(chooser, "BtOk");
  };
}

struct Box {
  QString title;
  QString text;
};

// Notes a message box and answers it with the button given.
ModalScript::Step Answer(std::vector<Box>& seen, QMessageBox::StandardButton button) {
  return [&seen, button](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY2(box, qPrintable(w->objectName()));
    seen.push_back({box->windowTitle(), box->text()});
    box->button(button)->click();
  };
}

// Answers every dialog at once, as the window's tests do.
struct ScriptedServices : Services {
  std::vector<std::string> messages;
  void message(std::string_view text, std::string_view, Icon) override { messages.emplace_back(text); }
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  int chooseOption(std::string_view, std::string_view) override { return 1; }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return true; }
  bool openDocument(const std::string&) override { return true; }
};

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int Viewers() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<FPrbls*>(w)) ++n;
  return n;
}

}  // namespace

class TestQtServices : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QVERIFY(dir_.isValid());
  }
  void cleanup() { FPrbls::release(); }

  // The chooser's caption by language when the solver gives none, and the choice returned.
  void chooserThroughTriaOpcio_data() {
    QTest::addColumn<int>("idioma");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("expected");
    QTest::newRow("Catalan, the second") << 1 << 1 << "Tria l'opció:" << 2;
    QTest::newRow("Catalan, Esc") << 1 << -1 << "Tria l'opció:" << 0;
    QTest::newRow("English, the first") << 0 << 0 << "Select option:" << 1;
    QTest::newRow("Spanish, the second") << 2 << 1 << "Elegir opción:" << 2;
  }
  void chooserThroughTriaOpcio() {
    QFETCH(int, idioma);
    QFETCH(int, row);
    QFETCH(QString, title);
    QFETCH(int, expected);
    QtServices ui;
    QString shownTitle;
    QStringList items;
    ModalScript script;
    script.then(Choose(row, &shownTitle, &items));
    const int16_t chosen = TriaOpcio(ui, static_cast<int16_t>(idioma), "", "r=0.5;r=2");
    QCOMPARE(script.unexpected, QStringList());
    QVERIFY(script.finished());
    QCOMPARE(shownTitle, title);
    QCOMPARE(items, (QStringList{"r=0.5", "r=2"}));
    QCOMPARE(int(chosen), expected);
  }

  // The file dialog speaks the state's language, and its messages are the services' boxes.
  void fileDialogInTheStatesLanguage() {
    AppState state;
    state.Idioma = 0;
    state.CarpIni = dir_.path().toStdString();
    QtServices ui;
    ui.setState(&state);
    std::vector<Box> boxes;
    QString title, name;
    ModalScript script;
    script
        .then([&](QWidget* w) {
          title = w->windowTitle();
          name = Child<QLabel>(w, "EtNom")->text();
          QTest::keyClicks(Child(w, "IdNom"), "missing.txt");
          Click(w, "BtOk");  // open mode refuses a missing file and stays open
        })
        .then(Answer(boxes, QMessageBox::Ok))
        .then([](QWidget* w) { Click(w, "BtFuig"); });
    const std::string chosen = ui.chooseFile(0, dir_.path().toStdString(), "*.txt|*.*");
    QCOMPARE(script.unexpected, QStringList());
    QVERIFY(script.finished());
    QCOMPARE(chosen, std::string());
    QCOMPARE(title, QStringLiteral("Open"));
    QCOMPARE(name, QStringLiteral("Name"));
    QCOMPARE(boxes.size(), size_t{1});
    QCOMPARE(boxes[0].title, QStringLiteral("File not found"));
    QVERIFY(boxes[0].text.endsWith(QStringLiteral("missing.txt")));
  }

  void showProblemReusesOneViewer() {
    auto* window = new QWidget;
    auto ui = std::make_unique<QtServices>(window);
    ui->showProblem("Problema", {"E0", "R0"});
    QPointer<FPrbls> viewer = FPrbls::instance();
    ui->showProblem("Problema", {"E3\r\nCalcula: a5", "R3"});
    QCOMPARE(viewer->texts(), (Prob{"E3\r\nCalcula: a5", "R3"}));
    QtServices other;
    other.showProblem("Problema", {"E5", "R5"});
    QCOMPARE(FPrbls::instance(), viewer.data());
    QCOMPARE(Viewers(), 1);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->texts(), (Prob{"E5", "R5"}));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Problema"));
    // The viewer belongs to the window it was first opened for, and goes with it.
    ui.reset();
    delete window;
    QVERIFY(viewer.isNull());
  }

  // The viewer's save: the file dialog opens on the problem folder in the state's language,
  // the edited texts are appended, and the saved notice is asked.
  void viewerSavesIntoTheProblemFolder() {
    AppState state;
    state.Idioma = 0;
    state.CarpIni = dir_.path().toStdString();
    QtServices ui;
    ui.setState(&state);
    ui.showProblem("Problema", {"stored", "a5 = 14"});
    FPrbls* viewer = FPrbls::instance();
    QCOMPARE(Child<QLabel>(viewer, "EtEn")->text(), QStringLiteral("Exercise"));
    auto* en = Child<QPlainTextEdit>(viewer, "IdEn");
    en->clear();
    QTest::keyClicks(en, "edited");

    std::vector<Box> boxes;
    QString title, folder;
    ModalScript script;
    script
        .then([&](QWidget* w) {
          auto* dialog = qobject_cast<DFtxs*>(w);
          QVERIFY(dialog);
          title = w->windowTitle();
          folder = QString::fromStdString(dialog->model().carpAct());
          QTest::keyClicks(Child(w, "IdNom"), "probs");
          Click(w, "BtOk");
        })
        .then(Answer(boxes, QMessageBox::No));
    Click(viewer, "BtG");
    QCOMPARE(script.unexpected, QStringList());
    QVERIFY(script.finished());
    QCOMPARE(title, QStringLiteral("Save"));
    const QString prbls = QDir(dir_.path()).filePath(QStringLiteral("Prbls"));
    QCOMPARE(folder, prbls);
    const QString file = QDir(prbls).filePath(QStringLiteral("probs.txt"));
    QCOMPARE(ReadAll(file), std::string("edited\r\nR:     a5 = 14\r\n\r\n"));
    QCOMPARE(boxes.size(), size_t{1});
    QCOMPARE(boxes[0].title, QStringLiteral("Saved at...  "));
    QVERIFY(boxes[0].text.startsWith(file));
  }

  // The viewer is shared by the whole program; once the services that showed it are gone,
  // its save does nothing rather than reach them.
  void viewerOutlivingItsServicesSavesNothing() {
    auto ui = std::make_unique<QtServices>();
    ui->showProblem("Problema", {"E", "R"});
    ui.reset();
    ModalScript script;
    Click(FPrbls::instance(), "BtG");
    QTest::qWait(50);
    QCOMPARE(script.unexpected, QStringList());
  }

  // Enter on the ratio offers the infinite-sum row for |r| < 1 or an empty ratio, and
  // withdraws it otherwise; the focus moves on to n.
  void ratioOffersTheInfiniteSum_data() {
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<bool>("offered");
    QTest::newRow("0.5") << "0.5" << true;
    QTest::newRow("-1/3") << "-1/3" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("2") << "2" << false;
    QTest::newRow("-1") << "-1" << false;
  }
  void ratioOffersTheInfiniteSum() {
    QFETCH(QString, ratio);
    QFETCH(bool, offered);
    ScriptedServices services;
    FTolvi window(dir_.path().toStdString(), &services);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* r = Child<QLineEdit>(&window, "Idg(1)");
    if (!offered) {  // offer the row first, so that withdrawing it shows
      QTest::keyClicks(r, "0.5");
      QTest::keyClick(r, Qt::Key_Return);
      QVERIFY(Child(&window, "Idg(5)")->isVisible());
      r->clear();
    }
    r->setFocus();
    QTest::keyClicks(r, ratio);
    QTest::keyClick(r, Qt::Key_Return);
    QCOMPARE(Child(&window, "Idg(5)")->isVisible(), offered);
    for (const char* name : {"OkS", "EtS", "EtInf", "Etdecr"})
      QVERIFY2(Child(&window, name)->isEnabled() == offered, name);
    QCOMPARE(window.focusWidget(), Child(&window, "Idg(2)"));
    QVERIFY(services.messages.empty());
  }

  // The case a_2 = 2, n = 3, S = 9 has two ratios: the real chooser asks, and the one chosen
  // is solved; Esc ends the solve without writing anything.
  void severalRatiosAreChosenInTheChooser_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("last");
    QTest::newRow("the first") << 0 << "1/3" << "2/3";
    QTest::newRow("the second") << 1 << "2/3" << "4/3";
    QTest::newRow("Esc") << -1 << "" << "";
  }
  void severalRatiosAreChosenInTheChooser() {
    QFETCH(int, row);
    QFETCH(QString, ratio);
    QFETCH(QString, last);
    FTolvi window(dir_.path().toStdString());  // its own Qt services
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto field = [&](const char* name) { return Child<QLineEdit>(&window, name); };
    QTest::keyClicks(field("Idg(1)"), "0.5");
    QTest::keyClick(field("Idg(1)"), Qt::Key_Return);
    field("Idg(1)")->clear();
    field("Id1g")->clear();
    QTest::keyClicks(field("Id1g"), "2");
    QTest::keyClicks(field("Idg(0)"), "2");
    QTest::keyClicks(field("Idg(2)"), "3");
    QTest::keyClicks(field("Idg(5)"), "9");

    QString title;
    QStringList items;
    ModalScript script;
    script.then(Choose(row, &title, &items));
    QTest::keyClick(field("Idg(5)"), Qt::Key_Return);
    QCOMPARE(script.unexpected, QStringList());
    QVERIFY(script.finished());
    QCOMPARE(title, QStringLiteral("hay 2 soluciones"));
    QCOMPARE(items, (QStringList{"r=1/3", "r=2/3"}));
    QCOMPARE(field("Idg(1)")->text(), ratio);
    QCOMPARE(field("Idg(3)")->text(), last);
    QCOMPARE(Child(&window, "BtGuard(2)")->isEnabled(), row >= 0);
  }
};

QTEST_MAIN(TestQtServices)
#include "test_qt_services.moc"
