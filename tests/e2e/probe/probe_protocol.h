#pragma once
// What the test driver and the probe library it loads into the program under test share. The
// driver calls the probe's exported functions on threads it creates in the program
// (CreateRemoteThread); each takes the address of a ProbeBlock in the program's memory and
// answers in it and in the thread's exit code.
#include <cstdint>

// The message the driver posts to the program's thread to learn when everything posted before it
// has been taken from the queue. Its wParam is a counter that the probe stores in ProbeSyncSeen.
constexpr const char* kProbeSyncMessage = "ZrtE2eProbeSync";

enum ProbeIcon : uint32_t {
    ProbeIconNone = 0,
    ProbeIconStop = 1,
    ProbeIconQuestion = 2,
    ProbeIconExclamation = 3,
    ProbeIconInformation = 4,
    ProbeIconOther = 5,
};

constexpr uint32_t kProbeNoItem = 0xFFFFFFFFu;

struct ProbeBlock {
    uint64_t window; // in: the window asked about
    uint32_t id;     // in: a command id, where the call takes one
    uint32_t result; // out
    char text[512];  // out: NUL-terminated
};
