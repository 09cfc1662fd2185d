#include "scratch_dir.h"
#include "test_component.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

CFwItem Item(const wchar_t *version, const wchar_t *active, const wchar_t *action)
{
    CFwItem it;
    it.type = L"Boot BIOS ROM";
    it.version = version;
    it.activeVersion = active;
    it.action = action;
    it.duration = L"120";
    it.shared = L"no";
    return it;
}

} // namespace

TEST(DiscoveryDocument, WritesTheModelInOrderWithValueAttributes)
{
    ScratchDir dir;
    ModelCmp cmp;
    CDiscovery &d = cmp.Model();
    d.type = L"FC HBA";
    CDevice a;
    a.deviceId = L"1657.0013.1657.0014";
    a.productId = L"TV-1020";
    a.items.push_back(Item(L"3.0.3.0", L"2.1.0.0", L"upgrade"));
    CDevice b;
    b.deviceId = L"1657.0017.1657.0018";
    b.productId = L"Q&A \"quoted\" <x>";
    b.busNumber = L"5";
    b.items.push_back(Item(L"3.0.3.0", L"3.0.3.0", L"rewrite"));
    b.items.push_back(CFwItem());
    d.devices = {a, b};

    // An existing file is replaced.
    dir.Write("out.xml", std::string(4096, 'x'));
    cmp.SetDiscoveryPath("out.xml");
    ASSERT_TRUE(cmp.WriteDiscoveryXml());
    EXPECT_EQ(dir.Read("out.xml"), R"(<?xml version="1.0"?>
<qv_rom_discovery version="2.0.0.0">
  <type value="FC HBA"/>
  <alt_name value=""/>
  <version value=""/>
  <takes_effect value=""/>
  <devices>
    <device>
      <device_id value="1657.0013.1657.0014"/>
      <product_id value="TV-1020"/>
      <busnumber value=""/>
      <funcnumber value=""/>
      <fw_item>
        <type value="Boot BIOS ROM"/>
        <firmware_id value=""/>
        <version value="3.0.3.0"/>
        <active_version value="2.1.0.0"/>
        <action value="upgrade"/>
        <duration value="120"/>
        <message value=""/>
        <shared value="no"/>
      </fw_item>
    </device>
    <device>
      <device_id value="1657.0017.1657.0018"/>
      <product_id value="Q&amp;A &quot;quoted&quot; &lt;x&gt;"/>
      <busnumber value="5"/>
      <funcnumber value=""/>
      <fw_item>
        <type value="Boot BIOS ROM"/>
        <firmware_id value=""/>
        <version value="3.0.3.0"/>
        <active_version value="3.0.3.0"/>
        <action value="rewrite"/>
        <duration value="120"/>
        <message value=""/>
        <shared value="no"/>
      </fw_item>
      <fw_item>
        <type value=""/>
        <firmware_id value=""/>
        <version value=""/>
        <active_version value=""/>
        <action value=""/>
        <duration value=""/>
        <message value=""/>
        <shared value=""/>
      </fw_item>
    </device>
  </devices>
</qv_rom_discovery>
)");
}

TEST(DiscoveryDocument, NoDeviceGivesAnEmptyDevicesElement)
{
    ScratchDir dir;
    ModelCmp cmp;
    // "-" is a file name like any other, not the standard output.
    cmp.SetDiscoveryPath("-");
    ASSERT_TRUE(cmp.WriteDiscoveryXml());
    EXPECT_EQ(dir.Read("-"), "<?xml version=\"1.0\"?>\n"
                                     "<qv_rom_discovery version=\"2.0.0.0\">\n"
                                     "  <type value=\"\"/>\n"
                                     "  <alt_name value=\"\"/>\n"
                                     "  <version value=\"\"/>\n"
                                     "  <takes_effect value=\"\"/>\n"
                                     "  <devices/>\n"
                                     "</qv_rom_discovery>\n");
}

TEST(DiscoveryDocument, UnwritablePathIsReportedAsFailure)
{
    ScratchDir dir;
    ModelCmp cmp;
    // No directory, a directory, no name, a device that is always full.
    for (const std::string &path : {dir / "no/such/dir/out.xml", dir.Path(), std::string(), std::string("/dev/full")}) {
        SCOPED_TRACE(path);
        cmp.SetDiscoveryPath(path);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(cmp.WriteDiscoveryXml());
        testing::internal::GetCapturedStderr();
    }
}
