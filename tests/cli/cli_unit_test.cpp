// Word parsers, printers, error messages and the class table of tvcli,
// exercised in-process.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tvcli.h"

namespace {

std::vector<uint8_t> WwnBytes(wwn_t w)
{
    std::vector<uint8_t> b(8);
    std::memcpy(b.data(), &w, 8);
    return b;
}

int ClassIndex(const char *name)
{
    int idx = -1;
    EXPECT_EQ(tvcli_get_class_id(name, &idx), 0) << name;
    return idx;
}

} // namespace

TEST(CliSyntax, PortWwn)
{
    struct Case {
        const char *word;
        bool ok;
    } cases[] = {
        {"20:00:00:11:22:33:44:55", true},
        {"AB:cd:EF:01:23:45:67:89", true},
        {"20:00:00:11:22:33:44:5", false},    // 22 characters
        {"20:00:00:11:22:33:44:555", false},  // 24 characters
        {"2000:00:11:22:33:44:55:", false},   // right length, a 4-digit group
        {"20:00:00:11:22:33:44-55", false},   // six colons
        {"20:00:00:11:22:33:44:5g", false},   // not hex
        {"20:00:00:11:22:33:4:::5", false},   // too many colons
        {"", false},
    };
    for (const Case &c : cases) {
        wwn_t w = 0;
        EXPECT_EQ(tvcli_get_port_wwn(c.word, &w), c.ok ? 1 : 0) << c.word;
    }
    wwn_t w = 0;
    ASSERT_EQ(tvcli_get_port_wwn("20:00:00:11:22:33:44:55", &w), 1);
    EXPECT_EQ(WwnBytes(w), (std::vector<uint8_t>{0x20, 0x00, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
    char buf[24];
    EXPECT_STREQ(tvcli_wwn2str(buf, w), "20:00:00:11:22:33:44:55");
}

TEST(CliSyntax, MacNumber)
{
    struct Case {
        const char *word;
        bool ok;
    } cases[] = {
        {"00:16:57:0b:00:02", true},
        {"AA:BB:CC:DD:EE:FF", true},
        {"1:2:3:4:5:6:7:8:9", false},  // 17 characters, nine groups
        {"00:16:57:0b:00:0", false},
        {"00:16:57:0b:00:023", false},
        {"001:6:57:0b:00:02", false},  // a three-digit group
        {"00:16:57:0b::0002", false},
        {"00-16-57-0b-00-02", false},
        {"00:16:57:0b:00:0x", false},
    };
    for (const Case &c : cases) {
        mac_t m = {};
        EXPECT_EQ(tvcli_get_mac_number(c.word, &m), c.ok ? 1 : 0) << c.word;
    }
    mac_t m = {};
    ASSERT_EQ(tvcli_get_mac_number("00:16:57:0b:00:02", &m), 1);
    const uint8_t want[6] = {0x00, 0x16, 0x57, 0x0b, 0x00, 0x02};
    EXPECT_EQ(std::memcmp(m.mac, want, 6), 0);
}

TEST(CliSyntax, WordChecks)
{
    struct Case {
        int (*check)(const char *);
        const char *what;
        const char *word;
        int want;
    } cases[] = {
        {tvcli_verify_name, "name", "x1", 1},
        {tvcli_verify_name, "name", "abcdefghijklmno", 1},   // 15
        {tvcli_verify_name, "name", "abcdefghijklmnop", 0},  // 16
        {tvcli_verify_name, "name", "a-b_c9", 1},
        {tvcli_verify_name, "name", "1abc", 0},
        {tvcli_verify_name, "name", "_abc", 0},
        {tvcli_verify_name, "name", "ab.c", 0},
        {tvcli_verify_name, "name", "", 0},
        {tvcli_verify_pattern, "pattern", "a5", 1},
        {tvcli_verify_pattern, "pattern", "DEADBEEF", 1},
        {tvcli_verify_pattern, "pattern", "DEADBEEF0", 0},
        {tvcli_verify_pattern, "pattern", "", 0},
        {tvcli_verify_pattern, "pattern", "0x12", 0},
        {tvcli_verify_num, "num", "0123", 1},
        {tvcli_verify_num, "num", "", 0},
        {tvcli_verify_num, "num", "-1", 0},
        {tvcli_verify_num, "num", "12a", 0},
        {tvcli_verify_lun, "lun", "0001-0000-0000-0000", 1},
        {tvcli_verify_lun, "lun", "ff", 1},
        {tvcli_verify_lun, "lun", "", 0},
        {tvcli_verify_lun, "lun", "0001:0000", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.check(c.word), c.want) << c.what << " \"" << c.word << "\"";
    EXPECT_EQ(ishex('f'), 1);
    EXPECT_EQ(ishex('G'), 0);
    EXPECT_EQ(ishex(-56), 0); // a high byte from a signed char
}

TEST(CliSyntax, SpeedTopologyVlan)
{
    struct Speed {
        const char *word;
        int ok, value;
    } speeds[] = {{"1", 1, 1},  {"2", 1, 2},    {"4", 1, 4},   {"8", 1, 8},   {"16", 1, 16},
                  {"10", 1, 10}, {"auto", 1, 15}, {"32", 0, -1}, {"Auto", 0, -1}, {"", 0, -1}};
    for (const Speed &s : speeds) {
        int v = -1;
        EXPECT_EQ(tvcli_set_speed(s.word, &v), s.ok) << s.word;
        EXPECT_EQ(v, s.value) << s.word;
    }
    int topo = -1;
    EXPECT_EQ(tvcli_set_topology("p2p", &topo), 1);
    EXPECT_EQ(topo, 5);
    EXPECT_EQ(tvcli_set_topology("loop", &topo), 1);
    EXPECT_EQ(topo, 2);
    EXPECT_EQ(tvcli_set_topology("P2P", &topo), 0);

    struct Vlan {
        const char *word;
        int want;
    } vlans[] = {{"0", 0},     {"4094", 4094}, {"4095", -1}, {"", 0},
                 {"12a", -1},  {"-1", -1},     {"99999999999999999999", -1}};
    for (const Vlan &v : vlans)
        EXPECT_EQ(tvcli_parse_vlan_id(v.word), v.want) << v.word;
}

TEST(CliSyntax, LogicalPortWwnPairs)
{
    struct Case {
        std::vector<const char *> words;
        int want;
    } cases[] = {
        {{}, 0},
        {{"-l", "20:00:00:11:22:33:44:55"}, 0},
        {{"-l", "20:00:00:11:22:33:44:55", "-l", "20:00:00:11:22:33:44:66"}, 0},
        {{"-l"}, E_CLI_INCORRECT_CMD},
        {{"-x", "20:00:00:11:22:33:44:55"}, E_CLI_INCORRECT_CMD},
        {{"-l", "20:00:00:11:22:33:44"}, E_CLI_BAD_WWN},
    };
    for (const Case &c : cases) {
        std::vector<char *> argv = {const_cast<char *>("tvcli"), const_cast<char *>("rport"),
                                    const_cast<char *>("--query"), const_cast<char *>("1/0")};
        for (const char *w : c.words)
            argv.push_back(const_cast<char *>(w));
        wwn_t out = 0;
        EXPECT_EQ(tvcli_fill_vfid_lpwwn(argv.data(), static_cast<int>(argv.size()), 4, 0, &out), c.want)
            << c.words.size() << " words";
    }
    // The last valid WWN wins.
    const char *argv[] = {"tvcli", "rport", "--query", "1/0", "-l", "20:00:00:11:22:33:44:55",
                          "-l", "20:00:00:11:22:33:44:66"};
    wwn_t out = 0;
    ASSERT_EQ(tvcli_fill_vfid_lpwwn(const_cast<char **>(argv), 8, 4, 0, &out), 0);
    EXPECT_EQ(WwnBytes(out)[7], 0x66);
}

TEST(CliSyntax, FileExists)
{
    EXPECT_EQ(tvcli_test_file_exists("/"), 1);
    EXPECT_EQ(tvcli_test_file_exists("/nonexistent/tvcli/file"), 0);
}

TEST(CliPrint, LunTextBothWays)
{
    const uint8_t bytes[8] = {0x00, 0x01, 0, 0, 0, 0, 0, 0};
    uint64_t lun;
    std::memcpy(&lun, bytes, 8);

    char buf[20];
    tvcli_convert_lun_to_string(lun, buf, sizeof(buf));
    EXPECT_STREQ(buf, "0001-0000-0000-0000");
    char small[6];
    tvcli_convert_lun_to_string(lun, small, sizeof(small));
    EXPECT_STREQ(small, "0001-");
    tvcli_convert_lun_to_string(lun, nullptr, 20); // writes nothing, no crash

    uint64_t back = ~0ULL;
    tvcli_convert_string_to_lun("0001000000000000", 0, &back);
    EXPECT_EQ(back, lun);
    tvcli_convert_string_to_lun("0a0b", 0, &back); // missing fields are 0
    const uint8_t partial[8] = {0x0a, 0x0b, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&back, partial, 8), 0);
    tvcli_convert_string_to_lun(nullptr, 0, &back);
    tvcli_convert_string_to_lun("01", 0, nullptr);

    testing::internal::CaptureStdout();
    tvcli_print_lun(lun);
    tvcli_print_header_line(0);
    tvcli_print_header_line(3);
    mac_t mac = {{0x00, 0x16, 0x57, 0x0b, 0xa0, 0xff}};
    tvcli_print_mac(mac);
    const uint8_t w[8] = {0x20, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55};
    wwn_t wwn;
    std::memcpy(&wwn, w, 8);
    tvcli_print_pwwn(wwn);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "0001-0000-0000-0000\n---\n00:16:57:0b:a0:ff20:00:00:11:22:33:44:55");
}

TEST(CliErrors, MessagesAndNoAdapterRule)
{
    const char *argv[] = {"tvcli", "port", "--query", "9/0", "bad name"};
    char **av = const_cast<char **>(argv);
    struct Case {
        int code;
        const char *msg;
        const char *no_adapter_msg; // with bNoAd set; null = same message
    } cases[] = {
        {4002, "ERROR: \"--query\" Command not supported\n\n", nullptr},
        {4003, "ERROR: System can not provide the required resources\n", nullptr},
        {4004, "ERROR: Please check the argument \"9/0\" for command \"--query\"\n", nullptr},
        {4005, "ERROR: Unable to open the adapter handle\n", nullptr},
        {4007, "ERROR: command \"--query\" syntax is incorrect or one of the parameters is incorrect\n", nullptr},
        {4008, "ERROR: Incorrectly formatted WWN\n", nullptr},
        {4009, "ERROR: Incorrectly formatted MAC\n", nullptr},
        {4010, "ERROR: Incorrectly formatted LUN\n", nullptr},
        {4011, "ERROR: port id \"9/0\" in command is incorrect\n", "ERROR: No Telvarn adapter Found\n"},
        {4012, "ERROR: adapter id \"9/0\" in command is incorrect\n", "ERROR: No Telvarn adapter Found\n"},
        {4013, "ERROR: pcifn id \"9/0\" in command is incorrect\n", "ERROR: No Telvarn adapter Found\n"},
        {4014, "", nullptr},
        {4015, "ERROR: Please check the string \"bad name\"\n", nullptr},
        {4016, "ERROR: Unknown Failure\n", nullptr},
        {4017, "ERROR: Could not find Storage functionality on the port (or adapter) \"9/0\"\n",
         "ERROR: No Telvarn adapter Found\n"},
        {4018, "ERROR: Could not find Ethernet functionality on the port (or adapter) \"9/0\"\n",
         "ERROR: No Telvarn adapter Found\n"},
        {4019, "ERROR: Invalid interval value\n", nullptr},
        {4020, "ERROR: Card model is incorrect\n", nullptr},
        {4021, "ERROR: Card capabilities mask is incorrect\n", nullptr},
        {4022, "ERROR: Port count is incorrect\n", nullptr},
        {4023, "ERROR: LUN Number out of range\n", nullptr},
        {4024, "ERROR: Please load driver on first pci function of port 0 of the adapter.\n",
         "ERROR: No Telvarn adapter Found\n"},
        {4025, "ERROR: \"port\" Command class not supported\n\n", nullptr},
        {4026, "ERROR: MAC option is not valid for HBA mode\n", nullptr},
        {4027, "", nullptr},
        {4028, "ERROR: Unknown Failure\n", nullptr},
        {70000, "ERROR: Unknown Failure\n", nullptr},
    };
    for (bool noad : {false, true}) {
        for (const Case &c : cases) {
            bNoAd = noad;
            testing::internal::CaptureStderr();
            print_error_string(c.code, 5, av);
            std::string want = noad && c.no_adapter_msg ? c.no_adapter_msg : c.msg;
            EXPECT_EQ(testing::internal::GetCapturedStderr(), want) << c.code << " noad=" << noad;
        }
    }
    bNoAd = false;

    // A message naming a word the command line does not have stays safe.
    testing::internal::CaptureStderr();
    print_error_string(4015, 3, av);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Please check the string \"\"\n");
}

TEST(CliErrors, CountErrorsAddTheClassUsage)
{
    const char *argv[] = {"tvcli", "pcifn", "--list"};
    tvcli_class = ClassIndex("pcifn");
    for (int code : {4001, 4006}) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        print_error_string(code, 3, const_cast<char **>(argv));
        std::string err = testing::internal::GetCapturedStderr();
        std::string out = testing::internal::GetCapturedStdout();
        if (code == 4001)
            EXPECT_EQ(err, "ERROR: Too few arguments/options provided for the command \"pcifn\"\n\n");
        else
            EXPECT_EQ(err, "ERROR: Incorrect argument count for command \"--list\"\n");
        EXPECT_EQ(out.rfind("\nUsage: tvcli pcifn [OPTIONS] [ARGUMENTS] ...\n", 0), 0u) << out;
    }
}

TEST(CliTable, ShapeOfEveryRow)
{
    int classes = 0, commands = 0;
    const tvcli_cmd_class_desc_t *c = tvcli_class_desc;
    for (; std::strcmp(c->name, "none") != 0; c++, classes++) {
        EXPECT_TRUE(c->os & E_LINUX) << c->name;
        EXPECT_NE(c->usage, nullptr) << c->name;
        std::set<std::string> seen;
        for (int i = 0; i < c->num_cmd; i++, commands++) {
            const tvcli_cmd_desc_t &d = c->cmds[i];
            EXPECT_EQ(std::string(d.name).rfind("--", 0), 0u) << c->name << " " << d.name;
            EXPECT_LE(d.min_args, d.max_args) << c->name << " " << d.name;
            EXPECT_NE(d.handler, nullptr) << c->name << " " << d.name;
            EXPECT_TRUE(seen.insert(d.name).second) << c->name << " " << d.name;
        }
    }
    EXPECT_EQ(classes, 29);
    EXPECT_EQ(commands, 181);
    EXPECT_EQ(c->num_cmd, 0);
    EXPECT_EQ(c->cmd_type, TYPE_MAX);
    EXPECT_EQ(c->cmds, nullptr);

    int idx = -1, cmd = -1;
    EXPECT_EQ(tvcli_get_class_id("Adapter", &idx), E_CLI_CLASS_NOT_SUPPORTED);
    EXPECT_EQ(tvcli_get_class_id("none", &idx), E_CLI_CLASS_NOT_SUPPORTED);
    idx = ClassIndex("port");
    EXPECT_EQ(tvcli_get_cmd_id("--list", idx, &cmd), 0);
    EXPECT_EQ(tvcli_validate_arg_count(idx, cmd, 0), 0);
    EXPECT_EQ(tvcli_validate_arg_count(idx, cmd, 1), 0);
    EXPECT_EQ(tvcli_validate_arg_count(idx, cmd, 2), E_CLI_INCORRECT_ARG);
    EXPECT_EQ(tvcli_get_cmd_id("--lis", idx, &cmd), E_CLI_CMD_NOT_SUPPORTED);
}

TEST(CliShellList, AppendKeepsOrderAndFreeEmpties)
{
    lnode *head = nullptr;
    tvcli_list_append(&head, "adapter");
    tvcli_list_append(&head, "--list");
    ASSERT_NE(head, nullptr);
    EXPECT_STREQ(head->token, "adapter");
    ASSERT_NE(head->next, nullptr);
    EXPECT_STREQ(head->next->token, "--list");
    EXPECT_EQ(head->next->next, nullptr);
    tvcli_list_free(&head);
    EXPECT_EQ(head, nullptr);
}
