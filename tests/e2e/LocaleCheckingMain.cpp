// The main of the programs that run under Wine. Given --outside-code-page-936,
// as ctest gives the runs under an English locale, it first makes sure that
// the run really is outside the Chinese ANSI code page, which those runs are
// there to leave.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int at = 1; at < argc; ++at) {
        if (std::strcmp(argv[at], "--outside-code-page-936") == 0 && GetACP() == 936) {
            std::fprintf(stderr, "the ANSI code page is 936, not that of an English locale\n");
            return 1;
        }
    }
    return RUN_ALL_TESTS();
}
