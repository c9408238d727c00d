#include "frame/main_frame.h"

#include <commctrl.h>

#include "fw/ui.h"
#include "res/resource.h"
#include "view/tag_commands.h"

namespace kestil {
namespace {

constexpr unsigned kToolbarButtons[] = {
    ID_FILE_NEW, ID_FILE_NEW_HTML, ID_FILE_OPEN, ID_FILE_SAVE, 0,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
    ID_SAVE_AND_BROWSE, 0,
    ID_TAG_BR, ID_TAG_LINK, ID_TAG_FONT, ID_TAG_IMG, ID_TAG_TABLE, ID_TAG_HR, ID_TAG_LIST,
    ID_TAG_PAIR, 0,
    ID_ZEN_TO_HAN, ID_INSERT_COLOR, ID_GRADIENT, ID_RELATIVE_PATH, 0,
    ID_TOPMOST,
};

// The buttons whose arrow opens a menu of their own.
constexpr unsigned kDropDownButtons[] = {ID_TAG_TABLE, ID_TAG_FONT};

constexpr fw::ToolbarImages kToolbarImages[] = {
    {IDR_MAINFRAME, 16, 15}, {IDB_TOOLBAR_24, 24, 23}, {IDB_TOOLBAR_32, 32, 30}};

// The editor font's height at 96 dots per inch.
constexpr int kEditorFontHeight = 14;

constexpr unsigned kIndicators[] = {ID_INDICATOR_POSITION, ID_INDICATOR_ENCODING, ID_INDICATOR_LINE_ENDING,
                                    ID_INDICATOR_KANA,     ID_INDICATOR_CAPS,
                                    ID_INDICATOR_NUM,      ID_INDICATOR_SCRL};

constexpr char kBarSection[] = "Bar";
constexpr char kWindowSection[] = "Window";
// Smaller or larger stored sizes are not a window's.
constexpr int kMinWindowSize = 100;
constexpr int kMaxWindowSize = 32767;

}  // namespace

CMainFrame::CMainFrame(KestilOptions& options, Profile& profile, fw::FontHandle& editor_font)
    : fw::FrameWindow(L"KestilFrame"),
      m_Options(options),
      m_Profile(profile),
      m_EditFont(editor_font) {
  On(ID_TOPMOST, [this] { OnTopMost(); });
  OnUpdate(ID_TOPMOST, [this](fw::CmdUI& ui) { OnUpdateTopMost(ui); });
}

HFONT CreateEditorFont(int dpi) {
  return CreateFontW(fw::ScaleToDpi(kEditorFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                     FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"FixedSys");
}

int CMainFrame::OnCreate(CREATESTRUCTW& cs) {
  if (fw::FrameWindow::OnCreate(cs) == -1) return -1;
  if (!CreateToolbar(IDC_TOOLBAR, kToolbarImages, kToolbarButtons,
                     WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
                     TBSTYLE_EX_DRAWDDARROWS, kDropDownButtons)) {
    return -1;
  }
  if (!CreateStatusBar(IDC_STATUSBAR, kIndicators)) return -1;
  m_EditFont.Reset(CreateEditorFont(dpi()), dpi());
  if (m_Options.m_TopMost != 0) ApplyTopMost();
  const int status = m_Profile.GetInt(kBarSection, "StatusBar", 1);
  const int tools = m_Profile.GetInt(kBarSection, "ToolBar", 1);
  if ((status & 0xFF) == 0) ShowWindow(status_bar(), SW_HIDE);
  if ((tools & 0xFF) == 0) ShowWindow(toolbar(), SW_HIDE);
  RestorePlacement();
  return 0;
}

void CMainFrame::OnDpiChanged(int dpi) {
  // The view still shows the old font until it has taken the new one.
  fw::FontHandle old;
  old.Reset(m_EditFont.Release());
  m_EditFont.Reset(CreateEditorFont(dpi), dpi);
  if (view() != nullptr) view()->OnFontChanged();
}

void CMainFrame::RestorePlacement() {
  const int width = m_Profile.GetInt(kWindowSection, "Width", 0);
  const int height = m_Profile.GetInt(kWindowSection, "Height", 0);
  m_Maximized = (m_Profile.GetInt(kWindowSection, "Maximized", 0) & 0xFF) != 0;
  if (width < kMinWindowSize || height < kMinWindowSize || width > kMaxWindowSize ||
      height > kMaxWindowSize) {
    return;
  }
  const int left = m_Profile.GetInt(kWindowSection, "Left", 0);
  const int top = m_Profile.GetInt(kWindowSection, "Top", 0);
  if (left < -kMaxWindowSize || left > kMaxWindowSize || top < -kMaxWindowSize ||
      top > kMaxWindowSize) {
    return;
  }
  const RECT r{left, top, left + width, top + height};
  if (MonitorFromRect(&r, MONITOR_DEFAULTTONULL) == nullptr) return;
  SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::SavePlacement() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(hwnd(), &wp)) return;
  const RECT& r = wp.rcNormalPosition;
  m_Profile.WriteInt(kWindowSection, "Left", r.left);
  m_Profile.WriteInt(kWindowSection, "Top", r.top);
  m_Profile.WriteInt(kWindowSection, "Width", r.right - r.left);
  m_Profile.WriteInt(kWindowSection, "Height", r.bottom - r.top);
  m_Profile.WriteInt(kWindowSection, "Maximized", IsZoomed(hwnd()) ? 1 : 0);
}

void CMainFrame::ApplyTopMost() {
  SetWindowPos(hwnd(), m_Options.m_TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMainFrame::OnTopMost() {
  m_Options.m_TopMost = m_Options.m_TopMost == 0 ? 1 : 0;
  ApplyTopMost();
}

void CMainFrame::OnUpdateTopMost(fw::CmdUI& ui) {
  ui.Enable(true);
  ui.SetCheck(m_Options.m_TopMost != 0);
}

void CMainFrame::SaveState() {
  m_Options.SaveOptions(m_Profile);
  m_Profile.WriteInt(kBarSection, "StatusBar", IsWindowVisible(status_bar()) ? 1 : 0);
  m_Profile.WriteInt(kBarSection, "ToolBar", IsWindowVisible(toolbar()) ? 1 : 0);
  SavePlacement();
}

// The process ends with the session: nothing is written after this.
void CMainFrame::OnEndSession() {
  SaveState();
  fw::FrameWindow::OnEndSession();
}

UINT CMainFrame::PromptString(UINT id) const {
  if (MarkupStyleOf(m_Options.m_MarkupStyle) != MarkupStyle::kModern || ModernMenuText(id).empty()) return id;
  const UINT modern = id + ID_MODERN_PROMPT_OFFSET;
  return fw::LoadResString(modern).empty() ? id : modern;
}

void CMainFrame::OnClose() {
  SaveState();
  fw::FrameWindow::OnClose();
}

void CMainFrame::ShowDropDown(unsigned command, unsigned menu_id) {
  const auto index = SendMessageW(toolbar(), TB_COMMANDTOINDEX, command, 0);
  RECT r{};
  SendMessageW(toolbar(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(toolbar(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menu_id));
  if (menu == nullptr) return;
  TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left - 1, r.bottom, 0,
                 hwnd(), nullptr);
  DestroyMenu(menu);
}

bool CMainFrame::OnNotify(NMHDR& header, LRESULT* result) {
  if (header.code != static_cast<UINT>(TBN_DROPDOWN) || header.hwndFrom != toolbar()) {
    return false;
  }
  const auto& tb = reinterpret_cast<const NMTOOLBARW&>(header);
  if (tb.iItem == ID_TAG_TABLE) ShowDropDown(ID_TAG_TABLE, IDR_TABLE_MENU);
  if (tb.iItem == ID_TAG_FONT) ShowDropDown(ID_TAG_FONT, IDR_FONT_MENU);
  *result = TBDDRET_DEFAULT;
  return true;
}

}  // namespace kestil
