#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "main/FolderInfoText.h"
#include "scan/FolderSize.h"

class ILocale;
struct TFolderNode;

// The program's short legal notice, the report's second line.
constexpr const char* kReportLegalNotice = "Copyright (C) 2026 Tollvane. Free to use and to pass on unchanged.";
constexpr const char* kReportVersion = "2.1";

// Everything a folder report says, as the pages showed it when the report
// was asked for.
struct TFolderReportInputs {
    std::string ProductName;
    std::string Version = kReportVersion;
    std::string LegalNotice = kReportLegalNotice;
    std::string DateTime;    // the locale's short date and long time
    std::string HeaderType;  // the pie header's type and name texts
    std::string HeaderName;
    std::string Location;  // the folder's full path
    int64_t TreeSize = 0;
    int64_t TreeWasted = 0;  // at the cluster size the views show
    int64_t TreeFiles = 0;
    int64_t TreeSubfolders = 0;
    int64_t FolderSize = 0;
    int64_t FolderWasted = 0;
    int64_t FolderFiles = 0;
    int64_t FolderSubfolders = 0;
    std::array<std::string, kFolderInfoRowCount> InfoValues;  // the Folder Information grid's column 1
    std::string WastedHeading;
    std::string WastedPath;
    std::string WastedNote;
    int32_t ActualClusterSize = 0;
    std::array<int64_t, kClusterSizeCount> WastedAt{};  // k = 1..7 at index k - 1
};

// Fills the folder's measurements (the path, sizes, counts and the table)
// from its record, at the cluster size the views show. The node has a record.
void SetReportMeasurements(TFolderReportInputs& inputs, const TFolderNode& node, int clusterView);

// The text written right-aligned in a field of that width; a longer text
// is kept whole and pushes what follows.
std::string RightAligned(const std::string& text, size_t width);

// The report's 48 lines, each ending in CR LF, in UTF-8.
std::string FolderReportText(const TFolderReportInputs& inputs, const ILocale& locale);

// The report date: the locale's short date, a space and its long time, the
// time left out at exactly midnight. The fields are local time.
std::string ReportDateText(int year, int month, int day, int hour, int minute, int second, const ILocale& locale);
