// Entry of e2e_tests.exe: GoogleTest's options, then --exe=PATH and --artefacts=DIR.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (!std::strncmp(argv[i], "--exe=", 6)) {
            e2e::SetProgramPath(argv[i] + 6);
        } else if (!std::strncmp(argv[i], "--artefacts=", 12)) {
            e2e::SetArtefactDir(argv[i] + 12);
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (!e2e::FileExists(e2e::ProgramPath())) {
        std::fprintf(stderr, "program under test not found: %s\n", e2e::ProgramPath().c_str());
        return 2;
    }
    return RUN_ALL_TESTS();
}
