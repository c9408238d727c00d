#include "fw/command.h"

#include <commctrl.h>

namespace fw {

void CommandTarget::On(UINT id, Handler handler) { handlers_[id] = std::move(handler); }

void CommandTarget::OnRange(UINT first, UINT last, RangeHandler handler) {
  ranges_[first] = Range{last, std::move(handler)};
}

void CommandTarget::OnUpdate(UINT id, UpdateHandler handler) {
  updates_[id] = std::move(handler);
}

void CommandTarget::OnUpdateRange(UINT first, UINT last, UpdateHandler handler) {
  update_ranges_[first] = UpdateRange{last, std::move(handler)};
}

bool CommandTarget::HandleCommand(UINT id) {
  if (const auto it = handlers_.find(id); it != handlers_.end()) {
    it->second();
    return true;
  }
  for (const auto& [first, range] : ranges_) {
    if (id >= first && id <= range.last) {
      range.handler(id);
      return true;
    }
  }
  return false;
}

bool CommandTarget::HandleUpdate(CmdUI& ui) {
  const UINT id = ui.id();
  if (const auto it = updates_.find(id); it != updates_.end()) {
    it->second(ui);
    return true;
  }
  for (const auto& [first, range] : update_ranges_) {
    if (id >= first && id <= range.last) {
      range.handler(ui);
      return true;
    }
  }
  bool handled = handlers_.count(id) != 0;
  for (const auto& [first, range] : ranges_) {
    if (id >= first && id <= range.last) handled = true;
  }
  if (handled) ui.Enable(true);
  return handled;
}

void MenuCmdUI::Enable(bool on) {
  EnableMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
}

void MenuCmdUI::SetCheck(bool on) {
  CheckMenuItem(menu_, position_, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
}

void MenuCmdUI::SetRadio(bool on) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  if (!GetMenuItemInfoW(menu_, position_, TRUE, &info)) return;
  info.fType |= MFT_RADIOCHECK;
  info.fState = on ? (info.fState | MFS_CHECKED) : (info.fState & ~static_cast<UINT>(MFS_CHECKED));
  SetMenuItemInfoW(menu_, position_, TRUE, &info);
}

void MenuCmdUI::SetText(const std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu_, position_, TRUE, &info);
}

std::wstring MenuCmdUI::Text() const {
  const int length = GetMenuStringW(menu_, position_, nullptr, 0, MF_BYPOSITION);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetMenuStringW(menu_, position_, text.data(), length + 1, MF_BYPOSITION);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void ToolbarCmdUI::Enable(bool on) {
  const LRESULT state = SendMessageW(toolbar_, TB_GETSTATE, id(), 0);
  if (state == -1) return;
  const bool enabled = (state & TBSTATE_ENABLED) != 0;
  if (enabled != on) SendMessageW(toolbar_, TB_ENABLEBUTTON, id(), MAKELPARAM(on ? 1 : 0, 0));
}

void ToolbarCmdUI::SetCheck(bool on) {
  const LRESULT state = SendMessageW(toolbar_, TB_GETSTATE, id(), 0);
  if (state == -1) return;
  const bool checked = (state & TBSTATE_CHECKED) != 0;
  if (checked != on) SendMessageW(toolbar_, TB_CHECKBUTTON, id(), MAKELPARAM(on ? 1 : 0, 0));
}

}  // namespace fw
