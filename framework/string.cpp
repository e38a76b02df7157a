#include "framework/string.h"

#include <windows.h>

#include "framework/exceptions.h"

const CString& CStringArray::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        AfxThrowInvalidArgException();
    }
    return m_items[static_cast<std::size_t>(index)];
}

std::wstring AfxAnsiToWide(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.pop_back();
    return wide;
}

bool AfxWideToAnsi(const wchar_t* text, unsigned int codePage, std::string& ansi) {
    // UTF-8 spells every character; it takes neither the flag nor the question, but refuses a
    // lone surrogate instead of writing a replacement character.
    const bool utf8 = codePage == CP_UTF8;
    BOOL usedDefault = FALSE;
    // 4 bytes: the most any code page takes for one UTF-16 unit.
    ansi.assign(static_cast<std::size_t>(lstrlenW(text)) * 4 + 1, '\0');
    const int length = WideCharToMultiByte(
        codePage, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, text, -1, &ansi[0],
        static_cast<int>(ansi.size()), nullptr, utf8 ? nullptr : &usedDefault);
    ansi.resize(length > 0 ? static_cast<std::size_t>(length) - 1 : 0);
    return length > 0 && !usedDefault;
}
