// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_frame.h"

#include "place_field.h"
#include "time_slider.h"
#include "translation.h"

#include <QActionGroup>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "save_files.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>

#include <QToolBar>
#include <cmath>

namespace vesk {

namespace {

constexpr int frameWidth = 700, frameHeight = 600;

// The 18 x 18 pictures of the toolbar, drawn here.
QIcon toolIcon(int kind) {
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    switch (kind) {
    case 0: // previous
        p.setBrush(Qt::darkBlue);
        p.drawPolygon(QPolygonF({{13, 3}, {4, 9}, {13, 15}}));
        break;
    case 1: // next
        p.setBrush(Qt::darkBlue);
        p.drawPolygon(QPolygonF({{5, 3}, {14, 9}, {5, 15}}));
        break;
    case 2: // list
        for (int y = 4; y <= 14; y += 5)
            p.drawLine(3, y, 15, y);
        break;
    case 3: // enlarge
    case 4: // reduce
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.drawLine(12, 12, 16, 16);
        p.drawLine(5, 8, 11, 8);
        if (kind == 3)
            p.drawLine(8, 5, 8, 11);
        break;
    case 5: // globe
        p.setBrush(QColor(102, 153, 255));
        p.drawEllipse(QPointF(9, 9), 7, 7);
        p.drawLine(2, 9, 16, 9);
        break;
    case 6: // local information
        p.setBrush(Qt::red);
        p.drawEllipse(QPointF(9, 9), 6, 6);
        p.setBrush(Qt::darkBlue);
        p.drawEllipse(QPointF(11, 8), 5, 5);
        break;
    case 7: // map
        p.setBrush(QColor(204, 255, 204));
        p.drawRect(2, 4, 14, 10);
        break;
    case 8: // starry sky
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
    case 9: // limb
        p.setBrush(Qt::darkGray);
        p.drawEllipse(QPointF(9, 9), 7, 7);
        p.setPen(QPen(Qt::yellow, 1.5));
        p.drawArc(QRectF(2, 2, 14, 14), 30 * 16, 120 * 16);
        break;
    default: // about
        p.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

CVeskDoc::CVeskDoc(QString title, QObject* parent) : QObject(parent), title(std::move(title)) {}

CChildFrame::CChildFrame(AppState& state, QString title, ValidationReporter reporter)
    : document(title) {
    viewWidget = new CVeskView(state, this, std::move(reporter));
    // the view fills the frame, and scrolls where its texts need more room (a larger text size)
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(viewWidget);
    setWidget(scroll);
    setWindowTitle(title);
    setWindowIcon(QApplication::windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
}

CMainFrame::CMainFrame(AppState& state, ValidationReporter reporter)
    : state(state), reporter(std::move(reporter)) {
    setWindowTitle(QStringLiteral("vesk"));
    resize(frameWidth, frameHeight);
    move(0, 0);
    area = new QMdiArea;
    area->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(area);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    connect(area, &QMdiArea::subWindowActivated, this, [this] { updateMenus(); });
    updateMenus();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!placed) {
        placed = true;
        // The window manager adds its decorations after the window is shown.
        QTimer::singleShot(0, this, &CMainFrame::placeFrame);
    }
}

void CMainFrame::placeFrame() {
    const QSize decorations = frameGeometry().size() - geometry().size();
    resize(size() - decorations);
    move(0, 0);
}

CMainFrame::~CMainFrame() {
    // The area, its frames and the slider's dock go after the frame's own parts: no more menu
    // updates then.
    area->disconnect(this);
    for (QMdiSubWindow* frame : area->subWindowList())
        frame->disconnect(this);
    sliderDock->disconnect(this);
}

CVeskView* CMainFrame::activeView() const {
    auto* frame = dynamic_cast<CChildFrame*>(area->activeSubWindow());
    if (frame == nullptr && !area->subWindowList().isEmpty())
        frame = dynamic_cast<CChildFrame*>(area->subWindowList().last());
    return frame ? frame->view() : nullptr;
}

CChildFrame* CMainFrame::newDocument() {
    // Untitled: a maximized child's title would be added to the frame's as "vesk - [title]".
    auto* frame = new CChildFrame(state, QString(), reporter);
    area->addSubWindow(frame);
    frame->showMaximized();
    frame->view()->shownChanged = [this] {
        updateMenus();
        if (timeSliderToggle->isChecked()) {
            slider->pictureShown(); // first: play's instant is now the slider's
            followSlider();
        }
    };
    // A single-document program: closing its last view closes it.
    connect(frame, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (area->subWindowList().isEmpty())
                close();
            else
                updateMenus();
        });
    });
    updateMenus();
    return frame;
}

QAction* CMainFrame::action(const QString& text, const QString& tip, const QString& prompt,
                            void (CVeskView::*command)()) {
    auto* a = new QAction(text, this);
    a->setToolTip(tip.isEmpty() ? prompt : tip);
    a->setStatusTip(prompt);
    connect(a, &QAction::triggered, this, [this, command] {
        if (CVeskView* view = activeView())
            (view->*command)();
    });
    return a;
}

QMenu* CMainFrame::buildFileMenu() {
    QMenu* file = new QMenu(tr("ﾌｧｲﾙ(&F)"), this);
    QAction* newAction = file->addAction(tr("新規作成(&N)"), this, [this] { newDocument(); });
    newAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    file->addSeparator();
    file->addAction(tr("画像の書き出し(&E)..."), this, &CMainFrame::saveFile)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    file->addAction(tr("KML の書き出し(&K)..."), this, &CMainFrame::exportKml);
    file->addSeparator();
    file->addAction(tr("印刷(&P)..."), this,
                    [this] {
                        if (CVeskView* view = activeView())
                            view->print(printer, inkSaving->isChecked());
                    })
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    file->addAction(tr("印刷プレビュー(&V)..."), this, [this] {
        if (CVeskView* view = activeView())
            view->printPreview(printer, inkSaving->isChecked());
    });
    file->addAction(tr("ﾌﾟﾘﾝﾀの設定(&R)..."), this,
                    [this] { QPageSetupDialog(&printer, this).exec(); });
    inkSaving = file->addAction(tr("白地に印刷(&W)"));
    inkSaving->setCheckable(true);
    inkSaving->setStatusTip(tr("黒い背景を白に、色を反転して印刷する"));
    file->addSeparator();
    file->addAction(tr("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), this, &QWidget::close)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    addActions(file->actions());
    return file;
}

void CMainFrame::buildMenus() {
    auto* aboutAction = new QAction(tr("vesk のﾊﾞｰｼﾞｮﾝ情報(&A)..."), this);
    aboutAction->setToolTip(tr("ﾊﾞｰｼﾞｮﾝ情報"));
    aboutAction->setIcon(QIcon::fromTheme(QStringLiteral("help-about"), toolIcon(10)));
    connect(aboutAction, &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });
    toolBarToggle = new QAction(tr("ﾂｰﾙ ﾊﾞｰ(&T)"), this);
    statusBarToggle = new QAction(tr("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), this);
    toolBarToggle->setCheckable(true);
    statusBarToggle->setCheckable(true);
    toolBarToggle->setChecked(true);
    statusBarToggle->setChecked(true);
    connect(toolBarToggle, &QAction::toggled, this, [this](bool on) { tools->setVisible(on); });
    connect(statusBarToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
    auto *nextPane = new QAction(this), *previousPane = new QAction(this);
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    previousPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(nextPane, &QAction::triggered, this, [this] { area->activateNextSubWindow(); });
    connect(previousPane, &QAction::triggered, this, [this] { area->activatePreviousSubWindow(); });
    addActions({nextPane, previousPane});

    QMenu* viewMenu = new QMenu(tr("表示(&V)"), this);
    viewMenu->addAction(toolBarToggle);
    viewMenu->addAction(statusBarToggle);
    timeSliderToggle = viewMenu->addAction(tr("時刻スライダー(&L)"));
    timeSliderToggle->setCheckable(true);
    slider = new TimeSlider;
    sliderDock = new QDockWidget(tr("時刻スライダー"), this);
    sliderDock->setObjectName(QStringLiteral("timeSlider"));
    sliderDock->setWidget(slider);
    sliderDock->setFeatures(QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::BottomDockWidgetArea, sliderDock);
    sliderDock->hide();
    connect(timeSliderToggle, &QAction::toggled, this, [this](bool on) {
        sliderDock->setVisible(on);
        if (CVeskView* view = activeView()) {
            if (on)
                followSlider();
            else
                view->showShadowAt(std::nullopt);
        }
    });
    connect(sliderDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible && !isMinimized() && timeSliderToggle->isChecked())
            timeSliderToggle->setChecked(false);
    });
    slider->instantChanged = [this](double utHours) {
        if (CVeskView* view = activeView())
            view->showShadowAt(utHours);
    };
    QMenu* textSize = viewMenu->addMenu(tr("文字の大きさ(&Z)"));
    auto* sizes = new QActionGroup(this);
    for (const double scale : textScales) {
        QAction* size = textSize->addAction(QStringLiteral("%1 %").arg(qRound(scale * 100)));
        size->setCheckable(true);
        size->setChecked(scale == 1);
        sizes->addAction(size);
        connect(size, &QAction::triggered, this, [this, scale] {
            if (CVeskView* view = activeView())
                view->setTextScale(scale);
        });
    }
    QMenu* help = new QMenu(tr("ﾍﾙﾌﾟ(&H)"), this);
    help->addAction(aboutAction);
    menuBar()->addActions(
        {buildFileMenu()->menuAction(),
         action(tr("年月設定(&N)"), QString(), QString(), &CVeskView::yearMonth),
         action(tr("表示モード(&D)"), QString(), QString(), &CVeskView::displayMode),
         action(tr("検索モード(&M)"), QString(), QString(), &CVeskView::searchMode),
         buildMoveMenu()->menuAction(), viewMenu->menuAction(), help->menuAction()});
    aboutEntry = aboutAction;
}

QMenu* CMainFrame::buildMoveMenu() {
    struct Entry {
        const char* text;
        QKeySequence keys;
        void (CVeskView::*command)();
    };
    const Entry entries[] = {
        {QT_TR_NOOP("前の日蝕(&P)"), QKeySequence(Qt::Key_PageUp), &CVeskView::previousEclipse},
        {QT_TR_NOOP("次の日蝕(&N)"), QKeySequence(Qt::Key_PageDown), &CVeskView::nextEclipse},
        {nullptr, {}, nullptr},
        {QT_TR_NOOP("拡大(&I)"), QKeySequence(Qt::Key_Plus), &CVeskView::zoomInAtCentre},
        {QT_TR_NOOP("縮小(&O)"), QKeySequence(Qt::Key_Minus), &CVeskView::zoomOutAtCentre},
        {QT_TR_NOOP("地球全体(&H)"), QKeySequence(Qt::Key_Home), &CVeskView::unzoom},
        {nullptr, {}, nullptr},
        {QT_TR_NOOP("西へ(&W)"), QKeySequence(Qt::Key_Left), &CVeskView::panLeft},
        {QT_TR_NOOP("東へ(&E)"), QKeySequence(Qt::Key_Right), &CVeskView::panRight},
        {QT_TR_NOOP("北へ(&U)"), QKeySequence(Qt::Key_Up), &CVeskView::panUp},
        {QT_TR_NOOP("南へ(&D)"), QKeySequence(Qt::Key_Down), &CVeskView::panDown},
        {nullptr, {}, nullptr},
        {QT_TR_NOOP("再描画(&R)"), QKeySequence(Qt::Key_F5), &CVeskView::redraw}};
    QMenu* menu = new QMenu(tr("移動(&G)"), this);
    for (const Entry& e : entries) {
        if (e.text == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* a = action(tr(e.text), QString(), QString(), e.command);
        a->setShortcut(e.keys);
        menu->addAction(a);
    }
    // "=" shares its key with "+" on most keyboards
    QAction* zoomKey = action(QString(), QString(), QString(), &CVeskView::zoomInAtCentre);
    zoomKey->setShortcut(QKeySequence(Qt::Key_Equal));
    addAction(zoomKey);
    return menu;
}

void CMainFrame::buildToolBar() {
    tools = new QToolBar(tr("ﾂｰﾙ ﾊﾞｰ"), this);
    tools->setIconSize(QSize(18, 18));
    tools->setMovable(true);
    addToolBar(Qt::TopToolBarArea, tools);
    // The desktop's icon theme gives the icon where it has a standard one.
    struct Entry {
        const char *tip, *prompt;
        void (CVeskView::*command)();
        const char* themeIcon;
    };
    const Entry entries[] = {
        {QT_TR_NOOP("前の日蝕"), QT_TR_NOOP("前の日蝕を表示"), &CVeskView::previousEclipse,
         "go-previous"},
        {QT_TR_NOOP("次の日蝕"), QT_TR_NOOP("次の日蝕を表示"), &CVeskView::nextEclipse, "go-next"},
        {QT_TR_NOOP("日蝕リスト"), QT_TR_NOOP("日蝕検索結果のリスト"), &CVeskView::eclipseList,
         "view-list-details"},
        {nullptr, nullptr, nullptr, nullptr},
        {QT_TR_NOOP("拡大"), QT_TR_NOOP("地図拡大モード時拡大（拡大モードへは左ダブルクリックで）"),
         &CVeskView::zoomIn, "zoom-in"},
        {QT_TR_NOOP("縮小"), QT_TR_NOOP("地図拡大モード時縮小（拡大モードへは左ダブルクリックで）"),
         &CVeskView::zoomOut, "zoom-out"},
        {QT_TR_NOOP("地図拡大解除"), QT_TR_NOOP("拡大モードの解除（地球儀表示）"),
         &CVeskView::unzoom, "zoom-original"},
        {nullptr, nullptr, nullptr, nullptr},
        {QT_TR_NOOP("局地情報表示"), QT_TR_NOOP("地図表示から局地情報の表示へ"),
         &CVeskView::localInfo, nullptr},
        {QT_TR_NOOP("地図表示へ戻る"), QT_TR_NOOP("局地情報表示や日蝕帯表示から地図表示に戻る"),
         &CVeskView::backToMap, "go-home"},
        {"", QT_TR_NOOP("皆既帯での星空の表示"), &CVeskView::totalitySky, nullptr},
        {"", QT_TR_NOOP("皆既帯での月縁補正の表示"), &CVeskView::limbCorrection, nullptr}};
    int icon = 0;
    for (const Entry& e : entries) {
        if (e.tip == nullptr) {
            tools->addSeparator();
            continue;
        }
        QAction* a =
            action(QString(), *e.tip != '\0' ? tr(e.tip) : QString(), tr(e.prompt), e.command);
        const QIcon own = toolIcon(icon++);
        a->setIcon(e.themeIcon != nullptr ? QIcon::fromTheme(QString::fromUtf8(e.themeIcon), own)
                                          : own);
        tools->addAction(a);
    }
    tools->addAction(aboutEntry);
    tools->addSeparator();
    placeField = new PlaceField(state, tools);
    placeField->setMaximumWidth(260);
    placeField->setToolTip(tr("地名を入力して観測地に選ぶ（局地状況を表示）"));
    placeField->placeChosen = [this](const GazetteerPlace& place) {
        if (CVeskView* view = activeView())
            view->observePlace(place);
    };
    placeField->placeRefused = [this](const QString& why) { statusBar()->showMessage(why); };
    tools->addWidget(placeField);
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->showMessage(tr("ﾚﾃﾞｨ"));
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(tr("ﾚﾃﾞｨ"));
    });
}

void CMainFrame::followSlider() {
    CVeskView* view = activeView();
    if (view == nullptr)
        return;
    const auto [first, last] = view->contactSpan();
    slider->setSpan(first, last);
    const std::optional<ShadowInstant>& shown = view->appState().session.view.shadowAt;
    if (!shown || std::fabs(shown->value - slider->utHours()) > 0.5 / 3600)
        view->showShadowAt(slider->utHours());
}

void CMainFrame::updateMenus() {
    CVeskView* view = activeView();
    for (QAction* a : tools->actions())
        if (!a->isSeparator())
            a->setEnabled(view != nullptr || a == aboutEntry);
    setWindowTitle(view ? QStringLiteral("vesk — %1").arg(view->shownTitle())
                        : QStringLiteral("vesk"));
}

void CMainFrame::saveFile() {
    QString filter = tr("PNG 画像 (*.png)");
    const QString path =
        QFileDialog::getSaveFileName(this, QString(), QString(),
                                     filter + QStringLiteral(";;") + tr("SVG 図形 (*.svg)") +
                                         QStringLiteral(";;") + tr("PDF 文書 (*.pdf)"),
                                     &filter);
    if (path.isEmpty())
        return;
    const QString failure = saveScreen(path, filter);
    if (!failure.isEmpty())
        reporter(this, failure);
}

void CMainFrame::exportKml() {
    CVeskView* view = activeView();
    if (view == nullptr)
        return;
    const QString dir = QFileDialog::getExistingDirectory(this, tr("KML の書き出し先"));
    if (dir.isEmpty())
        return;
    const std::string failure = view->exportKml(dir.toStdString());
    if (!failure.empty())
        reporter(this, QString::fromStdString(failure));
    else
        statusBar()->showMessage(tr("KML を書き出しました: %1").arg(dir));
}

QString CMainFrame::saveScreen(QString path, const QString& filter) {
    CVeskView* view = activeView();
    if (view == nullptr)
        return tr("保存する画面がありません");
    if (QFileInfo(path).suffix().isEmpty()) // the chosen kind, else PNG
        path += filter.contains(QStringLiteral("*.svg"))   ? QStringLiteral(".svg")
                : filter.contains(QStringLiteral("*.pdf")) ? QStringLiteral(".pdf")
                                                           : QStringLiteral(".png");
    const std::string failure = view->saveAs(path.toStdString());
    if (!failure.empty())
        return QString::fromStdString(failure);
    statusBar()->showMessage(tr("保存しました: %1").arg(path));
    return QString();
}

int runWindowProgram(AppState& state, int argc, char** argv, const QString& screenshot,
                     const QString& language) {
    QApplication application(argc, argv);
    clearUpperVectorRegisters();
    QApplication::setApplicationName(QStringLiteral("vesk"));
    // the desktop entry's name, by which the dock finds the entry and its icon
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vesk.Vesk"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("org.vesk.Vesk"), QIcon(QStringLiteral(":/icons/org.vesk.Vesk.svg"))));
    state.setLanguage(chooseLanguage(language));
    const auto translators = installLanguage(state.language);
    CMainFrame frame(state);
    CChildFrame* child = frame.newDocument();
    frame.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, &frame, [&frame, child, screenshot] {
            child->view()->repaintNow();
            const std::string failure = savePng(frame.grab().toImage(), screenshot.toStdString());
            if (!failure.empty())
                std::fprintf(stderr, "vesk: %s\n", failure.c_str());
            QApplication::exit(failure.empty() ? 0 : 1);
        });
    }
    return QApplication::exec();
}

} // namespace vesk
