// Stands in for a game that writes its own gamma curve, as a brightness setting of "gamma 1.6"
// does: sets the screen's ramp to x^0.625 through SetDeviceGammaRamp, then stays for the seconds
// given (3 unless given).
#include <windows.h>

#include <cmath>
#include <cstdlib>

int main(int argc, char** argv) {
    WORD ramp[3][256];
    for (auto& levels : ramp) {
        for (int i = 0; i < 256; ++i) {
            levels[i] = static_cast<WORD>(std::lround(65535 * std::pow(i / 255.0, 0.625)));
        }
    }
    const HDC hScreen = GetDC(nullptr);
    const BOOL set = SetDeviceGammaRamp(hScreen, ramp);
    ReleaseDC(nullptr, hScreen);
    Sleep(1000 * (argc > 1 ? std::atoi(argv[1]) : 3));
    return set ? 0 : 1;
}
