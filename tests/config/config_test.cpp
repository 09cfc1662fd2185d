// /etc/tva.conf: file text in, file text out; locking between processes and
// the atomic rewrite.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"
#include "tval_config.h"

namespace {

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void write_file(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The body of each part of the written file; conf() adds the fixed comments.
struct Parts {
    std::string adname = {}, adtrunk = {}, naming = {}, port = {}, trunk = {}, enable = {},
                log = {}, vf = {}, vport = {}, auth = {}, im = {}, qos = {}, intr = {};
};

std::string conf(const Parts &p)
{
    return "# Syntax for global parameter (applied to all HBA instances):\n"
           "#   param_name=param_value \n"
           "#   tva<instance_number>-param_name=param_value \n"
           "# \n"
           "\n#\n# Persistent naming of adapter\n# \n" +
           p.adname + "\n#\n# Trunking of adapter\n# \n" + p.adtrunk +
           "\n#\n# Persistent naming of port\n#\n" + p.naming +
           "\n#\n# Port configuration\n#\n" + p.port + "\n# trunking\n" + p.trunk +
           "\n# disable a port persistently\n" + p.enable +
           "\n#\n# Driver log level\n# level: INFO, WARN, ERROR, CRITICAL\n#\n" + p.log +
           "\n#\n# VF configuration\n#\n" + p.vf +
           "\n#\n# vport configuration\n#\n# vport-<id> = pwwn, nwwn,symname, roles [, vf_id]\n#\n" +
           p.vport + "\n#\n# Authentication\n#\n" + p.auth +
           "\n#\n# Initiator mode configuration\n#\n" + p.im +
           "\n#\n# QoS, rate limiting configuration\n#\n" + p.qos +
           "\n#\n# IOC intr configuration\n#\n" + p.intr;
}

const char *kWwn0 = "10:00:00:05:1e:00:00:01";
const char *kWwn1 = "10:00:00:05:1e:00:00:02";

tval_t fc_ioc(uint8_t last)
{
    tval_t ioc{};
    const uint8_t b[8] = {0x10, 0x00, 0x00, 0x05, 0x1e, 0x00, 0x00, last};
    ioc.pwwn = tval_wwn_from_bytes(b);
    ioc.ioc_type = TVA_IOC_TYPE_FC;
    ioc.fd = ioc.sg_fd = ioc.ipfc_fd = -1;
    return ioc;
}

std::string wwn_line(int i, const char *wwn)
{
    return "tva" + std::to_string(i) + "-port-wwn = \"" + wwn + "\";\n";
}

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/tvaconf.XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        path = dir + "/tva.conf";
        memset(config_all, 0, sizeof(config_all));
    }
    void TearDown() override
    {
        tval_config_unload();
        std::string cmd = "rm -rf '" + dir + "'";
        (void)!system(cmd.c_str());
    }

    // Loads `in`, applies `change`, syncs, and returns the written text.
    std::string cycle(const std::string &in, const std::function<void()> &change = {})
    {
        write_file(path, in);
        EXPECT_EQ(tval_config_load(path.c_str()), TVA_STATUS_OK);
        if (change)
            change();
        EXPECT_EQ(tval_config_sync(path.c_str()), TVA_STATUS_OK);
        return read_file(path);
    }

    std::vector<std::string> dir_entries()
    {
        std::vector<std::string> names;
        DIR *d = opendir(dir.c_str());
        while (dirent *e = d ? readdir(d) : nullptr)
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        if (d)
            closedir(d);
        return names;
    }

    std::string dir, path;
};

struct TextCase {
    const char *what;
    std::string in;
    std::function<void()> change;
    Parts out;
};

TEST_F(ConfigFile, TextInTextOut)
{
    tval_t ioc0 = fc_ioc(1);
    const std::string w0 = wwn_line(0, kWwn0), w1 = wwn_line(1, kWwn1);
    const std::string both = w0 + w1;
    const std::vector<TextCase> cases = {
        {"empty file", "", {}, {}},
        {"global line after the port-wwn lines reaches the records and stays global",
         both + "port-speed = 8\n", {}, {.naming = both, .port = "port-speed = 8;\n"}},
        {"a setter that changes a global value ends the global form",
         w0 + "port-speed = 8;\n", [&] { tval_config_speed(&ioc0, 4); },
         {.naming = w0, .port = "tva0-port-speed = 4;\n"}},
        {"a setter with the same value keeps the global form", w0 + "port-speed = 8;\n",
         [&] { tval_config_speed(&ioc0, 8); }, {.naming = w0, .port = "port-speed = 8;\n"}},
        {"global line before every port-wwn line gives no record a value",
         "port-speed = 8;\n" + w0, {}, {.naming = w0, .port = "port-speed = 0;\n"}},
        {"instance 128 is dropped", w0 + "tva128-port-speed = 8;\n", {}, {.naming = w0}},
        {"instance 127 is kept", "tva127-port-speed = 8;\n", {},
         {.port = "tva127-port-speed = 8;\n"}},
        {"topology outside the vocabulary drops the setting",
         w0 + "tva0-port-topology = \"loop\";\ntva0-port-topology = fabric;\n", {},
         {.naming = w0}},
        {"p2p is stored as 5 and written back as p2p", w0 + "tva0-port-topology = p2p;\n", {},
         {.naming = w0, .port = "tva0-port-topology = \"p2p\";\n"}},
        {"unknown log level keeps the flag and the value", "tva0-log-level = \"Debug\";\n", {},
         {.log = "tva0-log-level = \"None\";\n"}},
        {"CR LF keeps the CR, so the boolean is dropped",
         "tva0-port-enable = \"FALSE\"\r\ntva1-port-enable = \"FALSE\";\n", {},
         {.enable = "tva1-port-enable = \"FALSE\";\n"}},
        {"a value holding the word adapter makes an adapter line",
         "tva0-port-name = adapter-one\n", {},
         {.adname = "adapter-port-name = \"adapter-one\";\n"}},
        {"adapter lines", "adapter-SN123-name = \"lab\";\nadapter-SN123-trunk = TRUE;\n"
                          "adapter-SN9-trunk = maybe;\n", {},
         {.adname = "adapter-SN123-name = \"lab\";\n",
          .adtrunk = "adapter-SN123-trunk = \"TRUE\";\n"}},
        {"an empty but flagged trunk map writes the key alone", w0,
         [&] { tval_config_trunk(&ioc0, 0, 1); }, {.naming = w0, .trunk = "tva0-port-trunk = "}},
        {"an empty trunk value reads back as bit 0", w0 + "tva0-port-trunk = \n", {},
         {.naming = w0, .trunk = "tva0-port-trunk = 0;\n"}},
        {"bit lists in ascending order", "tva3-port-trunk = 1, 0;\ntva3-vf-list = 15,2;\n", {},
         {.trunk = "tva3-port-trunk = 0, 1;\n", .vf = "tva3-vf-list = 2, 15;\n"}},
        {"speed 15 is stored as 0 and clears the flag", w0 + "tva0-port-speed = 8;\n",
         [&] { tval_config_speed(&ioc0, 15); }, {.naming = w0}},
        {"maxfrsize 2112 clears the flag", w0 + "tva0-port-maxfrsize = 1024;\n",
         [&] { tval_config_maxfrsz(&ioc0, 2112); }, {.naming = w0}},
        {"an enabled port is not written", w0 + "tva0-port-enable = FALSE;\n",
         [&] { tval_config_enable(&ioc0, 1); }, {.naming = w0}},
        {"a disabled port is written", w0, [&] { tval_config_enable(&ioc0, 0); },
         {.naming = w0, .enable = "tva0-port-enable = \"FALSE\";\n"}},
        {"hard alpa is hexadecimal and has no global form",
         w0 + "port-hardalpa = 0x10;\ntva0-port-hardalpa = 0xEf;\n", {},
         {.naming = w0, .port = "tva0-port-hardalpa = 0xef;\n"}},
        {"a setter on an IOC without record does nothing", w1,
         [&] { tval_config_speed(&ioc0, 4); }, {.naming = w1}},
        {"numbers are the digits that end the value", "tva0-qdepth = abc12;\ntva0-pathtov = 7x;\n",
         {}, {.im = "tva0-pathtov = 0;\ntva0-qdepth = 12;\n"}},
        {"unknown keys, comments and lines without = are dropped",
         "# tva0-port-speed = 4\nnum-ios = 5\ntva0-bogus = 1\njust text\n", {}, {}},
        {"ethernet lines; port-mtu is read but not written",
         "tvn2-port-mac = \"00:05:1e:00:00:10\";\ntvn2-port-name = eth-lab;\ntvn2-port-mtu = 9000;\n",
         {}, {.naming = "tvn2-port-mac = \"00:05:1e:00:00:10\";\ntvn2-port-name = \"eth-lab\";\n"}},
        {"vf lines: vf-enable has no semicolon",
         w0 + "tva0-vf-enable = TRUE;\ntva0-vf-default = 3;\n", {},
         {.naming = w0, .vf = "tva0-vf-enable = \"TRUE\"\ntva0-vf-default = 3;\n"}},
        {"auth vocabularies", "tva0-auth-policy = on;\ntva0-auth-algo = sha1;\ntva0-auth-group = 2;\n"
                              "tva0-auth-secretsource = RADIUS;\ntva0-auth-encrypt = \"1,2\";\n"
                              "tva1-auth-policy = ON;\ntva1-auth-algo = md4;\n", {},
         {.auth = "tva0-auth-policy = \"on\";\ntva0-auth-algo = \"sha1\";\ntva0-auth-group = 2;\n"
                  "tva0-auth-secretsource = \"RADIUS\";\ntva0-auth-encrypt = \"1,2\";\n"}},
        {"secret string setter joins the numbers", w0,
         [&] {
             const int v[] = {12, -3, 400};
             tval_config_auth_secretstring(&ioc0, v, 3);
         },
         {.naming = w0, .auth = "tva0-auth-encrypt = \"12,-3,400\";\n"}},
        {"global lines of every group, in their order",
         w0 + "qos = TRUE\nratelim = FALSE\nratelim-defspeed = 4\ncoalesce = off\ndelay = 5\n"
              "latency = 6\npathtov = 30\nqdepth = 16\npersistent-binding = TRUE\n"
              "vf-enable = TRUE\nvf-default = 2\nvf-list = 1\nlog-level = Error\n"
              "ipfc-enable = FALSE\nport-enable = TRUE\nport-trunk = 0,1\n"
              "port-topology = loop\nport-maxfrsize = 1024\n",
         {},
         {.naming = w0,
          .port = "port-topology = \"loop\";\nport-maxfrsize = 1024;\n",
          .trunk = "port-trunk = 0, 1;\n",
          .enable = "port-enable = \"TRUE\";\nipfc-enable = \"FALSE\";\n",
          .log = "log-level = \"Error\";\n",
          .vf = "vf-enable = \"TRUE\"\nvf-default = 2;\nvf-list = 1;\n",
          .im = "pathtov = 30;\nqdepth = 16;\npersistent-binding = \"TRUE\";\n",
          .qos = "qos = \"TRUE\";\nratelim = \"FALSE\";\nratelim-defspeed = 4;\n",
          .intr = "coalesce = \"off\";\ndelay = 5;\nlatency = 6;\n"}},
        {"interrupt defaults clear every flag", w0 + "tva0-coalesce = off;\ntva0-delay = 10;\n",
         [&] { tval_config_iocfc_intr(&ioc0, 1, 1125, 225); }, {.naming = w0}},
        {"interrupt settings off", w0,
         [&] { tval_config_iocfc_intr(&ioc0, 0, 0, 0); },
         {.naming = w0, .intr = "tva0-coalesce = \"off\";\n"}},
        {"vport lines keep their order; a repeated pwwn overwrites",
         "tva1-vport-0 = \"20:00:00:00:00:00:00:01,20:00:00:00:00:00:00:02,\"srv a\",IM,0\";\n"
         "tva1-vport-1 = \"20:00:00:00:00:00:00:03,20:00:00:00:00:00:00:04,b,IM + TM,2\";\n"
         "tva1-vport-7 = \"20:00:00:00:00:00:00:01,20:00:00:00:00:00:00:09,c,TM,5\";\n",
         {},
         {.vport = "tva1-vport-0 = \"20:00:00:00:00:00:00:01,20:00:00:00:00:00:00:09,c,TM,5\";\n"
                   "tva1-vport-1 = \"20:00:00:00:00:00:00:03,20:00:00:00:00:00:00:04,b,IM + TM,2\";\n"}},
        {"adding a virtual port builds its value from the logical port", w0,
         [&] {
             tva_lport_cfg_t cfg{};
             const uint8_t pw[8] = {0x20, 0, 0, 0, 0, 0, 0, 1}, nw[8] = {0x20, 0, 0, 0, 0, 0, 0, 2};
             cfg.pwwn = tval_wwn_from_bytes(pw);
             cfg.nwwn = tval_wwn_from_bytes(nw);
             snprintf(cfg.sym_name, sizeof(cfg.sym_name), "vp one");
             cfg.roles = TVA_LPORT_ROLE_FCP_IM | TVA_LPORT_ROLE_FCP_IPFC;
             tval_config_vport_add(&ioc0, 3, &cfg);
         },
         {.naming = w0,
          .vport = "tva0-vport-0 = \"20:00:00:00:00:00:00:01,20:00:00:00:00:00:00:02,vp one,IM + IP,3\";\n"}},
        {"deleting a virtual port renumbers the rest",
         w0 + "tva0-vport-0 = 20:00:00:00:00:00:00:01,20:00:00:00:00:00:00:02,a,IM,0\n"
              "tva0-vport-1 = 20:00:00:00:00:00:00:03,20:00:00:00:00:00:00:04,b,IM,0\n",
         [&] {
             const uint8_t pw[8] = {0x20, 0, 0, 0, 0, 0, 0, 1};
             tval_config_vport_del(&ioc0, tval_wwn_from_bytes(pw));
         },
         {.naming = w0,
          .vport = "tva0-vport-0 = \"20:00:00:00:00:00:00:03,20:00:00:00:00:00:00:04,b,IM,0\";\n"}},
    };
    for (const TextCase &c : cases) {
        SCOPED_TRACE(c.what);
        memset(config_all, 0, sizeof(config_all));
        EXPECT_EQ(cycle(c.in, c.change), conf(c.out));
    }
}

TEST_F(ConfigFile, GlobalBitSurvivesLoadAndEndsOnChange)
{
    // config_all is process-wide: a later load of a file without the global
    // line still writes it, until a setter changes the value.
    tval_t ioc0 = fc_ioc(1);
    const std::string w0 = wwn_line(0, kWwn0);
    EXPECT_EQ(cycle(w0 + "port-speed = 8\n"), conf({.naming = w0, .port = "port-speed = 8;\n"}));
    EXPECT_EQ(cycle(w0), conf({.naming = w0, .port = "port-speed = 0;\n"}));
    EXPECT_EQ(cycle(w0, [&] { tval_config_speed(&ioc0, 0); }),
              conf({.naming = w0, .port = "port-speed = 0;\n"}));
    EXPECT_EQ(cycle(w0, [&] { tval_config_speed(&ioc0, 4); }),
              conf({.naming = w0, .port = "tva0-port-speed = 4;\n"}));
}

TEST_F(ConfigFile, LongLineContinuesAsNextLine)
{
    // Lines are read 511 characters at a time: the rest is a line of its own.
    std::string pad(511 - strlen("# "), 'x');
    std::string in = "# " + pad + "tva0-port-speed = 4;\n";
    EXPECT_EQ(cycle(in), conf({.port = "tva0-port-speed = 4;\n"}));
}

TEST_F(ConfigFile, RegistrationAndKeys)
{
    tval_t ioc0 = fc_ioc(1), ioc1 = fc_ioc(2);
    mac_t mac = {{0x00, 0x05, 0x1e, 0xaa, 0xbb, 0x0c}};
    std::string out = cycle("tva0-port-wwn = \"10:00:00:05:1E:00:00:01\";\n", [&] {
        EXPECT_EQ(tval_config_ioc_lookup(ioc0.pwwn), 0); // read back as bytes
        EXPECT_EQ(tval_config_ioc_lookup(ioc1.pwwn), -1);
        EXPECT_EQ(tval_config_ioc_add(ioc1.pwwn), 1);
        EXPECT_EQ(tval_config_ioc_lookup(ioc1.pwwn), 1);
        EXPECT_EQ(tval_config_ethioc_lookup(mac), -1);
        EXPECT_EQ(tval_config_ethioc_add(mac), 0); // its own key space
        EXPECT_EQ(tval_config_ethioc_lookup(mac), 0);
        EXPECT_EQ(tval_config_ad_lookup("SN42"), -1);
        EXPECT_EQ(tval_config_ad_add("SN42"), 0);
        EXPECT_EQ(tval_config_ad_lookup("SN42"), 0);
        tval_config_ioc_name(&ioc1, "disk-b");
    });
    // An adapter record holding only its serial number is not written.
    EXPECT_EQ(out, conf({.naming = "tva0-port-wwn = \"10:00:00:05:1E:00:00:01\";\n" +
                                   wwn_line(1, kWwn1) + "tva1-port-name = \"disk-b\";\n" +
                                   "tvn0-port-mac = \"00:05:1e:aa:bb:0c\";\n"}));

    // All 128 records taken: add does nothing.
    ASSERT_EQ(tval_config_load(path.c_str()), TVA_STATUS_OK);
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++)
        ioc_config_data[i].flags[0] |= TVAL_CFG_PWWN;
    EXPECT_EQ(tval_config_ioc_add(fc_ioc(9).pwwn), -1);
    EXPECT_EQ(tval_config_unload(), TVA_STATUS_OK);
}

TEST_F(ConfigFile, WrittenFileReadsBackUnchanged)
{
    // Every per-record setting on two records; rewriting what was written
    // must give the same bytes.
    std::string in;
    for (int i : {0, 5}) {
        std::string p = "tva" + std::to_string(i) + "-";
        in += p + "port-wwn = 10:00:00:05:1e:00:00:0" + std::to_string(i) + "\n" + p +
              "port-name = n" + std::to_string(i) + "\n" + p + "port-speed = 16\n" + p +
              "port-topology = auto\n" + p + "port-hardalpa = 1f\n" + p +
              "port-maxfrsize = 512\n" + p + "port-trunk = 0, 1\n" + p + "port-enable = FALSE\n" +
              p + "ipfc-enable = FALSE\n" + p + "log-level = Warning\n" + p + "vf-enable = TRUE\n" +
              p + "vf-default = 4\n" + p + "vf-list = 3, 4\n" + p +
              "vport-0 = 20:00:00:00:00:00:00:0a,20:00:00:00:00:00:00:0b,\"vp\",IM,0\n" + p +
              "auth-policy = on\n" + p + "auth-algo = ms\n" + p + "auth-group = 3\n" + p +
              "auth-secretsource = TACACS\n" + p + "auth-encrypt = 9,8\n" + p + "pathtov = 20\n" +
              p + "qdepth = 64\n" + p + "persistent-binding = TRUE\n" + p + "qos = TRUE\n" + p +
              "ratelim = TRUE\n" + p + "ratelim-defspeed = 2\n" + p + "coalesce = on\n" + p +
              "delay = 7\n" + p + "latency = 8\n";
    }
    in += "tvn3-port-mac = 00:05:1e:00:00:03\ntvn3-port-name = e3\n";
    in += "adapter-SN1-name = one\nadapter-SN1-trunk = FALSE\n";
    std::string first = cycle(in);
    EXPECT_EQ(cycle(first), first);
    EXPECT_NE(first.find("tva5-port-hardalpa = 0x1f;\n"), std::string::npos);
    EXPECT_NE(first.find("tva5-vport-0 = \"20:00:00:00:00:00:00:0a,20:00:00:00:00:00:00:0b,vp,IM,0\";\n"),
              std::string::npos);
}

TEST_F(ConfigFile, CycleThatChangesNothingKeepsTheFile)
{
    // Registering a function the file already holds rewrites nothing; a
    // file in another layout is rewritten even when the settings agree.
    const std::string text = conf({.naming = wwn_line(0, kWwn0)});
    struct stat before, after;
    write_file(path, text);
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    EXPECT_EQ(cycle(text,
                    [] {
                        if (tval_config_ioc_lookup(fc_ioc(1).pwwn) < 0)
                            tval_config_ioc_add(fc_ioc(1).pwwn);
                    }),
              text);
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);

    EXPECT_EQ(cycle(wwn_line(0, kWwn0)), text);
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
}

TEST_F(ConfigFile, LockAndFileErrors)
{
    // A second load in one process, and a sync without load.
    ASSERT_EQ(tval_config_load(path.c_str()), TVA_STATUS_OK);
    EXPECT_EQ(tval_config_load(path.c_str()), TVA_STATUS_FAILED);
    EXPECT_EQ(tval_config_sync(path.c_str()), TVA_STATUS_OK);
    EXPECT_EQ(tval_config_sync(path.c_str()), TVA_STATUS_FAILED);

    // The file cannot be created.
    EXPECT_EQ(tval_config_load((dir + "/none/tva.conf").c_str()), TVA_STATUS_EFOPEN);

    // Writing fails: the lock is released and the status is EFOPEN.
    std::string sub = dir + "/sub";
    ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
    std::string p2 = sub + "/tva.conf";
    write_file(p2, "tva0-port-speed = 4\n");
    ASSERT_EQ(tval_config_load(p2.c_str()), TVA_STATUS_OK);
    ASSERT_EQ(system(("rm -rf '" + sub + "'").c_str()), 0);
    EXPECT_EQ(tval_config_sync(p2.c_str()), TVA_STATUS_EFOPEN);
    EXPECT_EQ(tval_config_load(path.c_str()), TVA_STATUS_OK); // lock was released
    EXPECT_EQ(tval_config_unload(), TVA_STATUS_OK);
}

TEST_F(ConfigFile, RewriteKeepsModeAndLink)
{
    write_file(path, "");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    std::string link = dir + "/link.conf";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_EQ(tval_config_load(link.c_str()), TVA_STATUS_OK);
    tval_config_ioc_add(fc_ioc(1).pwwn);
    ASSERT_EQ(tval_config_sync(link.c_str()), TVA_STATUS_OK);

    struct stat st, lst;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ASSERT_EQ(lstat(link.c_str(), &lst), 0);
    EXPECT_TRUE(S_ISLNK(lst.st_mode));
    EXPECT_EQ(read_file(path), conf({.naming = wwn_line(0, kWwn0)}));
    EXPECT_EQ(dir_entries().size(), 2u); // no temporary file left
}

TEST_F(ConfigFile, LockIsRetriedWhileAnotherProcessHoldsIt)
{
    write_file(path, "");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        int fd = open(path.c_str(), O_RDWR);
        flock(fd, LOCK_EX);
        (void)!write(ready[1], "x", 1);
        sleep(2);
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    time_t t0 = time(nullptr);
    EXPECT_EQ(tval_config_load(path.c_str()), TVA_STATUS_OK);
    EXPECT_GE(time(nullptr) - t0, 1);
    tval_config_unload();
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

// Eight processes each set their own record's name 50 times on one file:
// every last value must be there and the file must be well formed.
TEST_F(ConfigFile, EightProcessesKeepEveryUpdate)
{
    constexpr int kProcs = 8, kRounds = 50;
    std::string in;
    for (int p = 0; p < kProcs; p++) {
        char w[32];
        snprintf(w, sizeof(w), "10:00:00:05:1e:00:00:%02x", p + 1);
        in += wwn_line(p, w);
    }
    write_file(path, in);
    std::vector<pid_t> kids;
    for (int p = 0; p < kProcs; p++) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            tval_t ioc = fc_ioc((uint8_t)(p + 1));
            for (int r = 0; r < kRounds; r++) {
                if (tval_config_load(path.c_str()) != TVA_STATUS_OK)
                    _exit(2);
                char name[32];
                snprintf(name, sizeof(name), "p%d-r%d", p, r);
                tval_config_ioc_name(&ioc, name);
                if (tval_config_sync(path.c_str()) != TVA_STATUS_OK)
                    _exit(3);
            }
            _exit(0);
        }
        kids.push_back(pid);
    }
    for (pid_t pid : kids) {
        int st = 0;
        waitpid(pid, &st, 0);
        EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << st;
    }
    std::string naming;
    for (int p = 0; p < kProcs; p++) {
        char w[32];
        snprintf(w, sizeof(w), "10:00:00:05:1e:00:00:%02x", p + 1);
        naming += wwn_line(p, w) + "tva" + std::to_string(p) + "-port-name = \"p" +
                  std::to_string(p) + "-r" + std::to_string(kRounds - 1) + "\";\n";
    }
    EXPECT_EQ(read_file(path), conf({.naming = naming}));
    EXPECT_EQ(dir_entries().size(), 1u);
}

// A process killed at any point of a cycle leaves the old file or the new
// one. The child is traced and killed at its k-th system call, for every k
// until it completes.
TEST_F(ConfigFile, KilledCycleLeavesOldOrNewFile)
{
    const std::string old_text = conf({.naming = wwn_line(0, kWwn0)});
    const std::string new_text =
        conf({.naming = wwn_line(0, kWwn0) + "tva0-port-name = \"renamed\";\n"});
    int killed = 0;
    for (int k = 1; k < 100000; k++) {
        write_file(path, old_text);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
                _exit(77);
            raise(SIGSTOP);
            tval_t ioc = fc_ioc(1);
            if (tval_config_load(path.c_str()) != TVA_STATUS_OK)
                _exit(2);
            tval_config_ioc_name(&ioc, "renamed");
            _exit(tval_config_sync(path.c_str()) == TVA_STATUS_OK ? 0 : 3);
        }
        int st = 0;
        waitpid(pid, &st, 0);
        if (WIFEXITED(st) && WEXITSTATUS(st) == 77)
            GTEST_SKIP() << "ptrace is not permitted here";
        ASSERT_TRUE(WIFSTOPPED(st));
        bool done = false;
        for (int stops = 0;; stops++) {
            if (stops == k) {
                kill(pid, SIGKILL);
                waitpid(pid, &st, 0);
                break;
            }
            ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr);
            waitpid(pid, &st, 0);
            if (WIFEXITED(st) || WIFSIGNALED(st)) {
                done = true;
                break;
            }
        }
        std::string now = read_file(path);
        if (done) {
            EXPECT_EQ(WEXITSTATUS(st), 0);
            EXPECT_EQ(now, new_text);
            break;
        }
        killed++;
        ASSERT_TRUE(now == old_text || now == new_text) << "killed at stop " << k << ":\n" << now;
        // A killed writer may leave its temporary file behind; never the target.
        for (const std::string &e : dir_entries())
            if (e != "tva.conf")
                unlink((dir + "/" + e).c_str());
    }
    EXPECT_GT(killed, 10);
}

} // namespace
