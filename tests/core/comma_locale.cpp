// Every core test runs in a locale whose decimal separator is a comma: no text the core writes,
// and no file it reads, may change with the user's locale.
#include <clocale>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

class CommaLocale : public testing::Environment {
    void SetUp() override {
#ifdef LUMATAB_LOCALE_DIR
        setenv("LOCPATH", LUMATAB_LOCALE_DIR, 1);  // glibc finds the build's own locale there
#endif
        // Names as glibc and the Windows C runtime spell them.
        for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name) != nullptr &&
                *std::localeconv()->decimal_point == ',') {
                return;
            }
        }
        FAIL() << "no comma-decimal locale could be set";
    }
};

testing::Environment* const kCommaLocale = testing::AddGlobalTestEnvironment(new CommaLocale);

}  // namespace
