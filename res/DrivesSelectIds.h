// Resource identifiers of the drive selection dialog (2000-2099).
#pragma once

#define IDD_DRIVES_SELECT 2000

// Scan and Cancel carry IDOK and IDCANCEL, so that Enter and Esc reach them.
#define IDC_DRIVES_SCAN 1
#define IDC_DRIVES_CANCEL 2

#define IDC_DRIVES_INTRO 2001
#define IDC_DRIVES_NOTE 2002
#define IDC_DRIVES_GROUP 2003
#define IDC_DRIVES_LIST 2004
#define IDC_DRIVES_SELECT_ALL 2005
#define IDC_DRIVES_FIXED 2006
#define IDC_DRIVES_DESELECT_ALL 2007
