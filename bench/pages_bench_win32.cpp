// pages_bench DRIVE: the cost of the pages against the scan they show, in
// the program's own main window. On first use it fills DRIVE (a drive of
// its own, such as W:) with "wide", a folder of 10,000 subfolders and
// 10,000 files, and "many", a folder of 300 equal subfolders. It then
// scans the drive as the command line would and prints:
//   - building and painting the pie of "wide", against scanning the drive;
//   - filling and sorting the Subfolders page of "wide", against the scan;
//   - one mouse move over the pie of "many" (300 wedges), to another wedge
//     and within one, against one full repaint of that pie, and how much
//     of a move the status bar takes.
// Each figure is the best of several rounds. Figures, not a test.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "Win32BenchFiles.h"
#include "config/win32/ShellContextMenu.h"
#include "main/MainCommands.h"
#include "main/win32/MainForm.h"
#include "main/win32/ScanCommands.h"
#include "main/win32/SystemServices.h"
#include "main/win32/SubfoldersPage.h"
#include "pie/win32/PieTarget.h"
#include "pie/win32/PieView.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/win32/WideString.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int kWideFolders = 10000;
constexpr int kWideFiles = 10000;
constexpr int kManyFolders = 300;
constexpr int kRounds = 3;
constexpr int kMoves = 200;

double Seconds(const std::function<void()>& work) {
    const auto start = TClock::now();
    work();
    return std::chrono::duration<double>(TClock::now() - start).count();
}

double Best(int rounds, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) best = std::min(best, Seconds(work));
    return best;
}

// The two folders, made once; a marker file says they are complete.
bool MakeTree(const std::wstring& root) {
    const std::wstring marker = root + L"complete.txt";
    if (GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    std::printf("making the folders on %s (once)...\n", Narrow(root).c_str());
    const std::wstring wide = root + L"wide\\";
    const std::wstring many = root + L"many\\";
    CreateDirectoryW(wide.c_str(), nullptr);
    CreateDirectoryW(many.c_str(), nullptr);
    for (int i = 0; i < kWideFolders; ++i) {
        const std::wstring folder = wide + L"Folder " + std::to_wstring(i);
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (!MakeSizedFile(folder + L"\\data.bin", 1000 + LONGLONG(i % 977) * 313)) return false;
    }
    for (int i = 0; i < kWideFiles; ++i)
        if (!MakeSizedFile(wide + L"file " + std::to_wstring(i) + L".txt", 100 + LONGLONG(i % 571) * 97)) return false;
    for (int i = 0; i < kManyFolders; ++i) {
        const std::wstring folder = many + L"Part " + std::to_wstring(i);
        if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (!MakeSizedFile(folder + L"\\part.bin", 40960)) return false;
    }
    return MakeSizedFile(marker, 1);
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Two points of the pie on different wedges, half way out.
bool TwoWedgePoints(const THPieChart& chart, POINT& first, POINT& second) {
    const int cx = chart.PieLeft + chart.Radius, cy = chart.PieTop + chart.Radius;
    first = {cx, cy - chart.Radius / 2};
    const int firstSection = chart.SectionAt(first.x, first.y);
    for (int dx = 1; dx < chart.Radius; ++dx) {
        second = {cx - dx, cy - chart.Radius / 2};
        const int section = chart.SectionAt(second.x, second.y);
        if (section >= 0 && section != firstSection) return firstSection >= 0;
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: pages_bench DRIVE\n");
        return 2;
    }
    const std::wstring root = std::wstring(1, argv[1][0]) + L":\\";
    if (!MakeTree(root)) {
        std::fprintf(stderr, "pages_bench: cannot make the folders on %s\n", Narrow(root).c_str());
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    TMemoryRegistry registry;
    TSystemServices system;
    const std::string wide = Narrow(root) + "wide";
    const std::string many = Narrow(root) + "many";
    TScanCommands commands(SystemScanServices(system, system.MessageBoxes, &ShowItemContextMenu, {wide}));
    TMainFormParts parts;
    parts.Scan = &commands;
    TProgramOptions options;
    TMainForm form({registry, system.MessageBoxes, system.ModalRunner, system.Shell, system.FileSystem, system.Drives,
                    system.ShellInfo, system.DriveInfo, system.Locale, system.TextCompare, system.SaveDialog,
                    system.ShellFiles, "C:\\Quarrymap.exe", options},
                   parts);
    if (!form.Create()) return 1;
    commands.Attach(form);
    form.Show(SW_SHOWNORMAL);
    // The start-up scans the drive of the command line's folder and selects it.
    for (int i = 0; i < 6000 && NodePath(commands.SelectedNode()) != wide; ++i) {
        Pump();
        Sleep(5);
    }
    if (NodePath(commands.SelectedNode()) != wide) {
        std::fprintf(stderr, "pages_bench: %s was not scanned\n", wide.c_str());
        return 1;
    }
    const std::string driveItem = Narrow(root.substr(0, 2));

    const double scan = Best(kRounds, [&] {
        commands.ScanOrRescanDrive(driveItem);
        Pump();
    });
    commands.SelectFolderByPath(wide);
    Pump();
    form.ShowPage(0);
    const double pie = Best(kRounds, [&] { form.InvalidatePie(); });
    const double list = Best(kRounds, [&] {
        form.InvalidateViews(false);
        form.ShowPage(2);
    });
    const double sort = Best(kRounds, [&] { form.Subfolders()->ClickColumn(3); });

    commands.SelectFolderByPath(many);
    Pump();
    form.ShowPage(0);
    TPieView& view = *form.Pie();
    POINT first, second;
    if (!TwoWedgePoints(view.PieChart(), first, second)) {
        std::fprintf(stderr, "pages_bench: the pie of %s has no two wedges to move between\n", many.c_str());
        return 1;
    }
    const double moves = Best(kRounds, [&] {
        for (int i = 0; i < kMoves; ++i) {
            const POINT point = i % 2 ? second : first;
            SendMessageW(view.PaintBox(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        }
    });
    // The usual move stays on the wedge it was on.
    const POINT nearer = {first.x, first.y + 3};
    const double staying = Best(kRounds, [&] {
        for (int i = 0; i < kMoves; ++i) {
            const POINT point = i % 2 ? nearer : first;
            SendMessageW(view.PaintBox(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        }
    });
    const double repaints = Best(kRounds, [&] {
        for (int i = 0; i < kMoves / 10; ++i) {
            TPieTarget target(view.PieChart(), view.PaintBox());
            view.PieChart().EndUpdate();
        }
    });
    // The share of a move spent writing the status bar, which some hosts
    // (Wine) repaint at once on every change.
    const double statusWrites = Best(kRounds, [&] {
        for (int i = 0; i < kMoves; ++i) form.SetStatusText(0, "Folder " + many + "\\Part " + std::to_string(i % 2));
    });
    const double move = moves / kMoves, repaint = repaints / (kMoves / 10), status = statusWrites / kMoves;

    std::printf("folder of %d subfolders and %d files, on %s\n", kWideFolders, kWideFiles, Narrow(root).c_str());
    std::printf("  scan of the drive          %8.3f s\n", scan);
    std::printf("  pie built and painted      %8.3f s   ratio to the scan %.3f (target <= 0.25)\n", pie, pie / scan);
    std::printf("  Subfolders filled, sorted  %8.3f s   ratio to the scan %.3f (target <= 0.25)\n", list, list / scan);
    std::printf("  Subfolders sorted by size  %8.3f s   ratio to the scan %.3f\n", sort, sort / scan);
    std::printf("pie of %zu wedges\n", view.PieChart().Sections.size());
    std::printf("  one mouse move to another wedge %8.3f ms\n", move * 1000);
    std::printf("  one mouse move on a wedge  %8.3f ms   move/repaint %.3f\n", staying / kMoves * 1000,
                staying / kMoves / repaint);
    std::printf("  one full repaint           %8.3f ms   move to another wedge/repaint %.3f (target <= 0.1)\n",
                repaint * 1000, move / repaint);
    std::printf("  of that move, the status bar %6.3f ms   move without it/repaint %.3f\n", status * 1000,
                std::max(0.0, move - status) / repaint);
    DestroyWindow(form.Handle());
    Pump();
    CoUninitialize();
    return 0;
}
