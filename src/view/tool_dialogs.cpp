#include "view/tool_dialogs.h"

#include <climits>

#include "app/kestil_app.h"
#include "res/resource.h"

namespace kestil {

COptionDlg::COptionDlg(HWND parent) : fw::Dialog(IDD_OPTION, parent) {
  const CKestilApp& app = CKestilApp::Get();
  m_TabStopStr = std::to_string(app.m_TabStop);
  m_TagType = app.m_TagStrType;
  m_TabStopNum = app.m_TabStop;
}

void COptionDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Text(IDC_TABSTOP, m_TabStopStr);
  dx.Radio(IDC_TAGTYPE_LOWER, m_TagType);
}

bool COptionDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  SendMessageW(Item(IDC_TABSTOP_SPIN), UDM_SETRANGE, 0, 0x20008);
  m_Ready = 1;
  return true;
}

bool COptionDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_TABSTOP || code != EN_CHANGE) return false;
  OnChangeTabStop();
  return true;
}

void COptionDlg::OnChangeTabStop() {
  if (!m_Ready) return;
  CKestilApp::Get().ValidateNumberEdit(*this, m_TabStopStr, IDC_TABSTOP, m_TabStopNum, 2, 8);
}

CJumpDlg::CJumpDlg(HWND parent) : fw::Dialog(IDD_JUMP, parent) {}

void CJumpDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Text(IDC_JUMP_LINE, m_Line);
  dx.MinMaxInt(IDC_JUMP_LINE, m_Line, 1, INT_MAX);
  dx.Text(IDC_JUMP_COLUMN, m_Column);
  dx.MinMaxInt(IDC_JUMP_COLUMN, m_Column, 1, INT_MAX);
}

bool CJumpDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  SetTimer(hwnd(), 0, 1, nullptr);
  return true;
}

INT_PTR CJumpDlg::OnMessage(UINT msg, WPARAM, LPARAM, bool*) {
  if (msg == WM_TIMER) {
    KillTimer(hwnd(), 0);
    HWND line = Item(IDC_JUMP_LINE);
    SetFocus(line);
    SendMessageW(line, EM_SETSEL, 0, -1);
    SendMessageW(line, EM_SCROLLCARET, 0, 0);
  }
  return 0;  // the default processing goes on
}

}  // namespace kestil
