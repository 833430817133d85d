#include <gtest/gtest.h>

#include <span>
#include <string>

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "fakes/FakeControls.h"
#include "fakes/FakePrograms.h"
#include "fakes/TempFolder.h"
#include "fakes/WindowTexts.h"
#include "platform/linux/LinuxFileSystem.h"
#include "ui/shaped/AboutWindow.h"
#include "widget/MainWindowWidgetRig.h"
#include "widget/OptionsDialogRig.h"

// The texts each window shows, read from the real widgets, for Language 1, 2 and 3.
namespace wakelatch {
namespace {

// The text a user sees on a window's control, found by its object name: the window's own title, a menu's
// or frame's title, an entry's, button's or label's text.
std::string CaptionOf(const QWidget& window, const char* name) {
    if (window.objectName() == QLatin1String(name)) {
        return window.windowTitle().toStdString();
    }
    const QObject* control = window.findChild<QObject*>(QString::fromLatin1(name));
    if (control == nullptr) {
        return std::string("<no control ") + name + ">";
    }
    const QVariant title = control->property("title");
    return (title.isValid() ? title : control->property("text")).toString().toStdString();
}

void ExpectCaptions(const QWidget& window, int language, std::span<const testing::ShownText> rows) {
    for (const testing::ShownText& row : rows) {
        EXPECT_EQ(CaptionOf(window, row.control), row.text[language - 1])
            << row.control << ", Language " << language;
    }
}

TEST(Captions, MainWindow) {
    for (const int language : {1, 2, 3}) {
        testing::MainWindowWidgetRig window;
        window.Load(language);
        ExpectCaptions(window.view, language, testing::kMainWindowTexts);
    }
}

TEST(Captions, TrayMenu) {
    for (const int language : {1, 2, 3}) {
        testing::MainWindowWidgetRig window;
        window.Load(language);
        QStringList shown;
        QStringList expected;
        for (QAction* entry : window.tray.Menu()->actions()) {
            shown << entry->objectName() + " = " + entry->text();
        }
        for (const testing::ShownText& row : testing::kTrayMenuTexts) {
            expected << QString::fromLatin1(row.control) + " = " + QString::fromUtf8(row.text[language - 1]);
        }
        EXPECT_EQ(shown, expected) << "Language " << language;
    }
}

TEST(Captions, OptionsDialog) {
    for (const int language : {1, 2, 3}) {
        testing::OptionsDialogRig dialog(language);
        ExpectCaptions(dialog.view, language, testing::kOptionsDialogTexts);
        if (language != 3) {  // the other language's flag switches the texts at once
            dialog.Find<QToolButton>(language == 1 ? "img_FLAG_ENGLISCH" : "img_FLAG_GERMANY")->click();
            ExpectCaptions(dialog.view, 3 - language, testing::kOptionsDialogTexts);
        }
    }
}

TEST(Captions, AboutWindow) {
    testing::TempFolder temp;
    platform::LinuxFileSystem files;
    testing::FakeMessageBox messages;
    testing::FakePrograms programs;
    for (const int language : {1, 2, 3}) {
        ProgramState state;
        state.ProgramVersion = "1.0.0";
        state.TempDirectory = temp.path();
        state.Language = language;
        AboutWindow about(state, files, programs, messages);
        about.Form_Load();
        ExpectCaptions(about, language, testing::kAboutWindowTexts);
    }
}

}  // namespace
}  // namespace wakelatch
