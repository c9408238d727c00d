// The main window: toolbar with the table and font drop-down menus, status
// bar, the editor font and always on top; the options and the bars'
// visibility are written when it closes.
#pragma once

#include "app/options.h"
#include "base/profile.h"
#include "fw/font.h"
#include "fw/frame.h"

namespace kestil {

class CMainFrame : public fw::FrameWindow {
 public:
  // editor_font: the application's, which the frame creates.
  CMainFrame(KestilOptions& options, Profile& profile, fw::FontHandle& editor_font);

 protected:
  int OnCreate(CREATESTRUCTW& cs) override;
  void OnClose() override;
  void OnEndSession() override;
  bool OnNotify(NMHDR& header, LRESULT* result) override;

 private:
  void OnTopMost();
  void OnUpdateTopMost(fw::CmdUI& ui);
  void ApplyTopMost();
  // The options and the bars' visibility, into the registry.
  void SaveState();
  void ShowDropDown(unsigned command, unsigned menu_id);

  KestilOptions& m_Options;
  Profile& m_Profile;
  fw::FontHandle& m_EditFont;
};

// The editor font: FixedSys, 14 units high, Shift JIS character set.
HFONT CreateEditorFont();

}  // namespace kestil
