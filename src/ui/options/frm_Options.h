#pragma once

#include <cstdint>
#include <string>

#include "controls/Controls.h"
#include "controls/MessageBox.h"
#include "settings/ProgramState.h"
#include "settings/SettingsStore.h"

namespace wakelatch {

// What the options dialog asks of the program around it.
class OptionsHost {
  public:
    virtual ~OptionsHost() = default;
    virtual void CloseDialog() = 0;  // the close check runs, and may keep the dialog open
    virtual void SetTrayCheckMarks(bool autoStart, bool autoTray) = 0;
    virtual void ExtractHelpFile() = 0;
    virtual void SetMainRefreshPending() = 0;  // the main window refreshes when the dialog returns
};

// The options dialog: a working copy of five settings, saved only on request, with the save button
// enabled only while the copy differs from the program's settings.
class frm_Options {
  public:
    struct Controls {
        controls::FormWindow& window;
        controls::Toggle& chk_Autostart;
        controls::Toggle& chk_Traystart;
        controls::Toggle& chk_StartNetDrive;
        controls::Toggle& opt_DRIVE_Name_0;
        controls::Toggle& opt_DRIVE_Name_1;
        controls::Toggle& opt_GERMANY;
        controls::Toggle& opt_ENGLISCH;
        controls::CommandButton& cmd_Speichern;
        // Every captioned control by name ("opt_DRIVE_Name(1)" for an element of the button array).
        controls::CaptionTargets& texts;
    };

    struct WorkingCopy {
        std::int32_t Language = 0;
        bool AutoTray = false;
        bool AutoStart = false;
        std::int32_t DriveName = 0;
        std::int32_t DriveStart = 0;
        std::int32_t CloseState = 0;  // 0 open, 99 closing after a save, 1 saving from the close question
    };

    static constexpr std::int32_t kOpen = 0;
    static constexpr std::int32_t kSavingFromQuestion = 1;
    static constexpr std::int32_t kClosingAfterSave = 99;

    frm_Options(ProgramState& state, SettingsStore& settings, controls::MessageBoxService& messages,
                OptionsHost& host, Controls controls);

    void Form_Load();
    // Whether the dialog may close now; asks the user when there are unsaved changes. True: stay open.
    bool Form_QueryUnload();

    void opt_GERMANY_Click();
    void img_FLAG_GERMANY_Click();
    void opt_ENGLISCH_Click();
    void img_FLAG_ENGLISCH_Click();
    void chk_Autostart_Click();
    void chk_Traystart_Click();
    void chk_StartNetDrive_Click();
    void opt_DRIVE_Name_Click(int index);
    void cmd_Speichern_Click();
    void cmd_Beenden_Click();

    // Enables the save button exactly while the working copy differs from the program's settings.
    void Speicherueberwachung();
    const WorkingCopy& Working() const { return working_; }

  private:
    void Einstellen_Beschriftung();
    void ChooseLanguage(std::int32_t language);
    int AskYesNo(std::string_view prompt, std::string_view title);
    void Save();
    controls::Toggle& DriveNameButton(int index);

    ProgramState& state_;
    SettingsStore& settings_;
    controls::MessageBoxService& messages_;
    OptionsHost& host_;
    Controls controls_;
    WorkingCopy working_;
};

}  // namespace wakelatch
