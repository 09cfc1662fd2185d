/* The umockdev testbed: the sysfs tree the programs read, the device nodes
 * tvasim serves, and the ioctl handlers that decode what arrives on them. */
#include "testbed.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <glib.h>
#include <linux/bsg.h>
#include <map>
#include <scsi/sg.h>
#include <sys/stat.h>
#include <unistd.h>
#include <umockdev.h>

#include "sim.h"

namespace tvasim {

namespace {

/* Where the emulated drivers read the FC transport request block. */
constexpr uint32_t FC_BSG_HST_VENDOR = TVA_FC_BSG_HST_VENDOR;
constexpr uint32_t FC_BSG_HST_ELS_NOLOGIN = TVA_FC_BSG_HST_ELS_NOLOGIN;
constexpr uint32_t FC_BSG_HST_CT = TVA_FC_BSG_HST_CT;
constexpr uint32_t FC_BSG_RPT_ELS = TVA_FC_BSG_RPT_ELS;
constexpr uint32_t FC_BSG_RPT_CT = TVA_FC_BSG_RPT_CT;
constexpr size_t BSG_DATA_OFF = offsetof(tva_fc_bsg_request_t, rqst_data);
constexpr size_t BSG_VENDOR_ID_OFF = BSG_DATA_OFF + offsetof(tva_fc_bsg_host_vendor_t, vendor_id);
constexpr size_t BSG_VENDOR_CMD_OFF = BSG_DATA_OFF + offsetof(tva_fc_bsg_host_vendor_t, vendor_cmd);
constexpr size_t BSG_PORT_ID_OFF = BSG_DATA_OFF + offsetof(tva_fc_bsg_host_els_t, port_id);
constexpr size_t BSG_MIN_REQUEST = BSG_VENDOR_CMD_OFF + 4;

enum class NodeKind { FcHost, Rport, Sg, Tvn, Ipfc };

struct Node {
    NodeKind kind;
    Function *fn = nullptr;
    RemotePort *rport = nullptr;
    Lun *lun = nullptr;
};

UMockdevTestbed *g_tb = nullptr;
std::map<std::string, Node> g_nodes;
std::vector<UMockdevIoctlBase *> g_handlers;

std::string sys_path(const std::string &syspath)
{
    return host().root() + syspath;
}

void write_file(const std::string &path, const std::string &text)
{
    FILE *f = std::fopen(path.c_str(), "w");
    if (!f)
        return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

void mkdirs(const std::string &path)
{
    g_mkdir_with_parents(path.c_str(), 0755);
}

void symlink_rel(const std::string &target, const std::string &link)
{
    unlink(link.c_str());
    if (symlink(target.c_str(), link.c_str()) != 0)
        std::fprintf(stderr, "tvasim: symlink %s: %s\n", link.c_str(), std::strerror(errno));
}

using KV = std::vector<std::pair<std::string, std::string>>;

/* A path relative to the directory of link, both under /sys. */
std::string rel_to(const std::string &link, const std::string &target)
{
    size_t depth = 0;
    for (size_t i = 5; i < link.size(); ++i) /* components after "/sys/" */
        if (link[i] == '/')
            ++depth;
    std::string r;
    for (size_t i = 0; i < depth; ++i)
        r += "../";
    return r + target.substr(5);
}

/* A sysfs device the way umockdev's testbed lays it out (directory with
 * attributes and uevent, subsystem link, bus or class link, /sys/dev link),
 * written directly: umockdev's own call costs ~10 ms a device. */
std::string add_device(const char *subsystem, const std::string &name, const std::string &parent, const KV &attrs,
                       const KV &props)
{
    const std::string sys = (parent.empty() ? std::string("/sys/devices") : parent) + "/" + name;
    const std::string dir = sys_path(sys);
    mkdirs(dir);
    std::string devnum;
    for (auto &kv : attrs) {
        const std::string &v = kv.second;
        /* sysfs attributes read back with a trailing newline */
        write_file(dir + "/" + kv.first, v.empty() || v.back() == '\n' ? v : v + "\n");
        if (kv.first == "dev")
            devnum = v;
    }
    std::string uevent;
    for (auto &kv : props)
        uevent += kv.first + "=" + (kv.first == "DEVNAME" && kv.second.rfind("/dev/", 0) == 0 ? kv.second.substr(5)
                                                                                            : kv.second) + "\n";
    write_file(dir + "/uevent", uevent);
    const std::string sub = subsystem;
    const std::string base = name.substr(name.rfind('/') + 1);
    const bool bus = sub == "pci" || sub == "scsi";
    const std::string subdir = bus ? "/sys/bus/" + sub : "/sys/class/" + sub;
    const std::string listdir = bus ? subdir + "/devices" : subdir;
    mkdirs(sys_path(listdir));
    symlink_rel(rel_to(listdir + "/" + base, sys), sys_path(listdir + "/" + base));
    symlink_rel(rel_to(sys + "/subsystem", subdir), dir + "/subsystem");
    if (!bus && !parent.empty())
        symlink_rel(rel_to(sys + "/device", parent), dir + "/device");
    if (!devnum.empty()) {
        const std::string kind = sub == "block" ? "block" : "char";
        mkdirs(sys_path("/sys/dev/" + kind));
        symlink_rel(rel_to("/sys/dev/" + kind + "/" + devnum, sys), sys_path("/sys/dev/" + kind + "/" + devnum));
    }
    return sys;
}

std::string hex4(unsigned v)
{
    char b[8];
    std::snprintf(b, sizeof(b), "0x%04x", v);
    return b;
}

int g_next_minor = 0;

/* A served character node: sysfs device with dev and DEVNAME, the node file
 * in the testbed's /dev, and the ioctl handler. */
void add_node(const char *subsystem, const std::string &name, const std::string &parent, const std::string &devname,
              int major, const Node &node, const KV &extra_attrs = {});

gboolean on_ioctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer);

void add_node(const char *subsystem, const std::string &name, const std::string &parent, const std::string &devname,
              int major, const Node &node, const KV &extra_attrs)
{
    int minor = g_next_minor++;
    KV attrs = extra_attrs;
    attrs.push_back({"dev", std::to_string(major) + ":" + std::to_string(minor)});
    add_device(subsystem, name, parent, attrs, {{"DEVNAME", devname}, {"MAJOR", std::to_string(major)},
                                                 {"MINOR", std::to_string(minor)}});
    std::string file = host().root() + devname;
    mkdirs(file.substr(0, file.rfind('/')));
    write_file(file, "");
    /* umockdev's preload reports the node as a character device with the
     * number this link names */
    std::string tag = devname.substr(5);
    std::replace(tag.begin(), tag.end(), '/', '_');
    mkdirs(host().root() + "/dev/.node");
    symlink_rel(std::to_string(major) + ":" + std::to_string(minor), host().root() + "/dev/.node/" + tag);
    UMockdevIoctlBase *h = umockdev_ioctl_base_new();
    g_signal_connect(h, "handle-ioctl", G_CALLBACK(on_ioctl), nullptr);
    GError *e = nullptr;
    if (!umockdev_testbed_attach_ioctl(g_tb, devname.c_str(), h, &e)) {
        std::fprintf(stderr, "tvasim: cannot serve %s: %s\n", devname.c_str(), e ? e->message : "?");
        g_clear_error(&e);
        g_object_unref(h);
        return;
    }
    g_handlers.push_back(h);
    g_nodes[devname] = node;
}

std::string fc_speed_text(unsigned gbit)
{
    return std::to_string(gbit) + " Gbit";
}

void build_storage(Function &f, const std::string &pcisys)
{
    const std::string hn = "host" + std::to_string(f.host);
    if (!f.has_host_entry)
        return;
    std::string hostsys = add_device("scsi_host", hn, pcisys,
                                     {{"proc_name", "tvad"}, {"unique_id", std::to_string(f.host)},
                                      {"state", "running"}, {"host_busy", "0"}, {"can_queue", "2048"},
                                      {"cmd_per_lun", "3"}, {"sg_tablesize", "256"}},
                                     {});
    Adapter &a = *f.adapter;
    unsigned speed = a.max_speed ? a.max_speed : 8;
    std::string fcsys = add_device(
        "fc_host", "fc_host/" + hn, hostsys,
        {{"port_name", "0x" + wwn_hex(f.pwwn)},
         {"node_name", "0x" + wwn_hex(f.nwwn)},
         {"permanent_port_name", "0x" + wwn_hex(f.factory_pwwn)},
         {"port_id", [&] {
              char b[16];
              std::snprintf(b, sizeof(b), "0x%06x", f.fcid);
              return std::string(b);
          }()},
         {"port_state", f.state == 6 ? "Online" : "Offline"},
         {"port_type", "NPort (fabric via point-to-point)"},
         {"speed", fc_speed_text(speed)},
         {"supported_speeds", speed >= 16 ? "4 Gbit, 8 Gbit, 16 Gbit" : speed >= 10 ? "10 Gbit" : "2 Gbit, 4 Gbit, 8 Gbit"},
         {"supported_classes", "Class 3"},
         {"supported_fc4s", "0x00 0x00 0x01 0x00 0x00 0x00 0x00 0x01"},
         {"active_fc4s", "0x00 0x00 0x01 0x00 0x00 0x00 0x00 0x01"},
         {"maxframe_size", "2112 bytes"},
         {"fabric_name", "0x" + wwn_hex(Wwn{0x10, 0x00, 0x00, 0x05, 0x33, 0x00, 0x00, uint8_t(f.host)})},
         {"symbolic_name", a.model + " FW:v" + a.fw_ver + " DRVR:v" + a.driver_ver},
         {"max_npiv_vports", std::to_string(f.max_vports)},
         {"npiv_vports_inuse", std::to_string(f.vports.size())},
         {"tgtid_bind_type", "wwpn (World Wide Port Name)"},
         {"dev_loss_tmo", "30"},
         {"issue_lip", ""},
         {"vport_create", ""},
         {"vport_delete", ""}},
        {});
    /* vport_create and vport_delete answer what is written to them */
    for (const char *file : {"vport_create", "vport_delete"})
        symlink_rel(host().root() + "/.tvasim/files/fc_host/" + hn + "/" + file, sys_path(fcsys) + "/" + file);

    std::string node = f.node();
    add_node("bsg", "bsg/fc_" + hn, hostsys, node, 250, Node{NodeKind::FcHost, &f});

    for (auto &r : f.rports) {
        const std::string rn = "rport-" + std::to_string(f.host) + ":" + std::to_string(r.channel) + "-" +
                               std::to_string(r.target);
        std::string rsys = hostsys + "/" + rn;
        mkdirs(sys_path(rsys));
        char fcid[16];
        std::snprintf(fcid, sizeof(fcid), "0x%06x", r.fcid);
        add_device("fc_remote_ports", rn + "/fc_remote_ports/" + rn, hostsys,
                   {{"port_name", "0x" + wwn_hex(r.pwwn)},
                    {"node_name", "0x" + wwn_hex(r.nwwn)},
                    {"port_id", fcid},
                    {"port_state", r.online ? "Online" : "Blocked"},
                    {"roles", "FCP Target"},
                    {"scsi_target_id", std::to_string(r.target)},
                    {"supported_classes", "Class 3"},
                    {"dev_loss_tmo", "30"}},
                   {});
        add_node("bsg", rn + "/bsg/" + rn, hostsys, "/dev/bsg/" + rn, 250, Node{NodeKind::Rport, &f, &r});
        const std::string tn = "target" + std::to_string(f.host) + ":" + std::to_string(r.channel) + ":" +
                               std::to_string(r.target);
        mkdirs(sys_path(rsys + "/" + tn));
        for (auto &l : r.luns) {
            const std::string hctl = std::to_string(f.host) + ":" + std::to_string(r.channel) + ":" +
                                     std::to_string(r.target) + ":" + std::to_string(l.lun);
            std::string lsys = add_device("scsi", rn + "/" + tn + "/" + hctl, hostsys,
                                          {{"vendor", l.vendor},
                                           {"model", l.product},
                                           {"rev", l.revision},
                                           {"type", "0"},
                                           {"scsi_level", "7"},
                                           {"state", "running"},
                                           {"queue_depth", "32"}},
                                          {{"DEVTYPE", "scsi_device"}});
            add_device("scsi_device", "scsi_device/" + hctl, lsys, {}, {});
            add_node("scsi_generic", "scsi_generic/" + l.sg, lsys, "/dev/" + l.sg, 21, Node{NodeKind::Sg, &f, &r, &l});
            if (!l.block.empty()) {
                int minor = g_next_minor++;
                add_device("block", "block/" + l.block, lsys,
                           {{"dev", "8:" + std::to_string(minor)}, {"size", std::to_string(l.blocks)}, {"ro", "0"},
                            {"removable", "0"}},
                           {{"DEVNAME", "/dev/" + l.block}, {"DEVTYPE", "disk"}});
            }
        }
    }
    for (auto &v : f.vports)
        add_vport_dir(f, v);
}

void build_eth(Function &f, const std::string &pcisys)
{
    static int ifindex = 2;
    add_device("net", "net/" + f.eth_name, pcisys,
               {{"address", mac_str(f.current_mac)},
                {"addr_len", "6"},
                {"operstate", f.state == 6 ? "up" : "down"},
                {"carrier", f.state == 6 ? "1" : "0"},
                {"mtu", "1500"},
                {"speed", std::to_string((f.adapter->max_speed ? f.adapter->max_speed : 10) * 1000)},
                {"duplex", "full"},
                {"type", "1"},
                {"ifindex", std::to_string(ifindex++)}},
               {{"INTERFACE", f.eth_name}});
}

void build_debugfs_links()
{
    /* The debug files live on tvasim's own file system; sysfs points there. */
    std::string dbg = host().root() + "/sys/kernel";
    mkdirs(dbg);
    symlink_rel(host().root() + "/.tvasim/files/debug", dbg + "/debug");
}

/* Driver instances as the scan numbers them: storage functions in the
 * directory order of the storage driver, then Ethernet functions in the
 * order of the network driver. Computed from the same directories. */
void number_instances(bool tva, bool tvn)
{
    int idx = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if ((pass == 0 && !tva) || (pass == 1 && !tvn))
            continue;
        std::string dir = host().root() + "/sys/bus/pci/drivers/" + (pass == 0 ? "tva" : "tvn");
        DIR *d = opendir(dir.c_str());
        if (!d)
            continue;
        int n = 0;
        while (dirent *e = readdir(d)) {
            /* the directory holds PCI addresses and the driver's own files */
            Function *f = host().by_pci(e->d_name);
            if (!f)
                continue;
            if (f->storage() && !f->has_host_entry)
                continue;
            if (!f->raw.contains("instance")) /* else fixed by the scenario */
                f->instance = pass == 0 ? idx : n;
            ++idx;
            ++n;
        }
        closedir(d);
    }
}

} // namespace

void add_vport_dir(Function &f, const Vport &v)
{
    const std::string name = "vport-" + std::to_string(f.host) + ":0-" + std::to_string(v.number);
    /* /sys/devices/.../hostH/vport-H:0-n/fc_vports/vport-H:0-n */
    std::string hostdir;
    for (auto &[path, node] : g_nodes)
        if (node.kind == NodeKind::FcHost && node.fn == &f)
            hostdir = path;
    std::string base = host().root() + "/sys/class/scsi_host/host" + std::to_string(f.host);
    char real[PATH_MAX];
    if (!realpath(base.c_str(), real))
        return;
    std::string vdir = std::string(real) + "/" + name + "/fc_vports/" + name;
    mkdirs(vdir);
    write_file(vdir + "/port_name", "0x" + wwn_hex(v.pwwn) + "\n");
    write_file(vdir + "/node_name", "0x" + wwn_hex(v.nwwn) + "\n");
    write_file(vdir + "/symbolic_name", v.symname + (v.symname.empty() ? "" : "\n"));
    write_file(vdir + "/roles", "FCP Initiator\n");
    write_file(vdir + "/vport_state", "Active\n");
    write_file(vdir + "/vport_type", "NPIV\n");
    write_file(vdir + "/vport_last_state", "Active\n");
    std::string cls = host().root() + "/sys/class/fc_vports";
    mkdirs(cls);
    std::string rel = vdir.substr(host().root().size() + 5); /* strip <root>/sys/ */
    symlink_rel("../../" + rel, cls + "/" + name);
}

void remove_vport_dir(Function &f, const Vport &v)
{
    const std::string name = "vport-" + std::to_string(f.host) + ":0-" + std::to_string(v.number);
    std::string link = host().root() + "/sys/class/fc_vports/" + name;
    char real[PATH_MAX];
    if (realpath(link.c_str(), real)) {
        std::string dir = real;
        for (const char *file : {"port_name", "node_name", "symbolic_name", "roles", "vport_state", "vport_type",
                                 "vport_last_state"})
            unlink((dir + "/" + file).c_str());
        rmdir(dir.c_str());
        std::string up = dir.substr(0, dir.rfind('/'));
        rmdir(up.c_str());
        rmdir(up.substr(0, up.rfind('/')).c_str());
    }
    unlink(link.c_str());
}

void sysfs_write(const std::string &rel, const std::string &text)
{
    write_file(host().root() + rel, text);
}

bool build_testbed(std::string &err)
{
    g_tb = umockdev_testbed_new();
    if (!g_tb) {
        err = "cannot create the umockdev testbed";
        return false;
    }
    gchar *root = umockdev_testbed_get_root_dir(g_tb);
    host().root_ = root;
    g_free(root);
    mkdirs(host().root() + "/.tvasim/files");

    bool tva = false, tvn = false;
    for (auto &f : host().functions) {
        if (f->storage())
            tva = true;
        else
            tvn = true;
    }
    /* a scenario may leave a driver unloaded although its functions exist */
    auto drivers = host().options.find("drivers");
    if (drivers != host().options.end() && drivers->is_array()) {
        bool t = false, n = false;
        for (auto &d : *drivers) {
            if (d == "tva")
                t = true;
            if (d == "tvn")
                n = true;
        }
        tva = tva && t;
        tvn = tvn && n;
    }

    const std::string drvroot = host().root() + "/sys/bus/pci/drivers";
    for (const char *drv : {"tva", "tvn"}) {
        if ((drv[2] == 'a' && !tva) || (drv[2] == 'n' && !tvn))
            continue;
        std::string dir = drvroot + "/" + drv;
        mkdirs(dir);
        for (const char *file : {"bind", "unbind", "new_id", "remove_id", "uevent"})
            write_file(dir + "/" + file, "");
        std::string mod = drv[2] == 'a' ? "tvad" : "tvnd";
        std::string moddir = host().root() + "/sys/module/" + mod;
        mkdirs(moddir);
        std::string ver = host().adapters.empty() ? "3.2.3.0" : host().adapters.front()->driver_ver;
        write_file(moddir + "/version", ver + "\n");
        symlink_rel("../../../../module/" + mod, dir + "/module");
    }

    for (auto &fp : host().functions) {
        Function &f = *fp;
        Adapter &a = *f.adapter;
        bool loaded = f.storage() ? tva : tvn;
        std::string pcisys = add_device(
            "pci", "pci0000:00/" + f.pci, "",
            {{"vendor", hex4(f.vendor_id)},
             {"device", hex4(f.device_id)},
             {"subsystem_vendor", hex4(f.ssvid)},
             {"subsystem_device", hex4(f.ssid)},
             {"class", [&] {
                  char b[12];
                  std::snprintf(b, sizeof(b), "0x%06x", f.pci_class);
                  return std::string(b);
              }()},
             {"revision", "0x" + std::string(a.chip_rev.size() >= 2 ? "02" : "01")},
             {"irq", std::to_string(32 + f.pcifn)},
             {"enable", "1"},
             {"numa_node", "-1"},
             {"local_cpus", "ff"}},
            {{"PCI_ID", [&] {
                  char b[16];
                  std::snprintf(b, sizeof(b), "%04X:%04X", f.vendor_id, f.device_id);
                  return std::string(b);
              }()},
             {"PCI_SUBSYS_ID", [&] {
                  char b[16];
                  std::snprintf(b, sizeof(b), "%04X:%04X", f.ssvid, f.ssid);
                  return std::string(b);
              }()},
             {"PCI_SLOT_NAME", f.pci},
             {"DRIVER", loaded && f.bound ? (f.storage() ? "tva" : "tvn") : ""}});
        if (pcisys.empty()) {
            err = "cannot add PCI function " + f.pci;
            return false;
        }
        if (loaded && f.bound) {
            std::string dir = drvroot + "/" + f.driver_dir();
            symlink_rel("../../../../devices/pci0000:00/" + f.pci, dir + "/" + f.pci);
            symlink_rel("../../bus/pci/drivers/" + std::string(f.driver_dir()), sys_path(pcisys) + "/driver");
            if (f.storage())
                build_storage(f, pcisys);
            else
                build_eth(f, pcisys);
        }
    }
    if (tva)
        add_node("misc", "virtual/misc/tvaipfc", "", "/dev/tvaipfc", 10, Node{NodeKind::Ipfc});
    if (tvn)
        add_node("misc", "virtual/misc/tvn", "", "/dev/tvn", 10, Node{NodeKind::Tvn});
    build_debugfs_links();
    number_instances(tva, tvn);
    return true;
}

void destroy_testbed()
{
    /* Finalizing the testbed and its handlers takes umockdev seconds; the
     * process ends right after this, and the testbed's directory goes with
     * the run's scratch file system. */
    g_nodes.clear();
}

/* ---- serving the nodes ------------------------------------------------------- */

namespace {

struct Pending {
    UMockdevIoctlClient *client;
    Request req;
    FaultOutcome fo;
    std::vector<uint8_t> copy; /* payload copy when data-out and data-in differ */
    UMockdevIoctlData *din = nullptr;
    size_t din_len = 0;
    uint32_t bsg_resid_off = 0;
    UMockdevIoctlData *hdr = nullptr;
};

struct Ctx {
    UMockdevIoctlData *chunk; /* the umockdev buffer the payload lives in */
};

void complete(Pending *p)
{
    Request &r = p->req;
    if (r.error) {
        umockdev_ioctl_client_complete(p->client, -1, r.error);
    } else {
        if (!p->copy.empty() && p->din) {
            size_t n = std::min(p->copy.size(), p->din_len);
            std::memcpy(p->din->data, p->copy.data(), n);
        }
        umockdev_ioctl_client_complete(p->client, 0, 0);
    }
    delete static_cast<Ctx *>(r.priv);
    g_object_unref(p->client);
    delete p;
}

gboolean on_delay_done(gpointer data)
{
    auto *p = static_cast<Pending *>(data);
    finish_request(p->req, p->fo);
    complete(p);
    return G_SOURCE_REMOVE;
}

void dispatch(Pending *p)
{
    p->fo = begin_request(p->req);
    if (p->fo.delay_ms > 0) {
        g_timeout_add(static_cast<guint>(p->fo.delay_ms), on_delay_done, p);
        return;
    }
    finish_request(p->req, p->fo);
    complete(p);
}

/* Finds the registered code an Ethernet request stands for: its group byte
 * was replaced by 0x44, so look among the group forms that map to it. */
uint32_t eth_to_code(uint32_t eth_code)
{
    uint32_t plain = (eth_code & 0xffff00ffu) | (TVA_IOC_GRP_IOC << 8);
    if (find_handler(plain))
        return plain;
    for (uint32_t g : {0xb0u, 0xb1u, 0xb2u, 0xb3u, 0xb4u, 0xb6u, 0xb7u, 0xb8u, 0xb9u, 0xbau, 0xbbu, 0xbdu, 0xbeu,
                       0xc0u, 0xc1u, 0xc2u, 0xc3u}) {
        uint32_t c = (eth_code & 0xffff00ffu) | (g << 8);
        if (find_handler(c))
            return c;
    }
    return plain;
}

/* Runs fn now, or ms milliseconds later on the main loop (other requests
 * are served meanwhile). */
void later(long ms, std::function<void()> fn)
{
    if (ms <= 0) {
        fn();
        return;
    }
    auto *f = new std::function<void()>(std::move(fn));
    g_timeout_add(
        static_cast<guint>(ms),
        [](gpointer p) -> gboolean {
            auto *g = static_cast<std::function<void()> *>(p);
            (*g)();
            delete g;
            return G_SOURCE_REMOVE;
        },
        f);
}

/* The status of the pass-through record the sender announced after the FC
 * transport request (tva_bsg_data_t: its length and the low 32 bits of its
 * address, which the sender keeps below 4 GiB). */
void set_fcpt_status(UMockdevIoctlData *blk, uint32_t request_len, uint32_t status)
{
    constexpr size_t data_off = offsetof(tva_bsg_request_block_t, data);
    if (request_len != sizeof(tva_bsg_request_block_t) || blk->data_len < static_cast<gint>(request_len + 4))
        return;
    GError *e = nullptr;
    tva_bsg_data_t d;
    std::memcpy(&d, blk->data + data_off, sizeof(d));
    if (d.payload_len < sizeof(tva_bsg_fcpt_t) || d.payload == 0)
        return;
    uint8_t saved[4];
    std::memcpy(saved, blk->data + request_len, 4);
    std::memset(blk->data + request_len, 0, 4);
    UMockdevIoctlData *rec = umockdev_ioctl_data_resolve(blk, data_off + offsetof(tva_bsg_data_t, payload),
                                                         sizeof(tva_bsg_fcpt_t), &e);
    std::memcpy(blk->data + request_len, saved, 4);
    if (!rec) {
        g_clear_error(&e);
        return;
    }
    std::memcpy(rec->data + offsetof(tva_bsg_fcpt_t, status), &status, 4);
}

gboolean serve_bsg(UMockdevIoctlClient *client, const Node &node)
{
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    GError *e = nullptr;
    UMockdevIoctlData *hd = umockdev_ioctl_data_resolve(arg, 0, sizeof(sg_io_v4), &e);
    if (!hd) {
        g_clear_error(&e);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    auto *h = reinterpret_cast<sg_io_v4 *>(hd->data);
    if (h->guard != 'Q' || h->protocol != BSG_PROTOCOL_SCSI || h->subprotocol != BSG_SUB_PROTOCOL_SCSI_TRANSPORT ||
        h->request_len < BSG_MIN_REQUEST || h->request_len > 4096 || h->dout_iovec_count || h->din_iovec_count) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return TRUE;
    }
    /* The request block is fetched with 4 bytes more when it may announce a
     * pass-through record, so that its 32-bit address can be read as a
     * pointer (see set_fcpt_status); the bytes go back unchanged. */
    const uint32_t rq_len = h->request_len + (h->request_len == sizeof(tva_bsg_request_block_t) ? 4 : 0);
    UMockdevIoctlData *rq = umockdev_ioctl_data_resolve(hd, offsetof(sg_io_v4, request), rq_len, &e);
    if (!rq) {
        g_clear_error(&e);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    uint32_t msgcode;
    std::memcpy(&msgcode, rq->data, 4);
    const size_t dout_len = h->dout_xfer_len, din_len = h->din_xfer_len;
    const bool same = h->dout_xferp == h->din_xferp;

    if (msgcode == FC_BSG_HST_VENDOR && node.kind == NodeKind::FcHost) {
        uint64_t vendor;
        uint32_t code;
        std::memcpy(&vendor, rq->data + BSG_VENDOR_ID_OFF, 8);
        std::memcpy(&code, rq->data + BSG_VENDOR_CMD_OFF, 4);
        if (vendor != 0x1657 || dout_len == 0 || din_len == 0) {
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return TRUE;
        }
        auto *p = new Pending{};
        p->client = static_cast<UMockdevIoctlClient *>(g_object_ref(client));
        p->req.code = code;
        p->req.fn = node.fn;
        p->req.path = Request::Path::Bsg;
        /* The payload is answered in place; when data-out and data-in are one
         * buffer, it is fetched once so the answer is not overwritten. */
        size_t len = same ? std::max(dout_len, din_len) : din_len;
        UMockdevIoctlData *din = umockdev_ioctl_data_resolve(hd, offsetof(sg_io_v4, din_xferp), len, &e);
        if (!din) {
            g_clear_error(&e);
            g_object_unref(client);
            delete p;
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return TRUE;
        }
        if (!same) {
            UMockdevIoctlData *dout = umockdev_ioctl_data_resolve(hd, offsetof(sg_io_v4, dout_xferp), dout_len, &e);
            if (!dout) {
                g_clear_error(&e);
                g_object_unref(client);
                delete p;
                umockdev_ioctl_client_complete(client, -1, EFAULT);
                return TRUE;
            }
            std::memcpy(din->data, dout->data, std::min(dout_len, din_len));
        }
        p->req.data = din->data;
        p->req.len = len;
        p->req.priv = new Ctx{din};
        dispatch(p);
        return TRUE;
    }

    if (msgcode == FC_BSG_HST_ELS_NOLOGIN || msgcode == FC_BSG_HST_CT || msgcode == FC_BSG_RPT_ELS ||
        msgcode == FC_BSG_RPT_CT) {
        bool rport_msg = msgcode == FC_BSG_RPT_ELS || msgcode == FC_BSG_RPT_CT;
        if (rport_msg != (node.kind == NodeKind::Rport)) {
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return TRUE;
        }
        UMockdevIoctlData *dout = dout_len ? umockdev_ioctl_data_resolve(hd, offsetof(sg_io_v4, dout_xferp), dout_len, &e)
                                           : nullptr;
        UMockdevIoctlData *din = din_len ? umockdev_ioctl_data_resolve(hd, offsetof(sg_io_v4, din_xferp), din_len, &e)
                                         : nullptr;
        if ((dout_len && !dout) || (din_len && !din)) {
            g_clear_error(&e);
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return TRUE;
        }
        FcExchange x{};
        x.fn = node.fn;
        x.rport = node.rport;
        x.msgcode = msgcode;
        x.els_code = rq->data[BSG_DATA_OFF];
        x.did = (uint32_t(rq->data[BSG_PORT_ID_OFF]) << 16) | (uint32_t(rq->data[BSG_PORT_ID_OFF + 1]) << 8) |
                rq->data[BSG_PORT_ID_OFF + 2];
        std::vector<uint8_t> reqcopy(dout ? dout->data : nullptr, dout ? dout->data + dout_len : nullptr);
        x.req_len = reqcopy.size();
        x.rsp = din ? din->data : nullptr;
        x.rsp_len = din_len;
        uint32_t code = TVA_IOCTL_FCPT; /* faults name the pass-through by its request code */
        FaultOutcome fo = check_faults(code, node.fn);
        auto *c = static_cast<UMockdevIoctlClient *>(g_object_ref(client));
        auto req = std::make_shared<std::vector<uint8_t>>(std::move(reqcopy));
        later(fo.delay_ms, [c, rq, h, x, fo, din_len, req]() mutable {
            x.req = req->data();
            if (fo.err) {
                umockdev_ioctl_client_complete(c, -1, fo.err);
            } else {
                long n = 0;
                if (fo.status_set) {
                    set_fcpt_status(rq, h->request_len, fo.status);
                } else {
                    std::lock_guard<std::mutex> g(host().lock);
                    n = fc_exchange(x);
                }
                if (n < 0) {
                    umockdev_ioctl_client_complete(c, -1, static_cast<int>(-n));
                } else {
                    h->din_resid = static_cast<int32_t>(din_len - std::min(static_cast<size_t>(n), din_len));
                    h->response_len = 0;
                    h->driver_status = h->transport_status = h->device_status = 0;
                    umockdev_ioctl_client_complete(c, 0, 0);
                }
            }
            g_object_unref(c);
        });
        return TRUE;
    }
    umockdev_ioctl_client_complete(client, -1, EINVAL);
    return TRUE;
}

gboolean serve_sg(UMockdevIoctlClient *client, const Node &node)
{
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    GError *e = nullptr;
    UMockdevIoctlData *hd = umockdev_ioctl_data_resolve(arg, 0, sizeof(sg_io_hdr_t), &e);
    if (!hd) {
        g_clear_error(&e);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    auto *h = reinterpret_cast<sg_io_hdr_t *>(hd->data);
    if (h->interface_id != 'S' || h->cmd_len == 0 || h->cmd_len > 16 || h->iovec_count) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return TRUE;
    }
    UMockdevIoctlData *cdb = umockdev_ioctl_data_resolve(hd, offsetof(sg_io_hdr_t, cmdp), h->cmd_len, &e);
    UMockdevIoctlData *buf = h->dxfer_len ? umockdev_ioctl_data_resolve(hd, offsetof(sg_io_hdr_t, dxferp), h->dxfer_len, &e)
                                          : nullptr;
    UMockdevIoctlData *sns = h->mx_sb_len ? umockdev_ioctl_data_resolve(hd, offsetof(sg_io_hdr_t, sbp), h->mx_sb_len, &e)
                                          : nullptr;
    if (!cdb || (h->dxfer_len && !buf) || (h->mx_sb_len && !sns)) {
        g_clear_error(&e);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    FaultOutcome fo = check_faults(TVA_IOCTL_SCSI_CMND, node.fn);
    auto *cl = static_cast<UMockdevIoctlClient *>(g_object_ref(client));
    Node nd = node;
    later(fo.delay_ms, [cl, nd, fo, h, cdb, buf, sns]() {
        if (fo.err) {
            umockdev_ioctl_client_complete(cl, -1, fo.err);
            g_object_unref(cl);
            return;
        }
        ScsiCmd c{};
        c.fn = nd.fn;
        c.rport = nd.rport;
        c.lun = nd.lun;
        c.cdb = cdb->data;
        c.cdb_len = h->cmd_len;
        c.data = buf ? buf->data : nullptr;
        c.len = h->dxfer_len;
        c.to_device = h->dxfer_direction == SG_DXFER_TO_DEV;
        {
            std::lock_guard<std::mutex> g(host().lock);
            scsi_command(c);
        }
        h->status = c.status;
        h->masked_status = static_cast<unsigned char>(c.status >> 1);
        h->host_status = 0;
        h->driver_status = c.sense_len ? 0x08 : 0; /* DRIVER_SENSE */
        h->resid = static_cast<int>(c.resid);
        h->sb_len_wr = 0;
        if (sns && c.sense_len) {
            size_t n = std::min<size_t>(c.sense_len, h->mx_sb_len);
            std::memcpy(sns->data, c.sense, n);
            h->sb_len_wr = static_cast<unsigned char>(n);
        }
        h->duration = 1;
        h->info = c.status ? SG_INFO_CHECK : 0;
        umockdev_ioctl_client_complete(cl, 0, 0);
        g_object_unref(cl);
    });
    return TRUE;
}

gboolean serve_driver_node(UMockdevIoctlClient *client, const Node &node, unsigned long request)
{
    uint32_t code = static_cast<uint32_t>(request);
    if ((code >> 30) != 3) {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    size_t len = TVA_IOC_SIZE(code);
    if (len < sizeof(tva_ioctl_gen_t)) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return TRUE;
    }
    if (node.kind == NodeKind::Tvn && TVA_IOC_GROUP(code) != TVA_IOC_GRP_ETH) {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    GError *e = nullptr;
    UMockdevIoctlData *pl = umockdev_ioctl_data_resolve(arg, 0, len, &e);
    if (!pl) {
        g_clear_error(&e);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    uint16_t inst;
    std::memcpy(&inst, pl->data + 4, 2);
    Function *fn = node.kind == NodeKind::Tvn ? host().by_eth_instance(inst) : storage_by_instance(inst);
    if (!fn) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    auto *p = new Pending{};
    p->client = static_cast<UMockdevIoctlClient *>(g_object_ref(client));
    p->req.code = node.kind == NodeKind::Tvn ? eth_to_code(code) : code;
    p->req.fn = fn;
    p->req.path = node.kind == NodeKind::Tvn ? Request::Path::Eth : Request::Path::Ipfc;
    p->req.data = pl->data;
    p->req.len = len;
    p->req.priv = new Ctx{pl};
    dispatch(p);
    return TRUE;
}

gboolean on_ioctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer)
{
    const char *devnode = umockdev_ioctl_client_get_devnode(client);
    auto it = g_nodes.find(devnode ? devnode : "");
    if (it == g_nodes.end())
        return FALSE;
    const Node &node = it->second;
    unsigned long request = umockdev_ioctl_client_get_request(client);
    switch (node.kind) {
    case NodeKind::FcHost:
    case NodeKind::Rport:
        if (request != SG_IO) {
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
        }
        return serve_bsg(client, node);
    case NodeKind::Sg:
        if (request == SG_GET_VERSION_NUM) {
            UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
            GError *e = nullptr;
            UMockdevIoctlData *v = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), &e);
            if (!v) {
                g_clear_error(&e);
                umockdev_ioctl_client_complete(client, -1, EFAULT);
                return TRUE;
            }
            int ver = 30536;
            std::memcpy(v->data, &ver, sizeof(ver));
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        }
        if (request != SG_IO) {
            umockdev_ioctl_client_complete(client, -1, ENOTTY);
            return TRUE;
        }
        return serve_sg(client, node);
    case NodeKind::Tvn:
    case NodeKind::Ipfc:
        return serve_driver_node(client, node, request);
    }
    return FALSE;
}

} // namespace

uint8_t *Request::client_buffer(size_t ptr_offset, size_t n)
{
    auto *ctx = static_cast<Ctx *>(priv);
    if (ptr_offset + 8 > len)
        return nullptr;
    uint64_t addr;
    std::memcpy(&addr, data + ptr_offset, 8);
    if (addr == 0)
        return nullptr;
    if (!ctx)
        return nullptr;
    /* inside the payload's own buffer (the usual "data after the payload") */
    uint64_t base = ctx->chunk->client_addr;
    if (addr >= base && addr - base <= len && n <= len - (addr - base))
        return data + (addr - base);
    GError *e = nullptr;
    UMockdevIoctlData *d = umockdev_ioctl_data_resolve(ctx->chunk, static_cast<gsize>(data - ctx->chunk->data) + ptr_offset,
                                                       n, &e);
    if (!d) {
        g_clear_error(&e);
        return nullptr;
    }
    return d->data;
}

} // namespace tvasim
