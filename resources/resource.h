// Resource identifiers of Tarnwick: strings, commands, menus, icons, bitmaps, dialogs and their
// controls. Included by the .rc scripts (windres) and by the C++ code, so it holds only #defines.
// Several dialogs reuse a control number for different controls; each dialog has its own block.
#ifndef TARNWICK_RESOURCES_RESOURCE_H
#define TARNWICK_RESOURCES_RESOURCE_H

// ---- Strings ---------------------------------------------------------------------------------
#define IDS_PROGRAM_NAME 128          // "Tarnwick": captions, box titles, the logon entry's name
#define IDS_CAPTION_FORMAT 129        // map, players, max players, server name, program name
#define IDS_GAME_COMMAND_LINE 132
#define IDS_CANT_EXEC 134
#define IDS_NO_SERVER_GIVEN 135
#define IDS_NEED_COMMON_CONTROLS 136
#define IDS_NEED_WINSOCK 137
#define IDS_STATE_PANE_WIDTH 138      // sizes the state pane; also its pane id
#define IDS_PING_PANE 139             // " ping ": sizes the ping pane; also its pane id
#define IDS_OS_WINDOWS_LINK 140
#define IDS_OS_LINUX_LINK 141
#define IDS_MAKER_WEB_ADDRESS 142
#define IDS_EXECUTABLE_FILTER 143
#define IDS_AUTOJOIN_QUESTION 144
#define IDS_FLAG_DEDICATED 145
#define IDS_FLAG_LOCKED 146
#define IDS_LOG_FILE_FILTER 147
#define IDS_SERVER_INFO_CAPTION 148
#define IDS_AUTODISCONNECT_TURNED_OFF 149
#define IDS_BAD_GAME_FOLDER 150       // Join refused: the server's game folder is not a plain name
#define IDS_RCON_NO_CHALLENGE 151     // console output: rcon commands dropped, no challenge came
#define IDS_RCON_TOO_MANY_WAITING 160 // console output: a command refused, too many wait
// The player list's menu: why actions are off (the last item), the questions before a kick or a
// ban, and the ban times they name.
#define IDS_ADMIN_NO_PASSWORD 161
#define IDS_ADMIN_ASKING 162
#define IDS_ADMIN_NO_ANSWER 163
#define IDS_ADMIN_UNREADABLE 164
#define IDS_ADMIN_NO_SUCH_NAME 165
#define IDS_ADMIN_SEVERAL_NAMES 166
#define IDS_ADMIN_BAD_USER_ID 167
#define IDS_ADMIN_ONLY_KICK 168
#define IDS_ADMIN_NO_ADDRESS 169
#define IDS_CONFIRM_KICK 170          // player name, user id
#define IDS_CONFIRM_BAN 171           // player name, unique id, time
#define IDS_CONFIRM_BAN_ADDRESS 172   // address, player name, time
#define IDS_BAN_FIVE_MINUTES 173
#define IDS_BAN_ONE_HOUR 174
#define IDS_BAN_ONE_DAY 175
#define IDS_BAN_PERMANENT 176
#define IDS_STATE_CONNECTED 201
#define IDS_STATE_NOT_CONNECTED 202
#define IDS_STATE_CONNECTING 203
#define IDS_CANT_CONNECT 204
#define IDS_CONNECTION_LOST 205
#define IDS_MANUAL_ADDRESS 206
#define IDS_UPDATES_ADDRESS 207
#define IDS_IDLE_STATUS 57345         // "Tarnwick <version> ready."

// ---- Commands (menus, tool bar, accelerators; the string of the same id is the help text) -----
#define ID_VIEW_PING_STATISTICS 32772
#define ID_VIEW_SERVER_INFO 32773
#define ID_TOOLS_OPTIONS 32777
#define ID_TOOLS_AUTO_UPDATE 32779
#define ID_TOOLS_MINIMIZE_TO_TRAY 32780
#define ID_FILE_GO_TO_TRAY 32781
#define ID_FILE_JOIN 32782
#define ID_TRAY_OPEN 32783
#define ID_TOOLS_REMOTE_CONSOLE 32786
#define ID_FILE_AUTO_JOIN 32787
#define ID_HELP_MANUAL 32795
#define ID_HELP_UPDATES 32796
#define ID_FOCUS_ADDRESS_BOX 32799
#define ID_FILE_CLONE 57600
#define ID_FILE_CONNECT 57601
#define ID_FILE_DISCONNECT 57602
#define ID_RECENT_SERVER_FIRST 57616  // the newest recent server; the window handles 16 ids
#define ID_RECENT_SERVER_LAST 57631
#define ID_HELP_ABOUT 57664
#define ID_FILE_EXIT 57665
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_VIEW_REFRESH 59395
#define ID_WEB_LINK_STRING_OFFSET 32589  // command id minus this is the string of its address
// The player list's menu (IDR_PLAYER_MENU).
#define ID_PLAYER_COPY_NAME 32803
#define ID_PLAYER_COPY_ADDRESS 32804
#define ID_PLAYER_KICK 32805
#define ID_PLAYER_BAN_FIRST 32806     // ban by id for 5 minutes, 1 hour, 1 day, permanently
#define ID_PLAYER_BAN_LAST 32809
#define ID_PLAYER_BAN_ADDRESS_FIRST 32810  // ban the address, the same four times
#define ID_PLAYER_BAN_ADDRESS_LAST 32813
#define ID_PLAYER_SAY 32814
#define ID_PLAYER_NOTE 32815          // the greyed line that says why actions are off

// System menu commands with help strings of their own.
#define IDS_SC_SIZE 61184
#define IDS_SC_MOVE 61185
#define IDS_SC_MINIMIZE 61186
#define IDS_SC_MAXIMIZE 61187
#define IDS_SC_CLOSE 61190
#define IDS_SC_RESTORE 61202

// ---- Menus, accelerators, icons, bitmaps ---------------------------------------------------------
#define IDR_MAINFRAME 128             // menu, accelerators, tool bar bitmap, program icon
#define IDR_TRAY_MENU 213
#define IDR_SEND_MENU 247
#define IDR_PLAYER_MENU 254

#define IDI_STATE_CONNECTED 201
#define IDI_STATE_NOT_CONNECTED 202
#define IDI_STATE_CONNECTING 203
#define IDI_TRAY_STRIPES_EMPTY 205    // default set: 0 players
#define IDI_TRAY_STRIPES_FIRST 206    // default set: fill levels 0 to 4 fifths (206 to 210)
#define IDI_TRAY_STRIPES_FULL 211
#define IDI_TRAY_NUMBER_FIRST 224     // alternative set: 0 to 20 players (224 to 244)
#define IDI_TRAY_NUMBER_LAST 244
#define IDI_TRAY_QUESTION 246         // alternative set: more than 20 players
#define IDI_TRAY_BLANK 250            // dark phase of a flash

#define IDB_ABOUT_BANNER 212
#define IDB_SORT_MARKS 252

// ---- Main window children ------------------------------------------------------------------------
#define IDC_ADDRESS_BOX 200           // also the "Server" band's id
#define IDC_PLAYER_LIST 201
#define IDC_REBAR 59392
#define IDC_STATUS_BAR 59393
#define IDC_TOOLBAR_BAND 60160

// ---- Dialog 100: About ---------------------------------------------------------------------------
#define IDD_ABOUT 100
#define IDC_ABOUT_BANNER 1016
#define IDC_ABOUT_VERSION 1061
#define IDC_ABOUT_BUILD 1062
#define IDC_ABOUT_AUTHOR 1015
#define IDC_ABOUT_CREDIT_FIRST 1100   // 1100 to 1105
#define IDC_ABOUT_CREDIT_LAST 1105

// ---- Options sheet pages ---------------------------------------------------------------------------
#define IDD_OPTIONS_GENERAL 214
#define IDC_GENERAL_MINIMIZE_TO_TRAY 1023
#define IDC_GENERAL_START_WITH_LOGON 1025
#define IDC_GENERAL_SHOW_SERVER_LIST 1047
#define IDC_GENERAL_LIST_HEIGHT 1059
#define IDC_GENERAL_LIST_HEIGHT_SPIN 1060
#define IDC_GENERAL_HL_LOCATION 1001
#define IDC_GENERAL_BROWSE 1024
#define IDC_GENERAL_PRIORITY 1074

#define IDD_OPTIONS_REFRESH 215
#define IDC_REFRESH_ENABLE 1025
#define IDC_REFRESH_PING 1001
#define IDC_REFRESH_PING_SPIN 1031
#define IDC_REFRESH_DETAILS 1002
#define IDC_REFRESH_DETAILS_SPIN 1027
#define IDC_REFRESH_PLAYERS 1003
#define IDC_REFRESH_PLAYERS_SPIN 1028

#define IDD_OPTIONS_TRAY 221
#define IDC_TRAY_ENABLE 1028
#define IDC_TRAY_PING 1029
#define IDC_TRAY_PING_SPIN 1026
#define IDC_TRAY_DETAILS 1030
#define IDC_TRAY_DETAILS_SPIN 1032
#define IDC_TRAY_ICONSET_DEFAULT 1037
#define IDC_TRAY_ICONSET_ALTERNATIVE 1038
#define IDC_TRAY_ICON_DEFAULT 1039      // sample icon of the Default set (icon 208)
#define IDC_TRAY_ICON_ALTERNATIVE 1040  // sample icon of the Alternative set (icon 234)
#define IDC_TRAY_FLASH 1048

#define IDD_OPTIONS_MISC 222
#define IDC_MISC_AUTO_DISCONNECT 1033
#define IDC_MISC_CONFIRM_JOIN 1043
#define IDC_MISC_HIGHLIGHT 1044

#define IDD_OPTIONS_SERVERS 248
#define IDC_SERVERS_LIST 1047
#define IDC_SERVERS_UP 1050
#define IDC_SERVERS_DOWN 1051
#define IDC_SERVERS_REMOVE 1052

#define IDD_OPTIONS_HIGHLIGHT 252
#define IDC_HIGHLIGHT_LIST 1072
#define IDC_HIGHLIGHT_ADD 1073
#define IDC_HIGHLIGHT_REMOVE 1065
#define IDC_HIGHLIGHT_COLOR 1067
#define IDC_HIGHLIGHT_BOLD 1069
#define IDC_HIGHLIGHT_ITALIC 1070
#define IDC_HIGHLIGHT_UNDERLINE 1071
#define IDC_HIGHLIGHT_PRIORITY 1074
#define IDC_HIGHLIGHT_NOTIFY 1300

#define IDD_OPTIONS_NOTIFY 260
#define IDC_NOTIFY_PLAYERS 1301
#define IDC_NOTIFY_FREE_SLOT 1302
#define IDC_NOTIFY_CONNECTION 1303
#define IDC_NOTIFY_MAP_CHANGE 1304
#define IDC_NOTIFY_PLAYERS_INTERVAL 1305
#define IDC_NOTIFY_PLAYERS_INTERVAL_SPIN 1306

// ---- Server Info sheet pages -------------------------------------------------------------------------
#define IDD_INFO_GENERAL 216
#define IDC_INFO_ADDRESS 1002
#define IDC_INFO_NAME 1004
#define IDC_INFO_MAP 1005
#define IDC_INFO_PLAYERS 1006
#define IDC_INFO_OS 1008
#define IDC_INFO_FLAGS 1046

#define IDD_INFO_RULES 217
#define IDC_RULES_LIST 1003

#define IDD_INFO_MOD 218
#define IDC_MOD_NAME 1011
#define IDC_MOD_SIZE 1012
#define IDC_MOD_VERSION 1007
#define IDC_MOD_URL 1014
#define IDC_MOD_DOWNLOAD 1015
#define IDC_MOD_FOLDER 1013

#define IDD_INFO_PING 249
#define IDC_PING_MINIMAL 1051
#define IDC_PING_AVERAGE 1052
#define IDC_PING_MAXIMAL 1053
#define IDC_PING_SENT 1054
#define IDC_PING_RECEIVED 1055
#define IDC_PING_LOST 1056
#define IDC_PING_RESET 1057

#define IDD_INFO_HISTORY 261
#define IDC_HISTORY_GRAPH 1320
#define IDC_HISTORY_EXPORT 1321
#define IDS_HISTORY_EMPTY 220
#define IDS_HISTORY_PLAYERS 221
#define IDS_HISTORY_MAX_PLAYERS 222
#define IDS_HISTORY_PING 223
#define IDS_HISTORY_MIN 224            // a series' smallest value
#define IDS_HISTORY_MAX 225            // a series' largest value
#define IDS_HISTORY_FILTER 226
#define IDS_HISTORY_FILE_NAME 227      // the server's name, made fit for a file name
#define IDS_HISTORY_NOT_WRITTEN 228    // the path

// ---- Dialog 219: server password prompt ------------------------------------------------------------
#define IDD_PASSWORD_PROMPT 219
#define IDC_PASSWORD_EDIT 1018
#define IDC_PASSWORD_GRIP 1020

// ---- Dialog 220: Remote console ----------------------------------------------------------------------
#define IDD_REMOTE_CONSOLE 220
#define IDC_RCON_PASSWORD 1019
#define IDC_RCON_SHOW_LOG 1045
#define IDC_RCON_COMMAND_GROUP 1035
#define IDC_RCON_COMMAND 1021
#define IDC_RCON_OUTPUT_GROUP 1034
#define IDC_RCON_OUTPUT 1022
#define IDC_RCON_GRIP 1020
#define ID_RCON_CLEAR_LOG 32800
#define ID_RCON_SAVE_LOG 32801
#define ID_RCON_CLEAR_COMBO 32802

// ---- Dialog 223: Say to all ---------------------------------------------------------------------
#define IDD_SAY_TO_ALL 223
#define IDC_SAY_TEXT 1080

#endif
