#pragma once
// The label on a Windows device context: the view's off-screen bitmap, the clipboard's metafile
// and the printer. The caller sets the mapping from label units to its device.
#include "base/win32/gdi_objects.h"
#include "config/controller_config.h"
#include "label/label_canvas.h"
#include "label/view_state.h"

#include <windows.h>

#include <vector>

// A canvas that draws on `dc` for one drawing. Its pens and fonts are made once per drawing,
// one per width, height and direction; pen, brush, font and text alignment are selected only
// when an element needs another, and what the dc held is put back when the canvas ends. Making
// and selecting them again for each of a label's ~520 elements took more than half of a repaint.
// Given the part of the label that can be seen, texts wholly outside it are left out.
class GdiLabelCanvas {
  public:
    explicit GdiLabelCanvas(HDC dc, const LabelRect* visible = nullptr);
    ~GdiLabelCanvas();
    GdiLabelCanvas(const GdiLabelCanvas&) = delete;
    GdiLabelCanvas& operator=(const GdiLabelCanvas&) = delete;

    LabelCanvas Canvas();
    HDC Dc() const { return dc_; }
    void SelectPen(LabelPen pen);
    void SelectBrush(LabelBrush brush);
    // Selects the "Arial" of that cell height and direction, made on first use.
    void SelectFont(int height, bool up);
    void SetAlign(UINT align);
    bool MaySee(int x, int y, int height, LabelAlign align, bool up, int length) const;

  private:
    // A kind of object the canvas changes, and what the dc held before its first change.
    struct Slot {
        HGDIOBJ selected = nullptr;
        HGDIOBJ original = nullptr;
    };
    struct Made {
        int size;
        bool up;
        GdiObject<HGDIOBJ> handle;
    };
    void Select(Slot& slot, HGDIOBJ object);

    HDC dc_;
    bool culling_;
    LabelRect visible_{};
    std::vector<Made> pens_, fonts_; // a label uses two pens and six fonts
    Slot pen_, brush_, font_;
    UINT align_ = GDI_ERROR, originalAlign_ = GDI_ERROR;
};

// The whole label, with the two company lines of the program settings.
void DrawLabelOnDc(HDC dc, const ControllerConfig& config, const char* company1,
                   const char* company2);
