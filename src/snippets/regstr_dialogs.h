// The snippet list dialog and the dialog that edits one slot.
#pragma once

#include <string>

#include "fw/dialog.h"

namespace kestil {

class CRegStrEditDlg : public fw::Dialog {
 public:
  explicit CRegStrEditDlg(HWND parent);

  HWND m_StrEdit = nullptr;
  std::string m_Str;
  std::string m_Title;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
};

class CRegStrListDlg : public fw::Dialog {
 public:
  explicit CRegStrListDlg(HWND parent);

  HWND m_List = nullptr;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void OnEdit();
};

}  // namespace kestil
