// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs.h"

#include "catalog.h"
#include "place_field.h"
#include "place_options.h"

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

// What a dialog's title bar, frame and layout margins take of the screen's height, pixels.
constexpr int windowDecorationAllowance = 80;

QString numberText(double v) {
    return QString::number(v, 'g', 12);
}

QRadioButton* radio(QButtonGroup* group, const QString& text, int id) {
    auto* button = new QRadioButton(text);
    group->addButton(button, id);
    return button;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* box = new QDialogButtonBox;
    box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    box->addButton(QCoreApplication::translate("ExchangeDialog", "Cancel"),
                   QDialogButtonBox::RejectRole);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

// The dialog's content above its row of buttons. Where the content is taller than the screen
// leaves room for (a large text size or scale, a small screen), it scrolls, and the buttons stay
// on the screen.
void layOutFitted(QDialog* dialog, QWidget* content, QLayout* buttons) {
    auto* layout = new QVBoxLayout(dialog);
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const int room = screen->availableGeometry().height() - buttons->sizeHint().height() -
                     windowDecorationAllowance;
    if (content->sizeHint().height() <= room) {
        layout->addWidget(content);
    } else {
        auto* scroll = new QScrollArea;
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidget(content);
        scroll->setMinimumWidth(content->sizeHint().width() +
                                scroll->verticalScrollBar()->sizeHint().width());
        scroll->setFixedHeight(room);
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
void labelled(QGridLayout* grid, int row, int column, const QString& label, QWidget* field) {
    auto* text = new QLabel(label);
    text->setBuddy(field);
    QString name = label;
    name.remove(
        QRegularExpression(QStringLiteral("\\(&.\\)|&|（[^）]*）|\\s*\\([^)]*\\)|\\s*[:：]\\s*$")));
    field->setAccessibleName(name);
    grid->addWidget(text, row, column);
    grid->addWidget(field, row, column + 1);
}

// The names of the city table in a list whose choice stores row + 1 into index at once.
QComboBox* cityCombo(const CityTable& cities, std::optional<int>& index, bool english) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    for (const City& city : cities.rows)
        combo->addItem(QString::fromStdString(cityName(city, english)));
    combo->setCurrentIndex(index ? *index - 1 : -1);
    QObject::connect(combo, &QComboBox::activated, combo, [&index](int row) { index = row + 1; });
    return combo;
}

// The observation place box: "From the list" with the city list, "Typed" with the typed place.
QGroupBox* placeBox(const QString& title, QButtonGroup* group, QComboBox* cities, QLineEdit* lon,
                    QLineEdit* lat, QLineEdit* height) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->addWidget(radio(group, QCoreApplication::translate("ExchangeDialog", "From the list"), 0),
                    0, 0);
    grid->addWidget(cities, 0, 1, 1, 3);
    grid->addWidget(radio(group, QCoreApplication::translate("ExchangeDialog", "Typed"), 1), 1, 0);
    labelled(grid, 1, 1, QCoreApplication::translate("ExchangeDialog", "Longitude:"), lon);
    labelled(grid, 2, 1, QCoreApplication::translate("ExchangeDialog", "Latitude:"), lat);
    labelled(grid, 3, 1, QCoreApplication::translate("ExchangeDialog", "Height:"), height);
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

QLineEdit* ExchangeDialog::numberField(double& target, const FieldRule& rule,
                                       std::function<double()> whenEmpty) {
    auto* edit = new QLineEdit(numberText(target));
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
    : ExchangeDialog(parent, tr("Year and Month"), std::move(reporter)), fields(initial) {
    auto* grid = new QGridLayout;
    // The month is exchanged (and checked) before the year.
    monthEdit = numberField(fields.month, monthRule);
    yearEdit = numberField(fields.year, yearRule);
    labelled(grid, 0, 0, tr("Year(&P)  (-13000 to 16999) :"), yearEdit);
    labelled(grid, 1, 0, tr("Month(&M)  (1 to 12) :"), monthEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(okCancel(this));
}

DisplayDialog::DisplayDialog(QWidget* parent, const DisplayFields& initial, const CityTable& cities,
                             std::optional<int>& cityIndex, ValidationReporter reporter,
                             AppState* places)
    : ExchangeDialog(parent, tr("Display Mode"), std::move(reporter)), fields(initial) {
    cityList = cityCombo(cities, cityIndex, fields.englishNames);
    modeGroup = new QButtonGroup(this);
    rangeGroup = new QButtonGroup(this);
    placeGroup = new QButtonGroup(this);
    // Text fields in the exchange order of the dialog.
    magnificationEdit = numberField(fields.magnification, magnificationRule);
    centreLonEdit = numberField(fields.centreLon, lonRule);
    tableLonEdit = numberField(fields.tableLon, lonRule);
    tableStepEdit = numberField(fields.tableStep, tableStepRule);
    drawStepEdit = numberField(fields.drawStepMinutes, drawStepRule);
    // an empty height is the relief grid's at the place, as on the command line
    std::function<double()> reliefHeight;
    if (places != nullptr)
        reliefHeight = [this, places] {
            return groundHeightAt(*places, fields.observerLon, fields.observerLat);
        };
    heightEdit = numberField(fields.observerHeight, heightRule, reliefHeight);
    lonEdit = numberField(fields.observerLon, lonRule);
    centreLatEdit = numberField(fields.centreLat, latRule);
    latEdit = numberField(fields.observerLat, latRule);
    deltaTEdit = numberField(fields.deltaTAdjust, deltaTRule);
    gridBox = new QCheckBox(tr("Latitude and longitude grid"));
    kmlBox = new QCheckBox(tr("Write KML files"));
    bandBox = new QCheckBox(tr("Band of ΔT uncertainty (±2σ)"));
    bandBox->setChecked(fields.deltaTBand);
    fillPathBox = new QCheckBox(tr("Shade the central path"));
    fillPathBox->setChecked(fields.fillCentralPath);
    durationBox = new QCheckBox(tr("Lines of equal duration"));
    durationBox->setChecked(fields.durationCurves);
    legendList = new QComboBox;
    legendList->addItems({tr("On the globe (not the Mercator map)"), tr("Always"), tr("Never")});
    legendList->setCurrentIndex(static_cast<int>(fields.legend));
    vectorBaseMapBox = new QCheckBox(tr("Use the CIA map"));
    mercatorBox = new QCheckBox(tr("Mercator projection"));
    gridBox->setChecked(fields.grid);
    kmlBox->setChecked(fields.kml);
    vectorBaseMapBox->setChecked(fields.vectorBaseMap);
    mercatorBox->setChecked(fields.mercator);

    auto* range = new QGroupBox(tr("Map range"));
    auto* rangeGrid = new QGridLayout(range);
    rangeGrid->addWidget(radio(rangeGroup, tr("Globe"), 0), 0, 0);
    rangeGrid->addWidget(radio(rangeGroup, tr("Asia"), 1), 0, 1);
    rangeGrid->addWidget(radio(rangeGroup, tr("Europe"), 2), 0, 2);
    rangeGrid->addWidget(vectorBaseMapBox, 1, 0);
    rangeGrid->addWidget(mercatorBox, 1, 1);
    rangeGrid->addWidget(radio(rangeGroup, tr("Typed values"), 3), 2, 0);
    labelled(rangeGrid, 3, 0, tr("Longitude:"), centreLonEdit);
    labelled(rangeGrid, 4, 0, tr("Latitude:"), centreLatEdit);
    labelled(rangeGrid, 5, 0, tr("Magnification:"), magnificationEdit);
    auto* settings = new QGroupBox(tr("Display settings"));
    auto* settingsGrid = new QGridLayout(settings);
    settingsGrid->addWidget(gridBox, 0, 0);
    labelled(settingsGrid, 1, 0, tr("Drawing step (minutes):"), drawStepEdit);
    settingsGrid->addWidget(kmlBox, 2, 0);
    labelled(settingsGrid, 3, 0, tr("ΔT adjustment (s):"), deltaTEdit);
    settingsGrid->addWidget(bandBox, 5, 0);
    settingsGrid->addWidget(fillPathBox, 6, 0);
    labelled(settingsGrid, 7, 0, tr("Legend:"), legendList);
    settingsGrid->addWidget(durationBox, 8, 0);
    QGroupBox* place =
        placeBox(tr("Observing place"), placeGroup, cityList, lonEdit, latEdit, heightEdit);
    if (places != nullptr)
        addPlaceField(*place, *places);

    auto* modes = new QGroupBox(tr("Display mode"));
    auto* modeGrid = new QGridLayout(modes);
    modeGrid->addWidget(radio(modeGroup, tr("Eclipse path"), 0), 0, 0);
    modeGrid->addWidget(range, 0, 1);
    modeGrid->addWidget(settings, 1, 1);
    modeGrid->addWidget(radio(modeGroup, tr("Central line table"), 1), 2, 0);
    auto* table = new QGridLayout;
    labelled(table, 0, 0, tr("Longitude:"), tableLonEdit);
    labelled(table, 0, 2, tr("Step:"), tableStepEdit);
    modeGrid->addLayout(table, 2, 1);
    modeGrid->addWidget(radio(modeGroup, tr("Local circumstances"), 2), 3, 0);
    modeGrid->addWidget(place, 3, 1);
    modeGroup->button(fields.displayMode)->setChecked(true);
    rangeGroup->button(static_cast<int>(fields.mapRange))->setChecked(true);
    placeGroup->button(static_cast<int>(fields.observerInputMode))->setChecked(true);

    layOutFitted(this, modes, okCancelRow(this));
}

void DisplayDialog::addPlaceField(QGroupBox& box, AppState& places) {
    auto* field = new PlaceField(places);
    field->placeChosen = [this, &places](const GazetteerPlace& p) {
        const double height = p.height ? *p.height : groundHeightAt(places, p.lon, p.lat);
        chosenPlace = observerPlaceOf(p, places.language == Language::japanese);
        chosenPlace->heightSource = p.height ? HeightSource::gazetteer : HeightSource::reliefGrid;
        lonEdit->setText(numberText(p.lon));
        latEdit->setText(numberText(p.lat));
        heightEdit->setText(numberText(height));
        placeGroup->button(1)->setChecked(true);
    };
    auto* grid = static_cast<QGridLayout*>(box.layout());
    labelled(grid, 4, 1, tr("Place:"), field);
}

void DisplayDialog::exchangeChoices() {
    fields.displayMode = static_cast<DisplayMode>(modeGroup->checkedId());
    fields.mapRange = static_cast<MapRange>(rangeGroup->checkedId());
    fields.observerInputMode = static_cast<ObserverInput>(placeGroup->checkedId());
    fields.grid = gridBox->isChecked();
    fields.kml = kmlBox->isChecked();
    fields.deltaTBand = bandBox->isChecked();
    fields.fillCentralPath = fillPathBox->isChecked();
    fields.durationCurves = durationBox->isChecked();
    fields.legend = static_cast<MapLegend>(legendList->currentIndex());
    fields.vectorBaseMap = vectorBaseMapBox->isChecked();
    fields.mercator = mercatorBox->isChecked();
}

SearchDialog::SearchDialog(QWidget* parent, const ModeFields& initial, const CityTable& cities,
                           std::optional<int>& cityIndex, int& pendingType, ViewSettings& view,
                           ValidationReporter reporter)
    : ExchangeDialog(parent, tr("Search Mode"), reporter), fields(initial) {
    cityList = cityCombo(cities, cityIndex, view.englishNames);
    typeList = new QComboBox;
    // the types by code 1 to 6, in the window's language
    for (const char* name :
         {QT_TR_NOOP("Partial"), QT_TR_NOOP("Total"), QT_TR_NOOP("Annular"),
          QT_TR_NOOP("Hybrid (annular-total)"), QT_TR_NOOP("Total without a central line"),
          QT_TR_NOOP("Annular without a central line")})
        typeList->addItem(tr(name));
    typeList->setCurrentIndex(pendingType - 1);
    connect(typeList, &QComboBox::activated, this,
            [&pendingType](int row) { pendingType = row + 1; });
    auto* startButton = new QPushButton(tr("Search from year/month"));
    startButton->setAutoDefault(false); // Enter presses OK, whatever has the focus
    connect(startButton, &QPushButton::clicked, this, [this, &view, reporter] {
        YearMonthDialog when(this, loadWhen(view), reporter);
        if (when.exec() == QDialog::Accepted)
            storeWhen(view, when.fields);
    });
    modeGroup = new QButtonGroup(this);
    placeGroup = new QButtonGroup(this);
    sarosEdit = numberField(fields.saros, sarosRule);
    lonEdit = numberField(fields.observerLon, lonRule);
    magnitudeEdit = numberField(fields.minMagnitude, magnitudeRule);
    heightEdit = numberField(fields.observerHeight, heightRule);
    latEdit = numberField(fields.observerLat, latRule);
    typePastEdit = numberField(fields.typePastYears, pastYearsRule);
    placePastEdit = numberField(fields.placePastYears, pastYearsRule);
    probabilityEdit = numberField(fields.minCentralProbability, probabilityRule);

    auto* modes = new QGroupBox(tr("Search mode"));
    auto* grid = new QGridLayout(modes);
    grid->addWidget(radio(modeGroup, tr("All"), 0), 0, 0);
    grid->addWidget(radio(modeGroup, tr("Eclipse type"), 1), 1, 0);
    auto* typeRow = new QGridLayout;
    typeRow->addWidget(typeList, 0, 0, 1, 2);
    labelled(typeRow, 1, 0, tr("Years searched back:"), typePastEdit);
    grid->addLayout(typeRow, 1, 1);
    grid->addWidget(radio(modeGroup, tr("Place / magnitude"), 2), 2, 0);
    QGroupBox* place =
        placeBox(tr("Observing place"), placeGroup, cityList, lonEdit, latEdit, heightEdit);
    auto* placeRows = new QGridLayout;
    placeRows->addWidget(place, 0, 0, 1, 2);
    labelled(placeRows, 1, 0, tr("Magnitude:"), magnitudeEdit);
    labelled(placeRows, 2, 0, tr("Years searched back:"), placePastEdit);
    labelled(placeRows, 3, 0, tr("Probability of a central eclipse (0: by magnitude):"),
             probabilityEdit);
    grid->addLayout(placeRows, 2, 1);
    grid->addWidget(radio(modeGroup, tr("Saros series"), 3), 3, 0);
    grid->addWidget(sarosEdit, 3, 1);
    modeGroup->button(fields.searchMode)->setChecked(true);
    placeGroup->button(static_cast<int>(fields.observerInputMode))->setChecked(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton);
    buttons->addStretch();
    buttons->addWidget(okCancel(this));
    layOutFitted(this, modes, buttons);
}

void SearchDialog::exchangeChoices() {
    fields.searchMode = static_cast<SearchMode>(modeGroup->checkedId());
    fields.observerInputMode = static_cast<ObserverInput>(placeGroup->checkedId());
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
