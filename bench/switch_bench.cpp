// A monitor switch of the main dialog under Wine, in this process, on the display of the
// two-monitor dummy X server: the selection handled as the user's choice would be (read, table,
// list fill, paint). Beside it, the fill of the same list with its redrawing suspended, the
// fastest the list can take 256 rows here: alone (then one invalidate), and painted at once as
// the switch leaves it. The goal: a switch within twice the fill.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/main_dialog.h"

namespace {

HWND g_hDlg = nullptr;  // the running main dialog, owned by main()
CLumatabDlg* g_pDlg = nullptr;

void BM_MonitorSwitch(benchmark::State& state) {
    const HWND hCombo = GetDlgItem(g_hDlg, IDC_MONITOR_COMBO);
    int monitor = 0;
    for (auto _ : state) {
        monitor = 1 - monitor;
        SendMessageA(hCombo, CB_SETCURSEL, monitor, 0);
        SendMessageA(g_hDlg, WM_COMMAND, MAKEWPARAM(IDC_MONITOR_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hCombo));
    }
}
BENCHMARK(BM_MonitorSwitch)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// range(0): 1 paints the list at once, 0 only invalidates it.
void BM_ListFillWithRedrawOff(benchmark::State& state) {
    const HWND hList = GetDlgItem(g_hDlg, IDC_RAMP_LIST);
    std::vector<std::string> cells;  // what the list shows now, row by row
    char text[64];
    const int rows = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 10; ++column) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            cells.push_back(text);
        }
    }
    for (auto _ : state) {
        SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
        SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
        for (int row = 0; row < rows; ++row) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            for (int column = 0; column < 10; ++column) {
                item.iSubItem = column;
                item.pszText = &cells[row * 10 + column][0];
                SendMessageA(hList, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, row,
                             reinterpret_cast<LPARAM>(&item));
            }
        }
        SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(hList, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | (state.range(0) ? RDW_UPDATENOW : 0));
    }
}
BENCHMARK(BM_ListFillWithRedrawOff)
    ->ArgName("painted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// Shows the usual table and keeps each benchmark's mean time per iteration, in milliseconds.
class CKeepingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> m_milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            m_milliseconds[run.run_name.function_name + "/" + run.run_name.args] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        }
    }
};

int g_exitCode = 1;

// Runs the benchmarks inside the dialog's message loop, then closes the dialog.
void CALLBACK RunBenchmarks(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_hDlg = g_pDlg->GetSafeHwnd();
    if (SendDlgItemMessageA(g_hDlg, IDC_MONITOR_COMBO, CB_GETCOUNT, 0, 0) < 2) {
        std::fprintf(stderr, "switch_bench: needs a display with two monitors\n");
    } else {
        CKeepingReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double switchMs = reporter.m_milliseconds["BM_MonitorSwitch/"];
        const double fillMs = reporter.m_milliseconds["BM_ListFillWithRedrawOff/painted:0"];
        const double paintedMs = reporter.m_milliseconds["BM_ListFillWithRedrawOff/painted:1"];
        std::printf(
            "Monitor switch (read, table, fill, paint): %.1f ms. List fill with redraw off: "
            "%.1f ms, painted %.1f ms. The switch takes %.2f times the painted fill, %.2f "
            "times the fill alone (goal: at most 2).\n",
            switchMs, fillMs, paintedMs, switchMs / paintedMs, switchMs / fillMs);
        g_exitCode = 0;
    }
    SendMessageA(g_hDlg, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CLumatabDlg dlg;
    g_pDlg = &dlg;
    // Thread timers fire once the dialog's modal loop is dispatching.
    SetTimer(nullptr, 0, 100, &RunBenchmarks);
    dlg.DoModal();
    return g_exitCode;
}
