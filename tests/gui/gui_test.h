// Helpers shared by the offscreen window tests (with the Qt headers they all use): controls
// found by name, clicks, the rows of a list, a file written or read whole, and a script that
// plays the user's part in modal windows.
#pragma once
#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "solvers/controls.h"

namespace tolvi::test {

// A control's name from the catalogue, as Qt looks it up.
inline QString N(const std::string& name) { return QString::fromStdString(name); }
inline QString N(const char* name) { return QString::fromLatin1(name); }

template <class T = QWidget>
T* Child(const QObject* root, const QString& name) {
  T* found = root->findChild<T*>(name);
  if (!found) qFatal("no control %s", qPrintable(name));
  return found;
}

inline void Click(const QObject* root, const QString& name) {
  QTest::mouseClick(Child<QAbstractButton>(root, name), Qt::LeftButton);
}

inline QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

inline void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

inline bool WriteFile(const QString& path, const QByteArray& bytes = {}) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Plays the user's part in modal windows: each step runs once on the next modal window that
// comes to the top. A modal window nobody expected, or one a step left open for long, is
// closed and noted, so that a test fails instead of hanging.
class ModalScript : public QObject {
 public:
  using Step = std::function<void(QWidget*)>;

  ModalScript() {
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
    poll_.start(10);
  }
  ModalScript& then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
  }
  // What went otherwise than scripted: windows closed, steps never played.
  QStringList problems() const {
    return steps_.empty() ? unexpected_
                          : unexpected_ + QStringList{QStringLiteral("a window never came")};
  }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (modal == last_) {
      if (since_.elapsed() > 5000) close(modal, QStringLiteral("left open: "));
      return;
    }
    last_ = modal;
    since_.start();
    if (steps_.empty()) return close(modal, QStringLiteral("unexpected: "));
    // Run from a timer of its own, so that a window the step opens is played in turn.
    QTimer::singleShot(0, modal, [step = std::move(steps_.front()), w = QPointer<QWidget>(modal)] {
      if (w) step(w);
    });
    steps_.pop_front();
  }
  void close(QWidget* modal, const QString& why) {
    unexpected_ << why + modal->windowTitle();
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }

  QTimer poll_;
  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QElapsedTimer since_;
  QStringList unexpected_;
};

}  // namespace tolvi::test
