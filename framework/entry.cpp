// The program's entry point, kept out of the layer's library so that test programs can have
// their own main.
#include <windows.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}
