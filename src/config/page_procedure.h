#pragma once
// What every page of the configuration editor does alike: the working copy, one page copy per
// page, and what a page does when it becomes active, is left, hears from a control or is asked
// for help. What differs from page to page is its row of the page table (config/page_table.h);
// the property sheet (win32/config_editor.*) only turns its notifications into these calls.
#include "config/controller_config.h"
#include "config/page_controls.h"

#include <cstdint>

struct EditorPageRow;

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

struct EditorPage {
    const EditorPageRow* row = nullptr;
    ControllerConfig copy{};
    OutputCodes codes{};

    // Copies the working copy into the page copy, sets the enabled state and fills the controls.
    void Activate(const PageControls& controls, const ControllerConfig& working);
    // Reads and validates the controls; when valid, hands the page copy to the working copy.
    // False leaves the working copy as it was: the page must stay active.
    bool Leave(const PageControls& controls, ControllerConfig& working);
    // A WM_COMMAND-style notification from a control of the page.
    void OnCommand(const PageControls& controls, int controlId, int notifyCode);
    // A step of one of the page's spin bars.
    void OnSpin(const PageControls& controls, int barId, SpinStep step);

    // A page enabled by the controller function is switched off for a hall-call controller: it
    // neither fills nor reads, so its fields pass through.
    bool IsSwitchedOff() const;
};

// The editor's state for the life of the sheet: its pages left to right, as the sheet shows them.
struct EditorSession {
    ControllerConfig working{};
    EditorPage pages[kEditorPageCount];

    void Begin(const ControllerConfig& config);
};

constexpr unsigned kEditorHelpContext = 412; // the help button of every page

// The help table (control, context pairs ending 0, 0) for a control of a page. A range of
// controls that maps to one context answers a one-pair table in `scratch`, naming the asking
// control.
const uint32_t* EditorHelpTable(const EditorPageRow& row, int controlId, uint32_t (&scratch)[4]);
