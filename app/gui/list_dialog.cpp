// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_dialog.h"

#include "clock.h"
#include "eclipse_list.h"
#include "explained.h"
#include "messages.h"
#include "saros.h"
#include "translation.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusTipEvent>

namespace vesk {

namespace {
// Bounds of the text boxes.
const FieldRule startRule{false, -13000, 17000, true}, periodRule{false, 1, 5000};
// The period of an opening; a Saros search lists a series over sarosPeriod years.
constexpr double defaultPeriod = 10, sarosPeriod = 2000;
} // namespace

EclipseListDialog::EclipseListDialog(QWidget* view, const ViewSettings& settings,
                                     const ChosenEclipse& shown, Session& session,
                                     SearchMessage message, BackgroundWork& work,
                                     ValidationReporter reporter, TypeNames names)
    : QDialog(view), view(view), names(names), settings(settings), shown(shown), session(session),
      message(std::move(message)), work(work), reporter(std::move(reporter)) {
    setWindowTitle(tr("Eclipse List"));
    setModal(false);
    setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    list = explained(new QListWidget,
                     tr("The eclipses found: date, type, Saros series and member. A double click "
                        "shows one."));
    list->setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    startEdit = explained(new QLineEdit, tr("The first year searched, -13000 to 16999 (a year "
                                            "before 1 also as \"763 BC\")."));
    periodEdit = explained(new QLineEdit,
                           tr("How many years are searched from the first year (1 to 5000)."));
    searchButton = explained(new QPushButton(tr("Search")),
                             tr("Lists the eclipses of those years that the search mode finds "
                                "(at most 100)."));
    stopButton = explained(new QPushButton(tr("Stop")), tr("Stops a search that is running."));
    stopButton->setEnabled(false);
    progress = new QProgressBar;
    progress->setVisible(false);
    auto* drawButton = explained(new QPushButton(tr("Draw eclipse")),
                                 tr("Shows the eclipse selected in the list in the window."));
    auto* closeButton = new QPushButton(tr("Close"));
    auto* cancelButton = new QPushButton(tr("Cancel"));
    closeButton->setDefault(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(list, 0, 0, 8, 1);
    grid->addWidget(new QLabel(tr("First year")), 0, 1);
    grid->addWidget(startEdit, 1, 1);
    grid->addWidget(new QLabel(tr("Years searched")), 2, 1);
    grid->addWidget(periodEdit, 3, 1);
    grid->addWidget(searchButton, 4, 1);
    grid->addWidget(drawButton, 5, 1);
    grid->addWidget(closeButton, 6, 1);
    grid->addWidget(cancelButton, 7, 1);
    grid->addWidget(progress, 8, 0);
    grid->addWidget(stopButton, 8, 1);
    connect(searchButton, &QPushButton::clicked, this, &EclipseListDialog::search);
    connect(stopButton, &QPushButton::clicked, this, &EclipseListDialog::stopSearch);
    connect(list, &QListWidget::currentRowChanged, this,
            [&session](int row) { session.selectedHit = std::max(0, row - 1); });
    const auto showListed = [this] {
        QApplication::postEvent(this->view, new QEvent(showListedEclipseEvent));
    };
    connect(drawButton, &QPushButton::clicked, this, showListed);
    // a double-click on an eclipse's line shows it (the header line shows the first)
    connect(list, &QListWidget::itemDoubleClicked, this, showListed);
    connect(closeButton, &QPushButton::clicked, this, &EclipseListDialog::reject);
    connect(cancelButton, &QPushButton::clicked, this, &EclipseListDialog::reject);
    initialise();
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
    fill(true);
}

void EclipseListDialog::fill(bool initial) {
    list->clear();
    list->addItem(QString::fromUtf8(listHeader));
    for (const SearchHit& hit : session.searchHits)
        list->addItem(QString::fromStdString(listLine(hit, {ListDate::readable, names, initial})));
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
    }
    work.stop(); // a repaint under way gives way; the view repaints after the search
    const SearchCriteria criteria = viewSearchCriteria(settings, shown.record.saros);
    const double from = startYear, span = period;
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
        [this, snapshot = settings, criteria, from, span, messages,
         reached](std::stop_token stop) mutable {
            const SearchMessage collect = [&messages](int x, int y, const char* text) {
                messages->push_back({x, y, text});
            };
            session.view = snapshot; // the place search's observer is the window's
            collectMatches(session, collect, from, span, criteria, maxSearchHits, stop, reached);
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
    fill(false);
    if (session.searchHits.size() >= static_cast<std::size_t>(maxSearchHits)) {
        QStatusTipEvent tip(QString::fromStdString(translated(messageListFull)));
        QApplication::sendEvent(view, &tip);
    }
}

void EclipseListDialog::reject() {
    // The dialog never ends itself: the view closes its window.
    QApplication::postEvent(view, new QEvent(closeListEvent));
}

} // namespace vesk
