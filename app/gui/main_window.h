// SPDX-License-Identifier: GPL-3.0-or-later
// The window program: a main window per view, with its menus, toolbar and status bar around the
// map view, and the application's start.
#pragma once

#include "app_state.h"
#include "map_view.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QPointer>
#include <QPrinter>
#include <QTranslator>

class QDockWidget;
class QMenu;
class QToolBar;

namespace vesk {

class GuideWindow;
class PlaceField;
class TimeSlider;

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // The view's commands that the menus and the toolbar hold.
    enum class Command;

    // A window on the view records of state, from the settings of its session; its first
    // picture shows this month's eclipse or that of their year and month. Owned, the records go
    // when the window closes (the windows opened with New).
    explicit MainWindow(AppState& state, ValidationReporter reporter = messageBoxReporter(),
                        RedrawAction first = RedrawAction::fromClock,
                        std::unique_ptr<AppState> owned = nullptr);
    ~MainWindow() override;
    // Takes the window's kept size and place (QWidget::saveGeometry's); false where they do not
    // serve, the window then keeps the default ones.
    bool restoreKeptGeometry(const QByteArray& geometry);

    // File New: another window on the same records, showing at first what this one shows; it
    // closes by itself.
    MainWindow* newWindow();
    MapView* view() const { return mapView; }
    QToolBar* toolBar() const { return tools; }
    // The time slider under the map, shown by View > Time Slider; closed, the map is drawn
    // without the shadow.
    TimeSlider* timeSlider() const { return slider; }
    QAction* timeSliderToggle = nullptr;
    // File Export (Ctrl+S) once a name is chosen: the active screen as PNG, SVG or PDF by the
    // name's ending (a name without one takes the kind of the chosen filter, else PNG); nothing
    // else is written. Empty, or the failure naming the file.
    QString saveScreen(QString path, const QString& filter = QString());
    // Help: a page of the user's guide ("index.html", "glossary.html#deltat") in the window's
    // language, in the guide's window (opened, or brought forward); the window, or null with a
    // message when the guide is not installed.
    GuideWindow* showGuide(const QString& page);

  protected:
    void showEvent(QShowEvent* event) override;
    // Keeps the window's settings for the next start, where they are kept.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The size asked for (frameWidth x frameHeight at start) becomes the outer size, title bar
    // and borders included, with the outer top-left corner at the screen's available area's;
    // where that area is smaller, the window is maximized within it instead.
    void placeFrame();
    void buildMenus();
    // The View menu (the toolbar, the status bar, the time slider's dock and the text size) and
    // the Help menu (the guide's pages, What's This and About).
    QMenu* buildViewMenu();
    QMenu* buildHelpMenu();
    void buildToolBar();
    // The toolbar's place field: a place chosen in it is observed from.
    PlaceField* buildPlaceField();
    // The menu of the keys that move through the catalog and over the map.
    QMenu* buildMoveMenu();
    void buildStatusBar();
    // The File menu: new view, export of the picture, of the KML documents and of the report,
    // printing, quit.
    QMenu* buildFileMenu();
    // The title names the eclipse shown.
    void updateTitle();
    // The limb command's tooltip: its explanation, and whether the lunar grid is missing.
    void explainLimb(QAction& limb, const QString& explanation);
    void saveFile();
    void exportKml();
    void exportGeoJson();
    // View > Pin the Map, checked as the view's settings are (kept from the last run).
    void addPinToggle(QMenu* viewMenu);
    // Help > Reset Settings: the kept settings forgotten, the defaults shown.
    void resetSettings();
    // Asks for a folder and writes the eclipse's documents into it, telling the status bar
    // written (%1: the folder), or the reporter why not.
    using FolderExport = QString (MapView::*)(const std::filesystem::path&);
    void exportToFolder(const QString& caption, const FolderExport& write, const QString& written);
    void saveReport();
    // The actions of the view's commands, made once: the menus and the toolbar share them.
    void buildCommands();
    QAction* command(Command id) const;

    std::unique_ptr<AppState> ownState;
    AppState& state;
    ValidationReporter reporter;
    MapView* mapView;
    QToolBar* tools = nullptr;
    PlaceField* placeField = nullptr; // the toolbar's place by name
    TimeSlider* slider = nullptr;
    QDockWidget* sliderDock = nullptr;
    // Gives the slider the span of the eclipse shown and the view the slider's instant.
    void followSlider();
    QAction* aboutEntry = nullptr;
    std::vector<QAction*> commands;             // in the order of Command
    QPointer<GuideWindow> guide;                // the guide's window while it is open
    QAction* inkSaving = nullptr;               // print on white
    QPrinter printer{QPrinter::HighResolution}; // the page setup's and the prints'
    QAction *toolBarToggle = nullptr, *statusBarToggle = nullptr, *pinToggle = nullptr;
    bool placed = false;
};

// Qt's own settings (the file dialogs' history, $XDG_CONFIG_HOME/QtProject.conf) kept in the
// folder given for this run instead, when that file is not a regular file: a FIFO would stop the
// window's thread as a file dialog opens, and a device or a folder cannot be read. The note naming
// the file passed over, or empty.
std::string keepQtSettingsReadable(const QString& folderOfThisRun);

// Starts the window program on the state; returns the exit status. With screenshot set, the
// window is grabbed into that PNG after its first repaint and the program ends.
int runWindowProgram(AppState& state, int argc, char** argv, const QString& screenshot,
                     const QString& language);

} // namespace vesk
