// The eight panels as the command line and the tests name them: each panel's key, its name,
// its input fields with their short aliases, every field it shows (inputs and results) and its
// term list.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tolvi {

class Controller;

struct Panell {
  int key;
  std::string name;                                         // "arithmetic", "simple", ...
  std::vector<std::pair<std::string, std::string>> inputs;  // alias, control
  std::vector<std::string> fields;                          // inputs and results, in order
  std::string termList;                                     // "IdPA", "IdPG" or ""
};

const std::vector<Panell>& Panells();

// The panel of a name ("geometric") or a key ("2"); nullptr when there is none.
const Panell* PanellPerNom(std::string_view nameOrKey);

// The control of an input field given by its alias ("an") or its own name ("Idg(3)");
// "" when the panel has no such input.
std::string ControlDeCamp(const Panell& panel, std::string_view name);

// Chooses the currency symbol as a person would: picks it in the list when it is an item,
// otherwise types it and presses Enter (so it is cut to its first three characters).
void TriaSimbol(Controller& controller, std::string_view symbol);

}  // namespace tolvi
