// Printing on the rig's printer, as a technician meets it: the printer set-up at the first print,
// the configuration report on paper, and the cancel dialog. scripts/test.sh starts a private CUPS
// whose default printer, "PDF", writes every job as a PDF file:
//   ZRT_E2E_PDF    the folder of those PDF files
//   ZRT_E2E_CUPS   the CUPS folder: log/access_log logs each job the queue takes ("Create-Job"),
//                  log/page_log each job printed, its name last
// The PDFs are read back with pdftotext and drawn with pdftoppm, which Wine starts as the Linux
// programs they are.
#include "sim_control.h"
#include "steps.h"

#include "base/text_encoding.h"
#include "config/config_report.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using namespace e2e;

constexpr DWORD kPrintTimeoutMs = 60000;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string ReadText(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t b = 0;
    for (size_t e; (e = text.find(separator, b)) != std::string::npos; b = e + 1)
        parts.push_back(text.substr(b, e - b));
    parts.push_back(text.substr(b));
    return parts;
}

// Runs a shell command on the Linux side and waits until it has finished: Wine gives no exit
// status of a Linux program, so the command leaves a mark.
bool RunShell(const std::string& command) {
    std::string done = JoinPath(TestFolder(), "shell.done");
    DeleteFileA(done.c_str());
    std::string line =
        "Z:\\bin\\sh -c \"" + command + "; /bin/touch '" + sim::UnixPath(done) + "'\"";
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

std::string Quoted(const std::string& windowsPath) {
    return "'" + sim::UnixPath(windowsPath) + "'";
}

// The rig's printer: its PDF files and its queue's logs.
struct Printer {
    std::string pdfs = Environment("ZRT_E2E_PDF");
    std::string cups = Environment("ZRT_E2E_CUPS");

    bool Available() const { return !pdfs.empty() && !cups.empty(); }
    std::vector<std::string> Pdfs() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(JoinPath(pdfs, "*.pdf").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
    // Jobs that the queue has taken so far.
    size_t Jobs() const {
        std::string log = ReadText(JoinPath(cups, "log\\access_log"));
        size_t n = 0;
        for (size_t at = 0; (at = log.find("Create-Job", at)) != std::string::npos; ++at)
            ++n;
        return n;
    }
    // The last line of the page log: "PDF root 3 [date] total 3 - localhost <job name> A4 -".
    std::string LastPrinted() const {
        std::vector<std::string> lines = Split(ReadText(JoinPath(cups, "log\\page_log")), '\n');
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        return lines.empty() ? "" : lines.back();
    }
    // The PDF that appears after `known`, once written whole (it ends with "%%EOF"); "" when
    // none comes.
    std::string WaitForNew(const std::vector<std::string>& known) const {
        std::string found;
        auto complete = [&] {
            for (const std::string& name : Pdfs())
                if (std::find(known.begin(), known.end(), name) == known.end()) found = name;
            std::string bytes = found.empty() ? "" : ReadText(JoinPath(pdfs, found));
            return bytes.find("%%EOF", bytes.size() < 32 ? 0 : bytes.size() - 32) !=
                   std::string::npos;
        };
        return WaitUntil(complete, kPrintTimeoutMs) ? JoinPath(pdfs, found) : "";
    }
};

// The pages of a PDF as text: characters in the columns of the printed fixed-pitch font (their
// pitch measured on the first word, which must be ASCII), the common left margin removed, lines
// without trailing blanks, in Windows-1252. (pdftotext -layout alone guesses the columns from
// the gaps, and adds or drops blanks.)
std::vector<std::vector<std::string>> PdfPages(const std::string& pdf) {
    std::string boxes = JoinPath(TestFolder(), "printed.html"),
                text = JoinPath(TestFolder(), "printed.txt");
    double xMin = 0, xMax = 0, pitch = 0;
    char word[64] = "";
    if (RunShell("/usr/bin/pdftotext -bbox -f 1 -l 1 " + Quoted(pdf) + " " + Quoted(boxes))) {
        std::string html = ReadText(boxes);
        size_t at = html.find("<word ");
        if (at != std::string::npos &&
            std::sscanf(html.c_str() + at,
                        "<word xMin=\"%lf\" yMin=\"%*f\" xMax=\"%lf\" %*[^>]>%63[^<]", &xMin, &xMax,
                        word) == 3)
            pitch = (xMax - xMin) / std::strlen(word);
    }
    if (pitch <= 0 || !RunShell("/usr/bin/pdftotext -fixed " + std::to_string(pitch) + " " +
                                Quoted(pdf) + " " + Quoted(text)))
        return {};
    std::string utf8 = ReadText(text);
    std::string printed = Utf8ToCp1252(utf8.data(), utf8.size());
    // The converter reads the font's hyphen back as a soft hyphen.
    std::replace(printed.begin(), printed.end(), '\xAD', '-');
    std::vector<std::vector<std::string>> pages;
    size_t margin = std::string::npos;
    for (const std::string& page : Split(printed, '\f')) {
        std::vector<std::string> lines;
        for (std::string line : Split(page, '\n')) {
            line.erase(line.find_last_not_of(" \r") + 1);
            if (!line.empty()) margin = std::min(margin, line.find_first_not_of(' '));
            lines.push_back(line);
        }
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        if (!lines.empty()) pages.push_back(lines);
    }
    for (auto& page : pages)
        for (std::string& line : page)
            if (!line.empty()) line.erase(0, margin);
    return pages;
}

// Compares printed pages with a text whose lines end in a carriage return. A page shows no
// blank lines at its top or bottom, so those of the text are passed over at a page break.
void ExpectPrinted(const std::vector<std::vector<std::string>>& pages, const std::string& text) {
    std::vector<std::string> lines = Split(text, '\r');
    for (std::string& line : lines)
        line.erase(line.find_last_not_of(' ') + 1);
    size_t next = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        while (next < lines.size() && lines[next].empty())
            ++next;
        for (size_t i = 0; i < pages[p].size(); ++i, ++next) {
            ASSERT_LT(next, lines.size()) << "page " << p + 1 << " line " << i + 1;
            ASSERT_EQ(pages[p][i], lines[next]) << "page " << p + 1 << " line " << i + 1;
        }
    }
    for (; next < lines.size(); ++next)
        EXPECT_EQ(lines[next], "") << "not printed: line " << next + 1;
}

LocalDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute};
}

std::string ReportAt(const ControllerConfig& config, const LocalDateTime& when) {
    const ReportHeading heading{"ASCENSORES", "DEL SUR",
                                (ZRT_VERSION_MAJOR << 16) | ZRT_VERSION_MINOR,
                                (ZRT_VERSION_PATCH << 16) | ZRT_VERSION_BUILD, when};
    std::vector<char> out(kReportBufferSize);
    BuildConfigReport(config, heading, out.data(), (int)out.size());
    return out.data();
}

// A configuration whose report takes three pages: 24 stops, duplex, automatic door, every relay
// with a function.
ControllerConfig LongConfig() {
    ControllerConfig c = Identity(321, 1);
    c.controllerFunction = 3;
    c.controlType = 0;
    c.stopCount = 24;
    c.doorMode = 2;
    for (int i = 0; i < 24; ++i) {
        std::snprintf(c.stopNames[i], sizeof c.stopNames[i], "%02d", i);
        c.stopDoors[i] = (uint8_t)(1 + i % 3);
        c.stopCallsNotServed[i] = (uint8_t)(i % 8);
    }
    for (int i = 0; i < 18; ++i)
        c.relayFunction[i] = (uint8_t)(10 + i);
    return c;
}

bool NoJobLeft(App& app) {
    return !app.FindDialog() && IsWindowEnabled(app.MainWindow());
}

TEST(Print, ConfigurationReportOnThePrinter) {
    Printer printer;
    if (!printer.Available()) GTEST_SKIP() << "no printer (scripts/test.sh sets one up)";
    App app;
    const ControllerConfig config = LongConfig();
    std::string file = JoinPath(TestFolder(), "a00321_1.z94");
    ASSERT_TRUE(WriteFileBytes(file, ConfigFileOf(config)));
    LaunchOptions options;
    options.commandLine = file;
    options.settings = DefaultSettings() + "Empresa1=ASCENSORES\r\nEmpresa2=DEL SUR\r\n";
    ASSERT_TRUE(app.Launch(options));

    // The first print asks for the printer; cancelled, it prints nothing.
    size_t jobs = printer.Jobs();
    app.Command(CMD_PRINT_CONFIG);
    Dialog setup = app.ExpectDialog("the printer set-up");
    EXPECT_EQ(setup.Caption(), "Print Setup");
    EXPECT_TRUE(setup.Press(IDCANCEL));
    EXPECT_TRUE(app.WaitIdle());
    EXPECT_TRUE(NoJobLeft(app)) << app.FindDialog().Describe();

    // A printer chosen is kept: the report prints without the set-up.
    app.Command(CMD_PRINT_SETUP);
    setup = app.ExpectDialog("the printer set-up");
    EXPECT_TRUE(setup.Press(IDOK));
    std::vector<std::string> known = printer.Pdfs();
    LocalDateTime before = Now();
    app.Command(CMD_PRINT_CONFIG);
    SaveScreenshot(nullptr, "print_job"); // the cancel dialog, while the job lasts
    std::string pdf = printer.WaitForNew(known);
    ASSERT_FALSE(pdf.empty()) << "no PDF came out";
    LocalDateTime after = Now();
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
    EXPECT_EQ(printer.Jobs(), jobs + 1);
    // The queue names the job after the document, with the system number (its log is UTF-8).
    const std::string name = " Configurador ZRT94VK - Configuración controlador Nº 321 ";
    EXPECT_TRUE(WaitUntil([&] { return printer.LastPrinted().find(name) != std::string::npos; }))
        << printer.LastPrinted();
    auto pages = PdfPages(pdf);
    EXPECT_EQ(pages.size(), 3u);
    std::string report = ReportAt(config, before);
    if (!pages.empty() && pages[0].size() > 5 && pages[0][5].find(W1252("Fecha:")) == 0 &&
        report.find(pages[0][5]) == std::string::npos)
        report = ReportAt(config, after); // the minute turned while it printed
    ExpectPrinted(pages, report);
    ASSERT_TRUE(RunShell("/usr/bin/pdftoppm -r 72 -png " + Quoted(pdf) + " " +
                         Quoted(JoinPath(ArtefactDir(), "print_report"))));

    // "Cancelar" ends the job and drops it: the queue takes the job printed next, and no other.
    // The program takes messages only as the document starts, at page breaks and as the job
    // ends, so the click goes in as soon as the dialog shows, well before the job's end.
    known = printer.Pdfs();
    PostMessageA(app.MainWindow(), WM_COMMAND, CMD_PRINT_CONFIG, 0);
    Dialog cancel;
    WaitUntil([&] { return (cancel = app.FindDialog()) || printer.Jobs() > jobs + 1; });
    ASSERT_TRUE(cancel) << "no cancel dialog";
    EXPECT_EQ(cancel.Caption(), W1252("Impresión"));
    // Read from Wine's window server: the program answers no message while it prints a page.
    char text[100] = "";
    GetWindowTextA(cancel.Item(IDC_PRINT_TEXT), text, sizeof text);
    EXPECT_STREQ(text, W1252("Se esta imprimiendo la configuración."));
    EXPECT_TRUE(cancel.Press(IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }));
    app.Command(CMD_PRINT_CONFIG);
    EXPECT_TRUE(WaitUntil([&] { return NoJobLeft(app); }, kPrintTimeoutMs));
    EXPECT_EQ(printer.Jobs(), jobs + 2);
    EXPECT_FALSE(printer.WaitForNew(known).empty());
    EXPECT_EQ(printer.Pdfs().size(), known.size() + 1);
    ASSERT_TRUE(app.CloseAndWait());
}

} // namespace
