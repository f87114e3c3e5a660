#pragma once
// End-to-end test driver: runs the real cnfzrt94.exe (under Wine, on the same desktop as this
// console program), reads what a technician would see (texts in Windows-1252) and does what a
// technician would do. Wine keeps menus and some controls' texts private to their process, so a
// probe library (probe/probe_protocol.h) answers from inside the program; it also tells how far
// the program has read its queue (App::WaitIdle). Every wait has a time-out and then gives false
// or an empty result, so that a test fails instead of hanging.
#include "files.h"
#include "probe/probe_protocol.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>

namespace e2e {

constexpr const char* kMainWindowClass = "ClaseCNFZRT94";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr int kFileNameCombo = 0x47C; // cmb13: under Wine a ComboBoxEx with an edit of its own

// The settings that put the program on the simulator's port (ZRT_E2E_COM_PORT), if any.
inline std::string DefaultSettings() {
    std::string port = Environment("ZRT_E2E_COM_PORT");
    return port.empty() ? "" : "[General]\r\nCommPort=" + port + "\r\n";
}

// A hung program fails the test instead of hanging it.
inline LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0; // stays 0 on time-out
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return (LRESULT)result;
}

// WM_GETTEXT, which crosses processes.
inline std::string ControlText(HWND control) {
    std::vector<char> text(65536, '\0'); // more than any control here holds
    if (control) SendWithTimeout(control, WM_GETTEXT, text.size() - 1, (LPARAM)text.data());
    return text.data();
}

// A caption, read without asking the program (which may be busy).
inline std::string WindowText(HWND window) {
    char text[512] = "";
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

// A message box or dialog (class #32770) of the program.
struct Dialog {
    HWND hwnd = nullptr;
    class App* app = nullptr;

    explicit operator bool() const { return hwnd != nullptr; }
    bool IsOpen() const { return hwnd && IsWindow(hwnd) && IsWindowVisible(hwnd); }

    std::string Caption() const { return WindowText(hwnd); }
    std::string Text() const { return ItemText(0xFFFF); } // a message box's text
    HWND Item(int id) const { return hwnd ? GetDlgItem(hwnd, id) : nullptr; }
    std::string ItemText(int id) const { return ControlText(Item(id)); }
    bool SetItemText(int id, const std::string& text) const {
        return Item(id) && SendWithTimeout(Item(id), WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    // Presses a button as its key would, and waits until the program has taken it; true once
    // the dialog is gone.
    bool Press(int id) const;
    // A button clicked as the mouse would (so a check box or radio button changes too).
    void Click(int id) const;
    // Types `path` into a file dialog and presses Open/Save; false when it stayed open (e.g.
    // behind a message of its own).
    bool FillFileName(const std::string& path) const;
    std::string FileName() const {
        return ControlText((HWND)SendWithTimeout(Item(kFileNameCombo), CBEM_GETEDITCONTROL, 0, 0));
    }
    // Caption and text, for failure messages.
    std::string Describe() const { return Describe(Caption(), Text()); }
    static std::string Describe(const std::string& caption, const std::string& text) {
        return std::string("[").append(caption).append("] \"").append(text).append("\"");
    }
};

struct LaunchOptions {
    std::string commandLine = {}; // after the program's name, passed unchanged (quote it yourself)
    // The settings file written first; nullopt: the file is left as it is.
    std::optional<std::string> settings = DefaultSettings();
    bool expectDialog = false; // else Launch() fails when a dialog is up once it has started
};

// One running copy of the program; killed on destruction if it is still running.
class App {
  public:
    App() = default;
    ~App() { Reset(); }
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts the program and waits until its splash box has gone and it is idle; a failure
    // when it does not get there, or when a dialog is up and !options.expectDialog.
    bool Launch(const LaunchOptions& options = {}) {
        Reset();
        if (options.settings && !WriteBytes(SettingsPath(), *options.settings))
            return Fail("cannot write " + SettingsPath());
        if (!Start("\"" + programPath + "\" " + options.commandLine, TestFolder().c_str(),
                   &process_))
            return Fail("cannot start " + programPath);
        processId_ = GetProcessId(process_);
        if (!(main_ = WaitForWindow(kMainWindowClass, kStartTimeoutMs)))
            return Fail("no main window");
        thread_ = GetWindowThreadProcessId(main_, nullptr);
        // Once, in CI, the probe failed to load at once into a program that had just shown its
        // window, for a reason we could not reproduce: say why, and try again while it runs.
        std::string why = InjectProbe();
        for (int retry = 0; !why.empty() && retry < 3 && IsRunning(); ++retry) {
            std::printf("probe not loaded (%s), trying again\n", why.c_str());
            ReleaseProbe(), Sleep(500), why = InjectProbe();
        }
        if (!why.empty()) return Fail("cannot load the test probe into the program: " + why);
        // The splash box (a dialog without a title bar) goes at the first timer tick of a
        // message loop; only then has start-up finished.
        auto splashGone = [this] {
            std::vector<HWND> dialogs = Windows();
            return std::all_of(dialogs.begin(), dialogs.end(), HasTitleBar);
        };
        if (!WaitIdle(kStartTimeoutMs) || !WaitUntil(splashGone, kStartTimeoutMs) ||
            !WaitIdle(kStartTimeoutMs))
            return Fail("the program did not finish starting");
        if (FindDialog() && !options.expectDialog)
            return Fail("a dialog at start-up: " + FindDialog().Describe());
        return true;
    }

    bool IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    HWND MainWindow() const { return main_; }
    HANDLE Process() const { return process_; }
    DWORD ThreadId() const { return thread_; }

    // Waits until the program has handled everything posted to it so far, and what that
    // posted in turn, or has entered a modal dialog. False on time-out or after exit.
    bool WaitIdle(DWORD timeoutMs = kDefaultTimeoutMs) {
        // Two rounds: the first marker comes after everything posted so far, the second after
        // what handling those posted in turn (such as the document's refresh message).
        for (uint64_t token : {++syncCounter_, ++syncCounter_}) {
            auto seen = [&] { return (uint64_t)probeShared_->syncSeen == token || !IsRunning(); };
            if (!probeShared_ || !PostThreadMessageA(thread_, syncMessage_, (WPARAM)token, 0) ||
                !WaitUntil(seen, timeoutMs) || !IsRunning())
                return false;
        }
        return true;
    }
    // Posts a message to the main window, as Windows does for a key or the menu, and waits for
    // idle (a dialog it opens stays up).
    bool Post(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return IsRunning() && PostMessageA(main_, message, wParam, lParam) && WaitIdle();
    }
    bool Command(int commandId) { return Post(WM_COMMAND, commandId); }
    // WM_CLOSE, as the close box, then waits for idle (which fails once the program has ended).
    bool Close() { return PostMessageA(main_, WM_CLOSE, 0, 0) && (WaitIdle(), true); }
    bool WaitForExit() { return process_ && WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0; }
    bool CloseAndWait() { return Close() && WaitForExit(); }

    std::string Title() const { return WindowText(main_); }
    bool WaitForTitle(const std::string& title) {
        return WaitUntil([&] { return Title() == title; });
    }
    // Read inside the program.
    bool IsMenuItemGrayed(int commandId) {
        uint32_t state = ProbeCall(ProbeMenuItem, main_, commandId);
        if (state == kProbeNoItem) ADD_FAILURE() << "no menu item with command " << commandId;
        return state != kProbeNoItem && (state & MF_GRAYED) != 0;
    }
    // The text of the menu item with this command; empty when there is none.
    std::string MenuItemText(int commandId) {
        std::string text;
        ProbeCall(ProbeMenuItem, main_, commandId, 0, &text);
        return text;
    }
    // Part `part` (0-based) of the main window's status bar.
    std::string StatusText(int part) {
        std::string text;
        ProbeCall(ProbeTextMessage, FindChild(STATUSCLASSNAMEA), SB_GETTEXTA, part, &text);
        return text;
    }
    // A list box's items.
    std::vector<std::string> ListItems(HWND list) {
        std::vector<std::string> items(SendWithTimeout(list, LB_GETCOUNT, 0, 0));
        for (size_t i = 0; i < items.size(); ++i)
            ProbeCall(ProbeTextMessage, list, LB_GETTEXT, i, &items[i]);
        return items;
    }
    // A child window of the main window by class name.
    HWND FindChild(const char* className) const {
        return FindWindowExA(main_, nullptr, className, nullptr);
    }

    // The program's visible top-level windows of a class, front to back.
    std::vector<HWND> Windows(const char* className = "#32770") const {
        std::vector<HWND> found;
        for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
             w = FindWindowExA(nullptr, w, className, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == processId_ && IsWindowVisible(w)) found.push_back(w);
        }
        return found;
    }
    // The first of them, once there is one.
    HWND WaitForWindow(const char* className, DWORD timeoutMs = kDefaultTimeoutMs) const {
        std::vector<HWND> found;
        WaitUntil([&] { return !(found = Windows(className)).empty(); }, timeoutMs);
        return found.empty() ? nullptr : found[0];
    }
    // The dialog or message box in front: the first enabled #32770 with a title bar (so not the
    // splash box) whose caption begins with none of `besides`. Empty when none.
    Dialog FindDialog(std::initializer_list<std::string> besides = {}) {
        for (HWND w : Windows())
            if (IsWindowEnabled(w) && HasTitleBar(w) &&
                std::none_of(besides.begin(), besides.end(),
                             [&](const std::string& b) { return WindowText(w).rfind(b, 0) == 0; }))
                return Dialog{w, this};
        return Dialog();
    }
    // Idle, then FindDialog(besides) once there is one; a test failure naming `what` when none
    // comes.
    Dialog ExpectDialog(const std::string& what, std::initializer_list<std::string> besides = {}) {
        WaitIdle();
        Dialog found;
        if (!WaitUntil([&] { return static_cast<bool>(found = FindDialog(besides)); }, 15000))
            ADD_FAILURE() << "no dialog came: expected " << what;
        return found;
    }

    // Calls a function of the probe (probe_protocol.h); kProbeNoItem when that failed.
    uint32_t ProbeCall(uint32_t function, HWND window, uint32_t id, uint32_t param = 0,
                       std::string* text = nullptr) {
        if (!probeShared_ || !IsRunning()) return kProbeNoItem;
        ProbeBlock& block = probeShared_->block;
        block = ProbeBlock{(UINT_PTR)window, id, param, kProbeNoItem, {}};
        SendWithTimeout(main_, callMessage_, function, 0); // the answer is in the block
        block.text[sizeof block.text - 1] = '\0';
        if (text) *text = block.text;
        return block.result;
    }

  private:
    static bool Fail(const std::string& why) {
        ADD_FAILURE() << why;
        return false;
    }
    static bool HasTitleBar(HWND window) {
        return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    }
    // Loads the probe into the program; why not, when it could not.
    std::string InjectProbe() {
        // The probe library loaded into this process too, to find its hook procedures.
        static HMODULE probe = LoadLibraryA(JoinPath(ExeFolder(), "e2e_probe.dll").c_str());
        char name[64];
        std::snprintf(name, sizeof name, kProbeSharedName, processId_);
        probeMapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           sizeof(ProbeShared), name);
        if (probeMapping_)
            probeShared_ = static_cast<ProbeShared*>(
                MapViewOfFile(probeMapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeShared)));
        if (!probe || !probeShared_) return "no probe block, error " + LastError();
        syncMessage_ = RegisterWindowMessageA(kProbeSyncMessage);
        callMessage_ = RegisterWindowMessageA(kProbeCallMessage);
        // The program loads the probe for these hooks on its own thread, the next time it reads
        // its queue: the WaitIdle below makes that happen.
        const std::pair<int, const char*> hooks[] = {{WH_GETMESSAGE, "ProbeGetMessageHook"},
                                                     {WH_CALLWNDPROC, "ProbeCallWndHook"}};
        for (int i = 0; i < 2; ++i) {
            auto proc = (HOOKPROC)(void*)GetProcAddress(probe, hooks[i].second);
            hooks_[i] = proc ? SetWindowsHookExA(hooks[i].first, proc, probe, thread_) : nullptr;
            if (!hooks_[i]) return "no hook, error " + LastError();
        }
        if (WaitIdle(kStartTimeoutMs)) return "";
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_, &code);
        return code == STILL_ACTIVE ? "the program did not read its queue, error " + LastError()
                                    : "the program ended with " + std::to_string(code);
    }
    static std::string LastError() { return std::to_string(GetLastError()); }
    void ReleaseProbe() {
        for (HHOOK& hook : hooks_)
            if (hook) UnhookWindowsHookEx(hook), hook = nullptr;
        if (probeShared_) UnmapViewOfFile(probeShared_), probeShared_ = nullptr;
        if (probeMapping_) CloseHandle(probeMapping_), probeMapping_ = nullptr;
    }
    // Kills the program if it still runs, and lets go of everything held for it.
    void Reset() {
        if (IsRunning()) TerminateProcess(process_, 1), WaitForSingleObject(process_, 5000);
        if (process_) CloseHandle(process_);
        ReleaseProbe();
        process_ = nullptr, processId_ = thread_ = 0, main_ = nullptr;
    }

    HANDLE process_ = nullptr;
    DWORD processId_ = 0, thread_ = 0;
    HWND main_ = nullptr;
    HANDLE probeMapping_ = nullptr;
    ProbeShared* probeShared_ = nullptr;
    HHOOK hooks_[2] = {};
    uint64_t syncCounter_ = 0;
    UINT syncMessage_ = 0, callMessage_ = 0;
};

inline bool Dialog::Press(int id) const {
    if (!IsOpen()) return false;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id));
    app->WaitIdle();
    return !IsOpen();
}

inline void Dialog::Click(int id) const {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
    app->WaitIdle();
}

inline bool Dialog::FillFileName(const std::string& path) const {
    // Only once the dialog runs its loop has it put its own initial name into the field.
    app->WaitIdle();
    HWND edit = (HWND)SendWithTimeout(Item(kFileNameCombo), CBEM_GETEDITCONTROL, 0, 0);
    if (!edit || !IsOpen()) return false;
    SendWithTimeout(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
    // Either the dialog closes, or it stays with a message of its own in front of it.
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)Item(IDOK));
    WaitUntil([&] {
        for (HWND other : app->Windows())
            if (GetWindow(other, GW_OWNER) == hwnd) return true;
        return !IsOpen();
    });
    app->WaitIdle();
    return !IsOpen();
}

} // namespace e2e
