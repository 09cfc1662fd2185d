// The discovery document written with /d path.
#include "basecmp.h"
#include "textconv.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>

#include <cstdio>
#include <memory>

namespace {

struct XmlDocFree {
    void operator()(xmlDoc *d) const { xmlFreeDoc(d); }
};
struct FileClose {
    void operator()(FILE *f) const { std::fclose(f); }
};

// An empty element whose "value" attribute carries the text.
bool AddValue(xmlNode *parent, const char *name, const std::wstring &value)
{
    xmlNode *n = xmlNewChild(parent, nullptr, BAD_CAST name, nullptr);
    if (!n)
        return false;
    const std::string v = NarrowBytes(value);
    return xmlNewProp(n, BAD_CAST "value", BAD_CAST v.c_str()) != nullptr;
}

bool AddItem(xmlNode *parent, const CFwItem &it)
{
    xmlNode *n = xmlNewChild(parent, nullptr, BAD_CAST "fw_item", nullptr);
    return n && AddValue(n, "type", it.type) && AddValue(n, "firmware_id", it.firmwareId) &&
           AddValue(n, "version", it.version) && AddValue(n, "active_version", it.activeVersion) &&
           AddValue(n, "action", it.action) && AddValue(n, "duration", it.duration) &&
           AddValue(n, "message", it.message) && AddValue(n, "shared", it.shared);
}

bool AddDevice(xmlNode *parent, const CDevice &d)
{
    xmlNode *n = xmlNewChild(parent, nullptr, BAD_CAST "device", nullptr);
    if (!n || !AddValue(n, "device_id", d.deviceId) || !AddValue(n, "product_id", d.productId) ||
        !AddValue(n, "busnumber", d.busNumber) || !AddValue(n, "funcnumber", d.funcNumber))
        return false;
    for (const CFwItem &it : d.items)
        if (!AddItem(n, it))
            return false;
    return true;
}

} // namespace

bool CBaseCmp::WriteDiscoveryXml()
{
    xmlInitParser();
    std::unique_ptr<xmlDoc, XmlDocFree> doc(xmlNewDoc(BAD_CAST "1.0"));
    if (!doc)
        return false;
    xmlNode *root = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "qv_rom_discovery", nullptr);
    if (!root)
        return false;
    xmlDocSetRootElement(doc.get(), root);
    if (!xmlNewProp(root, BAD_CAST "version", BAD_CAST "2.0.0.0"))
        return false;

    if (!AddValue(root, "type", discovery.type) || !AddValue(root, "alt_name", discovery.altName) ||
        !AddValue(root, "version", discovery.version) ||
        !AddValue(root, "takes_effect", discovery.takesEffect))
        return false;
    xmlNode *devices = xmlNewChild(root, nullptr, BAD_CAST "devices", nullptr);
    if (!devices)
        return false;
    for (const CDevice &d : discovery.devices)
        if (!AddDevice(devices, d))
            return false;

    // The path is a plain file name (the library's own save would also take
    // "-" or a URL), and a document that cannot be saved is a failure.
    std::unique_ptr<FILE, FileClose> f(std::fopen(discoveryPath.c_str(), "w"));
    if (!f)
        return false;
    xmlOutputBuffer *out = xmlOutputBufferCreateFile(f.get(), nullptr);
    if (!out)
        return false;
    // Saving closes the output buffer, not the file.
    const bool saved = xmlSaveFormatFileTo(out, doc.get(), nullptr, 1) >= 0;
    return std::fclose(f.release()) == 0 && saved;
}
