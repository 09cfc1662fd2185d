// The Emulex component: adapters found and flashed by the kit's own script
// (elxflashStandalone*.zip holding lx/elxflash.sh) instead of the HBA API.
#pragma once

#include "basecmp.h"

#include <string>

namespace EmulexComp {

class CComponent : public CBaseCmp {
public:
    // The host named at the end of the note about MX710 and MX720 CNAs.
    static constexpr const char *OfflineToolHost = "support.zqm.com";

    CComponent() = default;
    ~CComponent() override = default;

    bool Discover() override;
    std::wstring ParseVersion(const std::wstring &text) override;
    int PrepareKit() override;
    int Flash() override;

    // TEXT with "0" put in front until it is 4 characters long.
    static std::string PadId(const std::string &text);
    // The component's exit code for the flash script's exit status, with the
    // messages that status calls for written through the log.
    int MapExitStatus(int status);

    // One query line of the script turned into a device; false when the line
    // does not match or names an adapter the catalogue does not support.
    bool AddDeviceFromQueryLine(const std::string &line);
};

} // namespace EmulexComp
