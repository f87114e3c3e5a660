#include "app/win32/toolbar.h"

#include "res/resource.h"

namespace {

constexpr TBBUTTON Button(int image, int command) {
    return {image, command, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0};
}
constexpr TBBUTTON kSeparator = {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0};

const TBBUTTON kButtons[] = {
    kSeparator,
    Button(2, CMD_NEW),
    Button(3, CMD_OPEN),
    Button(4, CMD_SAVE),
    Button(5, CMD_PRINT_LABEL),
    kSeparator,
    Button(6, CMD_RECEIVE_VERSION),
    Button(7, CMD_RECEIVE_CONFIG),
    Button(8, CMD_TRANSMIT_CONFIG),
    Button(9, CMD_EVENT_LOG),
    kSeparator,
    Button(12, CMD_EDIT_CONFIG),
    kSeparator,
    Button(10, CMD_FIT_WHOLE),
    Button(11, CMD_FIT_WIDTH),
    kSeparator,
};

} // namespace

const ToolbarBlock kMainToolbar = {17, IDB_TOOLBAR, 16, 16, kButtons, 16};

void Toolbar::Create(HWND parent, HINSTANCE instance, const ToolbarBlock& block) {
    window = CreateToolbarEx(
        parent,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_TOP | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE, 1,
        block.imageCount, instance, block.bitmapId, block.buttons, block.buttonCount, 0, 0,
        block.imageWidth, block.imageHeight, sizeof(TBBUTTON));
}

void Toolbar::AutoSize() {
    if (window) SendMessageA(window, TB_AUTOSIZE, 0, 0);
}

int Toolbar::Height() const {
    if (!window) return 0;
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

bool Toolbar::EnableButton(WORD commandId, bool enabled) {
    if (window)
        SendMessageA(window, TB_ENABLEBUTTON, commandId, MAKELONG(enabled ? TRUE : FALSE, 0));
    return true;
}

bool AnswerToolTip(HINSTANCE instance, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_NEEDTEXTA) {
        auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
        tip->hinst = instance;
        tip->lpszText = MAKEINTRESOURCEA(tip->hdr.idFrom + 1);
        return true;
    }
    if (header->code == TTN_NEEDTEXTW) {
        auto* tip = reinterpret_cast<TOOLTIPTEXTW*>(lParam);
        tip->hinst = instance;
        tip->lpszText = MAKEINTRESOURCEW(tip->hdr.idFrom + 1);
        return true;
    }
    return false;
}
