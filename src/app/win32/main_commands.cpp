// What each menu item, toolbar button and accelerator does, and when it is enabled: one table,
// walked both to run a command and to set the states of its menu item and button.
#include "app/win32/about_boxes.h"
#include "app/win32/app_globals.h"
#include "app/win32/compare_dialog.h"
#include "app/win32/history_dialog.h"
#include "app/win32/history_file.h"
#include "app/win32/main_commands.h"
#include "app/win32/receive_archive_win32.h"
#include "app/win32/recent_menu.h"
#include "app/win32/settings_dialog.h"
#include "app/win32/version_resource.h"
#include "base/res_string.h"
#include "base/string_ids.h"
#include "base/win32/local_time.h"
#include "base/win32/message_box_ids.h"
#include "config/config_ranges.h"
#include "config/config_report.h"
#include "config/win32/config_editor.h"
#include "events/win32/event_log_dialog.h"
#include "help/win32/help.h"
#include "label/win32/label_clipboard.h"
#include "link/win32/interrogation_dialog.h"
#include "print/win32/print_label.h"
#include "print/win32/print_preview.h"
#include "res/resource.h"

#include <cstdio>

namespace {

void New(HWND) {
    g_document.New();
}
void Open(HWND) {
    g_document.Open();
}
void Save(HWND) {
    g_document.Save();
}
void SaveAs(HWND) {
    g_document.SaveAs();
}
// The recent files' items, by their place in the list.
template <int index> void OpenRecent(HWND window) {
    OpenRecentFile(window, index);
}
// The Open dialog in the folder of the received copies.
void OpenReceived(HWND window) {
    char folder[MAX_PATH];
    if (!ReceiveArchiveFolder(g_settings.dataFolder, folder, sizeof folder)) {
        MessageBoxIds(window, str::ReceiveArchiveFailed, 0, MB_ICONSTOP);
        return;
    }
    g_document.Open(folder);
}

void PrintSetup(HWND) {
    g_printJob.PrintSetup();
}

// The report of a copy of the configuration, headed by the company lines, this program's
// version and the time now; the job's title and cancel text with it.
struct ConfigReportJob {
    char report[kReportBufferSize];
    char title[256], cancelText[256];
};
void BuildReportJob(ConfigReportJob& job) {
    const ControllerConfig copy = g_document.image;
    FixedVersionInfo version;
    ReadFixedVersionInfo(g_instance, &version);
    const ReportHeading heading = {g_settings.companyLine1, g_settings.companyLine2,
                                   version.productVersionMS, version.productVersionLS, LocalNow()};
    BuildConfigReport(copy, heading, job.report, sizeof job.report);
    std::snprintf(job.title, sizeof job.title, ResString(str::PrintConfigTitle),
                  (int)copy.systemNumber);
    LoadResString(str::PrintingConfig, job.cancelText, sizeof job.cancelText);
}

void PrintConfiguration(HWND) {
    ConfigReportJob job;
    BuildReportJob(job);
    g_printJob.PrintText(job.report, job.cancelText, job.title);
}

// The preview prints the report it shows, its time included.
void PreviewConfiguration(HWND window) {
    ConfigReportJob job;
    BuildReportJob(job);
    if (ShowPrintPreview(g_printJob, window, job.report))
        g_printJob.PrintText(job.report, job.cancelText, job.title);
}

// The label of a copy of the configuration, at its true size.
void PrintLabelCommand(HWND) {
    const ControllerConfig copy = g_document.image;
    PrintLabel(g_printJob, copy, g_settings.companyLine1, g_settings.companyLine2);
}

// The editor works on a copy; only an accepted copy goes back to the document, which checks it.
void EditConfiguration(HWND window) {
    ControllerConfig copy = g_document.image;
    ConfigEditor editor;
    if (editor.Edit(window, copy)) g_document.ReplaceImage(copy);
}

// As closing the window: the save question may keep the program running.
void Exit(HWND window) {
    SendMessageA(window, WM_CLOSE, 0, 0);
}

// Whatever the answer, the window refreshes as after a change of the document: the label shows
// the company lines as they are now.
void ProgramSettingsDialog(HWND window) {
    ShowSettingsDialog(window);
    SendMessageA(window, WM_DOC_CHANGED, 0, 0);
}

// The controller commands need the open port; without it they say so and do nothing.
bool PortReady(HWND window) {
    if (g_commLink.IsOpen()) return true;
    MessageBoxIds(window, str::NoPort, 0, MB_ICONSTOP);
    return false;
}

// Every received image is kept, even one the document refuses: it is what the controller held.
// A copy that could not be written never fails the receive; it is told once the receive is over.
enum class ArchiveCopy { None, Written, Failed } g_archiveCopy = ArchiveCopy::None;
char g_receivedName[64];
int g_receivedSystem = -1, g_receivedCabin = -1;
bool ReplaceDocumentImage(void*, const ControllerConfig& image) {
    g_archiveCopy = ArchiveImage(g_settings.dataFolder, g_document, image, kReceivedFolder,
                                 g_receivedName, sizeof g_receivedName)
                        ? ArchiveCopy::Written
                        : ArchiveCopy::Failed;
    g_receivedSystem = image.systemNumber;
    g_receivedCabin = image.cabinNumber;
    return g_document.ReplaceImage(image);
}
void MarkDocumentSaved(void*) {
    g_document.SetModified(false);
}

// A line the history could not take is said in the bar and changes nothing else.
void Record(const HistoryExchange& e) {
    HistoryAppend result = RecordExchange(g_settings.dataFolder, e);
    if (result == HistoryAppend::Locked) g_statusBar.SetText(0, ResString(str::HistoryLocked));
    if (result == HistoryAppend::Failed) g_statusBar.SetText(0, ResString(str::HistoryWriteFailed));
}

// Every ended exchange goes into the history, with the copy it left: the received one, or the
// image a verified transmit put into the controller, byte for byte as it went.
int g_conversationCode = 0;
void RecordConversation(void*, const Conversation& c, const char* text) {
    HistoryExchange e{
        .versionMajor = c.controllerMajor, .versionMinor = c.controllerMinor, .result = text};
    char sentName[64] = "";
    switch (g_conversationCode) {
    case VersionQuery: e.operationId = str::HistoryVersionOp; break;
    case ReceiveVersionCheck:
        e.operationId = str::HistoryReceiveOp;
        // The bar's first part tells of the last copy until another one is written.
        if (g_archiveCopy == ArchiveCopy::Failed)
            g_statusBar.SetText(0, ResString(str::ReceiveArchiveFailed));
        if (g_archiveCopy == ArchiveCopy::Written) {
            g_statusBar.SetText(0, ResString(str::StatusHelpText));
            e.copyName = g_receivedName;
        }
        if (g_archiveCopy != ArchiveCopy::None)
            e.system = g_receivedSystem, e.cabin = g_receivedCabin;
        break;
    default:
        e.operationId = str::HistoryTransmitOp;
        e.system = c.outgoing.systemNumber;
        e.cabin = c.outgoing.cabinNumber;
        if (!c.verified) break;
        if (ArchiveImage(g_settings.dataFolder, g_document, c.outgoing, kSentFolder, sentName,
                         sizeof sentName))
            e.copyName = sentName;
        else
            g_statusBar.SetText(0, ResString(str::SentArchiveFailed));
        break;
    }
    Record(e);
}

const InterrogationDocument kInterrogationDocument = {
    .context = nullptr,
    .replaceImage = ReplaceDocumentImage,
    .markSaved = MarkDocumentSaved,
    .finished = RecordConversation,
};
void Interrogate(HWND window, int conversationCode) {
    g_conversationCode = conversationCode;
    g_archiveCopy = ArchiveCopy::None;
    RunInterrogation(window, g_instance, g_conversation, g_commLink, conversationCode,
                     g_document.image, kInterrogationDocument);
}

void ReceiveVersion(HWND window) {
    if (!PortReady(window)) return;
    Interrogate(window, VersionQuery);
}
// The user may save a modified document first, or cancel.
void ReceiveConfiguration(HWND window) {
    if (!g_document.QuerySave(true)) return;
    if (!PortReady(window)) return;
    Interrogate(window, ReceiveVersionCheck);
}
// An image with a field out of range would reach the controller cut to other values and still
// verify, so nothing is sent until the editor has corrected it.
void TransmitConfiguration(HWND window) {
    if (!PortReady(window)) return;
    char text[512];
    if (DescribeFieldOutOfRange(g_document.image, text, sizeof text)) {
        MessageBoxA(window, text, ResString(str::CaptionConfigurator), MB_ICONSTOP);
        return;
    }
    Interrogate(window, TransmitVersionCheck);
}
// The identity is known once a read got through to the events (a clear keeps the last read's).
void RecordEventExchange(const EventLog& log, bool clear, const char* text) {
    HistoryExchange e{.operationId = clear ? str::HistoryEventClearOp : str::HistoryEventReadOp,
                      .result = text};
    if (log.logRead) e.system = log.controllerSystem, e.cabin = log.controllerCabin;
    Record(e);
}
void ViewEventLog(HWND window) {
    EventLogCommand(window, g_instance, g_eventLog, g_commLink, g_printJob, g_settings.companyLine1,
                    g_settings.companyLine2, RecordEventExchange);
}
void ToggleMonitor(HWND) {
    g_commLink.ShowMonitor(!g_commLink.IsMonitorVisible());
}

// The picture shows the configuration as it is now, unsaved changes included.
void CopyLabel(HWND window) {
    ControllerConfig copy = g_document.image;
    if (CopyLabelToClipboard(window, copy, g_settings.companyLine1, g_settings.companyLine2))
        g_statusBar.SetText(0, ResString(str::LabelCopied));
    else
        MessageBoxIds(window, str::LabelNotCopied, 0, MB_ICONSTOP);
}
void FitLabelWidth(HWND) {
    g_labelView.FitLabelWidth();
}
void FitWholeLabel(HWND) {
    g_labelView.FitWholeLabel();
}
void ZoomIn(HWND) {
    g_labelView.ZoomIn();
}
void ZoomOut(HWND) {
    g_labelView.ZoomOut();
}

void HelpOnHelp(HWND window) {
    ProgramHelp(window, kHelpOnHelpFile, HELP_HELPONHELP, 0);
}
void HelpContents(HWND window) {
    ProgramHelp(window, kHelpFile, HELP_CONTENTS, 0);
}
// An empty key opens the keyword search.
void HelpSearch(HWND window) {
    ProgramHelp(window, kHelpFile, HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(""));
}

// When a command is enabled; a command without a rule always is.
bool DocumentModified() {
    return g_document.modified != 0;
}
bool PortOpen() {
    return g_commLink.IsOpen();
}

struct Command {
    WORD id;
    void (*run)(HWND window);
    bool (*enabled)() = nullptr;
};

const Command kCommands[] = {
    {CMD_NEW, New},
    {CMD_OPEN, Open},
    {CMD_OPEN_RECEIVED, OpenReceived},
    {CMD_COMPARE, CompareWithFile},
    {CMD_SAVE, Save, DocumentModified},
    {CMD_SAVE_AS, SaveAs},
    {CMD_PRINT_SETUP, PrintSetup},
    {CMD_PRINT_CONFIG, PrintConfiguration},
    {CMD_PRINT_PREVIEW, PreviewConfiguration},
    {CMD_PRINT_LABEL, PrintLabelCommand},
    {CMD_SETTINGS, ProgramSettingsDialog},
    {CMD_EXIT, Exit},
    {CMD_EDIT_CONFIG, EditConfiguration},
    {CMD_RECEIVE_VERSION, ReceiveVersion, PortOpen},
    {CMD_RECEIVE_CONFIG, ReceiveConfiguration, PortOpen},
    {CMD_TRANSMIT_CONFIG, TransmitConfiguration, PortOpen},
    {CMD_EVENT_LOG, ViewEventLog, PortOpen},
    {CMD_MONITOR, ToggleMonitor},
    {CMD_HISTORY, ShowHistoryDialog},
    {CMD_COPY_LABEL, CopyLabel},
    {CMD_FIT_WIDTH, FitLabelWidth},
    {CMD_FIT_WHOLE, FitWholeLabel},
    {CMD_ZOOM_IN, ZoomIn},
    {CMD_ZOOM_OUT, ZoomOut},
    {CMD_HELP_ON_HELP, HelpOnHelp},
    {CMD_HELP_CONTENTS, HelpContents},
    {CMD_HELP_SEARCH, HelpSearch},
    {CMD_ABOUT, ShowAboutBox},
    {CMD_ABOUT_MAKER, ShowMakerBox},
    {CMD_RECENT_FILE_1, OpenRecent<0>},
    {CMD_RECENT_FILE_2, OpenRecent<1>},
    {CMD_RECENT_FILE_3, OpenRecent<2>},
    {CMD_RECENT_FILE_4, OpenRecent<3>},
};

void EnableCommand(HWND window, WORD id, bool enabled) {
    EnableMenuItem(GetMenu(window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    g_toolbar.EnableButton(id, enabled);
}

} // namespace

bool RunCommand(HWND window, WORD id, bool fromAccelerator) {
    for (const Command& c : kCommands) {
        if (c.id != id) continue;
        if (fromAccelerator && c.enabled && !c.enabled()) return true;
        c.run(window);
        return true;
    }
    return false;
}

// Every command sits in a pop-up, which reads its items' states when it opens: the menu bar
// itself is not redrawn.
void UpdateCommandStates(HWND window) {
    for (const Command& c : kCommands)
        EnableCommand(window, c.id, !c.enabled || c.enabled());
}
