#include "fw/edit_view.h"

#include "res/resource.h"

namespace fw {

namespace {

bool HasSelection(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start != end;
}

}  // namespace

// The standard editing commands, each enabled only when it can act.
EditView::EditView() {
  On(ID_EDIT_UNDO, [this] { edit_->Undo(); });
  On(ID_EDIT_REDO, [this] { edit_->Redo(); });
  On(ID_EDIT_CUT, [this] { SendMessageW(hwnd_, WM_CUT, 0, 0); });
  On(ID_EDIT_COPY, [this] { SendMessageW(hwnd_, WM_COPY, 0, 0); });
  On(ID_EDIT_PASTE, [this] { SendMessageW(hwnd_, WM_PASTE, 0, 0); });
  On(ID_EDIT_SELECT_ALL, [this] { SendMessageW(hwnd_, EM_SETSEL, 0, -1); });
  OnUpdate(ID_EDIT_UNDO, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->CanUndo()); });
  OnUpdate(ID_EDIT_REDO, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->CanRedo()); });
  OnUpdate(ID_EDIT_CUT, [this](CmdUI& ui) { ui.Enable(hwnd_ != nullptr && HasSelection(hwnd_)); });
  OnUpdate(ID_EDIT_COPY, [this](CmdUI& ui) { ui.Enable(hwnd_ != nullptr && HasSelection(hwnd_)); });
  OnUpdate(ID_EDIT_PASTE, [](CmdUI& ui) {
    ui.Enable(IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT));
  });
  OnUpdate(ID_EDIT_SELECT_ALL,
           [this](CmdUI& ui) { ui.Enable(hwnd_ != nullptr && GetWindowTextLengthW(hwnd_) > 0); });
}

void EditView::PreCreateWindow(CREATESTRUCTW&) {}

bool EditView::Create(HWND parent, UINT id) {
  CREATESTRUCTW cs{};
  cs.hwndParent = parent;
  cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
  cs.hInstance = GetModuleHandleW(nullptr);
  cs.lpszClass = L"EDIT";
  cs.lpszName = L"";
  cs.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
  cs.dwExStyle = WS_EX_CLIENTEDGE;
  PreCreateWindow(cs);
  hwnd_ = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                          cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
  if (hwnd_ == nullptr) return false;
  edit_ = std::make_unique<kestil::EditControlOps>(hwnd_);
  return true;
}

bool EditView::LoadRaw(const std::string& bytes) {
  edit_->LoadRaw(bytes);
  // A text the control could not take leaves it shorter than decoded.
  return bytes.empty() || GetWindowTextLengthW(hwnd_) > 0;
}

std::string EditView::StoreRaw(std::size_t* unmappable) const {
  return edit_->GetText(unmappable);
}

}  // namespace fw
