#include "vesk_view.h"

#include "messages.h"
#include "picture_output.h"
#include "redraw_pipeline.h"
#include "sky_command.h"
#include "translation.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <cstdio>

namespace vesk {

namespace {
constexpr Rgb whiteText{255, 255, 255}, blackFill{0, 0, 0};
// The pan of one arrow key, in pixels.
constexpr int keyPanPixels = 60;
// The mouse wheel's angle of one notch (eighths of a degree).
constexpr int wheelStep = 120;

} // namespace

CVeskView::CVeskView(AppState& state, QWidget* parent, ValidationReporter reporter)
    : QWidget(parent), state(state), services(state), reporter(std::move(reporter)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(300, 300);
}

CVeskView::~CVeskView() = default;

void CVeskView::invalidate() {
    dirty = true;
    update();
}

void CVeskView::repaintNow() {
    // the layout in logical pixels, drawn at the screen's pixel density
    const double ratio = devicePixelRatioF();
    if (!surface || surface->width() != width() || surface->height() != height() ||
        surface->image().devicePixelRatio() != ratio) {
        surface =
            std::make_unique<QtDrawSurface>(std::max(1, width()), std::max(1, height()), ratio);
        dirty = true;
    }
    if (!dirty)
        return;
    dirty = false;
    overlay = Overlay::none;
    services.yearMonthDialogRequested = false;
    reportRepaint(redrawView(state.session, *surface, services));
    if (services.yearMonthDialogRequested) // after the catalog failed: ask for another month
        QTimer::singleShot(0, this, &CVeskView::yearMonth);
}

void CVeskView::reportRepaint(const RedrawOutcome& outcome) {
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
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (frame != nullptr && !lastNotes.isEmpty())
        frame->statusBar()->showMessage(lastNotes);
}

const QImage& CVeskView::picture() const {
    static const QImage empty;
    return surface ? surface->image() : empty;
}

void CVeskView::paintEvent(QPaintEvent*) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    repaintNow();
    QApplication::restoreOverrideCursor();
    QPainter painter(this);
    if (dragging) {
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(dragOffset, surface->image());
        return;
    }
    painter.drawImage(0, 0, surface->image());
}

void CVeskView::drawText(int x, int y, const std::string& text, const Font& font, bool opaque) {
    if (!surface)
        return;
    const Font previous = surface->selectFont(font);
    surface->setBackgroundOpaque(opaque);
    surface->setBackgroundColour(blackFill);
    surface->setTextColour(whiteText);
    surface->textOut(x, y, text);
    surface->selectFont(previous);
    update();
}

SearchMessage CVeskView::drawnMessage() {
    return [this](int x, int y, const char* text) {
        drawText(x, y, translated(text), panelFont(), false);
    };
}

void CVeskView::yearMonth() {
    CWhenDlg dialog(this, loadWhen(state.session.view), reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeWhen(state.session.view, dialog.fields);
    state.session.view.redrawAction = redrawShow;
    invalidate();
}

void CVeskView::displayMode() {
    Session& s = state.session;
    CDisplayDlg dialog(this, loadDisplay(s.view, mapCentreLon(state.projection)), s.cities,
                       s.view.observerCityIndex, reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeDisplay(s.view, dialog.fields, s.cities);
    invalidate();
}

void CVeskView::searchMode() {
    Session& s = state.session;
    state.pendingSearchType = s.view.searchType;
    CModeDlg dialog(this, loadMode(s.view, s.eclipse.saros), s.cities, s.view.searchCityIndex,
                    state.pendingSearchType, s.view, reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeMode(s.view, dialog.fields, state.pendingSearchType, s.cities);
    invalidate();
}

void CVeskView::nextEclipse() {
    vesk::nextEclipse(state.session.view);
    invalidate();
}

void CVeskView::previousEclipse() {
    if (surface)
        surface->fillSolidRect(0, 0, surface->width(), surface->height(), blackFill);
    repaint();
    vesk::previousEclipse(state.session, drawnMessage());
    invalidate();
}

void CVeskView::zoomIn() {
    if (state.session.view.displayMode != displayPathMap)
        return;
    zoomMap(state.session.view, state.projection, 2);
    invalidate();
}

void CVeskView::zoomOut() {
    if (state.session.view.displayMode != displayPathMap)
        return;
    zoomMap(state.session.view, state.projection, 0.5);
    invalidate();
}

void CVeskView::unzoom() {
    vesk::unzoom(state.session.view);
    invalidate();
}

void CVeskView::backToMap() {
    vesk::backToMap(state.session.view);
    invalidate();
}

void CVeskView::localInfo() {
    showLocalInfo(state.session.view);
    invalidate();
}

void CVeskView::eclipseList() {
    if (!list)
        list = std::make_unique<CListDlg>(this, state.session, drawnMessage(), reporter);
    else if (!list->isVisible())
        list->initialise();
    list->show();
    list->raise();
}

void CVeskView::totalitySky() {
    repaintNow();
    if (drawSkyAtMaximum(state, *surface)) {
        overlay = Overlay::sky;
        update();
    } else
        statusMessage(messageNotCentral);
}

void CVeskView::limbCorrection() {
    repaintNow();
    if (drawLimbAtMaximum(state, *surface) != LimbOutcome::notCentral) {
        overlay = Overlay::limb;
        update();
    } else
        statusMessage(messageNotCentral);
}

void CVeskView::statusMessage(const char* text) {
    // The frame's status bar shows the tips that reach it from its widgets.
    QStatusTipEvent tip(QString::fromStdString(translated(text)));
    QApplication::sendEvent(this, &tip);
}

void CVeskView::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
}

void CVeskView::printOn(QPaintDevice& device) {
    QtDrawSurface page(device, std::max(1, width()), std::max(1, height()));
    drawScreenOn(page);
    page.finish();
}

std::string CVeskView::saveAs(const std::filesystem::path& path) {
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format)
        return "cannot write " + path.string() + ": the name must end in .png, .svg or .pdf";
    PictureOutput output(*format, std::max(1, width()), std::max(1, height()), devicePixelRatioF());
    drawScreenOn(output.surface());
    return output.save(path);
}

void CVeskView::drawScreenOn(QtDrawSurface& page) {
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

void CVeskView::showReadout(QPoint p) {
    const ViewState& v = state.session.view;
    if (v.projection == 2 || v.displayMode != displayPathMap)
        return;
    const auto hit = mapHitTest(v, state.projection, p.x(), p.y());
    if (!hit)
        return;
    const Font readout{"Courier New", -12, 500, true};
    char text[32];
    std::snprintf(text, sizeof text, "Lon:%7.2f", hit->first);
    drawText(v.mapRight - 85, 15, text, readout, true);
    std::snprintf(text, sizeof text, "Lat:%7.2f", hit->second);
    drawText(v.mapRight - 85, 30, text, readout, true);
}

void CVeskView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragStart = event->position().toPoint();
        dragOffset = {};
        dragging = false;
    }
}

void CVeskView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !dragStart)
        return;
    dragOffset = event->position().toPoint() - *dragStart;
    if (dragOffset.manhattanLength() >= QApplication::startDragDistance())
        dragging = true;
    if (dragging)
        update(); // the last picture, moved with the pointer, until the drag ends
}

void CVeskView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragStart)
        return;
    const QPoint start = *dragStart;
    dragStart.reset();
    if (!dragging) {
        showReadout(start); // a plain click reads off the place
        return;
    }
    dragging = false;
    const QPoint moved = event->position().toPoint() - start;
    if (!panMap(state.session.view, state.projection, moved.x(), moved.y()))
        update();
    else
        invalidate();
}

void CVeskView::wheelEvent(QWheelEvent* event) {
    wheelTurn += event->angleDelta().y();
    // one notch (120) doubles or halves, as the zoom commands do
    if (std::abs(wheelTurn) < wheelStep / 4)
        return;
    const double factor = std::pow(2.0, double(wheelTurn) / wheelStep);
    wheelTurn = 0;
    const QPoint p = event->position().toPoint();
    if (zoomMapAt(state.session.view, state.projection, p.x(), p.y(), factor))
        invalidate();
}

void CVeskView::pan(int dx, int dy) {
    if (panMap(state.session.view, state.projection, dx, dy))
        invalidate();
}

void CVeskView::panLeft() {
    pan(keyPanPixels, 0);
}

void CVeskView::panRight() {
    pan(-keyPanPixels, 0);
}

void CVeskView::panUp() {
    pan(0, keyPanPixels);
}

void CVeskView::panDown() {
    pan(0, -keyPanPixels);
}

void CVeskView::zoomInAtCentre() {
    const ViewState& v = state.session.view;
    if (zoomMapAt(state.session.view, state.projection, v.mapCentreX, v.mapCentreY, 2))
        invalidate();
}

void CVeskView::zoomOutAtCentre() {
    const ViewState& v = state.session.view;
    if (zoomMapAt(state.session.view, state.projection, v.mapCentreX, v.mapCentreY, 0.5))
        invalidate();
}

void CVeskView::setTextScale(double scale) {
    state.session.view.textScale = scale;
    state.session.view.redrawAction = redrawShow;
    invalidate();
}

void CVeskView::redraw() {
    invalidate();
}

void CVeskView::mouseDoubleClickEvent(QMouseEvent* event) {
    ViewState& v = state.session.view;
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (v.projection == 2)
            return;
        if (const auto hit = mapHitTest(v, state.projection, p.x(), p.y())) {
            recentreMap(v, hit->first, hit->second);
            invalidate();
        }
    } else if (event->button() == Qt::RightButton) {
        if (!insideMap(v, state.projection, p.x(), p.y()))
            return;
        char text[32];
        std::snprintf(text, sizeof text, "x= %4d y=%4d ", p.x(), p.y());
        drawText(0, 15, text, panelFont(), true);
        if (const auto hit = mapHitTest(v, state.projection, p.x(), p.y())) {
            observeFrom(v, hit->first, hit->second);
            invalidate();
        }
    }
}

void CVeskView::customEvent(QEvent* event) {
    if (event->type() == showListedEclipseEvent) {
        if (showListedEclipse(state.session))
            invalidate();
    } else if (event->type() == closeListEvent && list) {
        list->hide();
    }
}

} // namespace vesk
