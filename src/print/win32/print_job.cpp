#include "print/win32/print_job.h"

#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "print/win32/cancel_dialog.h"

namespace {

constexpr int kFontPoints = 10;

HDC CreatePrinterContext(const PRINTDLGA& setup) {
    auto* names = static_cast<DEVNAMES*>(GlobalLock(setup.hDevNames));
    if (!names) return nullptr;
    auto* mode = setup.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(setup.hDevMode)) : nullptr;
    const char* base = reinterpret_cast<const char*>(names);
    HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                       base + names->wOutputOffset, mode);
    if (mode) GlobalUnlock(setup.hDevMode);
    GlobalUnlock(setup.hDevNames);
    return dc;
}

int JobFontHeight(HDC dc) {
    return -MulDiv(kFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
}

HFONT CreateJobFont(HDC dc) {
    return CreateJobTextFont(JobFontHeight(dc));
}

TextGrid MeasureJobText(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT area{};
    GetClipBox(dc, &area);
    return MeasureTextGrid(metrics.tmHeight + metrics.tmExternalLeading, metrics.tmAveCharWidth,
                           area.right - area.left, area.bottom - area.top);
}

// A refusal that follows the user's own cancel (the abort procedure said stop) is no error.
void ReportJobError(HWND owner, unsigned textId) {
    if (!UserCancelled())
        MessageBoxIds(owner, textId, str::CaptionConfigurator, MB_ICONSTOP | MB_DEFBUTTON2);
}

HDC JobDC(void* job) {
    return static_cast<PrintJob*>(job)->printerDC;
}

PrintDevice PrinterOf(PrintJob* job) {
    return {
        job,
        [](void* c, int x, int y, const char* text, int length) {
            TextOutA(JobDC(c), x, y, text, length);
        },
        [](void* c) { return EndPage(JobDC(c)) > 0; },
        [](void* c) { return StartPage(JobDC(c)) > 0; },
        [](void* c) { return EndDoc(JobDC(c)) > 0; },
        [](void* c) { AbortDoc(JobDC(c)); },
        // The printing system may call the abort procedure seldom (Wine calls it only as the
        // document starts), so the dialog gets its turn at every page break as well.
        [](void* c) {
            auto* j = static_cast<PrintJob*>(c);
            if (j->abortProc) j->abortProc(j->printerDC, 0);
            return UserCancelled();
        },
    };
}

} // namespace

HFONT CreateJobTextFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH,
                       "Courier New");
}

void PrintJob::Init(HWND ownerWindow, HINSTANCE programInstance) {
    owner = ownerWindow;
    instance = programInstance;
}

bool PrintJob::PrintSetup() {
    // The record's size is this build's own: the dialog refuses any other.
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = setup.hDevMode;
    dialog.hDevNames = setup.hDevNames;
    dialog.Flags = PD_PRINTSETUP;
    if (!PrintDlgA(&dialog)) {
        if (dialog.hDC) DeleteDC(dialog.hDC);
        return false;
    }
    setup = dialog;
    printerChosen = true;
    return true;
}

bool PrintJob::BeginPrintJob(const char* documentName) {
    if (!printerChosen && !PrintSetup()) return false;
    if (!setup.hDevNames) return false;
    printerDC = CreatePrinterContext(setup);
    if (!printerDC) {
        MessageBoxIds(owner, str::PrinterContextError, 0, MB_OK);
        return false;
    }
    font = CreateJobFont(printerDC);
    if (font) SelectObject(printerDC, font);
    TextGrid grid = MeasureJobText(printerDC);

    OpenCancelDialog(instance, owner);
    EnableWindow(owner, FALSE);
    SetAbortProc(printerDC, abortProc);
    DOCINFOA document{sizeof document, documentName, nullptr, nullptr, 0};
    bool started = StartDocA(printerDC, &document) > 0;
    if (!started || StartPage(printerDC) <= 0) {
        ReportJobError(owner, started ? str::StartPageError : str::StartDocError);
        if (started) AbortDoc(printerDC);
        DeleteDC(printerDC);
        printerDC = nullptr;
        return false;
    }
    pages.Begin(PrinterOf(this), grid);
    return true;
}

void PrintJob::EndPrintJob() {
    bool ended = pages.End();
    if (printerDC) DeleteDC(printerDC);
    printerDC = nullptr;
    // The main window first: enabled before the dialog that it owns goes, it keeps the program
    // active.
    EnableWindow(owner, TRUE);
    CloseCancelDialog();
    if (font) DeleteObject(font);
    font = nullptr;
    // A job whose end the printer refused did not print whole; silence would pass for success.
    if (!ended) ReportJobError(owner, str::EndDocError);
    SetFocus(owner);
}

void PrintJob::PrintText(const char* text, const char* cancelMessage, const char* documentName) {
    SetCancelText(cancelMessage);
    abortProc = PrintAbortProc;
    if (BeginPrintJob(documentName)) {
        PrintOutcome outcome = pages.PrintText(text);
        if (outcome == PrintOutcome::PageFailed)
            ReportJobError(owner, str::StartPageError);
        else if (outcome == PrintOutcome::PaperTooSmall)
            MessageBoxIds(owner, str::PaperTooSmall, str::CaptionConfigurator, MB_ICONSTOP);
    }
    EndPrintJob();
}

bool PrintJob::LayOutText(const char* text, PageRecording* laidOut, PaperGeometry* paper) {
    if (!printerChosen && !PrintSetup()) return false;
    if (!setup.hDevNames) return false;
    HDC dc = CreatePrinterContext(setup);
    if (!dc) {
        MessageBoxIds(owner, str::PrinterContextError, 0, MB_OK);
        return false;
    }
    HFONT textFont = CreateJobFont(dc);
    HGDIOBJ previous = textFont ? SelectObject(dc, textFont) : nullptr;
    *laidOut = RecordTextPages(text, MeasureJobText(dc));
    *paper = {GetDeviceCaps(dc, PHYSICALWIDTH),
              GetDeviceCaps(dc, PHYSICALHEIGHT),
              GetDeviceCaps(dc, PHYSICALOFFSETX),
              GetDeviceCaps(dc, PHYSICALOFFSETY),
              GetDeviceCaps(dc, HORZRES),
              GetDeviceCaps(dc, VERTRES),
              JobFontHeight(dc)};
    // A printer that tells no sheet size: the printable area is the sheet.
    if (paper->width < paper->printableWidth || paper->height < paper->printableHeight)
        *paper = {paper->printableWidth,  paper->printableHeight, 0, 0, paper->printableWidth,
                  paper->printableHeight, paper->fontHeight};
    if (previous) SelectObject(dc, previous);
    if (textFont) DeleteObject(textFont);
    DeleteDC(dc);
    if (laidOut->outcome == PrintOutcome::PaperTooSmall) {
        MessageBoxIds(owner, str::PaperTooSmall, str::CaptionConfigurator, MB_ICONSTOP);
        return false;
    }
    return true;
}
