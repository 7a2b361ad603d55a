#include "main/win32/PageHost.h"

#include "controls/win32/Label.h"
#include "scan/FolderTree.h"

namespace {

constexpr int kPathMargin = 4;  // kept free right of a path label

}  // namespace

void TPage::ShowSelectedPath(TLabel& label, const TPanel& header, int textLeft) const {
    const TMainFormState& state = Host.State();
    if (!state.CurrentNode || !state.CurrentNode->Parent) return;
    RECT client;
    GetClientRect(header.Handle(), &client);
    label.SetPath(state.CurrentPath, client.right - Services.Scale(textLeft) - Services.Scale(kPathMargin));
}
