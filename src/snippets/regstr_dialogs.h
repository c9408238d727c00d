// The snippet list dialog and the dialog that edits one slot.
#pragma once

#include <string>

#include "app/options.h"
#include "fw/dialog.h"

namespace kestil {

class CRegStrEditDlg : public fw::Dialog {
 public:
  // body_font: the font of the body field (the editor's).
  CRegStrEditDlg(HWND parent, HFONT body_font);

  HWND m_StrEdit = nullptr;
  std::u16string m_Str;
  std::u16string m_Title;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  HFONT m_BodyFont;
};

class CRegStrListDlg : public fw::Dialog {
 public:
  // Edits the options' titles and bodies; body_font for the edit dialog.
  CRegStrListDlg(HWND parent, KestilOptions& options, HFONT body_font);

  HWND m_List = nullptr;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void OnEdit();

  KestilOptions& m_Options;
  HFONT m_BodyFont;
};

}  // namespace kestil
