#include "solvers/form.h"

#include <stdexcept>

#include "solvers/controls.h"

namespace tolvi {

void MemoryForm::check(std::string_view name) {
  if (!ctl::Known(name))
    throw std::invalid_argument("the window has no control named \"" + std::string(name) + "\"");
}

MemoryForm::Control& MemoryForm::at(std::string_view name) {
  check(name);
  return controls_[std::string(name)];
}

const MemoryForm::Control* MemoryForm::find(std::string_view name) const {
  check(name);
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : &it->second;
}
std::string MemoryForm::text(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->text : std::string();
}
void MemoryForm::setText(std::string_view name, std::string_view text) {
  at(name).text = std::string(text);
}
bool MemoryForm::enabled(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->enabled : true;
}
void MemoryForm::setEnabled(std::string_view name, bool on) { at(name).enabled = on; }
bool MemoryForm::visible(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->visible : true;
}
void MemoryForm::setVisible(std::string_view name, bool on) { at(name).visible = on; }

std::vector<std::string> MemoryForm::items(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->items : std::vector<std::string>();
}
void MemoryForm::addItem(std::string_view name, std::string_view item) {
  at(name).items.emplace_back(item);
}
int MemoryForm::currentIndex(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->current : -1;
}
void MemoryForm::setCurrentIndex(std::string_view name, int index) { at(name).current = index; }

}  // namespace tolvi
