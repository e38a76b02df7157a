// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDD_LUMATAB_DIALOG 102
#define IDI_APP_ICON 128

// Controls of IDD_LUMATAB_DIALOG besides IDCANCEL (2).
#define IDC_EXPORT 3
#define IDC_RAMP_LIST 1001
#define IDC_MONITOR_COMBO 1005
#define IDC_GAMMA_RED 1006
#define IDC_GAMMA_GREEN 1007
#define IDC_GAMMA_BLUE 1008

// The list's context menu and the main dialog's accelerators, with their commands.
#define IDR_LIST_MENU 130
#define IDR_ACCELERATORS 131
#define ID_SHOW_CURVES 32771
#define ID_COPY_TABLE 32772
#define ID_READ_AGAIN 32773
#define ID_SAVE_CALIBRATION 32774

// The curves window.
#define IDD_CURVES_DIALOG 103
#define IDC_CURVE_PLOT 1101
#define IDC_CURVE_STATS 1102
#define IDC_VERIFICATION 1103
#define IDC_COMPARE 1104
#define IDC_VIEW_LEVELS 1105
#define IDC_VIEW_GAMMA 1106
#define IDC_SAVE_PICTURE 1107
#define IDC_CURVE_READOUT 1108
#define IDC_READ_TIME 1109
#define IDC_RAMP_CHANGED 1110
#define IDC_RAMP_IDENTITY 1111
