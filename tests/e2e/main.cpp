// Entry of e2e_tests.exe: GoogleTest's options, then --exe=PATH and --artefacts=DIR; by default
// where the build puts them, seen from build/win/tests/e2e.
#include "driver.h"

#include "app/win32/history_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

// --append-history=PATH,COUNT,TAG: appends COUNT lines to the history at PATH as the program
// does, for the test of several programs sharing one history.
int AppendLines(const char* argument) {
    char path[MAX_PATH] = "", tag[32] = "";
    int count = 0;
    if (std::sscanf(argument, "%259[^,],%d,%31s", path, &count, tag) != 3) return 2;
    for (int i = 0; i < count; ++i) {
        const std::string fields[kHistoryFields] = {tag, std::to_string(i), "", "", "", "x;y", ""};
        if (AppendHistoryLine(path, BuildHistoryLine(fields)) != HistoryAppend::Written) return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 2 && !std::strncmp(argv[1], "--append-history=", 17))
        return AppendLines(argv[1] + 17);
    ::testing::InitGoogleTest(&argc, argv);
    e2e::programPath = e2e::JoinPath(e2e::ExeFolder(), "..\\..\\cnfzrt94.exe");
    e2e::artefactDir = e2e::JoinPath(e2e::ExeFolder(), "..\\..\\..\\artefacts");
    for (int i = 1; i < argc; ++i) {
        if (!std::strncmp(argv[i], "--exe=", 6))
            e2e::programPath = argv[i] + 6;
        else if (!std::strncmp(argv[i], "--artefacts=", 12))
            e2e::artefactDir = argv[i] + 12;
        else
            return std::fprintf(stderr, "unknown option %s\n", argv[i]), 2;
    }
    if (!e2e::FileExists(e2e::programPath))
        return std::fprintf(stderr, "no program under test: %s\n", e2e::programPath.c_str()), 2;
    return RUN_ALL_TESTS();
}
