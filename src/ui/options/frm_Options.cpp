#include "ui/options/frm_Options.h"

#include "settings/SettingsSchema.h"
#include "ui/options/OptionsCaptions.h"

namespace wakelatch {

frm_Options::frm_Options(ProgramState& state, SettingsStore& settings, controls::MessageBoxService& messages,
                         OptionsHost& host, Controls controls)
    : state_(state), settings_(settings), messages_(messages), host_(host), controls_(controls) {}

void frm_Options::Form_Load() {
    controls_.cmd_Speichern.SetEnabled(false);
    working_.CloseState = kOpen;
    working_.Language = state_.Language;
    working_.AutoTray = state_.AutoTray;
    working_.AutoStart = state_.AutoStart;
    working_.DriveName = state_.DriveName;
    working_.DriveStart = state_.DriveStart;
    Einstellen_Beschriftung();

    // Setting a control runs its click handling, as a click would; the values stored again are the same.
    if (working_.Language == 1) {
        controls_.opt_GERMANY.SetValue(1);
        opt_GERMANY_Click();
    } else if (working_.Language == 2) {
        controls_.opt_ENGLISCH.SetValue(1);
        opt_ENGLISCH_Click();
    }
    if (working_.DriveName == 0 || working_.DriveName == 1) {
        const int index = working_.DriveName;
        DriveNameButton(index).SetValue(1);
        opt_DRIVE_Name_Click(index);
    }
    if (working_.AutoStart) {
        controls_.chk_Autostart.SetValue(1);
        chk_Autostart_Click();
    }
    if (working_.DriveStart == 1) {
        controls_.chk_StartNetDrive.SetValue(1);
        chk_StartNetDrive_Click();
    }
    if (working_.AutoTray) {
        controls_.chk_Traystart.SetValue(1);
        chk_Traystart_Click();
    }
}

controls::Toggle& frm_Options::DriveNameButton(int index) {
    return index == 0 ? controls_.opt_DRIVE_Name_0 : controls_.opt_DRIVE_Name_1;
}

// The dialog keeps the two language buttons exclusive itself, and shows its texts in the new language.
void frm_Options::ChooseLanguage(std::int32_t language) {
    controls_.opt_GERMANY.SetValue(language == 1 ? 1 : 0);
    controls_.opt_ENGLISCH.SetValue(language == 2 ? 1 : 0);
    working_.Language = language;
    Speicherueberwachung();
    Einstellen_Beschriftung();
}

void frm_Options::opt_GERMANY_Click() {
    ChooseLanguage(1);
}

void frm_Options::img_FLAG_GERMANY_Click() {
    opt_GERMANY_Click();
}

void frm_Options::opt_ENGLISCH_Click() {
    ChooseLanguage(2);
}

void frm_Options::img_FLAG_ENGLISCH_Click() {
    opt_ENGLISCH_Click();
}

void frm_Options::chk_Autostart_Click() {
    const int value = controls_.chk_Autostart.Value();
    if (value == 0 || value == 1) {
        working_.AutoStart = value == 1;
    }
    Speicherueberwachung();
}

void frm_Options::chk_Traystart_Click() {
    const int value = controls_.chk_Traystart.Value();
    if (value == 0 || value == 1) {
        working_.AutoTray = value == 1;
    }
    Speicherueberwachung();
}

void frm_Options::chk_StartNetDrive_Click() {
    const int value = controls_.chk_StartNetDrive.Value();
    if (value == 0 || value == 1) {
        working_.DriveStart = value;
    }
    Speicherueberwachung();
}

void frm_Options::opt_DRIVE_Name_Click(int index) {
    working_.DriveName = index;
    Speicherueberwachung();
}

void frm_Options::Speicherueberwachung() {
    const bool differs = working_.Language != state_.Language || working_.AutoTray != state_.AutoTray ||
                         working_.AutoStart != state_.AutoStart || working_.DriveName != state_.DriveName ||
                         working_.DriveStart != state_.DriveStart;
    controls_.cmd_Speichern.SetEnabled(differs);
}

void frm_Options::Einstellen_Beschriftung() {
    if (working_.Language != 1 && working_.Language != 2) {
        return;
    }
    const bool german = working_.Language == 1;
    controls_.window.SetCaption(
        "Wakelatch Version " + state_.ProgramVersion +
        std::string(german ? options_captions::kTitleGerman : options_captions::kTitleEnglish));
    for (const options_captions::Caption& caption : options_captions::kOptionsDialog) {
        if (controls::Captioned* control = controls_.texts.Find(caption.control)) {
            control->SetText(std::string(german ? caption.german : caption.english));
        }
    }
}

int frm_Options::AskYesNo(std::string_view prompt, std::string_view title) {
    return messages_.Show(std::string(prompt), std::string(title), controls::MessageIcon::None,
                          controls::MessageButtons::YesNo);
}

void frm_Options::Save() {
    state_.Language = working_.Language;
    state_.AutoTray = working_.AutoTray;
    state_.AutoStart = working_.AutoStart;
    state_.DriveName = working_.DriveName;
    state_.DriveStart = working_.DriveStart;
    settings::SaveInt32(settings_, settings::key::Language, state_.Language);
    settings::SaveBoolean(settings_, settings::key::AutoStart, state_.AutoStart);
    settings::SaveBoolean(settings_, settings::key::AutoTray, state_.AutoTray);
    settings::SaveInt32(settings_, settings::key::DriveName, state_.DriveName);
    settings::SaveInt32(settings_, settings::key::DriveStart, state_.DriveStart);
    host_.SetTrayCheckMarks(state_.AutoStart, state_.AutoTray);
    host_.SetMainRefreshPending();
    host_.ExtractHelpFile();
}

void frm_Options::cmd_Speichern_Click() {
    Save();
    if (working_.CloseState == kOpen) {
        working_.CloseState = kClosingAfterSave;
        host_.CloseDialog();
    }
}

void frm_Options::cmd_Beenden_Click() {
    host_.SetMainRefreshPending();
    host_.CloseDialog();
}

bool frm_Options::Form_QueryUnload() {
    if (working_.CloseState == kClosingAfterSave) {
        return false;
    }
    if (working_.Language != 1 && working_.Language != 2) {
        return false;
    }
    if (!controls_.cmd_Speichern.Enabled()) {
        return false;
    }
    const bool german = working_.Language == 1;
    const auto& discard = options_captions::kDiscard;
    if (AskYesNo(german ? discard.germanText : discard.englishText,
                 german ? discard.germanTitle : discard.englishTitle) == controls::kAnswerYes) {
        return false;
    }
    const auto& save = options_captions::kSave;
    if (AskYesNo(german ? save.germanText : save.englishText,
                 german ? save.germanTitle : save.englishTitle) == controls::kAnswerYes) {
        working_.CloseState = kSavingFromQuestion;
        Save();
        return false;
    }
    return true;
}

}  // namespace wakelatch
