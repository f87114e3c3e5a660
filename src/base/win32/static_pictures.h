#pragma once
// Pictures that a dialog's static controls load from its template (SS_BITMAP) are not freed
// when the dialog ends; a box opened over and over would keep every copy.
#include <windows.h>

// Takes each bitmap out of the dialog's picture controls and deletes it: a dialog's WM_DESTROY
// handler, {WM_DESTROY, ReleaseStaticPictures} in its message table.
INT_PTR ReleaseStaticPictures(HWND dialog, WPARAM, LPARAM);
