// SPDX-License-Identifier: GPL-3.0-or-later
// A control's explanation, shown as its tooltip and by What's This: what it does, the unit and
// range of its value and what follows from it (more than its label says).
#pragma once

#include <QString>

namespace vesk {

// An explanation as a tooltip: rich text, which Qt wraps to the tooltip's width (a plain text
// tooltip stays on one line, off the screen's edge for a long one).
inline QString wrappedTip(const QString& text) {
    return QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

template <typename Control> Control* explained(Control* control, const QString& text) {
    control->setToolTip(wrappedTip(text));
    control->setWhatsThis(text);
    return control;
}

} // namespace vesk
