// The main window: toolbar with the table and font drop-down menus, status
// bar, the editor font, the two new commands and always on top; the options
// and the bars' visibility are written when it closes.
#pragma once

#include "fw/frame.h"

namespace kestil {

class CMainFrame : public fw::FrameWindow {
 public:
  CMainFrame();

 protected:
  int OnCreate(CREATESTRUCTW& cs) override;
  void OnClose() override;
  bool OnNotify(NMHDR& header, LRESULT* result) override;

 private:
  void OnTopMost();
  void ApplyTopMost();
  void ShowDropDown(unsigned command, unsigned menu_id);
};

}  // namespace kestil
