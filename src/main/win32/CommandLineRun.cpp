#include "main/win32/CommandLineRun.h"

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "config/Options.h"
#include "main/CommandLineScan.h"
#include "main/ConsoleProgress.h"
#include "main/MainFormParts.h"
#include "main/win32/CommandLineConsole.h"
#include "main/win32/FolderReportExport.h"
#include "main/win32/MainForm.h"
#include "main/win32/ScanCommands.h"
#include "main/win32/SystemServices.h"
#include "platform/UnattendedMessageBoxes.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/win32/ReplacingFile.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Paths.h"
#include "scan/FolderCsv.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"

namespace {

const char kPrefix[] = "Quarrymap: ";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The progress line of a scan on the console that started the job, erased
// when the scan is over.
class TProgressLine {
public:
    explicit TProgressLine(TCommandLineConsole& console) : Console(console), Line(GetTickCount64()) {}
    ~TProgressLine() { Finish(); }
    TProgressLine(const TProgressLine&) = delete;
    TProgressLine& operator=(const TProgressLine&) = delete;

    TScanProgress Sink() {
        if (!Console.ShowsProgress()) return {};
        return [this](int64_t folders, int64_t files, const std::string& path) {
            Console.Progress(Line.Update(GetTickCount64(), folders, files, path));
        };
    }
    void Finish() { Console.Progress(Line.Erase()); }

private:
    TCommandLineConsole& Console;
    TConsoleProgress Line;
};

// One job's paths, resolved before anything changes the current directory
// (the drive check enters the drive's root), and its way of failing.
struct TJob {
    TSystemServices& System;
    TCommandLineConsole& Console;
    TUnattendedMessageBoxes& Boxes;
    std::string Target;  // FILE, full
    std::string Path;    // PATH, full

    int CannotScan(const std::string& why) const {
        Console.Error(kPrefix + std::string("cannot scan ") + Quoted(Path) + ": " + why + "\n");
        return kExitFailed;
    }
    int CannotReport(const std::string& why) const {
        Console.Error(kPrefix + std::string("cannot report on ") + Quoted(Path) + ": " + why + "\n");
        return kExitFailed;
    }
    int CannotWrite(const std::string& why) const {
        Console.Error(kPrefix + std::string("cannot write ") + Quoted(Target) + ": " + why + "\n");
        return kExitFailed;
    }
};

// The target's temporary file, made before the scan so that an unwritable
// target fails before a long scan rather than after it. Null once the
// failure has been told.
std::unique_ptr<TReplacingFile> OpenTarget(const TJob& job) {
    try {
        return std::make_unique<TReplacingFile>(job.Target);
    } catch (const TFileError& error) {
        job.CannotWrite(error.what());
        return nullptr;
    }
}

// Writes what `fill` hands over and puts the file in the target's place.
int FinishTarget(const TJob& job, TReplacingFile& file, const std::function<void(TReplacingFile&)>& fill) {
    try {
        fill(file);
        file.Commit();
    } catch (const TFileError& error) {
        return job.CannotWrite(error.what());
    }
    return kExitSuccess;
}

int RunCsv(const TJob& job) {
    const std::unique_ptr<TReplacingFile> file = OpenTarget(job);
    if (!file) return kExitFailed;
    TProgressLine progress(job.Console);
    TCommandLineScan scan({job.System.FileSystem, job.System.DriveInfo, job.System.ShellInfo,
                           job.System.CurrentDirectory, job.Boxes, job.System.NameOrder, progress.Sink()});
    const TFolderNode* node = scan.Scan(job.Path);
    progress.Finish();
    if (!node) return job.CannotScan(scan.Problem());
    return FinishTarget(job, *file, [&](TReplacingFile& out) {
        WriteFolderCsv(*node, scan.ClusterSize(), [&out](const std::string& row) { out.Write(row); });
    });
}

// The report comes from the very pages File > Export Folder Report reads,
// in a main window that is never shown: default size, default options from
// a registry kept in memory (nothing is read from or saved to the real one),
// the cluster size box on the drive's own size.
int RunReport(const TJob& job) {
    const std::unique_ptr<TReplacingFile> file = OpenTarget(job);
    if (!file) return kExitFailed;
    TSystemServices& system = job.System;
    const std::string problem = ScanTargetProblem(job.Path, system.FileSystem, system.CurrentDirectory, job.Boxes);
    if (!problem.empty()) return job.CannotScan(problem);

    TMemoryRegistry registry;
    TProgramOptions options;
    const TMainFormServices services{
        registry,          job.Boxes,         system.ModalRunner, system.Shell,  system.FileSystem,
        system.Drives,     system.ShellInfo,  system.DriveInfo,   system.Locale, system.TextCompare,
        system.SaveDialog, system.ShellFiles, ProgramPath(),      options};
    TScanCommands scanCommands(SystemScanServices(system, job.Boxes, {}, {job.Path}));
    TMainFormParts parts;
    parts.Scan = &scanCommands;
    TMainForm form(services, parts);
    if (!form.Create()) return job.CannotReport(job.Boxes.FirstText());
    scanCommands.Attach(form);
    form.Show(SW_HIDE);
    {
        TProgressLine progress(job.Console);
        scanCommands.SetProgress(progress.Sink());
        scanCommands.ScanCommandLine();
        scanCommands.SetProgress({});
    }
    const TDriveRecInfo* drive = scanCommands.DriveRecords().Find(UpperDriveLetter(job.Path[0]));
    const TFolderNode* node = drive ? FindScannedFolder(drive->RootNode, job.Path, system.DriveInfo) : nullptr;
    std::string failure;
    if (!job.Boxes.FirstText().empty())
        failure = job.Boxes.FirstText();
    else if (AbortScan || !node || !node->Record)
        failure = "the scan did not finish";
    else if (scanCommands.SelectedNode() != node)
        failure = "the folder was not found on its drive";
    if (!failure.empty()) return job.CannotScan(failure);
    std::string bytes;
    try {
        // A text that cannot be converted is a failure, never an empty file.
        bytes = TextFileBytes(form.FolderReport()->ReportText(*node));
    } catch (const std::exception&) {
        return job.CannotReport("Generating report failed");
    }
    return FinishTarget(job, *file, [&bytes](TReplacingFile& out) { out.Write(bytes); });
}

}  // namespace

int RunCommandLineJob(const TCommandLineJob& job, TSystemServices& system) {
    TCommandLineConsole console(system.MessageBoxes);
    switch (job.Action) {
        case TCommandLineAction::OpenWindow: return kExitUsage;
        case TCommandLineAction::Help: console.Output(kCommandLineUsage); return kExitSuccess;
        case TCommandLineAction::UsageError:
            console.Error(kPrefix + job.Problem + ". Quarrymap.exe /? lists the switches.\n");
            return kExitUsage;
        case TCommandLineAction::Report:
        case TCommandLineAction::Csv: break;
    }
    // Nobody is there to put a disk in a drive: a drive that is not ready
    // fails at once instead of asking.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    TUnattendedMessageBoxes boxes;
    const TJob run{system, console, boxes, FullPathName(job.OutputFile), FullPathName(job.Path)};
    if (run.Target.empty()) return run.CannotWrite("the file name is not valid");
    if (run.Path.empty() || !HasFullPathForm(run.Path)) {
        console.Error(kPrefix + std::string("cannot scan ") + Quoted(job.Path) + ": not a drive or folder path\n");
        return kExitFailed;
    }
    return job.Action == TCommandLineAction::Csv ? RunCsv(run) : RunReport(run);
}

std::vector<std::string> CommandLineArguments(const wchar_t* commandLine) {
    std::vector<std::string> arguments;
    int count = 0;
    if (LPWSTR* list = CommandLineToArgvW(commandLine, &count)) {
        for (int i = 1; i < count; ++i) arguments.push_back(Narrow(list[i]));
        LocalFree(list);
    }
    return arguments;
}
