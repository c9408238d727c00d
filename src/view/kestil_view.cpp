#include "view/kestil_view.h"

#include "app/kestil_app.h"
#include "fw/frame.h"
#include "fw/text.h"
#include "res/resource.h"
#include "snippets/regstr_dialogs.h"
#include "snippets/snippet_menu.h"
#include "view/tag_commands.h"

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
  fw::FrameWindow* frame = CKestilApp::Get().frame();
  CRegStrListDlg list(frame != nullptr ? frame->hwnd() : nullptr);
  list.DoModal();
}

void CKestilView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL;
}

void CKestilView::OnInitialUpdate() {
  if (!first_update_done_) {
    const CKestilApp& app = CKestilApp::Get();
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(app.m_EditFont.get()), TRUE);
    const UINT width = static_cast<UINT>(app.m_TabStop) * 4;
    SendMessageW(hwnd(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&width));
  }
  first_update_done_ = true;
}

}  // namespace kestil
