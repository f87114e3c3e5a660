#pragma once
// What the benchmarks that drive the program under Wine share: waiting for a window and timing.
#include <windows.h>

// Polls `condition` every millisecond; false when it did not hold within `timeoutMs`.
template <typename Condition> bool Wait(Condition condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(1);
    }
    return true;
}

// Milliseconds between two readings of the performance counter.
inline double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}
