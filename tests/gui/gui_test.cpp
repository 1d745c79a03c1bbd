// SPDX-License-Identifier: GPL-3.0-or-later
// The window program on the offscreen platform: dialogs with their validation, the view's
// commands and mouse gestures, the eclipse list, the frame's menus and toolbar.
#include "angles.h"
#include "clock.h"
#include "dialog_fields.h"
#include "event_loop_gaps.h"
#include "main_window.h"
#include "messages.h"
#include "palette.h"
#include "parsed_output.h"
#include "path_tracers.h"
#include "shadow_elements.h"
#include "shadow_layer.h"
#include "sky_view.h"
#include "test_support.h"
#include "time_slider.h"
#include "translation.h"
#include "view_commands.h"
#include "window_language.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidgetAction>
#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// Captures the validation messages instead of showing message boxes.
struct Messages {
    std::vector<QString> shown;
    ValidationReporter reporter() {
        return [this](QWidget*, const QString& message) { shown.push_back(message); };
    }
};

// The search dialog over a view and a city table of the test's, and the choices it loads and
// stores.
// The dialog's widget of that object name; the test stops where there is none.
template <class Widget> Widget* part(const QObject& dialog, const char* name) {
    auto* found = dialog.findChild<Widget*>(QLatin1String(name));
    if (found == nullptr) {
        ADD_FAILURE() << "the dialog has no " << name;
        std::abort();
    }
    return found;
}

struct SearchDialogFixture {
    Messages messages;
    ViewSettings view;
    CityTable cities;
    DialogChoices choices;
    SearchDialog dialog;
    explicit SearchDialogFixture(ViewSettings initial = {}, CityTable table = {})
        : view(std::move(initial)), cities(std::move(table)),
          dialog(nullptr, loadMode(view, choices, 145), cities, view, messages.reporter()) {}
};

// Records whose view settings ask for 2024 April.
AppState& april2024(AppState& state) {
    state.session.view.year = 2024;
    state.session.view.month = 4;
    return state;
}

struct Window {
    AppState state{DataPaths{{sourceDataDir()}}};
    Messages messages;
    MainWindow frame{april2024(state), messages.reporter(), RedrawAction::show};
    MapView* view = frame.view();

    Window() {
        frame.resize(1000, 760);
        frame.show();
        QApplication::processEvents();
        view->repaintNow();
    }
    ViewSettings& v() { return view->settings(); }
    // The layout and projection of the picture shown.
    const MapLayout& layout() const { return view->shownFrame().layout; }
    MapProjection projection() const { return view->shownProjector().projection; }
    const EclipseRecord& shownRecord() const { return view->shownFrame().eclipse.record; }
    // Lets the work off the window's thread (a repaint, a list search) end and be taken over.
    void finishWork() {
        QElapsedTimer waited;
        waited.start();
        while (view->working() && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
    }
    // The eclipse list opened and its search started from a first year over a span of years.
    EclipseListDialog* startListSearch(const char* first, const char* years) {
        view->eclipseList();
        EclipseListDialog* list = view->listDialog();
        list->startEdit->setText(first);
        list->periodEdit->setText(years);
        list->search();
        return list;
    }
};

} // namespace

TEST(Dialogs, QtsOwnTextsInJapaneseAndTheAboutBoxNamesItsSources) {
    {
        const auto translators = installLanguage(Language::japanese);
        ASSERT_EQ(translators.size(), 2u) << "the program's own, and qtbase_ja from "
                                             "qt6-translations-l10n";
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }

    AboutDialog about(nullptr);
    QString text;
    for (const QLabel* label : about.findChildren<QLabel*>())
        text += label->text();
    for (const char* part :
         {"バージョン 0.1", "-12999年8月31日", "16996年11月29日", "JPL DE431", "ETOPO5", "GSHHG",
          "LRO LOLA", "LGPL 3", "GeoNames", "CC BY 4.0", "ODbL"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

TEST(Window, MenusInEnglishUnderAnEnglishLocaleAndInJapaneseOtherwise) {
    const auto menuTexts = [] {
        Window w;
        QStringList texts;
        for (const QAction* menu : w.frame.menuBar()->actions())
            texts << menu->text();
        return texts;
    };
    const QLocale locale;
    EXPECT_EQ(chooseLanguage(QStringLiteral("en")), Language::english);
    EXPECT_EQ(chooseLanguage(QStringLiteral("ja")), Language::japanese);
    QLocale::setDefault(QLocale(QLocale::Japanese));
    EXPECT_EQ(chooseLanguage({}), Language::japanese);
    QLocale::setDefault(locale);
    // Japanese for ja and for the C locale; English for every other language (German too).
    EXPECT_EQ(languageOfLocale(QLocale(QLocale::German).uiLanguages()), Language::english);
    EXPECT_EQ(languageOfLocale(QLocale(QLocale::English).uiLanguages()), Language::english);
    EXPECT_EQ(languageOfLocale(QLocale(QLocale::Japanese).uiLanguages()), Language::japanese);
    EXPECT_EQ(languageOfLocale(QLocale::c().uiLanguages()), Language::japanese);
    {
        useJapanese(false);
        EXPECT_TRUE(installLanguage(Language::english).empty()) << "the texts of the code";
        EXPECT_EQ(menuTexts(), (QStringList{QStringLiteral("&File"), QStringLiteral("Year/Mo&nth"),
                                            QStringLiteral("&Display Mode"),
                                            QStringLiteral("Search &Mode"), QStringLiteral("&Go"),
                                            QStringLiteral("&View"), QStringLiteral("&Help")}));
        EXPECT_EQ(translated(messageNotCentral),
                  "The place lies outside the central path. Choose a place inside it.");
        EXPECT_EQ(fieldErrorText({messageIntegerBetween, "1", "12"}),
                  QStringLiteral("Enter a whole number from 1 to 12."));
        // the search dialog's types and observing places in English
        ViewSettings view;
        view.englishNames = true;
        CityTable cities;
        cities.rows = {{"東京", 139.767, 35.683, 40, 0, "Tokyo"}};
        const SearchDialogFixture search(view, cities);
        EXPECT_EQ(part<QComboBox>(search.dialog, "typeList")->currentText(),
                  QStringLiteral("Total"));
        EXPECT_EQ(part<QComboBox>(search.dialog, "cityList")->itemText(0), QStringLiteral("Tokyo"));
        useJapanese(true);
    }
    // the Japanese texts, the half-width katakana of the old menus now full-width
    const QStringList japanese = menuTexts();
    EXPECT_EQ(japanese, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("年月設定(&N)"),
                                     QStringLiteral("表示モード(&D)"),
                                     QStringLiteral("検索モード(&M)"), QStringLiteral("移動(&G)"),
                                     QStringLiteral("表示(&V)"), QStringLiteral("ヘルプ(&H)")}));
    EXPECT_EQ(translated(messageNotCentral),
              "観測地が中心帯の外にあります。中心帯の中の観測地を選んで下さい。");
}

TEST(Dialogs, YearMonthChecksMonthFirstAndStoresNothingUntilValid) {
    Messages messages;
    YearMonthDialog dialog(nullptr, {2024, 4}, messages.reporter());
    part<QLineEdit>(dialog, "monthEdit")->setText("13");
    part<QLineEdit>(dialog, "yearEdit")->setText("abc");
    dialog.accept();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], QString("月：1 から 12 までの整数を入力してください。"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.fields().month, 4);
    part<QLineEdit>(dialog, "monthEdit")->setText("9");
    dialog.accept();
    EXPECT_EQ(messages.shown.back(), QString("年：整数を入力してください。"));
    EXPECT_EQ(dialog.fields().month, 4) << "nothing stored while a field is bad";
    part<QLineEdit>(dialog, "yearEdit")->setText("-13001");
    dialog.accept();
    EXPECT_EQ(messages.shown.back(),
              QString("年：-13000 から 16999 までの整数を入力してください。"));
    // A pasted number of 32,767 digits is refused like any other number out of range.
    part<QLineEdit>(dialog, "yearEdit")->setText(QString(32767, QChar('9')));
    dialog.accept();
    EXPECT_EQ(messages.shown.back(),
              QString("年：-13000 から 16999 までの整数を入力してください。"));
    for (const char* bad : {"+", "-", "1-2", "١٢"}) {
        part<QLineEdit>(dialog, "yearEdit")->setText(QString::fromUtf8(bad));
        dialog.accept();
        EXPECT_EQ(messages.shown.back(), QString("年：整数を入力してください。")) << bad;
    }
    part<QLineEdit>(dialog, "yearEdit")->setText(" 2035 ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fields().year, 2035);
    EXPECT_EQ(dialog.fields().month, 9);
}

TEST(Dialogs, DisplayDialogStoresTypedMapValuesOnlyForTypedRange) {
    Messages messages;
    CityTable cities;
    cities.rows = {{"A", 10, 20, 30, 0, ""}, {"B", 40, 50, 60, 0, ""}};
    ViewSettings view;
    DialogChoices choices;
    DisplayDialog dialog(nullptr, loadDisplay(view, {}, 139.7), cities, messages.reporter());
    EXPECT_EQ(part<QLineEdit>(dialog, "tableLonEdit")->text(), QString("45"))
        << "trunc(139.7 / 15) * 15 - 90";
    EXPECT_EQ(part<QLineEdit>(dialog, "drawStepEdit")->text(), QString("0.1"));
    part<QLineEdit>(dialog, "drawStepEdit")->setText("0");
    dialog.accept();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              QString("描画速度：0.001 から 100 までの数字を入力してください。"));
    EXPECT_TRUE(part<QLineEdit>(dialog, "drawStepEdit")->hasFocus() || !dialog.isVisible());
    part<QLineEdit>(dialog, "drawStepEdit")->setText("0.5");
    part<QButtonGroup>(dialog, "rangeGroup")->button(3)->setChecked(true);
    part<QLineEdit>(dialog, "magnificationEdit")->setText("2");
    part<QLineEdit>(dialog, "centreLonEdit")->setText("139.7");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    storeDisplay(view, choices, dialog.fields(), cities);
    EXPECT_EQ(view.mapRange, MapRange::centred);
    EXPECT_EQ(view.magnification, 2);
    EXPECT_NEAR(view.centreLon, 139.7, 1e-9);
    EXPECT_NEAR(view.drawStepHours, 0.5 / 60, 1e-12);
    // A city chosen in the list is the observer's once the dialog is accepted, and not before.
    part<QComboBox>(dialog, "cityList")->setCurrentIndex(1);
    EXPECT_EQ(dialog.fields().cityIndex, 1);
    dialog.accept();
    EXPECT_EQ(dialog.fields().cityIndex, 2);
}

TEST(Dialogs, SearchDialogTypeListAndSarosStartYear) {
    ViewSettings year3000;
    year3000.year = 3000;
    SearchDialogFixture search(year3000);
    SearchDialog& dialog = search.dialog;
    EXPECT_EQ(part<QComboBox>(dialog, "typeList")->currentIndex(), 1);
    part<QComboBox>(dialog, "typeList")->setCurrentIndex(3);
    part<QLineEdit>(dialog, "sarosEdit")->setText("401");
    dialog.accept();
    EXPECT_EQ(search.messages.shown.back(),
              QString("-400 から 400 までの整数を入力してください。"));
    part<QLineEdit>(dialog, "sarosEdit")->setText("145");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    storeMode(search.view, search.choices, dialog.fields(), search.cities);
    EXPECT_EQ(search.view.year, 1638) << "145 began in 1639; 3000 is over 1262.1 years later";
    EXPECT_EQ(search.choices.searchType, 4) << "the type chosen, remembered for the next time";
}

// The start year and month chosen from the search dialog count once the dialog is accepted: a
// cancelled dialog leaves the view's month as it was.
TEST(Dialogs, SearchDialogStartMonthOnlyWhenAccepted) {
    for (const bool accepted : {false, true}) {
        SearchDialogFixture search;
        search.view.year = 2024;
        QTimer::singleShot(0, [] {
            auto* when = dynamic_cast<YearMonthDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(when, nullptr);
            part<QLineEdit>(*when, "yearEdit")->setText("763 BC");
            part<QLineEdit>(*when, "monthEdit")->setText("6");
            when->accept();
            if (when->isVisible()) {
                ADD_FAILURE() << "the year and month were refused";
                when->reject();
            }
        });
        QPushButton* start = nullptr;
        for (QPushButton* button : search.dialog.findChildren<QPushButton*>())
            if (!button->autoDefault())
                start = button;
        ASSERT_NE(start, nullptr);
        start->click();
        if (accepted) {
            search.dialog.accept();
            storeMode(search.view, search.choices, search.dialog.fields(), search.cities);
        }
        EXPECT_EQ(search.view.year, accepted ? -762 : 2024);
    }
}

TEST(Window, MenusToolbarAndTheFirstPicture) {
    Window w;
    EXPECT_EQ(w.frame.windowTitle(), QStringLiteral("vesk — 2024-04-08 皆既日蝕"));
    // the File menu's export, printing and quit, with their keys; no status panes of old keys
    QStringList fileKeys;
    for (const QAction* entry : w.frame.menuBar()->actions().front()->menu()->actions())
        fileKeys << entry->shortcut().toString();
    for (const char* key : {"Ctrl+N", "Ctrl+S", "Ctrl+P", "Ctrl+Q"})
        EXPECT_TRUE(fileKeys.contains(QString::fromUtf8(key))) << key;
    for (const QLabel* pane : w.frame.statusBar()->findChildren<QLabel*>())
        EXPECT_NE(pane->text(), QStringLiteral("CAP"));
    // the 14 commands, then a separator and the place field
    EXPECT_EQ(w.frame.toolBar()->actions().size(), 16);
    const QImage& picture = w.view->picture();
    ASSERT_FALSE(picture.isNull());
    int lit = 0;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            lit += picture.pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_GT(lit, 2000);
    EXPECT_EQ(w.v().year, 2024);
    EXPECT_EQ(w.v().month, 4);
}

TEST(Window, ToolbarCommands) {
    Window w;
    w.view->nextEclipse();
    w.view->repaintNow();
    EXPECT_EQ(w.v().month, 10) << "2024 October 2";
    w.view->previousEclipse();
    w.view->repaintNow();
    EXPECT_EQ(w.v().month, 4);
    w.view->zoomIn(); // whole globe: the next map is at its base size again
    w.view->repaintNow();
    EXPECT_EQ(w.projection().mapRadius, w.layout().baseRadius);
    w.view->localInfo();
    w.view->repaintNow();
    EXPECT_EQ(w.v().displayMode, displayLocal);
    const double scale = w.v().magnification;
    w.view->zoomIn();
    EXPECT_EQ(w.v().magnification, scale) << "no zoom outside the map";
    w.view->backToMap();
    w.view->repaintNow();
    EXPECT_EQ(w.v().displayMode, displayPathMap);
}

TEST(Window, MouseGesturesOnTheMap) {
    Window w;
    const ViewSettings& v = w.v();
    const QPoint centre(w.layout().mapCentreX, w.layout().mapCentreY);
    const QImage before = w.view->picture().copy();
    QTest::mouseClick(w.view, Qt::LeftButton, {}, centre);
    EXPECT_NE(w.view->picture().copy(w.layout().mapRight - 85, 15, 80, 30),
              before.copy(w.layout().mapRight - 85, 15, 80, 30))
        << "the coordinate read-out";
    QTest::mouseDClick(w.view, Qt::LeftButton, {}, centre + QPoint(40, 0));
    EXPECT_EQ(v.mapRange, MapRange::centred);
    EXPECT_LT(v.centreLon, -90) << "east of greatest eclipse (104 W)";
    w.view->repaintNow();
    w.view->zoomIn();
    w.view->repaintNow();
    EXPECT_NEAR(w.projection().mapRadius, 2 * w.layout().baseRadius, 1);
    QTest::mouseDClick(w.view, Qt::RightButton, {},
                       QPoint(w.layout().mapCentreX, w.layout().mapCentreY));
    EXPECT_EQ(v.displayMode, displayLocal);
    EXPECT_FALSE(v.observerCityIndex) << "a typed place";
    EXPECT_NEAR(v.observerLon, v.centreLon, 0.1);
    // Outside the disc nothing happens.
    w.view->unzoom();
    w.view->repaintNow();
    QTest::mouseDClick(w.view, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(v.mapRange, MapRange::globe);
}

namespace {

// Sends one notch (or part of one) of the mouse wheel at a view pixel.
void turnWheel(QWidget* view, QPoint at, int angle) {
    QWheelEvent wheel(QPointF(at), QPointF(view->mapToGlobal(at)), {}, QPoint(0, angle),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
}

} // namespace

TEST(Window, WheelZoomsAboutThePointer) {
    Window w;
    ViewSettings& v = w.v();
    const QImage before = w.view->picture().copy();
    // From the whole globe the first notch enters the regional range about the pointer.
    const QPoint pointer(w.layout().mapCentreX + 60, w.layout().mapCentreY - 40);
    const auto under = w.view->shownProjector().toGeo(pointer.x(), pointer.y());
    ASSERT_TRUE(under);
    turnWheel(w.view, pointer, 120);
    w.view->repaintNow();
    EXPECT_EQ(v.mapRange, MapRange::centred);
    EXPECT_NEAR(w.projection().mapRadius, 2 * w.layout().baseRadius, 2);
    EXPECT_NE(w.view->picture(), before);
    // In the regional range the point under the pointer stays under it.
    const QPoint at(w.layout().mapCentreX - 120, w.layout().mapCentreY + 80);
    const auto place = w.view->shownProjector().toGeo(at.x(), at.y());
    ASSERT_TRUE(place);
    turnWheel(w.view, at, 120);
    w.view->repaintNow();
    EXPECT_NEAR(w.projection().mapRadius, 4 * w.layout().baseRadius, 2);
    const auto after = w.view->shownProjector().toGeo(at.x(), at.y());
    ASSERT_TRUE(after);
    EXPECT_NEAR(after->lon, place->lon, 0.3);
    EXPECT_NEAR(after->lat, place->lat, 0.3);
    turnWheel(w.view, at, -120);
    w.view->repaintNow();
    EXPECT_NEAR(w.projection().mapRadius, 2 * w.layout().baseRadius, 2) << "a notch back halves";
}

// On the globe too, at every magnification, the point under the pointer stays under it, in
// and out, to a pixel; with the pointer out near the rim, zooming out keeps the centre.
TEST(Window, WheelKeepsThePointUnderThePointerOnTheGlobe) {
    Window w;
    const auto pixelsApart = [&](GeoPoint a, GeoPoint b) {
        const double east = std::remainder(a.lon - b.lon, 360) * std::cos(a.lat * degToRad);
        return std::hypot(east, a.lat - b.lat) * degToRad * w.projection().mapRadius;
    };
    const std::vector<std::pair<QPoint, int>> turns = {
        {{-100, -150}, 120}, {{200, -60}, 120},  {{-180, 120}, 120}, {{40, 200}, 120},
        {{-200, -100}, 120}, {{150, 150}, -120}, {{-60, 90}, -120},  {{120, -160}, 120}};
    for (const auto& [offset, angle] : turns) {
        const QPoint at(w.layout().mapCentreX + offset.x(), w.layout().mapCentreY + offset.y());
        const auto before = w.view->shownProjector().toGeo(at.x(), at.y());
        ASSERT_TRUE(before) << offset.x() << "," << offset.y();
        const double radius = w.projection().mapRadius;
        turnWheel(w.view, at, angle);
        w.view->repaintNow();
        ASSERT_NE(w.projection().mapRadius, radius);
        const auto after = w.view->shownProjector().toGeo(at.x(), at.y());
        ASSERT_TRUE(after);
        EXPECT_LT(pixelsApart(*before, *after), 1.5)
            << "at " << offset.x() << "," << offset.y() << " radius " << radius;
    }
    // zooming out with the pointer out near the rim, where no centre keeps the point on the
    // smaller globe: the centre stays
    w.view->unzoom();
    w.view->repaintNow();
    const double lon = mapCentreLon(w.projection()), lat = mapCentreLat(w.projection());
    const QPoint rim(w.layout().mapCentreX + static_cast<int>(0.95 * w.projection().mapRadius),
                     w.layout().mapCentreY);
    ASSERT_TRUE(w.view->shownProjector().toGeo(rim.x(), rim.y()));
    turnWheel(w.view, rim, -120);
    w.view->repaintNow();
    EXPECT_LT(w.projection().mapRadius, w.layout().baseRadius);
    EXPECT_NEAR(mapCentreLon(w.projection()), lon, 1e-6);
    EXPECT_NEAR(mapCentreLat(w.projection()), lat, 1e-6);
}

TEST(Window, DragMovesTheMapAndAClickStillReadsOff) {
    Window w;
    ViewSettings& v = w.v();
    const QPoint centre(w.layout().mapCentreX, w.layout().mapCentreY);
    const QPoint start = centre + QPoint(-50, 40);
    const auto grabbed = w.view->shownProjector().toGeo(start.x(), start.y());
    ASSERT_TRUE(grabbed);
    const QImage before = w.view->picture().copy();
    QTest::mousePress(w.view, Qt::LeftButton, {}, start);
    QTest::mouseMove(w.view, start + QPoint(20, -15));
    QTest::mouseMove(w.view, centre);
    QTest::mouseRelease(w.view, Qt::LeftButton, {}, centre);
    w.view->repaintNow();
    EXPECT_EQ(v.mapRange, MapRange::centred) << "the drag enters the regional range";
    EXPECT_NE(w.view->picture(), before);
    // The grabbed point now lies at the map's centre.
    EXPECT_NEAR(v.centreLon, grabbed->lon, 0.01);
    EXPECT_NEAR(v.centreLat, grabbed->lat, 0.01);
    // A click without a move is no drag: the map stays, the read-out appears.
    const double lon = v.centreLon;
    QTest::mouseClick(w.view, Qt::LeftButton, {},
                      QPoint(w.layout().mapCentreX, w.layout().mapCentreY));
    EXPECT_EQ(v.centreLon, lon);
    // On Mercator the map shifts east or west.
    v.projection = Projection::mercator;
    v.mapRange = MapRange::globe;
    w.view->invalidate();
    w.view->repaintNow();
    const double mercatorCentre = mapCentreLon(w.projection());
    QTest::mousePress(w.view, Qt::LeftButton, {}, QPoint(600, 300));
    QTest::mouseMove(w.view, QPoint(700, 300));
    QTest::mouseRelease(w.view, Qt::LeftButton, {}, QPoint(700, 300));
    w.view->repaintNow();
    EXPECT_NEAR(foldedLongitude(mercatorCentre - mapCentreLon(w.projection())),
                100 / w.projection().mapRadius * radToDeg, 0.5);
}

TEST(Window, KeysStepZoomPanAndRedraw) {
    Window w;
    ViewSettings& v = w.v();
    const auto press = [&](int key) {
        QTest::keyClick(&w.frame, static_cast<Qt::Key>(key));
        w.view->repaintNow();
    };
    const double jd = w.shownRecord().jd;
    press(Qt::Key_PageDown);
    EXPECT_GT(w.shownRecord().jd, jd + 100) << "the next eclipse";
    press(Qt::Key_PageUp);
    EXPECT_NEAR(w.shownRecord().jd, jd, 1e-6) << "and back";
    press(Qt::Key_Plus);
    EXPECT_EQ(v.mapRange, MapRange::centred);
    EXPECT_NEAR(w.projection().mapRadius, 2 * w.layout().baseRadius, 2);
    press(Qt::Key_Minus);
    EXPECT_NEAR(w.projection().mapRadius, w.layout().baseRadius, 2);
    const double lon = v.centreLon, lat = v.centreLat;
    press(Qt::Key_Left);
    EXPECT_LT(foldedLongitude(v.centreLon - lon), 0) << "west";
    press(Qt::Key_Up);
    EXPECT_GT(v.centreLat, lat) << "north";
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    EXPECT_NEAR(v.centreLon, lon, 2) << "back near the start";
    EXPECT_NEAR(v.centreLat, lat, 2);
    const QImage moved = w.view->picture().copy();
    press(Qt::Key_Home);
    EXPECT_EQ(v.mapRange, MapRange::globe);
    EXPECT_NE(w.view->picture(), moved);
    // F5 draws the picture again: the click's read-out goes.
    const QImage clean = w.view->picture().copy();
    QTest::mouseClick(w.view, Qt::LeftButton, {},
                      QPoint(w.layout().mapCentreX, w.layout().mapCentreY));
    EXPECT_NE(w.view->picture(), clean);
    press(Qt::Key_F5);
    EXPECT_EQ(w.view->picture(), clean);
    // Every key is a menu entry that shows its shortcut.
    QStringList shortcuts;
    for (const QAction* menu : w.frame.menuBar()->actions())
        if (menu->text() == QStringLiteral("移動(&G)"))
            for (const QAction* entry : menu->menu()->actions())
                shortcuts << entry->shortcut().toString();
    for (const char* key :
         {"PgUp", "PgDown", "+", "-", "Home", "Left", "Right", "Up", "Down", "F5"})
        EXPECT_TRUE(shortcuts.contains(QString::fromUtf8(key))) << key;
}

// At twice the text size the local report is wider and taller than the window: the view grows
// to hold its texts and the window scrolls; back at the normal size it fits the window again.
TEST(Window, LargeTextScrollsInsteadOfBeingCutOff) {
    Window w;
    w.v().observerLon = -96.8;
    w.v().observerLat = 32.8;
    w.v().observerCityIndex = std::nullopt;
    w.v().displayMode = displayLocal;
    w.view->invalidate();
    w.view->repaintNow();
    const QSize normal = w.view->size();
    EXPECT_EQ(w.view->minimumSize(), QSize(0, 0));
    EXPECT_GT(w.view->textBounds().bottom(), 300) << "the report's texts";
    w.view->setTextScale(2);
    for (int i = 0; i < 3; ++i) { // the repaint, the growth and the repaint at the new size
        w.finishWork();
        w.view->repaintNow();
    }
    EXPECT_GT(w.view->height(), normal.height())
        << "taller than the window's room " << w.view->minimumSize().height() << " "
        << w.view->textBounds().bottom() << " " << w.view->parentWidget()->height();
    const QRect texts = w.view->textBounds();
    EXPECT_TRUE(QRect(QPoint(0, 0), w.view->size()).contains(texts))
        << texts.bottom() << " " << w.view->height();
    w.view->setTextScale(1);
    for (int i = 0; i < 3; ++i) {
        w.finishWork();
        w.view->repaintNow();
    }
    EXPECT_EQ(w.view->minimumSize(), QSize(0, 0));
    EXPECT_EQ(w.view->size(), normal);
}

// A window narrower or lower than its text panel, down to 1 x 1 pixel, draws what fits with a map
// of positive radius on every projection (a negative radius grew the memory to 12 GB).
TEST(Window, NarrowAndTinyWindowsDrawWhatFits) {
    Window w;
    for (const QSize size : {QSize(180, 600), QSize(1, 1), QSize(600, 30)})
        for (const Projection projection : {Projection::globe, Projection::mercator})
            for (const MapRange range : {MapRange::globe, MapRange::asia}) {
                w.v().projection = projection;
                w.v().mapRange = range;
                w.frame.resize(size);
                QApplication::processEvents();
                w.view->invalidate();
                w.view->repaintNow();
                const MapLayout& layout = w.layout();
                EXPECT_GE(layout.baseRadius, 1) << size.width() << "x" << size.height();
                EXPECT_GE(layout.mapRadius, layout.baseRadius);
                EXPECT_GT(layout.mapRight, layout.mapLeft);
                EXPECT_GT(layout.mapBottom, layout.mapTop);
            }
    w.frame.resize(1000, 760);
    QApplication::processEvents();
    w.view->repaintNow();
    EXPECT_EQ(w.layout().baseRadius,
              layoutView(w.v(), w.view->width(), w.view->height()).baseRadius);
}

TEST(Window, TextSizeWidensThePanel) {
    Window w;
    const auto frameColumn = [&] {
        const QImage& picture = w.view->picture();
        for (int x = picture.width() / 2; x > 0; --x)
            if (picture.pixel(x, 200) == qRgb(palette[brown].r, palette[brown].g, palette[brown].b))
                return x;
        return -1;
    };
    EXPECT_EQ(frameColumn(), 219);
    QAction* size150 = nullptr;
    for (QAction* menu : w.frame.menuBar()->actions())
        if (menu->text() == QStringLiteral("表示(&V)"))
            for (QAction* entry : menu->menu()->actions())
                if (entry->menu() != nullptr)
                    for (QAction* size : entry->menu()->actions())
                        if (size->text() == QStringLiteral("150 %"))
                            size150 = size;
    ASSERT_NE(size150, nullptr);
    size150->trigger();
    w.view->repaintNow();
    EXPECT_EQ(w.v().textScale, 1.5);
    EXPECT_EQ(frameColumn(), 329) << "the panel's frame at 1.5 times its place";
    EXPECT_EQ(w.layout().mapCentreX, (w.view->width() - 330) / 2 + 330);
}

TEST(Window, ToolbarTakesTheDesktopsIconTheme) {
    ScratchDir themes;
    std::filesystem::create_directories(themes.path() / "plain" / "16x16" / "actions");
    themes.write("plain/index.theme", "[Icon Theme]\nName=Plain\nDirectories=16x16/actions\n\n"
                                      "[16x16/actions]\nSize=16\nType=Fixed\n");
    QImage arrow(16, 16, QImage::Format_ARGB32);
    arrow.fill(Qt::blue);
    ASSERT_TRUE(arrow.save(QString::fromStdString(
        (themes.path() / "plain" / "16x16" / "actions" / "go-next.png").string())));
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString(themes.path().string())});
    QIcon::setThemeName(QStringLiteral("plain"));
    {
        Window w;
        const auto icon = [&](const QString& prompt) {
            for (const QAction* a : w.frame.findChild<QToolBar*>()->actions())
                if (a->statusTip() == prompt)
                    return a->icon();
            return QIcon();
        };
        EXPECT_EQ(icon(QStringLiteral("次の日蝕を表示")).name(), QStringLiteral("go-next"));
        EXPECT_TRUE(icon(QStringLiteral("前の日蝕を表示")).name().isEmpty())
            << "not in the theme: the program's own drawing";
        EXPECT_FALSE(icon(QStringLiteral("前の日蝕を表示")).isNull());
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
}

namespace {

// What the view prints, as an SVG document's text.
QString printedSvg(MapView* view) {
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&document);
    svg.setSize(view->size());
    view->printOn(svg);
    return QString::fromUtf8(document.data());
}

} // namespace

TEST(Window, PrintingDrawsTheScreenAsVectors) {
    Window w;
    const QPoint centre(w.layout().mapCentreX, w.layout().mapCentreY);
    QTest::mouseClick(w.view, Qt::LeftButton, {}, centre); // a read-out over the picture
    const ViewSettings before = w.v();
    const QString text = printedSvg(w.view);
    EXPECT_TRUE(text.contains(QStringLiteral(">CANON OF SOLAR ECLIPSE</text>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<path"))) << "curves as paths";
    EXPECT_TRUE(text.contains(QStringLiteral("<image"))) << "the relief as an image";
    EXPECT_FALSE(text.contains(QStringLiteral(">Lon:"))) << "no read-out";
    EXPECT_EQ(w.v().year, before.year);
    EXPECT_EQ(w.v().kmlOutput, before.kmlOutput);

    // The sky at the maximum, drawn over the picture, is printed as it is shown.
    w.v().observerLon = -104.14;
    w.v().observerLat = 25.29;
    w.view->invalidate();
    w.view->totalitySky();
    EXPECT_TRUE(printedSvg(w.view).contains(QStringLiteral("Sky at Max. Magnitude")));
}

// A printed page: the title line names the eclipse (and the place of a place's screen), the
// screen fitted under it; ink saving prints the black sky white.
TEST(Window, PrintedPageHasATitleAndCanSaveInk) {
    Window w;
    EXPECT_EQ(w.view->pageTitle(), QStringLiteral("2024-04-08 皆既日蝕"));
    const auto page = [&](bool inkSaving) {
        QImage paper(1400, 1100, QImage::Format_RGB32);
        paper.fill(Qt::white);
        w.view->printOn(paper, {w.view->pageTitle(), inkSaving});
        return paper;
    };
    const auto share = [](const QImage& image, QRgb colour) {
        int count = 0, all = 0;
        for (int y = 60; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7, ++all)
                count += image.pixel(x, y) == colour;
        return double(count) / all;
    };
    const QImage dark = page(false), light = page(true);
    EXPECT_GT(share(dark, qRgb(0, 0, 0)), 0.3) << "the black sky";
    EXPECT_GT(share(light, qRgb(255, 255, 255)), 0.3);
    EXPECT_LT(share(light, qRgb(0, 0, 0)), 0.05);
    // the title's dark pixels above the screen
    int titleInk = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 400; ++x)
            titleInk += qGray(dark.pixel(x, y)) < 128;
    EXPECT_GT(titleInk, 100);
    w.v().observerLon = -104.14;
    w.v().observerLat = 25.29;
    w.v().displayMode = displayLocal;
    w.view->invalidate();
    w.view->repaintNow();
    EXPECT_TRUE(w.view->pageTitle().startsWith(QStringLiteral("2024-04-08 皆既日蝕 — ")))
        << w.view->pageTitle().toStdString();
}

// Ctrl+S saves the screen shown as PNG, SVG or PDF by the name (or the chosen kind): an
// existing file is replaced by the whole picture, never emptied, and a name of another kind
// writes nothing.
TEST(Window, SaveWritesTheScreenByItsKind) {
    Window w;
    ScratchDir dir;
    const std::filesystem::path earlier = dir.write("map.png", "an earlier file");
    EXPECT_TRUE(w.frame.saveScreen(QString::fromStdString(earlier.string())).isEmpty());
    const QImage png(QString::fromStdString(earlier.string()));
    EXPECT_EQ(png.size(), w.view->size());
    EXPECT_EQ(png.pixel(w.layout().mapCentreX, w.layout().mapCentreY),
              w.view->picture().pixel(w.layout().mapCentreX, w.layout().mapCentreY));
    const QString svg = QString::fromStdString((dir.path() / "map").string());
    EXPECT_TRUE(w.frame.saveScreen(svg, QStringLiteral("SVG (*.svg)")).isEmpty());
    EXPECT_NE(readFile(dir.path() / "map.svg").find("CANON OF SOLAR ECLIPSE"), std::string::npos);
    EXPECT_TRUE(
        w.frame.saveScreen(QString::fromStdString((dir.path() / "map.PDF").string())).isEmpty());
    EXPECT_EQ(readFile(dir.path() / "map.PDF").rfind("%PDF", 0), 0u);
    const std::filesystem::path text = dir.write("notes.txt", "kept");
    const QString refusal = w.frame.saveScreen(QString::fromStdString(text.string()));
    EXPECT_TRUE(refusal.contains(".png") && refusal.contains(QStringLiteral("書き込めません")))
        << refusal.toStdString();
    EXPECT_EQ(readFile(text), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              4);
}

// File > Save Report writes the page to cite of the eclipse shown at the observer's place, the
// screen's settings unchanged; another kind of name writes nothing.
TEST(Window, SaveReportWritesThePageOfTheShownEclipseAtThePlace) {
    Window w;
    ScratchDir dir;
    w.v().year = -762;
    w.v().month = 6;
    w.v().observerLon = 43.153;
    w.v().observerLat = 36.359;
    w.view->invalidate();
    w.view->repaintNow();
    const ViewSettings before = w.view->shownFrame().settings;
    EXPECT_TRUE(w.view->saveReport(dir.path() / "report.pdf").isEmpty());
    const CommandResult text =
        runProgram("/usr/bin/pdftotext", {"-layout", "report.pdf", "-"}, dir.path());
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("763 BC"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("36.3590° N, 43.1530° E"), std::string::npos) << text.out;
    EXPECT_EQ(w.view->shownFrame().settings.displayMode, before.displayMode);
    EXPECT_FALSE(w.view->saveReport(dir.path() / "report.png").isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "report.png"));
}

// Saving proposes a name of the eclipse shown (and of the place for a report); File > Export
// GeoJSON writes the same document as render --geojson.
TEST(Window, SavingProposesNamesAndExportsGeoJson) {
    Window w;
    ScratchDir dir;
    w.v().year = 2024;
    w.v().month = 4;
    w.v().observerLon = w.v().observerPlace.lon = -96.807;
    w.v().observerLat = w.v().observerPlace.lat = 32.783;
    w.v().observerPlace.name = "Dallas (Texas, United States)";
    w.v().observerPlace.zone = "America/Chicago";
    w.v().observerPlace.zoneSource = ZoneSource::gazetteer;
    w.view->invalidate();
    w.view->repaintNow();
    EXPECT_EQ(w.view->proposedFileName(MapView::SavedFile::picture), "eclipse-2024-04-08");
    EXPECT_EQ(w.view->proposedFileName(MapView::SavedFile::report), "eclipse-2024-04-08-Dallas");
    EXPECT_TRUE(w.view->exportGeoJson(dir.path()).isEmpty());
    const QJsonObject document = parsedJson(readFile(dir.path() / "202404.geojson")).object();
    EXPECT_EQ(document["name"].toString(), "solar eclipse 2024-04-08");
    EXPECT_GT(document["features"].toArray().size(), 10);
}

// With KML output on, the status bar says where the documents went, or why they could not be
// written (here a folder stands where a document goes), as the command line does.
TEST(Window, KmlOutputIsReportedInTheStatusBar) {
    ScratchDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    {
        Window w;
        w.v().kmlOutput = true;
        w.view->invalidate();
        w.view->repaintNow();
        const std::string written = w.view->repaintNotes().toStdString();
        EXPECT_NE(written.find("KML を書きました: " +
                               (std::filesystem::current_path() / "202404_earth.kml").string()),
                  std::string::npos)
            << written;
        EXPECT_EQ(w.frame.statusBar()->currentMessage(), w.view->repaintNotes());
        std::filesystem::remove(dir.path() / "202404_earth.kml");
        std::filesystem::create_directory(dir.path() / "202404_earth.kml");
        w.view->invalidate();
        w.view->repaintNow();
        EXPECT_TRUE(w.view->repaintNotes().contains(QStringLiteral("202404_earth.kml")));
        EXPECT_TRUE(w.view->repaintNotes().contains(QStringLiteral("folder")))
            << w.view->repaintNotes().toStdString();
    }
    std::filesystem::current_path(previous);
}

namespace {

// A label or an explanation without its shortcut mark, ellipsis, colon, bracketed range and case:
// what is left when the explanation says no more than the label.
QString bareText(QString text) {
    text.remove(QRegularExpression(
        QStringLiteral("\\(&.\\)|&|\\.\\.\\.|…|（[^）]*）|\\([^)]*\\)|[:：。.\\s]")));
    return text.toCaseFolded();
}

// The controls of a widget without an explanation, whose explanation repeats its label, or (in
// Japanese) whose explanation is not translated: one line each, naming the control by its label,
// its explanation or its class.
std::vector<std::string> unexplained(const QWidget& owner, bool japanese) {
    std::vector<std::string> found;
    // a Japanese explanation is written in Japanese: not in Latin letters alone
    const QRegularExpression japaneseText(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]"));
    const auto check = [&](const QString& label, const QString& richTip, const QString& whatsThis,
                           const char* kind) {
        // rich text, which Qt wraps (a long plain one runs off the screen)
        const QString tip = Qt::mightBeRichText(richTip)
                                ? QTextDocumentFragment::fromHtml(richTip).toPlainText()
                                : QString();
        if (tip.isEmpty() || whatsThis.isEmpty() || bareText(tip) == bareText(label) ||
            bareText(tip).size() <= bareText(label).size() ||
            (japanese && !tip.contains(japaneseText)))
            found.push_back(std::string(kind) + " '" + label.toStdString() + "': '" +
                            tip.toStdString() + "'");
    };
    // the actions a user meets: the menus' (and their menus'), the toolbar's, the window's keys
    std::vector<const QAction*> actions;
    std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& list) {
        for (const QAction* a : list) {
            // a menu's own entry opens it; a toolbar's field is checked as a field
            if (a->menu() != nullptr)
                collect(a->menu()->actions());
            else if (!a->isSeparator() && qobject_cast<const QWidgetAction*>(a) == nullptr &&
                     std::find(actions.begin(), actions.end(), a) == actions.end())
                actions.push_back(a);
        }
    };
    if (const auto* window = qobject_cast<const QMainWindow*>(&owner)) {
        collect(window->menuBar()->actions());
        for (const QToolBar* bar : window->findChildren<QToolBar*>())
            collect(bar->actions());
    }
    collect(owner.actions());
    for (const QAction* a : actions)
        check(a->text(),
              a->toolTip() == QString(a->text()).remove(QLatin1Char('&')) ? QString()
                                                                          : a->toolTip(),
              a->whatsThis(), "action");
    // the fields: text, lists, choices, sliders and the dialogs' own buttons
    for (const QWidget* w : owner.findChildren<QWidget*>()) {
        QString label;
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (!qobject_cast<const QCheckBox*>(w) && !qobject_cast<const QRadioButton*>(w) &&
                !qobject_cast<const QPushButton*>(w))
                continue; // a button of Qt's own (a dock's, a line edit's)
            label = button->text();
        } else if (!qobject_cast<const QLineEdit*>(w) && !qobject_cast<const QComboBox*>(w) &&
                   !qobject_cast<const QSlider*>(w) && !qobject_cast<const QTreeWidget*>(w)) {
            continue;
        }
        if (qobject_cast<const QLineEdit*>(w) && qobject_cast<const QComboBox*>(w->parent()))
            continue; // the line of an editable list is the list's
        // the buttons that close a dialog say what they do
        if (qobject_cast<const QDialogButtonBox*>(w->parent()) || label == QStringLiteral("OK") ||
            label == EclipseListDialog::tr("Close") || label == EclipseListDialog::tr("Cancel"))
            continue;
        if (const QString name = w->accessibleName(); !name.isEmpty())
            label = name;
        check(label, w->toolTip(), w->whatsThis(), w->metaObject()->className());
    }
    return found;
}

} // namespace

// Every action of the window (menus, toolbar, keys) and every field of its dialogs, the eclipse
// list and the time slider says more than its label, as a tooltip and by What's This, in
// English and in Japanese.
TEST(Window, EveryControlExplainsItself) {
    for (const bool japanese : {false, true}) {
        useJapanese(japanese);
        Window w;
        w.view->eclipseList();
        ASSERT_NE(w.view->listDialog(), nullptr);
        std::vector<std::string> missing = unexplained(w.frame, japanese);
        for (const QWidget* dialog : {static_cast<const QWidget*>(w.view->listDialog())}) {
            const std::vector<std::string> more = unexplained(*dialog, japanese);
            missing.insert(missing.end(), more.begin(), more.end());
        }
        YearMonthDialog when(nullptr, loadWhen(w.v()), w.messages.reporter());
        CityTable cities;
        DisplayDialog display(nullptr, loadDisplay(w.v(), {}, 0), cities, w.messages.reporter(),
                              &w.state);
        DialogChoices choices;
        SearchDialog search(nullptr, loadMode(w.v(), choices, 145), cities, w.v(),
                            w.messages.reporter());
        for (const QWidget* dialog :
             {static_cast<const QWidget*>(&when), static_cast<const QWidget*>(&display),
              static_cast<const QWidget*>(&search)}) {
            const std::vector<std::string> more = unexplained(*dialog, japanese);
            missing.insert(missing.end(), more.begin(), more.end());
        }
        EXPECT_TRUE(missing.empty()) << (japanese ? "Japanese: " : "English: ") << [&] {
            std::string all;
            for (const std::string& line : missing)
                all += "\n  " + line;
            return all;
        }();
        EXPECT_GT(w.frame.findChildren<QAction*>().size(), 40);
    }
    useJapanese(true);
}

TEST(Window, EclipseListShowsAHit) {
    Window w;
    w.view->eclipseList();
    EclipseListDialog* list = w.view->listDialog();
    ASSERT_NE(list, nullptr);
    list->startEdit->setText("2030");
    list->periodEdit->setText("5");
    list->search();
    w.finishWork();
    EXPECT_EQ(list->list->topLevelItemCount(), static_cast<int>(w.state.session.searchHits.size()));
    const QTreeWidgetItem* first = list->list->topLevelItem(0);
    EXPECT_EQ(first->text(0), QString("2030-06-01"));
    EXPECT_EQ(first->text(1), QString("金環日蝕"));
    EXPECT_EQ(first->text(2), QString("128/59"));
    EXPECT_EQ(list->list->headerItem()->text(0), EclipseListDialog::tr("Date (UT)"));
    EXPECT_NE(list->list->headerItem()->text(0), QString("Date (UT)")) << "in Japanese";
    list->list->setCurrentItem(list->list->topLevelItem(1));
    EXPECT_EQ(w.state.session.selectedHit, 1);
    list->findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QPushButton* button : list->findChildren<QPushButton*>())
        if (button->text() == QString("日蝕描画"))
            button->click();
    QApplication::processEvents();
    w.view->repaintNow();
    EXPECT_EQ(w.v().year, 2030);
    EXPECT_EQ(w.v().month, 11) << "2030 November 25";
    // Closing posts to the view, which hides the list.
    for (QPushButton* button : list->findChildren<QPushButton*>())
        if (button->text() == QString("終了"))
            button->click();
    QApplication::processEvents();
    EXPECT_FALSE(list->isVisible());
    // A double-click on a row shows its eclipse whole, from a regional map elsewhere too.
    recentreMap(w.v(), 139.7, 35.7, 20);
    w.view->eclipseList();
    list->list->setCurrentItem(list->list->topLevelItem(0));
    emit list->list->itemDoubleClicked(list->list->topLevelItem(0), 0);
    QApplication::processEvents();
    w.view->repaintNow();
    EXPECT_EQ(w.v().month, 6) << "2030 June 1";
    EXPECT_EQ(w.v().mapRange, MapRange::globe);
}

// A place search lists the maximum there with its civil time, magnitude, obscuration and the
// Sun's altitude, dates before the Gregorian calendar say so, and the dialog says when the
// search stopped at the limit that it was given.
TEST(Window, PlaceSearchListsTheMaximumsThere) {
    Window w;
    w.v().searchMode = searchPlace;
    w.v().searchMinMagnitude = 0.3;
    placeObserver(w.v(), -74.006, 40.713, 10, ObserverPlace{}); // New York
    EclipseListDialog* list = w.startListSearch("2024", "1");
    w.finishWork();
    ASSERT_GE(list->list->topLevelItemCount(), 1);
    EXPECT_EQ(list->list->columnCount(), 8);
    const QTreeWidgetItem* april = list->list->topLevelItem(0);
    EXPECT_EQ(april->text(0), QString("2024-04-08"));
    EXPECT_EQ(april->text(3), QString("19:25:36"));
    EXPECT_EQ(april->text(4), QString("15:25:36 EDT"));
    EXPECT_EQ(april->text(5), QString("0.910"));
    EXPECT_EQ(april->text(6), QString("89.9 %"));
    EXPECT_EQ(april->text(7), QString("43.4°"));
    EXPECT_FALSE(list->limitNote->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(list->list->horizontalScrollBar()->isVisible()) << "every column in view";

    w.v().searchMode = searchAll;
    list->startEdit->setText("1500");
    list->periodEdit->setText("100");
    list->limitEdit->setText("5");
    list->search();
    w.finishWork();
    EXPECT_EQ(list->list->topLevelItemCount(), 5);
    EXPECT_EQ(list->list->columnCount(), 3);
    EXPECT_TRUE(list->list->topLevelItem(0)->text(0).endsWith(" (Julian)"));
    EXPECT_FALSE(list->limitNote->isHidden());
    EXPECT_TRUE(list->limitNote->text().contains('5'));
}

// Which eclipse was it: the search dialog takes a record's evidence (Babylon, total, within ten
// hours after sunrise), and the list gives the eclipses seen so, the likeliest first,
// with the chance of the sighting; "Not searched" leaves the search as it was.
TEST(Window, SearchByARecordsEvidenceListsTheLikeliestFirst) {
    Window w;
    SearchDialogFixture search(w.v());
    SearchDialog& dialog = search.dialog;
    part<QButtonGroup>(dialog, "modeGroup")->button(searchPlace)->setChecked(true);
    part<QButtonGroup>(dialog, "placeGroup")
        ->button(static_cast<int>(ObserverInput::typed))
        ->setChecked(true);
    part<QLineEdit>(dialog, "lonEdit")->setText("44.42");
    part<QLineEdit>(dialog, "latEdit")->setText("32.54");
    part<QComboBox>(dialog, "seenList")->setCurrentIndex(static_cast<int>(ModeFields::Seen::total));
    part<QComboBox>(dialog, "whenList")
        ->setCurrentIndex(static_cast<int>(ModeFields::When::degreesAfterSunrise));
    part<QLineEdit>(dialog, "whenFromEdit")
        ->setText("150"); // 10 h to 0 h: the span is taken in either order
    part<QLineEdit>(dialog, "whenToEdit")->setText("0");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    storeMode(search.view, search.choices, dialog.fields(), search.cities);
    ASSERT_TRUE(search.view.searchEvidence);
    EXPECT_EQ(search.view.searchEvidence->seen, SeenPhase::total);
    ASSERT_TRUE(search.view.searchEvidence->afterSunrise);
    EXPECT_EQ(search.view.searchEvidence->afterSunrise->from, 0);
    EXPECT_EQ(search.view.searchEvidence->afterSunrise->to, 10);
    EXPECT_EQ(viewSearchCriteria(search.view, 145).minCentralProbability,
              defaultSightingProbability);
    const ModeFields again = loadMode(search.view, search.choices, 145);
    EXPECT_EQ(again.seen, ModeFields::Seen::total);
    EXPECT_EQ(again.when, ModeFields::When::hoursAfterSunrise);
    EXPECT_EQ(again.whenTo, 10);

    w.v() = search.view;
    EclipseListDialog* list = w.startListSearch("-200", "100");
    w.finishWork();
    ASSERT_GE(list->list->topLevelItemCount(), 2);
    EXPECT_EQ(list->list->headerItem()->text(3), EclipseListDialog::tr("Chance of the sighting"));
    EXPECT_TRUE(list->list->topLevelItem(0)->text(0).startsWith("-135-04-15"))
        << list->list->topLevelItem(0)->text(0).toStdString();
    for (int i = 1; i < list->list->topLevelItemCount(); ++i)
        EXPECT_GE(list->list->topLevelItem(i - 1)->text(3).toDouble(),
                  list->list->topLevelItem(i)->text(3).toDouble());

    ModeFields plain = again;
    plain.seen = ModeFields::Seen::notSearched;
    storeMode(search.view, search.choices, plain, search.cities);
    EXPECT_FALSE(search.view.searchEvidence);
}

// The time slider: the shadow at three instants, its centre on the central line (0.01 degrees);
// closed, the map is the one without the shadow again.
TEST(Window, TimeSliderDrawsTheShadowOnTheCentralLine) {
    Window w;
    const QImage plain = w.view->picture().copy();
    w.frame.timeSliderToggle->setChecked(true);
    w.finishWork();
    w.view->repaintNow();
    TimeSlider* slider = w.frame.timeSlider();
    const auto [first, last] = w.view->contactSpan();
    EXPECT_NEAR(first, 15 + 42.0 / 60 + 14.2 / 3600, 1.0 / 3600) << "the panel's first contact";
    EXPECT_NEAR(last, 20 + 52.0 / 60 + 21.3 / 3600, 1.0 / 3600) << "and last";
    const EclipseRecord& r = w.shownRecord();
    for (const double ut : {17.5, 18.3, 19.2}) {
        slider->setUtHours(ut);
        w.finishWork();
        w.view->repaintNow();
        ASSERT_TRUE(w.v().shadowAt.has_value());
        EXPECT_NEAR(w.v().shadowAt->value, ut, 1.0 / 3600);
        EXPECT_NE(w.view->picture(), plain);
        const double deltaT = w.view->shownFrame().eclipse.deltaT;
        const TracedPoint centre =
            centralLinePoint(evaluateElements(r, shadowHours(r, *w.v().shadowAt, deltaT)), deltaT);
        ASSERT_TRUE(centre.found);
        PathGeometryCache paths;
        const PathGeometry& g = paths.geometry(r, deltaT, w.v().drawStepHours);
        double nearest = 1e9;
        for (const auto& piece : g.centralLine)
            for (std::size_t i = 1; i < piece.size(); ++i) {
                // the distance to the segment, in degrees (the segments are short)
                const double ax = piece[i - 1].lon, ay = piece[i - 1].lat;
                const double bx = piece[i].lon - ax, by = piece[i].lat - ay;
                const double f = std::clamp(((centre.lon - ax) * bx + (centre.lat - ay) * by) /
                                                (bx * bx + by * by),
                                            0.0, 1.0);
                nearest = std::min(nearest,
                                   std::hypot(centre.lon - ax - f * bx, centre.lat - ay - f * by));
            }
        EXPECT_LT(nearest, 0.01) << ut;
    }
    // the keys' steps: an arrow moves 10 s, Page Up a minute
    const int before = slider->slider->value();
    slider->slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(slider->slider->value(), before + 10);
    slider->slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(slider->slider->value(), before + 70);
    // on the slider, Shift and an arrow move it a minute and an arrow ten seconds: they are not
    // the window's panning
    slider->slider->setFocus();
    QTest::keyClick(slider->slider, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(slider->slider, Qt::Key_Right);
    w.finishWork();
    EXPECT_EQ(slider->slider->value(), before + 140);
    EXPECT_EQ(w.v().year, 2024);
    EXPECT_EQ(w.v().month, 4);
    w.frame.timeSliderToggle->setChecked(false);
    for (int i = 0; i < 3; ++i) { // the dock's room back to the view, then its repaint
        w.finishWork();
        w.view->repaintNow();
    }
    EXPECT_EQ(w.view->picture().size(), plain.size());
    EXPECT_FALSE(w.v().shadowAt.has_value());
    EXPECT_EQ(w.view->picture(), plain) << "the map without the shadow";
    // Page Down is the next eclipse, the slider open and focused or not
    w.frame.timeSliderToggle->setChecked(true);
    w.finishWork();
    slider->slider->setFocus();
    QTest::keyClick(slider->slider, Qt::Key_PageDown);
    w.finishWork();
    EXPECT_EQ(w.v().month, 10) << "2024 October 2";
}

// The view from the place: chosen from the toolbar, it stays when another place is clicked or
// typed; the time slider then spans the place's own contacts and moves the view.
TEST(Window, ViewFromThePlaceFollowsTheSlider) {
    Window w;
    w.view->observeAt(-96.8, 32.78);
    w.finishWork();
    w.view->placeView();
    w.view->repaintNow();
    EXPECT_EQ(w.v().displayMode, displayPlaceView);
    w.view->observeAt(-96.807, 32.78);
    w.view->repaintNow();
    EXPECT_EQ(w.v().displayMode, displayPlaceView) << "another place keeps the view";
    const QImage atMaximum = w.view->picture().copy();
    w.frame.timeSliderToggle->setChecked(true);
    w.finishWork();
    w.view->repaintNow();
    const EclipseRecord& r = w.shownRecord();
    const double deltaT = w.view->shownFrame().eclipse.deltaT;
    const LocalCircumstances local = localCircumstances(r, observerAt(-96.807, 32.78), deltaT);
    ASSERT_TRUE(local.first && local.fourth);
    const auto [first, last] = w.view->contactSpan();
    EXPECT_NEAR(first, dayHoursOf(r, local.first->shadow.t, deltaT), 1.0 / 3600);
    EXPECT_NEAR(last, dayHoursOf(r, local.fourth->shadow.t, deltaT), 1.0 / 3600);
    TimeSlider* slider = w.frame.timeSlider();
    std::vector<QImage> pictures;
    for (const double ut : {18.0, 18.7}) {
        slider->setUtHours(ut);
        w.finishWork();
        w.view->repaintNow();
        ASSERT_TRUE(w.v().shadowAt.has_value());
        EXPECT_EQ(w.view->shownFrame().settings.displayMode, displayPlaceView);
        pictures.push_back(w.view->picture().copy());
    }
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[0], atMaximum);
}

// The sky of a place in the path moves with the slider: its chart is drawn again at each
// instant (by the repaint, over the local screen), until another screen is asked for.
TEST(Window, SkyChartFollowsTheSlider) {
    Window w;
    w.view->observeAt(-96.8, 32.78);
    w.view->repaintNow();
    w.view->totalitySky();
    const SkyChart chart =
        skyChartOf(w.view->picture().width() / w.view->picture().devicePixelRatio(),
                   w.view->picture().height() / w.view->picture().devicePixelRatio());
    const auto skyShown = [&] {
        const QImage& p = w.view->picture();
        const double ratio = p.devicePixelRatio();
        // a point of the chart's disc off its lines, sky blue
        return p.pixelColor(static_cast<int>((chart.cx + chart.radius / 2 + 7) * ratio),
                            static_cast<int>((chart.cy + chart.radius / 3 + 5) * ratio)) ==
               QColor(160, 192, 240);
    };
    ASSERT_TRUE(skyShown());
    const QImage atMaximum = w.view->picture().copy();
    w.frame.timeSliderToggle->setChecked(true);
    w.finishWork();
    w.view->repaintNow();
    TimeSlider* slider = w.frame.timeSlider();
    slider->setUtHours(18.2);
    w.finishWork();
    w.view->repaintNow();
    EXPECT_TRUE(skyShown()) << "the sky is drawn again at the slider's instant";
    EXPECT_NE(w.view->picture(), atMaximum);
    w.view->backToMap();
    w.view->repaintNow();
    EXPECT_FALSE(skyShown()) << "the map replaces it";
}

// Play moves the slider to each instant when its picture is shown: at every turn of the event
// loop the slider reads the instant of the shadow on the map, and the steps advance.
TEST(Window, PlayShowsTheInstantTheSliderReads) {
    Window w;
    w.frame.timeSliderToggle->setChecked(true);
    w.finishWork();
    TimeSlider* slider = w.frame.timeSlider();
    slider->setUtHours(17.5);
    const auto shownAtSlider = [&] {
        const std::optional<ShadowInstant> shown = w.view->shownShadow();
        return shown && std::fabs(shown->value - slider->utHours()) <= 0.5 / 3600;
    };
    QElapsedTimer waited;
    waited.start();
    while (!shownAtSlider() && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    slider->rateList->setCurrentIndex(1); // 10 minutes a second: a minute a tick
    int mismatches = 0, turns = 0;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        ++turns;
        if (!shownAtSlider())
            ++mismatches;
    });
    check.start(1);
    slider->playButton->setChecked(true);
    QElapsedTimer played;
    played.start();
    while (slider->utHours() < 17.5 + 5.0 / 60 && played.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    slider->playButton->setChecked(false);
    check.stop();
    w.finishWork();
    EXPECT_GE(slider->utHours(), 17.5 + 5.0 / 60) << "five steps of a minute played";
    EXPECT_GT(turns, 10);
    EXPECT_EQ(mismatches, 0) << "of " << turns << " turns, the slider read another instant";
}

// The steps of a user who looks for Saros 139 in the search dialog and steps on: from 1100, and
// from -996 July, the eclipse shown is the series' first, 1501 May 17, and then its second.
TEST(Window, SarosSearchFindsTheSeriesFromBeforeItBegan) {
    for (const std::pair<int, int>& start : {std::pair{1100, 1}, std::pair{-996, 7}}) {
        const int year = start.first;
        Window w;
        w.v().year = year;
        w.v().month = start.second;
        w.view->showAskedMonth();
        w.view->repaintNow();
        QTimer::singleShot(0, [] {
            auto* dialog = dynamic_cast<SearchDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            part<QButtonGroup>(*dialog, "modeGroup")->button(searchSarosNumber)->setChecked(true);
            part<QLineEdit>(*dialog, "sarosEdit")->setText("139");
            dialog->accept();
        });
        const auto shows = [&](const char* date) {
            w.finishWork();
            w.view->repaintNow();
            EXPECT_TRUE(w.view->shownTitle().startsWith(QString::fromLatin1(date)))
                << year << ": " << w.view->shownTitle().toStdString();
            EXPECT_EQ(w.shownRecord().saros, 139);
        };
        w.view->searchMode(); // the search shows its first match at once
        EXPECT_EQ(w.v().searchMode, searchSarosNumber);
        shows("1501-05-17");
        w.view->nextEclipse();
        shows("1519-05-28");
        EXPECT_TRUE(w.messages.shown.empty());
    }
}

// File New opens another window on the same records: it shows at first what the first window
// shows, then goes its own way; closing the windows quits the program.
TEST(Window, NewOpensASecondWindowThatGoesItsOwnWay) {
    Window w;
    const QList<QAction*> actions = w.frame.actions();
    const auto newAction = std::find_if(actions.begin(), actions.end(), [](const QAction* a) {
        return a->shortcut() == QKeySequence(QStringLiteral("Ctrl+N"));
    });
    ASSERT_NE(newAction, actions.end());
    (*newAction)->trigger();
    QPointer<MainWindow> second;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<MainWindow*>(top); window != nullptr && window != &w.frame)
            second = window;
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second->view()->appState().places, w.state.places); // the same place records
    second->view()->repaintNow();
    EXPECT_EQ(second->windowTitle(), w.frame.windowTitle());
    EXPECT_TRUE(second->windowTitle().contains(QStringLiteral("2024-04-08")));

    second->view()->nextEclipse();
    second->view()->repaintNow();
    EXPECT_TRUE(second->windowTitle().contains(QStringLiteral("2024-10-02")));
    EXPECT_TRUE(w.frame.windowTitle().contains(QStringLiteral("2024-04-08")));
    EXPECT_EQ(w.v().month, 4);

    second->close(); // the opened window goes with its records
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    w.frame.close();
    EXPECT_FALSE(w.frame.isVisible());
}

// Qt's settings file (the file dialogs' history) as a FIFO: passed over with a note naming it, so
// that opening a file dialog does not wait for a writer that never comes. A watchdog writes to
// the FIFO after 10 s, so that a dialog that waits ends and the test fails instead of hanging.
TEST(Window, QtsSettingsFileThatIsAFifoIsPassedOver) {
    ScratchDir config, ofThisRun;
    const std::filesystem::path fifo = config.path() / "QtProject.conf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    const std::string note = keepQtSettingsReadable(QString::fromStdString(ofThisRun.path()));
    EXPECT_NE(note.find(fifo.string() + " is not a regular file"), std::string::npos) << note;
    std::atomic<bool> opened{false}, waited{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !opened; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        // opened for reading and writing, a FIFO lets every waiting open through
        for (; !opened; std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
            waited = true;
            if (const int both = open(fifo.c_str(), O_RDWR | O_NONBLOCK); both >= 0)
                close(both);
        }
    });
    {
        QFileDialog dialog; // reads the history from Qt's settings
        opened = true;
    }
    watchdog.join();
    EXPECT_FALSE(waited) << "the file dialog waited for the FIFO";
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    if (before.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", before);
}

TEST(Window, ProgramStartsAndShowsAPicture) {
    ScratchDir dir;
    const CommandResult r = runProgram(VESK_EXECUTABLE, {"--screenshot", "shot.png"}, dir.path(),
                                       {"QT_QPA_PLATFORM=offscreen"});
    ASSERT_EQ(r.status, 0) << r.err;
    QImage shot((dir.path() / "shot.png").c_str());
    ASSERT_FALSE(shot.isNull());
    // The frame's inside: 700 x 600 less what the platform takes for the window's frame.
    EXPECT_LE(shot.width(), 700);
    EXPECT_GT(shot.width(), 680);
    EXPECT_LE(shot.height(), 600);
    EXPECT_GT(shot.height(), 560);
    int colours = 0;
    for (int y = 100; y < shot.height(); y += 10)
        for (int x = 0; x < shot.width(); x += 10)
            colours += shot.pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_GT(colours, 300);
}

TEST(Window, SkyAtMaximumInsideThePath) {
    Window w;
    w.v().observerLon = 139.7; // Tokyo: outside the path, nothing is drawn
    w.v().observerLat = 35.7;
    w.view->invalidate(); // as the commands that move the observer do
    w.view->repaintNow();
    const QImage before = w.view->picture().copy();
    w.view->totalitySky();
    EXPECT_EQ(w.view->picture(), before);
    w.v().observerLon = -104.14; // on the central line at greatest eclipse
    w.v().observerLat = 25.29;
    w.view->invalidate();
    w.view->totalitySky();
    EXPECT_EQ(w.view->picture().pixel(480, 90), qRgb(160, 192, 240)) << "the sky disc";
    EXPECT_EQ(w.view->picture().pixel(900, 600), qRgb(0, 0, 0)) << "filled black around it";
}

TEST(Window, LimbCorrectionSaysWhenTheLunarGridIsMissing) {
    Window w; // the data folder of the repository holds no LRO.dat
    w.v().observerLon = -104.14;
    w.v().observerLat = 25.29;
    w.view->invalidate();
    w.view->limbCorrection();
    const QImage& picture = w.view->picture();
    int lit = 0;
    for (int y = 35; y < 80; ++y)
        for (int x = 50; x < 400; ++x)
            lit += picture.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(lit, 100) << "the two lines of the message";
    EXPECT_EQ(picture.pixel(900, 600), qRgb(0, 0, 0));
    // the command is broken within the view, and a button copies it whole
    EXPECT_LE(w.view->textBounds().right(), w.view->width());
    auto* copy = w.view->findChild<QPushButton*>("copyGridCommand");
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isVisible());
    EXPECT_TRUE(w.view->visibleRegion().boundingRect().contains(copy->geometry()))
        << "within the part of the picture the window shows";
    EXPECT_FALSE(copy->toolTip().isEmpty());
    QGuiApplication::clipboard()->clear();
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), lunarGridCommand);
    // the limb command's tooltip said so beforehand
    auto* limb = w.frame.findChild<QAction*>("limbAction");
    ASSERT_NE(limb, nullptr);
    limb->hover();
    EXPECT_TRUE(limb->toolTip().contains("LRO.dat"));
    // another screen takes the button away
    w.view->backToMap();
    w.finishWork();
    EXPECT_FALSE(copy->isVisible());
}

// Enter in the search dialog presses OK; the labels' "(&P)" are Alt mnemonics of their boxes.
TEST(Dialogs, EnterAndMnemonics) {
    SearchDialogFixture search;
    search.dialog.show();
    QApplication::setActiveWindow(&search.dialog);
    QTest::keyClick(&search.dialog, Qt::Key_Return);
    EXPECT_EQ(search.dialog.result(), QDialog::Accepted) << "OK, not the start year/month dialog";

    YearMonthDialog when(nullptr, {2024, 4}, search.messages.reporter());
    when.show();
    QApplication::setActiveWindow(&when);
    QApplication::processEvents();
    QTest::keyClick(&when, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(part<QLineEdit>(when, "monthEdit")->hasFocus());
    QTest::keyClick(&when, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(part<QLineEdit>(when, "yearEdit")->hasFocus());
    for (const QLabel* label : when.findChildren<QLabel*>())
        EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
}

// The frame opens 700 x 600 with its outer top-left corner at the screen's; the status bar
// says why the sky and limb commands draw nothing outside the path.
// Without the catalog the window shows why in place of the map; the next repaint asks for a
// year and month, starting from this month.
TEST(Window, WithoutTheCatalogTheWindowAsksForAnotherMonth) {
    ScratchDir dir;
    dir.write("location.new", "Here,135,35,0,0\n");
    AppState state{DataPaths{{dir.path()}}};
    Messages messages;
    MainWindow frame{april2024(state), messages.reporter(), RedrawAction::show};
    frame.show();
    frame.view()->repaintNow();
    EXPECT_FALSE(frame.view()->picture().isNull());
    bool asked = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&asked] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = dynamic_cast<YearMonthDialog*>(top); dialog && dialog->isVisible()) {
                asked = true;
                dialog->reject();
            }
    });
    closer.start(10);
    frame.view()->redraw();
    QElapsedTimer waited;
    waited.start();
    while (!asked && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(asked);
    EXPECT_EQ(frame.view()->settings().year, currentLocalMonth().year);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Window, FrameGeometryAndStatusMessages) {
    AppState state{DataPaths{{sourceDataDir()}}};
    Messages messages;
    MainWindow frame{april2024(state), messages.reporter(), RedrawAction::show};
    MapView* view = frame.view();
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.frameGeometry(), QRect(0, 0, 700, 600));
    view->repaintNow();
    view->settings().observerLon = -74;
    view->settings().observerLat = 40.7;
    view->invalidate();
    view->totalitySky();
    EXPECT_EQ(frame.statusBar()->currentMessage().toStdString(), translated(messageNotCentral));
}

namespace {

// The environment variable that makes a test run as the child of a test that set its screen.
constexpr const char* smallScreenChild = "VESK_SMALL_SCREEN_CHILD";

} // namespace

// At scale 2 on a screen of 1600 x 1000 pixels (800 x 500 at that scale) the window opens within
// the screen's available area, every menu of the bar within the bar and every menu within the
// screen, the list's headers in the window's language; opening the time slider leaves the map's
// panel whole, without scroll bars. The window runs in a child of the test whose offscreen
// screen has that size (the screen of a process is set when it starts).
TEST(Window, FitsASmallScreenAtScaleTwo) {
#ifdef VESK_THREAD_SANITIZER
    GTEST_SKIP() << "ThreadSanitizer's runtime stops when a threaded process starts a child";
#endif
    if (!qEnvironmentVariableIsSet(smallScreenChild)) {
        ScratchDir dir;
        const std::filesystem::path config = dir.path() / "screen.json";
        std::ofstream(config) << R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1600,
                                   "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96}]})";
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                           QStringLiteral("offscreen:configfile=") +
                               QString::fromStdString(config.string()));
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        environment.insert(QString::fromLatin1(smallScreenChild), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=Window.FitsASmallScreenAtScaleTwo")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
        return;
    }
    AppState state{DataPaths{{sourceDataDir()}}};
    Messages messages;
    MainWindow frame{april2024(state), messages.reporter(), RedrawAction::show};
    frame.show();
    QElapsedTimer waited;
    waited.start();
    while (!frame.isMaximized() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
    const QRect available = frame.screen()->availableGeometry();
    ASSERT_EQ(available.size(), QSize(800, 500)) << "the screen of the child";
    EXPECT_TRUE(available.contains(frame.frameGeometry()))
        << frame.frameGeometry().width() << " x " << frame.frameGeometry().height();
    QMenuBar* bar = frame.menuBar();
    for (QAction* menu : bar->actions()) {
        EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << menu->text().toStdString();
        if (menu->menu() != nullptr) {
            const QSize size = menu->menu()->sizeHint();
            EXPECT_LE(size.width(), available.width()) << menu->text().toStdString();
            EXPECT_LE(size.height(), available.height()) << menu->text().toStdString();
        }
    }
    frame.view()->eclipseList();
    EXPECT_EQ(frame.view()->listDialog()->list->headerItem()->text(0),
              EclipseListDialog::tr("Date (UT)"));
    EXPECT_NE(frame.view()->listDialog()->list->headerItem()->text(0), QString("Date (UT)"));
    frame.view()->listDialog()->hide();

    frame.timeSliderToggle->setChecked(true);
    QCoreApplication::processEvents();
    frame.view()->repaintNow();
    frame.view()->finishWork();
    QCoreApplication::processEvents();
    const auto* scroll = frame.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    const MapLayout& layout = frame.view()->shownFrame().layout;
    EXPECT_LT(layout.panelScale, 1) << "the panel shrinks to the view";
    EXPECT_LE(frame.view()->textBounds().bottom(), frame.view()->height());
}

// Reopened, the list starts again from this year and a period of 10.
TEST(Window, EclipseListReopensWithItsStartValues) {
    Window w;
    EclipseListDialog* list = w.startListSearch("2000", "300");
    w.finishWork();
    EXPECT_EQ(list->list->topLevelItemCount(), 100);
    EXPECT_FALSE(list->limitNote->isHidden()) << "the dialog says the search stopped at 100";
    QApplication::postEvent(w.view, new QEvent(closeListEvent));
    QApplication::processEvents();
    ASSERT_FALSE(list->isVisible());
    w.view->eclipseList();
    EXPECT_EQ(list->startEdit->text().toDouble(), currentLocalMonth().year);
    EXPECT_EQ(list->periodEdit->text(), QString("10"));
    EXPECT_EQ(list->list->topLevelItemCount(), 100) << "the last hits are listed again";
}

namespace {

// A window that stops answering for this long is frozen, on any machine however loaded; the
// goal of its responsiveness (far shorter) is measured by bench/window_bench.
constexpr qint64 frozenMs = 1000;

} // namespace

// The window keeps answering while it pages through 20 eclipses as fast as a user clicks (every
// new picture stops the one under way) and while the list searches 2000 years: the work runs off
// the window's thread.
TEST(Window, AnswersWhileItPagesAndSearches) {
    Window w;
    w.finishWork();
    EventLoopGaps paging;
    QTimer clicks;
    int clicked = 0;
    QObject::connect(&clicks, &QTimer::timeout, [&] {
        if (clicked++ < 20)
            w.view->nextEclipse();
    });
    clicks.start(30);
    QElapsedTimer waited;
    waited.start();
    while ((clicked <= 20 || w.view->working()) && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    clicks.stop();
    w.finishWork();
    EXPECT_GT(w.v().year, 2030) << "20 eclipses after 2024 April";
    EXPECT_LT(paging.longestMs(), frozenMs) << "paging";

    w.view->eclipseList();
    EclipseListDialog* list = w.view->listDialog();
    list->startEdit->setText("1");
    list->periodEdit->setText("2000");
    EventLoopGaps searching;
    list->search();
    EXPECT_TRUE(w.view->working());
    w.finishWork();
    EXPECT_LT(searching.longestMs(), frozenMs) << "searching";
    EXPECT_EQ(list->list->topLevelItemCount(), 100) << "the first 100 hits";
}

// The stop button ends a search under way with the hits found so far.
TEST(Window, ListSearchStops) {
    Window w;
    w.finishWork();
    w.v().searchMode = searchType;
    w.v().searchType = 7; // no eclipse has it: the search walks the whole span
    EclipseListDialog* list = w.startListSearch("-13000", "5000");
    ASSERT_TRUE(w.view->working());
    EXPECT_TRUE(list->stopButton->isEnabled());
    list->stopSearch();
    EXPECT_FALSE(w.view->working());
    EXPECT_FALSE(list->stopButton->isEnabled());
    EXPECT_TRUE(list->searchButton->isEnabled());
    EXPECT_EQ(list->list->topLevelItemCount(), 0);
}

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

// While the map is dragged the window draws it panned with the coarse relief; the release
// draws the full picture of one pan by the whole movement, as before the drag was drawn live.
TEST(Window, DragDrawsCoarsePicturesThenTheFullOne) {
    Window w;
    w.finishWork();
    ViewSettings expected = w.v();
    const QPoint start(w.layout().mapCentreX, w.layout().mapCentreY);
    ASSERT_TRUE(panMap(expected, w.view->shownProjector(), 80, -30));

    sendMouse(w.view, QEvent::MouseButtonPress, start, Qt::LeftButton);
    sendMouse(w.view, QEvent::MouseMove, start + QPoint(40, -15), Qt::LeftButton);
    w.finishWork();
    EXPECT_TRUE(w.view->shownFrame().coarseRelief) << "the picture while dragging";
    const double halfway = w.v().centreLon;
    sendMouse(w.view, QEvent::MouseMove, start + QPoint(80, -30), Qt::LeftButton);
    w.finishWork();
    w.finishWork(); // the next coarse picture follows the one under way
    EXPECT_NE(w.v().centreLon, halfway);
    sendMouse(w.view, QEvent::MouseButtonRelease, start + QPoint(80, -30), Qt::NoButton);
    w.finishWork();
    EXPECT_FALSE(w.view->shownFrame().coarseRelief);
    EXPECT_DOUBLE_EQ(w.v().centreLon, expected.centreLon);
    EXPECT_DOUBLE_EQ(w.v().centreLat, expected.centreLat);
    EXPECT_EQ(w.v().mapRange, MapRange::centred);
}

// A repaint stopped by the list's search is drawn after the search.
TEST(Window, ARepaintStoppedByTheListsSearchIsDrawnAfterIt) {
    Window w;
    w.finishWork();
    w.view->eclipseList();
    w.finishWork();
    const QImage before = w.view->picture().copy();
    w.view->nextEclipse();
    QCoreApplication::processEvents(); // the repaint starts
    ASSERT_TRUE(w.view->working());
    EclipseListDialog* list = w.view->listDialog();
    list->startEdit->setText("2000");
    list->periodEdit->setText("50");
    list->search();
    w.finishWork();
    w.finishWork(); // the repaint after the search
    EXPECT_FALSE(w.view->working());
    EXPECT_NE(w.view->picture(), before) << "the next eclipse is drawn";
    EXPECT_EQ(list->list->topLevelItemCount(), 100);
}

namespace {

bool hasGazetteer() {
    IgnoredFiles ignored;
    return loadGazetteer(gazetteerPaths(DataPaths{}), ignored).has_value();
}

} // namespace

// A place typed by name in the toolbar becomes the observer, with its zone and height, and its
// local circumstances are shown; a name of several places is refused in the status bar.
TEST(Window, ToolbarPlaceFieldChoosesAPlaceByName) {
    if (!hasGazetteer())
        GTEST_SKIP() << "libtimezonemap-data is not installed";
    Window w;
    auto* field = w.frame.findChild<QLineEdit*>("placeField");
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, "Springfield");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(w.frame.statusBar()->currentMessage().contains("Springfield"));
    EXPECT_NE(w.v().displayMode, displayLocal);
    field->clear();
    QTest::keyClicks(field, "Dallas");
    QTest::keyClick(field, Qt::Key_Return);
    w.finishWork();
    EXPECT_EQ(w.v().displayMode, displayLocal);
    EXPECT_NEAR(w.v().observerLon, -96.807, 0.01);
    EXPECT_EQ(w.v().observerHeight, 128);
    EXPECT_EQ(observerPlace(w.v(), *w.state.places).zone, "America/Chicago");
    EXPECT_EQ(observerPlace(w.v(), *w.state.places).heightSource, HeightSource::gazetteer);
}

// Coordinates typed as a web map copies them (latitude first, with letters) are read by their
// letters and read back; the field then follows the place of the screen, whichever way it was
// chosen. They need no gazetteer.
TEST(Window, ToolbarPlaceFieldTakesCoordinatesAndShowsThePlaceOfTheScreen) {
    Window w;
    auto* field = w.frame.findChild<QLineEdit*>("placeField");
    ASSERT_NE(field, nullptr);
    // the field shows the observer's place; a click into it selects it, and typing replaces it
    EXPECT_FALSE(field->text().isEmpty());
    w.frame.show();
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_EQ(field->selectedText(), field->text());
    QTest::keyClicks(field, "36.36N 43.15E");
    QTest::keyClick(field, Qt::Key_Return);
    w.finishWork();
    EXPECT_EQ(w.v().displayMode, displayLocal);
    EXPECT_DOUBLE_EQ(w.v().observerLon, 43.15);
    EXPECT_DOUBLE_EQ(w.v().observerLat, 36.36);
    EXPECT_TRUE(w.v().observerMarked);
    EXPECT_TRUE(w.frame.statusBar()->currentMessage().contains("43.15° E, 36.36° N"));
    EXPECT_EQ(field->text(), QString("43.15° E, 36.36° N"));
    // another place, chosen by a click on the map of the screen: the field follows it
    w.frame.setFocus();
    w.view->observeAt(-96.8, 32.78);
    w.finishWork();
    EXPECT_EQ(field->text(), QString("96.8° W, 32.78° N"));
    // a bare pair is longitude, latitude, as on the command line
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, "43.15, 36.36");
    QTest::keyClick(field, Qt::Key_Return);
    w.finishWork();
    EXPECT_DOUBLE_EQ(w.v().observerLon, 43.15);
}

// In the display dialog, a place by name fills in the typed place beside the city list.
TEST(Dialogs, DisplayDialogPlaceByNameFillsTheTypedPlace) {
    if (!hasGazetteer())
        GTEST_SKIP() << "libtimezonemap-data is not installed";
    AppState state{DataPaths{{sourceDataDir()}}};
    Messages messages;
    CityTable cities;
    cities.rows = {{"A", 10, 20, 30, 0, ""}};
    DisplayDialog dialog(nullptr, loadDisplay(state.session.view, {}, 0), cities,
                         messages.reporter(), &state);
    dialog.show();
    auto* field = dialog.findChild<QLineEdit*>("placeField");
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, "Luxor, EG");
    EXPECT_EQ(field->text(), QString("Luxor, EG"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(part<QLineEdit>(dialog, "lonEdit")->text(), QString("32.6421"));
    EXPECT_EQ(part<QLineEdit>(dialog, "heightEdit")->text(), QString("89"));
    EXPECT_EQ(part<QButtonGroup>(dialog, "placeGroup")->checkedId(), 1);
    ASSERT_TRUE(dialog.chosenPlace());
    EXPECT_EQ(dialog.chosenPlace()->zone, "Africa/Cairo");
}

// An empty height is the relief grid's at the typed place, as on the command line; a refused
// value's message names its field.
TEST(Dialogs, EmptyHeightIsTheReliefsAndMessagesNameTheField) {
    AppState state{DataPaths{{sourceDataDir()}}};
    Messages messages;
    CityTable cities;
    cities.rows = {{"A", 10, 20, 30, 0, ""}};
    DisplayDialog dialog(nullptr, loadDisplay(state.session.view, {}, 0), cities,
                         messages.reporter(), &state);
    part<QButtonGroup>(dialog, "placeGroup")->button(1)->setChecked(true);
    part<QLineEdit>(dialog, "lonEdit")->setText("86.925");
    part<QLineEdit>(dialog, "latEdit")->setText("27.9881"); // Sagarmatha
    part<QLineEdit>(dialog, "heightEdit")->setText("");
    dialog.accept();
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().toStdString();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fields().observerHeight, groundHeightAt(state, 86.925, 27.9881));
    EXPECT_GT(dialog.fields().observerHeight, 4000);
    part<QLineEdit>(dialog, "heightEdit")->setText("high");
    dialog.accept();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("高度：")))
        << messages.shown[0].toStdString();
    part<QLineEdit>(dialog, "heightEdit")->setText("100");
    part<QLineEdit>(dialog, "lonEdit")->setText("");
    dialog.accept();
    EXPECT_TRUE(messages.shown.back().startsWith(QStringLiteral("経度：")))
        << "only the height may be empty";
}

// The pointer over the map tells the local magnitude, the time of maximum and the Sun there.
TEST(Window, PointerOverTheMapTellsTheCircumstancesThere) {
    Window w;
    const QPoint centre(w.layout().mapCentreX, w.layout().mapCentreY);
    // moves with no button held, whatever QTest's own record of the buttons after earlier tests
    const auto hover = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(w.view->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w.view, &move);
    };
    hover(centre + QPoint(1, 1));
    const QString readout = w.frame.statusBar()->currentMessage();
    EXPECT_TRUE(readout.contains("mag.")) << readout.toStdString();
    EXPECT_TRUE(readout.contains(QRegularExpression(" \\(\\d+\\.\\d % of the Sun\\)")))
        << readout.toStdString();
    EXPECT_TRUE(readout.contains(" UT")) << readout.toStdString();
    EXPECT_TRUE(readout.contains("Sun ")) << readout.toStdString();
    const QImage before = w.view->picture().copy();
    hover(centre + QPoint(30, 10));
    EXPECT_EQ(w.view->picture(), before) << "no repaint for the read-out";
    EXPECT_NE(w.frame.statusBar()->currentMessage(), readout);
}

// The display dialog turns the map's band of Delta T's uncertainty on (+-2 sigma) and off.
TEST(Dialogs, DisplayDialogTurnsTheDeltaTBandOnAndOff) {
    Messages messages;
    CityTable cities;
    ViewSettings view;
    DialogChoices choices;
    DisplayDialog on(nullptr, loadDisplay(view, {}, 0), cities, messages.reporter());
    EXPECT_FALSE(part<QCheckBox>(on, "bandBox")->isChecked());
    part<QCheckBox>(on, "bandBox")->setChecked(true);
    on.accept();
    storeDisplay(view, choices, on.fields(), cities);
    EXPECT_EQ(view.deltaTBandSigmas, 2);
    DisplayDialog off(nullptr, loadDisplay(view, {}, 0), cities, messages.reporter());
    EXPECT_TRUE(part<QCheckBox>(off, "bandBox")->isChecked());
    part<QCheckBox>(off, "bandBox")->setChecked(false);
    off.accept();
    storeDisplay(view, choices, off.fields(), cities);
    EXPECT_EQ(view.deltaTBandSigmas, 0);
    // the legend (on the globe by default) and the central path's shading
    DisplayDialog legend(nullptr, loadDisplay(view, {}, 0), cities, messages.reporter());
    EXPECT_EQ(part<QComboBox>(legend, "legendList")->currentIndex(), 0);
    EXPECT_FALSE(part<QCheckBox>(legend, "fillPathBox")->isChecked());
    part<QComboBox>(legend, "legendList")->setCurrentIndex(2);
    part<QCheckBox>(legend, "fillPathBox")->setChecked(true);
    legend.accept();
    storeDisplay(view, choices, legend.fields(), cities);
    EXPECT_EQ(view.legend, MapLegend::never);
    EXPECT_TRUE(view.fillCentralPath);
}

// The display dialog (685 pixels of content) on a screen 600 pixels tall scrolls its content
// and keeps its buttons on the screen. On a taller test screen the test runs itself again on
// such a screen.
// On a small screen (1000 x 600), where the content scrolls, and on a larger one (1400 x 1000).
TEST(Dialogs, DisplayDialogFitsTheScreen) {
    if (std::getenv("VESK_SMALL_SCREEN_RUN") == nullptr) {
        for (const char* size :
             {R"("width": 1000, "height": 600)", R"("width": 1400, "height": 1000)"}) {
            ScratchDir dir;
            dir.write("screen.json",
                      std::string(R"({"screens": [{"name": "small", "x": 0, "y": 0, )") + size +
                          R"(, "logicalDpi": 96, "dpr": 1}]})");
            const CommandResult r = runProgram(
                "/proc/self/exe", {"--gtest_filter=Dialogs.DisplayDialogFitsTheScreen"}, dir.path(),
                {"QT_QPA_PLATFORM=offscreen:configfile=" + (dir.path() / "screen.json").string(),
                 "VESK_SMALL_SCREEN_RUN=1"});
            EXPECT_EQ(r.status, 0) << size << r.out << r.err;
            EXPECT_NE(r.out.find("[  PASSED  ] 1 test"), std::string::npos) << r.out;
        }
        return;
    }
    Messages messages;
    CityTable cities;
    ViewSettings view;
    DisplayDialog dialog(nullptr, loadDisplay(view, {}, 0), cities, messages.reporter());
    dialog.show();
    QApplication::processEvents();
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(dialog.frameGeometry().height(), screen.height());
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK")) {
            EXPECT_TRUE(screen.contains(button->mapToGlobal(button->rect().bottomRight())));
        }
    }
}

// The search dialog's place search by the probability of a central eclipse (0 to 1).
TEST(Dialogs, SearchDialogTakesTheProbabilityOfACentralEclipse) {
    SearchDialogFixture search;
    SearchDialog& dialog = search.dialog;
    EXPECT_EQ(part<QLineEdit>(dialog, "probabilityEdit")->text(), QString("0"));
    part<QButtonGroup>(dialog, "modeGroup")->button(searchPlace)->setChecked(true);
    part<QLineEdit>(dialog, "probabilityEdit")->setText("2");
    dialog.accept();
    EXPECT_EQ(search.messages.shown.size(), 1u) << "above 1 is refused";
    part<QLineEdit>(dialog, "probabilityEdit")->setText("0.2");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    storeMode(search.view, search.choices, dialog.fields(), search.cities);
    EXPECT_EQ(search.view.searchMinCentralProbability, 0.2);
    EXPECT_EQ(viewSearchCriteria(search.view, 145).minCentralProbability, 0.2);
}
