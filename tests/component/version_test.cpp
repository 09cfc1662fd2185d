#include "basecmp.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CompareVersions, OrdersDottedVersions)
{
    struct Case {
        const wchar_t *packaged, *active;
        int expect;
    } cases[] = {
        {L"3.0.3.0", L"3.0.3.0", 0},
        {L"3.0.3.0", L"3.0.2.5", 1},
        {L"3.1", L"3.1.0", -1},
        {L"10.2", L"9.9", 1},
        {L"3.0a", L"3.0b", -1},
        {L"3.0.3.0", L"2.1.0.0", 1},
        {L"3.0.3.0", L"3.0.3", 1},
        {L"3.0.3", L"3.0.3.0", -1},
        {L"3.0.3.0", L"", 1},
        {L"", L"", 0},
        {L"", L"1", -1},
        {L"1.07", L"1.7", 0},
        // A trailing point adds no field; empty fields between points are kept.
        {L"3.0.", L"3.0", 0},
        {L"3..1", L"3.0.1", -1},
        // Digit fields longer than any integer still compare by value.
        {L"1.99999999999999999999999", L"1.100000000000000000000000", -1},
        {L"1.000000000000000000000000000005", L"1.5", 0},
        // Mixed fields compare as text: "1a" is below "9".
        {L"1a", L"9", -1},
        {L"Undefined", L"3.0.3.0", 1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CompareVersions(c.packaged, c.active), c.expect)
            << "packaged " << testing::PrintToString(std::wstring(c.packaged)) << " active "
            << testing::PrintToString(std::wstring(c.active));
    }
    EXPECT_STREQ(ActionWord(1), L"upgrade");
    EXPECT_STREQ(ActionWord(0), L"rewrite");
    EXPECT_STREQ(ActionWord(-1), L"downgrade");
}

TEST(DeviceIdOf, JoinsPciAndSubsystemIdsInGroupsOfFour)
{
    struct Case {
        const char *pci, *sub;
        const wchar_t *expect;
    } cases[] = {
        {"16570013", "16570014", L"1657.0013.1657.0014"},
        {"N/A", "16570014", L"1657.0014"},
        {"n/a", "16570014", L"1657.0014"},
        {"N/A", "N/A", L""},
        {"16570013", "", L"1657.0013"},
        {"1657001", "", L"1657.001"},
    };
    for (const Case &c : cases) {
        FcHbaInfo info{};
        std::strcpy(info.pciId, c.pci);
        std::strcpy(info.subsystemIds, c.sub);
        EXPECT_EQ(CBaseCmp::DeviceIdOf(info), c.expect) << c.pci << " / " << c.sub;
    }
}
