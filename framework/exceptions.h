// The class layer's exceptions. They are thrown by value and caught by reference; whatever leaves
// a message handler or the program's start-up is shown to the user by AfxReportCurrentException.
#pragma once

#include <windows.h>

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

class CFileException : public CException {
public:
    CFileException(LONG osError, const CString& fileName)
        : m_lOsError(osError), m_strFileName(fileName) {}

    // Names the file (its control characters written out) and gives the system's reason.
    CString GetErrorMessage() const override;

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

// Shows the exception being handled (call only inside a catch block) in one error box owned by
// `hOwner` (may be null). Exceptions of any type are reported, never passed on.
void AfxReportCurrentException(HWND hOwner);

[[noreturn]] inline void AfxThrowInvalidArgException() {
    throw CInvalidArgException();
}
[[noreturn]] inline void AfxThrowResourceException() {
    throw CResourceException();
}
