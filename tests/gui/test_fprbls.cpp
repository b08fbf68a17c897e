// The problem viewer as a person uses it: a problem shown, its statement edited, saved
// through the program's save operation, and the edited text found in the file.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <iterator>
#include <string>

#include "app/documents_flow.h"
#include "gui/fprbls.h"

using namespace tolvi;

namespace {

// The file dialog answers with a fixed path; the saved notice is answered No.
struct ScriptedServices : Services {
  std::string file;
  int notices = 0;
  void message(std::string_view, std::string_view, Icon) override {}
  bool askYesNo(std::string_view, std::string_view) override {
    ++notices;
    return false;
  }
  int chooseOption(std::string_view, std::string_view) override { return 0; }
  std::string chooseFile(int, std::string, std::string_view) override { return file; }
  void showProblem(std::string_view, const Prob&) override {}
  bool startProgram(const Command&, WindowStyle) override { return true; }
  bool openDocument(const std::string&) override { return true; }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class TestFPrbls : public QObject {
  Q_OBJECT

 private:
  template <class T>
  T* child(const char* name) {
    T* w = FPrbls::instance()->findChild<T*>(QLatin1String(name));
    if (!w) qFatal("no control %s", name);
    return w;
  }

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void cleanup() { FPrbls::release(); }

  void labelsFollowTheLanguage_data() {
    QTest::addColumn<int>("idioma");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("resp");
    QTest::newRow("English") << 0 << "Exercise" << "Answer";
    QTest::newRow("Catalan") << 1 << "Enunciat" << "Resposta";
    QTest::newRow("Spanish") << 2 << "Enunciado" << "Respuesta";
  }
  void labelsFollowTheLanguage() {
    QFETCH(int, idioma);
    QFETCH(QString, en);
    QFETCH(QString, resp);
    FPrbls::instance()->mostra("Problema", {"a1 = 2\r\nCalcula: a5", "a5 = 14"},
                               static_cast<int16_t>(idioma));
    QCOMPARE(child<QLabel>("EtEn")->text(), en);
    QCOMPARE(child<QLabel>("EtResp")->text(), resp);
    QCOMPARE(FPrbls::instance()->windowTitle(), QStringLiteral("Problema"));
    QCOMPARE(child<QPlainTextEdit>("IdEn")->toPlainText(), QStringLiteral("a1 = 2\nCalcula: a5"));
    QCOMPARE(child<QPlainTextEdit>("IdResp")->toPlainText(), QStringLiteral("a5 = 14"));
    QCOMPARE(child<QPushButton>("BtG")->text(), QStringLiteral(" Guardar "));
  }

  void aSecondProblemReplacesTheTextsInTheSameWindow() {
    FPrbls* first = FPrbls::instance();
    first->mostra("Problema", {"E0", "R0"}, 2);
    FPrbls::instance()->mostra("Problema", {"E3", "R3"}, 2);
    QCOMPARE(FPrbls::instance(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->texts(), (Prob{"E3", "R3"}));
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<FPrbls*>(w)) ++windows;
    QCOMPARE(windows, 1);
  }

  void bothBoxesGrowEquallyWithTheWindow() {
    FPrbls* viewer = FPrbls::instance();
    viewer->mostra("Problema", {"E", "R"}, 2);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    auto* en = child<QPlainTextEdit>("IdEn");
    auto* resp = child<QPlainTextEdit>("IdResp");
    auto* etResp = child<QLabel>("EtResp");
    QTRY_COMPARE(en->height(), resp->height());
    const int h0 = resp->height(), w0 = resp->width(), labelTop = etResp->y(), enTop = en->y();

    viewer->resize(viewer->width() + 67, viewer->height() + 40);
    QTRY_COMPARE(resp->height(), h0 + 20);
    QCOMPARE(en->height(), h0 + 20);
    QCOMPARE(etResp->y(), labelTop + 20);
    QCOMPARE(en->y(), enTop);
    QCOMPARE(resp->width(), w0 + 67);
    QCOMPARE(en->width(), w0 + 67);
  }

  void theEditedTextsAreSavedNotTheStoredOnes() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ScriptedServices ui;
    ui.file = dir.filePath("Prbls/probs.txt").toStdString();
    FPrbls* viewer = FPrbls::instance();
    viewer->setSaveHandler([&](const Prob& p) {
      GuardaPrb(ui, p, 2, dir.path().toStdString());
    });
    viewer->mostra("Problema", {"stored statement", "a5 = 14\r\nProgresi\xC3\xB3n: 2, 5"}, 2);

    auto* en = child<QPlainTextEdit>("IdEn");
    en->clear();
    QTest::keyClicks(en, "edited line one");
    QTest::keyClick(en, Qt::Key_Return);
    QTest::keyClicks(en, "line two");
    QTest::mouseClick(child<QPushButton>("BtG"), Qt::LeftButton);

    QCOMPARE(ui.notices, 1);
    QCOMPARE(ReadAll(ui.file),
             std::string("edited line one\r\nline two\r\n"
                         "R:     a5 = 14\r\nProgresi\xC3\xB3n: 2, 5\r\n\r\n"));
  }
};

QTEST_MAIN(TestFPrbls)
#include "test_fprbls.moc"
