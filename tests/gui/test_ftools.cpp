// The tools editor and the About box, driven as a person would from the main window's menus,
// with scripted services (no dialog blocks, nothing is started). Runs offscreen.
#include <memory>

#include "solvers/recording_services.h"
#include "gui/frmabout.h"
#include "gui/ftolvi.h"
#include "gui/ftools.h"
#include "gui_test.h"
#include "window_fixture.h"

using namespace tolvi;
using namespace tolvi::test;

class TestFTools : public QObject, WindowFixture {
  Q_OBJECT

 private:
  FTools* openEditor() {
    Child<QAction>(w_.get(), ctl::OpEdTools)->trigger();
    return Child<FTools>(w_.get(), "FTools");
  }
  static QLineEdit* field(FTools* e, int i) {
    return Child<QLineEdit>(e, QStringLiteral("Ed(%1)").arg(i));
  }
  static QStringList titles(FTools* e) { return Items(Child<QListWidget>(e, "Lst")); }

 private slots:
  // Not waited for until exposed: an exposed main window takes the focus back from the editor.
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    ui_ = std::make_unique<RecordingServices>();
    w_ = std::make_unique<FTolvi>(dir_->path().toStdString(), ui_.get());
    w_->show();
  }
  void cleanup() { w_.reset(); }

  void addedToolAppearsInTheMenuAndStarts() {
    FTools* e = openEditor();
    QTest::keyClicks(field(e, 0), "Bloc, notas");
    QTest::keyClicks(field(e, 1), "notepad.exe");
    QTest::keyClicks(field(e, 3), "x.txt");
    Click(e, "OkEd");
    QCOMPARE(titles(e), QStringList{"Bloc, notas"});
    QVERIFY(field(e, 0)->text().isEmpty());
    Click(e, "BtOk");
    QVERIFY(!e->isVisible());

    auto* tools = Child<QMenu>(w_.get(), "Tools");
    QAction* entry = Child<QAction>(w_.get(), N(ctl::ITool(1)));
    QVERIFY(tools->actions().contains(entry));
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->text(), QStringLiteral("Bloc, notas"));
    QVERIFY(!Child<QAction>(w_.get(), N(ctl::ITool(2)))->isVisible());
    entry->trigger();
    QCOMPARE(ui_->started.size(), size_t{1});
    QCOMPARE(ui_->started[0].command.args, std::vector<std::string>{"x.txt"});
  }

  // Opening the editor again brings the same one back as it stands; Esc writes nothing.
  void oneEditorAtATimeAndEscapeWritesNothing() {
    FTools* e = openEditor();
    QTest::keyClicks(field(e, 0), "A");
    Click(e, "OkEd");
    QTest::keyClicks(field(e, 0), "typed");
    QCOMPARE(openEditor(), e);
    QCOMPARE(w_->findChildren<FTools*>().size(), 1);
    QCOMPARE(field(e, 0)->text(), QStringLiteral("typed"));
    Click(e, "BtEsc");
    QVERIFY(!QFile::exists(dir_->filePath("Tools.rel")));
    QVERIFY(!Child<QAction>(w_.get(), N(ctl::ITool(1)))->isVisible());
  }

  // The editor's refusals and questions go through the services: an untitled tool is
  // refused with a message; removal asks first, naming the tool in capitals.
  void refusalsAndQuestionsGoThroughTheServices() {
    QVERIFY(WriteFile(dir_->filePath("Tools.rel"),
                      "a\r\nf\r\n\r\n\r\nñu\r\ng\r\n\r\n\r\nc\r\nh\r\n\r\n\r\n\r\n"));
    FTools* e = openEditor();
    ClickRow(Child<QListWidget>(e, "Lst"), 1);
    QCOMPARE(field(e, 1)->text(), QStringLiteral("g"));
    ui_->yesNoAnswers = {false, true};
    Click(e, "BtBrr");
    Click(e, "BtBrr");
    QCOMPARE(ui_->questions.size(), size_t{2});
    QCOMPARE(ui_->questions[0].text, std::string("¿Eliminar ÑU ?"));
    QCOMPARE(titles(e), (QStringList{"a", "c"}));
    Click(e, "BtBrr");  // nothing selected now: no question
    QCOMPARE(ui_->questions.size(), size_t{2});
    QTest::keyClicks(field(e, 1), "f");
    Click(e, "OkEd");
    QCOMPARE(ui_->messages.size(), size_t{1});
    QCOMPARE(titles(e), (QStringList{"a", "c"}));
  }

  void browsingFillsFileAndFolder() {
    FTools* e = openEditor();
    ui_->fileAnswers = {"/opt/eines/calc"};
    Click(e, "BtCerc");
    QCOMPARE(ui_->fileRequests.size(), size_t{1});
    QCOMPARE(ui_->fileRequests[0].mode, DialogMode::Open);
    QCOMPARE(field(e, 1)->text(), QStringLiteral("calc"));
    QCOMPARE(field(e, 2)->text(), QStringLiteral("/opt/eines"));
  }

  // The command-line argument reaches the editor's language (the rule is tests/app's).
  void captionsFollowTheLanguage() {
    AppState state;
    state.CarpIni = dir_->path().toStdString();
    FTools e(*ui_, state, "CAT", nullptr);
    QCOMPARE(e.windowTitle(), QStringLiteral("Edició eines"));
    QCOMPARE(Child<QLabel>(&e, "Et(2)")->text(), QStringLiteral("Directori de treball"));
    QCOMPARE(state.Idioma, kCatalan);
  }

  void enterWalksTheFieldsToTheStoreButton() {
    FTools* e = openEditor();
    QVERIFY(QTest::qWaitForWindowActive(e));
    field(e, 0)->setFocus();
    QTest::keyClicks(field(e, 0), "A");
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(e, "OkEd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(titles(e), QStringList{"A"});
  }

  void aboutBoxIsOneWithTitleAndVersion() {
    Child<QAction>(w_.get(), ctl::OpQuant)->trigger();
    Child<QAction>(w_.get(), ctl::OpQuant)->trigger();
    const QList<frmAbout*> boxes = w_->findChildren<frmAbout*>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0]->windowTitle(), QStringLiteral("Sobre Tolvi"));
    QCOMPARE(Child<QLabel>(boxes[0], "lblVersion")->text(), QStringLiteral("Versión 2.0.0"));
    QVERIFY(boxes[0]->isVisible());
  }
};

QTEST_MAIN(TestFTools)
#include "test_ftools.moc"
