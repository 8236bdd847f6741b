// The program's colour values as the toolkit's colours and back.
#pragma once

#include <QColor>

#include "core/Color.h"

namespace huebird {

inline QColor ToQColor(ColorValue c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline ColorValue FromQColor(const QColor& c) { return MakeColor(c.red(), c.green(), c.blue()); }

}  // namespace huebird
