// Ids of the program's resources: strings (IDS_), dialogs (IDD_), controls (IDC_), PNG
// pictures (IDP_), the icon and the version. Read by the resource compiler and by C++, so it
// holds plain #defines only. Each area keeps its own block; ids are given, never renumbered.
#pragma once

// Version (the resource script's VERSIONINFO and the log's start line).
#define QENDOR_VERSION_MAJOR 2
#define QENDOR_VERSION_MINOR 1
#define QENDOR_VERSION_BUILD 0
#define QENDOR_VERSION_REVISION 2
#define QENDOR_VERSION_TEXT "2.1.0.2"

// Icon.
#define IDI_APP 128

// ---- Application: main window, start-up -------------------------------------------------
#define IDD_MAIN 102
#define IDC_TASK_LIST 1001
#define IDC_MONITOR_LIST 1003
#define IDC_HIDE 1004
#define IDC_MINIMISE 1005
#define IDC_LINK 1006
#define IDC_LINK_CAPTION 1007
#define IDC_PAGE_PLACE 1008

#define IDD_VIDEO 139
#define IDD_MUSIC 140
#define IDD_PLAYLIST 141
#define IDD_SETTINGS 142
#define IDD_QUICK_START 229

#define IDS_TITLE 130
#define IDS_NO_MONITORS 132
#define IDS_TASK_VIDEO 133
#define IDS_TASK_MUSIC 134
#define IDS_TASK_PLAYLIST 135
#define IDS_TASK_SETTINGS 136
#define IDS_ONE_MONITOR 137
#define IDS_MONITORS 138
#define IDS_MF_FAILED 172
#define IDS_GDIPLUS_FAILED 173
#define IDS_NEED_WINDOWS_81 177
#define IDS_WEB_ADDRESS 187
#define IDS_TASK_QUICK_START 189
#define IDS_FACTORY_RESET_DONE 196
#define IDS_TRAY_PAUSE 167
#define IDS_TRAY_MUTE 168
#define IDS_TRAY_OPEN 169
#define IDS_TRAY_QUIT 170
#define IDS_TRAY_UNMUTE 183
#define IDS_TRAY_PLAY 184

// ---- Tray popup -------------------------------------------------------------------------
#define IDD_TRAY_PANEL 227
#define IDD_TRAY_FRAME 228
#define IDC_TRAY_PAUSE 1074
#define IDC_TRAY_MUTE 1075
#define IDC_TRAY_OPEN 1076
#define IDC_TRAY_QUIT 1077

// ---- Wallpaper engine -------------------------------------------------------------------
#define IDS_PLAYER_FAILED 153
#define IDS_NO_DESKTOP_WINDOW 154
#define IDS_VIDEO_WINDOW_FAILED 155
#define IDS_OPEN_FAILED 171

// ---- Video page and monitor settings panel ---------------------------------------------
#define IDD_MONITOR_PANEL 163
#define IDS_MONITOR 143
#define IDS_RESOLUTION 144
#define IDS_VIDEO_FILTER 145
#define IDS_SIZE_COVER 147
#define IDS_SIZE_CONTAIN 148
#define IDS_SIZE_STRETCH 149
#define IDS_DISPLAY_EACH 150
#define IDS_DISPLAY_SPAN 151
#define IDS_DISPLAY_DUPLICATE 152
#define IDS_ALL_MONITORS 156
#define IDS_MULTIPLE_RESOLUTIONS 157
#define IDS_VIDEO_PLACEHOLDER 165
#define IDS_HINT_COVER 174
#define IDS_HINT_CONTAIN 175
#define IDS_HINT_STRETCH 176
#define IDS_PLAYLIST_ENTRY 181
// Video page (dialog 139).
#define IDC_VIDEO_ICON 1009
#define IDC_VIDEO_TITLE 1010
#define IDC_VIDEO_OPTIONS_LABEL 1055
#define IDC_VIDEO_OPTIONS 1056
#define IDC_VIDEO_TABS 1028
#define IDC_VIDEO_SEPARATOR 1016
// Monitor settings panel (dialog 163).
#define IDC_PANEL_RESOLUTION 1046
#define IDC_PANEL_CAPTION 1047
#define IDC_PANEL_PATH 1065
#define IDC_PANEL_BROWSE 1014
#define IDC_PANEL_REMOVE 1066
#define IDC_PANEL_SETTINGS 1048
#define IDC_PANEL_ICON_SIZE 1049
#define IDC_PANEL_ICON_VERTICAL 1050
#define IDC_PANEL_ICON_HORIZONTAL 1051
#define IDC_PANEL_ICON_OVERLAY 1052
#define IDC_PANEL_SIZE 1053
#define IDC_PANEL_POS_Y 1054
#define IDC_PANEL_POS_X 1055
#define IDC_PANEL_OVERLAY 1056
#define IDC_PANEL_VOLUME 1019
#define IDC_PANEL_VOLUME_EDIT 1089
#define IDC_PANEL_MUTE 1027
#define IDC_PANEL_HINT_ICON_SIZE 1029
#define IDC_PANEL_HINT_ICON_VERTICAL 1010
#define IDC_PANEL_HINT_ICON_HORIZONTAL 1011
#define IDC_PANEL_HINT_ICON_VOLUME 1012
#define IDC_PANEL_HINT_SIZE 1035
#define IDC_PANEL_HINT_VERTICAL 1038
#define IDC_PANEL_HINT_HORIZONTAL 1039
#define IDC_PANEL_HINT_VOLUME 1040

// ---- Music page (dialog 140) ------------------------------------------------------------
#define IDS_MUSIC_FILTER 146
#define IDS_MUSIC_PLACEHOLDER 166
#define IDS_MUSIC_ENTRY_SUBTITLE 182
#define IDC_MUSIC_ICON 1009
#define IDC_MUSIC_TITLE 1010
#define IDC_MUSIC_SEPARATOR 1016
#define IDC_MUSIC_SUBTITLE 1047
#define IDC_MUSIC_SETTINGS 1048
#define IDC_MUSIC_PATH 1065
#define IDC_MUSIC_BROWSE 1014
#define IDC_MUSIC_REMOVE 1066
#define IDC_MUSIC_MUTE 1027
#define IDC_MUSIC_VOLUME 1019
#define IDC_MUSIC_VOLUME_EDIT 1089
#define IDC_MUSIC_ONLY 1026
// ---- Control kit ------------------------------------------------------------------------
#define IDD_MESSAGE 231
#define IDC_MESSAGE_TEXT 1076

// ---- Pictures (PNG resources; sources in res/pictures/<id>-<name>.svg) ----------------
#define IDP_TASK_VIDEO 133
#define IDP_TASK_MUSIC 134
#define IDP_TASK_PLAYLIST 135
#define IDP_TASK_SETTINGS 136
#define IDP_SPEAKER 143
#define IDP_SWITCH_OFF 157
#define IDP_SWITCH_ON 158
#define IDP_ABOUT_TRAY 162
#define IDP_TASK_VIDEO_SELECTED 166
#define IDP_SPEAKER_MUTED 169
#define IDP_ROW_OVERLAY 170
#define IDP_ROW_VERTICAL 171
#define IDP_ROW_SIZE_MODE 172
#define IDP_ROW_HORIZONTAL 174
#define IDP_CHECKBOX_OFF 175
#define IDP_CHECKBOX_ON 176
#define IDP_HEADER_LINE 177
#define IDP_HINT 178
#define IDP_TASK_SETTINGS_SELECTED 179
#define IDP_TASK_MUSIC_SELECTED 180
#define IDP_TASK_PLAYLIST_SELECTED 181
#define IDP_SLIDER_THUMB 182
#define IDP_SLIDER_THUMB_DISABLED 183
#define IDP_SLIDER_CHANNEL 186
#define IDP_SLIDER_CHANNEL_ACTIVE 187
#define IDP_SLIDER_CHANNEL_DISABLED 188
#define IDP_SLIDER_CHANNEL_DISABLED_ACTIVE 191
#define IDP_HIDE 193
#define IDP_MINIMISE 195
#define IDP_SPEAKER_MUSIC 197
#define IDP_DISPLAY_EACH 198
#define IDP_DISPLAY_SPAN 199
#define IDP_DISPLAY_DUPLICATE 200
#define IDP_ROW_MUSIC 201
#define IDP_ROW_VIDEO 202
#define IDP_PLUS 204
#define IDP_CHEVRON 209
#define IDP_CLEAR 210
#define IDP_MONITOR_TAB 211
#define IDP_MONITOR_TAB_HOT 212
#define IDP_TRAY_PAUSE 213
#define IDP_TRAY_PAUSE_HOT 214
#define IDP_TRAY_PLAY 215
#define IDP_TRAY_PLAY_HOT 216
#define IDP_TRAY_OPEN 217
#define IDP_TRAY_OPEN_HOT 218
#define IDP_TRAY_QUIT 219
#define IDP_TRAY_QUIT_HOT 220
#define IDP_TRAY_MUTE 221
#define IDP_TRAY_MUTE_HOT 222
#define IDP_TRAY_UNMUTE 223
#define IDP_TRAY_UNMUTE_HOT 224
#define IDP_TRAY_FRAME 225
#define IDP_EDIT 226
#define IDP_TASK_QUICK_START 229
#define IDP_TASK_QUICK_START_SELECTED 230
#define IDP_EDIT_HOT 235
#define IDP_SLIDER_THUMB_DRAGGED 236
