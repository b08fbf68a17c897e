#include "gui/qt_form.h"
#include "solvers/controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace tolvi {

namespace {

// The dynamic property that tells that the edit text of a list is the user's own.
constexpr const char* kTyped = "tolviTyped";

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

QtForm::QtForm(QWidget& root) : root_(root) {}

QObject* QtForm::find(std::string_view name) const {
  auto it = cache_.find(name);
  if (it != cache_.end()) {
    if (it->second) return it->second;
    cache_.erase(it);
  }
  QObject* found = root_.objectName() == Q(name) ? &root_ : root_.findChild<QObject*>(Q(name));
  if (found) {
    cache_.emplace(std::string(name), found);
  } else if (missing_.emplace(name).second) {
    // A name outside the catalogue is a programming error; the window's tests fail on it.
    qWarning("QtForm: no control named %.*s%s", static_cast<int>(name.size()), name.data(),
             ctl::Known(name) ? " (the window did not build it)" : " (not in the catalogue)");
  }
  return found;
}

QComboBox* QtForm::list(std::string_view name) const {
  return qobject_cast<QComboBox*>(find(name));
}

std::string QtForm::text(std::string_view name) const {
  QObject* o = find(name);
  QString t;
  if (auto* e = qobject_cast<QLineEdit*>(o))
    t = e->text();
  else if (auto* l = qobject_cast<QLabel*>(o))
    t = l->text();
  else if (auto* b = qobject_cast<QAbstractButton*>(o))
    t = b->text();
  else if (auto* c = qobject_cast<QComboBox*>(o))
    t = c->currentText();
  else if (auto* p = qobject_cast<QPlainTextEdit*>(o))
    t = p->toPlainText();
  else if (auto* g = qobject_cast<QGroupBox*>(o))
    t = g->title();
  else if (auto* a = qobject_cast<QAction*>(o))
    t = a->text();
  return t.toStdString();
}

void QtForm::setText(std::string_view name, std::string_view text) {
  QObject* o = find(name);
  if (!o) return;
  const QSignalBlocker block(o);
  const QString t = Q(text);
  if (auto* e = qobject_cast<QLineEdit*>(o)) {
    e->setText(t);
    e->setCursorPosition(0);  // long results show their beginning
  } else if (auto* l = qobject_cast<QLabel*>(o)) {
    l->setText(t);
  } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
    b->setText(t);
  } else if (auto* c = qobject_cast<QComboBox*>(o)) {
    c->setEditText(t);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(o)) {
    p->setPlainText(t);
  } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
    g->setTitle(t);
  } else if (auto* a = qobject_cast<QAction*>(o)) {
    a->setText(t);
  }
}

bool QtForm::enabled(std::string_view name) const {
  QObject* o = find(name);
  if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
  if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
  return false;
}

void QtForm::setEnabled(std::string_view name, bool on) {
  QObject* o = find(name);
  if (auto* w = qobject_cast<QWidget*>(o))
    w->setEnabled(on);
  else if (auto* a = qobject_cast<QAction*>(o))
    a->setEnabled(on);
}

// A widget's own visible state, whether or not its window is shown yet.
bool QtForm::visible(std::string_view name) const {
  QObject* o = find(name);
  if (auto* w = qobject_cast<QWidget*>(o)) return !w->isHidden();
  if (auto* a = qobject_cast<QAction*>(o)) return a->isVisible();
  return false;
}

void QtForm::setVisible(std::string_view name, bool on) {
  QObject* o = find(name);
  if (auto* w = qobject_cast<QWidget*>(o))
    w->setVisible(on);
  else if (auto* a = qobject_cast<QAction*>(o))
    a->setVisible(on);
}

std::vector<std::string> QtForm::items(std::string_view name) const {
  std::vector<std::string> out;
  if (QComboBox* c = list(name)) {
    for (int i = 0; i < c->count(); ++i) out.push_back(c->itemText(i).toStdString());
  }
  return out;
}

void QtForm::addItem(std::string_view name, std::string_view item) {
  QComboBox* c = list(name);
  if (!c) return;
  // Adding to a list keeps its selection and its edit text (a typed symbol stays typed).
  const QSignalBlocker block(c);
  const QString typed = c->currentText();
  c->addItem(Q(item));
  if (c->isEditable() && c->property(kTyped).toBool()) c->setEditText(typed);
}

int QtForm::currentIndex(std::string_view name) const {
  QComboBox* c = list(name);
  if (!c) return -1;
  if (c->property(kTyped).toBool()) return -1;
  return c->currentIndex();
}

void QtForm::setCurrentIndex(std::string_view name, int index) {
  QComboBox* c = list(name);
  if (!c) return;
  const QSignalBlocker block(c);
  c->setCurrentIndex(index < c->count() ? index : -1);
  markTyped(*c, false);
}

void QtForm::markTyped(QComboBox& list, bool typed) { list.setProperty(kTyped, typed); }

}  // namespace tolvi
