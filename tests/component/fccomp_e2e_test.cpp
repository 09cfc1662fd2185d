// The real fccomp binary, each run in a private mount namespace with a
// working directory of its own.
#include "private_ns.h"
#include "console_texts.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

using namespace console;

namespace {

const std::string Fccomp = TVA_BINARY_DIR "/bin/fccomp";

const std::string LogError = "ERROR : Unable to write to log file\n";

// No HBA API library is registered: discovery finds no adapter.
const std::string NoLibraries = ": > /etc/hba.conf";

struct FccompRun {
    tva_test::NsResult r;
    std::string log;  // /var/zqm/Component.log after the run, "<none>" if missing
};

// Runs fccomp with ARGS `times` times in one namespace, then keeps a copy of
// the component log.
FccompRun RunFccomp(const ScratchDir &dir, const std::vector<std::string> &args, const std::string &setup = NoLibraries,
              int times = 1)
{
    std::string script = "rc=0; i=0; while [ $i -lt " + std::to_string(times) +
                         " ]; do \"$0\" \"$@\"; rc=$?; i=$((i+1)); done; "
                         "cp /var/zqm/Component.log log.copy 2>/dev/null || echo '<none>' > log.copy; exit $rc";
    std::vector<std::string> argv = {"sh", "-c", script, Fccomp};
    argv.insert(argv.end(), args.begin(), args.end());
    FccompRun run;
    run.r = tva_test::RunInPrivateNs(argv, {setup, dir.Path()});
    run.log = dir.Read("log.copy");
    return run;
}

} // namespace

TEST(FccompCommandLine, UsageAndParseErrors)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"/h"}, 3, Usage},
        {{"-h", "/d"}, 3, Usage},
        {{"/s", "/h"}, 3, Usage},
        {{"/d"}, 7, Usage + "ERROR! : Failed to parse command line\n"},
        {{"/s", "-d"}, 7, Usage + "ERROR! : Failed to parse command line\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ScratchDir dir;
        // A catalogue is present so that a run, had it started, would show.
        dir.Write("reference.xml", "<qvdeploy_fchba_reference/>");
        FccompRun run = RunFccomp(dir, c.args);
        EXPECT_EQ(run.r.status, c.exitCode);
        EXPECT_EQ(run.r.out, c.out);
        // The log is created at every start, and the run sequence never began.
        EXPECT_EQ(run.log, "");
    }
}

TEST(FccompRun, CatalogueAndDiscoveryFailuresExitWithSeven)
{
    struct Case {
        const char *name;
        const char *reference;  // nullptr: no reference.xml
        std::vector<std::string> args;
        std::string out;
        bool parseError;
    } cases[] = {
        {"missing catalogue", nullptr, {}, NoCatalogue, false},
        {"missing catalogue, discovery mode", nullptr, {"/d", "out.xml"}, NoCatalogue, false},
        {"malformed catalogue", "<qvdeploy_fchba_reference><devices>", {}, NoCatalogue, true},
        {"not XML at all", "hello", {"/f"}, NoCatalogue, true},
        {"no adapter", "<qvdeploy_fchba_reference/>", {"/d", "out.xml"},
         Rule + "Loading references...done.\nPerforming discovery...\nWARNING! : No supported adapters found.\n", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        if (c.reference)
            dir.Write("reference.xml", c.reference);
        FccompRun run = RunFccomp(dir, c.args);
        EXPECT_EQ(run.r.status, 7);
        EXPECT_EQ(run.r.out, c.out);
        EXPECT_EQ(run.log, c.out);
        EXPECT_EQ(!run.r.err.empty(), c.parseError) << run.r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.xml"));

        // Silent: the same log, nothing on the console.
        std::vector<std::string> silent = c.args;
        silent.push_back("/s");
        run = RunFccomp(dir, silent);
        EXPECT_EQ(run.r.status, 7);
        EXPECT_EQ(run.r.out, "");
        EXPECT_EQ(run.log, c.out);
    }
}

TEST(FccompLog, UnwritableLogReportsEveryMessage)
{
    ScratchDir dir;
    const std::string readOnly = NoLibraries + "; mount -o remount,ro /var/zqm";
    FccompRun run = RunFccomp(dir, {}, readOnly);
    EXPECT_EQ(run.r.status, 7);
    EXPECT_EQ(run.r.out, Rule + LogError + "Loading references..." + LogError + "FAILED!\n" + LogError);
    EXPECT_EQ(run.log, "<none>\n");

    run = RunFccomp(dir, {"-s"}, readOnly);
    EXPECT_EQ(run.r.status, 7);
    EXPECT_EQ(run.r.out, LogError + LogError + LogError);
}

TEST(FccompLog, RunsAppendToTheLog)
{
    ScratchDir dir;
    FccompRun run = RunFccomp(dir, {}, NoLibraries, 2);
    EXPECT_EQ(run.r.status, 7);
    EXPECT_EQ(run.log, NoCatalogue + NoCatalogue);
}
