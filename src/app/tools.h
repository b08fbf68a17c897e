// The user's tools: the list kept in "Tools.rel", the "&Utilidades" menu built from it, the
// rules the tools editor follows when a tool is stored or removed, and starting a tool or
// opening a document through the services (never through a shell string: a program gets its
// arguments as a list, so paths with blanks work).
//
// "Tools.rel" holds four lines per tool (title, file, folder, parameters) and one empty line
// after the last. Reading takes the file as items separated by line ends or commas; blanks
// around an unquoted item are dropped and an item in double quotes is taken without them.
// A field that would not read back as itself (a comma, a double quote, blanks at its ends)
// is written in double quotes, with its own double quotes doubled.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/textfile.h"
#include "solvers/form.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

inline constexpr int16_t kMaxTools = 12;
inline constexpr std::string_view kToolsFile = "Tools.rel";
inline constexpr std::string_view kTempBat = "temp.bat";  // Windows: how a document tool starts

struct Tool {
  std::string Titol;   // the menu caption
  std::string Fitxer;  // the program or document
  std::string Dir;     // the folder of the file ("Work directory"); empty: as Fitxer says
  std::string Params;  // the command-line parameters
  bool operator==(const Tool&) const = default;
};

// The tools: Tools[1] to Tools[NTools]; Tools[0] is scratch space for reading.
struct ToolList {
  std::array<Tool, kMaxTools + 1> Tools{};
  int16_t NTools = 0;
};

// The items of a text, one after another: an item ends at a comma or a line end (CR LF, LF
// or CR), which is taken with it. A quoted item runs to its closing quote (a doubled quote
// inside stands for one) and whatever follows it up to the separator is dropped.
class LectorItems {
 public:
  explicit LectorItems(std::string_view text) : text_(text) {}
  bool fi() const { return pos_ >= text_.size(); }
  std::string llegeix();

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// A field as it is written into the file, so that it reads back as itself.
std::string ItemDesat(std::string_view field);

// The tools of a file's text: NTools from 0, then a tool at every item that follows the
// previous tool's four, until the text ends or a title is empty. Past the twelfth tool the
// rest is left unread.
void ToolsDelText(ToolList& list, std::string_view text);
// LlegeixTools: the tools of carpIni's "Tools.rel". False (with no tools) when there is no
// such file or it cannot be read.
bool LlegeixTools(ToolList& list, std::string_view carpIni);

// The file's text: four lines per tool, each followed by CR LF.
std::string TextTools(const ToolList& list);
// EscriuTools: replaces carpIni's "Tools.rel" at once (four lines per tool, then one empty
// line); a failure leaves the old file as it was.
FileResult EscriuTools(const ToolList& list, std::string_view carpIni);

// The menu entries ITool(1) to ITool(12) of the form: the first NTools captioned with the
// titles and shown, the others hidden.
void PosaMenuTools(Form& form, const ToolList& list);
// MenuTools: reads carpIni's "Tools.rel" and, when that succeeds, puts it in the menu; a file
// that cannot be read leaves the menu as it was. Answers whether the file was read.
bool MenuTools(Form& form, std::string_view carpIni);

// Why the editor refuses to store a tool.
enum class RefusTool : int16_t { Cap, SenseTitol, Ple };

// OkEd: the fields stored as tool toolAct, or as a new last tool when toolAct is 0 (toolAct
// becomes its position). A tool without a title, or a thirteenth, is refused.
RefusTool DesaTool(ToolList& list, int16_t& toolAct, const Tool& fields);
// BtBrr on Yes: tool pos (1..NTools) goes, the later ones move one place up. False for a
// position that holds no tool.
bool EliminaTool(ToolList& list, int16_t pos);

// The message box of a refusal, by language.
struct Avis {
  std::string_view titol;
  std::string_view text;
};
Avis AvisRefus(RefusTool refus, Language idioma);
// The removal question: box title and the prefix put before the tool's title in capitals.
struct Confirmacio {
  std::string_view titol;
  std::string_view prefix;
};
Confirmacio TextsEliminar(Language idioma);

// A browsed path split at its last separator into the folder before it and the file name
// after it ("/opt/eines/calc" gives "/opt/eines" and "calc"; a file in the root keeps "/").
void SeparaCami(std::string_view path, std::string& carpeta, std::string& nom);
// Where browsing for a tool starts, and the types offered.
std::string CarpetaCerca();
std::string_view FiltreCerca();

// EsExecutable: the command line, in lower case, holds ".exe", ".com" or ".bat".
bool EsExecutable(std::string_view command);
// The parameters as a list: split at blanks; double quotes group blanks and are dropped.
std::vector<std::string> SeparaParams(std::string_view params);
// The file with its folder in front (one separator between them).
std::string UneixDir(std::string_view dir, std::string_view fitxer);

// ExecutaTool: starts the tool without waiting. A program (EsExecutable, or on Linux a file
// that is executable or a program found on PATH) starts with its parameters; anything else is
// a document, opened by the program associated with its type (Windows: through "temp.bat" in
// carpIni; elsewhere the system's opener). Relative names are taken in carpIni. Whatever
// cannot be started is told in a message; answers whether something was started.
bool ExecutaTool(Services& ui, const Tool& tool, std::string_view carpIni, Language idioma);
// ITool(i) chosen: tool i of carpIni's "Tools.rel" (the list the menu was built from).
bool ExecutaTool(Services& ui, int16_t i, std::string_view carpIni, Language idioma);
// The index i of a menu entry "ITool(i)" (1..12); 0 for any other name.
int16_t IndexTool(std::string_view name);

// ObreDoc: the document opened by the program associated with its type, without waiting
// (Windows: "cmd.exe /c " and the document, hidden, falling back to "command.com /c ").
// A missing document or one that cannot be opened is a message.
bool ObreDoc(Services& ui, const std::string& document, Language idioma);

}  // namespace tolvi
