#pragma once
// How the editor's page logic reaches the controls of its page: a table of plain calls that the
// property sheet fills with dialog-control calls and the tests fill with a fake control map.
#include <cstdint>

struct PageControls {
    void* context;
    void (*setText)(void* context, int id, const char* text);
    // Copies at most size - 1 characters and a NUL.
    void (*getText)(void* context, int id, char* buffer, int size);
    void (*clearList)(void* context, int id);
    void (*addListItem)(void* context, int id, const char* text);
    // -1 leaves the list without a selection.
    void (*selectListItem)(void* context, int id, int index);
    // The selected entry, -1 when there is none.
    int (*listSelection)(void* context, int id);
    void (*setCheck)(void* context, int id, bool checked);
    bool (*isChecked)(void* context, int id);
    void (*enable)(void* context, int id, bool enabled);
    // Every child control of the page.
    void (*enableAll)(void* context, bool enabled);
    void (*show)(void* context, int id, bool shown);
    bool (*isVisible)(void* context, int id);
    void (*setFocus)(void* context, int id);
    // A message box owned by the page; caption nullptr leaves the system's default caption.
    int (*messageBox)(void* context, const char* text, const char* caption, unsigned flags);

    void SetText(int id, const char* text) const { setText(context, id, text); }
    void GetText(int id, char* buffer, int size) const { getText(context, id, buffer, size); }
    void ClearList(int id) const { clearList(context, id); }
    void AddListItem(int id, const char* text) const { addListItem(context, id, text); }
    void SelectListItem(int id, int index) const { selectListItem(context, id, index); }
    int ListSelection(int id) const { return listSelection(context, id); }
    void SetCheck(int id, bool checked) const { setCheck(context, id, checked); }
    bool IsChecked(int id) const { return isChecked(context, id); }
    void Enable(int id, bool enabled) const { enable(context, id, enabled); }
    void EnableAll(bool enabled) const { enableAll(context, enabled); }
    void Show(int id, bool shown) const { show(context, id, shown); }
    bool IsVisible(int id) const { return isVisible(context, id); }
    void SetFocus(int id) const { setFocus(context, id); }
    int MessageBox(const char* text, const char* caption, unsigned flags) const {
        return messageBox(context, text, caption, flags);
    }

    void SetNumber(int id, unsigned value) const;
    // A warning box with string-table texts; caption 0 leaves the system's default caption.
    void Warn(const char* text, unsigned captionId) const;
    // Fills a list with string-table texts first..last, in that order.
    void FillTextList(int id, unsigned firstTextId, unsigned lastTextId) const;
};

// Empties a list and adds the numbers first..last formatted "%2d", which keeps a sorted list in
// numeric order.
void fillNumberList(const PageControls& controls, int id, int first, int last);

// The leading decimal number of a text, after blanks and an optional sign; 0 when the text does
// not start with one. Numbers beyond 32 bits saturate.
long ParseLeadingDecimal(const char* text);

// The leading decimal digits of a text, after blanks, as an unsigned number kept modulo 2^32
// (its low bits are exact); 0 when the text does not start with a digit.
uint32_t ParseLeadingUnsigned(const char* text);
