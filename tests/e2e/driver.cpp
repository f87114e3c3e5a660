// The program under test: start, wait, commands, dialogs, menus, shutdown.
#include "driver.h"
#include "driver_internal.h"
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

std::string g_programPath, g_artefactDir;

std::string ExeFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    *std::strrchr(path, '\\') = '\0';
    return path;
}

// The probe library loaded into this process too, to find its hook procedures.
HMODULE LocalProbe() {
    static HMODULE probe = LoadLibraryA(JoinPath(ExeFolder(), "e2e_probe.dll").c_str());
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

void SetProgramPath(const std::string& path) {
    g_programPath = path;
}
void SetArtefactDir(const std::string& dir) {
    g_artefactDir = dir;
}

// By default where the build puts them, seen from build/win/tests/e2e.
std::string ProgramPath() {
    return g_programPath.empty() ? JoinPath(ExeFolder(), "..\\..\\cnfzrt94.exe") : g_programPath;
}

std::string ArtefactDir() {
    return g_artefactDir.empty() ? JoinPath(ExeFolder(), "..\\..\\..\\artefacts") : g_artefactDir;
}

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

std::string Dialog::Caption() const {
    char text[512] = "";
    if (hwnd_) GetWindowTextA(hwnd_, text, sizeof text);
    return text;
}

bool Dialog::SetItemText(int id, const std::string& text) const {
    HWND item = Item(id);
    return item && SendWithTimeout(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool Dialog::WaitClosed(DWORD timeoutMs) const {
    return WaitUntil([this] { return !IsOpen(); }, timeoutMs);
}

bool Dialog::Press(int id, DWORD timeoutMs) const {
    if (!IsOpen()) return false;
    PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    bool closed = WaitClosed(timeoutMs);
    if (app_) app_->WaitIdle();
    return closed;
}

// The file-name field: under Wine, cmb13, a ComboBoxEx with an edit of its own.
HWND Dialog::FileNameEdit() const {
    return (HWND)SendWithTimeout(Item(kFileNameCombo), CBEM_GETEDITCONTROL, 0, 0);
}

bool Dialog::FillFileName(const std::string& path, DWORD timeoutMs) const {
    // Only once the dialog runs its loop has it put its own initial name into the field.
    if (app_) app_->WaitIdle();
    HWND edit = FileNameEdit();
    if (!edit || !IsOpen()) return false;
    SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDOK)));
    // Either the dialog closes, or it stays with a message of its own in front of it.
    HWND self = hwnd_;
    DWORD thread = GetWindowThreadProcessId(hwnd_, nullptr);
    WaitUntil(
        [&] {
            if (!IsOpen()) return true;
            for (HWND other : DialogsOf(thread))
                if (GetWindow(other, GW_OWNER) == self) return true;
            return false;
        },
        timeoutMs);
    if (app_) app_->WaitIdle();
    return !IsOpen();
}

App::~App() {
    if (IsRunning()) Kill();
    ResetHandles();
}

void App::ResetHandles() {
    if (process_) CloseHandle(process_);
    if (getMessageHook_) UnhookWindowsHookEx(getMessageHook_);
    if (callWndHook_) UnhookWindowsHookEx(callWndHook_);
    if (probeShared_) UnmapViewOfFile(probeShared_);
    if (probeMapping_) CloseHandle(probeMapping_);
    process_ = probeMapping_ = nullptr;
    processId_ = thread_ = 0;
    main_ = nullptr;
    getMessageHook_ = callWndHook_ = nullptr;
    probeShared_ = nullptr;
}

bool App::Launch(const std::string& commandLine) {
    LaunchOptions options;
    options.commandLine = commandLine;
    return Launch(options);
}

bool App::Launch(const LaunchOptions& options) {
    auto fail = [](const std::string& why) {
        ADD_FAILURE() << why;
        return false;
    };
    if (IsRunning()) Kill();
    ResetHandles();
    std::string settings = options.settings ? *options.settings : DefaultSettings();
    if (!options.keepSettings &&
        !WriteFileBytes(SettingsPath(), Bytes(settings.begin(), settings.end())))
        return fail("cannot write " + SettingsPath());
    std::string program = ProgramPath(), commandLine = "\"" + program + "\" " + options.commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        TestFolder().c_str(), &startup, &info))
        return fail("cannot start " + program);
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
    if (!probe) return false;
    char name[64];
    std::snprintf(name, sizeof name, kProbeSharedName, processId_);
    probeMapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(ProbeShared), name);
    if (!probeMapping_) return false;
    probeShared_ = static_cast<ProbeShared*>(
        MapViewOfFile(probeMapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeShared)));
    if (!probeShared_) return false;
    syncMessage_ = RegisterWindowMessageA(kProbeSyncMessage);
    callMessage_ = RegisterWindowMessageA(kProbeCallMessage);
    // The program loads the probe for these hooks on its own thread, the next time it reads its
    // queue: the WaitIdle below makes that happen.
    auto hook = [&](int kind, const char* procedure) {
        auto proc =
            reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe, procedure)));
        return proc ? SetWindowsHookExA(kind, proc, probe, thread_) : nullptr;
    };
    getMessageHook_ = hook(WH_GETMESSAGE, "ProbeGetMessageHook");
    callWndHook_ = hook(WH_CALLWNDPROC, "ProbeCallWndHook");
    return getMessageHook_ && callWndHook_ && WaitIdle();
}

uint32_t App::ProbeCall(uint32_t function, HWND window, uint32_t id, std::string* text) {
    if (!probeShared_ || !IsRunning()) return kProbeNoItem;
    ProbeBlock& block = probeShared_->block;
    block = ProbeBlock{};
    block.window = reinterpret_cast<UINT_PTR>(window);
    block.id = id;
    block.result = kProbeNoItem;
    SendWithTimeout(main_, callMessage_, function, 0, 10000); // the answer is in the block
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

bool App::Command(int commandId) {
    return IsRunning() && PostMessageA(main_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) &&
           WaitIdle();
}

bool App::Close() {
    if (!IsRunning() || !PostMessageA(main_, WM_CLOSE, 0, 0)) return false;
    WaitIdle(); // false once the program has ended, which is fine here
    return true;
}

void App::Kill() {
    if (!process_) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

std::string App::Title() const {
    char text[512] = "";
    if (main_) GetWindowTextA(main_, text, sizeof text);
    return text;
}

bool App::IsMenuItemGrayed(int commandId) {
    uint32_t state = ProbeCall(ProbeMenuItem, main_, commandId);
    if (state == kProbeNoItem) ADD_FAILURE() << "no menu item with command " << commandId;
    return state != kProbeNoItem && (state & MF_GRAYED) != 0;
}

HWND App::FindChild(const std::string& className, int id) const {
    const char* cls = className.c_str();
    for (HWND w = main_ ? FindWindowExA(main_, nullptr, cls, nullptr) : nullptr; w;
         w = FindWindowExA(main_, w, cls, nullptr))
        if (id < 0 || GetDlgCtrlID(w) == id) return w;
    return nullptr;
}

std::string App::StatusText(int part) {
    return StatusBarText(FindChild(STATUSCLASSNAMEA), part);
}

Dialog App::FindDialog() const {
    for (HWND window : DialogsOf(thread_))
        if (IsWindowEnabled(window) && HasTitleBar(window))
            return Dialog(window, const_cast<App*>(this));
    return Dialog();
}

std::vector<Dialog> App::Dialogs() const {
    std::vector<Dialog> dialogs;
    for (HWND window : DialogsOf(thread_))
        dialogs.emplace_back(window, const_cast<App*>(this));
    return dialogs;
}

Dialog App::WaitForDialog(DWORD timeoutMs) {
    WaitIdle(timeoutMs);
    Dialog found;
    WaitUntil([&] { return static_cast<bool>(found = FindDialog()); }, timeoutMs);
    return found;
}

Dialog App::ExpectDialog(const char* what, DWORD timeoutMs) {
    Dialog dialog = WaitForDialog(timeoutMs);
    if (!dialog) ADD_FAILURE() << "no dialog came: expected " << what;
    return dialog;
}

} // namespace e2e
