#include "reference.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What a test expects of one loaded device.
struct Dev {
    std::wstring id;
    std::wstring bios;
    int biosState;
    std::wstring model = L"";
};

struct CatalogueCase {
    const char *name;
    std::string xml;
    std::vector<Dev> devices;
    std::wstring discoveryPath = L"";
};

const char *const Pretty = R"(<?xml version="1.0"?>
<qvdeploy_fchba_reference>
  <!-- catalogue -->
  <discovery_app_path><![CDATA[./fccomp /d]]></discovery_app_path>
  <installer_app_path><![CDATA[./fccomp]]></installer_app_path>
  <devices>
    <device>
      <type value="FC HBA"/>
      <device_id value="1657.0013.1657.0014"/>
      <model value="TV-1020"/>
      <firmware value="2.1"/>
      <bios value="3.0.3.0"/>
      <boot value="b"/>
      <duration value="120"/>
    </device>
    <device>
      <bios value=""/>
      <device_id value="1657.0017.1657.0018"/>
    </device>
  </devices>
</qvdeploy_fchba_reference>
)";

std::vector<Dev> PrettyDevices()
{
    return {{L"1657.0013.1657.0014", L"3.0.3.0", 2, L"TV-1020"}, {L"1657.0017.1657.0018", L"", 0}};
}

// The same catalogue without any whitespace between elements.
std::string OneLine(std::string s)
{
    std::string out;
    bool inTag = false;
    for (size_t i = 0; i < s.size(); i++) {
        char c = s[i];
        if (c == '<')
            inTag = true;
        if (c == '>')
            inTag = false;
        if (!inTag && (c == '\n' || c == ' ') && (out.empty() || out.back() == '>'))
            continue;
        out.push_back(c);
    }
    return out;
}

std::string Doc(const std::string &body)
{
    return "<?xml version=\"1.0\"?><qvdeploy_fchba_reference>" + body + "</qvdeploy_fchba_reference>";
}

std::string Device(const std::string &inner)
{
    return "<device>" + inner + "</device>";
}

std::vector<CatalogueCase> Cases()
{
    return {
        {"pretty printed", Pretty, PrettyDevices(), L"./fccomp /d"},
        {"one line", OneLine(Pretty), PrettyDevices(), L"./fccomp /d"},
        {"devices first child of the root",
         Doc("<devices>" + Device("<device_id value=\"a\"/>") + "</devices>"), {{L"a", L"", 2}}},
        {"element names in another case are ignored",
         Doc("<Devices>" + Device("<device_id value=\"x\"/>") + "</Devices><devices>" +
             Device("<Device_Id value=\"y\"/><BIOS value=\"\"/>") + "<DEVICE/></devices>"),
         {{L"", L"", 2}}},
        {"value in content instead of attribute", Doc("<devices>" + Device("<device_id>1234.5678.9abc.def0</device_id>") + "</devices>"),
         {{L"", L"", 2}}},
        {"duplicate devices keep document order",
         Doc("<devices>" + Device("<device_id value=\"d\"/><model value=\"first\"/>") +
             Device("<device_id value=\"d\"/><model value=\"second\"/>") + "</devices>"),
         {{L"d", L"", 2, L"first"}, {L"d", L"", 2, L"second"}}},
        {"two devices elements are appended",
         Doc("<devices>" + Device("<device_id value=\"1\"/>") + "</devices><other/><devices>" +
             Device("<device_id value=\"2\"/>") + "</devices>"),
         {{L"1", L"", 2}, {L"2", L"", 2}}},
        {"later duplicate element overwrites, empty bios clears the state",
         Doc("<devices>" + Device("<bios value=\"\"/><bios value=\"4.0\"/>") + "</devices>"), {{L"", L"4.0", 0}}},
        {"bios without value attribute is empty", Doc("<devices>" + Device("<bios/>") + "</devices>"), {{L"", L"", 0}}},
        {"root with another name", "<catalogue><devices>" + Device("<device_id value=\"z\"/>") + "</devices></catalogue>", {}},
        {"devices as the root element", "<devices>" + Device("<device_id value=\"r\"/>") + "</devices>", {{L"r", L"", 2}}},
        {"plain text path stays empty", Doc("<discovery_app_path>./fccomp</discovery_app_path>"), {}},
        {"whitespace before the CDATA section", Doc("<discovery_app_path> <![CDATA[x]]></discovery_app_path>"), {}},
        {"escaped attribute values", Doc("<devices>" + Device("<model value=\"A&amp;B &quot;x&quot;\"/>") + "</devices>"),
         {{L"", L"", 2, L"A&B \"x\""}}},
        {"no devices at all", Doc(""), {}},
    };
}

} // namespace

TEST(ReferenceCatalogue, LoadsDocumentsAsTheWalkReadsThem)
{
    for (const CatalogueCase &c : Cases()) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        dir.Write("reference.xml", c.xml);
        CReference ref;
        ASSERT_TRUE(ref.LoadReference());
        EXPECT_EQ(ref.DiscoveryAppPath(), c.discoveryPath);
        ASSERT_EQ(ref.DeviceCount(), c.devices.size());
        for (size_t i = 0; i < c.devices.size(); i++) {
            EXPECT_EQ(ref.Device(i).deviceId, c.devices[i].id) << "device " << i;
            EXPECT_EQ(ref.Device(i).bios, c.devices[i].bios) << "device " << i;
            EXPECT_EQ(ref.Device(i).biosState, c.devices[i].biosState) << "device " << i;
            EXPECT_EQ(ref.Device(i).model, c.devices[i].model) << "device " << i;
        }
    }
}

TEST(ReferenceCatalogue, ReadsEveryDeviceField)
{
    ScratchDir dir;
    dir.Write("reference.xml", Pretty);
    CReference ref;
    ASSERT_TRUE(ref.LoadReference());
    const CRefDevice &d = ref.Device(0);
    EXPECT_EQ(d.type, L"FC HBA");
    EXPECT_EQ(d.firmware, L"2.1");
    EXPECT_EQ(d.boot, L"b");
    EXPECT_EQ(d.duration, L"120");
    EXPECT_EQ(ref.InstallerAppPath(), L"./fccomp");
}

TEST(ReferenceCatalogue, MissingOrMalformedFileFails)
{
    ScratchDir dir;
    CReference ref;
    EXPECT_FALSE(ref.LoadReference());

    for (const char *bad : {"", "<qvdeploy_fchba_reference>", "<a></b>", "not xml at all",
                            "<qvdeploy_fchba_reference><devices></qvdeploy_fchba_reference>"}) {
        SCOPED_TRACE(bad);
        dir.Write("reference.xml", bad);
        testing::internal::CaptureStderr();  // the XML library reports the parse error there
        EXPECT_FALSE(ref.LoadReference());
        EXPECT_NE(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(ref.DeviceCount(), 0u);
    }
}

TEST(ReferenceCatalogue, ReloadingDoesNotDuplicateDevices)
{
    ScratchDir dir;
    dir.Write("reference.xml", Pretty);
    CReference ref;
    ASSERT_TRUE(ref.LoadReference());
    ASSERT_TRUE(ref.LoadReference());
    EXPECT_EQ(ref.DeviceCount(), 2u);
}
