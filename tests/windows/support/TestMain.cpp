// The Windows tests' main: the process-wide services the programs start for themselves.
#include "ProgramServices.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    qivyun::test::ProgramServices services;
    return RUN_ALL_TESTS();
}
