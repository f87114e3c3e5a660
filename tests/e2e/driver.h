#pragma once
// End-to-end test driver: runs the real cnfzrt94.exe (under Wine, on the same desktop as this
// console program), reads what a technician would see (texts in Windows-1252) and does what a
// technician would do. Wine keeps menus and some controls' texts private to their process, so a
// probe library (probe/probe_protocol.h) answers from inside the program; it also tells how far
// the program has read its queue (App::WaitIdle). Every wait has a time-out and then gives false
// or an empty result, so that a test fails instead of hanging.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ProbeShared; // the block shared with the probe library (probe/probe_protocol.h)

namespace e2e {

constexpr DWORD kDefaultTimeoutMs = 10000;

inline std::string programPath, artefactDir; // set by main.cpp

std::string Environment(const char* name); // "" when not set
// <ZRT_E2E_WORK>\<Suite>.<Test>, emptied at the first call in each test and kept afterwards.
// Launch() starts the program in it.
std::string TestFolder();
std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);
std::string ReadBytes(const std::string& path); // "" when missing
bool WriteBytes(const std::string& path, const std::string& bytes);
// The program's settings file, cnfzrt94.ini in the user's roaming application-data folder.
std::string SettingsPath();
// The program's folder of received copies beside it, removed (or a file of its name).
std::string RemoveReceiveArchive();
std::vector<std::string> FilesIn(const std::string& folder);

std::vector<HWND> TopLevelWindows(DWORD thread, const char* className); // front to back
// A hung program fails the test instead of hanging it.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::string ControlText(HWND control); // WM_GETTEXT, which crosses processes
std::string WindowText(HWND window);   // a caption, read without asking the program

// Polls `condition()` every 20 ms; false on time-out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

std::string UnixPath(const std::string& windowsPath);
// Runs a shell command as Linux runs it, and waits until it is done (Wine starts a Linux program
// as it is, but gives no exit status).
bool RunLinux(const std::string& command);
// artefactDir/<name>.png of `window` (nullptr: the screen), which nothing may cover.
bool SaveScreenshot(HWND window, const std::string& name);

// A message box or dialog (class #32770) of the program.
class Dialog {
  public:
    Dialog() = default;
    Dialog(HWND hwnd, class App* app) : hwnd_(hwnd), app_(app) {}
    explicit operator bool() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }
    bool IsOpen() const { return hwnd_ && IsWindow(hwnd_) && IsWindowVisible(hwnd_); }

    std::string Caption() const { return WindowText(hwnd_); }
    std::string Text() const { return ItemText(0xFFFF); } // a message box's text
    HWND Item(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }
    std::string ItemText(int id) const { return ControlText(Item(id)); }
    bool SetItemText(int id, const std::string& text) const {
        return Item(id) && SendWithTimeout(Item(id), WM_SETTEXT, 0, (LPARAM)text.c_str());
    }
    // Presses a button as a click would; true once the dialog is gone.
    bool Press(int id) const;
    bool WaitClosed() const {
        return WaitUntil([this] { return !IsOpen(); });
    }
    // Types `path` into a file dialog and presses Open/Save; false when it stayed open (e.g.
    // behind a message of its own).
    bool FillFileName(const std::string& path) const;
    std::string FileName() const;
    // Caption and text, for failure messages.
    std::string Describe() const { return "[" + Caption() + "] \"" + Text() + "\""; }

  private:
    HWND hwnd_ = nullptr;
    App* app_ = nullptr;
};

struct LaunchOptions {
    std::string commandLine; // after the program's name, passed unchanged (quote it yourself)
    // The settings file written first (nullopt: DefaultSettings()), unless keepSettings.
    std::optional<std::string> settings = {};
    bool keepSettings = false;
    // Launch() fails when a dialog is up once start-up has finished, unless one is expected.
    bool expectDialog = false;
};

int LinkedComPort();           // the simulator's port, ZRT_E2E_COM_PORT; 0 when not set
std::string DefaultSettings(); // points the program at LinkedComPort()

// One running copy of the program; killed on destruction if it is still running.
class App {
  public:
    App() = default;
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts the program and waits until its splash box has gone and it is idle; a failure
    // when it does not get there, or when a dialog is up and !options.expectDialog.
    bool Launch(const LaunchOptions& options = {});
    bool Launch(const std::string& commandLine) {
        return Launch(LaunchOptions{.commandLine = commandLine});
    }

    bool IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    HWND MainWindow() const { return main_; }
    HANDLE Process() const { return process_; }
    DWORD ThreadId() const { return thread_; }

    // Waits until the program has handled everything posted to it so far, and what that
    // posted in turn, or has entered a modal dialog. False on time-out or after exit.
    bool WaitIdle(DWORD timeoutMs = kDefaultTimeoutMs);
    // Posts a menu command as the menu does and waits for idle (a dialog it opens stays up).
    bool Command(int commandId) {
        return IsRunning() && PostMessageA(main_, WM_COMMAND, commandId, 0) && WaitIdle();
    }
    bool Close(); // WM_CLOSE, as the close box, then waits for idle
    bool WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) {
        return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
    }
    bool CloseAndWait() { return Close() && WaitForExit(); }

    std::string Title() const { return WindowText(main_); }
    bool WaitForTitle(const std::string& title) {
        return WaitUntil([&] { return Title() == title; });
    }
    bool IsMenuItemGrayed(int commandId); // read inside the program
    std::string StatusText(int part);     // part `part` (0-based) of the main window's status bar
    std::vector<std::string> ListItems(HWND list); // a list box's or combo box's items
    // A child window of the main window by class name.
    HWND FindChild(const char* className) const {
        return FindWindowExA(main_, nullptr, className, nullptr);
    }

    // The dialog or message box in front: the first visible, enabled #32770 with a title bar
    // (so not the splash box). Empty when none.
    Dialog FindDialog();
    std::vector<Dialog> Dialogs(); // every visible #32770 of the thread, front to back
    // Idle, then FindDialog(); a test failure naming `what` when no dialog comes.
    Dialog ExpectDialog(const char* what);

    // Calls a function of the probe (probe_protocol.h); kProbeNoItem when that failed.
    uint32_t ProbeCall(uint32_t function, HWND window, uint32_t id, uint32_t param = 0,
                       std::string* text = nullptr);

  private:
    bool InjectProbe();
    void Reset();

    HANDLE process_ = nullptr;
    DWORD processId_ = 0, thread_ = 0;
    HWND main_ = nullptr;
    HANDLE probeMapping_ = nullptr;
    ::ProbeShared* probeShared_ = nullptr;
    HHOOK hooks_[2] = {};
    uint64_t syncCounter_ = 0;
    UINT syncMessage_ = 0, callMessage_ = 0;
};

} // namespace e2e
