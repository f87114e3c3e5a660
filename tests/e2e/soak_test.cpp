// A long session: transmits and receives against the simulator, repaints and zooms of the
// label, every dialog opened and closed many times. Afterwards the program's GDI and USER
// objects and its memory are back where they were. Only scripts/soak.sh (make soak) runs it;
// SOAK_TRANSMITS, SOAK_RECEIVES, SOAK_REPAINTS and SOAK_DIALOGS shorten it.
#include "sim_control.h"
#include "probe/probe_protocol.h"
#include "steps.h"

#include <psapi.h>

#include <cstdlib>
#include <utility>

namespace {

using namespace e2e;

int Count(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : otherwise;
}

struct Usage {
    DWORD gdi, user;          // the system's counts, 0 under Wine
    uint32_t ownGdi, windows; // what the program's GDI owners hold; its windows
    SIZE_T privateKb, workingSetKb;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM param) {
    auto* count = reinterpret_cast<std::pair<DWORD, uint32_t>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == count->first) ++count->second;
    return TRUE;
}

uint32_t CountWindows(App& app) {
    std::pair<DWORD, uint32_t> count{GetProcessId(app.Process()), 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    HWND main = app.MainWindow();
    EnumChildWindows(main, CountWindow, reinterpret_cast<LPARAM>(&count));
    return count.second;
}

Usage Measure(App& app) {
    app.WaitIdle();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(app.Process(), (PROCESS_MEMORY_COUNTERS*)&memory, sizeof memory);
    // Wine leaves PrivateUsage at 0; its pagefile usage counts the same private pages.
    SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return {GetGuiResources(app.Process(), GR_GDIOBJECTS),
            GetGuiResources(app.Process(), GR_USEROBJECTS),
            app.ProbeCall(ProbeLiveGdiObjects, app.MainWindow(), 0),
            CountWindows(app),
            privateBytes / 1024,
            memory.WorkingSetSize / 1024};
}

void Print(const char* when, const Usage& u) {
    std::printf("SOAK %s: GDI %lu USER %lu own GDI %u windows %u private %lu KiB working set "
                "%lu KiB\n",
                when, (unsigned long)u.gdi, (unsigned long)u.user, u.ownGdi, u.windows,
                (unsigned long)u.privateKb, (unsigned long)u.workingSetKb);
}

// Every command that opens a dialog, and what closes it again.
const int kDialogCommands[] = {CMD_EDIT_CONFIG, CMD_SETTINGS, CMD_ABOUT,       CMD_ABOUT_MAKER,
                               CMD_OPEN,        CMD_SAVE_AS,  CMD_PRINT_SETUP, CMD_EVENT_LOG};

void Session(App& app, int transmits, int receives, int repaints, int dialogs) {
    const std::string received =
        W1252("La configuración del controlador ha sido recibida correctamente.");
    for (int i = 0; i < transmits; ++i)
        RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured);
    for (int i = 0; i < receives; ++i)
        RunToEnd(app, CMD_RECEIVE_CONFIG, kConfigurator, received);
    const int kZooms[] = {CMD_ZOOM_IN, CMD_ZOOM_IN, CMD_ZOOM_OUT, CMD_FIT_WHOLE, CMD_FIT_WIDTH};
    for (int i = 0; i < repaints; ++i) {
        ASSERT_TRUE(app.Command(kZooms[i % 5]));
        RedrawWindow(app.MainWindow(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    for (int i = 0; i < dialogs; ++i)
        for (int command : kDialogCommands) {
            ASSERT_TRUE(app.Command(command));
            Dialog dialog = app.ExpectDialog("a dialog of the program");
            ASSERT_TRUE(dialog.Press(IDCANCEL)) << command << ": " << dialog.Describe();
        }
    ASSERT_TRUE(app.Command(CMD_MONITOR) && app.Command(CMD_MONITOR));
}

TEST(Soak, ResourcesComeBack) {
    if (!std::getenv("ZRT_SOAK")) GTEST_SKIP() << "run by scripts/soak.sh";
    if (!sim::Available()) GTEST_SKIP() << "needs the controller simulator (scripts/test.sh)";
    ASSERT_TRUE(sim::Reset());
    App app;
    ASSERT_TRUE(LaunchWith(app, Identity(1, 1)));
    // One round first: what the first use of each part allocates for good is not a leak. Ten
    // zoom cycles fill the font caches of every zoom (about 800 KiB under Wine, once).
    Session(app, 1, 1, 50, 1);
    Usage before = Measure(app);
    Print("before", before);
    Session(app, Count("SOAK_TRANSMITS", 500), Count("SOAK_RECEIVES", 500),
            Count("SOAK_REPAINTS", 1000), Count("SOAK_DIALOGS", 200));
    Usage after = Measure(app);
    Print("after", after);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_NE(before.ownGdi, kProbeNoItem);
    EXPECT_EQ(after.ownGdi, before.ownGdi);
    EXPECT_EQ(after.windows, before.windows);
    // The heap settles in pages; a leak of a few bytes a round would pass several of them.
    EXPECT_LE(after.privateKb, before.privateKb + 1024);
    EXPECT_TRUE(app.CloseAndWait());
}

} // namespace
