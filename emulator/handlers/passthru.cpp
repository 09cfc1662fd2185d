/* What the remote ports answer: SCSI commands on their LUNs' generic nodes,
 * and FC ELS and common-transport (name server) exchanges. */
#include <cstdio>

#include "sim.h"

namespace tvasim {

namespace {

constexpr uint8_t GOOD = 0x00, CHECK_CONDITION = 0x02;

void be16(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
void be32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
void be64(uint8_t *p, uint64_t v)
{
    be32(p, uint32_t(v >> 32));
    be32(p + 4, uint32_t(v));
}
uint32_t get_be16(const uint8_t *p)
{
    return (uint32_t(p[0]) << 8) | p[1];
}
uint32_t get_be32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void sense(ScsiCmd &c, uint8_t key, uint8_t asc, uint8_t ascq)
{
    c.status = CHECK_CONDITION;
    std::memset(c.sense, 0, sizeof(c.sense));
    c.sense[0] = 0x70;
    c.sense[2] = key;
    c.sense[7] = 10;
    c.sense[12] = asc;
    c.sense[13] = ascq;
    c.sense_len = 18;
}

/* Copies an answer into the data buffer, leaving the rest as the residue. */
void answer(ScsiCmd &c, const std::vector<uint8_t> &a, size_t alloc)
{
    size_t n = std::min({a.size(), alloc, c.len});
    if (n)
        std::memcpy(c.data, a.data(), n);
    c.resid = c.len - n;
}

void inquiry(ScsiCmd &c)
{
    size_t alloc = get_be16(c.cdb + 3);
    Lun &l = *c.lun;
    std::vector<uint8_t> a;
    if (c.cdb[1] & 1) { /* vital product data */
        uint8_t page = c.cdb[2];
        if (page == 0x00) {
            a = {0, 0x00, 0, 3, 0x00, 0x80, 0x83};
        } else if (page == 0x80) {
            char sn[32];
            std::snprintf(sn, sizeof(sn), "TVAEMU%02x%04x", c.rport->target, static_cast<unsigned>(l.lun));
            a = {0, 0x80, 0, static_cast<uint8_t>(std::strlen(sn))};
            a.insert(a.end(), sn, sn + std::strlen(sn));
        } else if (page == 0x83) {
            /* NAA-5 identifier from the target's WWN and the LUN */
            a = {0, 0x83, 0, 12, 0x01, 0x03, 0x00, 0x08};
            Wwn w = c.rport->pwwn;
            w[0] = static_cast<uint8_t>(0x50 | (w[0] & 0x0f));
            w[7] = static_cast<uint8_t>(w[7] + l.lun);
            a.insert(a.end(), w.begin(), w.end());
        } else {
            sense(c, 0x05, 0x24, 0x00);
            return;
        }
    } else {
        a.assign(36, 0);
        a[0] = 0x00; /* direct access */
        a[2] = 0x06; /* SPC-4 */
        a[3] = 0x02;
        a[4] = 31;
        a[7] = 0x02; /* command queuing */
        auto put = [&](size_t off, size_t len, const std::string &s) {
            for (size_t i = 0; i < len; ++i)
                a[off + i] = static_cast<uint8_t>(i < s.size() ? s[i] : ' ');
        };
        put(8, 8, l.vendor);
        put(16, 16, l.product);
        put(32, 4, l.revision);
    }
    answer(c, a, alloc);
}

void report_luns(ScsiCmd &c)
{
    size_t alloc = get_be32(c.cdb + 6);
    std::vector<uint8_t> a(8, 0);
    for (auto &l : c.rport->luns) {
        uint8_t e[8] = {};
        if (l.lun < 256) {
            e[1] = static_cast<uint8_t>(l.lun);
        } else {
            e[0] = static_cast<uint8_t>(0x40 | ((l.lun >> 8) & 0x3f));
            e[1] = static_cast<uint8_t>(l.lun);
        }
        a.insert(a.end(), e, e + 8);
    }
    be32(a.data(), static_cast<uint32_t>(a.size() - 8));
    answer(c, a, alloc);
}

} // namespace

void scsi_command(ScsiCmd &c)
{
    c.status = GOOD;
    c.sense_len = 0;
    c.resid = 0;
    if (!c.rport->online) {
        sense(c, 0x02, 0x04, 0x00); /* not ready */
        c.resid = c.len;
        return;
    }
    const uint8_t op = c.cdb[0];
    Lun &l = *c.lun;
    switch (op) {
    case 0x00: /* TEST UNIT READY */
        c.resid = c.len;
        return;
    case 0x03: { /* REQUEST SENSE */
        std::vector<uint8_t> a(18, 0);
        a[0] = 0x70;
        a[7] = 10;
        answer(c, a, c.cdb[4]);
        return;
    }
    case 0x12:
        inquiry(c);
        return;
    case 0xa0:
        report_luns(c);
        return;
    case 0x25: { /* READ CAPACITY (10) */
        std::vector<uint8_t> a(8, 0);
        be32(a.data(), l.blocks > 0xffffffffull ? 0xffffffffu : static_cast<uint32_t>(l.blocks - 1));
        be32(a.data() + 4, 512);
        answer(c, a, 8);
        return;
    }
    case 0x9e: { /* READ CAPACITY (16) */
        if ((c.cdb[1] & 0x1f) != 0x10) {
            sense(c, 0x05, 0x24, 0x00);
            return;
        }
        std::vector<uint8_t> a(32, 0);
        be64(a.data(), l.blocks - 1);
        be32(a.data() + 8, 512);
        answer(c, a, get_be32(c.cdb + 10));
        return;
    }
    case 0x1a:   /* MODE SENSE (6) */
    case 0x5a: { /* MODE SENSE (10) */
        std::vector<uint8_t> a(op == 0x1a ? 4 : 8, 0);
        if (op == 0x1a)
            a[0] = 3;
        else
            be16(a.data(), 6);
        answer(c, a, op == 0x1a ? c.cdb[4] : get_be16(c.cdb + 7));
        return;
    }
    case 0x08:   /* READ (6) */
    case 0x28:   /* READ (10) */
    case 0x88: { /* READ (16) */
        if (c.len)
            std::memset(c.data, 0, c.len);
        return;
    }
    case 0x0a:
    case 0x2a:
    case 0x8a:
    case 0x35: /* SYNCHRONIZE CACHE */
        return;
    default:
        sense(c, 0x05, 0x20, 0x00); /* invalid command operation code */
        c.resid = c.len;
        return;
    }
}

/* ---- FC exchanges --------------------------------------------------------- */

namespace {

constexpr uint8_t ELS_LS_RJT = 0x01, ELS_LS_ACC = 0x02;
constexpr uint8_t ELS_PLOGI = 0x03, ELS_ECHO = 0x10, ELS_RLS = 0x0f, ELS_ADISC = 0x52, ELS_RNID = 0x78;

RemotePort *rport_by_fcid(Function &f, uint32_t did)
{
    for (auto &r : f.rports)
        if (r.fcid == did)
            return &r;
    return nullptr;
}

long put_rsp(FcExchange &x, const std::vector<uint8_t> &a)
{
    size_t n = std::min(a.size(), x.rsp_len);
    if (n)
        std::memcpy(x.rsp, a.data(), n);
    return static_cast<long>(n);
}

long els(FcExchange &x, RemotePort *r)
{
    if (x.req_len < 4)
        return -EINVAL;
    uint8_t cmd = x.req[0];
    std::vector<uint8_t> a(4, 0);
    if (!r && (x.did & 0xffff00) != 0xfffc00 && x.did != 0xfffffe && x.did != 0xfffffc) {
        /* no such port: reject, unable to perform */
        a = {ELS_LS_RJT, 0, 0, 0, 0, 0x09, 0x00, 0};
        return put_rsp(x, a);
    }
    a[0] = ELS_LS_ACC;
    switch (cmd) {
    case ELS_ECHO:
        a.assign(x.req, x.req + x.req_len);
        a[0] = ELS_LS_ACC;
        a[1] = a[2] = a[3] = 0;
        break;
    case ELS_PLOGI:
    case ELS_ADISC: {
        a.resize(cmd == ELS_PLOGI ? 116 : 28, 0);
        const Wwn pw = r ? r->pwwn : Wwn{0x20, 0, 0, 0x05, 0x33, 0, 0, 0};
        const Wwn nw = r ? r->nwwn : Wwn{0x10, 0, 0, 0x05, 0x33, 0, 0, 0};
        size_t off = cmd == ELS_PLOGI ? 20 : 8;
        if (cmd == ELS_ADISC)
            off = 8;
        std::memcpy(&a[off], pw.data(), 8);
        std::memcpy(&a[off + 8], nw.data(), 8);
        if (cmd == ELS_ADISC) {
            uint32_t id = r ? r->fcid : x.did;
            a[25] = uint8_t(id >> 16);
            a[26] = uint8_t(id >> 8);
            a[27] = uint8_t(id);
        }
        break;
    }
    case ELS_RLS:
        a.resize(28, 0); /* link error status block: all zero */
        break;
    case ELS_RNID: {
        a.resize(8 + 16 + 52, 0);
        a[4] = x.req_len > 4 ? x.req[4] : 0; /* node id data format */
        a[5] = 16;
        a[7] = 52;
        const Wwn pw = r ? r->pwwn : Wwn{};
        const Wwn nw = r ? r->nwwn : Wwn{};
        std::memcpy(&a[8], pw.data(), 8);
        std::memcpy(&a[16], nw.data(), 8);
        break;
    }
    default:
        a = {ELS_LS_RJT, 0, 0, 0, 0, 0x0b, 0x00, 0}; /* command not supported */
        break;
    }
    return put_rsp(x, a);
}

long ct(FcExchange &x, RemotePort *r)
{
    if (x.req_len < 16)
        return -EINVAL;
    std::vector<uint8_t> a(x.req, x.req + 16);
    uint32_t code = get_be16(x.req + 8);
    uint8_t gs_type = x.req[4], gs_sub = x.req[5];
    a[10] = a[11] = 0;
    a[12] = a[13] = a[14] = a[15] = 0;
    auto accept = [&] { be16(&a[8], 0x8002); };
    auto reject = [&](uint8_t reason, uint8_t expl) {
        be16(&a[8], 0x8001);
        a[13] = reason;
        a[14] = expl;
    };
    Function &f = *x.fn;
    if (gs_type == 0xfc && gs_sub == 0x02) { /* name server */
        uint32_t id = x.req_len >= 20 ? (get_be32(x.req + 16) & 0xffffff) : 0;
        switch (code) {
        case 0x0171:   /* GID_FT */
        case 0x01a1: { /* GID_PT */
            accept();
            if (f.rports.empty()) {
                reject(0x09, 0x07); /* no port ids */
                break;
            }
            for (size_t i = 0; i < f.rports.size(); ++i) {
                uint32_t fc = f.rports[i].fcid;
                a.push_back(i + 1 == f.rports.size() ? 0x80 : 0);
                a.push_back(uint8_t(fc >> 16));
                a.push_back(uint8_t(fc >> 8));
                a.push_back(uint8_t(fc));
            }
            break;
        }
        case 0x0112:   /* GPN_ID */
        case 0x0113: { /* GNN_ID */
            RemotePort *p = rport_by_fcid(f, id);
            if (!p) {
                reject(0x09, 0x01); /* port id not registered */
                break;
            }
            accept();
            const Wwn &w = code == 0x0112 ? p->pwwn : p->nwwn;
            a.insert(a.end(), w.begin(), w.end());
            break;
        }
        case 0x0121: { /* GID_PN */
            Wwn w{};
            if (x.req_len >= 24)
                std::memcpy(w.data(), x.req + 16, 8);
            RemotePort *p = nullptr;
            for (auto &q : f.rports)
                if (q.pwwn == w)
                    p = &q;
            if (!p) {
                reject(0x09, 0x02);
                break;
            }
            accept();
            a.push_back(0);
            a.push_back(uint8_t(p->fcid >> 16));
            a.push_back(uint8_t(p->fcid >> 8));
            a.push_back(uint8_t(p->fcid));
            break;
        }
        default:
            reject(0x0b, 0x00);
        }
    } else if (r) {
        /* CT to a remote port: the port accepts and answers with nothing */
        accept();
    } else {
        reject(0x0b, 0x00);
    }
    return put_rsp(x, a);
}

} // namespace

long fc_exchange(FcExchange &x)
{
    RemotePort *r = x.rport;
    if (!r && x.msgcode == TVA_FC_BSG_HST_ELS_NOLOGIN)
        r = rport_by_fcid(*x.fn, x.did);
    if (r && !r->online)
        return -ENXIO;
    if (x.msgcode == TVA_FC_BSG_HST_ELS_NOLOGIN || x.msgcode == TVA_FC_BSG_RPT_ELS)
        return els(x, r);
    return ct(x, x.rport);
}

} // namespace tvasim
