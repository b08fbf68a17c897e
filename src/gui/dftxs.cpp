#include "gui/dftxs.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "app/file_messages.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

constexpr int Px(int twips) { return twips / 15; }

// The role of a folder item that tells its subfolders are listed under it.
constexpr int kListed = Qt::UserRole + 1;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Shown(std::string_view text) {
  QString t = Q(text);
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

std::string S(const QString& text) { return text.toStdString(); }

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The last step of a folder's path, or the whole path for a root.
QString StepName(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  return name.isEmpty() ? path : name;
}

QToolButton* SmallButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setIcon(parent->style()->standardIcon(icon));
  b->setFixedSize(Px(375), Px(360));
  b->setAutoRaise(true);
  return b;
}

}  // namespace

QString DFtxs::choose(QWidget* parent, DialogMode mode, const QString& folder,
                      const QString& filter, Language idioma, Hooks hooks) {
  DFtxs dialog(mode, folder, filter, idioma, parent, std::move(hooks));
  dialog.exec();
  return dialog.result();
}

std::string DFtxs::DlgFtx(QWidget* parent, DialogMode mode, const std::string& folder,
                          std::string_view filter, Language idioma, Hooks hooks) {
  return S(choose(parent, mode, Q(folder), Q(filter), idioma, std::move(hooks)));
}

DFtxs::DFtxs(DialogMode mode, const QString& folder, const QString& filter, Language idioma,
             QWidget* parent, Hooks hooks)
    : QDialog(parent),
      model_(mode, S(folder), S(filter), S(QDir::currentPath())),
      idioma_(idioma),
      hooks_(std::move(hooks)) {
  setObjectName(QStringLiteral("DFtxs"));
  setModal(true);
  build();
  retranslate(idioma);
  fillDrives();
  {
    const QSignalBlocker block(lTps_);
    for (const std::string& type : model_.tipus()) lTps_->addItem(Q(type));
    lTps_->setCurrentIndex(0);
  }
  showFolder();
}

QString DFtxs::result() const { return Q(model_.resultat()); }

void DFtxs::build() {
  setWindowTitle(QStringLiteral("Files"));

  lDsks_ = new QComboBox(this);
  lDsks_->setObjectName(QStringLiteral("LDsks"));
  lDsks_->setMinimumWidth(Px(1515));
  btObr_ = SmallButton(this, "BtObr", QStyle::SP_DirOpenIcon);
  btRere_ = SmallButton(this, "BtRere", QStyle::SP_ArrowBack);
  btAm_ = SmallButton(this, "BtAm", QStyle::SP_FileDialogToParent);
  btNova_ = SmallButton(this, "BtNova", QStyle::SP_FileDialogNewFolder);
  idNova_ = new QLineEdit(this);
  idNova_->setObjectName(QStringLiteral("IdNova"));
  idNova_->setMinimumWidth(Px(1515));
  // Its place is kept while hidden, so the dialog does not widen when a folder is asked for.
  QSizePolicy keep = idNova_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  idNova_->setSizePolicy(keep);
  idNova_->hide();

  etCarp_ = new QLabel(this);
  etCarp_->setObjectName(QStringLiteral("EtCarp"));
  etCarp_->setTextFormat(Qt::PlainText);
  etCarp_->setMinimumWidth(Px(2760));
  etCarp_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  lDirs_ = new QTreeWidget(this);
  lDirs_->setObjectName(QStringLiteral("LDirs"));
  lDirs_->setHeaderHidden(true);
  lDirs_->setMinimumSize(Px(2760), Px(3015));
  lFtxs_ = new QListWidget(this);
  lFtxs_->setObjectName(QStringLiteral("LFtxs"));
  lFtxs_->setMinimumSize(Px(2760), Px(3015));

  etNom_ = new QLabel(this);
  etNom_->setObjectName(QStringLiteral("EtNom"));
  idNom_ = new QLineEdit(this);
  idNom_->setObjectName(QStringLiteral("IdNom"));
  etTp_ = new QLabel(this);
  etTp_->setObjectName(QStringLiteral("EtTp"));
  lTps_ = new QComboBox(this);
  lTps_->setObjectName(QStringLiteral("LTps"));
  lTps_->setEditable(true);
  lTps_->setInsertPolicy(QComboBox::NoInsert);
  btOk_ = new QPushButton(QStringLiteral("Ok"), this);
  btOk_->setObjectName(QStringLiteral("BtOk"));
  btFuig_ = new QPushButton(this);
  btFuig_->setObjectName(QStringLiteral("BtFuig"));
  // Enter belongs to the field that has the cursor, never to a default button.
  for (QPushButton* b : {btOk_, btFuig_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  auto* top = new QHBoxLayout;
  top->addWidget(lDsks_);
  top->addSpacing(Px(300));
  for (QWidget* w :
       {static_cast<QWidget*>(btObr_), static_cast<QWidget*>(btRere_), static_cast<QWidget*>(btAm_),
        static_cast<QWidget*>(btNova_), static_cast<QWidget*>(idNova_)}) {
    top->addWidget(w);
  }
  top->addStretch(1);
  auto* lists = new QHBoxLayout;
  lists->addWidget(lDirs_, 1);
  lists->addWidget(lFtxs_, 1);
  auto* bottom = new QGridLayout;
  bottom->addWidget(etNom_, 0, 0);
  bottom->addWidget(idNom_, 0, 1);
  bottom->addWidget(btOk_, 0, 2);
  bottom->addWidget(etTp_, 1, 0);
  bottom->addWidget(lTps_, 1, 1);
  bottom->addWidget(btFuig_, 1, 2);
  bottom->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(etCarp_);
  layout->addLayout(lists, 1);
  layout->addLayout(bottom);

  // The folder-opening program is offered only when it is beside the program.
  btObr_->setVisible(QFileInfo(QDir::current(), QStringLiteral("Dunvelo.exe")).isFile());

  connect(lDsks_, &QComboBox::activated, this, &DFtxs::driveChosen);
  // One click on a folder opens it (the folder highlighted is the folder shown); from the
  // keyboard the arrows move the highlight and Enter opens it.
  connect(lDirs_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { folderChosen(item); });
  connect(lFtxs_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { idNom_->setText(item->text()); });
  connect(lFtxs_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    idNom_->setText(item->text());
    okClicked();
  });
  connect(lTps_, &QComboBox::activated, this, [this] { typeChosen(); });
  connect(btOk_, &QPushButton::clicked, this, &DFtxs::okClicked);
  connect(btFuig_, &QPushButton::clicked, this, &DFtxs::reject);
  connect(btRere_, &QToolButton::clicked, this, &DFtxs::back);
  connect(btAm_, &QToolButton::clicked, this, &DFtxs::up);
  connect(btObr_, &QToolButton::clicked, this, &DFtxs::openOutside);
  connect(btNova_, &QToolButton::clicked, this, &DFtxs::newFolderAsked);
  for (QObject* o : {static_cast<QObject*>(lDirs_), static_cast<QObject*>(lFtxs_),
                     static_cast<QObject*>(idNova_), static_cast<QObject*>(idNom_),
                     static_cast<QObject*>(lTps_->lineEdit())}) {
    o->installEventFilter(this);
  }
}

void DFtxs::retranslate(Language idioma) {
  const DlgTexts t = TextsDlg(idioma, model_.mode());
  setWindowTitle(Q(t.titol));
  etNom_->setText(Q(t.nom));
  etTp_->setText(Q(t.tipus));
  btFuig_->setText(Q(t.cancela));
  btRere_->setToolTip(Q(t.tipRere));
  btAm_->setToolTip(Q(t.tipAm));
  btObr_->setToolTip(Q(t.tipObr));
  btNova_->setToolTip(Q(t.tipNova));
  proposedFolder_ = Q(t.novaCarpeta);
}

void DFtxs::fillDrives() {
  QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
  volumes.append(QStorageInfo::root());
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
    return a.rootPath() < b.rootPath();
  });
  QStringList seen;
  const QSignalBlocker block(lDsks_);
  for (const QStorageInfo& v : volumes) {
    if (!v.isValid() || seen.contains(v.rootPath())) continue;
    seen << v.rootPath();
    QString text = QDir::toNativeSeparators(v.rootPath());
    const QString label = v.name();
    if (!label.isEmpty() && label != v.rootPath()) text += QStringLiteral(" [%1]").arg(label);
    lDsks_->addItem(text, v.rootPath());
  }
}

void DFtxs::driveChosen(int index) {
  const QString root = lDsks_->itemData(index).toString();
  const QDir drive(root);
  if (root.isEmpty() || !drive.exists() || !drive.isReadable()) {
    say(Tx("dlg.no_disc", IdiomaValid(idioma_)) + S(QDir::toNativeSeparators(root)),
        Tx("dlg.not_accessible", IdiomaValid(idioma_)));
    showFolder();  // the drive list goes back to the folder shown
    return;
  }
  if (model_.canviaCarpeta(S(root))) showFolder();
}

void DFtxs::folderChosen(QTreeWidgetItem* item) {
  if (!item) return;
  if (model_.canviaCarpeta(S(item->data(0, Qt::UserRole).toString()))) showFolder();
}

QTreeWidgetItem* DFtxs::folderItem(const QString& path) const {
  QTreeWidgetItemIterator it(lDirs_);
  for (; *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toString() == path) return *it;
  return nullptr;
}

void DFtxs::showFolder() {
  const QString path = Q(model_.carpAct());
  // The folder tree: the folder's ancestors from the root down, then its own subfolders. A
  // folder already in the tree is opened where it stands, so that nothing moves under the
  // pointer (the second click of a double click lands on the folder the first one opened).
  QTreeWidgetItem* item = folderItem(path);
  if (!item) {
    QStringList chain;
    for (std::string p = model_.carpAct();;) {
      chain.prepend(Q(p));
      std::string parent = NormalitzaCarpeta(CarpetaAmunt(p));
      if (parent == p) break;
      p = std::move(parent);
    }
    lDirs_->clear();
    for (const QString& step : chain) {
      auto* next = item ? new QTreeWidgetItem(item) : new QTreeWidgetItem(lDirs_);
      next->setText(0, StepName(QDir::toNativeSeparators(step)));
      next->setData(0, Qt::UserRole, step);
      next->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
      next->setExpanded(true);
      item = next;
    }
  }
  if (item && !item->data(0, kListed).toBool()) {
    // Its subfolders, beside the one the tree may already hold (the way down to a folder).
    QStringList held;
    for (int i = 0; i < item->childCount(); ++i)
      held << item->child(i)->data(0, Qt::UserRole).toString();
    const QStringList subfolders = QDir(path).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : subfolders) {
      const QString childPath = Q(NormalitzaCarpeta(S(QDir(path).filePath(name))));
      if (held.contains(childPath)) continue;
      auto* child = new QTreeWidgetItem(item);
      child->setText(0, name);
      child->setData(0, Qt::UserRole, childPath);
      child->setIcon(0, style()->standardIcon(QStyle::SP_DirClosedIcon));
    }
    if (!held.isEmpty()) item->sortChildren(0, Qt::AscendingOrder);
    item->setData(0, kListed, true);
  }
  // The folder shown is the one a name goes into: in bold in the tree, and its whole path
  // above the lists.
  for (QTreeWidgetItemIterator it(lDirs_); *it; ++it) {
    QFont font = (*it)->font(0);
    font.setBold(*it == item);
    (*it)->setFont(0, font);
  }
  etCarp_->setText(QDir::toNativeSeparators(path));
  etCarp_->setToolTip(etCarp_->text());
  if (item) {
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    item->setExpanded(true);
    const QSignalBlocker block(lDirs_);
    lDirs_->setCurrentItem(item);
    lDirs_->scrollToItem(item);
  }

  // The drive that holds the folder: the longest root the path begins with.
  int drive = -1;
  qsizetype longest = -1;
  for (int i = 0; i < lDsks_->count(); ++i) {
    const QString root = lDsks_->itemData(i).toString();
    if (path.startsWith(root) && root.size() > longest) {
      drive = i;
      longest = root.size();
    }
  }
  {
    const QSignalBlocker block(lDsks_);
    lDsks_->setCurrentIndex(drive);
  }
  btRere_->setEnabled(model_.rereActiu());
  refreshFiles();
}

void DFtxs::refreshFiles() {
  QStringList patterns;
  for (const std::string& p : PatronsDelTipus(model_.tipusActual())) patterns << Q(p);
  lFtxs_->clear();
  lFtxs_->addItems(QDir(Q(model_.carpAct()))
                       .entryList(patterns, QDir::Files | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
}

void DFtxs::typeChosen() {
  model_.posaTipus(S(lTps_->currentText()));
  refreshFiles();
}

void DFtxs::okClicked() {
  // With no name, Ok opens the folder highlighted in the tree.
  if (idNom_->text().isEmpty()) {
    QTreeWidgetItem* highlighted = lDirs_->currentItem();
    if (highlighted && highlighted->data(0, Qt::UserRole).toString() != Q(model_.carpAct())) {
      folderChosen(highlighted);
      return;
    }
  }
  // The extension of a bare name is taken from the type shown, typed or chosen.
  const std::string shown = S(lTps_->currentText());
  if (shown != model_.tipusActual()) {
    model_.posaTipus(shown);
    refreshFiles();
  }
  const AccioDlg action = model_.accepta(S(idNom_->text()), idioma_);
  switch (action.kind) {
    case AccioDlg::Res: break;
    case AccioDlg::VesACarpeta: showFolder(); break;
    case AccioDlg::Tanca: QDialog::accept(); break;
    case AccioDlg::Missatge: say(action.text, action.titol); break;
  }
}

void DFtxs::reject() {
  model_.cancela();
  QDialog::reject();
}

void DFtxs::back() {
  if (model_.rere()) showFolder();
}

void DFtxs::up() {
  if (model_.amunt()) showFolder();
}

void DFtxs::openOutside() {
  QTreeWidgetItem* item = lDirs_->currentItem();
  const QString folder = item ? item->data(0, Qt::UserRole).toString() : Q(model_.carpAct());
  const Command command{S(QDir::current().absoluteFilePath(Q(kDunvelo))), {S(folder)}, {}};
  const bool started = hooks_.startProgram
                           ? hooks_.startProgram(command, WindowStyle::Hidden)
                           : QProcess::startDetached(Q(command.program), {Q(command.args.front())});
  if (!started) say(command.program, TitolError(FileOperation::Open, idioma_));
}

void DFtxs::newFolderAsked() {
  idNova_->setText(proposedFolder_);
  idNova_->show();
  idNova_->setFocus();
  idNova_->selectAll();
}

void DFtxs::newFolderEntered() {
  const QString name = idNova_->text().trimmed();
  if (name.isEmpty()) return;
  const FileResult made = CreaCarpeta(model_.carpAct(), S(name));
  if (!made) {
    say(TextError(made, idioma_), TitolError(FileOperation::NewFolder, idioma_));
    return;
  }
  idNova_->hide();
  if (QTreeWidgetItem* shown = folderItem(Q(model_.carpAct()))) shown->setData(0, kListed, false);
  showFolder();
}

void DFtxs::eraseAsked() {
  const QListWidgetItem* item = lFtxs_->currentItem();
  if (!item) return;
  const std::string path = UneixCami(model_.carpAct(), S(item->text()));
  if (!ask(path, Tx("dlg.erase_file", IdiomaValid(idioma_)))) return;
  const FileResult erased = EsborraFtx(path);
  if (!erased) say(TextError(erased, idioma_), TitolError(FileOperation::Erase, idioma_));
  refreshFiles();
}

bool DFtxs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == lDirs_ && IsEnter(key)) {
    folderChosen(lDirs_->currentItem());
    return true;
  }
  if (watched == lFtxs_ && key->key() == Qt::Key_Delete) {
    eraseAsked();
    return true;
  }
  if (watched == idNova_) {
    if (IsEnter(key)) {
      newFolderEntered();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      idNova_->hide();
      idNom_->setFocus();
      return true;
    }
  }
  if (watched == idNom_ && IsEnter(key)) {
    okClicked();
    return true;
  }
  if (watched == lTps_->lineEdit() && IsEnter(key)) {
    typeChosen();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void DFtxs::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !idNova_->isVisible())
    idNom_->setFocus();
}

void DFtxs::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  idNom_->setFocus();
}

void DFtxs::say(std::string_view text, std::string_view title) {
  if (hooks_.message) {
    hooks_.message(text, title);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, Shown(title), Shown(text), QMessageBox::Ok, this);
  box.exec();
}

bool DFtxs::ask(std::string_view text, std::string_view title) {
  if (hooks_.askYesNo) return hooks_.askYesNo(text, title);
  QMessageBox box(QMessageBox::NoIcon, Shown(title), Shown(text),
                  QMessageBox::Yes | QMessageBox::No, this);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tolvi
