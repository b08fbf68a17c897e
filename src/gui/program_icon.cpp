#include "gui/program_icon.h"

#include <QPainter>

namespace tolvi {

QPixmap PaintProgramPicture(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 110), size / 32.0));
  p.setBrush(Qt::white);
  const double edge = size / 64.0;
  p.drawRoundedRect(QRectF(edge, edge, size - 2 * edge, size - 2 * edge), size / 8.0, size / 8.0);
  p.setPen(Qt::NoPen);
  const double gap = size / 12.0, width = (size - 6 * gap) / 4.0, floor = size - 2 * gap;
  const QColor colours[] = {{245, 180, 90}, {230, 140, 60}, {128, 128, 255}, {80, 80, 200}};
  for (int i = 0; i < 4; ++i) {
    const double height = (floor - 2 * gap) * (i + 1) / 4.0;
    p.setBrush(colours[i]);
    p.drawRect(QRectF(2 * gap + i * (width + gap / 1.5), floor - height, width, height));
  }
  return pm;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(PaintProgramPicture(size));
  return icon;
}

}  // namespace tolvi
