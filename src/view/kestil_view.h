// The editor view: a non-wrapping edit surface in the editor font, and the
// tag and attribute commands.
#pragma once

#include "fw/edit_view.h"

namespace kestil {

class CKestilView : public fw::EditView {
 public:
  CKestilView();
  void OnInitialUpdate() override;
  int TabChars() const override;

  // The snippet commands: insert slot's body; the menu item of a slot.
  void InsertRegStr(int slot);
  void OnUpdateRegStr(fw::CmdUI& ui);
  void OnRegStrSetting();

  // Tools and file commands.
  void OnSetting();
  void ApplyTabStops();
  void OnJump();
  void OnZenToHan();
  void OnRelativePath();
  void OnFileOpen();
  void OnSaveAndBrowse();

  // Colour and gradient.
  void OnInsertColor();
  void OnInsertGradient();

 protected:
  void PreCreateWindow(CREATESTRUCTW& cs) override;

 private:
  HWND MainWindow() const;

  bool first_update_done_ = false;
};

}  // namespace kestil
