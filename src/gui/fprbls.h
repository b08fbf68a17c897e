// The problem viewer FPrbls: one problem, its statement above and its answer below in two
// editable boxes, and a save button that hands the texts, as the user left them, to a save
// handler (GuardaPrb). Modeless; one window is reused for every problem shown.
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string_view>

#include "documents/prob.h"
#include "texts/catalogue.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tolvi {

class FPrbls : public QWidget {
  Q_OBJECT

 public:
  using SaveHandler = std::function<void(const Prob&)>;

  // The one viewer of the program, made on first use. With an owner it is a window of its
  // own that goes away with the owner; without one it lives until the program quits.
  static FPrbls* instance(QWidget* owner = nullptr);
  // Closes and deletes the viewer (the next instance() makes a new one).
  static void release();

  // MostraPrb: the statement into IdEn, the answer into IdResp, the caption as the title;
  // shown without blocking and brought to the front. The labels take the language idioma
  // when the window is not already on screen.
  void mostra(std::string_view caption, const Prob& problem, Language idioma);

  // What BtG does with the texts; usually GuardaPrb with the services, the language and
  // the working folder of the moment.
  void setSaveHandler(SaveHandler handler) { onSave_ = std::move(handler); }
  // The working the next problem shown may carry under its answer (empty: none). The choice
  // "con pasos" adds it to the answer and takes it away again while it stands unedited.
  void setSteps(std::string_view steps);

  // The texts of the two boxes, with CR LF line breaks.
  Prob texts() const;

  explicit FPrbls(QWidget* owner = nullptr);

 private:
  void retranslate(Language idioma);
  void save();
  void withSteps(bool on);

  QLabel* etEn_;
  QPlainTextEdit* idEn_;
  QLabel* etResp_;
  QPlainTextEdit* idResp_;
  QPushButton* btG_;
  QCheckBox* chPassos_;
  QString steps_;  // the working block offered under the answer
  SaveHandler onSave_;

  static QPointer<FPrbls> instance_;
};

}  // namespace tolvi
