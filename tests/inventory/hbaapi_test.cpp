// tvahbaapi.so's own entry points on the emulated host (the program runs
// under tvasim with tvasim_scenario.json): what it reports for the FC HBA, the
// converged adapter and the adapter in PCI domain 0x100, and how it refuses
// bad handles and indexes.
#include "zqmfc.h"

#include <vendorhbaapi.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Library {
    void *dl = nullptr;
    HBA_ENTRYPOINTS e{};
    ZqmfcLoadLibraryFunc zLoad = nullptr;
    ZqmfcOpenAdapterFunc zOpen = nullptr;
    ZqmfcGetAdapterAttributes2Func zAttributes = nullptr;
    ZqmfcCloseAdapterFunc zClose = nullptr;
    ZqmfcFreeLibraryFunc zFree = nullptr;
};

class TvaHbaApi : public ::testing::Test {
protected:
    Library lib;

    void SetUp() override
    {
        // The path tvasim installs, the one fccomp's /etc/hba.conf lists.
        lib.dl = dlopen("/usr/lib/tvahbaapi.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib.dl, nullptr) << dlerror();
        auto reg = reinterpret_cast<HBARegisterLibraryFunc>(dlsym(lib.dl, "HBA_RegisterLibrary"));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(&lib.e), HBA_STATUS_OK);
        lib.zLoad = reinterpret_cast<ZqmfcLoadLibraryFunc>(dlsym(lib.dl, "ZQMFC_LoadLibrary"));
        lib.zOpen = reinterpret_cast<ZqmfcOpenAdapterFunc>(dlsym(lib.dl, "ZQMFC_OpenAdapter"));
        lib.zAttributes = reinterpret_cast<ZqmfcGetAdapterAttributes2Func>(dlsym(lib.dl, "ZQMFC_GetAdapterAttributes2"));
        lib.zClose = reinterpret_cast<ZqmfcCloseAdapterFunc>(dlsym(lib.dl, "ZQMFC_CloseAdapter"));
        lib.zFree = reinterpret_cast<ZqmfcFreeLibraryFunc>(dlsym(lib.dl, "ZQMFC_FreeLibrary"));
        ASSERT_TRUE(lib.zLoad && lib.zOpen && lib.zAttributes && lib.zClose && lib.zFree);
        for (const char *name : {"ZQMFC_GetNumberOfAdapters", "ZQMFC_GetAdapterName"})
            ASSERT_NE(dlsym(lib.dl, name), nullptr) << name;
        ASSERT_EQ(lib.e.GetVersionHandler(), 1u);
        ASSERT_EQ(lib.e.LoadLibraryHandler(), HBA_STATUS_OK);
    }

    void TearDown() override
    {
        if (lib.e.FreeLibraryHandler)
            lib.e.FreeLibraryHandler();
        if (lib.dl)
            dlclose(lib.dl);
    }

    std::string Name(HBA_UINT32 index)
    {
        char name[256] = {};
        return lib.e.GetAdapterNameHandler(index, name) == HBA_STATUS_OK ? name : "<error>";
    }

    HBA_HANDLE Open(HBA_UINT32 index)
    {
        char name[256] = {};
        lib.e.GetAdapterNameHandler(index, name);
        return lib.e.OpenAdapterHandler(name);
    }
};

std::string Wwn(const HBA_WWN &w)
{
    char s[24];
    snprintf(s, sizeof s, "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", w.wwn[0], w.wwn[1], w.wwn[2], w.wwn[3], w.wwn[4],
             w.wwn[5], w.wwn[6], w.wwn[7]);
    return s;
}

TEST_F(TvaHbaApi, ListsTheAdaptersWithStorageFunctions)
{
    ASSERT_EQ(lib.e.GetNumberOfAdaptersHandler(), 3u);  // not the Ethernet-only adapter
    EXPECT_EQ(Name(0), "com.telvarn-TV_825-0");
    EXPECT_EQ(Name(1), "com.telvarn-TV_1020-1");
    EXPECT_EQ(Name(2), "com.telvarn-TV_1600-2");
    char name[256];
    EXPECT_EQ(lib.e.GetAdapterNameHandler(3, name), HBA_STATUS_ERROR_ILLEGAL_INDEX);
    char unknown[] = "com.telvarn-TV_825";
    EXPECT_EQ(lib.e.OpenAdapterHandler(unknown), 0u);
}

TEST_F(TvaHbaApi, AdapterAttributesComeFromTheDriver)
{
    HBA_HANDLE h = Open(0);
    ASSERT_NE(h, 0u);
    EXPECT_LE(h, 0xFFFFu);  // the dispatch layer keeps 16 bits of it
    HBA_ADAPTERATTRIBUTES a;
    ASSERT_EQ(lib.e.GetAdapterAttributesHandler(h, &a), HBA_STATUS_OK);
    EXPECT_STREQ(a.Manufacturer, "Telvarn");
    EXPECT_STREQ(a.SerialNumber, "TVA1000001");
    EXPECT_STREQ(a.Model, "TV-825");
    EXPECT_STREQ(a.ModelDescription, "Telvarn 8Gb Fibre Channel HBA, 2 ports");
    EXPECT_EQ(Wwn(a.NodeWWN), "20:00:00:16:57:0a:00:00");
    EXPECT_STREQ(a.HardwareVersion, "Rev  C");  // as the driver has it; fccomp cleans it
    EXPECT_STREQ(a.DriverVersion, "3.2.7.1");
    EXPECT_STREQ(a.OptionROMVersion, "3.2.4.1  ");
    EXPECT_STREQ(a.FirmwareVersion, "3.2.3.0   ");
    EXPECT_EQ(a.NumberOfPorts, 2u);
    EXPECT_EQ(a.VendorSpecificID, 0x00151657u);
    EXPECT_STRNE(a.DriverName, "");
    lib.e.CloseAdapterHandler(h);
    EXPECT_EQ(lib.e.GetAdapterAttributesHandler(h, &a), HBA_STATUS_ERROR_INVALID_HANDLE);
}

TEST_F(TvaHbaApi, PortAttributesAndStatistics)
{
    HBA_HANDLE fc = Open(0), cna = Open(1);
    ASSERT_NE(fc, 0u);
    ASSERT_NE(cna, 0u);
    ASSERT_NE(fc, cna);

    HBA_PORTATTRIBUTES p;
    ASSERT_EQ(lib.e.GetAdapterPortAttributesHandler(fc, 1, &p), HBA_STATUS_OK);
    EXPECT_EQ(Wwn(p.PortWWN), "10:00:00:16:57:0a:00:01");
    EXPECT_EQ(Wwn(p.NodeWWN), "20:00:00:16:57:0a:00:01");
    EXPECT_EQ(p.PortFcId, 0x020100u);
    EXPECT_EQ(p.PortState, static_cast<HBA_PORTSTATE>(HBA_PORTSTATE_ONLINE));
    EXPECT_EQ(p.PortType, static_cast<HBA_PORTTYPE>(HBA_PORTTYPE_NPORT));
    EXPECT_EQ(p.PortSpeed, 0x10u);           // 8 Gbit/s
    EXPECT_EQ(p.PortSupportedSpeed, 0x1bu);  // 1, 2, 4 and 8 Gbit/s
    EXPECT_EQ(p.PortSupportedFc4Types.bits[2], 0x01);  // FCP
    EXPECT_STREQ(p.OSDeviceName, "/sys/class/fc_host/host4");
    EXPECT_EQ(lib.e.GetAdapterPortAttributesHandler(fc, 2, &p), HBA_STATUS_ERROR_ILLEGAL_INDEX);
    EXPECT_EQ(lib.e.GetAdapterPortAttributesHandler(0x7777, 0, &p), HBA_STATUS_ERROR_INVALID_HANDLE);

    // The converged adapter's ports are its FCoE functions.
    ASSERT_EQ(lib.e.GetAdapterPortAttributesHandler(cna, 0, &p), HBA_STATUS_OK);
    EXPECT_EQ(Wwn(p.PortWWN), "10:00:00:16:57:0b:00:00");
    EXPECT_EQ(p.PortSpeed, static_cast<HBA_PORTSPEED>(HBA_PORTSPEED_10GBIT));

    HBA_PORTSTATISTICS s;
    ASSERT_EQ(lib.e.GetPortStatisticsHandler(fc, 0, &s), HBA_STATUS_OK);
    EXPECT_GE(s.SecondsSinceLastReset, 0);
    EXPECT_GE(s.TxFrames, 0);
    EXPECT_EQ(s.LinkFailureCount, 1);
    EXPECT_EQ(s.LossOfSyncCount, 2);
    EXPECT_EQ(s.LIPCount, 0);
    // FCoE ports keep no FC link counters.
    ASSERT_EQ(lib.e.GetPortStatisticsHandler(cna, 1, &s), HBA_STATUS_OK);
    EXPECT_EQ(s.TxFrames, -1);
    EXPECT_EQ(s.InvalidCRCCount, -1);
    EXPECT_EQ(lib.e.GetPortStatisticsHandler(cna, 2, &s), HBA_STATUS_ERROR_ILLEGAL_INDEX);

    lib.e.CloseAdapterHandler(fc);
    lib.e.CloseAdapterHandler(cna);
}

TEST_F(TvaHbaApi, ExtendedAttributesGiveThePciLocation)
{
    ASSERT_EQ(lib.zLoad(), HBA_STATUS_OK);
    struct Case {
        HBA_UINT32 index;
        uint32_t subsystemIds;
        uint8_t domain, bus, function;
        const char *node;
    } cases[] = {
        {0, 0x00151657, 0, 0x0a, 0, "20:00:00:16:57:0a:00:00"},
        {1, 0x00221657, 0, 0x0b, 0, "20:00:00:16:57:0b:00:00"},
        {2, 0x00401657, 0x00, 0x0c, 0, "20:00:00:16:57:0c:00:00"},  // domain 0x100 keeps its low byte
    };
    for (const Case &c : cases) {
        char name[kZqmfcNameSize] = {};
        ASSERT_EQ(lib.e.GetAdapterNameHandler(c.index, name), HBA_STATUS_OK);
        HBA_HANDLE h = lib.zOpen(name);
        ASSERT_NE(h, 0u) << name;
        HbaAdapterAttributes2 x;
        ASSERT_EQ(lib.zAttributes(h, &x), HBA_STATUS_OK) << name;
        EXPECT_EQ(x.subsystemIds, c.subsystemIds) << name;
        EXPECT_EQ(x.domain, c.domain) << name;
        EXPECT_EQ(x.bus, c.bus) << name;
        EXPECT_EQ(x.function, c.function) << name;
        EXPECT_EQ(Wwn(x.attributes.NodeWWN), c.node) << name;

        // A handle of the extension entry points serves the standard ones.
        HBA_ADAPTERATTRIBUTES a;
        EXPECT_EQ(lib.e.GetAdapterAttributesHandler(h, &a), HBA_STATUS_OK);
        lib.zClose(h);
        EXPECT_EQ(lib.zAttributes(h, &x), HBA_STATUS_ERROR_INVALID_HANDLE);
    }
    // The HBA API load still holds the adapters after the extension's free.
    EXPECT_EQ(lib.zFree(), HBA_STATUS_OK);
    EXPECT_EQ(lib.e.GetNumberOfAdaptersHandler(), 3u);
    lib.e.FreeLibraryHandler();
    lib.e.FreeLibraryHandler = nullptr;
    EXPECT_EQ(lib.e.GetNumberOfAdaptersHandler(), 0u);
}

}  // namespace
