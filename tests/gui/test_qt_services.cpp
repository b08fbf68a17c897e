// The Qt services as the program uses them, offscreen: the file dialog in the window's
// language with its messages routed through the services, the one problem viewer and its
// save from a solved panel. (The option chooser they show is test_ftria's.)
#include <memory>
#include <string>

#include "app/app_state.h"
#include "gui/dftxs.h"
#include "gui/fprbls.h"
#include "gui/ftolvi.h"
#include "gui/qt_services.h"
#include "gui_test.h"

using namespace tolvi;
using namespace tolvi::test;

namespace {

// Notes a message box's title and text, and answers it with the button given.
ModalScript::Step Answer(QStringList& seen, QMessageBox::StandardButton button) {
  return [&seen, button](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY2(box, qPrintable(w->objectName()));
    seen << box->windowTitle() << box->text();
    box->button(button)->click();
  };
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

  // The question before leaving: the box ticked with a click, then Yes; and unticked, No.
  void questionWithABoxToTick() {
    QtServices ui;
    QStringList seen;
    ModalScript script;
    for (bool tick : {true, false}) {
      script.then([&seen, tick](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        seen << box->text() << box->checkBox()->text();
        if (tick) QTest::mouseClick(box->checkBox(), Qt::LeftButton, {}, QPoint(4, 4));
        box->button(tick ? QMessageBox::Yes : QMessageBox::No)->click();
      });
    }
    bool ticked = false;
    QVERIFY(ui.askYesNoOptOut("\u00BFSalir?", "Tolvi", "No volver a preguntar", ticked));
    QVERIFY(ticked);
    QVERIFY(!ui.askYesNoOptOut("\u00BFSalir?", "Tolvi", "No volver a preguntar", ticked));
    QVERIFY(!ticked);
    QCOMPARE(script.problems(), QStringList());
    QCOMPARE(seen, (QStringList{"\u00BFSalir?", "No volver a preguntar", "\u00BFSalir?",
                                "No volver a preguntar"}));
  }

  // The file dialog speaks the state's language; refusing a missing file in open mode is a
  // services box, and the dialog stays open until cancelled.
  void fileDialogInTheStatesLanguage() {
    AppState state;
    state.Idioma = kEnglish;
    QtServices ui;
    ui.setState(&state);
    QStringList seen;  // the dialog's title and name label, then the box's title and text
    ModalScript script;
    script
        .then([&](QWidget* w) {
          seen << w->windowTitle() << Child<QLabel>(w, "EtNom")->text();
          QTest::keyClicks(Child(w, "IdNom"), "missing.txt");
          Click(w, "BtOk");
        })
        .then(Answer(seen, QMessageBox::Ok))
        .then([](QWidget* w) { Click(w, "BtFuig"); });
    QCOMPARE(ui.chooseFile(DialogMode::Open, dir_.path().toStdString(), "*.txt|*.*"), std::string());
    QCOMPARE(script.problems(), QStringList());
    const QString missing = QDir(dir_.path()).filePath("missing.txt");
    QCOMPARE(seen, (QStringList{"Open", "Name", "File not found", missing}));
  }

  // One viewer for the whole program, whichever services show a problem; it belongs to the
  // window it was first opened for, and goes with it.
  void showProblemReusesOneViewer() {
    auto* window = new QWidget;
    auto ui = std::make_unique<QtServices>(window);
    ui->showProblem("Problema", {"E0", "R0"});
    QPointer<FPrbls> viewer = FPrbls::instance();
    QtServices other;
    other.showProblem("Problema", {"E5", "R5"});
    QCOMPARE(FPrbls::instance(), viewer.data());
    int viewers = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) viewers += bool(qobject_cast<FPrbls*>(w));
    QCOMPARE(viewers, 1);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->texts(), (Prob{"E5", "R5"}));
    ui.reset();
    delete window;
    QVERIFY(viewer.isNull());
  }

  // A solved panel's Save shows its problem in the viewer, in the window's language; the
  // statement edited there is saved into the problem folder with the answer as it stands,
  // and the saved notice is asked.
  void savedFromASolvedPanelThroughTheViewer() {
    FTolvi window(dir_.path().toStdString());  // its own Qt services
    window.controller().state().Idioma = kEnglish;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Click(&window, N(ctl::BtGen(0)));
    Click(&window, N(ctl::BtGuard(0)));
    FPrbls* viewer = FPrbls::instance();
    QVERIFY(viewer->isVisible());
    QCOMPARE(Child<QLabel>(viewer, "EtEn")->text(), QStringLiteral("Exercise"));
    const std::string answer = viewer->texts().Resp;
    QVERIFY(!answer.empty());
    auto* en = Child<QPlainTextEdit>(viewer, "IdEn");
    en->clear();
    QTest::keyClicks(en, "edited line one");
    QTest::keyClick(en, Qt::Key_Return);
    QTest::keyClicks(en, "line two");

    QStringList seen;  // the dialog's title and folder, then the notice's title and text
    ModalScript script;
    script
        .then([&](QWidget* w) {
          seen << w->windowTitle()
               << QString::fromStdString(qobject_cast<DFtxs*>(w)->model().carpAct());
          QTest::keyClicks(Child(w, "IdNom"), "probs");
          Click(w, "BtOk");
        })
        .then(Answer(seen, QMessageBox::No));
    Click(viewer, "BtG");
    QCOMPARE(script.problems(), QStringList());
    const QString prbls = QDir(dir_.path()).filePath("Prbls");
    const QString file = QDir(prbls).filePath("probs.txt");
    QCOMPARE(ReadAll(file), "edited line one\r\nline two\r\nR:     " + answer + "\r\n\r\n");
    QCOMPARE(seen, (QStringList{"Save", prbls, "Saved at...  ", file + "\n\nDo you want see it?"}));
  }

  // Once the services that showed the viewer are gone, its save does nothing rather than
  // reach them.
  void viewerOutlivingItsServicesSavesNothing() {
    auto ui = std::make_unique<QtServices>();
    ui->showProblem("Problema", {"E", "R"});
    ui.reset();
    ModalScript script;
    Click(FPrbls::instance(), "BtG");
    QTest::qWait(50);
    QCOMPARE(script.problems(), QStringList());
  }
};

QTEST_MAIN(TestQtServices)
#include "test_qt_services.moc"
