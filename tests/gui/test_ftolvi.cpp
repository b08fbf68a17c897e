// The main window driven as a person would: controls found by their names, real clicks and
// key presses, and what the window shows afterwards. Runs offscreen.
#include <QChartView>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <tuple>
#include <memory>
#include <string>

#include "solvers/recording_services.h"
#include "gui/ftolvi.h"
#include "gui/qt_form.h"
#include "solvers/controls.h"
#include "gui_test.h"
#include "window_fixture.h"
#include "documents/textfile.h"
#include "solvers/schedule.h"

using namespace tolvi;
using namespace tolvi::test;

namespace {


QStringList AllNames() {
  QStringList names;
  for (const std::string& name : ctl::All()) names << QString::fromStdString(name);
  return names;
}

}  // namespace

class TestFTolvi : public QObject, WindowFixture {
  Q_OBJECT

 private:
  void click(const QString& name) { Click(w_.get(), name); }
  bool enabled(const QString& name) { return get<QObject>(name)->property("enabled").toBool(); }
  void typeEnter(const QString& name, const QString& text) {
    QTest::keyClicks(get(name), text);
    QTest::keyClick(get(name), Qt::Key_Return);
  }
  // The text a control shows: a field's or label's text, a button's caption, a menu's title.
  QString shown(const QString& name) {
    auto* o = get<QObject>(name);
    if (auto* e = qobject_cast<QLineEdit*>(o)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* m = qobject_cast<QMenu*>(o)) return m->title();
    if (auto* a = qobject_cast<QAction*>(o)) return a->text();
    return get<QComboBox>(name)->currentText();
  }
 private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale::c());
    // Every control the controller names must be one the window built.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("no control named")));
  }
  void init() { openWindow(); }
  void cleanup() { w_.reset(); }

  void designStatesAtStart() {
    QCOMPARE(w_->windowTitle(), QStringLiteral("Progresiones - Interés - Tolvi"));
    QList<QPair<QString, QString>> texts = {
        {ctl::Id1a, "1"},         {ctl::Id1g, "1"},           {ctl::LstSmbs, "€"},
        {"Arxiu", "&Archivo"}, {ctl::OpObr, "Abrir"},      {ctl::OpGuard, "&Guardar todo"},
        {ctl::OpSurt, "&Salir"},  {"Tools", "&Utilidades"}, {ctl::OpEdTools, "Edición utilidades"},
        {"Info", "Info"},      {ctl::OpInfo, "Info"},      {ctl::OpWeb, "Contacto..."},
        {ctl::OpQuant, "Sobre Tolvi"}};
    QStringList disabled = {ctl::OpGuard, ctl::OkS, ctl::EtS, ctl::EtInf, ctl::Etdecr};
    for (int k = 0; k <= 7; ++k) {
      texts << qMakePair(N(ctl::BtOk(k)), QStringLiteral("Ok"))
            << qMakePair(N(ctl::BtRst(k)), QStringLiteral("rst"))
            << qMakePair(N(ctl::EtM(k)), QStringLiteral("€"));
      disabled << N(ctl::BtGuard(k));
      QCOMPARE(get(N(ctl::BtGen(k)))->toolTip(), QStringLiteral(" Genera "));
      QCOMPARE(get(N(ctl::BtGuard(k)))->toolTip(), QStringLiteral("  Guardar"));
    }
    for (const auto& [name, text] : texts) QCOMPARE(shown(name), text);
    for (const QString& name : disabled) QVERIFY2(!enabled(name), qPrintable(name));
    for (const QString& hidden : {N(ctl::IdPA), N(ctl::IdPG), N(ctl::Idg(5))})
      QVERIFY2(get(hidden)->isHidden(), qPrintable(hidden));
    for (const char* ro : {ctl::Idd, ctl::IdTrms, ctl::IdR, ctl::IdTG, ctl::IdPG, ctl::IdPA})
      QVERIFY2(get<QLineEdit>(ro)->isReadOnly(), ro);
    QCOMPARE(get<QComboBox>(ctl::LstSmbs)->count(), 3);
  }

  // Every control is there once by its name. At the panels' natural size all eight panels
  // are on screen at once, no control squeezed below its least width or sticking out of its
  // frame; the window may shrink far below that, and then every control scrolls into sight.
  void allControlsOnScreenAtNaturalSize() {
    auto* scroll = get<QScrollArea>("Panells");
    const QSize natural = scroll->widget()->sizeHint();
    w_->resize(natural.width() + 40, natural.height() + 120);
    QTest::qWait(20);
    QVERIFY(!scroll->verticalScrollBar()->isVisible() && !scroll->horizontalScrollBar()->isVisible());
    const QStringList frames = {ctl::PAritm, ctl::PGeom, ctl::PInteres, ctl::PCompost, ctl::Panual};
    for (const QString& name : AllNames()) {
      QVERIFY2(w_->findChildren<QObject*>(name).size() == 1, qPrintable(name));
      auto* wd = w_->findChild<QWidget*>(name);
      if (!wd || qobject_cast<QMenu*>(wd) || wd->isHidden()) continue;  // hidden by design
      QVERIFY2(wd->isVisible(), qPrintable(name));
      QVERIFY2(w_->rect().contains(QRect(wd->mapTo(w_.get(), QPoint(0, 0)), wd->size())),
               qPrintable(name));
      const int least = wd->minimumWidth() > 0 ? wd->minimumWidth() : wd->minimumSizeHint().width();
      QVERIFY2(wd->width() >= least, qPrintable(name));
      auto* frame = wd->parentWidget();
      if (frames.contains(frame->objectName()))
        QVERIFY2(frame->rect().contains(QRect(wd->pos(), wd->size())), qPrintable(name));
    }
    QVERIFY(w_->minimumSize().width() <= 640 && w_->minimumSizeHint().width() <= 640);
    QVERIFY(w_->minimumSize().height() <= 480 && w_->minimumSizeHint().height() <= 480);
    w_->resize(w_->minimumSize());
    QTest::qWait(20);
    const QRect viewport = scroll->viewport()->rect();
    for (const QString& name : AllNames()) {
      auto* wd = w_->findChild<QWidget*>(name);
      if (!wd || !scroll->widget()->isAncestorOf(wd) || wd->isHidden() ||
          wd->width() > viewport.width())
        continue;
      const QRect in(wd->mapTo(scroll->widget(), QPoint(0, 0)), wd->size());
      scroll->ensureVisible(in.center().x(), in.center().y(), wd->width() / 2 + 1,
                            wd->height() / 2 + 1);
      const QRect at(wd->mapTo(scroll->viewport(), QPoint(0, 0)), wd->size());
      QVERIFY2(viewport.contains(at), qPrintable(name));
    }
  }

  // Generate solves a panel: its Save shows the record and "&Guardar todo" is offered. The
  // user's typing withdraws the panel's Save, texts the controller writes do not; resetting
  // the last solved panel withdraws "&Guardar todo".
  void panelLifeCycle() {
    click(N(ctl::BtGen(0)));
    for (int i = 0; i <= 4; ++i) QVERIFY(!shown(N(ctl::Id(i))).isEmpty());
    QVERIFY(enabled(N(ctl::BtGuard(0))) && enabled(ctl::OpGuard));
    click(N(ctl::BtGuard(0)));
    QCOMPARE(ui_->problems.size(), size_t{1});
    QVERIFY(!ui_->problems[0].second.Enun.empty());

    w_->form().setText(ctl::Id(1), "7");
    QCOMPARE(shown(N(ctl::Id(1))), QStringLiteral("7"));
    QVERIFY(enabled(N(ctl::BtGuard(0))));
    QTest::keyClicks(get(N(ctl::Id(1))), "5");
    QVERIFY(!enabled(N(ctl::BtGuard(0))));
    QVERIFY(shown(ctl::IdPA).isEmpty());
    QVERIFY(enabled(ctl::OpGuard));  // the panel still counts for "&Guardar todo"

    click(N(ctl::BtGen(4)));
    click(N(ctl::BtRst(4)));
    QVERIFY(shown(N(ctl::IdI(0))).isEmpty());
    QVERIFY(!enabled(N(ctl::BtGuard(4))));
    QVERIFY(enabled(ctl::OpGuard));
    click(N(ctl::BtRst(0)));
    QVERIFY(!enabled(ctl::OpGuard));
    QCOMPARE(shown(ctl::Id1a), QStringLiteral("1"));
    QVERIFY(ui_->messages.empty());
  }

  // The term list hides with a double click on it, and comes back by one on its spot.
  void termListShownByDoubleClickOnItsSpot() {
    auto* frame = get(ctl::PAritm);
    auto* list = get(ctl::IdPA);
    const QPoint spot = list->mapTo(frame, list->rect().center());
    const QPoint away(3, frame->height() - 3);  // the frame's empty margin
    QVERIFY(w_->onTermList(*frame, spot));
    QVERIFY(!w_->onTermList(*frame, away));

    click(N(ctl::BtGen(0)));  // the solve shows the list of terms
    QVERIFY(!list->isHidden());
    QVERIFY(!shown(ctl::IdPA).isEmpty());
    QTest::mouseDClick(list, Qt::LeftButton);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, away);
    QVERIFY(list->isHidden());
    QTest::mouseDClick(frame, Qt::LeftButton, {}, spot);
    QVERIFY(!list->isHidden());
  }

  void currencyTypedWithEnterAndChosenFromTheList() {
    auto* list = get<QComboBox>(ctl::LstSmbs);
    auto* editor = list->lineEdit();
    QTest::keyClick(editor, Qt::Key_Return);  // an item is selected: nothing happens
    QCOMPARE(list->count(), 3);

    editor->selectAll();
    QTest::keyClicks(editor, "CHF!");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->itemText(3), QStringLiteral("CHF"));
    QCOMPARE(shown(N(ctl::EtM(7))), QStringLiteral("CHF"));

    QTest::keyClick(list, Qt::Key_Down);  // the user picks the next item, "$"
    QCOMPARE(list->currentText(), QStringLiteral("$"));
    QCOMPARE(shown(N(ctl::EtM(0))), QStringLiteral("$"));
    QCOMPARE(w_->form().currentIndex(ctl::LstSmbs), 1);
  }

  // Closing the window and "&Salir" both keep the chosen symbol.
  void closeAndSalirKeepTheSymbol() {
    const QString file = dir_->filePath("NSmb.txt");
    QTest::keyClick(get(ctl::LstSmbs), Qt::Key_Down);
    QTest::keyClick(get(ctl::LstSmbs), Qt::Key_Down);
    w_->close();
    QCOMPARE(ReadAll(file), std::string("2\xC2\xA3\r\n"));

    w_.reset();
    makeWindow();
    QCOMPARE(shown(N(ctl::EtM(3))), QStringLiteral("£"));
    QTest::keyClick(get(ctl::LstSmbs), Qt::Key_Up);
    QCOMPARE(shown(N(ctl::EtM(3))), QStringLiteral("$"));
    get<QAction>(ctl::OpSurt)->trigger();
    QCOMPARE(ReadAll(file), std::string("1$\r\n"));
    QVERIFY(ui_->questions.empty());  // nothing solved: nothing to ask
  }

  // Leaving with a solved problem not saved asks once, by either way out; "No" stays. Ticking
  // "no volver a preguntar" is kept for the next run; saving the problems asks nothing.
  void leavingWithUnsavedProblemsAsksOnce() {
    const std::string question = "\u00BFSalir sin guardar los problemas?";
    click(N(ctl::BtGen(0)));
    click(N(ctl::BtGen(5)));
    ui_->yesNoAnswers = {false, false};
    QVERIFY(!w_->close());
    get<QAction>(ctl::OpSurt)->trigger();
    QCOMPARE(ui_->questions.size(), size_t{2});
    QCOMPARE(ui_->questions[0].text, question);
    QVERIFY(w_->isVisible());
    QVERIFY(!QFile::exists(dir_->filePath("NSmb.txt")));

    ui_->yesNoAnswers = {true};
    ui_->optOutAnswers = {true};
    get<QAction>(ctl::OpSurt)->trigger();
    QCOMPARE(ui_->questions.size(), size_t{3});
    QVERIFY(QFile::exists(dir_->filePath("NSmb.txt")));

    w_.reset();
    ui_ = std::make_unique<RecordingServices>();
    makeWindow();
    click(N(ctl::BtGen(0)));
    QVERIFY(w_->close());
    QVERIFY(ui_->questions.empty());

    // Saved through "&Guardar todo": nothing is lost, nothing is asked.
    QVERIFY(QFile::remove(dir_->filePath("Ajustes.txt")));
    w_.reset();
    ui_ = std::make_unique<RecordingServices>();
    makeWindow();
    click(N(ctl::BtGen(0)));
    ui_->fileAnswers = {dir_->filePath("Prbls/todo.txt").toStdString()};
    get<QAction>(ctl::OpGuard)->trigger();
    QVERIFY(QFile::exists(dir_->filePath("Prbls/todo.txt")));
    ui_->questions.clear();
    QVERIFY(w_->close());
    QVERIFY(ui_->questions.empty());
  }

  // The caret starts in the first quantity of the arithmetic row: digits typed at once go
  // there, not into the subscript box.
  void typingStartsInTheFirstQuantity() {
    QApplication::setActiveWindow(w_.get());
    QCOMPARE(QApplication::focusWidget(), get(N(ctl::Id(0))));
    QTest::keyClicks(QApplication::focusWidget(), "3");
    QCOMPARE(shown(N(ctl::Id(0))), QStringLiteral("3"));
    QCOMPARE(shown(ctl::Id1a), QStringLiteral("1"));
  }

  // Found fields look apart from typed ones until the person edits them. A typed fourth
  // quantity that the solve recomputes is told in the status line, without a box.
  void foundFieldsAndRecomputedTypedValues() {
    QTest::keyClicks(get(N(ctl::Id(0))), "3");
    QTest::keyClicks(get(N(ctl::Id(1))), "2");
    QTest::keyClicks(get(N(ctl::Id(2))), "10");
    click(N(ctl::BtOk(0)));
    auto computed = [this](const QString& name) { return get(name)->property("computed").toBool(); };
    auto base = [this](const QString& name) { return get(name)->palette().color(QPalette::Base); };
    QCOMPARE(shown(N(ctl::Id(4))), QStringLiteral("120"));
    QVERIFY(computed(N(ctl::Id(3))) && computed(N(ctl::Id(4))) && !computed(N(ctl::Id(0))));
    QVERIFY(base(N(ctl::Id(4))) != base(N(ctl::Id(0))));
    QVERIFY(get(N(ctl::Id(4)))->font().italic());

    auto* sum = get<QLineEdit>(N(ctl::Id(4)));
    sum->selectAll();
    QTest::keyClicks(sum, "200");
    QVERIFY(!computed(N(ctl::Id(4))));
    QCOMPARE(base(N(ctl::Id(4))), base(N(ctl::Id(0))));
    click(N(ctl::BtOk(0)));
    QCOMPARE(shown(N(ctl::Id(4))), QStringLiteral("120"));
    QCOMPARE(shown(ctl::EtEstat), QStringLiteral("S\u2099 recalculado: 120 (se hab\u00EDa escrito 200)"));
    QVERIFY(computed(N(ctl::Id(4))));
    QVERIFY(ui_->messages.empty());
  }

  // Every failure of a field's text names the field, in Spanish, in one box per solve, never
  // empty; a text read only in part is told in the status line; a count beyond the largest
  // one is told as such, and a refused solve leaves no earlier results beside the new data.
  void messagesNameTheField_data() {
    QTest::addColumn<QString>("a1");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("status");
    const QString none;
    QTest::newRow("5/0") << "5/0" << "10" << "a\u2081: Divisi\u00F3n por cero\nSe necesita 3 datos"
                         << none;
    QTest::newRow("500 digits") << QString(500, QLatin1Char('9')) << "10"
                                << "a\u2081: N\u00FAmero demasiado grande\nSe necesita 3 datos" << none;
    QTest::newRow("1,5,5") << "1,5,5" << "10" << none
                           << "a\u2081: \u00AB1,5,5\u00BB le\u00EDdo como 1.5";
    QTest::newRow("12abc") << "12abc" << "10" << none << "a\u2081: \u00AB12abc\u00BB le\u00EDdo como 12";
    QTest::newRow("n = 40000") << "3" << "40000"
                               << "n: como mucho 32767 (el mayor n\u00FAmero de t\u00E9rminos que se calcula)"
                               << none;
  }
  void messagesNameTheField() {
    QFETCH(QString, a1);
    QFETCH(QString, n);
    QFETCH(QString, message);
    QFETCH(QString, status);
    QTest::keyClicks(get(N(ctl::Id(1))), "2");
    if (QTest::currentDataTag() == QByteArray("n = 40000")) {
      // First a solved case, whose found a_n and S_n the refused solve must not leave behind.
      QTest::keyClicks(get(N(ctl::Id(0))), "3");
      QTest::keyClicks(get(N(ctl::Id(2))), "10");
      click(N(ctl::BtOk(0)));
      QVERIFY(!shown(N(ctl::Id(3))).isEmpty());
    }
    for (auto [name, text] : {std::pair{N(ctl::Id(0)), a1}, std::pair{N(ctl::Id(2)), n}}) {
      get<QLineEdit>(name)->selectAll();
      QTest::keyClicks(get(name), text);
    }
    click(N(ctl::BtOk(0)));
    QCOMPARE(ui_->messages.size(), size_t(message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
      QCOMPARE(QString::fromStdString(ui_->messages[0].text).replace("\r\n", "\n"), message);
      QCOMPARE(shown(N(ctl::Id(3))), QString());
      QCOMPARE(shown(N(ctl::Id(4))), QString());
    }
    QCOMPARE(shown(ctl::EtEstat), status);
  }

  // Return on the ratio offers the infinite-sum row for |r| < 1 and withdraws it otherwise;
  // the focus moves on to n.
  void ratioOffersTheInfiniteSum_data() {
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<bool>("offered");
    QTest::newRow("0.5") << "0.5" << true;
    QTest::newRow("2") << "2" << false;
    QTest::newRow("-1") << "-1" << false;
  }
  void ratioOffersTheInfiniteSum() {
    QFETCH(QString, ratio);
    QFETCH(bool, offered);
    if (!offered) {  // offer the row first, so that withdrawing it shows
      typeEnter(N(ctl::Idg(1)), "0.5");
      QVERIFY(get(N(ctl::Idg(5)))->isVisible());
      get<QLineEdit>(N(ctl::Idg(1)))->clear();
    }
    get(N(ctl::Idg(1)))->setFocus();
    typeEnter(N(ctl::Idg(1)), ratio);
    QCOMPARE(get(N(ctl::Idg(5)))->isVisible(), offered);
    for (const char* name : {ctl::OkS, ctl::EtS, ctl::EtInf, ctl::Etdecr})
      QVERIFY2(enabled(name) == offered, name);
    QCOMPARE(w_->focusWidget(), get(N(ctl::Idg(2))));
    QVERIFY(ui_->messages.empty());
  }

  // A click on the empty sum empties n to S_n; then 1, n = 4, S = 2 and the keypad's Enter
  // give the ratio 1/2.
  void infiniteSumSolvedFromItsField() {
    typeEnter(N(ctl::Idg(1)), "0.5");
    get<QLineEdit>(N(ctl::Idg(1)))->clear();
    QTest::keyClicks(get(N(ctl::Idg(2))), "9");
    QTest::mouseClick(get(N(ctl::Idg(5))), Qt::LeftButton);
    QVERIFY(shown(N(ctl::Idg(2))).isEmpty());
    QTest::keyClicks(get(N(ctl::Idg(0))), "1");
    QTest::keyClicks(get(N(ctl::Idg(2))), "4");
    QTest::keyClicks(get(N(ctl::Idg(5))), "2");
    QTest::keyClick(get(N(ctl::Idg(5))), Qt::Key_Enter);
    QCOMPARE(shown(N(ctl::Idg(1))), QStringLiteral("1/2"));
    QVERIFY(enabled(N(ctl::BtGuard(2))));
  }

  // A Spanish default locale changes nothing: a decimal comma is read, and the found values
  // are written as the program writes them.
  void spanishLocaleChangesNothing() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTest::keyClicks(get(N(ctl::Id(0))), "1");
    QTest::keyClicks(get(N(ctl::Id(1))), "0,123");
    QTest::keyClicks(get(N(ctl::Id(2))), "4");
    click(N(ctl::BtOk(0)));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(shown(N(ctl::Id(3))), QStringLiteral("1.369"));
    QCOMPARE(shown(N(ctl::Id(4))), QStringLiteral("4.738"));
    QVERIFY(ui_->messages.empty());
  }

  // The lower pane shows the working of the last solve, and a panel's reset clears it only
  // when it shows that panel. It asks for no height of its own.
  void stepsPaneFollowsTheSolves() {
    const QSize least = w_->minimumSizeHint();
    auto* pane = get<QTextBrowser>("IdPassos");
    QVERIFY(pane->toPlainText().isEmpty());
    QTest::keyClicks(get(N(ctl::Id(0))), "3");
    QTest::keyClicks(get(N(ctl::Id(2))), "10");
    QTest::keyClicks(get(N(ctl::Id(3))), "21");
    click(N(ctl::BtOk(0)));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("Diferencia")));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("120")));
    click(N(ctl::BtRst(2)));
    QVERIFY(!pane->toPlainText().isEmpty());
    click(N(ctl::BtRst(0)));
    QVERIFY(pane->toPlainText().isEmpty());
    QTest::keyClicks(get(N(ctl::Id(0))), "3");
    QTest::keyClicks(get(N(ctl::Id(1))), "0");
    QTest::keyClicks(get(N(ctl::Id(2))), "4");
    click(N(ctl::BtOk(0)));
    QVERIFY(pane->toPlainText().contains(QStringLiteral("Sin respuesta")));
    QCOMPARE(w_->minimumSizeHint(), least);
  }

  // A solved monthly amortisation fills the table beside the steps: t·m rows and the totals,
  // the last pending capital 0.00; its CSV reads back whole, a failed export is told; the
  // panel's reset empties it.
  void scheduleTableFollowsAnAmortisation() {
    const QSize least = w_->minimumSizeHint();
    get<QComboBox>(N(ctl::IdPer(7)))->setCurrentIndex(3);  // mensual
    QTest::keyClicks(get(N(ctl::IdI(12))), "150000");
    QTest::keyClicks(get(N(ctl::IdI(13))), "4.2");
    QTest::keyClicks(get(N(ctl::IdI(14))), "30");
    click(N(ctl::BtOk(7)));
    QCOMPARE(shown(N(ctl::IdI(15))), QStringLiteral("733.53"));
    auto* table = get<QTableWidget>("IdCuadro");
    QCOMPARE(table->rowCount(), 361);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("733.53"));
    QCOMPARE(table->item(359, 5)->text(), QStringLiteral("0.00"));
    QCOMPARE(table->item(360, 0)->text(), QStringLiteral("Total"));
    QCOMPARE(table->item(360, 3)->text(), QStringLiteral("150000.00"));
    QVERIFY(shown("EtCuadro").contains(QStringLiteral("0.00")));

    const std::string path = dir_->filePath(QStringLiteral("cuadro.csv")).toStdString();
    ui_->fileAnswers.push_back(path);
    click("BtCsvEs");
    const auto lines = ReadCsv(LlegeixFtx(path), CsvDialect::Spanish);
    QCOMPARE(lines.size(), size_t{362});
    QCOMPARE(lines[360][5], std::string("0,00"));
    QVERIFY(ui_->messages.empty());
    ui_->fileAnswers.push_back(dir_->path().toStdString());  // a folder: not written
    click("BtCsvEn");
    QCOMPARE(ui_->messages.size(), size_t{1});
    QVERIFY(ui_->messages[0].text.find(dir_->path().toStdString()) != std::string::npos);

    // The chart of the same case: the pending capital, the interest and the principal of each
    // payment; exported as PNG and as SVG.
    auto* chart = get<QChartView>("IdGrafic")->chart();
    QCOMPARE(chart->series().size(), 3);
    QCOMPARE(static_cast<QLineSeries*>(chart->series()[0])->count(), 360);
    const std::string png = dir_->filePath(QStringLiteral("grafico.png")).toStdString();
    const std::string svg = dir_->filePath(QStringLiteral("grafico.svg")).toStdString();
    ui_->fileAnswers = {png, svg};
    click("BtPng");
    click("BtSvg");
    std::string bytes;
    QVERIFY(ReadFileBytes(png, bytes));
    QCOMPARE(bytes.substr(0, 4), std::string("\x89PNG"));
    QVERIFY(ReadFileBytes(svg, bytes));
    QVERIFY(bytes.find("<svg") != std::string::npos);

    click(N(ctl::BtRst(7)));
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(!enabled("BtCsvEs"));
    QVERIFY(!enabled("BtPng"));
    QVERIFY(chart->series().isEmpty());

    // A progression is drawn as its terms and partial sums.
    QTest::keyClicks(get(N(ctl::Id(0))), "3");
    QTest::keyClicks(get(N(ctl::Id(1))), "2");
    QTest::keyClicks(get(N(ctl::Id(2))), "10");
    click(N(ctl::BtOk(0)));
    QCOMPARE(chart->series().size(), 2);
    auto* sums = static_cast<QLineSeries*>(chart->series()[0]);
    QCOMPARE(sums->count(), 10);
    QCOMPARE(sums->at(9).y(), 120.0);
    QCOMPARE(w_->minimumSizeHint(), least);
  }

  // Pictures of the pane for people to look at: TOLVI_SHOT_DIR=folder runs it.
  void screenshotsOfTheWorking() {
    const QString folder = qEnvironmentVariable("TOLVI_SHOT_DIR");
    if (folder.isEmpty()) QSKIP("TOLVI_SHOT_DIR not set");
    ui_->defaultChoice = 1;
    w_->resize(1366, 900);
    const QList<QPair<QString, QStringList>> cases = {
        {"arithmetic", {"Id(0)=3", "Id(2)=10", "Id(3)=21", N(ctl::BtOk(0))}},
        {"geometric", {"Idg(0)=3", "Idg(2)=5", "Idg(4)=363", N(ctl::BtOk(2))}},
        {"geometric-interpolation", {"IdKg=3", "IdAg=2", "IdBg=162", N(ctl::BtOk(3))}},
        {"compound", {"IdI(4)=1000", "IdI(5)=5", "IdI(7)=1628.89", N(ctl::BtOk(5))}},
        {"amortisation", {"IdI(12)=10000", "IdI(14)=10", "IdI(15)=1295.05", N(ctl::BtOk(7))}}};
    for (const auto& [name, steps] : cases) {
      for (const QString& step : steps) {
        const qsizetype eq = step.indexOf('=');
        if (eq < 0) {
          click(step);
          continue;
        }
        get<QLineEdit>(step.left(eq))->clear();
        QTest::keyClicks(get(step.left(eq)), step.mid(eq + 1));
      }
      QTest::qWait(50);
      QVERIFY(w_->grab().save(folder + "/steps-" + name + ".png"));
    }
    // The tables: a monthly loan at the end of each month, a quarterly fund at the start.
    auto* tabs = get<QTabWidget>("PestPassos");
    const QList<std::tuple<QString, int, QStringList>> tables = {
        {"amortisation", 3, {"IdI(12)=150000", "IdI(13)=4.2", "IdI(14)=30", N(ctl::BtOk(7))}},
        {"capitalisation", 2, {"IdI(8)=10000", "IdI(9)=3", "IdI(10)=5", N(ctl::BtOk(6))}},
        {"compound", 3, {"IdI(4)=1000", "IdI(5)=5", "IdI(6)=2", N(ctl::BtOk(5))}}};
    for (const auto& [name, perYear, steps] : tables) {
      const QString key = steps.last().mid(5, 1);
      get<QComboBox>(N(ctl::IdPer(key.toInt())))->setCurrentIndex(perYear);
      for (const QString& step : steps) {
        const qsizetype eq = step.indexOf('=');
        if (eq < 0) {
          click(step);
          continue;
        }
        get<QLineEdit>(step.left(eq))->clear();
        QTest::keyClicks(get(step.left(eq)), step.mid(eq + 1));
      }
      tabs->setCurrentIndex(1);
      QTest::qWait(50);
      QVERIFY(w_->grab().save(folder + "/schedule-" + name + ".png"));
      tabs->setCurrentIndex(2);
      QTest::qWait(50);
      QVERIFY(w_->grab().save(folder + "/chart-" + name + ".png"));
      tabs->setCurrentIndex(0);
    }
    // A progression's chart, and the same chart in a dark palette.
    click(N(ctl::BtOk(0)));
    tabs->setCurrentIndex(2);
    QTest::qWait(50);
    QVERIFY(w_->grab().save(folder + "/chart-arithmetic.png"));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, Qt::white);
    get("PestPassos")->setPalette(dark);
    QTest::qWait(50);
    QVERIFY(w_->grab().save(folder + "/chart-arithmetic-dark.png"));
  }
};

QTEST_MAIN(TestFTolvi)
#include "test_ftolvi.moc"
