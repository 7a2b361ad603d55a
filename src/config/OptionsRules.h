#pragma once
#include <array>
#include <string>

#include "config/Options.h"
#include "platform/Registry.h"

// What the Options dialog reads, checks and stores, apart from its window.

// ---------------------------------------------------------------- pie thresholds

// The three pie thresholds in the dialog's order.
enum : int { kFileThreshold, kFolderThreshold, kTextThreshold, kThresholdCount };
using TThresholdAngles = std::array<double, kThresholdCount>;  // degrees
using TThresholdTexts = std::array<std::string, kThresholdCount>;

constexpr const char* kInvalidThresholdSuffix = " is not a valid positive value between 0 and 360";

// An angle as percent of the parent (degrees * 100 / 360) with three
// decimals and the user's decimal separator: 2 degrees is "0.556".
std::string AngleToPercentText(double degrees, const std::string& decimalSeparator);
// A percent text back in degrees (percent * 360 * 0.01). Surrounding blanks
// are ignored; the decimal separator may be the user's or a point; an
// exponent is allowed. False when the text is not a number.
bool PercentTextToAngle(const std::string& text, const std::string& decimalSeparator, double& degrees);
bool IsAngleInRange(double degrees);  // 0 to 360, both included
// The message naming a rejected text.
std::string InvalidThresholdMessage(const std::string& text);

// All three texts read in order. Nothing is taken unless all are valid, so
// a rejected text never leaves the others half-applied.
struct TThresholdCheck {
    int Rejected = -1;             // the first text that is not a number or out of range; -1 when none
    TThresholdAngles Angles = {};  // the three angles, when none was rejected
};
TThresholdCheck CheckThresholdTexts(const TThresholdTexts& texts, const std::string& decimalSeparator);

TThresholdTexts ThresholdTextsOf(const TThresholdAngles& angles, const std::string& decimalSeparator);
constexpr TThresholdAngles kDefaultThresholdAngles = {kDefaultMinFileSectionAngle, kDefaultMinFolderSectionAngle,
                                                      kDefaultMinTextSectionAngle};

// ---------------------------------------------------------------- the dialog's choice

// Everything the dialog edits in the option store.
struct TOptionsChoice {
    bool IncludeWasted = true;
    bool ShowFileNames = true;
    bool AutoExpand = true;
    bool AutoCollapse = true;
    std::string DrivesToAutoScan;
    TThresholdAngles Angles = kDefaultThresholdAngles;
    TColorTable Colors = DefaultColors;
};

// What the options hold now.
TOptionsChoice OptionsChoiceOf(const TProgramOptions& options);
// Into the options, all of it.
void StoreOptionsChoice(const TOptionsChoice& choice, TProgramOptions& options);

// ---------------------------------------------------------------- the Explorer entry

constexpr const char* kExplorerVerb = "Analyze with Quarrymap 2000";
// Where the Explorer finds the verb, below HKEY_CLASSES_ROOT.
constexpr const char* kExplorerClassesKey = "Folder\\shell\\Quarrymap";
// Where it is written, below HKEY_CURRENT_USER: the user's own classes,
// which Windows merges into HKEY_CLASSES_ROOT and which need no
// administrator rights.
constexpr const char* kExplorerVerbKey = "Software\\Classes\\Folder\\shell\\Quarrymap";
constexpr const char* kExplorerCommandKey = "Software\\Classes\\Folder\\shell\\Quarrymap\\Command";
constexpr const char* kExplorerEntryError = "Error creating system registry entry";

// The program in quotes and the folder as its first argument: "C:\Q.exe" "%1".
std::string ExplorerCommand(const std::string& programPath);
// Whether the box is ticked: as the merged view says, or `designed` when
// that cannot be read.
bool ExplorerEntryTicked(IRegistry& registry, bool designed);
// The verb key, then the command key, each with its default value; false
// at the first failure.
bool WriteExplorerEntry(IRegistry& registry, const std::string& programPath);
// The command key, then the verb key; failures are ignored (the entry may
// not be there).
void RemoveExplorerEntry(IRegistry& registry);
