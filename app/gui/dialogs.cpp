// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include "catalog.h"
#include "explained.h"
#include "place_field.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vesk {

namespace {

// What a dialog's title bar and frame take of the screen's height, pixels,
constexpr int windowDecorationAllowance = 80;
// and of the window's borders at its sides
constexpr int windowBorderAllowance = 20;

QString numberText(double v) {
    return QString::number(v, 'g', 12);
}

// A group of radio buttons, named for the tests that find it.
QButtonGroup* buttonGroup(QObject* dialog, const char* name) {
    auto* group = new QButtonGroup(dialog);
    group->setObjectName(QLatin1String(name));
    return group;
}

// A check box with its tip, checked or not, named for the tests that find it.
QCheckBox* checkBox(const QString& text, const QString& tip, bool checked, const char* name) {
    auto* box = explained(new QCheckBox(text), tip);
    box->setChecked(checked);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A list of texts (translated in context) with one chosen, named for the tests that find it.
QComboBox* textList(const char* context, std::initializer_list<const char*> texts, int chosen,
                    const char* name) {
    auto* list = new QComboBox;
    for (const char* text : texts)
        list->addItem(QCoreApplication::translate(context, text));
    list->setCurrentIndex(chosen);
    list->setObjectName(QLatin1String(name));
    return list;
}

QRadioButton* radio(QButtonGroup* group, const QString& text, int id, const QString& tip) {
    auto* button = explained(new QRadioButton(text), tip);
    group->addButton(button, id);
    return button;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* box = new QDialogButtonBox;
    box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    box->addButton(QCoreApplication::translate("vesk::ExchangeDialog", "Cancel"),
                   QDialogButtonBox::RejectRole);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

// The dialog's content above its row of buttons. Where the content is taller or wider than the
// screen leaves room for (a large text size or scale, a small screen), it scrolls, and the
// buttons stay on the screen.
void layOutFitted(QDialog* dialog, QWidget* content, QLayout* buttons) {
    auto* layout = new QVBoxLayout(dialog);
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    // the screen less the buttons, the layout's margins and spacing, and the window's frame
    const QMargins margins = layout->contentsMargins();
    const QRect available = screen->availableGeometry();
    const int room = available.height() - buttons->sizeHint().height() - margins.top() -
                     margins.bottom() - layout->spacing() - windowDecorationAllowance;
    const int widthRoom =
        available.width() - margins.left() - margins.right() - windowBorderAllowance;
    // its size in the dialog's font (taller lines than the application's), as it will be drawn
    content->setParent(dialog);
    content->ensurePolished();
    const QSize wanted = content->sizeHint();
    if (wanted.height() <= room && wanted.width() <= widthRoom) {
        layout->addWidget(content);
    } else {
        auto* scroll = new QScrollArea;
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        scroll->setMinimumWidth(
            std::min(wanted.width() + scroll->verticalScrollBar()->sizeHint().width(), widthRoom));
        scroll->setFixedHeight(
            std::min(room, wanted.height() + scroll->horizontalScrollBar()->sizeHint().height()));
        layout->addWidget(scroll);
    }
    layout->addLayout(buttons);
}

// A row of the OK and Cancel buttons.
QLayout* okCancelRow(QDialog* dialog) {
    auto* row = new QHBoxLayout;
    row->addWidget(okCancel(dialog));
    return row;
}

// A label and a field side by side in a grid row.
// The field is the label's buddy: a "(&P)" in the label is its Alt+P mnemonic.
// A field with its label; the field's accessible name is the label's text without its colon,
// shortcut and bracketed range or unit, and names the field in the messages about its value.
void labelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* field,
              const QString& tip) {
    explained(field, tip);
    auto* text = new QLabel(label);
    text->setBuddy(field);
    QString name = label;
    name.remove(
        QRegularExpression(QStringLiteral("\\(&.\\)|&|（[^）]*）|\\s*\\([^)]*\\)|\\s*[:：]\\s*$")));
    field->setAccessibleName(name);
    grid->addWidget(text, row, column);
    grid->addWidget(field, row, column + 1);
}

// The names of the city table in a list, the row index - 1 chosen.
QComboBox* cityCombo(const CityTable& cities, std::optional<int> index, bool english) {
    auto* combo =
        explained(new QComboBox,
                  QCoreApplication::translate("vesk::ExchangeDialog",
                                              "The cities of the city list: the one chosen is the "
                                              "observing place, with its position and height."));
    combo->setEditable(true);
    for (const City& city : cities.rows)
        combo->addItem(QString::fromStdString(cityName(city, english)));
    combo->setObjectName(QStringLiteral("cityList"));
    combo->setCurrentIndex(index ? *index - 1 : -1);
    return combo;
}

// The observation place box: "From the list" with the city list, "Typed" with the typed place.
QGroupBox* placeBox(const QString& title, QButtonGroup* group, QComboBox* cities, QLineEdit* lon,
                    QLineEdit* lat, QLineEdit* height) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(radio(group, ExchangeDialog::tr("From the list"), 0,
                          ExchangeDialog::tr("Observe from the city chosen in the city list.")),
                    0, 0);
    grid->addWidget(cities, 0, 1, 1, 3);
    grid->addWidget(
        radio(group, ExchangeDialog::tr("Typed"), 1,
              ExchangeDialog::tr("Observe from the longitude, latitude and height typed.")),
        1, 0);
    labelled(grid, 1, 1, ExchangeDialog::tr("Longitude:"), lon,
             ExchangeDialog::tr(
                 "The observer's longitude in degrees, east positive and west negative (-360 to "
                 "360)."));
    labelled(grid, 2, 1, ExchangeDialog::tr("Latitude:"), lat,
             ExchangeDialog::tr(
                 "The observer's latitude in degrees, north positive and south negative (-90 to "
                 "90)."));
    labelled(grid, 3, 1, ExchangeDialog::tr("Height:"), height,
             ExchangeDialog::tr(
                 "The observer's height above sea level in metres (0 to 4000); left empty, the "
                 "relief grid's height there. It moves the contacts by up to seconds."));
    return box;
}

} // namespace

QString fieldErrorText(const FieldError& error) {
    const QString text = QCoreApplication::translate("vesk", error.message);
    return error.low.empty()
               ? text
               : text.arg(QString::fromStdString(error.low), QString::fromStdString(error.high));
}

ValidationReporter messageBoxReporter() {
    return [](QWidget* parent, const QString& message) {
        QMessageBox::warning(parent, QStringLiteral("vesk"), message);
    };
}

ExchangeDialog::ExchangeDialog(QWidget* parent, const QString& title, ValidationReporter reporter)
    : QDialog(parent), reporter(std::move(reporter)) {
    setWindowTitle(title);
    setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
}

QLineEdit* ExchangeDialog::numberField(double& target, const FieldRule& rule, const char* name,
                                       std::function<double()> whenEmpty) {
    auto* edit = new QLineEdit(numberText(target));
    edit->setObjectName(QLatin1String(name));
    fields.push_back({edit, &target, rule, std::move(whenEmpty)});
    return edit;
}

void ExchangeDialog::accept() {
    exchangeChoices();
    std::vector<std::optional<double>> values;
    for (const Field& field : fields) {
        if (field.whenEmpty && field.edit->text().trimmed().isEmpty()) {
            values.emplace_back();
            continue;
        }
        double value = 0;
        if (const auto message =
                validateField(field.edit->text().toStdString(), field.rule, value)) {
            const QString name = field.edit->accessibleName();
            const QString text = fieldErrorText(*message);
            reporter(this, name.isEmpty() ? text : tr("%1: %2").arg(name, text));
            field.edit->setFocus();
            field.edit->selectAll();
            return;
        }
        values.push_back(value);
    }
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (values[i])
            *fields[i].target = *values[i];
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!values[i])
            *fields[i].target = fields[i].whenEmpty();
    QDialog::accept();
}

YearMonthDialog::YearMonthDialog(QWidget* parent, const WhenFields& initial,
                                 ValidationReporter reporter)
    : ExchangeDialog(parent, tr("Year and Month"), std::move(reporter)), when(initial) {
    auto* grid = new QGridLayout;
    // The month is exchanged (and checked) before the year.
    QLineEdit* monthEdit = numberField(when.month, monthRule, "monthEdit");
    QLineEdit* yearEdit = numberField(when.year, yearRule, "yearEdit");
    labelled(grid, 0, 0, tr("Year(&P)  (-13000 to 16999) :"), yearEdit,
             tr("The year in astronomical numbering, -13000 to 16999: year 0 is 1 BC and -762 is "
                "763 BC, which may also be typed as \"763 BC\". Dates before 1582 October 15 are "
                "of the Julian calendar."));
    labelled(grid, 1, 0, tr("Month(&M)  (1 to 12) :"), monthEdit,
             tr("The month, 1 to 12: the window shows the eclipse of that month, or says that "
                "it has none."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

DisplayDialog::DisplayDialog(QWidget* parent, const DisplayFields& initial, const CityTable& cities,
                             ValidationReporter reporter, AppState* places)
    : ExchangeDialog(parent, tr("Display Mode"), std::move(reporter)), display(initial) {
    cityList = cityCombo(cities, display.cityIndex, display.englishNames);
    modeGroup = buttonGroup(this, "modeGroup");
    rangeGroup = buttonGroup(this, "rangeGroup");
    placeGroup = buttonGroup(this, "placeGroup");
    addTextFields(places);
    addChoices();
    QWidget* modes = modesBox(places);
    modeGroup->button(display.displayMode)->setChecked(true);
    rangeGroup->button(static_cast<int>(display.mapRange))->setChecked(true);
    placeGroup->button(static_cast<int>(display.observerInputMode))->setChecked(true);
    layOutFitted(this, modes, okCancelRow(this));
}

void DisplayDialog::addTextFields(AppState* places) {
    // In the exchange order of the dialog.
    magnificationEdit = numberField(display.magnification, magnificationRule, "magnificationEdit");
    centreLonEdit = numberField(display.centreLon, lonRule, "centreLonEdit");
    tableLonEdit = numberField(display.tableLon, lonRule, "tableLonEdit");
    tableStepEdit = numberField(display.tableStep, tableStepRule, "tableStepEdit");
    drawStepEdit = numberField(display.drawStepMinutes, drawStepRule, "drawStepEdit");
    // an empty height is the relief grid's at the place, as on the command line
    std::function<double()> reliefHeight;
    if (places != nullptr)
        reliefHeight = [this, places] {
            return groundHeightAt(*places, display.observerLon, display.observerLat);
        };
    heightEdit = numberField(display.observerHeight, heightRule, "heightEdit", reliefHeight);
    lonEdit = numberField(display.observerLon, lonRule, "lonEdit");
    centreLatEdit = numberField(display.centreLat, latRule, "centreLatEdit");
    latEdit = numberField(display.observerLat, latRule, "latEdit");
    deltaTEdit = numberField(display.deltaTAdjust, deltaTRule, "deltaTEdit");
    // empty: the catalog's radius
    solarRadiusEdit = numberField(display.solarRadiusArcsec, solarRadiusRule, "solarRadiusEdit",
                                  [] { return 0.0; });
    if (display.solarRadiusArcsec <= 0)
        solarRadiusEdit->clear();
}

void DisplayDialog::addChoices() {
    const DisplayFields& f = display;
    gridBox =
        checkBox(tr("Latitude and longitude grid"),
                 tr("Draws the lines of latitude and longitude over the map."), f.grid, "gridBox");
    kmlBox = checkBox(tr("Write KML files"),
                      tr("Writes the path as KML documents for Google Earth into the working "
                         "folder each time the map is drawn."),
                      f.kml, "kmlBox");
    bandBox = checkBox(
        tr("Band of ΔT uncertainty (±2σ)"),
        tr("Shades where the central path falls if ΔT (the Earth's clock error, which turns the "
           "globe under the shadow) lies within two standard errors of the model's, and tells "
           "on the local screen the chance that the eclipse was total or annular there."),
        f.deltaTBand, "bandBox");
    fillPathBox = checkBox(tr("Shade the central path"),
                           tr("Shades the ground inside the limits of totality or annularity."),
                           f.fillCentralPath, "fillPathBox");
    durationBox = checkBox(tr("Lines of equal duration"),
                           tr("Draws curves of equal duration of totality or annularity inside "
                              "the central path, labelled in minutes and seconds."),
                           f.durationCurves, "durationBox");
    trueLimitsBox = checkBox(
        tr("Limits with the lunar limb"),
        tr("On regional maps, shades the graze zones between the limits corrected for the "
           "mountains and valleys of the Moon's limb (LRO) and draws their interior limits; the "
           "local screen says whether the place sees the central phase with them. Needs the "
           "lunar elevation file LRO.dat."),
        f.trueLimits, "trueLimitsBox");
    northUpBox = checkBox(tr("North up (else the zenith)"),
                          tr("Turns the view from the place so that celestial north is up and "
                             "east on the left, as in a telescope's finder chart; else the "
                             "zenith is up, as the eye sees the sky."),
                          f.northUp, "northUpBox");
    deltaTModelList = textList("vesk::DisplayDialog",
                               {QT_TR_NOOP("Stephenson, Morrison & Hohenkerk 2020 (smh2020)"),
                                QT_TR_NOOP("Stephenson, Morrison & Hohenkerk 2016 (smh2016)"),
                                QT_TR_NOOP("Espenak & Meeus 2006 (em2006)")},
                               static_cast<int>(f.deltaTChoice.model), "deltaTModelList");
    ndotBox = checkBox(
        tr("ΔT for DE431's lunar acceleration (ṅ)"),
        tr("Corrects the model's ΔT from the lunar tidal acceleration it was derived with (ṅ "
           "-25.82 or -26″/cy²) to that of DE431, the ephemeris of the catalog (-25.80): about "
           "8 s at 136 BC, an hour at -12000."),
        f.deltaTChoice.ndotCorrected, "ndotBox");
    legendList = textList("vesk::DisplayDialog",
                          {QT_TR_NOOP("On the globe (not the Mercator map)"), QT_TR_NOOP("Always"),
                           QT_TR_NOOP("Never")},
                          static_cast<int>(f.legend), "legendList");
    vectorBaseMapBox = checkBox(tr("Use the CIA map"),
                                tr("Draws coasts, rivers and borders as lines (CIA World Data "
                                   "Bank II) instead of the coloured relief."),
                                f.vectorBaseMap, "vectorBaseMapBox");
    mercatorBox = checkBox(tr("Mercator projection"),
                           tr("Draws the whole world on the Mercator map instead of the globe."),
                           f.mercator, "mercatorBox");
}

QGroupBox* DisplayDialog::rangeBox() {
    auto* range = new QGroupBox(tr("Map range"));
    auto* grid = new QGridLayout(range);
    grid->addWidget(
        radio(rangeGroup, tr("Globe"), 0, tr("The whole globe, centred on greatest eclipse.")), 0,
        0);
    grid->addWidget(
        radio(rangeGroup, tr("Asia"), 1, tr("A regional globe of East Asia, with place names.")), 0,
        1);
    grid->addWidget(
        radio(rangeGroup, tr("Europe"), 2, tr("A regional globe of Europe, with place names.")), 0,
        2);
    grid->addWidget(vectorBaseMapBox, 1, 0);
    grid->addWidget(mercatorBox, 1, 1);
    grid->addWidget(radio(rangeGroup, tr("Typed values"), 3,
                          tr("A globe about the longitude and latitude typed below, "
                             "magnified as typed.")),
                    2, 0);
    labelled(grid, 3, 0, tr("Longitude:"), centreLonEdit,
             tr("The longitude of the map's centre in degrees, east positive (-360 to 360)."));
    labelled(grid, 4, 0, tr("Latitude:"), centreLatEdit,
             tr("The latitude of the map's centre in degrees, north positive (-90 to 90)."));
    labelled(grid, 5, 0, tr("Magnification:"), magnificationEdit,
             tr("The globe's radius in whole-globe radii (up to 5000): 20 shows a country, 1000 "
                "a town."));
    return range;
}

QGroupBox* DisplayDialog::settingsBox() {
    auto* settings = new QGroupBox(tr("Display settings"));
    auto* grid = new QGridLayout(settings);
    grid->addWidget(gridBox, 0, 0);
    labelled(grid, 1, 0, tr("Drawing step (minutes):"), drawStepEdit,
             tr("The time between the points of the curves, minutes (0.001 to 100): smaller "
                "draws smoother curves, more slowly."));
    grid->addWidget(kmlBox, 2, 0);
    labelled(grid, 3, 0, tr("ΔT adjustment (s):"), deltaTEdit,
             tr("Seconds added to the model's ΔT (-100000 to 100000). ΔT is how far the Earth's "
                "rotation lags uniform time; a larger ΔT moves the path west by 15 degrees an "
                "hour."));
    labelled(grid, 4, 0, tr("ΔT model:"), deltaTModelList,
             tr("The model of ΔT the eclipse is computed with: the 2020 spline of Stephenson, "
                "Morrison & Hohenkerk (the default), their 2016 spline, or the polynomials of "
                "Espenak & Meeus that the NASA canons use."));
    grid->addWidget(bandBox, 5, 0);
    grid->addWidget(fillPathBox, 6, 0);
    labelled(grid, 7, 0, tr("Legend:"), legendList,
             tr("Where the legend of the map's colours and marks and the labels of its curves are "
                "drawn."));
    grid->addWidget(durationBox, 8, 0);
    grid->addWidget(trueLimitsBox, 9, 0);
    labelled(grid, 10, 0, tr("Sun's radius (arcseconds at 1 au):"), solarRadiusEdit,
             tr("The Sun's angular radius at 1 au that the shadow's cones are computed with (900 "
                "to 1000): 959.95 as on recent eclipse maps. Empty: the catalog's 696,000 km "
                "(959.63). The map's legend says which."));
    grid->addWidget(ndotBox, 11, 0);
    return settings;
}

QGroupBox* DisplayDialog::observingPlaceBox(AppState* places) {
    QGroupBox* place =
        placeBox(tr("Observing place"), placeGroup, cityList, lonEdit, latEdit, heightEdit);
    if (places != nullptr)
        addPlaceField(*place, *places);
    return place;
}

QWidget* DisplayDialog::modesBox(AppState* places) {
    auto* modes = new QGroupBox(tr("Display mode"));
    auto* grid = new QGridLayout(modes);
    grid->addWidget(radio(modeGroup, tr("Eclipse path"), 0,
                          tr("The map of the eclipse's path with its curves and the panel of "
                             "greatest eclipse and the contacts.")),
                    0, 0);
    grid->addWidget(rangeBox(), 0, 1);
    grid->addWidget(settingsBox(), 1, 1);
    grid->addWidget(radio(modeGroup, tr("Central line table"), 1,
                          tr("The central line by longitude: its limits, time, duration, "
                             "width and the Sun's altitude.")),
                    2, 0);
    auto* table = new QGridLayout;
    labelled(table, 0, 0, tr("Longitude:"), tableLonEdit,
             tr("The first longitude of the table in degrees, east positive."));
    labelled(table, 0, 2, tr("Step:"), tableStepEdit,
             tr("The longitude between the table's rows, degrees (0.01 to 100)."));
    grid->addLayout(table, 2, 1);
    grid->addWidget(radio(modeGroup, tr("Local circumstances"), 2,
                          tr("The eclipse seen from the observing place: its contacts, "
                             "magnitude, the Sun's altitude and the clocks of the place.")),
                    3, 0);
    grid->addWidget(observingPlaceBox(places), 3, 1);
    grid->addWidget(radio(modeGroup, tr("View from the place"), displayPlaceView,
                          tr("The Sun and the Moon as the observing place sees them at the "
                             "time slider's instant (else the maximum): their sizes, the "
                             "horizon and the contacts on the Sun's limb.")),
                    4, 0);
    grid->addWidget(northUpBox, 4, 1);
    return modes;
}

void DisplayDialog::addPlaceField(QGroupBox& box, AppState& places) {
    auto* field = new PlaceField(places);
    const auto fill = [this](double lon, double lat, double height, ObserverPlace place) {
        place.lon = lon;
        place.lat = lat;
        namedPlace = std::move(place);
        lonEdit->setText(numberText(lon));
        latEdit->setText(numberText(lat));
        heightEdit->setText(numberText(height));
        placeGroup->button(1)->setChecked(true);
    };
    field->placeChosen = [fill, &places](const GazetteerPlace& p) {
        ObserverPlace chosen = observerPlaceOf(p, places.language == Language::japanese);
        chosen.heightSource = p.height ? HeightSource::gazetteer : HeightSource::reliefGrid;
        fill(p.lon, p.lat, p.height ? *p.height : groundHeightAt(places, p.lon, p.lat), chosen);
    };
    field->coordinatesChosen = [fill, &places](double lon, double lat) {
        ObserverPlace typed;
        typed.heightSource = HeightSource::reliefGrid;
        fill(lon, lat, groundHeightAt(places, lon, lat), typed);
    };
    auto* told = new QLabel;
    told->setObjectName(QStringLiteral("placeMessage"));
    field->tell = [told](const QString& message) { told->setText(message); };
    auto* grid = static_cast<QGridLayout*>(box.layout());
    labelled(grid, 4, 1, tr("Place:"), field,
             tr("Type a place name of the gazetteer and choose it, or its coordinates (\"36.36N "
                "43.15E\"; two bare numbers are longitude, latitude): its position and height "
                "fill the fields above."));
    grid->addWidget(told, 5, 1, 1, 2);
}

void DisplayDialog::exchangeChoices() {
    display.displayMode = static_cast<DisplayMode>(modeGroup->checkedId());
    display.mapRange = static_cast<MapRange>(rangeGroup->checkedId());
    display.observerInputMode = static_cast<ObserverInput>(placeGroup->checkedId());
    display.grid = gridBox->isChecked();
    display.kml = kmlBox->isChecked();
    display.deltaTBand = bandBox->isChecked();
    display.fillCentralPath = fillPathBox->isChecked();
    display.durationCurves = durationBox->isChecked();
    display.trueLimits = trueLimitsBox->isChecked();
    display.northUp = northUpBox->isChecked();
    display.legend = static_cast<MapLegend>(legendList->currentIndex());
    display.deltaTChoice = {static_cast<DeltaTModel>(deltaTModelList->currentIndex()),
                            ndotBox->isChecked()};
    display.vectorBaseMap = vectorBaseMapBox->isChecked();
    display.mercator = mercatorBox->isChecked();
    if (cityList->currentIndex() >= 0)
        display.cityIndex = cityList->currentIndex() + 1;
}

SearchDialog::SearchDialog(QWidget* parent, const ModeFields& initial, const CityTable& cities,
                           const ViewSettings& view, ValidationReporter reporter)
    : ExchangeDialog(parent, tr("Search Mode"), reporter), mode(initial) {
    modeGroup = buttonGroup(this, "modeGroup");
    placeGroup = buttonGroup(this, "placeGroup");
    addLists(cities, view.englishNames);
    addTextFields();
    QWidget* modes = modesBox();
    modeGroup->button(mode.searchMode)->setChecked(true);
    placeGroup->button(static_cast<int>(mode.observerInputMode))->setChecked(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton(view, std::move(reporter)));
    buttons->addStretch();
    buttons->addWidget(okCancel(this));
    layOutFitted(this, modes, buttons);
}

void SearchDialog::addLists(const CityTable& cities, bool englishNames) {
    cityList = cityCombo(cities, mode.cityIndex, englishNames);
    // the types by code 1 to 6, in the window's language
    typeList = explained(
        textList("vesk::SearchDialog",
                 {QT_TR_NOOP("Partial"), QT_TR_NOOP("Total"), QT_TR_NOOP("Annular"),
                  QT_TR_NOOP("Hybrid (annular-total)"), QT_TR_NOOP("Total without a central line"),
                  QT_TR_NOOP("Annular without a central line")},
                 mode.searchType - 1, "typeList"),
        tr("The type of eclipse that the search steps through."));
    seenList = textList("vesk::SearchDialog",
                        {QT_TR_NOOP("— (by magnitude or probability)"), QT_TR_NOOP("Total"),
                         QT_TR_NOOP("Annular"), QT_TR_NOOP("Total or annular"),
                         QT_TR_NOOP("At least the magnitude above")},
                        static_cast<int>(mode.seen), "seenList");
    whenList =
        textList("vesk::SearchDialog",
                 {QT_TR_NOOP("Any time with the Sun up"), QT_TR_NOOP("Sun's altitude (degrees)"),
                  QT_TR_NOOP("Local apparent time (hours)"), QT_TR_NOOP("Hours after sunrise"),
                  QT_TR_NOOP("Hours before sunset"), QT_TR_NOOP("Time-degrees after sunrise"),
                  QT_TR_NOOP("Time-degrees before sunset")},
                 static_cast<int>(mode.when), "whenList");
}

void SearchDialog::addTextFields() {
    // In the exchange order of the dialog.
    sarosEdit = numberField(mode.saros, sarosRule, "sarosEdit");
    lonEdit = numberField(mode.observerLon, lonRule, "lonEdit");
    magnitudeEdit = numberField(mode.minMagnitude, magnitudeRule, "magnitudeEdit");
    heightEdit = numberField(mode.observerHeight, heightRule, "heightEdit");
    latEdit = numberField(mode.observerLat, latRule, "latEdit");
    typePastEdit = numberField(mode.typePastYears, pastYearsRule, "typePastEdit");
    placePastEdit = numberField(mode.placePastYears, pastYearsRule, "placePastEdit");
    probabilityEdit = numberField(mode.minCentralProbability, probabilityRule, "probabilityEdit");
    whenFromEdit = numberField(mode.whenFrom, whenRule, "whenFromEdit");
    whenToEdit = numberField(mode.whenTo, whenRule, "whenToEdit");
}

QPushButton* SearchDialog::startButton(const ViewSettings& view, ValidationReporter reporter) {
    auto* button = explained(new QPushButton(tr("Search from year/month")),
                             tr("Chooses the year and month from which Previous and Next search."));
    button->setAutoDefault(false); // Enter presses OK, whatever has the focus
    connect(button, &QPushButton::clicked, this, [this, start = loadWhen(view), reporter] {
        YearMonthDialog when(this, mode.start.value_or(start), reporter);
        if (when.exec() == QDialog::Accepted)
            mode.start = when.fields();
    });
    return button;
}

namespace {

QString pastYearsTip() {
    return SearchDialog::tr(
        "How many years before the month shown the eclipse list searches (0 to 1000).");
}

} // namespace

QLayout* SearchDialog::typeRows() {
    auto* rows = new QGridLayout;
    rows->addWidget(typeList, 0, 0, 1, 2);
    labelled(rows, 1, 0, tr("Years searched back:"), typePastEdit, pastYearsTip());
    return rows;
}

QLayout* SearchDialog::placeRows() {
    auto* rows = new QGridLayout;
    rows->addWidget(
        placeBox(tr("Observing place"), placeGroup, cityList, lonEdit, latEdit, heightEdit), 0, 0,
        1, 2);
    labelled(rows, 1, 0, tr("Magnitude:"), magnitudeEdit,
             tr("The least magnitude at the place, 0 to 1.5: the share of the Sun's diameter "
                "that the Moon covers (1 or more: total)."));
    labelled(rows, 2, 0, tr("Years searched back:"), placePastEdit, pastYearsTip());
    labelled(rows, 3, 0, tr("Probability of a central eclipse (0: by magnitude):"), probabilityEdit,
             tr("The least chance, 0 to 1, that the eclipse was total or annular at the place "
                "given the uncertainty of ΔT; 0 searches by the magnitude instead."));
    labelled(rows, 4, 0, tr("Seen in the record:"), seenList,
             tr("Which eclipse a record describes: what it says was seen at the place with the "
                "Sun up. The list then gives every eclipse seen so with at least the "
                "probability above (0: 0.01) under the uncertainty of ΔT, the likeliest "
                "first."));
    labelled(rows, 5, 0, tr("When in the day:"), whenList,
             tr("When the record says it was seen, at the maximum: the Sun's altitude, the "
                "local apparent time, or the time after sunrise or before sunset (1 "
                "time-degree is 4 minutes), from and to the values below."));
    auto* whenSpan = new QHBoxLayout;
    whenSpan->addWidget(explained(whenFromEdit, tr("The span's start.")));
    whenSpan->addWidget(new QLabel(tr("to")));
    whenSpan->addWidget(explained(whenToEdit, tr("The span's end.")));
    rows->addWidget(new QLabel(tr("From:")), 6, 0);
    rows->addLayout(whenSpan, 6, 1);
    return rows;
}

QWidget* SearchDialog::modesBox() {
    auto* modes = new QGroupBox(tr("Search mode"));
    auto* grid = new QGridLayout(modes);
    grid->addWidget(
        radio(modeGroup, tr("All"), 0, tr("Previous and Next step through every eclipse.")), 0, 0);
    grid->addWidget(radio(modeGroup, tr("Eclipse type"), 1,
                          tr("Previous and Next step through eclipses of the type chosen.")),
                    1, 0);
    grid->addLayout(typeRows(), 1, 1);
    grid->addWidget(radio(modeGroup, tr("Place / magnitude"), 2,
                          tr("Previous and Next step through eclipses seen from the observing "
                             "place with the Sun up and at least the magnitude typed.")),
                    2, 0);
    grid->addLayout(placeRows(), 2, 1);
    grid->addWidget(radio(modeGroup, tr("Saros series"), 3,
                          tr("Previous and Next step through one Saros series: eclipses 18 years "
                             "11 days apart that repeat each other.")),
                    3, 0);
    grid->addWidget(explained(sarosEdit, tr("The number of the Saros series (-400 to 400).")), 3,
                    1);
    return modes;
}

void SearchDialog::exchangeChoices() {
    mode.searchMode = static_cast<SearchMode>(modeGroup->checkedId());
    mode.observerInputMode = static_cast<ObserverInput>(placeGroup->checkedId());
    mode.seen = static_cast<ModeFields::Seen>(seenList->currentIndex());
    mode.when = static_cast<ModeFields::When>(whenList->currentIndex());
    mode.searchType = typeList->currentIndex() + 1;
    if (cityList->currentIndex() >= 0)
        mode.cityIndex = cityList->currentIndex() + 1;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About vesk"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("vesk version %1\n"
           "\n"
           "Eclipse catalog: 71,251 solar eclipses computed from JPL DE431\n"
           "(from -12999 August 31 to 16996 November 29, UT)\n"
           "\n"
           "Sources of the data and their terms:\n"
           "- JPL DE431 ephemeris (NASA Jet Propulsion Laboratory, public domain)\n"
           "- ETOPO5 relief (NOAA National Geophysical Data Center, public domain)\n"
           "- GSHHG coasts, rivers and borders (P. Wessel, W. H. F. Smith, LGPL 3)\n"
           "- GeoNames gazetteer cities15000 (www.geonames.org, CC BY 4.0)\n"
           "- timezone-boundary-builder time zone boundaries (OpenStreetMap contributors, ODbL)\n"
           "- LRO LOLA lunar relief LDEM (NASA PDS, public domain)\n"
           "\n"
           "vesk is free software, distributed under the GNU General Public License, version 3 or "
           "later (GPL-3.0-or-later).")
            .arg(QStringLiteral(VESK_VERSION))));
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(box);
}

} // namespace vesk
