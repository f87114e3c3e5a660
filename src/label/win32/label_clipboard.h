#pragma once
// The label on the clipboard, in two formats at once: a metafile picture, which other programs
// paste at any size, and a bitmap (CF_DIB) at 300 dots per inch of the label's printed size, on
// white, for the programs that paste only pictures of pixels.
#include "config/controller_config.h"

#include <windows.h>

constexpr int kClipboardDotsPerInch = 300;

// Puts the label of `config` with the company lines on the clipboard, `owner` owning it. False
// when the clipboard cannot be had (another program holds it) or a picture cannot be made: the
// clipboard then keeps its former content, or is left empty, never with one format alone.
bool CopyLabelToClipboard(HWND owner, const ControllerConfig& config, const char* company1,
                          const char* company2);
