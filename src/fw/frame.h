// The main frame window: menu, accelerators, a toolbar with tooltips and
// drop-down buttons, a status bar with the prompt of the menu item or button
// under the pointer and the keyboard indicators, and the view in between.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fw/command.h"
#include "fw/dpi.h"
#include "fw/edit_view.h"
#include "fw/paint_buffer.h"
#include "fw/win.h"

namespace fw {

// One drawing of the toolbar: a bitmap of width x height images side by side.
struct ToolbarImages {
  UINT bitmap;
  int width;
  int height;
};

class FrameWindow : public CommandTarget {
 public:
  // class_name: the window class, by which other programs find the window.
  explicit FrameWindow(std::wstring class_name);
  ~FrameWindow() override;
  FrameWindow(const FrameWindow&) = delete;
  FrameWindow& operator=(const FrameWindow&) = delete;

  // Creates the window with menu, icon and title from resource_id; the view
  // becomes its client.
  bool LoadFrame(UINT resource_id, std::unique_ptr<EditView> view);
  HWND hwnd() const { return hwnd_; }
  EditView* view() const { return view_.get(); }
  HWND toolbar() const { return toolbar_; }
  HWND status_bar() const { return status_bar_; }
  // The dots per inch the window is shown at.
  int dpi() const { return dpi_; }

  void RecalcLayout();
  void ShowBar(HWND bar, bool show);
  // Runs the update handlers of the toolbar's buttons.
  void UpdateToolbar();
  void UpdateIndicators();
  void SetMessageText(const std::wstring& text);
  void SetIdleMessage();

 protected:
  virtual int OnCreate(CREATESTRUCTW& cs);
  virtual void OnClose();
  // Windows asks whether the session may end: as a close does, a modified
  // document gets the save prompt; false keeps the session.
  virtual bool OnQueryEndSession();
  // The session ends: what a close would write is written now.
  virtual void OnEndSession();
  // Notifications from child controls; true with *result set when handled.
  virtual bool OnNotify(NMHDR& header, LRESULT* result);
  // The window now shows at dpi (dpi() tells it): what it draws at a size of
  // its own is made again. The toolbar's images are already changed, the
  // window not yet moved.
  virtual void OnDpiChanged(int dpi);
  // The string that holds a command's prompt and tooltip: its own id,
  // unless the program says otherwise.
  virtual UINT PromptString(UINT id) const { return id; }

  // Toolbar with one image per button in order; 0 in buttons is a separator.
  // images: the same pictures drawn at several sizes, the smallest first;
  // the toolbar shows the one nearest to the first's size at dpi().
  // ex_style: the toolbar's extended style; the buttons of drop_downs get an
  // arrow of their own. The toolbar appears once it is complete.
  bool CreateToolbar(UINT id, std::span<const ToolbarImages> images,
                     std::span<const UINT> buttons, DWORD style, DWORD ex_style = 0,
                     std::span<const UINT> drop_downs = {});
  // Status bar: a message pane, then one pane per indicator string id. A
  // pane with an update handler shows the text the handler sets; the others
  // show their string while their key is on. Each pane is as wide as its
  // string.
  bool CreateStatusBar(UINT id, std::span<const UINT> indicators);

  // The window procedure's default.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnInitMenuPopup(HMENU menu);
  void ShowEditMenu(LPARAM lp);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnDropFiles(HDROP drop);
  void RequestIdleUpdate();
  // The status bar's panes laid out across the client width.
  void LayOutPanes(int client_right);
  // The widths the panes need for texts, measured in one device context.
  std::vector<int> PaneTextWidths(const std::vector<std::wstring>& texts) const;
  // The toolbar's images for dpi(); false when the bitmap cannot be loaded.
  bool LoadToolbarImages();
  void HandleDpiChanged(int dpi, const RECT& suggested);

  std::wstring class_name_;
  HWND hwnd_ = nullptr;
  UINT resource_id_ = 0;
  HWND toolbar_ = nullptr;
  HWND status_bar_ = nullptr;
  HIMAGELIST images_ = nullptr;
  BufferedPainting toolbar_painting_;
  BufferedPainting status_painting_;
  std::vector<ToolbarImages> image_sets_;
  int dpi_ = kBaseDpi;
  std::unique_ptr<EditView> view_;
  std::vector<UINT> indicators_;
  std::vector<std::wstring> indicator_texts_;
  std::vector<int> pane_widths_;
  SIZE laid_out_{-1, -1};  // the client size of the last layout
  bool idle_update_posted_ = false;
};

}  // namespace fw
