/* Requests per second through the bsg path with 1 and 16 threads, and one
 * request's cost against a bare SG_IO on an already open node answered by
 * the same handler. Runs inside `tvasim run` (bench/transport.sh).
 * usage: transport_bench [SECONDS_PER_FIGURE] [DEVPATH] */
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/bsg.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "tval_transport.h"

namespace {

using Clock = std::chrono::steady_clock;

tval_t record(const char *devpath)
{
    tval_t r;
    std::memset(&r, 0, sizeof(r));
    r.fd = r.sg_fd = r.ipfc_fd = -1;
    r.ioc_type = TVA_IOC_TYPE_FC;
    std::snprintf(r.devpath, sizeof(r.devpath), "%s", devpath);
    return r;
}

/* One attribute request through the library; false on any wrong answer. */
bool library_request(tval_t *ioc)
{
    tva_ioctl_ioc_attr_t p;
    std::memset(&p, 0, sizeof(p));
    return tval_ioctl_send(ioc, TVA_IOCTL_IOC_GET_ATTR, &p, sizeof(p)) == 0 &&
           p.ioc_attr.pci_attr.vendor_id == TVAL_PCI_VENDOR_ID;
}

/* The same request as a bare SG_IO on a descriptor opened once. */
bool bare_request(int fd)
{
    tva_ioctl_ioc_attr_t p;
    std::memset(&p, 0, sizeof(p));
    tva_bsg_request_block_t block;
    std::memset(&block, 0, sizeof(block));
    block.req.msgcode = TVA_FC_BSG_HST_VENDOR;
    block.req.rqst_data.h_vendor.vendor_id = TVAL_PCI_VENDOR_ID;
    block.req.rqst_data.h_vendor.vendor_cmd[0] = TVA_IOCTL_IOC_GET_ATTR;
    sg_io_v4 h;
    std::memset(&h, 0, sizeof(h));
    h.guard = 'Q';
    h.subprotocol = BSG_SUB_PROTOCOL_SCSI_TRANSPORT;
    h.request_len = sizeof(block);
    h.request = reinterpret_cast<uintptr_t>(&block);
    h.timeout = TVAL_BSG_TIMEOUT_MS;
    h.dout_xfer_len = h.din_xfer_len = sizeof(p);
    h.dout_xferp = h.din_xferp = reinterpret_cast<uintptr_t>(&p);
    return ioctl(fd, SG_IO, &h) == 0 && p.status == 0 && p.ioc_attr.pci_attr.vendor_id == TVAL_PCI_VENDOR_ID;
}

struct Figure {
    double per_second;
    long errors;
};

Figure run_threads(int threads, double seconds, const char *devpath)
{
    std::atomic<long> done{0}, errors{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; t++)
        pool.emplace_back([&] {
            tval_t ioc = record(devpath);
            long n = 0, bad = 0;
            while (!stop.load(std::memory_order_relaxed)) {
                bad += !library_request(&ioc);
                n++;
            }
            done += n;
            errors += bad;
        });
    auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (auto &th : pool)
        th.join();
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    return {static_cast<double>(done) / s, errors.load()};
}

template <class F> double per_request_us(double seconds, F &&one, long &errors)
{
    long n = 0;
    auto start = Clock::now();
    auto until = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < until) {
        errors += !one();
        n++;
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / static_cast<double>(n);
}

} // namespace

int main(int argc, char **argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;
    const char *devpath = argc > 2 ? argv[2] : "/dev/bsg/fc_host3";
    if (seconds <= 0)
        seconds = 2.0;
    tval_t ioc = record(devpath);
    if (!library_request(&ioc)) {
        std::fprintf(stderr, "transport_bench: no answer on %s (run it inside tvasim)\n", devpath);
        return 1;
    }

    Figure one = run_threads(1, seconds, devpath);
    Figure sixteen = run_threads(16, seconds, devpath);
    std::printf("bsg path, attribute request (1616 bytes) on %s\n", devpath);
    std::printf("  1 thread:   %10.0f requests/s  (%ld wrong answers)\n", one.per_second, one.errors);
    std::printf("  16 threads: %10.0f requests/s  (%ld wrong answers)\n", sixteen.per_second, sixteen.errors);

    long errors = 0;
    double lib_us = per_request_us(seconds, [&] { return library_request(&ioc); }, errors);
    int fd = open(devpath, O_RDWR | O_NONBLOCK);
    if (fd < 0) {
        std::perror(devpath);
        return 1;
    }
    double bare_us = per_request_us(seconds, [&] { return bare_request(fd); }, errors);
    close(fd);
    std::printf("one request: library %.1f us, bare SG_IO %.1f us, ratio %.2f (%ld wrong answers)\n", lib_us,
                bare_us, lib_us / bare_us, errors);
    return (one.errors || sixteen.errors || errors) ? 1 : 0;
}
