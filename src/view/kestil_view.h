// The editor view: a non-wrapping edit surface in the editor font, the tag
// and attribute commands and the view's tools.
#pragma once

#include "app/options.h"
#include "fw/edit_view.h"
#include "fw/font.h"

namespace kestil {

class CKestilView : public fw::EditView {
 public:
  // editor_font: the application's, set on the control at the first update.
  CKestilView(KestilOptions& options, const fw::FontHandle& editor_font);
  void OnInitialUpdate() override;
  void OnFontChanged() override;
  int TabChars() const override;

  void OnSetting();
  void ApplyTabStops();
  void OnJump();
  void OnZenToHan();
  void OnRelativePath();
  void OnHighlight();
  void OnLineNumbers();

 protected:
  void PreCreateWindow(CREATESTRUCTW& cs) override;

 private:
  HWND MainWindow() const { return GetParent(hwnd()); }
  // The document's language, by its name, or for one without a name by
  // how its text starts; colours only while the option is on.
  void ApplyLanguage();
  std::wstring PositionPane();

  KestilOptions& m_Options;
  const fw::FontHandle& m_EditFont;
  bool m_FirstUpdateDone = false;
  std::wstring m_LanguagePath;  // the document name the language was chosen for
  bool m_LanguageChosen = false;
};

}  // namespace kestil
