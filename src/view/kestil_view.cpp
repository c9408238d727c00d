#include "view/kestil_view.h"

#include <shlwapi.h>

#include <algorithm>

#include "fw/document.h"
#include "fw/printing.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "res/resource.h"
#include "view/insert_engine.h"
#include "view/tag_commands.h"
#include "view/tool_dialogs.h"
#include "view/tools.h"
#include "view/tag_match.h"
#include "base/language.h"
#include "base/text16.h"
#include "base/text_width.h"

namespace kestil {
namespace {

// The relative path's file dialog starts on its third filter, all files.
constexpr int kRelativeFilterAllFiles = 3;

}  // namespace

CKestilView::CKestilView(KestilOptions& options, const fw::FontHandle& editor_font)
    : m_Options(options), m_EditFont(editor_font) {
  for (const TagCommand& command : TagCommands()) {
    On(command.id, [this, &command] {
      RunTagCommand(command, edit(), m_Options.m_TagStrType, MarkupStyleOf(m_Options.m_MarkupStyle));
    });
    if (!ModernMenuText(command.id).empty()) OnUpdate(command.id, [this](fw::CmdUI& ui) { ShowInsertion(ui); });
  }
  for (const ElementCommand& command : ElementCommands()) {
    On(command.id, [this, &command] { RunElementCommand(command, edit(), m_Options.m_TagStrType); });
  }
  On(ID_TAG_CLOSE, [this] { OnCloseTag(); });
  On(ID_CHAR_REFERENCES, [this] { OnCharacterReferences(); });
  OnUpdate(ID_CHAR_REFERENCES, [this](fw::CmdUI& ui) { ui.Enable(edit().HasSelection()); });
  On(ID_SETTING, [this] { OnSetting(); });
  On(ID_JUMP, [this] { OnJump(); });
  On(ID_ZEN_TO_HAN, [this] { OnZenToHan(); });
  On(ID_RELATIVE_PATH, [this] { OnRelativePath(); });
  On(ID_VIEW_HIGHLIGHT, [this] { OnHighlight(); });
  On(ID_VIEW_LINE_NUMBERS, [this] { OnLineNumbers(); });
  On(ID_EDIT_MATCH_TAG, [this] { OnMatchTag(); });
  OnUpdate(ID_VIEW_HIGHLIGHT, [this](fw::CmdUI& ui) { ui.SetCheck(m_Options.m_Highlight != 0); });
  OnUpdate(ID_VIEW_LINE_NUMBERS, [this](fw::CmdUI& ui) { ui.SetCheck(m_Options.m_LineNumbers != 0); });
  OnUpdate(ID_INDICATOR_POSITION, [this](fw::CmdUI& ui) {
    // The pane is brought up to date at each idle moment; so is the
    // language of a document that was saved under a new name or began
    // without one.
    ApplyLanguage();
    MarkMatchingTag();
    ui.SetText(PositionPane());
  });
}

void CKestilView::OnHighlight() {
  m_Options.m_Highlight = m_Options.m_Highlight != 0 ? 0 : 1;
  m_LanguageChosen = false;
  ApplyLanguage();
}

void CKestilView::OnLineNumbers() {
  m_Options.m_LineNumbers = m_Options.m_LineNumbers != 0 ? 0 : 1;
  edit().SetLineNumbers(m_Options.m_LineNumbers != 0);
}

Language CKestilView::DocumentLanguage() {
  const std::wstring path = document() != nullptr ? document()->path_name() : std::wstring();
  return LanguageFor(fw::AsU16(path), edit().GetTextRange(0, 1));
}

void CKestilView::ApplyLanguage() {
  const std::wstring path = document() != nullptr ? document()->path_name() : std::wstring();
  const bool untitled_plain = path.empty() && edit().language() == Language::kPlain;
  if (m_LanguageChosen && path == m_LanguagePath && !(untitled_plain && m_Options.m_Highlight != 0)) return;
  const Language language = m_Options.m_Highlight != 0 ? DocumentLanguage() : Language::kPlain;
  m_LanguageChosen = true;
  m_LanguagePath = path;
  if (language != edit().language()) edit().SetLanguage(language);
}

const std::u16string& CKestilView::Text() {
  if (m_TextGeneration != edit().generation()) {
    m_Text = edit().GetText();
    m_TextGeneration = edit().generation();
  }
  return m_Text;
}

void CKestilView::MarkMatchingTag() {
  const std::size_t caret = edit().Caret();
  const Language language = edit().language();
  if (caret == m_MarkedCaret && edit().generation() == m_MarkedGeneration && language == m_MarkedLanguage) return;
  m_MarkedCaret = caret;
  m_MarkedGeneration = edit().generation();
  m_MarkedLanguage = language;
  fw::EditSurface::Ranges matched;
  fw::EditSurface::Ranges unmatched;
  // The whole text only where the caret's line has it on a tag name.
  const std::size_t line_start = static_cast<std::size_t>(std::max<long long>(edit().LineIndex(static_cast<long long>(edit().LineOf(caret))), 0));
  const std::u16string line = edit().GetTextRange(line_start, line_start + edit().LineLength(line_start));
  if (language == Language::kHtml && OpeningBeforeName(line, caret - line_start) != std::u16string::npos) {
    if (const auto match = MatchTag(Text(), caret)) {
      auto& into = match->unmatched ? unmatched : matched;
      into.emplace_back(match->tag.name_start, match->tag.name_end);
      if (match->partner) into.emplace_back(match->partner->name_start, match->partner->name_end);
    }
  }
  edit().MarkTags(matched, unmatched);
}

// The caret to the partner's name, at the same place in it.
void CKestilView::OnMatchTag() {
  const std::size_t caret = edit().Caret();
  const auto match = MatchTag(Text(), caret);
  if (!match || !match->partner) return;
  const std::size_t into = std::min(caret - match->tag.name_start, match->partner->name_end - match->partner->name_start);
  const std::size_t to = match->partner->name_start + into;
  edit().SetSel(to, to);
  edit().ScrollCaret();
}

void CKestilView::OnTyped(char16_t c) {
  if (c != u'/' || m_Options.m_AutoClose == 0) return;
  const Selection sel = edit().GetSel();
  if (sel.start != sel.end || sel.start < 2 || edit().GetTextRange(sel.start - 2, sel.start) != u"</") return;
  if (DocumentLanguage() != Language::kHtml) return;
  // What stands before the "<" decides; the rest of the page does not.
  const std::u16string before = edit().GetTextRange(0, sel.start - 2);
  const auto open = InnermostOpenElement(before, before.size());
  if (!open) return;
  edit().ReplaceSel(before.substr(open->name_start, open->name_end - open->name_start) + u">");
}

// The end tag of the innermost open element, in the spelling of its start
// tag.
void CKestilView::OnCloseTag() {
  const std::size_t at = edit().GetSel().start;
  const std::u16string before = edit().GetTextRange(0, at);
  const auto open = InnermostOpenElement(before, before.size());
  if (!open) {
    MessageBeep(MB_OK);
    return;
  }
  edit().ReplaceSel(u"</" + before.substr(open->name_start, open->name_end - open->name_start) + u">");
  edit().ScrollCaret();
}

void CKestilView::OnCharacterReferences() {
  const std::u16string selected = edit().GetSelectedText();
  if (selected.empty()) return;
  edit().ReplaceSel(ToCharacterReferences(selected));
}

void CKestilView::ShowInsertion(fw::CmdUI& ui) {
  const std::wstring text = ui.Text();
  if (text.empty()) return;
  const std::wstring& classic = m_ClassicMenuTexts.try_emplace(ui.id(), text).first->second;
  std::wstring wanted = classic;
  if (MarkupStyleOf(m_Options.m_MarkupStyle) == MarkupStyle::kModern) {
    wanted = classic.substr(0, classic.find(L'\t')) + L'\t' + fw::AsWide(ModernMenuText(ui.id()));
  }
  if (wanted != text) ui.SetText(wanted);
}

// "行 n, 列 m", and the characters selected.
std::wstring CKestilView::PositionPane() {
  const Selection sel = edit().GetSel();
  const std::size_t caret = edit().Caret();
  // Asked at every idle moment: counted again only when something moved.
  if (sel == m_PaneSelection && caret == m_PaneCaret && edit().generation() == m_PaneGeneration) return m_Pane;
  m_PaneSelection = sel;
  m_PaneCaret = caret;
  m_PaneGeneration = edit().generation();
  const std::size_t line = edit().LineOf(caret);
  const auto start = static_cast<std::size_t>(std::max<long long>(edit().LineIndex(static_cast<long long>(line)), 0));
  const std::size_t column = ColumnAfter(edit().GetTextRange(start, caret));
  std::wstring text = fw::Format(fw::LoadResString(IDS_CARET_PLACE),
                                 {std::to_wstring(line + 1), std::to_wstring(column)});
  if (sel.start != sel.end) {
    const std::u16string selected = edit().GetSelectedText();
    std::size_t chars = 0;
    for (std::size_t i = 0; i < selected.size(); i = NextChar(selected, i)) ++chars;
    text += fw::Format(fw::LoadResString(IDS_CARET_SELECTED), {std::to_wstring(chars)});
  }
  m_Pane = text;
  return text;
}

void CKestilView::OnSetting() {
  COptionDlg dlg(MainWindow(), m_Options);
  if (dlg.DoModal() != IDOK) return;
  m_Options.m_TabStop = dlg.m_TabStopNum;
  ApplyTabStops();
  InvalidateRect(hwnd(), nullptr, TRUE);
  m_Options.m_TagStrType = dlg.m_TagType;
  if (dlg.m_NewDocEncoding >= 0 && dlg.m_NewDocEncoding < kNewDocEncodings) {
    m_Options.m_NewDocEncoding = dlg.m_NewDocEncoding;
  }
  if (dlg.m_MarkupStyle >= 0) m_Options.m_MarkupStyle = static_cast<int>(MarkupStyleOf(dlg.m_MarkupStyle));
  m_Options.m_AutoClose = dlg.m_AutoClose;
}

void CKestilView::OnJump() {
  CJumpDlg dlg(MainWindow());
  if (dlg.DoModal() != IDOK) return;
  const auto target = JumpTarget(edit(), dlg.m_Line, dlg.m_Column);
  if (!target) {
    fw::Message(hwnd(), fw::LoadResString(IDS_NO_SUCH_LINE));
    return;
  }
  edit().SetSel(*target, *target);
  edit().ScrollCaret();
}

void CKestilView::OnZenToHan() {
  const std::u16string selected = edit().GetSelectedText();
  if (selected.empty()) return;
  edit().ReplaceSel(ToHankaku(selected));
}

void CKestilView::OnRelativePath() {
  const std::wstring document = this->document()->path_name();
  if (!fw::FileExists(document)) {
    fw::Message(hwnd(), fw::LoadResString(IDS_SAVE_FIRST));
    return;
  }
  const std::wstring folder = fw::AsWide(FolderOfPath(fw::AsU16(document)));
  fw::FileDialogRequest request;
  request.owner = MainWindow();
  request.filter = fw::LoadResString(IDS_RELATIVE_FILTER);
  request.filter_index = kRelativeFilterAllFiles;
  request.initial_dir = folder;
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!fw::Ui().OpenFile(request)) return;
  wchar_t relative[MAX_PATH] = {};
  // The platform's function takes paths of up to MAX_PATH characters only.
  const bool fits = folder.size() < MAX_PATH && request.file_name.size() < MAX_PATH;
  if (!fits || !PathRelativePathToW(relative, folder.c_str(), FILE_ATTRIBUTE_DIRECTORY,
                                    request.file_name.c_str(), FILE_ATTRIBUTE_ARCHIVE)) {
    fw::Message(hwnd(), fw::LoadResString(IDS_NO_RELATIVE_PATH));
    return;
  }
  const bool shift_jis = this->document()->encoding() == Encoding::kShiftJis;
  edit().ReplaceSel(RelativePathForLink(fw::AsU16(relative), shift_jis));
}

// The option is kept as stored; layout takes it within 1 to 64 columns, so
// that a huge value cannot overflow a width.
int CKestilView::TabChars() const { return std::clamp(m_Options.m_TabStop, 1, fw::kMaxTabChars); }

void CKestilView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL;
}

void CKestilView::OnInitialUpdate() {
  if (!m_FirstUpdateDone) {
    OnFontChanged();
    edit().SetLineNumbers(m_Options.m_LineNumbers != 0);
    edit().SetTypedHook([this](char16_t c) { OnTyped(c); });
  }
  m_FirstUpdateDone = true;
  m_LanguageChosen = false;
  ApplyLanguage();
}

// Tab stops count the font's average characters: they go with the font.
void CKestilView::OnFontChanged() {
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_EditFont.get()), TRUE);
  ApplyTabStops();
}

// A tab advances m_TabStop average character widths, each four dialog
// template units wide.
void CKestilView::ApplyTabStops() {
  constexpr UINT kDialogUnitsPerChar = 4;
  const UINT width = static_cast<UINT>(TabChars()) * kDialogUnitsPerChar;
  SendMessageW(hwnd(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&width));
}

}  // namespace kestil
