// The decimal separator of the user's locale, as the core's number formats take it.
#pragma once

#include <QLocale>
#include <QString>

namespace velmora {

inline char LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    const char separator = point.size() == 1 ? point.at(0).toLatin1() : '\0';
    return separator == '\0' ? '.' : separator;
}

}  // namespace velmora
