#pragma once
// Our texts are UTF-8 std::strings and our colours Rgb values; these hand them to Qt.

#include <string>

#include <QColor>
#include <QString>

#include "model/ColourText.h"

namespace tintora {

inline QString ToQString(const std::string& text) { return QString::fromStdString(text); }

inline QColor ToQColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

}  // namespace tintora
