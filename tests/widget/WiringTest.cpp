#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>

#include "fakes/MainFormRig.h"
#include "ui/main/MainWindowView.h"
#include "ui/tray/TrayMenuView.h"

namespace wakelatch {
namespace {

// The real window over fake services: clicks and menu choices must reach the window's handlers.
class Wiring : public ::testing::Test {
  protected:
    Wiring() {
        rig.state.Language = 2;
        form = std::make_unique<frm_Main>(
            rig.state, view.Controls(),
            frm_Main::Services{rig.store, rig.location, rig.autostart, rig.host, rig.trayIcon, rig.drives,
                               view.DriveListMeasurer(), [] {}, [](int) {}});
        view.Connect(*form);
        tray.AddCaptionTargets(view.CaptionTargets());
        trayMenu = std::make_unique<frm_TrayMenu>(rig.state, rig.store, tray.Controls(), *form);
        tray.Connect(*trayMenu);
        form->Form_Load();
        view.show();
    }
    QAction* Action(const char* name) { return view.findChild<QAction*>(name); }

    testing::MainFormRig rig;
    MainWindowView view;
    TrayMenuView tray;
    std::unique_ptr<frm_Main> form;
    std::unique_ptr<frm_TrayMenu> trayMenu;
};

TEST_F(Wiring, EveryControlCarriesItsDocumentedName) {
    for (const char* name :
         {"lbl_TEXT_Hinweis", "lbl_fraStandby_TEXT_eingestelleMinuten", "lbl_fraStandby_TEXT_AnzeigeMinuten",
          "lbl_fraStandby_TEXT_gespeicherteMinuten", "lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert"}) {
        EXPECT_NE(view.findChild<QLabel*>(name), nullptr) << name;
    }
    for (const char* name : {"cmd_Speichern", "cmd_Start", "cmd_Minimieren", "cmd_Beenden"}) {
        EXPECT_NE(view.findChild<QPushButton*>(name), nullptr) << name;
    }
    for (const char* name :
         {"mnuFileProperties", "mnuFileBar0", "mnuFileExit", "mnuAnleitung", "mnuFileBar1", "mnuHelpAbout"}) {
        EXPECT_NE(Action(name), nullptr) << name;
    }
    EXPECT_NE(view.findChild<QMenu*>("mnuFile"), nullptr);
    EXPECT_NE(view.findChild<QMenu*>("mnuHelp"), nullptr);
    EXPECT_EQ(view.findChild<QMenu*>("mnuHelp")->title(), "&?");
    EXPECT_EQ(view.statusBar()->findChildren<QLabel*>().size(), 3);
}

TEST_F(Wiring, TheTrayMenuHasItsEntriesInOrder) {
    EXPECT_EQ(tray.objectName(), "frm_TrayMenu");
    EXPECT_FALSE(tray.isVisible());
    QStringList names;
    for (QAction* action : tray.Menu()->actions()) {
        names << action->objectName();
    }
    EXPECT_EQ(names, (QStringList{"mnuStop", "mnuMax", "mnuLine1", "mnuAuto", "mnuTrayStart", "mnuLine2",
                                  "mnuInfo", "mnuLine3", "mnuExit"}));
    EXPECT_TRUE(tray.Menu()->actions()[3]->isCheckable());
    EXPECT_TRUE(tray.Menu()->actions()[4]->isCheckable());
    EXPECT_EQ(tray.Menu()->actions()[0]->text(), "Stop automatic");  // the texts reach the tray menu
    EXPECT_EQ(tray.Menu()->actions()[6]->text(), "In&fo Wakelatch...");
}

TEST_F(Wiring, ButtonsAndMenusReachTheirHandlers) {
    view.findChild<QPushButton*>("cmd_Minimieren")->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(rig.notificationArea.present);

    tray.Menu()->actions()[1]->trigger();  // mnuMax
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(rig.notificationArea.present);

    tray.Menu()->actions()[3]->trigger();  // mnuAuto: one toggle, not two
    EXPECT_TRUE(tray.Menu()->actions()[3]->isChecked());
    EXPECT_EQ(rig.store.Get("AutoStart"), "True");

    Action("mnuFileProperties")->trigger();
    Action("mnuAnleitung")->trigger();
    Action("mnuHelpAbout")->trigger();
    Action("mnuFileExit")->trigger();
    view.findChild<QPushButton*>("cmd_Beenden")->click();
    EXPECT_EQ(rig.host.calls,
              (std::vector<std::string>{"add idle", "delete", "options", "help wakelatch_help_english.chm",
                                        "about", "unload main window", "unload main window"}));

    tray.Menu()->actions()[0]->trigger();  // mnuStop
    EXPECT_EQ(tray.Menu()->actions()[0]->text(), "Start automatic");
}

TEST_F(Wiring, TheSliderSavesWhenItSettlesNotWhileDraggedNorWhenPlacedAtLoad) {
    auto* slider = view.findChild<QSlider*>("sli_Standby");
    EXPECT_EQ(slider->value(), 56);
    EXPECT_TRUE(rig.store.writes.empty());  // positioned at load: nothing saved

    slider->setSliderDown(true);  // the user drags the thumb
    slider->setSliderPosition(51);
    EXPECT_EQ(view.findChild<QLabel*>("lbl_fraStandby_TEXT_AnzeigeMinuten")->text(), "10 Min.");
    EXPECT_EQ(rig.state.Times, 5);
    EXPECT_TRUE(rig.store.writes.empty());
    slider->setSliderDown(false);  // and lets go
    EXPECT_EQ(rig.state.Times, 10);
    EXPECT_EQ(rig.store.Get("Times"), "10");

    rig.store.writes.clear();
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // a key or a click on the groove
    EXPECT_EQ(rig.state.Times, 9);
    EXPECT_EQ(rig.store.Get("Times"), "9");
    EXPECT_EQ(view.findChild<QLabel*>("lbl_fraStandby_TEXT_AnzeigeMinutenGespeichert")->text(), "9 Min.");
}

}  // namespace
}  // namespace wakelatch
