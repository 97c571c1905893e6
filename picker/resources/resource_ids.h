// Resource and control numbers, shared by the code and the resource script.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_PICKER 102
#define IDS_COPY_NOTATION 103
#define IDS_HELP_CONTENTS 104
#define IDS_HELP_BACK 105
// The three buttons' tooltips; the Snap one where another program holds the shortcut.
#define IDS_SNAP_TIP 106
#define IDS_SNAP_TIP_SHORTCUT_HELD 107
#define IDS_EXIT_TIP 108
#define IDS_HELP_TIP 109
// The copy menu's submenu of the colours loaded before.
#define IDS_RECENT_COLOURS 110
// The copy menu's notations, and reading a colour from the clipboard.
#define IDS_COPY_AS 111
#define IDS_COPY_NAME 112
#define IDS_COLORREF_LABEL 113
#define IDS_PASTE_COLOUR 114
#define IDI_PROGRAM 128
#define IDB_PATTERN 129
#define IDC_DROPPER 130
#define IDB_SNAP_ACTIVE 132
#define IDB_SNAP 133
#define IDB_EXIT 134
#define IDB_HELP 135
// The help's pages for the program's own help window, compiled from the help source.
#define IDR_HELP_PAGES 140

#define IDC_RED_SLIDER 1000
#define IDC_GREEN_SLIDER 1001
#define IDC_BLUE_SLIDER 1002
#define IDC_RED_FIELD 1003
#define IDC_GREEN_FIELD 1004
#define IDC_BLUE_FIELD 1005
#define IDC_HEX_FIELD 1006
#define IDC_SWATCH 1012
#define IDC_SNAP 1013
#define IDC_EXIT 1014
#define IDC_LINK 1021
// The HELP button carries the framework's help command, ID_HELP.
#include "../../framework/framework_ids.h"

// The system-menu item that opens the about box.
#define IDM_ABOUTBOX 0x0010
