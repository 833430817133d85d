#pragma once

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

#include "ui/options/frm_Options.h"
#include "ui/qt/QtControls.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace wakelatch {

// The options dialog's widgets, named as the program documents them; behaviour lives in frm_Options.
class OptionsDialogView final : public QDialog {
    Q_OBJECT

  public:
    explicit OptionsDialogView(QWidget* parent = nullptr);
    ~OptionsDialogView() override;

    frm_Options::Controls Controls();
    void Connect(frm_Options& form);
    void CentreOnScreen();
    // Closes without the close check: the program is ending, and nothing may be asked any more.
    void CloseWithoutAsking();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape runs the close check as the close box does

  private:
    QCheckBox* AddCheckBox(const char* name, QWidget* parent);
    QRadioButton* AddOption(const char* name, QWidget* parent);

    qtui::QtCaptionTargets texts_;
    std::map<std::string, std::unique_ptr<qtui::QtToggle>> toggles_;
    std::unique_ptr<qtui::QtFormWindow> window_;
    std::unique_ptr<qtui::QtCommandButton> save_;
    QPushButton* cmd_Speichern_ = nullptr;
    QPushButton* cmd_Beenden_ = nullptr;
    QToolButton* img_FLAG_GERMANY_ = nullptr;
    QToolButton* img_FLAG_ENGLISCH_ = nullptr;
    std::map<std::string, QAbstractButton*> buttons_;
    std::function<bool()> queryUnload_;
    bool asking_ = true;
};

}  // namespace wakelatch
