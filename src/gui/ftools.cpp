#include "gui/ftools.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/file_messages.h"
#include "app/idiom.h"
#include "texts/catalogue.h"

namespace tolvi {

QPointer<FTools> FTools::instance_;

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QString& s) { return s.toStdString(); }

// The picture of OkEd: an arrow that carries the fields into the list.
QIcon StoreIcon() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 140, 60));
  const QPointF arrow[] = {{4, 16}, {15, 5}, {15, 11}, {28, 11}, {28, 21}, {15, 21}, {15, 27}};
  p.drawPolygon(arrow, 7);
  return QIcon(pm);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int width = 0) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  if (width > 0) b->setFixedWidth(width);
  return b;
}

}  // namespace

FTools* FTools::EditaTools(Services& ui, AppState& state, std::string arguments, Form& formMenu,
                           QWidget* parent) {
  if (!instance_) {
    instance_ = new FTools(ui, state, std::move(arguments), &formMenu, parent);
    instance_->setAttribute(Qt::WA_DeleteOnClose);
  }
  instance_->show();
  instance_->raise();
  instance_->activateWindow();
  return instance_;
}

FTools::FTools(Services& ui, AppState& state, std::string arguments, Form* formMenu,
               QWidget* parent)
    : QDialog(parent), ui_(ui), state_(state), formMenu_(formMenu) {
  setObjectName(QStringLiteral("FTools"));
  setModal(false);

  etTools_ = new QLabel(this);
  etTools_->setObjectName(QStringLiteral("EtTools"));
  lst_ = new QListWidget(this);
  lst_->setObjectName(QStringLiteral("Lst"));
  lst_->setSelectionMode(QAbstractItemView::SingleSelection);
  const int small = fontMetrics().height() + 10;  // the square buttons
  btNou_ = Button(this, "BtNou", QStringLiteral("+"), small);
  btBrr_ = Button(this, "BtBrr", QStringLiteral("-"), small);

  ped_ = new QGroupBox(this);
  ped_->setObjectName(QStringLiteral("Ped"));
  auto* grid = new QGridLayout(ped_);
  grid->setHorizontalSpacing(8);
  for (int i = 0; i < 4; ++i) {
    et_[static_cast<size_t>(i)] = new QLabel(ped_);
    et_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("Et(%1)").arg(i));
    auto* ed = new QLineEdit(ped_);
    ed->setObjectName(QStringLiteral("Ed(%1)").arg(i));
    ed->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    ed->installEventFilter(this);
    ed_[static_cast<size_t>(i)] = ed;
    et_[static_cast<size_t>(i)]->setBuddy(ed);
    grid->addWidget(et_[static_cast<size_t>(i)], i, 0);
    grid->addWidget(ed, i, 1, 1, i == 1 ? 1 : 2);
  }
  btCerc_ = Button(ped_, "BtCerc", QStringLiteral("..."), small + 8);
  grid->addWidget(btCerc_, 1, 2);
  okEd_ = new QPushButton(ped_);
  okEd_->setObjectName(QStringLiteral("OkEd"));
  okEd_->setIcon(StoreIcon());
  okEd_->setIconSize(QSize(20, 20));
  okEd_->setAutoDefault(false);
  okEd_->installEventFilter(this);  // Enter on it stores the fields, and nowhere else
  grid->addWidget(okEd_, 4, 2, Qt::AlignRight);
  grid->setColumnStretch(1, 1);

  btOk_ = Button(this, "BtOk", QStringLiteral("Ok"));
  btEsc_ = Button(this, "BtEsc", QStringLiteral("Esc"));

  auto* left = new QVBoxLayout;
  left->addWidget(etTools_);
  left->addWidget(lst_, 1);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(btNou_);
  listButtons->addWidget(btBrr_);
  listButtons->addStretch(1);
  left->addLayout(listButtons);

  auto* right = new QVBoxLayout;
  right->addWidget(ped_);
  right->addStretch(1);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(btOk_);
  closing->addWidget(btEsc_);
  right->addLayout(closing);

  auto* layout = new QHBoxLayout(this);
  layout->setSpacing(12);
  layout->addLayout(left, 2);
  layout->addLayout(right, 3);
  lst_->setMinimumWidth(fontMetrics().averageCharWidth() * 22);
  lst_->setMinimumHeight(ped_->sizeHint().height());

  connect(lst_, &QListWidget::currentRowChanged, this, &FTools::triaTool);
  connect(lst_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { triaTool(lst_->row(item)); });
  connect(okEd_, &QPushButton::clicked, this, &FTools::okEd);
  connect(btNou_, &QPushButton::clicked, this, &FTools::netejaTool);
  connect(btBrr_, &QPushButton::clicked, this, &FTools::eliminaTool);
  connect(btCerc_, &QPushButton::clicked, this, &FTools::cercaFitxer);
  connect(btOk_, &QPushButton::clicked, this, &FTools::desa);
  connect(btEsc_, &QPushButton::clicked, this, &FTools::reject);

  // The load step.
  dirIni_ = QDir::currentPath();
  state_.Idioma = TriaIdioma(arguments, state_.CarpIni, state_.Idioma, senseLng_);
  retranslate(state_.Idioma);
  toolAct_ = 0;
  if (LlegeixTools(tools_, state_.CarpIni)) llistaTools();
  loaded_ = true;
}

void FTools::retranslate(Language idioma) {
  const Language i = IdiomaValid(idioma);
  setWindowTitle(Q(Tx("editor.window", i)));
  etTools_->setText(Q(Tx("editor.tools", i)));
  ped_->setTitle(Q(Tx("editor.tool", i)));
  const char* const fields[] = {"editor.title", "editor.file", "editor.dir", "editor.params"};
  for (size_t f = 0; f < 4; ++f) et_[f]->setText(Q(Tx(fields[f], i)));
}

void FTools::llistaTools() {
  {
    const QSignalBlocker block(lst_);
    lst_->clear();
    for (int16_t i = 1; i <= tools_.NTools; ++i)
      lst_->addItem(Q(tools_.Tools[static_cast<size_t>(i)].Titol));
  }
  netejaTool();
}

void FTools::netejaTool() {
  for (QLineEdit* ed : ed_) ed->clear();
  toolAct_ = 0;
  {
    const QSignalBlocker block(lst_);
    lst_->clearSelection();
    lst_->setCurrentRow(-1);
  }
  if (loaded_) ed_[0]->setFocus();
}

void FTools::triaTool(int row) {
  if (row < 0 || row >= tools_.NTools) return;
  toolAct_ = static_cast<int16_t>(row + 1);
  const Tool& t = tools_.Tools[static_cast<size_t>(toolAct_)];
  ed_[0]->setText(Q(t.Titol));
  ed_[1]->setText(Q(t.Fitxer));
  ed_[2]->setText(Q(t.Dir));
  ed_[3]->setText(Q(t.Params));
}

void FTools::okEd() {
  const Tool fields{S(ed_[0]->text()), S(ed_[1]->text()), S(ed_[2]->text()), S(ed_[3]->text())};
  const RefusTool refus = DesaTool(tools_, toolAct_, fields);
  if (refus != RefusTool::Cap) {
    const Avis avis = AvisRefus(refus, state_.Idioma);
    ui_.message(avis.text, avis.titol, Icon::Exclamation);
    ed_[0]->setFocus();
    return;
  }
  llistaTools();
}

void FTools::eliminaTool() {
  const int row = lst_->currentRow();
  if (row < 0 || row >= tools_.NTools || lst_->selectedItems().isEmpty()) return;
  const Confirmacio texts = TextsEliminar(state_.Idioma);
  const QString title = Q(tools_.Tools[static_cast<size_t>(row + 1)].Titol).toUpper();
  const std::string question = std::string(texts.prefix) + S(title) + " ?";
  if (!ui_.askYesNo(question, texts.titol)) return;
  EliminaTool(tools_, static_cast<int16_t>(row + 1));
  llistaTools();
}

void FTools::cercaFitxer() {
  const std::string path = ui_.chooseFile(DialogMode::Open, CarpetaCerca(), FiltreCerca());
  if (!path.empty()) {
    std::string folder, name;
    SeparaCami(path, folder, name);
    ed_[1]->setText(Q(name));
    ed_[2]->setText(Q(folder));
  }
  QDir::setCurrent(dirIni_);
}

void FTools::desa() {
  const FileResult written = EscriuTools(tools_, state_.CarpIni);
  if (!written) {
    // The list stays in the editor, so nothing typed is lost.
    ui_.message(TextError(written, state_.Idioma), TitolError(FileOperation::Save, state_.Idioma),
                Icon::Exclamation);
    return;
  }
  // The menu shows the list as saved, whatever decided the language.
  if (formMenu_) MenuTools(*formMenu_, state_.CarpIni);
  QDialog::accept();
}

bool FTools::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (watched == okEd_) {
        okEd_->click();
        return true;
      }
      for (size_t i = 0; i < 4; ++i) {
        if (watched != ed_[i]) continue;
        if (i < 3)
          ed_[i + 1]->setFocus(Qt::TabFocusReason);
        else
          okEd_->setFocus(Qt::TabFocusReason);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FTools::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ed_[0]->setFocus();
}

}  // namespace tolvi
