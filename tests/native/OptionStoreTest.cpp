#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "config/Options.h"
#include "config/RegIniFile.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

const std::string kRoot = kRegistryRoot;
const std::string kOptions = kRoot + "\\Options";
const std::string kDesktop = kRoot + "\\Desktop";

std::vector<uint8_t> LittleEndian(uint64_t bits, size_t count) {
    std::vector<uint8_t> bytes;
    for (size_t k = 0; k < count; ++k) bytes.push_back(uint8_t(bits >> (8 * k)));
    return bytes;
}

std::vector<uint8_t> AngleBytes(double angle) {
    uint64_t bits = 0;
    std::memcpy(&bits, &angle, sizeof bits);
    return LittleEndian(bits, 8);
}

std::vector<uint8_t> ColorBytes(const TColorTable& colors) {
    std::vector<uint8_t> bytes;
    for (const uint32_t c : colors) {
        const std::vector<uint8_t> one = LittleEndian(c, 4);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

TColorTable OtherColors() {
    TColorTable colors;
    for (size_t i = 0; i < colors.size(); ++i) colors[i] = 0x00102030u + uint32_t(i);
    return colors;
}

// Every loaded value as "name=value", options in load order, then the
// colours and the angles.
std::vector<std::string> Snapshot(const TProgramOptions& o) {
    std::vector<std::string> lines;
    const auto flag = [&](const char* name, bool value) {
        lines.push_back(name + std::string(value ? "=true" : "=false"));
    };
    flag("IncludeWastedInformation", o.IncludeWastedInformation);
    flag("ShowFileNames", o.ShowFileNames);
    flag("AutoExpand", o.AutoExpand);
    flag("AutoCollapse", o.AutoCollapse);
    flag("SortAscending", o.SortAscending);
    flag("ZIPAddSubfolders", o.ZIPAddSubfolders);
    flag("ZIPAddHiddenFiles", o.ZIPAddHiddenFiles);
    flag("ZIPDeleteAfterCompressing", o.ZIPDeleteAfterCompressing);
    flag("ZIPPasswordProtect", o.ZIPPasswordProtect);
    flag("ZIPDeleteArchive", o.ZIPDeleteArchive);
    flag("ViewToolbar", o.ViewToolbar);
    flag("ViewStatusBar", o.ViewStatusBar);
    flag("ViewFolderTree", o.ViewFolderTree);
    flag("PieSectionSizeWindow", o.PieSectionSizeWindow);
    lines.push_back("ShowPercentInPie=" + std::to_string(o.ShowPercentInPie));
    lines.push_back("ZIPCompressionLevel=" + std::to_string(o.ZIPCompressionLevel));
    lines.push_back("DrivesToAutoScan=" + o.DrivesToAutoScan);
    std::string colors = "Colors=";
    for (const uint32_t c : o.Colors) colors += std::to_string(c) + ",";
    lines.push_back(colors);
    lines.push_back("MinFileSectionAngle=" + std::to_string(o.MinFileSectionAngle));
    lines.push_back("MinFolderSectionAngle=" + std::to_string(o.MinFolderSectionAngle));
    lines.push_back("MinTextSectionAngle=" + std::to_string(o.MinTextSectionAngle));
    return lines;
}

class OptionStoreTest : public ::testing::Test {
protected:
    // Plants a value of every option that differs from its default, plus
    // other colours and angles.
    void PlantEverything() {
        for (const char* name :
             {"IncludeWastedInformation", "ShowFileNames", "AutoExpand", "AutoCollapse", "ZIPAddSubfolders",
              "ZIPAddHiddenFiles", "ZIPDeleteAfterCompressing", "ZIPDeleteArchive"})
            Registry.PlantString(kOptions, name, "0");
        Registry.PlantString(kOptions, "SortAscending", "1");
        Registry.PlantString(kOptions, "ZIPPasswordProtect", "1");
        Registry.PlantString(kOptions, "ShowPercentInPie", "2");
        Registry.PlantString(kOptions, "DrivesToAutoScan", "cD");
        Registry.PlantString(kOptions, "ZIPCompressionLevel", "4");
        for (const char* name : {"ViewToolbar", "ViewStatusBar", "ViewFolderTree", "PieSectionSizeWindow"})
            Registry.PlantString(kDesktop, name, "0");
        Registry.PlantBinary(kOptions, "Colors", ColorBytes(OtherColors()));
        Registry.PlantBinary(kOptions, "MinFileSectionAngle", AngleBytes(3.5));
        Registry.PlantBinary(kOptions, "MinFolderSectionAngle", AngleBytes(0.25));
        Registry.PlantBinary(kOptions, "MinTextSectionAngle", AngleBytes(10.0));
    }

    TMemoryRegistry Registry;
};

void ExpectDefaultOptions(const TProgramOptions& o) {
    EXPECT_TRUE(o.IncludeWastedInformation);
    EXPECT_TRUE(o.ShowFileNames);
    EXPECT_EQ(o.ShowPercentInPie, 1);
    EXPECT_TRUE(o.AutoExpand);
    EXPECT_TRUE(o.AutoCollapse);
    EXPECT_FALSE(o.SortAscending);
    EXPECT_EQ(o.DrivesToAutoScan, "");
    EXPECT_TRUE(o.ZIPAddSubfolders);
    EXPECT_TRUE(o.ZIPAddHiddenFiles);
    EXPECT_TRUE(o.ZIPDeleteAfterCompressing);
    EXPECT_FALSE(o.ZIPPasswordProtect);
    EXPECT_EQ(o.ZIPCompressionLevel, 9);
    EXPECT_TRUE(o.ZIPDeleteArchive);
}

void ExpectDefaultDesktop(const TProgramOptions& o) {
    EXPECT_TRUE(o.ViewToolbar);
    EXPECT_TRUE(o.ViewStatusBar);
    EXPECT_TRUE(o.ViewFolderTree);
    EXPECT_TRUE(o.PieSectionSizeWindow);
}

void ExpectDefaultAngles(const TProgramOptions& o) {
    EXPECT_EQ(o.MinFileSectionAngle, 2.0);
    EXPECT_EQ(o.MinFolderSectionAngle, 1.0);
    EXPECT_EQ(o.MinTextSectionAngle, 5.0);
}

TEST_F(OptionStoreTest, FreshAccountGetsEveryDefaultAndAnEmptyRootKey) {
    TProgramOptions o = LoadOptions(Registry);
    ExpectDefaultOptions(o);
    ExpectDefaultDesktop(o);
    ExpectDefaultAngles(o);
    EXPECT_EQ(o.Colors, DefaultColors);
    EXPECT_TRUE(Registry.KeyExists(kRoot));
    EXPECT_FALSE(Registry.KeyExists(kOptions));
    EXPECT_FALSE(Registry.KeyExists(kDesktop));
}

TEST_F(OptionStoreTest, SaveWritesEveryValueInLoadOrder) {
    SaveOptions(Registry, LoadOptions(Registry));
    std::vector<std::string> written;
    for (const TRegWrite& w : Registry.Writes()) written.push_back(w.Path.substr(kRoot.size() + 1) + ":" + w.Name);
    const std::vector<std::string> expected = {"Options:IncludeWastedInformation",
                                               "Options:ShowFileNames",
                                               "Options:ShowPercentInPie",
                                               "Options:AutoExpand",
                                               "Options:AutoCollapse",
                                               "Options:SortAscending",
                                               "Options:DrivesToAutoScan",
                                               "Options:ZIPAddSubfolders",
                                               "Options:ZIPAddHiddenFiles",
                                               "Options:ZIPDeleteAfterCompressing",
                                               "Options:ZIPPasswordProtect",
                                               "Options:ZIPCompressionLevel",
                                               "Options:ZIPDeleteArchive",
                                               "Desktop:ViewToolbar",
                                               "Desktop:ViewStatusBar",
                                               "Desktop:ViewFolderTree",
                                               "Desktop:PieSectionSizeWindow",
                                               "Options:Colors",
                                               "Options:MinFileSectionAngle",
                                               "Options:MinFolderSectionAngle",
                                               "Options:MinTextSectionAngle"};
    EXPECT_EQ(written, expected);
}

TEST_F(OptionStoreTest, DefaultsAreStoredAsTextAndLittleEndianBytes) {
    SaveOptions(Registry, LoadOptions(Registry));
    EXPECT_EQ(Registry.Find(kOptions, "ZIPCompressionLevel")->Text, "9");
    EXPECT_EQ(Registry.Find(kOptions, "SortAscending")->Text, "0");
    EXPECT_EQ(Registry.Find(kDesktop, "ViewToolbar")->Text, "1");
    const TRegValue* colors = Registry.Find(kOptions, "Colors");
    ASSERT_EQ(colors->RawType, kRegBinary);
    ASSERT_EQ(colors->Data.size(), 68u);
    auto entry = [&](size_t i) {
        return std::vector<uint8_t>(colors->Data.begin() + i * 4, colors->Data.begin() + i * 4 + 4);
    };
    EXPECT_EQ(entry(0), (std::vector<uint8_t>{0x05, 0, 0, 0x80})) << "window background";
    EXPECT_EQ(entry(4), (std::vector<uint8_t>{0xC6, 0xFF, 0xC6, 0})) << "pale green";
    EXPECT_EQ(entry(7), (std::vector<uint8_t>{0x18, 0, 0, 0x80})) << "tooltip background";
    EXPECT_EQ(entry(15), (std::vector<uint8_t>{0xFF, 0, 0, 0})) << "red";
    EXPECT_EQ(entry(16), (std::vector<uint8_t>{0, 0xFF, 0, 0})) << "lime";
    EXPECT_EQ(Registry.Find(kOptions, "MinFileSectionAngle")->Data, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0x40}));
    EXPECT_EQ(Registry.Find(kOptions, "MinTextSectionAngle")->Data,
              (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x14, 0x40}));
}

// The defaults are taken after loading other values, so a second load
// starts from scratch.
TEST_F(OptionStoreTest, EveryValueSurvivesASaveAndALoad) {
    PlantEverything();
    const std::vector<std::string> planted = Snapshot(LoadOptions(Registry));
    TMemoryRegistry empty;
    const std::vector<std::string> defaults = Snapshot(LoadOptions(empty));
    ASSERT_EQ(planted.size(), defaults.size());
    for (size_t i = 0; i < planted.size(); ++i) EXPECT_NE(planted[i], defaults[i]) << "not loaded: " << planted[i];

    TMemoryRegistry copy;
    SaveOptions(copy, LoadOptions(Registry));
    EXPECT_EQ(Snapshot(LoadOptions(copy)), planted);
}

TEST_F(OptionStoreTest, ShortColorTableGivesTheWholeDefaultTable) {
    PlantEverything();
    Registry.PlantBinary(kOptions, "Colors", std::vector<uint8_t>(40, 0x11));
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_EQ(o.Colors, DefaultColors);
    EXPECT_EQ(o.MinTextSectionAngle, 10.0) << "a short table is no failure";

    Registry.PlantBinary(kOptions, "Colors", {});
    o = LoadOptions(Registry);
    EXPECT_EQ(o.Colors, DefaultColors);
}

TEST_F(OptionStoreTest, UnreadableColorTableStopsTheLoadQuietly) {
    TRegValue text;
    text.Type = TRegType::String;
    text.RawType = kRegSz;
    text.Text = std::string(68, 'x');
    TRegValue tooLong;
    tooLong.Type = TRegType::Binary;
    tooLong.RawType = kRegBinary;
    tooLong.Data.assign(72, 0);
    for (const TRegValue& bad : {text, tooLong}) {
        SCOPED_TRACE(bad.RawType);
        PlantEverything();
        Registry.Plant(kOptions, "Colors", bad);
        const TProgramOptions o = LoadOptions(Registry);
        EXPECT_FALSE(o.IncludeWastedInformation) << "loaded before the colours";
        EXPECT_FALSE(o.ViewToolbar) << "loaded before the colours";
        EXPECT_EQ(o.Colors, DefaultColors);
        ExpectDefaultAngles(o);
    }
}

TEST_F(OptionStoreTest, WronglyTypedOptionLeavesItAndEverythingAfterAtDefaults) {
    PlantEverything();
    Registry.PlantRaw(kOptions, "AutoCollapse", kRegDword, {0, 0, 0, 0});
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_FALSE(o.IncludeWastedInformation);
    EXPECT_FALSE(o.AutoExpand);
    EXPECT_TRUE(o.AutoCollapse);
    EXPECT_FALSE(o.SortAscending);
    EXPECT_EQ(o.ZIPCompressionLevel, 9);
    ExpectDefaultDesktop(o);
    EXPECT_EQ(o.Colors, DefaultColors);
    ExpectDefaultAngles(o);
}

TEST_F(OptionStoreTest, FailedReadStopsTheLoadQuietly) {
    PlantEverything();
    Registry.FailReadsOf("ViewFolderTree");
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_EQ(o.ZIPCompressionLevel, 4);
    EXPECT_FALSE(o.ViewStatusBar);
    EXPECT_TRUE(o.ViewFolderTree);
    EXPECT_TRUE(o.PieSectionSizeWindow);
    EXPECT_EQ(o.Colors, DefaultColors);
}

TEST_F(OptionStoreTest, CompressionLevelOutsideItsRangeBecomesNine) {
    const struct {
        const char* Text;
        int32_t Level;
    } cases[] = {{"12", 9}, {"0x5", 5}, {"abc", 9}, {"-1", 9}, {"10", 9}, {"0", 0}, {"0X9", 9}, {"", 9}};
    for (const auto& c : cases) {
        Registry.PlantString(kOptions, "ZIPCompressionLevel", c.Text);
        const TProgramOptions o = LoadOptions(Registry);
        EXPECT_EQ(o.ZIPCompressionLevel, c.Level) << '"' << c.Text << '"';
    }
}

TEST_F(OptionStoreTest, BooleansTakeAnyNumberAndDefaultOnOtherText) {
    Registry.PlantString(kOptions, "SortAscending", "2");
    Registry.PlantString(kOptions, "ZIPPasswordProtect", "");
    Registry.PlantString(kOptions, "AutoExpand", "");
    Registry.PlantString(kOptions, "ShowFileNames", "0x0");
    Registry.PlantString(kOptions, "ShowPercentInPie", "0x");
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_TRUE(o.SortAscending);
    EXPECT_FALSE(o.ZIPPasswordProtect);
    EXPECT_TRUE(o.AutoExpand);
    EXPECT_FALSE(o.ShowFileNames);
    EXPECT_EQ(o.ShowPercentInPie, 1);
}

TEST_F(OptionStoreTest, PartialOrNonFiniteAngleKeepsItsDefaultOnly) {
    PlantEverything();
    Registry.PlantBinary(kOptions, "MinFileSectionAngle", {0, 0, 0, 0});
    Registry.PlantBinary(kOptions, "MinFolderSectionAngle", AngleBytes(std::numeric_limits<double>::quiet_NaN()));
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_EQ(o.MinFileSectionAngle, 2.0);
    EXPECT_EQ(o.MinFolderSectionAngle, 1.0);
    EXPECT_EQ(o.MinTextSectionAngle, 10.0);

    Registry.PlantBinary(kOptions, "MinFolderSectionAngle", std::vector<uint8_t>(16, 0));
    o = LoadOptions(Registry);
    EXPECT_EQ(o.MinFolderSectionAngle, 1.0);
    EXPECT_EQ(o.MinTextSectionAngle, 5.0) << "an oversized angle stops the load";
}

TEST_F(OptionStoreTest, FailedWriteStopsTheSave) {
    Registry.PlantString(kOptions, "ZIPCompressionLevel", "3");
    TProgramOptions o = LoadOptions(Registry);
    o.ZIPCompressionLevel = 7;
    o.ZIPDeleteAfterCompressing = false;
    Registry.FailWritesOf("ZIPPasswordProtect");
    try {
        SaveOptions(Registry, o);
        FAIL() << "the save reported no failure";
    } catch (const TRegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'ZIPPasswordProtect'");
    }
    EXPECT_EQ(Registry.Find(kOptions, "ZIPDeleteAfterCompressing")->Text, "0");
    EXPECT_EQ(Registry.Find(kOptions, "ZIPCompressionLevel")->Text, "3");
    EXPECT_EQ(Registry.Find(kOptions, "Colors"), nullptr);
}

TEST_F(OptionStoreTest, UncreatableSectionStopsTheSave) {
    const TProgramOptions o = LoadOptions(Registry);
    Registry.FailKeyCreation(kDesktop);
    try {
        SaveOptions(Registry, o);
        FAIL() << "the save reported no failure";
    } catch (const TRegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to create key Desktop");
    }
    EXPECT_NE(Registry.Find(kOptions, "ZIPDeleteArchive"), nullptr);
    EXPECT_EQ(Registry.Find(kOptions, "Colors"), nullptr);
}

TEST_F(OptionStoreTest, UncreatableRootLoadsDefaultsAndFailsTheSave) {
    TMemoryRegistry locked;
    locked.FailKeyCreation(kRoot);
    const TProgramOptions o = LoadOptions(locked);
    ExpectDefaultOptions(o);
    EXPECT_THROW(SaveOptions(locked, o), TRegistryError);
    EXPECT_TRUE(locked.Writes().empty());
}

}  // namespace
