#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/OptionSet.h"
#include "config/RegIniFile.h"
#include "platform/memory/MemoryRegistry.h"

namespace {

const std::string kRoot = "Software\\Test\\Store";
const std::string kSection = kRoot + "\\Sect";

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TRegistryError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(StoredIntegerTest, ReadsDecimalAndPrefixedHexadecimal) {
    const struct {
        const char* Text;
        int32_t Value;
    } valid[] = {
        {"9", 9},
        {"-1", -1},
        {"+7", 7},
        {"00012", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x5", 5},
        {"0X1f", 31},
        {"0x0000000005", 5},
        {"0x7FFFFFFF", 2147483647},
        {"0xFFFFFFFF", -1},
    };
    for (const auto& c : valid) {
        int32_t value = 12345;
        EXPECT_TRUE(ParseStoredInteger(c.Text, value)) << c.Text;
        EXPECT_EQ(value, c.Value) << c.Text;
    }
}

TEST(StoredIntegerTest, RejectsEverythingElse) {
    for (const char* text : {"", "-", "+", "abc", " 5", "5 ", "1e3", "0x", "0X", "0xG", "0x-5", "-0x5", "2147483648",
                             "-2147483649", "99999999999999999999", "0x100000000"}) {
        int32_t value = 12345;
        EXPECT_FALSE(ParseStoredInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 12345) << text;
    }
}

class RegIniFileTest : public ::testing::Test {
protected:
    TMemoryRegistry Registry;
    TBinRegIniFile Store{Registry, kRoot};
};

TEST_F(RegIniFileTest, MakingAStoreCreatesOnlyTheRootKey) {
    EXPECT_TRUE(Registry.KeyExists(kRoot));
    EXPECT_FALSE(Registry.KeyExists(kSection));
    EXPECT_EQ(Store.ReadInteger("Sect", "Missing", 77), 77);
    EXPECT_FALSE(Registry.KeyExists(kSection));
}

TEST_F(RegIniFileTest, WritesNumbersAsTextAndCreatesTheSection) {
    Store.WriteInteger("Sect", "Int", -1);
    Store.WriteBool("Sect", "Yes", true);
    Store.WriteBool("Sect", "No", false);
    Store.WriteString("Sect", "Text", "Grüße");
    const char* expected[][2] = {{"Int", "-1"}, {"Yes", "1"}, {"No", "0"}, {"Text", "Grüße"}};
    for (const auto& e : expected) {
        const TRegValue* v = Registry.Find(kSection, e[0]);
        ASSERT_NE(v, nullptr) << e[0];
        EXPECT_EQ(v->RawType, kRegSz) << e[0];
        EXPECT_EQ(v->Text, e[1]);
    }
    EXPECT_EQ(Store.ReadInteger("Sect", "int", 0), -1) << "names ignore case";
}

TEST_F(RegIniFileTest, BooleansReadAsIntegersWithTheirDefault) {
    Registry.PlantString(kSection, "Two", "2");
    Registry.PlantString(kSection, "Minus", "-1");
    Registry.PlantString(kSection, "Zero", "0x0");
    Registry.PlantString(kSection, "Empty", "");
    Registry.PlantString(kSection, "Word", "yes");
    EXPECT_TRUE(Store.ReadBool("Sect", "Two", false));
    EXPECT_TRUE(Store.ReadBool("Sect", "Minus", false));
    EXPECT_FALSE(Store.ReadBool("Sect", "Zero", true));
    EXPECT_TRUE(Store.ReadBool("Sect", "Empty", true));
    EXPECT_FALSE(Store.ReadBool("Sect", "Empty", false));
    EXPECT_TRUE(Store.ReadBool("Sect", "Word", true));
    EXPECT_FALSE(Store.ReadBool("Sect", "Missing", false));
}

TEST_F(RegIniFileTest, TextReadsTakeBothStringTypesAndRefuseOthers) {
    TRegValue expand;
    expand.Type = TRegType::ExpandString;
    expand.RawType = kRegExpandSz;
    expand.Text = "%TEMP%";
    Registry.Plant(kSection, "Expand", expand);
    EXPECT_EQ(Store.ReadString("Sect", "Expand", "x"), "%TEMP%") << "taken as it is, not expanded";

    Registry.PlantRaw(kSection, "Word", kRegDword, {5, 0, 0, 0});
    Registry.PlantRaw(kSection, "Multi", kRegMultiSz, {'a', 0, 0});
    Registry.PlantBinary(kSection, "Bytes", {'1'});
    EXPECT_EQ(ErrorOf([&] { Store.ReadInteger("Sect", "Word", 0); }), "Invalid data type for 'Word'");
    EXPECT_EQ(ErrorOf([&] { Store.ReadString("Sect", "Multi", ""); }), "Invalid data type for 'Multi'");
    EXPECT_EQ(ErrorOf([&] { Store.ReadBool("Sect", "Bytes", true); }), "Invalid data type for 'Bytes'");

    Registry.PlantString(kSection, "Locked", "1");
    Registry.FailReadsOf("Locked");
    EXPECT_EQ(ErrorOf([&] { Store.ReadString("Sect", "Locked", ""); }), "Failed to get data for 'Locked'");
}

TEST_F(RegIniFileTest, ReadBinaryCopiesWhatFitsAndRefusesTheRest) {
    uint8_t buffer[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(Store.ReadBinary("Nowhere", "Value", sizeof buffer, buffer), 0u);
    EXPECT_EQ(Store.ReadBinary("Sect", "Value", sizeof buffer, buffer), 0u);

    Registry.PlantBinary(kSection, "Short", {1, 2, 3});
    ASSERT_EQ(Store.ReadBinary("Sect", "Short", sizeof buffer, buffer), 3u);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 8), (std::vector<uint8_t>{1, 2, 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));

    Registry.PlantBinary(kSection, "Exact", {9, 8, 7, 6, 5, 4, 3, 2});
    EXPECT_EQ(Store.ReadBinary("Sect", "Exact", sizeof buffer, buffer), 8u);
    EXPECT_EQ(buffer[7], 2);

    Registry.PlantBinary(kSection, "Long", std::vector<uint8_t>(9, 1));
    Registry.PlantString(kSection, "Text", "12345678");
    EXPECT_EQ(ErrorOf([&] { Store.ReadBinary("Sect", "Long", sizeof buffer, buffer); }),
              "Invalid data type for 'Long'");
    EXPECT_EQ(ErrorOf([&] { Store.ReadBinary("Sect", "Text", sizeof buffer, buffer); }),
              "Invalid data type for 'Text'");
    EXPECT_EQ(buffer[0], 9) << "a refused value leaves the buffer alone";
}

TEST_F(RegIniFileTest, WriteFailuresCarryTheirTexts) {
    Registry.FailKeyCreation(kRoot + "\\Locked");
    Registry.FailWritesOf("Frozen");
    const uint8_t bytes[2] = {1, 2};
    EXPECT_EQ(ErrorOf([&] { Store.WriteInteger("Locked", "Left", 1); }), "Failed to create key Locked");
    EXPECT_EQ(ErrorOf([&] { Store.WriteBinary("Locked", "Colors", 2, bytes); }), "Failed to create key Locked");
    EXPECT_EQ(ErrorOf([&] { Store.WriteBool("Sect", "Frozen", true); }), "Failed to set data for 'Frozen'");
    EXPECT_EQ(ErrorOf([&] { Store.WriteBinary("Sect", "Frozen", 2, bytes); }), "Failed to set data for 'Frozen'");
    EXPECT_TRUE(Registry.Writes().empty());
}

TEST(OptionSetTest, LoadsAndSavesInRegistrationOrderInItsSection) {
    TMemoryRegistry registry;
    registry.PlantString(kSection, "Count", "0x10");
    registry.PlantString(kSection, "Flag", "0");
    registry.PlantString(kSection, "Present", "");
    TOptions set(kRoot, "Sect");
    TIntOption* count = set.AddInt("Count", 3);
    TBoolOption* flag = set.AddBool("Flag", true);
    TStrOption* present = set.AddStr("Present", "default");
    TStrOption* missing = set.AddStr("Missing", "default");
    EXPECT_EQ(count->Value, 3);
    EXPECT_TRUE(flag->Value);

    set.LoadAll(registry);
    EXPECT_EQ(count->Value, 16);
    EXPECT_FALSE(flag->Value);
    EXPECT_EQ(present->Value, "") << "a stored empty text is not the default";
    EXPECT_EQ(missing->Value, "default");
    EXPECT_EQ(count->Default, 3);

    set.SaveAll(registry);
    std::vector<std::string> names;
    for (const TRegWrite& w : registry.Writes()) {
        EXPECT_EQ(w.Path, kSection);
        names.push_back(w.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Count", "Flag", "Present", "Missing"}));
    EXPECT_EQ(registry.Find(kSection, "Count")->Text, "16");
}

}  // namespace
