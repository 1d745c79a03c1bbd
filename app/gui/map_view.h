// SPDX-License-Identifier: GPL-3.0-or-later
// The one view: the redraw pipeline draws an off-screen picture on a pool thread and the paint
// shows the last finished one; the commands, dialogs and mouse gestures change the view state
// and ask for a repaint (which stops one under way), and a few draw straight into the picture
// until the next repaint.
#pragma once

#include "app_state.h"
#include "background_work.h"
#include "dialogs.h"
#include "list_dialog.h"
#include "qt_draw_surface.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace vesk {

class MapView : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(MapView)

  public:
    MapView(AppState& state, QWidget* parent = nullptr,
            ValidationReporter reporter = messageBoxReporter());
    ~MapView() override;

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
    QString pageTitle();
    // The eclipse shown from its first to its last contact with the Earth, hours of UT on the
    // day of greatest eclipse.
    std::pair<double, double> contactSpan() const;
    // Shows over the map the shadow at an instant (hours of UT on that day), or none.
    void showShadowAt(std::optional<double> utHours);
    // The instant of the shadow in the picture shown, or none.
    std::optional<ShadowInstant> shownShadow() const { return shownView.shadowAt; }
    // Writes the KML documents of the eclipse shown into a folder; empty, or what went wrong.
    std::string exportKml(const std::filesystem::path& dir);
    // Told when the picture shown is of another eclipse or screen (for the window's title).
    std::function<void()> shownChanged;
    // The same screen saved as a PNG (at the screen's pixel density), SVG or PDF file by the
    // name's ending, written whole or not at all; empty, or the failure naming the file.
    std::string saveAs(const std::filesystem::path& path);

    // Makes a gazetteer place the observer (its height, or the relief grid's) and shows its
    // local circumstances.
    void observePlace(const GazetteerPlace& place);
    // Asks for a full repaint through the pipeline, drawn off the window's thread.
    void invalidate();
    // Whether a repaint or a list search is under way.
    bool working() const { return work.busy(); }
    // The work off the window's thread, which the list's search uses too.
    BackgroundWork& backgroundWork() { return work; }
    // The picture as last drawn (for tests and the print path).
    const QImage& picture() const;
    // The box the texts of the picture reach, in the view's pixels.
    QRect textBounds() const { return surface ? surface->textBounds() : QRect(); }
    EclipseListDialog* listDialog() const { return list.get(); }
    AppState& appState() { return state; }
    // Runs a pending repaint now, on the window's thread (the background work does it
    // otherwise).
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
    // Starts the pending repaint on a pool thread (after a list search under way).
    void startRepaint();
    // Stops a repaint under way (it starts again later) or a list search, before the view state
    // is read or changed here.
    void settle();
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
    void reportRepaint(const RedrawOutcome& outcome);
    // A text in the frame's status bar; an empty one takes away the notice of a repaint.
    void showStatus(const QString& text);
    // Keeps the view, projection, eclipse and Delta T of the picture now shown.
    void keepShown();
    // Where texts of the picture shown reach beyond it (a larger text size), asks for the size
    // that holds them: the window then scrolls instead of cutting them off. Another screen or
    // text size first gives the size back.
    void growToText();
    std::pair<int, double> grownFor{-1, 0}; // the display mode and text size grown for
    // The local circumstances of the map point under the pointer, in the status bar.
    void showPointerCircumstances(QPoint point);
    // The screen shown, drawn again on a page: the eclipse and the sky or limb screen over it.
    void drawScreenOn(QtDrawSurface& page);

    AppState& state;
    AppServices services;
    ValidationReporter reporter;
    std::shared_ptr<QtDrawSurface> surface; // the picture shown
    bool dirty = true;
    bool repaintQueued = false;
    int repaintsStarted = 0;
    // The view and projection of the picture shown (the state's may be those of a newer one).
    ViewState shownView;
    MapProjection shownProjection;
    EclipseRecord shownRecord;
    double shownDeltaT = 0;
    QString lastReadout; // the status bar's last read-out of the point under the pointer
    // The screen drawn over the picture since its last repaint, which printing draws too.
    enum class Overlay { none, sky, limb };
    Overlay overlay = Overlay::none;
    std::unique_ptr<EclipseListDialog> list;
    std::optional<QPoint> dragStart; // where the left button went down
    QPoint dragOffset;
    bool dragging = false; // moved beyond the drag distance since the button went down
    // The view and projection where the drag began, and the drag offsets of the picture being
    // drawn and of the one shown.
    struct DragBase {
        ViewState view;
        MapProjection projection;
    };
    std::optional<DragBase> dragBase;
    QPoint drawnForOffset, shownForOffset;
    int wheelTurn = 0; // wheel angle not yet turned into a zoom
    QString lastNotes;
    BackgroundWork work{this}; // last: stopped before the members its work uses go
};

} // namespace vesk
