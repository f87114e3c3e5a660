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

// The label's frame on the newest PDF, in millimetres: the middle of its line, from the page's
// corner (where the PDF printer's printable area starts), and its width and height. The page is
// read back as a 300 dpi grey picture; the frame is the outermost thing printed.
using Frame = std::array<double, 4>; // left, top, width, height
Frame PrintedFrame() {
    std::string picture = JoinPath(TestFolder(), "label");
    if (!OnNewestPdf("/usr/bin/pdftoppm -r 300 -gray -singlefile $PDF '" + UnixPath(picture) + "'"))
        return {};
    std::string pgm = ReadBytes(picture + ".pgm");
    int width = 0, height = 0, depth = 0, header = 0;
    if (std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &width, &height, &depth, &header) != 3) return {};
    auto pixel = (const uint8_t*)pgm.data() + header + 1;
    auto dark = [&](int x, int y) { return pixel[(size_t)y * width + x] < 128; };
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dark(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    int line = 0; // the frame's line, across its left side
    while (left + line < width && dark(left + line, (top + bottom) / 2))
        ++line;
    const double mm = 25.4 / 300;
    return {(left + line / 2.0) * mm, (top + line / 2.0) * mm, (right - left + 1 - line) * mm,
            (bottom - top + 1 - line) * mm};
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

    // The first print asks for the printer; cancelled, it prints nothing.
    const size_t jobs = InLog("access_log", "Create-Job");
    app.Command(CMD_PRINT_CONFIG);
    Dialog setup = app.ExpectDialog("the printer set-up");
    EXPECT_EQ(setup.Caption(), "Print Setup");
    EXPECT_TRUE(setup.Press(IDCANCEL));
    EXPECT_TRUE(NoJobLeft(app)) << app.FindDialog().Describe();

    // A printer chosen is kept. The job's name carries the system number (the log is UTF-8).
    const std::string name = " Configurador ZRT94VK - Configuración controlador Nº 321 ";
    const size_t printed = InLog("page_log", name);
    app.Command(CMD_PRINT_SETUP);
    EXPECT_TRUE(app.ExpectDialog("the printer set-up").Press(IDOK));
    std::vector<std::string> before = Report(config);
    app.Command(CMD_PRINT_CONFIG);
    SaveScreenshot(nullptr, "print_job"); // the cancel dialog while the job lasts
    ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 1; }, 60000));
    EXPECT_TRUE(NoJobLeft(app));
    // Its text, and its pages as pictures to look at.
    std::string paper = NewestPdfText("print_report");
    EXPECT_EQ(std::count(paper.begin(), paper.end(), '\f'), 3) << "pages";
    if (Words(paper, '\n') != before) { // unless the minute turned while it printed
        EXPECT_EQ(Words(paper, '\n'), Report(config));
    }

    // "Cancelar" ends a job and drops it: the queue takes only the job printed next. The program
    // takes messages as the document starts, at page breaks and as the job ends, so the click
    // goes in as soon as the dialog shows.
    PostMessageA(app.MainWindow(), WM_COMMAND, CMD_PRINT_CONFIG, 0);
    Dialog cancel;
    WaitUntil([&] { return (bool)(cancel = app.FindDialog()); });
    ASSERT_TRUE(cancel) << "no cancel dialog";
    EXPECT_EQ(cancel.Caption(), W1252("Impresión"));
    // From Wine's window server: the program is busy printing.
    EXPECT_EQ(WindowText(cancel.Item(IDC_PRINT_TEXT)),
              W1252("Se esta imprimiendo la configuración."));
    cancel.Press(IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
    app.Command(CMD_PRINT_CONFIG);
    EXPECT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 2; }, 60000));
    EXPECT_EQ(InLog("access_log", "Create-Job"), jobs + 2);

    // The label at its true size: smaller with the expansion board (relays 11 to 18 in use),
    // 5 mm from the printable area's corner either way.
    const struct {
        int system;
        Frame frame;
    } labels[] = {{321, {5, 5, 86.8, 164.8}}, {1, {5, 5, 94.8, 180.1}}};
    for (const auto& label : labels) {
        ASSERT_TRUE(label.system != 1 || app.Command(CMD_NEW));
        const std::string labelName =
            " Configurador ZRT94VK - Etiqueta controlador Nº " + std::to_string(label.system) + " ";
        app.Command(CMD_PRINT_LABEL);
        ASSERT_TRUE(WaitUntil([&] { return InLog("page_log", labelName) == 1; }, 60000));
        EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
        Frame f = PrintedFrame();
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(f[i], label.frame[i], 0.5) << label.system << ", measure " << i;
    }
    NewestPdfText("print_label"); // its page as a picture to look at
    ASSERT_TRUE(app.CloseAndWait());
}

} // namespace
