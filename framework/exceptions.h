// The class layer's exceptions. They are thrown by value and caught by reference; whatever leaves
// a message handler or the program's start-up is shown to the user by AfxReportCurrentException.
#pragma once

#include <windows.h>

#include <string>

#include "framework/string.h"

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user.
    virtual CString GetErrorMessage() const = 0;
};

class CInvalidArgException : public CException {
public:
    CString GetErrorMessage() const override;
};

// A window the program needs could not be created from its resources.
class CResourceException : public CException {
public:
    CString GetErrorMessage() const override;
};

// A failure as the user reads it: one sentence, worded once for the window and the command line,
// in lower case and without a full stop (`cannot write "x.csv": Access is denied.`), its control
// characters written out. The command line prints it after its name; a window shows it as a
// sentence, in a box or a line.
class CFailure : public CException {
public:
    // `nothingWritten`: a file that could not even be created or replaced, and is as it was.
    explicit CFailure(const std::string& sentence, bool nothingWritten = false);

    const std::string& Sentence() const { return m_strSentence; }
    bool NothingWritten() const { return m_bNothingWritten; }
    // The sentence with a capital letter and a full stop.
    CString GetErrorMessage() const override;

private:
    std::string m_strSentence;
    bool m_bNothingWritten;
};

// What CFile throws when a write fails: the system's reason and the file it was writing.
struct CFileException {
    LONG m_lOsError;  // GetLastError's code
    CString m_strFileName;
};

// The program's name for message captions: the executable's file name without its extension.
CString AfxGetAppName();

// The one way the program shows a message: a box captioned with the program's name, owned by
// `hOwner`, the window the message comes from, which stays disabled until the box is closed;
// null only for a box that belongs to no window. Returns the button pressed.
int AfxMessageBox(HWND hOwner, const char* text, UINT type);

// The system's text for a GetLastError code, on one line ("Access is denied.").
CString AfxSystemErrorText(DWORD error);
// `what` failed, for GetLastError's reason: "cannot read the command line: Out of memory.".
CFailure AfxLastErrorFailure(const std::string& what);

// Shows the exception being handled (call only inside a catch block) in one error box owned by
// `hOwner` (may be null). Exceptions of any type are reported, never passed on.
void AfxReportCurrentException(HWND hOwner);

[[noreturn]] inline void AfxThrowInvalidArgException() {
    throw CInvalidArgException();
}
[[noreturn]] inline void AfxThrowResourceException() {
    throw CResourceException();
}
