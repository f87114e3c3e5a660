#pragma once
// The label on the clipboard as a metafile picture, which other programs paste at any size.
#include "config/controller_config.h"

#include <windows.h>

// Puts the label of `config` with the company lines on the clipboard, `owner` owning it. When
// the clipboard cannot be had it keeps its former content and nothing is left behind.
void CopyLabelToClipboard(HWND owner, const ControllerConfig& config, const char* company1,
                          const char* company2);
