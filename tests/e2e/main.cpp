// Entry of e2e_tests.exe: GoogleTest's options, then --exe=PATH and --artefacts=DIR.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option.rfind("--exe=", 0) == 0)
            e2e::SetProgramPath(option.substr(6));
        else if (option.rfind("--artefacts=", 0) == 0)
            e2e::SetArtefactDir(option.substr(12));
        else
            return std::fprintf(stderr, "unknown option %s\n", argv[i]), 2;
    }
    if (!e2e::FileExists(e2e::ProgramPath()))
        return std::fprintf(stderr, "no program under test: %s\n", e2e::ProgramPath().c_str()), 2;
    return RUN_ALL_TESTS();
}
