// SPDX-License-Identifier: GPL-3.0-or-later
// The name of an eclipse in window titles and printed pages: its date and type in the window's
// language, "2024-04-08 皆既日蝕" or "2024-04-08 total eclipse", with "(Julian)" after a date of
// the Julian calendar (before 1582 October 15) and "(763 BC, Julian)" after one of a year before 1.
#pragma once

#include "catalog.h"
#include "translation.h"

#include <QString>

namespace vesk {

QString eclipseTitle(const EclipseRecord& record, Language language);

} // namespace vesk
