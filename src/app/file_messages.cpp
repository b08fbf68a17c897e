#include "app/file_messages.h"

#include "documents/prob.h"
#include "texts/catalogue.h"

namespace tolvi {
namespace {

// The catalogue key of a failure's reason.
std::string_view Reason(FileErrorKind kind) {
  switch (kind) {
    case FileErrorKind::None: return {};
    case FileErrorKind::NoPermission: return "file.reason.permission";
    case FileErrorKind::IsFolder: return "file.reason.folder";
    case FileErrorKind::DiskFull: return "file.reason.full";
    case FileErrorKind::NoFolder: return "file.reason.nofolder";
    case FileErrorKind::NotFound: return "file.reason.notfound";
    case FileErrorKind::Exists: return "file.reason.exists";
    case FileErrorKind::InvalidName: return "file.reason.name";
    case FileErrorKind::NotAFile: return "file.reason.notfile";
    case FileErrorKind::Busy: return "file.reason.busy";
    case FileErrorKind::Utf16: return "file.reason.utf16";
    case FileErrorKind::Other: break;
  }
  return "file.reason.unknown";
}

}  // namespace

Language IdiomaValid(Language idioma) { return Coneguda(idioma) ? idioma : kSpanish; }

std::string RaoError(const FileResult& result, Language idioma) {
  if (result.error == FileErrorKind::Other && !result.detail.empty()) return result.detail;
  const std::string_view key = Reason(result.error);
  return key.empty() ? std::string() : Tx(key, IdiomaValid(idioma));
}

std::string_view TitolError(FileOperation operation, Language idioma) {
  static constexpr std::string_view kTitles[] = {"file.title.save", "file.title.erase",
                                                 "file.title.newfolder", "file.title.open"};
  return Tx(kTitles[static_cast<size_t>(operation)], IdiomaValid(idioma));
}

std::string TextError(const FileResult& result, Language idioma) {
  return result.path + NL + NL + RaoError(result, idioma);
}

}  // namespace tolvi
