// The playlist page's list, its entry panels and their rows.
#include "app/PlaylistList_win.h"

#include <algorithm>

#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "app/PageControls_win.h"
#include "ui/Paint_win.h"
#include "ui/Theme_win.h"

namespace {
constexpr wchar_t kListClass[] = L"QendorPlayList";
constexpr int kLineStep = 60;  // pixels per scroll line
int Scaled(HWND window, int design) { return ScaleForWindow(window, design); }
}  // namespace

// --- Row ----------------------------------------------------------------------------------

CPlaylistRowDlg::CPlaylistRowDlg(settings::SettingsStore& store, Kind k, std::wstring s, int i, COLORREF c)
    : CDialog(IDD_PLAYLIST_ROW), kind(k), section(std::move(s)), index(i), colour(c), store_(store) {}

BOOL CPlaylistRowDlg::OnInitDialog() {
  brush_.reset(CreateSolidBrush(colour));
  picture_.autoLoad = false;
  picture_.drawWidth = picture_.drawHeight = Scaled(hwnd(), 18);
  picture_.Attach(GetDlgItem(hwnd(), IDC_ROW_PICTURE));
  picture_.SetImage(kind == kVideo ? IDP_ROW_VIDEO : IDP_ROW_MUSIC);
  addButton_.Attach(GetDlgItem(hwnd(), IDC_ROW_ADD));
  SetWindowTextW(addButton_.hwnd(), LoadResString(kind == kVideo ? IDS_ADD_VIDEO : IDS_ADD_MUSIC).c_str());
  addButton_.backgroundColour = colour;
  addButton_.imageWidth = addButton_.imageHeight = Scaled(hwnd(), 11);
  addButton_.SetImages(IDP_PLUS, 0);
  editButton_.Attach(GetDlgItem(hwnd(), IDC_ROW_EDIT));
  editButton_.imageOnly = true;
  editButton_.imageWidth = editButton_.imageHeight = Scaled(hwnd(), 16);
  editButton_.backgroundColour = colour;
  editButton_.SetImages(IDP_EDIT, IDP_EDIT_HOT);
  RefreshPath();
  return FALSE;
}

void CPlaylistRowDlg::RefreshPath() {
  std::wstring path = store_.GetProfileString(section, L"Path");
  HWND name = GetDlgItem(hwnd(), IDC_ROW_NAME);
  if (path.empty()) {
    SetWindowTextW(name, L"");
    ShowWindow(name, SW_HIDE);
    ShowWindow(editButton_.hwnd(), SW_HIDE);
    ShowWindow(addButton_.hwnd(), SW_SHOW);
    return;
  }
  size_t slash = path.find_last_of(L'\\');
  std::wstring shown = slash == std::wstring::npos ? path : path.substr(slash + 1);
  SetWindowTextW(name, shown.c_str());
  HDC dc = GetDC(hwnd());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  int width = std::clamp(static_cast<int>(size.cx), Scaled(hwnd(), 40), Scaled(hwnd(), 400)) + Scaled(hwnd(), 2);
  RECT r = ChildRect(hwnd(), name);
  SetWindowPos(name, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT edit = ChildRect(hwnd(), editButton_.hwnd());
  SetWindowPos(editButton_.hwnd(), nullptr, r.left + width + Scaled(hwnd(), 2), edit.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(addButton_.hwnd(), SW_HIDE);
  ShowWindow(name, SW_SHOW);
  ShowWindow(editButton_.hwnd(), SW_SHOW);
}

INT_PTR CPlaylistRowDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDC_ROW_ADD || LOWORD(wParam) == IDC_ROW_EDIT)) {
        LogMessage(Info, LOWORD(wParam) == IDC_ROW_ADD ? "Playlist: Add %s" : "Playlist: Edit %s",
                   kind == kVideo ? "Video" : "Music");
        PostMessageW(GetParent(hwnd()), WM_APP_PLAYLIST_EDIT_ENTRY, 0, index);
        return TRUE;
      }
      return FALSE;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush_.get()));
      SetResult(1);
      return TRUE;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(brush_.get());
    case WM_CTLCOLORSTATIC:
      return StaticColours(wParam, Theme()[ui::kColourTabText], static_cast<HBRUSH>(brush_.get()));
  }
  return FALSE;
}

// --- Entry panel --------------------------------------------------------------------------

CPlaylistItemDlg::CPlaylistItemDlg(rotation::Playlist& playlist, settings::SettingsStore& store, int k, COLORREF c)
    : CDialog(IDD_PLAYLIST_ITEM), key(k), colour(c), playlist_(playlist), store_(store) {}

BOOL CPlaylistItemDlg::OnInitDialog() {
  // Known to tools and tests by its entry's key.
  SetWindowLongPtrW(hwnd(), GWLP_ID, static_cast<LONG_PTR>(kPanelIdBase + key));
  brush_.reset(CreateSolidBrush(colour));
  RECT box = ChildRect(hwnd(), GetDlgItem(hwnd(), IDC_ITEM_OPTIONS));
  ::DestroyWindow(GetDlgItem(hwnd(), IDC_ITEM_OPTIONS));
  RECT face{0, 0, 0, 14};
  MapDialogRect(hwnd(), &face);
  options_.backgroundColour = colour;
  options_.Create(hwnd(), IDC_ITEM_OPTIONS, box.left, box.top, box.right - box.left, face.bottom,
                  Scaled(hwnd(), 3 * 30));
  options_.AddItem(IDS_DISPLAY_EACH, IDP_DISPLAY_EACH);
  options_.AddItem(IDS_DISPLAY_SPAN, IDP_DISPLAY_SPAN);
  options_.AddItem(IDS_DISPLAY_DUPLICATE, IDP_DISPLAY_DUPLICATE);
  if (const rotation::PlaylistEntry* entry = Entry())
    SendMessageW(options_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(entry->displayOption), 0);
  removeButton_.Attach(GetDlgItem(hwnd(), IDC_ITEM_REMOVE));
  removeButton_.backgroundColour = colour;
  removeButton_.fillColour = Theme()[ui::kColourSlate];
  removeButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  removeButton_.disabledTextColour = Theme()[ui::kColourPlaceholder];
  BuildRows();
  return FALSE;
}

void CPlaylistItemDlg::BuildRows() {
  rows_.clear();
  const rotation::PlaylistEntry* entry = Entry();
  if (!entry) return;
  int x = Scaled(hwnd(), 30), y = Scaled(hwnd(), 4);
  const bool several = playlist_.MonitorKeys().size() > 1;
  ShowWindow(GetDlgItem(hwnd(), IDC_ITEM_OPTIONS_LABEL), several ? SW_SHOW : SW_HIDE);
  ShowWindow(options_.hwnd(), several ? SW_SHOW : SW_HIDE);
  if (several) {
    y = ChildRect(hwnd(), options_.hwnd()).bottom + Scaled(hwnd(), 8);
    x += Scaled(hwnd(), 20);
  }
  auto add = [&](CPlaylistRowDlg::Kind kind, const std::wstring& section) {
    auto row = std::make_unique<CPlaylistRowDlg>(store_, kind, section, static_cast<int>(rows_.size()), colour);
    if (!row->CreateModeless(hwnd())) return;
    SetWindowLongPtrW(row->hwnd(), GWLP_ID, CPlaylistRowDlg::kRowIdBase + static_cast<LONG_PTR>(rows_.size()));
    RECT r;
    GetWindowRect(row->hwnd(), &r);
    SetWindowPos(row->hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(row->hwnd(), SW_SHOW);
    y += r.bottom - r.top;
    rows_.push_back(std::move(row));
  };
  for (const std::wstring& section : playlist_.VideoSections(*entry)) add(CPlaylistRowDlg::kVideo, section);
  if (entry->hasMusicRow) add(CPlaylistRowDlg::kMusic, playlist_.MusicSection(*entry));
  RECT remove = ChildRect(hwnd(), removeButton_.hwnd());
  SetWindowPos(removeButton_.hwnd(), nullptr, remove.left, y - (remove.bottom - remove.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(hwnd(), &client);
  SetWindowPos(hwnd(), nullptr, 0, 0, client.right, y + Scaled(hwnd(), 10), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CPlaylistItemDlg::RefreshRows() {
  for (auto& row : rows_) row->RefreshPath();
}

void CPlaylistItemDlg::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(brush_.get()));
  const rotation::PlaylistEntry* entry = Entry();
  if (!entry || entry->position == 0) return;
  // The entry's number in a circle left of the "Display Options:" label.
  RECT label = ChildRect(hwnd(), GetDlgItem(hwnd(), IDC_ITEM_OPTIONS_LABEL));
  const int d = Scaled(hwnd(), 18);
  const int right = label.left - 8, top = (label.top + label.bottom) / 2 - d / 2;
  RECT circle{right - d, top, right, top + d};
  UniqueGdiObject fill(CreateSolidBrush(Theme()[ui::kColourMagenta]));
  HGDIOBJ oldBrush = SelectObject(dc, fill.get());
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, circle.left, circle.top, circle.right + 1, circle.bottom + 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  UniqueGdiObject font(CreateFontW(-Scaled(hwnd(), 14), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                   CLEARTYPE_QUALITY, 0, L"Arial"));
  HGDIOBJ oldFont = SelectObject(dc, font.get());
  SetTextColor(dc, Theme()[ui::kColourTabText]);
  SetBkMode(dc, TRANSPARENT);
  std::wstring number = std::to_wstring(entry->position);
  DrawTextW(dc, number.c_str(), -1, &circle, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, oldFont);
}

INT_PTR CPlaylistItemDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto paint = [this](HDC dc, const RECT& client) { Paint(dc, client); };
  if (auto painted = HandleBufferedPaintMessage(hwnd(), message, wParam, paint)) {
    SetResult(*painted);
    return TRUE;
  }
  switch (message) {
    case WM_APP_PLAYLIST_EDIT_ENTRY:
      // A row asks for the editor: the main window opens it for this entry's row.
      PostMessageW(GetAncestor(hwnd(), GA_ROOT), WM_APP_PLAYLIST_EDIT_ENTRY, static_cast<WPARAM>(key), lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ITEM_REMOVE && HIWORD(wParam) == BN_CLICKED) {
        PostMessageW(GetParent(hwnd()), WM_APP_PLAYLIST_ITEM_REMOVE, 0, key);
        return TRUE;
      }
      if (LOWORD(wParam) == IDC_ITEM_OPTIONS && HIWORD(wParam) == CBN_SELCHANGE) {
        int option = static_cast<int>(SendMessageW(options_.hwnd(), CB_GETCURSEL, 0, 0));
        const rotation::PlaylistEntry* entry = Entry();
        if (entry && option != entry->displayOption) {
          playlist_.ChangeDisplayOption(key, option);
          BuildRows();
          PostMessageW(GetParent(hwnd()), WM_APP_PLAYLIST_ITEM_CHANGED, 0, key);
        }
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(brush_.get());
    case WM_CTLCOLORSTATIC:
      return StaticColours(wParam, Theme()[ui::kColourTabText], static_cast<HBRUSH>(brush_.get()));
  }
  return FALSE;
}

// --- List ---------------------------------------------------------------------------------

CPlayListWnd::CPlayListWnd(rotation::Playlist& playlist, settings::SettingsStore& store)
    : playlist_(playlist), store_(store) {}

bool CPlayListWnd::Create(HWND page, const RECT& place, HWND after) {
  RegisterWindowClass(kListClass, CS_DBLCLKS, Theme().backgroundBrush);
  if (!CWnd::Create(WS_EX_CONTROLPARENT, kListClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, place.left,
                    place.top, place.right - place.left, place.bottom - place.top, page, IDC_PLAYLIST_LIST))
    return false;
  SetWindowPos(hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

CPlaylistItemDlg* CPlayListWnd::Panel(int key) const {
  for (const auto& panel : panels_)
    if (panel->key == key) return panel.get();
  return nullptr;
}

void CPlayListWnd::Rebuild() {
  panels_.clear();
  ScrollTo(0);
  for (const rotation::PlaylistEntry& entry : playlist_.Entries()) {
    auto panel = std::make_unique<CPlaylistItemDlg>(playlist_, store_, entry.key, Theme()[ui::kColourRow]);
    if (panel->CreateModeless(hwnd())) panels_.push_back(std::move(panel));
  }
  Relayout();
}

void CPlayListWnd::Added() {
  const rotation::PlaylistEntry& entry = playlist_.Entries().back();
  auto panel = std::make_unique<CPlaylistItemDlg>(playlist_, store_, entry.key, Theme()[ui::kColourRow]);
  if (panel->CreateModeless(hwnd())) panels_.push_back(std::move(panel));
  Relayout();
  ScrollTo(contentHeight_);
}

void CPlayListWnd::Removed(int key) {
  panels_.erase(std::remove_if(panels_.begin(), panels_.end(), [key](const auto& p) { return p->key == key; }),
                panels_.end());
  Relayout();
}

void CPlayListWnd::Relayout() {
  const int position = scroll_;
  ScrollTo(0);
  RECT client;
  GetClientRect(hwnd(), &client);
  int y = 0;
  bool alternate = false;
  for (auto& panel : panels_) {
    COLORREF colour = Theme()[alternate ? ui::kColourRowAlt : ui::kColourRow];
    if (panel->colour != colour) {
      // A panel's colour is its controls' and rows' too: it is made again in the new colour.
      auto fresh = std::make_unique<CPlaylistItemDlg>(playlist_, store_, panel->key, colour);
      if (fresh->CreateModeless(hwnd())) panel = std::move(fresh);
    }
    RECT r;
    GetWindowRect(panel->hwnd(), &r);
    SetWindowPos(panel->hwnd(), nullptr, 0, y, client.right, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(panel->hwnd(), SW_SHOW);
    InvalidateRect(panel->hwnd(), nullptr, TRUE);
    y += r.bottom - r.top;
    alternate = !alternate;
  }
  contentHeight_ = std::max(static_cast<int>(client.bottom), y);
  UpdateScrollBar();
  ScrollTo(position);
}

void CPlayListWnd::UpdateScrollBar() {
  RECT client;
  GetClientRect(hwnd(), &client);
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, contentHeight_ - 1,
                  static_cast<UINT>(client.bottom), scroll_, 0};
  SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

void CPlayListWnd::ScrollTo(int position) {
  RECT client;
  GetClientRect(hwnd(), &client);
  position = std::clamp(position, 0, std::max(0, contentHeight_ - static_cast<int>(client.bottom)));
  if (position == scroll_) return;
  ScrollWindowEx(hwnd(), 0, scroll_ - position, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  scroll_ = position;
  SetScrollPos(hwnd(), SB_VERT, scroll_, TRUE);
}

LRESULT CPlayListWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL: {
      RECT client;
      GetClientRect(hwnd(), &client);
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_ALL;
      GetScrollInfo(hwnd(), SB_VERT, &info);
      int position = scroll_;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= kLineStep; break;
        case SB_LINEDOWN: position += kLineStep; break;
        case SB_PAGEUP: position -= client.bottom; break;
        case SB_PAGEDOWN: position += client.bottom; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_BOTTOM: position = contentHeight_; break;
        default: return 0;
      }
      ScrollTo(position);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      RECT client;
      GetClientRect(hwnd(), &client);
      if (contentHeight_ <= client.bottom) return 0;
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      int step = 0;
      if (lines == WHEEL_PAGESCROLL) {
        step = client.bottom;
      } else {
        int n = static_cast<int>(lines) * (std::abs(delta) / WHEEL_DELTA);
        step = (n < 6 ? 1 : n / 3) * kLineStep;
      }
      ScrollTo(scroll_ + (delta > 0 ? -step : step));
      return 0;
    }
    case WM_SIZE:
      // The scroll bar came or went: the panels take the list's width.
      for (auto& panel : panels_) {
        RECT r;
        GetWindowRect(panel->hwnd(), &r);
        SetWindowPos(panel->hwnd(), nullptr, 0, 0, LOWORD(lParam), r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    case WM_APP_PLAYLIST_ITEM_REMOVE:
    case WM_APP_PLAYLIST_ITEM_CHANGED:
      PostMessageW(GetParent(hwnd()), message, wParam, lParam);  // the page decides
      return 0;
  }
  return CWnd::HandleMessage(message, wParam, lParam);
}
