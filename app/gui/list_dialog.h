// SPDX-License-Identifier: GPL-3.0-or-later
// The modeless eclipse list: the list search over a span of years and its hits, one per row
// (date, type, Saros series and member; for a place search also the maximum there in UT and on
// the place's clocks, the magnitude, the obscuration and the Sun's altitude). The search runs
// off the window's thread with a progress bar and a stop button, up to a limit that the dialog
// says it reached; the dialog talks to the view only by posted events.
#pragma once

#include "eclipse_list.h"

#include "app_state.h"
#include "background_work.h"
#include "dialogs.h"
#include "eclipse_search.h"
#include "session.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>

class QLabel;
class QTreeWidget;
class QProgressBar;
class QPushButton;

namespace vesk {

// Posted to the view: show the hit of selectedHit; close the list's window.
constexpr QEvent::Type showListedEclipseEvent = static_cast<QEvent::Type>(QEvent::User + 1);
constexpr QEvent::Type closeListEvent = static_cast<QEvent::Type>(QEvent::User + 2);

class EclipseListDialog : public QDialog {
    Q_OBJECT

  public:
    // settings and shown: the window's settings and the eclipse it shows; session: the records
    // the search walks (in the window's background work); message: where the search draws its
    // messages (the view's window).
    // places: the records that tell the observer's clocks.
    EclipseListDialog(QWidget* view, const ViewSettings& settings, const ChosenEclipse& shown,
                      Session& session, PlaceRecords& places, SearchMessage message,
                      BackgroundWork& work, ValidationReporter reporter = messageBoxReporter(),
                      TypeNames names = TypeNames::japanese);

    // Starts the search with the start year and period of the text boxes; the hits fill the
    // list when it ends or is stopped.
    void search();
    // Stops a search under way (the hits found so far are listed).
    void stopSearch();
    // The start year and period of an opening (this year and 10, or for a Saros search the
    // series' first year and 2000) in the boxes, and the hits of the last search in the list.
    void initialise();

    QTreeWidget* list;
    QLineEdit *startEdit, *periodEdit, *limitEdit;
    QLabel* limitNote; // shown when the search stopped at the limit
    QProgressBar* progress;
    QPushButton *searchButton, *stopButton;
    double startYear = 0, period = 0, limit = maxSearchHits;

  protected:
    void reject() override;

  private:
    // The list, the search's fields, buttons and progress; then their places and signals.
    void createFields();
    void layOutAndConnect();
    void fill();
    // A message of the search, drawn on the view when the search has ended.
    struct SearchNote {
        int x, y;
        std::string text;
    };
    // The end of a search, completed or stopped: its messages, the hits and the buttons.
    void searchEnded(const std::vector<SearchNote>& messages);

    QWidget* view;
    TypeNames names; // the language of the type names in the list
    const ViewSettings& settings;
    const ChosenEclipse& shown;
    Session& session;
    PlaceRecords& places;
    SearchMessage message;
    BackgroundWork& work;
    ValidationReporter reporter;
};

} // namespace vesk
