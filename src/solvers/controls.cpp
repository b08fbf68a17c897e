#include "solvers/controls.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace tolvi::ctl {

std::string Group::operator()(int index) const {
  if (!has(index))
    throw std::out_of_range(std::string(name) + "(" + std::to_string(index) + ") is no control");
  return std::string(name) + "(" + std::to_string(index) + ")";
}

const std::vector<std::string>& All() {
  static const std::vector<std::string> all = [] {
    std::vector<std::string> out;
    for (const Group* g :
         {&Id, &Idg, &IdI, &EtM, &BtGen, &BtOk, &BtRst, &BtGuard, &IdPer, &IdMom, &ITool})
      for (int i = g->first; i <= g->last; ++i) out.push_back((*g)(i));
    for (std::string_view s : {Id1a,      IdPA,         Id1g,
                               IdPG,      IdK,          IdA,
                               IdB,       Idd,          IdTrms,
                               IdKg,      IdAg,         IdBg,
                               IdR,       IdTG,         OkS,
                               EtS,       EtInf,        Etdecr,
                               LstSmbs,   EtEstat,      PAritm,
                               PGeom,     PInteres,     PCompost,
                               Panual,    Progressions, PInteresComercial,
                               Arxiu,     OpObr,        OpGuard,
                               OpHoja,    OpSurt,       Tools,
                               OpEdTools, Info,         OpInfo,
                               OpWeb,     OpQuant,      Idiomes})
      out.emplace_back(s);
    std::sort(out.begin(), out.end());
    return out;
  }();
  return all;
}

bool Known(std::string_view name) {
  const auto& all = All();
  return std::binary_search(all.begin(), all.end(), name);
}

bool Index(std::string_view name, const Group& group, int& index) {
  if (name.size() < group.name.size() + 3 || name.substr(0, group.name.size()) != group.name ||
      name[group.name.size()] != '(' || name.back() != ')')
    return false;
  const char* begin = name.data() + group.name.size() + 1;
  const char* end = name.data() + name.size() - 1;
  int value = 0;
  auto [at, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || at != end || !group.has(value)) return false;
  index = value;
  return true;
}

}  // namespace tolvi::ctl
