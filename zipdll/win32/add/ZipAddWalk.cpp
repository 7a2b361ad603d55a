#include "ZipAddWalk.h"

#include <unordered_map>
#include <unordered_set>

#include "ZipAddReporter.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Owned.h"
#include "platform/win32/Win32Paths.h"
#include "zipdll/core/FilePattern.h"

namespace {

constexpr DWORD kDosAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(&text[0], DWORD(text.size()));
    return text;
}

std::string JoinStored(const std::string& prefix, const std::string& name) {
    return prefix.empty() ? name : prefix + "/" + name;
}

size_t ComponentCount(const std::string& stored) {
    size_t count = 1;
    for (size_t i = 0; i + 1 < stored.size(); ++i)
        if (stored[i] == '/') ++count;
    return count;
}

class TWalker {
public:
    TWalker(const TZipWalkOptions& options, TZipAddReporter& reporter, TZipWalk& walk)
        : Options(options), Reporter(reporter), Walk(walk), SkipKey(Lowered(options.SkipPath)) {}

    bool AddSpec(const std::string& spec);

private:
    size_t WalkFolder(const std::wstring& folder, const std::string& prefix, const std::string& pattern, size_t parent);
    void AddFile(const std::wstring& path, const std::string& relativeName, const WIN32_FIND_DATAW& data, size_t folder,
                 size_t& stored);
    void AddFolderEntry(const std::wstring& folder, const std::string& prefix, size_t index);
    std::string StoredNameFor(const std::wstring& path, const std::string& stored) const;
    bool Problem(DWORD code, const std::string& text) {
        if (!Reporter.Message(int32_t(code ? code : ERROR_GEN_FAILURE), text)) Stopped = true;
        return !Stopped;
    }

    const TZipWalkOptions& Options;
    TZipAddReporter& Reporter;
    TZipWalk& Walk;
    std::wstring SkipKey;
    std::unordered_set<std::wstring> SeenPaths;
    std::unordered_map<std::string, std::wstring> SeenNames;  // stored-name key -> path
    bool Stopped = false;
};

// The 8.3 form of the stored name's components, taken from the end of the
// file's short path.
std::string TWalker::StoredNameFor(const std::wstring& path, const std::string& stored) const {
    if (!Options.DosNames) return stored;
    const std::wstring longForm = LongPathForm(path);
    const DWORD needed = GetShortPathNameW(longForm.c_str(), nullptr, 0);
    if (needed == 0) return stored;
    std::wstring shortPath(needed, L'\0');
    const DWORD written = GetShortPathNameW(longForm.c_str(), &shortPath[0], needed);
    if (written == 0 || written >= needed) return stored;
    shortPath.resize(written);
    const bool folder = !stored.empty() && stored.back() == '/';
    size_t wanted = ComponentCount(stored);
    size_t cut = shortPath.size();
    while (cut > 0 && wanted > 0) {
        const size_t slash = shortPath.find_last_of(L"\\/", cut - 1);
        --wanted;
        cut = slash == std::wstring::npos ? 0 : slash;
        if (slash == std::wstring::npos) break;
    }
    std::string result = ZipStoredName(Narrow(shortPath.substr(cut)));
    if (result.empty()) return stored;
    return folder ? result + "/" : result;
}

void TWalker::AddFile(const std::wstring& path, const std::string& relativeName, const WIN32_FIND_DATAW& data,
                      size_t folder, size_t& stored) {
    const std::wstring key = Lowered(path);
    if (key == SkipKey || !SeenPaths.insert(key).second) return;
    const std::string name = StoredNameFor(path, relativeName);
    const auto known = SeenNames.emplace(FileNameKey(name), path);
    if (!known.second) {
        Problem(ERROR_ALREADY_EXISTS, Narrow(path) + " would have the same name in the archive as " +
                                          Narrow(known.first->second) + " (" + name + "); it is not added.");
        return;
    }
    TZipWalkItem item;
    item.Path = path;
    item.StoredName = name;
    item.Size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    item.Attributes = data.dwFileAttributes & kDosAttributes;
    item.Created = data.ftCreationTime;
    item.Accessed = data.ftLastAccessTime;
    item.Modified = data.ftLastWriteTime;
    item.Folder = folder;
    Walk.Items.push_back(std::move(item));
    ++stored;
}

void TWalker::AddFolderEntry(const std::wstring& folder, const std::string& prefix, size_t index) {
    const std::string name = StoredNameFor(folder, prefix + "/");
    if (!SeenNames.emplace(FileNameKey(name), folder).second) return;
    TZipWalkItem item;
    item.Path = folder;
    item.StoredName = name;
    item.IsFolder = true;
    item.Folder = index;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(LongPathForm(folder).c_str(), GetFileExInfoStandard, &data)) {
        item.Attributes = data.dwFileAttributes & kDosAttributes;
        item.Created = data.ftCreationTime;
        item.Accessed = data.ftLastAccessTime;
        item.Modified = data.ftLastWriteTime;
    }
    item.Attributes |= FILE_ATTRIBUTE_DIRECTORY;
    Walk.Items.push_back(std::move(item));
}

// Lists one folder: its matching files first, then its subfolders. Returns
// how many entries were stored under it; a folder under which nothing is
// stored becomes a folder entry of its own.
size_t TWalker::WalkFolder(const std::wstring& folder, const std::string& prefix, const std::string& pattern,
                           size_t parent) {
    const size_t index = Walk.Folders.size();
    Walk.Folders.push_back(TZipWalkFolder{folder, parent});
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileExW(LongPathForm(folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.IsValid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) return 0;
        Problem(code, "Could not list the folder " + Narrow(folder) + ": " + SystemErrorText(code));
        return 1;  // not known to be empty: no folder entry
    }
    size_t stored = 0;
    std::vector<std::wstring> subfolders;
    do {
        const wchar_t* name = data.cFileName;
        if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
        const DWORD attributes = data.dwFileAttributes;
        if (!Options.HiddenFiles && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Links to folders can lead back up the tree; they are not followed.
            if (Options.Recurse && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) subfolders.emplace_back(name);
            continue;
        }
        const std::string nameUtf8 = Narrow(name);
        if (!MatchesFilePattern(nameUtf8, pattern)) continue;
        const std::string relative = Options.FolderNames ? JoinStored(prefix, nameUtf8) : nameUtf8;
        AddFile(folder + L"\\" + name, relative, data, index, stored);
    } while (!Stopped && FindNextFileW(find.Get(), &data));
    for (const std::wstring& sub : subfolders) {
        if (Stopped) break;
        stored += WalkFolder(folder + L"\\" + sub, JoinStored(prefix, Narrow(sub)), pattern, index);
    }
    if (stored == 0 && Options.FolderNames && Options.FolderEntries && !prefix.empty() && !Stopped) {
        AddFolderEntry(folder, prefix, index);
        stored = 1;
    }
    return stored;
}

bool TWalker::AddSpec(const std::string& spec) {
    TFileSpecParts parts = SplitFileSpec(spec);
    if (!HasWildcards(parts.Pattern)) {
        const std::string full = FullPathName(spec);
        WIN32_FIND_DATAW data{};
        const DWORD attributes =
            full.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(LongPathForm(Widen(full)).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return Problem(ERROR_FILE_NOT_FOUND, "Nothing matches " + spec + ".");
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A folder by name: everything in it.
            parts.Folder = spec;
            if (parts.Folder.back() != '\\' && parts.Folder.back() != '/') parts.Folder += '\\';
            parts.Pattern = "*";
        } else {
            WIN32_FILE_ATTRIBUTE_DATA info;
            if (!GetFileAttributesExW(LongPathForm(Widen(full)).c_str(), GetFileExInfoStandard, &info)) {
                const DWORD code = GetLastError();
                return Problem(code, "Could not read " + full + ": " + SystemErrorText(code));
            }
            data.dwFileAttributes = info.dwFileAttributes;
            data.ftCreationTime = info.ftCreationTime;
            data.ftLastAccessTime = info.ftLastAccessTime;
            data.ftLastWriteTime = info.ftLastWriteTime;
            data.nFileSizeHigh = info.nFileSizeHigh;
            data.nFileSizeLow = info.nFileSizeLow;
            const std::string stored = ZipStoredName(spec);
            const std::string relative = Options.FolderNames ? stored : SplitFileSpec(stored).Pattern;
            size_t count = 0;
            AddFile(Widen(full), relative, data, kNoFolder, count);
            return !Stopped;
        }
    }
    const std::string folder = FullPathName(parts.Folder.empty() ? "." : parts.Folder);
    if (folder.empty()) return Problem(ERROR_BAD_PATHNAME, "Nothing matches " + spec + ".");
    std::wstring wideFolder = Widen(folder);
    while (wideFolder.size() > 3 && (wideFolder.back() == L'\\' || wideFolder.back() == L'/')) wideFolder.pop_back();
    if (wideFolder.size() == 3 && wideFolder[1] == L':') wideFolder.pop_back();  // "C:" + "\*"
    const DWORD attributes = GetFileAttributesW(LongPathForm(Widen(folder)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Problem(ERROR_PATH_NOT_FOUND, "Nothing matches " + spec + ": there is no folder " + folder + ".");
    const size_t before = Walk.Items.size();
    WalkFolder(wideFolder, Options.FolderNames ? ZipStoredName(parts.Folder) : std::string(), parts.Pattern, kNoFolder);
    if (Walk.Items.size() == before && !Stopped) return Problem(ERROR_FILE_NOT_FOUND, "Nothing matches " + spec + ".");
    return !Stopped;
}

}  // namespace

std::wstring LongPathForm(const std::wstring& path) {
    constexpr size_t kPlainLimit = 240;
    if (path.size() < kPlainLimit || path.compare(0, 4, L"\\\\?\\") == 0) return path;
    if (path.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) return L"\\\\?\\" + path;
    return path;
}

bool WalkFileSpecs(const std::vector<std::string>& specs, const TZipWalkOptions& options, TZipAddReporter& reporter,
                   TZipWalk& walk) {
    TWalker walker(options, reporter, walk);
    for (const std::string& spec : specs) {
        if (spec.empty()) continue;
        if (!walker.AddSpec(spec)) return false;
    }
    return true;
}
