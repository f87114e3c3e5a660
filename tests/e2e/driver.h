#pragma once
// End-to-end test driver: runs the real cnfzrt94.exe (under Wine, on the same desktop as this
// console program), reads what a technician would see and does what a technician would do.
//
// A typical test:
//
//     e2e::App app;
//     ASSERT_TRUE(app.Launch());                      // new configuration, in TestFolder()
//     EXPECT_EQ(app.Title(), W1252("Configurador de ZRT94VK - Controlador Nº 00001"));
//     app.Command(CMD_OPEN);                          // as the menu would
//     e2e::Dialog open = app.WaitForDialog();
//     ASSERT_TRUE(open.FillFileName(e2e::TestFolder() + "\\a00123_2.z94"));
//     EXPECT_EQ(app.StatusText(2), W1252("Nº 00123"));
//     ASSERT_TRUE(app.CloseAndWait());
//
// Texts are Windows-1252, as the program shows them; write expected texts with W1252().
//
// How it works, and why: Wine keeps menus and icon handles private to their process, so a small
// probe library (e2e_probe.dll, next to e2e_tests.exe) answers from inside the program. The driver
// sets two hooks on the program's thread with the probe as their module, so the program loads it
// on that thread (a remote thread is unsafe under Wine, see probe/probe_protocol.h), and asks it
// through a sent message and shared memory. The probe's hook on the message queue also tells:
// App::WaitIdle() posts a marker and waits until the program's thread has taken it, which means
// that everything posted before it (a command, the refresh it posted, ...) has been handled or has
// reached a modal dialog's loop. Common-control texts (status bar, list views) are read through
// memory allocated in the program (VirtualAllocEx), as on Windows; list boxes and combo boxes
// through Wine's own marshalling.
//
// Every wait has a time-out; a wait that runs out returns false or an empty result, so that a
// test fails instead of hanging. App's destructor kills a program that is still running.
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

// ---------------------------------------------------------------------------------------------
// Environment, set by scripts/test.sh (or on the command line of e2e_tests.exe, which wins):
//   ZRT_EXE / --exe=PATH              the program under test (Windows path)
//   ZRT_ARTEFACTS / --artefacts=DIR   where screenshots go (build/artefacts)
//   ZRT_E2E_WORK                      the folder that holds the per-test folders (C:\e2e)
//   ZRT_E2E_COM_PORT                  the COM port number linked to a pseudo-terminal; the
//                                     program is started with it in its settings file
void SetProgramPath(const std::string& path);
void SetArtefactDir(const std::string& dir);
std::string ProgramPath();
std::string ArtefactDir();
// 0 when ZRT_E2E_COM_PORT is not set.
int LinkedComPort();

// ---------------------------------------------------------------------------------------------
// Files and folders

// The running test's own folder, <ZRT_E2E_WORK>\<Suite>.<Test>, emptied at the first call in
// each test and kept afterwards for inspection. Launch() starts the program in it by default.
std::string TestFolder();
// folder + "\" + name
std::string JoinPath(const std::string& folder, const std::string& name);
bool FileExists(const std::string& path);
std::optional<Bytes> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const Bytes& bytes);
// The program's settings file, cnfzrt94.ini in the user's roaming application-data folder.
std::string SettingsPath();

// Holds a file open for reading and writing without sharing, so that any other open of it fails
// with a sharing violation (as when another program has it open). Tests run as root, so
// read-only files and folders do not make writes fail; this does.
class ExclusiveFile {
  public:
    explicit ExclusiveFile(const std::string& path); // the file must exist
    ~ExclusiveFile();
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

// ---------------------------------------------------------------------------------------------
// Screenshots: 24-bit BMP files in ArtefactDir(), <name>.bmp; scripts/test.sh turns them into PNG.
// `window` nullptr takes the whole screen. The window must not be covered by another.
bool SaveScreenshot(HWND window, const std::string& name);

// ---------------------------------------------------------------------------------------------
// Windows of the program

enum class Icon { None, Stop, Question, Exclamation, Information, Other, Unknown };
const char* IconName(Icon icon);

// A message box or dialog (class #32770) of the program.
class Dialog {
  public:
    Dialog() = default;
    Dialog(HWND hwnd, class App* app) : hwnd_(hwnd), app_(app) {}
    explicit operator bool() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }
    bool IsOpen() const; // exists and is visible

    std::string Caption() const;
    // A message box's text (its static text control); for other dialogs, use ItemText.
    std::string Text() const;
    // A message box's icon, or the first icon control of a dialog.
    Icon IconKind() const;
    // Ids of the visible push buttons, in creation order (left to right in message boxes).
    std::vector<int> Buttons() const;
    HWND Item(int id) const;
    std::string ItemText(int id) const;
    bool SetItemText(int id, const std::string& text) const;

    // Presses a button (IDOK, IDCANCEL, IDYES, IDNO, or any control id) as a click would and
    // waits until the dialog is gone; false if it is still open after the time-out.
    bool Press(int id, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Waits until the dialog is gone (closed by the program or by another action).
    bool WaitClosed(DWORD timeoutMs = kDefaultTimeoutMs) const;

    // Common open/save file dialogs: types `path` into the file-name field and presses the OK
    // button (Open/Save). Returns true when the dialog closed; false when it stayed open, e.g.
    // because it shows a message of its own (find it with App::WaitForDialog()).
    bool FillFileName(const std::string& path, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // The text in a file dialog's file-name field.
    std::string FileName() const;

    // One-line description for failure messages: caption, text and buttons.
    std::string Describe() const;

  private:
    HWND FileNameEdit() const;
    HWND hwnd_ = nullptr;
    App* app_ = nullptr;
};

struct LaunchOptions {
    // The program's command line after its own name, passed unchanged (quote it yourself).
    std::string commandLine;
    // Working directory; empty means TestFolder().
    std::string workDir;
    // The settings file written before start-up; nullopt means DefaultSettings(). Set
    // keepSettings to start with whatever file is there.
    std::optional<std::string> settings;
    bool keepSettings = false;
    // Launch() fails (and reports the dialog) when a dialog is up once start-up has finished,
    // unless the test expects one (e.g. a file named on the command line that cannot be opened).
    bool expectDialog = false;
    // Time-out for the main window to appear and start-up to finish.
    DWORD timeoutMs = 30000;
};

// A settings file that points the program at LinkedComPort() (no port setting when there is
// none, so the program's default applies).
std::string DefaultSettings();

// One running copy of the program.
class App {
  public:
    App() = default;
    ~App(); // kills the program if it is still running
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts the program, waits for its main window (class "ClaseCNFZRT94", same process),
    // for the splash box to go and for the program to be idle. Adds a test failure and returns
    // false when it does not get there, or when a dialog is up and !options.expectDialog.
    bool Launch(const LaunchOptions& options = {});
    bool Launch(const std::string& commandLine);

    bool IsRunning() const;
    HWND MainWindow() const { return main_; }
    DWORD ThreadId() const { return thread_; }

    // Waits until the program's thread has handled everything posted to it so far, including
    // what that handling posted in turn, or has entered a modal dialog. False on time-out or
    // when the program is not running.
    bool WaitIdle(DWORD timeoutMs = kDefaultTimeoutMs);

    // Sends a menu command (WM_COMMAND with the command id, posted as the menu does) and waits
    // for idle. A command that opens a dialog returns with the dialog up.
    bool Command(int commandId);
    // Asks the main window to close (WM_CLOSE, as the close box does) and waits for idle.
    bool Close();
    // Close(), then waits for the process to end. False when it did not end.
    bool CloseAndWait(DWORD timeoutMs = kDefaultTimeoutMs);
    bool WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs, DWORD* exitCode = nullptr);
    void Kill();

    std::string Title() const;
    // Menu item state by command id, read inside the program.
    bool IsMenuItemGrayed(int commandId);
    std::string MenuItemText(int commandId);

    // Waits until the title equals `title`; false (with the title left as it was) on time-out.
    bool WaitForTitle(const std::string& title, DWORD timeoutMs = kDefaultTimeoutMs);

    // Text of part `part` (0-based) of the main window's status bar.
    std::string StatusText(int part);
    // Child window of the main window (at any depth) by class name, optionally by control id.
    HWND FindChild(const std::string& className, int id = -1) const;

    // The dialog or message box in front: the first visible, enabled #32770 window with a title
    // bar that belongs to the program's thread (so not the splash box). Empty when none.
    Dialog FindDialog() const;
    // All visible #32770 windows of the program's thread, front to back.
    std::vector<Dialog> Dialogs() const;
    // Waits for idle, then for FindDialog() to find one.
    Dialog WaitForDialog(DWORD timeoutMs = kDefaultTimeoutMs);
    // As WaitForDialog, but adds a test failure naming `what` when no dialog comes.
    Dialog ExpectDialog(const char* what, DWORD timeoutMs = kDefaultTimeoutMs);

    // Screenshot of the main window into ArtefactDir()/<name>.bmp.
    bool Screenshot(const std::string& name);

    // Calls a function of the probe (probe/e2e_probe.cpp) inside the program; returns its
    // result, or kProbeNoItem when the call failed. Used by the menu and icon readers.
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

// Readers of common controls of any process. Status bars and list views keep their texts in
// their own process, so these read them through memory allocated there; list boxes and combo
// boxes are read through Wine's marshalling of their messages (wide, converted to 1252).
std::string StatusBarText(HWND statusBar, int part);
// Items of a list box, combo box or list view (first column).
std::vector<std::string> ListItems(HWND list);
std::string ListViewItemText(HWND listView, int item, int column);
// Any control's text (WM_GETTEXT, which crosses processes; GetWindowText does not for controls).
std::string ControlText(HWND control);

// Waits until `condition()` holds, polling every 20 ms; false on time-out.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kDefaultTimeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

} // namespace e2e
