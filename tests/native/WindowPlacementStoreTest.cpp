#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Options.h"
#include "config/RegIniFile.h"
#include "config/RegistryValues.h"
#include "config/WindowPlacementStore.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

const std::string kRoot = kRegistryRoot;
const std::string kDesktop = kRoot + "\\Desktop";

// A window that records every change made to it, in order.
class TRecordingWindow : public IWindowPlacement {
public:
    int32_t GetLeft() const override { return Left; }
    int32_t GetTop() const override { return Top; }
    int32_t GetWidth() const override { return Width; }
    int32_t GetHeight() const override { return Height; }
    TWindowState GetWindowState() const override { return State; }
    void SetLeft(int32_t left) override { Record("Left", Left = left); }
    void SetTop(int32_t top) override { Record("Top", Top = top); }
    void SetWidth(int32_t width) override { Record("Width", Width = width); }
    void SetHeight(int32_t height) override { Record("Height", Height = height); }
    void SetWindowState(TWindowState state) override {
        State = state;
        Record("WindowState", int32_t(state));
    }

    int32_t Left = 10;
    int32_t Top = 20;
    int32_t Width = 98;
    int32_t Height = 200;
    TWindowState State = TWindowState::Normal;
    std::vector<std::string> Changes;

private:
    void Record(const char* what, int32_t value) { Changes.push_back(what + ("=" + std::to_string(value))); }
};

class WindowPlacementStoreTest : public ::testing::Test {
protected:
    std::vector<std::string> WrittenNames() const {
        std::vector<std::string> names;
        for (const TRegWrite& w : Registry.Writes()) names.push_back(w.Name);
        return names;
    }

    TMemoryRegistry Registry;
    TRecordingWindow Window;
};

TEST_F(WindowPlacementStoreTest, StoredBoundsApplyOneByOneInOrder) {
    Registry.PlantString(kDesktop, "Height", "480");
    Registry.PlantString(kDesktop, "Width", "640");
    Registry.PlantString(kDesktop, "Top", "-8");
    Registry.PlantString(kDesktop, "Left", "0x20");
    LoadWindowBounds(Registry, Window, kRoot, "Desktop");
    EXPECT_EQ(Window.Changes, (std::vector<std::string>{"Left=32", "Top=-8", "Width=640", "Height=480"}));
}

TEST_F(WindowPlacementStoreTest, MissingOrUnreadableBoundsLeaveTheWindowsOwn) {
    Registry.PlantString(kDesktop, "Top", "55");
    Registry.PlantRaw(kDesktop, "Width", kRegDword, {0x80, 2, 0, 0});
    Registry.PlantString(kDesktop, "Height", "2147483647");
    LoadWindowBounds(Registry, Window, kRoot, "Desktop");
    EXPECT_EQ(Window.Changes, (std::vector<std::string>{"Top=55"}));
    EXPECT_EQ(Window.Left, 10);
    EXPECT_EQ(Window.Width, 98);
}

TEST_F(WindowPlacementStoreTest, EachWindowReadsItsOwnSection) {
    Registry.PlantString(kDesktop, "Width", "640");
    Registry.PlantString(kRoot + "\\PopUpBox", "Left", "700");
    LoadWindowBounds(Registry, Window, kRoot, "PopUpBox");
    EXPECT_EQ(Window.Changes, (std::vector<std::string>{"Left=700"}));
}

TEST_F(WindowPlacementStoreTest, BoundsSaveAsDecimalTextInOrder) {
    Window.Left = -4;
    Window.Width = 1024;
    SaveWindowBounds(Registry, Window, kRoot, "PopUpBox");
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"Left", "Top", "Width", "Height"}));
    EXPECT_EQ(Registry.Find(kRoot + "\\PopUpBox", "Left")->Text, "-4");
    EXPECT_EQ(Registry.Find(kRoot + "\\PopUpBox", "Width")->Text, "1024");
    EXPECT_TRUE(Window.Changes.empty());
}

TEST_F(WindowPlacementStoreTest, OnlyStatesZeroToTwoAreApplied) {
    const struct {
        const char* Text;
        bool Applied;
    } cases[] = {{"0", true},  {"1", true},   {"2", true},    {"0x2", true},
                 {"3", false}, {"-1", false}, {"max", false}, {"2147483647", false}};
    for (const auto& c : cases) {
        Window.Changes.clear();
        Registry.PlantString(kDesktop, "WindowState", c.Text);
        LoadWindowState(Registry, Window, kRoot, "Desktop");
        EXPECT_EQ(Window.Changes.size(), c.Applied ? 1u : 0u) << c.Text;
    }
    Window.Changes.clear();
    Registry.PlantRaw(kDesktop, "WindowState", kRegDword, {2, 0, 0, 0});
    LoadWindowState(Registry, Window, kRoot, "Desktop");
    EXPECT_TRUE(Window.Changes.empty());
}

TEST_F(WindowPlacementStoreTest, MaximizedStateSavesAloneAndReadsBack) {
    Registry.PlantString(kDesktop, "Left", "5");
    Window.State = TWindowState::Maximized;
    SaveWindowState(Registry, Window, kRoot, "Desktop");
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"WindowState"}));
    EXPECT_EQ(Registry.Find(kDesktop, "WindowState")->Text, "2");
    EXPECT_EQ(Registry.Find(kDesktop, "Left")->Text, "5");

    TRecordingWindow next;
    LoadWindowState(Registry, next, kRoot, "Desktop");
    EXPECT_EQ(next.State, TWindowState::Maximized);
}

TEST_F(WindowPlacementStoreTest, PlacementWriteFailureIsReported) {
    Registry.FailWritesOf("Top");
    EXPECT_THROW(SaveWindowBounds(Registry, Window, kRoot, "Desktop"), TRegistryError);
    EXPECT_EQ(WrittenNames(), (std::vector<std::string>{"Left"}));
}

TEST(RegistryValuesTest, IntroLetterFlagCountsOnlyWhenStored) {
    TMemoryRegistry registry;
    EXPECT_EQ(ReadStringValue(registry, kRoot, "Version", "ShowIntroLetter", "0"), "0");
    EXPECT_TRUE(registry.KeyExists(kRoot));
    registry.PlantString(kRoot + "\\Version", "ShowIntroLetter", "1");
    EXPECT_EQ(ReadStringValue(registry, kRoot, "Version", "ShowIntroLetter", "0"), "1");
    WriteStringValue(registry, kRoot, "Version", "ShowIntroLetter", "0");
    EXPECT_EQ(ReadStringValue(registry, kRoot, "Version", "ShowIntroLetter", "1"), "0");
}

}  // namespace
