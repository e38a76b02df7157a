// Resource numbers of the class layer's test dialogs.
#pragma once

#define IDD_FW_TEST 200
#define IDC_FW_COMBO 1001
#define IDC_FW_TEXT 1002
#define IDC_FW_PLAIN 1003
#define IDC_FW_LIST 1004
#define IDC_FW_APPLY 1005
#define IDC_FW_THROW 1006
