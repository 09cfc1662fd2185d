// fccomp's adapter discovery on the emulated host, through this family's
// tvahbaapi.so that tvasim lists in /etc/hba.conf.
#include <gtest/gtest.h>

#include "run_command.h"

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using ProbeRun = tvatest::CommandResult;

ProbeRun Discover(const std::vector<std::string> &faults = {})
{
    std::string cmd = std::string(TVA_BINARY_DIR) + "/bin/tvasim run --scenario " TVA_SOURCE_DIR
                      "/tests/inventory/tvasim_scenario.json";
    for (const std::string &f : faults)
        cmd += " --fault " + f;
    cmd += " -- " DISCOVER_PROBE;
    return tvatest::RunCommand(cmd);
}

// The FC HBA with its versions cleaned; the converged adapter through its
// FCoE functions; no record for the Ethernet-only adapter; the adapter in PCI
// domain 0x100 does not fit the record's 8-bit domain, so sysfs has no
// directory at the location it reports.
const char kHba[] = "20:00:00:16:57:0A:00:00|10:00:00:16:57:0A:00:00|16570013|16570015|3.2.7.1|3.2.3.0|3.2.4.1|"
                    "TV-825|Rev C\n";
const char kCna[] = "20:00:00:16:57:0B:00:00|10:00:00:16:57:0B:00:00|16570014|16570022|3.2.7.1|3.2.3.0|3.2.3.0|"
                    "TV-1020|Rev-B\n";
const char kOtherDomain[] = "20:00:00:16:57:0C:00:00|10:00:00:16:57:0C:00:00|N/A|16570040|3.2.7.1|4.0.0.1|4.0.0.1|"
                            "TV-1600|Rev-A\n";

TEST(InventoryTvasim, OneRecordPerStorageAdapter)
{
    ProbeRun r = Discover();
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, std::string(kHba) + kCna + kOtherDomain);
}

TEST(InventoryTvasim, FailedRefreshIsReportedAndTheAdapterKept)
{
    // Port 1 of the converged adapter cannot be read: that adapter's refresh
    // fails, its record stays (with the port that could be read).
    char fault[64];
    snprintf(fault, sizeof fault, "0x%x@0000:0b:00.1=status:1", 0xc1804333u);
    ProbeRun r = Discover({fault});
    ASSERT_EQ(r.status, 0) << r.out;
    // The line comes while the adapters are walked, before the probe prints.
    EXPECT_EQ(r.out, std::string("MRA get returned failed status!\n") + kHba + kCna + kOtherDomain);
}

}  // namespace
