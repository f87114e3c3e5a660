// The controller link as a technician meets it, against the controller simulator on the
// program's serial port: version, receive and transmit in the interrogation dialog, a bad line,
// the port itself and the communications monitor.
#include "driver.h"
#include "sim_control.h"

#include "app/config_file.h"
#include "app/cp1252.h"
#include "config/controller_config.h"
#include "link/wire_encoding.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

using e2e::App;
using e2e::Bytes;
using e2e::Dialog;
using e2e::Icon;
namespace sim = e2e::sim;

// Cases that set the port in the settings file wait for the settings to be read at start-up.
constexpr bool kSettingsAreRead = true;
#define SKIP_UNTIL_SETTINGS()                                                                      \
    if (!kSettingsAreRead) GTEST_SKIP() << "waits for the settings file to be read at start-up"

constexpr const char* kDefaultCaption = "Error"; // English Wine's caption for a box without one
constexpr const char* kConfigurator = "Configurador ZRT94";
constexpr const char* kInterrogationCaption = "Interrogando controlador...";
constexpr const char* kMonitorCaption = "Comunicaciones";
constexpr const char* kNoAnswer = "El controlador no contesta.";
constexpr const char* kConfigured = "El controlador fue configurado correctamente.";
constexpr const char* kNotConfigured = " El controlador no fue configurado.";
constexpr const WORD kControllerCommands[] = {CMD_RECEIVE_VERSION, CMD_RECEIVE_CONFIG,
                                              CMD_TRANSMIT_CONFIG, CMD_EVENT_LOG};

const char* Received() {
    return W1252("La configuración del controlador ha sido recibida correctamente.");
}
const char* OldControllerNotice() {
    return W1252("\r\nEl controlador es de versión anterior a 3.0 por lo que algunos parámetros "
                 "no serán configurables.\r\nConsulte la ayuda por mas información.");
}

std::string Title(unsigned systemNumber) {
    char title[100];
    std::snprintf(title, sizeof title, W1252("Configurador de ZRT94VK - Controlador Nº %05u"),
                  systemNumber);
    return title;
}

// A document that differs from the simulator's empty configuration in more than its identity.
ControllerConfig SampleImage(unsigned systemNumber, unsigned cabin) {
    ControllerConfig image = MakeEmptyConfig();
    image.systemNumber = (uint16_t)systemNumber;
    image.cabinNumber = (uint8_t)cabin;
    image.carSpeed = 120;
    image.TPA = 7;
    image.relayFunction[3] = 12;
    std::snprintf(image.siteName, sizeof image.siteName, "%s", W1252("Edificio Peñón Norte"));
    std::memcpy(image.stopNames[0], "PB", 3);
    return image;
}

Bytes FileOf(const ControllerConfig& image) {
    unsigned char bytes[kConfigFileSize];
    EncodeConfigFile(image, 4, bytes);
    return Bytes(bytes, bytes + sizeof bytes);
}

std::string Part1(const ControllerConfig& image) {
    char text[kPart1Length];
    EncodePart1(image, text);
    return std::string(text, sizeof text);
}

std::string Part2(const ControllerConfig& image) {
    char text[kPart2Length];
    EncodePart2(image, text);
    return std::string(text, sizeof text);
}

struct Box {
    std::string caption, text;
    Icon icon = Icon::Unknown;
    std::vector<int> buttons;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "[" << box.caption << "] " << box.text << " (" << e2e::IconName(box.icon) << ")";
}

void ExpectBox(const Box& box, const std::string& caption, const std::string& text, Icon icon) {
    EXPECT_EQ(box.caption, caption) << box;
    EXPECT_EQ(box.text, text) << box;
    EXPECT_EQ(e2e::IconName(box.icon), std::string(e2e::IconName(icon))) << box;
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

// A box that ends or interrupts a conversation: any dialog of the program in front but the
// interrogation dialog and the monitor.
Dialog WaitForBox(App& app, DWORD timeoutMs = 15000) {
    Dialog found;
    e2e::WaitUntil(
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

Box Read(const Dialog& d) {
    Box box;
    if (!d) return box;
    box.caption = d.Caption();
    box.text = d.Text();
    box.icon = d.IconKind();
    box.buttons = d.Buttons();
    return box;
}

bool WaitUntilConversationEnds(App& app) {
    return e2e::WaitUntil([&] { return !Interrogation(app); }) && app.WaitIdle();
}

// Answers the box in front and waits until the conversation is over.
Box Answer(App& app, int button = IDOK) {
    Dialog d = WaitForBox(app);
    Box box = Read(d);
    if (!d) {
        ADD_FAILURE() << "no box came";
        return box;
    }
    EXPECT_TRUE(d.Press(button)) << d.Describe();
    EXPECT_TRUE(WaitUntilConversationEnds(app));
    return box;
}

// Runs a controller command to the box that ends it, and presses its OK.
Box RunToEnd(App& app, int command) {
    EXPECT_TRUE(app.Command(command));
    return Answer(app);
}

// Waits until the interrogation dialog shows `text`.
bool WaitForProgress(App& app, const std::string& text, DWORD timeoutMs = 10000) {
    return e2e::WaitUntil([&] { return Interrogation(app).ItemText(IDC_CONV_PROGRESS) == text; },
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

    static int Port() { return e2e::LinkedComPort() > 0 ? e2e::LinkedComPort() : 2; }

    // Starts the program with `image` as its document, opened from the command line.
    void LaunchWith(const ControllerConfig& image) {
        document = image;
        documentPath = e2e::JoinPath(e2e::TestFolder(), "documento.z94");
        ASSERT_TRUE(e2e::WriteFileBytes(documentPath, FileOf(image)));
        ASSERT_TRUE(app.Launch(documentPath));
        ASSERT_EQ(app.Title(), Title(image.systemNumber));
    }

    // Save As under the recommended name (which it checks) in a folder of its own; the image
    // part of the file written.
    Bytes SavedImage(const std::string& folderName, const std::string& recommended) {
        std::string folder = e2e::JoinPath(e2e::TestFolder(), folderName);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(app.Command(CMD_SAVE_AS));
        Dialog save = app.ExpectDialog("the save-file dialog");
        if (!save) return {};
        EXPECT_EQ(save.FileName(), recommended);
        std::string path = e2e::JoinPath(folder, recommended);
        EXPECT_TRUE(save.FillFileName(path)) << app.FindDialog().Describe();
        std::optional<Bytes> bytes = e2e::ReadFileBytes(path);
        if (!bytes || bytes->size() != (size_t)kConfigFileSize) {
            ADD_FAILURE() << path << " was not written whole";
            return {};
        }
        return Bytes(bytes->begin() + kConfigFileHeaderSize, bytes->end());
    }

    // The document still holds `document` and is not modified.
    void ExpectDocumentUntouched(const std::string& folderName) {
        EXPECT_EQ(app.Title(), Title(document.systemNumber));
        EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "the document is marked as modified";
        char name[32];
        std::snprintf(name, sizeof name, "A%05u_%u.Z94", document.systemNumber,
                      document.cabinNumber);
        Bytes image = FileOf(document);
        EXPECT_EQ(SavedImage(folderName, name),
                  Bytes(image.begin() + kConfigFileHeaderSize, image.end()));
    }

    // The last answers of the simulator to 'b' and 'f': what it holds.
    void ExpectSimulatorHolds(const ControllerConfig& image) {
        std::vector<std::string> parts1 = sim::Lines(mark, "TX CD=c CO=o OR=c LA=226 ");
        std::vector<std::string> parts2 = sim::Lines(mark, "TX CD=c CO=o OR=c LA=40 ");
        ASSERT_FALSE(parts1.empty());
        ASSERT_FALSE(parts2.empty());
        EXPECT_EQ(sim::Data(parts1.back()), Part1(image));
        EXPECT_EQ(sim::Data(parts2.back()), Part2(image));
    }

    App app;
    size_t mark = 0;
    ControllerConfig document{};
    std::string documentPath;
};

// ---------------------------------------------------------------------------------------------
// Version

TEST_F(LinkTest, VersionOfTheController) {
    LaunchWith(SampleImage(123, 2));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kConfigurator,
              W1252("El controlador es un ZR94VK con programa versión 3.7"), Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "v");

    // A mark in lower case is another model.
    ASSERT_TRUE(sim::Control("model 94vk\n"));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kDefaultCaption,
              "V - El controlador no es un ZRT94VK", Icon::Stop);
    ExpectDocumentUntouched("despues");
}

TEST_F(LinkTest, VersionAnswerAfterOneAndAHalfSeconds) {
    ASSERT_TRUE(app.Launch());
    // Too late for a version query, which waits one second.
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    DWORD start = GetTickCount();
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_GE(GetTickCount() - start, 1000u);
    ASSERT_TRUE(sim::WaitForLine(mark, "TX CD=c CO=o OR=w"));
    ASSERT_TRUE(app.CloseAndWait());
    Sleep(100);

    // In time for a receive, which gives the version and part 1 two seconds together: only the
    // version answer is slow here.
    ASSERT_TRUE(sim::Control("delay 0\n"));
    sim::DrainPort(Port());
    App second;
    ASSERT_TRUE(second.Launch());
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    size_t at = sim::Mark();
    ASSERT_TRUE(second.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(at, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(sim::Control("delay 0\n"));
    ExpectBox(Answer(second), kConfigurator, Received(), Icon::Information);
    EXPECT_EQ(sim::Requests(at), "vbf");
}

TEST_F(LinkTest, CancelBeforeTheFirstAnswerShowsNothing) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(sim::Control("drop 1\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_VERSION));
    Dialog dialog = Interrogation(app);
    ASSERT_TRUE(dialog);
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

TEST_F(LinkTest, ReceiveFromAVersion3Controller) {
    LaunchWith(SampleImage(123, 2));
    ASSERT_TRUE(sim::Control("system 345\ncabin 2\ndelay 500\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(WaitForProgress(app, W1252("Solicitando configuración (2).")));
    EXPECT_TRUE(e2e::SaveScreenshot(nullptr, "link_interrogation_in_progress"));
    // Nothing is replaced before part 2 has come.
    EXPECT_EQ(app.Title(), Title(123));
    ExpectBox(Answer(app), kConfigurator, Received(), Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vbf");

    EXPECT_EQ(app.Title(), Title(345));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE)) << "a received configuration counts as saved";
    // The document holds exactly what the controller sent, and is named after its identity.
    Bytes saved = SavedImage("recibido", "A00345_2.Z94");
    ASSERT_EQ(saved.size(), sizeof(ControllerConfig));
    ControllerConfig image;
    std::memcpy(&image, saved.data(), sizeof image);
    EXPECT_EQ(Part1(image), sim::Data(sim::Lines(mark, "TX CD=c CO=o OR=c LA=226 ").back()));
    EXPECT_EQ(Part2(image), sim::Data(sim::Lines(mark, "TX CD=c CO=o OR=c LA=40 ").back()));
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
}

TEST_F(LinkTest, ReceiveFromAVersion2ControllerAsksForPartOneOnly) {
    LaunchWith(SampleImage(123, 2));
    ASSERT_TRUE(sim::Control("version 02.40\nsystem 77\n"));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_CONFIG), kConfigurator,
              std::string(Received()) + OldControllerNotice(), Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vb");
    EXPECT_EQ(app.Title(), Title(77));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

TEST_F(LinkTest, FailedAndCancelledReceivesLeaveTheDocument) {
    LaunchWith(SampleImage(123, 2));
    ASSERT_TRUE(sim::Control("system 345\n"));

    // Each fault is set once the simulator has taken the request before the one it is meant
    // for; the slow answers leave time for that.
    ASSERT_TRUE(sim::Control("delay 500\n"));

    // Part 1 one character short.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=v"));
    ASSERT_TRUE(sim::Control("short 1\n"));
    ExpectBox(Answer(app), kDefaultCaption,
              W1252("R1 - Largo de paquete erróneo en la recepción de la configuración."),
              Icon::Stop);
    EXPECT_EQ(sim::Lines(mark, "TX CD=c CO=o OR=c LA=225 ").size(), 1u);

    // A controller that stops answering after part 1: four seconds for part 2.
    size_t at = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(at, "RX CD=o CO=c OR=b"));
    ASSERT_TRUE(sim::Control("drop 1\n"));
    ExpectBox(Answer(app), kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_EQ(sim::Requests(at), "vbf");

    // "Cancelar" between the parts.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    ASSERT_TRUE(WaitForProgress(app, W1252("Solicitando configuración (2).")));
    ASSERT_TRUE(Interrogation(app).Press(IDCANCEL));
    Sleep(800); // the answer to 'f' comes meanwhile and stays unread
    EXPECT_FALSE(WaitForBox(app, 500)) << "a box came after Cancelar";

    ExpectDocumentUntouched("despues");
}

TEST_F(LinkTest, AReceivedImageTheDocumentRefusesShowsOnlyItsMessage) {
    LaunchWith(SampleImage(123, 2));
    ControllerConfig stored = SampleImage(345, 2);
    stored.stopCount = 30;
    std::string path = e2e::JoinPath(e2e::TestFolder(), "controlador.z94");
    ASSERT_TRUE(e2e::WriteFileBytes(path, FileOf(stored)));
    ASSERT_TRUE(sim::Control("config " + sim::UnixPath(path) + "\n"));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_CONFIG), W1252("Error en archivo de configuración"),
              W1252("Número de paradas 30 incorrecto."), Icon::Stop);
    EXPECT_EQ(sim::Requests(mark), "vbf");
    EXPECT_FALSE(WaitForBox(app, 1000)) << "a second message came";
    ExpectDocumentUntouched("despues");
}

// ---------------------------------------------------------------------------------------------
// Transmit

TEST_F(LinkTest, TransmitWithTheSameIdentityIsVerifiedWithoutAQuestion) {
    LaunchWith(SampleImage(1, 1)); // the simulator's empty configuration is system 1, cabin 1
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    ExpectBox(RunToEnd(app, CMD_TRANSMIT_CONFIG), kConfigurator, kConfigured, Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vbhebf");
    ExpectSimulatorHolds(document);
    // What was sent is the document, part by part.
    EXPECT_EQ(sim::Data(sim::Lines(mark, "RX CD=o CO=c OR=h LA=226 ").at(0)), Part1(document));
    EXPECT_EQ(sim::Data(sim::Lines(mark, "RX CD=o CO=c OR=e LA=40 ").at(0)), Part2(document));

    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_OR), "f");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_LA), "0");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_OR), "c");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_LA), "40");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_DATA), Part2(document));
    // Wine raises the main window over the windows it owns when it is activated again (Windows
    // keeps them above it): bring the monitor to the front for the picture.
    SetWindowPos(monitor.Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(e2e::SaveScreenshot(nullptr, "link_monitor_after_transmit"));
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    EXPECT_FALSE(Monitor(app));
    ExpectDocumentUntouched("despues");
}

TEST_F(LinkTest, IdentityQuestionAndItsNo) {
    LaunchWith(SampleImage(1, 2));
    ASSERT_TRUE(sim::Control("cabin 0\n"));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    Dialog question = WaitForBox(app);
    ASSERT_TRUE(question);
    ExpectBox(Read(question), kConfigurator,
              W1252("El controlador está configurado para Sistema 1, Cabina E. ¿Desea "
                    "configurarlo para Sistema 1, Cabina 2?"),
              Icon::Question);
    EXPECT_EQ(question.Buttons(), (std::vector<int>{IDYES, IDNO}));
    // The dialog stays usable under the question.
    Dialog dialog = Interrogation(app);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsWindowEnabled(dialog.Handle()));
    EXPECT_TRUE(e2e::SaveScreenshot(nullptr, "link_identity_question"));

    ASSERT_TRUE(question.Press(IDNO));
    ExpectBox(Answer(app), kConfigurator, W1252("Transmisión de datos interrumpida"),
              Icon::Information);
    EXPECT_EQ(sim::Requests(mark), "vb");
    ExpectDocumentUntouched("despues");
}

TEST_F(LinkTest, YesAfterCancelSendsNothing) {
    LaunchWith(SampleImage(1, 2));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    Dialog question = WaitForBox(app);
    ASSERT_TRUE(question);
    ASSERT_TRUE(Interrogation(app).Press(IDCANCEL, 2000));
    // Until the question is answered no other command can start.
    EXPECT_FALSE(IsWindowEnabled(app.MainWindow()));
    ASSERT_TRUE(question.Press(IDYES));
    Sleep(500);
    EXPECT_FALSE(WaitForBox(app, 500)) << "a box came after Yes";
    EXPECT_TRUE(IsWindowEnabled(app.MainWindow()));
    EXPECT_EQ(sim::Requests(mark), "vb");
    ExpectDocumentUntouched("despues");
}

TEST_F(LinkTest, TwoLostReadBacksAreAskedAgain) {
    LaunchWith(SampleImage(1, 1));
    // Once part 2 is in, the next two answers (to the read-back 'b') get lost; the slow
    // acknowledgement of part 2 leaves time to say so.
    ASSERT_TRUE(sim::Control("delay 400\n"));
    ASSERT_TRUE(app.Command(CMD_TRANSMIT_CONFIG));
    ASSERT_TRUE(sim::WaitForLine(mark, "RX CD=o CO=c OR=e"));
    ASSERT_TRUE(sim::Control("drop 2\n"));
    std::vector<std::string> shown;
    Dialog box;
    e2e::WaitUntil(
        [&] {
            std::string text = Interrogation(app).ItemText(IDC_CONV_PROGRESS);
            if (!text.empty() && (shown.empty() || shown.back() != text)) shown.push_back(text);
            return static_cast<bool>(box = WaitForBox(app, 0));
        },
        15000);
    ExpectBox(Answer(app), kConfigurator, kConfigured, Icon::Information);
    std::vector<std::string> expected = {
        W1252("Verificando configuración (1) - 5."), W1252("Verificando configuración (1) - 4."),
        W1252("Verificando configuración (1) - 3."), W1252("Verificando configuración (2).")};
    std::vector<std::string> verifying;
    for (const std::string& text : shown)
        if (text.find("Verificando") == 0) verifying.push_back(text);
    EXPECT_EQ(verifying, expected);
    EXPECT_EQ(sim::Requests(mark), "vbhebbbf");
    ExpectSimulatorHolds(document);
}

TEST_F(LinkTest, RefusedConfigurationsAndFailedVerifications) {
    LaunchWith(SampleImage(1, 1));
    struct Case {
        const char* control;
        std::string text;
    } cases[] = {
        {"write-answer m\n", std::string(W1252("T3- Rango de datos erróneo.")) + kNotConfigured},
        {"write-answer M\n", std::string(W1252("T3- Tipo de datos erróneo.")) + kNotConfigured},
        {"write-answer f\n", W1252("T3- El controlador tiene configuración fija.")},
        {"write-answer e\nmismatch part1\n",
         std::string("La configuracion 1 no pudo ser verificada.") + kNotConfigured},
        {"mismatch part2\n",
         std::string("La configuracion 2 no pudo ser verificada.") + kNotConfigured},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        ASSERT_TRUE(sim::Control(c.control));
        ExpectBox(RunToEnd(app, CMD_TRANSMIT_CONFIG), kDefaultCaption, c.text, Icon::Stop);
    }
    ExpectDocumentUntouched("despues");
}

// Accepts the configuration editor with the system number set to `systemNumber`, which leaves
// the document modified.
bool EditSystemNumber(App& app, unsigned systemNumber) {
    if (!app.Command(CMD_EDIT_CONFIG)) return false;
    Dialog editor = app.ExpectDialog("the configuration editor");
    if (!editor) return false;
    // The General page comes first; its field 101 holds the system number.
    HWND page = FindWindowExA(editor.Handle(), nullptr, "#32770", nullptr);
    if (!page || !GetDlgItem(page, 101)) return false;
    Dialog(page, &app).SetItemText(101, std::to_string(systemNumber));
    return editor.Press(IDOK) && app.WaitForTitle(Title(systemNumber));
}

TEST_F(LinkTest, ModifiedDocumentThroughTransmitAndReceive) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(EditSystemNumber(app, 1));
    ASSERT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));
    ExpectBox(RunToEnd(app, CMD_TRANSMIT_CONFIG), kConfigurator, kConfigured, Icon::Information);
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE)) << "the transmit changed the modified flag";

    // A receive first offers to save, Cancel included; Cancel stops it before the line.
    size_t at = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    Dialog question = app.ExpectDialog("the save question");
    ASSERT_TRUE(question);
    ExpectBox(Read(question), W1252("Atención"),
              W1252("La configuración corriente fue modificada, ¿Desea salvarla?"), Icon::Question);
    EXPECT_EQ(question.Buttons(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    ASSERT_TRUE(question.Press(IDCANCEL));
    EXPECT_FALSE(Interrogation(app));
    EXPECT_EQ(sim::Requests(at), "");
    EXPECT_FALSE(app.IsMenuItemGrayed(CMD_SAVE));

    // No: the receive goes on, and the received configuration counts as saved.
    ASSERT_TRUE(sim::Control("system 88\n"));
    ASSERT_TRUE(app.Command(CMD_RECEIVE_CONFIG));
    question = app.ExpectDialog("the save question");
    ASSERT_TRUE(question);
    ASSERT_TRUE(question.Press(IDNO));
    ExpectBox(Answer(app), kConfigurator, Received(), Icon::Information);
    EXPECT_EQ(app.Title(), Title(88));
    EXPECT_TRUE(app.IsMenuItemGrayed(CMD_SAVE));
}

// ---------------------------------------------------------------------------------------------
// A bad line

TEST_F(LinkTest, NoiseAndFramesInPiecesStillWork) {
    LaunchWith(SampleImage(1, 1));
    ASSERT_TRUE(sim::Control("noise 8\nsplit 20\ngap 30\n"));
    ExpectBox(RunToEnd(app, CMD_TRANSMIT_CONFIG), kConfigurator, kConfigured, Icon::Information);
    EXPECT_FALSE(sim::Lines(mark, "NOISE 8").empty());
    EXPECT_GE(sim::Lines(mark, "PIECE").size(), 20u);
    ExpectSimulatorHolds(document);
}

TEST_F(LinkTest, CorruptCheckIsNoAnswer) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(sim::Control("bad-check 1\n"));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kDefaultCaption, kNoAnswer, Icon::Exclamation);
    EXPECT_EQ(sim::Lines(mark, "TX").size(), 1u);
    // The next answer is whole again.
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kConfigurator,
              W1252("El controlador es un ZR94VK con programa versión 3.7"), Icon::Information);
}

TEST_F(LinkTest, LateAnswersAreReadByTheNextConversation) {
    ASSERT_TRUE(app.Launch());
    ASSERT_TRUE(sim::Control("delay 1500\n"));
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kDefaultCaption, kNoAnswer, Icon::Exclamation);
    ASSERT_TRUE(sim::WaitForLine(mark, "TX CD=c CO=o OR=w"));
    ASSERT_TRUE(sim::Control("delay 0\n"));

    // The receive takes the late version answer for its own, asks for part 1, and then meets
    // the answer to its own version request.
    ExpectBox(RunToEnd(app, CMD_RECEIVE_CONFIG), kDefaultCaption,
              W1252("R1 - Código de respuesta erróneo en la recepción de la configuración."),
              Icon::Stop);
    // Part 1 has come meanwhile; a version query rejects it by its letter.
    ExpectBox(RunToEnd(app, CMD_RECEIVE_VERSION), kDefaultCaption,
              W1252("V - Error en la recepción de la versión"), Icon::Stop);
    EXPECT_EQ(sim::Requests(mark), "vvbv");
}

// ---------------------------------------------------------------------------------------------
// The port

TEST_F(LinkTest, PortOpensUnderWine) {
    // Wine's serial driver refuses RTS toggling; the port opens with RTS held on instead.
    ASSERT_TRUE(app.Launch());
    for (WORD id : kControllerCommands) {
        if (id == CMD_EVENT_LOG) continue; // not built yet: grayed either way
        EXPECT_FALSE(app.IsMenuItemGrayed(id)) << id;
    }
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);
    EXPECT_EQ(monitor.ItemText(IDC_MON_PORT), "COM" + std::to_string(Port()));
    EXPECT_EQ(monitor.ItemText(IDC_MON_STATE), W1252("Válido"));
}

struct PortCase {
    int port;
    const char* text;
};

class PortSettingTest : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortSettingTest, ReportsTheNamedPortAndRunsWithoutALink) {
    SKIP_UNTIL_SETTINGS();
    const PortCase& c = GetParam();
    App app;
    e2e::LaunchOptions options;
    options.settings = "[General]\r\nCommPort=" + std::to_string(c.port) + "\r\n";
    options.expectDialog = true;
    ASSERT_TRUE(app.Launch(options));
    Dialog box = app.ExpectDialog("the port message");
    ExpectBox(Read(box), kDefaultCaption, c.text, Icon::Stop);
    ASSERT_TRUE(box.Press(IDOK));

    for (WORD id : kControllerCommands)
        EXPECT_TRUE(app.IsMenuItemGrayed(id)) << id;
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);
    EXPECT_EQ(monitor.ItemText(IDC_MON_PORT), "COM" + std::to_string(c.port));
    EXPECT_EQ(monitor.ItemText(IDC_MON_STATE), W1252("No válido"));
    ASSERT_TRUE(app.Command(CMD_MONITOR));

    // The command itself, reached anyway, says why it cannot go on.
    ASSERT_TRUE(app.Command(CMD_RECEIVE_VERSION));
    box = app.ExpectDialog("the closed-port message");
    ExpectBox(Read(box), kDefaultCaption,
              "No es posible comunicarse con el controlador.\nEl puerto de comunicaciones no "
              "pudo ser abierto.",
              Icon::Stop);
    ASSERT_TRUE(box.Press(IDOK));
}

// COM7 has no device behind it in the test prefix.
INSTANTIATE_TEST_SUITE_P(
    Link, PortSettingTest,
    ::testing::Values(PortCase{7, "No se pudo abrir el puerto de comunicaciones COM7."},
                      PortCase{0, W1252("Puerto de comunicaciones COM0 no válido.")},
                      PortCase{10, W1252("Puerto de comunicaciones COM10 no válido.")}));

// ---------------------------------------------------------------------------------------------
// The communications monitor

TEST_F(LinkTest, MonitorShowsTheLastPacketOfEachDirection) {
    ASSERT_TRUE(app.Launch());
    EXPECT_FALSE(Monitor(app));
    ASSERT_TRUE(app.Command(CMD_MONITOR));
    Dialog monitor = Monitor(app);
    ASSERT_TRUE(monitor);

    RunToEnd(app, CMD_RECEIVE_VERSION);
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_CD), "c");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_CO), "o");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_OR), "w");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_LA), "9");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_DATA), "03.0794VK");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_CD), "o");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_CO), "c");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_OR), "v");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_LA), "0");
    EXPECT_EQ(monitor.ItemText(IDC_MON_TX_DATA), "");

    // A packet of 255 data bytes: its first 250 are shown.
    std::string model(250, 'K');
    model.replace(0, 5, "LARGO");
    ASSERT_TRUE(sim::Control("model " + model + "\n"));
    RunToEnd(app, CMD_RECEIVE_VERSION);
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_LA), "255");
    EXPECT_EQ(monitor.ItemText(IDC_MON_RX_DATA), "03.07" + model.substr(0, 245));

    PostMessageA(monitor.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MON_CLEAR, BN_CLICKED),
                 (LPARAM)monitor.Item(IDC_MON_CLEAR));
    ASSERT_TRUE(app.WaitIdle());
    for (int id : {IDC_MON_RX_CD, IDC_MON_RX_CO, IDC_MON_RX_OR, IDC_MON_RX_LA, IDC_MON_RX_DATA,
                   IDC_MON_TX_CD, IDC_MON_TX_CO, IDC_MON_TX_OR, IDC_MON_TX_LA, IDC_MON_TX_DATA})
        EXPECT_EQ(monitor.ItemText(id), "") << id;
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
