// The shell as a technician meets it, over three starts: the first one without a settings file
// (bars, menu help, the about box, the help window, the settings dialog and a port chosen there
// that has no device), the next on that port, and one on an older installation's file.
#include "steps.h"

namespace {

using namespace e2e;

const std::string kLegacySettings = JoinPath(Environment("WINDIR"), "cnfzrt94.ini");
const std::string kChooseAnother =
    W1252("Elija el puerto del adaptador en Archivo > Configuración del programa...");

// The main window's left, top, right and bottom edges.
std::vector<long> Placement(App& app) {
    RECT r{};
    GetWindowRect(app.MainWindow(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The controller commands' and Save's toolbar buttons and menu items, 1 where enabled.
std::string ControllerCommands(App& app) {
    std::string enabled;
    HWND toolbar = app.FindChild(TOOLBARCLASSNAMEA);
    for (int command :
         {CMD_RECEIVE_VERSION, CMD_RECEIVE_CONFIG, CMD_TRANSMIT_CONFIG, CMD_EVENT_LOG, CMD_SAVE})
        enabled += std::string{SendWithTimeout(toolbar, TB_ISBUTTONENABLED, command, 0) ? '1' : '0',
                               app.IsMenuItemGrayed(command) ? '0' : '1'};
    return enabled;
}

TEST(Shell, BarsBoxesHelpAndSettingsOverThreeStarts) {
    DeleteFileA(SettingsPath().c_str());
    DeleteFileA(kLegacySettings.c_str());
    App app;
    ASSERT_TRUE(app.Launch({.settings = std::nullopt}));
    EXPECT_EQ(Placement(app), (std::vector<long>{10, 10, 630, 470}));
    EXPECT_TRUE(FileExists(SettingsPath())) << "written while the window was made";

    // The status bar: its parts, and menu help in their place.
    auto parts = [&] {
        return app.StatusText(0) + "|" + app.StatusText(1) + "|" + app.StatusText(2) + "|" +
               app.StatusText(3);
    };
    EXPECT_EQ(parts(), W1252("Por ayuda Pulse F1||Nº 00001|"));
    ASSERT_TRUE(app.Post(WM_MENUSELECT, MAKEWPARAM(CMD_EXIT, MF_HILITE), 1));
    EXPECT_EQ(app.StatusText(0), W1252("Termina con la ejecución del programa"));
    ASSERT_TRUE(app.Post(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0));
    EXPECT_EQ(app.StatusText(0), "Por ayuda Pulse F1");
    EXPECT_TRUE(SaveScreenshot(app.MainWindow(), "main_window_with_bars"));
    SetWindowPos(app.MainWindow(), nullptr, 40, 30, 700, 500, SWP_NOZORDER); // to be remembered

    // With the port open the controller commands are enabled; nothing to save yet.
    EXPECT_EQ(ControllerCommands(app), "1111111100");

    ASSERT_TRUE(app.Command(CMD_ABOUT));
    Dialog about = app.ExpectDialog("the about box");
    EXPECT_EQ(about.Caption(), "Acerca del Programa");
    EXPECT_TRUE(SaveScreenshot(about.hwnd, "about_box"));
    EXPECT_TRUE(about.Press(IDCANCEL));

    // Help: F1 opens the contents; the search finds a topic; help on help turns to its book.
    PostMessageA(app.MainWindow(), WM_KEYDOWN, VK_F1, 0x003B0001);
    PostMessageA(app.MainWindow(), WM_KEYUP, VK_F1, 0xC03B0001);
    EXPECT_TRUE(WaitForHelpTopic(app, "Contenido"));
    HWND help = app.WaitForWindow("ZrtHelpWindow");
    ASSERT_TRUE(app.Command(CMD_HELP_SEARCH));
    HWND search = GetDlgItem(help, 12);
    SendWithTimeout(search, WM_SETTEXT, 0, (LPARAM) "renivel");
    ASSERT_TRUE(app.WaitIdle());
    SendWithTimeout(search, WM_CHAR, '\r', 0);
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Con renivelación")));
    EXPECT_TRUE(SaveScreenshot(help, "help_window"));
    ASSERT_TRUE(app.Command(CMD_HELP_ON_HELP));
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Cómo usar la Ayuda")));
    // Link messages posted by another window, of any topic index, change nothing.
    for (WPARAM topic : {2u, 0x7FFFFFFFu})
        PostMessageA(help, WM_APP + 40, topic, 0); // the topic view's link message
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Cómo usar la Ayuda")));

    // The settings dialog: its help button, pop-up help beside a field, whose closing key is used
    // up, a typed port refused, and a port without a device, which is tried at once.
    ASSERT_TRUE(app.Command(CMD_SETTINGS));
    Dialog settings = app.ExpectDialog("the settings dialog");
    EXPECT_TRUE(SaveScreenshot(settings.hwnd, "settings_dialog"));
    settings.Click(IDC_HELP_BUTTON);
    EXPECT_TRUE(WaitForHelpTopic(app, W1252("Configuración del programa")));
    HWND line1 = settings.Item(IDC_SETTINGS_LINE1);
    SetForegroundWindow(settings.hwnd);
    SendWithTimeout(settings.hwnd, WM_NEXTDLGCTL, (WPARAM)line1, TRUE);
    PressKey(VK_F1);
    ExpectPopUp(app, W1252("Primera línea del nombre de la empresa instaladora o de mantenimiento"),
                'X');
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_LINE1), "BRIVALT") << "the closing key was typed";
    settings.Click(IDC_SETTINGS_OTHER);
    SendWithTimeout(settings.Item(IDC_SETTINGS_OTHER_PORT), WM_SETTEXT, 0, (LPARAM) "256");
    settings.Click(IDOK);
    ExpectBox(app, kConfigurator,
              W1252("No existe un puerto con ese número. Escriba un número de 1 a 255."));
    ASSERT_TRUE(settings.IsOpen()) << "a refused port closed the dialog";
    settings.Click(IDC_SETTINGS_COM7);
    settings.Click(IDOK);
    ExpectBox(app, kDefaultCaption,
              "No se pudo abrir el puerto de comunicaciones COM7.\n" + kChooseAnother);
    EXPECT_TRUE(WaitUntil([&] { return !settings.IsOpen(); }));
    EXPECT_TRUE(app.WaitIdle() && !app.FindDialog()) << "a second message";
    EXPECT_EQ(ControllerCommands(app), "0000000000");
    EXPECT_EQ(app.StatusText(0), W1252("Sin conexión: no se encuentra el puerto COM7. Conecte el "
                                       "adaptador o elija otro puerto en Archivo > Configuración "
                                       "del programa..."));

    // A modified document shows MOD and its number; closing it unsaved.
    ASSERT_TRUE(EditSystemNumber(app, 321));
    EXPECT_EQ(parts().substr(parts().find('|')), W1252("|MOD|Nº 00321|"));
    SaveQuestion(app, IDNO);
    ASSERT_TRUE(app.WaitForExit());

    // The next start: where the window was, on COM7, which has no device.
    const LaunchOptions again{.settings = std::nullopt, .expectDialog = true};
    ASSERT_TRUE(app.Launch(again));
    ExpectBox(app, kDefaultCaption,
              "No se pudo abrir el puerto de comunicaciones COM7.\n" + kChooseAnother);
    EXPECT_EQ(Placement(app), (std::vector<long>{40, 30, 740, 530}));
    EXPECT_EQ(ControllerCommands(app), "0000000000");
    // A command reached anyway says why it cannot go on.
    ASSERT_TRUE(app.Command(CMD_EVENT_LOG));
    ExpectBox(app, kDefaultCaption,
              "No es posible comunicarse con el controlador.\nEl puerto de comunicaciones no "
              "pudo ser abierto.");
    ASSERT_TRUE(app.CloseAndWait());

    // Without the user's file, an older installation's file in the Windows folder is read, and
    // from then on only the user's file is written. Its window was left on a monitor that is
    // gone: the window opens at the default place, with its size. Its port, 256, is 0 in a byte.
    const std::string legacy = "[General]\r\nCommPort=256\r\nEmpresa1=Elevadores Sur\r\n"
                               "Empresa2=Rosario\r\n[Desktop]\r\nOrgWinL=5000\r\nOrgWinR=5640\r\n"
                               "OrgWinT=60\r\nOrgWinB=540\r\n";
    DeleteFileA(SettingsPath().c_str());
    ASSERT_TRUE(WriteBytes(kLegacySettings, legacy));
    ASSERT_TRUE(app.Launch(again));
    ExpectBox(app, kDefaultCaption,
              W1252("Puerto de comunicaciones COM0 no válido.\n") + kChooseAnother);
    EXPECT_EQ(Placement(app), (std::vector<long>{10, 10, 650, 490}));
    ASSERT_TRUE(app.CloseAndWait());
    EXPECT_NE(ReadBytes(SettingsPath()).find("Empresa1=Elevadores Sur"), std::string::npos);
    EXPECT_EQ(ReadBytes(kLegacySettings), legacy);
    DeleteFileA(kLegacySettings.c_str());
}

} // namespace
