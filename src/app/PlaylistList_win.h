// The playlist page's list: a scrolling window that stacks one panel per entry (dialog 9),
// each with its display option, its rows (dialog 165: a video row per monitor as the option
// asks, and a music row) and its Remove button. The entries are rotation::Playlist's; the
// panels show them. Panels and rows tell the others about themselves by entry key and row
// index, never by pointer, so a message that arrives after its panel went finds nothing.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/Handles_win.h"
#include "base/Window_win.h"
#include "rotation/Playlist.h"
#include "ui/CCustButton_win.h"
#include "ui/CCustComboBox_win.h"
#include "ui/CPictureControl_win.h"

class CPlaylistRowDlg : public CDialog {
 public:
  enum Kind { kVideo = 0, kMusic = 1 };
  // A row's control id in its panel: this plus its index.
  static constexpr int kRowIdBase = 100;
  CPlaylistRowDlg(settings::SettingsStore& store, Kind kind, std::wstring section, int index, COLORREF colour);

  Kind kind;
  std::wstring section;
  int index;  // in its panel
  COLORREF colour;
  // Shows the stored path's file name and Edit, or Add when there is none.
  void RefreshPath();

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  settings::SettingsStore& store_;
  CPictureControl picture_;
  CCustButton addButton_, editButton_;
  UniqueGdiObject brush_;
};

class CPlaylistItemDlg : public CDialog {
 public:
  // A panel's control id: this plus its entry's key.
  static constexpr int kPanelIdBase = 2000;
  CPlaylistItemDlg(rotation::Playlist& playlist, settings::SettingsStore& store, int key, COLORREF colour);

  int key;
  COLORREF colour;
  // The rows for the entry's display option, the Remove button below them; the height it took.
  void BuildRows();
  void RefreshRows();

 protected:
  BOOL OnInitDialog() override;
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc, const RECT& client);
  const rotation::PlaylistEntry* Entry() const { return playlist_.Find(key); }

  rotation::Playlist& playlist_;
  settings::SettingsStore& store_;
  CCustComboBox options_;
  CCustButton removeButton_;
  std::vector<std::unique_ptr<CPlaylistRowDlg>> rows_;
  UniqueGdiObject brush_;
};

class CPlayListWnd : public CWnd {
 public:
  CPlayListWnd(rotation::Playlist& playlist, settings::SettingsStore& store);
  bool Create(HWND page, const RECT& place, HWND after);

  // Panels for every entry of the list (after a load), for a new one, without a removed one.
  void Rebuild();
  void Added();
  void Removed(int key);
  // Renumbers and recolours the panels and stacks them again, keeping the scroll position.
  void Relayout();
  CPlaylistItemDlg* Panel(int key) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateScrollBar();
  void ScrollTo(int position);

  rotation::Playlist& playlist_;
  settings::SettingsStore& store_;
  std::vector<std::unique_ptr<CPlaylistItemDlg>> panels_;
  int scroll_ = 0;
  int contentHeight_ = 0;
};
