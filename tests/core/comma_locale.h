// Switches the process to a locale whose decimal separator is a comma for one test's duration.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace lumatab {

class CommaLocale {
public:
    CommaLocale() : m_previous(std::setlocale(LC_ALL, nullptr)) {
#ifdef LUMATAB_LOCALE_DIR
        setenv("LOCPATH", LUMATAB_LOCALE_DIR, 1);  // glibc finds the build's own locale there
#endif
        // Names as glibc and the Windows C runtime spell them.
        for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                *std::localeconv()->decimal_point == ',') {
                m_active = true;
                return;
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
