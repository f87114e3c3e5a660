// ProgramHelp: turns each help request into the help window or a pop-up.
#include "help/win32/help.h"

#include "base/res_string.h"
#include "base/string_ids.h"
#include "help/win32/help_internal.h"

#include <map>
#include <string>

namespace {

// The topic for a control of a help table, or the page that says there is none.
HelpTopic ControlTopic(const HelpBook* book, HWND control, ULONG_PTR table) {
    uint32_t context = 0;
    int topic = -1;
    if (HelpContextForControl(reinterpret_cast<const uint32_t*>(table),
                              (uint32_t)GetDlgCtrlID(control), &context))
        topic = book->FindContext(context);
    return topic >= 0 ? book->topics[topic] : MissingHelpTopic();
}

// The small menu that right-click help offers first; true when the reader picks its item.
bool AskWhatsThis(HWND control) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, ResString(str::WhatsThis));
    POINT at;
    GetCursorPos(&at);
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                                GetAncestor(control, GA_ROOT), nullptr);
    DestroyMenu(menu);
    return chosen == 1;
}

BOOL ControlHelp(HWND control, const HelpBook* book, UINT command, ULONG_PTR table) {
    if (!IsWindow(control)) return FALSE;
    if (command == HELP_CONTEXTMENU && !AskWhatsThis(control)) return TRUE;
    ShowHelpPopup(control, ControlTopic(book, control, table));
    return TRUE;
}

} // namespace

const HelpBook* LoadHelpBook(const char* helpFile) {
    static std::map<std::string, HelpBook> books;
    const char* resource = HelpBookResource(helpFile);
    if (!resource) return nullptr;
    auto it = books.find(resource);
    if (it != books.end()) return &it->second;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, resource, MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) return nullptr;
    HelpBook book;
    std::string error;
    if (!book.Parse(text, SizeofResource(module, found), &error)) {
        OutputDebugStringA(("Ayuda: " + error + "\r\n").c_str());
        return nullptr;
    }
    return &books.emplace(resource, std::move(book)).first->second;
}

BOOL ProgramHelp(HWND caller, const char* helpFile, UINT command, ULONG_PTR data) {
    if (command == HELP_QUIT) {
        if (!HelpBookResource(helpFile)) return FALSE;
        CloseHelpPopup();
        CloseHelpWindow();
        return TRUE;
    }
    const HelpBook* book = LoadHelpBook(command == HELP_HELPONHELP ? "winhelp.hlp" : helpFile);
    if (!book) return FALSE;
    switch (command) {
    case HELP_CONTEXT: {
        int topic = book->FindContext((uint32_t)data);
        ShowHelpTopic(book, topic, topic < 0);
        return TRUE;
    }
    case HELP_CONTENTS:
    case HELP_HELPONHELP: ShowHelpContents(book); return TRUE;
    case HELP_PARTIALKEY:
        ShowHelpSearch(book, data ? reinterpret_cast<const char*>(data) : "");
        return TRUE;
    case HELP_WM_HELP:
    case HELP_CONTEXTMENU: return ControlHelp(caller, book, command, data);
    default: return FALSE;
    }
}
