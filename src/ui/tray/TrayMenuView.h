#pragma once

#include <QWidget>

#include <memory>

#include "ui/qt/QtControls.h"
#include "ui/tray/frm_TrayMenu.h"

class QAction;
class QMenu;

namespace wakelatch {

// The tray-menu window's widgets: never shown, it holds the pop-up menu menuTray and its entries, named
// as the program documents them, with their design captions.
class TrayMenuView final : public QWidget {
    Q_OBJECT

  public:
    explicit TrayMenuView(QWidget* parent = nullptr);
    ~TrayMenuView() override;

    frm_TrayMenu::Controls Controls();
    // The entries whose captions the main window sets, by name.
    void AddCaptionTargets(qtui::QtCaptionTargets& targets);
    void Connect(frm_TrayMenu& form);
    QMenu* Menu() const { return menuTray_; }

  private:
    QAction* AddEntry(const char* name, const char* designCaption, bool checkable = false);
    void AddSeparator(const char* name);

    QMenu* menuTray_ = nullptr;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, std::unique_ptr<qtui::QtMenuEntry>> entries_;
    std::unique_ptr<qtui::QtPopupMenu> popup_;
};

}  // namespace wakelatch
