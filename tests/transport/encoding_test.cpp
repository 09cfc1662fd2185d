/* What the transport puts on the wire and how it reads the answer back.
 *
 * This program stands in for the kernel: it defines ioctl() itself, so the
 * library's requests on the nodes made here (regular files in a temporary
 * directory) reach the fake driver below, and every other ioctl goes to the
 * system. The library is the shipped one, unchanged. */
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <linux/bsg.h>
#include <scsi/sg.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "open_fds.h"
#include "tva_ioctl.h"
#include "tval_transport.h"

namespace fake {

std::string node_dir; /* requests on files below it are the fake driver's */

struct Call {
    unsigned long req = 0;
    std::string path;
    sg_io_v4 hdr{};
    tva_bsg_request_block_t block{};
    tva_bsg_fcpt_t fcpt{};
    std::vector<uint8_t> dout;
    void *arg = nullptr;
};
std::vector<Call> calls;

/* The driver's answer to one call: an errno to fail with, else 0 after
 * writing into the data-in buffer. */
std::function<int(Call &, uint8_t *din, uint32_t din_len)> answer;

std::string fd_path(int fd)
{
    char link[64], target[512];
    std::snprintf(link, sizeof(link), "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, target, sizeof(target) - 1);
    if (n <= 0)
        return {};
    target[n] = '\0';
    return target;
}

int handle(int fd, unsigned long req, void *arg)
{
    Call c;
    c.req = req;
    c.path = fd_path(fd);
    c.arg = arg;
    uint8_t *din = nullptr;
    uint32_t din_len = 0;
    if (req == SG_IO) {
        std::memcpy(&c.hdr, arg, sizeof(c.hdr));
        if (c.hdr.request_len == sizeof(c.block))
            std::memcpy(&c.block, reinterpret_cast<void *>(static_cast<uintptr_t>(c.hdr.request)), sizeof(c.block));
        if (c.block.data.payload_len == sizeof(tva_bsg_fcpt_t) && c.block.data.payload)
            std::memcpy(&c.fcpt, reinterpret_cast<void *>(static_cast<uintptr_t>(c.block.data.payload)),
                        sizeof(c.fcpt));
        auto *dout = reinterpret_cast<uint8_t *>(static_cast<uintptr_t>(c.hdr.dout_xferp));
        if (dout)
            c.dout.assign(dout, dout + c.hdr.dout_xfer_len);
        din = reinterpret_cast<uint8_t *>(static_cast<uintptr_t>(c.hdr.din_xferp));
        din_len = c.hdr.din_xfer_len;
    }
    calls.push_back(c);
    int err = answer ? answer(calls.back(), din, din_len) : 0;
    if (req == SG_IO) {
        auto *h = static_cast<sg_io_v4 *>(arg);
        h->din_resid = calls.back().hdr.din_resid;
        if (calls.back().block.data.payload)
            std::memcpy(reinterpret_cast<void *>(static_cast<uintptr_t>(calls.back().block.data.payload)),
                        &calls.back().fcpt, sizeof(tva_bsg_fcpt_t));
    }
    if (err) {
        errno = err;
        return -1;
    }
    return 0;
}

} // namespace fake

extern "C" int ioctl(int fd, unsigned long req, ...) noexcept
{
    va_list ap;
    va_start(ap, req);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    if (!fake::node_dir.empty() && fake::fd_path(fd).rfind(fake::node_dir, 0) == 0)
        return fake::handle(fd, req, arg);
    return static_cast<int>(syscall(SYS_ioctl, fd, req, arg));
}

namespace {

uint32_t vendor_cmd(const fake::Call &c)
{
    return c.block.req.rqst_data.h_vendor.vendor_cmd[0];
}

class Transport : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/tval_transport_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        fc_node_ = dir_ + "/fc_host3";
        touch(fc_node_);
        touch(dir_ + "/tvn");
        fake::node_dir = dir_;
        fake::calls.clear();
        fake::answer = nullptr;

        std::memset(&fc_, 0, sizeof(fc_));
        fc_.fd = fc_.sg_fd = fc_.ipfc_fd = -1;
        fc_.ioc_type = TVA_IOC_TYPE_FC;
        fc_.instance = 5;
        fc_.host = 3;
        std::snprintf(fc_.devpath, sizeof(fc_.devpath), "%s", fc_node_.c_str());

        eth_ = fc_;
        eth_.ioc_type = TVA_IOC_TYPE_LL;
        eth_.instance = 1;
        eth_.fd = open((dir_ + "/tvn").c_str(), O_RDWR);
        ASSERT_GE(eth_.fd, 0);
        fds_before_ = open_fd_count();
    }

    void TearDown() override
    {
        /* Every descriptor a request opened is closed again. */
        EXPECT_EQ(open_fd_count(), fds_before_);
        close(eth_.fd);
        fake::node_dir.clear();
        fake::answer = nullptr;
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    static void touch(const std::string &path)
    {
        int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        close(fd);
    }

    std::string dir_, fc_node_;
    tval_t fc_{}, eth_{};
    int fds_before_ = 0;
};

TEST_F(Transport, AttributeRequestOnFcFunctionIsOneBsgVendorRequest)
{
    fake::answer = [](fake::Call &, uint8_t *din, uint32_t) {
        auto *p = reinterpret_cast<tva_ioctl_ioc_attr_t *>(din);
        p->status = 0;
        p->ioc_attr.state = TVA_IOC_OPERATIONAL;
        p->ioc_attr.pci_attr.device_id = 0x22;
        return 0;
    };
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    ASSERT_EQ(tval_ioctl_send(&fc_, TVA_IOCTL_IOC_GET_ATTR, &args, sizeof(tva_ioctl_ioc_attr_t)), 0);

    ASSERT_EQ(fake::calls.size(), 1u);
    const fake::Call &c = fake::calls[0];
    EXPECT_EQ(c.path, fc_node_);
    EXPECT_EQ(c.req, static_cast<unsigned long>(SG_IO));
    EXPECT_EQ(c.hdr.guard, 'Q');
    EXPECT_EQ(c.hdr.protocol, 0u);
    EXPECT_EQ(c.hdr.subprotocol, 2u);
    EXPECT_EQ(c.hdr.request_len, 28u);
    EXPECT_EQ(c.hdr.timeout, 60000u);
    EXPECT_EQ(c.hdr.dout_xfer_len, 1616u);
    EXPECT_EQ(c.hdr.din_xfer_len, 1616u);
    EXPECT_EQ(c.hdr.dout_xferp, reinterpret_cast<uintptr_t>(&args));
    EXPECT_EQ(c.hdr.din_xferp, reinterpret_cast<uintptr_t>(&args));
    EXPECT_EQ(c.hdr.dout_iovec_count + c.hdr.din_iovec_count + c.hdr.max_response_len, 0u);
    EXPECT_EQ(c.block.req.msgcode, 0x800000FFu);
    EXPECT_EQ(c.block.req.rqst_data.h_vendor.vendor_id, 0x1657u);
    EXPECT_EQ(vendor_cmd(c), 0xc6504306u);
    /* the rest of the request block stays zero */
    const auto *raw = reinterpret_cast<const uint8_t *>(&c.block);
    for (size_t i = 16; i < sizeof(c.block); i++)
        EXPECT_EQ(raw[i], 0) << i;
    /* the instance went out in the header; the answer came back in place */
    tva_ioctl_gen_t sent;
    std::memcpy(&sent, c.dout.data(), sizeof(sent));
    EXPECT_EQ(sent.tvad_num, 5);
    EXPECT_EQ(args.ioc_attr.ioc_attr.state, static_cast<uint32_t>(TVA_IOC_OPERATIONAL));
    EXPECT_EQ(args.ioc_attr.ioc_attr.pci_attr.device_id, 0x22);
}

TEST_F(Transport, SizeZeroMovesTheWholeRequestBuffer)
{
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    ASSERT_EQ(tval_ioctl(&fc_, TVA_IOCTL_PORT_GET_ATTR, &args, 0, 0, 0), 0);
    ASSERT_EQ(fake::calls.size(), 1u);
    EXPECT_EQ(fake::calls[0].hdr.dout_xfer_len, 4112u);
    EXPECT_EQ(fake::calls[0].hdr.din_xfer_len, 4112u);
}

TEST_F(Transport, AttributeRequestOnEthernetFunctionIsIoctlOnControlNode)
{
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    fake::answer = [](fake::Call &c, uint8_t *, uint32_t) {
        static_cast<tva_ioctl_ioc_attr_t *>(c.arg)->status = TVA_STATUS_IOC_NON_OP;
        return 0;
    };
    EXPECT_EQ(tval_ioctl_send(&eth_, TVA_IOCTL_IOC_GET_ATTR, &args, sizeof(tva_ioctl_ioc_attr_t)),
              TVA_STATUS_IOC_NON_OP);
    ASSERT_EQ(fake::calls.size(), 1u);
    EXPECT_EQ(fake::calls[0].req, 0xc6504406ul);
    EXPECT_EQ(fake::calls[0].arg, &args);
    EXPECT_EQ(fake::calls[0].path, dir_ + "/tvn");
    EXPECT_EQ(args.gen.tvad_num, 1);

    /* Every group byte becomes 0x44, whatever it was. */
    fake::calls.clear();
    EXPECT_EQ(tval_ioctl(&eth_, TVA_IOCTL_VPORT_GET_ATTR, &args, 0, 0, 0), 0);
    EXPECT_EQ(fake::calls.at(0).req, 0xc1784405ul);
}

struct ErrnoCase {
    int err;
    int status;
};

const ErrnoCase errno_cases[] = {
    {ENOMEM, 3}, {EIO, 42},   {EINTR, 41},      {ENXIO, 44},  {EBADF, 40},  {EINVAL, 2},
    {ENODEV, 15}, {ENOTTY, 43}, {EOPNOTSUPP, 26}, {EPERM, 1}, {EAGAIN, 1}, {ETIMEDOUT, 1},
    {0, 1},
};

TEST(ErrnoMapping, Table)
{
    for (const ErrnoCase &c : errno_cases)
        EXPECT_EQ(tval_get_status(c.err), c.status) << "errno " << c.err;
}

TEST_F(Transport, FailedSystemCallIsMappedAndThePayloadLeftUnread)
{
    /* On both paths, and the node is closed on the failure path too. */
    for (const ErrnoCase &c : errno_cases) {
        if (c.err == 0)
            continue;
        for (tval_t *ioc : {&fc_, &eth_}) {
            int err = c.err;
            fake::answer = [err](fake::Call &, uint8_t *din, uint32_t) {
                if (din)
                    din[0] = 0x55; /* must not be taken for the status */
                return err;
            };
            tva_ioctl_gen_t p{};
            EXPECT_EQ(tval_ioctl_send(ioc, TVA_IOCTL_IOC_ENABLE, &p, sizeof(p)), c.status)
                << "errno " << c.err << " type " << ioc->ioc_type;
        }
    }
    EXPECT_EQ(open_fd_count(), fds_before_);
}

TEST_F(Transport, MissingNodeIsNoDriverAndNothingIsSent)
{
    std::snprintf(fc_.devpath, sizeof(fc_.devpath), "%s/absent", dir_.c_str());
    tval_set_last_error(0);
    tva_ioctl_gen_t p{};
    EXPECT_EQ(tval_ioctl(&fc_, TVA_IOCTL_IOC_ENABLE, &p, 0, 0, sizeof(p)), TVA_STATUS_NO_DRIVER);
    EXPECT_EQ(tval_get_last_error(), TVA_STATUS_NO_DRIVER);
    EXPECT_TRUE(fake::calls.empty());
    tval_set_last_error(0);
}

TEST_F(Transport, NomaskCopiesInAndBackWithTheCallersLength)
{
    fake::answer = [](fake::Call &, uint8_t *din, uint32_t len) {
        auto *p = reinterpret_cast<tva_ioctl_ethport_attr_t *>(din);
        EXPECT_EQ(len, sizeof(*p));
        p->attr.mtu = 9000;
        return 0;
    };
    tva_ioctl_ethport_attr_t p{};
    p.tvad_num = 7;
    ASSERT_EQ(tval_ioctl_nomask(&fc_, TVA_IOCTL_ETHPORT_GET_ATTR, &p, sizeof(p)), 0);
    EXPECT_EQ(p.attr.mtu, 9000u);
    EXPECT_EQ(p.tvad_num, 7);

    uint8_t big[TVA_IOCTL_BUF_SIZE + 1] = {};
    EXPECT_EQ(tval_ioctl_nomask(&fc_, TVA_IOCTL_ETHPORT_GET_ATTR, big, sizeof(big)), TVA_STATUS_EINVAL);
    EXPECT_EQ(fake::calls.size(), 1u);
}

TEST_F(Transport, IpfcGoesToItsOwnDescriptorWithTheCodeUnchanged)
{
    fc_.ipfc_fd = open((dir_ + "/tvn").c_str(), O_RDWR);
    tva_ioctl_ipfc_attr_t p{};
    EXPECT_EQ(tval_ioctl_ipfc(&fc_, TVA_IOCTL_IPFC_GET_ATTR, &p), 0);
    ASSERT_EQ(fake::calls.size(), 1u);
    EXPECT_EQ(fake::calls[0].req, 0xc054c001ul);
    close(fc_.ipfc_fd);
    fc_.ipfc_fd = -1;
    EXPECT_EQ(tval_ioctl_ipfc(&fc_, TVA_IOCTL_IPFC_GET_ATTR, &p), TVA_STATUS_EBADF);
}

/* ---- FC pass-through ------------------------------------------------------- */

const uint8_t els_fchs[24] = {0x22, 0xff, 0xff, 0xfd, 0, 0x01, 0x02, 0x03, TVA_FC_TYPE_ELS, 0x29};
const uint8_t ct_fchs[24] = {0x02, 0xff, 0xff, 0xfa, 0, 0x01, 0x02, 0x03, TVA_FC_TYPE_CT, 0x29};

TEST_F(Transport, PassThroughOfOtherFrameTypeFailsBeforeAnythingIsSent)
{
    for (uint8_t type : {0x00, 0x08, 0x21, 0xff}) {
        uint8_t fchs[24];
        std::memcpy(fchs, els_fchs, sizeof(fchs));
        fchs[8] = type;
        uint8_t req[16] = {}, rsp[64];
        uint32_t rsp_len = sizeof(rsp);
        /* no node either: reaching the open would answer 133 */
        std::snprintf(fc_.devpath, sizeof(fc_.devpath), "%s/absent", dir_.c_str());
        EXPECT_EQ(tval_fcpt(&fc_, 0, 0x11, 0, 21, 0, 8, fchs, req, sizeof(req), rsp, &rsp_len), 1) << int(type);
    }
    EXPECT_TRUE(fake::calls.empty());
}

TEST_F(Transport, HostElsWithoutDestinationPortUsesThePortIdOfTheFrame)
{
    fake::answer = [](fake::Call &c, uint8_t *din, uint32_t len) {
        std::memset(din, 0x02, len); /* LS_ACC-ish bytes */
        c.hdr.din_resid = 8;
        c.fcpt.status = TVA_STATUS_FCPT_LS_RJT;
        return 0;
    };
    uint8_t req[8] = {0x52, 0, 0, 0}; /* an ELS command */
    uint8_t rsp[64] = {};
    uint32_t rsp_len = sizeof(rsp);
    const wwn_t lpwwn = 0x1122334455667788ull;
    EXPECT_EQ(tval_fcpt(&fc_, 0, lpwwn, 0, 21, 0, 8, els_fchs, req, sizeof(req), rsp, &rsp_len),
              TVA_STATUS_FCPT_LS_RJT);
    EXPECT_EQ(rsp_len, 56u);
    EXPECT_EQ(rsp[0], 0x02);

    ASSERT_EQ(fake::calls.size(), 1u);
    const fake::Call &c = fake::calls[0];
    EXPECT_EQ(c.path, fc_node_);
    EXPECT_EQ(c.block.req.msgcode, 0x80000003u);
    EXPECT_EQ(c.block.req.rqst_data.h_els.port_id[0], 0xff);
    EXPECT_EQ(c.block.req.rqst_data.h_els.port_id[2], 0xfd);
    EXPECT_EQ(c.block.data.payload_len, 60u);
    EXPECT_NE(c.block.data.payload, 0u);
    EXPECT_EQ(c.fcpt.lpwwn, lpwwn);
    EXPECT_EQ(c.fcpt.dpwwn, 0u);
    EXPECT_EQ(c.fcpt.tsecs, 21u);
    EXPECT_EQ(c.fcpt.cos, 8u);
    EXPECT_EQ(0, std::memcmp(c.fcpt.fchs, els_fchs, 24));
    EXPECT_EQ(c.hdr.dout_xfer_len, sizeof(req));
    EXPECT_EQ(c.dout.at(0), 0x52);
    EXPECT_EQ(c.hdr.din_xfer_len, 64u);
    EXPECT_EQ(c.hdr.timeout, 60000u);
}

TEST_F(Transport, HostCommonTransportCarriesThePreamble)
{
    uint8_t req[16] = {0x01, 0, 0, 0, 0xfa, 0x01, 0, 0, 0x01, 0x12, 0x00, 0x40, 0xaa, 0xbb, 0xcc, 0xdd};
    uint8_t rsp[32];
    uint32_t rsp_len = sizeof(rsp);
    EXPECT_EQ(tval_fcpt(&fc_, 0, 0x11, 0, 20, 0, 8, ct_fchs, req, sizeof(req), rsp, &rsp_len), 0);
    EXPECT_EQ(rsp_len, 32u);
    ASSERT_EQ(fake::calls.size(), 1u);
    const fake::Call &c = fake::calls[0];
    EXPECT_EQ(c.block.req.msgcode, 0x80000004u);
    EXPECT_EQ(c.block.req.rqst_data.h_ct.port_id[2], 0xfa);
    EXPECT_EQ(0, std::memcmp(&c.block.req.rqst_data.h_ct.preamble_word0, req, 12));

    /* too short to hold the preamble: refused, nothing sent */
    fake::calls.clear();
    rsp_len = sizeof(rsp);
    EXPECT_EQ(tval_fcpt(&fc_, 0, 0x11, 0, 20, 0, 8, ct_fchs, req, 8, rsp, &rsp_len), 1);
    EXPECT_TRUE(fake::calls.empty());
}

TEST_F(Transport, PassThroughToRemotePortOpensItsNode)
{
    /* The remote port's SCSI address is asked first; its bsg node does not
     * exist here, so the open fails with the message and status 1. */
    fake::answer = [](fake::Call &c, uint8_t *din, uint32_t) {
        if (c.block.req.msgcode == TVA_FC_BSG_HST_VENDOR &&
            vendor_cmd(c) == TVA_IOCTL_RPORT_GET_SCSI_ADDRESS) {
            auto *p = reinterpret_cast<tva_ioctl_rport_scsi_addr_t *>(din);
            p->host = 3;
            p->bus = 0;
            p->target = 7;
        }
        return 0;
    };
    uint8_t req[8] = {}, rsp[8];
    uint32_t rsp_len = sizeof(rsp);
    testing::internal::CaptureStdout();
    int rc = tval_fcpt(&fc_, 0, 0x11, 0x2200, 21, 0, 8, els_fchs, req, sizeof(req), rsp, &rsp_len);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(out, "Opening file /dev/rport-3:0-7 failed\n");
    ASSERT_EQ(fake::calls.size(), 1u);
    tva_ioctl_rport_scsi_addr_t sent;
    std::memcpy(&sent, fake::calls[0].dout.data(), sizeof(sent));
    EXPECT_EQ(sent.rpwwn, 0x2200u);
    EXPECT_EQ(sent.pwwn, 0x11u);
}

} // namespace
