// Loaded by the end-to-end test driver into the program under test. It answers what another
// process cannot learn under Wine (menus and icon handles are private to their process) and
// marks, through a message hook on the program's thread, how far that thread has read its queue.
#include "probe_protocol.h"

#include <windows.h>

#include <cstring>

// The last sync counter the program's thread took from its queue.
extern "C" {
__declspec(dllexport) volatile LONG64 ProbeSyncSeen = 0;
}

namespace {
HINSTANCE g_instance;
HHOOK g_hook;
UINT g_syncMessage;

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && msg->hwnd == nullptr && msg->message == g_syncMessage) {
        InterlockedExchange64(&ProbeSyncSeen, static_cast<LONG64>(msg->wParam));
        if (removal == PM_REMOVE) msg->message = WM_NULL; // nobody else should see it
    }
    return CallNextHookEx(g_hook, code, removal, lParam);
}

HWND Window(const ProbeBlock* block) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(block->window));
}
} // namespace

extern "C" {
// Hooks the thread that owns block->window. The result is 1 on success.
__declspec(dllexport) DWORD WINAPI ProbeInstall(void* param) {
    ProbeBlock* block = static_cast<ProbeBlock*>(param);
    if (!g_hook) {
        g_syncMessage = RegisterWindowMessageA(kProbeSyncMessage);
        DWORD thread = GetWindowThreadProcessId(Window(block), nullptr);
        g_hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, g_instance, thread);
    }
    block->result = g_hook != nullptr;
    return block->result;
}

// The state flags (MF_GRAYED, MF_CHECKED, ...) and text of the menu item with command block->id
// in the menu of block->window; kProbeNoItem when there is no such item.
__declspec(dllexport) DWORD WINAPI ProbeMenuItem(void* param) {
    ProbeBlock* block = static_cast<ProbeBlock*>(param);
    HMENU menu = GetMenu(Window(block));
    block->text[0] = '\0';
    block->result = menu ? GetMenuState(menu, block->id, MF_BYCOMMAND) : kProbeNoItem;
    if (block->result == 0xFFFFFFFFu) block->result = kProbeNoItem;
    if (block->result != kProbeNoItem)
        GetMenuStringA(menu, block->id, block->text, sizeof block->text, MF_BYCOMMAND);
    return block->result;
}

// Which of the system's standard icons the icon control block->window shows.
__declspec(dllexport) DWORD WINAPI ProbeIconKind(void* param) {
    ProbeBlock* block = static_cast<ProbeBlock*>(param);
    DWORD_PTR shown = 0;
    SendMessageTimeoutA(Window(block), STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &shown);
    const struct {
        LPCSTR id;
        ProbeIcon kind;
    } icons[] = {{IDI_HAND, ProbeIconStop},
                 {IDI_QUESTION, ProbeIconQuestion},
                 {IDI_EXCLAMATION, ProbeIconExclamation},
                 {IDI_ASTERISK, ProbeIconInformation}};
    block->result = shown ? ProbeIconOther : ProbeIconNone;
    for (const auto& icon : icons)
        if (shown && reinterpret_cast<HICON>(shown) == LoadIconA(nullptr, icon.id))
            block->result = icon.kind;
    return block->result;
}
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
