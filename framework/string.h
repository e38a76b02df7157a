// 8-bit strings and string arrays; text is in the process's ANSI code page, as the Win32 "A"
// calls expect it.
#pragma once

#include <string>
#include <vector>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit, like a literal
    CString(const char* text, int length) : m_text(text, static_cast<std::size_t>(length)) {}

    bool IsEmpty() const { return m_text.empty(); }
    operator const char*() const { return m_text.c_str(); }  // NOLINT: for the "A" calls

    // Index of the last `c`, or -1.
    int ReverseFind(char c) const {
        const std::size_t pos = m_text.rfind(c);
        return pos == std::string::npos ? -1 : static_cast<int>(pos);
    }
    // The first `count` characters (all of them if count exceeds the length; none if negative).
    CString Left(int count) const { return m_text.substr(0, count < 0 ? 0 : count).c_str(); }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }

private:
    std::string m_text;
};

// A growable array of strings whose element access is checked: an index outside it throws
// CInvalidArgException.
class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    void Add(const CString& item) { m_items.push_back(item); }
    const CString& GetAt(int index) const;
    const CString& operator[](int index) const { return GetAt(index); }

private:
    std::vector<CString> m_items;
};

// ANSI text in the process's code page as UTF-16.
std::wstring AfxAnsiToWide(const char* text);

// UTF-16 `text` in code page `codePage`; false when a character has no exact form there, since a
// best-fit look-alike or the default character would name another file (or option).
bool AfxWideToAnsi(const wchar_t* text, unsigned int codePage, std::string& ansi);
