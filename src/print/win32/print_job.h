#pragma once
// The program's only way to the printer, one for the whole run: the printer that the user chose
// (kept until the program ends, not saved), and one job at a time on a printer context, with the
// cancel dialog up and the main window disabled. Text is printed in 10-point Courier New.
#include "print/page_recording.h"
#include "print/text_pages.h"

#include <windows.h>
#include <commdlg.h>

// The paper of the chosen printer, in its device units, and the job's font there.
struct PaperGeometry {
    int width, height;    // the whole sheet
    int offsetX, offsetY; // where the printable area starts on it
    int printableWidth, printableHeight;
    int fontHeight; // as the job's font asks for it (negative: the characters' height)
};

struct PrintJob {
    HWND owner = nullptr; // the main window
    HINSTANCE instance = nullptr;
    bool printerChosen = false;
    PRINTDLGA setup{}; // the last confirmed set-up: its device blocks name the printer
    HDC printerDC = nullptr;
    ABORTPROC abortProc = nullptr;
    HFONT font = nullptr;
    TextPages pages;

    void Init(HWND owner, HINSTANCE instance);
    // The printer set-up dialog; true when the user confirmed it.
    bool PrintSetup();
    // Opens the printer context with the job's font, the cancel dialog, the document and its
    // first page; says why when it cannot. Whatever it returns, EndPrintJob follows.
    bool BeginPrintJob(const char* documentName);
    // Ends the page and the document (drops the document of a cancelled or failed job), and
    // releases what BeginPrintJob took; safe after a BeginPrintJob that failed.
    void EndPrintJob();
    // Prints a text whose lines end in a carriage return.
    void PrintText(const char* text, const char* cancelMessage, const char* documentName);
    // Lays a text out as PrintText would on the chosen printer (its font metrics and printable
    // area from its context), without printing; the set-up dialog first when no printer was
    // chosen. False, having said why, when there is no printer or the paper is too small.
    bool LayOutText(const char* text, PageRecording* pages, PaperGeometry* paper);
};

// The job's font (10-point Courier New) at `height`, as CreateFont takes it.
HFONT CreateJobTextFont(int height);
