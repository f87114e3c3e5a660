// Printing the configuration report and the label on the rig's printer (rig.h).
#include "rig.h"
#include "steps.h"

#include "config/config_report.h"

#include <array>

namespace {

using namespace e2e;

// The report as the program prints it now, with the settings' company lines.
std::vector<std::string> Report(const ControllerConfig& config) {
    const uint32_t ms = (ZRT_VERSION_MAJOR << 16) | ZRT_VERSION_MINOR, ls = ZRT_VERSION_PATCH << 16;
    const ReportHeading h{"ASCENSORES", "DEL SUR", ms, ls, Now()};
    std::vector<char> text(kReportBufferSize);
    BuildConfigReport(config, h, text.data(), (int)text.size());
    return Words(text.data(), '\r');
}

// The printed label's frame in mm from the page's corner to its line's middle: left, top, width,
// height. The page at 300 dpi trimmed to its outermost print, the frame, whose line is 6 units.
std::array<double, 4> PrintedFrame() {
    const std::string page = UnixPath(JoinPath(TestFolder(), "frame")),
                      box = JoinPath(TestFolder(), "frame.txt");
    double w = 0, h = 0, x = 0, y = 0;
    if (!RunLinux(
            "PDF=$(/bin/ls -t '" + UnixPath(Environment("ZRT_E2E_PDF")) +
            "'/*.pdf | /usr/bin/head -n 1); /usr/bin/pdftoppm -r 300 -gray -singlefile $PDF '" +
            page + "'; /usr/bin/convert '" + page + ".pgm' -trim -format '%w %h %X %Y' info: > '" +
            UnixPath(box) + "'") ||
        std::sscanf(ReadBytes(box).c_str(), "%lf %lf %lf %lf", &w, &h, &x, &y) != 4)
        return {};
    const double mm = 25.4 / 300, line = h * 6 / 1906;
    return {(x + line / 2) * mm, (y + line / 2) * mm, (w - line) * mm, (h - line) * mm};
}

// The pages of a text, as pdftotext separates them.
std::vector<std::vector<std::string>> Pages(const std::string& text) {
    std::vector<std::vector<std::string>> pages;
    size_t start = 0;
    for (size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(Words(text.substr(start, end - start), '\n'));
    return pages;
}

// The preview's pages, read from its sheet one after the other; the count it tells must agree.
std::vector<std::vector<std::string>> PreviewPages(const Dialog& preview) {
    std::vector<std::vector<std::string>> pages;
    int count = -1;
    do {
        if (!pages.empty()) preview.Click(IDC_PREVIEW_NEXT);
        pages.push_back(Words(preview.ItemText(IDC_PREVIEW_SHEET), '\n'));
        std::string page = preview.ItemText(IDC_PREVIEW_PAGE); // "Página 1 de 3"
        count = std::atoi(page.substr(page.find(" de ") + 4).c_str());
    } while ((int)pages.size() < count && pages.size() < 50);
    return pages;
}

TEST(Print, ConfigurationReportOnThePrinter) {
    if (Environment("ZRT_E2E_CUPS").empty()) GTEST_SKIP() << "no printer (scripts/test.sh has one)";
    // A report of three pages: 24 stops, duplex, automatic door, a function on every relay.
    ControllerConfig config = Identity(321, 1);
    config.controllerFunction = 3;
    config.stopCount = 24;
    config.doorMode = 2;
    for (int i = 0; i < 24; ++i)
        std::snprintf(config.stopNames[i], sizeof config.stopNames[i], "%02d", i);
    for (int i = 0; i < 18; ++i)
        config.relayFunction[i] = (uint8_t)(10 + i);
    const LaunchOptions options{.commandLine = JoinPath(TestFolder(), "a00321_1.z94"),
                                .settings = DefaultSettings() +
                                            "Empresa1=ASCENSORES\r\nEmpresa2=DEL SUR\r\n"};
    ASSERT_TRUE(WriteBytes(options.commandLine, ConfigFileOf(config)));
    App app;
    ASSERT_TRUE(app.Launch(options));

    // A printer chosen is kept. The job's name carries the system number (the log is UTF-8).
    const size_t jobs = InLog("access_log", "Create-Job");
    const std::string name = " Configurador ZRT94VK - Configuración controlador Nº 321 ";
    const size_t printed = InLog("page_log", name);
    app.Command(CMD_PRINT_SETUP);
    EXPECT_TRUE(app.ExpectDialog("the printer set-up").Press(IDOK));
    std::vector<std::string> before = Report(config);
    ASSERT_TRUE(app.Post(WM_CHAR, 16, 1)); // Ctrl+P
    SaveScreenshot(nullptr, "print_job");  // the cancel dialog while the job lasts
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 1; }, 60000));
    EXPECT_TRUE(NoJobLeft(app));
    // Its text, and its pages as pictures to look at.
    std::string paper = NewestPdfText("print_report");
    EXPECT_EQ(std::count(paper.begin(), paper.end(), '\f'), 3) << "pages" << PrinterTrouble();
    if (Words(paper, '\n') != before) { // unless the minute turned while it printed
        EXPECT_EQ(Words(paper, '\n'), Report(config));
    }

    // The preview shows the pages as the printer gets them, and prints them so.
    ASSERT_TRUE(app.Command(CMD_PRINT_PREVIEW));
    Dialog preview = app.ExpectDialog("the print preview");
    EXPECT_TRUE(SaveScreenshot(preview.hwnd, "print_preview"));
    std::vector<std::vector<std::string>> shown = PreviewPages(preview);
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_TRUE(preview.Press(IDOK));
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 2; }, 60000));
    EXPECT_TRUE(NoJobLeft(app));
    EXPECT_EQ(Pages(NewestPdfText("print_from_preview")), shown);

    // "Cancelar" ends a job and drops it: the queue takes only the job printed next. The program
    // takes messages as the document starts, at page breaks and as the job ends, so the click
    // goes in as soon as the dialog shows.
    PostMessageA(app.MainWindow(), WM_COMMAND, CMD_PRINT_CONFIG, 0);
    Dialog cancel;
    WaitUntil([&] { return (bool)(cancel = app.FindDialog()); });
    ASSERT_TRUE(cancel) << "no cancel dialog";
    EXPECT_EQ(cancel.Caption(), W1252("Impresión"));
    cancel.Press(IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
    app.Command(CMD_PRINT_CONFIG);
    EXPECT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 3; }, 60000));
    EXPECT_EQ(InLog("access_log", "Create-Job"), jobs + 3);

    // The label, a job of its own, at its true size: smaller with the expansion board (this
    // duplex's relays 11 to 18), 5 mm from the printable area's corner either way.
    const std::pair<int, std::array<double, 4>> labels[] = {{321, {5, 5, 86.8, 164.8}},
                                                            {1, {5, 5, 94.8, 180.1}}};
    for (const auto& [system, frame] : labels) {
        ASSERT_TRUE(system != 1 || app.Command(CMD_NEW));
        const std::string labelName =
            " Configurador ZRT94VK - Etiqueta controlador Nº " + std::to_string(system) + " ";
        app.Command(CMD_PRINT_LABEL);
        ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", labelName) == 1; }, 60000));
        EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
        NewestPdfText("print_label_" + std::to_string(system)); // its page to look at
        std::array<double, 4> printed = PrintedFrame();
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(printed[i], frame[i], 0.5) << system << ", measure " << i;
    }
    ASSERT_TRUE(app.CloseAndWait());
}

} // namespace
