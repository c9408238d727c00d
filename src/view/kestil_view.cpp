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

namespace kestil {
namespace {

// The relative path's file dialog starts on its third filter, all files.
constexpr int kRelativeFilterAllFiles = 3;

}  // namespace

CKestilView::CKestilView(KestilOptions& options, const fw::FontHandle& editor_font)
    : m_Options(options), m_EditFont(editor_font) {
  for (const TagCommand& command : TagCommands()) {
    On(command.id, [this, &command] { RunTagCommand(command, edit(), m_Options.m_TagStrType); });
  }
  On(ID_SETTING, [this] { OnSetting(); });
  On(ID_JUMP, [this] { OnJump(); });
  On(ID_ZEN_TO_HAN, [this] { OnZenToHan(); });
  On(ID_RELATIVE_PATH, [this] { OnRelativePath(); });
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
  if (!m_FirstUpdateDone) OnFontChanged();
  m_FirstUpdateDone = true;
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
