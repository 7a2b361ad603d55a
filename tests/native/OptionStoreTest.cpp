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
std::vector<std::string> Snapshot() {
    std::vector<std::string> lines;
    for (const TBoolOption* o : {IncludeWastedInformation, ShowFileNames, AutoExpand, AutoCollapse, SortAscending,
                                 ZIPAddSubfolders, ZIPAddHiddenFiles, ZIPDeleteAfterCompressing, ZIPPasswordProtect,
                                 ZIPDeleteArchive, ViewToolbar, ViewStatusBar, ViewFolderTree, PieSectionSizeWindow})
        lines.push_back(o->Name + "=" + (o->Value ? "true" : "false"));
    for (const TIntOption* o : {ShowPercentInPie, ZIPCompressionLevel})
        lines.push_back(o->Name + "=" + std::to_string(o->Value));
    lines.push_back(DrivesToAutoScan->Name + "=" + DrivesToAutoScan->Value);
    std::string colors = "Colors=";
    for (const uint32_t c : Colors) colors += std::to_string(c) + ",";
    lines.push_back(colors);
    lines.push_back("MinFileSectionAngle=" + std::to_string(MinFileSectionAngle));
    lines.push_back("MinFolderSectionAngle=" + std::to_string(MinFolderSectionAngle));
    lines.push_back("MinTextSectionAngle=" + std::to_string(MinTextSectionAngle));
    return lines;
}

class OptionStoreTest : public ::testing::Test {
protected:
    // Frees the option sets, so no test starts with the handles of another.
    void TearDown() override { SaveOptions(Scratch); }

    // Plants a value of every option that differs from its default, plus
    // other colours and angles.
    void PlantEverything() {
        for (const char* name : {"IncludeWastedInformation", "ShowFileNames", "AutoExpand", "AutoCollapse",
                                 "ZIPAddSubfolders", "ZIPAddHiddenFiles", "ZIPDeleteAfterCompressing",
                                 "ZIPDeleteArchive"})
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
    TMemoryRegistry Scratch;
};

void ExpectDefaultOptions() {
    EXPECT_TRUE(IncludeWastedInformation->Value);
    EXPECT_TRUE(ShowFileNames->Value);
    EXPECT_EQ(ShowPercentInPie->Value, 1);
    EXPECT_TRUE(AutoExpand->Value);
    EXPECT_TRUE(AutoCollapse->Value);
    EXPECT_FALSE(SortAscending->Value);
    EXPECT_EQ(DrivesToAutoScan->Value, "");
    EXPECT_TRUE(ZIPAddSubfolders->Value);
    EXPECT_TRUE(ZIPAddHiddenFiles->Value);
    EXPECT_TRUE(ZIPDeleteAfterCompressing->Value);
    EXPECT_FALSE(ZIPPasswordProtect->Value);
    EXPECT_EQ(ZIPCompressionLevel->Value, 9);
    EXPECT_TRUE(ZIPDeleteArchive->Value);
}

void ExpectDefaultDesktop() {
    EXPECT_TRUE(ViewToolbar->Value);
    EXPECT_TRUE(ViewStatusBar->Value);
    EXPECT_TRUE(ViewFolderTree->Value);
    EXPECT_TRUE(PieSectionSizeWindow->Value);
}

void ExpectDefaultAngles() {
    EXPECT_EQ(MinFileSectionAngle, 2.0);
    EXPECT_EQ(MinFolderSectionAngle, 1.0);
    EXPECT_EQ(MinTextSectionAngle, 5.0);
}

TEST_F(OptionStoreTest, FreshAccountGetsEveryDefaultAndAnEmptyRootKey) {
    LoadOptions(Registry);
    ExpectDefaultOptions();
    ExpectDefaultDesktop();
    ExpectDefaultAngles();
    EXPECT_EQ(Colors, DefaultColors);
    EXPECT_TRUE(Registry.KeyExists(kRoot));
    EXPECT_FALSE(Registry.KeyExists(kOptions));
    EXPECT_FALSE(Registry.KeyExists(kDesktop));
}

TEST_F(OptionStoreTest, SaveWritesEveryValueInLoadOrder) {
    LoadOptions(Registry);
    SaveOptions(Registry);
    std::vector<std::string> written;
    for (const TRegWrite& w : Registry.Writes()) written.push_back(w.Path.substr(kRoot.size() + 1) + ":" + w.Name);
    const std::vector<std::string> expected = {
        "Options:IncludeWastedInformation", "Options:ShowFileNames", "Options:ShowPercentInPie",
        "Options:AutoExpand", "Options:AutoCollapse", "Options:SortAscending", "Options:DrivesToAutoScan",
        "Options:ZIPAddSubfolders", "Options:ZIPAddHiddenFiles", "Options:ZIPDeleteAfterCompressing",
        "Options:ZIPPasswordProtect", "Options:ZIPCompressionLevel", "Options:ZIPDeleteArchive",
        "Desktop:ViewToolbar", "Desktop:ViewStatusBar", "Desktop:ViewFolderTree", "Desktop:PieSectionSizeWindow",
        "Options:Colors", "Options:MinFileSectionAngle", "Options:MinFolderSectionAngle",
        "Options:MinTextSectionAngle"};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(IncludeWastedInformation, nullptr) << "saving frees the sets";
    EXPECT_EQ(DrivesToAutoScan, nullptr);
}

TEST_F(OptionStoreTest, DefaultsAreStoredAsTextAndLittleEndianBytes) {
    LoadOptions(Registry);
    SaveOptions(Registry);
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
    LoadOptions(Registry);
    const std::vector<std::string> planted = Snapshot();
    TMemoryRegistry empty;
    LoadOptions(empty);
    const std::vector<std::string> defaults = Snapshot();
    ASSERT_EQ(planted.size(), defaults.size());
    for (size_t i = 0; i < planted.size(); ++i) EXPECT_NE(planted[i], defaults[i]) << "not loaded: " << planted[i];

    LoadOptions(Registry);
    TMemoryRegistry copy;
    SaveOptions(copy);
    LoadOptions(copy);
    EXPECT_EQ(Snapshot(), planted);
}

TEST_F(OptionStoreTest, ShortColorTableGivesTheWholeDefaultTable) {
    PlantEverything();
    Registry.PlantBinary(kOptions, "Colors", std::vector<uint8_t>(40, 0x11));
    LoadOptions(Registry);
    EXPECT_EQ(Colors, DefaultColors);
    EXPECT_EQ(MinTextSectionAngle, 10.0) << "a short table is no failure";

    Registry.PlantBinary(kOptions, "Colors", {});
    LoadOptions(Registry);
    EXPECT_EQ(Colors, DefaultColors);
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
        LoadOptions(Registry);
        EXPECT_FALSE(IncludeWastedInformation->Value) << "loaded before the colours";
        EXPECT_FALSE(ViewToolbar->Value) << "loaded before the colours";
        EXPECT_EQ(Colors, DefaultColors);
        ExpectDefaultAngles();
    }
}

TEST_F(OptionStoreTest, WronglyTypedOptionLeavesItAndEverythingAfterAtDefaults) {
    PlantEverything();
    Registry.PlantRaw(kOptions, "AutoCollapse", kRegDword, {0, 0, 0, 0});
    LoadOptions(Registry);
    EXPECT_FALSE(IncludeWastedInformation->Value);
    EXPECT_FALSE(AutoExpand->Value);
    EXPECT_TRUE(AutoCollapse->Value);
    EXPECT_FALSE(SortAscending->Value);
    EXPECT_EQ(ZIPCompressionLevel->Value, 9);
    ExpectDefaultDesktop();
    EXPECT_EQ(Colors, DefaultColors);
    ExpectDefaultAngles();
}

TEST_F(OptionStoreTest, FailedReadStopsTheLoadQuietly) {
    PlantEverything();
    Registry.FailReadsOf("ViewFolderTree");
    LoadOptions(Registry);
    EXPECT_EQ(ZIPCompressionLevel->Value, 4);
    EXPECT_FALSE(ViewStatusBar->Value);
    EXPECT_TRUE(ViewFolderTree->Value);
    EXPECT_TRUE(PieSectionSizeWindow->Value);
    EXPECT_EQ(Colors, DefaultColors);
}

TEST_F(OptionStoreTest, CompressionLevelOutsideItsRangeBecomesNine) {
    const struct {
        const char* Text;
        int32_t Level;
    } cases[] = {{"12", 9}, {"0x5", 5}, {"abc", 9}, {"-1", 9}, {"10", 9}, {"0", 0}, {"0X9", 9}, {"", 9}};
    for (const auto& c : cases) {
        Registry.PlantString(kOptions, "ZIPCompressionLevel", c.Text);
        LoadOptions(Registry);
        EXPECT_EQ(ZIPCompressionLevel->Value, c.Level) << '"' << c.Text << '"';
    }
}

TEST_F(OptionStoreTest, BooleansTakeAnyNumberAndDefaultOnOtherText) {
    Registry.PlantString(kOptions, "SortAscending", "2");
    Registry.PlantString(kOptions, "ZIPPasswordProtect", "");
    Registry.PlantString(kOptions, "AutoExpand", "");
    Registry.PlantString(kOptions, "ShowFileNames", "0x0");
    Registry.PlantString(kOptions, "ShowPercentInPie", "0x");
    LoadOptions(Registry);
    EXPECT_TRUE(SortAscending->Value);
    EXPECT_FALSE(ZIPPasswordProtect->Value);
    EXPECT_TRUE(AutoExpand->Value);
    EXPECT_FALSE(ShowFileNames->Value);
    EXPECT_EQ(ShowPercentInPie->Value, 1);
}

TEST_F(OptionStoreTest, PartialOrNonFiniteAngleKeepsItsDefaultOnly) {
    PlantEverything();
    Registry.PlantBinary(kOptions, "MinFileSectionAngle", {0, 0, 0, 0});
    Registry.PlantBinary(kOptions, "MinFolderSectionAngle", AngleBytes(std::numeric_limits<double>::quiet_NaN()));
    LoadOptions(Registry);
    EXPECT_EQ(MinFileSectionAngle, 2.0);
    EXPECT_EQ(MinFolderSectionAngle, 1.0);
    EXPECT_EQ(MinTextSectionAngle, 10.0);

    Registry.PlantBinary(kOptions, "MinFolderSectionAngle", std::vector<uint8_t>(16, 0));
    LoadOptions(Registry);
    EXPECT_EQ(MinFolderSectionAngle, 1.0);
    EXPECT_EQ(MinTextSectionAngle, 5.0) << "an oversized angle stops the load";
}

TEST_F(OptionStoreTest, FailedWriteStopsTheSaveAndStillFreesTheSets) {
    Registry.PlantString(kOptions, "ZIPCompressionLevel", "3");
    LoadOptions(Registry);
    ZIPCompressionLevel->Value = 7;
    ZIPDeleteAfterCompressing->Value = false;
    Registry.FailWritesOf("ZIPPasswordProtect");
    try {
        SaveOptions(Registry);
        FAIL() << "the save reported no failure";
    } catch (const TRegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'ZIPPasswordProtect'");
    }
    EXPECT_EQ(Registry.Find(kOptions, "ZIPDeleteAfterCompressing")->Text, "0");
    EXPECT_EQ(Registry.Find(kOptions, "ZIPCompressionLevel")->Text, "3");
    EXPECT_EQ(Registry.Find(kOptions, "Colors"), nullptr);
    EXPECT_EQ(ZIPCompressionLevel, nullptr);
    EXPECT_EQ(ViewToolbar, nullptr);
}

TEST_F(OptionStoreTest, UncreatableSectionStopsTheSave) {
    LoadOptions(Registry);
    Registry.FailKeyCreation(kDesktop);
    try {
        SaveOptions(Registry);
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
    LoadOptions(locked);
    ExpectDefaultOptions();
    EXPECT_THROW(SaveOptions(locked), TRegistryError);
    EXPECT_TRUE(locked.Writes().empty());
}

TEST_F(OptionStoreTest, SaveWithoutLoadedOptionsWritesNothing) {
    LoadOptions(Registry);
    SaveOptions(Registry);
    const size_t writes = Registry.Writes().size();
    SaveOptions(Registry);
    EXPECT_EQ(Registry.Writes().size(), writes);
}

}  // namespace
