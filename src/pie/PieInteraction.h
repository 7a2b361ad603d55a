#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "pie/CurrentPieItem.h"

class ILocale;
class IShellInfo;
class THPieChart;
class TSectionInfoList;
struct TFolderNode;

// What one mouse move over the pie decided.
struct THoverResult {
    bool Ignored = false;  // no entry describes the point: nothing else changes
    int32_t Cursor = 0;    // the cursor the pie shows from now on
    bool CursorChanged = false;
    const TSectionInfo* Item = nullptr;  // what the header now describes
};

// The pie's mouse-over state: which section's label is highlighted, which
// cursor shows and which item a context menu would be for. A move redraws
// at most two label boxes and never the pie.
class TPieHover {
public:
    // Highlights the section under (x, y), unhighlighting the previous one.
    // Outside every section the folder itself (entry 0) is described.
    THoverResult Move(THPieChart& chart, const TSectionInfoList& infos, int32_t x, int32_t y);
    // The sections were replaced: nothing is highlighted, and the entries
    // the last item came from are gone, so there is no item until the next
    // move.
    void Reset(THPieChart& chart);

    int32_t HoverIndex() const { return Index; }
    int32_t Cursor() const { return ShownCursor; }
    const std::optional<TCurrentPieItem>& CurrentItem() const { return Item; }
    // The item a right click opens the shell menu for; none for a group.
    const TCurrentPieItem* ContextMenuItem() const;

private:
    int32_t Index = -1;
    int32_t ShownCursor = 0;
    std::optional<TCurrentPieItem> Item;
};

// What a left click on the pie does.
struct TPieClick {
    enum TAction { Nothing, SelectChild, SelectParent } Action = Nothing;
    TFolderNode* Node = nullptr;  // the node to select
};

// A wedge with a node selects it; a point no section covers goes up to the
// parent of `selected`, except at a drive's root; files and groups do nothing.
// The folders of the built pie are about to be freed: the wedges and their
// entries keep their pictures and texts but no longer lead anywhere.
void DropPieNodes(THPieChart& chart, TSectionInfoList& infos);

TPieClick DecidePieClick(const THPieChart& chart, int32_t x, int32_t y, TFolderNode* selected);

// The pie page's header for one item, with the section size window's waste.
struct TItemHeader {
    std::string StatusText;  // status bar panel 0
    std::string SizeText;
    int32_t DrivePercent = 0;  // the gauge: the item's share of the drive
    int32_t WastePercent = 0;  // waste as a share of size plus waste
    std::string WasteText;
    std::string TypeText;
    std::string NameText;
    int32_t ShellIcon = -1;   // index in the system image list; -1 for none
    int32_t GroupImage = -1;  // for a group: 1 for the smaller folders, else 0
};

// `kind` is one of the entry kinds of TSectionInfo. The shell describes
// everything but groups; a path it cannot describe gets empty texts.
TItemHeader DescribePieItem(const std::string& path, uint8_t kind, int64_t size, int64_t wasted, bool includeWasted,
                            int64_t driveTotalBytes, IShellInfo& shell, const ILocale& locale);
