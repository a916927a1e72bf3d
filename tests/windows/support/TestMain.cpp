// The Windows tests' main: the process-wide services the programs start for themselves.
#include "ProgramServices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A run meant for another system code page that finds the system on this one would pass having
    // tested nothing of it.
    if (const char* asked = std::getenv("QIVYUN_CODE_PAGE"); asked && std::to_string(GetACP()) != asked) {
        std::fprintf(stderr, "started for code page %s, but the system's is %u\n", asked, GetACP());
        return 1;
    }
    qivyun::test::ProgramServices services;
    return RUN_ALL_TESTS();
}
