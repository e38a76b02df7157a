// The enumeration and ramp-reading logic against a scripted stand-in for the Win32 calls.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/platform/platform_ramps.h"

namespace {

using lumatab::GammaRamp;
using lumatab::PatternRamp;
using lumatab::SameRamp;

DISPLAY_DEVICEA Record(const char* name, const char* text, DWORD flags) {
    DISPLAY_DEVICEA record{};
    std::strncpy(record.DeviceName, name, sizeof(record.DeviceName) - 1);
    std::strncpy(record.DeviceString, text, sizeof(record.DeviceString) - 1);
    record.StateFlags = flags;
    return record;
}

std::string Field(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

// One adapter as the fake platform reports it.
struct FakeAdapter {
    DISPLAY_DEVICEA adapter;
    bool monitorAnswers;
    DISPLAY_DEVICEA monitor;
    bool adapterAnswers = true;
};

FakeAdapter Adapter(const char* name, DWORD flags, const char* monitorText) {
    return {Record(name, "Fake Adapter", flags), true, Record("", monitorText, 3)};
}

FakeAdapter AdapterWithoutMonitor(const char* name) {
    return {Record(name, "Fake Adapter", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP), false, {}};
}

// One EnumDisplayDevicesA call as the fake saw it.
struct Query {
    bool forMonitor;
    std::string device;
    DWORD devNum;
    DWORD cb;
    DWORD flags;
};

class CFakeDisplayApi : public CDisplayApi {
public:
    BOOL EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                             DWORD flags) override {
        m_queries.push_back({device != nullptr, device ? device : "", devNum, info->cb, flags});
        const DWORD cb = info->cb;
        if (!device) {
            if (devNum >= m_adapters.size() || !m_adapters[devNum].adapterAnswers) {
                return FALSE;
            }
            *info = m_adapters[devNum].adapter;
            info->cb = cb;
            return TRUE;
        }
        for (const FakeAdapter& fake : m_adapters) {
            if (Field(fake.adapter.DeviceName, sizeof(fake.adapter.DeviceName)) == device) {
                if (!fake.monitorAnswers || devNum != 0) {
                    // A failing driver may still scribble on the record.
                    std::strcpy(info->DeviceString, "Stale Monitor");
                    return FALSE;
                }
                *info = fake.monitor;
                info->cb = cb;
                return TRUE;
            }
        }
        return FALSE;
    }

    HDC CreateDCA(const char* driver, const char* device, const char* port,
                  const DEVMODEA* initData) override {
        m_calls.push_back("CreateDCA");
        m_strDriver = driver ? driver : "<null>";
        m_strDevice = device ? device : "<null>";
        m_bPortNull = port == nullptr;
        m_bInitDataNull = initData == nullptr;
        return m_hCreatedDc;
    }

    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override {
        m_calls.push_back(dc == m_hCreatedDc ? "GetDeviceGammaRamp" : "GetDeviceGammaRamp(?)");
        if (!m_bRampAnswers) {
            // Half a block written before the failure.
            std::memset(ramp, 0xEE, sizeof(GammaRamp) / 2);
            return FALSE;
        }
        std::memcpy(ramp, &m_deviceRamp, sizeof(GammaRamp));
        return TRUE;
    }

    BOOL DeleteDC(HDC dc) override {
        m_calls.push_back(dc == m_hCreatedDc ? "DeleteDC" : "DeleteDC(?)");
        return TRUE;
    }

    std::vector<FakeAdapter> m_adapters;
    std::vector<Query> m_queries;

    HDC m_hCreatedDc = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x7010042));
    bool m_bRampAnswers = true;
    GammaRamp m_deviceRamp = lumatab::ThreeChannelRamp();
    std::vector<std::string> m_calls;
    std::string m_strDriver;
    std::string m_strDevice;
    bool m_bPortNull = false;
    bool m_bInitDataNull = false;
};

std::vector<std::string> Texts(const CStringArray& array) {
    std::vector<std::string> texts;
    for (int i = 0; i < array.GetSize(); ++i) {
        texts.emplace_back(array[i]);
    }
    return texts;
}

struct Listed {
    std::vector<std::string> names;
    std::vector<std::string> devices;
};

Listed Enumerate(CFakeDisplayApi& api) {
    CStringArray names;
    CStringArray devices;
    EnumerateMonitors(names, devices, api);
    return {Texts(names), Texts(devices)};
}

using Strings = std::vector<std::string>;

TEST(EnumerateMonitors, ListsOnlyDesktopAdaptersInPlatformOrder) {
    CFakeDisplayApi api;
    api.m_adapters = {
        Adapter("\\\\.\\DISPLAY1",
                DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE, "Model A"),
        Adapter("\\\\.\\DISPLAY2", 0, "Unplugged"),
        Adapter("\\\\.\\DISPLAY3", DISPLAY_DEVICE_MIRRORING_DRIVER, "Mirror"),
        Adapter("\\\\.\\DISPLAY4", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model B"),
    };
    const Listed listed = Enumerate(api);
    EXPECT_EQ(listed.names, (Strings{"Model A", "Model B"}));
    EXPECT_EQ(listed.devices, (Strings{"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY4"}));

    // Skipped adapters get no monitor query; listed ones only that of their first monitor.
    Strings monitorQueries;
    for (const Query& query : api.m_queries) {
        if (query.forMonitor) {
            monitorQueries.push_back(query.device);
            EXPECT_EQ(query.devNum, 0u);
        }
    }
    EXPECT_EQ(monitorQueries, (Strings{"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY4"}));
}

TEST(EnumerateMonitors, KeepsAdaptersWithEqualDescriptionsApart) {
    CFakeDisplayApi api;
    api.m_adapters = {
        Adapter("\\\\.\\DISPLAY2", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Generic Monitor"),
        Adapter("\\\\.\\DISPLAY1", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Generic Monitor"),
    };
    const Listed listed = Enumerate(api);
    EXPECT_EQ(listed.names, (Strings{"Generic Monitor", "Generic Monitor"}));
    EXPECT_EQ(listed.devices, (Strings{"\\\\.\\DISPLAY2", "\\\\.\\DISPLAY1"}));
}

TEST(EnumerateMonitors, AdapterWhoseMonitorQueryFailsIsListedWithoutDescription) {
    CFakeDisplayApi api;
    api.m_adapters = {
        AdapterWithoutMonitor("\\\\.\\DISPLAY1"),
        Adapter("\\\\.\\DISPLAY2", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model A"),
        AdapterWithoutMonitor("\\\\.\\DISPLAY3"),
    };
    const Listed listed = Enumerate(api);
    EXPECT_EQ(listed.names, (Strings{"", "Model A", ""}));
    EXPECT_EQ(listed.devices, (Strings{"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2", "\\\\.\\DISPLAY3"}));
}

TEST(EnumerateMonitors, ReadsUnterminatedFieldsOnlyToTheirEnd) {
    CFakeDisplayApi api;
    FakeAdapter fake = Adapter("", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "");
    std::memset(fake.adapter.DeviceName, 'N', sizeof(fake.adapter.DeviceName));
    std::memset(fake.monitor.DeviceString, 'M', sizeof(fake.monitor.DeviceString));
    fake.monitor.StateFlags = 0x41414141;  // text-like bytes right after the description
    api.m_adapters = {fake};

    const Listed listed = Enumerate(api);
    EXPECT_EQ(listed.devices, (Strings{std::string(32, 'N')}));
    EXPECT_EQ(listed.names, (Strings{std::string(128, 'M')}));
    // The monitor query got the name as a terminated string, and so found the adapter.
    ASSERT_EQ(api.m_queries.size(), 3u);
    EXPECT_EQ(api.m_queries[1].device, std::string(32, 'N'));
}

TEST(EnumerateMonitors, StopsAtTheFirstAdapterThatCannotBeQueried) {
    CFakeDisplayApi api;
    api.m_adapters = {
        Adapter("\\\\.\\DISPLAY1", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model A"),
        Adapter("\\\\.\\DISPLAY2", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model B"),
        Adapter("\\\\.\\DISPLAY3", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model C"),
    };
    api.m_adapters[1].adapterAnswers = false;
    const Listed listed = Enumerate(api);
    EXPECT_EQ(listed.devices, (Strings{"\\\\.\\DISPLAY1"}));
    std::vector<DWORD> adapterNumbers;
    for (const Query& query : api.m_queries) {
        if (!query.forMonitor) {
            adapterNumbers.push_back(query.devNum);
        }
    }
    EXPECT_EQ(adapterNumbers, (std::vector<DWORD>{0, 1}));

    CFakeDisplayApi none;
    const Listed empty = Enumerate(none);
    EXPECT_TRUE(empty.names.empty());
    EXPECT_TRUE(empty.devices.empty());
}

TEST(EnumerateMonitors, GivesEveryQueryA424ByteRecordAndNoFlags) {
    CFakeDisplayApi api;
    api.m_adapters = {
        Adapter("\\\\.\\DISPLAY1", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model A"),
        AdapterWithoutMonitor("\\\\.\\DISPLAY2"),
        Adapter("\\\\.\\DISPLAY3", 0, "Unplugged"),
        Adapter("\\\\.\\DISPLAY4", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, "Model B"),
    };
    Enumerate(api);
    ASSERT_EQ(api.m_queries.size(), 8u);  // five adapter queries, three monitor queries
    for (const Query& query : api.m_queries) {
        EXPECT_EQ(query.cb, 424u) << query.device << " #" << query.devNum;
        EXPECT_EQ(query.flags, 0u) << query.device << " #" << query.devNum;
    }
}

TEST(ReadGammaRamp, ReadsTheDeviceRampThroughItsOwnContext) {
    CFakeDisplayApi api;
    GammaRamp ramp = PatternRamp();
    EXPECT_TRUE(ReadGammaRamp("\\\\.\\DISPLAY2", ramp, api));
    EXPECT_TRUE(SameRamp(api.m_deviceRamp, ramp));
    EXPECT_EQ(api.m_strDriver, "\\\\.\\DISPLAY2");
    EXPECT_EQ(api.m_strDevice, "\\\\.\\DISPLAY2");
    EXPECT_TRUE(api.m_bPortNull);
    EXPECT_TRUE(api.m_bInitDataNull);
    EXPECT_EQ(api.m_calls, (Strings{"CreateDCA", "GetDeviceGammaRamp", "DeleteDC"}));
}

TEST(ReadGammaRamp, LeavesTheRampUntouchedWhenNoContextCanBeMade) {
    CFakeDisplayApi api;
    api.m_hCreatedDc = nullptr;
    GammaRamp ramp = PatternRamp();
    EXPECT_FALSE(ReadGammaRamp("bogus", ramp, api));
    EXPECT_TRUE(SameRamp(PatternRamp(), ramp));
    EXPECT_EQ(api.m_calls, (Strings{"CreateDCA"}));

    CFakeDisplayApi unused;
    EXPECT_FALSE(ReadGammaRamp(nullptr, ramp, unused));
    EXPECT_TRUE(SameRamp(PatternRamp(), ramp));
    EXPECT_TRUE(unused.m_calls.empty());
}

TEST(ReadGammaRamp, LeavesTheRampUntouchedWhenTheReadFails) {
    CFakeDisplayApi api;
    api.m_bRampAnswers = false;
    GammaRamp ramp = PatternRamp();
    EXPECT_FALSE(ReadGammaRamp("\\\\.\\DISPLAY1", ramp, api));
    EXPECT_TRUE(SameRamp(PatternRamp(), ramp));
    EXPECT_EQ(api.m_calls, (Strings{"CreateDCA", "GetDeviceGammaRamp", "DeleteDC"}));
}

}  // namespace
