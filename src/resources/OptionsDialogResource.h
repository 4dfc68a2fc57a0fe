/* The options dialog's resources: identifiers and layout shared by the resource script
   (Windows) and the resources registered where there is no resource compiler. Plain C
   macros, so the resource compiler can read this file too. Positions in dialog units. */
#ifndef INKLINE_OPTIONS_DIALOG_RESOURCE_H
#define INKLINE_OPTIONS_DIALOG_RESOURCE_H

#define IDD_INKLINE_OPTIONS 206
#define IDB_INKLINE_BANNER 203

#define IDC_OPTIONS_SETTINGS_GROUP 2000
#define IDC_OPTIONS_STORE_DEFAULTS 2001
#define IDC_OPTIONS_RESTORE_DEFAULTS 2002
#define IDC_OPTIONS_BANNER 2059
#define IDC_OPTIONS_MANUAL_LINK 2060

/* x, y, width, height */
#define OPTIONS_DIALOG_RECT 22, 17, 235, 170
#define OPTIONS_OK_RECT 180, 144, 36, 18
#define OPTIONS_SETTINGS_GROUP_RECT 6, 6, 222, 76
#define OPTIONS_STORE_DEFAULTS_RECT 36, 30, 162, 15
#define OPTIONS_RESTORE_DEFAULTS_RECT 36, 50, 162, 15
#define OPTIONS_BANNER_RECT 13, 90, 209, 43
#define OPTIONS_MANUAL_LINK_RECT 11, 147, 142, 15

#define INKLINE_BANNER_WIDTH 730
#define INKLINE_BANNER_HEIGHT 130

#endif
