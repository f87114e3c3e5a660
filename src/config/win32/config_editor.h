#pragma once
// The configuration editor: a modal property sheet of six pages over a working copy.
#include "config/page_procedure.h"

#include <windows.h>

struct ConfigEditor {
    EditorSession session;
    bool accepted = false;

    // Shows the sheet on `config`. With OK the working copy replaces `config` and the result is
    // true; with Cancel `config` is left untouched.
    bool Edit(HWND owner, ControllerConfig& config);
};
