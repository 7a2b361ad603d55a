#include "main/MainCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "main/Hints.h"

namespace {

TEST(MainMenuTest, EveryIdIsUniqueAndEveryEntryHasAParentMenu) {
    std::set<int> ids;
    int previousLevel = -1;
    for (const TMenuEntry& entry : MainMenuEntries()) {
        if (entry.Kind != TMenuKind::Separator) {
            EXPECT_TRUE(ids.insert(entry.Id).second) << entry.Caption;
        }
        // An entry can only be one level below the entry before it (its parent).
        EXPECT_LE(entry.Level, previousLevel + 1) << entry.Caption;
        if (entry.Level > previousLevel) {
            const TMenuEntry* parent = &entry - 1;
            if (entry.Level > 0) {
                EXPECT_EQ(TMenuKind::Submenu, parent->Kind) << entry.Caption;
            }
        }
        previousLevel = entry.Level;
    }
}

TEST(MainMenuTest, SeparatorsBlankTheStatusBar) {
    int separators = 0;
    for (const TMenuEntry& entry : MainMenuEntries())
        if (entry.Kind == TMenuKind::Separator) {
            ++separators;
            EXPECT_EQ(" ", LongHint(entry.Hint));
            EXPECT_FALSE(RestoresStatusPath(LongHint(entry.Hint)));
        }
    EXPECT_EQ(5 + 4 + 2, separators);  // File, View, Help
}

TEST(MainMenuTest, ShortcutsAreAbortSectionWindowAndHelp) {
    std::set<std::string> shortcuts;
    for (const TMenuEntry& entry : MainMenuEntries())
        if (entry.Shortcut.IsSet()) shortcuts.insert(std::string(entry.Caption) + "=" + ShortcutText(entry.Shortcut));
    const std::set<std::string> expected = {"&Abort Scanning=Ctrl+A", "Wasted && Drive Pie &Charts=Ctrl+C",
                                            "&Help Topics=F1"};
    EXPECT_EQ(expected, shortcuts);
    // The File menu itself has none, so Ctrl+A always reaches Abort.
    EXPECT_FALSE(FindMenuEntry(mnuFile)->Shortcut.IsSet());
}

TEST(MainMenuTest, MenuTextCarriesTheShortcutAfterATab) {
    EXPECT_EQ("&Abort Scanning\tCtrl+A", MenuItemText(*FindMenuEntry(cmdFileAbort)));
    EXPECT_EQ("&Help Topics\tF1", MenuItemText(*FindMenuEntry(cmdHelpHelpTopics)));
    EXPECT_EQ("E&xit", MenuItemText(*FindMenuEntry(cmdFileExit)));
}

TEST(MainMenuTest, TopLevelMenusCarryTheirHelpContexts) {
    EXPECT_EQ(4000, FindMenuEntry(mnuFile)->HelpContext);
    EXPECT_EQ(4010, FindMenuEntry(mnuView)->HelpContext);
    EXPECT_EQ(4020, FindMenuEntry(mnuHelp)->HelpContext);
    EXPECT_EQ("", std::string(FindMenuEntry(mnuHelp)->Hint));
}

TEST(MainMenuTest, StartStatesOfTheScanSubmenusAndTicks) {
    EXPECT_FALSE(FindMenuEntry(cmdFileRescan)->Enabled);
    EXPECT_FALSE(FindMenuEntry(cmdFileRemove)->Enabled);
    EXPECT_FALSE(FindMenuEntry(cmdFileAbort)->Enabled);
    EXPECT_TRUE(FindMenuEntry(cmdFileScanDrives)->Enabled);
    EXPECT_TRUE(FindMenuEntry(cmdViewPieChart)->Checked);
    EXPECT_EQ(TMenuMark::Radio, FindMenuEntry(cmdViewPieChart)->Mark);
    EXPECT_EQ(TMenuMark::Check, FindMenuEntry(cmdViewToolbar)->Mark);
    EXPECT_TRUE(FindMenuEntry(cmdViewPieSortDescending)->Checked);
    EXPECT_FALSE(FindMenuEntry(cmdViewPieSortAscending)->Checked);
}

TEST(MainMenuTest, PageEntriesMapBothWaysAndNothingElseIsAPage) {
    for (int page = 0; page < 5; ++page) EXPECT_EQ(page, PageOfCommand(CommandOfPage(page)));
    EXPECT_EQ(-1, PageOfCommand(cmdViewToolbar));
    EXPECT_EQ(0, CommandOfPage(5));
    EXPECT_EQ(0, CommandOfPage(-1));
}

TEST(ToolbarTableTest, ButtonsSeparatorsAndStartStates) {
    std::string layout;
    for (const TToolButton& button : ToolbarButtons()) layout += button.Kind == TToolKind::Separator ? "|" : "b";
    EXPECT_EQ("b|b|b|bb|bb|bb", layout);
    EXPECT_TRUE(FindToolButton(toolScan)->Enabled);
    for (int id : {int(cmdFileRescanCurrentDirectory), int(cmdFileAbort), int(toolLevelUp), int(toolExplore)})
        EXPECT_FALSE(FindToolButton(id)->Enabled) << id;
    for (int id : {int(toolShowWasted), int(toolShowFiles), int(toolPercent), int(toolMB)})
        EXPECT_EQ(TToolKind::Check, FindToolButton(id)->Kind) << id;
}

TEST(ToolbarTableTest, OnlyTheStopButtonHasNoTooltip) {
    for (const TToolButton& button : ToolbarButtons())
        if (button.Kind != TToolKind::Separator) {
            EXPECT_EQ(button.Id != cmdFileAbort, button.Tooltip) << button.Hint;
        }
    EXPECT_EQ("Abort the scanning process", LongHint(FindToolButton(cmdFileAbort)->Hint));
}

TEST(ToolbarTableTest, EveryButtonHasItsOwnImage) {
    std::set<int> images;
    for (const TToolButton& button : ToolbarButtons())
        if (button.Kind != TToolKind::Separator) {
            EXPECT_TRUE(images.insert(button.Image).second) << button.Hint;
            EXPECT_GE(button.Image, 0);
            EXPECT_LT(button.Image, kToolImageCount);
        }
    EXPECT_EQ(kImageLevelUp, FindToolButton(toolLevelUp)->Image);
    EXPECT_EQ(5, kImageLevelUp);
}

}  // namespace
