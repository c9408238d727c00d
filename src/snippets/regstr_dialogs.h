// The snippet list dialog and the dialog that edits one slot.
#pragma once

#include <string>

#include "app/options.h"
#include "fw/dialog.h"
#include "fw/font.h"

namespace kestil {

class CRegStrEditDlg : public fw::Dialog {
 public:
  // body_font: the font of the body field (the editor's), shown at the
  // dialog's resolution.
  CRegStrEditDlg(HWND parent, const fw::FontHandle& body_font);

  HWND m_StrEdit = nullptr;
  std::u16string m_Str;
  std::u16string m_Title;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  const fw::FontHandle& m_BodyFont;
  // The body font made again when the dialog shows at another resolution.
  fw::FontHandle m_ScaledFont;
};

class CRegStrListDlg : public fw::Dialog {
 public:
  // Edits the options' titles and bodies; body_font for the edit dialog.
  CRegStrListDlg(HWND parent, KestilOptions& options, const fw::FontHandle& body_font);

  HWND m_List = nullptr;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void OnEdit();

  KestilOptions& m_Options;
  const fw::FontHandle& m_BodyFont;
};

}  // namespace kestil
