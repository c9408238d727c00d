// The settings dialog and the jump dialog.
#pragma once

#include <cstdint>
#include <string>

#include "app/options.h"
#include "fw/dialog.h"

namespace kestil {

class COptionDlg : public fw::Dialog {
 public:
  // Starts from the options' tag case, tab stop, encoding for new
  // documents, way of writing and end tag completion.
  COptionDlg(HWND parent, const KestilOptions& options);

  std::u16string m_TabStopStr;
  int m_TagType = 0;
  int m_NewDocEncoding = 0;  // the drop-down's index, as m_NewDocEncoding
  int m_MarkupStyle = 0;     // the drop-down's index, as m_MarkupStyle
  int m_AutoClose = 1;
  int m_TabStopNum = 0;
  std::uint8_t m_Ready = 0;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void OnChangeTabStop();
};

class CJumpDlg : public fw::Dialog {
 public:
  explicit CJumpDlg(HWND parent);

  int m_Line = 1;
  int m_Column = 1;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) override;
};

// Corrects a number field while the user types (the settings dialog's tab
// stop): stores the value in number and rewrites the field.
void ValidateNumberEdit(fw::Dialog& dialog, std::u16string& text, int id, int& number, int min,
                        int max);

}  // namespace kestil
