// Services for the window, with Qt: message boxes, questions, the option chooser FTria, the
// program's file dialog DFtxs, the one problem viewer FPrbls, starting programs and opening
// documents. The secondary windows speak the language of the window's state (Idioma), and
// the viewer saves into the problem folder (under the state's DocsFolder).
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include "app/app_state.h"
#include "solvers/services.h"
#include "texts/catalogue.h"

namespace tolvi {

class QtServices : public Services {
 public:
  // parent is the window the dialogs belong to; it may be null.
  explicit QtServices(QWidget* parent = nullptr);
  ~QtServices() override;
  QtServices(const QtServices&) = delete;
  QtServices& operator=(const QtServices&) = delete;

  void message(std::string_view text, std::string_view title, Icon icon = Icon::None) override;
  bool askYesNo(std::string_view text, std::string_view title) override;
  // A Yes/No box with a check box under the text.
  bool askYesNoOptOut(std::string_view text, std::string_view title, std::string_view optOut,
                      bool& ticked) override;
  // FTria, modal.
  int chooseOption(std::string_view caption, std::string_view options) override;
  // DFtxs, modal, in the language of the state; its messages and the program it starts go
  // through this object.
  std::string chooseFile(DialogMode mode, std::string folder, std::string_view filter) override;
  // The one FPrbls viewer, modeless; its save button appends the texts as the user left them
  // to a problem file (GuardaPrb through this object).
  void showProblem(std::string_view caption, const Prob& prob) override;
  bool startProgram(const Command& command, WindowStyle style) override;
  bool openDocument(const std::string& path) override;

  // The window's state, read for the language of the secondary windows (Idioma) and the
  // folder of the problem folder (DocsFolder). Until it is set, Spanish and the current
  // folder.
  void setState(const AppState* state) { state_ = state; }
  // Told each time the viewer's save has written its problem.
  void setProblemSaved(std::function<void()> saved) { problemSaved_ = std::move(saved); }
  Language idioma() const;
  std::string docsFolder() const;

 private:
  // The window a modal box belongs to: the active window of the program (the viewer when
  // its save asks for a file), else the parent.
  QWidget* owner() const;

  QPointer<QWidget> parent_;
  const AppState* state_ = nullptr;
  // Handed to the viewer's save handler, which does nothing once this object is gone.
  std::shared_ptr<QtServices*> self_;
  std::function<void()> problemSaved_;
};

// A text of the program (CR LF line breaks, UTF-8) as a QString with plain line breaks.
QString ShownText(std::string_view text);

}  // namespace tolvi
