// Resource identifiers of the Move Folder dialog (2100-2199).
#pragma once

#define IDD_MOVE_FOLDER 2100

// OK and Cancel carry IDOK and IDCANCEL, so that Enter and Esc reach them.
#define IDC_MOVE_OK 1
#define IDC_MOVE_CANCEL 2

#define IDC_MOVE_HELP 9  // IDHELP, which the dialog base routes to the help topic
#define IDC_MOVE_SOURCE_LABEL 2102
#define IDC_MOVE_SOURCE 2103
#define IDC_MOVE_TARGET_LABEL 2104
#define IDC_MOVE_TARGET 2105
#define IDC_MOVE_FOLDERS 2106
#define IDC_MOVE_DRIVES 2107
#define IDC_MOVE_GROUP 2108
#define IDC_MOVE_WASTED 2109
#define IDC_MOVE_INFO_ICON 2110
#define IDC_MOVE_ADVICE 2111
#define IDC_MOVE_WASTING 2112
#define IDC_MOVE_NOTE 2113
#define IDC_MOVE_IMPORTANT 2114
