#include "snippets/regstr_dialogs.h"

#include "fw/text.h"
#include "res/resource.h"

namespace kestil {

CRegStrEditDlg::CRegStrEditDlg(HWND parent, const fw::FontHandle& body_font)
    : fw::Dialog(IDD_REGSTR_EDIT, parent), m_BodyFont(body_font) {}

void CRegStrEditDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Control(IDC_REGSTR_BODY, m_StrEdit);
  dx.Text(IDC_REGSTR_BODY, m_Str);
  dx.Text(IDC_REGSTR_TITLE, m_Title);
}

bool CRegStrEditDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  HFONT font = m_BodyFont.get();
  const int dpi = fw::WindowDpi(hwnd());
  if (dpi != m_BodyFont.dpi()) {
    m_ScaledFont.Reset(fw::ScaledFont(font, m_BodyFont.dpi(), dpi), dpi);
    if (m_ScaledFont.get() != nullptr) font = m_ScaledFont.get();
  }
  SendMessageW(m_StrEdit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  GotoControl(IDC_REGSTR_TITLE);  // typing goes into the title, not to a button
  return false;
}

CRegStrListDlg::CRegStrListDlg(HWND parent, KestilOptions& options,
                               const fw::FontHandle& body_font)
    : fw::Dialog(IDD_REGSTR_LIST, parent), m_Options(options), m_BodyFont(body_font) {}

void CRegStrListDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Control(IDC_REGSTR_LIST, m_List);
}

bool CRegStrListDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  SendMessageW(m_List, LB_RESETCONTENT, 0, 0);
  for (const std::u16string& title : m_Options.m_RegTitle) {
    SendMessageW(m_List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fw::AsWide(title).c_str()));
  }
  SendMessageW(m_List, LB_SETCURSEL, 0, 0);
  return true;
}

bool CRegStrListDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_REGSTR_EDIT || code != BN_CLICKED) return false;
  OnEdit();
  return true;
}

void CRegStrListDlg::OnEdit() {
  const auto n = static_cast<int>(SendMessageW(m_List, LB_GETCURSEL, 0, 0));
  if (n < 0 || n >= kSnippetCount) return;
  CRegStrEditDlg edit(hwnd(), m_BodyFont);
  edit.m_Title = m_Options.m_RegTitle[n];
  edit.m_Str = m_Options.m_RegStr[n];
  if (edit.DoModal() != IDOK) return;
  m_Options.m_RegTitle[n] = edit.m_Title;
  m_Options.m_RegStr[n] = edit.m_Str;
  SendMessageW(m_List, LB_DELETESTRING, n, 0);
  SendMessageW(m_List, LB_INSERTSTRING, n,
               reinterpret_cast<LPARAM>(fw::AsWide(edit.m_Title).c_str()));
  SendMessageW(m_List, LB_SETCURSEL, n, 0);
}

}  // namespace kestil
