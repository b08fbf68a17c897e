#include "gui/ftria.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace tolvi {
namespace {

// The list shows this many options without scrolling; more scroll.
constexpr int kRowsShown = 8;

}  // namespace

QStringList SplitOptions(const QString& options) {
  return options.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

FTria::FTria(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FTria"));
  setWindowTitle(QStringLiteral("Options"));
  setModal(true);

  lstOps_ = new QListWidget(this);
  lstOps_->setObjectName(QStringLiteral("LstOps"));
  lstOps_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstOps_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  btOk_ = new QPushButton(QStringLiteral("Ok"), this);
  btOk_->setObjectName(QStringLiteral("BtOk"));
  btOk_->setDefault(true);  // Enter in the list takes the selected option
  btEsc_ = new QPushButton(QStringLiteral("Esc"), this);
  btEsc_->setObjectName(QStringLiteral("BtEsc"));
  btEsc_->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btOk_);
  buttons->addWidget(btEsc_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(lstOps_, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetMinAndMaxSize);

  connect(btOk_, &QPushButton::clicked, this, &FTria::fixaOpcio);
  connect(btEsc_, &QPushButton::clicked, this, &FTria::reject);
  connect(lstOps_, &QListWidget::itemDoubleClicked, this, [this] { fixaOpcio(); });
}

int FTria::TriaOpcio(QWidget* parent, QString caption, QString options) {
  FTria chooser(parent);
  if (!caption.isEmpty()) chooser.setWindowTitle(caption);
  chooser.posaOpcions(options);
  chooser.exec();
  return chooser.opcio();
}

void FTria::posaOpcions(const QString& options) {
  lstOps_->clear();
  lstOps_->addItems(SplitOptions(options));
  // The first option stands selected, so that Ok or Enter take what the list shows at once.
  lstOps_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  // Wide enough for the longest option, tall enough for a few rows without scrolling.
  const int rows = std::clamp(lstOps_->count(), 3, kRowsShown);
  const int rowHeight = std::max(lstOps_->sizeHintForRow(0), fontMetrics().height() + 2);
  const int frame = 2 * lstOps_->frameWidth();
  const int chars = fontMetrics().averageCharWidth();
  int width = std::clamp(lstOps_->sizeHintForColumn(0) + chars, 18 * chars, 60 * chars);
  if (lstOps_->count() > kRowsShown) width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  lstOps_->setMinimumSize(width + frame, rows * rowHeight + frame);
  // The list's own size hint is a large fixed box: the chooser takes the size just computed.
  layout()->activate();
  resize(minimumSizeHint());
}

void FTria::fixaOpcio() {
  const QList<QListWidgetItem*> chosen = lstOps_->selectedItems();
  opcioTria_ = chosen.isEmpty() ? 0 : lstOps_->row(chosen.front()) + 1;
  QDialog::accept();
}

void FTria::reject() {
  opcioTria_ = 0;
  QDialog::reject();
}

void FTria::showEvent(QShowEvent* event) {
  opcioTria_ = 0;
  QDialog::showEvent(event);
  lstOps_->setFocus();
}

}  // namespace tolvi
