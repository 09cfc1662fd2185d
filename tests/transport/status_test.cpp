/* Status messages, the last-error value and the state-name tables. */
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tva_status.h"

namespace {

struct StatusText {
    int code;
    const char *text;
};

/* The messages as the drivers' users know them, byte for byte. */
const StatusText expected_messages[] = {
    {0, "Success "},
    {1, "Operation failed "},
    {2, "Invalid params Check input parameters "},
    {3, "Out of resources "},
    {4, "Function not implemented "},
    {5, "Timer expired - Retry if persists contact support "},
    {6, "Protocol error "},
    {7, "No FC ports resources "},
    {8, "Flash not present "},
    {9, "Flash is bad "},
    {10, "Unsupported SFP - Replace SFP "},
    {11, "VF_ID not found "},
    {12, "Diag returned data corrupted contact support "},
    {13, "Device busy - Retry operation "},
    {14, "Operation aborted "},
    {15, "Dev is not present "},
    {16, "Host dma failed contact support "},
    {17, "Flash bad length "},
    {18, "LPORT PWWN not found "},
    {19, "RPORT PWWN not found "},
    {20, "Got LS_RJT for FC Pass through Req "},
    {21, "VPORT already exists "},
    {22, "Reached max VPORT supported limit "},
    {23, "Invalid Speed Check speed setting "},
    {24, "Invalid Max data field size "},
    {25, "Setting can not be persisted "},
    {26, "Command/API not supported "},
    {27, "No Telvarn Adapter Found "},
    {28, "Link is down - Check or replace SFP/cable "},
    {29, "Reject from attached fabric "},
    {30, "VPORT PWWN not found "},
    {31, "Nameserver login failed "},
    {32, "No remote ports found "},
    {33, "Nameserver query failed "},
    {34, "Port is not online "},
    {35, "RPORT is not online "},
    {36, "Remote SCSI target open failed "},
    {37, "No valid LUNs found "},
    {38, "SCSI target IO failure "},
    {39, "No switched fabric present "},
    {40, "Bad file descriptor "},
    {41, "A signal was caught during ioctl "},
    {42, "I/O error "},
    {43, "Inappropriate I/O control operation "},
    {44, "No such device or address "},
    {45, "Failed to open file "},
    {46, "WWN is same as base port's WWN "},
    {47, "Port not disabled disable port first "},
    {48, "Bad frame header "},
    {49, "Bad frame size check and replace SFP/cable "},
    {50, "Missing frame check and replace SFP/cable or for Mezz card check and replace pass through module "},
    {51, "Link timeout check and replace SFP/cable "},
    {52, "No FCP Nexus exists with the rport "},
    {53, "checksum failure "},
    {54, "Get zone member query failed "},
    {55, "SCSI disk require START command "},
    {56, "IOC failure - Retry if persists contact support "},
    {57, "Invalid WWN "},
    {58, "Version mismatch "},
    {59, "IOC is already enabled "},
    {60, "Adapter is not disabled disable adapter first "},
    {61, "IOC is not operational. Enable IOC and if it still fails contact support "},
    {62, "PCI base address not mapped in OS "},
    {63, "Name exists! use a different name "},
    {64, "API completes asynchronously "},
    {65, "Speed setting not valid for 8G HBA "},
    {66, "Speed setting not valid for 4G HBA "},
    {67, "Adapter is already enabled "},
    {68, "Invalid path failover TOV "},
    {69, "Invalid queue depth value "},
    {70, "Application/Driver version mismatch "},
    {71, "diag busy "},
    {72, "Port Beacon already on "},
    {73, "Port Beacon already off "},
    {74, "Link End-to-End Beacon already on "},
    {75, "Link End-to-End Beacon already off "},
    {76, "Port not initialized "},
    {77, "Target has a valid speed "},
    {78, "No saved firmware trace "},
    {79, "Not a valid Telvarn Boot Code file "},
    {80, "Target rate limiting is already enabled "},
    {81, "Target rate limiting is already disabled "},
    {82, "IOC is already disabled "},
    {83, "Adapter is already disabled "},
    {84, "Bios is already disabled "},
    {85, "Authentication is already enabled "},
    {86, "Authentication is already disabled "},
    {87, "Target rate limiting is enabled "},
    {88, "QoS is enabled "},
    {89, "No SFP device check or replace SFP "},
    {90, "Memory test failed contact support "},
    {91, "Invalid device id provided "},
    {92, "QOS is already enabled "},
    {93, "QOS is already disabled "},
    {94, "Check configuration key/value pair "},
    {95, "Can't read windows registry "},
    {96, "Invalid IOCTL code "},
    {97, "Invalid VLAN ID "},
    {98, "Invalid port name "},
    {99, "Memory allocation failure in driver "},
    {100, "Given VLAN id same as PVID "},
    {101, "Given VLAN id already exists "},
    {102, "Updating firmware with new VLAN ID failed "},
    {103, "Port Log is already enabled "},
    {104, "Port Log is already disabled "},
    {105, "Specified file could not be found "},
    {106, "QOS can be enabled for FC mode only "},
    {107, "RATELIM can be enabled for FC mode only "},
    {108, "Invalid speed selection for Vesk. "},
    {109, "LED test is operating "},
    {110, "eth port is not at down state please bring down first "},
    {111, "Speed setting not valid for 10G CNA "},
    {112, "Invalid team name "},
    {113, "Given team name already exists "},
    {114, "Given port is part of another team or VLANS exist "},
    {115, "Port has VLANs configured. Delete all VLANs to become part of team "},
    {116, "Mismatching PVIDs configured for ports "},
    {117, "Mismatching link speeds configured for ports "},
    {118, "Mismatching MTUs configured for ports "},
    {119, "Mismatching RSS parameters configured for ports "},
    {120, "Mismatching HDS parameters configured for ports "},
    {121, "Mismatching offload parameters configured for ports "},
    {122, "Error setting port parameters "},
    {123, "Port is not part of team "},
    {124, "Primary port cannot be removed. Change primary before removing "},
    {125, "Exceeding maximum ports per team "},
    {126, "Last port in team cannot be removed. Delete team instead "},
    {127, "IM driver is not installed "},
    {128, "Exceeding maximum VLANs per port "},
    {129, "Bios speed config not allowed for CNA "},
    {130, "Miniport driver is not loaded "},
    {131, "Card type mismatch "},
    {132, "Bad ASIC block "},
    {133, "Telvarn adapter/driver not installed or loaded "},
    {134, "Invalid MAC address "},
    {135, "No VLANs configured on the port "},
    {136, "Ethernet loopback test failed "},
    {137, "Cannot remove port VLAN (PVID) "},
    {138, "Cannot edit port VLAN (PVID) "},
    {139, "Boot upload not allowed for CNA "},
    {140, "Port VLAN ID (PVID) is Set to Non-Zero Value "},
    {141, "Acquiring Network Subsytem Lock Failed. Please try after some time "},
    {142, "Acquiring Network Subsytem handle Failed. Please try after some time "},
    {143, "IM driver is not active "},
    {144, "User doesn't have sufficient permissions to execute the TVCLI application "},
    {145, "Invalid/Reserved VLAN name string. The name is not allowed for the normal VLANs "},
    {146, "Command not supported for CNA "},
    {147, "Can not edit pass through VLAN ID "},
    {148, "IM Driver bind operation failed "},
    {149, "IM Driver unbind operation failed "},
    {150, "Port is already part of the team "},
    {151, "VLAN ID doesn't exist "},
    {152, "Team doesn't exist "},
    {153, "Given settings are not allowed for the current Teaming mode "},
    {154, "Operation not allowed for pre-boot configuration "},
    {155, "Boot image is not for the adapter(s) installed "},
    {156, "Bad firmware configuration "},
    {157, "Failed to create temporary file "},
    {158, "Invalid switch vendor "},
    {159, "SFP info is not ready. Retry "},
    {160, "Flash not initialized "},
    {161, "Flash is empty "},
    {162, "Flash checksum failed "},
    {163, "Trunking is only supported on dual port FC HBAs "},
    {164, "Trunk is already enabled on this adapter "},
    {165, "Trunking is disabled on the adapter "},
    {166, "Target rate limiting is enabled on either or both of the ports of adapter "},
    {167, "reboot -- -r is needed after boot code update or driver update "},
    {168, "Boot code version not compatible with the driver installed "},
    {169, "Boot image is not for the adapter(s) installed "},
    {170, "Invalid card type provided "},
    {171, "Topology command not applicable to CNA "},
    {172, "VLAN on Team Delete Operation Failed "},
    {173, "Ethboot is already enabled "},
    {174, "Ethboot is already disabled "},
    {175, "IO profile OFF "},
    {176, "Port instance is unavailable or disabled "},
    {177, "Boot update has timed out please try later "},
    {178, "Can not get the lock vports will not be persisted "},
    {179, "Trying to delete a vport not persisted by the driver "},
    {180, "Microsoft Hyper-V is enabled on this Port/VLAN.\nPlease remove this Port/VLAN from Microsoft Hyper-V configuration\nusing Microsoft Hyper-V tools and then try this operation again. "},
    {181, "Reserved VLAN in team cannot be removed. Delete team instead. "},
    {182, "Boot code is corrupted please retry with a good boot code image before rebooting the system. "},
    {183, "PHY module not present "},
    {184, "Trunk is enabled on this adapter. Disable trunking or disable all adapter ports. "},
    {185, "Speed setting not valid for 16G HBA "},
    {186, "Mismatching Auto Recovery parameters configured for ports "},
    {187, "Mismatching Flow Control parameters configured for ports "},
    {188, "Mismatching Interrupt Moderation parameters configured for ports "},
    {189, "Mismatching Jumbo Packet parameters configured for ports "},
    {190, "Mismatching Locally Administered Address parameters configured for ports "},
    {191, "Mismatching VmQ parameters configured for ports "},
    {192, "This feature is not supported on this Model or Mode of the Adapter "},
    {193, "This entry exists "},
    {194, "This entry does not exist "},
    {195, "This feature is already in that state "},
    {196, "This feature is in disabled state "},
    {197, "FAA is already enabled "},
    {198, "FAA is already disabled "},
    {199, "FAA is already acquired "},
    {200, "Acquiring addr from the fabric. Please check cable connection and configuration on the switch "},
    {201, "FC Credit Recovery is supported for FC mode only "},
    {202, "FAA is enabled on either/both of the adapter ports. Disable FAA reboot and try this operation "},
    {203, "Trunk is enabled on this adapter "},
    {204, "FAA is operational on either/both of the adapter ports. Disable FAA on\nthe switch port reboot the host and try this operation "},
    {205, "Link beacon is currently ON at a different port on the switch.\nPlease turn it OFF first.\nOnly one switch port is allowed to beacon at a time. "},
    {206, "Link Beacon is not supported by the attached switch. "},
    {207, "Base function cannot be deleted/disabled "},
    {208, "Invalid PCI function for required operation "},
    {209, "Persistent Binding already exist for another target "},
    {210, "The binding is reserved of boot target "},
    {211, "The binding is out of range "},
    {212, "MAX entry reached "},
    {213, "Maximum number of PFs have been created "},
    {214, "Trunking is not supported on mezz cards "},
    {215, "Trunking is not supported on CNAs "},
    {216, "The intended mode is not supported on the adapter "},
    {217, "Microsoft Hyper-V is enabled on the Team.\nPlease remove Microsoft Hyper-V configuration\nusing Microsoft Hyper-V tools from the team and then try this operation again. "},
    {218, "Given ports cannot be from the same Physical port. Please try passing one port from each physical port. "},
    {219, "Internal loopback is supported for a port in HBA mode only. "},
    {220, "Speed setting is not supported by SFP "},
    {221, "Buffer size is smaller than the required one. "},
    {222, "All existing team(s)/vlans if any are in disabled state.\nPlease enable any of the teams/vlans to list them. "},
    {223, "First pcifn on port 0 of adapter is disabled. Please enable it first. "},
    {224, "Unsupported VPD vendor. "},
    {225, "Corrupted pci data. "},
    {226, "Vpd checksum error. "},
    {227, "Incorrect LR_STR_TAG. "},
    {228, "Incorrect LR_VPDR_TAG. "},
    {229, "Telvarn VPD header not found. "},
    {230, "Topology is set to Loop "},
    {231, "Loop topology is not supported on mezz cards "},
    {232, "Cannot perform the operation as vport is reserved "},
    {233, "Invalid bandwidth value "},
    {234, "Invalid QOS bandwidth configuration "},
    {235, "D-port mode is already enabled "},
    {236, "D-port mode is already disabled "},
    {237, "iScsi boot is already enabled "},
    {238, "iScsi boot is already disabled "},
    {239, "Command not supported for MEZZ card "},
    {240, "fru module not present "},
    {241, "fru vpd file is invalid "},
    {242, "Selected operation is not allowed in network partitioning mode "},
    {243, "Invalid SFP for D-PORT mode.\n D-port will be enabled but it will be operational only after inserting a valid 16G SFP. "},
    {244, "Invalid Boot option for selected topology "},
    {245, "D-port mode is enabled "},
    {246, "vNIC is member of a team or has vlans configured "},
    {247, "Network partition is supported in NIC/CNA mode only "},
    {248, "Network partition is already enabled "},
    {249, "Network partition is already disabled "},
    {250, "Mismatching QoS parameters "},
    {251, "Mismatching target rate limiting parameters "},
    {252, "Mismatching speed parameters "},
    {253, "One/more vNIC(s) of the port is part of an lacp team or has teams configured "},
    {254, "Unknown Failure"},
};

TEST(StatusMessages, EveryCodeHasItsExactText)
{
    ASSERT_EQ(sizeof(expected_messages) / sizeof(expected_messages[0]), 255u);
    for (const StatusText &s : expected_messages) {
        SCOPED_TRACE(s.code);
        EXPECT_STREQ(tval_status_to_string(s.code), s.text);
    }
}

TEST(StatusMessages, OutOfRangeIsUnknownFailure)
{
    for (int code : {-1, -4001, 254, 255, 4001, 1 << 30})
        EXPECT_STREQ(tval_status_to_string(code), "Unknown Failure") << code;
}

TEST(StatusMessages, EveryKnownMessageEndsWithOneSpace)
{
    for (int code = 0; code < 254; code++) {
        std::string m = tval_status_to_string(code);
        ASSERT_FALSE(m.empty()) << code;
        EXPECT_EQ(m.back(), ' ') << code;
        EXPECT_NE(m.substr(m.size() - 2), "  ") << code;
    }
}

TEST(LastError, KeepsTheLastRecordedFailure)
{
    /* Nothing but the setter changes it; reading does not clear it. */
    tval_set_last_error(0);
    EXPECT_EQ(tval_get_last_error(), 0);
    tval_set_last_error(TVA_STATUS_NO_DRIVER);
    EXPECT_EQ(tval_get_last_error(), 133);
    EXPECT_EQ(tval_get_last_error(), 133);
    tval_status_to_string(5);
    EXPECT_EQ(tval_get_last_error(), 133);
    tval_set_last_error(TVA_STATUS_VPORT_MAX);
    EXPECT_EQ(tval_get_last_error(), 22);
    tval_set_last_error(0);
}

struct StateCase {
    const char *(*fn)(int);
    const char *fn_name;
    int value;
    const char *text;
};

#define SC(fn, v, t) {fn, #fn, v, t}

/* Values with a pair, values between pairs, and the end marker's own value. */
const StateCase state_cases[] = {
    SC(tval_ioc_state_to_string, 1, "unknown"),
    SC(tval_ioc_state_to_string, 11, "firmware mismatch"),
    SC(tval_ioc_state_to_string, 14, "acq addr"),
    SC(tval_ioc_state_to_string, 12, "unknown"),
    SC(tval_ioc_state_to_string, -1, "unknown"),
    SC(tval_port_speed_to_string, 10, "10G"),
    SC(tval_port_speed_to_string, 3, "unknown"),
    SC(tval_port_speed_to_string, 1, "1G "),
    SC(tval_port_speed_to_string, 15, "Auto"),
    SC(tval_port_speed_to_string, 0, "---"),
    SC(tval_port_states_to_string, 13, "Disabled#"),
    SC(tval_port_states_to_string, 16, "Disabled"),
    SC(tval_port_states_to_string, 18, "unknown"),
    SC(tval_flash_status_to_string, 5, "badcksum"),
    SC(tval_flash_part_type_to_string, 16, "asicbk"),
    SC(tval_flash_part_type_to_string, 17, "unknown"),
    SC(tval_port_topology_to_string, 5, "P2P"),
    SC(tval_port_topology_to_string, 1, "unknown"),
    SC(tval_port_type_to_string, 22, "VP"),
    SC(tval_auth_group_to_string, 256, "DH-ALL(1,2,3,4)"),
    SC(tval_auth_rej_code_to_string, 255, "Logical err"),
    SC(tval_auth_rej_code_to_string, 254, "no password"),
    SC(tval_auth_rej_code_exp_to_string, 10, "Proto Ver."),
    SC(tval_auth_status_to_string, 9, "unknown"),
    SC(tval_auth_algo_to_string, 4, "SHA1,MD5"),
    SC(tval_vport_state_to_string, 5, "fdisc*"),
    SC(tval_vport_state_to_string, 8, "unknown"),
    SC(tval_cee_status_to_string, 2, "Loopback"),
    SC(tval_lport_role_to_string, 5, "IM IP"),
    SC(tval_lport_role_to_string, 3, "unknown"),
    SC(tval_mode_to_string, 2, "CNA"),
    SC(tval_log_severity_to_string, 4, "Info"),
    SC(tval_log_severity_to_string, 5, "unknown"),
    SC(tval_qos_priority_to_string, 2, "Medium"),
    SC(tval_qos_state_to_string, 2, "Offline"),
    SC(tval_trunk_state_to_string, 1, "Linkup"),
    SC(tval_trunk_link_state_to_string, 5, "MisMode"),
    SC(tval_trunk_link_fctl_to_string, 2, "QoS VC"),
    SC(tval_rport_state_to_string, 9, "nsdisc"),
    SC(tval_rport_state_to_string, 10, "unknown"),
    SC(tval_itnim_state_to_string, 7, "initiator"),
    SC(tval_faa_state_to_string, 2, "Disabled"),
    SC(tval_faa_source_to_string, 2, "Blade System"),
};

TEST(StateNames, LookupRule)
{
    for (const StateCase &c : state_cases)
        EXPECT_STREQ(c.fn(c.value), c.text) << c.fn_name << "(" << c.value << ")";
}

TEST(StateNames, PortLogNamesAndSfpMedia)
{
    EXPECT_STREQ(tva_plog_mid_strings(0), "Invalid");
    EXPECT_STREQ(tva_plog_mid_strings(8), "Max");
    EXPECT_STREQ(tva_plog_eid_strings(24), "trkscn");
    EXPECT_STREQ(tva_plog_eid_strings(25), "");
    for (int i = 0; i < TVA_PLOG_EID_COUNT; i++)
        EXPECT_LE(std::strlen(tva_plog_eid_strings(i)), 8u) << i;
    /* Outside the arrays: an empty name, never a read past them. */
    EXPECT_STREQ(tva_plog_mid_strings(9), "");
    EXPECT_STREQ(tva_plog_eid_strings(-1), "");

    const char *media[] = {"--", "cu", "lw", "sw", "el", "us"};
    for (int i = 0; i < 6; i++)
        EXPECT_STREQ(tval_get_sfp_media(i), media[i]);
}

} // namespace
