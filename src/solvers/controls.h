// Every control of the main window by its name: the single controls as constants, the indexed
// groups as builders that check the index. Solvers, the controller, tolvi-cli, the window's
// builders and the tests all name controls through here, so a misspelt name does not compile
// and an index out of its group is caught (MemoryForm and QtForm refuse unknown names).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tolvi::ctl {

// An indexed group: Id(0)..Id(4) and the like.
struct Group {
  std::string_view name;
  int first, last;
  // "Id(3)"; an index outside the group is a programming error (std::out_of_range).
  std::string operator()(int index) const;
  bool has(int index) const { return index >= first && index <= last; }
};

// The arithmetic row: a_k, d, n, a_n, S_n.
inline constexpr Group Id{"Id", 0, 4};
// The geometric row: a_k, r, n, a_n, S_n and the infinite sum S.
inline constexpr Group Idg{"Idg", 0, 5};
// The interest rows, four fields each: simple, compound, capitalisation, amortisation.
inline constexpr Group IdI{"IdI", 0, 15};
// Per panel (0..7): the currency labels, the die, Solve, reset and save buttons.
inline constexpr Group EtM{"EtM", 0, 7};
inline constexpr Group BtGen{"BtGen", 0, 7};
inline constexpr Group BtOk{"BtOk", 0, 7};
inline constexpr Group BtRst{"BtRst", 0, 7};
inline constexpr Group BtGuard{"BtGuard", 0, 7};
// The lists of the compound and annuity rows (panels 5..7): how many times a year the interest
// compounds or the payments fall, and (annuities, 6..7) whether they fall at the start or the
// end of each period.
inline constexpr Group IdPer{"IdPer", 5, 7};
inline constexpr Group IdMom{"IdMom", 6, 7};
// The entries of the Tools menu.
inline constexpr Group ITool{"ITool", 1, 12};

// The subscripts k of the progression rows and their term lists.
inline constexpr const char* Id1a = "Id1a";
inline constexpr const char* IdPA = "IdPA";
inline constexpr const char* Id1g = "Id1g";
inline constexpr const char* IdPG = "IdPG";
// Arithmetic interpolation: k, a, b, the difference found and the terms.
inline constexpr const char* IdK = "IdK";
inline constexpr const char* IdA = "IdA";
inline constexpr const char* IdB = "IdB";
inline constexpr const char* Idd = "Idd";
inline constexpr const char* IdTrms = "IdTrms";
// Geometric interpolation: k, a, b, the ratio found and the terms.
inline constexpr const char* IdKg = "IdKg";
inline constexpr const char* IdAg = "IdAg";
inline constexpr const char* IdBg = "IdBg";
inline constexpr const char* IdR = "IdR";
inline constexpr const char* IdTG = "IdTG";
// The infinite-sum row of the geometric frame.
inline constexpr const char* OkS = "OkS";
inline constexpr const char* EtS = "EtS";
inline constexpr const char* EtInf = "EtInf";
inline constexpr const char* Etdecr = "Etdecr";
// The currency list and the status line.
inline constexpr const char* LstSmbs = "LstSmbs";
inline constexpr const char* EtEstat = "EtEstat";
// Frames.
inline constexpr const char* PAritm = "PAritm";
inline constexpr const char* PGeom = "PGeom";
inline constexpr const char* PInteres = "PInteres";
inline constexpr const char* PCompost = "PCompost";
inline constexpr const char* Panual = "Panual";
inline constexpr const char* Progressions = "Progressions";
inline constexpr const char* PInteresComercial = "PInteresComercial";
// Menus and their entries.
inline constexpr const char* Arxiu = "Arxiu";
inline constexpr const char* OpObr = "OpObr";
inline constexpr const char* OpGuard = "OpGuard";
inline constexpr const char* OpHoja = "OpHoja";
inline constexpr const char* OpSurt = "OpSurt";
inline constexpr const char* Tools = "Tools";
inline constexpr const char* OpEdTools = "OpEdTools";
inline constexpr const char* Info = "Info";
inline constexpr const char* OpInfo = "OpInfo";
inline constexpr const char* OpWeb = "OpWeb";
inline constexpr const char* OpQuant = "OpQuant";
inline constexpr const char* Idiomes = "Idiomes";

// Every name above, the groups expanded.
const std::vector<std::string>& All();
// Whether a name is one of the window's controls.
bool Known(std::string_view name);
// The group and index of an indexed name ("BtOk(3)" is BtOk, 3); false for other names.
bool Index(std::string_view name, const Group& group, int& index);

}  // namespace tolvi::ctl
