// A component whose discovery, flash and document steps are scripted, so the
// run sequence can be driven through every outcome.
#pragma once

#include "basecmp.h"

#include <cstring>
#include <string>
#include <vector>

class TestCmp : public CBaseCmp {
public:
    // Scripted outcomes.
    bool discoverResult = true;
    std::vector<std::vector<std::wstring>> deviceActions;  // one list of item actions per device
    int flashResult = 1;
    bool xmlResult = true;

    int discoverCalls = 0, flashCalls = 0, xmlCalls = 0;

    bool Discover() override
    {
        discoverCalls++;
        for (const auto &actions : deviceActions) {
            CDevice d;
            for (const std::wstring &a : actions) {
                CFwItem it;
                it.action = a;
                d.items.push_back(it);
            }
            discovery.devices.push_back(d);
        }
        return discoverResult;
    }
    int Flash() override
    {
        flashCalls++;
        return flashResult;
    }
    bool WriteDiscoveryXml() override
    {
        xmlCalls++;
        return xmlResult;
    }

    int Parse(std::vector<const char *> args)
    {
        args.insert(args.begin(), "fccomp");
        return ParseCommandLine(static_cast<int>(args.size()), args.data());
    }
};

// Gives access to the base operations that need adapters and a catalogue.
class ModelCmp : public CBaseCmp {
public:
    void AddAdapter(const char *pci, const char *sub, const char *rom)
    {
        auto *info = new FcHbaInfo{};
        std::strncpy(info->pciId, pci, sizeof info->pciId - 1);
        std::strncpy(info->subsystemIds, sub, sizeof info->subsystemIds - 1);
        std::strncpy(info->optionRomVersion, rom, sizeof info->optionRomVersion - 1);
        adapters.push_back(info);
    }
    bool LoadReference() { return reference.LoadReference(); }
    void BuildBootRom(bool idFromReference) { BuildBootRomItems(idFromReference); }
    CDiscovery &Model() { return discovery; }
    void SetDiscoveryPath(const std::string &p) { discoveryPath = p; }
};
