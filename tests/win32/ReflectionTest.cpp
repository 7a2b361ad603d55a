// A control's owner drawing reaches its object through its parent's
// reflection, whichever parent: a panel of the main window or a dialog.

#include <gtest/gtest.h>

#include "MainFormTestSupport.h"
#include "OptionsBoxTestSupport.h"
#include "platform/win32/GdiCanvas.h"

namespace {

// Asks `parent` to draw the first item of `control` into a bitmap; true when
// the answer says it was drawn and the bitmap's pixels changed.
bool ParentDrawsFirstItem(HWND parent, HWND control, UINT type) {
    TGdiBitmap canvas(120, 24);
    if (!canvas.IsValid()) return false;
    const RECT all = {0, 0, 120, 24};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DRAWITEMSTRUCT item = {};
    item.CtlType = type;
    item.CtlID = UINT(GetDlgCtrlID(control));
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_SELECTED;
    item.hwndItem = control;
    item.hDC = canvas.Dc();
    item.rcItem = all;
    const LRESULT answer = SendMessageW(parent, WM_DRAWITEM, WPARAM(item.CtlID), LPARAM(&item));
    GdiFlush();
    return answer == TRUE && canvas.Pixel(60, 12) != 0;
}

class ReflectionTest : public ::testing::Test, public TMainFormFixture {};

TEST_F(ReflectionTest, TheMainWindowsDriveBoxDrawsItsItemsThroughItsPanel) {
    Start();
    const HWND box = Control(idDriveBox);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(ParentDrawsFirstItem(GetParent(box), box, ODT_COMBOBOX));
    // Another control's item is left to the parent.
    EXPECT_FALSE(ParentDrawsFirstItem(GetParent(box), Control(idClustersBox), ODT_COMBOBOX));
}

class DialogReflectionTest : public options_box_test::OptionsBoxTest {};

TEST_F(DialogReflectionTest, TheOptionsDriveListDrawsItsItemsThroughTheDialog) {
    bool drawn = false;
    Run([&](TOptionsBox& box) {
        drawn = ParentDrawsFirstItem(box.Handle(), box.TheDrivesBox().Handle(), ODT_LISTBOX);
    });
    EXPECT_TRUE(drawn);
}

}  // namespace
