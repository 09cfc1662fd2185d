// The component: the state of one fccomp run and its run sequence. Vendor
// components derive from CBaseCmp and override some of its operations.
#pragma once

#include "cmplog.h"
#include "discovery.h"
#include "fchbainfo.h"
#include "reference.h"

#include <string>

// Exit codes of a run.
enum : int { ExitFlashed = 1, ExitNothingDone = 3, ExitFailed = 7 };

class CBaseCmp {
public:
    CBaseCmp();
    CBaseCmp(const CBaseCmp &) = delete;
    CBaseCmp &operator=(const CBaseCmp &) = delete;

    // Virtual operations, in slot order.
    virtual ~CBaseCmp();
    virtual bool Discover();
    virtual std::wstring ParseVersion(const std::wstring &text);
    virtual void BuildFirmwareItems();
    virtual int PrepareKit();
    virtual int Flash();
    virtual bool WriteDiscoveryXml();
    virtual int FindReferenceDevice(const std::wstring &deviceId);

    // 1 = go on, 2 = usage shown on request, 0 = unusable (usage shown).
    int ParseCommandLine(int argc, const char *const *argv);
    // The run sequence; returns the process exit code.
    int Run();
    static void PrintUsage();

    // ActionUpgrade if any item is an upgrade, else ActionDowngrade if any is
    // a downgrade, else ActionRewrite if any is a rewrite, else ActionNone.
    int OverallAction() const;
    bool HasSupportedDevices() const { return !discovery.devices.empty(); }

    // "vvvv.dddd.ssvv.ssdd" built from an adapter record's PCI and subsystem ids.
    static std::wstring DeviceIdOf(const FcHbaInfo &info);
    std::wstring DeviceIdOf(size_t adapterIndex) const;

    bool IsSilent() const { return silent; }
    bool IsForced() const { return force; }
    bool IsDiscoveryRequested() const { return discoveryRequested; }
    const std::string &DiscoveryPath() const { return discoveryPath; }
    const CDiscovery &Discovery() const { return discovery; }
    const CReference &Reference() const { return reference; }
    const FcHbaInfoList &Adapters() const { return adapters; }
    CCmpLog &Log() { return log; }

protected:
    // One "Boot BIOS ROM" device per adapter that matches a reference device;
    // the device id is the adapter's own or, with idFromReference, the
    // matching reference device's.
    void BuildBootRomItems(bool idFromReference);

    // " 1>> LOG 2>> LOG 3>> LOG": a flash engine's outputs appended to the log.
    static std::string LogRedirections();
    // Runs a flash engine's shell command, waits, and writes "Flash Engine
    // exit code: " with its exit status byte; a shell that could not start or
    // was killed gets 255 or 128 + signal, never 0.
    int RunFlashEngine(const std::string &command);

    CCmpLog log;
    bool silent = false;
    bool discoveryRequested = false;
    bool force = false;
    FcHbaInfoList adapters;
    CReference reference;
    CDiscovery discovery;
    std::string discoveryPath;
};
