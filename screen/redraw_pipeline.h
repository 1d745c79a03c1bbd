// SPDX-License-Identifier: GPL-3.0-or-later
// One repaint of the view, from end to end: lay out the window (a 220-pixel text panel at the
// left and the map beside it), reload the city table and the base map data, reset the
// projection, make the current eclipse the one the view state asks for (a catalog read, or a
// forward search for the next matching eclipse), compute Delta T, select the panel font and
// hand the surface to the renderer of the display mode. The window and the headless commands
// run it alike; what lies outside this folder is reached through RedrawServices.
#pragma once

#include "clock.h"
#include "draw_surface.h"
#include "session.h"

#include <string>
#include <vector>

namespace vesk {

class RedrawServices {
  public:
    virtual ~RedrawServices() = default;
    // The relief grid and its colour table (read at every repaint); what was wrong with a damaged
    // data file, or nothing. Files passed over for the next folder's go into ignored.
    virtual std::string loadBaseMapData(IgnoredFiles& ignored) = 0;
    // Pen up, no rotation and the map radius of the range.
    virtual void resetProjection(MapRange mapRange) = 0;
    virtual void drawPathMap(DrawSurface& surface, bool kmlOutput) = 0;
    virtual void drawCentralTable(DrawSurface& surface, double deltaT) = 0;
    virtual void drawLocalCircumstances(DrawSurface& surface, double t0, double deltaT) = 0;
    // The year/month dialog: the window opens it; the command line reports and fails.
    virtual void openYearMonthDialog() = 0;
    virtual CalendarMonth currentMonth() { return currentLocalMonth(); }
    // A message of messages.h as the picture shows it (the window's language).
    virtual std::string translated(const char* message) const { return message; }
};

// Width of the text panel at the left of the view at the 100 % text size.
constexpr int panelWidth = 220;
// The text sizes of the View menu.
constexpr double textScales[] = {1, 1.25, 1.5, 2};
// Height of a message line.
constexpr int messageLineHeight = 16;

// The font of the panels and reports.
Font panelFont();

// The layout of a view of the given size into the view state's map frame and radius.
void layoutView(ViewState& view, int width, int height);

// How a repaint ended: with the renderer of the display mode, or with messages in its place
// (also drawn on the surface).
struct RedrawOutcome {
    bool rendered = false;
    std::vector<std::string> messages;
    // The data files passed over (unreadable, damaged, of the wrong size) and the places of
    // the city file left out, each naming the file: the window's status bar and the command's
    // standard error show them.
    IgnoredFiles ignoredFiles;
};

// Runs one repaint on the session and surface.
RedrawOutcome redrawView(Session& session, DrawSurface& surface, RedrawServices& services);

} // namespace vesk
