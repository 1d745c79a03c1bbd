// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_view.h"

#include "eclipse_title.h"
#include "palette.h"
#include "shadow_layer.h"

#include "messages.h"
#include "picture_output.h"
#include "place_options.h"
#include "pointer_readout.h"
#include "redraw_pipeline.h"
#include "sky_command.h"
#include "translation.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <cstdio>

namespace vesk {

namespace {
constexpr Rgb blackFill{0, 0, 0};
// The pan of one arrow key, in pixels.
constexpr int keyPanPixels = 60;
// The mouse wheel's angle of one notch (eighths of a degree).
constexpr int wheelStep = 120;
// A repaint still under way after this many milliseconds is announced in the status bar.
constexpr int drawingNoticeMs = 150;
// The blank kept beyond the texts of a screen grown to hold them, pixels.
constexpr int textMargin = 10;

} // namespace

MapView::MapView(AppState& state, QWidget* parent, ValidationReporter reporter)
    : QWidget(parent), state(state), services(state), reporter(std::move(reporter)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(300, 300);
    setMouseTracking(true); // the status bar tells the circumstances under the pointer
    // A repaint asked for while a list search ran starts when it ends; while the map is
    // dragged, the next coarse picture.
    work.afterEach = [this](BackgroundWork::Kind kind, bool completed) {
        // a repaint stopped by anything (a command, the list's search) is drawn again later
        if (kind == BackgroundWork::Kind::repaint && !completed)
            dirty = true;
        if (dirty)
            invalidate();
        else if (dragging && dragOffset != drawnForOffset)
            QTimer::singleShot(0, this, [this] {
                if (dragging && !work.busy())
                    drawDragged();
            });
    };
}

MapView::~MapView() {
    work.stop();
}

void MapView::invalidate() {
    dirty = true;
    // Requests of one turn of the event loop make one repaint.
    if (!repaintQueued) {
        repaintQueued = true;
        QTimer::singleShot(0, this, [this] {
            repaintQueued = false;
            startRepaint();
        });
    }
}

void MapView::settle() {
    work.stop(); // a repaint stopped here is drawn again after the command
}

namespace {

// A picture of the view's size at the screen's pixel density (the layout in logical pixels).
std::shared_ptr<QtDrawSurface> pictureFor(const QWidget& view) {
    return std::make_shared<QtDrawSurface>(std::max(1, view.width()), std::max(1, view.height()),
                                           view.devicePixelRatioF());
}

bool fits(const std::shared_ptr<QtDrawSurface>& picture, const QWidget& view) {
    return picture && picture->width() == view.width() && picture->height() == view.height() &&
           picture->image().devicePixelRatio() == view.devicePixelRatioF();
}

} // namespace

void MapView::startRepaint() {
    if (!fits(surface, *this))
        dirty = true;
    if (!dirty || (work.busy() && work.kind() == BackgroundWork::Kind::search))
        return;
    if (!dragging)
        drawnForOffset = {};
    work.stop();
    dirty = false;
    services.yearMonthDialogRequested = false;
    auto picture = pictureFor(*this);
    auto outcome = std::make_shared<RedrawOutcome>();
    // The view state is the work's until it ends: every command settles it first.
    services.stop = {};
    // A repaint that takes long says so in the status bar.
    const int repaint = ++repaintsStarted;
    QTimer::singleShot(drawingNoticeMs, this, [this, repaint] {
        if (work.busy() && repaint == repaintsStarted)
            showStatus(tr("描画中…"));
    });
    work.start(
        BackgroundWork::Kind::repaint,
        [this, picture, outcome](std::stop_token stop) {
            services.stop = stop;
            *outcome = redrawView(state.session, *picture, services);
        },
        [this, picture, outcome, offset = drawnForOffset](bool completed) {
            if (!completed)
                return;
            surface = picture;
            shownForOffset = offset;
            overlay = Overlay::none;
            keepShown();
            reportRepaint(*outcome);
            if (services.yearMonthDialogRequested) // after the catalog failed: another month
                QTimer::singleShot(0, this, &MapView::yearMonth);
            update();
        });
}

void MapView::repaintNow() {
    settle();
    if (!fits(surface, *this)) {
        surface = pictureFor(*this);
        dirty = true;
    }
    if (!dirty)
        return;
    dirty = false;
    overlay = Overlay::none;
    services.yearMonthDialogRequested = false;
    services.stop = {};
    reportRepaint(redrawView(state.session, *surface, services));
    keepShown();
    if (services.yearMonthDialogRequested) // after the catalog failed: ask for another month
        QTimer::singleShot(0, this, &MapView::yearMonth);
}

void MapView::reportRepaint(const RedrawOutcome& outcome) {
    QStringList notes;
    if (!services.exportFailure.empty())
        notes << QString::fromStdString(services.exportFailure);
    else if (!services.kmlDocuments.empty()) {
        QStringList written;
        for (const std::filesystem::path& document : services.kmlDocuments)
            written << QString::fromStdString(noteName(document));
        notes << tr("KML を書きました: %1").arg(written.join(QStringLiteral(", ")));
    }
    for (const std::string& note : outcome.ignoredFiles)
        notes << QString::fromStdString(note);
    lastNotes = notes.join(QStringLiteral("; "));
    showStatus(lastNotes);
}

void MapView::showStatus(const QString& text) {
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (frame == nullptr)
        return;
    if (!text.isEmpty())
        frame->statusBar()->showMessage(text);
    else if (frame->statusBar()->currentMessage() == tr("描画中…"))
        frame->statusBar()->clearMessage();
}

const QImage& MapView::picture() const {
    static const QImage empty;
    return surface ? surface->image() : empty;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!fits(surface, *this))
        invalidate(); // a new size: the last picture stays until the new one is drawn
    if (!surface) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (dragging) {
        // the picture moved with the pointer from where it was drawn
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(dragOffset - shownForOffset, surface->image());
        return;
    }
    painter.drawImage(0, 0, surface->image());
}

void MapView::drawText(int x, int y, const std::string& text, const Font& font, bool opaque) {
    if (!surface)
        return;
    const Font previous = surface->selectFont(font);
    surface->setBackgroundOpaque(opaque);
    surface->setBackgroundColour(blackFill);
    surface->setTextColour(vesk::palette[white]);
    surface->textOut(x, y, text);
    surface->selectFont(previous);
    update();
}

SearchMessage MapView::drawnMessage() {
    return [this](int x, int y, const char* text) {
        drawText(x, y, translated(text), panelFont(), false);
    };
}

void MapView::yearMonth() {
    settle();
    YearMonthDialog dialog(this, loadWhen(state.session.view), reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settle(); // a repaint may have started while the dialog was open
    storeWhen(state.session.view, dialog.fields);
    state.session.view.redrawAction = redrawShow;
    invalidate();
}

void MapView::displayMode() {
    settle();
    Session& s = state.session;
    DisplayDialog dialog(this, loadDisplay(s.view, mapCentreLon(state.projection)), s.cities,
                         s.view.observerCityIndex, reporter, &state);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settle(); // a repaint may have started while the dialog was open
    storeDisplay(s.view, dialog.fields, s.cities);
    // the named place, unless its position was changed by hand after (then its zone is found
    // from the position)
    if (dialog.chosenPlace)
        s.view.observerPlace = *dialog.chosenPlace;
    invalidate();
}

void MapView::searchMode() {
    settle();
    Session& s = state.session;
    state.pendingSearchType = s.view.searchType;
    SearchDialog dialog(this, loadMode(s.view, s.shown.record.saros), s.cities,
                        s.view.searchCityIndex, state.pendingSearchType, s.view, reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settle(); // a repaint may have started while the dialog was open
    storeMode(s.view, dialog.fields, state.pendingSearchType, s.cities);
    invalidate();
}

void MapView::nextEclipse() {
    settle();
    vesk::nextEclipse(state.session.view);
    invalidate();
}

void MapView::previousEclipse() {
    settle();
    if (surface)
        surface->fillSolidRect(0, 0, surface->width(), surface->height(), blackFill);
    repaint();
    vesk::previousEclipse(state.session, drawnMessage());
    invalidate();
}

void MapView::zoomIn() {
    settle();
    if (state.session.view.displayMode != displayPathMap)
        return;
    zoomMap(state.session.view, state.projection, 2);
    invalidate();
}

void MapView::zoomOut() {
    settle();
    if (state.session.view.displayMode != displayPathMap)
        return;
    zoomMap(state.session.view, state.projection, 0.5);
    invalidate();
}

void MapView::unzoom() {
    settle();
    vesk::unzoom(state.session.view);
    invalidate();
}

void MapView::backToMap() {
    settle();
    vesk::backToMap(state.session.view);
    invalidate();
}

void MapView::localInfo() {
    settle();
    showLocalInfo(state.session.view);
    invalidate();
}

void MapView::eclipseList() {
    settle();
    if (!list)
        list = std::make_unique<EclipseListDialog>(this, state.session, drawnMessage(), work,
                                                   reporter, typeNamesOf(state.language));
    else if (!list->isVisible())
        list->initialise();
    list->show();
    list->raise();
}

void MapView::totalitySky() {
    repaintNow();
    if (drawSkyAtMaximum(state, *surface)) {
        overlay = Overlay::sky;
        update();
    } else
        statusMessage(messageNotCentral);
}

void MapView::limbCorrection() {
    repaintNow();
    if (drawLimbAtMaximum(state, *surface) != LimbOutcome::notCentral) {
        overlay = Overlay::limb;
        update();
    } else
        statusMessage(messageNotCentral);
}

void MapView::statusMessage(const char* text) {
    // The frame's status bar shows the tips that reach it from its widgets.
    QStatusTipEvent tip(QString::fromStdString(translated(text)));
    QApplication::sendEvent(this, &tip);
}

void MapView::print(QPrinter& printer, bool inkSaving) {
    printer.setPageOrientation(width() >= height() ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer, {pageTitle(), inkSaving});
}

void MapView::printPreview(QPrinter& printer, bool inkSaving) {
    printer.setPageOrientation(width() >= height() ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, this);
    const PageLayout page{pageTitle(), inkSaving};
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                     [this, page](QPrinter* target) { printOn(*target, page); });
    preview.exec();
}

void MapView::printOn(QPaintDevice& device, const PageLayout& layout) {
    QtDrawSurface page(device, std::max(1, width()), std::max(1, height()), layout);
    drawScreenOn(page);
    page.finish();
}

QString MapView::shownTitle() const {
    return eclipseTitle(shownRecord, state.language);
}

QString MapView::pageTitle() {
    QString title = shownTitle();
    if (shownView.displayMode == displayLocal || overlay != Overlay::none) {
        const ObserverPlace place = state.observerPlace();
        title +=
            QStringLiteral(" — ") +
            (place.name.empty()
                 ? QStringLiteral("%1°, %2°").arg(place.lon, 0, 'f', 3).arg(place.lat, 0, 'f', 3)
                 : QString::fromStdString(place.name));
    }
    return title;
}

std::pair<double, double> MapView::contactSpan() const {
    return contactSpanUt(shownRecord, shownDeltaT);
}

void MapView::showShadowAt(std::optional<double> utHours) {
    settle();
    ViewState& v = state.session.view;
    v.shadowAt = utHours ? std::optional(ShadowInstant{*utHours, false}) : std::nullopt;
    v.redrawAction = redrawShow;
    invalidate();
}

std::string MapView::exportKml(const std::filesystem::path& dir) {
    settle();
    services.writeKml(dir);
    return services.exportFailure;
}

std::string MapView::saveAs(const std::filesystem::path& path) {
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format)
        return "cannot write " + path.string() + ": the name must end in .png, .svg or .pdf";
    PictureOutput output(*format, std::max(1, width()), std::max(1, height()), devicePixelRatioF());
    drawScreenOn(output.surface());
    return output.save(path);
}

void MapView::drawScreenOn(QtDrawSurface& page) {
    settle();
    // The eclipse shown, drawn again by the pipeline: no search step, no export.
    ViewState& v = state.session.view;
    const ViewState shown = v;
    v.redrawAction = redrawShow;
    v.kmlOutput = false;
    redrawView(state.session, page, services);
    if (overlay == Overlay::sky)
        drawSkyAtMaximum(state, page);
    else if (overlay == Overlay::limb)
        drawLimbAtMaximum(state, page);
    v = shown;
}

void MapView::showReadout(QPoint p) {
    const ViewState& v = shownView;
    if (v.projection == Projection::mercator || v.displayMode != displayPathMap)
        return;
    const auto hit = mapHitTest(v, shownProjection, p.x(), p.y());
    if (!hit)
        return;
    const Font readout{"Courier New", -12, 500, true};
    char text[32];
    std::snprintf(text, sizeof text, "Lon:%7.2f", hit->first);
    drawText(v.mapRight - 85, 15, text, readout, true);
    std::snprintf(text, sizeof text, "Lat:%7.2f", hit->second);
    drawText(v.mapRight - 85, 30, text, readout, true);
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragStart = event->position().toPoint();
        dragOffset = {};
        dragging = false;
    }
}

void MapView::observePlace(const GazetteerPlace& place) {
    settle();
    ObserverPlace chosen = observerPlaceOf(place, state.language == Language::japanese);
    const double height =
        place.height ? *place.height : reliefHeightAt(state, place.lon, place.lat);
    chosen.heightSource = place.height ? HeightSource::gazetteer : HeightSource::reliefGrid;
    ViewState& view = state.session.view;
    placeObserver(view, place.lon, place.lat, height, chosen);
    view.displayMode = displayLocal;
    view.redrawAction = redrawShow;
    invalidate();
}

void MapView::keepShown() {
    shownView = state.session.view;
    shownProjection = state.projection;
    shownRecord = state.session.catalog.record;
    shownDeltaT = viewDeltaT(shownRecord, shownView);
    growToText();
    if (shownChanged)
        shownChanged();
}

void MapView::growToText() {
    const std::pair<int, double> screen{shownView.displayMode, shownView.textScale};
    if (minimumSize() != QSize(0, 0) && screen != grownFor) {
        setMinimumSize(0, 0); // another screen or text size: first the window's own room
        return;
    }
    const QRect text = textBounds();
    if (!surface || (text.right() < width() && text.bottom() < height()))
        return;
    grownFor = screen;
    setMinimumSize(std::max(width(), text.right() + 1 + textMargin),
                   std::max(height(), text.bottom() + 1 + textMargin));
}

void MapView::showPointerCircumstances(QPoint p) {
    const ViewState& v = shownView;
    const auto hit = v.displayMode == displayPathMap && surface && v.catalogStatus >= 0
                         ? mapHitTest(v, shownProjection, p.x(), p.y())
                         : std::nullopt;
    const QString readout = hit ? QString::fromStdString(pointerReadout(
                                      state, shownRecord, shownDeltaT, hit->first, hit->second))
                                : QString();
    auto* frame = qobject_cast<QMainWindow*>(window());
    // off the map, the last read-out goes (other messages stay)
    if (frame != nullptr && (hit || frame->statusBar()->currentMessage() == lastReadout))
        frame->statusBar()->showMessage(readout);
    lastReadout = readout;
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !dragStart) {
        if (event->buttons() == Qt::NoButton)
            showPointerCircumstances(event->position().toPoint());
        return;
    }
    dragOffset = event->position().toPoint() - *dragStart;
    if (!dragging && dragOffset.manhattanLength() >= QApplication::startDragDistance()) {
        dragging = true;
        settle();
        dragBase = {state.session.view, state.projection};
    }
    if (!dragging)
        return;
    update(); // the last picture, moved with the pointer
    if (!work.busy())
        drawDragged();
}

void MapView::drawDragged() {
    // The map panned by the whole movement from where the drag began, with the coarse relief;
    // the next one follows when this one is drawn.
    state.session.view = dragBase->view;
    state.projection = dragBase->projection;
    if (!panMap(state.session.view, state.projection, dragOffset.x(), dragOffset.y()))
        return;
    state.session.view.coarseRelief = true;
    drawnForOffset = dragOffset;
    invalidate();
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragStart)
        return;
    const QPoint start = *dragStart;
    dragStart.reset();
    if (!dragging) {
        showReadout(start); // a plain click reads off the place
        return;
    }
    dragging = false;
    settle();
    const QPoint moved = event->position().toPoint() - start;
    state.session.view = dragBase->view;
    state.projection = dragBase->projection;
    dragBase.reset();
    if (!panMap(state.session.view, state.projection, moved.x(), moved.y()))
        update();
    else
        invalidate();
}

void MapView::wheelEvent(QWheelEvent* event) {
    wheelTurn += event->angleDelta().y();
    // one notch (120) doubles or halves, as the zoom commands do
    if (std::abs(wheelTurn) < wheelStep / 4)
        return;
    const double factor = std::pow(2.0, double(wheelTurn) / wheelStep);
    wheelTurn = 0;
    settle();
    const QPoint p = event->position().toPoint();
    if (zoomMapAt(state.session.view, state.projection, width(), height(), p.x(), p.y(), factor))
        invalidate();
}

void MapView::pan(int dx, int dy) {
    settle();
    if (panMap(state.session.view, state.projection, dx, dy))
        invalidate();
}

void MapView::panLeft() {
    pan(keyPanPixels, 0);
}

void MapView::panRight() {
    pan(-keyPanPixels, 0);
}

void MapView::panUp() {
    pan(0, keyPanPixels);
}

void MapView::panDown() {
    pan(0, -keyPanPixels);
}

void MapView::zoomInAtCentre() {
    settle();
    if (zoomMapAtCentre(state.session.view, state.projection, 2))
        invalidate();
}

void MapView::zoomOutAtCentre() {
    settle();
    if (zoomMapAtCentre(state.session.view, state.projection, 0.5))
        invalidate();
}

void MapView::setTextScale(double scale) {
    settle();
    state.session.view.textScale = scale;
    state.session.view.redrawAction = redrawShow;
    invalidate();
}

void MapView::redraw() {
    invalidate();
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The places under the pointer are those of the picture shown.
    const QPoint p = event->position().toPoint();
    const auto hit = mapHitTest(shownView, shownProjection, p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        if (shownView.projection == Projection::mercator || !hit)
            return;
        settle();
        recentreMap(state.session.view, hit->first, hit->second);
        invalidate();
    } else if (event->button() == Qt::RightButton) {
        if (!insideMap(shownView, shownProjection, p.x(), p.y()))
            return;
        char text[32];
        std::snprintf(text, sizeof text, "x= %4d y=%4d ", p.x(), p.y());
        drawText(0, 15, text, panelFont(), true);
        if (hit) {
            settle();
            observeFrom(state.session.view, hit->first, hit->second,
                        reliefHeightAt(state, hit->first, hit->second));
            invalidate();
        }
    }
}

void MapView::customEvent(QEvent* event) {
    if (event->type() == showListedEclipseEvent) {
        settle();
        if (showListedEclipse(state.session))
            invalidate();
    } else if (event->type() == closeListEvent && list) {
        list->hide();
    }
}

} // namespace vesk
