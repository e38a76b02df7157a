// The one kind of failure the command-line program reports: a line on stderr and exit code 2.
#pragma once

#include <string>
#include <utility>

class CCliError {
public:
    // `message` says what failed and why, without the program's name or a line feed;
    // `showUsage` adds the usage text, for a command line that could not be understood.
    explicit CCliError(std::string message, bool showUsage = false)
        : m_strMessage(std::move(message)), m_bShowUsage(showUsage) {}

    const std::string& Message() const { return m_strMessage; }
    bool ShowUsage() const { return m_bShowUsage; }

private:
    std::string m_strMessage;
    bool m_bShowUsage;
};
