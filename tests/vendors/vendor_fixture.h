// Helpers shared by the vendor component tests: a catalogue writer, a view
// into a component's catalogue and model, and the component log.
#pragma once

#include "basecmp.h"
#include "console_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vendors {

struct RefDev {
    std::string id, model, firmware = "", bios = "", duration = "120";
};

// reference.xml text listing DEVS in order.
inline std::string Catalogue(const std::vector<RefDev> &devs)
{
    std::string xml = "<?xml version=\"1.0\"?>\n<qvdeploy_fchba_reference>\n<devices>\n";
    for (const RefDev &d : devs)
        xml += "<device><type value=\"FC HBA\"/><device_id value=\"" + d.id + "\"/><model value=\"" + d.model +
               "\"/><firmware value=\"" + d.firmware + "\"/><bios value=\"" + d.bios + "\"/><duration value=\"" +
               d.duration + "\"/></device>\n";
    return xml + "</devices>\n</qvdeploy_fchba_reference>\n";
}

// A vendor component whose catalogue the test loads itself.
template <class Component>
class Open : public Component {
public:
    bool LoadReference() { return this->reference.LoadReference(); }
    void SetForce(bool on) { this->force = on; }
    void SetSilent(bool on)
    {
        this->silent = on;
        this->log.SetSilent(on);
    }
};

// What one item of the model should hold.
struct Item {
    std::wstring type, version, active, action, shared;
};

inline void ExpectItems(const CDevice &dev, const std::vector<Item> &items)
{
    ASSERT_EQ(dev.items.size(), items.size());
    for (size_t i = 0; i < items.size(); i++) {
        SCOPED_TRACE("item " + std::to_string(i));
        const CFwItem &it = dev.items[i];
        EXPECT_EQ(it.type, items[i].type);
        EXPECT_EQ(it.firmwareId, L"");
        EXPECT_EQ(it.version, items[i].version);
        EXPECT_EQ(it.activeVersion, items[i].active);
        EXPECT_EQ(it.action, items[i].action);
        EXPECT_EQ(it.duration, L"120");
        EXPECT_EQ(it.message, L"");
        EXPECT_EQ(it.shared, items[i].shared);
    }
}

// The component log's growth since the object was made.
class LogWatch {
public:
    LogWatch() : before_(ComponentLogText()) {}
    std::string Added() const
    {
        const std::string now = ComponentLogText();
        return now.compare(0, before_.size(), before_) == 0 ? now.substr(before_.size()) : "<log rewritten>" + now;
    }

private:
    std::string before_;
};

} // namespace vendors
