// The option chooser FTria: a small modal list from which the user picks one of several
// answers (for instance one of the ratios that solve a progression's equation). Ok or a
// double click on an option gives its position counting from 1; Esc or closing the window
// gives 0. The chooser opens with its first option selected.
#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tolvi {

class FTria : public QDialog {
  Q_OBJECT

 public:
  explicit FTria(QWidget* parent = nullptr);

  // Shows the chooser modally with the options separated by ";" and returns the position
  // chosen (1-based), 0 when nothing was chosen. An empty caption leaves "Options".
  static int TriaOpcio(QWidget* parent, QString caption, QString options);

  // Fills the list: the options split at each ";", the text after the last ";" always the
  // last item, even when empty.
  void posaOpcions(const QString& options);
  // OpcioTria: the position chosen when the window closed; 0 until then.
  int opcio() const { return opcioTria_; }

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // FixaOpcio: the selected position plus 1 (0 when none is selected), and the window closes.
  void fixaOpcio();

  QListWidget* lstOps_;
  QPushButton* btOk_;
  QPushButton* btEsc_;
  int opcioTria_ = 0;
};

// The items of the chooser for an option string ("a;b;" gives "a", "b" and "").
QStringList SplitOptions(const QString& options);

}  // namespace tolvi
