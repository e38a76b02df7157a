// Reads the program's resources back from this test's own module, which links the same compiled
// resource script, and checks their bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// Copy of one resource of this module; empty when there is none.
std::vector<uint8_t> LoadModuleResource(LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (found == nullptr) {
        return {};
    }
    // The module owns the loaded resource; it stays mapped for the life of the process.
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
    if (bytes == nullptr) {
        return {};
    }
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(nullptr, found));
}

// Little-endian reader over resource bytes; reading past the end throws.
class CByteReader {
public:
    explicit CByteReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    uint8_t Byte() { return static_cast<uint8_t>(Take(1)); }
    uint16_t Word() { return static_cast<uint16_t>(Take(2)); }
    uint32_t Dword() { return static_cast<uint32_t>(Take(4)); }
    int16_t Short() { return static_cast<int16_t>(Word()); }

    // A NUL-terminated UTF-16 string; the resources hold ASCII only, anything else becomes '?'.
    std::string WideString() {
        std::string text;
        for (uint16_t c = Word(); c != 0; c = Word()) {
            text += c < 0x80 ? static_cast<char>(c) : '?';
        }
        return text;
    }

    // A name-or-ordinal field: 0xFFFF then the ordinal, or a string. Ordinals come back as "#N".
    std::string NameOrOrdinal() {
        if (Peek() == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return WideString();
    }

    void AlignDword() { m_nOffset = (m_nOffset + 3) & ~static_cast<size_t>(3); }
    size_t Offset() const { return m_nOffset; }

private:
    uint16_t Peek() const {
        CByteReader copy(*this);
        return copy.Word();
    }
    uint32_t Take(size_t count) {
        if (m_nOffset + count > m_bytes.size()) {
            throw std::out_of_range("read past the end of the resource");
        }
        uint32_t value = 0;
        for (size_t i = 0; i < count; ++i) {
            value |= static_cast<uint32_t>(m_bytes[m_nOffset + i]) << (8 * i);
        }
        m_nOffset += count;
        return value;
    }

    const std::vector<uint8_t>& m_bytes;
    size_t m_nOffset = 0;
};

// ---- Dialog template ----

struct ExpectedControl {
    uint32_t id;
    const char* className;  // "#N" for a predefined class atom
    const char* text;
    int16_t x, y, cx, cy;
    uint32_t style;
    uint32_t exStyle;
};

const ExpectedControl kControls[] = {
    {2, "#128", "Exit", 424, 122, 55, 18, 0x50010000, 0},
    {1005, "#133", "", 7, 19, 402, 109, 0x50210102, 0},
    {1001, "SysListView32", "List2", 7, 39, 402, 315, 0x50808005, 0x1004},
    {0xFFFFFFFF, "#130", "Select Monitor", 8, 8, 264, 8, 0x50020000, 0},
    {0xFFFFFFFF, "#128", "Gamma [128]", 424, 16, 55, 63, 0x50000007, 0},
    {1006, "#130", "gamma red", 430, 28, 44, 15, 0x50001201, 0},
    {1007, "#130", "gamma green", 430, 43, 44, 15, 0x50001201, 0},
    {1008, "#130", "gamma blue", 430, 58, 44, 15, 0x50001201, 0},
    {3, "#128", "Export", 424, 92, 55, 18, 0x50010000, 0},
};

TEST(DialogTemplate, IsTheExtendedTemplateWithAllControlsInTabOrder) {
    std::vector<uint8_t> bytes =
        LoadModuleResource(RT_DIALOG, MAKEINTRESOURCEA(IDD_LUMATAB_DIALOG));
    ASSERT_FALSE(bytes.empty());
    CByteReader in(bytes);

    EXPECT_EQ(in.Word(), 1);       // dlgVer
    EXPECT_EQ(in.Word(), 0xFFFF);  // signature of DLGTEMPLATEEX
    EXPECT_EQ(in.Dword(), 0u);     // helpID
    EXPECT_EQ(in.Dword(), 0x00040000u);
    EXPECT_EQ(in.Dword(), 0x90C800C0u);
    const uint16_t count = in.Word();
    ASSERT_EQ(count, 9);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 0);
    EXPECT_EQ(in.Short(), 494);
    EXPECT_EQ(in.Short(), 361);
    EXPECT_EQ(in.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(in.NameOrOrdinal(), "");  // the default dialog class
    EXPECT_EQ(in.WideString(), "Lumatab");
    EXPECT_EQ(in.Word(), 8);  // point size
    EXPECT_EQ(in.Word(), FW_DONTCARE);
    EXPECT_EQ(in.Byte(), 0);  // not italic
    EXPECT_EQ(in.Byte(), DEFAULT_CHARSET);
    EXPECT_EQ(in.WideString(), "MS Sans Serif");

    for (const ExpectedControl& want : kControls) {
        SCOPED_TRACE(want.text);
        in.AlignDword();
        EXPECT_EQ(in.Dword(), 0u);  // helpID
        EXPECT_EQ(in.Dword(), want.exStyle);
        EXPECT_EQ(in.Dword(), want.style);
        EXPECT_EQ(in.Short(), want.x);
        EXPECT_EQ(in.Short(), want.y);
        EXPECT_EQ(in.Short(), want.cx);
        EXPECT_EQ(in.Short(), want.cy);
        EXPECT_EQ(in.Dword(), want.id);
        std::string className = in.NameOrOrdinal();
        // windres stores class names upper-cased; the system compares them case-insensitively.
        EXPECT_EQ(lstrcmpiA(className.c_str(), want.className), 0) << className;
        EXPECT_EQ(in.NameOrOrdinal(), want.text);
        EXPECT_EQ(in.Word(), 0);  // no creation data
    }
    EXPECT_LE(bytes.size() - in.Offset(), 3u) << "bytes after the last control";
}

// ---- Icon ----

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "GRPICONDIRENTRY is 14 bytes");

std::vector<GroupIconEntry> GroupIconEntries() {
    std::vector<uint8_t> bytes = LoadModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP_ICON));
    CByteReader in(bytes);
    EXPECT_EQ(in.Word(), 0);  // reserved
    EXPECT_EQ(in.Word(), 1);  // type: icon
    const uint16_t count = in.Word();
    EXPECT_EQ(bytes.size(), 6u + count * sizeof(GroupIconEntry));
    std::vector<GroupIconEntry> entries(count);
    if (bytes.size() >= 6 + count * sizeof(GroupIconEntry)) {
        std::memcpy(entries.data(), bytes.data() + 6, count * sizeof(GroupIconEntry));
    }
    return entries;
}

// One decoded DIB icon image, top row first.
struct IconImage {
    int size = 0;
    std::vector<RGBQUAD> pixels;    // rgbReserved is the alpha of 32-bit images, else 255
    std::vector<bool> transparent;  // the AND mask
    bool Clear(int x, int y) const { return transparent[y * size + x]; }
    const RGBQUAD& At(int x, int y) const { return pixels[y * size + x]; }
};

IconImage DecodeDib(const std::vector<uint8_t>& bytes, int size, int bitCount) {
    IconImage image;
    image.size = size;
    CByteReader in(bytes);
    EXPECT_EQ(in.Dword(), sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(static_cast<int>(in.Dword()), size);
    EXPECT_EQ(static_cast<int>(in.Dword()), 2 * size);  // colour bitmap and AND mask
    EXPECT_EQ(in.Word(), 1);                            // planes
    EXPECT_EQ(in.Word(), bitCount);
    EXPECT_EQ(in.Dword(), static_cast<DWORD>(BI_RGB));

    const size_t paletteBytes = bitCount == 8 ? 256 * sizeof(RGBQUAD) : 0;
    const size_t colourStride = (size * bitCount + 31) / 32 * 4;
    const size_t maskStride = (size + 31) / 32 * 4;
    const size_t expected =
        sizeof(BITMAPINFOHEADER) + paletteBytes + (colourStride + maskStride) * size;
    EXPECT_EQ(bytes.size(), expected);
    if (bytes.size() != expected) {
        return image;
    }
    const uint8_t* palette = bytes.data() + sizeof(BITMAPINFOHEADER);
    const uint8_t* colour = palette + paletteBytes;
    const uint8_t* mask = colour + colourStride * size;
    image.pixels.resize(size * size);
    image.transparent.resize(size * size);
    for (int y = 0; y < size; ++y) {
        // Rows are stored bottom-up.
        const uint8_t* row = colour + colourStride * (size - 1 - y);
        const uint8_t* maskRow = mask + maskStride * (size - 1 - y);
        for (int x = 0; x < size; ++x) {
            RGBQUAD& pixel = image.pixels[y * size + x];
            if (bitCount == 8) {
                std::memcpy(&pixel, palette + row[x] * sizeof(RGBQUAD), sizeof pixel);
                pixel.rgbReserved = 255;
            } else {
                std::memcpy(&pixel, row + 4 * x, sizeof pixel);
            }
            image.transparent[y * size + x] = (maskRow[x / 8] & (0x80 >> (x % 8))) != 0;
        }
    }
    return image;
}

struct ExpectedIconImage {
    int size;
    int bitCount;
};
const ExpectedIconImage kIconImages[] = {{48, 8},  {32, 8},  {16, 8},  {256, 32},
                                         {64, 32}, {48, 32}, {32, 32}, {16, 32}};

TEST(Icon, GroupHoldsTheEightImagesInOrder) {
    std::vector<GroupIconEntry> entries = GroupIconEntries();
    ASSERT_EQ(entries.size(), std::size(kIconImages));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        const GroupIconEntry& entry = entries[i];
        const int size = kIconImages[i].size;
        EXPECT_EQ(entry.width, size % 256);  // 0 stands for 256
        EXPECT_EQ(entry.height, size % 256);
        EXPECT_EQ(entry.colorCount, 0);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, kIconImages[i].bitCount);
        std::vector<uint8_t> image = LoadModuleResource(RT_ICON, MAKEINTRESOURCEA(entry.id));
        EXPECT_EQ(image.size(), entry.bytesInRes);
    }
}

TEST(Icon, LargestImageIsA256PixelPng) {
    std::vector<GroupIconEntry> entries = GroupIconEntries();
    ASSERT_EQ(entries.size(), std::size(kIconImages));
    std::vector<uint8_t> png = LoadModuleResource(RT_ICON, MAKEINTRESOURCEA(entries[3].id));
    ASSERT_GE(png.size(), 33u);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(std::memcmp(png.data(), signature, sizeof signature), 0);
    // The IHDR chunk comes first: length 13, type, then big-endian width and height.
    auto bigEndian = [&](size_t at) {
        return static_cast<uint32_t>(png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 |
                                     png[at + 3]);
    };
    EXPECT_EQ(bigEndian(8), 13u);
    EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(bigEndian(16), 256u);
    EXPECT_EQ(bigEndian(20), 256u);
    EXPECT_EQ(png[24], 8);  // bits per channel
    EXPECT_EQ(png[25], 6);  // RGBA
}

bool Is(const RGBQUAD& pixel, BYTE r, BYTE g, BYTE b) {
    return pixel.rgbRed == r && pixel.rgbGreen == g && pixel.rgbBlue == b;
}

// Leftmost column holding an opaque pixel of the colour, or -1.
int LeftmostColumnOf(const IconImage& image, BYTE r, BYTE g, BYTE b) {
    for (int x = 0; x < image.size; ++x) {
        for (int y = 0; y < image.size; ++y) {
            if (!image.Clear(x, y) && Is(image.At(x, y), r, g, b)) {
                return x;
            }
        }
    }
    return -1;
}

TEST(Icon, EveryBitmapShowsTheMonitorWithRedGreenBlueBars) {
    std::vector<GroupIconEntry> entries = GroupIconEntries();
    ASSERT_EQ(entries.size(), std::size(kIconImages));
    std::map<int, std::vector<bool>> masksBySize;
    for (size_t i = 0; i < entries.size(); ++i) {
        const ExpectedIconImage& want = kIconImages[i];
        if (want.size == 256) {
            continue;
        }
        SCOPED_TRACE(std::to_string(want.size) + " px, " + std::to_string(want.bitCount) + " bpp");
        IconImage image = DecodeDib(LoadModuleResource(RT_ICON, MAKEINTRESOURCEA(entries[i].id)),
                                    want.size, want.bitCount);
        ASSERT_EQ(image.pixels.size(), static_cast<size_t>(want.size * want.size));

        // Clear above the monitor, solid in its middle.
        EXPECT_TRUE(image.Clear(0, 0));
        EXPECT_TRUE(image.Clear(want.size - 1, 0));
        EXPECT_FALSE(image.Clear(want.size / 2, want.size / 2));
        // The bars keep their exact colours at every size and depth, red left of green left of
        // blue.
        const int red = LeftmostColumnOf(image, 250, 20, 20);
        const int green = LeftmostColumnOf(image, 20, 245, 90);
        const int blue = LeftmostColumnOf(image, 36, 160, 255);
        EXPECT_GE(red, 0);
        EXPECT_GT(green, red);
        EXPECT_GT(blue, green);

        if (want.bitCount == 32) {
            // The mask marks exactly the mostly transparent pixels, for systems that ignore alpha.
            for (int p = 0; p < want.size * want.size; ++p) {
                EXPECT_EQ(image.transparent[p], image.pixels[p].rgbReserved < 128) << "pixel " << p;
            }
        }
        // Both depths of one size cover the same pixels.
        auto [known, inserted] = masksBySize.emplace(want.size, image.transparent);
        if (!inserted) {
            EXPECT_EQ(known->second, image.transparent);
        }
    }
}

TEST(Icon, SystemLoadsItAtEachStandardSize) {
    for (int size : {16, 32, 48, 64, 256}) {
        SCOPED_TRACE(size);
        // This test owns the icon that LoadImageA creates without LR_SHARED.
        HICON icon =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP_ICON),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ASSERT_NE(GetObjectA(info.hbmColor, sizeof bitmap, &bitmap), 0);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        // GetIconInfo hands the caller copies of both bitmaps.
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// ---- Version block ----

// The version resource copied into a buffer twice its size: VerQueryValueA converts the
// block's UTF-16 strings into the space after it, as in a GetFileVersionInfoA buffer.
std::vector<uint8_t> VersionBlock() {
    std::vector<uint8_t> bytes = LoadModuleResource(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO));
    bytes.resize(bytes.size() * 2, 0);
    return bytes;
}

TEST(VersionBlock, FixedPartNamesVersion1100OfAnApplication) {
    std::vector<uint8_t> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u);  // no debug or pre-release flag
}

TEST(VersionBlock, StringTableHoldsTheDescriptionAndVersions) {
    std::vector<uint8_t> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription",
         "Read LUT of selected monitor, display LUT values, calculate and display effective "
         "gamma."},
        {"FileVersion", "1, 1, 0, 0"},
        {"InternalName", "Lumatab"},
        {"OriginalFilename", "Lumatab.exe"},
        {"ProductName", "Lumatab"},
        {"ProductVersion", "1, 1, 0, 0"},
    };
    for (const auto& [name, text] : strings) {
        SCOPED_TRACE(name);
        std::string path = std::string("\\StringFileInfo\\000004b0\\") + name;
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), path.c_str(), &value, &length));
        EXPECT_STREQ(static_cast<const char*>(value), text);
    }
}

TEST(VersionBlock, TranslationIsNeutralLanguageInUnicode) {
    std::vector<uint8_t> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* words = static_cast<const WORD*>(value);
    EXPECT_EQ(words[0], 0x0000);
    EXPECT_EQ(words[1], 0x04B0);
}

// ---- Manifest ----

#ifdef _WIN64
const char kArchitecture[] = "amd64";
#else
const char kArchitecture[] = "x86";
#endif

// The attributes of the first <tag ...> element in an XML text.
std::map<std::string, std::string> Attributes(const std::string& xml, const std::string& tag) {
    std::map<std::string, std::string> attributes;
    size_t at = xml.find("<" + tag + " ");
    if (at == std::string::npos) {
        return attributes;
    }
    const size_t end = xml.find('>', at);
    at += tag.size() + 1;
    while (true) {
        const size_t equals = xml.find("=\"", at);
        if (equals == std::string::npos || equals > end) {
            return attributes;
        }
        const size_t close = xml.find('"', equals + 2);
        std::string name = xml.substr(at, equals - at);
        name.erase(0, name.find_first_not_of(" \t\r\n"));
        attributes[name] = xml.substr(equals + 2, close - equals - 2);
        at = close + 1;
    }
}

std::string ManifestText() {
    std::vector<uint8_t> bytes = LoadModuleResource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    return std::string(bytes.begin(), bytes.end());
}

TEST(Manifest, DependsOnCommonControls6ForThisArchitecture) {
    std::string xml = ManifestText();
    ASSERT_FALSE(xml.empty());
    std::string dependency = xml.substr(xml.find("<dependentAssembly>"));
    auto identity = Attributes(dependency, "assemblyIdentity");
    EXPECT_EQ(identity["type"], "win32");
    EXPECT_EQ(identity["name"], "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(identity["version"], "6.0.0.0");
    EXPECT_EQ(identity["processorArchitecture"], kArchitecture);
    EXPECT_EQ(identity["publicKeyToken"], "6595b64144ccf1df");
}

TEST(Manifest, RunsAsInvokerWithoutUiAccess) {
    auto level = Attributes(ManifestText(), "requestedExecutionLevel");
    EXPECT_EQ(level["level"], "asInvoker");
    EXPECT_EQ(level["uiAccess"], "false");
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR out) {
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(language);
    return TRUE;
}

TEST(Manifest, IsUsEnglishOnly) {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(nullptr, RT_MANIFEST, MAKEINTRESOURCEA(1), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{1033});
}

TEST(Manifest, ActivatesCommonControls6InTheProcess) {
    // The loader owns comctl32; this only adds a reference for the life of the process.
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(comctl, path, MAX_PATH), 0u);
    CharLowerA(path);
    // Version 6 lives in the side-by-side store, in a folder named after its assembly; the
    // unredirected system32 copy is version 5.
    const std::string folder = std::string("\\winsxs\\") + kArchitecture +
                               "_microsoft.windows.common-controls_6595b64144ccf1df_6.";
    EXPECT_NE(std::string(path).find(folder), std::string::npos) << path;
}

// ---- The module as a whole ----

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    auto* names = reinterpret_cast<std::set<std::string>*>(out);
    names->insert(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name))
                                       : std::string(name));
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR out) {
    auto* byType = reinterpret_cast<std::map<uintptr_t, std::set<std::string>>*>(out);
    // Every resource type here is a predefined one, named by number.
    EXPECT_TRUE(IS_INTRESOURCE(type));
    EnumResourceNamesA(module, type, CollectName,
                       reinterpret_cast<LONG_PTR>(&(*byType)[reinterpret_cast<uintptr_t>(type)]));
    return TRUE;
}

TEST(Module, HoldsOnlyDialogIconVersionAndManifest) {
    std::map<uintptr_t, std::set<std::string>> byType;
    EnumResourceTypesA(nullptr, CollectType, reinterpret_cast<LONG_PTR>(&byType));

    std::set<std::string> iconImages;
    for (const GroupIconEntry& entry : GroupIconEntries()) {
        iconImages.insert("#" + std::to_string(entry.id));
    }
    // No string table, menu or accelerators.
    const std::map<uintptr_t, std::set<std::string>> expected = {
        {reinterpret_cast<uintptr_t>(RT_ICON), iconImages},
        {reinterpret_cast<uintptr_t>(RT_DIALOG), {"#102"}},
        {reinterpret_cast<uintptr_t>(RT_GROUP_ICON), {"#128"}},
        {reinterpret_cast<uintptr_t>(RT_VERSION), {"#1"}},
        {reinterpret_cast<uintptr_t>(RT_MANIFEST), {"#1"}},
    };
    EXPECT_EQ(byType, expected);
}

}  // namespace
