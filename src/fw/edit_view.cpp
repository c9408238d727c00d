#include "fw/edit_view.h"

namespace fw {

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
