// SPDX-License-Identifier: GPL-3.0-or-later
// What the window keeps between runs, through QSettings in the user's configuration folder
// ($XDG_CONFIG_HOME/vesk/vesk.conf): the observer, the eclipse shown, the map's range, centre
// and scale, the display options and the window's geometry. Each value is read back as if the
// user typed it: one that is missing, of another type or out of its range leaves the default. The
// command line never reads them.
#pragma once

#include "failure.h"
#include "view_settings.h"

#include <QByteArray>
#include <QString>

namespace vesk {

struct KeptWindow {
    ViewSettings view;
    QByteArray geometry; // QWidget::saveGeometry's; empty: the default size and place
};

// The settings file's path.
QString windowSettingsPath();

// The kept settings over defaults; a damaged file is passed over (its failure says why: not a
// regular file, not readable, not in the settings' format), defaults then kept whole.
Result<KeptWindow> keptWindow(const ViewSettings& defaults);

// Keeps the settings of a window for the next start (nothing where the file is not a regular
// file: a FIFO or a device is never written).
void keepWindow(const KeptWindow& window);

// Removes the kept settings: the next start begins from the defaults.
void forgetWindow();

} // namespace vesk
