#pragma once
// The rig's printer: a private CUPS (scripts/test.sh) whose default printer, "PDF", writes every
// job as a PDF file into ZRT_E2E_PDF; in ZRT_E2E_CUPS, log/access_log has a "Create-Job" for
// every job the queue takes, log/page_log a line for every job printed, with its name.
// pdftotext and pdftoppm read the PDFs back: Wine starts them as the Linux programs they are.
#include "driver.h"

#include "base/date_line.h"

#include <string>
#include <vector>

namespace e2e {

std::string Folder(const char* variable); // an environment variable, or ""

// How many times the CUPS log `name` holds `what`.
size_t InLog(const char* name, const std::string& what);

// The newest PDF's text (pdftotext -layout), in Windows-1252, with its pages as pictures in the
// artefacts (`pictures`-1.png, ...) unless `pictures` is empty.
std::string NewestPdfText(const std::string& pictures = "");

// The lines of a text without blank lines, each run of blanks as one blank (pdftotext -layout
// guesses the columns from the gaps between words).
std::vector<std::string> Words(const std::string& text, char lineEnd);

// The local time now, as the program dates what it prints.
LocalDateTime Now();

// No print job left: no dialog up, and the main window enabled again.
bool NoJobLeft(App& app);

} // namespace e2e
