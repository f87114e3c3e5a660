// The program under test: start, wait, commands, dialogs, menus, shutdown.
#include "driver.h"
#include "driver_internal.h"
#include "probe/probe_protocol.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace e2e {
namespace {

constexpr const char* kMainWindowClass = "ClaseCNFZRT94";
constexpr const char* kDialogClass = "#32770";
constexpr int kMessageBoxTextId = 0xFFFF; // the static text of a message box
constexpr int kFileNameCombo = 0x47C;     // cmb13: file-name field of Explorer-style dialogs
constexpr int kFileNameEdit = 0x480;      // edt1: file-name field of the older dialogs

std::string g_programPath, g_artefactDir;

std::string ExeFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

std::string EnvironmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// The probe library loaded into this process too, to find its functions' offsets.
HMODULE LocalProbe() {
    static HMODULE probe = LoadLibraryA(JoinPath(ExeFolder(), "e2e_probe.dll").c_str());
    return probe;
}

bool IsDialogOf(HWND window, DWORD thread) {
    return GetWindowThreadProcessId(window, nullptr) == thread &&
           ClassName(window) == kDialogClass && IsWindowVisible(window);
}

bool HasTitleBar(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

struct WindowSearch {
    DWORD thread;
    std::vector<HWND> found;
};

// Top-level windows front to back (EnumWindows' order), dialogs of one thread only.
std::vector<HWND> DialogsOf(DWORD thread) {
    WindowSearch search{thread, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(param);
            if (IsDialogOf(window, s->thread)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MainWindowOf(DWORD processId) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == s->pid && ClassName(window) == kMainWindowClass) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Environment

void SetProgramPath(const std::string& path) {
    g_programPath = path;
}
void SetArtefactDir(const std::string& dir) {
    g_artefactDir = dir;
}

std::string ProgramPath() {
    if (g_programPath.empty())
        g_programPath = EnvironmentOr("ZRT_EXE", JoinPath(ExeFolder(), "..\\..\\cnfzrt94.exe"));
    return g_programPath;
}

std::string ArtefactDir() {
    if (g_artefactDir.empty())
        g_artefactDir =
            EnvironmentOr("ZRT_ARTEFACTS", JoinPath(ExeFolder(), "..\\..\\..\\artefacts"));
    return g_artefactDir;
}

int LinkedComPort() {
    const char* value = std::getenv("ZRT_E2E_COM_PORT");
    return value ? std::atoi(value) : 0;
}

std::string DefaultSettings() {
    int port = LinkedComPort();
    if (port <= 0) return "";
    return "[General]\r\nCommPort=" + std::to_string(port) + "\r\n";
}

const char* IconName(Icon icon) {
    switch (icon) {
    case Icon::None: return "none";
    case Icon::Stop: return "stop";
    case Icon::Question: return "question";
    case Icon::Exclamation: return "exclamation";
    case Icon::Information: return "information";
    case Icon::Other: return "other";
    case Icon::Unknown: break;
    }
    return "unknown";
}

// ---------------------------------------------------------------------------------------------
// Dialog

bool Dialog::IsOpen() const {
    return hwnd_ && IsWindow(hwnd_) && IsWindowVisible(hwnd_);
}

std::string Dialog::Caption() const {
    char text[512] = "";
    if (hwnd_) GetWindowTextA(hwnd_, text, sizeof text);
    return text;
}

std::string Dialog::Text() const {
    return ControlText(GetDlgItem(hwnd_, kMessageBoxTextId));
}

HWND Dialog::Item(int id) const {
    return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr;
}

std::string Dialog::ItemText(int id) const {
    return ControlText(Item(id));
}

bool Dialog::SetItemText(int id, const std::string& text) const {
    HWND item = Item(id);
    return item && SendWithTimeout(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Icon Dialog::IconKind() const {
    if (!hwnd_ || !app_) return Icon::Unknown;
    HWND icon = nullptr;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child && !icon;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!lstrcmpiA(ClassName(child).c_str(), "Static") && IsWindowVisible(child) &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = child;
    }
    if (!icon) return Icon::None;
    switch (app_->ProbeCall(ProbeIconKind, icon, 0)) {
    case ProbeIconNone: return Icon::None;
    case ProbeIconStop: return Icon::Stop;
    case ProbeIconQuestion: return Icon::Question;
    case ProbeIconExclamation: return Icon::Exclamation;
    case ProbeIconInformation: return Icon::Information;
    case ProbeIconOther: return Icon::Other;
    default: return Icon::Unknown;
    }
}

std::vector<int> Dialog::Buttons() const {
    std::vector<int> ids;
    for (HWND child = hwnd_ ? GetWindow(hwnd_, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        if (!lstrcmpiA(ClassName(child).c_str(), "Button") && IsWindowVisible(child) &&
            (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
            ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
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

HWND Dialog::FileNameEdit() const {
    HWND field = Item(kFileNameCombo);
    if (!field) return Item(kFileNameEdit);
    std::string cls = ClassName(field);
    if (!lstrcmpiA(cls.c_str(), WC_COMBOBOXEXA))
        return reinterpret_cast<HWND>(SendWithTimeout(field, CBEM_GETEDITCONTROL, 0, 0));
    if (!lstrcmpiA(cls.c_str(), "ComboBox")) return FindWindowExA(field, nullptr, "Edit", nullptr);
    return field;
}

std::string Dialog::FileName() const {
    return ControlText(FileNameEdit());
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

std::string Dialog::Describe() const {
    if (!hwnd_) return "(no dialog)";
    // Appended piece by piece: GCC 12 takes "literal" + string for an overlapping copy (C++20).
    std::string text = "[";
    text.append(Caption()).append("] \"").append(Text()).append("\" buttons:");
    for (int id : Buttons())
        text.append(" ").append(std::to_string(id)).append("=").append(ItemText(id));
    return text;
}

// ---------------------------------------------------------------------------------------------
// App

App::~App() {
    if (IsRunning()) Kill();
    ResetHandles();
}

void App::ResetHandles() {
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    processId_ = 0;
    main_ = nullptr;
    thread_ = 0;
    if (getMessageHook_) UnhookWindowsHookEx(getMessageHook_);
    if (callWndHook_) UnhookWindowsHookEx(callWndHook_);
    getMessageHook_ = callWndHook_ = nullptr;
    if (probeShared_) UnmapViewOfFile(probeShared_);
    if (probeMapping_) CloseHandle(probeMapping_);
    probeShared_ = nullptr;
    probeMapping_ = nullptr;
}

bool App::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool App::Launch(const std::string& commandLine) {
    LaunchOptions options;
    options.commandLine = commandLine;
    return Launch(options);
}

bool App::Launch(const LaunchOptions& options) {
    if (IsRunning()) Kill();
    ResetHandles();
    if (!options.keepSettings) {
        std::string settings = options.settings ? *options.settings : DefaultSettings();
        if (!WriteFileBytes(SettingsPath(), Bytes(settings.begin(), settings.end()))) {
            ADD_FAILURE() << "cannot write " << SettingsPath();
            return false;
        }
    }
    std::string program = ProgramPath();
    std::string folder = options.workDir.empty() ? TestFolder() : options.workDir;
    std::string commandLine = "\"" + program + "\"";
    if (!options.commandLine.empty()) commandLine += " " + options.commandLine;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << program << " (error " << GetLastError() << ")";
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;

    if (!WaitUntil([this] { return (main_ = MainWindowOf(processId_)) || !IsRunning(); },
                   options.timeoutMs) ||
        !main_) {
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        ADD_FAILURE() << "no main window of class " << kMainWindowClass
                      << (IsRunning() ? " in time" : ", program ended with code ")
                      << (IsRunning() ? std::string() : std::to_string(code));
        return false;
    }
    thread_ = GetWindowThreadProcessId(main_, nullptr);
    if (!InjectProbe()) {
        ADD_FAILURE() << "cannot load the test probe into the program";
        return false;
    }
    // The splash box (a dialog without a title bar) goes at the first timer tick of a message
    // loop; only then has start-up finished.
    bool started = WaitIdle(options.timeoutMs) &&
                   WaitUntil(
                       [this] {
                           for (HWND d : DialogsOf(thread_))
                               if (!HasTitleBar(d)) return false;
                           return true;
                       },
                       options.timeoutMs) &&
                   WaitIdle(options.timeoutMs);
    if (!started) {
        ADD_FAILURE() << "program did not finish starting";
        return false;
    }
    Dialog dialog = FindDialog();
    if (dialog && !options.expectDialog) {
        ADD_FAILURE() << "unexpected dialog at start-up: " << dialog.Describe();
        return false;
    }
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
    // queue: the first WaitIdle below makes that happen.
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
    if (!IsRunning() || !PostMessageA(main_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0)) return false;
    return WaitIdle();
}

bool App::Close() {
    if (!IsRunning() || !PostMessageA(main_, WM_CLOSE, 0, 0)) return false;
    WaitIdle(); // false once the program has ended, which is fine here
    return true;
}

bool App::CloseAndWait(DWORD timeoutMs) {
    return Close() && WaitForExit(timeoutMs);
}

bool App::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!process_) return false;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_, exitCode);
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

bool App::WaitForTitle(const std::string& title, DWORD timeoutMs) {
    return WaitUntil([&] { return Title() == title; }, timeoutMs);
}

bool App::IsMenuItemGrayed(int commandId) {
    uint32_t state = ProbeCall(ProbeMenuItem, main_, commandId);
    if (state == kProbeNoItem) {
        ADD_FAILURE() << "no menu item with command " << commandId;
        return false;
    }
    return (state & MF_GRAYED) != 0;
}

std::string App::MenuItemText(int commandId) {
    std::string text;
    ProbeCall(ProbeMenuItem, main_, commandId, &text);
    return text;
}

HWND App::FindChild(const std::string& className, int id) const {
    struct Search {
        const std::string& cls;
        int id;
        HWND found;
    } search{className, id, nullptr};
    if (!main_) return nullptr;
    EnumChildWindows(
        main_,
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (!lstrcmpiA(ClassName(window).c_str(), s->cls.c_str()) &&
                (s->id < 0 || GetDlgCtrlID(window) == s->id)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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

bool App::Screenshot(const std::string& name) {
    return SaveScreenshot(main_, name);
}

} // namespace e2e
