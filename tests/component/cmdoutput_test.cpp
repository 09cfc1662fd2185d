#include "cmdoutput.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

TEST(ReadCommandOutput, ReturnsTheWholeOutput)
{
    EXPECT_EQ(ReadCommandOutput("true"), "");
    EXPECT_EQ(ReadCommandOutput("printf 'a\\nb'"), "a\nb");
    // Longer than one read, with a NUL byte inside.
    const std::string big = ReadCommandOutput("head -c 1000 /dev/zero | tr '\\0' x; printf '\\0y'");
    EXPECT_EQ(big, std::string(1000, 'x') + std::string(1, '\0') + "y");
    // Standard error is not part of it.
    EXPECT_EQ(ReadCommandOutput("echo out; echo err >&2"), "out\n");
}

TEST(ReadCommandOutput, PipeThatCannotBeOpenedGivesError)
{
    // With no descriptor left for the pipe, the command cannot be started.
    int free = dup(0);
    ASSERT_GE(free, 0);
    close(free);
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &old), 0);
    struct rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(free);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const std::string out = ReadCommandOutput("echo hello");
    setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(out, "ERROR");
}
