#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include "fakes/FakeDrivePlatform.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSettingsStore.h"
#include "fakes/MainFormRig.h"
#include "ui/main/MainWindowView.h"
#include "ui/main/Placement.h"
#include "ui/qt/DriveRowDelegate.h"

namespace wakelatch {
namespace {

class MainWindowWidgets : public ::testing::Test {
  protected:
    MainWindowWidgets() {
        state.ProgramVersion = "1.0.0";
        state.Language = 1;
        state.Times = 5;
    }
    void Load() {
        form = std::make_unique<frm_Main>(
            state, view.Controls(),
            frm_Main::Services{store, location, autostart, host, trayIcon, drives, view.DriveListMeasurer(),
                               [] { QCoreApplication::processEvents(); }, [](int) {}});
        view.Connect(*form);
        view.SetUnloadHandler([this] { form->Form_Unload(); });
        form->Form_Load();
    }
    double TwipsPerPixel() const {
        return placement::TwipsPerPixel(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    }

    ProgramState state;
    testing::FakeSettingsStore store;
    testing::FakeLocation location;
    testing::FakeAutostart autostart;
    testing::RecordingHost host;
    testing::FakeNotificationArea notificationArea;
    TrayIcon trayIcon{notificationArea};
    testing::FakeDrivePlatform drives;
    MainWindowView view;
    std::unique_ptr<frm_Main> form;
};

// Hidden in the tray the clock does not tick; shown again it catches up at once.
TEST_F(MainWindowWidgets, TheClockSleepsWhileTheWindowIsHidden) {
    auto* clock = view.findChild<QTimer*>("sbStatusBar_Clock");
    auto* time = view.findChild<QLabel*>("sbStatusBar_Panel3");
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

TEST_F(MainWindowWidgets, ControlsCarryTheirDocumentedNames) {
    EXPECT_EQ(view.objectName(), "frm_Main");
    EXPECT_NE(view.findChild<QGroupBox*>("fra_Standby"), nullptr);
    EXPECT_NE(view.findChild<QSlider*>("sli_Standby"), nullptr);
    EXPECT_NE(view.findChild<QStatusBar*>("sbStatusBar"), nullptr);
    EXPECT_NE(view.findChild<QTimer*>("TIMER_STANDBY"), nullptr);
    EXPECT_NE(view.findChild<QTimer*>("TIMER_LAUFWERKSABFRAGE"), nullptr);
    EXPECT_NE(view.findChild<QGroupBox*>("fra_Laufwerke"), nullptr);
    EXPECT_NE(view.findChild<QListWidget*>("list_Laufwerke"), nullptr);
    EXPECT_NE(view.findChild<QListWidget*>("list_Laufwerke_TEMP"), nullptr);
    EXPECT_NE(view.findChild<QPushButton*>("cmd_Speichern"), nullptr);
    EXPECT_NE(view.findChild<QLabel*>("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"), nullptr);
    EXPECT_EQ(view.windowTitle(), "frm_Main");  // design caption until the texts are applied
}

TEST_F(MainWindowWidgets, LoadGivesTheCaptionTheFixedSizeAndThePlace) {
    Load();
    const double tpp = TwipsPerPixel();
    EXPECT_EQ(view.windowTitle(), "Wakelatch Version 1.0.0");
    EXPECT_EQ(view.width(), placement::TwipsToPixels(10000, tpp));
    EXPECT_EQ(view.height(), placement::TwipsToPixels(7100, tpp));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());  // not resizable by the user
    EXPECT_EQ(view.pos(), QPoint(placement::TwipsToPixels(1000, tpp), placement::TwipsToPixels(1000, tpp)));
}

TEST_F(MainWindowWidgets, TimersAndSliderAfterLoad) {
    Load();
    auto* standby = view.findChild<QTimer*>("TIMER_STANDBY");
    auto* pass = view.findChild<QTimer*>("TIMER_LAUFWERKSABFRAGE");
    EXPECT_TRUE(standby->isActive());
    EXPECT_EQ(standby->interval(), 60000);
    EXPECT_FALSE(pass->isActive());
    EXPECT_EQ(pass->interval(), 5000);
    auto* slider = view.findChild<QSlider*>("sli_Standby");
    EXPECT_EQ(slider->value(), 56);
    EXPECT_EQ(slider->orientation(), Qt::Vertical);
    EXPECT_TRUE(slider->invertedAppearance());  // position 1 (60 minutes) at the top
}

TEST_F(MainWindowWidgets, ClosingUnloadsOnceAndWritesBackTheUntouchedPlacement) {
    Load();
    view.show();
    view.close();
    view.close();
    EXPECT_EQ(store.writes, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
    EXPECT_EQ(store.Get("MainLeft"), "1000");
    EXPECT_EQ(store.Get("MainTop"), "1000");
    EXPECT_EQ(store.Get("MainWidth"), "10000");
    EXPECT_EQ(store.Get("MainHeight"), "7100");
}

TEST_F(MainWindowWidgets, AMovedWindowWritesItsNewPlace) {
    Load();
    view.move(200, 100);
    view.close();
    const double tpp = TwipsPerPixel();
    EXPECT_EQ(store.Get("MainLeft"), std::to_string(static_cast<int>(std::round(200 * tpp))));
    EXPECT_EQ(store.Get("MainTop"), std::to_string(static_cast<int>(std::round(100 * tpp))));
}

TEST_F(MainWindowWidgets, APlaceOffEveryScreenComesBackOntoThePrimaryScreen) {
    store.Set("MainLeft", "900000");
    store.Set("MainTop", "-900000");
    Load();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(QRect(view.pos(), view.size())));
}

TEST_F(MainWindowWidgets, DriveRowsLineUpInTheListsFont) {
    drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    drives.drives['E'] = {platform::kDriveRemovable, true, "A much longer volume label"};
    drives.drives['F'] = {platform::kDriveFixed, true, "W"};
    Load();
    view.show();
    QCoreApplication::processEvents();
    auto* list = view.findChild<QListWidget*>("list_Laufwerke");
    ASSERT_EQ(list->count(), 3);
    const QFontMetrics metrics(list->font());
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    std::vector<int> typeColumn;
    std::vector<int> markerColumn;
    for (int row = 0; row < list->count(); ++row) {
        const QString shown = list->item(row)->text();
        typeColumn.push_back(metrics.horizontalAdvance(shown.left(shown.indexOf(QLatin1Char('[')))));
        markerColumn.push_back(metrics.horizontalAdvance(shown.left(shown.indexOf(QLatin1Char('*')))));
        EXPECT_LE(metrics.horizontalAdvance(shown), list->viewport()->width()) << row;
    }
    for (std::size_t row = 1; row < typeColumn.size(); ++row) {
        EXPECT_NEAR(typeColumn[row], typeColumn[0], space) << row;
        EXPECT_NEAR(markerColumn[row], markerColumn[0], space) << row;
    }
    // The row keeps its own text, TABs included; the list shows them as blanks.
    const QString own = list->item(0)->data(Qt::UserRole).toString();
    EXPECT_TRUE(own.startsWith(QStringLiteral("C:\\ ")));
    EXPECT_TRUE(own.contains(QLatin1Char('\t')));
    EXPECT_FALSE(list->item(0)->text().contains(QLatin1Char('\t')));
}

TEST_F(MainWindowWidgets, SaveButtonAndLeavingTheListSave) {
    drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
    Load();
    view.show();
    auto* list = view.findChild<QListWidget*>("list_Laufwerke");
    list->item(1)->setCheckState(Qt::Checked);
    view.findChild<QPushButton*>("cmd_Speichern")->click();
    EXPECT_EQ(store.Get("Drives"), "E:\\");
    EXPECT_EQ(view.findChild<QLabel*>("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert")->text(), "5 Min.");

    store.writes.clear();
    list->item(0)->setCheckState(Qt::Checked);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(list, &focusOut);
    EXPECT_EQ(store.Get("Drives"), "C:\\E:\\");
    EXPECT_EQ(store.writes.size(), 5U);

    // Switching to another program is no move to another control: nothing is saved.
    store.writes.clear();
    QFocusEvent windowLeft(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(list, &windowLeft);
    EXPECT_TRUE(store.writes.empty());
}

// After a pass each row tells its last touch; the ticked row whose drive was missed carries the mark.
TEST_F(MainWindowWidgets, RowsTellTheirLastTouchAndMarkATickedMissedDrive) {
    state.Language = 2;
    state.Drives = "C:\\E:\\";
    drives.drives['C'] = {platform::kDriveFixed, true, "System"};
    drives.drives['E'] = {platform::kDriveRemovable, true, "Stick"};
    drives.drives['F'] = {platform::kDriveFixed, true, "Data"};
    drives.reachThrough = [](const std::string& drive, bool reachable) { return reachable && drive == "C:"; };
    Load();
    view.show();
    form->cmd_Start_Click();
    auto* list = view.findChild<QListWidget*>("list_Laufwerke");
    ASSERT_EQ(list->count(), 3);
    EXPECT_TRUE(list->item(0)->toolTip().startsWith("Last reached: "));
    EXPECT_TRUE(list->item(0)->toolTip().endsWith(" (4 KiB read from the drive)"));
    EXPECT_EQ(list->item(1)->toolTip(), "Not reached: no file on the drive that may be read");
    EXPECT_EQ(list->item(2)->toolTip(), "Not touched yet");
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
    EXPECT_EQ(list->item(1)->text().toStdString().find("Not"),
              std::string::npos);  // the text stays the row's
}

TEST_F(MainWindowWidgets, ClosingWhileHiddenStillUnloads) {
    Load();
    view.close();  // never shown, as when the program lives in the tray
    EXPECT_EQ(store.writes.size(), 4U);
}

}  // namespace
}  // namespace wakelatch
