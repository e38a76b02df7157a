// Loads a gamma ramp into the X server of $DISPLAY, so that tests running under Wine read back
// exactly the ramp they chose: xramp R0..R255 G0..G255 B0..B255 (768 decimal levels 0..65535).
// The server keeps 8 bits per channel; a level v reads back as (v >> 8) * 257.
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kEntries = 256;
constexpr int kLevels = 3 * kEntries;

bool ParseLevel(const char* text, unsigned short& level) {
    const char* end = text + std::strlen(text);
    unsigned value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || end == text || value > 65535) {
        return false;
    }
    level = static_cast<unsigned short>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != kLevels + 1) {
        std::fprintf(stderr, "usage: xramp R0..R255 G0..G255 B0..B255 (768 levels, got %d)\n",
                     argc - 1);
        return 2;
    }
    unsigned short levels[kLevels];
    for (int i = 0; i < kLevels; ++i) {
        if (!ParseLevel(argv[i + 1], levels[i])) {
            std::fprintf(stderr, "xramp: level %d is not 0..65535: '%s'\n", i, argv[i + 1]);
            return 2;
        }
    }
    // Ours until XCloseDisplay below.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xramp: cannot open the X display '%s'\n", XDisplayName(nullptr));
        return 1;
    }
    const int screen = DefaultScreen(display);
    int size = 0;
    bool ok = XF86VidModeGetGammaRampSize(display, screen, &size) && size == kEntries;
    if (!ok) {
        std::fprintf(stderr, "xramp: the X server's ramp has %d entries, not %d\n", size, kEntries);
    } else if (!XF86VidModeSetGammaRamp(display, screen, kEntries, levels, levels + kEntries,
                                        levels + 2 * kEntries)) {
        std::fprintf(stderr, "xramp: the X server refused the ramp\n");
        ok = false;
    }
    // The ramp must be in place before the caller goes on to read it.
    XSync(display, False);
    XCloseDisplay(display);
    return ok ? 0 : 1;
}
