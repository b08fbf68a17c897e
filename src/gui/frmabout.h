// The About box frmAbout: the program's icon, name, title, version and a one-line
// description. Modeless; there is never more than one.
#pragma once
#include <QDialog>
#include <QPointer>

namespace tolvi {

// The program's title, as the About box and its caption show it.
inline constexpr const char* kTitolPrograma = "Tolvi";

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  // Shows the box without blocking: the one already open, brought to the front, or a new one.
  static frmAbout* Mostra(QWidget* parent);

  explicit frmAbout(QWidget* parent = nullptr);

 private:
  static QPointer<frmAbout> instance_;
};

}  // namespace tolvi
