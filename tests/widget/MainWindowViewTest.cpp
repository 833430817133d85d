#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTime>
#include <QTimer>

#include "ui/main/Placement.h"
#include "ui/qt/DriveRowDelegate.h"
#include "widget/MainWindowWidgetRig.h"

// The real main window and tray menu over fake services: clicks, menu choices, timers and closing must
// reach the window's logic, and what the logic sets must show.
namespace wakelatch {
namespace {

class MainWindowWidgets : public ::testing::Test, public testing::MainWindowWidgetRig {
  protected:
    QListWidget* List() { return Find<QListWidget>("list_Laufwerke"); }
};

// Hidden in the tray the clock does not tick; shown again it catches up at once.
TEST_F(MainWindowWidgets, TheClockSleepsWhileTheWindowIsHidden) {
    auto* clock = Find<QTimer>("sbStatusBar_Clock");
    auto* time = Find<QLabel>("sbStatusBar_Panel3");
    ASSERT_NE(clock, nullptr);
    ASSERT_NE(time, nullptr);
    view.show();
    EXPECT_TRUE(clock->isActive());
    EXPECT_LE(clock->remainingTime(), 60'005);
    view.hide();
    EXPECT_FALSE(clock->isActive());
    time->setText(QStringLiteral("stale"));
    view.show();
    EXPECT_TRUE(clock->isActive());
    EXPECT_EQ(time->text(), QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
}

// Closing unloads once, shown (and moved) or hidden in the tray, and writes back the window's place.
TEST(MainWindowClosing, UnloadsOnceShownOrHiddenAndWritesBackThePlacement) {
    const double tpp = placement::TwipsPerPixel(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    for (const bool shown : {true, false}) {
        testing::MainWindowWidgetRig window;
        window.Load();
        window.view.setVisible(shown);
        if (shown) {
            window.view.move(200, 100);
        }
        window.view.close();
        window.view.close();
        EXPECT_EQ(window.rig.store.writes,
                  (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        EXPECT_EQ(window.rig.store.Get("MainLeft"),
                  shown ? std::to_string(static_cast<int>(std::round(200 * tpp))) : "1000");
        EXPECT_EQ(window.rig.store.Get("MainTop"),
                  shown ? std::to_string(static_cast<int>(std::round(100 * tpp))) : "1000");
    }
}

TEST_F(MainWindowWidgets, APlaceOffEveryScreenComesBackOntoThePrimaryScreen) {
    rig.store.Set("MainLeft", "900000");
    rig.store.Set("MainTop", "-900000");
    Load();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(view.pos(), view.size())));
}

TEST_F(MainWindowWidgets, DriveRowsLineUpInTheListsFont) {
    rig.drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    rig.drives.drives['E'] = {platform::kDriveRemovable, true, "A much longer volume label"};
    rig.drives.drives['F'] = {platform::kDriveFixed, true, "W"};
    Load();
    view.show();
    QCoreApplication::processEvents();
    QListWidget* list = List();
    ASSERT_EQ(list->count(), 3);
    const QFontMetrics metrics(list->font());
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const auto widthUpTo = [&](int row, QLatin1Char mark) {
        const QString shown = list->item(row)->text();
        return metrics.horizontalAdvance(shown.left(shown.indexOf(mark)));
    };
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_LE(metrics.horizontalAdvance(list->item(row)->text()), list->viewport()->width()) << row;
        EXPECT_NEAR(widthUpTo(row, QLatin1Char('[')), widthUpTo(0, QLatin1Char('[')), space) << row;
        EXPECT_NEAR(widthUpTo(row, QLatin1Char('*')), widthUpTo(0, QLatin1Char('*')), space) << row;
    }
}

TEST_F(MainWindowWidgets, SaveButtonAndLeavingTheListSave) {
    rig.drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    rig.drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
    Load();
    view.show();
    List()->item(1)->setCheckState(Qt::Checked);
    Find<QPushButton>("cmd_Speichern")->click();
    EXPECT_EQ(rig.store.Get("Drives"), "E:\\");

    List()->item(0)->setCheckState(Qt::Checked);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(List(), &focusOut);
    EXPECT_EQ(rig.store.Get("Drives"), "C:\\E:\\");

    // Switching to another program is no move to another control: nothing is saved.
    rig.store.writes.clear();
    QFocusEvent windowLeft(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(List(), &windowLeft);
    EXPECT_TRUE(rig.store.writes.empty());
}

// After a pass each row tells its last touch; the ticked row whose drive was missed carries the mark.
TEST_F(MainWindowWidgets, RowsTellTheirLastTouchAndMarkATickedMissedDrive) {
    rig.state.Drives = "C:\\E:\\";
    rig.drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    rig.drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
    rig.drives.drives['F'] = {platform::kDriveFixed, true, "Data"};
    rig.drives.reachThrough = [](const std::string& drive, bool reachable) {
        return reachable && drive == "C:";
    };
    Load(2);
    view.show();
    form->cmd_Start_Click();
    QListWidget* list = List();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->toolTip(), "Not reached: no file on the drive that may be read");
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(access, nullptr);
    QStringList descriptions;
    for (int child = 0; child < access->childCount(); ++child) {
        descriptions << access->child(child)->text(QAccessible::Description);
    }
    EXPECT_TRUE(descriptions.contains("Not reached: no file on the drive that may be read"))
        << descriptions.join('|').toStdString();

    // The mark: something drawn at the right end of E:'s row only, which F: (missed, unticked) lacks.
    list->item(2)->setData(qtui::kMissedRole, true);
    list->setCurrentRow(-1);
    const QImage shown = list->viewport()->grab().toImage();
    const auto colours = [&](int row) {
        const QRect mark = qtui::DriveRowDelegate::MarkRect(list->visualItemRect(list->item(row)));
        QSet<QRgb> seen;
        for (int y = mark.top(); y <= mark.bottom(); ++y) {
            for (int x = mark.left(); x <= mark.right(); ++x) {
                seen.insert(shown.pixel(x * shown.width() / list->viewport()->width(),
                                        y * shown.height() / list->viewport()->height()));
            }
        }
        return seen.size();
    };
    EXPECT_GT(colours(1), 3);
    EXPECT_EQ(colours(0), 1);
    EXPECT_EQ(colours(2), 1);
}

TEST_F(MainWindowWidgets, ButtonsAndMenusReachTheirHandlers) {
    Load(2);
    view.show();
    Find<QPushButton>("cmd_Minimieren")->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(rig.notificationArea.present);

    TrayEntry("mnuMax")->trigger();
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(rig.notificationArea.present);

    TrayEntry("mnuAuto")->trigger();  // one toggle, not two
    EXPECT_TRUE(TrayEntry("mnuAuto")->isChecked());
    EXPECT_EQ(rig.store.Get("AutoStart"), "True");
    TrayEntry("mnuTrayStart")->trigger();
    EXPECT_TRUE(TrayEntry("mnuTrayStart")->isChecked());
    EXPECT_EQ(rig.store.Get("AutoTray"), "True");

    Find<QAction>("mnuFileProperties")->trigger();
    Find<QAction>("mnuAnleitung")->trigger();
    Find<QAction>("mnuHelpAbout")->trigger();
    Find<QAction>("mnuFileExit")->trigger();
    Find<QPushButton>("cmd_Beenden")->click();
    TrayEntry("mnuInfo")->trigger();
    TrayEntry("mnuExit")->trigger();
    EXPECT_EQ(rig.host.calls,
              (std::vector<std::string>{"add idle", "delete", "options", "help wakelatch_help_english.chm",
                                        "about", "unload main window", "unload main window", "about",
                                        "unload main window"}));

    TrayEntry("mnuStop")->trigger();
    EXPECT_EQ(TrayEntry("mnuStop")->text(), "Start automatic");
}

TEST_F(MainWindowWidgets, TheSliderSavesWhenItSettlesNotWhileDraggedNorWhenPlacedAtLoad) {
    Load();
    auto* slider = Find<QSlider>("sli_Standby");
    EXPECT_TRUE(rig.store.writes.empty());  // positioned at load: nothing saved

    slider->setSliderDown(true);  // the user drags the thumb
    slider->setSliderPosition(51);
    EXPECT_EQ(Find<QLabel>("lbl_fraStandby_TEXT_AnzeigeMinuten")->text(), "10 Min.");
    EXPECT_EQ(rig.state.Times, 5);
    EXPECT_TRUE(rig.store.writes.empty());
    slider->setSliderDown(false);  // and lets go
    EXPECT_EQ(rig.store.Get("Times"), "10");

    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // a key or a click on the groove
    EXPECT_EQ(rig.store.Get("Times"), "9");
    EXPECT_EQ(Find<QLabel>("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert")->text(), "9 Min.");
}

}  // namespace
}  // namespace wakelatch
