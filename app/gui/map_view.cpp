// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_view.h"

#include "eclipse_title.h"
#include "explained.h"
#include "palette.h"
#include "shadow_layer.h"

#include "messages.h"
#include "picture_output.h"
#include "pointer_readout.h"
#include "redraw_pipeline.h"
#include "report_page.h"
#include "sky_page.h"
#include "translation.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
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

MapView::MapView(AppState& state, ViewSettings settings, RedrawAction first, QWidget* parent,
                 ValidationReporter reporter)
    : QWidget(parent), state(state), reporter(std::move(reporter)),
      viewSettings(std::move(settings)), pending{first}, repaintServices(state),
      screenServices(state) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(300, 300);
    setMouseTracking(true); // the status bar tells the circumstances under the pointer
    // A repaint asked for while a list search ran starts when it ends; while the map is
    // dragged, the next coarse picture.
    work.afterEach = [this](BackgroundWork::Kind kind, bool completed) {
        // a repaint stopped by anything (a newer request, the list's search) is drawn again
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
    ++requestsMade;
    // Requests of one turn of the event loop make one repaint.
    if (!repaintQueued) {
        repaintQueued = true;
        QTimer::singleShot(0, this, [this] {
            repaintQueued = false;
            startRepaint();
        });
    }
}

void MapView::request(RedrawAction action) {
    pending.action = action;
    skyKept = false; // another screen, eclipse or place: the sky is drawn again only when asked
    invalidate();
}

void MapView::showAskedMonth() {
    request(RedrawAction::show);
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

bool MapView::pictureFits() const {
    const bool drawingFits = work.busy() && work.kind() == BackgroundWork::Kind::repaint &&
                             drawingSize == size() && drawingRatio == devicePixelRatioF();
    return drawingFits || fits(surface, *this);
}

void MapView::startRepaint() {
    if (!pictureFits())
        dirty = true;
    if (!dirty || (work.busy() && work.kind() == BackgroundWork::Kind::search))
        return;
    if (askForMonth) {
        // after the catalog failed: this month, and the dialog to choose another
        askForMonth = false;
        dirty = false;
        const CalendarMonth now = currentLocalMonth();
        viewSettings.year = now.year;
        viewSettings.month = now.month;
        pending = {};
        QTimer::singleShot(0, this, &MapView::yearMonth);
        return;
    }
    work.stop(); // the repaint under way is of older settings; its result, if done, comes first
    if (!dirty)
        return;
    if (!dragging)
        drawnForOffset = {};
    dirty = false;
    auto result = std::make_shared<RepaintResult>();
    result->picture = pictureFor(*this);
    drawingSize = size();
    drawingRatio = devicePixelRatioF();
    // A repaint that takes long says so in the status bar.
    const int repaint = ++repaintsStarted;
    QTimer::singleShot(drawingNoticeMs, this, [this, repaint] {
        if (work.busy() && repaint == repaintsStarted)
            showDrawingNotice();
    });
    work.start(
        BackgroundWork::Kind::repaint,
        // the work has copies of the settings and the request; the session's catalog is its own
        [this, result, settings = viewSettings, request = pending,
         sky = skyKept && overlay == Overlay::sky](std::stop_token stop) {
            repaintServices.stop = stop;
            result->outcome =
                redrawView(state.session, settings, request, *result->picture, repaintServices);
            if (sky && result->outcome.rendered &&
                drawSkyAtMaximum(state, result->outcome.frame, *result->picture))
                result->overlay = Overlay::sky;
            result->projection = result->outcome.projection.value_or(MapProjection{});
            if (result->outcome.rendered && !stop.stop_requested()) {
                const ScreenFrame& frame = result->outcome.frame;
                result->exported = repaintServices.writeScreenExports(frame);
                result->missing = repaintServices.missingFromPicture(frame);
            }
        },
        [this, result, generation = requestsMade, offset = drawnForOffset](bool completed) {
            if (!completed || generation != requestsMade)
                return; // a newer request is drawn instead
            shownForOffset = offset;
            applyRepaint(*result);
        });
}

void MapView::applyRepaint(RepaintResult& result) {
    RedrawOutcome& outcome = result.outcome;
    viewSettings.year = outcome.reached.year;
    viewSettings.month = outcome.reached.month;
    pending = {};
    askForMonth = outcome.askForMonth;
    surface = std::move(result.picture);
    overlay = result.overlay;
    if (copyCommand)
        copyCommand->hide();
    shown.rendered = outcome.rendered;
    if (outcome.rendered) {
        shown.frame = std::move(outcome.frame);
        // the map centre the repaint moved to, following the eclipse it chose
        viewSettings.centreLon = shown.frame.settings.centreLon;
        viewSettings.centreLat = shown.frame.settings.centreLat;
        shown.projection = result.projection;
        if (shown.frame.settings.displayMode == displayPathMap)
            lastMapCentreLon = mapCentreLon(shown.projection);
    }
    reportRepaint(result);
    growToText();
    update();
    if (shownChanged)
        shownChanged();
}

void MapView::repaintNow() {
    work.wait(); // a repaint or search under way ends first
    startRepaint();
    work.wait();
}

void MapView::reportRepaint(const RepaintResult& result) {
    QStringList notes;
    if (result.missing) // its first line: the status bar has room for one
        notes << QString::fromStdString(
            failureLines(*result.missing, translationTo(state.language)).front());
    if (!result.exported.failure.empty())
        notes << QString::fromStdString(result.exported.failure);
    else if (!result.exported.documents.empty()) {
        QStringList written;
        for (const std::filesystem::path& document : result.exported.documents)
            written << QString::fromStdString(noteName(document));
        notes << tr("KML written: %1").arg(written.join(QStringLiteral(", ")));
    }
    for (const std::string& note : result.outcome.ignoredFiles)
        notes << QString::fromStdString(note);
    for (const std::string& note : state.places->untoldNotes())
        notes << QString::fromStdString(note);
    lastNotes = notes.join(QStringLiteral("; "));
    showStatus(lastNotes);
}

void MapView::showDrawingNotice() {
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (frame == nullptr)
        return;
    messageBeforeDrawing = frame->statusBar()->currentMessage();
    frame->statusBar()->showMessage(tr("Drawing…"));
}

void MapView::showStatus(const QString& text) {
    auto* frame = qobject_cast<QMainWindow*>(window());
    if (frame == nullptr)
        return;
    if (!text.isEmpty())
        frame->statusBar()->showMessage(text);
    else if (frame->statusBar()->currentMessage() == tr("Drawing…"))
        frame->statusBar()->showMessage(messageBeforeDrawing); // what the notice stood in for
}

const QImage& MapView::picture() const {
    static const QImage empty;
    return surface ? surface->image() : empty;
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!pictureFits())
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
    YearMonthDialog dialog(this, loadWhen(viewSettings), reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeWhen(viewSettings, dialog.fields());
    request(RedrawAction::show);
}

void MapView::displayMode() {
    DisplayDialog dialog(this, loadDisplay(viewSettings, choices, lastMapCentreLon),
                         shown.frame.cities, reporter, &state);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeDisplay(viewSettings, choices, dialog.fields(), shown.frame.cities);
    // the named place, unless its position was changed by hand after (then its zone is found
    // from the position)
    if (dialog.chosenPlace())
        viewSettings.observerPlace = *dialog.chosenPlace();
    request(RedrawAction::show);
}

void MapView::searchMode() {
    SearchDialog dialog(this, loadMode(viewSettings, choices, shown.frame.eclipse.record.saros),
                        shown.frame.cities, viewSettings, reporter);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeMode(viewSettings, choices, dialog.fields(), shown.frame.cities);
    request(RedrawAction::show);
}

void MapView::nextEclipse() {
    request(RedrawAction::nextMatch);
}

void MapView::previousEclipse() {
    request(RedrawAction::previousMatch);
}

void MapView::zoomIn() {
    if (viewSettings.displayMode != displayPathMap)
        return;
    zoomMap(viewSettings, shownProjector(), 2);
    request(RedrawAction::show);
}

void MapView::zoomOut() {
    if (viewSettings.displayMode != displayPathMap)
        return;
    zoomMap(viewSettings, shownProjector(), 0.5);
    request(RedrawAction::show);
}

void MapView::unzoom() {
    vesk::unzoom(viewSettings);
    request(RedrawAction::show);
}

void MapView::backToMap() {
    vesk::backToMap(viewSettings);
    request(RedrawAction::show);
}

void MapView::localInfo() {
    showLocalInfo(viewSettings);
    request(RedrawAction::show);
}

void MapView::placeView() {
    showPlaceView(viewSettings);
    request(RedrawAction::show);
}

void MapView::eclipseList() {
    if (!list)
        list = std::make_unique<EclipseListDialog>(this, viewSettings, shown.frame.eclipse,
                                                   state.session, *state.places, drawnMessage(),
                                                   work, reporter, typeNamesOf(state.language));
    else if (!list->isVisible())
        list->initialise();
    list->show();
    list->raise();
}

void MapView::totalitySky() {
    repaintNow();
    if (shown.rendered && drawSkyAtMaximum(state, shown.frame, *surface)) {
        overlay = Overlay::sky;
        skyKept = true; // drawn again by the repaints of the slider and of a new size
        update();
    } else
        statusMessage(messageNotCentral);
}

void MapView::limbCorrection() {
    repaintNow();
    const LimbOutcome outcome =
        shown.rendered ? drawLimbAtMaximum(state, shown.frame, *surface) : LimbOutcome::notCentral;
    if (outcome == LimbOutcome::notCentral) {
        statusMessage(messageNotCentral);
        return;
    }
    overlay = Overlay::limb;
    if (outcome == LimbOutcome::noLunarGrid)
        offerGridCommand();
    update();
}

void MapView::offerGridCommand() {
    if (!copyCommand) {
        copyCommand = new QPushButton(tr("Copy the command"), this);
        copyCommand->setObjectName(QStringLiteral("copyGridCommand"));
        explained(copyCommand, tr("Copies the command that makes the lunar grid, to paste it into "
                                  "a terminal."));
        connect(copyCommand, &QPushButton::clicked, this, [this] {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(lunarGridCommand));
            statusMessage(messageCommandCopied);
        });
    }
    copyCommand->adjustSize();
    // at the top right of the part of the picture the window shows (it may be scrolled)
    const QRect shownPart = visibleRegion().isEmpty() ? rect() : visibleRegion().boundingRect();
    copyCommand->move(shownPart.right() - copyCommand->width() - 10, shownPart.top() + 8);
    copyCommand->show();
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
    return eclipseTitle(shown.frame.eclipse.record, state.language);
}

QString MapView::proposedFileName(SavedFile file) const {
    const EclipseRecord& r = shown.frame.eclipse.record;
    QString name = QStringLiteral("eclipse-%1-%2-%3")
                       .arg(static_cast<long long>(std::llround(r.year)))
                       .arg(static_cast<int>(r.month), 2, 10, QLatin1Char('0'))
                       .arg(static_cast<int>(r.day), 2, 10, QLatin1Char('0'));
    const ObserverPlace place = observerPlace(shown.frame.settings, *state.places);
    const bool ofPlace = file == SavedFile::report ||
                         isPlaceScreen(shown.frame.settings.displayMode) ||
                         overlay != Overlay::none;
    if (ofPlace && !place.name.empty())
        // the place's own name, without the country and any character a file name must not hold
        name +=
            QLatin1Char('-') +
            QString::fromStdString(place.name)
                .section(QLatin1Char('('), 0, 0)
                .trimmed()
                .replace(QRegularExpression(QStringLiteral("[/\\:*?\"<>| ]")), QStringLiteral("_"));
    return name;
}

QString MapView::pageTitle() {
    QString title = shownTitle();
    if (isPlaceScreen(shown.frame.settings.displayMode) || overlay != Overlay::none) {
        const ObserverPlace place = observerPlace(shown.frame.settings, *state.places);
        title +=
            QStringLiteral(" — ") +
            (place.name.empty()
                 ? QStringLiteral("%1°, %2°").arg(place.lon, 0, 'f', 3).arg(place.lat, 0, 'f', 3)
                 : QString::fromStdString(place.name));
    }
    return title;
}

std::pair<double, double> MapView::contactSpan() const {
    // a screen of the place spans its own contacts where it sees the eclipse
    if (isPlaceScreen(shown.frame.settings.displayMode))
        if (const auto span = placeSpanUt(shown.frame))
            return *span;
    return contactSpanUt(shown.frame.eclipse.record, shown.frame.eclipse.deltaT);
}

Projector MapView::shownProjector() const {
    return {shown.frame.settings.projection, shown.projection, shown.frame.layout,
            shown.frame.settings.mapRange};
}

void MapView::showShadowAt(std::optional<double> utHours) {
    viewSettings.shadowAt = utHours ? std::optional(ShadowInstant{*utHours, false}) : std::nullopt;
    request(RedrawAction::show);
    skyKept = true; // the sky of the place moves with the slider too
}

QString MapView::exportKml(const std::filesystem::path& dir) {
    if (!shown.rendered)
        return tr("No eclipse is shown: there is no path to write.");
    return QString::fromStdString(screenServices.writeKml(shown.frame, dir).failure);
}

QString MapView::exportGeoJson(const std::filesystem::path& dir) {
    if (!shown.rendered)
        return tr("No eclipse is shown: there is no path to write.");
    return QString::fromStdString(screenServices.writeGeoJson(shown.frame, dir));
}

QString MapView::saveAs(const std::filesystem::path& path) {
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format)
        return tr("Cannot write %1: the name must end in .png, .svg or .pdf.")
            .arg(QString::fromStdString(path.string()));
    PictureOutput output(*format, std::max(1, width()), std::max(1, height()), devicePixelRatioF());
    drawScreenOn(output.surface());
    return QString::fromStdString(output.save(path));
}

QString MapView::saveReport(const std::filesystem::path& path) {
    if (!shown.rendered)
        return tr("No eclipse is shown: there is nothing to report.");
    work.wait(); // the report draws with the session that a repaint under way uses
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<RecordedText> texts;
    const std::string failure =
        writeEclipseReport(state, reportView(shown.frame.settings), path, texts);
    QApplication::restoreOverrideCursor();
    return QString::fromStdString(failure);
}

void MapView::drawScreenOn(QtDrawSurface& page) {
    if (!shown.rendered) { // the messages shown in place of a screen
        if (surface)
            page.blit(0, 0, surface->width(), surface->height(), *surface, 0, 0);
        return;
    }
    // The screen shown, drawn again from what it was drawn from: no export.
    ScreenFrame frame = shown.frame;
    frame.settings.kmlOutput = false;
    frame.coarseRelief = false;
    page.fillSolidRect(0, 0, page.width(), page.height(), blackFill);
    IgnoredFiles passedOver; // the status bar told of them at the repaint
    screenServices.loadBaseMapData(passedOver);
    drawScreen(frame, page, screenServices);
    if (overlay == Overlay::sky)
        drawSkyAtMaximum(state, frame, page);
    else if (overlay == Overlay::limb)
        drawLimbAtMaximum(state, frame, page);
}

void MapView::showReadout(QPoint p) {
    const ViewSettings& v = shown.frame.settings;
    if (!shown.rendered || v.projection == Projection::mercator || v.displayMode != displayPathMap)
        return;
    const auto hit = shownProjector().toGeo(p.x(), p.y());
    if (!hit)
        return;
    const Font readout{FontRole::mono, -12, 500};
    const int right = shown.frame.layout.mapRight;
    char text[32];
    std::snprintf(text, sizeof text, "Lon:%7.2f", hit->lon);
    drawText(right - 85, 15, text, readout, true);
    std::snprintf(text, sizeof text, "Lat:%7.2f", hit->lat);
    drawText(right - 85, 30, text, readout, true);
}

void MapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        dragStart = event->position().toPoint();
        dragOffset = {};
        dragging = false;
    }
}

void MapView::observePlace(const GazetteerPlace& place) {
    ObserverPlace chosen = observerPlaceOf(place, state.language == Language::japanese);
    const double height =
        place.height ? *place.height : groundHeightAt(state, place.lon, place.lat);
    chosen.heightSource = place.height ? HeightSource::gazetteer : HeightSource::reliefGrid;
    placeObserver(viewSettings, place.lon, place.lat, height, chosen);
    choices.observerInput = ObserverInput::typed;
    showPlaceScreen(viewSettings);
    request(RedrawAction::show);
}

void MapView::observeAt(double lon, double lat) {
    observeFrom(viewSettings, lon, lat, groundHeightAt(state, lon, lat));
    choices.observerInput = ObserverInput::typed;
    request(RedrawAction::show);
}

void MapView::growToText() {
    const ViewSettings& shownSettings = shown.frame.settings;
    const std::pair<int, double> screen{shownSettings.displayMode, shownSettings.textScale};
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
    const auto hit = shown.rendered && shown.frame.settings.displayMode == displayPathMap
                         ? shownProjector().toGeo(p.x(), p.y())
                         : std::nullopt;
    const ChosenEclipse& eclipse = shown.frame.eclipse;
    const QString readout =
        hit ? QString::fromStdString(
                  pointerReadout(*state.places, eclipse.record, eclipse.deltaT, hit->lon, hit->lat))
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
        dragBase = {viewSettings, shownProjector()};
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
    viewSettings = dragBase->settings;
    if (!panMap(viewSettings, dragBase->map, dragOffset.x(), dragOffset.y()))
        return;
    pending.coarseRelief = true;
    drawnForOffset = dragOffset;
    request(RedrawAction::show);
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
    const QPoint moved = event->position().toPoint() - start;
    viewSettings = dragBase->settings;
    const Projector base = dragBase->map;
    dragBase.reset();
    pending.coarseRelief = false;
    if (!panMap(viewSettings, base, moved.x(), moved.y()))
        update();
    else
        request(RedrawAction::show);
}

void MapView::wheelEvent(QWheelEvent* event) {
    wheelTurn += event->angleDelta().y();
    // one notch (120) doubles or halves, as the zoom commands do
    if (std::abs(wheelTurn) < wheelStep / 4)
        return;
    const double factor = std::pow(2.0, double(wheelTurn) / wheelStep);
    wheelTurn = 0;
    const QPoint p = event->position().toPoint();
    if (zoomMapAt(viewSettings, shownProjector(), width(), height(), p.x(), p.y(), factor))
        request(RedrawAction::show);
}

void MapView::pan(int dx, int dy) {
    if (panMap(viewSettings, shownProjector(), dx, dy))
        request(RedrawAction::show);
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
    if (zoomMapAtCentre(viewSettings, shownProjector(), 2))
        request(RedrawAction::show);
}

void MapView::zoomOutAtCentre() {
    if (zoomMapAtCentre(viewSettings, shownProjector(), 0.5))
        request(RedrawAction::show);
}

void MapView::setTextScale(double scale) {
    viewSettings.textScale = scale;
    request(RedrawAction::show);
}

void MapView::redraw() {
    invalidate();
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The places under the pointer are those of the picture shown.
    const QPoint p = event->position().toPoint();
    if (!shown.rendered)
        return;
    const Projector map = shownProjector();
    const auto hit = map.toGeo(p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        if (shown.frame.settings.projection == Projection::mercator || !hit)
            return;
        recentreMap(viewSettings, hit->lon, hit->lat,
                    map.projection.mapRadius / map.layout.baseRadius);
        request(RedrawAction::show);
    } else if (event->button() == Qt::RightButton) {
        if (!map.contains(p.x(), p.y()))
            return;
        char text[32];
        std::snprintf(text, sizeof text, "x= %4d y=%4d ", p.x(), p.y());
        drawText(0, 15, text, panelFont(), true);
        if (hit)
            observeAt(hit->lon, hit->lat);
    }
}

void MapView::customEvent(QEvent* event) {
    if (event->type() == showListedEclipseEvent) {
        // the hits are the search's until it ends
        const bool searching = work.busy() && work.kind() == BackgroundWork::Kind::search;
        if (!searching &&
            showListedEclipse(viewSettings, state.session.searchHits, state.session.selectedHit))
            request(RedrawAction::show);
    } else if (event->type() == closeListEvent && list) {
        list->hide();
    }
}

} // namespace vesk
