#include "config/Options.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "config/OptionSet.h"
#include "config/RegIniFile.h"
#include "config/RegistryValues.h"

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

// Visits every option with its section, its registry value name and its
// field, in the order they load and save.
template <class TVisit>
void VisitOptions(TVisit&& visit) {
    using O = TProgramOptions;
    visit(kOptionsSection, "IncludeWastedInformation", &O::IncludeWastedInformation);
    visit(kOptionsSection, "ShowFileNames", &O::ShowFileNames);
    visit(kOptionsSection, "ShowPercentInPie", &O::ShowPercentInPie);
    visit(kOptionsSection, "AutoExpand", &O::AutoExpand);
    visit(kOptionsSection, "AutoCollapse", &O::AutoCollapse);
    visit(kOptionsSection, "SortAscending", &O::SortAscending);
    visit(kOptionsSection, "DrivesToAutoScan", &O::DrivesToAutoScan);
    visit(kOptionsSection, "ZIPAddSubfolders", &O::ZIPAddSubfolders);
    visit(kOptionsSection, "ZIPAddHiddenFiles", &O::ZIPAddHiddenFiles);
    visit(kOptionsSection, "ZIPDeleteAfterCompressing", &O::ZIPDeleteAfterCompressing);
    visit(kOptionsSection, "ZIPPasswordProtect", &O::ZIPPasswordProtect);
    visit(kOptionsSection, "ZIPCompressionLevel", &O::ZIPCompressionLevel);
    visit(kOptionsSection, "ZIPDeleteArchive", &O::ZIPDeleteArchive);
    visit(kDesktopSection, "ViewToolbar", &O::ViewToolbar);
    visit(kDesktopSection, "ViewStatusBar", &O::ViewStatusBar);
    visit(kDesktopSection, "ViewFolderTree", &O::ViewFolderTree);
    visit(kDesktopSection, "PieSectionSizeWindow", &O::PieSectionSizeWindow);
}

TBoolOption* AddOption(TOptions& set, const char* name, bool value) { return set.AddBool(name, value); }
TIntOption* AddOption(TOptions& set, const char* name, int32_t value) { return set.AddInt(name, value); }
TStrOption* AddOption(TOptions& set, const char* name, const std::string& value) { return set.AddStr(name, value); }

// The option sets of the two sections, each option made with its default
// and tied to its field of TProgramOptions.
class TOptionSets {
public:
    TOptionSets() {
        const TProgramOptions defaults;
        VisitOptions([&](const char* section, const char* name, auto field) {
            auto* option =
                AddOption(std::strcmp(section, kOptionsSection) == 0 ? Options : Desktop, name, defaults.*field);
            ToFields.push_back([option, field](TProgramOptions& to) { to.*field = option->Value; });
            FromFields.push_back([option, field](const TProgramOptions& from) { option->Value = from.*field; });
        });
    }

    // Both stop at the first option that fails, with its TRegistryError.
    void Load(IRegistry& registry) {
        Options.LoadAll(registry);
        Desktop.LoadAll(registry);
    }
    void Save(IRegistry& registry) {
        Options.SaveAll(registry);
        Desktop.SaveAll(registry);
    }
    void CopyTo(TProgramOptions& to) const {
        for (const auto& copy : ToFields) copy(to);
    }
    void CopyFrom(const TProgramOptions& from) {
        for (const auto& copy : FromFields) copy(from);
    }

private:
    TOptions Options{kRegistryRoot, kOptionsSection};
    TOptions Desktop{kRegistryRoot, kDesktopSection};
    std::vector<std::function<void(TProgramOptions&)>> ToFields;
    std::vector<std::function<void(const TProgramOptions&)>> FromFields;
};

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

void LoadColors(IRegistry& registry, TColorTable& colors) {
    uint8_t bytes[kColorTableBytes] = {};
    if (ReadBinaryValue(registry, kRegistryRoot, kOptionsSection, "Colors", sizeof bytes, bytes) == sizeof bytes)
        DecodeColors(bytes, colors);
    else
        colors = DefaultColors;
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

TProgramOptions LoadOptions(IRegistry& registry) {
    TProgramOptions options;
    TOptionSets sets;
    // Settings that cannot be read are no reason to refuse to start: stop at
    // the first bad value and keep the defaults from there on.
    try {
        sets.Load(registry);
        sets.CopyTo(options);
        LoadColors(registry, options.Colors);
        LoadAngle(registry, "MinFileSectionAngle", options.MinFileSectionAngle);
        LoadAngle(registry, "MinFolderSectionAngle", options.MinFolderSectionAngle);
        LoadAngle(registry, "MinTextSectionAngle", options.MinTextSectionAngle);
    } catch (const TRegistryError&) {
        sets.CopyTo(options);
    }
    if (options.ZIPCompressionLevel < 0 || options.ZIPCompressionLevel > 9) options.ZIPCompressionLevel = 9;
    return options;
}

void SaveOptions(IRegistry& registry, const TProgramOptions& options) {
    TOptionSets sets;
    sets.CopyFrom(options);
    sets.Save(registry);
    uint8_t colors[kColorTableBytes] = {};
    EncodeColors(options.Colors, colors);
    WriteBinaryValue(registry, kRegistryRoot, kOptionsSection, "Colors", sizeof colors, colors);
    SaveAngle(registry, "MinFileSectionAngle", options.MinFileSectionAngle);
    SaveAngle(registry, "MinFolderSectionAngle", options.MinFolderSectionAngle);
    SaveAngle(registry, "MinTextSectionAngle", options.MinTextSectionAngle);
}
