#pragma once
// What the help window, the topic view and the pop-up share. See help.h for the entry point.
#include "help/help_book.h"
#include "help/help_layout.h"

#include <windows.h>

// The book of a help file name, parsed once from the program's resources; nullptr when the
// program has no such book.
const HelpBook* LoadHelpBook(const char* helpFile);

// Fonts of the help texts, made once from the system's message font.
HFONT HelpFontHandle(HelpFont font);
// Lays out a topic for drawing with the help fonts.
HelpLayout LayOutForScreen(const HelpTopic& topic, bool withTitle, int width);
// Draws a layout at an offset, links underlined in their colour.
void DrawHelpLayout(HDC dc, const HelpLayout& layout, int left, int top, COLORREF text);

// The topic view: a child window that shows one topic of a book, scrolls, and tells its parent
// about a clicked link with WM_HELP_LINK (wParam: topic index; lParam: the book, for
// HelpBook::LinkedTopic). Its window text is the topic's title.
extern const char kHelpTopicViewClass[];
constexpr UINT WM_HELP_LINK = WM_APP + 40;
void RegisterHelpTopicView(HINSTANCE instance);
void ShowTopicInView(HWND view, const HelpBook* book, const HelpTopic& topic);

// The help window: one for the program, opened on demand.
void ShowHelpTopic(const HelpBook* book, int topic, bool missing);
void ShowHelpContents(const HelpBook* book);
void ShowHelpSearch(const HelpBook* book, const char* query);
void CloseHelpWindow();

// Pop-up help beside a control, gone at the next click or key.
void ShowHelpPopup(HWND control, const HelpTopic& topic);
void CloseHelpPopup();
