#include "view/tool_dialogs.h"

#include <algorithm>
#include <climits>

#include "base/text16.h"
#include "fw/ui.h"
#include "res/resource.h"
#include "view/tools.h"

namespace kestil {
namespace {

constexpr int kMinTabStop = 2;
constexpr int kMaxTabStop = 8;
// The focus moves to the line field once the dialog manager has set its own.
constexpr UINT_PTR kFocusTimer = 0;

}  // namespace

COptionDlg::COptionDlg(HWND parent, const KestilOptions& options)
    : fw::Dialog(IDD_OPTION, parent),
      m_TabStopStr(Widen(std::to_string(options.m_TabStop))),
      m_TagType(options.m_TagStrType),
      m_NewDocEncoding(options.m_NewDocEncoding),
      m_MarkupStyle(options.m_MarkupStyle),
      m_AutoClose(options.m_AutoClose),
      m_TabStopNum(options.m_TabStop) {}

void COptionDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Text(IDC_TABSTOP, m_TabStopStr);
  dx.Radio(IDC_TAGTYPE_LOWER, m_TagType);
  dx.ComboIndex(IDC_NEW_DOC_ENCODING, m_NewDocEncoding);
  dx.ComboIndex(IDC_MARKUP_STYLE, m_MarkupStyle);
  dx.Check(IDC_AUTO_CLOSE, m_AutoClose);
}

namespace {

// Fills a drop-down list with the lines of a string.
void AddChoices(HWND list, unsigned string_id) {
  const std::wstring names = fw::LoadResString(string_id);
  for (std::size_t begin = 0; begin <= names.size();) {
    const std::size_t end = std::min(names.find(L'\n', begin), names.size());
    const std::wstring name = names.substr(begin, end - begin);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    begin = end + 1;
  }
}

}  // namespace

bool COptionDlg::OnInitDialog() {
  AddChoices(Item(IDC_NEW_DOC_ENCODING), IDS_NEW_DOC_ENCODINGS);
  AddChoices(Item(IDC_MARKUP_STYLE), IDS_MARKUP_STYLES);
  fw::Dialog::OnInitDialog();
  SendMessageW(Item(IDC_TABSTOP_SPIN), UDM_SETRANGE, 0, MAKELPARAM(kMaxTabStop, kMinTabStop));
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
  ValidateNumberEdit(*this, m_TabStopStr, IDC_TABSTOP, m_TabStopNum, kMinTabStop, kMaxTabStop);
}

void ValidateNumberEdit(fw::Dialog& dialog, std::u16string& text, int id, int& number, int min,
                        int max) {
  HWND field = dialog.Item(id);
  dialog.UpdateData(true);
  const NumberDecision d = ValidateNumber(text, min, max);
  number = d.value;
  if (!d.rewrite) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  text = d.text;
  dialog.UpdateData(false);  // may run this check once more, on the new text
  switch (d.caret) {
    case NumberCaret::kAfterMinus:
      SendMessageW(field, EM_SETSEL, 1, 1);
      break;
    case NumberCaret::kSelectAll:
      SendMessageW(field, EM_SETSEL, 0, -1);
      break;
    case NumberCaret::kAtTen:
      SendMessageW(field, EM_SETSEL, 10, 10);
      break;
    case NumberCaret::kAfterFirstIfAtStart:
      if (start != 0 || end != 0) return;
      SendMessageW(field, EM_SETSEL, 1, 1);
      break;
    case NumberCaret::kUnchanged:
      return;
  }
  SendMessageW(field, EM_SCROLLCARET, 0, 0);
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
  SetTimer(hwnd(), kFocusTimer, 1, nullptr);
  return true;
}

INT_PTR CJumpDlg::OnMessage(UINT msg, WPARAM wp, LPARAM, bool*) {
  if (msg == WM_TIMER && wp == kFocusTimer) {
    KillTimer(hwnd(), kFocusTimer);
    HWND line = Item(IDC_JUMP_LINE);
    SetFocus(line);
    SendMessageW(line, EM_SETSEL, 0, -1);
    SendMessageW(line, EM_SCROLLCARET, 0, 0);
  }
  return 0;  // the default processing goes on
}

}  // namespace kestil
