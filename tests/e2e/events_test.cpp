// The event log dialog against the controller simulator, in one start: a 3.x controller's log
// read, an older controller's after it, a full log printed and cleared, and a refresh too slow
// as a whole.
#include "rig.h"
#include "steps.h"

namespace {

using namespace e2e;

using Texts = std::vector<std::string>;
constexpr const char* kUnknownCount = "?? Eventos";
constexpr const char* kLog = "Archivo de eventos"; // the dialog's caption begins so

// The simulator's log of `count` events: `unknown` codes from 18 on (the longest lines), then
// every code of the table in turn. Their texts are tested in tests/unit; the paper shows them.
std::string EventsOption(int count, int unknown = 0) {
    std::string option = "events ";
    for (int i = 0; i < count; ++i)
        option += std::to_string(i < unknown ? 18 + i : 1 + (i + 1) % 17) + ":" +
                  std::to_string(i * 6 % 25) + ",";
    option.back() = '\n';
    return option;
}

// The title, the event count and the two counters.
Texts Shown(const Dialog& log) {
    return {log.Caption(), log.ItemText(IDC_EVT_COUNT), log.ItemText(IDC_EVT_HOURS),
            log.ItemText(IDC_EVT_OPERATIONS)};
}

// What the opening's read, or "Actualizar", shows once it has ended.
Texts Refreshed(const Dialog& log, bool click = true) {
    if (click) log.Click(IDC_EVT_REFRESH);
    WaitUntil([&] { return log.ItemText(IDC_EVT_COUNT) != kUnknownCount; });
    return Shown(log);
}

// "Actualizar", "Borrar...", "Imprimir" and "Vista preliminar...": 1 where enabled.
std::string Buttons(const Dialog& log) {
    std::string enabled;
    for (int id : {IDC_EVT_REFRESH, IDC_EVT_CLEAR, IDC_EVT_PRINT, IDC_EVT_PREVIEW})
        enabled += IsWindowEnabled(log.Item(id)) ? '1' : '0';
    return enabled;
}

// The list on the printer: a job named after the controller, first from the preview, whose page
// is the printed one, then from "Imprimir": one page, the dialog's lines in order (letters only:
// pdftotext guesses blanks and line ends, and reads hyphens back as soft ones).
void ExpectPrinted(App& app, const Dialog& log) {
    const std::string name = " Configurador ZRT94 - Lista de eventos controlador 123 ";
    const size_t printed = InLog("page_log", name);
    log.Click(IDC_EVT_PREVIEW);
    EXPECT_TRUE(app.ExpectDialog("the printer set-up").Press(IDOK));
    Dialog preview = app.ExpectDialog("the print preview");
    EXPECT_EQ(preview.ItemText(IDC_PREVIEW_PAGE), W1252("Página 1 de 1"));
    const std::vector<std::string> shown = Words(preview.ItemText(IDC_PREVIEW_SHEET), '\n');
    EXPECT_TRUE(preview.Press(IDOK));
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 1; }, 60000));
    EXPECT_TRUE(WaitUntil([&] { return app.FindDialog().hwnd == log.hwnd; }));
    EXPECT_EQ(Words(NewestPdfText(), '\n'), shown);
    log.Click(IDC_EVT_PRINT);
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 2; }, 60000));
    // Back to the dialog, the main window still disabled under it.
    EXPECT_TRUE(WaitUntil([&] { return app.FindDialog().hwnd == log.hwnd; }));
    EXPECT_FALSE(IsWindowEnabled(app.MainWindow()));
    const std::string paper = NewestPdfText("print_events");
    EXPECT_EQ(std::count(paper.begin(), paper.end(), '\f'), 1) << "pages" << PrinterTrouble();
    auto letters = [](std::string s) {
        std::erase_if(s, [](char c) { return std::strchr(" \r\n\f-\xAD", c) != nullptr; });
        return s;
    };
    std::string lines;
    for (const std::string& line : app.ListItems(log.Item(IDC_EVT_LIST)))
        lines += line;
    EXPECT_NE(letters(paper).find(letters(lines)), std::string::npos) << paper << PrinterTrouble();
}

TEST(Events, ReadPrintAndClearTheControllerLog) {
    if (!sim::Available()) GTEST_SKIP() << "needs the controller simulator (scripts/test.sh)";
    ASSERT_TRUE(sim::Reset());
    ASSERT_TRUE(
        sim::Control("system 123\ncabin 2\nhours 1520\noperations 48211\n" + EventsOption(17)));
    App app;
    ASSERT_TRUE(app.Launch(LaunchOptions{
        .settings = DefaultSettings() + "Empresa1=ASCENSORES\r\nEmpresa2=DEL SUR\r\n"}));

    // Read as it opens.
    size_t mark = sim::Mark();
    ASSERT_TRUE(app.Command(CMD_EVENT_LOG));
    Dialog log = app.ExpectDialog("the event log");
    const std::string title = "Archivo de eventos - Controlador 123, Cabina 2";
    EXPECT_EQ(Refreshed(log, false), (Texts{title, "17 Eventos", "1520", "48211"}));
    EXPECT_EQ(sim::Requests(mark), "vgbc");
    EXPECT_EQ(app.ListItems(log.Item(IDC_EVT_LIST)).size(), 17u);
    EXPECT_TRUE(SaveScreenshot(log.hwnd, "event_log_dialog"));

    // An older hall-call controller with an empty log: no counters asked for, none shown.
    ASSERT_TRUE(sim::Control("version 02.40\nsystem 45\ncabin 0\nevents none\n"));
    mark = sim::Mark();
    EXPECT_EQ(Refreshed(log), (Texts{"Archivo de eventos - Controlador 45, Llamadas exteriores",
                                     "00 Eventos", "??????", "??????"}));
    EXPECT_EQ(sim::Requests(mark), "vbc");

    // A full log, printed, then cleared only after Yes. On the rig's A4 paper lines 2 to 71 hold
    // 86 characters: after 12 lines of heading, 8 events of 2 lines and 42 of 1 end the page.
    ASSERT_TRUE(sim::Control("version 03.07\nsystem 123\ncabin 2\n" + EventsOption(50, 8)));
    EXPECT_EQ(Refreshed(log)[1], "50 Eventos");
    if (!Environment("ZRT_E2E_CUPS").empty()) ExpectPrinted(app, log);
    const std::string question =
        W1252("El archivo de eventos del controlador sera borrado.¿Confirma?");
    mark = sim::Mark();
    log.Click(IDC_EVT_CLEAR);
    ExpectBox(app, kConfigurator, question, IDNO, {kLog});
    log.Click(IDC_EVT_CLEAR);
    ExpectBox(app, kConfigurator, question, IDYES, {kLog});
    EXPECT_TRUE(WaitUntil([&] { return log.ItemText(IDC_EVT_COUNT) == "00 Eventos"; }));
    EXPECT_EQ(sim::Requests(mark), "d");
    EXPECT_EQ(Shown(log), (Texts{title, "00 Eventos", "1520", "48211"}));

    // Four answers, each in time, that together take more than the refresh's 3 s. The last one
    // is read after the box, as a late answer: nothing is shown, and nothing can be printed.
    ASSERT_TRUE(sim::Control("delay 770\n" + EventsOption(17)));
    mark = sim::Mark();
    log.Click(IDC_EVT_REFRESH);
    EXPECT_EQ(Buttons(log), "0000");
    ExpectBox(app, kDefaultCaption, "El controlador no contesta.", IDOK, {kLog});
    ExpectBox(app, kDefaultCaption, "Error de secuencia.", IDOK, {kLog});
    EXPECT_EQ(sim::Requests(mark), "vgbc");
    EXPECT_EQ(Shown(log), (Texts{"Archivo de eventos", kUnknownCount, "??????", "??????"}));
    EXPECT_TRUE(app.ListItems(log.Item(IDC_EVT_LIST)).empty());
    EXPECT_EQ(Buttons(log), "1100");
    ASSERT_TRUE(sim::Control("delay 0\n"));

    EXPECT_TRUE(log.Press(IDC_EVT_EXIT));
    EXPECT_TRUE(app.CloseAndWait()) << "a question came: " << app.FindDialog().Describe();
}

} // namespace
