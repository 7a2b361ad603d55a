#include "pie/PieInteraction.h"

#include <algorithm>

#include "pie/PieChart.h"
#include "pie/PieMath.h"
#include "pie/PieStrings.h"
#include "pie/SectionInfo.h"
#include "platform/ShellInfo.h"
#include "scan/FolderTree.h"
#include "scan/PathUtils.h"
#include "scan/SizeText.h"

THoverResult TPieHover::Move(THPieChart& chart, const TSectionInfoList& infos, int32_t x, int32_t y) {
    THoverResult result;
    const int32_t index = chart.SectionAt(x, y);
    if (index != Index) {
        chart.DrawSectionLabel(Index, false);
        Index = index;
        chart.HighlightIndex = index;
        chart.DrawSectionLabel(index, true);
    }
    const TPieSection* section = index >= 0 ? chart.GetSection(index) : nullptr;
    const TSectionInfo* entry = infos.Get(section ? section->InfoIndex : 0);
    if (!entry) {
        result.Ignored = true;
        result.Cursor = ShownCursor;
        return result;
    }
    result.CursorChanged = entry->Cursor != ShownCursor;
    ShownCursor = entry->Cursor;
    result.Cursor = ShownCursor;
    result.Item = entry;
    Item = TCurrentPieItem{entry->Path, entry->Node, entry->Size, entry->Wasted, *entry};
    return result;
}

void TPieHover::Reset(THPieChart& chart) {
    Index = -1;
    chart.HighlightIndex = -1;
    Item.reset();
}

const TCurrentPieItem* TPieHover::ContextMenuItem() const {
    if (!Item || Item->Info.Kind == kEntryGroup) return nullptr;
    return &*Item;
}

void DropPieNodes(THPieChart& chart, TSectionInfoList& infos) {
    for (auto& section : chart.Sections) section->Node = nullptr;
    infos.DropNodes();
}

TPieClick DecidePieClick(const THPieChart& chart, int32_t x, int32_t y, TFolderNode* selected) {
    TPieClick click;
    if (const TPieSection* section = chart.GetSection(chart.SectionAt(x, y))) {
        if (section->Node) {
            click.Action = TPieClick::SelectChild;
            click.Node = section->Node;
        }
        return click;
    }
    if (selected && selected->Parent) {
        click.Action = TPieClick::SelectParent;
        click.Node = selected->Parent;
    }
    return click;
}

TItemHeader DescribePieItem(const std::string& path, uint8_t kind, int64_t size, int64_t wasted, bool includeWasted,
                            int64_t driveTotalBytes, IShellInfo& shell, const ILocale& locale) {
    TItemHeader header;
    const int64_t shown = includeWasted ? size + wasted : size;
    // The waste is always a share of the allocated space, whatever is shown.
    header.WastePercent = PercentOf(wasted, size + wasted);
    header.WasteText = FormatSize(wasted, locale);
    static const char* const kStatusWords[] = {"File ", "Folder ", "Drive ", ""};
    header.StatusText = std::string(kStatusWords[std::min<int>(kind, kEntryGroup)]) + path;
    header.SizeText = FormatSize(shown, locale);
    header.DrivePercent = PercentOf(shown, driveTotalBytes);
    if (kind == kEntryGroup) {
        header.NameText = path;
        header.GroupImage = path == TEXT_OTHER_SMALLER_FOLDERS ? 1 : 0;
        return header;
    }
    header.NameText = shell.GetShellDisplayName(path);
    header.TypeText = IsDriveRoot(path) ? kRootFolderType : shell.GetShellTypeName(path);
    header.ShellIcon = shell.GetShellIconIndex(path, false);
    return header;
}
