#pragma once
// End-to-end test driver: runs the real cnfzrt94.exe (under Wine, on the same desktop as this
// console program), reads what a technician would see and does what a technician would do:
//
//     e2e::App app;
//     ASSERT_TRUE(app.Launch());                      // new configuration, in TestFolder()
//     app.Command(CMD_OPEN);                          // as the menu would
//     ASSERT_TRUE(app.ExpectDialog("open").FillFileName(path));
//     EXPECT_EQ(app.StatusText(2), W1252("Nº 00123")); // texts are Windows-1252, as shown
//
// Wine keeps menus private to their process, so a probe library (e2e_probe.dll) answers from
// inside the program, which loads it for two hooks the driver sets on its thread (see
// probe/probe_protocol.h). The probe also tells how far the program has read its queue:
// App::WaitIdle() posts a marker and waits until the program has taken it. Every wait has a
// time-out and then returns false or an empty result, so that a test fails instead of hanging.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct ProbeShared; // the block shared with the probe library (probe/probe_protocol.h)

namespace e2e {

using Bytes = std::vector<unsigned char>;

constexpr DWORD kDefaultTimeoutMs = 10000;

// From scripts/test.sh: --exe=PATH and --artefacts=DIR (screenshots) on the command line,
// ZRT_E2E_WORK (the folder of the per-test folders) and ZRT_E2E_COM_PORT (the simulator's port).
void SetProgramPath(const std::string& path);
void SetArtefactDir(const std::string& dir);
std::string ProgramPath();
std::string ArtefactDir();
int LinkedComPort(); // 0 when ZRT_E2E_COM_PORT is not set

// <ZRT_E2E_WORK>\<Suite>.<Test>, emptied at the first call in each test and kept afterwards.
// Launch() starts the program in it.
std::string TestFolder();
std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);
std::optional<Bytes> ReadFileBytes(const std::string& path);
std::string ReadText(const std::string& path); // "" when missing
bool WriteFileBytes(const std::string& path, const Bytes& bytes);
// The program's settings file, cnfzrt94.ini in the user's roaming application-data folder.
std::string SettingsPath();
// The program's folder of received copies beside it, removed (or a file of its name).
std::string RemoveReceiveArchive();
// The names of the files in a folder.
std::vector<std::string> FilesIn(const std::string& folder);

// Holds a file open without sharing, as another program may: opening it fails. (Tests run as
// root: read-only files and folders do not make writes fail.)
class ExclusiveFile {
  public:
    explicit ExclusiveFile(const std::string& path); // the file must exist
    ~ExclusiveFile() { Release(); }
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;
    bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();

  private:
    HANDLE handle_;
};

// A file whose reading fails part-way: a named pipe ("\\.\pipe\<name>") that gives the first
// reader `bytes` and then goes away, so that the reader's next ReadFile fails. (A range locked
// with LockFile does not make ReadFile fail under Wine.)
class BreakingPipe {
  public:
    BreakingPipe(const std::string& name, const Bytes& bytes);
    ~BreakingPipe();
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::thread writer_;
};

// Texts of controls of another process.
std::string StatusBarText(HWND statusBar, int part);
std::vector<std::string> ListItems(HWND list); // a list box's or combo box's items
std::string ControlText(HWND control);         // WM_GETTEXT, which crosses processes

// Waits until `condition()` holds, polling every 20 ms; false on time-out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
    }
}

// ArtefactDir()/<name>.bmp of `window` (nullptr: the screen), which nothing may cover.
bool SaveScreenshot(HWND window, const std::string& name);

// A message box or dialog (class #32770) of the program.
class Dialog {
  public:
    Dialog() = default;
    Dialog(HWND hwnd, class App* app) : hwnd_(hwnd), app_(app) {}
    explicit operator bool() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }
    bool IsOpen() const { return hwnd_ && IsWindow(hwnd_) && IsWindowVisible(hwnd_); }

    std::string Caption() const;
    std::string Text() const { return ItemText(0xFFFF); } // a message box's text
    HWND Item(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }
    std::string ItemText(int id) const { return ControlText(Item(id)); }
    bool SetItemText(int id, const std::string& text) const;

    // Presses a button as a click would; true once the dialog is gone.
    bool Press(int id, DWORD timeoutMs = kDefaultTimeoutMs) const;
    bool WaitClosed(DWORD timeoutMs = kDefaultTimeoutMs) const;

    // Types `path` into a file dialog and presses Open/Save; false when it stayed open (e.g.
    // behind a message of its own).
    bool FillFileName(const std::string& path, DWORD timeoutMs = kDefaultTimeoutMs) const;
    std::string FileName() const { return ControlText(FileNameEdit()); }
    // Caption and text, for failure messages.
    std::string Describe() const { return "[" + Caption() + "] \"" + Text() + "\""; }

  private:
    HWND FileNameEdit() const;
    HWND hwnd_ = nullptr;
    App* app_ = nullptr;
};

struct LaunchOptions {
    std::string commandLine; // after the program's name, passed unchanged (quote it yourself)
    // The settings file written first (nullopt: DefaultSettings()), unless keepSettings.
    std::optional<std::string> settings;
    bool keepSettings = false;
    // Launch() fails when a dialog is up once start-up has finished, unless one is expected.
    bool expectDialog = false;
};

// Points the program at LinkedComPort() (empty when there is none).
std::string DefaultSettings();

// One running copy of the program.
class App {
  public:
    App() = default;
    ~App(); // kills the program if it is still running
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts the program and waits until its splash box has gone and it is idle; a failure
    // when it does not get there, or when a dialog is up and !options.expectDialog.
    bool Launch(const LaunchOptions& options = {});
    bool Launch(const std::string& commandLine);

    bool IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    HWND MainWindow() const { return main_; }
    HANDLE Process() const { return process_; }
    DWORD ThreadId() const { return thread_; }

    // Waits until the program has handled everything posted to it so far, and what that
    // posted in turn, or has entered a modal dialog. False on time-out or after exit.
    bool WaitIdle(DWORD timeoutMs = kDefaultTimeoutMs);
    // Posts a menu command as the menu does and waits for idle (a dialog it opens stays up).
    bool Command(int commandId);
    bool Close(); // WM_CLOSE, as the close box, then waits for idle
    bool CloseAndWait(DWORD timeoutMs = kDefaultTimeoutMs) {
        return Close() && WaitForExit(timeoutMs);
    }
    bool WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) {
        return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
    }
    void Kill();

    std::string Title() const;
    bool WaitForTitle(const std::string& title, DWORD timeoutMs = kDefaultTimeoutMs) {
        return WaitUntil([&] { return Title() == title; }, timeoutMs);
    }
    bool IsMenuItemGrayed(int commandId); // read inside the program
    std::string StatusText(int part);     // part `part` (0-based) of the main window's status bar
    // A child window of the main window by class name, and control id unless -1.
    HWND FindChild(const std::string& className, int id = -1) const;

    // The dialog or message box in front: the first visible, enabled #32770 with a title bar
    // (so not the splash box). Empty when none.
    Dialog FindDialog() const;
    std::vector<Dialog> Dialogs() const; // every visible #32770 of the thread, front to back
    Dialog WaitForDialog(DWORD timeoutMs = kDefaultTimeoutMs); // idle, then FindDialog()
    // As WaitForDialog, but adds a test failure naming `what` when no dialog comes.
    Dialog ExpectDialog(const char* what, DWORD timeoutMs = kDefaultTimeoutMs);

    bool Screenshot(const std::string& name) { return SaveScreenshot(main_, name); }

    // Calls a function of the probe (probe_protocol.h); kProbeNoItem when that failed.
    uint32_t ProbeCall(uint32_t function, HWND window, uint32_t id, std::string* text = nullptr);

  private:
    bool InjectProbe();
    void ResetHandles();

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
    DWORD thread_ = 0;
    HANDLE probeMapping_ = nullptr;
    ::ProbeShared* probeShared_ = nullptr;
    HHOOK getMessageHook_ = nullptr;
    HHOOK callWndHook_ = nullptr;
    uint64_t syncCounter_ = 0;
    UINT syncMessage_ = 0;
    UINT callMessage_ = 0;
};

} // namespace e2e
