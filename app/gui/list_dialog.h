// The modeless eclipse list: the list search over a span of years and its hits, one per line;
// it talks to the view only by posted events.
#pragma once

#include "dialogs.h"
#include "session.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>

class QListWidget;

namespace vesk {

// Posted to the view: show the hit of selectedHit; close the list's window.
constexpr QEvent::Type showListedEclipseEvent = static_cast<QEvent::Type>(1029);
constexpr QEvent::Type closeListEvent = static_cast<QEvent::Type>(QEvent::User + 2);

class CListDlg : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(CListDlg)

  public:
    // message: where the search draws its messages (the view's window).
    CListDlg(QWidget* view, Session& session, SearchMessage message,
             ValidationReporter reporter = messageBoxReporter());

    // Runs the search with the start year and period of the text boxes.
    void search();
    // The start year and period of an opening (this year and 10, or for a Saros search the
    // series' first year and 2000) in the boxes, and the hits of the last search in the list.
    void initialise();

    QListWidget* list;
    QLineEdit *startEdit, *periodEdit;
    double startYear = 0, period = 0;

  protected:
    void reject() override;

  private:
    void fill(bool initial);

    QWidget* view;
    Session& session;
    SearchMessage message;
    ValidationReporter reporter;
};

} // namespace vesk
