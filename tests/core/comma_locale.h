// Switches the process to a locale whose decimal separator is a comma for one test's duration.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumatab {

class CommaLocale {
public:
    CommaLocale() {
#ifdef LUMATAB_LOCALE_DIR
        // glibc finds the locale that the build makes in its own tree.
        setenv("LOCPATH", LUMATAB_LOCALE_DIR, 1);
#endif
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_previous = current ? current : "C";
        // Names as glibc and the Windows C runtime spell them.
        for (const char* name : {"de_DE.UTF-8", "German_Germany.1252", "de-DE"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                char text[16];
                std::snprintf(text, sizeof text, "%1.2f", 2.5);
                m_active = std::string(text) == "2,50";
                if (m_active) {
                    return;
                }
            }
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, m_previous.c_str());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const {
        return m_active;
    }

private:
    std::string m_previous;
    bool m_active = false;
};

}  // namespace lumatab
