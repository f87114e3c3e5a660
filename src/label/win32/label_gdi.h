#pragma once
// The label on a Windows device context: the view's off-screen bitmap, the clipboard's metafile
// and the printer. The caller sets the mapping from label units to its device.
#include "config/controller_config.h"
#include "label/label_canvas.h"

#include <windows.h>

// A canvas that draws on `dc`, restoring its pen, brush, font and text alignment after every
// element.
LabelCanvas GdiLabelCanvas(HDC dc);

// The whole label, with the two company lines of the program settings.
void DrawLabelOnDc(HDC dc, const ControllerConfig& config, const char* company1,
                   const char* company2);
