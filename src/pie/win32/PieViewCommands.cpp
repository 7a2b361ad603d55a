// The commands that change what the pie counts, how it labels its wedges
// and in which order it lays them out.

#include "config/Options.h"
#include "pie/win32/PieView.h"

// Counting the waste changes every page's figures, not only the pie's.
void TPieView::ShowWastedToggled(bool down) {
    Services.Options.IncludeWastedInformation = down;
    Host.InvalidateViews(true);
}

void TPieView::ShowFilesToggled(bool down) {
    Services.Options.ShowFileNames = down;
    Host.InvalidatePie();
}

// The two label buttons exclude each other (one option holds both); both
// may be up.
void TPieView::PercentToggled(bool down) {
    Services.Options.ShowPercentInPie = down ? 1 : 0;
    Host.InvalidateViews(true);
}

void TPieView::SizesToggled(bool down) {
    Services.Options.ShowPercentInPie = down ? 2 : 0;
    Host.InvalidateViews(true);
}

void TPieView::SortOrderChosen(bool ascending) {
    Services.Options.SortAscending = ascending;
    Host.InvalidatePie();
}
