#pragma once
// The label on a Windows device context: the view's off-screen bitmap, the clipboard's metafile
// and the printer. The caller sets the mapping from label units to its device.
#include "base/win32/gdi_objects.h"
#include "config/controller_config.h"
#include "label/label_canvas.h"

#include <windows.h>

#include <vector>

// A canvas that draws on `dc` for one drawing. Pen, brush and text alignment are restored after
// every element. The fonts are made once per drawing, one per height and direction, and the
// dc's own font is put back when the canvas ends: selecting a font again for each of a label's
// ~270 texts took half of a repaint.
class GdiLabelCanvas {
  public:
    explicit GdiLabelCanvas(HDC dc) : dc_(dc) {}
    ~GdiLabelCanvas();
    GdiLabelCanvas(const GdiLabelCanvas&) = delete;
    GdiLabelCanvas& operator=(const GdiLabelCanvas&) = delete;

    LabelCanvas Canvas();
    HDC Dc() const { return dc_; }
    // Selects the "Arial" of that cell height and direction, made on first use.
    void SelectFont(int height, bool up);

  private:
    struct Font {
        int height;
        bool up;
        OwnedFont handle;
    };
    HDC dc_;
    std::vector<Font> fonts_; // a label uses six
    HFONT selected_ = nullptr;
    HGDIOBJ dcFont_ = nullptr; // what the dc held before the first text
};

// The whole label, with the two company lines of the program settings.
void DrawLabelOnDc(HDC dc, const ControllerConfig& config, const char* company1,
                   const char* company2);
