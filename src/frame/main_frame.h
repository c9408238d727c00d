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
  // The editor font again, at the new size.
  void OnDpiChanged(int dpi) override;
  // In HTML5 with CSS, the prompts of the commands that write differently.
  UINT PromptString(UINT id) const override;

 public:
  // How to show the window first: maximised when it was at the last close.
  int ShowCommand(int requested) const { return m_Maximized ? SW_SHOWMAXIMIZED : requested; }

 private:
  // The size and place of the last session, section "Window"; a place off
  // every monitor is left to the system.
  void RestorePlacement();
  void SavePlacement();

  void OnTopMost();
  void OnUpdateTopMost(fw::CmdUI& ui);
  void ApplyTopMost();
  // The options and the bars' visibility, into the registry.
  void SaveState();
  void ShowDropDown(unsigned command, unsigned menu_id);

  KestilOptions& m_Options;
  Profile& m_Profile;
  fw::FontHandle& m_EditFont;
  bool m_Maximized = false;
};

// The editor font: FixedSys, 14 pixels high at 96 dots per inch, Shift JIS
// character set.
HFONT CreateEditorFont(int dpi);

}  // namespace kestil
