// SPDX-License-Identifier: GPL-3.0-or-later
// A control's explanation, shown as its tooltip and by What's This: what it does, the unit and
// range of its value and what follows from it (more than its label says).
#pragma once

#include <QString>

namespace vesk {

template <typename Control> Control* explained(Control* control, const QString& text) {
    control->setToolTip(text);
    control->setWhatsThis(text);
    return control;
}

} // namespace vesk
