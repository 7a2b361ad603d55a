#include "config/Options.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "config/RegIniFile.h"
#include "config/RegistryValues.h"

TBoolOption* IncludeWastedInformation = nullptr;
TBoolOption* ShowFileNames = nullptr;
TIntOption* ShowPercentInPie = nullptr;
TBoolOption* AutoExpand = nullptr;
TBoolOption* AutoCollapse = nullptr;
TBoolOption* SortAscending = nullptr;
TStrOption* DrivesToAutoScan = nullptr;
TBoolOption* ZIPAddSubfolders = nullptr;
TBoolOption* ZIPAddHiddenFiles = nullptr;
TBoolOption* ZIPDeleteAfterCompressing = nullptr;
TBoolOption* ZIPPasswordProtect = nullptr;
TIntOption* ZIPCompressionLevel = nullptr;
TBoolOption* ZIPDeleteArchive = nullptr;

TBoolOption* ViewToolbar = nullptr;
TBoolOption* ViewStatusBar = nullptr;
TBoolOption* ViewFolderTree = nullptr;
TBoolOption* PieSectionSizeWindow = nullptr;

namespace {

const uint32_t kSystemWindowColor = 0x80000005;
const uint32_t kSystemTooltipColor = 0x80000018;
const uint32_t kBlack = 0x00000000;
const uint32_t kLime = 0x0000FF00;
const uint32_t kYellow = 0x0000FFFF;
const uint32_t kPaleGreen = 0x00C6FFC6;
const uint32_t kAqua = 0x00FFFF00;
const uint32_t kRed = 0x000000FF;

const char* const kOptionsSection = "Options";
const char* const kDesktopSection = "Desktop";

const size_t kColorTableBytes = kColorCount * 4;
const size_t kAngleBytes = 8;

std::unique_ptr<TOptions> OptionsSet;
std::unique_ptr<TOptions> DesktopSet;

void CreateOptionSets() {
    OptionsSet = std::make_unique<TOptions>(kRegistryRoot, kOptionsSection);
    IncludeWastedInformation = OptionsSet->AddBool("IncludeWastedInformation", true);
    ShowFileNames = OptionsSet->AddBool("ShowFileNames", true);
    ShowPercentInPie = OptionsSet->AddInt("ShowPercentInPie", 1);
    AutoExpand = OptionsSet->AddBool("AutoExpand", true);
    AutoCollapse = OptionsSet->AddBool("AutoCollapse", true);
    SortAscending = OptionsSet->AddBool("SortAscending", false);
    DrivesToAutoScan = OptionsSet->AddStr("DrivesToAutoScan", "");
    ZIPAddSubfolders = OptionsSet->AddBool("ZIPAddSubfolders", true);
    ZIPAddHiddenFiles = OptionsSet->AddBool("ZIPAddHiddenFiles", true);
    ZIPDeleteAfterCompressing = OptionsSet->AddBool("ZIPDeleteAfterCompressing", true);
    ZIPPasswordProtect = OptionsSet->AddBool("ZIPPasswordProtect", false);
    ZIPCompressionLevel = OptionsSet->AddInt("ZIPCompressionLevel", 9);
    ZIPDeleteArchive = OptionsSet->AddBool("ZIPDeleteArchive", true);

    DesktopSet = std::make_unique<TOptions>(kRegistryRoot, kDesktopSection);
    ViewToolbar = DesktopSet->AddBool("ViewToolbar", true);
    ViewStatusBar = DesktopSet->AddBool("ViewStatusBar", true);
    ViewFolderTree = DesktopSet->AddBool("ViewFolderTree", true);
    PieSectionSizeWindow = DesktopSet->AddBool("PieSectionSizeWindow", true);
}

void DestroyOptionSets() {
    IncludeWastedInformation = ShowFileNames = AutoExpand = AutoCollapse = SortAscending = nullptr;
    ZIPAddSubfolders = ZIPAddHiddenFiles = ZIPDeleteAfterCompressing = ZIPPasswordProtect = nullptr;
    ZIPDeleteArchive = ViewToolbar = ViewStatusBar = ViewFolderTree = PieSectionSizeWindow = nullptr;
    ShowPercentInPie = ZIPCompressionLevel = nullptr;
    DrivesToAutoScan = nullptr;
    OptionsSet.reset();
    DesktopSet.reset();
}

// Stored as 17 little-endian 32-bit values in table order.
void EncodeColors(const TColorTable& colors, uint8_t* bytes) {
    for (size_t i = 0; i < colors.size(); ++i)
        for (size_t k = 0; k < 4; ++k) bytes[i * 4 + k] = uint8_t(colors[i] >> (8 * k));
}

void DecodeColors(const uint8_t* bytes, TColorTable& colors) {
    for (size_t i = 0; i < colors.size(); ++i) {
        colors[i] = 0;
        for (size_t k = 0; k < 4; ++k) colors[i] |= uint32_t(bytes[i * 4 + k]) << (8 * k);
    }
}

// Stored as one little-endian IEEE 754 double.
void EncodeAngle(double angle, uint8_t* bytes) {
    uint64_t bits = 0;
    std::memcpy(&bits, &angle, sizeof bits);
    for (size_t k = 0; k < kAngleBytes; ++k) bytes[k] = uint8_t(bits >> (8 * k));
}

double DecodeAngle(const uint8_t* bytes) {
    uint64_t bits = 0;
    for (size_t k = 0; k < kAngleBytes; ++k) bits |= uint64_t(bytes[k]) << (8 * k);
    double angle = 0;
    std::memcpy(&angle, &bits, sizeof angle);
    return angle;
}

void LoadColors(IRegistry& registry) {
    uint8_t bytes[kColorTableBytes] = {};
    if (ReadBinaryValue(registry, kRegistryRoot, kOptionsSection, "Colors", sizeof bytes, bytes) == sizeof bytes)
        DecodeColors(bytes, Colors);
    else
        Colors = DefaultColors;
}

// Only a whole, finite value replaces the angle: a shorter one would leave
// some of its bytes behind, and a NaN or infinity would upset the pie layout.
void LoadAngle(IRegistry& registry, const char* name, double& angle) {
    uint8_t bytes[kAngleBytes] = {};
    if (ReadBinaryValue(registry, kRegistryRoot, kOptionsSection, name, sizeof bytes, bytes) != sizeof bytes) return;
    const double stored = DecodeAngle(bytes);
    if (std::isfinite(stored)) angle = stored;
}

void SaveAngle(IRegistry& registry, const char* name, double angle) {
    uint8_t bytes[kAngleBytes] = {};
    EncodeAngle(angle, bytes);
    WriteBinaryValue(registry, kRegistryRoot, kOptionsSection, name, sizeof bytes, bytes);
}

void SaveEverything(IRegistry& registry) {
    OptionsSet->SaveAll(registry);
    DesktopSet->SaveAll(registry);
    uint8_t colors[kColorTableBytes] = {};
    EncodeColors(Colors, colors);
    WriteBinaryValue(registry, kRegistryRoot, kOptionsSection, "Colors", sizeof colors, colors);
    SaveAngle(registry, "MinFileSectionAngle", MinFileSectionAngle);
    SaveAngle(registry, "MinFolderSectionAngle", MinFolderSectionAngle);
    SaveAngle(registry, "MinTextSectionAngle", MinTextSectionAngle);
}

}  // namespace

const TColorTable DefaultColors = {
    kSystemWindowColor,   // Pie - Background
    kBlack,               // Pie - Lines
    kLime,                // Pie - Normal Folder
    kYellow,              // Pie - Files in current folder
    kPaleGreen,           // Pie - Other folders
    kAqua,                // Pie - File
    kYellow,              // Pie - Other files
    kSystemTooltipColor,  // Pie - Text rect background
    kBlack,               // Pie - Text rect lines
    kBlack,               // Pie - Text
    kYellow,              // Pie - Text rect background (highlighted)
    kBlack,               // Pie - Text rect lines (highlighted)
    kBlack,               // Pie - Text (highlighted)
    kSystemWindowColor,   // Not scanned panel
    kLime,                // Pie - Section Size
    kRed,                 // Pie - Section Wasted
    kLime,                // Pie - Free space
};

TColorTable Colors = DefaultColors;

const std::array<const char*, kColorCount> ColorNames = {
    "Pie - Background",
    "Pie - Lines",
    "Pie - Normal Folder",
    "Pie - Files in current folder",
    "Pie - Other folders",
    "Pie - File",
    "Pie - Other files",
    "Pie - Text rect background",
    "Pie - Text rect lines",
    "Pie - Text",
    "Pie - Text rect background (highlighted)",
    "Pie - Text rect lines (highlighted)",
    "Pie - Text (highlighted)",
    "Not scanned panel",
    "Pie - Section Size",
    "Pie - Section Wasted",
    "Pie - Free space",
};

double MinFileSectionAngle = kDefaultMinFileSectionAngle;
double MinFolderSectionAngle = kDefaultMinFolderSectionAngle;
double MinTextSectionAngle = kDefaultMinTextSectionAngle;

void LoadOptions(IRegistry& registry) {
    CreateOptionSets();
    Colors = DefaultColors;
    MinFileSectionAngle = kDefaultMinFileSectionAngle;
    MinFolderSectionAngle = kDefaultMinFolderSectionAngle;
    MinTextSectionAngle = kDefaultMinTextSectionAngle;

    // Settings that cannot be read are no reason to refuse to start: stop at
    // the first bad value and keep the defaults from there on.
    try {
        OptionsSet->LoadAll(registry);
        DesktopSet->LoadAll(registry);
        LoadColors(registry);
        LoadAngle(registry, "MinFileSectionAngle", MinFileSectionAngle);
        LoadAngle(registry, "MinFolderSectionAngle", MinFolderSectionAngle);
        LoadAngle(registry, "MinTextSectionAngle", MinTextSectionAngle);
    } catch (const TRegistryError&) {
    }

    if (ZIPCompressionLevel->Value < 0 || ZIPCompressionLevel->Value > 9) ZIPCompressionLevel->Value = 9;
}

void SaveOptions(IRegistry& registry) {
    if (!OptionsSet || !DesktopSet) return;
    try {
        SaveEverything(registry);
    } catch (...) {
        DestroyOptionSets();
        throw;
    }
    DestroyOptionSets();
}
