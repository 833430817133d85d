#include "ui/main/MainWindowView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFocusEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

#include "ui/main/Captions.h"
#include "ui/tray/HourglassPicture.h"

namespace wakelatch {
namespace {

// A control's design rectangle, in twips inside its container, in pixels of the given screen.
QRect FromTwips(int left, int top, int width, int height, double twipsPerPixel) {
    return {placement::TwipsToPixels(static_cast<float>(left), twipsPerPixel),
            placement::TwipsToPixels(static_cast<float>(top), twipsPerPixel),
            placement::TwipsToPixels(static_cast<float>(width), twipsPerPixel),
            placement::TwipsToPixels(static_cast<float>(height), twipsPerPixel)};
}

QListWidget* NewDriveList(const char* name, QWidget* parent, double twipsPerPixel) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(FromTwips(120, 360, 8055, 3210, twipsPerPixel));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    return list;
}

QGroupBox* NewFrame(const char* name, QWidget* parent, QRect geometry) {
    auto* frame = new QGroupBox(QString::fromLatin1(name), parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

MainWindowView::MainWindowView(QWidget* parent) : QMainWindow(parent) {
    qtui::SetUpProgramWindow(this, "frm_Main");
    twipsPerPixel_ = qtui::ScreenTwipsPerPixel(this);
    BuildMenus();
    BuildControls();
    BuildStatusBar();
    window_ = std::make_unique<qtui::QtFormWindow>(this);
    statusBar_ = std::make_unique<qtui::QtStatusBar>(statusPanels_);
    standbyTimer_ = std::make_unique<qtui::QtWindowTimer>(TIMER_STANDBY_);
    passTimer_ = std::make_unique<qtui::QtWindowTimer>(TIMER_LAUFWERKSABFRAGE_);
    slider_ = std::make_unique<qtui::QtSlider>(sli_Standby_);
    driveList_ = std::make_unique<qtui::QtCheckList>(list_Laufwerke_);
    substituteList_ = std::make_unique<qtui::QtCheckList>(list_Laufwerke_TEMP_);
    measurer_ = std::make_unique<qtui::QtTextMeasurer>(list_Laufwerke_);
}

MainWindowView::~MainWindowView() = default;

QLabel* MainWindowView::AddLabel(const char* name, QWidget* parent, int left, int top, int width,
                                 int height) {
    auto* label = new QLabel(QString::fromLatin1(name), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(FromTwips(left, top, width, height, twipsPerPixel_));
    texts_.Add(label->objectName(), std::make_unique<qtui::QtLabel>(label));
    return label;
}

QPushButton* MainWindowView::AddButton(const char* name, int left, int top) {
    auto* button = new QPushButton(QString::fromLatin1(name), client_);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(FromTwips(left, top, 2175, 495, twipsPerPixel_));
    texts_.Add(button->objectName(), std::make_unique<qtui::QtButtonText>(button));
    return button;
}

QAction* MainWindowView::AddMenuEntry(QMenu* menu, const char* name, const char* designCaption) {
    QAction* action = menu->addAction(QString::fromUtf8(designCaption));
    action->setObjectName(QString::fromLatin1(name));
    texts_.Add(action->objectName(), std::make_unique<qtui::QtMenuEntry>(action));
    return action;
}

void MainWindowView::BuildMenus() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&Datei"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    texts_.Add(mnuFile->objectName(), std::make_unique<qtui::QtMenuTitle>(mnuFile));
    mnuFileProperties_ = AddMenuEntry(mnuFile, "mnuFileProperties", "Ei&genschaften");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    mnuFileExit_ = AddMenuEntry(mnuFile, "mnuFileExit", "&Beenden");

    QMenu* mnuHelp = menuBar()->addMenu(QString(captions::kHelpMenuText.data()));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAnleitung_ = AddMenuEntry(mnuHelp, "mnuAnleitung", "H&ilfe");
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuHelpAbout_ = AddMenuEntry(mnuHelp, "mnuHelpAbout", "Inf&o ");
}

void MainWindowView::BuildControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("frm_Main_Client"));
    setCentralWidget(client_);

    auto* hint = AddLabel("lbl_TEXT_Hinweis", client_, 120, 120, 8055, 615);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The drive list, and its twin that stands in for it, greyed, while it is rebuilt.
    fra_Laufwerke_ = NewFrame("fra_Laufwerke", client_, FromTwips(240, 840, 8415, 3975, twipsPerPixel_));
    texts_.Add(fra_Laufwerke_->objectName(), std::make_unique<qtui::QtFrameTitle>(fra_Laufwerke_));
    list_Laufwerke_ = NewDriveList("list_Laufwerke", fra_Laufwerke_, twipsPerPixel_);
    list_Laufwerke_->installEventFilter(this);
    list_Laufwerke_TEMP_ = NewDriveList("list_Laufwerke_TEMP", fra_Laufwerke_, twipsPerPixel_);
    list_Laufwerke_TEMP_->hide();

    // The interval column.
    fra_Standby_ = NewFrame("fra_Standby", client_, FromTwips(8630, 840, 1000, 3975, twipsPerPixel_));
    texts_.Add(fra_Standby_->objectName(), std::make_unique<qtui::QtFrameTitle>(fra_Standby_));
    AddLabel("lbl_fraStandby_TEXT_eingestelleMinuten", fra_Standby_, -65, 270, 1095, 255)
        ->setAlignment(Qt::AlignCenter);
    lbl_fraStandby_TEXT_AnzeigeMinuten_ =
        AddLabel("lbl_fraStandby_TEXT_AnzeigeMinuten", fra_Standby_, -185, 555, 1335, 255);
    lbl_fraStandby_TEXT_AnzeigeMinuten_->setAlignment(Qt::AlignCenter);
    // Upright, position 1 at the top: minutes = 61 - position.
    sli_Standby_ = new QSlider(Qt::Vertical, fra_Standby_);
    sli_Standby_->setObjectName(QStringLiteral("sli_Standby"));
    sli_Standby_->setRange(1, 60);
    sli_Standby_->setInvertedAppearance(true);
    sli_Standby_->setInvertedControls(true);
    sli_Standby_->setTickPosition(QSlider::TicksBothSides);
    sli_Standby_->setTickInterval(5);
    // No filled part: with 60 minutes at the top a fill would grow as the interval shrinks.
    sli_Standby_->setStyleSheet(QStringLiteral(
        "QSlider::groove:vertical { width: 4px; background: palette(mid); border-radius: 2px; }"
        "QSlider::handle:vertical { height: 10px; margin: 0 -6px; background: palette(button);"
        " border: 1px solid palette(dark); border-radius: 3px; }"));
    sli_Standby_->setGeometry(FromTwips(120, 840, 675, 2415, twipsPerPixel_));
    QLabel* savedHeading =
        AddLabel("lbl_fraStandby_TEXT_gespeicherteMinuten", fra_Standby_, -240, 3315, 1455, 255);
    savedHeading->setAlignment(Qt::AlignCenter);
    // Its label is wider than the narrow column; a point smaller, "Gespeichert:" stays whole.
    QFont headingFont = savedHeading->font();
    headingFont.setPointSizeF(7);
    savedHeading->setFont(headingFont);
    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_ =
        AddLabel("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert", fra_Standby_, -80, 3600, 1095, 255);
    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_->setAlignment(Qt::AlignCenter);

    cmd_Speichern_ = AddButton("cmd_Speichern", 240, 5160);
    cmd_Start_ = AddButton("cmd_Start", 2640, 5160);
    cmd_Minimieren_ = AddButton("cmd_Minimieren", 5040, 5160);
    cmd_Beenden_ = AddButton("cmd_Beenden", 7440, 5160);

    TIMER_STANDBY_ = new QTimer(this);
    TIMER_STANDBY_->setObjectName(QStringLiteral("TIMER_STANDBY"));
    TIMER_LAUFWERKSABFRAGE_ = new QTimer(this);
    TIMER_LAUFWERKSABFRAGE_->setObjectName(QStringLiteral("TIMER_LAUFWERKSABFRAGE"));
}

void MainWindowView::BuildStatusBar() {
    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar_->setSizeGripEnabled(false);
    // Panel 1 the status text; panels 2 and 3 the date and the time, kept current here.
    for (const int panel : {1, 2, 3}) {
        auto* label = new QLabel(panel == 1 ? QStringLiteral("Status") : QString(), sbStatusBar_);
        label->setObjectName(QStringLiteral("sbStatusBar_Panel%1").arg(panel));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        if (panel == 1) {
            sbStatusBar_->addWidget(label, 1);
        } else {
            sbStatusBar_->addPermanentWidget(label);
        }
        statusPanels_.push_back(label);
    }
    setStatusBar(sbStatusBar_);
    // The clock runs only while the window is shown (showEvent); hidden in the tray nothing wakes the
    // program every second.
    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("sbStatusBar_Clock"));
    clock_->setSingleShot(true);
    connect(clock_, &QTimer::timeout, this, &MainWindowView::UpdateClock);
    UpdateClock();
    clock_->stop();
}

void MainWindowView::UpdateClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    statusPanels_[1]->setText(locale.toString(now.date(), QLocale::ShortFormat));
    statusPanels_[2]->setText(locale.toString(now.time(), QLocale::ShortFormat));
    // The next tick when the text changes: the next second where the time shows seconds, else the
    // next minute.
    const bool showsSeconds = locale.timeFormat(QLocale::ShortFormat).contains(QLatin1Char('s'));
    const int millisecond = now.time().msec();
    const int untilNext = showsSeconds ? 1000 - millisecond : (60 - now.time().second()) * 1000 - millisecond;
    clock_->start(untilNext + 5);
}

void MainWindowView::showEvent(QShowEvent* event) {
    UpdateClock();  // catches up with the time that passed while hidden
    QMainWindow::showEvent(event);
}

void MainWindowView::hideEvent(QHideEvent* event) {
    clock_->stop();
    QMainWindow::hideEvent(event);
}

frm_Main::Controls MainWindowView::Controls() {
    return {*window_,
            *statusBar_,
            *standbyTimer_,
            *passTimer_,
            *slider_,
            *driveList_,
            *substituteList_,
            *texts_.Find("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"),
            *texts_.Find("lbl_fraStandby_TEXT_AnzeigeMinuten"),
            texts_};
}

void MainWindowView::Connect(frm_Main& form) {
    connect(cmd_Speichern_, &QPushButton::clicked, this, [&form] { form.cmd_Speichern_Click(); });
    connect(cmd_Start_, &QPushButton::clicked, this, [&form] { form.cmd_Start_Click(); });
    connect(cmd_Minimieren_, &QPushButton::clicked, this, [&form] { form.cmd_Minimieren_Click(); });
    connect(cmd_Beenden_, &QPushButton::clicked, this, [&form] { form.cmd_Beenden_Click(); });
    connect(mnuFileProperties_, &QAction::triggered, this, [&form] { form.mnuFileProperties_Click(); });
    connect(mnuFileExit_, &QAction::triggered, this, [&form] { form.mnuFileExit_Click(); });
    connect(mnuAnleitung_, &QAction::triggered, this, [&form] { form.mnuAnleitung_Click(); });
    connect(mnuHelpAbout_, &QAction::triggered, this, [&form] { form.mnuHelpAbout_Click(); });
    // Dragging shows the minutes; the change counts when the thumb is let go, or at once for keys and
    // clicks on the groove.
    connect(sli_Standby_, &QSlider::sliderMoved, this, [&form] { form.sli_Standby_Scroll(); });
    connect(sli_Standby_, &QSlider::sliderReleased, this, [&form] { form.sli_Standby_Change(); });
    connect(sli_Standby_, &QSlider::valueChanged, this, [this, &form] {
        if (!sli_Standby_->isSliderDown()) {
            form.sli_Standby_Change();
        }
    });
    listLostFocus_ = [&form] { form.list_Laufwerke_LostFocus(); };
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    // Focus moving to another control of the program counts; the whole window losing the focus (another
    // program, a pop-up menu, the window closing) does not.
    if (watched == list_Laufwerke_ && event->type() == QEvent::FocusOut && listLostFocus_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            listLostFocus_();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowView::BringToFront(const std::function<void()>& restoreFromTray) {
    if (!isVisible()) {
        restoreFromTray();
    }
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    activateWindow();
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    if (unloadHandler_) {
        unloadHandler_();
    }
    emit unloaded();
}

}  // namespace wakelatch
