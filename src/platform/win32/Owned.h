#pragma once
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shtypes.h>

// One movable owner for every kind of handle the program closes itself. The
// traits name the handle's type, its empty value and how it is given back:
//     struct TTraits { using THandle = ...; static THandle Empty(); static void Close(THandle); };
template <typename TTraits>
class TOwned {
public:
    using THandle = typename TTraits::THandle;

    TOwned() noexcept = default;
    explicit TOwned(THandle handle) noexcept : Handle(handle) {}
    ~TOwned() { Reset(); }
    TOwned(const TOwned&) = delete;
    TOwned& operator=(const TOwned&) = delete;
    TOwned(TOwned&& other) noexcept : Handle(other.Release()) {}
    TOwned& operator=(TOwned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    THandle Get() const noexcept { return Handle; }
    bool IsValid() const noexcept { return Handle != TTraits::Empty() && Handle != THandle{}; }
    explicit operator bool() const noexcept { return IsValid(); }
    // Closes what is held (unless it is `handle` itself) and takes `handle`.
    void Reset(THandle handle = TTraits::Empty()) noexcept {
        if (IsValid() && Handle != handle) TTraits::Close(Handle);
        Handle = handle;
    }
    // Gives the handle up without closing it.
    THandle Release() noexcept {
        const THandle handle = Handle;
        Handle = TTraits::Empty();
        return handle;
    }
    // Where the calls that hand out a new handle put it; one held before is closed.
    THandle* Receive() noexcept {
        Reset();
        return &Handle;
    }

private:
    THandle Handle = TTraits::Empty();
};

namespace OwnedTraits {

template <typename T, void (*Closer)(T)>
struct TNullEmpty {
    using THandle = T;
    static THandle Empty() noexcept { return nullptr; }
    static void Close(THandle handle) noexcept { Closer(handle); }
};

struct TKernel {
    using THandle = HANDLE;
    static THandle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(THandle handle) noexcept { CloseHandle(handle); }
};

struct TFind {
    using THandle = HANDLE;
    static THandle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(THandle handle) noexcept { FindClose(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void DeleteFontHandle(HFONT font) noexcept { DeleteObject(font); }
inline void DestroyImageList(HIMAGELIST list) noexcept { ImageList_Destroy(list); }
inline void DestroyIconHandle(HICON icon) noexcept { DestroyIcon(icon); }
inline void DestroyCursorHandle(HCURSOR cursor) noexcept { DestroyCursor(cursor); }
inline void DestroyMenuHandle(HMENU menu) noexcept { DestroyMenu(menu); }
inline void DestroyAccelerators(HACCEL table) noexcept { DestroyAcceleratorTable(table); }
inline void DeleteMemoryDc(HDC dc) noexcept { DeleteDC(dc); }
inline void CloseRegistryKey(HKEY key) noexcept { RegCloseKey(key); }
inline void ReleaseModule(HMODULE module) noexcept { FreeLibrary(module); }
inline void DeleteMetafile(HENHMETAFILE metafile) noexcept { DeleteEnhMetaFile(metafile); }
inline void FreeGlobal(HGLOBAL memory) noexcept { GlobalFree(memory); }
inline void FinishDrop(HDROP drop) noexcept { DragFinish(drop); }
inline void FreeTaskMemory(LPITEMIDLIST list) noexcept { CoTaskMemFree(list); }

}  // namespace OwnedTraits

// A kernel handle from CreateFile and friends.
using TWin32Handle = TOwned<OwnedTraits::TKernel>;
// A search handle from FindFirstFileW.
using TFindHandle = TOwned<OwnedTraits::TFind>;
// A pen, brush, bitmap or region; fonts have their own type.
using TGdiObject = TOwned<OwnedTraits::TNullEmpty<HGDIOBJ, &OwnedTraits::DeleteGdiObject>>;
using TFont = TOwned<OwnedTraits::TNullEmpty<HFONT, &OwnedTraits::DeleteFontHandle>>;
using TImageList = TOwned<OwnedTraits::TNullEmpty<HIMAGELIST, &OwnedTraits::DestroyImageList>>;
// An icon from SHGetFileInfo, CopyIcon, CreateIconIndirect and friends.
using TIconHandle = TOwned<OwnedTraits::TNullEmpty<HICON, &OwnedTraits::DestroyIconHandle>>;
// A cursor the program made itself (never a shared one from LoadCursor).
using TCursorHandle = TOwned<OwnedTraits::TNullEmpty<HCURSOR, &OwnedTraits::DestroyCursorHandle>>;
// A menu not attached to a window (a popup, or a bar not yet given away).
using TMenuHandle = TOwned<OwnedTraits::TNullEmpty<HMENU, &OwnedTraits::DestroyMenuHandle>>;
using TAcceleratorTable = TOwned<OwnedTraits::TNullEmpty<HACCEL, &OwnedTraits::DestroyAccelerators>>;
// A memory device context from CreateCompatibleDC.
using TMemoryDcHandle = TOwned<OwnedTraits::TNullEmpty<HDC, &OwnedTraits::DeleteMemoryDc>>;
using TRegKey = TOwned<OwnedTraits::TNullEmpty<HKEY, &OwnedTraits::CloseRegistryKey>>;
// A module from LoadLibrary.
using TLibraryHandle = TOwned<OwnedTraits::TNullEmpty<HMODULE, &OwnedTraits::ReleaseModule>>;
using TEnhMetafile = TOwned<OwnedTraits::TNullEmpty<HENHMETAFILE, &OwnedTraits::DeleteMetafile>>;
// Global memory not yet handed to the clipboard.
using TGlobalMemory = TOwned<OwnedTraits::TNullEmpty<HGLOBAL, &OwnedTraits::FreeGlobal>>;
// What the shell hands a window when files are dropped on it.
using TDropHandle = TOwned<OwnedTraits::TNullEmpty<HDROP, &OwnedTraits::FinishDrop>>;
// A shell item identifier list from the shell's task allocator.
using TItemIdList = TOwned<OwnedTraits::TNullEmpty<LPITEMIDLIST, &OwnedTraits::FreeTaskMemory>>;
