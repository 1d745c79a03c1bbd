// SPDX-License-Identifier: GPL-3.0-or-later
// One repaint of the view, from end to end: lay out the view (a 220-pixel text panel at the left
// and the map beside it), reload the city table and the base map data, choose the eclipse (a
// catalog read, or a walk to the next or previous matching eclipse) and its Delta T, and hand the
// surface to the screen of the display mode. The window and the headless commands run it alike;
// what lies outside this folder is reached through RedrawServices.
#pragma once

#include "clock.h"
#include "draw_surface.h"
#include "map_layout.h"
#include "session.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Which eclipse a repaint shows.
enum class RedrawAction {
    show,          // the catalog entry of the settings' year and month
    fromClock,     // this month's entry (the first picture of a window)
    nextMatch,     // the next eclipse after the one shown that matches the search
    previousMatch, // the last one before it that matches, or the entry read before it
};

// What a command asks of the next repaint, besides the settings.
struct RedrawRequest {
    RedrawAction action = RedrawAction::show;
    bool coarseRelief = false; // the globe's relief at a quarter of the pixels (while dragging)
};

// What a screen is drawn from: the settings, the eclipse chosen and its Delta T, the view's layout
// and the observing places of the city table.
struct ScreenFrame {
    ViewSettings settings;
    ChosenEclipse eclipse;
    MapLayout layout;
    CityTable cities;
    bool coarseRelief = false;
};

class RedrawServices {
  public:
    virtual ~RedrawServices() = default;
    // The relief grid and its colour table (read again when their files changed); what was wrong
    // with a damaged data file, or nothing. Files passed over for the next folder's go into
    // ignored.
    virtual Outcome loadBaseMapData(IgnoredFiles& ignored) = 0;
    // The map; the projection it was drawn with.
    virtual MapProjection drawPathMap(DrawSurface& surface, const ScreenFrame& frame) = 0;
    virtual void drawCentralTable(DrawSurface& surface, const ScreenFrame& frame) = 0;
    virtual void drawLocalCircumstances(DrawSurface& surface, const ScreenFrame& frame) = 0;
    virtual void drawViewFromPlace(DrawSurface& surface, const ScreenFrame& frame) = 0;
    virtual CalendarMonth currentMonth() { return currentLocalMonth(); }
    // A message of messages.h as the picture shows it (the window's language).
    virtual std::string translated(const char* message) const { return message; }
};

// The text sizes of the View menu.
constexpr double textScales[] = {1, 1.25, 1.5, 2};
// Height of a message line.
constexpr int messageLineHeight = 16;

// The font of the panels and reports.
Font panelFont();

// How a repaint ended: with the screen of the display mode, or with messages in its place (also
// drawn on the surface).
struct RedrawOutcome {
    bool rendered = false;
    std::vector<std::string> messages;
    // The data files passed over (unreadable, damaged, of the wrong size) and the places of
    // the city file left out, each naming the file: the window's status bar and the command's
    // standard error show them.
    IgnoredFiles ignoredFiles;
    // What was drawn when rendered.
    ScreenFrame frame;
    // The year and month the repaint reached, whether it drew a screen or not: the eclipse's
    // shown, or where a search ended (the settings asked for the month they were given).
    CalendarMonth reached;
    // The catalog could not be read at the month asked for: the window asks for another (this
    // month's) and the command line fails.
    bool askForMonth = false;
    // The projection of the map drawn (hit tests and the pointer's read-out use it); none for
    // another screen.
    std::optional<MapProjection> projection;
};

// Runs one repaint of the settings asked for on the surface. The session's catalog reader and
// city table are read and kept for the next repaint; its view is the repaint's working copy of
// the settings.
RedrawOutcome redrawView(Session& session, const ViewSettings& asked, const RedrawRequest& request,
                         DrawSurface& surface, RedrawServices& services);

// Draws the screen of the frame's display mode in the panel font (on a black surface); the
// projection of a map.
std::optional<MapProjection> drawScreen(const ScreenFrame& frame, DrawSurface& surface,
                                        RedrawServices& services);

} // namespace vesk
