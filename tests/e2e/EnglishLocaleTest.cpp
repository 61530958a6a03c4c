// Run only by the test entry that starts everything under an English locale,
// together with the start-up state and a conversion: proves that this run
// really is outside code page 936.

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(EnglishLocale, TheAnsiCodePageIsNotTheChineseOne) { EXPECT_NE(GetACP(), 936u); }

}  // namespace
