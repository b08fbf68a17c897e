#include "app/keyboard.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/controller.h"
#include "solvers/controls.h"

namespace tolvi {

int16_t PanellDeIntro(const Form& form, std::string_view field) {
  for (int key = 0; key < 8; ++key) {
    const std::vector<std::string> fields = CampsPanell(key);
    const bool inRow = std::find(fields.begin(), fields.end(), field) != fields.end() ||
                       (key == 0 && field == ctl::Id1a) || (key == 2 && field == ctl::Id1g);
    if (!inRow) continue;
    if (key != 2) return key;
    if (field == ctl::Idg(5)) return -1;  // the infinite-sum entry
    int given = 0;
    for (int i = 0; i < 5; ++i)
      if (!form.text(ctl::Idg(i)).empty()) ++given;
    return given >= 3 ? key : int16_t{-1};
  }
  return -1;
}

}  // namespace tolvi
