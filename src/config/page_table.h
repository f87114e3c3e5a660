#pragma once
// The configuration editor's pages, one row each, left to right as the sheet shows them: all
// that differs from one page to another. The common procedure (page_procedure.h) calls a page
// only through its row.
#include "config/page_procedure.h"

// How a page sets the enabled state of its controls when it becomes active.
enum class PageEnabling {
    ByFill,     // left to the fill, which enables what depends on its values
    All,        // every control, whatever the controller function
    ByFunction, // every control, or none for a hall-call controller (the page is switched off)
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

// What a page does with its controls and its page copy.
struct PageRoutines {
    void (*fill)(const PageControls& controls, EditorPage& page);
    // Reads the controls into the page copy; false after the message of the first invalid value.
    bool (*read)(const PageControls& controls, EditorPage& page);
    // A control's notification; nullptr where the page heeds none.
    void (*command)(const PageControls& controls, EditorPage& page, int id, int code);
    // A spin bar's step; nullptr where the page has none.
    void (*spin)(const PageControls& controls, EditorPage& page, int barId, SpinStep step);
    // The last change to a valid page copy before it replaces the working copy; nullptr for none.
    void (*accept)(ControllerConfig& copy, const ControllerConfig& working);
};

// Every control first..last has one help context.
struct HelpRange {
    int first, last;
    uint32_t context;
};

// Help on a control: the context of its range, else of its pair in `pairs` (control, context
// pairs ending 0, 0; nullptr for none).
struct PageHelp {
    const HelpRange* ranges;
    int rangeCount;
    const uint32_t* pairs;
};

struct EditorPageRow {
    int dialogId;
    PageEnabling enabling;
    PageRoutines routines;
    PageHelp help;
    PageTrace trace;
};

// kEditorPageCount rows, one per tab of the sheet.
extern const EditorPageRow kEditorPages[];

// Each page's routines, in its own file.
void FillGeneralPage(const PageControls& controls, EditorPage& page);
bool ReadGeneralPage(const PageControls& controls, EditorPage& page);
void GeneralPageCommand(const PageControls& controls, EditorPage& page, int id, int code);
void AcceptGeneralPage(ControllerConfig& copy, const ControllerConfig& working);

void FillOutputsPage(const PageControls& controls, EditorPage& page);
bool ReadOutputsPage(const PageControls& controls, EditorPage& page);
void OutputsPageCommand(const PageControls& controls, EditorPage& page, int id, int code);
void OutputsPageSpin(const PageControls& controls, EditorPage& page, int barId, SpinStep step);

void FillStopsPage(const PageControls& controls, EditorPage& page);
bool ReadStopsPage(const PageControls& controls, EditorPage& page);

void FillTimesPage(const PageControls& controls, EditorPage& page);
bool ReadTimesPage(const PageControls& controls, EditorPage& page);
// Which timers, in field order, the configured outputs use.
constexpr int kTimerCount = 16;
void timerApplicability(const ControllerConfig& config, bool (&applicable)[kTimerCount]);

void FillDoorPage(const PageControls& controls, EditorPage& page);
bool ReadDoorPage(const PageControls& controls, EditorPage& page);
void DoorPageCommand(const PageControls& controls, EditorPage& page, int id, int code);

void FillAdvancedPage(const PageControls& controls, EditorPage& page);
bool ReadAdvancedPage(const PageControls& controls, EditorPage& page);
void AdvancedPageCommand(const PageControls& controls, EditorPage& page, int id, int code);
