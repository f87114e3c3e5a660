#include "app/win32/app_globals.h"

HINSTANCE g_instance;
HWND g_mainWindow;
ConfigDocument g_document;
ProgramSettings g_settings;
RecentFiles g_recentFiles;
StatusBar g_statusBar;
Toolbar g_toolbar;
LabelView g_labelView;
CommLink g_commLink;
PrintJob g_printJob;
Conversation g_conversation;
EventLog g_eventLog;
