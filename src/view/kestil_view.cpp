#include "view/kestil_view.h"

#include <shlwapi.h>

#include "app/kestil_app.h"
#include "fw/document.h"
#include "fw/frame.h"
#include "fw/ui.h"
#include "fw/text.h"
#include "res/resource.h"
#include "gradient/gradient.h"
#include "gradient/gradient_dlg.h"
#include "snippets/regstr_dialogs.h"
#include "view/insert_engine.h"
#include "snippets/snippet_menu.h"
#include "view/tag_commands.h"
#include "view/tool_dialogs.h"
#include "view/tools.h"

namespace kestil {

CKestilView::CKestilView() {
  for (const TagCommand& command : TagCommands()) {
    On(command.id, [this, &command] {
      RunTagCommand(command, edit(), CKestilApp::Get().m_TagStrType);
    });
  }
  OnRange(ID_REGSTR_0, ID_REGSTR_F, [this](UINT id) { InsertRegStr(static_cast<int>(id - ID_REGSTR_0)); });
  OnUpdateRange(ID_REGSTR_0, ID_REGSTR_F, [this](fw::CmdUI& ui) { OnUpdateRegStr(ui); });
  On(ID_REGSTR_SETTING, [this] { OnRegStrSetting(); });
  On(ID_SETTING, [this] { OnSetting(); });
  On(ID_JUMP, [this] { OnJump(); });
  On(ID_ZEN_TO_HAN, [this] { OnZenToHan(); });
  On(ID_RELATIVE_PATH, [this] { OnRelativePath(); });
  On(ID_FILE_OPEN, [this] { OnFileOpen(); });
  On(ID_SAVE_AND_BROWSE, [this] { OnSaveAndBrowse(); });
  On(ID_INSERT_COLOR, [this] { OnInsertColor(); });
  On(ID_GRADIENT, [this] { OnInsertGradient(); });
}

void CKestilView::OnInsertColor() {
  CKestilApp& app = CKestilApp::Get();
  COLORREF color = app.m_LastColor;
  if (!fw::Ui().PickColor(MainWindow(), color)) return;
  InsertText(edit(), ColorText(color), kCaretNone, app.m_TagStrType);
  app.m_LastColor = color;
}

void CKestilView::OnInsertGradient() {
  CGradientDlg dlg(MainWindow());
  const INT_PTR result = dlg.DoModal();
  if (result == -1) return;  // never loaded the stored state: nothing to save
  if (result == IDOK) {
    InsertText(edit(), dlg.m_GradHtml, kCaretNone, CKestilApp::Get().m_TagStrType);
  }
  dlg.SaveGradReg();
}

void CKestilView::OnSetting() {
  COptionDlg dlg(MainWindow());
  if (dlg.DoModal() != IDOK) return;
  CKestilApp& app = CKestilApp::Get();
  app.m_TabStop = dlg.m_TabStopNum;
  ApplyTabStops();
  InvalidateRect(hwnd(), nullptr, TRUE);
  app.m_TagStrType = dlg.m_TagType;
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
  const std::string selected = edit().GetSelectedText();
  if (selected.empty()) return;
  edit().ReplaceSel(ToHankaku(selected));
}

void CKestilView::OnRelativePath() {
  const std::wstring document = this->document()->path_name();
  if (!fw::FileExists(document)) {
    fw::Message(hwnd(), fw::LoadResString(IDS_SAVE_FIRST));
    return;
  }
  const std::wstring folder = fw::ToWide(FolderOfPath(fw::ToBytes(document)));
  fw::FileDialogRequest request;
  request.owner = MainWindow();
  request.filter = fw::LoadResString(IDS_RELATIVE_FILTER);
  request.filter_index = 3;
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
  edit().ReplaceSel(RelativePathForLink(fw::ToBytes(relative)));
}

void CKestilView::OnFileOpen() {
  CKestilApp& app = CKestilApp::Get();
  fw::FileDialogRequest request;
  request.owner = MainWindow();
  request.filter = fw::LoadResString(IDS_OPEN_FILTER);
  request.filter_index = app.m_LastOpenFilter;
  request.initial_dir = fw::ToWide(app.m_LastOpenDir);
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  if (!fw::Ui().OpenFile(request)) return;
  app.m_LastOpenFilter = request.filter_index;
  // Asks about unsaved edits first; a file that cannot be read leaves the
  // document as it was.
  if (!app.OpenDocumentFile(request.file_name)) return;
  app.m_LastOpenDir = FolderOfPath(fw::ToBytes(request.file_name));
}

void CKestilView::OnSaveAndBrowse() {
  fw::Document* doc = document();
  const std::wstring path = doc->path_name();
  if (!fw::FileExists(path)) {
    fw::Message(hwnd(), fw::LoadResString(IDS_SAVE_FIRST));
    return;
  }
  // A failed save has shown its message; the shell would show the old file.
  if (!doc->DoSave(path, true)) return;
  fw::Ui().ShellOpen(hwnd(), path);
}

HWND CKestilView::MainWindow() const {
  fw::FrameWindow* frame = CKestilApp::Get().frame();
  return frame != nullptr ? frame->hwnd() : nullptr;
}

void CKestilView::InsertRegStr(int slot) {
  edit().ReplaceSel(CKestilApp::Get().m_RegStr[slot]);
}

void CKestilView::OnUpdateRegStr(fw::CmdUI& ui) {
  const int slot = static_cast<int>(ui.id() - ID_REGSTR_0);
  const CKestilApp& app = CKestilApp::Get();
  const SnippetMenuItem item = SnippetMenuText(slot, app.m_RegTitle[slot], app.m_RegStr[slot]);
  ui.SetText(fw::ToWide(item.text));
  ui.Enable(item.enabled);
}

void CKestilView::OnRegStrSetting() {
  CRegStrListDlg list(MainWindow());
  list.DoModal();
}

int CKestilView::TabChars() const { return CKestilApp::Get().m_TabStop; }

void CKestilView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL;
}

void CKestilView::OnInitialUpdate() {
  if (!first_update_done_) {
    const CKestilApp& app = CKestilApp::Get();
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(app.m_EditFont.get()), TRUE);
    ApplyTabStops();
  }
  first_update_done_ = true;
}

// A tab advances m_TabStop average character widths (four dialog units each).
void CKestilView::ApplyTabStops() {
  const UINT width = static_cast<UINT>(CKestilApp::Get().m_TabStop) * 4;
  SendMessageW(hwnd(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&width));
}

}  // namespace kestil
