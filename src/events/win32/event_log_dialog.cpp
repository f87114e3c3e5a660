#include "events/win32/event_log_dialog.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/local_time.h"
#include "base/win32/message_box_ids.h"
#include "base/win32/message_table.h"
#include "events/event_log_texts.h"
#include "help/win32/help.h"
#include "link/interrogation.h"
#include "link/win32/dialog_exchange.h"
#include "print/win32/print_preview.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

constexpr DWORD kDialogHelpContext = 411;

// Control id and help context, for the pop-up help of each control.
// clang-format off
const DWORD kHelpTable[] = {
    IDC_EVT_REFRESH, 300,   IDC_EVT_CLEAR, 301,  IDC_EVT_PRINT, 302,  IDC_EVT_OPERATIONS, 303,
    IDC_EVT_HOURS, 304,     IDC_EVT_LIST, 305,   IDC_EVT_COUNT, 306,  IDC_EVT_EXIT, 999,
    IDC_EVT_PREVIEW, 302,   0, 0,
};
// clang-format on

struct EventLogDialog {
    HWND window = nullptr;
    HWND mainWindow = nullptr;
    EventLog* log = nullptr;
    CommLink* link = nullptr;
    PrintJob* printer = nullptr;
    const char* companyLine1 = nullptr;
    const char* companyLine2 = nullptr;
    ExchangeHost host{};
    // One of the dialog's own boxes is up: an answer read meanwhile would open a second box
    // over it, so the line is read again once it is closed.
    bool boxOpen = false;
    bool ended = false;
    bool clearing = false; // the exchange under way is a clear, not a read
    EventExchangeEnded exchangeEnded = nullptr;
};

void TellEnded(const EventLogDialog& d, const char* text) {
    if (d.exchangeEnded) d.exchangeEnded(*d.log, d.clearing, text);
}

EventLogDialog* DataOf(HWND window) {
    return reinterpret_cast<EventLogDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// "Actualizar" and "Borrar..." wait while an exchange runs. "Imprimir" also waits, and prints
// only a log that the last refresh read: after a failure the empty list would go on paper under
// the identity of a controller read before.
void EnableButtons(EventLogDialog& d, bool idle) {
    HWND focus = GetFocus();
    for (int id : {IDC_EVT_REFRESH, IDC_EVT_CLEAR, IDC_EVT_PRINT, IDC_EVT_PREVIEW}) {
        HWND button = GetDlgItem(d.window, id);
        bool enable = idle && ((id != IDC_EVT_PRINT && id != IDC_EVT_PREVIEW) || d.log->logRead);
        // A disabled button keeps no keyboard: the focus goes to the list.
        if (!enable && button == focus)
            SendMessageA(d.window, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(d.window, IDC_EVT_LIST), TRUE);
        EnableWindow(button, enable);
    }
}

void ShowBox(EventLogDialog& d, const char* text, UINT flags) {
    d.boxOpen = true;
    MessageBoxA(d.window, text, nullptr, flags);
    d.boxOpen = false;
}

// A box or a print job owned by the main window enables it as it ends: while this dialog runs,
// the main window is disabled again and the dialog keeps the front.
void TakeBackFront(EventLogDialog& d) {
    EnableWindow(d.mainWindow, FALSE);
    EnableWindow(d.window, TRUE);
    SetActiveWindow(d.window);
}

void SetCounters(EventLogDialog& d, bool read) {
    char text[kEventTextSize];
    FormatCounter(read, d.log->runningHours, text, sizeof text);
    SetDlgItemTextA(d.window, IDC_EVT_HOURS, text);
    FormatCounter(read, d.log->operationCount, text, sizeof text);
    SetDlgItemTextA(d.window, IDC_EVT_OPERATIONS, text);
}

// The identity and the counters belong to the log that the last refresh read; without one (a
// clear after a failed refresh) the dialog keeps saying they are unknown.
void Fill(EventLogDialog& d) {
    const EventLog& log = *d.log;
    char text[kEventTextSize];
    FormatEventCount(log.eventCount, text, sizeof text);
    SetDlgItemTextA(d.window, IDC_EVT_COUNT, text);
    SendDlgItemMessageA(d.window, IDC_EVT_LIST, LB_RESETCONTENT, 0, 0);
    for (unsigned n = 0; n < log.eventCount && n < (unsigned)kMaxEvents; ++n) {
        FormatEventLine((int)n + 1, log.events[n], text, sizeof text);
        SendDlgItemMessageA(d.window, IDC_EVT_LIST, LB_ADDSTRING, 0, (LPARAM)text);
    }
    if (!log.logRead) return;
    FormatEventTitle(log.controllerSystem, log.controllerCabin, text, sizeof text);
    SetWindowTextA(d.window, text);
    SetCounters(d, log.countersRead);
}

void Refresh(EventLogDialog& d) {
    SetWindowTextA(d.window, ResString(str::EventLogTitle));
    SendDlgItemMessageA(d.window, IDC_EVT_LIST, LB_RESETCONTENT, 0, 0);
    SetDlgItemTextA(d.window, IDC_EVT_COUNT, ResString(str::EventsUnknown));
    SetCounters(d, false);
    EnableButtons(d, false);
    d.clearing = false;
    StartRefresh(*d.log, d.host);
}

// The question is owned by the main window, so that the poll timer goes on meanwhile; a refresh
// started or the dialog closed while it was up wins over its Yes.
void Clear(EventLogDialog& d) {
    if (d.log->eventState != EventIdle) return;
    int reply = MessageBoxIds(d.mainWindow, str::ClearEventsQuestion, str::CaptionConfigurator,
                              MB_YESNO | MB_ICONQUESTION);
    if (d.ended) return;
    TakeBackFront(d);
    if (reply != IDYES || d.log->eventState != EventIdle) return;
    EnableButtons(d, false);
    d.clearing = true;
    StartClear(*d.log, d.host);
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        std::string line((size_t)SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1, '\0');
        line.resize((size_t)SendMessageA(list, LB_GETTEXT, i, (LPARAM)&line[0]));
        lines.push_back(line);
    }
    return lines;
}

// The list as shown, printed, or first previewed and printed from the preview. The dialog waits
// meanwhile: a second job must not start from it while the job's abort procedure lets its
// buttons work.
void PrintList(EventLogDialog& d, bool preview) {
    if (!d.log->logRead || d.log->eventState != EventIdle) return;
    std::vector<std::string> lines = ListLines(GetDlgItem(d.window, IDC_EVT_LIST));
    std::vector<const char*> pointers;
    for (const std::string& line : lines)
        pointers.push_back(line.c_str());
    const EventPrintHeading heading = {d.companyLine1, d.companyLine2, LocalNow(),
                                       d.log->controllerSystem, d.log->controllerCabin};
    std::vector<char> text(kEventPrintBufferSize);
    BuildEventPrintText(heading, pointers.data(), (int)pointers.size(), text.data(),
                        (int)text.size());
    char title[kEventTextSize], cancelText[kEventTextSize];
    FormatEventPrintTitle(d.log->controllerSystem, title, sizeof title);
    LoadResString(str::PrintingEvents, cancelText, sizeof cancelText);
    if (!preview || ShowPrintPreview(*d.printer, d.window, text.data())) {
        EnableWindow(d.window, FALSE);
        d.printer->PrintText(text.data(), cancelText, title);
    }
    TakeBackFront(d);
}

void Print(EventLogDialog& d) {
    PrintList(d, false);
}

void Preview(EventLogDialog& d) {
    PrintList(d, true);
}

// At once, even during an exchange: the state stays as it is until the next refresh.
void Exit(EventLogDialog& d) {
    d.ended = true;
    KillTimer(d.window, kPollTimerId);
    KillTimer(d.window, kAnswerTimerId);
    EndDialog(d.window, 0);
}

void Help(EventLogDialog& d) {
    ProgramHelp(d.window, kHelpFile, HELP_CONTEXT, kDialogHelpContext);
}

void Poll(EventLogDialog& d) {
    LinkPacket answer;
    if (d.boxOpen || !ReceiveAnswer(d.log->exchange, d.host, &answer)) return;
    switch (EventStep(*d.log, d.host, answer)) {
    case StepFailed:
        EnableButtons(d, true);
        TellEnded(d, d.log->exchange.statusText);
        ShowBox(d, d.log->exchange.statusText, MB_ICONSTOP);
        break;
    case StepContinue: break;
    case StepFinished: {
        EnableButtons(d, true);
        Fill(d);
        char count[kEventTextSize];
        FormatEventCount(d.log->eventCount, count, sizeof count);
        TellEnded(d, count);
        break;
    }
    }
}

// Idle before the box: an answer that comes while it is up is a late one, not the refresh's.
void AnswerTimeout(EventLogDialog& d) {
    KillTimer(d.window, kAnswerTimerId);
    EventTimeout(*d.log);
    char text[kEventTextSize];
    LoadResString(str::NoAnswer, text, sizeof text);
    TellEnded(d, text);
    ShowBox(d, text, MB_ICONEXCLAMATION);
    EnableButtons(d, true);
}

struct CommandHandler {
    WORD id;
    void (*run)(EventLogDialog& d);
};

const CommandHandler kCommands[] = {
    {IDC_EVT_REFRESH, Refresh}, {IDC_EVT_CLEAR, Clear}, {IDC_EVT_PRINT, Print},
    {IDC_EVT_PREVIEW, Preview}, {IDC_EVT_EXIT, Exit},   {IDCANCEL, Exit},
    {IDC_HELP_BUTTON, Help},
};

// The log is read as soon as the dialog shows.
INT_PTR OnInitDialog(HWND window, WPARAM, LPARAM lParam) {
    SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
    DataOf(window)->window = window;
    CenterDialog(window);
    SetTimer(window, kPollTimerId, kPollPeriodMs, nullptr);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EVT_REFRESH, BN_CLICKED), 0);
    return TRUE;
}

INT_PTR OnCommand(HWND window, WPARAM wParam, LPARAM) {
    EventLogDialog* d = DataOf(window);
    if (!d || d->ended || HIWORD(wParam) != BN_CLICKED) return FALSE;
    for (const CommandHandler& c : kCommands)
        if (c.id == LOWORD(wParam)) {
            c.run(*d);
            return TRUE;
        }
    return FALSE;
}

INT_PTR OnTimer(HWND window, WPARAM id, LPARAM) {
    EventLogDialog* d = DataOf(window);
    if (!d || d->ended) return FALSE;
    if (id == kPollTimerId) Poll(*d);
    if (id == kAnswerTimerId) AnswerTimeout(*d);
    return TRUE;
}

INT_PTR OnHelp(HWND, WPARAM, LPARAM lParam) {
    OutputDebugStringA("GEN - Vino WM_HELP\r\n");
    auto* info = reinterpret_cast<HELPINFO*>(lParam);
    if (info->iContextType == HELPINFO_WINDOW)
        ProgramHelp(static_cast<HWND>(info->hItemHandle), kHelpFile, HELP_WM_HELP,
                    reinterpret_cast<ULONG_PTR>(kHelpTable));
    return TRUE;
}

INT_PTR OnClose(HWND window, WPARAM, LPARAM) {
    if (EventLogDialog* d = DataOf(window)) Exit(*d);
    return TRUE;
}

const DialogMessageHandler kHandlers[] = {
    {WM_INITDIALOG, OnInitDialog}, {WM_COMMAND, OnCommand}, {WM_TIMER, OnTimer}, {WM_HELP, OnHelp},
    {WM_CLOSE, OnClose},
};

} // namespace

void EventLogCommand(HWND mainWindow, HINSTANCE instance, EventLog& log, CommLink& link,
                     PrintJob& printer, const char* companyLine1, const char* companyLine2,
                     EventExchangeEnded ended) {
    if (!link.IsOpen()) {
        MessageBoxIds(mainWindow, str::NoPort, 0, MB_ICONSTOP);
        return;
    }
    EventLogDialog d;
    d.mainWindow = mainWindow;
    d.log = &log;
    d.link = &link;
    d.printer = &printer;
    d.companyLine1 = companyLine1;
    d.companyLine2 = companyLine2;
    d.exchangeEnded = ended;
    d.host = DialogExchangeHost(&d);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EVENT_LOG), mainWindow,
                    DialogProcedure<kHandlers>, reinterpret_cast<LPARAM>(&d));
}
