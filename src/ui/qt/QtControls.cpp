#include "ui/qt/QtControls.h"

#include "ui/qt/DriveRowDelegate.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QWidget>

namespace wakelatch::qtui {
namespace {

placement::PixelRect ToPixelRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

double ScreenTwipsPerPixel(const QWidget* widget) {
    const QScreen* screen = widget != nullptr && widget->screen() != nullptr
                                ? widget->screen()
                                : QGuiApplication::primaryScreen();
    return placement::TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchX() : 96.0);
}

QtFormWindow::QtFormWindow(QWidget* window)
    : window_(window),
      positionKnown_(!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {}

void QtFormWindow::SetCaption(const std::string& caption) {
    window_->setWindowTitle(QString::fromStdString(caption));
}

std::string QtFormWindow::Caption() const {
    return window_->windowTitle().toStdString();
}

void QtFormWindow::SetPlacement(float left, float top, float width, float height) {
    twipsPerPixel_ = ScreenTwipsPerPixel(window_);
    left_ = placement::Place(left, twipsPerPixel_);
    top_ = placement::Place(top, twipsPerPixel_);
    width_ = placement::Place(width, twipsPerPixel_);
    height_ = placement::Place(height, twipsPerPixel_);
    window_->setFixedSize(width_.pixels, height_.pixels);

    std::vector<placement::PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.push_back(ToPixelRect(screen->geometry()));
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const placement::PixelRect wanted{left_.pixels, top_.pixels, width_.pixels, height_.pixels};
    const placement::PixelRect placed =
        primary == nullptr
            ? wanted
            : placement::KeepOnScreen(wanted, screens, ToPixelRect(primary->availableGeometry()),
                                      placement::TwipsToPixels(1000.0F, twipsPerPixel_));
    if (placed.x != wanted.x || placed.y != wanted.y) {
        left_ = {placement::PixelsToTwips(placed.x, twipsPerPixel_), placed.x};
        top_ = {placement::PixelsToTwips(placed.y, twipsPerPixel_), placed.y};
    }
    window_->move(placed.x, placed.y);
}

float QtFormWindow::Left() const {
    return placement::CurrentTwips(left_, window_->pos().x(), twipsPerPixel_);
}

float QtFormWindow::Top() const {
    return placement::CurrentTwips(top_, window_->pos().y(), twipsPerPixel_);
}

float QtFormWindow::Width() const {
    return placement::CurrentTwips(width_, window_->width(), twipsPerPixel_);
}

float QtFormWindow::Height() const {
    return placement::CurrentTwips(height_, window_->height(), twipsPerPixel_);
}

bool QtFormWindow::IsMinimised() const {
    return window_->isMinimized();
}

bool QtFormWindow::IsVisible() const {
    return window_->isVisible();
}

void QtFormWindow::Show() {
    window_->show();
}

void QtFormWindow::Hide() {
    window_->hide();
}

void QtFormWindow::Minimise() {
    window_->showMinimized();
}

QtStatusBar::QtStatusBar(std::vector<QLabel*> panels) : panels_(panels.begin(), panels.end()) {}

QLabel* QtStatusBar::Panel(int panel) const {
    if (panel < 1 || panel > static_cast<int>(panels_.size())) {
        return nullptr;
    }
    return panels_[static_cast<std::size_t>(panel - 1)];
}

void QtStatusBar::SetPanelText(int panel, const std::string& text) {
    if (QLabel* label = Panel(panel)) {
        label->setText(QString::fromStdString(text));
    }
}

std::string QtStatusBar::PanelText(int panel) const {
    const QLabel* label = Panel(panel);
    return label != nullptr ? label->text().toStdString() : std::string();
}

QtWindowTimer::QtWindowTimer(QTimer* timer) : timer_(timer) {
    QObject::connect(timer_, &QTimer::timeout, [this] {
        if (handler_) {
            handler_();
        }
    });
}

void QtWindowTimer::SetInterval(int milliseconds) {
    timer_->setInterval(milliseconds);
}

int QtWindowTimer::Interval() const {
    return timer_->interval();
}

// Enabling a timer that runs already leaves its period as it is (a restart would stretch it).
void QtWindowTimer::SetEnabled(bool enabled) {
    if (enabled && !timer_->isActive()) {
        timer_->start();
    } else if (!enabled) {
        timer_->stop();
    }
}

bool QtWindowTimer::Enabled() const {
    return timer_->isActive();
}

void QtWindowTimer::SetTag(const std::string& tag) {
    tag_ = tag;
}

std::string QtWindowTimer::Tag() const {
    return tag_;
}

void QtWindowTimer::SetTickHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
}

QString DisplayText(const std::string& rowText) {
    QString text = QString::fromStdString(rowText);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QtCheckList::QtCheckList(QListWidget* list) : list_(list) {
    list_->setItemDelegate(new DriveRowDelegate(list_));
}

int QtCheckList::Count() const {
    return list_->count();
}

std::string QtCheckList::Text(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item != nullptr ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

bool QtCheckList::Checked(int row) const {
    const QListWidgetItem* item = list_->item(row);
    return item != nullptr && item->checkState() == Qt::Checked;
}

void QtCheckList::SetChecked(int row, bool checked) {
    if (QListWidgetItem* item = list_->item(row)) {
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void QtCheckList::AddItem(const std::string& text) {
    auto* item = new QListWidgetItem(DisplayText(text));
    item->setData(Qt::UserRole, QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    list_->addItem(item);
}

void QtCheckList::Clear() {
    list_->clear();
}

int QtCheckList::ListIndex() const {
    return list_->currentRow();
}

void QtCheckList::SetListIndex(int row) {
    list_->setCurrentRow(row);
}

void QtCheckList::SetVisible(bool visible) {
    list_->setVisible(visible);
}

void QtCheckList::SetEnabled(bool enabled) {
    list_->setEnabled(enabled);
}

void QtCheckList::Move(float left, float top) {
    const double twipsPerPixel = ScreenTwipsPerPixel(list_);
    list_->move(placement::TwipsToPixels(left, twipsPerPixel), placement::TwipsToPixels(top, twipsPerPixel));
}

float QtCheckList::Width() const {
    return placement::PixelsToTwips(list_->width(), ScreenTwipsPerPixel(list_));
}

void QtCheckList::Refresh() {
    list_->repaint();
}

void QtCheckList::SetRowHint(int row, const std::string& hint, bool missed) {
    if (QListWidgetItem* item = list_->item(row)) {
        const QString text = QString::fromStdString(hint);
        item->setData(Qt::ToolTipRole, text.isEmpty() ? QVariant() : QVariant(text));
        item->setData(Qt::AccessibleDescriptionRole, text.isEmpty() ? QVariant() : QVariant(text));
        item->setData(kMissedRole, missed);
    }
}

QtTextMeasurer::QtTextMeasurer(const QWidget* widget) : widget_(widget) {}

int QtTextMeasurer::WidthTwips(const std::string& text) const {
    if (widget_->font() != font_ || lastPixels_ < 0) {
        font_ = widget_->font();
        lastText_.clear();
        lastPixels_ = -1;
    }
    const QFontMetricsF metrics(font_);
    const bool blanksAdded = lastPixels_ >= 0 && text.size() > lastText_.size() &&
                             text.compare(0, lastText_.size(), lastText_) == 0 &&
                             text.find_first_not_of(' ', lastText_.size()) == std::string::npos;
    qreal pixels = lastPixels_;
    if (blanksAdded) {
        pixels +=
            static_cast<qreal>(text.size() - lastText_.size()) * metrics.horizontalAdvance(QLatin1Char(' '));
    } else if (lastPixels_ < 0 || text != lastText_) {
        pixels = metrics.horizontalAdvance(DisplayText(text));
    }
    lastText_ = text;
    lastPixels_ = pixels;
    return static_cast<int>(placement::PixelsToTwips(qRound(pixels), ScreenTwipsPerPixel(widget_)));
}

QtLabel::QtLabel(QLabel* label) : label_(label) {}

void QtLabel::SetText(const std::string& text) {
    label_->setText(QString::fromStdString(text));
}

std::string QtLabel::Text() const {
    return label_->text().toStdString();
}

QtToggle::QtToggle(QAbstractButton* button) : button_(button) {}

void QtToggle::SetText(const std::string& text) {
    button_->setText(QString::fromStdString(text));
}

std::string QtToggle::Text() const {
    return button_->text().toStdString();
}

void QtToggle::SetValue(int value) {
    if (auto* box = qobject_cast<QCheckBox*>(button_.data())) {
        box->setCheckState(value == 2 ? Qt::PartiallyChecked : value == 1 ? Qt::Checked : Qt::Unchecked);
    } else {
        button_->setChecked(value == 1);
    }
}

int QtToggle::Value() const {
    if (const auto* box = qobject_cast<const QCheckBox*>(button_.data())) {
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->checkState() == Qt::Checked ? 1 : 0;
    }
    return button_->isChecked() ? 1 : 0;
}

QtCommandButton::QtCommandButton(QAbstractButton* button) : button_(button) {}

void QtCommandButton::SetText(const std::string& text) {
    button_->setText(QString::fromStdString(text));
}

std::string QtCommandButton::Text() const {
    return button_->text().toStdString();
}

void QtCommandButton::SetEnabled(bool enabled) {
    button_->setEnabled(enabled);
}

bool QtCommandButton::Enabled() const {
    return button_->isEnabled();
}

QtButtonText::QtButtonText(QAbstractButton* button) : button_(button) {}

void QtButtonText::SetText(const std::string& text) {
    button_->setText(QString::fromStdString(text));
}

std::string QtButtonText::Text() const {
    return button_->text().toStdString();
}

QtFrameTitle::QtFrameTitle(QGroupBox* frame) : frame_(frame) {}

void QtFrameTitle::SetText(const std::string& text) {
    frame_->setTitle(QString::fromStdString(text));
}

std::string QtFrameTitle::Text() const {
    return frame_->title().toStdString();
}

QtMenuTitle::QtMenuTitle(QMenu* menu) : menu_(menu) {}

void QtMenuTitle::SetText(const std::string& text) {
    menu_->setTitle(QString::fromStdString(text));
}

std::string QtMenuTitle::Text() const {
    return menu_->title().toStdString();
}

QtMenuEntry::QtMenuEntry(QAction* action) : action_(action) {}

// The tray menu's entries go with their window when it unloads; what is left of them then is nothing.
void QtMenuEntry::SetText(const std::string& text) {
    if (action_) {
        action_->setText(QString::fromStdString(text));
    }
}

std::string QtMenuEntry::Text() const {
    return action_ ? action_->text().toStdString() : std::string();
}

void QtMenuEntry::SetChecked(bool checked) {
    if (action_) {
        action_->setChecked(checked);
    }
}

bool QtMenuEntry::Checked() const {
    return action_ && action_->isChecked();
}

QtPopupMenu::QtPopupMenu(QMenu* menu) : menu_(menu) {}

void QtPopupMenu::PopupAtCursor() {
    menu_->popup(QCursor::pos());
}

controls::Captioned* QtCaptionTargets::Find(std::string_view name) {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second.get();
}

controls::Captioned& QtCaptionTargets::Add(const QString& name,
                                           std::unique_ptr<controls::Captioned> control) {
    auto& slot = controls_[name.toStdString()];
    slot = std::move(control);
    return *slot;
}

QtSlider::QtSlider(QSlider* slider) : slider_(slider) {}

void QtSlider::SetValue(int position) {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(position);
}

// While the thumb is dragged its position runs ahead of the value.
int QtSlider::Value() const {
    return slider_->sliderPosition();
}

void QtSlider::ShowPopupText(const std::string& text) {
    QStyleOptionSlider option;
    option.initFrom(slider_);
    option.orientation = slider_->orientation();
    option.minimum = slider_->minimum();
    option.maximum = slider_->maximum();
    option.sliderPosition = slider_->sliderPosition();
    option.upsideDown = slider_->invertedAppearance() != (slider_->orientation() == Qt::Vertical);
    const QRect handle =
        slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_);
    QToolTip::showText(slider_->mapToGlobal(handle.topRight()), QString::fromStdString(text), slider_);
}

}  // namespace wakelatch::qtui
