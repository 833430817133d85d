#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtTranslations.h"
#include "widget/OptionsDialogRig.h"

namespace wakelatch {
namespace {

// Answers the message boxes that the code under test opens, one after another, by pressing their buttons,
// and records each box's text and its Yes and No buttons. A box beyond the answers is rejected, so that a
// test fails instead of hanging.
class MessageBoxAnswerer {
  public:
    explicit MessageBoxAnswerer(std::vector<QMessageBox::StandardButton> answers)
        : answers_(std::move(answers)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(20);
    }
    std::vector<QString> texts;
    std::vector<QString> buttons;  // of each question: the Yes and the No button's texts

  private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        texts.push_back(box->text());
        if (box->button(QMessageBox::No) != nullptr) {
            buttons.push_back(box->button(QMessageBox::Yes)->text() + " " +
                              box->button(QMessageBox::No)->text());
        }
        if (next_ == answers_.size()) {
            texts.back().prepend(QStringLiteral("unexpected: "));
            box->reject();
            return;
        }
        box->button(answers_[next_++])->click();
    }
    std::vector<QMessageBox::StandardButton> answers_;
    std::size_t next_ = 0;
    QTimer timer_;
};

// Closing with changes asks whether to discard them (No) and then whether to save them: Yes saves the
// clicked boxes and closes, No keeps the dialog open with them.
TEST(OptionsDialogClosing, NoThenYesSavesNoThenNoStaysOpen) {
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "No, Yes" : "No, No");
        testing::OptionsDialogRig dialog;
        dialog.Find<QCheckBox>("chk_Autostart")->click();
        dialog.Find<QRadioButton>("opt_DRIVE_Name(0)")->click();
        MessageBoxAnswerer answerer({QMessageBox::No, save ? QMessageBox::Yes : QMessageBox::No});
        dialog.view.close();
        EXPECT_EQ(answerer.texts.size(), 2U);
        EXPECT_EQ(dialog.view.isVisible(), !save);
        EXPECT_EQ(dialog.refresh, save);
        if (save) {
            EXPECT_EQ(dialog.store.Get("AutoStart"), "True");
            EXPECT_EQ(dialog.store.Get("DriveName"), "0");
        } else {
            EXPECT_TRUE(dialog.store.writes.empty());
        }
    }
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
    for (const auto& [language, buttons] : std::vector<std::pair<int, QString>>{
             {1, "&Ja &Nein"}, {3, "&Ja &Nein"}, {2, "&Yes &No"}, {3, "&Yes &No"}, {1, "&Ja &Nein"}}) {
        translations.Apply(language);
        EXPECT_EQ(buttonsOfAQuestion(), buttons) << "after Language " << language;
    }
    translations.Apply(2);
}

}  // namespace
}  // namespace wakelatch
