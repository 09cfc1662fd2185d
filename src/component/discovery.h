// The discovery result: supported devices, their firmware items and the
// update action of each item.
#pragma once

#include <string>
#include <vector>

class CFwItem {
public:
    std::wstring type;
    std::wstring firmwareId;
    std::wstring version;        // carried by the package
    std::wstring activeVersion;  // found on the adapter
    std::wstring action;         // "upgrade", "downgrade" or "rewrite"
    std::wstring duration;
    std::wstring message;
    std::wstring shared;
};

class CDevice {
public:
    std::wstring deviceId;
    std::wstring productId;
    std::wstring busNumber;
    std::wstring funcNumber;
    std::vector<CFwItem> items;
};

class CDiscovery {
public:
    std::wstring type;
    std::wstring altName;
    std::wstring version;
    std::wstring takesEffect;
    std::vector<CDevice> devices;
};

// Action codes of OverallAction.
enum : int { ActionNone = 0, ActionUpgrade = 1, ActionRewrite = 2, ActionDowngrade = 4 };

// 1 when the packaged version a is higher than the active version b, 0 when
// equal, -1 when lower. Dotted fields compare numerically when both are all
// digits, otherwise character by character.
int CompareVersions(const std::wstring &a, const std::wstring &b);

// "upgrade", "rewrite" or "downgrade" for a CompareVersions result.
const wchar_t *ActionWord(int comparison);
