#pragma once
// The call interface between the program and its two ZIP libraries,
// ZIPDLL.DLL (add) and UNZDLL.DLL (extract). Both sides include this header.
//
// The blocks are C structs with the platform's natural alignment: handles and
// pointers have pointer width, every other field is a 32-bit integer. On
// 32-bit Windows that makes them runs of consecutive 32-bit fields. A flag
// is 0 for false and -1 for true. Every text is UTF-8.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define QM_ZIPAPI __stdcall
#else
#define QM_ZIPAPI
#endif

constexpr int32_t kZipDllVersion = 140;
constexpr int32_t kZipFlagTrue = -1;
constexpr int32_t kZipFlagFalse = 0;
constexpr int32_t kZipBlockSeven = 7;
constexpr int kZipMaxSpecs = 4097;
// The longest zip file name, password and file specification the adapter copies.
constexpr int kZipMaxNameChars = 255;
constexpr int kZipMaxPasswordChars = 80;

// Action codes of the callback.
constexpr int32_t kZipActionFileBegins = 1;  // text: the file's name as stored; FileSize: its size
constexpr int32_t kZipActionStep = 2;        // about 32 KB of a file done
constexpr int32_t kZipActionEndOfBatch = 3;
constexpr int32_t kZipActionMessage = 4;  // 4 and above; ErrorCode non-zero for a failure
constexpr int32_t kZipStepBytes = 32768;
// What the callback returns to stop the library.
constexpr int32_t kZipCallbackStop = -1;
// Field 7 for files of 4 GiB and more.
constexpr uint32_t kZipSizeTooLarge = 0xFFFFFFFFu;
// Room for the text after the record's fields; longer texts are cut at a
// character boundary.
constexpr size_t kZipCallbackTextBytes = 8192;

struct TZipCallbackRecord {
    int32_t LibraryField1;
    void* Caller;  // the adapter reference from the block
    int32_t LibraryField3;
    int32_t LibraryField4;
    int32_t Action;
    int32_t ErrorCode;
    uint32_t FileSize;
    char Text[kZipCallbackTextBytes];  // zero-terminated
};

typedef int32_t(QM_ZIPAPI* TZipCallback)(TZipCallbackRecord* record);

// ZipDllExec's block.
struct TZipAddBlock {
    void* OwnerWindow;
    void* Caller;
    int32_t Version;  // kZipDllVersion
    TZipCallback Callback;
    int32_t Trace;
    const char* Password;  // null or "" means no password
    int32_t Unused1;
    int32_t Encrypt;
    int32_t HiddenFiles;  // include hidden and system files
    int32_t Unused2;
    int32_t Unused3;
    int32_t Fixed1;  // -1
    int32_t Unused4;
    int32_t Verbose;
    int32_t Fixed2;  // -1
    int32_t Level;   // 0 stored .. 9
    int32_t Unused5;
    int32_t Unused6;
    int32_t NoFolderNames;
    int32_t Recurse;
    int32_t Fixed3;  // -1
    int32_t DosNames;
    int32_t Move;  // delete the added files once the archive is complete
    int32_t Unused7;
    int32_t Update;
    int32_t Freshen;
    int32_t Unused8;
    int32_t TimeFromNewest;
    int32_t Zero[2];
    int32_t SpecCount;
    const char* ZipName;
    int32_t Seven;  // kZipBlockSeven
    const char* Specs[kZipMaxSpecs];
};

// UnzDllExec's block.
struct TUnzipBlock {
    void* OwnerWindow;
    void* Caller;
    int32_t Version;
    TZipCallback Callback;
    int32_t Trace;
    int32_t Unused1;
    const char* Password;
    int32_t TestOnly;
    int32_t Unused2;
    int32_t Unused3;
    int32_t Fixed1;  // -1
    int32_t Verbose;
    int32_t Update;
    int32_t Freshen;
    int32_t FolderNames;  // recreate the stored folders
    int32_t Overwrite;
    int32_t SpecCount;  // 0: every entry
    const char* ZipName;
    int32_t Seven;
    const char* Specs[kZipMaxSpecs];
};

// Entry points; each returns the number of files processed.
typedef int32_t(QM_ZIPAPI* TZipDllExec)(TZipAddBlock* block);
typedef int32_t(QM_ZIPAPI* TUnzDllExec)(TUnzipBlock* block);
typedef int32_t(QM_ZIPAPI* TZipDllVersionFunction)();

// The layouts both architectures must have: consecutive 32-bit fields on
// 32-bit Windows, natural alignment with 8-byte pointers on 64-bit.
namespace ZipDllLayout {
constexpr bool kWide = sizeof(void*) == 8;
constexpr size_t At(size_t narrow, size_t wide) { return kWide ? wide : narrow; }
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "32-bit or 64-bit pointers only");
static_assert(sizeof(TZipCallback) == sizeof(void*), "the callback is a plain code pointer");

static_assert(offsetof(TZipCallbackRecord, Caller) == At(4, 8));
static_assert(offsetof(TZipCallbackRecord, Action) == At(16, 24));
static_assert(offsetof(TZipCallbackRecord, ErrorCode) == At(20, 28));
static_assert(offsetof(TZipCallbackRecord, FileSize) == At(24, 32));
static_assert(offsetof(TZipCallbackRecord, Text) == At(28, 36));

static_assert(offsetof(TZipAddBlock, Caller) == At(4, 8));
static_assert(offsetof(TZipAddBlock, Version) == At(8, 16));
static_assert(offsetof(TZipAddBlock, Callback) == At(12, 24));
static_assert(offsetof(TZipAddBlock, Trace) == At(16, 32));
static_assert(offsetof(TZipAddBlock, Password) == At(20, 40));
static_assert(offsetof(TZipAddBlock, Encrypt) == At(28, 52));
static_assert(offsetof(TZipAddBlock, HiddenFiles) == At(32, 56));
static_assert(offsetof(TZipAddBlock, Fixed1) == At(44, 68));
static_assert(offsetof(TZipAddBlock, Verbose) == At(52, 76));
static_assert(offsetof(TZipAddBlock, Level) == At(60, 84));
static_assert(offsetof(TZipAddBlock, NoFolderNames) == At(72, 96));
static_assert(offsetof(TZipAddBlock, Recurse) == At(76, 100));
static_assert(offsetof(TZipAddBlock, DosNames) == At(84, 108));
static_assert(offsetof(TZipAddBlock, Move) == At(88, 112));
static_assert(offsetof(TZipAddBlock, Update) == At(96, 120));
static_assert(offsetof(TZipAddBlock, Freshen) == At(100, 124));
static_assert(offsetof(TZipAddBlock, TimeFromNewest) == At(108, 132));
static_assert(offsetof(TZipAddBlock, Zero) == At(112, 136));
static_assert(offsetof(TZipAddBlock, SpecCount) == At(120, 144));
static_assert(offsetof(TZipAddBlock, ZipName) == At(124, 152));
static_assert(offsetof(TZipAddBlock, Seven) == At(128, 160));
static_assert(offsetof(TZipAddBlock, Specs) == At(132, 168));
static_assert(sizeof(TZipAddBlock) == At(132 + 4 * kZipMaxSpecs, 168 + 8 * kZipMaxSpecs));

static_assert(offsetof(TUnzipBlock, Caller) == At(4, 8));
static_assert(offsetof(TUnzipBlock, Version) == At(8, 16));
static_assert(offsetof(TUnzipBlock, Callback) == At(12, 24));
static_assert(offsetof(TUnzipBlock, Trace) == At(16, 32));
static_assert(offsetof(TUnzipBlock, Password) == At(24, 40));
static_assert(offsetof(TUnzipBlock, TestOnly) == At(28, 48));
static_assert(offsetof(TUnzipBlock, Fixed1) == At(40, 60));
static_assert(offsetof(TUnzipBlock, Verbose) == At(44, 64));
static_assert(offsetof(TUnzipBlock, Update) == At(48, 68));
static_assert(offsetof(TUnzipBlock, Freshen) == At(52, 72));
static_assert(offsetof(TUnzipBlock, FolderNames) == At(56, 76));
static_assert(offsetof(TUnzipBlock, Overwrite) == At(60, 80));
static_assert(offsetof(TUnzipBlock, SpecCount) == At(64, 84));
static_assert(offsetof(TUnzipBlock, ZipName) == At(68, 88));
static_assert(offsetof(TUnzipBlock, Seven) == At(72, 96));
static_assert(offsetof(TUnzipBlock, Specs) == At(76, 104));
static_assert(sizeof(TUnzipBlock) == At(76 + 4 * kZipMaxSpecs, 104 + 8 * kZipMaxSpecs));
}  // namespace ZipDllLayout
