/* Port attribute and port statistics requests.
 *
 * Scenario keys of a function read here (all optional): "link" ("up" or
 * "down", default up), "port_symname", "cos_supported". Live settings of the
 * function: "enabled" (false: the port is disabled), "speed", "topology",
 * "maxfrsize", "stats_reset_at" (uptime seconds of the last statistics reset). */
#include <cstring>

#include "tvasim.h"

namespace tvasim {

namespace {

template <class T>
T setting(const json &obj, const char *key, T fallback)
{
    if (obj.is_object()) {
        auto it = obj.find(key);
        if (it != obj.end() && it->is_number())
            return it->get<T>();
    }
    return fallback;
}

bool port_enabled(const Function &fn)
{
    if (fn.settings.is_object()) {
        auto it = fn.settings.find("enabled");
        if (it != fn.settings.end() && it->is_boolean())
            return it->get<bool>();
    }
    return true;
}

bool link_up(const Function &fn)
{
    if (!port_enabled(fn))
        return false;
    return !(fn.raw.is_object() && fn.raw.value("link", std::string("up")) == "down");
}

uint32_t max_speed(const Function &fn)
{
    return fn.type == FnType::FC ? fn.adapter->max_speed : static_cast<uint32_t>(TVA_PORT_SPEED_10GBPS);
}

void port_get_attr(Request &req)
{
    auto *p = req.payload<tva_ioctl_port_attr_t>();
    if (!p) {
        req.set_status(TVA_STATUS_EINVAL);
        return;
    }
    Function &fn = *req.fn;
    if (!fn.storage()) {
        req.set_status(TVA_STATUS_CMD_NOTSUPP);
        return;
    }
    tva_port_attr_t &a = p->attr;
    std::memset(&a, 0, sizeof a);
    a.nwwn = to_wwn_t(fn.nwwn);
    a.pwwn = to_wwn_t(fn.pwwn);
    a.factorynwwn = to_wwn_t(fn.factory_nwwn);
    a.factorypwwn = to_wwn_t(fn.factory_pwwn);
    a.cos_supported = setting<uint32_t>(fn.raw, "cos_supported", 8);
    std::string symname = fn.raw.is_object() ? fn.raw.value("port_symname", std::string()) : std::string();
    if (symname.empty())
        symname = fn.adapter->model + " port " + std::to_string(fn.port);
    put_str(a.port_symname, symname);
    a.speed_supported = max_speed(fn);
    a.pport_cfg.topology = setting<uint8_t>(fn.settings, "topology", TVA_PORT_TOPOLOGY_AUTO);
    a.pport_cfg.speed = setting<uint8_t>(fn.settings, "speed", TVA_PORT_SPEED_AUTO);
    a.pport_cfg.maxfrsize = setting<uint16_t>(fn.settings, "maxfrsize", 2112);
    a.pport_cfg.path_tov = 30;
    a.pport_cfg.q_depth = 32;
    bool up = link_up(fn);
    a.port_state = !port_enabled(fn) ? TVA_PORT_ST_DISABLED : up ? TVA_PORT_ST_LINKUP : TVA_PORT_ST_LINKDOWN;
    if (up) {
        uint32_t cfg = a.pport_cfg.speed;
        a.speed = (cfg == TVA_PORT_SPEED_AUTO || cfg == 0 || cfg > a.speed_supported) ? a.speed_supported : cfg;
        a.topology = TVA_PORT_TOPOLOGY_P2P;
        a.port_type = TVA_PORT_TYPE_NPORT;
        uint8_t *pid = reinterpret_cast<uint8_t *>(&a.pid);
        pid[0] = static_cast<uint8_t>(fn.fcid >> 16);
        pid[1] = static_cast<uint8_t>(fn.fcid >> 8);
        pid[2] = static_cast<uint8_t>(fn.fcid);
    } else {
        a.speed = TVA_PORT_SPEED_UNKNOWN;
        a.topology = TVA_PORT_TOPOLOGY_NONE;
        a.port_type = TVA_PORT_TYPE_UNKNOWN;
    }
    a.fcoe_vlan = fn.type == FnType::FCoE ? 1002 : 0;
    req.set_status(TVA_STATUS_OK);
}

void port_get_stats(Request &req)
{
    auto *p = req.payload<tva_ioctl_port_stats_t>();
    if (!p) {
        req.set_status(TVA_STATUS_EINVAL);
        return;
    }
    /* The record follows the header when the sender moved it along, else it
     * is the sender's memory at buf_ptr. */
    uint8_t *out = nullptr;
    if (req.len >= sizeof(tva_port_stats_req_t))
        out = req.data + offsetof(tva_port_stats_req_t, stats);
    else
        out = req.client_buffer(offsetof(tva_ioctl_port_stats_t, buf_ptr), TVA_PORT_STATS_SIZE);
    if (!out) {
        req.set_status(TVA_STATUS_EINVAL);
        return;
    }
    const Function &fn = *req.fn;
    const Host &h = host();
    double since = h.uptime() - setting<double>(fn.settings, "stats_reset_at", 0.0);
    if (since < 0)
        since = 0;
    /* Traffic only while the link is up; a few link events at start. */
    double rate = link_up(fn) ? 1.0 : 0.0;
    auto grow = [&](double per_second) { return static_cast<uint64_t>(since * per_second * rate); };

    tva_port_stats_t s;
    std::memset(&s, 0, sizeof s);
    if (fn.type == FnType::FC) {
        s.fc.secs_reset = static_cast<uint64_t>(since);
        s.fc.tx_frames = grow(1800);
        s.fc.tx_words = grow(1800 * 260);
        s.fc.rx_frames = grow(2100);
        s.fc.rx_words = grow(2100 * 260);
        s.fc.lip_count = 0;
        s.fc.nos_count = 1;
        s.fc.ols_count = 1;
        s.fc.lr_count = 2;
        s.fc.lrr_count = 1;
        s.fc.link_failures = 1;
        s.fc.loss_of_syncs = 2;
        s.fc.loss_of_signals = 1;
        s.fc.err_enc_out = 3;
    } else {
        s.eth[0] = static_cast<uint64_t>(since);
        for (size_t i = 1; i < 5; i++)
            s.eth[i] = grow(1000.0 * static_cast<double>(i));
    }
    std::memcpy(out, &s, sizeof s);
    req.set_status(TVA_STATUS_OK);
}

TVASIM_HANDLER(TVA_IOCTL_PORT_GET_ATTR, port_get_attr);
TVASIM_HANDLER(TVA_IOCTL_PORT_GET_STATS, port_get_stats);

} // namespace

} // namespace tvasim
