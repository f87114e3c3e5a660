#pragma once
// The program's help, with the shape of the platform's help call. Every help request of the
// program goes through ProgramHelp.
//
//   ProgramHelp(caller, "cnfzrt94.hlp", HELP_CONTEXT, 410)     the help window at a topic
//   ProgramHelp(caller, "cnfzrt94.hlp", HELP_CONTENTS, 0)      the help window at the contents
//   ProgramHelp(caller, "winhelp.hlp", HELP_HELPONHELP, 0)     how to use the help
//   ProgramHelp(caller, "cnfzrt94.hlp", HELP_PARTIALKEY, (ULONG_PTR)"")  the keyword search
//   ProgramHelp(control, "cnfzrt94.hlp", HELP_WM_HELP, (ULONG_PTR)table) pop-up help beside a
//       control; `table` holds DWORD pairs (control id, context) and ends in 0, 0. With
//       HELP_CONTEXTMENU the same, after the reader picks "¿Qué es esto?" from a small menu.
//   ProgramHelp(caller, "cnfzrt94.hlp", HELP_QUIT, 0)          closes the help window
//
// "cnfzrt94.hlp" is the program's own help book and "winhelp.hlp" its page on using the help,
// both compiled into the program. A context without a topic shows a page saying that there is no
// help for the element. Returns FALSE for a help file or command the program does not know.
#include <windows.h>

// The program's help file and the help on using the help, by the names the calls give.
constexpr char kHelpFile[] = "cnfzrt94.hlp";
constexpr char kHelpOnHelpFile[] = "winhelp.hlp";

BOOL ProgramHelp(HWND caller, const char* helpFile, UINT command, ULONG_PTR data);
