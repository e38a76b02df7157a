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
