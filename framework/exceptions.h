// The class layer's exceptions. They are thrown by value and caught by reference; the layer's
// message dispatch catches whatever leaves a handler and reports it with ReportError.
#pragma once

#include <windows.h>

#include "framework/string.h"

class CException {
public:
    virtual ~CException() = default;
    // The text shown to the user.
    virtual CString GetErrorMessage() const = 0;
    // Shows the message in an error box owned by `owner` (may be NULL), captioned with the
    // program's name.
    void ReportError(HWND owner) const;
};

class CInvalidArgException : public CException {
public:
    CString GetErrorMessage() const override;
};

class CFileException : public CException {
public:
    enum Cause { none, genericException, accessDenied, sharingViolation, diskFull, endOfFile };

    CFileException() = default;
    CFileException(int cause, LONG osError, const CString& fileName)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

    // Builds the exception of a failed file operation from GetLastError's code.
    static CFileException FromOsError(LONG osError, const CString& fileName);

    CString GetErrorMessage() const override;

    int m_cause = none;
    LONG m_lOsError = 0;
    CString m_strFileName;
};

// The program's name for message captions: the executable's file name without its extension.
CString AfxGetAppName();

[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError, const CString& fileName);
