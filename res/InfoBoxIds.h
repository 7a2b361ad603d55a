#pragma once
// The about box and the introductory letter: the dialogs make their
// controls themselves, at the pixel places they were designed at.
#define IDD_ABOUT_BOX 2700
#define IDD_INTRO_LETTER 2701

#define IDC_ABOUT_MAKER 2710
#define IDC_ABOUT_PRODUCT 2711
#define IDC_ABOUT_TRADEMARK 2712
#define IDC_ABOUT_MAJOR_VERSION 2713
#define IDC_ABOUT_DESCRIPTION 2714
#define IDC_ABOUT_LINE 2715
#define IDC_ABOUT_LEGAL 2716
#define IDC_ABOUT_SUPPORT 2717

#define IDC_LETTER_PANEL 2730
#define IDC_LETTER_BANNER 2731
#define IDC_LETTER_MEMO 2732
#define IDC_LETTER_SURVEY 2733
#define IDC_LETTER_WEB_SITE 2734
