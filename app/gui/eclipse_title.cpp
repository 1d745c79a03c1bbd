// SPDX-License-Identifier: GPL-3.0-or-later
#include "eclipse_title.h"

#include "eclipse_list.h"
#include "timescales.h"

#include <cmath>

namespace vesk {

QString eclipseTitle(const EclipseRecord& r, Language language) {
    const double type = std::trunc(r.typeCode);
    const std::size_t code = type >= 1 && type <= 6 ? static_cast<std::size_t>(type) : 0;
    const QString date = QStringLiteral("%1-%2-%3")
                             .arg(static_cast<int>(r.year))
                             .arg(static_cast<int>(r.month), 2, 10, QLatin1Char('0'))
                             .arg(static_cast<int>(r.day), 2, 10, QLatin1Char('0'));
    const QString calendar = QString::fromStdString(calendarNote(r.year, r.month, r.day));
    const QString name = language == Language::english ? QString::fromUtf8(englishTypeNames[code]) +
                                                             QStringLiteral(" eclipse")
                                                       : QString::fromUtf8(listTypeNames[code]);
    return date + calendar + QLatin1Char(' ') + name;
}

} // namespace vesk
