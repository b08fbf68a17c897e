// The file dialog clicked and typed into as a person would, offscreen, with its message
// boxes and the folder-opening program answered by recording services: each control reaches
// the model once, and the folder tree's highlight and shown folder, which only the dialog has.
#include <memory>

#include "solvers/recording_services.h"
#include "gui/dftxs.h"
#include "gui_test.h"

using namespace tolvi;
using namespace tolvi::test;

class TestDFtxs : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString home_;
  RecordingServices ui_;

  QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
  QString carpAct(const DFtxs& dlg) const {
    return QString::fromStdString(dlg.model().carpAct());
  }

  std::unique_ptr<DFtxs> open(DialogMode mode, const QString& folder, Language idioma) {
    const DFtxs::Hooks hooks{
        [this](std::string_view text, std::string_view title) { ui_.message(text, title); },
        [this](std::string_view text, std::string_view title) { return ui_.askYesNo(text, title); },
        [this](const Command& c, WindowStyle s) { return ui_.startProgram(c, s); }};
    auto dlg = std::make_unique<DFtxs>(mode, folder, "*.txt|*.*", idioma, nullptr, hooks);
    dlg->show();
    return dlg;
  }

  static QStringList files(const DFtxs& dlg) { return Items(Child<QListWidget>(&dlg, "LFtxs")); }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QVERIFY(dir_.isValid());
    home_ = QDir::currentPath();
    QVERIFY(QDir(dir_.path()).mkpath("Prbls/sub"));
    QVERIFY(WriteFile(path("Prbls/a.txt")) && WriteFile(path("Prbls/b.dat")));
  }
  void init() { ui_ = RecordingServices(); }
  void cleanup() { QDir::setCurrent(home_); }

  // Each control reaches the dialog's model (whose rules are tests/app's): the language its
  // captions, the type list the files, Up and Back the folder, the new-folder field a folder,
  // Delete a question and then the removal, Ok a bare name with the type's extension, the
  // folder button Dunvelo.exe on the folder shown.
  void controlsReachTheModel() {
    QDir::setCurrent(dir_.path());
    QVERIFY(WriteFile(path("Dunvelo.exe")) && WriteFile(path("Prbls/gone.txt")));
    auto dlg = open(DialogMode::Save, path("Prbls"), kCatalan);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Guardar"));
    auto* types = Child<QComboBox>(dlg.get(), "LTps");
    QCOMPARE(files(*dlg), (QStringList{"a.txt", "gone.txt"}));
    types->lineEdit()->setText(QStringLiteral("*.*"));
    QTest::keyClick(types->lineEdit(), Qt::Key_Return);
    QCOMPARE(files(*dlg), (QStringList{"a.txt", "b.dat", "gone.txt"}));

    Click(dlg.get(), "BtAm");
    QCOMPARE(carpAct(*dlg), dir_.path());
    Click(dlg.get(), "BtRere");
    QCOMPARE(carpAct(*dlg), path("Prbls"));
    Click(dlg.get(), "BtNova");
    QTest::keyClick(Child(dlg.get(), "IdNova"), Qt::Key_Return);
    QVERIFY(QDir(path("Prbls/Carpeta nova")).exists());

    auto* list = Child<QListWidget>(dlg.get(), "LFtxs");
    list->setCurrentRow(int(files(*dlg).indexOf("gone.txt")));
    ui_.yesNoAnswers = {false, true};
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(QFile::exists(path("Prbls/gone.txt")));
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(!QFile::exists(path("Prbls/gone.txt")) && !files(*dlg).contains("gone.txt"));

    Click(dlg.get(), "BtObr");
    QCOMPARE(ui_.started.size(), size_t{1});
    QCOMPARE(ui_.started[0].command.args, std::vector<std::string>{path("Prbls").toStdString()});
    types->lineEdit()->setText(QStringLiteral("*.txt"));
    QTest::keyClick(types->lineEdit(), Qt::Key_Return);
    QTest::keyClicks(Child(dlg.get(), "IdNom"), "probs");
    Click(dlg.get(), "BtOk");
    QCOMPARE(dlg->result(), path("Prbls/probs.txt"));
    QVERIFY(QFile::remove(path("Dunvelo.exe")));
    QVERIFY(QDir(path("Prbls/Carpeta nova")).removeRecursively());
  }

  // The folder shown (its path above the lists, in bold in the tree) is where a typed name
  // goes. One click opens a folder, and a double click the folder under the pointer, never a
  // subfolder the first click brought there; a folder only highlighted from the keyboard is
  // not where a name goes, and Ok with no name opens it.
  void theFolderShownReceivesTheFile() {
    QVERIFY(QDir(dir_.path()).mkpath("Prbls/sub2/deeper"));
    auto dlg = open(DialogMode::Save, path("Prbls"), kSpanish);
    auto* tree = Child<QTreeWidget>(dlg.get(), "LDirs");
    auto* shownPath = Child<QLabel>(dlg.get(), "EtCarp");
    QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls")));
    const QPoint at = tree->visualItemRect(tree->currentItem()->child(1)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(carpAct(*dlg), path("Prbls/sub2"));
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(carpAct(*dlg), path("Prbls/sub2"));
    QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls/sub2")));
    QVERIFY(tree->currentItem()->font(0).bold());

    Click(dlg.get(), "BtAm");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("sub"));
    QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls")));
    Click(dlg.get(), "BtOk");
    QCOMPARE(carpAct(*dlg), path("Prbls/sub"));
    QVERIFY(dlg->isVisible());
    Click(dlg.get(), "BtAm");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClicks(Child(dlg.get(), "IdNom"), "probs");
    QTest::keyClick(Child(dlg.get(), "IdNom"), Qt::Key_Return);
    QCOMPARE(dlg->result(), path("Prbls/probs.txt"));
    QDir(path("Prbls/sub2")).removeRecursively();
  }
};

QTEST_MAIN(TestDFtxs)
#include "test_dftxs.moc"
