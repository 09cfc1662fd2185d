/* ethtool requests on the emulated network interfaces (the Ethernet flash
 * path): the preload shim forwards SIOCETHTOOL here. */
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <linux/ethtool.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "ethtool_proto.h"
#include "sim.h"

namespace tvasim {

namespace {

int g_listen = -1;
std::thread g_accept;
std::atomic<bool> g_stop{false};

Function *by_ifname(const std::string &name)
{
    for (auto &f : host().functions)
        if (f->type == FnType::Eth && f->bound && f->eth_name == name)
            return f.get();
    return nullptr;
}

/* The partition that holds flash address off. */
Partition *part_at(Adapter &a, uint32_t off)
{
    for (auto &p : a.flash)
        if (off >= p.offset && off - p.offset < std::max<uint32_t>(p.size, 1))
            return &p;
    return nullptr;
}

int eeprom(Function &f, std::vector<uint8_t> &rec, bool set)
{
    if (rec.size() < sizeof(ethtool_eeprom))
        return EINVAL;
    ethtool_eeprom e;
    std::memcpy(&e, rec.data(), sizeof(e));
    if (e.magic != ((uint32_t(f.device_id) << 16) | f.vendor_id))
        return EINVAL;
    if (rec.size() - sizeof(e) < e.len)
        return EINVAL;
    uint8_t *data = rec.data() + sizeof(e);
    Adapter &a = *f.adapter;
    if (!set) {
        Partition *p = part_at(a, e.offset);
        if (!p)
            return EINVAL;
        uint32_t start = e.offset - p->offset;
        for (uint32_t i = 0; i < e.len; ++i) {
            uint32_t k = start + i;
            data[i] = k < p->data.size() ? p->data[k] : 0xff;
        }
        return 0;
    }
    /* a write carries the 4-byte length before the data, 4 bytes ahead of
     * the partition (at 0 when the partition starts at 0) */
    if (e.len < 4)
        return EINVAL;
    uint32_t n;
    std::memcpy(&n, data, 4);
    if (n != e.len - 4)
        return EINVAL;
    uint32_t target = e.offset ? e.offset + 4 : 0;
    Partition *p = nullptr;
    for (auto &q : a.flash)
        if (q.offset == target)
            p = &q;
    if (!p)
        return EINVAL;
    if (n > p->size)
        return ENOSPC;
    p->data.assign(data + 4, data + 4 + n);
    partition_written(a, *p);
    return 0;
}

int flashdev(Function &f, std::vector<uint8_t> &rec)
{
    if (rec.size() < sizeof(ethtool_flash))
        return EINVAL;
    ethtool_flash fl;
    std::memcpy(&fl, rec.data(), sizeof(fl));
    fl.data[sizeof(fl.data) - 1] = 0;
    if (fl.region != 2)
        return EOPNOTSUPP;
    /* the kernel takes the file from /lib/firmware */
    std::string path = std::string("/lib/firmware/") + fl.data;
    if (std::strstr(fl.data, ".."))
        return EINVAL;
    FILE *in = std::fopen(path.c_str(), "rb");
    if (!in)
        return ENOENT;
    std::vector<uint8_t> img;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), in)) > 0)
        img.insert(img.end(), buf, buf + n);
    std::fclose(in);
    Partition *p = f.adapter->partition(2, 0);
    if (!p)
        return ENODEV;
    if (img.size() > p->size)
        return ENOSPC;
    p->data = std::move(img);
    partition_written(*f.adapter, *p);
    return 0;
}

int drvinfo(Function &f, std::vector<uint8_t> &rec)
{
    if (rec.size() < sizeof(ethtool_drvinfo))
        return EINVAL;
    ethtool_drvinfo d;
    std::memcpy(&d, rec.data(), sizeof(d));
    std::memset(reinterpret_cast<char *>(&d) + 4, 0, sizeof(d) - 4);
    put_str(reinterpret_cast<char(&)[sizeof(d.driver)]>(d.driver), "tvnd");
    put_str(reinterpret_cast<char(&)[sizeof(d.version)]>(d.version), f.adapter->driver_ver);
    put_str(reinterpret_cast<char(&)[sizeof(d.fw_version)]>(d.fw_version), f.adapter->fw_ver);
    put_str(reinterpret_cast<char(&)[sizeof(d.bus_info)]>(d.bus_info), f.pci);
    uint32_t eedump = 0;
    for (auto &p : f.adapter->flash)
        eedump = std::max(eedump, p.offset + p.size);
    d.eedump_len = eedump;
    std::memcpy(rec.data(), &d, sizeof(d));
    return 0;
}

int handle(const std::string &ifname, std::vector<uint8_t> &rec)
{
    if (rec.size() < 4)
        return EINVAL;
    uint32_t cmd;
    std::memcpy(&cmd, rec.data(), 4);
    Function *f;
    {
        std::lock_guard<std::mutex> g(host().lock);
        f = by_ifname(ifname);
    }
    if (!f)
        return TVASIM_ETH_NOT_MINE;
    uint32_t code = cmd == ETHTOOL_GEEPROM ? TVA_IOCTL_FLASH_READ_PART : TVA_IOCTL_FLASH_UPDATE_PART;
    if (cmd == ETHTOOL_GEEPROM || cmd == ETHTOOL_SEEPROM || cmd == ETHTOOL_FLASHDEV) {
        FaultOutcome fo = check_faults(code, f);
        if (fo.delay_ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(fo.delay_ms));
        if (fo.err)
            return fo.err;
        std::lock_guard<std::mutex> g(host().lock);
        int r = cmd == ETHTOOL_FLASHDEV ? flashdev(*f, rec) : eeprom(*f, rec, cmd == ETHTOOL_SEEPROM);
        if (r == 0 && fo.corrupt && cmd == ETHTOOL_GEEPROM)
            for (size_t i = sizeof(ethtool_eeprom); i < rec.size(); ++i)
                rec[i] ^= 0x5a;
        return r;
    }
    std::lock_guard<std::mutex> g(host().lock);
    switch (cmd) {
    case ETHTOOL_GDRVINFO:
        return drvinfo(*f, rec);
    case ETHTOOL_GLINK:
        if (rec.size() < sizeof(ethtool_value))
            return EINVAL;
        {
            uint32_t up = f->state == 6;
            std::memcpy(rec.data() + 4, &up, 4);
        }
        return 0;
    default:
        return EOPNOTSUPP;
    }
}

bool read_full(int fd, void *buf, size_t n)
{
    auto *p = static_cast<uint8_t *>(buf);
    while (n) {
        ssize_t r = read(fd, p, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

bool write_full(int fd, const void *buf, size_t n)
{
    auto *p = static_cast<const uint8_t *>(buf);
    while (n) {
        ssize_t r = send(fd, p, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

void serve_conn(int fd)
{
    tvasim_eth_req req;
    tvasim_eth_rsp rsp{EINVAL, 0};
    std::vector<uint8_t> rec;
    if (read_full(fd, &req, sizeof(req)) && req.magic == TVASIM_ETH_MAGIC && req.len <= TVASIM_ETH_MAX) {
        req.ifname[sizeof(req.ifname) - 1] = 0;
        rec.resize(req.len);
        if (read_full(fd, rec.data(), rec.size())) {
            try {
                rsp.result = handle(req.ifname, rec);
            } catch (const std::exception &e) {
                std::fprintf(stderr, "tvasim: ethtool on %s: %s\n", req.ifname, e.what());
                rsp.result = EIO;
            }
            if (rsp.result == 0)
                rsp.len = static_cast<uint32_t>(rec.size());
            if (write_full(fd, &rsp, sizeof(rsp)) && rsp.len)
                write_full(fd, rec.data(), rsp.len);
        }
    }
    close(fd);
}

} // namespace

bool start_ethtool_server(const std::string &path, std::string &err)
{
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    if (path.size() >= sizeof(sa.sun_path)) {
        err = "socket path too long: " + path;
        return false;
    }
    std::memcpy(sa.sun_path, path.c_str(), path.size() + 1);
    g_listen = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (g_listen < 0 || bind(g_listen, reinterpret_cast<sockaddr *>(&sa), sizeof(sa)) != 0 ||
        listen(g_listen, 64) != 0) {
        err = "cannot listen on " + path + ": " + std::strerror(errno);
        if (g_listen >= 0)
            close(g_listen);
        g_listen = -1;
        return false;
    }
    g_stop = false;
    g_accept = std::thread([] {
        while (!g_stop) {
            int fd = accept4(g_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (g_stop) {
                close(fd);
                break;
            }
            std::thread(serve_conn, fd).detach();
        }
    });
    return true;
}

void stop_ethtool_server()
{
    if (g_listen < 0)
        return;
    g_stop = true;
    shutdown(g_listen, SHUT_RDWR);
    if (g_accept.joinable())
        g_accept.join();
    close(g_listen);
    g_listen = -1;
}

} // namespace tvasim
