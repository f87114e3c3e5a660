// The event log dialog against the controller simulator, in one start: a 3.x controller's log
// read and printed, an older controller's after it, a full log cleared, and a refresh too slow
// as a whole. The texts themselves are tested in tests/unit.
#include "printer.h"
#include "sim_control.h"
#include "steps.h"

#include "events/event_log_texts.h"

namespace {

using namespace e2e;

constexpr const char* kUnknownCount = "?? Eventos";

// The simulator's log as its --events option takes it, and the list lines it gives.
struct Log {
    std::vector<EventRecord> events;
    std::string Option() const {
        std::string text = "events ";
        for (const EventRecord& e : events)
            text += std::to_string(e.code) + ":" + std::to_string(e.stop) + ",";
        text.back() = '\n';
        return text;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (size_t i = 0; i < events.size(); ++i) {
            char line[kEventTextSize];
            FormatEventLine((int)i + 1, events[i], line, sizeof line);
            lines.push_back(line);
        }
        return lines;
    }
};

// "Actualizar" (or the opening), then the dialog once the exchange ended: the event count.
std::string Refreshed(App& app, const Dialog& log, bool click = true) {
    if (click) Click(app, log.Item(IDC_EVT_REFRESH));
    WaitUntil([&] { return log.ItemText(IDC_EVT_COUNT) != kUnknownCount; });
    return log.ItemText(IDC_EVT_COUNT);
}

// A message box over the dialog, with `text` when it is given.
Dialog WaitForBox(App& app, const Dialog& log, const std::string& text = "") {
    Dialog found;
    WaitUntil([&] {
        for (const Dialog& d : app.Dialogs())
            if (d.Handle() != log.Handle() && (text.empty() || d.Text() == text))
                return static_cast<bool>(found = d);
        return false;
    });
    return found;
}

std::vector<std::string> Counters(const Dialog& log) {
    return {log.ItemText(IDC_EVT_HOURS), log.ItemText(IDC_EVT_OPERATIONS)};
}

std::vector<bool> Buttons(const Dialog& log) {
    std::vector<bool> enabled;
    for (int id : {IDC_EVT_REFRESH, IDC_EVT_CLEAR, IDC_EVT_PRINT})
        enabled.push_back(IsWindowEnabled(log.Item(id)));
    return enabled;
}

// The list on the printer, read back and compared line for line with what the dialog shows.
void ExpectPrinted(App& app, const Dialog& log) {
    const std::string name = " Configurador ZRT94 - Lista de eventos controlador 123 ";
    const size_t printed = InLog("page_log", name);
    Click(app, log.Item(IDC_EVT_PRINT));
    Dialog setup = app.ExpectDialog("the printer set-up"); // the first print of this start
    EXPECT_EQ(setup.Caption(), "Print Setup");
    ASSERT_TRUE(setup.Press(IDOK));
    std::vector<std::string> lines = ListItems(log.Item(IDC_EVT_LIST));
    auto expected = [&] {
        std::vector<const char*> pointers;
        for (const std::string& line : lines)
            pointers.push_back(line.c_str());
        std::vector<char> text(kEventPrintBufferSize);
        BuildEventPrintText({"ASCENSORES", "DEL SUR", Now(), 123, 2}, pointers.data(),
                            (int)pointers.size(), text.data(), (int)text.size());
        return Words(text.data(), '\r');
    };
    std::vector<std::string> before = expected();
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 1; }, 60000));
    // Back to the dialog, the main window still disabled under it.
    EXPECT_TRUE(WaitUntil([&] { return app.FindDialog().Handle() == log.Handle(); }));
    EXPECT_FALSE(IsWindowEnabled(app.MainWindow()));
    std::vector<std::string> paper = Words(NewestPdfText("print_events"), '\n');
    if (paper != before) { // unless the minute turned while it printed
        EXPECT_EQ(paper, expected());
    }
}

TEST(Events, ReadPrintAndClearTheControllerLog) {
    if (!sim::Available()) GTEST_SKIP() << "needs the controller simulator (scripts/test.sh)";
    // Every code of the controller's table, and a few it describes with no text.
    const Log seventeen = {{{16, 1},
                            {7, 3},
                            {4, 12},
                            {1, 5},
                            {2, 6},
                            {3, 7},
                            {5, 8},
                            {6, 9},
                            {8, 10},
                            {9, 11},
                            {10, 13},
                            {11, 14},
                            {12, 15},
                            {13, 16},
                            {14, 0},
                            {15, 2},
                            {17, 4}}};
    ASSERT_TRUE(sim::Reset());
    ASSERT_TRUE(
        sim::Control("system 123\ncabin 2\nhours 1520\noperations 48211\n" + seventeen.Option()));
    LaunchOptions options;
    options.settings = DefaultSettings() + "Empresa1=ASCENSORES\r\nEmpresa2=DEL SUR\r\n";
    App app;
    ASSERT_TRUE(app.Launch(options));

    // Read as it opens.
    size_t mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_EVENT_LOG));
    Dialog log = app.ExpectDialog("the event log");
    EXPECT_EQ(Refreshed(app, log, false), "17 Eventos");
    EXPECT_EQ(log.Caption(), "Archivo de eventos - Controlador 123, Cabina 2");
    std::vector<std::string> lines = ListItems(log.Item(IDC_EVT_LIST));
    EXPECT_EQ(lines, seventeen.Lines());
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[2], W1252("03 - Parada 12 Código NC La puerta no cierra luego del segundo "
                              "intento."));
    EXPECT_EQ(Counters(log), (std::vector<std::string>{"1520", "48211"}));
    EXPECT_EQ(Buttons(log), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(sim::Requests(mark), "vgbc");
    EXPECT_TRUE(SaveScreenshot(log.Handle(), "event_log_dialog"));
    if (!Folder("ZRT_E2E_CUPS").empty()) ExpectPrinted(app, log);

    // Help: a control's pop-up, and the dialog's topic.
    F1On(log.Handle(), log.Item(IDC_EVT_LIST));
    ExpectPopUp(app, W1252("Un renglón por evento"));
    Click(app, log.Item(IDC_HELP_BUTTON));
    EXPECT_TRUE(WaitForHelpTopic(app, "Archivo de eventos"));

    // An older hall-call controller with an empty log: no counters asked for, none shown.
    ASSERT_TRUE(sim::Control("version 02.40\nsystem 45\ncabin 0\nevents none\n"));
    mark = sim::Mark();
    EXPECT_EQ(Refreshed(app, log), "00 Eventos");
    EXPECT_EQ(sim::Requests(mark), "vbc");
    EXPECT_EQ(log.Caption(), "Archivo de eventos - Controlador 45, Llamadas exteriores");
    EXPECT_EQ(Counters(log), (std::vector<std::string>{"??????", "??????"}));
    EXPECT_TRUE(ListItems(log.Item(IDC_EVT_LIST)).empty());

    // A full log; cleared only after Yes.
    Log fifty;
    for (int i = 0; i < 50; ++i)
        fifty.events.push_back({1 + i % 17, i % 24});
    ASSERT_TRUE(sim::Control("version 03.07\nsystem 123\ncabin 2\n" + fifty.Option()));
    EXPECT_EQ(Refreshed(app, log), "50 Eventos");
    EXPECT_EQ(ListItems(log.Item(IDC_EVT_LIST)), fifty.Lines());
    const std::string question =
        W1252("El archivo de eventos del controlador sera borrado.¿Confirma?");
    mark = sim::Mark();
    Click(app, log.Item(IDC_EVT_CLEAR));
    ExpectBox(WaitForBox(app, log), kConfigurator, question, IDNO);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(sim::Requests(mark), "");
    Click(app, log.Item(IDC_EVT_CLEAR));
    ExpectBox(WaitForBox(app, log), kConfigurator, question, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return log.ItemText(IDC_EVT_COUNT) == "00 Eventos"; }));
    EXPECT_EQ(sim::Requests(mark), "d");
    EXPECT_TRUE(ListItems(log.Item(IDC_EVT_LIST)).empty());
    EXPECT_EQ(log.Caption(), "Archivo de eventos - Controlador 123, Cabina 2");
    EXPECT_EQ(Counters(log), (std::vector<std::string>{"1520", "48211"}));

    // Four answers, each in time, that together take more than the refresh's 3 s. The last one
    // comes after the box: it is late, not the refresh's, and nothing is shown or printed.
    ASSERT_TRUE(sim::Control("delay 770\n" + seventeen.Option()));
    mark = sim::Mark();
    Click(app, log.Item(IDC_EVT_REFRESH));
    EXPECT_EQ(Buttons(log), (std::vector<bool>{false, false, false}));
    ExpectBox(WaitForBox(app, log, "El controlador no contesta."), kDefaultCaption,
              "El controlador no contesta.");
    ExpectBox(WaitForBox(app, log, "Error de secuencia."), kDefaultCaption, "Error de secuencia.");
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_EQ(sim::Requests(mark), "vgbc");
    EXPECT_EQ(log.ItemText(IDC_EVT_COUNT), kUnknownCount);
    EXPECT_TRUE(ListItems(log.Item(IDC_EVT_LIST)).empty());
    EXPECT_EQ(Counters(log), (std::vector<std::string>{"??????", "??????"}));
    EXPECT_EQ(Buttons(log), (std::vector<bool>{true, true, false}));
    ASSERT_TRUE(sim::Control("delay 0\n"));

    EXPECT_TRUE(log.Press(IDC_EVT_EXIT));
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
}

} // namespace
