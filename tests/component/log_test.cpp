#include "cmplog.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const char *const ErrorLine = "ERROR : Unable to write to log file\n";

// Writes the same mixed sequence every case uses; a chained sequence ends up
// as one line in the file.
void WriteSample(CCmpLog &log)
{
    log.Write("Loading references...").Write("done.\n");
    log.Write("Flash complete [").Write(-7).Write("]\n");
    log.Write(std::wstring(L"wide text\n")).Write(std::string()).Write(2147483647L).Write("\n");
}

const char *const Sample = "Loading references...done.\n"
                           "Flash complete [-7]\n"
                           "wide text\n"
                           "2147483647\n";

} // namespace

TEST(ComponentLog, EchoesAndAppendsEveryMessageAsIs)
{
    ScratchDir dir;
    dir.Write("Component.log", "earlier run\n");
    CCmpLog log(dir / "Component.log");
    CaptureStdout();
    WriteSample(log);
    EXPECT_EQ(GetCapturedStdout(), Sample);
    EXPECT_EQ(dir.Read("Component.log"), std::string("earlier run\n") + Sample);
}

TEST(ComponentLog, SilentKeepsTheConsoleQuietButNotTheFile)
{
    ScratchDir dir;
    CCmpLog log(dir / "Component.log");
    log.SetSilent(true);
    CaptureStdout();
    WriteSample(log);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(dir.Read("Component.log"), Sample);
}

TEST(ComponentLog, UnwritableFileReportsEachMessageEvenWhenSilent)
{
    ScratchDir dir;
    // A path whose directory does not exist cannot be opened, also by root.
    for (bool silent : {false, true}) {
        SCOPED_TRACE(silent ? "silent" : "not silent");
        CCmpLog log(dir / "missing/Component.log");
        log.SetSilent(silent);
        CaptureStdout();
        log.Write("one\n").Write(2).Write(L"\n");
        std::string expect = silent ? std::string(ErrorLine) + ErrorLine + ErrorLine
                                    : std::string("one\n") + ErrorLine + "2" + ErrorLine + "\n" + ErrorLine;
        EXPECT_EQ(GetCapturedStdout(), expect);
    }
}

TEST(ComponentLog, DefaultsToTheComponentLogPath)
{
    CCmpLog log;
    EXPECT_EQ(log.Path(), "/var/zqm/Component.log");
    EXPECT_FALSE(log.IsSilent());
}
