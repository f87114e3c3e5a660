#pragma once
// Small helpers on a dialog's child controls, shared by the editor's pages.
#include "config/page_controls.h"

#include <windows.h>

// Changes the enabled state only when it differs, which spares a repaint.
void SetControlEnabled(HWND dialog, int id, bool enabled);
inline void EnableControl(HWND dialog, int id) {
    SetControlEnabled(dialog, id, true);
}
inline void DisableControl(HWND dialog, int id) {
    SetControlEnabled(dialog, id, false);
}
void ShowControl(HWND dialog, int id, bool shown);
// By the control's own style, whether or not the page is on screen.
bool IsControlVisible(HWND dialog, int id);
// Every direct child of the dialog, changing only those whose state differs.
void enableAllChildren(HWND dialog, bool enabled);

// The page logic's view of a dialog's controls.
PageControls DialogPageControls(HWND dialog);
