// The program under test: start, wait, commands, dialogs, menus, controls, shutdown.
#include "driver.h"
#include "probe/probe_protocol.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace e2e {
namespace {

constexpr const char* kMainWindowClass = "ClaseCNFZRT94";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kFileNameCombo = 0x47C; // cmb13

// The probe library loaded into this process too, to find its hook procedures.
HMODULE LocalProbe() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::strcpy(std::strrchr(path, '\\') + 1, "e2e_probe.dll");
    static HMODULE probe = LoadLibraryA(path);
    return probe;
}

bool HasTitleBar(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

std::vector<HWND> DialogsOf(DWORD thread) {
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(thread, "#32770"))
        if (IsWindowVisible(window)) dialogs.push_back(window);
    return dialogs;
}

} // namespace

int LinkedComPort() {
    return std::atoi(Environment("ZRT_E2E_COM_PORT").c_str());
}

std::string DefaultSettings() {
    int port = LinkedComPort();
    return port > 0 ? "[General]\r\nCommPort=" + std::to_string(port) + "\r\n" : "";
}

std::vector<HWND> TopLevelWindows(DWORD thread, const char* className) {
    std::vector<HWND> found;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr))
        if (!thread || GetWindowThreadProcessId(w, nullptr) == thread) found.push_back(w);
    return found;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result)
               ? (LRESULT)result
               : 0;
}

std::string ControlText(HWND control) {
    std::vector<char> text(65536, '\0'); // more than any control here holds
    if (control) SendWithTimeout(control, WM_GETTEXT, text.size() - 1, (LPARAM)text.data());
    return text.data();
}

std::string WindowText(HWND window) {
    char text[512] = "";
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

bool Dialog::Press(int id) const {
    if (!IsOpen()) return false;
    PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id));
    bool closed = WaitClosed();
    if (app_) app_->WaitIdle();
    return closed;
}

// The file-name field: under Wine, cmb13, a ComboBoxEx with an edit of its own.
std::string Dialog::FileName() const {
    return ControlText((HWND)SendWithTimeout(Item(kFileNameCombo), CBEM_GETEDITCONTROL, 0, 0));
}

bool Dialog::FillFileName(const std::string& path) const {
    // Only once the dialog runs its loop has it put its own initial name into the field.
    if (app_) app_->WaitIdle();
    HWND edit = (HWND)SendWithTimeout(Item(kFileNameCombo), CBEM_GETEDITCONTROL, 0, 0);
    if (!edit || !IsOpen()) return false;
    SendWithTimeout(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)Item(IDOK));
    // Either the dialog closes, or it stays with a message of its own in front of it.
    HWND self = hwnd_;
    DWORD thread = GetWindowThreadProcessId(hwnd_, nullptr);
    WaitUntil([&] {
        for (HWND other : DialogsOf(thread))
            if (GetWindow(other, GW_OWNER) == self) return true;
        return !IsOpen();
    });
    if (app_) app_->WaitIdle();
    return !IsOpen();
}

App::~App() {
    Reset();
}

// Kills the program if it still runs, and lets go of everything held for it.
void App::Reset() {
    if (IsRunning()) TerminateProcess(process_, 1), WaitForSingleObject(process_, 5000);
    if (process_) CloseHandle(process_);
    for (HHOOK hook : hooks_)
        if (hook) UnhookWindowsHookEx(hook);
    if (probeShared_) UnmapViewOfFile(probeShared_);
    if (probeMapping_) CloseHandle(probeMapping_);
    process_ = probeMapping_ = nullptr;
    processId_ = thread_ = 0;
    main_ = nullptr;
    hooks_[0] = hooks_[1] = nullptr;
    probeShared_ = nullptr;
}

bool App::Launch(const LaunchOptions& options) {
    auto fail = [](const std::string& why) {
        ADD_FAILURE() << why;
        return false;
    };
    Reset();
    std::string settings = options.settings ? *options.settings : DefaultSettings();
    if (!options.keepSettings && !WriteBytes(SettingsPath(), settings))
        return fail("cannot write " + SettingsPath());
    std::string commandLine = "\"" + programPath + "\" " + options.commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(programPath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        TestFolder().c_str(), &startup, &info))
        return fail("cannot start " + programPath);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    auto findMain = [this] {
        for (HWND window : TopLevelWindows(0, kMainWindowClass)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == processId_) main_ = window;
        }
        return main_ || !IsRunning();
    };
    if (!WaitUntil(findMain, kStartTimeoutMs) || !main_) return fail("no main window");
    thread_ = GetWindowThreadProcessId(main_, nullptr);
    if (!InjectProbe()) return fail("cannot load the test probe into the program");
    // The splash box (a dialog without a title bar) goes at the first timer tick of a message
    // loop; only then has start-up finished.
    auto splashGone = [this] {
        for (HWND d : DialogsOf(thread_))
            if (!HasTitleBar(d)) return false;
        return true;
    };
    if (!WaitIdle(kStartTimeoutMs) || !WaitUntil(splashGone, kStartTimeoutMs) ||
        !WaitIdle(kStartTimeoutMs))
        return fail("the program did not finish starting");
    Dialog dialog = FindDialog();
    if (dialog && !options.expectDialog) return fail("a dialog at start-up: " + dialog.Describe());
    return true;
}

bool App::InjectProbe() {
    HMODULE probe = LocalProbe();
    char name[64];
    std::snprintf(name, sizeof name, kProbeSharedName, processId_);
    probeMapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(ProbeShared), name);
    if (!probe || !probeMapping_) return false;
    probeShared_ = static_cast<ProbeShared*>(
        MapViewOfFile(probeMapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeShared)));
    syncMessage_ = RegisterWindowMessageA(kProbeSyncMessage);
    callMessage_ = RegisterWindowMessageA(kProbeCallMessage);
    // The program loads the probe for these hooks on its own thread, the next time it reads its
    // queue: the WaitIdle below makes that happen.
    const std::pair<int, const char*> hooks[] = {{WH_GETMESSAGE, "ProbeGetMessageHook"},
                                                 {WH_CALLWNDPROC, "ProbeCallWndHook"}};
    for (int i = 0; i < 2; ++i) {
        auto proc = (HOOKPROC)(void*)GetProcAddress(probe, hooks[i].second);
        hooks_[i] = proc ? SetWindowsHookExA(hooks[i].first, proc, probe, thread_) : nullptr;
    }
    return probeShared_ && hooks_[0] && hooks_[1] && WaitIdle();
}

uint32_t App::ProbeCall(uint32_t function, HWND window, uint32_t id, uint32_t param,
                        std::string* text) {
    if (!probeShared_ || !IsRunning()) return kProbeNoItem;
    ProbeBlock& block = probeShared_->block;
    block = ProbeBlock{(UINT_PTR)window, id, param, kProbeNoItem, {}};
    SendWithTimeout(main_, callMessage_, function, 0); // the answer is in the block
    block.text[sizeof block.text - 1] = '\0';
    if (text) *text = block.text;
    return block.result;
}

bool App::WaitIdle(DWORD timeoutMs) {
    if (!probeShared_) return false;
    // Two rounds: the first marker comes after everything posted so far, the second after what
    // handling those posted in turn (such as the document's refresh message).
    for (int round = 0; round < 2; ++round) {
        uint64_t token = ++syncCounter_;
        if (!IsRunning() || !PostThreadMessageA(thread_, syncMessage_, (WPARAM)token, 0))
            return false;
        bool seen = WaitUntil(
            [&] { return (uint64_t)probeShared_->syncSeen == token || !IsRunning(); }, timeoutMs);
        if (!seen || !IsRunning()) return false;
    }
    return true;
}

bool App::Close() {
    if (!IsRunning() || !PostMessageA(main_, WM_CLOSE, 0, 0)) return false;
    WaitIdle(); // false once the program has ended, which is fine here
    return true;
}

bool App::IsMenuItemGrayed(int commandId) {
    uint32_t state = ProbeCall(ProbeMenuItem, main_, commandId);
    if (state == kProbeNoItem) ADD_FAILURE() << "no menu item with command " << commandId;
    return state != kProbeNoItem && (state & MF_GRAYED) != 0;
}

std::string App::StatusText(int part) {
    std::string text;
    ProbeCall(ProbeTextMessage, FindChild(STATUSCLASSNAMEA), SB_GETTEXTA, part, &text);
    return text;
}

std::vector<std::string> App::ListItems(HWND list) {
    char name[16] = "";
    GetClassNameA(list, name, sizeof name);
    bool combo = !lstrcmpiA(name, "ComboBox");
    std::vector<std::string> items(SendWithTimeout(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < items.size(); ++i)
        ProbeCall(ProbeTextMessage, list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, &items[i]);
    return items;
}

Dialog App::FindDialog() {
    for (HWND window : DialogsOf(thread_))
        if (IsWindowEnabled(window) && HasTitleBar(window)) return Dialog(window, this);
    return Dialog();
}

std::vector<Dialog> App::Dialogs() {
    std::vector<Dialog> dialogs;
    for (HWND window : DialogsOf(thread_))
        dialogs.emplace_back(window, this);
    return dialogs;
}

Dialog App::ExpectDialog(const char* what) {
    WaitIdle();
    Dialog found;
    if (!WaitUntil([&] { return static_cast<bool>(found = FindDialog()); }))
        ADD_FAILURE() << "no dialog came: expected " << what;
    return found;
}

} // namespace e2e
