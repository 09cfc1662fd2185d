/* Sends requests through the access library's transport, for the emulator
 * tests (run under tvasim):
 *   tvasim_probe attr NODE             attribute request on a storage node
 *   tvasim_probe eth-info INSTANCE     information request on /dev/tvn
 *   tvasim_probe raw NODE CODE SIZE    one request, prints the payload status
 *   tvasim_probe load THREADS COUNT    every function from many threads at once
 *   tvasim_probe eeprom IFNAME OFFSET LEN [HEXDATA]   ethtool EEPROM read / write
 *   tvasim_probe scsi NODE RPWWN LUN OPCODE  one SCSI command (INQUIRY 0x12, REPORT LUNS 0xa0)
 *   tvasim_probe fcpt NODE RPWWN TYPE        ELS ECHO (TYPE 1) or name server GID_FT (TYPE 0x20);
 *                                            RPWWN 0 sends through the host
 * Prints one line per result; exit 0 unless the request itself failed. */
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "tva_ioctl.h"
#include "tval_transport.h"

namespace {

tval_t storage_ioc(const char *node)
{
    tval_t ioc{};
    ioc.fd = -1;
    ioc.sg_fd = -1;
    ioc.ipfc_fd = -1;
    ioc.ioc_type = TVA_IOC_TYPE_FC;
    std::snprintf(ioc.devpath, sizeof(ioc.devpath), "%s", node);
    return ioc;
}

tval_t eth_ioc(int fd, int instance)
{
    tval_t ioc{};
    ioc.fd = fd;
    ioc.sg_fd = -1;
    ioc.ipfc_fd = -1;
    ioc.instance = instance;
    ioc.ioc_type = TVA_IOC_TYPE_LL;
    std::snprintf(ioc.devpath, sizeof(ioc.devpath), "/dev/tvn");
    return ioc;
}

int attr(tval_t &ioc, tva_ioctl_ioc_attr_t &out)
{
    tval_args_t buf{};
    buf.ioc_attr.tvad_num = static_cast<uint16_t>(ioc.instance);
    int rc = tval_ioctl(&ioc, TVA_IOCTL_IOC_GET_ATTR, &buf, 0, 0, sizeof(tva_ioctl_ioc_attr_t));
    out = buf.ioc_attr;
    return rc;
}

int info(tval_t &ioc, tva_ioctl_ioc_info_t &out)
{
    tval_args_t buf{};
    buf.ioc_info.tvad_num = static_cast<uint16_t>(ioc.instance);
    int rc = tval_ioctl(&ioc, TVA_IOCTL_IOC_GET_INFO, &buf, 0, 0, sizeof(tva_ioctl_ioc_info_t));
    out = buf.ioc_info;
    return rc;
}

std::string wwn(wwn_t w)
{
    char b[24];
    std::snprintf(b, sizeof(b), "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", tval_wwn_byte(w, 0), tval_wwn_byte(w, 1),
                  tval_wwn_byte(w, 2), tval_wwn_byte(w, 3), tval_wwn_byte(w, 4), tval_wwn_byte(w, 5),
                  tval_wwn_byte(w, 6), tval_wwn_byte(w, 7));
    return b;
}

int cmd_attr(const char *node)
{
    tval_t ioc = storage_ioc(node);
    tva_ioctl_ioc_attr_t a;
    int rc = attr(ioc, a);
    if (rc) {
        std::printf("transport %d\n", rc);
        return 1;
    }
    const tva_ioc_attr_t &x = a.ioc_attr;
    std::printf("status %u serial %.12s model %.16s type %u state %u port %u pcifn %u device %04x pwwn %s\n",
                a.status, x.adapter_attr.serial_num, x.adapter_attr.model, x.ioc_type, x.state, x.port_id,
                x.pci_attr.pcifn, x.pci_attr.device_id, wwn(x.adapter_attr.pwwn).c_str());
    return 0;
}

int cmd_eth_info(int instance)
{
    int fd = open("/dev/tvn", O_RDWR);
    if (fd < 0) {
        std::printf("open /dev/tvn: %s\n", std::strerror(errno));
        return 1;
    }
    tval_t ioc = eth_ioc(fd, instance);
    tva_ioctl_ioc_info_t i;
    int rc = info(ioc, i);
    close(fd);
    if (rc) {
        std::printf("transport %d\n", rc);
        return 1;
    }
    std::printf("status %u tvad_num %u hwpath %.32s eth %.64s mac %02x:%02x:%02x:%02x:%02x:%02x\n", i.status,
                i.tvad_num, i.hwpath, i.eth_name, i.mac.mac[0], i.mac.mac[1], i.mac.mac[2], i.mac.mac[3],
                i.mac.mac[4], i.mac.mac[5]);
    return 0;
}

int cmd_raw(const char *node, uint32_t code, uint32_t size)
{
    tval_t ioc = storage_ioc(node);
    tval_args_t buf{};
    int rc = tval_ioctl(&ioc, code, &buf, 0, 0, size);
    if (rc) {
        std::printf("transport %d\n", rc);
        return 1;
    }
    std::printf("status %u\n", buf.gen.status);
    return 0;
}

/* Every storage node and Ethernet instance answers its own identity, also
 * when many threads ask at once. */
int cmd_load(int threads, int count)
{
    struct Target {
        bool eth;
        std::string node;
        int instance;
        std::string expect; /* hwpath of the function */
    };
    std::vector<Target> targets;
    for (int h = 0; h < 64; ++h) {
        std::string node = "/dev/bsg/fc_host" + std::to_string(h);
        if (access(node.c_str(), F_OK) != 0)
            continue;
        tval_t ioc = storage_ioc(node.c_str());
        tva_ioctl_ioc_info_t i;
        if (info(ioc, i) || i.status)
            return std::printf("reference %s failed\n", node.c_str()), 1;
        targets.push_back({false, node, i.tvad_num, i.hwpath});
    }
    int tvn = open("/dev/tvn", O_RDWR);
    if (tvn >= 0) {
        for (int inst = 0; inst < 16; ++inst) {
            tval_t ioc = eth_ioc(tvn, inst);
            tva_ioctl_ioc_info_t i;
            if (info(ioc, i) || i.status)
                break;
            targets.push_back({true, "/dev/tvn", inst, i.hwpath});
        }
    }
    if (targets.empty())
        return std::printf("no functions\n"), 1;
    std::atomic<int> good{0}, bad{0};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            for (int k = 0; k < count; ++k) {
                const Target &g = targets[static_cast<size_t>(t + k) % targets.size()];
                tval_t ioc = g.eth ? eth_ioc(tvn, g.instance) : storage_ioc(g.node.c_str());
                ioc.instance = g.instance;
                tva_ioctl_ioc_info_t i;
                tva_ioctl_ioc_attr_t a;
                bool ok = info(ioc, i) == 0 && i.status == 0 && g.expect == i.hwpath &&
                          attr(ioc, a) == 0 && a.status == 0 &&
                          a.ioc_attr.pci_attr.pcifn == static_cast<uint32_t>(g.expect.back() - '0');
                (ok ? good : bad)++;
            }
        });
    for (auto &th : pool)
        th.join();
    if (tvn >= 0)
        close(tvn);
    std::printf("good %d bad %d functions %zu\n", good.load(), bad.load(), targets.size());
    return bad ? 1 : 0;
}

int cmd_eeprom(const char *ifname, uint32_t offset, uint32_t len, const char *hex)
{
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    std::vector<uint8_t> buf(sizeof(ethtool_eeprom) + len);
    ethtool_eeprom e{};
    e.cmd = hex ? ETHTOOL_SEEPROM : ETHTOOL_GEEPROM;
    e.magic = static_cast<uint32_t>(std::strtoul(std::getenv("MAGIC") ? std::getenv("MAGIC") : "0", nullptr, 0));
    e.offset = offset;
    e.len = len;
    std::memcpy(buf.data(), &e, sizeof(e));
    if (hex)
        for (uint32_t i = 0; i < len && hex[2 * i] && hex[2 * i + 1]; ++i)
            buf[sizeof(e) + i] = static_cast<uint8_t>(std::stoul(std::string(hex + 2 * i, 2), nullptr, 16));
    ifreq ifr{};
    std::snprintf(ifr.ifr_name, sizeof(ifr.ifr_name), "%s", ifname);
    ifr.ifr_data = reinterpret_cast<char *>(buf.data());
    int rc = ioctl(s, SIOCETHTOOL, &ifr);
    int err = errno;
    close(s);
    if (rc) {
        std::printf("errno %d\n", err);
        return 1;
    }
    std::printf("data ");
    for (uint32_t i = 0; i < len; ++i)
        std::printf("%02x", buf[sizeof(e) + i]);
    std::printf("\n");
    return 0;
}

bool parse_wwn(const char *text, wwn_t &out)
{
    uint8_t b[8];
    if (std::sscanf(text, "%hhx:%hhx:%hhx:%hhx:%hhx:%hhx:%hhx:%hhx", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6],
                    &b[7]) != 8)
        return false;
    out = tval_wwn_from_bytes(b);
    return true;
}

/* The storage function of a node, its identity filled the way the scan does. */
int scan_one(const char *node, tval_t &ioc)
{
    ioc = storage_ioc(node);
    tva_ioctl_ioc_info_t i;
    int rc = info(ioc, i);
    if (rc || i.status)
        return rc ? rc : static_cast<int>(i.status);
    ioc.instance = i.tvad_num;
    ioc.host = i.host;
    ioc.pwwn = i.pwwn;
    ioc.nwwn = i.nwwn;
    std::snprintf(ioc.ioc_hwpath, sizeof(ioc.ioc_hwpath), "%s", i.hwpath);
    return 0;
}

int cmd_scsi(const char *node, const char *rp, int lun, int opcode)
{
    tval_t ioc;
    wwn_t rpwwn;
    if (scan_one(node, ioc) || !parse_wwn(rp, rpwwn))
        return std::printf("setup failed\n"), 1;
    uint8_t l[8] = {static_cast<uint8_t>(lun >> 8), static_cast<uint8_t>(lun)};
    uint8_t cdb[16] = {static_cast<uint8_t>(opcode)};
    uint8_t data[512] = {};
    if (opcode == 0x12)
        cdb[4] = 96;
    if (opcode == 0xa0)
        cdb[9] = 0xff, cdb[8] = 0x01;
    uint8_t sst = 0xff, sns[32] = {};
    uint32_t sns_len = sizeof(sns);
    int rc = tval_scsi_cmnd(&ioc, 0, ioc.pwwn, rpwwn, l, cdb, 0, data, sizeof(data), &sst, sns, &sns_len);
    std::printf("status %d scsi %u", rc, sst);
    if (rc == 0 && sst == 0 && opcode == 0x12)
        std::printf(" vendor %.8s product %.16s", data + 8, data + 16);
    if (rc == 0 && sst == 0 && opcode == 0xa0) {
        uint32_t n = (uint32_t(data[0]) << 24) | (uint32_t(data[1]) << 16) | (uint32_t(data[2]) << 8) | data[3];
        std::printf(" luns");
        for (uint32_t k = 0; k < n / 8 && 8 + 8 * k + 1 < sizeof(data); ++k)
            std::printf(" %u", (data[8 + 8 * k] & 0x3f) << 8 | data[8 + 8 * k + 1]);
    }
    if (rc == 0 && sst == 2)
        std::printf(" sense %02x/%02x", sns[2] & 0x0f, sns[12]);
    std::printf("\n");
    return 0;
}

int cmd_fcpt(const char *node, const char *rp, int type)
{
    tval_t ioc;
    wwn_t rpwwn = 0;
    if (scan_one(node, ioc) || (std::strcmp(rp, "0") != 0 && !parse_wwn(rp, rpwwn)))
        return std::printf("setup failed\n"), 1;
    uint8_t fchs[24] = {};
    fchs[8] = static_cast<uint8_t>(type);
    std::vector<uint8_t> req, rsp(256);
    if (type == 0x01) {
        req.assign(16, 0xa5);
        req[0] = 0x10; /* ECHO */
        req[1] = req[2] = req[3] = 0;
        fchs[1] = 0x01, fchs[2] = 0x02, fchs[3] = 0x00; /* D_ID of the default target */
    } else {
        req.assign(20, 0);
        req[0] = 1;                    /* revision */
        req[4] = 0xfc, req[5] = 0x02;  /* directory, name server */
        req[8] = 0x01, req[9] = 0x71;  /* GID_FT */
        req[19] = 0x08;                /* FCP */
        fchs[1] = fchs[2] = 0xff, fchs[3] = 0xfc;
    }
    uint32_t rsp_len = static_cast<uint32_t>(rsp.size());
    int rc = tval_fcpt(&ioc, 0, ioc.pwwn, rpwwn, 10, type == 1 ? 21 : 20, 8, fchs, req.data(),
                       static_cast<uint32_t>(req.size()), rsp.data(), &rsp_len);
    std::printf("status %d len %u", rc, rc ? 0 : rsp_len);
    for (uint32_t i = 0; rc == 0 && i < rsp_len && i < 24; ++i)
        std::printf("%s%02x", i ? "" : " data ", rsp[i]);
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::string c = argc > 1 ? argv[1] : "";
    if (c == "attr" && argc == 3)
        return cmd_attr(argv[2]);
    if (c == "eth-info" && argc == 3)
        return cmd_eth_info(std::atoi(argv[2]));
    if (c == "raw" && argc == 5)
        return cmd_raw(argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 0)),
                       static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 0)));
    if (c == "load" && argc == 4)
        return cmd_load(std::atoi(argv[2]), std::atoi(argv[3]));
    if (c == "eeprom" && (argc == 5 || argc == 6))
        return cmd_eeprom(argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 0)),
                          static_cast<uint32_t>(std::strtoul(argv[4], nullptr, 0)), argc == 6 ? argv[5] : nullptr);
    if (c == "scsi" && argc == 6)
        return cmd_scsi(argv[2], argv[3], std::atoi(argv[4]), static_cast<int>(std::strtol(argv[5], nullptr, 0)));
    if (c == "fcpt" && argc == 5)
        return cmd_fcpt(argv[2], argv[3], static_cast<int>(std::strtol(argv[4], nullptr, 0)));
    std::fprintf(stderr, "usage: tvasim_probe attr NODE | eth-info N | raw NODE CODE SIZE | load THREADS COUNT | "
                         "eeprom IF OFF LEN [HEX]\n");
    return 2;
}
