#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>

#include <filesystem>

#include "fakes/FakeControls.h"
#include "fakes/FakePrograms.h"
#include "fakes/TempFolder.h"
#include "platform/linux/LinuxFileSystem.h"
#include "ui/help/HelpViewer.h"
#include "ui/shaped/AboutWindow.h"
#include "ui/shaped/SplashWindow.h"

namespace wakelatch {
namespace {

class ShapedWindows : public ::testing::Test {
  protected:
    ShapedWindows() {
        state.ProgramVersion = "1.0.0";
        state.TempDirectory = temp.path();
        state.Language = 2;
    }
    testing::TempFolder temp;
    ProgramState state;
    platform::LinuxFileSystem files;
    testing::FakeMessageBox messages;
    testing::FakePrograms programs;
};

// Each takes its picture's shape (the white corners cut away) and leaves no picture file behind.
TEST_F(ShapedWindows, TheSplashAndTheAboutWindowTakeTheirPicturesShape) {
    SplashWindow splash;
    splash.Form_Load(state, files);
    EXPECT_EQ(splash.size(), QSize(418, 277));
    EXPECT_FALSE(splash.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(splash.mask().contains(QPoint(150, 150)));
    EXPECT_EQ(splash.findChild<QLabel*>("lbl_Programmversion")->text(), "Version 1.0.0");
    EXPECT_EQ(state.LastResult, 1);
    AboutWindow about(state, files, programs, messages);
    about.Form_Load();
    EXPECT_EQ(about.size(), QSize(510, 345));
    EXPECT_FALSE(about.mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

TEST_F(ShapedWindows, TheAboutWindowClosesWithOkOrEscape) {
    for (const bool escape : {false, true}) {
        AboutWindow about(state, files, programs, messages);
        about.Form_Load();
        bool closed = false;
        QObject::connect(&about, &AboutWindow::closed, [&] { closed = true; });
        about.show();
        if (escape) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&about, &key);
        } else {
            about.findChild<QPushButton*>("cmdOK")->click();
        }
        EXPECT_TRUE(closed) << (escape ? "Escape" : "OK");
    }
}

void Mouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, target->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST_F(ShapedWindows, ALabelMovesTheWindowOnlyWhileTheLeftButtonIsHeld) {
    AboutWindow about(state, files, programs, messages);
    about.Form_Load();
    about.move(100, 100);
    about.show();
    QLabel* label = about.findChild<QLabel*>("lbl_Name");
    const QPoint start = label->mapToGlobal(QPoint(5, 5));

    Mouse(label, QEvent::MouseMove, start + QPoint(40, 30), Qt::NoButton, Qt::NoButton);  // passing over it
    Mouse(label, QEvent::MouseButtonPress, start, Qt::RightButton, Qt::RightButton);
    Mouse(label, QEvent::MouseMove, start + QPoint(40, 30), Qt::NoButton, Qt::RightButton);
    Mouse(label, QEvent::MouseButtonRelease, start + QPoint(40, 30), Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(about.pos(), QPoint(100, 100));

    QCursor::setPos(start);
    Mouse(label, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Mouse(label, QEvent::MouseMove, start + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    Mouse(label, QEvent::MouseButtonRelease, start + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(about.pos(), QPoint(140, 130));
}

TEST(BuiltInHelp, ShowsThePagesOfTheLanguage) {
    for (const char* language : {"de", "en"}) {
        qtui::HelpWindow window{QString::fromLatin1(language), nullptr};
        EXPECT_EQ(window.PageCount(), 8) << language;  // in the order of the table of contents
        const auto* page = window.findChild<QTextBrowser*>("HelpPage");
        EXPECT_FALSE(page->toPlainText().isEmpty()) << language;
        EXPECT_FALSE(window.PageTitle(0).startsWith("Wakelatch -"));
    }
}

}  // namespace
}  // namespace wakelatch
