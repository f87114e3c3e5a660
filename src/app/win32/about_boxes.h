#pragma once
// The splash box at start-up, the about box and the maker's box.
#include <windows.h>

// Shows the splash box, modeless and owned by `owner`; it removes itself half a second after the
// message loop starts.
void ShowSplashBox(HWND owner);
void ShowAboutBox(HWND owner);
void ShowMakerBox(HWND owner);
