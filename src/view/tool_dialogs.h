// The settings dialog and the jump dialog.
#pragma once

#include <cstdint>
#include <string>

#include "fw/dialog.h"

namespace kestil {

class COptionDlg : public fw::Dialog {
 public:
  explicit COptionDlg(HWND parent);

  std::string m_TabStopStr;
  int m_TagType = 0;
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

}  // namespace kestil
