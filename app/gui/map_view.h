// SPDX-License-Identifier: GPL-3.0-or-later
// The map view of a window. The commands, dialogs and mouse gestures change the view's settings
// and ask for a repaint; the repaint runs on a thread of its own with a copy of the settings and
// the request (a newer one stops it) and returns the picture with what it shows; the window's
// thread takes the result over and paints the last picture. A few commands draw straight into the
// picture until the next repaint.
#pragma once

#include "app_state.h"
#include "background_work.h"
#include "dialog_fields.h"
#include "dialogs.h"
#include "list_dialog.h"
#include "qt_draw_surface.h"
#include "view_commands.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QWidget>

class QPushButton;
#include <functional>
#include <memory>
#include <optional>

namespace vesk {

class MapView : public QWidget {
    Q_OBJECT

  public:
    // A view of the records of state, from the settings given; the first picture shows the
    // eclipse of their year and month, or of this month.
    MapView(AppState& state, ViewSettings settings, RedrawAction first, QWidget* parent = nullptr,
            ValidationReporter reporter = messageBoxReporter());
    ~MapView() override;

    // The user's settings of this view: what the next repaint shows (a command changes them and
    // asks for it).
    const ViewSettings& settings() const { return viewSettings; }
    ViewSettings& settings() { return viewSettings; }
    // Asks for a repaint that shows the eclipse of the settings' year and month.
    void showAskedMonth();

    // The commands of the view.
    void yearMonth();
    void displayMode();
    void searchMode();
    void nextEclipse();
    void previousEclipse();
    void zoomIn();
    void zoomOut();
    void unzoom();
    void backToMap();
    void localInfo();
    void placeView();
    void eclipseList();
    void totalitySky();
    void limbCorrection();
    // Pans the map by a key's step (the map moves the way the arrow points) and repaints.
    void panLeft();
    void panRight();
    void panUp();
    void panDown();
    // Zooms about the map centre, from the whole globe into the regional range.
    void zoomInAtCentre();
    void zoomOutAtCentre();
    void redraw();
    // The size of the panel, table and report texts: 1 (100 %) to 2.
    void setTextScale(double scale);
    // Prints the screen through the print dialog, the page turned to suit the screen's shape,
    // under a title line; ink saving prints it inverted on white.
    void print(QPrinter& printer, bool inkSaving);
    void printPreview(QPrinter& printer, bool inkSaving);
    // The screen as vector drawing on a device (a printer, a PDF or SVG document) at its
    // resolution, with the sky or limb screen shown over it but without the click read-out.
    void printOn(QPaintDevice& device, const PageLayout& page = {});
    // The title of the eclipse shown ("2024-04-08 皆既日蝕"), and of a printed page (with the
    // observer's place on the screens of a place).
    QString shownTitle() const;
    // The name that saving proposes for a file of the eclipse shown: "eclipse-2024-04-08" and,
    // for a report or on a place's screens, the place ("eclipse-2024-04-08-Luxor"), without an
    // ending.
    enum class SavedFile { picture, report };
    QString proposedFileName(SavedFile file) const;
    QString pageTitle();
    // The eclipse shown from its first to its last contact with the Earth, or on a screen of the
    // place that sees it, at the place; hours of UT on the day of greatest eclipse.
    std::pair<double, double> contactSpan() const;
    // Shows over the map the shadow at an instant (hours of UT on that day), or none.
    void showShadowAt(std::optional<double> utHours);
    // The instant of the shadow in the picture shown, or none.
    std::optional<ShadowInstant> shownShadow() const { return shown.frame.settings.shadowAt; }
    // What the picture shown was drawn from, and the projector its map was drawn with.
    const ScreenFrame& shownFrame() const { return shown.frame; }
    Projector shownProjector() const;
    // Writes the KML documents of the eclipse shown into a folder; empty, or what went wrong.
    QString exportKml(const std::filesystem::path& dir);
    // Writes the GeoJSON document of the eclipse shown (YYYYMM.geojson) into a folder; empty, or
    // what went wrong.
    QString exportGeoJson(const std::filesystem::path& dir);
    // Told when the picture shown is of another eclipse or screen (for the window's title).
    std::function<void()> shownChanged;
    // The same screen saved as a PNG (at the screen's pixel density), SVG or PDF file by the
    // name's ending, written whole or not at all; empty, or the failure naming the file.
    QString saveAs(const std::filesystem::path& path);
    // The page to cite of the eclipse shown, seen from the observer's place, as a PDF or SVG
    // document (reportView of the screen's settings); empty, or the failure naming the file.
    QString saveReport(const std::filesystem::path& path);

    // Makes a gazetteer place the observer (its height, or the relief grid's) and shows its
    // local circumstances.
    void observePlace(const GazetteerPlace& place);
    // Makes a position the observer (at the relief grid's height) and shows its local
    // circumstances.
    void observeAt(double lon, double lat);
    // Asks for a full repaint through the pipeline, drawn off the window's thread.
    void invalidate();
    // Whether a repaint is asked for or under way, or a list search runs.
    bool working() const { return work.busy() || repaintQueued; }
    // Lets the background work end and takes its result over.
    void finishWork() { work.wait(); }
    // The work off the window's thread, which the list's search uses too.
    BackgroundWork& backgroundWork() { return work; }
    // The picture as last drawn (for tests and the print path).
    const QImage& picture() const;
    // The box the texts of the picture reach, in the view's pixels.
    QRect textBounds() const { return surface ? surface->textBounds() : QRect(); }
    EclipseListDialog* listDialog() const { return list.get(); }
    AppState& appState() { return state; }
    // Runs a pending repaint now and waits for it.
    void repaintNow();
    // What the last repaint told the status bar: where the KML documents went or why they
    // could not be written, and the data files passed over (empty when nothing).
    const QString& repaintNotes() const { return lastNotes; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void customEvent(QEvent* event) override;

  private:
    // Starts the pending repaint on a thread of its own (after a list search under way).
    void startRepaint();
    // Whether the picture shown, or the one being drawn, has the view's size and density.
    bool pictureFits() const;
    // What a repaint returns: the picture, what it was drawn from and the map's projection, and
    // what its map and table wrote.
    // A screen drawn over the repaint's picture: the sky or the limb of the place.
    enum class Overlay { none, sky, limb };
    struct RepaintResult {
        std::shared_ptr<QtDrawSurface> picture;
        RedrawOutcome outcome;
        MapProjection projection;
        ExportOutcome exported;          // the files the settings ask to be written with the screen
        Outcome missing;                 // why the picture lacks something
        Overlay overlay = Overlay::none; // drawn over the screen
    };
    // Takes a finished repaint over: its picture is shown, the settings take the year and month
    // it reached, and the status bar tells what it wrote or passed over.
    void applyRepaint(RepaintResult& result);
    // Asks for a repaint with this action (and the request's other fields as they are).
    void request(RedrawAction action);
    SearchMessage drawnMessage();
    // A message in the frame's status bar.
    void statusMessage(const char* text);
    void drawText(int x, int y, const std::string& text, const Font& font, bool opaque);
    // The longitude and latitude under a click, over the picture until the next repaint.
    void showReadout(QPoint point);
    void pan(int dx, int dy);
    // The next picture of a drag: the map panned by the pointer's movement, coarse relief.
    void drawDragged();
    // Shows in the frame's status bar what the repaint wrote or passed over.
    void reportRepaint(const RepaintResult& result);
    // A text in the frame's status bar; an empty one takes away the notice of a repaint.
    void showStatus(const QString& text);
    void showDrawingNotice();
    // Where texts of the picture shown reach beyond it (a larger text size), asks for the size
    // that holds them: the window then scrolls instead of cutting them off. Another screen or
    // text size first gives the size back.
    void growToText();
    std::pair<int, double> grownFor{-1, 0}; // the display mode and text size grown for
    // The local circumstances of the map point under the pointer, in the status bar.
    void showPointerCircumstances(QPoint point);
    // The screen shown, drawn again on a page: the eclipse and the sky or limb screen over it.
    void drawScreenOn(QtDrawSurface& page);

    AppState& state; // its session is the background work's alone
    ValidationReporter reporter;
    ViewSettings viewSettings;
    DialogChoices choices;
    RedrawRequest pending; // of the next repaint
    // The catalog could not be read at the month asked for: the next command asks for another.
    bool askForMonth = false;
    AppServices repaintServices;            // the background work's
    AppServices screenServices;             // this thread's: printing, saving and the KML export
    std::shared_ptr<QtDrawSurface> surface; // the picture shown
    QSize drawingSize;                      // the size and pixel ratio of the last repaint started
    double drawingRatio = 1;
    bool dirty = true;
    bool repaintQueued = false;
    int repaintsStarted = 0;
    int requestsMade = 0; // a result is taken over only when no newer request came after it
    // What the picture shown was drawn from, and its map's projection.
    struct Shown {
        ScreenFrame frame;
        MapProjection projection;
        bool rendered = false; // a screen; else messages in its place (the frame is older)
    };
    Shown shown;
    double lastMapCentreLon = 0;  // of the last eclipse map shown
    QString messageBeforeDrawing; // the status bar's message that "Drawing…" stands in for
    QString lastReadout;          // the status bar's last read-out of the point under the pointer
    // The screen drawn over the picture since its last repaint, which printing draws too.
    Overlay overlay = Overlay::none;
    // Whether the repaints draw the sky shown again (at the slider's instant, at a new size),
    // until a command asks for another screen.
    bool skyKept = false;
    // Over the limb screen without its grid: copies the command that makes the grid.
    QPushButton* copyCommand = nullptr;
    void offerGridCommand();
    std::unique_ptr<EclipseListDialog> list;
    std::optional<QPoint> dragStart; // where the left button went down
    QPoint dragOffset;
    bool dragging = false; // moved beyond the drag distance since the button went down
    // The view and projection where the drag began, and the drag offsets of the picture being
    // drawn and of the one shown.
    struct DragBase {
        ViewSettings settings;
        Projector map;
    };
    std::optional<DragBase> dragBase;
    QPoint drawnForOffset, shownForOffset;
    int wheelTurn = 0; // wheel angle not yet turned into a zoom
    QString lastNotes;
    BackgroundWork work{this}; // last: stopped before the members its work uses go
};

} // namespace vesk
