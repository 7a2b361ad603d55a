// Both executables, 32-bit and 64-bit, carry the manifest and the icon,
// read back from their resources as Windows and Explorer read them; the
// program's windows show that icon.

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../res/ProgramIds.h"
#include "DrivePickerTestSupport.h"
#include "ProgramRun.h"
#include "ScriptedModalRunner.h"
#include "main/win32/AboutBox.h"
#include "platform/memory/RecordingShellOpen.h"
#include "platform/memory/ScriptedMessageBoxes.h"
#include "platform/win32/ProgramIcon.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32DynamicLibraries.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32VersionInfo.h"

namespace {

// build\x64\src\Quarrymap.exe and build\i686\src\Quarrymap.exe.
std::wstring ProgramOfTree(const wchar_t* tree) {
    std::wstring path = ProgramUnderTest();
    for (int i = 0; i < 2; ++i) path.resize(path.find_last_of(L'\\'));
    path.resize(path.find_last_of(L'\\') + 1);
    return path + tree + L"\\src\\Quarrymap.exe";
}

std::string ResourceBytes(HMODULE module, LPCWSTR type, int id) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return std::string();
    const HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found)) : std::string();
}

// The pixel sizes listed in an icon group (a width of 0 means 256).
std::set<int> IconSizes(const std::string& group) {
    std::set<int> sizes;
    if (group.size() < 6) return sizes;
    const int count = uint8_t(group[4]) | (uint8_t(group[5]) << 8);
    for (int i = 0; i < count && 6 + size_t(i + 1) * 14 <= group.size(); ++i) {
        const int width = uint8_t(group[6 + i * 14]);
        sizes.insert(width == 0 ? 256 : width);
    }
    return sizes;
}

}  // namespace

TEST(ProgramResourcesTest, BothExecutablesCarryTheManifestAndTheIcon) {
    for (const wchar_t* tree : {L"x64", L"i686"}) {
        const std::wstring program = ProgramOfTree(tree);
        SCOPED_TRACE(Narrow(program));
        // As data: the 32-bit file is read, not run.
        TLibraryHandle module(
            LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_NE(nullptr, module.Get()) << "scripts/test builds both trees before the tests";
        const std::string manifest = ResourceBytes(module.Get(), MAKEINTRESOURCEW(24), IDR_PROGRAM_MANIFEST);
        ASSERT_FALSE(manifest.empty());
        for (const char* part :
             {"level=\"asInvoker\"", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
              ">true</longPathAware>", ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>",
              "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
              "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
            EXPECT_NE(std::string::npos, manifest.find(part)) << part;
        EXPECT_EQ((std::set<int>{16, 24, 32, 48, 256}),
                  IconSizes(ResourceBytes(module.Get(), MAKEINTRESOURCEW(14), IDI_PROGRAM)));
    }
}

TEST(ProgramResourcesTest, DialogsShowTheProgramIcon) {
    ASSERT_NE(nullptr, ProgramIcon(true));
    ASSERT_NE(nullptr, ProgramIcon(false));
    TRecordingShellOpen shell;
    TWin32FileSystem files;
    TScriptedMessageBoxes boxes;
    TWin32VersionInfo version;
    TScriptedModalRunner runner;
    const std::string programPath = Narrow(ProgramUnderTest());
    const TInfoBoxServices services{shell, files, boxes, version, runner, programPath};
    THostWindow owner;
    TAboutBox box(services);
    runner.Script = [&](TDialog& dialog) {
        EXPECT_EQ(LRESULT(ProgramIcon(true)), SendMessageW(dialog.Handle(), WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(LRESULT(ProgramIcon(false)), SendMessageW(dialog.Handle(), WM_GETICON, ICON_BIG, 0));
    };
    runner.Run(box, owner.Handle());
}
