#pragma once
// Resource and command identifiers. Shared by the resource script and the code.

// Icons, bitmaps, accelerators
#define IDI_PROGRAM 110
#define IDB_CONTROLLER 102
#define IDB_TOOLBAR 113
#define IDA_MAIN 124

// Dialogs
#define IDD_SPLASH 103
#define IDD_ABOUT 104
#define IDD_MAKER 105
#define IDD_SETTINGS 106
#define IDD_PAGE_ADVANCED 115
#define IDD_PAGE_TIMES 116
#define IDD_PAGE_OUTPUTS 117
#define IDD_PAGE_DOOR 118
#define IDD_PAGE_STOPS 119
#define IDD_PAGE_GENERAL 120
#define IDD_MONITOR 126
#define IDD_INTERROGATION "DIA_Conversac"

// Controls of the communications monitor and the interrogation dialog
#define IDC_MON_RX_CD 100
#define IDC_MON_RX_CO 101
#define IDC_MON_RX_OR 102
#define IDC_MON_RX_DATA 103
#define IDC_MON_RX_LA 104
#define IDC_MON_CLEAR 105
#define IDC_MON_TX_CD 110
#define IDC_MON_TX_CO 111
#define IDC_MON_TX_OR 112
#define IDC_MON_TX_DATA 113
#define IDC_MON_TX_LA 114
#define IDC_MON_PORT 123
#define IDC_MON_STATE 124
#define IDC_CONV_PROGRESS 132

// Controls of the shell's dialogs
#define IDC_HELP_BUTTON 9
#define IDC_ABOUT_VERSION 100
#define IDC_ABOUT_DATE 101
#define IDC_SETTINGS_COM1 101
#define IDC_SETTINGS_COM2 102
#define IDC_SETTINGS_COM3 103
#define IDC_SETTINGS_COM4 104
#define IDC_SETTINGS_LINE1 105
#define IDC_SETTINGS_LINE2 106
#define IDC_SETTINGS_COMPANY 560
#define IDC_SETTINGS_PORT 561
#define IDC_SETTINGS_COM5 1007
#define IDC_SETTINGS_COM6 1008
#define IDC_SETTINGS_COM7 1009
#define IDC_SETTINGS_COM8 1010
#define IDC_SETTINGS_COM9 1011

// Commands (menu, toolbar, accelerators)
#define CMD_COPY_LABEL 769
#define CMD_NEW 10001
#define CMD_OPEN 10003
#define CMD_SAVE 10005
#define CMD_SAVE_AS 10007
#define CMD_PRINT_CONFIG 10008
#define CMD_PRINT_SETUP 10009
#define CMD_PRINT_LABEL 10010
#define CMD_SETTINGS 10012
#define CMD_EXIT 10013
#define CMD_EDIT_CONFIG 10017
#define CMD_EVENT_LOG 10019
#define CMD_RECEIVE_VERSION 10021
#define CMD_RECEIVE_CONFIG 10023
#define CMD_TRANSMIT_CONFIG 10025
#define CMD_MONITOR 10027
#define CMD_FIT_WIDTH 10033
#define CMD_FIT_WHOLE 10035
#define CMD_ZOOM_IN 10037
#define CMD_ZOOM_OUT 10038
#define CMD_HELP_ON_HELP 10049
#define CMD_HELP_CONTENTS 10050
#define CMD_HELP_SEARCH 10051
#define CMD_ABOUT 10052
#define CMD_ABOUT_MAKER 10053

// Version of this build (also the configuration files' format version: major number)
#define ZRT_VERSION_MAJOR 4
#define ZRT_VERSION_MINOR 2
#define ZRT_VERSION_PATCH 1
#define ZRT_VERSION_BUILD 0
