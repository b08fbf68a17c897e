// The main window driven as a person would: controls found by their names, real clicks and
// key presses, and what the window shows afterwards. Runs offscreen.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "gui/ftolvi.h"
#include "gui/qt_form.h"
#include "gui/qt_services.h"

using namespace tolvi;

namespace {

// Answers every dialog at once and keeps what was shown.
struct ScriptedServices : Services {
  std::vector<std::string> messages;
  std::vector<Prob> shown;
  void message(std::string_view text, std::string_view, Icon) override { messages.emplace_back(text); }
  bool askYesNo(std::string_view, std::string_view) override { return false; }
  int chooseOption(std::string_view, std::string_view) override { return 1; }
  std::string chooseFile(int, std::string, std::string_view) override { return {}; }
  void showProblem(std::string_view, const Prob& p) override { shown.push_back(p); }
  bool startProgram(const Command&, WindowStyle) override { return true; }
  bool openDocument(const std::string&) override { return true; }
};

QStringList AllNames() {
  QStringList names = {"Id1a", "IdPA", "IdK", "IdA", "IdB", "Idd", "IdTrms", "Id1g", "OkS",
                       "EtS", "EtInf", "Etdecr", "IdPG", "IdKg", "IdAg", "IdBg", "IdR", "IdTG",
                       "LstSmbs", "PAritm", "PGeom", "PInteres", "PCompost", "Panual",
                       "Progressions", "PInteresComercial", "Arxiu", "OpObr", "OpGuard", "OpSurt",
                       "Tools", "OpEdTools", "Info", "OpInfo", "OpWeb", "OpQuant"};
  for (int i = 0; i <= 4; ++i) names << QStringLiteral("Id(%1)").arg(i);
  for (int i = 0; i <= 5; ++i) names << QStringLiteral("Idg(%1)").arg(i);
  for (int i = 0; i <= 15; ++i) names << QStringLiteral("IdI(%1)").arg(i);
  for (int i = 0; i <= 7; ++i) names << QStringLiteral("EtM(%1)").arg(i);
  for (int i = 1; i <= 12; ++i) names << QStringLiteral("ITool(%1)").arg(i);
  for (const char* g : {"BtGen", "BtOk", "BtRst", "BtGuard"})
    for (int k = 0; k <= 7; ++k) names << QStringLiteral("%1(%2)").arg(QLatin1String(g)).arg(k);
  return names;
}

}  // namespace

class TestFTolvi : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> ui_;
  std::unique_ptr<FTolvi> w_;

  template <class T = QWidget>
  T* get(const QString& name) {
    T* found = w_->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  QAction* action(const QString& name) { return get<QAction>(name); }
  void click(const QString& name) { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }
  QString text(const QString& name) { return get<QLineEdit>(name)->text(); }
  void makeWindow() {
    w_ = std::make_unique<FTolvi>(dir_->path().toStdString(), ui_.get());
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
  }

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    ui_ = std::make_unique<ScriptedServices>();
    makeWindow();
  }
  void cleanup() { w_.reset(); }

  void everyNamedControlExists() {
    for (const QString& name : AllNames()) {
      QVERIFY2(w_->findChild<QObject*>(name), qPrintable(name));
      QCOMPARE(w_->findChildren<QObject*>(name).size(), 1);
    }
  }

  void designStatesAtStart() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("Progresiones - Interés"));
    for (int k = 0; k <= 7; ++k) {
      QVERIFY(!get(QStringLiteral("BtGuard(%1)").arg(k))->isEnabled());
      QCOMPARE(get(QStringLiteral("BtGen(%1)").arg(k))->toolTip(), QStringLiteral(" Genera "));
      QCOMPARE(get(QStringLiteral("BtGuard(%1)").arg(k))->toolTip(), QStringLiteral("  Guardar"));
      QCOMPARE(get<QAbstractButton>(QStringLiteral("BtOk(%1)").arg(k))->text(), QStringLiteral("Ok"));
      QCOMPARE(get<QAbstractButton>(QStringLiteral("BtRst(%1)").arg(k))->text(), QStringLiteral("rst"));
      QCOMPARE(get<QLabel>(QStringLiteral("EtM(%1)").arg(k))->text(), QStringLiteral("€"));
    }
    QVERIFY(!action("OpGuard")->isEnabled());
    QVERIFY(!get("OkS")->isEnabled());
    for (const char* hidden : {"IdPA", "IdPG", "Idg(5)"}) QVERIFY2(get(hidden)->isHidden(), hidden);
    for (const char* grey : {"EtS", "EtInf", "Etdecr"}) QVERIFY2(!get(grey)->isEnabled(), grey);
    for (int i = 1; i <= 12; ++i) QVERIFY(!action(QStringLiteral("ITool(%1)").arg(i))->isVisible());
    QCOMPARE(text("Id1a"), QStringLiteral("1"));
    QCOMPARE(text("Id1g"), QStringLiteral("1"));
    for (const char* ro : {"Idd", "IdTrms", "IdR", "IdTG", "IdPG", "IdPA"})
      QVERIFY2(get<QLineEdit>(ro)->isReadOnly(), ro);
    auto* list = get<QComboBox>("LstSmbs");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentText(), QStringLiteral("€"));
    QCOMPARE(get<QMenu>("Arxiu")->title(), QStringLiteral("&Archivo"));
    QCOMPARE(get<QMenu>("Tools")->title(), QStringLiteral("&Utilidades"));
    QCOMPARE(action("OpGuard")->text(), QStringLiteral("&Guardar todo"));
    QCOMPARE(action("OpSurt")->text(), QStringLiteral("&Salir"));
    QCOMPARE(action("OpWeb")->text(), QStringLiteral("Contacto..."));
  }

  // All eight panels are on screen at once, even at the window's smallest size, and no
  // control sticks out of its frame or out of the window.
  void allPanelsVisibleAtMinimumSize() {
    w_->resize(w_->minimumSizeHint());
    QTest::qWait(20);
    const QRect window = w_->rect();
    const QStringList frames = {"PAritm", "PGeom", "PInteres", "PCompost", "Panual"};
    for (const QString& f : frames) QVERIFY2(get(f)->isVisible(), qPrintable(f));
    for (int k = 0; k <= 7; ++k) {
      for (const char* g : {"BtGen", "BtOk", "BtRst", "BtGuard"}) {
        QVERIFY(get(QStringLiteral("%1(%2)").arg(QLatin1String(g)).arg(k))->isVisible());
      }
    }
    for (const QString& name : AllNames()) {
      auto* wd = w_->findChild<QWidget*>(name);
      if (!wd || !wd->isVisible() || qobject_cast<QMenu*>(wd)) continue;
      const QRect r(wd->mapTo(w_.get(), QPoint(0, 0)), wd->size());
      QVERIFY2(window.contains(r), qPrintable(name));
      const int least = wd->minimumWidth() > 0 ? wd->minimumWidth() : wd->minimumSizeHint().width();
      QVERIFY2(wd->width() >= least, qPrintable(name));
      auto* frame = qobject_cast<QFrame*>(wd->parentWidget());
      if (frame && frames.contains(frame->objectName())) {
        QVERIFY2(frame->rect().contains(QRect(wd->pos(), wd->size())), qPrintable(name));
      }
    }
    QVERIFY(w_->minimumSizeHint().width() <= 1280);
    QVERIFY(w_->minimumSizeHint().height() <= 800);
  }

  void frameColours() {
    const struct { const char* name; QColor colour; } rows[] = {
        {"PAritm", QColor(245, 234, 202)},  {"PGeom", QColor(255, 218, 178)},
        {"PInteres", QColor(177, 223, 187)}, {"PCompost", QColor(167, 213, 177)},
        {"Panual", QColor(157, 203, 167)},   {"Progressions", QColor(224, 224, 224)},
        {"PInteresComercial", QColor(224, 224, 224)}};
    for (const auto& row : rows) {
      QCOMPARE(get(row.name)->palette().color(QPalette::Window), row.colour);
      QVERIFY(get(row.name)->autoFillBackground());
    }
  }

  void generateFillsTheArithmeticPanelAndEnablesSave() {
    click("BtGen(0)");
    for (int i = 0; i <= 4; ++i) QVERIFY2(!text(QStringLiteral("Id(%1)").arg(i)).isEmpty(), "filled");
    QVERIFY(get("BtGuard(0)")->isEnabled());
    QVERIFY(action("OpGuard")->isEnabled());
    QVERIFY(ui_->messages.empty());
  }

  void typingIntoASolvedPanelDisablesItsSave() {
    click("BtGen(0)");
    QVERIFY(get("BtGuard(0)")->isEnabled());
    QTest::keyClicks(get("Id(1)"), "5");
    QVERIFY(!get("BtGuard(0)")->isEnabled());
    QVERIFY(text("IdPA").isEmpty());
    QVERIFY(action("OpGuard")->isEnabled());  // the panel still counts for "Guardar todo"

    click("BtGen(5)");
    QVERIFY(get("BtGuard(5)")->isEnabled());
    QTest::keyClicks(get("IdI(6)"), "1");
    QVERIFY(!get("BtGuard(5)")->isEnabled());
  }

  // Texts the controller writes do not count as the user's edits.
  void writtenTextsRaiseNoChangeHandler() {
    click("BtGen(0)");
    w_->form().setText("Id(1)", "7");
    QCOMPARE(text("Id(1)"), QStringLiteral("7"));
    QVERIFY(get("BtGuard(0)")->isEnabled());
  }

  void resetOfTheLastSolvedPanelDisablesSaveAll() {
    click("BtOk(0)");  // an empty panel: the solve fails, yet the panel counts as solved
    click("BtGen(4)");
    QVERIFY(action("OpGuard")->isEnabled());
    click("BtRst(4)");
    QVERIFY(text("IdI(0)").isEmpty());
    QVERIFY(!get("BtGuard(4)")->isEnabled());
    QVERIFY(action("OpGuard")->isEnabled());
    click("BtRst(0)");
    QVERIFY(!action("OpGuard")->isEnabled());
    QCOMPARE(text("Id1a"), QStringLiteral("1"));
  }

  void saveShowsThePanelsRecord() {
    click("BtGen(1)");
    click("BtGuard(1)");
    QCOMPARE(ui_->shown.size(), size_t{1});
    QVERIFY(!ui_->shown[0].Enun.empty());
  }

  // The term list comes back by a double click on its spot, only while the case is current.
  void termListShownByDoubleClickOnItsSpot() {
    auto* frame = get("PAritm");
    auto* list = get("IdPA");
    const QPoint spot = list->mapTo(frame, list->rect().center());
    const QPoint away(3, frame->height() - 3);  // the frame's empty margin
    QVERIFY(w_->onTermList(*frame, spot));
    QVERIFY(!w_->onTermList(*frame, away));

    click("BtGen(0)");  // the solve shows the list of terms
    QVERIFY(!list->isHidden());
    QVERIFY(!text("IdPA").isEmpty());
    QTest::mouseDClick(list, Qt::LeftButton);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, away);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, spot);
    QVERIFY(!list->isHidden());

    // Once a field is edited the case is no longer current: the list stays hidden.
    QTest::keyClicks(get("Id(1)"), "5");
    QVERIFY(text("IdPA").isEmpty());
    QTest::mouseDClick(list, Qt::LeftButton);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, spot);
    QVERIFY(list->isHidden());
  }

  void currencyTypedWithEnterAndChosenFromTheList() {
    auto* list = get<QComboBox>("LstSmbs");
    auto* editor = list->lineEdit();
    // Enter while an item is selected does nothing.
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(list->count(), 3);

    editor->selectAll();
    QTest::keyClicks(editor, "CHF!");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->itemText(3), QStringLiteral("CHF"));
    QCOMPARE(get<QLabel>("EtM(7)")->text(), QStringLiteral("CHF"));

    QTest::keyClick(list, Qt::Key_Down);  // the user picks the next item, "$"
    QCOMPARE(list->currentText(), QStringLiteral("$"));
    QCOMPARE(get<QLabel>("EtM(0)")->text(), QStringLiteral("$"));
    QCOMPARE(w_->form().currentIndex("LstSmbs"), 1);
  }

  // Closing writes the chosen symbol; "&Salir" leaves the file as it was.
  void closeWritesTheSymbolAndSalirDoesNot() {
    const QString file = dir_->filePath("NSmb.txt");
    QTest::keyClick(get("LstSmbs"), Qt::Key_Down);
    QTest::keyClick(get("LstSmbs"), Qt::Key_Down);
    w_->close();
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("2£\r\n"));
    f.close();

    w_.reset();
    makeWindow();
    QCOMPARE(get<QLabel>("EtM(3)")->text(), QStringLiteral("£"));
    QTest::keyClick(get("LstSmbs"), Qt::Key_Up);
    QCOMPARE(get<QLabel>("EtM(3)")->text(), QStringLiteral("$"));
    action("OpSurt")->trigger();
    w_->close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("2£\r\n"));
  }

  // Enter walks through the geometric fields; a ratio below 1 offers the infinite sum.
  void enterInTheGeometricFields() {
    QTest::keyClicks(get("Idg(1)"), "0.5");
    QTest::keyClick(get("Idg(1)"), Qt::Key_Return);
    QVERIFY(!get("Idg(5)")->isHidden());
    for (const char* c : {"EtS", "EtInf", "Etdecr", "OkS"}) QVERIFY2(get(c)->isEnabled(), c);
    QCOMPARE(QApplication::focusWidget(), get("Idg(2)"));
    get("Idg(4)")->setFocus();
    QTest::keyClick(get("Idg(4)"), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), get("Idg(0)"));

    // Enter in other fields is handed on as a key like any other.
    std::string seen;
    w_->controller().hooks().keyPressed = [&seen](std::string_view name, int key) {
      if (key == kEnter) seen = name;
      return true;
    };
    QTest::keyClick(get("IdI(3)"), Qt::Key_Return);
    QCOMPARE(seen, std::string("IdI(3)"));
  }

  // A Spanish default locale changes nothing: a decimal comma is read, and the found values
  // are written as the program writes them.
  void spanishLocaleChangesNothing() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTest::keyClicks(get("Id(0)"), "1");
    QTest::keyClicks(get("Id(1)"), "0,123");
    QTest::keyClicks(get("Id(2)"), "4");
    click("BtOk(0)");
    QLocale::setDefault(QLocale::c());
    QCOMPARE(text("Id(3)"), QStringLiteral("1.369"));
    QCOMPARE(text("Id(4)"), QStringLiteral("4.738"));
    QVERIFY(ui_->messages.empty());
  }

  // The infinite-sum entry: 1, n = 4 and S = 2 give the ratio 1/2.
  void infiniteSumSolvedFromItsField() {
    QTest::keyClicks(get("Idg(1)"), "0.5");
    QTest::keyClick(get("Idg(1)"), Qt::Key_Return);
    get<QLineEdit>("Idg(1)")->clear();
    QTest::keyClicks(get("Idg(0)"), "1");
    QTest::mouseClick(get("Idg(5)"), Qt::LeftButton);  // clicking the empty sum empties n..S_n
    QTest::keyClicks(get("Idg(2)"), "4");
    QTest::keyClicks(get("Idg(5)"), "2");
    QTest::keyClick(get("Idg(5)"), Qt::Key_Return);
    QCOMPARE(text("Idg(1)"), QStringLiteral("1/2"));
    QVERIFY(get("BtGuard(2)")->isEnabled());
  }
};

QTEST_MAIN(TestFTolvi)
#include "test_ftolvi.moc"
