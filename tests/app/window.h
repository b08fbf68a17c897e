// The main window on an in-memory form, with recording services, in a fresh working folder.
// Each test starts it (c.start()) once its files and solver are in place.
#pragma once
#include <string>

#include "app/controller.h"
#include "solvers/controls.h"
#include "solvers/recording_services.h"
#include "documents/temp_folder.h"
#include "solvers/atzar.h"

namespace tolvi::testing {

struct TestWindow {
  TempFolder dir;
  MemoryForm form;
  RecordingServices ui;
  Atzar rng{12345};
  Controller c{form, ui, rng, dir.str()};
  bool saveEnabled(int key) const { return form.enabled(ctl::BtGuard(key)); }
  // Types text into a field, as a person would.
  void type(const std::string& field, const std::string& text) {
    form.setText(field, text);
    c.fieldChanged(field);
  }
};

}  // namespace tolvi::testing
