// Loaded by the program under test through the end-to-end driver's hooks. It answers what another
// process cannot learn under Wine (menus are private to their process) and marks how far the
// program's thread has read its queue.
#include "probe_protocol.h"

#include <windows.h>

#include <cstdio>
#include <iterator>

namespace {
ProbeShared* g_shared;
UINT g_syncMessage;
UINT g_callMessage;

HWND Window(const ProbeBlock& block) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(block.window));
}

// In the order of ProbeFunction, from 1.
void (*const kAnswers[])(ProbeBlock&) = {
    [](ProbeBlock& block) {
        block.result = GetMenuState(GetMenu(Window(block)), block.id, MF_BYCOMMAND);
        GetMenuStringA(GetMenu(Window(block)), block.id, block.text, sizeof block.text,
                       MF_BYCOMMAND);
    },
    [](ProbeBlock& block) {
        block.result =
            (uint32_t)SendMessageA(Window(block), block.id, block.param, (LPARAM)block.text);
    },
    // Scroll bars keep their state in the window's own process under Wine.
    [](ProbeBlock& block) {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        GetScrollBarInfo(Window(block), block.id == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &bar);
        block.result = GetScrollInfo(Window(block), (int)block.id, &si) ? si.nPos : kProbeNoItem;
        std::snprintf(block.text, sizeof block.text, "%d %d %u %d %d", si.nMin, si.nMax, si.nPage,
                      si.nPos, !(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE));
    },
    [](ProbeBlock& block) {
        HANDLE record = OpenClipboard(nullptr) ? GetClipboardData(CF_METAFILEPICT) : nullptr;
        block.result = record ? (uint32_t)GlobalSize(record) : kProbeNoItem;
        CloseClipboard();
    },
    [](ProbeBlock& block) {
        auto count = reinterpret_cast<long (*)()>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA(nullptr), "ZrtLiveGdiObjects")));
        block.result = count ? (uint32_t)count() : kProbeNoItem;
    },
};
} // namespace

extern "C" {
__declspec(dllexport) LRESULT CALLBACK
    ProbeGetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && g_shared && msg->hwnd == nullptr && msg->message == g_syncMessage) {
        g_shared->syncSeen = static_cast<int64_t>(msg->wParam);
        if (removal == PM_REMOVE) msg->message = WM_NULL; // nobody else should see it
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

__declspec(dllexport) LRESULT CALLBACK ProbeCallWndHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code >= 0 && g_shared && call->message == g_callMessage && call->wParam >= 1 &&
        call->wParam <= std::size(kAnswers))
        kAnswers[call->wParam - 1](g_shared->block);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        g_syncMessage = RegisterWindowMessageA(kProbeSyncMessage);
        g_callMessage = RegisterWindowMessageA(kProbeCallMessage);
        char name[64];
        std::snprintf(name, sizeof name, kProbeSharedName, GetCurrentProcessId());
        // The driver loads this library too (to find the hook procedures); only the copy in the
        // program finds its block.
        if (HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name)) {
            g_shared = static_cast<ProbeShared*>(
                MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeShared)));
            CloseHandle(mapping); // the view keeps the block alive
        }
    }
    return TRUE;
}
