#pragma once
// Window and dialog procedures as tables from message to a short named handler, with one
// dispatcher each, so that no procedure grows into a switch.
//
//   LRESULT OnSize(HWND window, WPARAM wParam, LPARAM lParam);
//   const WindowMessageHandler kViewHandlers[] = {{WM_SIZE, OnSize}, {WM_PAINT, OnPaint}};
//   wc.lpfnWndProc = WindowProcedure<kViewHandlers>;
//
//   INT_PTR OnInitDialog(HWND dialog, WPARAM wParam, LPARAM lParam);
//   const DialogMessageHandler kBoxHandlers[] = {{WM_INITDIALOG, OnInitDialog}};
//   DialogBoxParamA(instance, name, owner, DialogProcedure<kBoxHandlers>, 0);
//
// A window's handler returns the message's result; a message missing from the table goes to
// DefWindowProcA. A dialog's handler returns TRUE when it dealt with the message and FALSE to
// leave it to the dialog manager, as a dialog procedure does; a message missing from the table
// gives FALSE. A procedure whose other messages go elsewhere (a subclassed control's own
// procedure) finds its handler with FindMessageHandler. The first entry for a message wins.
#include <windows.h>

#include <cstddef>

template <class Result> using MessageHandlerFunction = Result (*)(HWND, WPARAM, LPARAM);

template <class Result> struct MessageHandler {
    UINT message;
    MessageHandlerFunction<Result> handle;
};

using WindowMessageHandler = MessageHandler<LRESULT>;
using DialogMessageHandler = MessageHandler<INT_PTR>;

// The handler of `message` in `table`, or nullptr.
template <class Result, std::size_t N>
MessageHandlerFunction<Result> FindMessageHandler(const MessageHandler<Result> (&table)[N],
                                                  UINT message) {
    for (const MessageHandler<Result>& h : table)
        if (h.message == message) return h.handle;
    return nullptr;
}

template <std::size_t N>
LRESULT DispatchWindowMessage(const WindowMessageHandler (&table)[N], HWND window, UINT message,
                              WPARAM wParam, LPARAM lParam) {
    if (auto handle = FindMessageHandler(table, message)) return handle(window, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

template <std::size_t N>
INT_PTR DispatchDialogMessage(const DialogMessageHandler (&table)[N], HWND dialog, UINT message,
                              WPARAM wParam, LPARAM lParam) {
    if (auto handle = FindMessageHandler(table, message)) return handle(dialog, wParam, lParam);
    return FALSE;
}

// The window or dialog procedure of a handler table.
template <const auto& table>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchWindowMessage(table, window, message, wParam, lParam);
}

template <const auto& table>
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return DispatchDialogMessage(table, dialog, message, wParam, lParam);
}
