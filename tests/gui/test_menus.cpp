// The main window's menus of windows and documents, driven as a person would: the tools
// editor and the About box with scripted services (no dialog blocks, nothing is started), and
// Info > Info and Info > Contacto on the real services. Runs offscreen.
#include <QDesktopServices>
#include <memory>

#include "app/info.h"
#include "gui/frmabout.h"
#include "gui/ftolvi.h"
#include "gui/ftools.h"
#include "gui_test.h"
#include "solvers/recording_services.h"
#include "window_fixture.h"

using namespace tolvi;
using namespace tolvi::test;

class TestMenus : public QObject, WindowFixture {
  Q_OBJECT

 public slots:
  // Stands in for the system's viewer: every file the program asks to open comes here.
  void openUrl(const QUrl& url) { opened_ << url; }

 private:
  QList<QUrl> opened_;

  FTools* openEditor() {
    Child<QAction>(w_.get(), ctl::OpEdTools)->trigger();
    return Child<FTools>(w_.get(), "FTools");
  }
  static QLineEdit* field(FTools* e, int i) {
    return Child<QLineEdit>(e, QStringLiteral("Ed(%1)").arg(i));
  }
  static QStringList titles(FTools* e) { return Items(Child<QListWidget>(e, "Lst")); }

 private slots:
  void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  // Not waited for until exposed: an exposed main window takes the focus back from the editor.
  void init() { openWindow(false); }
  void cleanup() { w_.reset(); }

  // Browse fills the file and its folder; Enter walks the fields to the store button, which
  // stores the tool; Ok writes the list, whose entry the Tools menu shows and starts.
  void addedToolAppearsInTheMenuAndStarts() {
    FTools* e = openEditor();
    QVERIFY(QTest::qWaitForWindowActive(e));
    ui_->fileAnswers = {dir_->filePath("calc.exe").toStdString()};
    Click(e, "BtCerc");
    QCOMPARE(field(e, 1)->text(), QStringLiteral("calc.exe"));
    QCOMPARE(field(e, 2)->text(), dir_->path());
    field(e, 0)->setFocus();
    QTest::keyClicks(field(e, 0), "Bloc, notas");
    for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(field(e, 3), "x.txt");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Child<QWidget>(e, "OkEd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(titles(e), QStringList{"Bloc, notas"});
    QVERIFY(field(e, 0)->text().isEmpty());
    Click(e, "BtOk");
    QVERIFY(!e->isVisible());

    QAction* entry = Child<QAction>(w_.get(), N(ctl::ITool(1)));
    QVERIFY(Child<QMenu>(w_.get(), N(ctl::Tools))->actions().contains(entry) && entry->isVisible());
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
    QCOMPARE(field(e, 0)->text(), QStringLiteral("typed"));
    Click(e, "BtEsc");
    QVERIFY(!QFile::exists(dir_->filePath("Tools.rel")));
  }

  // The editor's refusals and questions go through the services: an untitled tool is
  // refused with a message; removal asks first, naming the tool in capitals.
  void refusalsAndQuestionsGoThroughTheServices() {
    QVERIFY(WriteFile(dir_->filePath("Tools.rel"),
                      "a\r\nf\r\n\r\n\r\nñu\r\ng\r\n\r\n\r\nc\r\nh\r\n\r\n\r\n\r\n"));
    FTools* e = openEditor();
    ClickRow(Child<QListWidget>(e, "Lst"), 1);
    ui_->yesNoAnswers = {false, true};
    Click(e, "BtBrr");
    Click(e, "BtBrr");
    QCOMPARE(ui_->questions.size(), size_t{2});
    QCOMPARE(ui_->questions[0].text, std::string("¿Eliminar ÑU ?"));
    QCOMPARE(titles(e), (QStringList{"a", "c"}));
    QTest::keyClicks(field(e, 1), "f");
    Click(e, "OkEd");
    QCOMPARE(ui_->messages.size(), size_t{1});
  }

  // The command-line argument reaches the editor's language (the rule is tests/app's).
  void captionsFollowTheLanguage() {
    AppState state;
    state.CarpIni = dir_->path().toStdString();
    FTools e(*ui_, state, "CAT", nullptr);
    QCOMPARE(e.windowTitle(), QStringLiteral("Edició eines"));
    QCOMPARE(state.Idioma, kCatalan);
  }

  void aboutBoxIsOneWithTitleAndVersion() {
    Child<QAction>(w_.get(), ctl::OpQuant)->trigger();
    Child<QAction>(w_.get(), ctl::OpQuant)->trigger();
    const QList<frmAbout*> boxes = w_->findChildren<frmAbout*>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(Child<QLabel>(boxes[0], "lblVersion")->text(), QStringLiteral("Versión 2.0.0"));
    QVERIFY(boxes[0]->isVisible());
  }

  // The window's icon, and both pages opened by the real services in the language chosen
  // (which page each language names is tests/app's), from the folder they ship in.
  void helpAndContactOpenTheShippedDocuments() {
    QTemporaryDir settings;
    FTolvi w(settings.path().toStdString());
    QCOMPARE(w.windowIcon().availableSizes().size(), 6);
    ModalScript script;  // nothing may be reported: any message box fails the test
    w.setLanguage(kEnglish);
    Child<QAction>(&w, ctl::OpInfo)->trigger();
    Child<QAction>(&w, ctl::OpWeb)->trigger();
    w.setLanguage(kSpanish);
    QCOMPARE(script.problems(), QStringList());
    QCOMPARE(opened_.size(), 2);
    const std::string_view pages[] = {kHelpFile, kContactFile};
    for (int i = 0; i < 2; ++i) {
      const QFileInfo page(opened_[i].toLocalFile());
      QCOMPARE(page.fileName(), QString::fromStdString(NomInfo(pages[i], kEnglish)));
      QCOMPARE(page.absolutePath(), QDir(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/../share/tolvi"))
                                        .absolutePath());
    }
  }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
