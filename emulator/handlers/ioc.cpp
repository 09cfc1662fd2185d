/* IOC requests: attributes, information, statistics. */
#include "tvasim.h"

namespace tvasim {

namespace {

void fill_attr(Function &f, tva_ioc_attr_t &at)
{
    Adapter &a = *f.adapter;
    std::memset(&at, 0, sizeof(at));
    at.ioc_type = static_cast<uint32_t>(f.type);
    at.state = f.state;
    tva_adapter_attr_t &ad = at.adapter_attr;
    put_str(ad.manufacturer, a.manufacturer);
    put_str(ad.serial_num, a.serial);
    ad.card_type = a.card_type;
    put_str(ad.model, a.model);
    put_str(ad.model_descr, a.model_descr);
    ad.pwwn = to_wwn_t(f.storage() ? f.pwwn : Wwn{});
    put_str(ad.node_symname, a.name);
    put_str(ad.hw_ver, a.hw_ver);
    put_str(ad.fw_ver, a.fw_ver);
    put_str(ad.optrom_ver, a.optrom_ver);
    put_str(ad.os_type, a.os_type);
    ad.vpd.version = a.vpd_version;
    ad.vpd.vpd_sig[0] = 'V';
    ad.vpd.vpd_sig[1] = 'P';
    ad.vpd.vpd_sig[2] = 'D';
    ad.vpd.vendor = a.vpd_vendor;
    size_t vn = std::min(a.vpd.size(), sizeof(ad.vpd.data));
    if (vn)
        std::memcpy(ad.vpd.data, a.vpd.data(), vn);
    ad.vpd.len = static_cast<uint8_t>(std::min<size_t>(vn / 4, 255)); /* in 32-bit words */
    uint8_t sum = 0;
    for (size_t i = 0; i < vn; ++i)
        sum = static_cast<uint8_t>(sum + a.vpd[i]);
    ad.vpd.chksum = static_cast<uint8_t>(0 - sum);
    std::memcpy(ad.mac.mac, f.storage() && f.type == FnType::FC ? Mac{}.data() : f.mac.data(), 6);
    ad.nports = a.nports;
    ad.max_speed = a.max_speed;
    ad.prototype = a.prototype;
    ad.asic_rev = a.asic_rev;
    ad.pcie_gen = a.pcie_gen;
    ad.pcie_lanes_orig = a.pcie_lanes;
    ad.pcie_lanes = a.pcie_lanes;
    ad.cna_capable = a.cna_capable;
    ad.is_mezz = a.is_mezz;
    ad.trunk_capable = a.trunk_capable;
    ad.mfg_day = a.mfg_day;
    ad.mfg_month = a.mfg_month;
    ad.mfg_year = a.mfg_year;

    tva_driver_attr_t &dr = at.driver_attr;
    put_str(dr.driver, f.storage() ? "tvad" : "tvnd");
    put_str(dr.driver_ver, a.driver_ver);
    put_str(dr.fw_ver, a.fw_ver);
    put_str(dr.bios_ver, a.bios_ver);
    put_str(dr.efi_ver, a.efi_ver);
    put_str(dr.ob_ver, a.ob_ver);

    tva_pci_attr_t &pc = at.pci_attr;
    pc.vendor_id = f.vendor_id;
    pc.device_id = f.device_id;
    pc.ssid = f.ssid;
    pc.ssvid = f.ssvid;
    pc.pcifn = static_cast<uint32_t>(f.pcifn);
    put_str(pc.chip_rev, a.chip_rev);

    at.port_id = static_cast<uint8_t>(f.port);
    /* port mode: 1 HBA (FC), 2 CNA (FCoE and Ethernet) */
    at.port_mode = f.type == FnType::FC ? 1 : 2;
    at.port_mode_cfg = static_cast<uint8_t>(f.settings.value("port_mode_cfg", at.port_mode));
    at.cap_bm = a.cap_bm;
}

void ioc_get_attr(Request &r)
{
    auto *p = r.payload<tva_ioctl_ioc_attr_t>();
    if (!p) {
        r.set_status(TVA_STATUS_EINVAL);
        return;
    }
    fill_attr(*r.fn, p->ioc_attr);
    p->tvad_num = static_cast<uint16_t>(r.fn->instance);
    p->status = TVA_STATUS_OK;
}

void ioc_get_info(Request &r)
{
    auto *p = r.payload<tva_ioctl_ioc_info_t>();
    if (!p) {
        r.set_status(TVA_STATUS_EINVAL);
        return;
    }
    Function &f = *r.fn;
    Adapter &a = *f.adapter;
    std::memset(reinterpret_cast<uint8_t *>(p) + 8, 0, sizeof(*p) - 8);
    p->tvad_num = static_cast<uint16_t>(f.instance);
    put_str(p->serialnum, a.serial);
    put_str(p->hwpath, f.pci);
    put_str(p->adapter_hwpath, a.hwpath);
    put_str(p->guid, a.serial + "-" + f.pci);
    put_str(p->name, a.name);
    put_str(p->port_name, f.port_name);
    put_str(p->eth_name, f.type == FnType::Eth ? f.eth_name : "");
    if (f.storage()) {
        p->pwwn = to_wwn_t(f.pwwn);
        p->nwwn = to_wwn_t(f.nwwn);
        p->factorypwwn = to_wwn_t(f.factory_pwwn);
        p->factorynwwn = to_wwn_t(f.factory_nwwn);
        p->host = static_cast<uint32_t>(f.host);
    }
    if (f.type != FnType::FC) {
        std::memcpy(p->mac.mac, f.mac.data(), 6);
        std::memcpy(p->factory_mac.mac, f.factory_mac.data(), 6);
        std::memcpy(p->current_mac.mac, f.current_mac.data(), 6);
    }
    p->ioc_type = static_cast<uint32_t>(f.type);
    p->pvid = static_cast<uint16_t>(f.settings.value("pvid", 0));
    p->bandwidth = f.settings.value("bandwidth", 100u);
    p->status = TVA_STATUS_OK;
}

/* Driver IOC counters: each grows at its own pace from the last reset. */
void ioc_get_stats(Request &r)
{
    auto *p = r.payload<tva_ioctl_ioc_stats_t>();
    if (!p) {
        r.set_status(TVA_STATUS_EINVAL);
        return;
    }
    Function &f = *r.fn;
    double since = f.settings.value("ioc_stats_reset", 0.0);
    double t = host().uptime() - since;
    if (t < 0)
        t = 0;
    constexpr size_t n = TVA_IOC_DRV_STATS_SIZE / 4;
    for (size_t i = 0; i < n; ++i) {
        /* a few counters move fast (I/O), most slowly (events) */
        double rate = i < 4 ? 1000.0 / (i + 1) : (i % 5 == 0 ? 0.0 : 1.0 / static_cast<double>(i));
        uint32_t v = static_cast<uint32_t>(static_cast<uint64_t>(t * rate) & 0xffffffffu);
        std::memcpy(p->stats + 4 * i, &v, 4);
    }
    p->status = f.state == 6 ? TVA_STATUS_OK : TVA_STATUS_IOC_FAILURE;
}

void ioc_reset_stats(Request &r)
{
    r.fn->settings["ioc_stats_reset"] = host().uptime();
    r.set_status(TVA_STATUS_OK);
}

TVASIM_HANDLER(TVA_IOCTL_IOC_GET_ATTR, ioc_get_attr);
TVASIM_HANDLER(TVA_IOCTL_IOC_GET_INFO, ioc_get_info);
TVASIM_HANDLER(TVA_IOCTL_IOC_GET_STATS, ioc_get_stats);
TVASIM_HANDLER(TVA_IOCTL_IOC_RESET_STATS, ioc_reset_stats);

} // namespace

/* For other handler files: the attribute record of a function. */
void fill_ioc_attr(Function &f, tva_ioc_attr_t &out)
{
    fill_attr(f, out);
}

} // namespace tvasim
