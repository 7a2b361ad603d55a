// archive_bench [FOLDER]: archives the mixed folder of the ZIP benches (made
// inside FOLDER, default %TEMP%\qm-zip-bench, on first use) through the
// shown archive dialog, with its progress events and the message processing
// they bring, and through the adapter alone with no events, with the same
// options, in the same run. Prints the time ratio dialog / library; target
// at most 1.1. The archives go into the drive's "Archives Bin", removed after.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "res/CompressFolderIds.h"
#include "MixedFolder.h"
#include "platform/win32/WideString.h"
#include "scan/DriveRecords.h"
#include "scan/PathUtils.h"
#include "tests/win32/CompressFolderWorld.h"
#include "tests/win32/ZipTreeSupport.h"

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) { return std::chrono::duration<double>(TClock::now() - start).count(); }

// The dialog's services as the program gives them, apart from the boxes (a
// box would stop the run) and the drive list (the folder's drive alone).
struct TBenchServices : TCompressFolderWorld {
    explicit TBenchServices(char letter) {
        Drives.AddLetter(letter);
        Names.Names[letter] = "Bench";
    }
};

TArchiveChoices Choices() {
    TArchiveChoices choices;
    choices.Subfolders = true;
    choices.Hidden = true;
    return choices;
}

// Archives through the dialog, shown over `owner`; the time from the click
// on "Archive >>" to the results. Empty archive path: the run failed.
double ThroughDialog(TBenchServices& bench, const TCompressFolderRequest& request, HWND owner, std::string& archive) {
    TCleanUpCompressFolderBox box(bench.Services, request);
    double seconds = 0;
    bench.Runner.Script = [&](TDialog&) {
        const HWND dialog = box.Handle();
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        const TArchiveChoices choices = Choices();
        auto check = [&](int id, bool on) {
            SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        };
        check(IDC_CF_SUBFOLDERS, choices.Subfolders);
        check(IDC_CF_HIDDEN, choices.Hidden);
        check(IDC_CF_DELETE_AFTER, choices.Move);
        check(IDC_CF_PASSWORD, choices.Password);
        SendMessageW(GetDlgItem(dialog, IDC_CF_LEVEL_SPIN), UDM_SETPOS32, 0, 9);
        const auto start = TClock::now();
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_CF_COMPRESS, BN_CLICKED),
                     LPARAM(GetDlgItem(dialog, IDC_CF_COMPRESS)));
        seconds = SecondsSince(start);
        archive = box.Handle() ? box.Zip().ZipFilename() : std::string();
    };
    bench.Runner.Run(box, owner);
    return seconds;
}

// The same archive through the adapter and library, with no events.
double LibraryAlone(TBenchServices& bench, const std::string& folder, const std::string& archive) {
    TZipMaster zip(bench.Services.Zip);
    zip.SetDLLDirectory(ParentFolderPath(bench.ProgramPath));
    zip.AddOptions = ArchiveAddOptions(Choices());
    zip.AddCompLevel = 9;
    zip.SetZipFilename(archive);
    bench.CurrentDirectory.Change(ParentFolderPath(folder));
    zip.FSpecArgs = {ArchiveSpecOf(folder)};
    const auto start = TClock::now();
    zip.Add();
    return SecondsSince(start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring root = MixedFolderRoot(argc, argv);
    if (!MakeMixedFolder(root)) {
        std::fprintf(stderr, "archive_bench: cannot create the folder in %s\n", Narrow(root).c_str());
        return 2;
    }
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    const std::string folder = Narrow(root) + "\\mixed";
    const char letter = UpperDriveLetter(folder[0]);
    const std::string bin = std::string(1, letter) + ":\\Archives Bin";
    TBenchServices bench(letter);
    // The libraries lie beside the program: build\<tree>\src, this one is in build\<tree>\bench.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    bench.ProgramPath = ParentFolderPath(ParentFolderPath(Narrow(self))) + "\\src\\Quarrymap.exe";

    int64_t fileCount = 0, totalBytes = 0;
    CountTree(Widen(folder), fileCount, totalBytes);
    TCompressFolderRequest request;
    request.FolderPath = folder;
    request.FolderSize = totalBytes;
    request.DiskUsage = totalBytes;
    THostWindow owner(100, 100, 640, 480);
    // The dialog offers the process's current drive for the archive.
    SetCurrentDirectoryW(root.c_str());

    const int rounds = 3;
    double dialogBest = 1e30, libraryBest = 1e30;
    int64_t dialogSize = 0, librarySize = 0;
    // The two take turns to go first, so neither gains from what the other left in the cache.
    for (int round = 0; round < 2 * rounds; ++round) {
        RemoveTree(bin);
        if ((round % 2 == 0) == (round / 2 % 2 == 0)) {
            std::string archive;
            const double dialog = ThroughDialog(bench, request, owner.Handle(), archive);
            dialogSize = archive.empty() ? 0 : FileLength(Widen(archive));
            if (dialogSize <= 0) {
                std::fprintf(stderr, "archive_bench: the dialog made no archive\n");
                for (const TScriptedMessageBoxes::TShown& shown : bench.Boxes.Shown)
                    std::fprintf(stderr, "it said: %s\n", shown.Text.c_str());
                return 1;
            }
            dialogBest = std::min(dialogBest, dialog);
        } else {
            CreateDirectoryW(Widen(bin).c_str(), nullptr);
            const std::string plain = bin + "\\library.zip";
            libraryBest = std::min(libraryBest, LibraryAlone(bench, folder, plain));
            librarySize = FileLength(Widen(plain));
            if (librarySize <= 0) {
                std::fprintf(stderr, "archive_bench: the library made no archive\n");
                return 1;
            }
        }
    }
    RemoveTree(bin);
    std::printf("folder: %lld files, %.1f MB, level 9\n", (long long)fileCount, double(totalBytes) / 1e6);
    std::printf("best of %d                       wall time   archive bytes\n", rounds);
    std::printf("through the shown dialog:        %7.3f s    %12lld\n", dialogBest, (long long)dialogSize);
    std::printf("adapter and library, no events:  %7.3f s    %12lld\n", libraryBest, (long long)librarySize);
    std::printf("time ratio dialog / library: %.3f; target at most 1.1\n", dialogBest / libraryBest);
    CoUninitialize();
    return dialogSize == librarySize ? 0 : 1;
}
