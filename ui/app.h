// The application object: runs the main dialog modally, then lets the program end.
#pragma once

#include "framework/app.h"

class CLumatabApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
