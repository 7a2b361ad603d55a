#include "controls/win32/FolderBrowse.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/WideString.h"

namespace {

// Stands in for the browser's window: remembers what the callback told it.
struct TBrowserProbe {
    struct TSent {
        UINT Message;
        WPARAM WParam;
        std::wstring Path;  // BFFM_SETSELECTIONW
        LPARAM LParam;
    };

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == BFFM_SETSELECTIONW)
            Sent.push_back(TSent{message, wParam, reinterpret_cast<const wchar_t*>(lParam), 0});
        else if (message == BFFM_ENABLEOK)
            Sent.push_back(TSent{message, wParam, L"", lParam});
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static std::vector<TSent> Sent;
};
std::vector<TBrowserProbe::TSent> TBrowserProbe::Sent;

const wchar_t kProbeClass[] = L"QuarrymapBrowserProbe";

PIDLIST_ABSOLUTE ItemOfPath(const std::wstring& path) {
    PIDLIST_ABSOLUTE item = nullptr;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr))) return nullptr;
    return item;
}

// Answers the request as a user would, without showing anything: the browser
// starts, the selection moves through `Selections`, and `Confirmed` comes back
// (a path, "computer" for an item without a path, or "" to cancel).
class TScriptedBrowser : public IFolderBrowseDialog {
public:
    std::vector<std::wstring> Selections;
    std::wstring Confirmed;

    BROWSEINFOW Request = {};
    std::wstring RequestTitle;
    std::vector<int> CallbackResults;

    PIDLIST_ABSOLUTE Browse(BROWSEINFOW& request) override {
        Request = request;
        RequestTitle = request.lpszTitle ? request.lpszTitle : L"";
        const HWND probe = CreateWindowExW(0, kProbeClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(nullptr, probe);
        CallbackResults.push_back(request.lpfn(probe, BFFM_INITIALIZED, 0, request.lParam));
        for (const std::wstring& path : Selections) {
            const PIDLIST_ABSOLUTE item = ItemOfPath(path);
            EXPECT_NE(nullptr, item) << Narrow(path);
            CallbackResults.push_back(
                request.lpfn(probe, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(item), request.lParam));
            CoTaskMemFree(item);
        }
        DestroyWindow(probe);
        if (Confirmed.empty()) return nullptr;
        if (Confirmed == L"computer") {
            PIDLIST_ABSOLUTE computer = nullptr;
            EXPECT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
            return computer;
        }
        return ItemOfPath(Confirmed);
    }
};

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiW(Widen(a).c_str(), Widen(b).c_str()) == 0; }

class FolderBrowseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComReady = SUCCEEDED(CoInitialize(nullptr));
        WNDCLASSW probeClass = {};
        probeClass.lpfnWndProc = &TBrowserProbe::Proc;
        probeClass.hInstance = GetModuleHandleW(nullptr);
        probeClass.lpszClassName = kProbeClass;
        RegisterClassW(&probeClass);  // fails harmlessly from the second test on
        TBrowserProbe::Sent.clear();

        wchar_t temp[MAX_PATH + 1] = L"";
        GetTempPathW(MAX_PATH + 1, temp);
        Folder = std::wstring(temp) + L"qm browse target";
        CreateDirectoryW(Folder.c_str(), nullptr);
    }
    void TearDown() override {
        RemoveDirectoryW(Folder.c_str());
        if (ComReady) CoUninitialize();
    }

    std::vector<TBrowserProbe::TSent> SentOf(UINT message) const {
        std::vector<TBrowserProbe::TSent> found;
        for (const auto& sent : TBrowserProbe::Sent)
            if (sent.Message == message) found.push_back(sent);
        return found;
    }

    bool ComReady = false;
    std::wstring Folder;
    TScriptedBrowser Browser;
};

TEST_F(FolderBrowseTest, AsksForFileSystemFoldersFromTheDesktopWithTheTitle) {
    TFolderBrowse browse(Browser);
    browse.Title = "Select the folder you want to analyze.";
    browse.Execute();
    EXPECT_EQ(L"Select the folder you want to analyze.", Browser.RequestTitle);
    EXPECT_EQ(UINT(BIF_RETURNONLYFSDIRS), Browser.Request.ulFlags);
    EXPECT_EQ(nullptr, Browser.Request.pidlRoot);
    EXPECT_NE(nullptr, Browser.Request.pszDisplayName);
    EXPECT_EQ(&TFolderBrowse::BrowseCallback, Browser.Request.lpfn);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&browse), Browser.Request.lParam);
    EXPECT_EQ(GetActiveWindow(), Browser.Request.hwndOwner);
}

TEST_F(FolderBrowseTest, ConfirmedFolderBecomesTheFolderAndCancelLeavesItAlone) {
    TFolderBrowse browse(Browser);
    browse.Folder = "C:\\";
    Browser.Confirmed = Folder;
    EXPECT_TRUE(browse.Execute());
    EXPECT_TRUE(SameText(Narrow(Folder), browse.Folder)) << browse.Folder;

    Browser.Confirmed = L"";
    browse.Folder = "C:\\";
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ("C:\\", browse.Folder);

    Browser.Confirmed = L"computer";  // no path behind it
    EXPECT_FALSE(browse.Execute());
    EXPECT_EQ("", browse.Folder);
}

TEST_F(FolderBrowseTest, StartsOnTheGivenFolderIfAny) {
    TFolderBrowse browse(Browser);
    browse.Execute();
    EXPECT_TRUE(SentOf(BFFM_SETSELECTIONW).empty());
    browse.Folder = Narrow(Folder);
    browse.Execute();
    const auto preselected = SentOf(BFFM_SETSELECTIONW);
    ASSERT_EQ(1u, preselected.size());
    EXPECT_EQ(WPARAM(TRUE), preselected[0].WParam);  // by path
    EXPECT_EQ(Folder, preselected[0].Path);
}

TEST_F(FolderBrowseTest, DriveRootDisablesOkUnlessAllowed) {
    Browser.Selections = {Folder, L"C:\\"};
    TFolderBrowse browse(Browser);
    EXPECT_FALSE(browse.AllowDriveRoots);
    browse.Execute();
    const auto disabled = SentOf(BFFM_ENABLEOK);
    ASSERT_EQ(1u, disabled.size());
    EXPECT_EQ(FALSE, disabled[0].LParam);

    TBrowserProbe::Sent.clear();
    browse.AllowDriveRoots = true;
    browse.Execute();
    EXPECT_TRUE(SentOf(BFFM_ENABLEOK).empty());
    for (const int result : Browser.CallbackResults) EXPECT_EQ(0, result);
}

}  // namespace
