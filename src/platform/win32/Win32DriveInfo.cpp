#include "platform/win32/Win32DriveInfo.h"

#include <windows.h>

#include <cstddef>
#include <limits>

#include "platform/win32/WideString.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Owned.h"
#include "scan/PathUtils.h"

namespace {

// Answer of the FAT32 extended get-free-space request (int 21h, 7303h).
#pragma pack(push, 1)
struct TExtendedFreeSpace {
    uint16_t StructSize;
    uint16_t Level;
    uint32_t SectorsPerCluster;
    uint32_t BytesPerSector;
    uint32_t AvailableClusters;
    uint32_t TotalClusters;
    uint32_t AvailablePhysicalSectors;
    uint32_t TotalPhysicalSectors;
    uint32_t AvailableAllocationUnits;
    uint32_t TotalAllocationUnits;
    uint8_t Reserved[8];
};

// Register block that VWIN32's DOS-services control sends and returns.
struct TDosRegisters {
    uint32_t Ebx;
    uint32_t Edx;
    uint32_t Ecx;
    uint32_t Eax;
    uint32_t Edi;
    uint32_t Esi;
    uint32_t Flags;
};
#pragma pack(pop)

static_assert(sizeof(TExtendedFreeSpace) == 44, "the request defines a 44-byte answer");
static_assert(offsetof(TExtendedFreeSpace, SectorsPerCluster) == 4, "answer layout");
static_assert(offsetof(TExtendedFreeSpace, BytesPerSector) == 8, "answer layout");
static_assert(sizeof(TDosRegisters) == 28, "VWIN32 expects seven 32-bit registers");

const DWORD kVwin32DosServices = 6;
const uint32_t kGetExtendedFreeSpace = 0x7303;
const uint32_t kCarryFlag = 0x0001;

// Restores the previous error mode when the scope ends, however it ends.
class TErrorModeGuard {
public:
    explicit TErrorModeGuard(UINT mode) : Previous(SetErrorMode(mode)) {}
    ~TErrorModeGuard() { SetErrorMode(Previous); }
    TErrorModeGuard(const TErrorModeGuard&) = delete;
    TErrorModeGuard& operator=(const TErrorModeGuard&) = delete;

private:
    UINT Previous;
};

// The 32-bit register value of an address, or false when it does not fit one.
bool ToRegister(const void* address, uint32_t& value) {
    const uintptr_t bits = reinterpret_cast<uintptr_t>(address);
    if (bits > std::numeric_limits<uint32_t>::max()) return false;
    value = uint32_t(bits);
    return true;
}

std::string ToAnsi(const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string result(size_t(n - 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &result[0], n, nullptr, nullptr);
    return result;
}

// A byte count the caller can hold, or -1 when it would not fit.
int64_t ToByteCount(uint64_t bytes) {
    if (bytes > uint64_t(std::numeric_limits<int64_t>::max())) return -1;
    return int64_t(bytes);
}

// Sectors per cluster x bytes per sector, or -1 when that does not fit 32 bits.
int32_t ClusterSizeOf(uint32_t sectorsPerCluster, uint32_t bytesPerSector) {
    const uint64_t size = uint64_t(sectorsPerCluster) * bytesPerSector;
    if (size > uint64_t(std::numeric_limits<int32_t>::max())) return -1;
    return int32_t(size);
}

int64_t ClusterBytes(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD clusters) {
    const uint64_t bytesPerCluster = uint64_t(sectorsPerCluster) * bytesPerSector;
    if (bytesPerCluster != 0 && clusters > std::numeric_limits<uint64_t>::max() / bytesPerCluster) return -1;
    return ToByteCount(bytesPerCluster * clusters);
}

using TGetDiskFreeSpaceEx = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Systems before Windows 95 OSR2 lack the call, so it is looked up rather than linked.
TGetDiskFreeSpaceEx LookUpDiskFreeSpaceEx() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32");
    if (!kernel) return nullptr;
    const FARPROC proc = GetProcAddress(kernel, "GetDiskFreeSpaceExW");
    // Going through the generic function pointer type keeps -Wcast-function-type quiet.
    return reinterpret_cast<TGetDiskFreeSpaceEx>(reinterpret_cast<void (*)()>(proc));
}

// Looked up once per run, on first use.
TGetDiskFreeSpaceEx DiskFreeSpaceEx() {
    static const TGetDiskFreeSpaceEx entry = LookUpDiskFreeSpaceEx();
    return entry;
}

// A drive's root reads the same in every form and goes in the one these
// calls document; a folder a volume is mounted on, or a share, is named
// literally like every other path the program hands to the file system.
std::wstring VolumePathOf(const std::string& root) { return IsDriveRoot(root) ? Widen(root) : Win32PathOf(root); }

enum class TDriveBytes { Total, Free };

int64_t DriveBytes(const std::string& root, TDriveBytes which) {
    const std::wstring path = VolumePathOf(root);
    if (const TGetDiskFreeSpaceEx getFreeSpaceEx = DiskFreeSpaceEx()) {
        ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
        if (!getFreeSpaceEx(path.c_str(), &freeToCaller, &total, &totalFree)) return -1;
        return ToByteCount(which == TDriveBytes::Total ? total.QuadPart : freeToCaller.QuadPart);
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceW(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return -1;
    return ClusterBytes(sectorsPerCluster, bytesPerSector, which == TDriveBytes::Total ? totalClusters : freeClusters);
}

}  // namespace

bool TWin32DriveInfo::GetVolumeInfo(const std::string& root, TVolumeInformation& info) {
    info = TVolumeInformation();
    wchar_t volumeName[MAX_PATH + 1] = {};
    wchar_t fileSystemName[MAX_PATH + 1] = {};
    DWORD serialNumber = 0, maxComponentLength = 0, fileSystemFlags = 0;
    const std::wstring path = VolumePathOf(root);
    BOOL ok;
    {
        // A drive without a disc must fail quietly, not put up "drive not ready".
        TErrorModeGuard quiet(SEM_FAILCRITICALERRORS);
        ok = GetVolumeInformationW(path.c_str(), volumeName, MAX_PATH + 1, &serialNumber, &maxComponentLength,
                                   &fileSystemFlags, fileSystemName, MAX_PATH + 1);
    }
    if (!ok) return false;
    volumeName[MAX_PATH] = L'\0';
    fileSystemName[MAX_PATH] = L'\0';
    info.VolumeName = Narrow(volumeName);
    info.SerialNumber = serialNumber;
    info.MaxComponentLength = maxComponentLength;
    info.FileSystemFlags = fileSystemFlags;
    info.FileSystemName = Narrow(fileSystemName);
    return true;
}

// VWIN32 exists only on Windows 9x, where GetDiskFreeSpace cannot tell a FAT32
// drive's cluster size. The device takes addresses in 32-bit registers; a
// 64-bit build never finds the device, and it refuses addresses that do not
// fit rather than sending truncated ones.
int32_t TWin32DriveInfo::GetFat32ClusterSize(const std::string& root) {
    TExtendedFreeSpace result = {};
    TDosRegisters registers = {};
    const std::string ansiRoot = ToAnsi(root);
    registers.Eax = kGetExtendedFreeSpace;
    if (!ToRegister(ansiRoot.c_str(), registers.Edx) || !ToRegister(&result, registers.Edi)) return -1;
    registers.Ecx = sizeof(result);
    registers.Flags = kCarryFlag;  // a request that is not carried out reads as a failure

    TWin32Handle device(CreateFileW(L"\\\\.\\vwin32", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device.IsValid()) return -1;
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(device.Get(), kVwin32DosServices, &registers, sizeof(registers), &registers,
                                    sizeof(registers), &returned, nullptr);
    device.Reset();
    if (!ok || (registers.Flags & kCarryFlag) != 0) return -1;

    return ClusterSizeOf(result.SectorsPerCluster, result.BytesPerSector);
}

int32_t TWin32DriveInfo::GetDiskClusterSize(const std::string& root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceW(VolumePathOf(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return -1;
    return ClusterSizeOf(sectorsPerCluster, bytesPerSector);
}

int64_t TWin32DriveInfo::GetDriveTotalBytes(const std::string& root) { return DriveBytes(root, TDriveBytes::Total); }

int64_t TWin32DriveInfo::GetDriveFreeBytes(const std::string& root) { return DriveBytes(root, TDriveBytes::Free); }

bool TWin32DriveInfo::IsFixedDrive(const std::string& root) {
    return GetDriveTypeW(Widen(root).c_str()) == DRIVE_FIXED;
}
