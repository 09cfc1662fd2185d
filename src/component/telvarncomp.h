// The Telvarn component: boot code of Telvarn FC HBAs and CNAs, flashed by
// the package's own adapter utility.
#pragma once

#include "basecmp.h"

#include <string>

namespace TelvarnComp {

class CComponent : public CBaseCmp {
public:
    CComponent() = default;
    ~CComponent() override = default;

    std::wstring ParseVersion(const std::wstring &text) override;
    void BuildFirmwareItems() override;
    int Flash() override;

    // True when the running kernel is 2.6.32 or later (the "noioctl" build).
    bool KernelNeedsNoIoctl();
    // The same decision for a given release text, with the same log lines.
    bool KernelReleaseNeedsNoIoctl(const std::string &release);
};

} // namespace TelvarnComp
