// The main window's words: its texts in the interface language, the names and descriptions a
// screen reader says of its controls, the buttons' tooltips, the labels tied to their fields,
// the language menu.
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <array>

#include "app/file_messages.h"
#include "app/idiom.h"
#include "gui/control_names.h"
#include "gui/dhoja.h"
#include "gui/ftolvi.h"
#include "gui/language.h"
#include "solvers/controls.h"
#include "texts/catalogue.h"

namespace tolvi {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString T(std::string_view key) { return Q(Tx(key)); }

// The key a label's text was written from: kept once found, so the label can change language
// again. Found by its Spanish text among the window's texts (win.*) the first time.
constexpr const char* kKeyProperty = "tolviTextKey";

QString KeyOf(QObject& o, const QString& shown) {
  const QVariant kept = o.property(kKeyProperty);
  if (kept.isValid()) return kept.toString();
  const auto& spanish = Catalogues()[static_cast<size_t>(kSpanish)].texts;
  const std::string text = shown.toStdString();
  for (const auto& [key, value] : spanish) {
    if (key.rfind("win.", 0) == 0 && value == text) {
      o.setProperty(kKeyProperty, Q(key));
      return Q(key);
    }
  }
  o.setProperty(kKeyProperty, QString());  // none: the label shows data, not a text
  return {};
}

// What a field holds, for the screen reader: "q" is the quantity's key, the panel gives the
// name its place ("d: diferencia, progresión aritmética").
enum class Kind { Input, Result, Index, Sum, List };
struct FieldWords {
  QString name;
  const char* quantity;
  int panel;
  Kind kind = Kind::Input;
};

std::vector<FieldWords> Fields() {
  std::vector<FieldWords> f = {{ctl::Id1a, "q.k_index", 0, Kind::Index},
                               {ctl::IdPA, "q.terms", 0, Kind::List},
                               {ctl::IdK, "q.k_means", 1},
                               {ctl::IdA, "q.a", 1},
                               {ctl::IdB, "q.b", 1},
                               {ctl::Idd, "q.d_found", 1, Kind::Result},
                               {ctl::IdTrms, "q.means", 1, Kind::Result},
                               {ctl::Id1g, "q.k_index", 2, Kind::Index},
                               {Nm(ctl::Idg, 5), "q.s_inf", 2, Kind::Sum},
                               {ctl::IdPG, "q.terms", 2, Kind::List},
                               {ctl::IdKg, "q.k_means", 3},
                               {ctl::IdAg, "q.a", 3},
                               {ctl::IdBg, "q.b", 3},
                               {ctl::IdR, "q.r_found", 3, Kind::Result},
                               {ctl::IdTG, "q.means", 3, Kind::Result}};
  const char* const progression[2][5] = {{"q.a_k", "q.d", "q.n", "q.a_n", "q.s_n"},
                                         {"q.a_k", "q.r", "q.n", "q.a_n", "q.s_n"}};
  for (int i = 0; i < 5; ++i) {
    f.push_back({Nm(ctl::Id, i), progression[0][i], 0});
    f.push_back({Nm(ctl::Idg, i), progression[1][i], 2});
  }
  const char* const interest[4][4] = {{"q.capital", "q.rate", "q.time", "q.final"},
                                      {"q.capital", "q.rate", "q.time", "q.final"},
                                      {"q.formed", "q.rate", "q.time", "q.annuity"},
                                      {"q.debt", "q.rate", "q.time", "q.annuity"}};
  for (int i = 0; i < 16; ++i) f.push_back({Nm(ctl::IdI, i), interest[i / 4][i % 4], 4 + i / 4});
  return f;
}

const char* Description(Kind kind) {
  switch (kind) {
    case Kind::Result: return "acc.result.d";
    case Kind::Index: return "acc.index.d";
    case Kind::Sum: return "acc.sum.d";
    case Kind::List: return "acc.list.d";
    case Kind::Input: break;
  }
  return "acc.field.d";
}

QString Panel(int key) { return T("panel." + std::to_string(key)); }

}  // namespace

void FTolvi::setLanguage(Language idioma) {
  FixaIdioma(idioma);
  controller_->state().Idioma = IdiomaActual();
  InstallQtTranslations(Catalogues()[static_cast<size_t>(IdiomaActual())].code);
  retranslate();
}

void FTolvi::chooseLanguage(Language idioma) {
  setLanguage(idioma);
  // From now on the choice decides, also when the tools editor reads the language again.
  languageArguments_.clear();
  const AppState& state = controller_->state();
  if (state.CarpIni.empty() || state.settingsLost) return;
  const FileResult kept = DesaIdioma(state.CarpIni, IdiomaActual());
  if (!kept) {
    controller_->services().message(
        Tx("language.not_kept") + NL + NL + TextError(kept, IdiomaActual()),
        TitolError(FileOperation::Save, IdiomaActual()), Icon::Exclamation);
  }
}

void FTolvi::retranslate() {
  setWindowTitle(T("win.title"));
  for (QLabel* l : findChildren<QLabel*>()) {
    if (l->textFormat() != Qt::PlainText) continue;  // formulas
    const QString key = KeyOf(*l, l->text());
    if (!key.isEmpty()) l->setText(T(key.toStdString()));
  }
  for (QGroupBox* b : findChildren<QGroupBox*>()) {
    const QString key = KeyOf(*b, b->title());
    if (!key.isEmpty()) b->setTitle(T(key.toStdString()));
  }
  // Menus and their entries by their names: an entry of the Tools menu holds the person's own
  // title and has no text of the window's.
  const auto& spanish = Catalogues()[static_cast<size_t>(kSpanish)].texts;
  auto own = [&spanish](const QObject& o, std::string& key) {
    key = "win." + o.objectName().toStdString();
    return !o.objectName().isEmpty() && spanish.count(key) > 0;
  };
  std::string key;
  for (QMenu* m : findChildren<QMenu*>())
    if (own(*m, key)) m->setTitle(T(key));
  for (QAction* a : findChildren<QAction*>())
    if (!a->menu() && own(*a, key)) a->setText(T(key));
  describeControls();
  // What the lower pane shows is said again: the working's title, the chart, the reasons
  // an empty table or chart give.
  if (controller_) {
    if (stepsKey_ >= 0)
      showSteps(static_cast<int16_t>(stepsKey_));
    else
      showSchedule(0);
  }
  if (auto* builder = qobject_cast<DHoja*>(worksheet_.data())) builder->retranslate();
}

void FTolvi::describeControls() {
  for (const FieldWords& f : Fields()) {
    auto* e = findChild<QLineEdit*>(f.name);
    if (!e) continue;
    e->setAccessibleName(
        Q(TxF("acc.in_panel", {Tx(f.quantity), Tx("panel." + std::to_string(f.panel))})));
    e->setAccessibleDescription(T(Description(f.kind)));
  }
  for (int key = 0; key < 8; ++key) {
    const std::string panel = Panel(key).toStdString();
    const struct {
      const ctl::Group* group;
      const char* name;
      const char* tip;
    } buttons[] = {{&ctl::BtGen, "acc.generate", "tip.generate"},
                   {&ctl::BtOk, "acc.solve", "tip.solve"},
                   {&ctl::BtRst, "acc.reset", "tip.reset"},
                   {&ctl::BtGuard, "acc.save", "tip.save"}};
    for (const auto& b : buttons) {
      auto* button = findChild<QAbstractButton*>(Nm(*b.group, key));
      if (!button) continue;
      button->setAccessibleName(Q(TxF(b.name, {panel})));
      button->setAccessibleDescription(T(std::string(b.name) + ".d"));
      button->setToolTip(Q(TxF(b.tip, {panel})));
    }
  }
  if (auto* oks = findChild<QAbstractButton*>(Nm(ctl::OkS))) {
    oks->setAccessibleName(T("acc.sum_ok"));
    oks->setAccessibleDescription(T("acc.sum.d"));
    oks->setToolTip(T("tip.sum"));
  }
  if (auto* list = findChild<QComboBox*>(Nm(ctl::LstSmbs))) {
    list->setAccessibleName(T("acc.symbol"));
    list->setAccessibleDescription(T("acc.symbol.d"));
    if (list->lineEdit()) {
      list->lineEdit()->setAccessibleName(T("acc.symbol"));
      list->lineEdit()->setAccessibleDescription(T("acc.symbol.d"));
    }
  }
  for (int key = 5; key <= 7; ++key) {
    const std::string panel = Panel(key).toStdString();
    for (const auto& [group, name] :
         {std::pair{&ctl::IdPer, "acc.per_year"}, std::pair{&ctl::IdMom, "acc.timing"}})
      if (group->has(key))
        if (auto* list = findChild<QComboBox*>(Q((*group)(key)))) {
          list->setAccessibleName(Q(TxF(name, {panel})));
          list->setAccessibleDescription(T(std::string(name) + ".d"));
          list->setToolTip(T(std::string(name) + ".d"));
          // The items too; the list's width follows the longest of them.
          const std::string item = group == &ctl::IdPer ? "list.per." : "list.timing.";
          list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
          for (int i = 0; i < list->count(); ++i) list->setItemText(i, T(item + std::to_string(i)));
        }
  }
  // The lower pane's tabs, table, chart and their buttons.
  for (const auto& [name, key] : {std::pair{"PestPassos", "acc.pane"},
                                  {"IdCuadro", "acc.table"},
                                  {"BtCopiaCuadro", "acc.copy_table"},
                                  {"BtCsvEs", "acc.csv_es"},
                                  {"BtCsvEn", "acc.csv_en"},
                                  {"IdGrafic", "acc.chart"},
                                  {"BtPng", "acc.png"},
                                  {"BtSvg", "acc.svg"}})
    if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) {
      w->setAccessibleName(T(key));
      w->setAccessibleDescription(T(std::string(key) + ".d"));
      if (qobject_cast<QAbstractButton*>(w)) w->setToolTip(T(std::string(key) + ".d"));
    }
  if (auto* tabs = findChild<QTabWidget*>(QStringLiteral("PestPassos"))) {
    // The tab bar is what takes the focus and what a screen reader names.
    tabs->tabBar()->setAccessibleName(tabs->accessibleName());
    tabs->tabBar()->setAccessibleDescription(tabs->accessibleDescription());
    for (int i = 0; i < tabs->count() && i < 3; ++i)
      tabs->setTabText(i, T(std::array{"win.tab.steps", "win.tab.table",
                                       "win.tab.chart"}[static_cast<size_t>(i)]));
  }
  if (auto* copy = findChild<QAbstractButton*>(QStringLiteral("BtCopiaCuadro")))
    copy->setText(T("win.copy"));
  if (auto* steps = findChild<QWidget*>(QStringLiteral("IdPassos"))) {
    steps->setAccessibleName(T("win.steps"));
    steps->setAccessibleDescription(T("acc.steps.d"));
  }
  if (auto* status = findChild<QLabel*>(Nm(ctl::EtEstat))) {
    status->setAccessibleName(T("acc.status"));
    status->setAccessibleDescription(T("acc.status.d"));
  }
  // The currency labels after the amounts: EtM(2j) and EtM(2j+1) follow the first and the
  // last amount of interest row j.
  for (int i = 0; i < 8; ++i) {
    if (auto* l = findChild<QLabel*>(Nm(ctl::EtM, i))) {
      const int field = 4 * (i / 2) + (i % 2 ? 3 : 0);
      if (auto* e = findChild<QLineEdit*>(Nm(ctl::IdI, field)))
        l->setAccessibleName(Q(TxF("acc.currency", {e->accessibleName().toStdString()})));
    }
  }
}

void FTolvi::buildLanguageMenu() {
  QMenu* menu = new QMenu(T("win.Idiomes"), this);
  menu->setObjectName(Nm(ctl::Idiomes));
  // Before Info, the last menu.
  const QList<QAction*> menus = menuBar()->actions();
  menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
  auto* group = new QActionGroup(menu);
  group->setExclusive(true);
  const auto& all = Catalogues();
  for (size_t i = 0; i < all.size(); ++i) {
    // Each language by its own name, so a person finds theirs whatever the window speaks.
    const Language language = LanguageAt(i);
    QAction* a = menu->addAction(Q(all[i].name));
    a->setObjectName(Numbered("OpIdioma", static_cast<int>(i)));
    a->setCheckable(true);
    a->setChecked(language == IdiomaActual());
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, language] { chooseLanguage(language); });
  }
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    for (QAction* a : menu->actions())
      a->setChecked(a->objectName() ==
                    Numbered("OpIdioma", static_cast<int>(Index(IdiomaActual()))));
  });
}

namespace {

// A label and the field it names: the field right after it in a row, or right below it in a
// grid (the small k, a, b over the interpolation fields).
void TieIn(QLayout* layout) {
  if (!layout) return;
  if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
    for (int i = 0; i < grid->count(); ++i) {
      int row = 0, column = 0, rows = 0, columns = 0;
      grid->getItemPosition(i, &row, &column, &rows, &columns);
      auto* label = qobject_cast<QLabel*>(grid->itemAt(i)->widget());
      QLayoutItem* below = grid->itemAtPosition(row + 1, column);
      if (label && !label->buddy() && below && qobject_cast<QLineEdit*>(below->widget()))
        label->setBuddy(below->widget());
      TieIn(grid->itemAt(i)->layout());
    }
    return;
  }
  QLabel* pending = nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->layout()) {
      TieIn(item->layout());
      continue;
    }
    QWidget* w = item->widget();
    if (auto* label = qobject_cast<QLabel*>(w)) {
      pending = label->buddy() ? nullptr : label;
    } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
      if (pending) pending->setBuddy(field);
      pending = nullptr;
    } else if (w) {
      pending = nullptr;
    }
  }
}

}  // namespace

void FTolvi::tieLabels() {
  for (QWidget* w : findChildren<QWidget*>())
    if (w->layout()) TieIn(w->layout());
}

}  // namespace tolvi
