#include "list_dialog.h"

#include "clock.h"
#include "eclipse_list.h"
#include "messages.h"
#include "saros.h"
#include "translation.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusTipEvent>

namespace vesk {

namespace {
// Bounds of the text boxes.
const FieldRule startRule{false, -13000, 17000}, periodRule{false, 1, 5000};
// The period of an opening; a Saros search lists a series over sarosPeriod years.
constexpr double defaultPeriod = 10, sarosPeriod = 2000;
} // namespace

CListDlg::CListDlg(QWidget* view, Session& session, SearchMessage message,
                   ValidationReporter reporter)
    : QDialog(view), view(view), session(session), message(std::move(message)),
      reporter(std::move(reporter)) {
    setWindowTitle(tr("日蝕検索リスト表示"));
    setModal(false);
    setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    list = new QListWidget;
    list->setFont(QFont(QStringLiteral("Noto Sans CJK JP"), 9));
    startEdit = new QLineEdit;
    periodEdit = new QLineEdit;
    auto* searchButton = new QPushButton(tr("検索開始"));
    auto* drawButton = new QPushButton(tr("日蝕描画"));
    auto* closeButton = new QPushButton(tr("終了"));
    auto* cancelButton = new QPushButton(tr("ｷｬﾝｾﾙ"));
    closeButton->setDefault(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(list, 0, 0, 8, 1);
    grid->addWidget(new QLabel(tr("検索開始年")), 0, 1);
    grid->addWidget(startEdit, 1, 1);
    grid->addWidget(new QLabel(tr("調査期間（年）")), 2, 1);
    grid->addWidget(periodEdit, 3, 1);
    grid->addWidget(searchButton, 4, 1);
    grid->addWidget(drawButton, 5, 1);
    grid->addWidget(closeButton, 6, 1);
    grid->addWidget(cancelButton, 7, 1);
    connect(searchButton, &QPushButton::clicked, this, &CListDlg::search);
    connect(list, &QListWidget::currentRowChanged, this,
            [&session](int row) { session.selectedHit = std::max(0, row - 1); });
    connect(drawButton, &QPushButton::clicked, this,
            [this] { QApplication::postEvent(this->view, new QEvent(showListedEclipseEvent)); });
    connect(closeButton, &QPushButton::clicked, this, &CListDlg::reject);
    connect(cancelButton, &QPushButton::clicked, this, &CListDlg::reject);
    initialise();
}

void CListDlg::initialise() {
    startYear = currentLocalMonth().year;
    period = defaultPeriod;
    if (session.view.searchMode == searchSarosNumber) {
        startYear = std::trunc(sarosStartYear(session.eclipse.saros));
        period = sarosPeriod;
    }
    startEdit->setText(QString::number(startYear, 'g', 12));
    periodEdit->setText(QString::number(period, 'g', 12));
    fill(true);
}

void CListDlg::fill(bool initial) {
    list->clear();
    list->addItem(QString::fromUtf8(listHeader));
    for (const SearchHit& hit : session.searchHits)
        list->addItem(QString::fromStdString(listLine(hit, initial)));
}

void CListDlg::search() {
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    collectMatches(session, message, startYear, period, viewSearchCriteria(session));
    QApplication::restoreOverrideCursor();
    fill(false);
    if (session.searchHits.size() >= static_cast<std::size_t>(maxSearchHits)) {
        QStatusTipEvent tip(QString::fromStdString(translated(messageListFull)));
        QApplication::sendEvent(view, &tip);
    }
}

void CListDlg::reject() {
    // The dialog never ends itself: the view closes its window.
    QApplication::postEvent(view, new QEvent(closeListEvent));
}

} // namespace vesk
