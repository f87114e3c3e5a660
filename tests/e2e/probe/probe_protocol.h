#pragma once
// What the test driver and the probe library share. The driver sets two hooks on the program's
// user-interface thread with the probe as their module, so that the program loads the probe
// itself, on that thread, the next time it reads its queue. (Starting a thread in the program
// instead, with CreateRemoteThread, is unsafe under Wine: the new thread is created from a signal
// handler, which deadlocks or corrupts the heap when the signal lands inside malloc.)
// Requests and answers travel in a shared memory block named after the program's process id.
#include <cstdint>

// Posted to the program's thread with a counter in wParam, which the probe stores in
// ProbeShared::syncSeen once everything posted before it has been taken from the queue.
constexpr const char* kProbeSyncMessage = "ZrtE2eProbeSync";
// Sent to the program's main window with a ProbeFunction in wParam; the probe answers in
// ProbeShared::block before the window sees the message.
constexpr const char* kProbeCallMessage = "ZrtE2eProbeCall";
constexpr const char* kProbeSharedName = "ZrtE2eProbe-%lu"; // with the program's process id

enum ProbeFunction : uint32_t {
    ProbeMenuItem = 1, // state flags (MF_GRAYED, ...) and text of the item with command `id`
    // Sends message `id` with `param` and the block's text buffer to `window`: texts that
    // common controls and list boxes give back right only inside their own process.
    ProbeTextMessage = 2,
    ProbeScrollBar = 3, // scroll bar `id` (SB_HORZ, SB_VERT) of `window`: its position, and
                        // "min max page position enabled" as text
    ProbeClipboardPictureSize = 4, // size of the metafile-picture record on the clipboard
    ProbeLiveGdiObjects = 5,       // the GDI objects the program's own owners hold
};

constexpr uint32_t kProbeNoItem = 0xFFFFFFFFu; // also what GetMenuState gives for no item

struct ProbeBlock {
    uint64_t window; // in: the window asked about
    uint32_t id;     // in
    uint32_t param;  // in
    uint32_t result; // out
    char text[1024]; // out: NUL-terminated
};

struct ProbeShared {
    volatile int64_t syncSeen; // the last sync counter the program's thread took from its queue
    ProbeBlock block;
};
