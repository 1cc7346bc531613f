// Application message numbers exchanged between the program's windows, and the tray commands.
#pragma once

constexpr unsigned kWmUser = 0x0400;
constexpr unsigned kWmApp = 0x8000;

constexpr unsigned WM_APP_TRAY_NOTIFY = kWmUser + 100;
constexpr unsigned WM_APP_MONITOR_SELECTED = kWmUser + 101;
constexpr unsigned WM_APP_TAB_SELECTED = kWmUser + 102;
constexpr unsigned WM_APP_TEXT_FIELD_CHANGED = kWmUser + 103;
constexpr unsigned WM_APP_MUSIC_MUTES_VIDEOS = kWmUser + 104;
constexpr unsigned WM_APP_WALLPAPER_EVENT = kWmUser + 105;
constexpr unsigned WM_APP_PAUSE_AND_MUTE_ALL = kWmUser + 106;
constexpr unsigned WM_APP_MUTE_ALL = kWmUser + 107;
constexpr unsigned WM_APP_MASTER_VOLUME = kWmUser + 108;
constexpr unsigned WM_APP_REMOVE_ALL = kWmUser + 109;
constexpr unsigned WM_APP_FACTORY_RESET = kWmUser + 110;
constexpr unsigned WM_APP_UNINSTALL = kWmUser + 111;
constexpr unsigned WM_APP_PLAYLIST_ITEM_REMOVE = kWmUser + 112;
constexpr unsigned WM_APP_PLAYLIST_ITEM_CHANGED = kWmUser + 113;
constexpr unsigned WM_APP_PLAYLIST_EDIT_ENTRY = kWmUser + 114;
constexpr unsigned WM_APP_PLAYLIST_ENTRY_CANCEL = kWmUser + 115;
constexpr unsigned WM_APP_PLAYLIST_ENTRY_APPLY = kWmUser + 116;
constexpr unsigned WM_APP_SET_OVERLAY = kWmUser + 117;
constexpr unsigned WM_APP_SET_VOLUME = kWmUser + 118;
constexpr unsigned WM_APP_OTHER_AUDIO = kWmUser + 119;
constexpr unsigned WM_APP_TRAY_POPUP_CLOSE = kWmUser + 120;
constexpr unsigned WM_APP_MUSIC_ONLY = kWmUser + 121;  // wParam: only the music is heard now
// The last of the application messages the main window routes (keep it the highest above).
constexpr unsigned WM_APP_LAST_ROUTED = WM_APP_MUSIC_ONLY;
constexpr unsigned WM_APP_PLAYER_EVENT = kWmApp + 1;
constexpr unsigned WM_APP_SLIDER_MOVING = 10449;
constexpr unsigned WM_APP_SLIDER_CHANGED = 10450;

// Tray popup commands (WM_COMMAND ids).
constexpr unsigned ID_TRAY_PAUSE = 32775;
constexpr unsigned ID_TRAY_MUTE = 32776;
constexpr unsigned ID_TRAY_OPEN = 32777;
constexpr unsigned ID_TRAY_QUIT = 32778;
