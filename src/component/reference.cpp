#include "reference.h"
#include "textconv.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

struct XmlDocFree {
    void operator()(xmlDoc *d) const { xmlFreeDoc(d); }
};
struct XmlCharFree {
    void operator()(xmlChar *p) const { xmlFree(p); }
};

bool IsElement(const xmlNode *n, const char *name)
{
    return n->type == XML_ELEMENT_NODE && n->name &&
           std::strcmp(reinterpret_cast<const char *>(n->name), name) == 0;
}

std::wstring ValueAttribute(xmlNode *n)
{
    std::unique_ptr<xmlChar, XmlCharFree> v(xmlGetProp(n, BAD_CAST "value"));
    return v ? WidenBytes(reinterpret_cast<const char *>(v.get())) : std::wstring();
}

// The value of a path element is the CDATA section that is its first child;
// anything else (plain text, whitespace first) leaves the value as it was.
void ReadCdataPath(const xmlNode *n, std::wstring &out)
{
    const xmlNode *c = n->children;
    if (c && c->type == XML_CDATA_SECTION_NODE)
        out = WidenBytes(c->content ? reinterpret_cast<const char *>(c->content) : "");
}

CRefDevice ReadDevice(xmlNode *dev)
{
    CRefDevice d;
    for (xmlNode *c = dev->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        CRefDevice::Field f = CRefDevice::FieldOfElement(reinterpret_cast<const char *>(c->name));
        if (f == CRefDevice::FieldCount)
            continue;
        d.FieldRef(f) = ValueAttribute(c);
        if (f == CRefDevice::Bios && d.bios.empty())
            d.biosState = 0;
    }
    return d;
}

} // namespace

std::wstring &CRefDevice::FieldRef(Field f)
{
    switch (f) {
    case Type: return type;
    case DeviceId: return deviceId;
    case Model: return model;
    case Firmware: return firmware;
    case Bios: return bios;
    case Boot: return boot;
    case Duration: break;
    case FieldCount: break;
    }
    return duration;
}

CRefDevice::Field CRefDevice::FieldOfElement(const char *name)
{
    static const char *const names[FieldCount] = {"type", "device_id", "model", "firmware",
                                                  "bios", "boot",      "duration"};
    for (int i = 0; i < FieldCount; i++)
        if (std::strcmp(name, names[i]) == 0)
            return static_cast<Field>(i);
    return FieldCount;
}

bool CReference::LoadReference()
{
    discoveryAppPath.clear();
    installerAppPath.clear();
    devices.clear();

    struct stat st;
    if (stat("reference.xml", &st) != 0)
        return false;

    xmlInitParser();
    // Default parsing, except that nothing is ever fetched from the network.
    std::unique_ptr<xmlDoc, XmlDocFree> doc(xmlReadFile("reference.xml", nullptr, XML_PARSE_NONET));
    if (!doc) {
        xmlCleanupParser();
        return false;
    }

    // A flat walk: the root element switches the walk to its children and it
    // never returns to the level above.
    xmlNode *n = doc->children;
    while (n) {
        if (IsElement(n, "qvdeploy_fchba_reference")) {
            n = n->children;
            continue;
        }
        if (IsElement(n, "discovery_app_path")) {
            ReadCdataPath(n, discoveryAppPath);
        } else if (IsElement(n, "installer_app_path")) {
            ReadCdataPath(n, installerAppPath);
        } else if (IsElement(n, "devices")) {
            for (xmlNode *c = n->children; c; c = c->next)
                if (IsElement(c, "device"))
                    devices.push_back(ReadDevice(c));
        }
        n = n->next;
    }

    doc.reset();
    xmlCleanupParser();
    return true;
}
