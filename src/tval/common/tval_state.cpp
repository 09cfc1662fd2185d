#include "tva_status.h"

#include <atomic>

namespace {

/* One text per status; every text but the last ends with a space. */
const char *const errorlist[TVA_STATUS_COUNT] = {
    "Success ", /* 0 */
    "Operation failed ", /* 1 */
    "Invalid params Check input parameters ", /* 2 */
    "Out of resources ", /* 3 */
    "Function not implemented ", /* 4 */
    "Timer expired - Retry if persists contact support ", /* 5 */
    "Protocol error ", /* 6 */
    "No FC ports resources ", /* 7 */
    "Flash not present ", /* 8 */
    "Flash is bad ", /* 9 */
    "Unsupported SFP - Replace SFP ", /* 10 */
    "VF_ID not found ", /* 11 */
    "Diag returned data corrupted contact support ", /* 12 */
    "Device busy - Retry operation ", /* 13 */
    "Operation aborted ", /* 14 */
    "Dev is not present ", /* 15 */
    "Host dma failed contact support ", /* 16 */
    "Flash bad length ", /* 17 */
    "LPORT PWWN not found ", /* 18 */
    "RPORT PWWN not found ", /* 19 */
    "Got LS_RJT for FC Pass through Req ", /* 20 */
    "VPORT already exists ", /* 21 */
    "Reached max VPORT supported limit ", /* 22 */
    "Invalid Speed Check speed setting ", /* 23 */
    "Invalid Max data field size ", /* 24 */
    "Setting can not be persisted ", /* 25 */
    "Command/API not supported ", /* 26 */
    "No Telvarn Adapter Found ", /* 27 */
    "Link is down - Check or replace SFP/cable ", /* 28 */
    "Reject from attached fabric ", /* 29 */
    "VPORT PWWN not found ", /* 30 */
    "Nameserver login failed ", /* 31 */
    "No remote ports found ", /* 32 */
    "Nameserver query failed ", /* 33 */
    "Port is not online ", /* 34 */
    "RPORT is not online ", /* 35 */
    "Remote SCSI target open failed ", /* 36 */
    "No valid LUNs found ", /* 37 */
    "SCSI target IO failure ", /* 38 */
    "No switched fabric present ", /* 39 */
    "Bad file descriptor ", /* 40 */
    "A signal was caught during ioctl ", /* 41 */
    "I/O error ", /* 42 */
    "Inappropriate I/O control operation ", /* 43 */
    "No such device or address ", /* 44 */
    "Failed to open file ", /* 45 */
    "WWN is same as base port's WWN ", /* 46 */
    "Port not disabled disable port first ", /* 47 */
    "Bad frame header ", /* 48 */
    "Bad frame size check and replace SFP/cable ", /* 49 */
    "Missing frame check and replace SFP/cable or for Mezz card check and replace pass through module ", /* 50 */
    "Link timeout check and replace SFP/cable ", /* 51 */
    "No FCP Nexus exists with the rport ", /* 52 */
    "checksum failure ", /* 53 */
    "Get zone member query failed ", /* 54 */
    "SCSI disk require START command ", /* 55 */
    "IOC failure - Retry if persists contact support ", /* 56 */
    "Invalid WWN ", /* 57 */
    "Version mismatch ", /* 58 */
    "IOC is already enabled ", /* 59 */
    "Adapter is not disabled disable adapter first ", /* 60 */
    "IOC is not operational. Enable IOC and if it still fails contact support ", /* 61 */
    "PCI base address not mapped in OS ", /* 62 */
    "Name exists! use a different name ", /* 63 */
    "API completes asynchronously ", /* 64 */
    "Speed setting not valid for 8G HBA ", /* 65 */
    "Speed setting not valid for 4G HBA ", /* 66 */
    "Adapter is already enabled ", /* 67 */
    "Invalid path failover TOV ", /* 68 */
    "Invalid queue depth value ", /* 69 */
    "Application/Driver version mismatch ", /* 70 */
    "diag busy ", /* 71 */
    "Port Beacon already on ", /* 72 */
    "Port Beacon already off ", /* 73 */
    "Link End-to-End Beacon already on ", /* 74 */
    "Link End-to-End Beacon already off ", /* 75 */
    "Port not initialized ", /* 76 */
    "Target has a valid speed ", /* 77 */
    "No saved firmware trace ", /* 78 */
    "Not a valid Telvarn Boot Code file ", /* 79 */
    "Target rate limiting is already enabled ", /* 80 */
    "Target rate limiting is already disabled ", /* 81 */
    "IOC is already disabled ", /* 82 */
    "Adapter is already disabled ", /* 83 */
    "Bios is already disabled ", /* 84 */
    "Authentication is already enabled ", /* 85 */
    "Authentication is already disabled ", /* 86 */
    "Target rate limiting is enabled ", /* 87 */
    "QoS is enabled ", /* 88 */
    "No SFP device check or replace SFP ", /* 89 */
    "Memory test failed contact support ", /* 90 */
    "Invalid device id provided ", /* 91 */
    "QOS is already enabled ", /* 92 */
    "QOS is already disabled ", /* 93 */
    "Check configuration key/value pair ", /* 94 */
    "Can't read windows registry ", /* 95 */
    "Invalid IOCTL code ", /* 96 */
    "Invalid VLAN ID ", /* 97 */
    "Invalid port name ", /* 98 */
    "Memory allocation failure in driver ", /* 99 */
    "Given VLAN id same as PVID ", /* 100 */
    "Given VLAN id already exists ", /* 101 */
    "Updating firmware with new VLAN ID failed ", /* 102 */
    "Port Log is already enabled ", /* 103 */
    "Port Log is already disabled ", /* 104 */
    "Specified file could not be found ", /* 105 */
    "QOS can be enabled for FC mode only ", /* 106 */
    "RATELIM can be enabled for FC mode only ", /* 107 */
    "Invalid speed selection for Vesk. ", /* 108 */
    "LED test is operating ", /* 109 */
    "eth port is not at down state please bring down first ", /* 110 */
    "Speed setting not valid for 10G CNA ", /* 111 */
    "Invalid team name ", /* 112 */
    "Given team name already exists ", /* 113 */
    "Given port is part of another team or VLANS exist ", /* 114 */
    "Port has VLANs configured. Delete all VLANs to become part of team ", /* 115 */
    "Mismatching PVIDs configured for ports ", /* 116 */
    "Mismatching link speeds configured for ports ", /* 117 */
    "Mismatching MTUs configured for ports ", /* 118 */
    "Mismatching RSS parameters configured for ports ", /* 119 */
    "Mismatching HDS parameters configured for ports ", /* 120 */
    "Mismatching offload parameters configured for ports ", /* 121 */
    "Error setting port parameters ", /* 122 */
    "Port is not part of team ", /* 123 */
    "Primary port cannot be removed. Change primary before removing ", /* 124 */
    "Exceeding maximum ports per team ", /* 125 */
    "Last port in team cannot be removed. Delete team instead ", /* 126 */
    "IM driver is not installed ", /* 127 */
    "Exceeding maximum VLANs per port ", /* 128 */
    "Bios speed config not allowed for CNA ", /* 129 */
    "Miniport driver is not loaded ", /* 130 */
    "Card type mismatch ", /* 131 */
    "Bad ASIC block ", /* 132 */
    "Telvarn adapter/driver not installed or loaded ", /* 133 */
    "Invalid MAC address ", /* 134 */
    "No VLANs configured on the port ", /* 135 */
    "Ethernet loopback test failed ", /* 136 */
    "Cannot remove port VLAN (PVID) ", /* 137 */
    "Cannot edit port VLAN (PVID) ", /* 138 */
    "Boot upload not allowed for CNA ", /* 139 */
    "Port VLAN ID (PVID) is Set to Non-Zero Value ", /* 140 */
    "Acquiring Network Subsytem Lock Failed. Please try after some time ", /* 141 */
    "Acquiring Network Subsytem handle Failed. Please try after some time ", /* 142 */
    "IM driver is not active ", /* 143 */
    "User doesn't have sufficient permissions to execute the TVCLI application ", /* 144 */
    "Invalid/Reserved VLAN name string. The name is not allowed for the normal VLANs ", /* 145 */
    "Command not supported for CNA ", /* 146 */
    "Can not edit pass through VLAN ID ", /* 147 */
    "IM Driver bind operation failed ", /* 148 */
    "IM Driver unbind operation failed ", /* 149 */
    "Port is already part of the team ", /* 150 */
    "VLAN ID doesn't exist ", /* 151 */
    "Team doesn't exist ", /* 152 */
    "Given settings are not allowed for the current Teaming mode ", /* 153 */
    "Operation not allowed for pre-boot configuration ", /* 154 */
    "Boot image is not for the adapter(s) installed ", /* 155 */
    "Bad firmware configuration ", /* 156 */
    "Failed to create temporary file ", /* 157 */
    "Invalid switch vendor ", /* 158 */
    "SFP info is not ready. Retry ", /* 159 */
    "Flash not initialized ", /* 160 */
    "Flash is empty ", /* 161 */
    "Flash checksum failed ", /* 162 */
    "Trunking is only supported on dual port FC HBAs ", /* 163 */
    "Trunk is already enabled on this adapter ", /* 164 */
    "Trunking is disabled on the adapter ", /* 165 */
    "Target rate limiting is enabled on either or both of the ports of adapter ", /* 166 */
    "reboot -- -r is needed after boot code update or driver update ", /* 167 */
    "Boot code version not compatible with the driver installed ", /* 168 */
    "Boot image is not for the adapter(s) installed ", /* 169 */
    "Invalid card type provided ", /* 170 */
    "Topology command not applicable to CNA ", /* 171 */
    "VLAN on Team Delete Operation Failed ", /* 172 */
    "Ethboot is already enabled ", /* 173 */
    "Ethboot is already disabled ", /* 174 */
    "IO profile OFF ", /* 175 */
    "Port instance is unavailable or disabled ", /* 176 */
    "Boot update has timed out please try later ", /* 177 */
    "Can not get the lock vports will not be persisted ", /* 178 */
    "Trying to delete a vport not persisted by the driver ", /* 179 */
    "Microsoft Hyper-V is enabled on this Port/VLAN.\nPlease remove this Port/VLAN from Microsoft Hyper-V configuration\nusing Microsoft Hyper-V tools and then try this operation again. ", /* 180 */
    "Reserved VLAN in team cannot be removed. Delete team instead. ", /* 181 */
    "Boot code is corrupted please retry with a good boot code image before rebooting the system. ", /* 182 */
    "PHY module not present ", /* 183 */
    "Trunk is enabled on this adapter. Disable trunking or disable all adapter ports. ", /* 184 */
    "Speed setting not valid for 16G HBA ", /* 185 */
    "Mismatching Auto Recovery parameters configured for ports ", /* 186 */
    "Mismatching Flow Control parameters configured for ports ", /* 187 */
    "Mismatching Interrupt Moderation parameters configured for ports ", /* 188 */
    "Mismatching Jumbo Packet parameters configured for ports ", /* 189 */
    "Mismatching Locally Administered Address parameters configured for ports ", /* 190 */
    "Mismatching VmQ parameters configured for ports ", /* 191 */
    "This feature is not supported on this Model or Mode of the Adapter ", /* 192 */
    "This entry exists ", /* 193 */
    "This entry does not exist ", /* 194 */
    "This feature is already in that state ", /* 195 */
    "This feature is in disabled state ", /* 196 */
    "FAA is already enabled ", /* 197 */
    "FAA is already disabled ", /* 198 */
    "FAA is already acquired ", /* 199 */
    "Acquiring addr from the fabric. Please check cable connection and configuration on the switch ", /* 200 */
    "FC Credit Recovery is supported for FC mode only ", /* 201 */
    "FAA is enabled on either/both of the adapter ports. Disable FAA reboot and try this operation ", /* 202 */
    "Trunk is enabled on this adapter ", /* 203 */
    "FAA is operational on either/both of the adapter ports. Disable FAA on\nthe switch port reboot the host and try this operation ", /* 204 */
    "Link beacon is currently ON at a different port on the switch.\nPlease turn it OFF first.\nOnly one switch port is allowed to beacon at a time. ", /* 205 */
    "Link Beacon is not supported by the attached switch. ", /* 206 */
    "Base function cannot be deleted/disabled ", /* 207 */
    "Invalid PCI function for required operation ", /* 208 */
    "Persistent Binding already exist for another target ", /* 209 */
    "The binding is reserved of boot target ", /* 210 */
    "The binding is out of range ", /* 211 */
    "MAX entry reached ", /* 212 */
    "Maximum number of PFs have been created ", /* 213 */
    "Trunking is not supported on mezz cards ", /* 214 */
    "Trunking is not supported on CNAs ", /* 215 */
    "The intended mode is not supported on the adapter ", /* 216 */
    "Microsoft Hyper-V is enabled on the Team.\nPlease remove Microsoft Hyper-V configuration\nusing Microsoft Hyper-V tools from the team and then try this operation again. ", /* 217 */
    "Given ports cannot be from the same Physical port. Please try passing one port from each physical port. ", /* 218 */
    "Internal loopback is supported for a port in HBA mode only. ", /* 219 */
    "Speed setting is not supported by SFP ", /* 220 */
    "Buffer size is smaller than the required one. ", /* 221 */
    "All existing team(s)/vlans if any are in disabled state.\nPlease enable any of the teams/vlans to list them. ", /* 222 */
    "First pcifn on port 0 of adapter is disabled. Please enable it first. ", /* 223 */
    "Unsupported VPD vendor. ", /* 224 */
    "Corrupted pci data. ", /* 225 */
    "Vpd checksum error. ", /* 226 */
    "Incorrect LR_STR_TAG. ", /* 227 */
    "Incorrect LR_VPDR_TAG. ", /* 228 */
    "Telvarn VPD header not found. ", /* 229 */
    "Topology is set to Loop ", /* 230 */
    "Loop topology is not supported on mezz cards ", /* 231 */
    "Cannot perform the operation as vport is reserved ", /* 232 */
    "Invalid bandwidth value ", /* 233 */
    "Invalid QOS bandwidth configuration ", /* 234 */
    "D-port mode is already enabled ", /* 235 */
    "D-port mode is already disabled ", /* 236 */
    "iScsi boot is already enabled ", /* 237 */
    "iScsi boot is already disabled ", /* 238 */
    "Command not supported for MEZZ card ", /* 239 */
    "fru module not present ", /* 240 */
    "fru vpd file is invalid ", /* 241 */
    "Selected operation is not allowed in network partitioning mode ", /* 242 */
    "Invalid SFP for D-PORT mode.\n D-port will be enabled but it will be operational only after inserting a valid 16G SFP. ", /* 243 */
    "Invalid Boot option for selected topology ", /* 244 */
    "D-port mode is enabled ", /* 245 */
    "vNIC is member of a team or has vlans configured ", /* 246 */
    "Network partition is supported in NIC/CNA mode only ", /* 247 */
    "Network partition is already enabled ", /* 248 */
    "Network partition is already disabled ", /* 249 */
    "Mismatching QoS parameters ", /* 250 */
    "Mismatching target rate limiting parameters ", /* 251 */
    "Mismatching speed parameters ", /* 252 */
    "One/more vNIC(s) of the port is part of an lacp team or has teams configured ", /* 253 */
    "Unknown Failure", /* 254 */
};

/* The flash threads of a boot update record failures too, hence atomic. */
std::atomic<int> last_status{0};

#define END_PAIR {-1, "unknown"}

const tva_state_t flash_status_tbl[] = {
    {0, "good"}, {1, "absent"}, {2, "uninit"}, {3, "bad"}, {4, "empty"}, {5, "badcksum"}, END_PAIR};
const tva_state_t flash_part_type_tbl[] = {
    {0, "null"}, {1, "optrom"}, {2, "fw"}, {3, "cfg"}, {4, "drv"}, {5, "boot"},
    {6, "asic"}, {7, "mfg"}, {8, "optrom2"}, {9, "vpd"}, {10, "pbc"}, {11, "bootovl"},
    {12, "log"}, {13, "pxecfg"}, {14, "pxeovl"}, {15, "portcfg"}, {16, "asicbk"}, END_PAIR};
const tva_state_t ioc_state_tbl[] = {
    {2, "reset"}, {3, "semwait"}, {4, "hwinit"}, {11, "firmware mismatch"}, {5, "getattr"},
    {6, "operational"}, {7, "init fail"}, {13, "hwfail"}, {8, "fail"}, {9, "disabling"},
    {10, "disabled"}, {14, "acq addr"}, END_PAIR};
const tva_state_t faa_state_tbl[] = {{1, "Enabled"}, {2, "Disabled"}, END_PAIR};
const tva_state_t faa_source_tbl[] = {{1, "Factory"}, {2, "Blade System"}, {3, "Fabric"}, END_PAIR};
const tva_state_t port_states_tbl[] = {
    {0, "Unknown"}, {1, "Uninit"}, {2, "Enabling (qwait)"}, {3, "Enabling"}, {4, "Linkdown"},
    {5, "Linkup"}, {6, "Disabling (qwait)"}, {7, "Disabling"}, {8, "Disabled"}, {9, "Stopped"},
    {10, "IOC down"}, {11, "IOC disabled"}, {12, "FW mismatch"}, {13, "Disabled#"},
    {14, "Link toggling (qwait)"}, {15, "FAA cfg error"}, {16, "Disabled"}, {17, "Invalid"},
    END_PAIR};
const tva_state_t port_speed_tbl[] = {
    {0, "---"}, {1, "1G "}, {2, "2G "}, {4, "4G "}, {8, "8G "}, {10, "10G"}, {16, "16G"},
    {32, "32G"}, {15, "Auto"}, END_PAIR};
const tva_state_t port_type_tbl[] = {
    {1, "UN"}, {5, "N"}, {6, "NL"}, {20, "LP"}, {21, "P2P"}, {22, "VP"}, END_PAIR};
const tva_state_t port_topology_tbl[] = {
    {0, "Unknown"}, {5, "P2P"}, {2, "Loop"}, {4, "Auto"}, END_PAIR};
const tva_state_t rport_state_tbl[] = {
    {0, "uninit"}, {1, "offline"}, {2, "plogi"}, {3, "online"}, {4, "retry"}, {5, "nsquery"},
    {6, "adisc"}, {7, "logo"}, {8, "logorecv"}, {9, "nsdisc"}, END_PAIR};
const tva_state_t itnim_state_tbl[] = {
    {0, "offline"}, {1, "prli send"}, {2, "prli sent"}, {3, "prli retry"},
    {4, "online callback"}, {5, "online"}, {6, "offline callback"}, {7, "initiator"}, END_PAIR};
const tva_state_t auth_status_tbl[] = {
    {0, "no_auth"}, {1, "uninit"}, {2, "neg_send"}, {3, "chal_wait"}, {4, "neg_retry"},
    {5, "reply_send"}, {6, "status_wait"}, {7, "success"}, {8, "failed"}, {9, "unknown"},
    END_PAIR};
const tva_state_t auth_group_tbl[] = {
    {0, "DH-NULL"}, {1, "DH-768"}, {2, "DH-1024"}, {4, "DH-1280"}, {8, "DH-1536"},
    {256, "DH-ALL(1,2,3,4)"}, END_PAIR};
const tva_state_t auth_algo_tbl[] = {
    {1, "MD5"}, {2, "SHA1"}, {3, "MD5,SHA1"}, {4, "SHA1,MD5"}, END_PAIR};
const tva_state_t auth_rej_code_tbl[] = {
    {1, "Auth fail"}, {2, "Logical err"}, {255, "Logical err"}, {254, "no password"}, END_PAIR};
const tva_state_t auth_rej_code_exp_tbl[] = {
    {1, "Auth Mech"}, {2, "DH Group"}, {3, "Hash Func"}, {4, "Auth XACT"}, {5, "Auth fail"},
    {6, "Payload"}, {7, "Proto msg"}, {8, "Restart Auth"}, {9, "Auth Concat"},
    {10, "Proto Ver."}, {255, "-"}, {254, "-"}, END_PAIR};
const tva_state_t vport_state_tbl[] = {
    {0, "uninit"}, {1, "offline"}, {2, "fdisc*"}, {3, "fdisc"}, {4, "fdisc-retry"},
    {5, "fdisc*"}, {6, "online"}, {7, "deleting"}, {9, "logo*"}, {10, "logo"}, {11, "Error"},
    END_PAIR};
const tva_state_t log_severity_tbl[] = {
    {0, "invalid"}, {1, "Critical"}, {2, "Error"}, {3, "Warning"}, {4, "Info"}, END_PAIR};
const tva_state_t qos_state_tbl[] = {{0, "Disabled"}, {1, "Online"}, {2, "Offline"}, END_PAIR};
const tva_state_t qos_priority_tbl[] = {
    {0, "Unknown"}, {1, "High"}, {2, "Medium"}, {3, "Low"}, END_PAIR};
const tva_state_t trunk_state_tbl[] = {{0, "Disabled"}, {1, "Linkup"}, {2, "Linkdown"}, END_PAIR};
const tva_state_t trunk_link_state_tbl[] = {
    {1, "Linkup"}, {2, "Linkdown"}, {3, "MisGrp"}, {4, "MisSpd"}, {5, "MisMode"}, END_PAIR};
const tva_state_t trunk_link_fctl_tbl[] = {{0, "Normal"}, {1, "VC"}, {2, "QoS VC"}, END_PAIR};
const tva_state_t cee_status_tbl[] = {
    {0, "DCB Linkup"}, {1, "Linkup"}, {3, "Linkdown"}, {2, "Loopback"}, END_PAIR};
const tva_state_t mode_tbl[] = {{1, "FC"}, {2, "CNA"}, {3, "NIC"}, END_PAIR};
const tva_state_t lport_role_tbl[] = {{1, "IM"}, {2, "TM"}, {4, "IP"}, {5, "IM IP"}, END_PAIR};

const char *const plog_mid[TVA_PLOG_MID_COUNT] = {
    "Invalid", "Debug", "Driver", "HAL", "FCXP", "UF", "FCS", "LPS", "Max"};
const char *const plog_eid[TVA_PLOG_EID_COUNT] = {
    "Invalid", "iocstop", "iocstrt", "pstop",   "pstart", "pstchg",  "Tx",      "Tx_Ack1", "Tx_Rjt",
    "Tx_Bsy",  "Rx",      "Rx_Ack1", "Rx_Rjt",  "Rx_Bsy", "ct_in",   "ct_out",  "drvstrt", "rscn",
    "debug",   "misc",    "fcfdisc", "fcfcvl",  "login",  "logout",  "trkscn", ""};

const char *const sfp_media[] = {"--", "cu", "lw", "sw", "el", "us"};

} // namespace

const char *tval_status_to_string(int status)
{
    if (status < 0 || status >= TVA_STATUS_MAX_VAL)
        return errorlist[TVA_STATUS_MAX_VAL];
    return errorlist[status];
}

void tval_set_last_error(int status)
{
    last_status.store(status, std::memory_order_relaxed);
}

int tval_get_last_error(void)
{
    return last_status.load(std::memory_order_relaxed);
}

const char *tval_state_lookup(const tva_state_t *table, int value)
{
    for (; table->value != -1; table++)
        if (table->value == value)
            return table->text;
    return "unknown";
}

#define STATE_FN(fn, tbl) \
    const char *fn(int value) { return tval_state_lookup(tbl, value); }

STATE_FN(tval_flash_status_to_string, flash_status_tbl)
STATE_FN(tval_flash_part_type_to_string, flash_part_type_tbl)
STATE_FN(tval_ioc_state_to_string, ioc_state_tbl)
STATE_FN(tval_faa_state_to_string, faa_state_tbl)
STATE_FN(tval_faa_source_to_string, faa_source_tbl)
STATE_FN(tval_port_states_to_string, port_states_tbl)
STATE_FN(tval_port_speed_to_string, port_speed_tbl)
STATE_FN(tval_port_type_to_string, port_type_tbl)
STATE_FN(tval_port_topology_to_string, port_topology_tbl)
STATE_FN(tval_rport_state_to_string, rport_state_tbl)
STATE_FN(tval_itnim_state_to_string, itnim_state_tbl)
STATE_FN(tval_auth_status_to_string, auth_status_tbl)
STATE_FN(tval_auth_group_to_string, auth_group_tbl)
STATE_FN(tval_auth_algo_to_string, auth_algo_tbl)
STATE_FN(tval_auth_rej_code_to_string, auth_rej_code_tbl)
STATE_FN(tval_auth_rej_code_exp_to_string, auth_rej_code_exp_tbl)
STATE_FN(tval_vport_state_to_string, vport_state_tbl)
STATE_FN(tval_log_severity_to_string, log_severity_tbl)
STATE_FN(tval_qos_state_to_string, qos_state_tbl)
STATE_FN(tval_qos_priority_to_string, qos_priority_tbl)
STATE_FN(tval_trunk_state_to_string, trunk_state_tbl)
STATE_FN(tval_trunk_link_state_to_string, trunk_link_state_tbl)
STATE_FN(tval_trunk_link_fctl_to_string, trunk_link_fctl_tbl)
STATE_FN(tval_cee_status_to_string, cee_status_tbl)
STATE_FN(tval_mode_to_string, mode_tbl)
STATE_FN(tval_lport_role_to_string, lport_role_tbl)

const char *tva_plog_mid_strings(int index)
{
    if (index < 0 || index >= TVA_PLOG_MID_COUNT)
        return "";
    return plog_mid[index];
}

const char *tva_plog_eid_strings(int index)
{
    if (index < 0 || index >= TVA_PLOG_EID_COUNT)
        return "";
    return plog_eid[index];
}

const char *tval_get_sfp_media(int media)
{
    const int n = static_cast<int>(sizeof(sfp_media) / sizeof(sfp_media[0]));
    if (media < 0 || media >= n)
        return sfp_media[n - 1];
    return sfp_media[media];
}
