#include "app/documents_flow.h"

#include <array>
#include <filesystem>
#include <span>
#include <vector>

#include "app/file_messages.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

// Asks for a file in save mode and appends the problems; the notice or the failure follows.
bool SaveProblems(Services& ui, std::span<const Prob> problems, Language idioma,
                  std::string_view carpIni) {
  CreaCarpetaPrbls(carpIni);
  const std::string path = ui.chooseFile(DialogMode::Save, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (path.empty()) return false;
  std::vector<std::string> lost;
  const FileResult written = AfegeixPrbs(path, problems, &lost);
  if (!written) {
    ui.message(TextError(written, idioma), TitolError(FileOperation::Save, idioma),
               Icon::Exclamation);
    return false;
  }
  if (!lost.empty()) {
    const Language i = IdiomaValid(idioma);
    ui.message(path + NL + NL + Tx("docs.lost.question", i) + NameCharacters(lost) +
                   Tx("docs.lost.end", i),
               Tx("docs.lost.title", i), Icon::Exclamation);
  }
  VeureGuardat(ui, path, idioma);
  return true;
}

}  // namespace

std::string CarpetaPrbls(std::string_view carpIni) { return Utf8Of(PathOf(carpIni) / "Prbls"); }

FileResult CreaCarpetaPrbls(std::string_view carpIni) {
  const std::string folder = CarpetaPrbls(carpIni);
  std::error_code ec;
  if (std::filesystem::is_directory(PathOf(folder), ec)) return FileResult::Ok(folder);
  if (std::filesystem::create_directories(PathOf(folder), ec)) return FileResult::Ok(folder);
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), folder);
  return {FileErrorKind::Other, folder, ec.message()};
}

bool GuardaPanell(Services& ui, const ProbTable& probs, int key, std::string_view selGuard,
                  Language idioma, std::string_view carpIni) {
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

bool GuardaPrb(Services& ui, const Prob& problem, Language idioma, std::string_view carpIni) {
  return SaveProblems(ui, {&problem, 1}, idioma, carpIni);
}

void VeureGuardat(Services& ui, const std::string& path, Language idioma) {
  const Language i = IdiomaValid(idioma);
  const std::string text = path + NL + NL + Tx("docs.saved.question", i);
  if (ui.askYesNo(text, Tx("docs.saved.title", i))) ObreEditor(ui, path, idioma);
}

void ObrePrbls(Services& ui, Language idioma, std::string_view carpIni) {
  CreaCarpetaPrbls(carpIni);
  const std::string path = ui.chooseFile(DialogMode::Open, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (!path.empty()) ObreEditor(ui, path, idioma);
}

bool ObreEditor(Services& ui, const std::string& path, Language idioma) {
#ifdef _WIN32
  if (ui.startProgram({"notepad.exe", {path}, {}}, WindowStyle::Normal)) return true;
#endif
  if (ui.openDocument(path)) return true;
  // The program's own viewer, for a regular file of a size it can show.
  std::error_code ec;
  const std::filesystem::path file = PathOf(path);
  const bool regular = std::filesystem::is_regular_file(file, ec);
  const std::uintmax_t size = regular ? std::filesystem::file_size(file, ec) : 0;
  if (regular && !ec && size <= kMaxShownFile) {
    ui.showProblem(Utf8Of(file.filename()), Prob{LlegeixFtx(path), {}});
    return true;
  }
  const std::string_view reason = Tx("docs.no_editor", IdiomaValid(idioma));
  const std::string text = path + NL + NL + std::string(reason);
  ui.message(text, TitolError(FileOperation::Open, idioma), Icon::Exclamation);
  return false;
}

}  // namespace tolvi
