// The reference catalogue loader must survive any reference.xml.
#include "reference.h"

#include <libxml/xmlerror.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string workDir;

void RemoveWorkDir()
{
    std::error_code ec;
    std::filesystem::remove_all(workDir, ec);
}

void Quiet(void *, const char *, ...) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The loader reads ./reference.xml, so each input is written there (the
    // process changes directory: give libFuzzer absolute corpus paths).
    if (workDir.empty()) {
        char tmpl[] = "/tmp/fuzz-reference.XXXXXX";
        if (!mkdtemp(tmpl) || chdir(tmpl) != 0)
            std::abort();
        workDir = tmpl;
        std::atexit(RemoveWorkDir);
    }
    FILE *f = std::fopen("reference.xml", "wb");
    if (!f)
        std::abort();
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);

    xmlSetGenericErrorFunc(nullptr, Quiet);
    CReference ref;
    if (ref.LoadReference()) {
        // Touch every loaded text so a bad one shows up under the sanitizers.
        size_t total = ref.DiscoveryAppPath().size() + ref.InstallerAppPath().size();
        for (const CRefDevice &d : ref.Devices())
            total += d.type.size() + d.deviceId.size() + d.model.size() + d.firmware.size() + d.bios.size() +
                     d.boot.size() + d.duration.size() + static_cast<size_t>(d.biosState);
        (void)total;
    }
    return 0;
}
