#pragma once
// The rig beside the program (scripts/test.sh). The controller simulator (zrt94sim) on the
// program's serial port takes options through its control file (ZRT_E2E_SIM_CONTROL) and logs
// every frame (ZRT_E2E_SIM_LOG: RX CD=o CO=c OR=v LA=0 DATA=""). The printer is a private CUPS
// whose "PDF" printer writes each job into ZRT_E2E_PDF; in ZRT_E2E_CUPS, log/access_log has a
// "Create-Job" for every job taken, log/page_log a line with the name of every job printed.
// pdftotext and pdftoppm, Linux programs that Wine starts as they are, read the PDFs back.
#include "driver.h"

#include "base/date_line.h"
#include "base/text_encoding.h"

namespace e2e::sim {

// False when the tests run without a simulator.
inline bool Available() {
    return !Environment("ZRT_E2E_SIM_CONTROL").empty() && !Environment("ZRT_E2E_SIM_LOG").empty();
}

// Applies option lines ("delay 1200\nsystem 345\n") and waits until the simulator took them.
inline bool Control(const std::string& lines) {
    std::string path = Environment("ZRT_E2E_SIM_CONTROL"), temporary = path + ".tmp";
    // Written under another name and renamed into place, so that it is never read half-written.
    return WriteBytes(temporary, lines) &&
           MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) &&
           WaitUntil([&] { return !FileExists(path); }, 5000);
}

// A plain controller again: 03.07, 94VK, the empty configuration, no events, no faults.
inline bool Reset() {
    return Control("version 03.07\nmodel 94VK\nempty\nwrite-answer e\nmismatch none\ndelay 0\n"
                   "drop 0\nbad-check 0\nwrong-address 0\nshort 0\nnoise 0\nsplit 0\ngap 50\n"
                   "twice 0\nstale 0\nevents none\nhours 0\noperations 0\n");
}

// A position in the log.
inline size_t Mark() {
    return ReadBytes(Environment("ZRT_E2E_SIM_LOG")).size();
}

// The whole log lines after `mark` that start with `prefix`.
inline std::vector<std::string> Lines(size_t mark, const std::string& prefix) {
    std::string text = ReadBytes(Environment("ZRT_E2E_SIM_LOG"));
    std::vector<std::string> lines;
    // Whole lines only: the last one may still be being written.
    for (size_t at = std::min(mark, text.size()), end; (end = text.find('\n', at)) != text.npos;
         at = end + 1)
        if (text.compare(at, prefix.size(), prefix) == 0)
            lines.push_back(text.substr(at, end - at));
    return lines;
}

inline bool WaitForLine(size_t mark, const std::string& prefix) {
    return WaitUntil([&] { return !Lines(mark, prefix).empty(); });
}

// The command letters of the requests received after `mark`, e.g. "vbhebf".
inline std::string Requests(size_t mark) {
    std::string letters;
    for (const std::string& line : Lines(mark, "RX "))
        letters += line[line.find(" OR=") + 4];
    return letters;
}

// Frame data as the log writes it: printable ASCII as it is, other bytes, '"' and '\' as \xHH.
inline std::string Logged(const std::string& data) {
    std::string text = "DATA=\"";
    for (unsigned char c : data) {
        char escaped[8] = {(char)c};
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\')
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        text += escaped;
    }
    return text + "\"";
}

} // namespace e2e::sim

namespace e2e {

// How many times the CUPS log `name` holds `what`.
inline size_t InLog(const char* name, const std::string& what) {
    std::string log = ReadBytes(JoinPath(Environment("ZRT_E2E_CUPS"), std::string("log\\") + name));
    size_t n = 0;
    for (size_t at = 0; (at = log.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

// The printer's own account of a failed job (its filters' errors), for a check of the paper.
inline std::string PrinterTrouble() {
    return "\nerror_log:\n" + ReadBytes(JoinPath(Environment("ZRT_E2E_CUPS"), "log\\error_log"));
}

// The newest PDF's text (pdftotext -layout), in Windows-1252, with its pages as pictures in the
// artefacts (`pictures`-1.png, ...) unless `pictures` is empty.
inline std::string NewestPdfText(const std::string& pictures = "") {
    std::string text = JoinPath(TestFolder(), "printed.txt");
    std::string command = "/usr/bin/pdftotext -layout $PDF '" + UnixPath(text) + "'";
    if (!pictures.empty())
        command += "; /usr/bin/pdftoppm -r 72 -png $PDF '" +
                   UnixPath(JoinPath(artefactDir, pictures)) + "'";
    if (!RunLinux("PDF=$(/bin/ls -t '" + UnixPath(Environment("ZRT_E2E_PDF")) +
                  "'/*.pdf | /usr/bin/head -n 1); " + command))
        return "";
    std::string utf8 = ReadBytes(text);
    return Utf8ToCp1252(utf8.data(), utf8.size());
}

// The lines of a text without blank lines, each run of blanks as one blank (pdftotext -layout
// guesses the columns from the gaps between words).
inline std::vector<std::string> Words(const std::string& text, char lineEnd) {
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

// The local time now, as the program dates what it prints.
inline LocalDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute};
}

// No print job left: no dialog up, and the main window enabled again.
inline bool NoJobLeft(App& app) {
    return !app.FindDialog() && IsWindowEnabled(app.MainWindow());
}

} // namespace e2e
