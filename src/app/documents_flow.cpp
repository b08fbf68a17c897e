#include "app/documents_flow.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <vector>

#include "app/file_messages.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"

namespace tolvi {
namespace {

constexpr int16_t kModeOpen = 0;
constexpr int16_t kModeSave = 1;

struct Notice {
  std::string_view title;
  std::string_view question;
};

constexpr std::array<std::string_view, 3> kNoEditor = {
    "The text editor could not be started.", "No s'ha pogut obrir l'editor de text.",
    "No se ha podido abrir el editor de texto."};

// The characters a Windows-1252 file could not take.
constexpr std::array<Notice, 3> kLost = {{
    {"Saved with changes", "The file is in Windows-1252, which has no "},
    {"Guardat amb canvis", "El fitxer \u00E9s en Windows-1252, que no t\u00E9 "},
    {"Guardado con cambios", "El archivo est\u00E1 en Windows-1252, que no tiene "},
}};
constexpr std::array<std::string_view, 3> kLostEnd = {
    ": they were written as \"?\".", ": s'han escrit com a \"?\".",
    ": se han escrito como \"?\"."};

constexpr std::array<Notice, 3> kSaved = {{
    {"Saved at...  ", "Do you want see it?"},
    {"Guardat a...  ", "Veure?"},
    {"Guardado en ...  ", "\u00BFVer?"},
}};

// Asks for a file in save mode and appends the problems; the notice or the failure follows.
bool SaveProblems(Services& ui, std::span<const Prob> problems, int16_t idioma,
                  std::string_view carpIni) {
  CreaCarpetaPrbls(carpIni);
  const std::string path = ui.chooseFile(kModeSave, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (path.empty()) return false;
  std::vector<std::string> lost;
  const FileResult written = AfegeixPrbs(path, problems, &lost);
  if (!written) {
    ui.message(TextError(written, idioma), TitolError(FileOperation::Save, idioma),
               Icon::Exclamation);
    return false;
  }
  if (!lost.empty()) {
    const auto i = static_cast<size_t>(IdiomaValid(idioma));
    ui.message(path + NL + NL + std::string(kLost[i].question) + NameCharacters(lost) +
                   std::string(kLostEnd[i]),
               kLost[i].title, Icon::Exclamation);
  }
  VeureGuardat(ui, path, idioma);
  return true;
}

std::vector<std::string> SplitBlanks(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

}  // namespace

std::string CarpetaPrbls(std::string_view carpIni) {
  return Utf8Of(PathOf(carpIni) / "Prbls");
}

FileResult CreaCarpetaPrbls(std::string_view carpIni) {
  const std::string folder = CarpetaPrbls(carpIni);
  std::error_code ec;
  if (std::filesystem::is_directory(PathOf(folder), ec)) return FileResult::Ok(folder);
  if (std::filesystem::create_directory(PathOf(folder), ec)) return FileResult::Ok(folder);
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), folder);
  return {FileErrorKind::Other, folder, ec.message()};
}

bool GuardaPanell(Services& ui, const ProbTable& probs, int16_t key, std::string_view selGuard,
                  int16_t idioma, std::string_view carpIni) {
  if (key >= 0 && key <= 7) {
    ui.showProblem(kCaptionPrb, probs[static_cast<size_t>(key)]);
    return false;
  }
  if (key != -1) return false;
  std::vector<Prob> chosen;
  for (const char c : selGuard) {
    if (c >= '0' && c <= '7') chosen.push_back(probs[static_cast<size_t>(c - '0')]);
  }
  if (chosen.empty()) return false;
  return SaveProblems(ui, chosen, idioma, carpIni);
}

bool GuardaPrb(Services& ui, const Prob& problem, int16_t idioma, std::string_view carpIni) {
  return SaveProblems(ui, {&problem, 1}, idioma, carpIni);
}

void VeureGuardat(Services& ui, const std::string& path, int16_t idioma) {
  const Notice& notice = kSaved[static_cast<size_t>(IdiomaValid(idioma))];
  const std::string text = path + NL + NL + std::string(notice.question);
  if (ui.askYesNo(text, notice.title)) ObreEditor(ui, path, idioma);
}

void ObrePrbls(Services& ui, int16_t idioma, std::string_view carpIni) {
  const std::string path = ui.chooseFile(kModeOpen, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (!path.empty()) ObreEditor(ui, path, idioma);
}

Command EditorCommand(const std::string& path, std::string_view visual, std::string_view editor) {
  Command command;
#ifdef _WIN32
  (void)visual;
  (void)editor;
  command.program = "notepad.exe";
#else
  std::vector<std::string> words = SplitBlanks(visual);
  if (words.empty()) words = SplitBlanks(editor);
  if (words.empty()) words = {"xdg-open"};
  command.program = words.front();
  command.args.assign(words.begin() + 1, words.end());
#endif
  command.args.push_back(path);
  return command;
}

Command NotepadCommand(const std::string& path) {
  const char* visual = std::getenv("VISUAL");
  const char* editor = std::getenv("EDITOR");
  return EditorCommand(path, visual ? visual : "", editor ? editor : "");
}

bool ObreEditor(Services& ui, const std::string& path, int16_t idioma) {
  if (ui.startProgram(NotepadCommand(path), WindowStyle::Normal)) return true;
  if (ui.openDocument(path)) return true;
  const std::string_view reason = kNoEditor[static_cast<size_t>(IdiomaValid(idioma))];
  const std::string text = path + NL + NL + std::string(reason);
  ui.message(text, TitolError(FileOperation::Open, idioma), Icon::Exclamation);
  return false;
}

}  // namespace tolvi
