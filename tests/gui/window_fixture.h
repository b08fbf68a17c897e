// The main window as the window's tests open it: in a folder of its own, with services that
// record what it asks for instead of showing dialogs.
#pragma once
#include <memory>

#include "gui/ftolvi.h"
#include "gui_test.h"
#include "solvers/recording_services.h"

namespace tolvi::test {

struct WindowFixture {
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<RecordingServices> ui_;
  std::unique_ptr<FTolvi> w_;

  // A new folder and services, then the window (shown, and waited for unless told not to).
  void openWindow(bool wait = true) {
    dir_ = std::make_unique<QTemporaryDir>();
    ui_ = std::make_unique<RecordingServices>();
    w_ = std::make_unique<FTolvi>(dir_->path().toStdString(), ui_.get());
    w_->show();
    if (wait) QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
  }
  template <class T = QWidget>
  T* get(const QString& name) {
    return Child<T>(w_.get(), name);
  }
};

}  // namespace tolvi::test
