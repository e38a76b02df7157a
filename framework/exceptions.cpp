#include "framework/exceptions.h"

#include <algorithm>
#include <exception>
#include <string>

#include "core/printable_text.h"
#include "framework/handles.h"

CString CInvalidArgException::GetErrorMessage() const {
    return "The program met an invalid argument and did not finish the last action.";
}

CString CResourceException::GetErrorMessage() const {
    return "The program's window could not be created.";
}

CFailure::CFailure(const std::string& sentence, bool nothingWritten)
    : m_strSentence(lumatab::PrintableText(sentence)), m_bNothingWritten(nothingWritten) {}

CString CFailure::GetErrorMessage() const {
    std::string text = m_strSentence;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return (text.empty() || text.back() == '.' ? text : text + ".").c_str();
}

CString AfxSystemErrorText(DWORD error) {
    // ReadWholeFile's size limit, which the system's text would call a failure to save, and a
    // path, or the temporary file beside it, over the "A" calls' limit.
    if (error == ERROR_FILE_TOO_LARGE || error == ERROR_FILENAME_EXCED_RANGE) {
        return error == ERROR_FILE_TOO_LARGE ? "The file is too large." : "The path is too long.";
    }
    CSystemHandle<char*, LocalFree> reason;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(reason.Out()), 0, nullptr);
    std::string line(reason.Get() != nullptr ? reason.Get() : "", length);
    for (char& c : line) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line.empty() ? ("System error " + std::to_string(error) + ".").c_str() : line.c_str();
}

CFailure AfxLastErrorFailure(const std::string& what) {
    return CFailure(what + ": " + static_cast<const char*>(AfxSystemErrorText(GetLastError())));
}

CString AfxGetAppName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(lumatab::BaseName(std::string_view(path, length < MAX_PATH ? length : 0)));
    name.erase(std::min(name.size(), name.rfind('.')));
    return name.c_str();
}

void AfxReportCurrentException(HWND hOwner) {
    CString text;
    try {
        throw;
    } catch (const CException& e) {
        text = e.GetErrorMessage();
    } catch (const std::exception& e) {
        text = "The program met an error and did not finish the last action:\n";
        text += e.what();
    } catch (...) {
        text = "The program met an unknown error and did not finish the last action.";
    }
    AfxMessageBox(hOwner, text, MB_OK | MB_ICONERROR);
}

int AfxMessageBox(HWND hOwner, const char* text, UINT type) {
    return MessageBoxA(hOwner, text, AfxGetAppName(), type);
}
