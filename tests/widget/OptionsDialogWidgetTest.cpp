#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include "fakes/FakeSettingsStore.h"
#include "ui/options/OptionsDialogView.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtTranslations.h"

namespace wakelatch {
namespace {

// Answers the message boxes that the dialog opens, one after another, by pressing their buttons. It
// looks for a while only; a box nobody answers is closed, so that a test fails instead of hanging.
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(std::vector<QMessageBox::StandardButton> answers)
        : answers_(std::move(answers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(20);
    }
    ~MessageBoxAnswerer() { timer_.stop(); }
    std::vector<QString> texts;
    std::vector<QString> buttons;  // of each question: the Yes and the No button's texts

  private:
    void Look() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible()) {
                continue;
            }
            if (next_ < answers_.size()) {
                texts.push_back(box->text());
                if (box->button(QMessageBox::Yes) != nullptr && box->button(QMessageBox::No) != nullptr) {
                    buttons.push_back(box->button(QMessageBox::Yes)->text() + " " +
                                      box->button(QMessageBox::No)->text());
                }
                box->button(answers_[next_++])->click();
            } else {
                texts.push_back(QStringLiteral("unexpected: ") + box->text());
                box->reject();
            }
            return;
        }
        if (next_ == answers_.size() || ++looks_ > 250) {
            timer_.stop();
        }
    }
    std::vector<QMessageBox::StandardButton> answers_;
    std::size_t next_ = 0;
    int looks_ = 0;
    QTimer timer_;
};

class OptionsDialogWidget : public ::testing::Test, public OptionsHost {
  protected:
    OptionsDialogWidget() {
        state.ProgramVersion = "1.0.0";
        state.Language = 1;
        state.DriveName = 1;
        state.DriveStart = 1;
        form = std::make_unique<frm_Options>(state, store, messages, *this, view.Controls());
        view.Connect(*form);
        form->Form_Load();
        view.show();
    }
    template <typename Widget>
    Widget* Find(const char* name) {
        return view.findChild<Widget*>(name);
    }

    void CloseDialog() override { view.close(); }
    void SetTrayCheckMarks(bool, bool) override {}
    void ExtractHelpFile() override {}
    void SetMainRefreshPending() override { refresh = true; }

    ProgramState state;
    testing::FakeSettingsStore store;
    qtui::QtMessageBox messages;
    OptionsDialogView view;
    std::unique_ptr<frm_Options> form;
    bool refresh = false;
};

TEST_F(OptionsDialogWidget, ControlsAndTheirFirstState) {
    for (const char* name : {"chk_Autostart", "chk_Traystart", "chk_StartNetDrive"}) {
        EXPECT_NE(Find<QCheckBox>(name), nullptr) << name;
    }
    for (const char* name : {"opt_DRIVE_Name(0)", "opt_DRIVE_Name(1)", "opt_GERMANY", "opt_ENGLISCH"}) {
        EXPECT_NE(Find<QRadioButton>(name), nullptr) << name;
    }
    EXPECT_NE(Find<QToolButton>("img_FLAG_GERMANY"), nullptr);
    EXPECT_NE(Find<QToolButton>("img_FLAG_ENGLISCH"), nullptr);
    EXPECT_FALSE(Find<QPushButton>("cmd_Speichern")->isEnabled());
    EXPECT_EQ(Find<QPushButton>("cmd_Speichern")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>("cmd_Beenden")->text(), "Abbrechen");
    EXPECT_TRUE(Find<QRadioButton>("opt_GERMANY")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("opt_GERMANY")->text().isEmpty());
    EXPECT_EQ(view.windowTitle(), "Wakelatch Version 1.0.0 - Programmsetup");
}

TEST_F(OptionsDialogWidget, TheFlagSwitchesTheDialogAndYesDiscards) {
    Find<QToolButton>("img_FLAG_ENGLISCH")->click();
    EXPECT_EQ(Find<QCheckBox>("chk_Autostart")->text(), "Start with Windows");
    EXPECT_TRUE(Find<QRadioButton>("opt_ENGLISCH")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("opt_GERMANY")->isChecked());
    EXPECT_TRUE(Find<QPushButton>("cmd_Speichern")->isEnabled());

    MessageBoxAnswerer answerer({QMessageBox::Yes});
    Find<QPushButton>("cmd_Beenden")->click();
    ASSERT_EQ(answerer.texts.size(), 1U);
    EXPECT_EQ(answerer.texts[0], "You have change some options, you are sure destroy?");
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(state.Language, 1);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(OptionsDialogWidget, NoThenYesSavesTheClickedBoxes) {
    Find<QCheckBox>("chk_Autostart")->click();
    Find<QRadioButton>("opt_DRIVE_Name(0)")->click();
    EXPECT_TRUE(Find<QPushButton>("cmd_Speichern")->isEnabled());
    EXPECT_FALSE(Find<QRadioButton>("opt_DRIVE_Name(1)")->isChecked());

    MessageBoxAnswerer answerer({QMessageBox::No, QMessageBox::Yes});
    view.close();
    EXPECT_EQ(answerer.texts.size(), 2U);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(store.Get("AutoStart"), "True");
    EXPECT_EQ(store.Get("DriveName"), "0");
    EXPECT_TRUE(refresh);
}

TEST_F(OptionsDialogWidget, NoThenNoStaysOpen) {
    Find<QCheckBox>("chk_Traystart")->click();
    MessageBoxAnswerer answerer({QMessageBox::No, QMessageBox::No});
    view.close();
    EXPECT_EQ(answerer.texts.size(), 2U);
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(Find<QCheckBox>("chk_Traystart")->isChecked());
    EXPECT_TRUE(store.writes.empty());
}

// The standard buttons of a question speak the program's language: German for 1, English for 2, and
// another value leaves them as they are.
TEST(QtTranslations, QuestionButtonsFollowTheLanguage) {
    qtui::QtTranslations translations;
    if (!translations.Apply(1)) {
        if (qEnvironmentVariableIsEmpty("WAKELATCH_REQUIRE_INTEGRATION")) {
            GTEST_SKIP() << "Qt's German translation (qtbase_de.qm) is not installed";
        }
        FAIL() << "Qt's German translation (qtbase_de.qm) is not installed";
    }
    qtui::QtMessageBox messages;
    const auto buttonsOfAQuestion = [&messages] {
        MessageBoxAnswerer answerer({QMessageBox::No});
        messages.Show("Sollen die Einstellungen gespeichert werden?", "Verfahrensweise",
                      controls::MessageIcon::None, controls::MessageButtons::YesNo);
        return answerer.buttons.empty() ? QString() : answerer.buttons[0];
    };
    EXPECT_EQ(buttonsOfAQuestion(), "&Ja &Nein");
    translations.Apply(3);
    EXPECT_EQ(buttonsOfAQuestion(), "&Ja &Nein");
    translations.Apply(2);
    EXPECT_EQ(buttonsOfAQuestion(), "&Yes &No");
    translations.Apply(3);
    EXPECT_EQ(buttonsOfAQuestion(), "&Yes &No");
    translations.Apply(1);
    EXPECT_EQ(buttonsOfAQuestion(), "&Ja &Nein");
    translations.Apply(2);
}

}  // namespace
}  // namespace wakelatch
