// Watching the ramps: when one changed, by how much, what it is now, and which programs started
// before it changed. The command line's watch prints these lines as they come; the events of the
// system (display changes, sleep, the session's lock) come from its window.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "core/gamma_ramp.h"
#include "diagnosis/monitor.h"

// The processes running now, and the foreground window's, behind a seam.
class CProcessApi {
public:
    virtual ~CProcessApi() = default;
    // Process ids and executables' file names; empty where no snapshot can be taken.
    virtual std::map<DWORD, std::string> Processes() = 0;
    // The process of the foreground window; 0 where there is none.
    virtual DWORD ForegroundProcess() = 0;
};

// The process's one real implementation: a Toolhelp snapshot and GetForegroundWindow.
CProcessApi& Win32ProcessApi();

class CRampWatch {
public:
    // Watches the monitor at `position`, or every monitor where it is negative. Throws CFailure
    // when there is no such monitor.
    CRampWatch(int position, CPlatform& platform, CProcessApi& processes);

    // A line for each monitor: the time, the monitor, what its ramp is and whether its profile's
    // calibration is loaded.
    std::vector<std::string> Start();
    // Reads the ramps again: a line for each that changed (how many entries, by how much, what
    // it is now, then indented the programs started since that monitor's last line and the
    // foreground program), each that cannot be read and each that can be read again.
    std::vector<std::string> Poll();
    // Lists the monitors again: a line naming each that appeared or went away.
    std::vector<std::string> DisplayChanged();
    // The changes of each monitor since the start.
    std::string Summary();
    // `text` after the time: "2026-12-08 11:32:07  the session was locked".
    std::string Line(const std::string& text);
    // How many changes all monitors have had.
    int Changes() const;

private:
    struct Watched {
        Monitor monitor;
        bool present = true;
        bool told = false;  // whether a line said if its ramp can be read, since it appeared
        bool readable = false;
        lumatab::GammaRamp ramp{};  // the last read, where readable
        int lastLinePoll = 0;       // the poll of the monitor's last line
        int changes = 0;
    };
    struct Started {
        int poll;
        std::string time;  // "11:32:08"
        DWORD id;
        std::string name;
    };

    // Reads the monitor's ramp: a line where it changed, cannot be read, or can be read again.
    std::vector<std::string> Read(Watched& watched);
    std::vector<std::string> ChangeLines(Watched& watched, const lumatab::GammaRamp& now);
    // What the ramp is and whether the profile's calibration is loaded.
    std::string State(const Monitor& monitor, const lumatab::GammaRamp& ramp);
    // Takes a process snapshot, keeping the newest of those that started since the first.
    void TakeSnapshot();
    std::string ProcessText(DWORD id, const std::string& name) const;
    void Watch(const Monitor& monitor);

    int m_nPosition;
    CPlatform& m_platform;
    CProcessApi& m_processes;
    std::vector<Watched> m_watched;
    std::map<DWORD, std::string> m_running;
    std::vector<Started> m_started;  // oldest first; only as many as a line shows
    int m_nPoll = 0;
    std::string m_strStart;  // when the watch started, as lines say it
};
