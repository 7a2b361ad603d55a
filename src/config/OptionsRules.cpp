#include "config/OptionsRules.h"

#include <cmath>
#include <cstdio>
#include <locale>
#include <sstream>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text with blanks trimmed and its decimal separator made a point, when
// it has the form of a number: sign, digits with at most one separator,
// optional exponent. Empty when it has not.
std::string CanonicalNumber(const std::string& text, const std::string& separator) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;

    std::string number;
    size_t at = begin;
    if (at < end && (text[at] == '+' || text[at] == '-')) number += text[at++];
    bool digits = false;
    bool point = false;
    while (at < end) {
        if (IsDigit(text[at])) {
            number += text[at++];
            digits = true;
        } else if (!point && !separator.empty() && text.compare(at, separator.size(), separator) == 0) {
            number += '.';
            at += separator.size();
            point = true;
        } else if (!point && text[at] == '.') {
            number += '.';
            ++at;
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::string();
    if (at < end && (text[at] == 'e' || text[at] == 'E')) {
        number += 'e';
        ++at;
        if (at < end && (text[at] == '+' || text[at] == '-')) number += text[at++];
        bool exponentDigits = false;
        while (at < end && IsDigit(text[at])) {
            number += text[at++];
            exponentDigits = true;
        }
        if (!exponentDigits) return std::string();
    }
    return at == end ? number : std::string();
}

}  // namespace

std::string AngleToPercentText(double degrees, const std::string& decimalSeparator) {
    char buffer[64] = {};
    std::snprintf(buffer, sizeof buffer, "%.3f", degrees * 100 / 360);
    std::string text = buffer;
    const size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
    return text;
}

bool PercentTextToAngle(const std::string& text, const std::string& decimalSeparator, double& degrees) {
    const std::string number = CanonicalNumber(text, decimalSeparator);
    if (number.empty()) return false;
    std::istringstream stream(number);
    stream.imbue(std::locale::classic());
    double percent = 0;
    stream >> percent;
    // Too large for a double: certainly out of range, read as such.
    if (stream.fail()) percent = number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    degrees = percent * 360 * 0.01;
    return true;
}

bool IsAngleInRange(double degrees) { return degrees >= 0 && degrees <= 360; }

std::string InvalidThresholdMessage(const std::string& text) { return text + kInvalidThresholdSuffix; }

TThresholdCheck CheckThresholdTexts(const TThresholdTexts& texts, const std::string& decimalSeparator) {
    TThresholdCheck check;
    for (int k = 0; k < kThresholdCount; ++k) {
        double degrees = 0;
        if (!PercentTextToAngle(texts[size_t(k)], decimalSeparator, degrees) || !IsAngleInRange(degrees)) {
            check.Rejected = k;
            check.Angles = {};
            return check;
        }
        check.Angles[size_t(k)] = degrees;
    }
    return check;
}

TThresholdTexts ThresholdTextsOf(const TThresholdAngles& angles, const std::string& decimalSeparator) {
    TThresholdTexts texts;
    for (size_t k = 0; k < texts.size(); ++k) texts[k] = AngleToPercentText(angles[k], decimalSeparator);
    return texts;
}

TOptionsChoice OptionsChoiceOf(const TProgramOptions& options) {
    TOptionsChoice choice;
    choice.IncludeWasted = options.IncludeWastedInformation;
    choice.ShowFileNames = options.ShowFileNames;
    choice.AutoExpand = options.AutoExpand;
    choice.AutoCollapse = options.AutoCollapse;
    choice.DrivesToAutoScan = options.DrivesToAutoScan;
    choice.Angles = {options.MinFileSectionAngle, options.MinFolderSectionAngle, options.MinTextSectionAngle};
    choice.Colors = options.Colors;
    return choice;
}

void StoreOptionsChoice(const TOptionsChoice& choice, TProgramOptions& options) {
    options.IncludeWastedInformation = choice.IncludeWasted;
    options.ShowFileNames = choice.ShowFileNames;
    options.AutoExpand = choice.AutoExpand;
    options.AutoCollapse = choice.AutoCollapse;
    options.DrivesToAutoScan = choice.DrivesToAutoScan;
    options.MinFileSectionAngle = choice.Angles[kFileThreshold];
    options.MinFolderSectionAngle = choice.Angles[kFolderThreshold];
    options.MinTextSectionAngle = choice.Angles[kTextThreshold];
    options.Colors = choice.Colors;
}

std::string ExplorerCommand(const std::string& programPath) { return "\"" + programPath + "\" \"%1\""; }

bool ExplorerEntryTicked(IRegistry& registry, bool designed) {
    switch (registry.ClassesKeyState(kExplorerClassesKey)) {
        case TRegRead::Found: return true;
        case TRegRead::Missing: return false;
        default: return designed;
    }
}

bool WriteExplorerEntry(IRegistry& registry, const std::string& programPath) {
    return registry.CreateKey(kExplorerVerbKey) && registry.WriteString(kExplorerVerbKey, "", kExplorerVerb) &&
           registry.CreateKey(kExplorerCommandKey) &&
           registry.WriteString(kExplorerCommandKey, "", ExplorerCommand(programPath));
}

void RemoveExplorerEntry(IRegistry& registry) {
    registry.DeleteKey(kExplorerCommandKey);
    registry.DeleteKey(kExplorerVerbKey);
}
