// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include "explained.h"
#include "guide_window.h"
#include "limb_correction.h"
#include "place_field.h"
#include "time_slider.h"
#include "translation.h"

#include <QActionGroup>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "clock.h"
#include "save_files.h"
#include "window_settings.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <QToolBar>
#include <QWhatsThis>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

namespace vesk {

namespace {

constexpr int frameWidth = 700, frameHeight = 600;
// A new window's offset from the one it was opened from, pixels.
constexpr int newWindowOffset = 30;

// The toolbar's pictures.
enum class ToolIcon {
    previous,
    next,
    list,
    enlarge,
    reduce,
    globe,
    local,
    view,
    map,
    sky,
    limb,
    about
};

// The pictures of the commands that move through the catalog and over the map; false for
// another kind.
bool drawNavigationIcon(QPainter& p, ToolIcon kind) {
    switch (kind) {
    case ToolIcon::previous:
        p.setBrush(Qt::darkBlue);
        p.drawPolygon(QPolygonF({{13, 3}, {4, 9}, {13, 15}}));
        break;
    case ToolIcon::next:
        p.setBrush(Qt::darkBlue);
        p.drawPolygon(QPolygonF({{5, 3}, {14, 9}, {5, 15}}));
        break;
    case ToolIcon::list:
        for (int y = 4; y <= 14; y += 5)
            p.drawLine(3, y, 15, y);
        break;
    case ToolIcon::enlarge:
    case ToolIcon::reduce:
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.drawLine(12, 12, 16, 16);
        p.drawLine(5, 8, 11, 8);
        if (kind == ToolIcon::enlarge)
            p.drawLine(8, 5, 8, 11);
        break;
    case ToolIcon::globe:
        p.setBrush(QColor(102, 153, 255));
        p.drawEllipse(QPointF(9, 9), 7, 7);
        p.drawLine(2, 9, 16, 9);
        break;
    default:
        return false;
    }
    return true;
}

// The pictures of the commands that choose a screen, and of About.
void drawScreenIcon(QPainter& p, ToolIcon kind) {
    switch (kind) {
    case ToolIcon::local:
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(9, 9), 6, 6);
        p.setBrush(Qt::darkBlue);
        p.drawEllipse(QPointF(11, 8), 5, 5);
        break;
    case ToolIcon::view: // the Sun's ring about the Moon, above the horizon
        p.setBrush(Qt::yellow);
        p.drawEllipse(QPointF(9, 7), 6, 6);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(9, 7), 4, 4);
        p.drawLine(1, 16, 17, 16);
        break;
    case ToolIcon::map:
        p.setBrush(QColor(204, 255, 204));
        p.drawRect(2, 4, 14, 10);
        break;
    case ToolIcon::sky:
        p.setBrush(Qt::yellow);
        p.drawPolygon(QPolygonF({{9, 1},
                                 {11, 7},
                                 {17, 7},
                                 {12, 11},
                                 {14, 17},
                                 {9, 13},
                                 {4, 17},
                                 {6, 11},
                                 {1, 7},
                                 {7, 7}}));
        break;
    case ToolIcon::limb:
        p.setBrush(Qt::darkGray);
        p.drawEllipse(QPointF(9, 9), 7, 7);
        p.setPen(QPen(Qt::yellow, 1.5));
        p.drawArc(QRectF(2, 2, 14, 14), 30 * 16, 120 * 16);
        break;
    case ToolIcon::about:
        p.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    default:
        break;
    }
}

// The 18 x 18 pictures of the toolbar, drawn here.
QIcon toolIcon(ToolIcon kind) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    if (!drawNavigationIcon(p, kind))
        drawScreenIcon(p, kind);
    return QIcon(pixmap);
}

} // namespace

// The view's commands of the menus and the toolbar.
enum class MainWindow::Command {
    yearMonth,
    displayMode,
    searchMode,
    previous,
    next,
    list,
    zoomIn,
    zoomOut,
    zoomInAtCentre,
    zoomOutAtCentre,
    unzoom,
    west,
    east,
    north,
    south,
    redraw,
    local,
    placeView,
    backToMap,
    sky,
    limb
};

namespace {

using Command = MainWindow::Command;

// A command: its menu text (null: in the toolbar only), its explanation (tooltip and What's
// This), the status bar's prompt while the pointer rests on it (null: the explanation), its key,
// what it does, and its picture in the toolbar: the desktop theme's where it has a standard one,
// else the program's own.
struct CommandEntry {
    Command id;
    const char *text, *explanation, *prompt;
    int key; // a Qt::Key, 0 for none
    void (MapView::*command)();
    const char* themeIcon;
    std::optional<ToolIcon> icon;
};
const CommandEntry commandEntries[] = {
    {Command::yearMonth, QT_TRANSLATE_NOOP("vesk::MainWindow", "Year/Mo&nth"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Chooses the year and month of the eclipse shown (-13000 to 16999; a year "
                       "before 1 also as \"763 BC\")."),
     nullptr, 0, &MapView::yearMonth, nullptr, std::nullopt},
    {Command::displayMode, QT_TRANSLATE_NOOP("vesk::MainWindow", "&Display Mode"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Chooses the screen (the map, the central line table, the local "
                       "circumstances or the view from the place), the map's range and settings, "
                       "and the observing place."),
     nullptr, 0, &MapView::displayMode, nullptr, std::nullopt},
    {Command::searchMode, QT_TRANSLATE_NOOP("vesk::MainWindow", "Search &Mode"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Chooses the eclipses that Previous and Next step through: all, one type, "
                       "those seen from a place, or one Saros series."),
     nullptr, 0, &MapView::searchMode, nullptr, std::nullopt},
    {Command::previous, QT_TRANSLATE_NOOP("vesk::MainWindow", "&Previous Eclipse"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Shows the previous eclipse that the search mode finds (Page Up)."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Show the previous eclipse"), Qt::Key_PageUp,
     &MapView::previousEclipse, "go-previous", ToolIcon::previous},
    {Command::next, QT_TRANSLATE_NOOP("vesk::MainWindow", "&Next Eclipse"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Shows the next eclipse that the search mode finds (Page Down)."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Show the next eclipse"), Qt::Key_PageDown,
     &MapView::nextEclipse, "go-next", ToolIcon::next},
    {Command::list, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Lists the eclipses that the search mode finds over a span of years; a "
                       "double click shows one."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "The list of the eclipses found"), 0,
     &MapView::eclipseList, "view-list-details", ToolIcon::list},
    {Command::zoomIn, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Doubles the map's magnification (a left double click on the map first "
                       "centres it on that point)."),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Zoom in on the regional map (a left double click enters it)"),
     0, &MapView::zoomIn, "zoom-in", ToolIcon::enlarge},
    {Command::zoomOut, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Halves the map's magnification."),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Zoom out on the regional map (a left double click enters it)"),
     0, &MapView::zoomOut, "zoom-out", ToolIcon::reduce},
    {Command::zoomInAtCentre, QT_TRANSLATE_NOOP("vesk::MainWindow", "Zoom &In"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Doubles the map's magnification about its centre (+); the whole globe "
                       "becomes a regional map."),
     nullptr, Qt::Key_Plus, &MapView::zoomInAtCentre, nullptr, std::nullopt},
    {Command::zoomOutAtCentre, QT_TRANSLATE_NOOP("vesk::MainWindow", "Zoom &Out"),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Halves the map's magnification about its centre (-)."),
     nullptr, Qt::Key_Minus, &MapView::zoomOutAtCentre, nullptr, std::nullopt},
    {Command::unzoom, QT_TRANSLATE_NOOP("vesk::MainWindow", "W&hole Globe"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Leaves the regional map for the whole globe, centred on greatest eclipse "
                       "(Home)."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Leave the regional map (the whole globe)"),
     Qt::Key_Home, &MapView::unzoom, "zoom-original", ToolIcon::globe},
    {Command::west, QT_TRANSLATE_NOOP("vesk::MainWindow", "&West"),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Moves the regional map's centre west (Left arrow)."),
     nullptr, Qt::Key_Left, &MapView::panLeft, nullptr, std::nullopt},
    {Command::east, QT_TRANSLATE_NOOP("vesk::MainWindow", "&East"),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Moves the regional map's centre east (Right arrow)."),
     nullptr, Qt::Key_Right, &MapView::panRight, nullptr, std::nullopt},
    {Command::north, QT_TRANSLATE_NOOP("vesk::MainWindow", "North (&Up)"),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Moves the regional map's centre north (Up arrow)."),
     nullptr, Qt::Key_Up, &MapView::panUp, nullptr, std::nullopt},
    {Command::south, QT_TRANSLATE_NOOP("vesk::MainWindow", "South (&Down)"),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "Moves the regional map's centre south (Down arrow)."),
     nullptr, Qt::Key_Down, &MapView::panDown, nullptr, std::nullopt},
    {Command::redraw, QT_TRANSLATE_NOOP("vesk::MainWindow", "&Redraw"),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Draws the screen again, reading again the data files that changed (F5)."),
     nullptr, Qt::Key_F5, &MapView::redraw, nullptr, std::nullopt},
    {Command::local, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Shows the eclipse seen from the observing place: its contacts, magnitude, "
                       "the Sun's altitude and the place's clocks."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "From the map to the local circumstances"), 0,
     &MapView::localInfo, nullptr, ToolIcon::local},
    {Command::placeView, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Shows the Sun and the Moon as the observing place sees them at the time "
                       "slider's instant (else the maximum), with the horizon and the contacts."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "The view from the place"), 0, &MapView::placeView,
     nullptr, ToolIcon::view},
    {Command::backToMap, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Goes back to the map from the local circumstances or the central line "
                       "table."),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Back to the map from the local circumstances or the central line table"),
     0, &MapView::backToMap, "go-home", ToolIcon::map},
    {Command::sky, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Draws the sky at the maximum seen from the observing place inside the "
                       "central path: the darkened Sun, the planets and the bright stars."),
     QT_TRANSLATE_NOOP("vesk::MainWindow", "The sky at the maximum, inside the central path"), 0,
     &MapView::totalitySky, nullptr, ToolIcon::sky},
    {Command::limb, nullptr,
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "Corrects the second and third contacts at the observing place for the "
                       "mountains and valleys of the Moon's limb (LRO LOLA heights)."),
     QT_TRANSLATE_NOOP("vesk::MainWindow",
                       "The contacts corrected for the lunar limb, inside the central path"),
     0, &MapView::limbCorrection, nullptr, ToolIcon::limb}};
static_assert(std::size(commandEntries) == static_cast<std::size_t>(Command::limb) + 1);

// The commands of the Go menu and of the toolbar in their order; none: a separator.
using CommandRow = std::optional<Command>;
const CommandRow goMenuRows[] = {Command::previous,
                                 Command::next,
                                 std::nullopt,
                                 Command::zoomInAtCentre,
                                 Command::zoomOutAtCentre,
                                 Command::unzoom,
                                 std::nullopt,
                                 Command::west,
                                 Command::east,
                                 Command::north,
                                 Command::south,
                                 std::nullopt,
                                 Command::redraw};
const CommandRow toolBarRows[] = {
    Command::previous,  Command::next,   Command::list, std::nullopt,   Command::zoomIn,
    Command::zoomOut,   Command::unzoom, std::nullopt,  Command::local, Command::placeView,
    Command::backToMap, Command::sky,    Command::limb};

// Adds the actions of the commands of rows, and the separators, to a menu or a toolbar.
template <class Holder>
void addCommands(Holder& holder, std::span<const CommandRow> rows,
                 const std::vector<QAction*>& actions) {
    for (const CommandRow& row : rows) {
        if (row)
            holder.addAction(actions[static_cast<std::size_t>(*row)]);
        else
            holder.addSeparator();
    }
}

} // namespace

MainWindow::MainWindow(AppState& state, ValidationReporter reporter, RedrawAction first,
                       std::unique_ptr<AppState> owned)
    : ownState(std::move(owned)), state(state), reporter(std::move(reporter)) {
    setAttribute(Qt::WA_DeleteOnClose, ownState != nullptr);
    resize(frameWidth, frameHeight);
    move(0, 0);
    mapView = new MapView(state, state.session.view, first, nullptr, this->reporter);
    // the view fills the window, and scrolls where its texts need more room (a larger text size)
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(mapView);
    setCentralWidget(scroll);
    buildCommands();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    mapView->shownChanged = [this] {
        updateTitle();
        const ScreenFrame& frame = mapView->shownFrame();
        placeField->showPlace(QString::fromStdString(observerName(frame.settings, frame.cities)));
        if (timeSliderToggle->isChecked()) {
            slider->pictureShown(); // first: play's instant is now the slider's
            followSlider();
        }
    };
    updateTitle();
}

bool MainWindow::restoreKeptGeometry(const QByteArray& geometry) {
    placed = !geometry.isEmpty() && restoreGeometry(geometry);
    return placed;
}

void MainWindow::resetSettings() {
    forgetWindow();
    ViewSettings defaults;
    defaults.englishNames = state.language == Language::english;
    const CalendarMonth now = currentLocalMonth();
    defaults.year = now.year;
    defaults.month = now.month;
    mapView->settings() = defaults;
    pinToggle->setChecked(false);
    mapView->showAskedMonth();
    statusBar()->showMessage(tr("Settings reset: the next start begins from them too."));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (state.keepsWindowSettings)
        keepWindow({mapView->settings(), saveGeometry()});
    QMainWindow::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!placed) {
        placed = true;
        // The window manager adds its decorations after the window is shown.
        QTimer::singleShot(0, this, &MainWindow::placeFrame);
    }
}

void MainWindow::placeFrame() {
    const QRect available = screen()->availableGeometry();
    if (frameWidth > available.width() || frameHeight > available.height()) {
        // a small screen, or a large scale: the window manager fits the window to the screen
        showMaximized();
        return;
    }
    const QSize decorations = frameGeometry().size() - geometry().size();
    resize(size() - decorations);
    move(available.topLeft());
}

MainWindow::~MainWindow() {
    // The slider's dock goes after the window's own parts: no more slider updates then.
    sliderDock->disconnect(this);
}

MainWindow* MainWindow::newWindow() {
    std::unique_ptr<AppState> opened = state.newView();
    opened->session.view = mapView->settings();
    AppState& openedState = *opened;
    auto* window = new MainWindow(openedState, reporter, RedrawAction::show, std::move(opened));
    window->placed = true;
    window->resize(size());
    // beside this one, but within the screen
    const QRect available = screen()->availableGeometry();
    const QPoint beside = pos() + QPoint(newWindowOffset, newWindowOffset);
    window->move(
        std::clamp(beside.x(), available.left(),
                   std::max(available.left(), available.right() - frameGeometry().width())),
        std::clamp(beside.y(), available.top(),
                   std::max(available.top(), available.bottom() - frameGeometry().height())));
    window->show();
    return window;
}

void MainWindow::buildCommands() {
    commands.assign(std::size(commandEntries), nullptr);
    for (const CommandEntry& e : commandEntries) {
        auto* a = explained(new QAction(e.text != nullptr ? tr(e.text) : QString(), this),
                            tr(e.explanation));
        a->setStatusTip(tr(e.prompt != nullptr ? e.prompt : e.explanation));
        if (e.key != 0)
            a->setShortcut(QKeySequence(e.key));
        if (e.icon) {
            const QIcon own = toolIcon(*e.icon);
            a->setIcon(e.themeIcon != nullptr
                           ? QIcon::fromTheme(QString::fromUtf8(e.themeIcon), own)
                           : own);
            a->setIconVisibleInMenu(false);
        }
        connect(a, &QAction::triggered, mapView, e.command);
        commands[static_cast<std::size_t>(e.id)] = a;
    }
    // the limb command says beforehand when the lunar grid is missing
    QAction* limb = command(Command::limb);
    limb->setObjectName(QStringLiteral("limbAction"));
    connect(limb, &QAction::hovered, this,
            [this, limb, explanation = limb->whatsThis()] { explainLimb(*limb, explanation); });
}

QAction* MainWindow::command(Command id) const {
    return commands[static_cast<std::size_t>(id)];
}

QMenu* MainWindow::buildFileMenu() {
    QMenu* file = new QMenu(tr("&File"), this);
    file->setToolTipsVisible(true);
    QAction* newAction = explained(
        file->addAction(tr("&New"), this, [this] { newWindow(); }),
        tr("Opens another window on the same eclipse and settings; each window then goes its "
           "own way (Ctrl+N)."));
    newAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    file->addSeparator();
    explained(file->addAction(tr("&Export Picture..."), this, &MainWindow::saveFile),
              tr("Saves the screen shown as a PNG, SVG or PDF file, by the name's ending "
                 "(Ctrl+S)."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    explained(file->addAction(tr("Export &KML..."), this, &MainWindow::exportKml),
              tr("Writes the path of the eclipse shown as KML documents for Google Earth into a "
                 "folder."));
    explained(file->addAction(tr("Export &GeoJSON..."), this, &MainWindow::exportGeoJson),
              tr("Writes the path of the eclipse shown as a GeoJSON document (YYYYMM.geojson) "
                 "for GIS programs and web maps into a folder."));
    explained(file->addAction(tr("Save Repor&t..."), this, &MainWindow::saveReport),
              tr("Writes a page to cite of the eclipse shown, seen from the observer's place, as "
                 "PDF or SVG: a map of the place with the path and the band of ΔT, the local "
                 "circumstances in UT, mean and apparent time and time-degrees, the ranges of ΔT "
                 "with their probabilities, the radii and the sources."));
    file->addSeparator();
    explained(file->addAction(tr("&Print..."), this,
                              [this] { mapView->print(printer, inkSaving->isChecked()); }),
              tr("Prints the screen shown on one page (Ctrl+P)."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    explained(file->addAction(tr("Print Pre&view..."), this,
                              [this] { mapView->printPreview(printer, inkSaving->isChecked()); }),
              tr("Shows the printed page before it is printed."));
    explained(file->addAction(tr("P&rint Setup..."), this,
                              [this] { QPageSetupDialog(&printer, this).exec(); }),
              tr("Chooses the paper, its orientation and the margins of the printed page."));
    inkSaving = explained(file->addAction(tr("Print on &White")),
                          tr("Prints the black background white, every colour inverted, to save "
                             "ink; the screen stays as it is."));
    inkSaving->setCheckable(true);
    inkSaving->setStatusTip(tr("Print the black background white, every colour inverted"));
    file->addSeparator();
    explained(file->addAction(tr("E&xit"), this, &QApplication::closeAllWindows),
              tr("Closes every vesk window and quits (Ctrl+Q)."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    addActions(file->actions());
    return file;
}

QMenu* MainWindow::buildViewMenu() {
    toolBarToggle = explained(new QAction(tr("&Toolbar"), this), tr("Shows or hides the toolbar."));
    statusBarToggle = explained(new QAction(tr("&Status Bar"), this),
                                tr("Shows or hides the status bar, which reads out the eclipse at "
                                   "the map point under the pointer."));
    toolBarToggle->setCheckable(true);
    statusBarToggle->setCheckable(true);
    toolBarToggle->setChecked(true);
    statusBarToggle->setChecked(true);
    connect(toolBarToggle, &QAction::toggled, this, [this](bool on) { tools->setVisible(on); });
    connect(statusBarToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });

    QMenu* viewMenu = new QMenu(tr("&View"), this);
    viewMenu->setToolTipsVisible(true);
    viewMenu->addAction(toolBarToggle);
    viewMenu->addAction(statusBarToggle);
    timeSliderToggle = explained(viewMenu->addAction(tr("Time S&lider")),
                                 tr("Shows a slider below the map that draws the shadow at any "
                                    "instant of the eclipse, and plays it."));
    timeSliderToggle->setCheckable(true);
    slider = new TimeSlider;
    sliderDock = new QDockWidget(tr("Time Slider"), this);
    sliderDock->setObjectName(QStringLiteral("timeSlider"));
    sliderDock->setWidget(slider);
    sliderDock->setFeatures(QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::BottomDockWidgetArea, sliderDock);
    sliderDock->hide();
    connect(timeSliderToggle, &QAction::toggled, this, [this](bool on) {
        sliderDock->setVisible(on);
        if (on)
            followSlider();
        else
            mapView->showShadowAt(std::nullopt);
    });
    connect(sliderDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible && !isMinimized() && timeSliderToggle->isChecked())
            timeSliderToggle->setChecked(false);
    });
    slider->instantChanged = [this](double utHours) { mapView->showShadowAt(utHours); };
    addPinToggle(viewMenu);
    QMenu* textSize = viewMenu->addMenu(tr("Text Si&ze"));
    textSize->setToolTipsVisible(true);
    auto* sizes = new QActionGroup(this);
    for (const double scale : textScales) {
        QAction* size =
            explained(textSize->addAction(QStringLiteral("%1 %").arg(qRound(scale * 100))),
                      tr("Draws the text of the panels, tables and reports at %1 % of its size.")
                          .arg(qRound(scale * 100)));
        size->setCheckable(true);
        size->setChecked(scale == 1);
        sizes->addAction(size);
        connect(size, &QAction::triggered, this, [this, scale] { mapView->setTextScale(scale); });
    }
    return viewMenu;
}

void MainWindow::addPinToggle(QMenu* viewMenu) {
    pinToggle = explained(viewMenu->addAction(tr("&Pin the Map")),
                          tr("Keeps a zoomed map where it is when another eclipse is chosen; "
                             "without it the map moves to an eclipse whose path it leaves "
                             "out."));
    pinToggle->setCheckable(true);
    pinToggle->setChecked(mapView->settings().viewPinned);
    connect(pinToggle, &QAction::toggled, this,
            [this](bool on) { mapView->settings().viewPinned = on; });
}

QMenu* MainWindow::buildHelpMenu() {
    auto* aboutAction =
        explained(new QAction(tr("&About vesk..."), this),
                  tr("The program's version, its catalog of eclipses and its licence."));
    aboutAction->setIcon(QIcon::fromTheme(QStringLiteral("help-about"), toolIcon(ToolIcon::about)));
    connect(aboutAction, &QAction::triggered, this, [this] { AboutDialog(this).exec(); });
    QMenu* help = new QMenu(tr("&Help"), this);
    help->setToolTipsVisible(true);
    QAction* whatsThis = explained(QWhatsThis::createAction(this),
                                   tr("Click it, then a control, to read what the control does "
                                      "(Shift+F1)."));
    explained(help->addAction(tr("User &Guide"), this, [this] { showGuide("index.html"); }),
              tr("Opens the guide: what every line, colour and mark of each screen means, with "
                 "pictures (F1)."))
        ->setShortcut(QKeySequence::HelpContents);
    explained(help->addAction(tr("&Ancient Eclipses and ΔT"), this,
                              [this] { showGuide("history.html"); }),
              tr("Opens the guide's page on the uncertainty of ΔT: how sure the path and the "
                 "chance of totality are for an ancient eclipse."));
    explained(help->addAction(tr("G&lossary"), this, [this] { showGuide("glossary.html"); }),
              tr("Opens the guide's glossary: Besselian elements, ΔT, the types of eclipse, "
                 "magnitude, Saros, the calendars and the kinds of local time."));
    explained(help->addAction(tr("&Reset Settings"), this, &MainWindow::resetSettings),
              tr("Forgets the place, the eclipse, the map and the options kept from the last "
                 "run, and shows this month's eclipse with the settings a first start has."));
    help->addSeparator();
    help->addAction(whatsThis);
    help->addAction(aboutAction);
    aboutEntry = aboutAction;
    return help;
}

void MainWindow::buildMenus() {
    QMenu* viewMenu = buildViewMenu();
    QMenu* help = buildHelpMenu();
    menuBar()->addActions({buildFileMenu()->menuAction(), command(Command::yearMonth),
                           command(Command::displayMode), command(Command::searchMode),
                           buildMoveMenu()->menuAction(), viewMenu->menuAction(),
                           help->menuAction()});
}

QMenu* MainWindow::buildMoveMenu() {
    QMenu* menu = new QMenu(tr("&Go"), this);
    menu->setToolTipsVisible(true);
    addCommands(*menu, goMenuRows, commands);
    // "=" shares its key with "+" on most keyboards
    QAction* zoomKey =
        explained(new QAction(this), tr("Doubles the map's magnification about its centre (=, "
                                        "the key of + on most keyboards)."));
    zoomKey->setStatusTip(zoomKey->whatsThis());
    zoomKey->setShortcut(QKeySequence(Qt::Key_Equal));
    connect(zoomKey, &QAction::triggered, mapView, &MapView::zoomInAtCentre);
    addAction(zoomKey);
    return menu;
}

void MainWindow::buildToolBar() {
    tools = new QToolBar(tr("Toolbar"), this);
    tools->setIconSize(QSize(18, 18));
    tools->setMovable(true);
    addToolBar(Qt::TopToolBarArea, tools);
    addCommands(*tools, toolBarRows, commands);
    tools->addAction(aboutEntry);
    tools->addSeparator();
    tools->addWidget(buildPlaceField());
}

PlaceField* MainWindow::buildPlaceField() {
    placeField = new PlaceField(state, tools);
    placeField->setMaximumWidth(260);
    explained(placeField,
              tr("Type a place name and choose it from the list, or type its coordinates "
                 "(\"36.36N 43.15E\"; two bare numbers are longitude, latitude), to observe from "
                 "it: the local circumstances with its height and the civil time of its clocks."));
    placeField->placeChosen = [this](const GazetteerPlace& place) { mapView->observePlace(place); };
    placeField->coordinatesChosen = [this](double lon, double lat) {
        mapView->observeAt(lon, lat);
    };
    placeField->tell = [this](const QString& message) { statusBar()->showMessage(message); };
    return placeField;
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->showMessage(tr("Ready"));
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(tr("Ready"));
    });
}

void MainWindow::followSlider() {
    const auto [first, last] = mapView->contactSpan();
    slider->setSpan(first, last);
    const std::optional<ShadowInstant>& shown = mapView->settings().shadowAt;
    if (!shown || std::fabs(shown->value - slider->utHours()) > 0.5 / 3600)
        mapView->showShadowAt(slider->utHours());
}

void MainWindow::explainLimb(QAction& limb, const QString& explanation) {
    const bool missing = findDataFile(state.session.catalog.paths, lunarGridFileName).empty();
    limb.setToolTip(
        wrappedTip(missing ? explanation + QLatin1Char(' ') +
                                 tr("The lunar grid (LRO.dat) is not installed: the screen then "
                                    "shows the command that makes it.")
                           : explanation));
}

void MainWindow::updateTitle() {
    setWindowTitle(QStringLiteral("vesk — %1").arg(mapView->shownTitle()));
}

void MainWindow::saveFile() {
    QString filter = tr("PNG image (*.png)");
    const QString path = QFileDialog::getSaveFileName(
        this, QString(), mapView->proposedFileName(MapView::SavedFile::picture) + ".png",
        filter + QStringLiteral(";;") + tr("SVG drawing (*.svg)") + QStringLiteral(";;") +
            tr("PDF document (*.pdf)"),
        &filter);
    if (path.isEmpty())
        return;
    const QString failure = saveScreen(path, filter);
    if (!failure.isEmpty())
        reporter(this, failure);
}

void MainWindow::exportToFolder(const QString& caption, const FolderExport& write,
                                const QString& written) {
    const QString dir = QFileDialog::getExistingDirectory(this, caption);
    if (dir.isEmpty())
        return;
    const QString failure = (mapView->*write)(dir.toStdString());
    if (!failure.isEmpty())
        reporter(this, failure);
    else
        statusBar()->showMessage(written.arg(dir));
}

void MainWindow::exportKml() {
    exportToFolder(tr("Folder for the KML documents"), &MapView::exportKml,
                   tr("KML documents written to %1"));
}

void MainWindow::exportGeoJson() {
    exportToFolder(tr("Folder for the GeoJSON document"), &MapView::exportGeoJson,
                   tr("GeoJSON document written to %1"));
}

void MainWindow::saveReport() {
    QString filter = tr("PDF document (*.pdf)");
    QString path = QFileDialog::getSaveFileName(
        this, QString(), mapView->proposedFileName(MapView::SavedFile::report) + ".pdf",
        filter + QStringLiteral(";;") + tr("SVG drawing (*.svg)"), &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("*.svg")) ? QStringLiteral(".svg")
                                                         : QStringLiteral(".pdf");
    const QString failure = mapView->saveReport(path.toStdString());
    if (!failure.isEmpty())
        reporter(this, failure);
    else
        statusBar()->showMessage(tr("Saved: %1").arg(path));
}

GuideWindow* MainWindow::showGuide(const QString& page) {
    const std::optional<QUrl> url = guidePage(state.language, page);
    if (!url) {
        reporter(this, tr("The user's guide is not installed: its pages are looked for in "
                          "guide/ and ../share/vesk/guide/ beside the program."));
        return nullptr;
    }
    if (!guide)
        guide = new GuideWindow(this);
    guide->setSource(*url);
    guide->show();
    guide->raise();
    guide->activateWindow();
    return guide;
}

QString MainWindow::saveScreen(QString path, const QString& filter) {
    if (QFileInfo(path).suffix().isEmpty()) // the chosen kind, else PNG
        path += filter.contains(QStringLiteral("*.svg"))   ? QStringLiteral(".svg")
                : filter.contains(QStringLiteral("*.pdf")) ? QStringLiteral(".pdf")
                                                           : QStringLiteral(".png");
    const QString failure = mapView->saveAs(path.toStdString());
    if (!failure.isEmpty())
        return failure;
    statusBar()->showMessage(tr("Saved: %1").arg(path));
    return QString();
}

std::string keepQtSettingsReadable(const QString& folderOfThisRun) {
    const std::filesystem::path file =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
        "/QtProject.conf";
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found ||
        status.type() == std::filesystem::file_type::regular)
        return "";
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folderOfThisRun);
    return noteName(file) + " is not a regular file: it is passed over, and the file dialogs "
                            "keep no history";
}

namespace {

// The kept settings into the state's view where the window keeps them and a file was there; a
// file passed over is noted (on standard error and in the status bar) and the defaults stay.
std::optional<KeptWindow> readKeptWindow(AppState& state) {
    if (!state.keepsWindowSettings || !QFileInfo::exists(windowSettingsPath()))
        return std::nullopt;
    Result<KeptWindow> kept = keptWindow(state.session.view);
    if (const Failure* failure = std::get_if<Failure>(&kept)) {
        const std::string note = failureDetail(*failure);
        std::fprintf(stderr, "vesk: %s\n", note.c_str());
        state.places->noteFilePassedOver(note);
        state.keepsWindowSettings = false; // a file not ours to write either
        return std::nullopt;
    }
    state.session.view = std::get<KeptWindow>(kept).view;
    return std::get<KeptWindow>(kept);
}

} // namespace

int runWindowProgram(AppState& state, int argc, char** argv, const QString& screenshot,
                     const QString& language) {
    QApplication application(argc, argv);
    const QTemporaryDir qtSettings;
    if (const std::string note = keepQtSettingsReadable(qtSettings.path()); !note.empty()) {
        std::fprintf(stderr, "vesk: %s\n", note.c_str());
        state.places->noteFilePassedOver(note);
    }
    clearUpperVectorRegisters();
    QApplication::setApplicationName(QStringLiteral("vesk"));
    // the desktop entry's name, by which the dock finds the entry and its icon
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vesk.Vesk"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("org.vesk.Vesk"), QIcon(QStringLiteral(":/icons/org.vesk.Vesk.svg"))));
    state.setLanguage(chooseLanguage(language));
    const auto translators = installLanguage(state.language);
    const std::optional<KeptWindow> kept = readKeptWindow(state);
    MainWindow window(state, messageBoxReporter(),
                      kept ? RedrawAction::show : RedrawAction::fromClock);
    if (kept)
        window.restoreKeptGeometry(kept->geometry);
    window.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, screenshot] {
            window.view()->repaintNow();
            const std::string failure = savePng(window.grab().toImage(), screenshot.toStdString());
            if (!failure.empty())
                std::fprintf(stderr, "vesk: %s\n", failure.c_str());
            QApplication::exit(failure.empty() ? 0 : 1);
        });
    }
    const int status = QApplication::exec();
    // the windows opened with New, closed by now, go before the application
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

} // namespace vesk
