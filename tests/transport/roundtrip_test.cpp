/* Requests through every path of the transport, answered by the emulated
 * host. Runs inside `tvasim run --scenario roundtrip.json` (see
 * CMakeLists.txt); the IOC records are built here from that scenario so the
 * transport is tested on its own, without the scan. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "open_fds.h"
#include "tva_ioctl.h"
#include "tval_flash.h"
#include "tval_transport.h"

namespace {

const uint8_t fc3_pwwn[8] = {0x10, 0x00, 0x00, 0x16, 0x57, 0x0a, 0x00, 0x00};
const uint8_t fc3_nwwn[8] = {0x20, 0x00, 0x00, 0x16, 0x57, 0x0a, 0x00, 0x00};
const uint8_t target_pwwn[8] = {0x50, 0x06, 0x01, 0x60, 0x3b, 0x20, 0x00, 0x01};
const uint8_t offline_pwwn[8] = {0x50, 0x06, 0x01, 0x60, 0x3b, 0x20, 0x00, 0x02};

std::string read_text(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int read_number(const std::string &path)
{
    return std::stoi(read_text(path));
}

tval_t storage_record(int instance, uint32_t host, const char *devpath, const char *hwpath)
{
    tval_t r;
    std::memset(&r, 0, sizeof(r));
    r.fd = r.sg_fd = r.ipfc_fd = -1;
    r.ioc_type = TVA_IOC_TYPE_FC;
    r.instance = instance;
    r.host = host;
    std::snprintf(r.devpath, sizeof(r.devpath), "%s", devpath);
    std::snprintf(r.ioc_hwpath, sizeof(r.ioc_hwpath), "%s", hwpath);
    r.vendor_id = 0x1657;
    return r;
}

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        fc3_ = storage_record(0, 3, "/dev/bsg/fc_host3", "0000:0a:00.0");
        fc3_.pwwn = tval_wwn_from_bytes(fc3_pwwn);
        fc3_.nwwn = tval_wwn_from_bytes(fc3_nwwn);
        fc3_.device_id = 0x13;
        fcoe_ = storage_record(2, 13, "/dev/bsg/fc_host13", "0000:0b:00.0");
        fcoe_.ioc_type = TVA_IOC_TYPE_FCoE;
        fcoe_.device_id = 0x14;
        fcoe_.ad_id = 2;

        eth_ = storage_record(0, 0, "/dev/tvn", "0000:0b:00.2");
        eth_.ioc_type = TVA_IOC_TYPE_LL;
        eth_.device_id = 0x14;
        eth_.ad_id = 2;
        std::snprintf(eth_.eth_name, sizeof(eth_.eth_name), "eth2");
        eth_.fd = open("/dev/tvn", O_RDWR);
        ASSERT_GE(eth_.fd, 0) << "not running inside tvasim?";
        fds_before_ = open_fd_count();
    }

    void TearDown() override
    {
        /* Every descriptor a request opened was closed again. */
        EXPECT_EQ(open_fd_count(), fds_before_);
        close(eth_.fd);
    }

    tval_t fc3_{}, fcoe_{}, eth_{};
    int fds_before_ = 0;
};

TEST_F(RoundTrip, AttributesOverBsgAndControlNode)
{
    struct Case {
        tval_t *ioc;
        uint32_t type;
        uint16_t device_id;
    } cases[] = {{&fc3_, TVA_IOC_TYPE_FC, 0x13}, {&fcoe_, TVA_IOC_TYPE_FCoE, 0x14}, {&eth_, TVA_IOC_TYPE_LL, 0x14}};
    for (const Case &c : cases) {
        tval_args_t args;
        std::memset(&args, 0, sizeof(args));
        ASSERT_EQ(tval_ioctl_send(c.ioc, TVA_IOCTL_IOC_GET_ATTR, &args, sizeof(tva_ioctl_ioc_attr_t)), 0)
            << c.ioc->devpath;
        const tva_ioc_attr_t &a = args.ioc_attr.ioc_attr;
        EXPECT_EQ(a.ioc_type, c.type);
        EXPECT_EQ(a.pci_attr.device_id, c.device_id);
        EXPECT_EQ(a.pci_attr.vendor_id, 0x1657);
    }
}

TEST_F(RoundTrip, SizeZeroMovesTheWholeBuffer)
{
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    args.gen.tvad_num = 0;
    ASSERT_EQ(tval_ioctl(&fc3_, TVA_IOCTL_IOC_GET_INFO, &args, 0, 0, 0), 0);
    EXPECT_EQ(args.ioc_info.status, 0u);
    EXPECT_STREQ(args.ioc_info.hwpath, "0000:0a:00.0");
    EXPECT_EQ(args.ioc_info.host, 3u);
    EXPECT_EQ(args.ioc_info.pwwn, fc3_.pwwn);
}

TEST_F(RoundTrip, LegacyNodeWhenTheBsgNodeIsAbsent)
{
    ASSERT_NE(access("/dev/bsg/fc_host4", F_OK), 0);
    ASSERT_EQ(access("/dev/fc_host4", F_OK), 0);
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    /* the bsg name of that host is not there to open */
    tval_t fc4 = storage_record(1, 4, "/dev/bsg/fc_host4", "0000:0a:00.1");
    EXPECT_EQ(tval_ioctl_send(&fc4, TVA_IOCTL_IOC_GET_INFO, &args, sizeof(tva_ioctl_ioc_info_t)),
              TVA_STATUS_NO_DRIVER);
    /* The emulator's preload library keeps a descriptor for every open of an
     * absent node (the library's own failed open holds none). */
    fds_before_ = open_fd_count();

    fc4 = storage_record(1, 4, "/dev/fc_host4", "0000:0a:00.1");
    ASSERT_EQ(tval_ioctl_send(&fc4, TVA_IOCTL_IOC_GET_INFO, &args, sizeof(tva_ioctl_ioc_info_t)), 0);
    EXPECT_STREQ(args.ioc_info.hwpath, "0000:0a:00.1");
}

/* ---- virtual ports through sysfs ------------------------------------------------ */

tva_ioctl_vport_create_t vport_request(uint8_t last, const char *name)
{
    tva_ioctl_vport_create_t v;
    std::memset(&v, 0, sizeof(v));
    const uint8_t p[8] = {0x20, 0x01, 0x00, 0x16, 0x57, 0x0a, 0x00, last};
    v.vpwwn = v.port_cfg.pwwn = tval_wwn_from_bytes(p);
    std::snprintf(v.port_cfg.sym_name, sizeof(v.port_cfg.sym_name), "%s", name);
    v.port_cfg.roles = TVA_LPORT_ROLE_FCP_IM;
    return v;
}

TEST_F(RoundTrip, VportAtTheLimitIsRefusedWithoutWriting)
{
    tval_t fc4 = storage_record(1, 4, "/dev/fc_host4", "0000:0a:00.1");
    ASSERT_EQ(read_number("/sys/class/fc_host/host4/max_npiv_vports"), 0);
    tva_ioctl_vport_create_t v = vport_request(0x10, "");
    EXPECT_EQ(tval_ioctl_send(&fc4, TVA_IOCTL_VPORT_CREATE, &v, sizeof(v)), TVA_STATUS_VPORT_MAX);
    EXPECT_EQ(read_number("/sys/class/fc_host/host4/npiv_vports_inuse"), 0);
}

TEST_F(RoundTrip, VportCreateNamesTheNewPortAndDeleteRemovesIt)
{
    /* %s and %n must reach the port unchanged: the name is not a format */
    tva_ioctl_vport_create_t v = vport_request(0x21, "lab %s %n vport");
    ASSERT_EQ(tval_ioctl_send(&fc3_, TVA_IOCTL_VPORT_CREATE, &v, sizeof(v)), 0);
    EXPECT_EQ(read_number("/sys/class/fc_host/host3/npiv_vports_inuse"), 1);

    std::string dir;
    DIR *d = opendir("/sys/class/fc_vports");
    ASSERT_NE(d, nullptr);
    while (struct dirent *e = readdir(d))
        if (std::strncmp(e->d_name, "vport-3:0-", 10) == 0)
            dir = std::string("/sys/class/fc_vports/") + e->d_name;
    closedir(d);
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(read_text(dir + "/port_name").substr(0, 18), "0x20010016570a0021");
    EXPECT_EQ(read_text(dir + "/symbolic_name").substr(0, 15), "lab %s %n vport");

    tva_ioctl_vport_t del;
    std::memset(&del, 0, sizeof(del));
    del.vpwwn = v.port_cfg.pwwn;
    ASSERT_EQ(tval_ioctl_send(&fc3_, TVA_IOCTL_VPORT_DELETE, &del, sizeof(del)), 0);
    EXPECT_EQ(read_number("/sys/class/fc_host/host3/npiv_vports_inuse"), 0);
}

/* ---- debug file system -------------------------------------------------------- */

TEST_F(RoundTrip, RegisterWriteThenReadBack)
{
    for (tval_t *ioc : {&fc3_, &eth_}) {
        tva_ioctl_diag_regwrite_t w;
        std::memset(&w, 0, sizeof(w));
        w.off = 0x1040;
        w.word = 0xa5a55a5a ^ static_cast<uint32_t>(ioc->ioc_type);
        ASSERT_EQ(tval_ioctl_send(ioc, TVA_IOCTL_DIAG_REGWRITE, &w, sizeof(w)), 0) << ioc->devpath;

        uint32_t words[2] = {};
        tva_ioctl_diag_regread_t r;
        std::memset(&r, 0, sizeof(r));
        r.off = 0x1040;
        r.nwords = 2;
        r.buf_ptr = reinterpret_cast<uintptr_t>(words);
        ASSERT_EQ(tval_ioctl_send(ioc, TVA_IOCTL_DIAG_REGREAD, &r, sizeof(r)), 0);
        EXPECT_EQ(words[0], w.word);
    }
}

TEST_F(RoundTrip, TraceFilesAndMissingDirectory)
{
    std::vector<uint8_t> buf(TVAL_DEBUG_BUF_SIZE, 0);
    tva_ioctl_debug_t q;
    std::memset(&q, 0, sizeof(q));
    q.bufsz = TVAL_DEBUG_BUF_SIZE;
    q.buf_ptr = reinterpret_cast<uintptr_t>(buf.data());
    ASSERT_EQ(tval_ioctl_send(&fc3_, TVA_IOCTL_DEBUG_DRV_TRACE, &q, sizeof(q)), 0);
    size_t nonzero = 0;
    for (uint8_t b : buf)
        nonzero += b != 0;
    EXPECT_GT(nonzero, 0u);

    /* the Ethernet driver's directory holds the firmware trace */
    std::fill(buf.begin(), buf.end(), 0);
    ASSERT_EQ(tval_ioctl_send(&eth_, TVA_IOCTL_DEBUG_FW_TRACE, &q, sizeof(q)), 0);

    /* a sender that offers less room gets no more than that */
    std::fill(buf.begin(), buf.end(), 0xab);
    q.bufsz = 100;
    ASSERT_EQ(tval_ioctl_send(&fc3_, TVA_IOCTL_DEBUG_DRV_TRACE, &q, sizeof(q)), 0);
    EXPECT_NE(std::count(buf.begin(), buf.begin() + 100, 0xab), 100);
    EXPECT_EQ(std::count(buf.begin() + 100, buf.end(), 0xab), static_cast<long>(buf.size() - 100));
    q.bufsz = TVAL_DEBUG_BUF_SIZE;

    tval_t nowhere = fc3_;
    std::snprintf(nowhere.ioc_hwpath, sizeof(nowhere.ioc_hwpath), "0000:7f:00.0");
    EXPECT_EQ(tval_ioctl_send(&nowhere, TVA_IOCTL_DEBUG_FW_STATE, &q, sizeof(q)), TVA_STATUS_EFOPEN);
}

/* ---- ethtool (Ethernet flash) --------------------------------------------------- */

TEST_F(RoundTrip, EthernetFlashReadMatchesTheStoragePath)
{
    tva_flash_attr_t attr;
    ASSERT_EQ(tval_flash_get_attr(&fcoe_, &attr), 0);
    const tva_flash_part_attr_t *part = nullptr;
    for (uint32_t i = 0; i < attr.npart && i < TVA_FLASH_PART_MAX; i++)
        if (attr.part[i].part_type == TVA_FLASH_PART_FWCFG)
            part = &attr.part[i];
    ASSERT_NE(part, nullptr);
    const uint32_t n = part->part_size < 4096 ? part->part_size : 4096;
    ASSERT_GT(n, 0u);

    auto read_part = [n](tval_t *ioc, std::vector<uint8_t> &out) {
        std::vector<uint8_t> req(sizeof(tva_ioctl_flash_t) + n, 0xee);
        auto *f = reinterpret_cast<tva_ioctl_flash_t *>(req.data());
        std::memset(f, 0, sizeof(*f));
        f->type = TVA_FLASH_PART_FWCFG;
        f->bufsz = n;
        f->buf_ptr = reinterpret_cast<uintptr_t>(req.data() + sizeof(*f));
        int rc = tval_ioctl_send(ioc, TVA_IOCTL_FLASH_READ_PART, req.data(), static_cast<uint32_t>(req.size()));
        out.assign(req.begin() + sizeof(*f), req.end());
        return rc;
    };
    std::vector<uint8_t> over_bsg, over_ethtool;
    ASSERT_EQ(read_part(&fcoe_, over_bsg), 0);
    ASSERT_EQ(read_part(&eth_, over_ethtool), 0);
    EXPECT_EQ(over_bsg, over_ethtool);

    /* an update of another partition is an EEPROM write with a length prefix */
    std::vector<uint8_t> req(sizeof(tva_ioctl_flash_t) + n);
    auto *f = reinterpret_cast<tva_ioctl_flash_t *>(req.data());
    std::memset(f, 0, sizeof(*f));
    f->type = TVA_FLASH_PART_FWCFG;
    f->bufsz = n;
    f->buf_ptr = reinterpret_cast<uintptr_t>(req.data() + sizeof(*f));
    for (uint32_t i = 0; i < n; i++)
        req[sizeof(*f) + i] = static_cast<uint8_t>(0x5a ^ i);
    ASSERT_EQ(tval_ioctl_send(&eth_, TVA_IOCTL_FLASH_UPDATE_PART, req.data(), static_cast<uint32_t>(req.size())), 0);
    ASSERT_EQ(read_part(&fcoe_, over_bsg), 0);
    EXPECT_TRUE(std::equal(over_bsg.begin(), over_bsg.end(), req.begin() + sizeof(*f)));
}

TEST_F(RoundTrip, EthernetFirmwareUpdateGoesThroughATemporaryFile)
{
    std::vector<uint8_t> image(2048);
    for (size_t i = 0; i < image.size(); i++)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    std::vector<uint8_t> req(sizeof(tva_ioctl_flash_t) + image.size());
    auto *f = reinterpret_cast<tva_ioctl_flash_t *>(req.data());
    std::memset(f, 0, sizeof(*f));
    f->type = TVA_FLASH_PART_FWIMG;
    f->bufsz = static_cast<uint32_t>(image.size());
    f->buf_ptr = reinterpret_cast<uintptr_t>(req.data() + sizeof(*f));
    std::memcpy(req.data() + sizeof(*f), image.data(), image.size());
    ASSERT_EQ(tval_ioctl_send(&eth_, TVA_IOCTL_FLASH_UPDATE_PART, req.data(), static_cast<uint32_t>(req.size())), 0);
    /* the image file is gone again */
    EXPECT_NE(access("/lib/firmware/2-tvn_tmpfw_1657.bin", F_OK), 0);

    /* and the adapter holds it: read it back over the storage function */
    std::vector<uint8_t> back(sizeof(tva_ioctl_flash_t) + image.size(), 0);
    auto *b = reinterpret_cast<tva_ioctl_flash_t *>(back.data());
    b->type = TVA_FLASH_PART_FWIMG;
    b->bufsz = static_cast<uint32_t>(image.size());
    b->buf_ptr = reinterpret_cast<uintptr_t>(back.data() + sizeof(*b));
    ASSERT_EQ(tval_ioctl_send(&fcoe_, TVA_IOCTL_FLASH_READ_PART, back.data(), static_cast<uint32_t>(back.size())), 0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), back.begin() + sizeof(*b)));
}

/* ---- SCSI pass-through ----------------------------------------------------------- */

struct ScsiResult {
    int rc;
    uint8_t scsi_status;
    std::vector<uint8_t> data;
};

ScsiResult scsi(tval_t *ioc, const uint8_t rpwwn[8], uint16_t lun, std::vector<uint8_t> cdb, size_t len)
{
    uint8_t l[8] = {static_cast<uint8_t>(lun >> 8), static_cast<uint8_t>(lun)};
    uint8_t c[16] = {};
    std::memcpy(c, cdb.data(), cdb.size());
    ScsiResult r{};
    r.data.assign(len, 0xcc);
    uint8_t sense[32];
    uint32_t sense_len = sizeof(sense);
    r.rc = tval_scsi_cmnd(ioc, 0, ioc->pwwn, tval_wwn_from_bytes(rpwwn), l, c, 0, r.data.data(),
                          static_cast<uint32_t>(len), &r.scsi_status, sense, &sense_len);
    return r;
}

TEST_F(RoundTrip, ReportLunsIsFilteredByTheLunMask)
{
    /* LUNs 0, 1 and 2; the mask lists only LUN 2 for this port pair (LUN 1
     * only in an inactive entry and for another target). */
    ScsiResult r = scsi(&fc3_, target_pwwn, 0, {0xa0, 0, 0, 0, 0, 0, 0, 0, 0x03, 0x30}, 816);
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.scsi_status, 0);
    const uint8_t head[4] = {0, 0, 0, 16};
    EXPECT_EQ(0, std::memcmp(r.data.data(), head, 4));
    const uint8_t lun0[8] = {}, lun2[8] = {0, 2};
    EXPECT_EQ(0, std::memcmp(&r.data[8], lun0, 8));
    EXPECT_EQ(0, std::memcmp(&r.data[16], lun2, 8));
    for (size_t i = 24; i < r.data.size(); i++)
        ASSERT_EQ(r.data[i], 0) << i;
}

TEST_F(RoundTrip, ScsiCommandsAndTheNexusCheck)
{
    ScsiResult inq = scsi(&fc3_, target_pwwn, 1, {0x12, 0, 0, 0, 96, 0}, 96);
    EXPECT_EQ(inq.rc, 0);
    EXPECT_EQ(inq.scsi_status, 0);
    EXPECT_EQ(inq.data[0] & 0x1f, 0); /* a disk */

    ScsiResult off = scsi(&fc3_, offline_pwwn, 0, {0x12, 0, 0, 0, 96, 0}, 96);
    EXPECT_EQ(off.rc, TVA_STATUS_NO_FCPIM_NEXUS);

    const uint8_t unknown[8] = {0x50, 0x06, 0x01, 0x60, 0x3b, 0x20, 0x00, 0x77};
    EXPECT_EQ(scsi(&fc3_, unknown, 0, {0x00}, 0).rc, TVA_STATUS_UNKNOWN_RWWN);
}

TEST_F(RoundTrip, DeviceNamesOfLuns)
{
    char name[64];
    int count = 0;
    ASSERT_EQ(tval_get_osname(3, 0, 0, 1, name, sizeof(name), &count), 0);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(std::string(name).rfind("/dev/sd", 0), 0u) << name;
    EXPECT_EQ(tval_get_osname(3, 0, 0, 9, name, sizeof(name), &count), TVA_STATUS_FAILED);

    /* the generic node named in sysfs */
    std::string sgdir = "/sys/class/scsi_device/3:0:0:2/device/scsi_generic";
    std::string sg;
    DIR *d = opendir(sgdir.c_str());
    ASSERT_NE(d, nullptr);
    while (struct dirent *e = readdir(d))
        if (e->d_name[0] != '.')
            sg = std::string("/dev/") + e->d_name;
    closedir(d);
    ASSERT_EQ(tval_check_sg_node_presence(3, 0, 0, 2, name, sizeof(name)), 0);
    EXPECT_EQ(name, sg);
    ASSERT_EQ(tval_get_rport_lun_sg(3, 0, 0, 2, name, sizeof(name)), 0);
    EXPECT_EQ(name, sg);

    /* an absent LUN falls back to a LUN of the same target */
    ASSERT_EQ(tval_get_rport_lun_sg(3, 0, 0, 7, name, sizeof(name)), 0);
    EXPECT_EQ(std::string(name).rfind("/dev/sg", 0), 0u);
    /* a target without LUNs has no node */
    EXPECT_EQ(tval_get_rport_lun_sg(3, 0, 5, 0, name, sizeof(name)), TVA_STATUS_FAILED);
}

/* ---- FC pass-through ------------------------------------------------------------- */

TEST_F(RoundTrip, ElsEchoToTheHostAndThroughTheRemotePortNode)
{
    uint8_t fchs[24] = {0x22, 0x01, 0x02, 0x00, 0, 0x01, 0x01, 0x00, TVA_FC_TYPE_ELS, 0x29};
    uint8_t req[12] = {0x10, 0, 0, 0, 'p', 'i', 'n', 'g', 1, 2, 3, 4};
    for (bool via_rport : {false, true}) {
        uint8_t rsp[64] = {};
        uint32_t rsp_len = sizeof(rsp);
        wwn_t dst = via_rport ? tval_wwn_from_bytes(target_pwwn) : 0;
        ASSERT_EQ(tval_fcpt(&fc3_, 0, fc3_.pwwn, dst, 21, 0, 8, fchs, req, sizeof(req), rsp, &rsp_len), 0)
            << via_rport;
        EXPECT_EQ(rsp_len, sizeof(req));
        EXPECT_EQ(rsp[0], 0x02); /* LS_ACC */
        EXPECT_EQ(0, std::memcmp(rsp + 4, req + 4, 8));
    }
}

/* ---- injected failures (run with the faults of CMakeLists.txt) ------------------ */

TEST_F(RoundTrip, FaultsErrnoAndPayloadStatus)
{
    struct Case {
        uint32_t code;
        tval_t *ioc;
        int status;
    } cases[] = {
        {TVA_IOCTL_IOC_GET_STATS, &fc3_, TVA_STATUS_ENOTTY},   /* errno ENOTTY */
        {TVA_IOCTL_IOC_RESET_STATS, &fc3_, TVA_STATUS_FAILED},  /* errno EPERM, not listed */
        {TVA_IOCTL_IOC_RESET_STATS, &eth_, TVA_STATUS_FAILED},
        {TVA_IOCTL_PORT_GET_STATS, &fc3_, TVA_STATUS_CMD_NOTSUPP}, /* errno EOPNOTSUPP */
        {TVA_IOCTL_IOC_ENABLE, &fc3_, TVA_STATUS_DEVBUSY},      /* payload status 13 */
    };
    for (const Case &c : cases) {
        tval_args_t args;
        std::memset(&args, 0, sizeof(args));
        EXPECT_EQ(tval_ioctl_send(c.ioc, c.code, &args, TVA_IOC_SIZE(c.code)), c.status)
            << std::hex << c.code << " on " << c.ioc->devpath;
    }
}

} // namespace
