// Resource numbers of the class layer's test dialog.
#pragma once

#define IDD_FW_TEST 200
#define IDC_FW_COMBO 1001
#define IDC_FW_THROW 1003
