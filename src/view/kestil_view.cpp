#include "view/kestil_view.h"

#include "app/kestil_app.h"
#include "view/tag_commands.h"

namespace kestil {

CKestilView::CKestilView() {
  for (const TagCommand& command : TagCommands()) {
    On(command.id, [this, &command] {
      RunTagCommand(command, edit(), CKestilApp::Get().m_TagStrType);
    });
  }
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
