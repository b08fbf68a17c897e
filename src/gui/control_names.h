// The main window's control names as Qt strings, taken from the controls catalogue so that a
// builder, a lookup and the solvers cannot disagree on a name.
#pragma once
#include <QString>

#include "solvers/controls.h"

namespace tolvi {

inline QString Nm(const ctl::Group& group, int index) {
  return QString::fromStdString(group(index));
}
inline QString Nm(const char* single) { return QString::fromLatin1(single); }
// A numbered name the solvers never use ("OpIdioma(2)", "Label58(4)"): the window's own.
inline QString Numbered(const char* group, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(group)).arg(index);
}

}  // namespace tolvi
