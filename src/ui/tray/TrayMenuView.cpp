#include "ui/tray/TrayMenuView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace wakelatch {

TrayMenuView::TrayMenuView(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("frm_TrayMenu"));
    auto* note = new QLabel(QStringLiteral("Hosts the tray pop-up menu only; it is never visible and is "
                                           "unloaded on its own when the main window unloads."),
                            this);
    note->setObjectName(QStringLiteral("lbl_Programmiererhinweis"));
    note->hide();

    menuTray_ = new QMenu(QStringLiteral("&Datei"), this);
    menuTray_->setObjectName(QStringLiteral("menuTray"));
    AddEntry("mnuStop", "&Anhalten");
    AddEntry("mnuMax", "&Maximieren");
    AddSeparator("mnuLine1");
    AddEntry("mnuAuto", "Auto start Wake&latch", true);
    AddEntry("mnuTrayStart", "Start Wakelatch &DeziReroz", true);
    AddSeparator("mnuLine2");
    AddEntry("mnuInfo", "In&fo Wakelatch...");
    AddSeparator("mnuLine3");
    AddEntry("mnuExit", "Beenden &WakeLatch");
    popup_ = std::make_unique<qtui::QtPopupMenu>(menuTray_);
}

TrayMenuView::~TrayMenuView() = default;

QAction* TrayMenuView::AddEntry(const char* name, const char* designCaption, bool checkable) {
    QAction* action = menuTray_->addAction(QString::fromUtf8(designCaption));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    actions_[name] = action;
    entries_[name] = std::make_unique<qtui::QtMenuEntry>(action);
    return action;
}

void TrayMenuView::AddSeparator(const char* name) {
    menuTray_->addSeparator()->setObjectName(QString::fromLatin1(name));
}

frm_TrayMenu::Controls TrayMenuView::Controls() {
    return {*entries_["mnuStop"],
            *entries_["mnuMax"],
            *entries_["mnuAuto"],
            *entries_["mnuTrayStart"],
            *entries_["mnuInfo"],
            *entries_["mnuExit"],
            *popup_};
}

void TrayMenuView::AddCaptionTargets(qtui::QtCaptionTargets& targets) {
    for (const auto& [name, action] : actions_) {
        targets.Add(QString::fromStdString(name), std::make_unique<qtui::QtMenuEntry>(action));
    }
}

void TrayMenuView::Connect(frm_TrayMenu& form) {
    for (const auto& [name, handler] : frm_TrayMenu::kEntryHandlers) {
        // The entry's own check toggle is undone first: the handler inverts the mark itself.
        QAction* action = actions_[name];
        connect(action, &QAction::triggered, this, [action, &form, handler = handler] {
            if (action->isCheckable()) {
                action->setChecked(!action->isChecked());
            }
            (form.*handler)();
        });
    }
}

}  // namespace wakelatch
