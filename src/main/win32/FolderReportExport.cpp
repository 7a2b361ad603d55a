#include "main/win32/FolderReportExport.h"

#include <stdexcept>

#include "main/win32/FolderInfoPage.h"
#include "main/win32/MainForm.h"
#include "main/win32/WastedSpacePage.h"
#include "pie/win32/PieView.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Owned.h"
#include "scan/FolderTree.h"

namespace {

const char kReportFailed[] = "Generating report failed";

// Shows a page again, whatever happens in between.
class TPageReturn {
public:
    explicit TPageReturn(TMainForm& form) : Form(form), Page(form.State().CurrentPage) {}
    ~TPageReturn() {
        try {
            Form.ShowPage(Page);
        } catch (...) {
            // The report's own failure is what the user hears about.
        }
    }
    TPageReturn(const TPageReturn&) = delete;
    TPageReturn& operator=(const TPageReturn&) = delete;

private:
    TMainForm& Form;
    int Page;
};

}  // namespace

void WriteAnsiTextFile(const std::string& fileName, const std::string& text) {
    const std::string ansi = TextFileBytes(text);
    const TWin32Handle file(CreateFileW(Win32PathOf(fileName).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) throw std::runtime_error("create");
    DWORD written = 0;
    if (!ansi.empty() &&
        (!WriteFile(file.Get(), ansi.data(), DWORD(ansi.size()), &written, nullptr) || written != DWORD(ansi.size())))
        throw std::runtime_error("write");
}

TFolderReportExport::TFolderReportExport(TMainForm& form, ISaveFileDialog& dialog, IMessageBoxes& boxes,
                                         const ILocale& locale)
    : Form(form), TheSaveDialog(dialog), Boxes(boxes), Locale(locale) {
    TheSaveDialog.Title = "Save Report As";
    TheSaveDialog.Filter = "Text file (*.txt)|*.txt";
    TheSaveDialog.DefaultExtension = "txt";
}

void TFolderReportExport::Execute() {
    const TFolderNode* node = Form.State().CurrentNode;
    if (!node || !node->Record) return;
    if (!TheSaveDialog.Execute(Form.Handle())) return;
    try {
        Write(TheSaveDialog.FileName, *node);
    } catch (...) {
        Boxes.Show(kProductName, kReportFailed, TMsgButtons::Ok, TMsgIcon::Error);
    }
}

void TFolderReportExport::Write(const std::string& fileName, const TFolderNode& node) {
    WriteAnsiTextFile(fileName, ReportText(node));
}

std::string TFolderReportExport::ReportText(const TFolderNode& node) {
    TFolderReportInputs inputs;
    {
        // The three pages the report copies, filled for this folder; then
        // back to the page the user was on, also when a refresh fails.
        TPageReturn back(Form);
        for (int page : {0, 1, 3}) Form.ShowPage(page);
        if (Form.State().CurrentNode != &node || !node.Record) throw std::runtime_error("selection");
        inputs = CollectInputs(node);
    }
    return FolderReportText(inputs, Locale);
}

TFolderReportInputs TFolderReportExport::CollectInputs(const TFolderNode& node) const {
    TFolderReportInputs in;
    in.ProductName = kProductName;
    SYSTEMTIME now;
    GetLocalTime(&now);
    in.DateTime = ReportDateText(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, Locale);
    if (const TPieView* pie = Form.Pie()) {
        in.HeaderType = pie->HeaderType();
        in.HeaderName = pie->HeaderName();
    }
    SetReportMeasurements(in, node, Form.State().ClusterView);
    if (const TFolderInfoPage* info = Form.FolderInfo())
        for (int row = 0; row < kFolderInfoRowCount; ++row) in.InfoValues[size_t(row)] = info->Grid().Cell(row, 1);
    if (const TWastedSpacePage* wasted = Form.WastedSpace()) {
        in.WastedHeading = wasted->AmountText();
        in.WastedPath = wasted->PathText();
        in.WastedNote = wasted->AtDiffText();
    }
    in.ActualClusterSize = Form.State().CurrentClusterSize;
    return in;
}
