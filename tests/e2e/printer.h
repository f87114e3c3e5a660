#pragma once
// The rig's printer: a private CUPS (scripts/test.sh) whose default printer, "PDF", writes every
// job as a PDF file into ZRT_E2E_PDF; in ZRT_E2E_CUPS, log/access_log has a "Create-Job" for
// every job the queue takes, log/page_log a line for every job printed, with its name.
// pdftotext and pdftoppm read the PDFs back: Wine starts them as the Linux programs they are.
#include "driver.h"

#include "base/date_line.h"
#include "base/text_encoding.h"

namespace e2e {

// Runs a shell command on the newest PDF ($PDF).
inline bool OnNewestPdf(const std::string& command) {
    return RunLinux("PDF=$(/bin/ls -t '" + UnixPath(Environment("ZRT_E2E_PDF")) +
                    "'/*.pdf | /usr/bin/head -n 1); " + command);
}

// How many times the CUPS log `name` holds `what`.
inline size_t InLog(const char* name, const std::string& what) {
    std::string log = ReadBytes(JoinPath(Environment("ZRT_E2E_CUPS"), std::string("log\\") + name));
    size_t n = 0;
    for (size_t at = 0; (at = log.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

// The newest PDF's text (pdftotext -layout), in Windows-1252, with its pages as pictures in the
// artefacts (`pictures`-1.png, ...) unless `pictures` is empty.
inline std::string NewestPdfText(const std::string& pictures = "") {
    std::string text = JoinPath(TestFolder(), "printed.txt");
    std::string command = "/usr/bin/pdftotext -layout $PDF '" + UnixPath(text) + "'";
    if (!pictures.empty())
        command += "; /usr/bin/pdftoppm -r 72 -png $PDF '" +
                   UnixPath(JoinPath(artefactDir, pictures)) + "'";
    if (!OnNewestPdf(command)) return "";
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
