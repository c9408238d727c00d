// Commands and their update handlers. Every menu item, toolbar button and
// accelerator gives a command id; command targets bind ids to handlers, and
// the application routes each command to the first target that has one.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "fw/win.h"

namespace fw {

// What an update handler may change about one menu item or button.
class CmdUI {
 public:
  explicit CmdUI(UINT id) : id_(id) {}
  virtual ~CmdUI() = default;
  UINT id() const { return id_; }
  virtual void Enable(bool on) = 0;
  virtual void SetCheck(bool on) = 0;
  // A check shown as one of a group of choices (a bullet in a menu).
  virtual void SetRadio(bool on) { SetCheck(on); }
  virtual void SetText(const std::wstring& text) = 0;
  // The item's text as it stands, where it has one (a menu item).
  virtual std::wstring Text() const { return {}; }

 private:
  UINT id_;
};

class CommandTarget {
 public:
  using Handler = std::function<void()>;
  using RangeHandler = std::function<void(UINT)>;
  using UpdateHandler = std::function<void(CmdUI&)>;

  virtual ~CommandTarget() = default;

  // Runs the handler of id; false when this target has none.
  bool HandleCommand(UINT id);
  // Runs the update handler of id; a command with a handler but no update
  // handler is enabled. False when this target knows nothing of id.
  bool HandleUpdate(CmdUI& ui);

  // Binds handlers; a subsystem installs its commands on the target that
  // routing reaches first for them.
  void On(UINT id, Handler handler);
  void OnRange(UINT first, UINT last, RangeHandler handler);
  void OnUpdate(UINT id, UpdateHandler handler);
  void OnUpdateRange(UINT first, UINT last, UpdateHandler handler);

 private:
  struct Range {
    UINT last;
    RangeHandler handler;
  };
  struct UpdateRange {
    UINT last;
    UpdateHandler handler;
  };
  std::map<UINT, Handler> handlers_;
  std::map<UINT, Range> ranges_;             // by first id
  std::map<UINT, UpdateHandler> updates_;
  std::map<UINT, UpdateRange> update_ranges_;  // by first id
};

// Menu items of one pop-up.
class MenuCmdUI final : public CmdUI {
 public:
  MenuCmdUI(HMENU menu, UINT position, UINT id) : CmdUI(id), menu_(menu), position_(position) {}
  void Enable(bool on) override;
  void SetCheck(bool on) override;
  void SetRadio(bool on) override;
  void SetText(const std::wstring& text) override;
  std::wstring Text() const override;

 private:
  HMENU menu_;
  UINT position_;
};

// Buttons of a toolbar control.
class ToolbarCmdUI final : public CmdUI {
 public:
  ToolbarCmdUI(HWND toolbar, UINT id) : CmdUI(id), toolbar_(toolbar) {}
  void Enable(bool on) override;
  void SetCheck(bool on) override;
  void SetText(const std::wstring&) override {}

 private:
  HWND toolbar_;
};

}  // namespace fw
