// The main window: its header, buttons, task list and pages, the tray icon and popup, the
// application messages, hiding, the hand-over from a second start, display changes and a
// restarted shell.
#include "app/MainDlg_win.h"

#include <shellapi.h>

#include "app/App_win.h"
#include "app/Uninstall_win.h"
#include "base/Dpi_win.h"
#include "base/Log.h"
#include "rotation/EntryWallpapers.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "settings/SettingsStore.h"
#include "ui/CBufferDC_win.h"
#include "ui/CMessageDlg_win.h"
#include "ui/Theme_win.h"

namespace {
// The dialog template names this class; it is a dialog class of our own so that a second
// start can find the window by its class alone.
void RegisterMainWindowClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(AppInstance(), kMainWindowClass, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefDlgProcW;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = AppInstance();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);
}

constexpr UINT kTrayIconId = IDI_APP;

struct TaskEntry {
  UINT text, picture, selectedPicture;
};
constexpr TaskEntry kTasks[app::kTaskCount] = {
    {IDS_TASK_QUICK_START, IDP_TASK_QUICK_START, IDP_TASK_QUICK_START_SELECTED},
    {IDS_TASK_VIDEO, IDP_TASK_VIDEO, IDP_TASK_VIDEO_SELECTED},
    {IDS_TASK_MUSIC, IDP_TASK_MUSIC, IDP_TASK_MUSIC_SELECTED},
    {IDS_TASK_PLAYLIST, IDP_TASK_PLAYLIST, IDP_TASK_PLAYLIST_SELECTED},
    {IDS_TASK_SETTINGS, IDP_TASK_SETTINGS, IDP_TASK_SETTINGS_SELECTED},
};

bool IsEditControl(HWND window) {
  wchar_t className[16] = {};
  return window && GetClassNameW(window, className, 16) && lstrcmpiW(className, L"Edit") == 0;
}
}  // namespace

CMainDlg::CMainDlg(settings::SettingsStore& store, AppFlags& flags)
    : CDialog(IDD_MAIN),
      store_(store),
      flags_(flags),
      wallpapers_(store, policy_),
      quickStartPage_(store, wallpapers_.Wallpapers(), *this),
      videoPage_(wallpapers_, store),
      musicPage_(store),
      playlistPage_(store, *this),
      settingsPage_(store, flags, policy_),
      entryEditor_(wallpapers_, store, flags, musicPage_) {
  RegisterMainWindowClass();
  // Icons loaded without LR_SHARED belong to us.
  largeIcon_.reset(
      static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  smallIcon_.reset(static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 16, 16, 0)));
  background_.reset(CreateSolidBrush(RGB(0, 0, 0)));
}

CMainDlg::~CMainDlg() = default;

app::MainContext CMainDlg::Context() { return {flags_, store_, policy_, wallpapers_.Wallpapers(), *this}; }

CPageDlg& CMainDlg::Page(int task) {
  switch (task) {
    case app::kTaskVideo: return videoPage_;
    case app::kTaskMusic: return musicPage_;
    case app::kTaskPlaylist: return playlistPage_;
    case app::kTaskSettings: return settingsPage_;
    default: return quickStartPage_;
  }
}

BOOL CMainDlg::OnInitDialog() {
  trayPopup_.SetMainWindow(hwnd());
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  title_ = LoadResString(IDS_TITLE);
  webAddress_ = LoadResString(IDS_WEB_ADDRESS);
  SetWindowTextW(hwnd(), title_.c_str());

  int pictureSize = ScaleForWindow(hwnd(), 18);
  minimiseButton_.Attach(GetDlgItem(hwnd(), IDC_MINIMISE));
  hideButton_.Attach(GetDlgItem(hwnd(), IDC_HIDE));
  for (CCustButton* button : {&minimiseButton_, &hideButton_}) {
    button->imageOnly = true;
    button->imageWidth = button->imageHeight = pictureSize;
    button->backgroundColour = Theme()[ui::kColourBlack];
  }
  minimiseButton_.hoverBackgroundColour = Theme()[ui::kColourHeaderHover];
  hideButton_.hoverBackgroundColour = Theme()[ui::kColourRed];
  minimiseButton_.SetImages(IDP_MINIMISE, 0);
  hideButton_.SetImages(IDP_HIDE, 0);
  linkButton_.Attach(GetDlgItem(hwnd(), IDC_LINK));
  linkButton_.backgroundColour = Theme()[ui::kColourTaskListBack];
  linkButton_.fillColour = Theme()[ui::kColourPanel];
  linkButton_.hoverFillColour = Theme()[ui::kColourTaskHot];
  linkButton_.textColour = Theme()[ui::kColourMint];
  SetWindowTextW(linkButton_.hwnd(), webAddress_.c_str());
  headerLine_.LoadPng(IDP_HEADER_LINE);

  policy_.Inputs().pauseAndMuteAll = flags_.pauseAndMuteAll;
  policy_.Inputs().pauseWhenMaximised = flags_.pauseWhenMaximised;
  wallpapers_.Create(hwnd());
  if (CMonitorList* list = wallpapers_.MonitorList()) {
    RECT listRect;
    GetWindowRect(list->hwnd(), &listRect);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&listRect), 2);
    headerHeight_ = listRect.top;
  }

  taskList_.Attach(GetDlgItem(hwnd(), IDC_TASK_LIST));
  for (const TaskEntry& task : kTasks) taskList_.AddItem(task.text, task.picture, task.selectedPicture);

  RECT place{};
  if (HWND placeholder = GetDlgItem(hwnd(), IDC_PAGE_PLACE)) {
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
  }
  musicPage_.pauseAndMuteAll = [this] { return flags_.pauseAndMuteAll; };
  musicPage_.musicEnded = [this] { return playlistPage_.OnMusicEnded(); };
  std::vector<std::wstring> monitorKeys;
  for (const auto& monitor : wallpapers_.Wallpapers().Monitors()) monitorKeys.push_back(monitor->MonitorKey());
  playlistPage_.Playlist().SetMonitorKeys(std::move(monitorKeys));
  for (int task : {app::kTaskVideo, app::kTaskMusic, app::kTaskPlaylist, app::kTaskQuickStart, app::kTaskSettings}) {
    CPageDlg& page = Page(task);
    if (page.Create(hwnd()))
      SetWindowPos(page.hwnd(), nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (entryEditor_.Create(hwnd()))
    SetWindowPos(entryEditor_.hwnd(), nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(taskList_.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(app::TaskIndexAtStart(store_)), 0);
  ShowTask();

  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  // Windows lets a program that runs as the user's own, but elevated, hear the shell only
  // when it says so.
  ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
  AddTrayIcon();
  startHidden = flags_.autostart;
  return TRUE;
}

void CMainDlg::ShowTask() {
  int task = static_cast<int>(SendMessageW(taskList_.hwnd(), LB_GETCURSEL, 0, 0));
  if (task < 0 || task >= app::kTaskCount) return;
  CloseEntryEditor();
  for (int other = 0; other < app::kTaskCount; ++other)
    if (other != task && Page(other).hwnd()) ShowWindow(Page(other).hwnd(), SW_HIDE);
  HWND page = Page(task).hwnd();
  if (!page) return;
  ShowWindow(page, SW_SHOW);
  if (GetFocus() != taskList_.hwnd()) SetFocus(page);
}

CVideoDlg* CMainDlg::ActiveVideoPage() {
  if (editorShown_ && entryEditor_.VideoPage()) return entryEditor_.VideoPage();
  return videoPage_.hwnd() ? &videoPage_ : nullptr;
}

void CMainDlg::OpenEntryEditor(int key, int rowIndex) {
  const rotation::Playlist& playlist = playlistPage_.Playlist();
  const rotation::PlaylistEntry* entry = playlist.Find(key);
  if (!entry || !entryEditor_.hwnd() || rowIndex < 0) return;
  CPlaylistAddEntryDlg::Target target;
  target.key = key;
  target.position = entry->position;
  std::vector<std::wstring> videos = playlist.VideoSections(*entry);
  if (rowIndex < static_cast<int>(videos.size())) {
    target.section = videos[rowIndex];
    target.monitor = entry->displayOption == app::kDisplaySpan ? -1 : rowIndex;
  } else if (rowIndex == static_cast<int>(videos.size()) && entry->hasMusicRow) {
    target.music = true;
    target.section = playlist.MusicSection(*entry);
  } else {
    return;  // the row is gone
  }
  playlistPage_.Suspend();
  ShowWindow(playlistPage_.hwnd(), SW_HIDE);
  // A video row reopens every wallpaper with the entry's records; the main page's panel is
  // left alone until the editor goes.
  entryEditor_.Open(target);
  editorShown_ = true;
  ShowWindow(entryEditor_.hwnd(), SW_SHOW);
  SetFocus(entryEditor_.hwnd());
}

void CMainDlg::CloseEntryEditor(bool exiting) {
  if (!editorShown_) return;
  editorShown_ = false;
  ShowWindow(entryEditor_.hwnd(), SW_HIDE);
  const bool video = entryEditor_.VideoPage() != nullptr;
  entryEditor_.Close();
  if (exiting) return;
  // The music row's editor never touched the monitors: their wallpapers play on as they were.
  if (video && videoPage_.hwnd()) videoPage_.Rules().ReturnFromEntryEditor();
  playlistPage_.Resume();
}

void CMainDlg::ShowPlaylistPage() {
  SendMessageW(taskList_.hwnd(), LB_SETCURSEL, app::kTaskPlaylist, 0);
  ShowTask();
}

void CMainDlg::AddTrayIcon() {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = hwnd();
  icon.uID = kTrayIconId;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = WM_APP_TRAY_NOTIFY;
  icon.hIcon = smallIcon_.get();
  lstrcpynW(icon.szTip, title_.c_str(), 64);
  trayIconAdded_ = Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
  if (!trayIconAdded_) LogMessage(Error, "Create tray icon failed");
}

void CMainDlg::RemoveTrayIcon() {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = hwnd();
  icon.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &icon);
  trayIconAdded_ = false;
}

void CMainDlg::SetTrayState(bool paused, bool muted) { trayPopup_.panel.SetTrayState(paused, muted); }

void CMainDlg::VideoSelectMonitor(int index) {
  if (CVideoDlg* page = ActiveVideoPage()) page->Rules().SelectMonitor(index);
}

void CMainDlg::VideoWallpaperEvent(unsigned eventType, void* wallpaperWindow) {
  CVideoDlg* page = ActiveVideoPage();
  if (!page) return;
  // The window is reported by its handle; the page compares it with its monitor's window.
  CMonitor* bound = page->Rules().Panel() ? page->Rules().Panel()->Bound() : nullptr;
  if (!bound || !bound->videoWnd) return;
  CVideoWnd* window = VideoWndOf(*bound);
  if (window && window->hwnd() == static_cast<HWND>(wallpaperWindow))
    page->Rules().OnWallpaperStarted(eventType, window);
}

void CMainDlg::VideoRefreshPanel() {
  if (CVideoDlg* page = ActiveVideoPage()) page->Rules().RefreshPanel();
}

void CMainDlg::VideoReset() {
  if (videoPage_.hwnd()) videoPage_.Rules().ResetVideo();
}

void CMainDlg::MusicPause(bool paused) {
  if (musicPage_.hwnd()) musicPage_.Rules().PauseMusic(paused);
}
void CMainDlg::MusicMute(bool mute, bool automatic) {
  if (musicPage_.hwnd()) musicPage_.Rules().MuteMusic(mute, automatic);
}
bool CMainDlg::MusicIsMusicOnly() const {
  return musicPage_.hwnd() && musicPage_.Rules().IsMusicOnly();
}
void CMainDlg::MusicSetVolume(int volume) {
  if (musicPage_.hwnd()) musicPage_.Rules().SetMasterVolume(volume);
}
void CMainDlg::MusicClear() {
  if (musicPage_.hwnd()) musicPage_.Rules().Clear();
}
void CMainDlg::MusicReset() {
  if (musicPage_.hwnd()) musicPage_.Rules().Reset();
}

void CMainDlg::QuickStartSetMuted(bool mute, bool automatic) {
  if (quickStartPage_.hwnd()) quickStartPage_.Rules().SetMuted(mute, automatic);
}
void CMainDlg::QuickStartSetVolume(int volume) {
  if (quickStartPage_.hwnd()) quickStartPage_.Rules().SetMasterVolume(volume);
}
void CMainDlg::QuickStartClear() {
  if (!quickStartPage_.hwnd()) return;
  quickStartPage_.Rules().Clear();
  quickStartPage_.SyncTimer();
}
void CMainDlg::QuickStartReset() {
  if (!quickStartPage_.hwnd()) return;
  quickStartPage_.Rules().Reset();
  quickStartPage_.SyncTimer();
}
void CMainDlg::ShowEachMonitor() {
  if (!videoPage_.hwnd()) return;
  // Already a wallpaper per monitor: the monitors opened their new files themselves.
  if (videoPage_.Rules().displayOption == app::kDisplayEach) {
    videoPage_.Rules().RefreshPanel();
    return;
  }
  videoPage_.SetOptionSelection(app::kDisplayEach);
  videoPage_.Rules().ApplyDisplayOption(app::kDisplayEach);
}
uint64_t CMainDlg::Now() const { return GetTickCount64(); }

void CMainDlg::PlaylistsReset() {
  if (playlistPage_.hwnd()) playlistPage_.Reset();
}

void CMainDlg::SettingsReset() {
  if (settingsPage_.hwnd()) settingsPage_.ResetSettings();
}

bool CMainDlg::LoadEntryWallpapers(const rotation::PlaylistEntry& entry) {
  return rotation::LoadEntryWallpapers(wallpapers_.Wallpapers(), store_, entry, flags_.wallpapersMuted);
}
void CMainDlg::ApplyDisplayOption(int option) {
  if (!videoPage_.hwnd()) return;
  videoPage_.SetOptionSelection(option);
  videoPage_.Rules().ApplyDisplayOption(option);
}
void CMainDlg::LoadMusic(const std::wstring& section) {
  if (!musicPage_.hwnd()) return;
  musicPage_.Rules().LoadMusicSection(section);
  if (flags_.wallpapersMuted) musicPage_.Rules().MuteMusic(true, false);
}
bool CMainDlg::MusicPlaying() const { return musicPage_.hwnd() && musicPage_.Playing(); }
bool CMainDlg::Held() const { return flags_.pauseAndMuteAll || flags_.wallpapersPaused; }

void CMainDlg::OpenApp() {
  if (IsIconic(hwnd()) || !IsWindowVisible(hwnd())) {
    startHidden = false;
    ShowWindow(hwnd(), SW_RESTORE);
  }
  SetForegroundWindow(hwnd());
}

void CMainDlg::OnTrayNotify(LPARAM lParam) {
  switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      trayPopup_.Show();
      break;
    case NIN_BALLOONUSERCLICK:
      OpenApp();
      break;
  }
}

void CMainDlg::RemoveAll() {
  app::MainContext c = Context();
  app::RemoveAll(c);
}

void CMainDlg::FactoryReset() {
  app::MainContext c = Context();
  app::FactoryReset(c);
}

bool CMainDlg::OnCommand(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_TASK_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE) {
        ShowTask();
        app::StoreTaskIndex(store_, static_cast<int>(SendMessageW(taskList_.hwnd(), LB_GETCURSEL, 0, 0)));
      }
      return true;
    case IDC_MINIMISE:
      ShowWindow(hwnd(), SW_MINIMIZE);
      return true;
    case IDC_HIDE:
      // Hidden, minimised, hidden: off the taskbar and out of the way in one step.
      ShowWindow(hwnd(), SW_HIDE);
      ShowWindow(hwnd(), SW_MINIMIZE);
      ShowWindow(hwnd(), SW_HIDE);
      return true;
    case IDC_LINK: {
      LogMessage(Info, "Open link %S", webAddress_.c_str());
      std::wstring url = L"http://" + webAddress_;
      ShellExecuteW(hwnd(), L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      return true;
    }
    case ID_TRAY_PAUSE: {
      trayPopup_.Hide();
      app::MainContext c = Context();
      app::TrayPause(c);
      return true;
    }
    case ID_TRAY_MUTE: {
      trayPopup_.Hide();
      app::MainContext c = Context();
      app::TrayMute(c);
      return true;
    }
    case ID_TRAY_OPEN:
      trayPopup_.Hide();
      OpenApp();
      return true;
    case ID_TRAY_QUIT:
      trayPopup_.Hide();
      PostMessageW(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case IDOK:
      // Enter typed into an edit box belongs to the edit box; elsewhere it ends the program.
      if (IsEditControl(GetFocus())) return true;
      EndDialog(IDOK);
      return true;
    case IDCANCEL:
      EndDialog(IDCANCEL);
      return true;
  }
  return false;
}

bool CMainDlg::OnApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  app::MainContext c = Context();
  LRESULT ignored = 0;
  switch (message) {
    case WM_APP_TRAY_NOTIFY:
      OnTrayNotify(lParam);
      return true;
    case WM_APP_MONITOR_SELECTED: {
      bool fromList = wallpapers_.MonitorList() && reinterpret_cast<HWND>(lParam) == wallpapers_.MonitorList()->hwnd();
      wallpapers_.OnMessage(message, wParam, lParam, ignored);
      if (fromList) VideoSelectMonitor(static_cast<int>(wParam));
      return true;
    }
    case WM_APP_WALLPAPER_EVENT:
      VideoWallpaperEvent(static_cast<unsigned>(wParam), reinterpret_cast<void*>(lParam));
      return true;
    case WM_APP_MUSIC_MUTES_VIDEOS:
      app::MusicMutesVideos(c, wParam != 0);
      return true;
    case WM_APP_MUSIC_ONLY:
      // The music started or stopped playing alone: the wallpapers follow, nothing is stored.
      policy_.Inputs().musicMutesVideos = wParam != 0;
      wallpapers_.Wallpapers().ApplyPlayback();
      return true;
    case WM_APP_PAUSE_AND_MUTE_ALL:
      app::PauseAndMuteAll(c, wParam != 0);
      return true;
    case WM_APP_MUTE_ALL:
      app::MuteAll(c, wParam != 0, lParam != 0);
      return true;
    case WM_APP_MASTER_VOLUME:
      app::MasterVolume(c, static_cast<int>(wParam));
      return true;
    case WM_APP_REMOVE_ALL:
      RemoveAll();
      return true;
    case WM_APP_UNINSTALL: {
      CUninstallPlatform platform(hwnd(), [this] { FactoryReset(); });
      uninstaller_.Request(platform, flags_, store_);
      return true;
    }
    case WM_APP_FACTORY_RESET: {
      FactoryReset();
      CMessageDlg done;
      done.SetMessage(LoadResString(IDS_FACTORY_RESET_DONE));
      done.DoModal(hwnd());
      return true;
    }
    case WM_APP_PLAYLIST_EDIT_ENTRY:
      OpenEntryEditor(static_cast<int>(wParam), static_cast<int>(lParam));
      return true;
    case WM_APP_PLAYLIST_ENTRY_CANCEL:
      ShowPlaylistPage();
      return true;
    case WM_APP_PLAYLIST_ENTRY_APPLY:
      playlistPage_.EntryEdited(static_cast<int>(wParam));
      ShowPlaylistPage();
      playlistPage_.UpdateAddButton();
      return true;
    case WM_APP_TRAY_POPUP_CLOSE:
      if (trayPopup_.IsCloseFor(lParam)) trayPopup_.Hide();
      return true;
  }
  return false;
}

void CMainDlg::Paint(HDC target) {
  RECT client;
  GetClientRect(hwnd(), &client);
  CBufferDC buffer(target, client);
  HDC dc = buffer.IsValid() ? buffer.dc() : target;
  if (IsIconic(hwnd())) {
    FillRect(dc, &client, static_cast<HBRUSH>(background_.get()));
    int size = GetSystemMetrics(SM_CXICON);
    DrawIconEx(dc, (client.right - size) / 2, (client.bottom - size) / 2, largeIcon_.get(), size, size, 0, nullptr,
               DI_NORMAL);
    return;
  }
  int m6 = ScaleForWindow(hwnd(), 6), m10 = ScaleForWindow(hwnd(), 10);
  RECT band{0, 0, client.right, headerHeight_};
  HBRUSH black = CreateSolidBrush(Theme()[ui::kColourBlack]);
  FillRect(dc, &band, black);
  DeleteObject(black);
  int side = headerHeight_ - 2 * m6;
  if (side > 0) {
    if (!headerIcon_.IsLoaded() || headerIcon_.Width() != side) {
      // The application's icon at the header's size.
      UniqueHicon icon(static_cast<HICON>(LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, side, side, 0)));
      DrawIconEx(dc, m10, m6, icon.get(), side, side, 0, nullptr, DI_NORMAL);
    }
  }
  if (headerHeight_ >= 2) headerLine_.Draw(dc, 0, headerHeight_ - 2, client.right, 2);
  if (!title_.empty() && !webAddress_.empty()) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT text{2 * m10 + (side > 0 ? side : 0), 0, client.right, headerHeight_};
    SetTextColor(dc, Theme()[ui::kColourAccent]);
    DrawTextW(dc, title_.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    RECT measured = text;
    DrawTextW(dc, title_.c_str(), -1, &measured, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
    text.left = measured.right;
    std::wstring rest = L" - " + webAddress_;
    SetTextColor(dc, Theme()[ui::kColourMutedText]);
    DrawTextW(dc, rest.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
  }
  RECT rest{0, headerHeight_, client.right, client.bottom};
  HBRUSH below = CreateSolidBrush(Theme()[ui::kColourTaskListBack]);
  FillRect(dc, &rest, below);
  DeleteObject(below);
}

void CMainDlg::OnDestroy() {
  trayPopup_.Hide();
  // The monitors write their own records at exit, not an entry's.
  CloseEntryEditor(true);
  if (playlistPage_.hwnd()) playlistPage_.DestroyWindow();
  if (trayIconAdded_) RemoveTrayIcon();
  wallpapers_.Destroy();
}

INT_PTR CMainDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_APP_TRAY_NOTIFY && message <= WM_APP_LAST_ROUTED) {
    if (OnApplicationMessage(message, wParam, lParam)) {
      SetResult(0);
      return TRUE;
    }
    return FALSE;
  }
  if (taskbarCreated_ && message == taskbarCreated_) {
    // The shell restarted: the notification area forgot the icon, and the wallpaper layer
    // went with the old shell.
    LogMessage(Info, "Shell restarted");
    RemoveTrayIcon();  // in case this shell still knows it
    AddTrayIcon();
    wallpapers_.RebuildWindows();
    return TRUE;
  }
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // While started hidden, no change of position or state may show the window.
      if (startHidden) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
      return FALSE;
    case WM_DISPLAYCHANGE:
      if (wallpapers_.OnDisplayChange(videoPage_.Rules().displayOption) && videoPage_.hwnd())
        videoPage_.Rules().RebuildTabs(true);
      return FALSE;
    case WM_COMMAND:
      return OnCommand(wParam) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_ERASEBKGND:
      SetResult(1);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      if (static_cast<short>(HIWORD(lParam)) < headerHeight_) {
        ReleaseCapture();
        SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return TRUE;
      }
      return FALSE;
    case WM_RBUTTONUP:
      if (static_cast<short>(HIWORD(lParam)) < headerHeight_) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd(), &at);
        UINT command = static_cast<UINT>(TrackPopupMenu(GetSystemMenu(hwnd(), FALSE), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                        at.x, at.y, 0, hwnd(), nullptr));
        if (command) SendMessageW(hwnd(), WM_SYSCOMMAND, command, 0);
        return TRUE;
      }
      return FALSE;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == linkButton_.hwnd()) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        SetResult(TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(hwnd(), IDC_LINK_CAPTION)) {
        SetTextColor(reinterpret_cast<HDC>(wParam), Theme()[ui::kColourButtonText]);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      }
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(background_.get());
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<INT_PTR>(background_.get());
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
  }
  return FALSE;
}
