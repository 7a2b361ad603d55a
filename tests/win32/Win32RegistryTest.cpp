#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "config/Options.h"
#include "config/RegIniFile.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Win32Registry.h"

namespace {

// The tests' own stand-in for HKEY_CURRENT_USER, so that a run neither sees
// nor touches the settings of the user running it.
const wchar_t* const kSandbox = L"Software\\QuarrymapRegistryTests";
const std::string kKey = "Software\\Tollvane\\Test";

void PlantRaw(const std::string& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    const std::wstring widePath(path.begin(), path.end());
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, widePath.c_str(), name, type, data, size), ERROR_SUCCESS);
}

// The raw data and type of a value, as the system stores it.
std::vector<uint8_t> RawData(const std::string& path, const wchar_t* name, DWORD& type) {
    const std::wstring widePath(path.begin(), path.end());
    DWORD size = 0;
    type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, widePath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    std::vector<uint8_t> data(size);
    RegGetValueW(HKEY_CURRENT_USER, widePath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &size);
    data.resize(size);
    return data;
}

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSandbox);  // left by a run that was cut short
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSandbox, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, Sandbox.Receive(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, Sandbox.Get()), ERROR_SUCCESS);
    }

    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        Sandbox.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kSandbox);
    }

    TRegKey Sandbox;
    TWin32Registry Registry;
};

TEST_F(Win32RegistryTest, TextRoundTripsAsUtf16) {
    const std::string text =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xE2\x82\xAC";
    const std::wstring wide = L"Gr\u00FC\u00DFe \u03A9 \u65E5\u672C \u20AC";
    ASSERT_TRUE(Registry.CreateKey(kKey));
    ASSERT_TRUE(Registry.WriteString(kKey, "Name \xC3\xA9", text));

    DWORD type = 0;
    const std::vector<uint8_t> raw = RawData(kKey, L"Name \u00E9", type);
    EXPECT_EQ(type, DWORD(REG_SZ));
    ASSERT_EQ(raw.size(), (wide.size() + 1) * sizeof(wchar_t)) << "stored with its closing NUL";
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(raw.data())), wide);

    TRegValue value;
    ASSERT_EQ(Registry.ReadValue(kKey, "NAME \xC3\xA9", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::String);
    EXPECT_EQ(value.RawType, kRegSz);
    EXPECT_EQ(value.Text, text);
}

TEST_F(Win32RegistryTest, BinaryRoundTripsByteForByte) {
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(uint8_t(255 - i));
    ASSERT_TRUE(Registry.CreateKey(kKey));
    ASSERT_TRUE(Registry.WriteBinary(kKey, "Blob", bytes));
    ASSERT_TRUE(Registry.WriteBinary(kKey, "Empty", {}));

    DWORD type = 0;
    EXPECT_EQ(RawData(kKey, L"Blob", type), bytes);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    TRegValue value;
    ASSERT_EQ(Registry.ReadValue(kKey, "Blob", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::Binary);
    EXPECT_EQ(value.Data, bytes);
    ASSERT_EQ(Registry.ReadValue(kKey, "Empty", value), TRegRead::Found);
    EXPECT_TRUE(value.Data.empty());
}

TEST_F(Win32RegistryTest, ValuesOfOtherTypesReportTheirType) {
    const DWORD word = 0x12345678;
    const wchar_t expand[] = L"%TEMP%\\x";
    const wchar_t multi[] = L"a\0b\0";
    const uint64_t quad = 1;
    PlantRaw(kKey, L"Word", REG_DWORD, &word, sizeof word);
    PlantRaw(kKey, L"Expand", REG_EXPAND_SZ, expand, sizeof expand);
    PlantRaw(kKey, L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    PlantRaw(kKey, L"Quad", REG_QWORD, &quad, sizeof quad);

    TRegValue value;
    ASSERT_EQ(Registry.ReadValue(kKey, "Word", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::DWord);
    EXPECT_EQ(value.Data, (std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}));
    ASSERT_EQ(Registry.ReadValue(kKey, "Expand", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::ExpandString);
    EXPECT_EQ(value.Text, "%TEMP%\\x");
    ASSERT_EQ(Registry.ReadValue(kKey, "Multi", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::MultiString);
    EXPECT_EQ(value.Data.size(), sizeof multi);
    ASSERT_EQ(Registry.ReadValue(kKey, "Quad", value), TRegRead::Found);
    EXPECT_EQ(value.Type, TRegType::Other);
    EXPECT_EQ(value.RawType, uint32_t(REG_QWORD));

    TRegIniFile store(Registry, "Software\\Tollvane");
    try {
        store.ReadInteger("Test", "Word", 0);
        ADD_FAILURE() << "a DWORD value read as text";
    } catch (const TRegistryError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Word'");
    }
}

TEST_F(Win32RegistryTest, TextIsCutAtTheFirstNulWhateverItsLength) {
    const wchar_t unterminated[] = {L'a', L'b'};
    const wchar_t embedded[] = {L'a', L'\0', L'b', L'\0'};
    const char odd[] = {'a', 0, 'b', 0, 'c'};
    PlantRaw(kKey, L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
    PlantRaw(kKey, L"Embedded", REG_SZ, embedded, sizeof embedded);
    PlantRaw(kKey, L"Odd", REG_SZ, odd, sizeof odd);
    TRegValue value;
    ASSERT_EQ(Registry.ReadValue(kKey, "Unterminated", value), TRegRead::Found);
    EXPECT_EQ(value.Text, "ab");
    ASSERT_EQ(Registry.ReadValue(kKey, "Embedded", value), TRegRead::Found);
    EXPECT_EQ(value.Text, "a");
    ASSERT_EQ(Registry.ReadValue(kKey, "Odd", value), TRegRead::Found);
    EXPECT_EQ(value.Text, "ab");
}

TEST_F(Win32RegistryTest, MissingKeysAndValuesAreMissing) {
    TRegValue value;
    EXPECT_FALSE(Registry.KeyExists(kKey));
    EXPECT_EQ(Registry.ReadValue(kKey, "Name", value), TRegRead::Missing);
    EXPECT_FALSE(Registry.WriteString(kKey, "Name", "x"));
    EXPECT_FALSE(Registry.WriteBinary(kKey, "Name", {1}));
    EXPECT_FALSE(Registry.KeyExists(kKey)) << "writes do not create keys";

    ASSERT_TRUE(Registry.CreateKey(kKey + "\\A\\B"));
    EXPECT_TRUE(Registry.KeyExists(kKey + "\\A"));
    EXPECT_FALSE(Registry.ValueExists(kKey, "Name"));
    EXPECT_EQ(Registry.ReadValue(kKey, "Name", value), TRegRead::Missing);
    ASSERT_TRUE(Registry.WriteString(kKey, "Name", ""));
    EXPECT_TRUE(Registry.ValueExists(kKey, "name"));
}

TEST_F(Win32RegistryTest, OptionsSurviveASaveAndALoad) {
    TProgramOptions o = LoadOptions(Registry);
    EXPECT_TRUE(Registry.KeyExists(kRegistryRoot));
    EXPECT_EQ(o.ZIPCompressionLevel, 9);
    EXPECT_EQ(o.Colors, DefaultColors);
    o.ZIPCompressionLevel = 3;
    o.SortAscending = true;
    o.ViewStatusBar = false;
    o.DrivesToAutoScan = "CD";
    o.Colors[kColorSectionWasted] = 0x00123456;
    o.MinTextSectionAngle = 7.5;
    SaveOptions(Registry, o);

    const std::string options = std::string(kRegistryRoot) + "\\Options";
    DWORD type = 0;
    const std::vector<uint8_t> level = RawData(options, L"ZIPCompressionLevel", type);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(level.data())), L"3");
    EXPECT_EQ(RawData(options, L"Colors", type).size(), 68u);
    EXPECT_EQ(type, DWORD(REG_BINARY));

    o = LoadOptions(Registry);
    EXPECT_EQ(o.ZIPCompressionLevel, 3);
    EXPECT_TRUE(o.SortAscending);
    EXPECT_FALSE(o.ViewStatusBar);
    EXPECT_EQ(o.DrivesToAutoScan, "CD");
    EXPECT_EQ(o.Colors[kColorSectionWasted], 0x00123456u);
    EXPECT_EQ(o.MinTextSectionAngle, 7.5);
    EXPECT_EQ(o.MinFileSectionAngle, 2.0);
}

}  // namespace
