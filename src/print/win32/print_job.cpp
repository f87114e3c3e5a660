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

// GDI gives a character's advance rounded to whole device units, but a printer may place each
// character at the font's exact advance (Courier New at 300 dpi: 25.2 where GDI says 25, three
// characters over a line), so the advance of the selected font is read at its design size,
// scaled and rounded up. Fonts without outlines advance as GDI says.
int32_t PrintedAdvance(HDC dc, int32_t rounded) {
    OUTLINETEXTMETRICA outline{};
    outline.otmSize = sizeof outline;
    LOGFONTA font{};
    if (!GetOutlineTextMetricsA(dc, sizeof outline, &outline) || outline.otmEMSquare == 0 ||
        !GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font) || font.lfHeight >= 0)
        return rounded;
    const int32_t em = -font.lfHeight, design = (int32_t)outline.otmEMSquare;
    font.lfHeight = -design;
    font.lfWidth = 0;
    HFONT large = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, large);
    SIZE advance{};
    GetTextExtentPoint32A(dc, "M", 1, &advance);
    SelectObject(dc, previous);
    DeleteObject(large);
    int32_t exact = (int32_t)(((int64_t)advance.cx * em + design - 1) / design);
    return exact > rounded ? exact : rounded;
}

TextGrid MeasureJobText(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT area{};
    GetClipBox(dc, &area);
    // Text starts at the device origin, so the area's right side is the edge a line must keep to.
    return MeasureTextGrid(metrics.tmHeight + metrics.tmExternalLeading,
                           PrintedAdvance(dc, metrics.tmAveCharWidth), area.right,
                           area.bottom - area.top);
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
        if (outcome == PrintOutcome::PageEndFailed)
            ReportJobError(owner, str::EndPageError);
        else if (outcome == PrintOutcome::PageStartFailed)
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
