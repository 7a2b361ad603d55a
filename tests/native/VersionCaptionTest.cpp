#include <gtest/gtest.h>

#include <string>

#include "controls/VersionCaption.h"
#include "platform/memory/FakeVersionInfo.h"

namespace {

const std::string kUsEnglishUnicode = "040904B0";

// A resource like the program's own: US English, Unicode.
class VersionCaptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Info.Size = 1024;
        Info.Translations = {{0x0409, 0x04B0}};
        Info.AddString(kUsEnglishUnicode, "FileVersion", "2.1.0.139");
        Info.AddString(kUsEnglishUnicode, "ProductName", "Quarrymap 2000");
    }
    TFakeVersionInfo Info;
};

TEST_F(VersionCaptionTest, DefaultsShowTheFileVersion) {
    TVersionCaption caption(Info);
    EXPECT_EQ(TVersionResource::vrFileVersion, caption.VersionResource());
    EXPECT_EQ("FileVersion", caption.VersionResourceKey());
    EXPECT_TRUE(caption.ShowInfoPrefix());
    EXPECT_EQ("File Version: 2.1.0.139", caption.Caption());
}

TEST_F(VersionCaptionTest, ResourceFailuresBecomeBracketedTexts) {
    Info.Size = 0;
    TVersionCaption caption(Info);
    EXPECT_EQ("File Version: < No Data Available >", caption.Caption());
    caption.SetShowInfoPrefix(false);
    EXPECT_EQ("< No Data Available >", caption.Caption());

    Info.Size = 1024;
    Info.Readable = false;
    caption.SetVersionResource(TVersionResource::vrProductName);
    EXPECT_EQ("< Error retrieving version info >", caption.Caption());
    caption.SetVersionResource(TVersionResource::vrFlags);
    EXPECT_EQ("< Error retrieving version info >", caption.Caption());
}

TEST_F(VersionCaptionTest, MissingOrEmptyTranslationTableStopsTheLookup) {
    Info.Translations.clear();
    for (const bool hasTable : {false, true}) {
        Info.HasTranslations = hasTable;
        TVersionCaption caption(Info);
        EXPECT_EQ("File Version: < Error retrieving translation info >", caption.Caption());
        EXPECT_EQ("-1", caption.LangCharset());
    }
    EXPECT_TRUE(Info.StringQueries.empty());
}

TEST_F(VersionCaptionTest, FirstTranslationIsLookedUpOnceAndKept) {
    Info.Translations = {{0x0C0A, 0x04E4}, {0x0409, 0x04B0}};
    Info.AddString("0C0A04E4", "FileVersion", "2.1.0.7");
    TVersionCaption caption(Info);
    EXPECT_EQ("0C0A04E4", caption.LangCharset());
    EXPECT_EQ("File Version: 2.1.0.7", caption.Caption());
    caption.SetVersionResource(TVersionResource::vrProductName);
    EXPECT_EQ(1, Info.TranslationQueries);
    EXPECT_EQ("\\StringFileInfo\\0C0A04E4\\ProductName", Info.StringQueries.back());

    // A table given by the form is used as it is.
    Info.AddString("04070000", "ProductName", "Steinbruchkarte");
    caption.SetLangCharset("04070000");
    EXPECT_EQ("Product Name: Steinbruchkarte", caption.Caption());
    EXPECT_EQ(1, Info.TranslationQueries);
}

TEST_F(VersionCaptionTest, MissingAndEmptyStringsHaveTheirOwnTexts) {
    Info.AddString(kUsEnglishUnicode, "Comments", "");
    TVersionCaption caption(Info);
    caption.SetVersionResource(TVersionResource::vrComments);
    EXPECT_EQ("Comments: < No Version Info >", caption.Caption());
    caption.SetVersionResource(TVersionResource::vrLegalCopyright);
    EXPECT_EQ("Legal Copyright: < Error retrieving version info >", caption.Caption());
}

TEST_F(VersionCaptionTest, EveryFieldLooksUpItsKeyBehindItsPrefix) {
    const struct {
        TVersionResource Field;
        const char* Key;
        const char* Prefix;
    } fields[] = {
        {TVersionResource::vrCompanyName, "CompanyName", "Company Name:"},
        {TVersionResource::vrFileDescription, "FileDescription", "File Description:"},
        {TVersionResource::vrFileVersion, "FileVersion", "File Version:"},
        {TVersionResource::vrInternalName, "InternalName", "Internal Name:"},
        {TVersionResource::vrLegalCopyright, "LegalCopyright", "Legal Copyright:"},
        {TVersionResource::vrOriginalFilename, "OriginalFilename", "Original Filename:"},
        {TVersionResource::vrProductName, "ProductName", "Product Name:"},
        {TVersionResource::vrProductVersion, "ProductVersion", "Product Version:"},
        {TVersionResource::vrComments, "Comments", "Comments:"},
    };
    for (const auto& f : fields) Info.AddString(kUsEnglishUnicode, f.Key, std::string("value of ") + f.Key);
    TVersionCaption caption(Info);
    for (const auto& f : fields) {
        caption.SetVersionResource(f.Field);
        EXPECT_EQ(f.Key, caption.VersionResourceKey());
        EXPECT_EQ(std::string(f.Prefix) + " value of " + f.Key, caption.Caption());
    }
    caption.SetVersionResource(TVersionResource::vrFlags);
    EXPECT_EQ("Flags", caption.VersionResourceKey());
    EXPECT_EQ("Flags:", caption.InfoPrefix());
}

TEST_F(VersionCaptionTest, FlagsAreListedInTheirOrder) {
    TVersionCaption caption(Info);
    caption.SetVersionResource(TVersionResource::vrFlags);
    EXPECT_EQ("Flags: ", caption.Caption());  // all clear

    caption.SetShowInfoPrefix(false);
    Info.FileFlags = kVersionFlagPrivateBuild | kVersionFlagDebug;
    caption.Refresh();
    EXPECT_EQ("Debug Build, Private Build", caption.Caption());
    Info.FileFlags = 0x3F | 0x40;  // an unknown bit is left out
    caption.Refresh();
    EXPECT_EQ("Debug Build, Pre-Release Build, Patched Build, Private Build, InfoInferred, Special Build",
              caption.Caption());

    Info.FixedInfoLength = 1;
    caption.Refresh();
    EXPECT_EQ("", caption.Caption());
    Info.HasFixedInfo = false;
    caption.Refresh();
    EXPECT_EQ("< Error retrieving version info >", caption.Caption());
}

TEST_F(VersionCaptionTest, NewKeyBecomesThePrefix) {
    TVersionCaption caption(Info);
    caption.SetVersionResourceKey("ProductName");
    EXPECT_EQ("ProductName Quarrymap 2000", caption.Caption());
    EXPECT_EQ(TVersionResource::vrFileVersion, caption.VersionResource());
}

TEST_F(VersionCaptionTest, AboutBoxSettingsKeepTheirOwnPrefix) {
    TVersionCaption caption(Info);
    caption.SetVersionResource(TVersionResource::vrFileVersion);
    caption.SetVersionResourceKey("FileVersion");
    caption.SetInfoPrefix("Build ");
    caption.SetShowInfoPrefix(true);
    EXPECT_EQ("Build  2.1.0.139", caption.Caption());
    // Choosing a field again brings back its own prefix.
    caption.SetVersionResource(TVersionResource::vrFileVersion);
    EXPECT_EQ("File Version: 2.1.0.139", caption.Caption());
}

TEST_F(VersionCaptionTest, OnlyRealChangesReadTheResourceAgain) {
    TVersionCaption caption(Info);
    const int reads = Info.Reads;
    caption.SetInfoPrefix("File Version:");
    caption.SetShowInfoPrefix(true);
    caption.SetLangCharset(caption.LangCharset());
    caption.SetVersionResourceKey("FileVersion");
    EXPECT_EQ(reads, Info.Reads);
    caption.SetInfoPrefix("Version");
    EXPECT_EQ(reads + 1, Info.Reads);
    EXPECT_EQ("Version 2.1.0.139", caption.Caption());
}

}  // namespace
