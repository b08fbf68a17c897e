// The Qt services as the program uses them, offscreen, and the windows they show: the option
// chooser, the question with a box to tick, the file dialog in the window's language with its
// messages routed through the services, and the one problem viewer (its working, its layout,
// its save from a solved panel).
#include <memory>
#include <string>

#include "app/app_state.h"
#include "gui/dftxs.h"
#include "gui/fprbls.h"
#include "gui/ftolvi.h"
#include "gui/ftria.h"
#include "gui/qt_services.h"
#include "gui_test.h"

using namespace tolvi;
using namespace tolvi::test;

namespace {

enum Action { ClickOk, DoubleClick, EnterKey, ClickEsc };

// Notes a message box's title and text, and answers it with the button given.
ModalScript::Step Answer(QStringList& seen, QMessageBox::StandardButton button) {
  return [&seen, button](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QVERIFY2(box, qPrintable(w->objectName()));
    seen << box->windowTitle() << box->text();
    box->button(button)->click();
  };
}

template <class T>
T* Viewer(const char* name) {
  return Child<T>(FPrbls::instance(), name);
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

  // The chooser splits the options at every ";" (empty ones kept), shows the caption given or
  // its own, and gives what each way of leaving it gives: a row clicked first (or none: it
  // opens on its first option), then the way out.
  void chooserGivesTheOptionPicked_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("selected");  // the row clicked first, -1 for none
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("expected");
    const QString r = "r=0.5;r=2";
    const QStringList rs = {"r=0.5", "r=2"};
    QTest::newRow("second, Ok") << r << rs << "hay 2 soluciones" << 1 << +ClickOk << 2;
    QTest::newRow("Enter at once") << r << rs << "" << -1 << +EnterKey << 1;
    QTest::newRow("a;;b, double click on the second")
        << "a;;b" << QStringList{"a", "", "b"} << "" << 1 << +DoubleClick << 2;
    QTest::newRow("second, Esc") << r << rs << "" << 1 << +ClickEsc << 0;
  }
  void chooserGivesTheOptionPicked() {
    QFETCH(QString, options);
    QFETCH(QString, caption);
    QFETCH(int, selected);
    QFETCH(int, action);
    QString title;
    QStringList items;
    ModalScript script;
    script.then([&](QWidget* chooser) {
      title = chooser->windowTitle();
      auto* list = Child<QListWidget>(chooser, "LstOps");
      items = Items(list);
      if (selected >= 0) ClickRow(list, selected);
      if (action == DoubleClick)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(selected)).center());
      else if (action == EnterKey)
        QTest::keyClick(list, Qt::Key_Return);
      else
        Click(chooser, action == ClickOk ? "BtOk" : "BtEsc");
    });
    QtServices ui;
    const int chosen = ui.chooseOption(caption.toStdString(), options.toStdString());
    QCOMPARE(script.problems(), QStringList());
    QCOMPARE(title, caption.isEmpty() ? QStringLiteral("Options") : caption);
    QTEST(items, "items");
    QTEST(chosen, "expected");
  }

  // Every option can be read whole, however long, and a long list scrolls within the screen.
  void longOptionsFitAndLongListsScroll() {
    FTria chooser;
    const QString wide = QStringLiteral("r=0.12345678 (a1=123456.789, S=98765.4321)");
    chooser.posaOpcions(wide + QStringLiteral(";r=2"));
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    auto* list = Child<QListWidget>(&chooser, "LstOps");
    QVERIFY(list->viewport()->width() >= list->fontMetrics().horizontalAdvance(wide));
    QStringList many;
    for (int i = 1; i <= 40; ++i) many << QStringLiteral("r=%1").arg(i);
    chooser.posaOpcions(many.join(QLatin1Char(';')));
    QVERIFY(chooser.height() < 600);
  }

  // The question before leaving: the box ticked with a click, then Yes; and unticked, No.
  void questionWithABoxToTick() {
    QtServices ui;
    ModalScript script;
    for (bool tick : {true, false}) {
      script.then([tick](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box && box->text() == QStringLiteral("\u00BFSalir?"));
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
  }

  // The file dialog speaks the state's language; refusing a missing file in open mode is a
  // services box, and the dialog stays open until cancelled.
  void fileDialogInTheStatesLanguage() {
    AppState state;
    state.Idioma = kEnglish;
    QtServices ui;
    ui.setState(&state);
    QStringList seen;  // the dialog's title, then the box's title and text
    ModalScript script;
    script
        .then([&](QWidget* w) {
          seen << w->windowTitle();
          QTest::keyClicks(Child(w, "IdNom"), "missing.txt");
          Click(w, "BtOk");
        })
        .then(Answer(seen, QMessageBox::Ok))
        .then([](QWidget* w) { Click(w, "BtFuig"); });
    QCOMPARE(ui.chooseFile(DialogMode::Open, dir_.path().toStdString(), "*.txt|*.*"), std::string());
    QCOMPARE(script.problems(), QStringList());
    const QString missing = QDir(dir_.path()).filePath("missing.txt");
    QCOMPARE(seen, (QStringList{"Open", "File not found", missing}));
  }

  // One viewer for the whole program, whichever services show a problem; once the services
  // that showed it last are gone its save does nothing rather than reach them; it belongs to
  // the window it was first opened for, and goes with it.
  void showProblemReusesOneViewer() {
    auto* window = new QWidget;
    auto ui = std::make_unique<QtServices>(window);
    ui->showProblem("Problema", {"E0", "R0"});
    QPointer<FPrbls> viewer = FPrbls::instance();
    std::make_unique<QtServices>()->showProblem("Problema 5", {"E5", "R5"});
    QCOMPARE(FPrbls::instance(), viewer.data());
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Problema 5"));
    QCOMPARE(viewer->texts(), (Prob{"E5", "R5"}));
    ModalScript script;
    Click(viewer, "BtG");
    QTest::qWait(50);
    QCOMPARE(script.problems(), QStringList());
    ui.reset();
    delete window;
    QVERIFY(viewer.isNull());
  }

  // A solved panel's Save shows its problem in the viewer, in the window's language; the
  // statement edited there is saved into the problem folder with the answer as it stands,
  // and the saved notice is asked.
  void savedFromASolvedPanelThroughTheViewer() {
    FTolvi window(dir_.path().toStdString());  // its own Qt services
    window.setLanguage(kEnglish);
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
    window.setLanguage(kSpanish);
  }

  // "con pasos" writes the working under the answer and takes it away while unedited; a
  // problem without working does not offer it.
  void viewerWritesTheStepsUnderTheAnswer() {
    FPrbls* viewer = FPrbls::instance();
    viewer->setSteps("\r\nSoluci\u00F3n paso a paso:\r\nDiferencia: d = 2");
    viewer->mostra("Problema", {"a1 = 2", "d = 2"}, kSpanish);
    auto* choice = Viewer<QCheckBox>("ChPassos");
    auto* answer = Viewer<QPlainTextEdit>("IdResp");
    QVERIFY(choice->isVisible() && !choice->isChecked());
    choice->setChecked(true);
    QCOMPARE(answer->toPlainText(), QStringLiteral("d = 2\nSoluci\u00F3n paso a paso:\nDiferencia: d = 2"));
    choice->setChecked(false);
    QCOMPARE(answer->toPlainText(), QStringLiteral("d = 2"));
    choice->setChecked(true);
    answer->appendPlainText(QStringLiteral("mine"));
    choice->setChecked(false);
    QVERIFY(answer->toPlainText().endsWith(QStringLiteral("mine")));
    viewer->setSteps("");
    viewer->mostra("Problema", {"a1 = 2", "d = 2"}, kSpanish);
    QVERIFY(!choice->isVisible());
  }

  // A taller viewer lowers the answer by half the difference and grows each box by half; at
  // the smallest size each box still shows two lines.
  void viewerBoxesGrowEquallyWithTheWindow() {
    FPrbls* viewer = FPrbls::instance();
    viewer->mostra("Problema", {"E", "R"}, kSpanish);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    auto* en = Viewer<QPlainTextEdit>("IdEn");
    auto* resp = Viewer<QPlainTextEdit>("IdResp");
    auto* etResp = Viewer<QLabel>("EtResp");
    QTRY_COMPARE(en->height(), resp->height());
    const int h0 = resp->height(), labelTop = etResp->y();
    viewer->resize(viewer->width(), viewer->height() + 40);
    QTRY_COMPARE(resp->height(), h0 + 20);
    QCOMPARE(en->height(), h0 + 20);
    QCOMPARE(etResp->y(), labelTop + 20);
    viewer->resize(1, 1);
    QTRY_VERIFY(en->height() < h0);
    for (QPlainTextEdit* box : {en, resp})
      QVERIFY(box->viewport()->height() >= 2 * box->fontMetrics().lineSpacing());
  }
};

QTEST_MAIN(TestQtServices)
#include "test_qt_services.moc"
