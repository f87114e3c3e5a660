// The controller link as a technician meets it, in one start against the controller simulator
// on the program's serial port: the adapter plugged in after the start, the monitor, a transmit
// over a bad line, the identity question, faults of the line, each ending in its message,
// receives, the adapter pulled out during a transmit, the search for the controller and a port
// above 9. The conversations' rules are tested in tests/unit.
#include "rig.h"
#include "steps.h"

#include "app/history_line.h"
#include "base/text_encoding.h"
#include "link/wire_encoding.h"

#include <dbt.h>

#include <algorithm>
#include <regex>

namespace {

using namespace e2e;

const char* const kSilent = "El controlador no contesta.";
const std::string kVersion = W1252("El controlador es un ZR94VK con programa versión 3.7");
const std::string kPort = "COM" + Environment("ZRT_E2E_COM_PORT");
const std::string kChooseAnother =
    W1252(" elija otro puerto en Archivo > Configuración del programa...");

// Shell commands in the prefix's folder of port links, where $P is the simulator's port (com2)
// and $P.away stands for it while its adapter is pulled out.
bool PortLinks(const std::string& commands) {
    return RunLinux("cd $WINEPREFIX/dosdevices; P=com$ZRT_E2E_COM_PORT; " + commands);
}

// Whatever a scenario stopped in, the simulator's port is back and the other links are gone.
struct PortLinksRestored {
    ~PortLinksRestored() {
        PortLinks("[ -e $P.away ] && mv $P.away $P; rm -f com3 com5 com12; "
                  "[ -f silent.pid ] && kill $(cat silent.pid); rm -f silent.pid");
    }
};

std::string MonitorPort(const Dialog& monitor) {
    return monitor.ItemText(IDC_MON_PORT) + " " + monitor.ItemText(IDC_MON_STATE);
}

// Faults of the line (simulator options, cleared by sim::Reset() after each), and the command
// that meets them with the message that ends it.
const std::tuple<const char*, const char*, int, std::string> kFaults[] = {
    {"a burst of garbage instead of the answer", "noise 600\ndrop 1\n", CMD_RECEIVE_VERSION,
     kSilent},
    // The second version answer comes while the identity is awaited.
    {"every answer twice", "twice 1000\n", CMD_TRANSMIT_CONFIG,
     W1252("T2 - Código de respuesta erróneo. ")},
    // Part 1 is answered with the version.
    {"answers meant for another request", "stale 1000\n", CMD_RECEIVE_CONFIG,
     W1252("R1 - Código de respuesta erróneo en la recepción de la configuración.")},
    {"a controller that keeps something else than it took", "mismatch part2\n", CMD_TRANSMIT_CONFIG,
     W1252("La configuracion 2 no pudo ser verificada. La configuración del controlador fue "
           "modificada y puede ser errónea: transmítala nuevamente.")},
    {"a controller that refuses the configuration", "write-answer m\n", CMD_TRANSMIT_CONFIG,
     W1252("T3- Rango de datos erróneo. El controlador no fue configurado.")},
};

const std::string kProgramData = JoinPath(Environment("APPDATA"), "cnfzrt94");
const std::string kHistory = JoinPath(kProgramData, "Historial.csv");
const std::string kSent = JoinPath(kProgramData, "Enviadas");

// The records of a history file, each as its fields; a record that did not read whole as "!".
std::vector<std::vector<std::string>> HistoryRecords(const std::string& path = kHistory) {
    const std::string text = ReadBytes(path);
    std::vector<std::vector<std::string>> records;
    for (size_t at = 0; at < text.size();) {
        std::string fields[kHistoryFields];
        if (ReadHistoryRecord(text.data(), text.size(), &at, fields))
            records.emplace_back(fields, fields + kHistoryFields);
        else
            records.push_back({"!"});
    }
    return records;
}

// The last line of the history but its time, which is checked for its form; its fields
// (UTF-8) joined by '|'.
std::string LastExchange() {
    std::vector<std::vector<std::string>> records = HistoryRecords();
    if (records.size() < 2 || records.back().size() != kHistoryFields) return "no line";
    const std::vector<std::string>& last = records.back();
    EXPECT_TRUE(std::regex_match(last[0], std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
    std::string joined = last[1];
    for (int i = 2; i < kHistoryFields; ++i)
        joined += "|" + last[i];
    return joined;
}

// The simulator's last answers to 'b' and 'f' since `from`: what it holds, or sent.
void ExpectSimulatorSent(const ControllerConfig& image, size_t from) {
    PartTexts texts = EncodeParts(image);
    for (const std::string& sent : {"TX CD=c CO=o OR=c LA=226 " + sim::Logged(texts.part1),
                                    "TX CD=c CO=o OR=c LA=40 " + sim::Logged(texts.part2)}) {
        std::vector<std::string> lines = sim::Lines(from, sent.substr(0, sent.find("DATA")));
        EXPECT_EQ(lines.empty() ? "" : lines.back().substr(0, sent.size()), sent);
    }
}

TEST(Link, OneStartAgainstTheSimulator) {
    if (!sim::Available()) GTEST_SKIP() << "needs the controller simulator (scripts/test.sh)";
    ASSERT_TRUE(sim::Reset());
    // The program's folder of received copies, removed (or a file of its name).
    const std::string archive = JoinPath(Environment("APPDATA"), "cnfzrt94\\Recibidas");
    RemoveAll(archive);
    RemoveAll(kSent);
    RemoveAll(kHistory);
    // A document that differs from the simulator's empty configuration (system 1, cabin 1) in
    // everything but its identity.
    ControllerConfig document = Identity(1, 1);
    document.carSpeed = 120;
    document.TPA = 7;
    document.relayFunction[3] = 12;
    std::snprintf(document.siteName, sizeof document.siteName, "%s", W1252("Edificio Peñón Norte"));
    // Started before the adapter is plugged in: the commands are grayed and the bar says why.
    PortLinksRestored restored;
    ASSERT_TRUE(PortLinks("mv $P $P.away"));
    std::string path = JoinPath(TestFolder(), "start.z94");
    ASSERT_TRUE(WriteBytes(path, ConfigFileOf(document)));
    App app;
    ASSERT_TRUE(app.Launch({.commandLine = path, .expectDialog = true}));
    // A device Wine keeps from its registry opens but has no serial settings; in a new prefix
    // there may be none, and the port cannot be opened.
    const std::string hint =
        W1252("\nElija el puerto del adaptador en Archivo > Configuración del programa...");
    Dialog box = app.ExpectDialog("the port's message");
    const std::string shown = box.Describe();
    EXPECT_TRUE(shown == Dialog::Describe(kDefaultCaption, "Error en GetCommState." + hint) ||
                shown == Dialog::Describe(kDefaultCaption, W1252("No se pudo abrir el puerto de "
                                                                 "comunicaciones ") +
                                                               kPort + "." + hint))
        << shown;
    EXPECT_TRUE(box.Press(IDOK));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_RECEIVE_VERSION));
    EXPECT_EQ(app.StatusText(0), W1252("Sin conexión: no se encuentra el puerto ") + kPort +
                                     ". Conecte el adaptador o" + kChooseAnother);
    // Plugged in: the device-change message alone opens the port.
    ASSERT_TRUE(PortLinks("mv $P.away $P"));
    ASSERT_TRUE(app.Post(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED) && app.WaitIdle());
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_RECEIVE_VERSION));
    EXPECT_EQ(app.StatusText(0), "Por ayuda Pulse F1");

    size_t mark = sim::Mark();
    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion);
    EXPECT_EQ(sim::Requests(mark), "v");
    EXPECT_EQ(LastExchange(), "Versión|||3.7|" + Cp1252ToUtf8(kVersion.c_str()) + "|");
    // The port is open (Wine refuses RTS toggling; it opens with RTS held on instead). The
    // monitor, made now, shows the packets that came before it.
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = app.ExpectDialog("the monitor");
    EXPECT_EQ(MonitorPort(monitor), kPort + W1252(" Válido"));
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_OR) + monitor.ItemText(IDC_MON_RX_OR), "vw");

    // A transmit over a bad line: noise before each answer, answers in pieces.
    ASSERT_TRUE(sim::Control("noise 8\nsplit 20\ngap 30\n"));
    mark = sim::Mark();
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured);
    EXPECT_EQ(sim::Requests(mark), "vbhebf");
    ExpectSimulatorSent(document, mark);
    // The copy of what was sent is what the controller holds, and the history names it.
    ASSERT_EQ(FilesIn(kSent).size(), 1u);
    const std::string sentCopy = FilesIn(kSent)[0];
    ExpectSimulatorSent(ConfigIn(JoinPath(kSent, sentCopy)), mark);
    EXPECT_EQ(LastExchange(), std::string("Transmisión|1|1|3.7|") + kConfigured + "|" + sentCopy);
    // The last answer and request on the monitor (its fields' texts are tested in tests/fuzz).
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_DATA) + monitor.ItemText(IDC_MON_TX_OR),
              EncodeParts(document).part2 + "f");
    // Escape in the monitor hides it, as the menu command does.
    PostMessageA(monitor.Item(IDC_MON_RX_DATA), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_FALSE(app.FindDialog());
    EXPECT_TRUE(IsWindow(monitor.hwnd)) << "closing the monitor only hides it";

    // A controller of another cabin: the question, its No, and its Yes after "Cancelar".
    ASSERT_TRUE(sim::Control("noise 0\nsplit 0\ncabin 0\n"));
    mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    const std::string identity = W1252("El controlador está configurado para Sistema 1, Cabina E. "
                                       "¿Desea configurarlo para Sistema 1, Cabina 1?");
    Dialog question = ExpectBox(app, kConfigurator, identity, 0, {kInterrogation});
    EXPECT_EQ(app.FindDialog({kConfigurator}).Caption(), kInterrogation) << "not enabled";
    EXPECT_TRUE(SaveScreenshot(nullptr, "link_identity_question"));
    ASSERT_TRUE(question.Press(IDNO));
    ExpectEnd(app, kConfigurator, W1252("Transmisión de datos interrumpida"));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    question = ExpectBox(app, kConfigurator, identity, 0, {kInterrogation});
    ASSERT_TRUE(app.FindDialog({kConfigurator}).Press(IDCANCEL));
    EXPECT_FALSE(IsWindowEnabled(app.MainWindow())) << "no other command while it is asked";
    ASSERT_TRUE(question.Press(IDYES));
    EXPECT_FALSE(WaitUntil([&] { return app.FindDialog(); }, 1000)) << "a box came after Yes";
    EXPECT_EQ(sim::Requests(mark), "vbvb") << "Yes after Cancelar sent something";
    ExpectDocument(app, 1, false);

    // A received image that the document refuses shows only the document's message.
    ControllerConfig stored = Identity(345, 2);
    stored.stopCount = 30;
    path = JoinPath(TestFolder(), "controlador.z94");
    ASSERT_TRUE(WriteBytes(path, ConfigFileOf(stored)));
    ASSERT_TRUE(sim::Control("config " + UnixPath(path) + "\n"));
    mark = sim::Mark();
    RunToEnd(app, CMD_RECEIVE_CONFIG, W1252("Error en archivo de configuración"),
             W1252("Número de paradas 30 incorrecto."));
    EXPECT_EQ(sim::Requests(mark), "vbf");
    EXPECT_FALSE(WaitUntil([&] { return app.FindDialog(); }, 1000)) << "a second message came";
    ExpectDocument(app, 1, false);

    // Each fault of the line ends in its message and leaves the document as it was; whatever
    // it left on the line, the next exchange reads only its own answer.
    for (const auto& [what, control, command, text] : kFaults) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(sim::Reset() && sim::Control(control));
        RunToEnd(app, command, kDefaultCaption, text);
        // Its line in the history, and no copy of a configuration that was not verified.
        const std::vector<std::string> last = HistoryRecords().back();
        EXPECT_EQ(last.at(5) + "|" + last.at(6), Cp1252ToUtf8(text.c_str()) + "|");
        EXPECT_EQ(FilesIn(kSent).size(), 1u);
        ASSERT_TRUE(sim::Reset());
        ExpectDocument(app, 1, false);
        RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion);
    }

    // A modified document stays modified through a transmit; a receive first asks to save it,
    // and Cancel stops it before the line.
    ASSERT_TRUE(sim::Reset());
    ASSERT_TRUE(EditSystemNumber(app, 1));
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured);
    ExpectDocument(app, 1, true);
    // A read-back answered just after its retry went out is answered twice: the repeat is
    // dropped instead of being taken for part 2's answer.
    mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=e"));
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    ExpectEnd(app, kConfigurator, kConfigured);
    // A loaded machine may read the first answer only after a second retry: each read-back
    // request is answered, and all but the first answer are dropped.
    const std::string requests = sim::Requests(mark);
    EXPECT_TRUE(std::regex_match(requests, std::regex("vbhebb+f"))) << requests;
    EXPECT_EQ(sim::Lines(mark, "TX CD=c CO=o OR=c LA=226 ").size(), requests.size() - 4);
    // Too late for a version query, which waits one second; the late answer left on the line
    // is emptied by the next command, which reads only its own.
    mark = sim::Mark();
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, kSilent);
    ASSERT_TRUE(sim::WaitForLine(mark, "TX CD=c CO=o OR=w"));
    ASSERT_TRUE(sim::Control("delay 0\n"));
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured);
    EXPECT_EQ(sim::Requests(mark), "vvbhebf");
    mark = sim::Mark();
    SaveQuestion(app, IDCANCEL, CMD_RECEIVE_CONFIG);
    EXPECT_EQ(sim::Requests(mark), "");
    // No: the receive goes on.
    ASSERT_TRUE(sim::Control("system 345\ncabin 2\n"));
    SaveQuestion(app, IDNO, CMD_RECEIVE_CONFIG);
    ExpectEnd(app, kConfigurator, kReceived);
    EXPECT_EQ(sim::Requests(mark), "vbf");
    ExpectDocument(app, 345, false); // a received configuration counts as saved
    const std::string received = LastExchange();
    EXPECT_EQ(received.substr(0, received.rfind('|') + 1),
              "Recepción|345|2|3.7|" + Cp1252ToUtf8(kReceived.c_str()) + "|");
    EXPECT_TRUE(FileExists(JoinPath(archive, received.substr(received.rfind('|') + 1))));
    // The document holds exactly what the controller sent.
    ASSERT_TRUE(app.Command(CMD_SAVE_AS));
    Dialog save = app.ExpectDialog("the save-file dialog");
    path = JoinPath(TestFolder(), "A00345_2.Z94");
    EXPECT_TRUE(save.FillFileName(path));
    ExpectSimulatorSent(ConfigIn(path), mark);

    // The history dialog lists every line, newest first; filtered to system 345 it opens that
    // receive's copy as "Abrir" would, after the save question.
    const std::vector<std::vector<std::string>> records = HistoryRecords();
    const LRESULT of345 = std::count_if(records.begin(), records.end(), [](const auto& r) {
        return r.size() > 2 && r[2] == "345";
    });
    ASSERT_TRUE(EditSystemNumber(app, 1));
    ASSERT_TRUE(app.Command(CMD_HISTORY));
    Dialog history = app.ExpectDialog("the history dialog");
    HWND list = history.Item(IDC_HIST_LIST);
    EXPECT_EQ(SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0), (LRESULT)records.size() - 1);
    EXPECT_TRUE(SaveScreenshot(history.hwnd, "history_dialog"));
    ASSERT_TRUE(history.SetItemText(IDC_HIST_SYSTEM, "345"));
    EXPECT_EQ(SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0), of345);
    PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
    history.Click(IDC_HIST_OPEN);
    ExpectBox(app, W1252("Atención"),
              W1252("La configuración corriente fue modificada, ¿Desea salvarla?"), IDNO,
              {history.Caption()});
    EXPECT_FALSE(history.IsOpen()) << "the dialog ends once the copy is open";
    ExpectDocument(app, 345, false);

    // Every receive leaves its copy, the refused one included; two in one minute keep both.
    RunToEnd(app, CMD_RECEIVE_CONFIG, kConfigurator, kReceived);
    EXPECT_EQ(FilesIn(archive).size(), 3u);
    // A copy that cannot be written (a file where its folder should be) leaves the receive
    // alone, and is told in the status bar.
    RemoveAll(archive);
    ASSERT_TRUE(WriteBytes(archive, ""));
    RunToEnd(app, CMD_RECEIVE_CONFIG, kConfigurator, kReceived);
    EXPECT_EQ(app.StatusText(0),
              W1252("No se pudo guardar la copia de la configuración recibida."));
    RemoveAll(archive);

    // The adapter is pulled out while the controller is still to answer: the transmit ends as on
    // a silent line, the document as it was, and the commands gray with the bar saying why.
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(PortLinks("mv $P $P.away"));
    ASSERT_TRUE(app.Post(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED));
    ExpectEnd(app, kDefaultCaption, kSilent);
    ExpectDocument(app, 345, false);
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_RECEIVE_VERSION));
    EXPECT_EQ(app.StatusText(0), W1252("Se desconectó el adaptador del puerto ") + kPort +
                                     ". Vuelva a conectarlo o" + kChooseAnother);
    EXPECT_EQ(MonitorPort(monitor), kPort + W1252(" No válido"));

    // "Buscar controlador" asks each port present: a silent line as COM3, the simulator as COM5.
    ASSERT_TRUE(sim::Control("delay 0\n"));
    ASSERT_TRUE(PortLinks("ln -sfn $(readlink $P.away) com5; "
                          "(timeout 120 socat -u pty,raw,echo=0,link=com3 OPEN:/dev/null & "
                          "echo $! >silent.pid); for i in $(seq 50); do [ -e com3 ] && break; "
                          "sleep 0.1; done"));
    ASSERT_TRUE(app.Command(CMD_SETTINGS));
    Dialog settings = app.ExpectDialog("the settings dialog");
    const std::string present = settings.ItemText(IDC_SETTINGS_PRESENT);
    EXPECT_NE(present.find("COM3, COM5"), std::string::npos) << present;
    auto searchState = [&] { return settings.ItemText(IDC_SETTINGS_SEARCH_STATE); };
    settings.Click(IDC_SETTINGS_SEARCH);
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_SEARCH), "Detener");
    settings.Click(IDC_SETTINGS_SEARCH);
    EXPECT_EQ(searchState(), W1252("Búsqueda detenida. No se cambió el puerto."));
    mark = sim::Mark();
    settings.Click(IDC_SETTINGS_SEARCH);
    EXPECT_TRUE(WaitUntil([&] { return searchState().rfind("Probando COM3", 0) == 0; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return searchState().rfind("En ", 0) == 0; }, 10000));
    EXPECT_EQ(searchState(), W1252("En COM5 contestó un ZRT94VK con programa versión 3.7."));
    EXPECT_EQ(sim::Requests(mark), "v");
    EXPECT_EQ(IsDlgButtonChecked(settings.hwnd, IDC_SETTINGS_COM5), (UINT)BST_CHECKED);
    EXPECT_TRUE(SaveScreenshot(settings.hwnd, "settings_dialog_search"));
    ASSERT_TRUE(settings.Press(IDOK) && app.WaitIdle());
    EXPECT_EQ(MonitorPort(monitor), W1252("COM5 Válido"));
    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion);

    // A port above 9: the simulator as COM12, picked from the drop-down beside "Otro".
    ASSERT_TRUE(PortLinks("mv com5 com12"));
    ASSERT_TRUE(app.Command(CMD_SETTINGS));
    settings = app.ExpectDialog("the settings dialog");
    HWND other = settings.Item(IDC_SETTINGS_OTHER_PORT);
    EXPECT_EQ(SendWithTimeout(other, CB_GETCOUNT, 0, 0), 1);
    SendWithTimeout(other, CB_SETCURSEL, 0, 0);
    settings.Click(IDC_SETTINGS_OTHER);
    EXPECT_EQ(settings.ItemText(IDC_SETTINGS_OTHER_PORT), "COM12");
    // A team's folder for the history and the copies, made at its first line.
    const std::string team = JoinPath(TestFolder(), "equipo");
    RemoveAll(team);
    ASSERT_TRUE(settings.SetItemText(IDC_SETTINGS_DATA_FOLDER, team));
    ASSERT_TRUE(settings.Press(IDOK) && app.WaitIdle());
    EXPECT_EQ(MonitorPort(monitor), W1252("COM12 Válido"));
    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion);
    EXPECT_EQ(HistoryRecords(JoinPath(team, "Historial.csv")).size(), 2u);
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
    ASSERT_TRUE(sim::Reset());
}

// Two programs appending to one history at once: every line arrives whole, in each program's
// order, under one head.
TEST(Link, TwoProgramsShareOneHistory) {
    const std::string path = JoinPath(TestFolder(), "Historial.csv");
    RemoveAll(path);
    HANDLE programs[2];
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(Start("\"" + JoinPath(ExeFolder(), "e2e_tests.exe") +
                              "\" --append-history=" + path + ",1000,p" + std::to_string(i),
                          nullptr, &programs[i]));
    ASSERT_EQ(WaitForMultipleObjects(2, programs, TRUE, 120000), WAIT_OBJECT_0);
    for (HANDLE program : programs) {
        DWORD code = 99;
        EXPECT_TRUE(GetExitCodeProcess(program, &code) && code == 0) << code;
        CloseHandle(program);
    }
    std::vector<std::vector<std::string>> records = HistoryRecords(path);
    ASSERT_EQ(records.size(), 2001u);
    EXPECT_EQ(records[0][0], "Fecha");
    int next[2] = {0, 0};
    for (size_t i = 1; i < records.size(); ++i) {
        ASSERT_EQ(records[i].size(), (size_t)kHistoryFields) << "line " << i;
        int program = records[i][0] == "p1";
        ASSERT_EQ(records[i][1], std::to_string(next[program]++)) << "line " << i;
        EXPECT_EQ(records[i][5], "x;y");
    }
}

} // namespace
