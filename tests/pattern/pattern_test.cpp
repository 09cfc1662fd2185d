#include <gtest/gtest.h>
#include "Pattern.h"
TEST(Pattern, Smoke) { EXPECT_TRUE(Pattern::Matches("\\d+", "0123")); }
