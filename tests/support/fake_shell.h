// Stands in for the shell: a scripted documents folder and file dialog answer, and a record of
// the dialogs asked for and the messages shown.
#pragma once

#include <string>
#include <vector>

#include "ui/shell.h"

class CFakeShell : public CShell {
public:
    std::string documents;   // empty: the lookup fails
    std::string chosenPath;  // empty: the user cancels
    std::vector<CFileDialogRequest> requests;
    std::vector<std::string> messages;  // "text|type|owner's caption", "(none)" for no owner

    // Out-parameters are written even on failure, which must not matter.
    BOOL GetDocumentsFolder(CString& folder) override {
        folder = documents.c_str();
        return !documents.empty();
    }
    BOOL RunFileDialog(const CFileDialogRequest& request, CString& pathName) override {
        requests.push_back(request);
        pathName = chosenPath.c_str();
        return !chosenPath.empty();
    }
    void ShowMessage(CWnd* owner, const char* text, UINT type) override {
        char caption[64] = "(none)";
        if (owner != nullptr) {
            GetWindowTextA(owner->GetSafeHwnd(), caption, sizeof caption);
        }
        messages.push_back(std::string(text) + "|" + std::to_string(type) + "|" + caption);
    }
};
