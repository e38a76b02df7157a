#include "diagnosis/watch.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "core/calibration.h"
#include "core/number_text.h"
#include "diagnosis/comparison.h"
#include "framework/handles.h"

namespace {

constexpr std::size_t kMostStartedShown = 10;

class CWin32ProcessApi : public CProcessApi {
public:
    std::map<DWORD, std::string> Processes() override {
        std::map<DWORD, std::string> processes;
        const CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = snapshot != INVALID_HANDLE_VALUE && Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
            processes[entry.th32ProcessID] = entry.szExeFile;
        }
        return processes;
    }
    DWORD ForegroundProcess() override {
        DWORD id = 0;
        const HWND hWnd = GetForegroundWindow();
        if (hWnd != nullptr) {
            GetWindowThreadProcessId(hWnd, &id);
        }
        return id;
    }
};

std::string Times(int count) {
    return lumatab::FormatWhole(count) + (count == 1 ? " time" : " times");
}

}  // namespace

CProcessApi& Win32ProcessApi() {
    static CWin32ProcessApi api;
    return api;
}

CRampWatch::CRampWatch(int position, CPlatform& platform, CProcessApi& processes)
    : m_nPosition(position), m_platform(platform), m_processes(processes) {
    if (position >= 0) {
        Watch(MonitorAt(position, platform));
        return;
    }
    const std::vector<MonitorEntry> monitors = ListMonitors(platform.display);
    for (std::size_t k = 0; k < monitors.size(); ++k) {
        Watch({static_cast<int>(k), monitors[k]});
    }
}

void CRampWatch::Watch(const Monitor& monitor) {
    Watched watched;
    watched.monitor = monitor;
    m_watched.push_back(watched);
}

std::string CRampWatch::Line(const std::string& text) {
    return DateTimeText(m_platform.clock.Now()) + "  " + text;
}

std::vector<std::string> CRampWatch::Start() {
    m_strStart = DateTimeText(m_platform.clock.Now());
    TakeSnapshot();
    std::vector<std::string> lines;
    for (Watched& watched : m_watched) {
        const std::vector<std::string> read = Read(watched);
        lines.insert(lines.end(), read.begin(), read.end());
    }
    return lines;
}

std::vector<std::string> CRampWatch::Poll() {
    ++m_nPoll;
    TakeSnapshot();
    std::vector<std::string> lines;
    for (Watched& watched : m_watched) {
        if (watched.present) {
            const std::vector<std::string> read = Read(watched);
            lines.insert(lines.end(), read.begin(), read.end());
        }
    }
    return lines;
}

std::vector<std::string> CRampWatch::Read(Watched& watched) {
    RampRead read;
    try {
        read = ReadRamp(watched.monitor, m_platform);
    } catch (const CFailure& failure) {
        // Said once the monitor appears, and when a ramp that could be read no longer can.
        if (watched.told && !watched.readable) {
            return {};
        }
        watched.readable = false;
        watched.told = true;
        watched.lastLinePoll = m_nPoll;
        return {Line(failure.Sentence())};
    }
    if (watched.readable) {
        return ChangeLines(watched, read.ramp);
    }
    const std::string again = watched.told ? " can be read again: " : ": ";
    watched.readable = true;
    watched.told = true;
    watched.ramp = read.ramp;
    watched.lastLinePoll = m_nPoll;
    return {Line(watched.monitor.Name() + again + State(watched.monitor, read.ramp))};
}

std::vector<std::string> CRampWatch::ChangeLines(Watched& watched, const lumatab::GammaRamp& now) {
    int entries = 0;
    int largest = 0;
    for (int i = 0; i < lumatab::kRampSize; ++i) {
        int entry = 0;
        for (int ch = 0; ch < lumatab::kChannelCount; ++ch) {
            entry = std::max(entry, std::abs(now.levels[ch][i] - watched.ramp.levels[ch][i]));
        }
        entries += entry > 0 ? 1 : 0;
        largest = std::max(largest, entry);
    }
    if (entries == 0) {
        return {};
    }
    ++watched.changes;
    std::vector<std::string> lines = {Line(
        watched.monitor.Name() + " changed: " + lumatab::FormatWhole(entries) +
        (entries == 1 ? " entry" : " entries") + ", by up to " + lumatab::FormatWhole(largest) +
        " levels (" + lumatab::FormatFixed(100.0 * largest / lumatab::kFullScale, 2) + " %); " +
        State(watched.monitor, now))};
    const std::size_t before = lines.size();
    for (auto started = m_started.rbegin(); started != m_started.rend(); ++started) {
        if (started->poll > watched.lastLinePoll) {
            lines.push_back("    started " + started->time + ": " +
                            ProcessText(started->id, started->name));
        }
    }
    if (lines.size() == before) {
        lines.push_back("    no program started since the monitor's last line");
    }
    const DWORD foreground = m_processes.ForegroundProcess();
    const auto running = m_running.find(foreground);
    lines.push_back("    in the foreground: " +
                    (foreground == 0
                         ? std::string("no window")
                         : ProcessText(foreground, running != m_running.end() ? running->second
                                                                              : std::string())));
    watched.ramp = now;
    watched.lastLinePoll = m_nPoll;
    return lines;
}

std::string CRampWatch::State(const Monitor& monitor, const lumatab::GammaRamp& ramp) {
    std::optional<Comparison> comparison;
    std::string profile;
    try {
        comparison = CompareWithMonitorProfile(monitor, m_platform);
        const bool loaded = lumatab::VerifyCalibration(ramp, comparison->calibration).loaded;
        // Without calibration, what the ramp is tells whether it is the linear ramp expected.
        profile = !comparison->hasCalibration ? "its profile has no calibration"
                  : loaded                    ? "the profile's calibration is loaded"
                                              : "the profile's calibration is not loaded";
    } catch (const CFailure& failure) {
        profile = failure.Sentence();
    }
    return "the ramp is " + RampIdentityText(ramp, comparison ? &*comparison : nullptr) + "; " +
           profile;
}

void CRampWatch::TakeSnapshot() {
    const std::map<DWORD, std::string> now = m_processes.Processes();
    // A snapshot always holds this process: an empty one failed, and proves nothing started.
    if (now.empty()) {
        return;
    }
    const std::string time = ClockText(m_platform.clock.Now());
    for (const auto& [id, name] : now) {
        const auto before = m_running.find(id);
        if (!m_running.empty() && (before == m_running.end() || before->second != name)) {
            m_started.push_back({m_nPoll, time, id, name});
        }
    }
    m_running = now;
    // A line shows the newest few: older ones will not be shown again.
    if (m_started.size() > kMostStartedShown) {
        m_started.erase(m_started.begin(), m_started.end() - kMostStartedShown);
    }
}

std::string CRampWatch::ProcessText(DWORD id, const std::string& name) const {
    const auto running = m_running.find(id);
    const bool stillRunning = running != m_running.end() && running->second == name;
    return (name.empty() ? "?" : name) + " (process " + lumatab::FormatWhole(id) + ", " +
           (stillRunning ? "running" : "ended") + ")";
}

std::vector<std::string> CRampWatch::DisplayChanged() {
    const std::vector<MonitorEntry> monitors = ListMonitors(m_platform.display);
    std::string named;
    for (Watched& watched : m_watched) {
        const auto listed = std::find_if(monitors.begin(), monitors.end(), [&](const auto& m) {
            return std::string(m.deviceName) == std::string(watched.monitor.entry.deviceName);
        });
        const bool present = listed != monitors.end();
        if (present) {
            watched.monitor = {static_cast<int>(listed - monitors.begin()), *listed};
        }
        if (present != watched.present) {
            named += (named.empty() ? ": " : ", ") + watched.monitor.Name() +
                     (present ? " appeared" : " went away");
            watched.told = false;
        }
        watched.present = present;
        watched.readable = watched.readable && present;
    }
    for (std::size_t k = 0; m_nPosition < 0 && k < monitors.size(); ++k) {
        const auto known = std::find_if(m_watched.begin(), m_watched.end(), [&](const auto& w) {
            return std::string(w.monitor.entry.deviceName) == std::string(monitors[k].deviceName);
        });
        if (known == m_watched.end()) {
            Watch({static_cast<int>(k), monitors[k]});
            named += (named.empty() ? ": " : ", ") + m_watched.back().monitor.Name() + " appeared";
        }
    }
    std::vector<std::string> lines = {Line("the display changed" + named)};
    for (Watched& watched : m_watched) {
        if (watched.present && !watched.readable) {
            const std::vector<std::string> read = Read(watched);
            lines.insert(lines.end(), read.begin(), read.end());
        }
    }
    return lines;
}

std::string CRampWatch::Summary() {
    std::string text = "stopped after watching since " + m_strStart + ":";
    for (const Watched& watched : m_watched) {
        text += (&watched == &m_watched.front() ? " " : ", ") + watched.monitor.Name() +
                " changed " + Times(watched.changes);
    }
    return Line(text);
}

int CRampWatch::Changes() const {
    int changes = 0;
    for (const Watched& watched : m_watched) {
        changes += watched.changes;
    }
    return changes;
}
