#include <QApplication>
#include <QLabel>

// Placeholder until the main window lands: a window that says what to use meanwhile.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label("Tolvi: la ventana llegará pronto; usa tolvi-cli.");
  label.show();
  return app.exec();
}
