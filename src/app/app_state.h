// The state the main window keeps besides the texts of its controls: the panels' problem
// records, which panels hold a solved case, the currency symbol and the active panel.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>
#include "documents/prob.h"
#include "solvers/steps.h"
#include "texts/catalogue.h"

namespace tolvi {

struct AppState {
  ProbTable Probs{};                    // the last composed case of each panel, by panel key
  std::array<Solution, 8> Solutions{};  // the working of each panel's last solve
  int16_t PanAct = -1;                  // panel key of the last Solve; -1 until the first
  Language Idioma = kSpanish;           // the interface language
  std::string Resolts;                  // digits of the solved panels, each once, ascending
  std::string SelGuard;                 // digits of the panels a bulk save writes
  // The currency symbols in the order of the list LstSmbs: "€", "$", "£", then every symbol
  // the user gave (typed with Enter, or read from NSmb.txt), so each list item has its own.
  std::vector<std::string> Smbs{"\u20AC", "$", "\u00A3"};
  int16_t NSmb = 0;              // index of the chosen symbol in Smbs
  std::string Smb = "\u20AC";    // Smbs[NSmb], written after every amount
  std::string CarpIni;           // the settings folder: the working folder of an old install
  std::string DocsFolder;        // the folder that holds the problem folder Prbls
  bool settingsLost = false;     // the settings folder cannot be written (told once, at start)
  bool DinsPA = false;           // the last press on PAritm fell on the term list's rectangle
  bool DinsPG = false;           // the same for PGeom
  std::array<double, 6> Vals{};  // quantities of the panel being solved (geometric entries)
  bool ended = false;            // "&Salir" was chosen and done: the program ends, written already
  // The quantity fields whose text the last solve of their panel found (not typed); an edit by
  // the person makes a field typed again.
  std::set<std::string, std::less<>> Calculats;
  std::string SenseGuardar;    // digits of the panels solved since their problem was last saved
  int16_t viewerKey = -1;      // the panel whose record the problem viewer was given last
  bool preguntaSortir = true;  // ask before leaving with unsaved problems (Ajustes.txt)
};

}  // namespace tolvi
