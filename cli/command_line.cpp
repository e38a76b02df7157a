#include "cli/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "diagnosis/files.h"
#include "framework/exceptions.h"
#include "framework/handles.h"
#include "framework/string.h"

CliArguments ParseCommandLine(const wchar_t* commandLine, unsigned int codePage) {
    int count = 0;
    const CSystemHandle<wchar_t**, LocalFree> wide(CommandLineToArgvW(commandLine, &count));
    if (wide.Get() == nullptr) {
        throw AfxLastErrorFailure("cannot read the command line");
    }
    std::vector<std::string> arguments(static_cast<std::size_t>(count));
    int refused = 0;  // the program's own name is never used, so 0 means none
    for (int i = 1; i < count && refused == 0; ++i) {
        refused = AfxWideToAnsi(wide.Get()[i], codePage, arguments[i]) ? 0 : i;
    }
    if (refused != 0) {
        // The name with the default character in place of each character it cannot spell.
        throw NameNotInCodePage(arguments[refused], codePage);
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return ParseArguments(count, argv.data());
}
