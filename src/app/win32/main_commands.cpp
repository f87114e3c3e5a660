// What each menu item, toolbar button and accelerator does. A command that is not in this table
// is not built yet: its menu item stays grayed and the window passes it on unhandled.
#include "app/win32/about_boxes.h"
#include "app/win32/app_globals.h"
#include "app/win32/main_window.h"
#include "app/win32/settings_dialog.h"
#include "base/string_ids.h"
#include "base/win32/message_box_ids.h"
#include "config/win32/config_editor.h"
#include "help/win32/help.h"
#include "label/win32/label_clipboard.h"
#include "link/win32/comm_link.h"
#include "link/win32/interrogation_dialog.h"
#include "res/resource.h"

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

// Whatever the answer, the window shows the settings as they are now.
void ProgramSettingsDialog(HWND window) {
    ShowSettingsDialog(window);
    RefreshMainWindow(window);
}

// The controller commands need the open port; without it they say so and do nothing.
bool PortReady(HWND window) {
    if (g_commLink.IsOpen()) return true;
    MessageBoxIds(window, str::NoPort, 0, MB_ICONSTOP);
    return false;
}

bool ReplaceDocumentImage(void*, const ControllerConfig& image) {
    return g_document.ReplaceImage(image);
}
void ReadDocumentImage(void*, ControllerConfig* image) {
    *image = g_document.image;
}
void MarkDocumentSaved(void*) {
    g_document.SetModified(false);
}
const InterrogationDocument kInterrogationDocument = {nullptr, ReplaceDocumentImage,
                                                      ReadDocumentImage, MarkDocumentSaved};

void ReceiveVersion(HWND window) {
    if (!PortReady(window)) return;
    RunInterrogation(window, g_instance, VersionQuery, kInterrogationDocument);
}
// The user may save a modified document first, or cancel.
void ReceiveConfiguration(HWND window) {
    if (!g_document.QuerySave(true)) return;
    if (!PortReady(window)) return;
    RunInterrogation(window, g_instance, ReceiveVersionCheck, kInterrogationDocument);
}
void TransmitConfiguration(HWND window) {
    if (!PortReady(window)) return;
    RunInterrogation(window, g_instance, TransmitVersionCheck, kInterrogationDocument);
}
void ToggleMonitor(HWND) {
    g_commLink.ShowMonitor(!g_commLink.IsMonitorVisible());
}

// The picture shows the configuration as it is now, unsaved changes included.
void CopyLabel(HWND window) {
    ControllerConfig copy = g_document.image;
    CopyLabelToClipboard(window, copy, g_settings.companyLine1, g_settings.companyLine2);
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

struct Command {
    WORD id;
    void (*run)(HWND window);
};

const Command kCommands[] = {
    {CMD_NEW, New},
    {CMD_OPEN, Open},
    {CMD_SAVE, Save},
    {CMD_SAVE_AS, SaveAs},
    {CMD_SETTINGS, ProgramSettingsDialog},
    {CMD_EXIT, Exit},
    {CMD_EDIT_CONFIG, EditConfiguration},
    {CMD_RECEIVE_VERSION, ReceiveVersion},
    {CMD_RECEIVE_CONFIG, ReceiveConfiguration},
    {CMD_TRANSMIT_CONFIG, TransmitConfiguration},
    {CMD_MONITOR, ToggleMonitor},
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
};

const Command* FindCommand(WORD id) {
    for (const Command& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

} // namespace

bool RunCommand(HWND window, WORD id) {
    const Command* command = FindCommand(id);
    if (!command) return false;
    command->run(window);
    return true;
}

bool IsCommandAvailable(WORD id) {
    return FindCommand(id) != nullptr;
}
