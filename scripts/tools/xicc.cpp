// Sets or removes the X root window's _ICC_PROFILE property, the monitor profile that
// colour-managed desktops publish and that Wine's GetICMProfile hands to Windows programs:
//   xicc FILE   the property holds the bytes of FILE (CARDINAL, format 8)
//   xicc -d     removes it
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xicc FILE | xicc -d\n");
        return 2;
    }
    const bool remove = std::strcmp(argv[1], "-d") == 0;
    std::string bytes;
    if (!remove) {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "xicc: cannot read '%s'\n", argv[1]);
            return 1;
        }
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    // Ours until XCloseDisplay below.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xicc: cannot open the X display '%s'\n", XDisplayName(nullptr));
        return 1;
    }
    const Atom property = XInternAtom(display, "_ICC_PROFILE", False);
    if (remove) {
        XDeleteProperty(display, DefaultRootWindow(display), property);
    } else {
        XChangeProperty(display, DefaultRootWindow(display), property, XA_CARDINAL, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.data()),
                        static_cast<int>(bytes.size()));
    }
    // The property must be in place before the caller goes on to read it.
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
