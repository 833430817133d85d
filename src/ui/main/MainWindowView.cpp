#include "ui/main/MainWindowView.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

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

}  // namespace

MainWindowView::MainWindowView(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frm_Main"));
    setWindowTitle(QStringLiteral("frm_Main"));
    BuildControls();
    window_ = std::make_unique<qtui::QtFormWindow>(this);
    statusBar_ = std::make_unique<qtui::QtStatusBar>(std::vector<QLabel*>{statusPanel1_});
    standbyTimer_ = std::make_unique<qtui::QtWindowTimer>(TIMER_STANDBY_);
    passTimer_ = std::make_unique<qtui::QtWindowTimer>(TIMER_LAUFWERKSABFRAGE_);
    slider_ = std::make_unique<qtui::QtSlider>(sli_Standby_);
    driveList_ = std::make_unique<qtui::QtCheckList>(list_Laufwerke_);
    substituteList_ = std::make_unique<qtui::QtCheckList>(list_Laufwerke_TEMP_);
    savedMinutes_ = std::make_unique<qtui::QtLabel>(lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_);
    currentMinutes_ = std::make_unique<qtui::QtLabel>(lbl_fraStandby_TEXT_AnzeigeMinuten_);
    measurer_ = std::make_unique<qtui::QtTextMeasurer>(list_Laufwerke_);
}

MainWindowView::~MainWindowView() = default;

void MainWindowView::BuildControls() {
    const double twipsPerPixel = qtui::ScreenTwipsPerPixel(this);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frm_Main_Client"));
    setCentralWidget(client);

    // The drive list, and its twin that stands in for it, greyed, while it is rebuilt.
    fra_Laufwerke_ = new QGroupBox(QStringLiteral("fra_Laufwerke"), client);
    fra_Laufwerke_->setObjectName(QStringLiteral("fra_Laufwerke"));
    fra_Laufwerke_->setGeometry(FromTwips(240, 840, 8415, 3975, twipsPerPixel));
    list_Laufwerke_ = NewDriveList("list_Laufwerke", fra_Laufwerke_, twipsPerPixel);
    list_Laufwerke_->installEventFilter(this);
    list_Laufwerke_TEMP_ = NewDriveList("list_Laufwerke_TEMP", fra_Laufwerke_, twipsPerPixel);
    list_Laufwerke_TEMP_->hide();

    cmd_Speichern_ = new QPushButton(QStringLiteral("cmd_Speichern"), client);
    cmd_Speichern_->setObjectName(QStringLiteral("cmd_Speichern"));
    cmd_Speichern_->setGeometry(FromTwips(240, 5160, 2175, 495, twipsPerPixel));
    cmd_Start_ = new QPushButton(QStringLiteral("cmd_Start"), client);
    cmd_Start_->setObjectName(QStringLiteral("cmd_Start"));
    cmd_Start_->setGeometry(FromTwips(2640, 5160, 2175, 495, twipsPerPixel));

    // The interval column; its captions are set with the window's texts.
    fra_Standby_ = new QGroupBox(QStringLiteral("fra_Standby"), client);
    fra_Standby_->setObjectName(QStringLiteral("fra_Standby"));
    fra_Standby_->setGeometry(FromTwips(8630, 840, 1000, 3975, twipsPerPixel));

    // Upright, position 1 at the top: minutes = 61 - position.
    sli_Standby_ = new QSlider(Qt::Vertical, fra_Standby_);
    sli_Standby_->setObjectName(QStringLiteral("sli_Standby"));
    sli_Standby_->setRange(1, 60);
    sli_Standby_->setInvertedAppearance(true);
    sli_Standby_->setInvertedControls(true);
    sli_Standby_->setTickPosition(QSlider::TicksBothSides);
    sli_Standby_->setTickInterval(5);
    sli_Standby_->setGeometry(FromTwips(120, 840, 675, 2415, twipsPerPixel));
    lbl_fraStandby_TEXT_AnzeigeMinuten_ =
        new QLabel(QStringLiteral("lbl_fraStandby_TEXT_AnzeigeMinuten"), fra_Standby_);
    lbl_fraStandby_TEXT_AnzeigeMinuten_->setObjectName(QStringLiteral("lbl_fraStandby_TEXT_AnzeigeMinuten"));
    lbl_fraStandby_TEXT_AnzeigeMinuten_->setAlignment(Qt::AlignCenter);
    lbl_fraStandby_TEXT_AnzeigeMinuten_->setGeometry(FromTwips(-185, 555, 1335, 255, twipsPerPixel));

    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_ =
        new QLabel(QStringLiteral("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"), fra_Standby_);
    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_->setObjectName(
        QStringLiteral("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"));
    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_->setAlignment(Qt::AlignCenter);
    lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert_->setGeometry(
        FromTwips(-80, 3600, 1095, 255, twipsPerPixel));

    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar_->setSizeGripEnabled(false);
    statusPanel1_ = new QLabel(QStringLiteral("Status"), sbStatusBar_);
    statusPanel1_->setObjectName(QStringLiteral("sbStatusBar_Panel1"));
    sbStatusBar_->addWidget(statusPanel1_, 1);
    setStatusBar(sbStatusBar_);

    TIMER_STANDBY_ = new QTimer(this);
    TIMER_STANDBY_->setObjectName(QStringLiteral("TIMER_STANDBY"));
    TIMER_LAUFWERKSABFRAGE_ = new QTimer(this);
    TIMER_LAUFWERKSABFRAGE_->setObjectName(QStringLiteral("TIMER_LAUFWERKSABFRAGE"));
}

frm_Main::Controls MainWindowView::Controls() {
    return {*window_,    *statusBar_,      *standbyTimer_, *passTimer_,     *slider_,
            *driveList_, *substituteList_, *savedMinutes_, *currentMinutes_};
}

void MainWindowView::Connect(frm_Main& form) {
    connect(cmd_Speichern_, &QPushButton::clicked, this, [&form] { form.cmd_Speichern_Click(); });
    connect(cmd_Start_, &QPushButton::clicked, this, [&form] { form.cmd_Start_Click(); });
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
