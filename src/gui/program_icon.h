// The program's picture: four bars that grow as the terms of a progression do. The installed
// icon (data/tolvi.svg) draws the same; the window paints it, so no image plugin is needed.
#pragma once
#include <QIcon>
#include <QPixmap>

namespace tolvi {

// The picture at size x size pixels.
QPixmap PaintProgramPicture(int size);

// The window icon: the picture at the sizes title bars, task bars and switchers ask for.
QIcon ProgramIcon();

}  // namespace tolvi
