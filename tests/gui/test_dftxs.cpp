// The file dialog clicked and typed into as a person would, offscreen, with its message
// boxes and the folder-opening program answered by hooks.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/dftxs.h"

using namespace tolvi;

namespace {

struct Said {
  std::string text;
  std::string title;
};

}  // namespace

class TestDFtxs : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString home_;
  std::vector<Said> said_;
  std::vector<Said> asked_;
  std::vector<Command> started_;
  bool answerYes_ = true;

  QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

  std::unique_ptr<DFtxs> open(int mode, const QString& folder, int idioma) {
    DFtxs::Hooks hooks;
    hooks.message = [this](std::string_view text, std::string_view title) {
      said_.push_back({std::string(text), std::string(title)});
    };
    hooks.askYesNo = [this](std::string_view text, std::string_view title) {
      asked_.push_back({std::string(text), std::string(title)});
      return answerYes_;
    };
    hooks.startProgram = [this](const Command& c, WindowStyle) {
      started_.push_back(c);
      return true;
    };
    auto dlg = std::make_unique<DFtxs>(mode, folder, QStringLiteral("*.txt|*.*"), idioma,
                                       nullptr, hooks);
    dlg->show();
    return dlg;
  }

  template <class T>
  static T* child(DFtxs& dlg, const char* name) {
    T* w = dlg.findChild<T*>(QLatin1String(name));
    if (!w) qFatal("no control %s", name);
    return w;
  }

  static QStringList files(DFtxs& dlg) {
    QStringList names;
    auto* list = child<QListWidget>(dlg, "LFtxs");
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
  }

 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    QVERIFY(dir_.isValid());
    home_ = QDir::currentPath();
    QDir(dir_.path()).mkdir(QStringLiteral("Prbls"));
    QDir(dir_.path()).mkdir(QStringLiteral("Prbls/sub"));
    for (const char* name : {"Prbls/a.txt", "Prbls/b.dat"}) {
      QFile f(path(QLatin1String(name)));
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
  }
  void init() {
    said_.clear();
    asked_.clear();
    started_.clear();
    answerYes_ = true;
  }
  void cleanup() { QDir::setCurrent(home_); }

  void captionsFollowTheLanguageAndMode() {
    auto dlg = open(1, path("Prbls"), 1);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Guardar"));
    QCOMPARE(child<QLabel>(*dlg, "EtNom")->text(), QStringLiteral("Nom"));
    QCOMPARE(child<QLabel>(*dlg, "EtTp")->text(), QStringLiteral("Tipus"));
    QCOMPARE(child<QPushButton>(*dlg, "BtFuig")->text(), QStringLiteral("Cancel\u00B7la"));
    QCOMPARE(child<QToolButton>(*dlg, "BtAm")->toolTip(), QStringLiteral("Pujar-ne un nivell"));
  }

  void theFileListFollowsTheType() {
    auto dlg = open(0, path("Prbls"), 2);
    auto* types = child<QComboBox>(*dlg, "LTps");
    QCOMPARE(types->count(), 2);
    QCOMPARE(types->currentText(), QStringLiteral("*.txt"));
    QCOMPARE(files(*dlg), QStringList{"a.txt"});
    types->lineEdit()->setText(QStringLiteral("*.*"));
    QTest::keyClick(types->lineEdit(), Qt::Key_Return);
    QCOMPARE(files(*dlg), (QStringList{"a.txt", "b.dat"}));
  }

  void saveAddsTheTypesExtensionToABareName() {
    auto dlg = open(1, path("Prbls"), 2);
    QTest::keyClicks(child<QLineEdit>(*dlg, "IdNom"), "probs");
    QTest::mouseClick(child<QPushButton>(*dlg, "BtOk"), Qt::LeftButton);
    QCOMPARE(dlg->result(), path("Prbls/probs.txt"));
    QCOMPARE(dlg->QDialog::result(), int(QDialog::Accepted));
  }

  void openRefusesAMissingFileAndStaysOpen() {
    auto dlg = open(0, path("Prbls"), 0);
    QTest::keyClicks(child<QLineEdit>(*dlg, "IdNom"), "missing.txt");
    QTest::keyClick(child<QLineEdit>(*dlg, "IdNom"), Qt::Key_Return);
    QCOMPARE(said_.size(), size_t{1});
    QCOMPARE(said_[0].title, std::string("File not found"));
    QCOMPARE(QString::fromStdString(said_[0].text), path("Prbls/missing.txt"));
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->result(), QString());
    QTest::mouseClick(child<QPushButton>(*dlg, "BtFuig"), Qt::LeftButton);
    QCOMPARE(dlg->result(), QString());
    QVERIFY(!dlg->isVisible());
  }

  void upAndBack() {
    auto dlg = open(0, path("Prbls/sub"), 2);
    QTest::mouseClick(child<QToolButton>(*dlg, "BtAm"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(dlg->model().carpAct()), path("Prbls"));
    QCOMPARE(child<QTreeWidget>(*dlg, "LDirs")->currentItem()->text(0), QStringLiteral("Prbls"));
    QCOMPARE(files(*dlg), QStringList{"a.txt"});
    auto* back = child<QToolButton>(*dlg, "BtRere");
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(QString::fromStdString(dlg->model().carpAct()), path("Prbls/sub"));
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(QString::fromStdString(dlg->model().carpAct()), path("Prbls"));
  }

  void newFolderFromTheProposedName() {
    QTemporaryDir fresh;
    auto dlg = open(1, fresh.path(), 2);
    auto* nova = child<QLineEdit>(*dlg, "IdNova");
    QVERIFY(!nova->isVisible());
    QTest::mouseClick(child<QToolButton>(*dlg, "BtNova"), Qt::LeftButton);
    QVERIFY(nova->isVisible());
    QCOMPARE(nova->text(), QStringLiteral("Nueva carpeta"));
    QTest::keyClick(nova, Qt::Key_Return);
    QVERIFY(QDir(fresh.filePath(QStringLiteral("Nueva carpeta"))).exists());
    QVERIFY(!nova->isVisible());
    QCOMPARE(child<QTreeWidget>(*dlg, "LDirs")->currentItem()->childCount(), 1);

    // The same name again is refused with a message; Escape then hides the field only.
    QTest::mouseClick(child<QToolButton>(*dlg, "BtNova"), Qt::LeftButton);
    QTest::keyClick(nova, Qt::Key_Return);
    QCOMPARE(said_.size(), size_t{1});
    QCOMPARE(said_[0].title, std::string("No se ha creado la carpeta"));
    QTest::keyClick(nova, Qt::Key_Escape);
    QVERIFY(!nova->isVisible());
    QVERIFY(dlg->isVisible());
  }

  void deleteAsksFirst() {
    QFile f(path("Prbls/gone.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    auto dlg = open(0, path("Prbls"), 2);
    auto* list = child<QListWidget>(*dlg, "LFtxs");
    const auto found = list->findItems(QStringLiteral("gone.txt"), Qt::MatchExactly);
    QCOMPARE(found.size(), qsizetype{1});
    list->setCurrentItem(found.front());

    answerYes_ = false;
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(QFile::exists(path("Prbls/gone.txt")));
    answerYes_ = true;
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(asked_.size(), size_t{2});
    QCOMPARE(asked_[1].title, std::string("Erase file?"));
    QCOMPARE(QString::fromStdString(asked_[1].text), path("Prbls/gone.txt"));
    QVERIFY(!QFile::exists(path("Prbls/gone.txt")));
    QVERIFY(list->findItems(QStringLiteral("gone.txt"), Qt::MatchExactly).isEmpty());
  }

  void theFolderButtonNeedsDunvelo() {
    QDir::setCurrent(dir_.path());
    auto without = open(0, path("Prbls"), 2);
    QVERIFY(!child<QToolButton>(*without, "BtObr")->isVisible());

    QFile exe(path("Dunvelo.exe"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();
    auto with = open(0, path("Prbls"), 2);
    auto* button = child<QToolButton>(*with, "BtObr");
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(started_.size(), size_t{1});
    QCOMPARE(QString::fromStdString(started_[0].program), path("Dunvelo.exe"));
    QCOMPARE(started_[0].args, std::vector<std::string>{path("Prbls").toStdString()});
    QFile::remove(path("Dunvelo.exe"));
  }
};

QTEST_MAIN(TestDFtxs)
#include "test_dftxs.moc"
