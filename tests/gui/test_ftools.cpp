// The tools editor and the About box, driven as a person would from the main window's menus,
// with scripted services (no dialog blocks, nothing is started). Runs offscreen.
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/recording_services.h"
#include "gui/frmabout.h"
#include "gui/ftolvi.h"
#include "gui/ftools.h"

using namespace tolvi;

class TestFTools : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<RecordingServices> ui_;
  std::unique_ptr<FTolvi> w_;

  template <class T = QWidget>
  static T* get(QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  FTools* openEditor() {
    get<QAction>(w_.get(), "OpEdTools")->trigger();
    return get<FTools>(w_.get(), "FTools");
  }
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(dir_->filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static void type(FTools* e, int field, const QString& text) {
    QTest::keyClicks(get<QLineEdit>(e, QStringLiteral("Ed(%1)").arg(field)), text);
  }
  static void click(QWidget* root, const char* name) {
    QTest::mouseClick(get<QPushButton>(root, QString::fromLatin1(name)), Qt::LeftButton);
  }
  static QStringList titles(FTools* e) {
    QStringList out;
    auto* lst = get<QListWidget>(e, "Lst");
    for (int i = 0; i < lst->count(); ++i) out << lst->item(i)->text();
    return out;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    ui_ = std::make_unique<RecordingServices>();
    w_ = std::make_unique<FTolvi>(dir_->path().toStdString(), ui_.get());
    w_->show();
  }
  void cleanup() {
    w_.reset();
    ui_.reset();
    dir_.reset();
  }

  void addedToolAppearsInTheMenuAndStarts() {
    FTools* e = openEditor();
    type(e, 0, QStringLiteral("Bloc, notas"));
    type(e, 1, QStringLiteral("notepad.exe"));
    type(e, 3, QStringLiteral("x.txt"));
    click(e, "OkEd");
    QCOMPARE(titles(e), QStringList{QStringLiteral("Bloc, notas")});
    QVERIFY(get<QLineEdit>(e, "Ed(0)")->text().isEmpty());
    click(e, "BtOk");
    QVERIFY(!e->isVisible());

    auto* tools = get<QMenu>(w_.get(), "Tools");
    QCOMPARE(tools->title(), QStringLiteral("&Utilidades"));
    QAction* entry = get<QAction>(w_.get(), "ITool(1)");
    QVERIFY(tools->actions().contains(entry));
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->text(), QStringLiteral("Bloc, notas"));
    QVERIFY(!get<QAction>(w_.get(), "ITool(2)")->isVisible());
    entry->trigger();
    QCOMPARE(ui_->started.size(), size_t{1});
    QCOMPARE(ui_->started[0].command.args, std::vector<std::string>{"x.txt"});
  }

  void escapeWritesNothing() {
    FTools* e = openEditor();
    type(e, 0, QStringLiteral("A"));
    click(e, "OkEd");
    click(e, "BtEsc");
    QVERIFY(!QFile::exists(dir_->filePath("Tools.rel")));
    QVERIFY(!get<QAction>(w_.get(), "ITool(1)")->isVisible());
  }

  void oneEditorAtATime() {
    FTools* e = openEditor();
    type(e, 0, QStringLiteral("typed"));
    QCOMPARE(openEditor(), e);
    QCOMPARE(w_->findChildren<FTools*>().size(), 1);
    QCOMPARE(get<QLineEdit>(e, "Ed(0)")->text(), QStringLiteral("typed"));
  }

  void untitledToolIsRefusedWithAMessage() {
    FTools* e = openEditor();
    type(e, 1, QStringLiteral("f"));
    click(e, "OkEd");
    QCOMPARE(ui_->messages.size(), size_t{1});
    QCOMPARE(ui_->messages[0].text, std::string("Una utilidad necesita un título."));
    QVERIFY(titles(e).isEmpty());
  }

  void removalAsksWithTheTitleInCapitals() {
    writeFile("Tools.rel", "a\r\nf\r\n\r\n\r\nñu\r\ng\r\n\r\n\r\nc\r\nh\r\n\r\n\r\n\r\n");
    FTools* e = openEditor();
    auto* lst = get<QListWidget>(e, "Lst");
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                      lst->visualItemRect(lst->item(1)).center());
    QCOMPARE(get<QLineEdit>(e, "Ed(1)")->text(), QStringLiteral("g"));
    ui_->yesNoAnswers = {false, true};
    click(e, "BtBrr");
    QCOMPARE(titles(e).size(), 3);
    click(e, "BtBrr");
    QCOMPARE(ui_->questions.size(), size_t{2});
    QCOMPARE(ui_->questions[0].text, std::string("¿Eliminar ÑU ?"));
    QCOMPARE(ui_->questions[0].title, std::string("Confirmar eliminación"));
    QCOMPARE(titles(e), (QStringList{"a", "c"}));
    click(e, "BtBrr");  // nothing selected now: no question
    QCOMPARE(ui_->questions.size(), size_t{2});
  }

  void browsingFillsFileAndFolder() {
    FTools* e = openEditor();
    ui_->fileAnswers = {"/opt/eines/calc"};
    click(e, "BtCerc");
    QCOMPARE(ui_->fileRequests.size(), size_t{1});
    QCOMPARE(ui_->fileRequests[0].mode, 0);
    QCOMPARE(get<QLineEdit>(e, "Ed(1)")->text(), QStringLiteral("calc"));
    QCOMPARE(get<QLineEdit>(e, "Ed(2)")->text(), QStringLiteral("/opt/eines"));
  }

  void captionsFollowTheLanguage_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("lng");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("workDir");
    QTest::addColumn<int>("idioma");
    QTest::addColumn<bool>("senseLng");
    QTest::newRow("CAT") << "CAT" << QByteArray() << "Edició eines" << "Directori de treball" << 1
                         << false;
    QTest::newRow("engl") << "engl" << QByteArray() << "Tools edition" << "Work directory" << 0
                          << false;
    QTest::newRow("Lng.txt esp") << "" << QByteArray("esp\r\n") << "Edición utilidades"
                                 << "Directorio de trabajo" << 2 << false;
    QTest::newRow("neither") << "" << QByteArray() << "Edición utilidades"
                             << "Directorio de trabajo" << 2 << true;
  }
  void captionsFollowTheLanguage() {
    QFETCH(QString, arguments);
    QFETCH(QByteArray, lng);
    if (!lng.isEmpty()) writeFile("Lng.txt", lng);
    AppState state;
    state.CarpIni = dir_->path().toStdString();
    FTools e(*ui_, state, arguments.toStdString(), nullptr);
    QTEST(e.windowTitle(), "window");
    QTEST(get<QLabel>(&e, "Et(2)")->text(), "workDir");
    QTEST(static_cast<int>(state.Idioma), "idioma");
    QTEST(e.senseLng(), "senseLng");
  }

  void enterWalksTheFieldsToTheStoreButton() {
    FTools* e = openEditor();
    QVERIFY(QTest::qWaitForWindowActive(e));
    auto* ed0 = get<QLineEdit>(e, "Ed(0)");
    ed0->setFocus();
    QTest::keyClicks(ed0, QStringLiteral("A"));
    for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), get<QWidget>(e, "OkEd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(titles(e), QStringList{"A"});
  }

  void aboutBoxIsOneWithTitleAndVersion() {
    get<QAction>(w_.get(), "OpQuant")->trigger();
    get<QAction>(w_.get(), "OpQuant")->trigger();
    const QList<frmAbout*> boxes = w_->findChildren<frmAbout*>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0]->windowTitle(), QStringLiteral("Sobre Tolvi"));
    QCOMPARE(get<QLabel>(boxes[0], "lblVersion")->text(), QStringLiteral("Versión 2.0.0"));
    QVERIFY(boxes[0]->isVisible());
  }
};

QTEST_MAIN(TestFTools)
#include "test_ftools.moc"
