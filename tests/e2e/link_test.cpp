// The controller link as a technician meets it, against the controller simulator on the
// program's serial port: version, receive and transmit in the interrogation dialog, a bad line,
// the port itself and the communications monitor.
#include "sim_control.h"
#include "steps.h"

#include "link/wire_encoding.h"

#include <cstring>

namespace {

using namespace e2e;

constexpr const char* kConfigurator = "Configurador ZRT94";
constexpr const char* kInterrogationCaption = "Interrogando controlador...";
constexpr const char* kMonitorCaption = "Comunicaciones";
constexpr const char* kNoAnswer = "El controlador no contesta.";
constexpr const char* kConfigured = "El controlador fue configurado correctamente.";
constexpr const char* kNotConfigured = " El controlador no fue configurado.";
const std::string kVersion37 = W1252("El controlador es un ZR94VK con programa versión 3.7");
const std::string kReceived =
    W1252("La configuración del controlador ha sido recibida correctamente.");
const std::string kVerifying = W1252("Verificando configuración");
constexpr WORD kControllerCommands[] = {CMD_RECEIVE_VERSION, CMD_RECEIVE_CONFIG,
                                        CMD_TRANSMIT_CONFIG, CMD_EVENT_LOG};
constexpr int kMonitorFields[] = {IDC_MON_RX_CD,   IDC_MON_RX_CO,  IDC_MON_RX_OR, IDC_MON_RX_LA,
                                  IDC_MON_RX_DATA, IDC_MON_TX_CD,  IDC_MON_TX_CO, IDC_MON_TX_OR,
                                  IDC_MON_TX_LA,   IDC_MON_TX_DATA};

// A document that differs from the simulator's empty configuration in more than its identity.
ControllerConfig SampleImage(unsigned systemNumber, unsigned cabin) {
    ControllerConfig image = Identity(systemNumber, cabin);
    image.carSpeed = 120;
    image.TPA = 7;
    image.relayFunction[3] = 12;
    std::snprintf(image.siteName, sizeof image.siteName, "%s", W1252("Edificio Peñón Norte"));
    std::memcpy(image.stopNames[0], "PB", 3);
    return image;
}

Dialog FindByCaption(App& app, const std::string& caption) {
    for (const Dialog& d : app.Dialogs())
        if (d.Caption() == caption) return d;
    return Dialog();
}

Dialog Interrogation(App& app) {
    return FindByCaption(app, kInterrogationCaption);
}

Dialog Monitor(App& app) {
    return FindByCaption(app, kMonitorCaption);
}

// The ten packet fields of the monitor, those received first.
std::vector<std::string> MonitorTexts(const Dialog& monitor) {
    std::vector<std::string> texts;
    for (int id : kMonitorFields)
        texts.push_back(monitor.ItemText(id));
    return texts;
}

// A box that ends or interrupts a conversation: any dialog of the program in front but the
// interrogation dialog and the monitor.
Dialog WaitForBox(App& app, DWORD timeoutMs = 15000) {
    Dialog found;
    WaitUntil(
        [&] {
            for (const Dialog& d : app.Dialogs()) {
                std::string caption = d.Caption();
                if (caption != kInterrogationCaption && caption != kMonitorCaption &&
                    IsWindowEnabled(d.Handle())) {
                    found = d;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

// The box that ends a conversation, checked and answered with OK; then the conversation is over.
void ExpectEnd(App& app, const std::string& caption, const std::string& text, Icon icon) {
    ExpectBox(WaitForBox(app), caption, text, icon);
    EXPECT_TRUE(WaitUntil([&] { return !Interrogation(app); }) && app.WaitIdle());
}

// Runs a controller command to the box that ends it.
void RunToEnd(App& app, int command, const std::string& caption, const std::string& text,
              Icon icon) {
    EXPECT_TRUE(app.Command(command));
    ExpectEnd(app, caption, text, icon);
}

// Waits until the interrogation dialog shows `text`.
bool WaitForProgress(App& app, const std::string& text, DWORD timeoutMs = 10000) {
    return WaitUntil([&] { return Interrogation(app).ItemText(IDC_CONV_PROGRESS) == text; },
                     timeoutMs);
}

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!sim::Available())
            GTEST_SKIP() << "needs the controller simulator (scripts/test.sh starts it)";
        ASSERT_TRUE(sim::Reset());
        sim::DrainPort(Port());
        mark = sim::Mark();
    }

    static int Port() { return LinkedComPort() > 0 ? LinkedComPort() : 2; }

    // Starts the program with `image` as its document, opened from the command line.
    void LaunchOn(const ControllerConfig& image) {
        document = image;
        ASSERT_TRUE(LaunchWith(app, image, "documento.z94"));
        ASSERT_EQ(app.Title(), Title(image.systemNumber));
    }

    // Save As under the recommended name (which it checks) in a folder of its own; the image
    // part of the file written.
    Bytes SavedImage(const std::string& folderName, const std::string& recommended) {
        std::string folder = JoinPath(TestFolder(), folderName);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(app.Command(CMD_SAVE_AS));
        Dialog save = app.ExpectDialog("the save-file dialog");
        EXPECT_EQ(save.FileName(), recommended);
        std::string path = JoinPath(folder, recommended);
        EXPECT_TRUE(save.FillFileName(path)) << app.FindDialog().Describe();
        std::optional<Bytes> bytes = ReadFileBytes(path);
        if (!bytes || bytes->size() != (size_t)kConfigFileSize) {
            ADD_FAILURE() << path << " was not written whole";
            return {};
        }
        return Bytes(bytes->begin() + kConfigFileHeaderSize, bytes->end());
    }

    // The document still holds `document` and is not modified.
    void ExpectDocumentUntouched() {
        EXPECT_EQ(app.Title(), Title(document.systemNumber));
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "the document is marked as modified";
        char name[32];
        std::snprintf(name, sizeof name, "A%05u_%u.Z94", document.systemNumber,
                      document.cabinNumber);
        Bytes image = ConfigFileOf(document);
        EXPECT_EQ(SavedImage("despues", name),
                  Bytes(image.begin() + kConfigFileHeaderSize, image.end()));
    }

    // The simulator's last answers to 'b' and 'f' (since `from`): what it holds or sent.
    void ExpectSimulatorSent(const ControllerConfig& image, size_t from) {
        std::vector<std::string> parts1 = sim::Lines(from, "TX CD=c CO=o OR=c LA=226 ");
        std::vector<std::string> parts2 = sim::Lines(from, "TX CD=c CO=o OR=c LA=40 ");
        ASSERT_FALSE(parts1.empty());
        ASSERT_FALSE(parts2.empty());
        EXPECT_EQ(sim::Data(parts1.back()), EncodeParts(image).part1);
        EXPECT_EQ(sim::Data(parts2.back()), EncodeParts(image).part2);
    }

    App app;
    size_t mark = 0;
    ControllerConfig document{};
};

// ---------------------------------------------------------------------------------------------
// Version

TEST_F(LinkTest, VersionOfTheController) {
    LaunchOn(SampleImage(123, 2));
    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion37, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "v");
    // A mark in lower case is another model.
    ASSERT_TRUE(sim::Control("model 94vk\n"));
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, "V - El controlador no es un ZRT94VK",
             Icon::Stop);
    // An answer with a corrupt check is no answer; the next one is whole again.
    ASSERT_TRUE(sim::Control("model 94VK\nbad-check 1\n"));
    size_t at = sim::Mark();
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_EQ(sim::Lines(at, "TX").size(), 1u);
    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion37, Icon::Information);
    ExpectDocumentUntouched();
}

TEST_F(LinkTest, SlowAndLateAnswers) {
    ASSERT_TRUE(app.Launch());
    // Too late for a version query, which waits one second.
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    DWORD start = GetTickCount();
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_GE(GetTickCount() - start, 1000u);
    ASSERT_TRUE(sim::WaitForLine(mark, "TX CD=c CO=o OR=w"));
    ASSERT_TRUE(sim::Control("delay 0\n"));
    // The late answer waits on the line; the receive empties it first and reads only its own.
    RunToEnd(app, CMD_RECEIVE_CONFIG, kConfigurator, kReceived, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vvbf");
    ASSERT_TRUE(app.CloseAndWait());

    // In time for a receive, which gives the version and part 1 two seconds together: only the
    // version answer is slow here, past the one second of a version query but early enough
    // that part 1 still comes well inside the two seconds after two 200 ms polls.
    Sleep(100);
    sim::DrainPort(Port());
    App second;
    ASSERT_TRUE(second.Launch());
    ASSERT_TRUE(sim::Control("delay 1100\n"));
    size_t at = sim::Mark();
    ASSERT_TRUE(second.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(at, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(sim::Control("delay 0\n"));
    ExpectEnd(second, kConfigurator, kReceived, Icon::Information);
    EXPECT_EQ(sim::Requests(at), "vbf");
}

TEST_F(LinkTest, CancelBeforeTheFirstAnswerShowsNothing) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(sim::Control("drop 1\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_VERSION));
    Dialog dialog = Interrogation(app);
    EXPECT_EQ(dialog.ItemText(IDC_CONV_PROGRESS), W1252("Solicitando versión."));
    ASSERT_TRUE(dialog.Press(IDCANCEL));
    // Past the one second the answer had: no box comes.
    Sleep(1500);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(app.Dialogs().empty()) << app.Dialogs().front().Describe();
    EXPECT_EQ(sim::Requests(mark), "v");
}

// ---------------------------------------------------------------------------------------------
// Receive

TEST_F(LinkTest, ReceiveFromVersion3AndVersion2Controllers) {
    LaunchOn(SampleImage(123, 2));
    ASSERT_TRUE(sim::Control("system 345\ncabin 2\ndelay 500\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(WaitForProgress(app, W1252("Solicitando configuración (2).")));
    EXPECT_TRUE(SaveScreenshot(nullptr, "link_interrogation_in_progress"));
    EXPECT_EQ(app.Title(), Title(123)) << "nothing is replaced before part 2 has come";
    ExpectEnd(app, kConfigurator, kReceived, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vbf");

    EXPECT_EQ(app.Title(), Title(345));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "a received configuration counts as saved";
    // The document holds exactly what the controller sent, and is named after its identity.
    Bytes saved = SavedImage("recibido", "A00345_2.Z94");
    ASSERT_EQ(saved.size(), sizeof(ControllerConfig));
    ControllerConfig image;
    std::memcpy(&image, saved.data(), sizeof image);
    ExpectSimulatorSent(image, mark);

    // A version 2 controller is asked for part 1 only.
    mark = sim::Mark();
    ASSERT_TRUE(sim::Control("version 02.40\nsystem 77\n"));
    RunToEnd(app, CMD_RECEIVE_CONFIG, kConfigurator,
             kReceived + W1252("\r\nEl controlador es de versión anterior a 3.0 por lo que "
                               "algunos parámetros no serán configurables.\r\nConsulte la "
                               "ayuda por mas información."),
             Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vb");
    EXPECT_EQ(app.Title(), Title(77));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
}

TEST_F(LinkTest, FailedAndCancelledReceivesLeaveTheDocument) {
    LaunchOn(SampleImage(123, 2));
    // Each fault is set once the simulator has taken the request before the one it is meant
    // for; the slow answers leave time for that.
    ASSERT_TRUE(sim::Control("system 345\ndelay 500\n"));

    // Part 1 one character short.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(sim::Control("short 1\n"));
    ExpectEnd(app, kDefaultCaption,
              W1252("R1 - Largo de paquete erróneo en la recepción de la configuración."),
              Icon::Stop);
    EXPECT_EQ(sim::Lines(mark, "TX CD=c CO=o OR=c LA=225 ").size(), 1u);

    // A controller that stops answering after part 1: four seconds for part 2.
    size_t at = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(at, "RX CD=o CO=c OR=b"));
    ASSERT_TRUE(sim::Control("drop 1\n"));
    ExpectEnd(app, kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_EQ(sim::Requests(at), "vbf");

    // "Cancelar" between the parts.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(WaitForProgress(app, W1252("Solicitando configuración (2).")));
    ASSERT_TRUE(Interrogation(app).Press(IDCANCEL));
    Sleep(800); // the answer to 'f' comes meanwhile and stays unread
    EXPECT_FALSE(WaitForBox(app, 500)) << "a box came after Cancelar";
    ExpectDocumentUntouched();
}

TEST_F(LinkTest, AReceivedImageTheDocumentRefusesShowsOnlyItsMessage) {
    LaunchOn(SampleImage(123, 2));
    ControllerConfig stored = SampleImage(345, 2);
    stored.stopCount = 30;
    std::string path = JoinPath(TestFolder(), "controlador.z94");
    ASSERT_TRUE(WriteFileBytes(path, ConfigFileOf(stored)));
    ASSERT_TRUE(sim::Control("config " + sim::UnixPath(path) + "\n"));
    RunToEnd(app, CMD_RECEIVE_CONFIG, W1252("Error en archivo de configuración"),
             W1252("Número de paradas 30 incorrecto."), Icon::Stop);
    EXPECT_EQ(sim::Requests(mark), "vbf");
    EXPECT_FALSE(WaitForBox(app, 1000)) << "a second message came";
    ExpectDocumentUntouched();
}

// ---------------------------------------------------------------------------------------------
// Transmit

TEST_F(LinkTest, TransmitWithTheSameIdentityIsVerifiedWithoutAQuestion) {
    LaunchOn(SampleImage(1, 1)); // the simulator's empty configuration is system 1, cabin 1
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vbhebf");
    ExpectSimulatorSent(document, mark);
    // What was sent is the document, part by part.
    EXPECT_EQ(sim::Data(sim::Lines(mark, "RX CD=o CO=c OR=h LA=226 ").at(0)),
              EncodeParts(document).part1);
    EXPECT_EQ(sim::Data(sim::Lines(mark, "RX CD=o CO=c OR=e LA=40 ").at(0)),
              EncodeParts(document).part2);

    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);
    EXPECT_EQ(MonitorTexts(monitor),
              (std::vector<std::string>{"c", "o", "c", "40", EncodeParts(document).part2, "o", "c",
                                        "f", "0", ""}));
    // Wine raises the main window over the windows it owns when it is activated again (Windows
    // keeps them above it): bring the monitor to the front for the picture.
    SetWindowPos(monitor.Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(SaveScreenshot(nullptr, "link_monitor_after_transmit"));
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    ExpectDocumentUntouched();
}

TEST_F(LinkTest, IdentityQuestionItsNoAndYesAfterCancel) {
    LaunchOn(SampleImage(1, 2));
    ASSERT_TRUE(sim::Control("cabin 0\n"));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    Dialog question = WaitForBox(app);
    ExpectBox(question, kConfigurator,
              W1252("El controlador está configurado para Sistema 1, Cabina E. ¿Desea "
                    "configurarlo para Sistema 1, Cabina 2?"),
              Icon::Question, 0);
    EXPECT_EQ(question.Buttons(), (std::vector<int>{IDYES, IDNO}));
    // The dialog stays usable under the question.
    EXPECT_TRUE(IsWindowEnabled(Interrogation(app).Handle()));
    EXPECT_TRUE(SaveScreenshot(nullptr, "link_identity_question"));
    ASSERT_TRUE(question.Press(IDNO));
    ExpectEnd(app, kConfigurator, W1252("Transmisión de datos interrumpida"), Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vb");

    // Yes after the dialog was cancelled sends nothing.
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    question = WaitForBox(app);
    ASSERT_TRUE(question);
    ASSERT_TRUE(Interrogation(app).Press(IDCANCEL, 2000));
    // Until the question is answered no other command can start.
    EXPECT_FALSE(IsWindowEnabled(app.MainWindow()));
    ASSERT_TRUE(question.Press(IDYES));
    Sleep(500);
    EXPECT_FALSE(WaitForBox(app, 500)) << "a box came after Yes";
    EXPECT_TRUE(IsWindowEnabled(app.MainWindow()));
    EXPECT_EQ(sim::Requests(mark), "vbvb");
    ExpectDocumentUntouched();
}

TEST_F(LinkTest, LostAndLateReadBacks) {
    LaunchOn(SampleImage(1, 1));
    // Once part 2 is in, the next two answers (to the read-back 'b') get lost; the slow
    // acknowledgement of part 2 leaves time to say so.
    ASSERT_TRUE(sim::Control("delay 400\n"));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=e"));
    ASSERT_TRUE(sim::Control("drop 2\n"));
    std::vector<std::string> verifying;
    WaitUntil(
        [&] {
            std::string text = Interrogation(app).ItemText(IDC_CONV_PROGRESS);
            if (text.rfind(kVerifying, 0) == 0 && (verifying.empty() || verifying.back() != text))
                verifying.push_back(text);
            return static_cast<bool>(WaitForBox(app, 0));
        },
        15000);
    ExpectEnd(app, kConfigurator, kConfigured, Icon::Information);
    EXPECT_EQ(verifying,
              (std::vector<std::string>{kVerifying + " (1) - 5.", kVerifying + " (1) - 4.",
                                        kVerifying + " (1) - 3.", kVerifying + " (2)."}));
    EXPECT_EQ(sim::Requests(mark), "vbhebbbf");
    ExpectSimulatorSent(document, mark);

    // A read-back answered just after its retry went out is answered twice: the repeat is
    // dropped instead of being taken for part 2's answer.
    mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=e"));
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    ExpectEnd(app, kConfigurator, kConfigured, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vbhebbf");
    EXPECT_EQ(sim::Lines(mark, "TX CD=c CO=o OR=c LA=226 ").size(), 3u);
}

TEST_F(LinkTest, RefusedConfigurationsAndFailedVerifications) {
    LaunchOn(SampleImage(1, 1));
    std::pair<const char*, std::string> cases[] = {
        {"write-answer m\n", W1252("T3- Rango de datos erróneo.") + std::string(kNotConfigured)},
        {"write-answer M\n", W1252("T3- Tipo de datos erróneo.") + std::string(kNotConfigured)},
        {"write-answer f\n", W1252("T3- El controlador tiene configuración fija.")},
        {"write-answer e\nmismatch part1\n",
         "La configuracion 1 no pudo ser verificada." + std::string(kNotConfigured)},
        {"mismatch part2\n",
         "La configuracion 2 no pudo ser verificada." + std::string(kNotConfigured)},
    };
    for (const auto& [control, text] : cases) {
        SCOPED_TRACE(control);
        ASSERT_TRUE(sim::Control(control));
        RunToEnd(app, CMD_TRANSMIT_CONFIG, kDefaultCaption, text, Icon::Stop);
    }
    ExpectDocumentUntouched();
}

TEST_F(LinkTest, ModifiedDocumentThroughTransmitAndReceive) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 1));
    ASSERT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured, Icon::Information);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "the transmit changed the modified flag";

    // A receive first offers to save, Cancel included; Cancel stops it before the line.
    size_t at = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    Dialog question = app.ExpectDialog("the save question");
    EXPECT_EQ(question.Buttons(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    ExpectBox(question, W1252("Atención"),
              W1252("La configuración corriente fue modificada, ¿Desea salvarla?"), Icon::Question,
              IDCANCEL);
    EXPECT_FALSE(Interrogation(app));
    EXPECT_EQ(sim::Requests(at), "");
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));

    // No: the receive goes on, and the received configuration counts as saved.
    ASSERT_TRUE(sim::Control("system 88\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(app.ExpectDialog("the save question").Press(IDNO));
    ExpectEnd(app, kConfigurator, kReceived, Icon::Information);
    EXPECT_EQ(app.Title(), Title(88));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

// ---------------------------------------------------------------------------------------------
// A bad line

TEST_F(LinkTest, NoiseAndFramesInPiecesStillWork) {
    LaunchOn(SampleImage(1, 1));
    ASSERT_TRUE(sim::Control("noise 8\nsplit 20\ngap 30\n"));
    RunToEnd(app, CMD_TRANSMIT_CONFIG, kConfigurator, kConfigured, Icon::Information);
    EXPECT_FALSE(sim::Lines(mark, "NOISE 8").empty());
    EXPECT_GE(sim::Lines(mark, "PIECE").size(), 20u);
    ExpectSimulatorSent(document, mark);
}

// ---------------------------------------------------------------------------------------------
// The port

struct PortCase {
    int port;
    const char* text;
};

class PortSettingTest : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortSettingTest, ReportsTheNamedPortAndRunsWithoutALink) {
    const PortCase& c = GetParam();
    App app;
    LaunchOptions options;
    options.settings = "[General]\r\nCommPort=" + std::to_string(c.port) + "\r\n";
    options.expectDialog = true;
    ASSERT_TRUE(app.Launch(options));
    ExpectBox(app.ExpectDialog("the port message"), kDefaultCaption, c.text, Icon::Stop);
    for (WORD id : kControllerCommands) {
        EXPECT_TRUE(app.IsMenuItemGrayed(id)) << id;
        EXPECT_FALSE(ToolbarButtonEnabled(app, id)) << id;
    }
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = Monitor(app);
    EXPECT_EQ(monitor.ItemText(IDC_MON_PORT), "COM" + std::to_string(c.port));
    EXPECT_EQ(monitor.ItemText(IDC_MON_STATE), W1252("No válido"));
    ASSERT_TRUE(app.Command(CMD_MONITOR));

    // The command itself, reached anyway, says why it cannot go on.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_VERSION));
    ExpectBox(app.ExpectDialog("the closed-port message"), kDefaultCaption,
              "No es posible comunicarse con el controlador.\nEl puerto de comunicaciones no "
              "pudo ser abierto.",
              Icon::Stop);
}

// COM7 has no device behind it in the test prefix.
INSTANTIATE_TEST_SUITE_P(
    Link, PortSettingTest,
    ::testing::Values(PortCase{7, "No se pudo abrir el puerto de comunicaciones COM7."},
                      PortCase{0, W1252("Puerto de comunicaciones COM0 no válido.")},
                      PortCase{10, W1252("Puerto de comunicaciones COM10 no válido.")}));

// ---------------------------------------------------------------------------------------------
// The communications monitor

TEST_F(LinkTest, MonitorShowsTheOpenPortAndTheLastPacketOfEachDirection) {
    ASSERT_TRUE(app.Launch());
    EXPECT_FALSE(Monitor(app));
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);
    // Wine's serial driver refuses RTS toggling; the port opens with RTS held on instead.
    EXPECT_EQ(monitor.ItemText(IDC_MON_PORT), "COM" + std::to_string(Port()));
    EXPECT_EQ(monitor.ItemText(IDC_MON_STATE), W1252("Válido"));

    RunToEnd(app, CMD_RECEIVE_VERSION, kConfigurator, kVersion37, Icon::Information);
    EXPECT_EQ(MonitorTexts(monitor),
              (std::vector<std::string>{"c", "o", "w", "9", "03.0794VK", "o", "c", "v", "0", ""}));
    // A packet of 255 data bytes: its first 250 are shown.
    std::string model(250, 'K');
    model.replace(0, 5, "LARGO");
    ASSERT_TRUE(sim::Control("model " + model + "\n"));
    RunToEnd(app, CMD_RECEIVE_VERSION, kDefaultCaption, "V - El controlador no es un ZRT94VK",
             Icon::Stop);
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_LA), "255");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_DATA), "03.07" + model.substr(0, 245));

    PostMessageA(monitor.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MON_CLEAR, BN_CLICKED),
                 (LPARAM)monitor.Item(IDC_MON_CLEAR));
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(MonitorTexts(monitor), std::vector<std::string>(10, ""));
    EXPECT_EQ(monitor.ItemText(IDC_MON_STATE), W1252("Válido"));

    // The menu command toggles it; Escape in it hides it too.
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    EXPECT_FALSE(Monitor(app));
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    ASSERT_TRUE(Monitor(app));
    HWND data = monitor.Item(IDC_MON_RX_DATA);
    PostMessageA(data, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(data, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_FALSE(Monitor(app));
    EXPECT_TRUE(IsWindow(monitor.Handle())) << "closing the monitor only hides it";
}

} // namespace
