// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_dialog.h"

#include "civil_time.h"
#include "clock.h"
#include "eclipse_list.h"
#include "explained.h"
#include "messages.h"
#include "saros.h"
#include "timescales.h"
#include "translation.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

#include <cmath>

namespace vesk {

namespace {
// Bounds of the text boxes.
const FieldRule startRule{false, -13000, 17000, true}, periodRule{false, 1, 5000},
    limitRule{true, 1, 10000};
// The period of an opening; a Saros search lists a series over sarosPeriod years.
constexpr double defaultPeriod = 10, sarosPeriod = 2000;
// The list's narrowest width, pixels.
constexpr int listMinimumWidth = 360;

// "2035-09-02", "-762-06-15 (763 BC, Julian)": a hit's UT date with its calendar.
QString hitDate(const SearchHit& hit) {
    return QString::asprintf("%.0f-%02.0f-%02.0f", hit.year, hit.month, hit.day) +
           QString::fromStdString(calendarNote(hit.year, hit.month, hit.day));
}
} // namespace

EclipseListDialog::EclipseListDialog(QWidget* view, const ViewSettings& settings,
                                     const ChosenEclipse& shown, Session& session,
                                     PlaceRecords& places, SearchMessage message,
                                     BackgroundWork& work, ValidationReporter reporter,
                                     TypeNames names)
    : QDialog(view), view(view), names(names), settings(settings), shown(shown), session(session),
      places(places), message(std::move(message)), work(work), reporter(std::move(reporter)) {
    setWindowTitle(tr("Eclipse List"));
    setModal(false);
    setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    createFields();
    layOutAndConnect();
    initialise();
}

void EclipseListDialog::createFields() {
    list = explained(new QTreeWidget,
                     tr("The eclipses found: date, type, Saros series and member; for a place "
                        "search also the maximum there, its magnitude, obscuration and the Sun's "
                        "altitude. A double click shows the whole eclipse."));
    list->setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAlternatingRowColors(true);
    list->setMinimumWidth(listMinimumWidth);
    limitEdit = explained(new QLineEdit, tr("The most eclipses listed (1 to 10000): the search "
                                            "stops when it has found so many."));
    limitNote = new QLabel;
    limitNote->setWordWrap(true);
    limitNote->setVisible(false);
    startEdit = explained(new QLineEdit, tr("The first year searched, -13000 to 16999 (a year "
                                            "before 1 also as \"763 BC\")."));
    periodEdit = explained(new QLineEdit,
                           tr("How many years are searched from the first year (1 to 5000)."));
    searchButton = explained(new QPushButton(tr("Search")),
                             tr("Lists the eclipses of those years that the search mode finds, "
                                "up to the limit."));
    stopButton = explained(new QPushButton(tr("Stop")), tr("Stops a search that is running."));
    stopButton->setEnabled(false);
    progress = new QProgressBar;
    progress->setVisible(false);
}

void EclipseListDialog::layOutAndConnect() {
    auto* drawButton = explained(new QPushButton(tr("Draw eclipse")),
                                 tr("Shows the eclipse selected in the list in the window."));
    auto* closeButton = new QPushButton(tr("Close"));
    auto* cancelButton = new QPushButton(tr("Cancel"));
    closeButton->setDefault(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(list, 0, 0, 10, 1);
    grid->addWidget(new QLabel(tr("First year")), 0, 1);
    grid->addWidget(startEdit, 1, 1);
    grid->addWidget(new QLabel(tr("Years searched")), 2, 1);
    grid->addWidget(periodEdit, 3, 1);
    grid->addWidget(new QLabel(tr("Most eclipses")), 4, 1);
    grid->addWidget(limitEdit, 5, 1);
    grid->addWidget(searchButton, 6, 1);
    grid->addWidget(drawButton, 7, 1);
    grid->addWidget(closeButton, 8, 1);
    grid->addWidget(cancelButton, 9, 1);
    grid->addWidget(limitNote, 10, 0);
    grid->addWidget(progress, 11, 0);
    grid->addWidget(stopButton, 11, 1);
    connect(searchButton, &QPushButton::clicked, this, &EclipseListDialog::search);
    connect(stopButton, &QPushButton::clicked, this, &EclipseListDialog::stopSearch);
    connect(list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        this->session.selectedHit = std::max(0, list->indexOfTopLevelItem(item));
    });
    const auto showListed = [this] {
        QApplication::postEvent(this->view, new QEvent(showListedEclipseEvent));
    };
    connect(drawButton, &QPushButton::clicked, this, showListed);
    // a double-click on an eclipse's row shows it
    connect(list, &QTreeWidget::itemDoubleClicked, this, showListed);
    connect(closeButton, &QPushButton::clicked, this, &EclipseListDialog::reject);
    connect(cancelButton, &QPushButton::clicked, this, &EclipseListDialog::reject);
}

void EclipseListDialog::initialise() {
    startYear = currentLocalMonth().year;
    period = defaultPeriod;
    if (settings.searchMode == searchSarosNumber) {
        startYear = std::trunc(sarosStartYear(shown.record.saros).value_or(startYear));
        period = sarosPeriod;
    }
    startEdit->setText(QString::number(startYear, 'g', 12));
    periodEdit->setText(QString::number(period, 'g', 12));
    limitEdit->setText(QString::number(limit, 'g', 12));
    fill();
}

void EclipseListDialog::fill() {
    list->clear();
    const bool atPlace = std::ranges::any_of(
        session.searchHits, [](const SearchHit& hit) { return hit.atPlace.has_value(); });
    const bool withChance = std::ranges::any_of(
        session.searchHits, [](const SearchHit& hit) { return hit.centralProbability >= 0; });
    QStringList heads{tr("Date (UT)"), tr("Type"), tr("Saros")};
    if (withChance)
        heads << (settings.searchEvidence ? tr("Chance of the sighting")
                                          : tr("Chance of a central eclipse"));
    if (atPlace)
        heads << tr("Maximum (UT)") << tr("On the place's clocks") << tr("Magnitude")
              << tr("Obscuration") << tr("Sun's altitude");
    list->setColumnCount(static_cast<int>(heads.size()));
    list->setHeaderLabels(heads);
    const PlaceClocks clocks =
        atPlace ? placeClocks(observerPlace(settings, places), settings.observerLon)
                : PlaceClocks{};
    const auto& typeNames = names == TypeNames::english ? englishTypeNames : listTypeNames;
    for (const SearchHit& hit : session.searchHits) {
        const auto type = static_cast<std::size_t>(std::clamp(hit.typeCode, 0.0, 6.0));
        QStringList cells{
            hitDate(hit), QString::fromUtf8(typeNames[type]),
            QString::asprintf("%.0f/%d", hit.saros, sarosMember(hit.year, hit.saros))};
        if (withChance)
            cells << QString::asprintf("%.3f", hit.centralProbability);
        if (const std::optional<PlaceMaximum>& at = hit.atPlace) {
            // "19:25:35": the time of day of a Julian date, which begins at noon
            const auto timeOfDay = [](double jd) {
                return QString::fromStdString(hmsOfHours(24 * (jd + 0.5)));
            };
            const auto clock = clocks.clockAt ? clocks.clockAt(at->jdUt) : std::nullopt;
            cells << timeOfDay(at->jdUt)
                  << (clock ? timeOfDay(at->jdUt + clock->offsetSeconds / 86400.0) +
                                  QLatin1Char(' ') + QString::fromStdString(clock->abbreviation)
                            : QString())
                  << QString::asprintf("%.3f", at->magnitude)
                  << QString::asprintf("%.1f %%", 100 * at->obscuration)
                  << QString::asprintf("%.1f°", at->sunAltitude);
        }
        list->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    // the dialog widens to show every column, within the screen
    int columns = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < list->columnCount(); ++column) {
        list->resizeColumnToContents(column);
        columns += list->columnWidth(column);
    }
    const int room = screen()->availableGeometry().width() - (width() - list->width());
    list->setMinimumWidth(std::clamp(columns, listMinimumWidth, std::max(listMinimumWidth, room)));
    resize(std::max(width(), sizeHint().width()), height());
}

void EclipseListDialog::search() {
    // Validation stops at the first bad box, but the search runs with what was read.
    double value = 0;
    if (const auto error = validateField(startEdit->text().toStdString(), startRule, value)) {
        reporter(this, fieldErrorText(*error));
    } else {
        startYear = value;
        if (const auto periodError =
                validateField(periodEdit->text().toStdString(), periodRule, value))
            reporter(this, fieldErrorText(*periodError));
        else
            period = value;
        if (const auto limitError =
                validateField(limitEdit->text().toStdString(), limitRule, value))
            reporter(this, fieldErrorText(*limitError));
        else
            limit = value;
    }
    work.stop(); // a repaint under way gives way; the view repaints after the search
    const SearchCriteria criteria = viewSearchCriteria(settings, shown.record.saros);
    const double from = startYear, span = period;
    const int most = static_cast<int>(limit);
    limitNote->setVisible(false);
    auto messages = std::make_shared<std::vector<SearchNote>>();
    progress->setRange(0, 1000);
    progress->setValue(0);
    progress->setVisible(true);
    searchButton->setEnabled(false);
    stopButton->setEnabled(true);
    // The progress bar follows the year reached, once a year at most.
    const auto reached = [this, from, span, last = -1](double year) mutable {
        const int permille = static_cast<int>(std::clamp((year - from) / span, 0.0, 1.0) * 1000);
        if (permille == last)
            return;
        last = permille;
        QMetaObject::invokeMethod(progress, [this, permille] { progress->setValue(permille); });
    };
    work.start(
        BackgroundWork::Kind::search,
        [this, snapshot = settings, criteria, from, span, most, messages,
         reached](std::stop_token stop) mutable {
            const SearchMessage collect = [&messages](int x, int y, const char* text) {
                messages->push_back({x, y, text});
            };
            session.view = snapshot; // the place search's observer is the window's
            collectMatches(session, collect, from, span, criteria, most, stop, reached);
            if (snapshot.searchEvidence)
                sortByProbability(session.searchHits);
        },
        [this, messages](bool) { searchEnded(*messages); });
}

void EclipseListDialog::stopSearch() {
    if (work.busy() && work.kind() == BackgroundWork::Kind::search)
        work.stop();
}

void EclipseListDialog::searchEnded(const std::vector<SearchNote>& messages) {
    for (const SearchNote& note : messages)
        message(note.x, note.y, note.text.c_str());
    progress->setVisible(false);
    searchButton->setEnabled(true);
    stopButton->setEnabled(false);
    fill();
    if (session.searchHits.size() >= static_cast<std::size_t>(limit)) {
        limitNote->setText(tr("The search stopped at %1 eclipses: a larger limit or fewer years "
                              "lists the rest.")
                               .arg(session.searchHits.size()));
        limitNote->setVisible(true);
    }
}

void EclipseListDialog::reject() {
    // The dialog never ends itself: the view closes its window.
    QApplication::postEvent(view, new QEvent(closeListEvent));
}

} // namespace vesk
