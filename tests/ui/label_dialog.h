// Resource numbers of the label test dialog.
#pragma once

#define IDD_LABEL_TEST 300
#define IDC_LABEL_PLAIN 1101
#define IDC_LABEL_SET 1102
