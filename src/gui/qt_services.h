// Services for the window: message boxes, questions, the file dialog and starting programs
// with Qt. The option chooser and the problem viewer are plain Qt dialogs until their own
// windows exist.
#pragma once
#include <QPointer>
#include <QWidget>
#include "app/app_state.h"
#include "solvers/services.h"

namespace tolvi {

class QtServices : public Services {
 public:
  // parent is the window the modal boxes belong to; it may be null.
  explicit QtServices(QWidget* parent = nullptr);

  void message(std::string_view text, std::string_view title, Icon icon = Icon::None) override;
  bool askYesNo(std::string_view text, std::string_view title) override;
  int chooseOption(std::string_view caption, std::string_view options) override;
  std::string chooseFile(int mode, std::string folder, std::string_view filter) override;
  void showProblem(std::string_view caption, const Prob& prob) override;
  bool startProgram(const Command& command, WindowStyle style) override;
  bool openDocument(const std::string& path) override;

  // The window's state, read for the language of the secondary windows (Idioma) and the
  // working folder (CarpIni). Until it is set, Spanish and the current folder.
  void setState(const AppState* state) { state_ = state; }

 private:
  QPointer<QWidget> parent_;
  const AppState* state_ = nullptr;
};

// A text of the program (CR LF line breaks, UTF-8) as a QString with plain line breaks.
QString ShownText(std::string_view text);

// The options of the chooser, split at ";" (the text after the last ";" is the last item).
QStringList SplitOptions(std::string_view options);

}  // namespace tolvi
