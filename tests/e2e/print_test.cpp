// Printing on the rig's printer: a private CUPS (scripts/test.sh) whose default printer, "PDF",
// writes every job as a PDF file into ZRT_E2E_PDF; in ZRT_E2E_CUPS, log/access_log has a
// "Create-Job" for every job the queue takes, log/page_log a line for every job printed, with
// its name. pdftotext and pdftoppm read the PDFs back: Wine starts them as the Linux programs
// they are.
#include "sim_control.h"
#include "steps.h"

#include "base/text_encoding.h"
#include "config/config_report.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace e2e;

std::string Folder(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? value : "";
}

std::string ReadText(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// How many times the CUPS log `name` holds `what`.
size_t InLog(const char* name, const std::string& what) {
    std::string log = ReadText(JoinPath(Folder("ZRT_E2E_CUPS"), std::string("log\\") + name));
    size_t n = 0;
    for (size_t at = 0; (at = log.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

// Runs a shell command on the newest PDF ($PDF); Wine gives no exit status of a Linux program,
// so the command leaves a mark when it is done.
bool OnNewestPdf(const std::string& command) {
    std::string done = JoinPath(TestFolder(), "shell.done");
    DeleteFileA(done.c_str());
    std::string line = "Z:\\bin\\sh -c \"PDF=$(/bin/ls -t '" +
                       sim::UnixPath(Folder("ZRT_E2E_PDF")) + "'/*.pdf | /usr/bin/head -n 1); " +
                       command + "; /bin/touch '" + sim::UnixPath(done) + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil([&] { return FileExists(done); }, 30000);
}

// The lines of a text without blank lines, each run of blanks as one blank (pdftotext -layout
// guesses the columns from the gaps between words).
std::vector<std::string> Words(const std::string& text, char lineEnd) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == lineEnd || c == '\f') {
            if (!lines.back().empty()) lines.emplace_back();
        } else if (c == ' ' || c == '\r') {
            if (!lines.back().empty() && lines.back().back() != ' ') lines.back() += ' ';
        } else {
            lines.back() += c == '\xAD' ? '-' : c; // the PDF names the hyphen a soft hyphen
        }
    }
    for (std::string& line : lines)
        if (!line.empty() && line.back() == ' ') line.pop_back();
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// The report as the program prints it now, with the settings' company lines.
std::vector<std::string> Report(const ControllerConfig& config) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    const uint32_t ms = (ZRT_VERSION_MAJOR << 16) | ZRT_VERSION_MINOR, ls = ZRT_VERSION_PATCH << 16;
    const LocalDateTime now{t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute};
    const ReportHeading h{"ASCENSORES", "DEL SUR", ms, ls, now};
    std::vector<char> text(kReportBufferSize);
    BuildConfigReport(config, h, text.data(), (int)text.size());
    return Words(text.data(), '\r');
}

bool NoJobLeft(App& app) {
    return !app.FindDialog() && IsWindowEnabled(app.MainWindow());
}

TEST(Print, ConfigurationReportOnThePrinter) {
    if (Folder("ZRT_E2E_CUPS").empty()) GTEST_SKIP() << "no printer (scripts/test.sh has one)";
    // A report of three pages: 24 stops, duplex, automatic door, a function on every relay.
    ControllerConfig config = Identity(321, 1);
    config.controllerFunction = 3;
    config.stopCount = 24;
    config.doorMode = 2;
    for (int i = 0; i < 24; ++i)
        std::snprintf(config.stopNames[i], sizeof config.stopNames[i], "%02d", i);
    for (int i = 0; i < 18; ++i)
        config.relayFunction[i] = (uint8_t)(10 + i);
    LaunchOptions options;
    options.commandLine = JoinPath(TestFolder(), "a00321_1.z94");
    options.settings = DefaultSettings() + "Empresa1=ASCENSORES\r\nEmpresa2=DEL SUR\r\n";
    ASSERT_TRUE(WriteFileBytes(options.commandLine, ConfigFileOf(config)));
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
    std::string text = JoinPath(TestFolder(), "printed.txt");
    ASSERT_TRUE(OnNewestPdf("/usr/bin/pdftotext -layout $PDF '" + sim::UnixPath(text) +
                            "'; /usr/bin/pdftoppm -r 72 -png $PDF '" +
                            sim::UnixPath(JoinPath(ArtefactDir(), "print_report")) + "'"));
    std::string utf8 = ReadText(text);
    std::string paper = Utf8ToCp1252(utf8.data(), utf8.size());
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
    char message[100] = ""; // from Wine's window server: the program is busy printing
    GetWindowTextA(cancel.Item(IDC_PRINT_TEXT), message, sizeof message);
    EXPECT_STREQ(message, W1252("Se esta imprimiendo la configuración."));
    EXPECT_TRUE(cancel.Press(IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
    app.Command(CMD_PRINT_CONFIG);
    EXPECT_TRUE(WaitUntil([&] { return InLog("page_log", name) == printed + 2; }, 60000));
    EXPECT_EQ(InLog("access_log", "Create-Job"), jobs + 2);
    ASSERT_TRUE(app.CloseAndWait());
}

} // namespace
