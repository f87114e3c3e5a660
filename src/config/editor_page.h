#pragma once
// The configuration editor's pages without their windows: the working copy, one page copy per
// page, and what a page does when it becomes active, is left or hears from a control. The
// property sheet (win32/config_editor.*) only turns its notifications into these calls.
#include "config/controller_config.h"
#include "config/page_controls.h"

#include <cstdint>

enum class EditorPageKind { General, Outputs, Stops, Times, Door, Advanced };
constexpr int kEditorPageCount = 6;

// Control notification codes the pages react to; they are the platform's own values.
constexpr int kNotifyClicked = 0;          // a button was clicked
constexpr int kNotifySelectionChanged = 1; // a list's selection changed

enum class SpinStep { Up, Down, Other };

// The outputs page's codes as currently entered, before they are stored.
struct OutputCodes {
    uint8_t relay[kRelayCount];
    uint8_t terminal[kAuxTerminalCount];
};

// Debug trace lines of a page; nullptr where the page writes none.
struct PageTrace {
    const char* init;
    const char* setActive;
    const char* killActive;
    const char* help;
    const char* controlHelp;
    const char* contextMenu;
};

struct EditorPage {
    EditorPageKind kind = EditorPageKind::General;
    ControllerConfig copy{};
    OutputCodes codes{};

    // Copies the working copy into the page copy, sets the enabled state and fills the controls.
    void Activate(const PageControls& controls, const ControllerConfig& working);
    // Reads and validates the controls; when valid, hands the page copy to the working copy.
    // False leaves the working copy as it was: the page must stay active.
    bool Leave(const PageControls& controls, ControllerConfig& working);
    // A WM_COMMAND-style notification from a control of the page.
    void OnCommand(const PageControls& controls, int controlId, int notifyCode);
    // A step of one of the outputs page's spin bars.
    void OnSpin(const PageControls& controls, int barId, SpinStep step);

    void Fill(const PageControls& controls);
    bool Read(const PageControls& controls);

    // The pages after "General" but "Paradas" are switched off for a hall-call controller:
    // they neither fill nor read, so their fields pass through.
    bool IsSwitchedOff() const;
};

// The editor's state for the life of the sheet.
struct EditorSession {
    ControllerConfig working{};
    EditorPage pages[kEditorPageCount];

    void Begin(const ControllerConfig& config);
};

// The pages left to right, as the sheet shows them.
EditorPageKind EditorPageAt(int index);
int EditorPageResource(EditorPageKind kind);
const PageTrace& EditorPageTrace(EditorPageKind kind);

constexpr unsigned kEditorHelpContext = 412; // the help button of every page

// The help table (control, context pairs ending 0, 0) for a control of a page. Pages that map a
// range of controls to one context answer a one-pair table in `scratch`, naming the asking
// control.
const uint32_t* EditorHelpTable(EditorPageKind kind, int controlId, uint32_t (&scratch)[4]);

// Which timers, in field order, the configured outputs use (see times page).
constexpr int kTimerCount = 16;
void timerApplicability(const ControllerConfig& config, bool (&applicable)[kTimerCount]);
