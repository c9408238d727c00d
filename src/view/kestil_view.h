// The editor view: a non-wrapping edit surface in the editor font, the tag
// and attribute commands and the view's tools.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "app/options.h"
#include "base/language.h"
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
  void OnMatchTag();
  void OnCloseTag();
  void OnCharacterReferences();

 protected:
  void PreCreateWindow(CREATESTRUCTW& cs) override;

 private:
  HWND MainWindow() const { return GetParent(hwnd()); }
  // The language of the document, by its name, or for one without a name
  // by how its text starts, whether colours are on or not.
  Language DocumentLanguage();
  // The document's language, by its name, or for one without a name by
  // how its text starts; colours only while the option is on.
  void ApplyLanguage();
  std::wstring PositionPane();
  // Marks the tag under the caret and its partner, when the caret or the
  // text moved since the last time.
  void MarkMatchingTag();
  // The page's text as of the surface's generation, kept between changes.
  const std::u16string& Text();
  // After "</" typed in a page: the end tag's name and ">".
  void OnTyped(char16_t c);
  // The menu item of a command shows what it inserts in the way of writing
  // in force.
  void ShowInsertion(fw::CmdUI& ui);

  KestilOptions& m_Options;
  const fw::FontHandle& m_EditFont;
  bool m_FirstUpdateDone = false;
  std::wstring m_LanguagePath;  // the document name the language was chosen for
  bool m_LanguageChosen = false;
  std::u16string m_Text;
  std::uint64_t m_TextGeneration = ~std::uint64_t{0};
  std::uint64_t m_MarkedGeneration = ~std::uint64_t{0};
  std::size_t m_MarkedCaret = static_cast<std::size_t>(-1);
  Language m_MarkedLanguage = Language::kPlain;
  std::map<UINT, std::wstring> m_ClassicMenuTexts;  // the items as the menus first had them
  std::wstring m_Pane;  // the position pane as last counted
  Selection m_PaneSelection{static_cast<std::size_t>(-1), static_cast<std::size_t>(-1)};
  std::size_t m_PaneCaret = static_cast<std::size_t>(-1);
  std::uint64_t m_PaneGeneration = ~std::uint64_t{0};
};

}  // namespace kestil
