// The bug report tab, the description dialog and the confirmation.
#include "app/BugReportDlg_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "app/PageControls_win.h"
#include "base/Dpi_win.h"
#include "base/Log.h"
#include "base/Messages.h"
#include "base/Modal_win.h"
#include "base/ResourceIds.h"
#include "base/Resources_win.h"
#include "base/TempFolder_win.h"
#include "base/Text.h"
#include "diag/Log.h"
#include "diag/ZipArchive_win.h"
#include "ui/CBufferDC_win.h"
#include "ui/Theme_win.h"

namespace {

// The report's files and archive over Win32.
class Win32ReportFiles : public app::ReportFiles {
 public:
  ~Win32ReportFiles() override {
    if (archive_) FinishArchive(archive_);
  }
  bool Exists(const std::wstring& path) override { return PathFileExistsW(path.c_str()) != FALSE; }
  bool Begin(const std::wstring& path) override { return (archive_ = BeginArchive(path.c_str())) != nullptr; }
  bool AddBytes(const std::wstring& name, const std::string& bytes) override {
    return Logged("Description", AddArchiveEntryBytes(archive_, name.c_str(), bytes));
  }
  bool AddFile(const std::wstring& name, const std::wstring& path) override {
    return Logged("Log file", AddArchiveEntry(archive_, name.c_str(), path.c_str()));
  }
  bool Finish() override {
    ZipArchive* archive = archive_;
    archive_ = nullptr;
    return Logged("Finishing", FinishArchive(archive));
  }
  bool Replace(const std::wstring& from, const std::wstring& to) override {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    LogMessage(Error, "Bug Report: the report could not replace %S. Error %d", to.c_str(),
               static_cast<int>(GetLastError()));
    return false;
  }
  void Remove(const std::wstring& path) override { DeleteFileW(path.c_str()); }

 private:
  static bool Logged(const char* what, int32_t result) {
    if (result != kZipOk) LogMessage(Error, "Bug Report: %s failed in the zip. Error 0x%X", what, static_cast<unsigned>(result));
    return result == kZipOk;
  }
  ZipArchive* archive_ = nullptr;
};

}  // namespace

// --- The tab ------------------------------------------------------------------------------
CBugReportDlg::CBugReportDlg(settings::SettingsStore& store)
    : CSettingsTabDlg(IDD_BUG_REPORT), store_(store), page_(*this, store) {}

BOOL CBugReportDlg::OnInitDialog() {
  const int picture = ScaleForWindow(hwnd(), 16);
  const int iconIds[] = {IDC_BR_ICON, IDC_BR_ICON2};
  for (int i = 0; i < 2; ++i) {
    icons_[i].autoLoad = false;
    icons_[i].drawWidth = icons_[i].drawHeight = picture;
    icons_[i].Attach(GetDlgItem(hwnd(), iconIds[i]));
    icons_[i].SetImage(IDP_HINT);
  }
  const COLORREF back = Theme()[ui::kColourControlBack];
  emailButton_.Attach(GetDlgItem(hwnd(), IDC_BR_EMAIL));
  emailButton_.backgroundColour = emailButton_.fillColour = back;
  emailButton_.hoverFillColour = Theme()[ui::kColourTaskHot];
  emailButton_.textColour = Theme()[ui::kColourAccent];
  SetWindowTextW(emailButton_.hwnd(), LoadResString(IDS_SUPPORT_EMAIL).c_str());
  // "Copy email address to clipboard" over the address (the tip window goes with the page).
  tipText_ = LoadResString(IDS_REPORT_COPY_TIP);
  if (HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, AppInstance(), nullptr)) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(emailButton_.hwnd());
    tool.lpszText = tipText_.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  tempFolder_ = TempFolder();
  if (tempFolder_.empty()) LogMessage(Error, "GetTempPath failed. Error %d", static_cast<int>(GetLastError()));

  RECT place = TakePlaceholder(hwnd(), IDC_BR_FOLDER);
  folderField_.placeholder = LoadResString(IDS_REPORT_PLACEHOLDER);
  folderField_.Create(hwnd(), IDC_BR_FOLDER, place.left, place.top, place.right - place.left, place.bottom - place.top);
  SetDlgItemTextW(hwnd(), IDC_BR_HOWTO, LoadResString(IDS_REPORT_HOWTO).c_str());
  browseButton_.Attach(GetDlgItem(hwnd(), IDC_BR_BROWSE));
  browseButton_.backgroundColour = back;
  createButton_.Attach(GetDlgItem(hwnd(), IDC_BR_CREATE));
  createButton_.backgroundColour = back;
  openFolder_.Attach(GetDlgItem(hwnd(), IDC_BR_OPEN_FOLDER));
  openFolder_.backgroundColour = back;
  openFolder_.textColour = Theme()[ui::kColourButtonText];
  switch_.Attach(GetDlgItem(hwnd(), IDC_BR_LOGGING));
  switch_.backgroundColour = back;
  page_.Initialise();
  return FALSE;
}

void CBugReportDlg::SetSwitch(bool on) {
  switch_.SetOn(on);
  InvalidateRect(switch_.hwnd(), nullptr, FALSE);
}

void CBugReportDlg::SetOpenFolder(bool checked) {
  openFolder_.SetChecked(checked);
  InvalidateRect(openFolder_.hwnd(), nullptr, TRUE);
}

void CBugReportDlg::EnableCreate(bool enabled) {
  EnableWindow(createButton_.hwnd(), enabled ? TRUE : FALSE);
  InvalidateRect(createButton_.hwnd(), nullptr, FALSE);
}

void CBugReportDlg::RestartLogging() { StartLogging(store_, false); }

void CBugReportDlg::ResetPage() {
  if (hwnd()) page_.Reset();
}

void CBugReportDlg::CreateReport() {
  const std::wstring archive = app::ReportArchivePath(folderField_.GetText());
  CReportDlg describe(tempFolder_, archive);
  if (describe.DoModal(GetAncestor(hwnd(), GA_ROOT)) != IDOK || !PathFileExistsW(archive.c_str())) return;
  CReportCreatedDlg created;
  created.DoModal(GetAncestor(hwnd(), GA_ROOT));
  if (openFolder_.IsChecked()) {
    const std::wstring parameters = L"/select, \"" + archive + L"\"";
    ShellExecuteW(nullptr, L"open", L"explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
  }
}

void CBugReportDlg::CopyEmailAddress() {
  const std::wstring address = LoadResString(IDS_SUPPORT_EMAIL);
  if (!OpenClipboard(hwnd())) {
    ShowAppMessageId(hwnd(), IDS_NO_CLIPBOARD, MB_ICONEXCLAMATION);
    return;
  }
  const size_t bytes = (address.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(block)) {
      memcpy(p, address.c_str(), bytes);
      GlobalUnlock(block);
      if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    } else {
      GlobalFree(block);
    }
  }
  CloseClipboard();
}

void CBugReportDlg::PaintPage(HDC dc, const RECT& client) {
  RECT upper = client, lower = client;
  upper.bottom = lower.top = ControlRect(hwnd(), IDC_BR_SEPARATOR).bottom;
  FillRect(dc, &upper, Theme().backgroundBrush);
  FillRect(dc, &lower, Theme().tabStripBrush);
}

COLORREF CBugReportDlg::StaticTextColour(int id) const {
  if (id == IDC_BR_ABOUT || id == IDC_BR_HOWTO || id == IDC_BR_MAIL_TO) return Theme()[ui::kColourPlaceholder];
  return CSettingsTabDlg::StaticTextColour(id);
}

INT_PTR CBugReportDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_APP_TEXT_FIELD_CHANGED:
      if (reinterpret_cast<HWND>(lParam) == folderField_.hwnd() || lParam == 0) page_.OnFolderChanged();
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      switch (LOWORD(wParam)) {
        case IDC_BR_LOGGING:
          page_.OnSwitchClicked();
          return TRUE;
        case IDC_BR_OPEN_FOLDER:
          page_.OnOpenFolderClicked(openFolder_.IsChecked());
          return TRUE;
        case IDC_BR_BROWSE:
          if (auto folder = PickFolder(GetAncestor(hwnd(), GA_ROOT), L"Destination Folder")) folderField_.SetText(*folder);
          return TRUE;
        case IDC_BR_CREATE:
          CreateReport();
          return TRUE;
        case IDC_BR_EMAIL:
          CopyEmailAddress();
          return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      const bool lower = ChildRect(hwnd(), control).top >= ControlRect(hwnd(), IDC_BR_SEPARATOR).bottom;
      return StaticColours(wParam, StaticTextColour(GetDlgCtrlID(control)),
                           lower ? Theme().tabStripBrush : Theme().backgroundBrush);
    }
  }
  return CSettingsTabDlg::HandleMessage(message, wParam, lParam);
}

// --- The description dialog ------------------------------------------------------------------
CReportDlg::CReportDlg(std::wstring tempFolder, std::wstring archivePath)
    : CDialog(IDD_REPORT), tempFolder_(std::move(tempFolder)), archivePath_(std::move(archivePath)),
      white_(CreateSolidBrush(RGB(255, 255, 255))) {}

BOOL CReportDlg::OnInitDialog() {
  createButton_.Attach(GetDlgItem(hwnd(), IDOK));
  createButton_.backgroundColour = RGB(255, 255, 255);
  cancelButton_.Attach(GetDlgItem(hwnd(), IDCANCEL));
  cancelButton_.backgroundColour = RGB(255, 255, 255);
  cancelButton_.fillColour = cancelButton_.disabledFillColour = Theme()[ui::kColourSlate];
  cancelButton_.hoverFillColour = Theme()[ui::kColourSlateDark];
  cancelButton_.disabledTextColour = Theme()[ui::kColourPlaceholder];
  return TRUE;
}

void CReportDlg::Create() {
  const int length = GetWindowTextLengthW(GetDlgItem(hwnd(), IDC_REPORT_TEXT));
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  GetDlgItemTextW(hwnd(), IDC_REPORT_TEXT, text.data(), length + 1);
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  Win32ReportFiles files;
  const app::ReportResult result = app::CreateReport(files, text.data(), tempFolder_, archivePath_);
  SetCursor(previous);
  switch (result) {
    case app::ReportResult::kCreated:
      EndDialog(IDOK);
      return;
    case app::ReportResult::kNothingToReport:
      ShowAppMessageId(hwnd(), IDS_REPORT_NOTHING, MB_ICONINFORMATION);
      SetFocus(GetDlgItem(hwnd(), IDC_REPORT_TEXT));
      return;
    case app::ReportResult::kFailed: {
      const std::wstring message = base::InsertTexts(LoadResString(IDS_REPORT_FAILED), {archivePath_});
      ShowAppMessage(hwnd(), message, MB_ICONEXCLAMATION);
      return;
    }
  }
}

INT_PTR CReportDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
        Create();
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(white_.get());
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(white_.get());
  }
  return CDialog::HandleMessage(message, wParam, lParam);
}

// --- The confirmation ------------------------------------------------------------------------
CReportCreatedDlg::CReportCreatedDlg() : CDialog(IDD_REPORT_CREATED), white_(CreateSolidBrush(RGB(255, 255, 255))) {}

BOOL CReportCreatedDlg::OnInitDialog() {
  headingHeight_ = ScaleForWindow(hwnd(), 50);
  closeButton_.Attach(GetDlgItem(hwnd(), IDOK));
  closeButton_.backgroundColour = RGB(255, 255, 255);
  heading_ = LoadResString(IDS_REPORT_CREATED);
  body_ = base::InsertTexts(LoadResString(IDS_REPORT_MAIL_TO), {LoadResString(IDS_SUPPORT_EMAIL)});
  LOGFONTW font{};
  if (GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)), sizeof(font), &font)) {
    font.lfHeight += font.lfHeight < 0 ? -4 : 4;
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
  }
  return TRUE;
}

void CReportCreatedDlg::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(white_.get()));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, boldFont_ ? boldFont_.get() : reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  RECT band{client.left, client.top, client.right, client.top + headingHeight_};
  DrawTextW(dc, heading_.c_str(), -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  if (!body_.empty()) {
    RECT rest{client.left, band.bottom, client.right, ControlRect(hwnd(), IDOK).top};
    DrawTextW(dc, body_.c_str(), -1, &rest, DT_CENTER | DT_WORDBREAK);
  }
  SelectObject(dc, old);
}

INT_PTR CReportCreatedDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      {
        CBufferDC buffer(dc, client);  // copied to the window when it goes, before EndPaint
        Paint(buffer.IsValid() ? buffer.dc() : dc, client);
      }
      EndPaint(hwnd(), &ps);
      return TRUE;
    }
    case WM_ERASEBKGND:
      SetResult(1);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(white_.get());
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(IDOK);
        return TRUE;
      }
      break;
  }
  return CDialog::HandleMessage(message, wParam, lParam);
}
