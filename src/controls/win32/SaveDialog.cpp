#include "controls/win32/SaveDialog.h"

#include <algorithm>
#include <vector>

#include "platform/win32/WideString.h"

bool TSaveDialog::Execute(HWND owner) {
    // The filter's separators become the terminators the dialog wants,
    // and the list ends with an empty string.
    std::wstring filter = Widen(Filter);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    const std::wstring title = Widen(Title);
    const std::wstring extension = Widen(DefaultExtension);
    // Long paths fit: the buffer is far larger than MAX_PATH.
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring offered = Widen(FileName);
    offered.copy(name.data(), std::min(offered.size(), name.size() - 1));

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = DWORD(std::max(FilterIndex, 1));
    request.lpstrFile = name.data();
    request.nMaxFile = DWORD(name.size());
    request.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!Dialog.Ask(request)) return false;
    FileName = Narrow(std::wstring(name.data()));
    if (request.nFilterIndex > 0) FilterIndex = int(request.nFilterIndex);
    return true;
}
