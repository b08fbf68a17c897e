// The file dialog clicked and typed into as a person would, offscreen, with its message
// boxes and the folder-opening program answered by recording services. How a missing file
// is refused in open mode is seen through the Qt services in test_qt_services.
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

  void captionsFollowTheLanguageAndMode() {
    auto dlg = open(DialogMode::Save, path("Prbls"), kCatalan);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Guardar"));
    QCOMPARE(Child<QLabel>(dlg.get(), "EtNom")->text(), QStringLiteral("Nom"));
    QCOMPARE(Child<QLabel>(dlg.get(), "EtTp")->text(), QStringLiteral("Tipus"));
    QCOMPARE(Child<QPushButton>(dlg.get(), "BtFuig")->text(), QStringLiteral("Cancel\u00B7la"));
    QCOMPARE(Child(dlg.get(), "BtAm")->toolTip(), QStringLiteral("Pujar-ne un nivell"));
  }

  void theFileListFollowsTheType() {
    auto dlg = open(DialogMode::Open, path("Prbls"), kSpanish);
    auto* types = Child<QComboBox>(dlg.get(), "LTps");
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->currentText(), QStringLiteral("*.txt"));
    QCOMPARE(files(*dlg), QStringList{"a.txt"});
    types->lineEdit()->setText(QStringLiteral("*.*"));
    QTest::keyClick(types->lineEdit(), Qt::Key_Return);
    QCOMPARE(files(*dlg), (QStringList{"a.txt", "b.dat"}));
  }

  void saveAddsTheTypesExtensionToABareName() {
    auto dlg = open(DialogMode::Save, path("Prbls"), kSpanish);
    QTest::keyClicks(Child(dlg.get(), "IdNom"), "probs");
    Click(dlg.get(), "BtOk");
    QCOMPARE(dlg->result(), path("Prbls/probs.txt"));
    QCOMPARE(dlg->QDialog::result(), int(QDialog::Accepted));
  }

  void upAndBack() {
    auto dlg = open(DialogMode::Open, path("Prbls/sub"), kSpanish);
    Click(dlg.get(), "BtAm");
    QCOMPARE(carpAct(*dlg), path("Prbls"));
    QCOMPARE(Child<QTreeWidget>(dlg.get(), "LDirs")->currentItem()->text(0), QString("Prbls"));
    QCOMPARE(files(*dlg), QStringList{"a.txt"});
    QVERIFY(Child(dlg.get(), "BtRere")->isEnabled());
    Click(dlg.get(), "BtRere");
    QCOMPARE(carpAct(*dlg), path("Prbls/sub"));
    Click(dlg.get(), "BtRere");
    QCOMPARE(carpAct(*dlg), path("Prbls"));
  }

  // The folder shown (its path above the lists, in bold in the tree) is the folder a typed
  // name goes into, by mouse and by keyboard alike.
  void theFolderShownReceivesTheFile_data() {
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("one click on the folder") << false;
    QTest::newRow("arrow down, then Ok with no name") << true;
  }
  void theFolderShownReceivesTheFile() {
    QFETCH(bool, keyboard);
    auto dlg = open(DialogMode::Save, path("Prbls"), kSpanish);
    auto* tree = Child<QTreeWidget>(dlg.get(), "LDirs");
    auto* shownPath = Child<QLabel>(dlg.get(), "EtCarp");
    QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls")));
    QTreeWidgetItem* sub = tree->currentItem()->child(0);
    QCOMPARE(sub->text(0), QStringLiteral("sub"));
    if (keyboard) {
      tree->setFocus();
      QTest::keyClick(tree, Qt::Key_Down);
      QCOMPARE(tree->currentItem(), sub);
      // Highlighted, not yet shown: a name would still go where the path says.
      QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls")));
      Click(dlg.get(), "BtOk");
    } else {
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(sub).center());
    }
    QCOMPARE(carpAct(*dlg), path("Prbls/sub"));
    QCOMPARE(shownPath->text(), QDir::toNativeSeparators(path("Prbls/sub")));
    QVERIFY(tree->currentItem()->font(0).bold());
    QVERIFY(dlg->isVisible());

    // Up goes one level from the folder shown, and back into it.
    Click(dlg.get(), "BtAm");
    QCOMPARE(carpAct(*dlg), path("Prbls"));
    Click(dlg.get(), "BtRere");
    QCOMPARE(carpAct(*dlg), path("Prbls/sub"));

    QTest::keyClicks(Child(dlg.get(), "IdNom"), "probs");
    QTest::keyClick(Child(dlg.get(), "IdNom"), Qt::Key_Return);
    QCOMPARE(dlg->result(), path("Prbls/sub/probs.txt"));
  }

  // A folder only highlighted from the keyboard is not where a typed name goes: the name goes
  // into the folder shown. A double click opens the folder under the pointer, never one of its
  // subfolders that the first click brought there.
  void aHighlightIsNotWhereTheFileGoes() {
    QVERIFY(QDir(dir_.path()).mkpath("Prbls/sub2/deeper"));
    auto dlg = open(DialogMode::Save, path("Prbls"), kSpanish);
    auto* tree = Child<QTreeWidget>(dlg.get(), "LDirs");
    QTreeWidgetItem* sub2 = tree->currentItem()->child(1);
    QCOMPARE(sub2->text(0), QStringLiteral("sub2"));
    const QPoint at = tree->visualItemRect(sub2).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(carpAct(*dlg), path("Prbls/sub2"));

    Click(dlg.get(), "BtAm");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClicks(Child(dlg.get(), "IdNom"), "probs");
    Click(dlg.get(), "BtOk");
    QCOMPARE(dlg->result(), path("Prbls/probs.txt"));
    QDir(path("Prbls/sub2")).removeRecursively();
  }

  // The proposed name makes the folder; the same name again is refused with a message, and
  // Escape then hides the field only.
  void newFolderFromTheProposedName() {
    QTemporaryDir fresh;
    auto dlg = open(DialogMode::Save, fresh.path(), kSpanish);
    auto* nova = Child<QLineEdit>(dlg.get(), "IdNova");
    QVERIFY(!nova->isVisible());
    Click(dlg.get(), "BtNova");
    QVERIFY(nova->isVisible());
    QCOMPARE(nova->text(), QStringLiteral("Nueva carpeta"));
    QTest::keyClick(nova, Qt::Key_Return);
    QVERIFY(QDir(fresh.filePath("Nueva carpeta")).exists());
    QVERIFY(!nova->isVisible());
    QCOMPARE(Child<QTreeWidget>(dlg.get(), "LDirs")->currentItem()->childCount(), 1);

    Click(dlg.get(), "BtNova");
    QTest::keyClick(nova, Qt::Key_Return);
    QCOMPARE(ui_.messages.size(), size_t{1});
    QCOMPARE(ui_.messages[0].title, std::string("No se ha creado la carpeta"));
    QTest::keyClick(nova, Qt::Key_Escape);
    QVERIFY(!nova->isVisible());
    QVERIFY(dlg->isVisible());
  }

  void deleteAsksFirst() {
    QVERIFY(WriteFile(path("Prbls/gone.txt")));
    auto dlg = open(DialogMode::Open, path("Prbls"), kSpanish);
    auto* list = Child<QListWidget>(dlg.get(), "LFtxs");
    list->setCurrentRow(int(files(*dlg).indexOf("gone.txt")));
    ui_.yesNoAnswers = {false, true};
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(QFile::exists(path("Prbls/gone.txt")));
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(ui_.questions.size(), size_t{2});
    QCOMPARE(ui_.questions[1].title, std::string("\u00BFBorrar el archivo?"));  // Spanish dialog
    QCOMPARE(QString::fromStdString(ui_.questions[1].text), path("Prbls/gone.txt"));
    QVERIFY(!QFile::exists(path("Prbls/gone.txt")));
    QVERIFY(!files(*dlg).contains("gone.txt"));
  }

  void theFolderButtonNeedsDunvelo() {
    QDir::setCurrent(dir_.path());
    auto without = open(DialogMode::Open, path("Prbls"), kSpanish);
    QVERIFY(!Child(without.get(), "BtObr")->isVisible());

    QVERIFY(WriteFile(path("Dunvelo.exe")));
    auto with = open(DialogMode::Open, path("Prbls"), kSpanish);
    QVERIFY(Child(with.get(), "BtObr")->isVisible());
    Click(with.get(), "BtObr");
    QCOMPARE(ui_.started.size(), size_t{1});
    QCOMPARE(QString::fromStdString(ui_.started[0].command.program), path("Dunvelo.exe"));
    QCOMPARE(ui_.started[0].command.args, std::vector<std::string>{path("Prbls").toStdString()});
    QFile::remove(path("Dunvelo.exe"));
  }
};

QTEST_MAIN(TestDFtxs)
#include "test_dftxs.moc"
