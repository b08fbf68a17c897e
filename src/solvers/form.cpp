#include "solvers/form.h"

namespace tolvi {

const MemoryForm::Control* MemoryForm::find(std::string_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : &it->second;
}
std::string MemoryForm::text(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->text : std::string();
}
void MemoryForm::setText(std::string_view name, std::string_view text) {
  controls_[std::string(name)].text = std::string(text);
}
bool MemoryForm::enabled(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->enabled : true;
}
void MemoryForm::setEnabled(std::string_view name, bool on) {
  controls_[std::string(name)].enabled = on;
}
bool MemoryForm::visible(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->visible : true;
}
void MemoryForm::setVisible(std::string_view name, bool on) {
  controls_[std::string(name)].visible = on;
}

std::vector<std::string> MemoryForm::items(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->items : std::vector<std::string>();
}
void MemoryForm::addItem(std::string_view name, std::string_view item) {
  controls_[std::string(name)].items.emplace_back(item);
}
int MemoryForm::currentIndex(std::string_view name) const {
  const Control* c = find(name);
  return c ? c->current : -1;
}
void MemoryForm::setCurrentIndex(std::string_view name, int index) {
  controls_[std::string(name)].current = index;
}

std::string Nom(std::string_view group, int index) {
  return std::string(group) + "(" + std::to_string(index) + ")";
}

}  // namespace tolvi
