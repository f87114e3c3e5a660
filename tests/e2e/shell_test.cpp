// The shell as a technician meets it: the status bar and toolbar, menu help, the settings file
// and the settings dialog, the splash, about and maker's boxes, and the help window with its
// pop-up help.
#include "steps.h"

#include <commctrl.h>

#include <atomic>
#include <thread>

namespace {

using namespace e2e;

const char kHelpWindowClass[] = "ZrtHelpWindow";
constexpr int kHelpSearchEdit = 12;
constexpr int kHelpResults = 13;
constexpr UINT kHelpLinkMessage = WM_APP + 40; // from the topic view: wParam topic, lParam book

// ---- Settings files ----

std::string LegacySettingsPath() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    return JoinPath(windows, "cnfzrt94.ini");
}

std::string ReadText(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// "Section/Key=value" for every key of a settings file, in file order.
std::vector<std::string> SettingsLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadText(path), section;
    size_t b = 0;
    while (b < text.size()) {
        size_t e = text.find('\n', b);
        if (e == std::string::npos) e = text.size();
        std::string line = text.substr(b, e - b);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        else if (!line.empty())
            lines.push_back(section + "/" + line);
        b = e + 1;
    }
    return lines;
}

std::string SettingsValue(const std::string& path, const std::string& sectionAndKey) {
    for (const std::string& line : SettingsLines(path))
        if (line.compare(0, sectionAndKey.size() + 1, sectionAndKey + "=") == 0)
            return line.substr(sectionAndKey.size() + 1);
    return "<missing>";
}

std::string SettingsFile(int port, const char* line1, const char* line2, RECT r, int state = 2) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "[General]\r\nCommPort=%d\r\nEmpresa1=%s\r\nEmpresa2=%s\r\n[Desktop]\r\n"
                  "Status=%d\r\nOrgWinL=%ld\r\nOrgWinR=%ld\r\nOrgWinT=%ld\r\nOrgWinB=%ld\r\n",
                  port, line1, line2, state, r.left, r.right, r.top, r.bottom);
    return text;
}

// Starts the program with no settings file at all, or with only `legacy` in the Windows folder.
bool LaunchWithoutUserSettings(App& app, const std::string& legacy = "",
                               bool expectDialog = false) {
    DeleteFileA(SettingsPath().c_str());
    DeleteFileA(LegacySettingsPath().c_str());
    if (!legacy.empty() &&
        !WriteFileBytes(LegacySettingsPath(), Bytes(legacy.begin(), legacy.end())))
        return false;
    LaunchOptions options;
    options.keepSettings = true;
    options.expectDialog = expectDialog;
    return app.Launch(options);
}

// The linked port, or the program's default when the tests run without one.
int OpenablePort() {
    return LinkedComPort() ? LinkedComPort() : 2;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The main window's left, top, right and bottom edges.
std::vector<long> Placement(App& app) {
    RECT r = WindowRect(app.MainWindow());
    return {r.left, r.top, r.right, r.bottom};
}

bool Checked(const Dialog& d, int id) {
    return IsDlgButtonChecked(d.Handle(), id) == BST_CHECKED;
}

// ---- Status bar and toolbar ----

HWND StatusBar(App& app) {
    return app.FindChild(STATUSCLASSNAMEA);
}

// The right edges of the status bar's parts, read inside the program.
std::vector<int> StatusEdges(HWND bar) {
    WindowProcess process(bar);
    RemoteMemory memory(process.Handle(), 16 * sizeof(int));
    int count = (int)SendWithTimeout(bar, SB_GETPARTS, 16, (LPARAM)memory.Address());
    std::vector<int> edges(count > 0 ? count : 0);
    if (count > 0) memory.Read(edges.data(), count * sizeof(int));
    return edges;
}

bool IsSimpleMode(HWND bar) {
    return SendWithTimeout(bar, SB_ISSIMPLE, 0, 0) != 0;
}

HWND Toolbar(App& app) {
    return app.FindChild(TOOLBARCLASSNAMEA);
}

// The rectangle of a toolbar button on the screen.
RECT ButtonRect(HWND toolbar, int command) {
    RECT r{};
    int index = (int)SendWithTimeout(toolbar, TB_COMMANDTOINDEX, command, 0);
    WindowProcess process(toolbar);
    RemoteMemory memory(process.Handle(), sizeof r);
    if (SendWithTimeout(toolbar, TB_GETITEMRECT, index, (LPARAM)memory.Address()))
        memory.Read(&r, sizeof r);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(ShellStatusBar, PartsMenuHelpAndTheModifiedDocument) {
    App app;
    ASSERT_TRUE(app.Launch());
    HWND bar = StatusBar(app);
    ASSERT_TRUE(bar);
    auto expectParts = [&](const char* modified, const std::string& number) {
        EXPECT_FALSE(IsSimpleMode(bar));
        EXPECT_EQ(app.StatusText(0), "Por ayuda Pulse F1");
        EXPECT_EQ(app.StatusText(1), modified);
        EXPECT_EQ(app.StatusText(2), number);
        EXPECT_EQ(app.StatusText(3), "");
    };
    expectParts("", W1252("Nº 00001"));
    for (int width : {620, 900, 330}) {
        SetWindowPos(app.MainWindow(), nullptr, 0, 0, width, 460, SWP_NOMOVE | SWP_NOZORDER);
        ASSERT_TRUE(app.WaitIdle());
        int w = WindowRect(app.MainWindow()).right - WindowRect(app.MainWindow()).left;
        EXPECT_EQ(StatusEdges(bar), (std::vector<int>{w - 140, w - 90, w - 25, -1})) << width;
    }
    // Highlighting "Sa&lir" (the menu sends WM_MENUSELECT for it), then the menu closing.
    PostMessageA(app.MainWindow(), WM_MENUSELECT, MAKEWPARAM(CMD_EXIT, MF_HILITE), 1);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(IsSimpleMode(bar));
    EXPECT_EQ(StatusBarText(bar, 0), W1252("Termina con la ejecución del programa"));
    PostMessageA(app.MainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    ASSERT_TRUE(app.WaitIdle());
    expectParts("", W1252("Nº 00001"));

    ASSERT_TRUE(EditSystemNumber(app, 321));
    expectParts("MOD", W1252("Nº 00321"));
}

TEST(ShellToolbar, ToolTipAndGrayedControllerButtons) {
    App app;
    ASSERT_TRUE(app.Launch());
    HWND toolbar = Toolbar(app);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(SendWithTimeout(toolbar, TB_BUTTONCOUNT, 0, 0), 16);
    // With the port open the controller commands are enabled, in the menu and on the toolbar;
    // the event log is not built yet.
    for (int command : {CMD_RECEIVE_VERSION, CMD_RECEIVE_CONFIG, CMD_TRANSMIT_CONFIG}) {
        EXPECT_TRUE(ToolbarButtonEnabled(app, command)) << command;
        EXPECT_FALSE(app.IsMenuItemGrayed(command)) << command;
    }
    EXPECT_FALSE(ToolbarButtonEnabled(app, CMD_EVENT_LOG));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_EVENT_LOG));
    EXPECT_TRUE(ToolbarButtonEnabled(app, CMD_NEW));
    EXPECT_FALSE(ToolbarButtonEnabled(app, CMD_SAVE)); // nothing to save yet
    // Resting the mouse on the wrench button.
    SetForegroundWindow(app.MainWindow());
    RECT wrench = ButtonRect(toolbar, CMD_EDIT_CONFIG);
    SetCursorPos(wrench.left + 2, wrench.top + 2);
    Sleep(100);
    SetCursorPos((wrench.left + wrench.right) / 2, (wrench.top + wrench.bottom) / 2);
    std::string tip;
    WaitUntil([&] {
        for (HWND w : ProgramWindows(app, TOOLTIPS_CLASSA))
            if (!(tip = ControlText(w)).empty()) return true;
        return false;
    });
    EXPECT_EQ(tip, W1252("Configuración del Controlador"));
    SetCursorPos(0, 700);
    EXPECT_TRUE(app.CloseAndWait());
}

// ---- Settings ----

Dialog OpenSettings(App& app) {
    EXPECT_TRUE(app.Command(CMD_SETTINGS));
    Dialog d = app.ExpectDialog("the settings dialog");
    EXPECT_EQ(d.Caption(), W1252("Configuración del programa"));
    return d;
}

TEST(ShellSettings, FirstStartWritesTheDefaultsAndPlacesTheWindow) {
    App app;
    ASSERT_TRUE(LaunchWithoutUserSettings(app));
    EXPECT_EQ(Placement(app), (std::vector<long>{10, 10, 630, 470}));
    // Written already while the window was made and first shown.
    EXPECT_EQ(SettingsLines(SettingsPath()),
              (std::vector<std::string>{"General/CommPort=2", "General/Empresa1=BRIVALT",
                                        "General/Empresa2=S.A.", "Desktop/Status=2",
                                        "Desktop/OrgWinL=10", "Desktop/OrgWinR=630",
                                        "Desktop/OrgWinT=10", "Desktop/OrgWinB=470"}));
    EXPECT_FALSE(FileExists(LegacySettingsPath()));
}

TEST(ShellSettings, PlacementIsRememberedAndMaximizedKeepsTheNormalRectangle) {
    App app;
    ASSERT_TRUE(app.Launch());
    SetWindowPos(app.MainWindow(), nullptr, 40, 30, 700, 500, SWP_NOZORDER);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(SettingsValue(SettingsPath(), "Desktop/OrgWinL"), "40");
    EXPECT_EQ(SettingsValue(SettingsPath(), "Desktop/OrgWinB"), "530");
    ASSERT_TRUE(app.CloseAndWait());

    LaunchOptions keep;
    keep.keepSettings = true;
    ASSERT_TRUE(app.Launch(keep));
    EXPECT_EQ(Placement(app), (std::vector<long>{40, 30, 740, 530}));
    PostMessageA(app.MainWindow(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(IsZoomed(app.MainWindow()));
    ASSERT_TRUE(app.CloseAndWait());
    EXPECT_EQ(SettingsLines(SettingsPath()),
              (std::vector<std::string>{
                  "General/CommPort=" + std::to_string(OpenablePort()), "General/Empresa1=BRIVALT",
                  "General/Empresa2=S.A.", "Desktop/Status=0", "Desktop/OrgWinL=40",
                  "Desktop/OrgWinR=740", "Desktop/OrgWinT=30", "Desktop/OrgWinB=530"}));

    // Left on a monitor that is gone: the default place, with its size.
    LaunchOptions gone;
    gone.settings = SettingsFile(OpenablePort(), "BRIVALT", "S.A.", {5000, 30, 5700, 530});
    ASSERT_TRUE(app.Launch(gone));
    EXPECT_EQ(Placement(app), (std::vector<long>{10, 10, 710, 510}));
}

TEST(ShellSettings, OlderInstallationsFileIsReadOnce) {
    App app;
    RECT r{50, 60, 690, 540};
    ASSERT_TRUE(
        LaunchWithoutUserSettings(app, SettingsFile(7, "Elevadores Sur", "Rosario", r), true));
    // The port it names is the one the serial link tries; COM7 has no device in the tests.
    ExpectBox(app.ExpectDialog("the serial port message"), kDefaultCaption,
              "No se pudo abrir el puerto de comunicaciones COM7.", Icon::Stop);
    EXPECT_EQ(Placement(app), (std::vector<long>{50, 60, 690, 540}));
    Dialog settings = OpenSettings(app);
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE1), "Elevadores Sur");
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE2), "Rosario");
    EXPECT_TRUE(Checked(settings, IDC_SETTINGS_COM7));
    EXPECT_TRUE(settings.Press(IDCANCEL));
    ASSERT_TRUE(app.CloseAndWait());
    // From now on the user's own file holds them; the old one is left alone.
    EXPECT_EQ(SettingsValue(SettingsPath(), "General/CommPort"), "7");
    EXPECT_EQ(SettingsValue(SettingsPath(), "General/Empresa1"), "Elevadores Sur");
    EXPECT_EQ(ReadText(LegacySettingsPath()), SettingsFile(7, "Elevadores Sur", "Rosario", r));
    DeleteFileA(LegacySettingsPath().c_str());
}

TEST(ShellSettings, ChangingThePortShowsTheMessageOnceAndWritesIt) {
    App app;
    LaunchOptions options;
    options.settings = SettingsFile(OpenablePort(), "BRIVALT", "S.A.", {10, 10, 630, 470});
    ASSERT_TRUE(app.Launch(options));
    Dialog settings = OpenSettings(app);
    EXPECT_TRUE(GetWindowLongA(settings.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(SaveScreenshot(settings.Handle(), "settings_dialog"));
    Click(app, settings.Item(IDC_SETTINGS_COM5));
    Click(app, settings.Item(IDOK));
    Dialog box = app.ExpectDialog("the port message");
    ASSERT_NE(box.Handle(), settings.Handle());
    ExpectBox(box, "Configurador ZRT94",
              W1252("Para que el cambio de puerto serie sea válido deberá salir y reingresar al "
                    "Configurador."),
              Icon::Information);
    EXPECT_TRUE(settings.WaitClosed());
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_FALSE(app.FindDialog()) << "a second message: " << app.FindDialog().Describe();
    EXPECT_EQ(SettingsValue(SettingsPath(), "General/CommPort"), "5");

    // Choosing the port that is configured says nothing.
    settings = OpenSettings(app);
    EXPECT_TRUE(Checked(settings, IDC_SETTINGS_COM5));
    Click(app, settings.Item(IDC_SETTINGS_COM5));
    EXPECT_TRUE(settings.Press(IDOK)) << app.FindDialog().Describe();
    EXPECT_EQ(SettingsValue(SettingsPath(), "General/CommPort"), "5");
}

TEST(ShellSettings, CompanyLinesKeepFifteenCharactersAndCancelStoresNothing) {
    App app;
    ASSERT_TRUE(app.Launch());
    Dialog settings = OpenSettings(app);
    HWND edit = settings.Item(IDC_SETTINGS_LINE1);
    SendWithTimeout(edit, EM_SETSEL, 0, -1);
    for (char c : std::string("Ascensores Patagonia"))
        PostMessageA(edit, WM_CHAR, (unsigned char)c, 1);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE1), "Ascensores Pata");
    EXPECT_TRUE(settings.Press(IDOK));
    EXPECT_EQ(SettingsValue(SettingsPath(), "General/Empresa1"), "Ascensores Pata");

    std::string before = ReadText(SettingsPath());
    settings = OpenSettings(app);
    settings.SetItemText(IDC_SETTINGS_LINE1, "Otra");
    settings.SetItemText(IDC_SETTINGS_LINE2, "Empresa");
    Click(app, settings.Item(IDC_SETTINGS_COM9));
    EXPECT_TRUE(settings.Press(IDCANCEL));
    EXPECT_EQ(ReadText(SettingsPath()), before);
    settings = OpenSettings(app);
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE1), "Ascensores Pata");
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE2), "S.A.");
    EXPECT_FALSE(Checked(settings, IDC_SETTINGS_COM9));
}

// ---- Splash, about and maker's boxes ----

// A visible dialog without a title bar of cnfzrt94.exe: the splash box.
HWND FindSplashBox() {
    HWND splash = nullptr;
    EnumWindows(
        [](HWND w, LPARAM p) {
            if (IsWindowVisible(w) && ClassName(w) == "#32770" &&
                (GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
                *reinterpret_cast<HWND*>(p) = w;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&splash));
    return splash;
}

TEST(ShellBoxes, SplashBoxShowsDuringStartUpOnTop) {
    // Watches for the splash box while the program starts.
    std::atomic<bool> stop{false}, found{false}, topmost{false};
    RECT seen{};
    std::thread watcher([&] {
        for (; !stop && !found; Sleep(5)) {
            HWND splash = FindSplashBox();
            if (!splash) continue;
            GetWindowRect(splash, &seen);
            topmost = (GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            found = true;
        }
    });
    App app;
    bool launched = app.Launch();
    stop = true;
    watcher.join();
    ASSERT_TRUE(launched);
    ASSERT_TRUE(found) << "no splash box seen";
    EXPECT_TRUE(topmost);
    int width = seen.right - seen.left;
    EXPECT_EQ(seen.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);
    EXPECT_EQ(seen.top, 100);
    EXPECT_FALSE(FindSplashBox()) << "still there after start-up";
}

std::string BuildDate() {
    std::string exe = ProgramPath();
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    std::vector<char> block(size);
    char* value = nullptr;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA(exe.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\StringFileInfo\\0C0A04E4\\Comments",
                        reinterpret_cast<void**>(&value), &length))
        return "<none>";
    return value;
}

TEST(ShellBoxes, AboutBoxShowsVersionAndDateAndTheMakersBoxCloses) {
    App app;
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(app.Screenshot("main_window_with_bars"));
    ASSERT_TRUE(app.Command(CMD_ABOUT));
    Dialog about = app.ExpectDialog("the about box");
    EXPECT_EQ(about.Caption(), "Acerca del Programa");
    EXPECT_EQ(about.ItemText(IDC_ABOUT_VERSION), "4.2.1");
    std::string date = about.ItemText(IDC_ABOUT_DATE);
    EXPECT_EQ(date, BuildDate());
    EXPECT_EQ(date.size(), 13u) << date; // "Jul, 31, 2009"
    EXPECT_TRUE(SaveScreenshot(about.Handle(), "about_box"));
    EXPECT_TRUE(about.Press(IDCANCEL)); // Escape closes it too

    ASSERT_TRUE(app.Command(CMD_ABOUT_MAKER));
    Dialog maker = app.ExpectDialog("the maker's box");
    EXPECT_EQ(maker.Caption(), "Brivalt S.A.");
    EXPECT_TRUE(SaveScreenshot(maker.Handle(), "maker_box"));
    EXPECT_TRUE(maker.Press(IDOK));
}

// ---- Help ----

// Waits until the help window shows the topic titled `title`.
bool WaitForHelpTopic(App& app, const std::string& title) {
    return WaitUntil([&] {
        auto windows = ProgramWindows(app, kHelpWindowClass);
        return !windows.empty() && ControlText(FindWindowExA(windows.front(), nullptr,
                                                             "ZrtHelpTopic", nullptr)) == title;
    });
}

TEST(ShellHelp, F1OpensTheContentsAndSearchFindsTopics) {
    App app;
    ASSERT_TRUE(app.Launch());
    PostMessageA(app.MainWindow(), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(app.MainWindow(), WM_KEYUP, VK_F1, 0xC03B0001);
    ASSERT_TRUE(app.WaitIdle());
    HWND help = WaitForProgramWindow(app, kHelpWindowClass);
    ASSERT_TRUE(help);
    EXPECT_EQ(ControlText(help), "Ayuda del Configurador ZRT94VK");
    EXPECT_TRUE(WaitForHelpTopic(app, "Contenido"));

    ASSERT_TRUE(app.Command(CMD_HELP_SEARCH));
    HWND edit = GetDlgItem(help, kHelpSearchEdit), results = GetDlgItem(help, kHelpResults);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_TRUE(IsWindowVisible(results));
    EXPECT_GT(ListItems(results).size(), 80u); // the whole index
    SendWithTimeout(edit, WM_SETTEXT, 0, (LPARAM) "renivel");
    ASSERT_TRUE(app.WaitIdle());
    auto items = ListItems(results);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front(), W1252("Con renivelación"));
    SendWithTimeout(edit, WM_CHAR, '\r', 0);
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Con renivelación")));
    EXPECT_TRUE(SaveScreenshot(help, "help_window"));

    // Help on help turns the window to its own book; closing the program closes it.
    ASSERT_TRUE(app.Command(CMD_HELP_ON_HELP));
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Cómo usar la Ayuda")));
    // Link messages posted by another window, of any topic index, change nothing.
    for (WPARAM topic : {2u, 0x7FFFFFFFu})
        PostMessageA(help, kHelpLinkMessage, topic, 0);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Cómo usar la Ayuda")));
    ASSERT_TRUE(app.CloseAndWait());
}

TEST(ShellHelp, SettingsDialogHelpButtonAndPopUpHelp) {
    App app;
    ASSERT_TRUE(app.Launch());
    Dialog settings = OpenSettings(app);
    Click(app, settings.Item(IDC_HELP_BUTTON));
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Configuración del programa")));
    ASSERT_TRUE(settings.IsOpen());

    // F1 on the first company line: the pop-up beside it with the text of context 201.
    HWND edit = settings.Item(IDC_SETTINGS_LINE1);
    F1On(settings.Handle(), edit);
    HWND popup = WaitForProgramWindow(app, "ZrtHelpPopup");
    ASSERT_TRUE(popup);
    EXPECT_EQ(ControlText(popup),
              W1252("Primera línea del nombre de la empresa instaladora o de mantenimiento, por "
                    "ejemplo su razón social. Se imprime en la etiqueta del controlador y "
                    "encabeza el informe de la configuración y la lista de eventos. Hasta 15 "
                    "caracteres."));
    RECT p = WindowRect(popup), e = WindowRect(edit);
    EXPECT_EQ(p.left, e.left);
    EXPECT_EQ(p.top, e.bottom + 2);
    EXPECT_TRUE(SaveScreenshot(nullptr, "help_popup"));
    // The next key takes it away and is used up by it.
    std::string before = settings.ItemText(IDC_SETTINGS_LINE1);
    PressKey('X');
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }));
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE1), before);
}

} // namespace
