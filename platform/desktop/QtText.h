#pragma once

#include <QString>

#include <string>

namespace desktop {

// The program's UTF-8 text as Qt's.
inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace desktop
