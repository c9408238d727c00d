#include "fw/frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "fw/app.h"
#include "fw/dpi.h"
#include "fw/document.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

// The toolbar's bitmaps show the button face where they are light grey.
constexpr COLORREF kImageBackground = RGB(192, 192, 192);
// Space around a button's image, as the toolbar leaves it by default.
constexpr int kButtonPadding = 7;

// The drawing whose size is nearest to the smallest one's scaled to dpi; of
// two as near, the smaller, which stays sharper than one shrunk.
const ToolbarImages& NearestImages(std::span<const ToolbarImages> sets, int dpi) {
  // Distances in 96ths of a pixel, so that no rounding makes a tie.
  const int wanted = sets.front().width * dpi;
  const auto distance = [wanted](const ToolbarImages& set) {
    return std::abs(set.width * kBaseDpi - wanted);
  };
  const ToolbarImages* best = &sets.front();
  for (const ToolbarImages& set : sets) {
    if (distance(set) < distance(*best)) best = &set;
  }
  return *best;
}

bool RegisterFrameClass(const wchar_t* class_name, UINT icon, WNDPROC proc) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), class_name, &known)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(icon));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(icon), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = class_name;
  return RegisterClassExW(&wc) != 0;
}

FrameWindow* g_creating = nullptr;

// A bar takes its room when it is shown within the frame, whether or not the
// frame itself is shown yet: the first layout is made before the frame appears.
bool HasVisibleStyle(HWND bar) {
  return bar != nullptr && (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The frame's own messages: one that restarts the loop's idle work, and one
// that checks the document's file once activation is over.
constexpr UINT kIdleUpdateMessage = WM_APP + 0x3F00;
constexpr UINT kCheckFileMessage = WM_APP + 0x3F01;

UINT FindReplaceMessage() {
  static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
  return message;
}

// Rebuilds the recent-file items of a pop-up: the entries, or the greyed
// placeholder when the list is empty.
void UpdateRecentFileMenu(HMENU menu, UINT resource_id) {
  int first = -1;
  for (int pos = GetMenuItemCount(menu) - 1; pos >= 0; --pos) {
    const UINT id = GetMenuItemID(menu, pos);
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
      DeleteMenu(menu, pos, MF_BYPOSITION);
      first = pos;
    }
  }
  if (first < 0) return;
  const auto& entries = App::Current()->recent_files().entries();
  if (entries.empty()) {
    // The placeholder as the menu resource spells it.
    wchar_t placeholder[256] = {};
    HMENU original = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id));
    GetMenuStringW(original, ID_FILE_MRU_FIRST, placeholder, 256, MF_BYCOMMAND);
    DestroyMenu(original);
    InsertMenuW(menu, first, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FIRST,
                placeholder);
    return;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::wstring text = AsWide(kestil::RecentFiles::MenuText(i, entries[i]));
    InsertMenuW(menu, static_cast<UINT>(first + static_cast<int>(i)), MF_BYPOSITION | MF_STRING,
                ID_FILE_MRU_FIRST + i, text.c_str());
  }
}

}  // namespace

FrameWindow::FrameWindow(std::wstring class_name) : class_name_(std::move(class_name)) {
  On(ID_VIEW_TOOLBAR, [this] { ShowBar(toolbar_, !IsWindowVisible(toolbar_)); });
  On(ID_VIEW_STATUS_BAR, [this] { ShowBar(status_bar_, !IsWindowVisible(status_bar_)); });
  OnUpdate(ID_VIEW_TOOLBAR, [this](CmdUI& ui) {
    ui.Enable(toolbar_ != nullptr);
    ui.SetCheck(toolbar_ != nullptr && IsWindowVisible(toolbar_));
  });
  OnUpdate(ID_VIEW_STATUS_BAR, [this](CmdUI& ui) {
    ui.Enable(status_bar_ != nullptr);
    ui.SetCheck(status_bar_ != nullptr && IsWindowVisible(status_bar_));
  });
}

FrameWindow::~FrameWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (images_ != nullptr) ImageList_Destroy(images_);
}

bool FrameWindow::LoadFrame(UINT resource_id, std::unique_ptr<EditView> view) {
  if (!RegisterFrameClass(class_name_.c_str(), resource_id, WindowProc)) return false;
  view_ = std::move(view);
  resource_id_ = resource_id;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(resource_id));
  const std::wstring names = LoadResString(resource_id);
  g_creating = this;
  hwnd_ = CreateWindowExW(0, class_name_.c_str(), names.substr(0, names.find(L'\n')).c_str(),
                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, nullptr);
  g_creating = nullptr;
  if (hwnd_ == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return false;
  }
  RecalcLayout();
  return true;
}

LRESULT CALLBACK FrameWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<FrameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr && msg == WM_NCCREATE && g_creating != nullptr) {
    self = g_creating;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->HandleMessage(msg, wp, lp);
}

LRESULT FrameWindow::Default(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

int FrameWindow::OnCreate(CREATESTRUCTW&) {
  if (view_ == nullptr || !view_->Create(hwnd_, IDC_VIEW_EDIT)) return -1;
  return 0;
}

void FrameWindow::RequestIdleUpdate() {
  // A command sent by another program arrives without a posted message, and
  // the message loop does its idle work only after one.
  if (idle_update_posted_ || hwnd_ == nullptr) return;
  idle_update_posted_ = PostMessageW(hwnd_, kIdleUpdateMessage, 0, 0) != FALSE;
}

bool FrameWindow::OnQueryEndSession() {
  App* app = App::Current();
  return app == nullptr || app->document() == nullptr || app->document()->SaveModified();
}

void FrameWindow::OnEndSession() {
  if (App::Current() != nullptr) App::Current()->SaveStdProfileSettings();
}

void FrameWindow::OnClose() {
  App* app = App::Current();
  if (app != nullptr && app->document() != nullptr && !app->document()->SaveModified()) return;
  if (app != nullptr) app->SaveStdProfileSettings();
  DestroyWindow(hwnd_);
}

bool FrameWindow::OnNotify(NMHDR&, LRESULT*) { return false; }

void FrameWindow::OnDpiChanged(int) {}

bool FrameWindow::LoadToolbarImages() {
  if (toolbar_ == nullptr || image_sets_.empty()) return false;
  const ToolbarImages& set = NearestImages(image_sets_, dpi_);
  HIMAGELIST images = ImageList_LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(set.bitmap), set.width, 0,
                                           kImageBackground, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (images == nullptr) return false;
  SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(set.width, set.height));
  // The toolbar grows its buttons for larger images but never shrinks them;
  // the space around an image grows with it.
  const int padding = kButtonPadding * set.width / image_sets_.front().width;
  SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
               MAKELPARAM(set.width + padding, set.height + padding));
  if (images_ != nullptr) ImageList_Destroy(images_);
  images_ = images;
  return true;
}

void FrameWindow::HandleDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  if (toolbar_ != nullptr) {
    LoadToolbarImages();
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  }
  OnDpiChanged(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcLayout();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool FrameWindow::CreateToolbar(UINT id, std::span<const ToolbarImages> images,
                                std::span<const UINT> buttons, DWORD style, DWORD ex_style,
                                std::span<const UINT> drop_downs) {
  if (images.empty()) return false;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Made hidden and shown complete: a visible toolbar sizes and paints
  // itself again at each of the settings below.
  toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | (style & ~WS_VISIBLE),
                             0, 0, 0, 0, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance,
                             nullptr);
  if (toolbar_ == nullptr) return false;
  toolbar_painting_.Attach(toolbar_);
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (ex_style != 0) SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, ex_style);
  image_sets_.assign(images.begin(), images.end());
  if (!LoadToolbarImages()) return false;
  std::vector<TBBUTTON> tb;
  int image = 0;
  for (UINT command : buttons) {
    TBBUTTON b{};
    if (command == 0) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = image++;
      b.idCommand = static_cast<int>(command);
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
      if (std::find(drop_downs.begin(), drop_downs.end(), command) != drop_downs.end()) {
        b.fsStyle |= BTNS_DROPDOWN;
      }
    }
    tb.push_back(b);
  }
  SendMessageW(toolbar_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
  if (style & WS_VISIBLE) ShowWindow(toolbar_, SW_SHOW);
  return true;
}

bool FrameWindow::CreateStatusBar(UINT id, std::span<const UINT> indicators) {
  status_bar_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
  if (status_bar_ == nullptr) return false;
  status_painting_.Attach(status_bar_);
  indicators_.assign(indicators.begin(), indicators.end());
  indicator_texts_.assign(indicators_.size(), L"");  // as the new panes show
  SetIdleMessage();
  return true;
}

void FrameWindow::ShowBar(HWND bar, bool show) {
  if (bar == nullptr) return;
  ShowWindow(bar, show ? SW_SHOW : SW_HIDE);
  RecalcLayout();
}

void FrameWindow::RecalcLayout() {
  if (hwnd_ == nullptr) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  laid_out_ = {client.right, client.bottom};
  int top = 0;
  int bottom = client.bottom;
  if (HasVisibleStyle(toolbar_)) {
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT r{};
    GetWindowRect(toolbar_, &r);
    top = r.bottom - r.top;
  }
  if (HasVisibleStyle(status_bar_)) {
    SendMessageW(status_bar_, WM_SIZE, 0, 0);
    RECT r{};
    GetWindowRect(status_bar_, &r);
    bottom -= r.bottom - r.top;
    LayOutPanes(client.right);
  }
  if (view_ != nullptr && view_->hwnd() != nullptr) {
    MoveWindow(view_->hwnd(), 0, top, client.right, std::max(bottom - top, 0), TRUE);
  }
}

std::vector<int> FrameWindow::PaneTextWidths(const std::vector<std::wstring>& texts) const {
  HDC dc = GetDC(status_bar_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(status_bar_, WM_GETFONT, 0, 0)));
  std::vector<int> widths;
  for (const std::wstring& text : texts) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widths.push_back(size.cx + 12);
  }
  SelectObject(dc, old);
  ReleaseDC(status_bar_, dc);
  return widths;
}

// Indicator panes on the right, each as wide as its string, or its current
// text when that is wider.
void FrameWindow::LayOutPanes(int client_right) {
  std::vector<std::wstring> texts;
  for (std::size_t i = 0; i < indicators_.size(); ++i) {
    texts.push_back(LoadResString(indicators_[i]));
    texts.push_back(indicator_texts_[i]);
  }
  const std::vector<int> widths = PaneTextWidths(texts);
  pane_widths_.assign(indicators_.size(), 0);
  for (std::size_t i = 0; i < indicators_.size(); ++i) {
    pane_widths_[i] = std::max(widths[2 * i], widths[2 * i + 1]);
  }
  std::vector<int> edges(indicators_.size() + 1);
  int right = client_right - GetSystemMetrics(SM_CXVSCROLL);
  for (std::size_t i = indicators_.size(); i > 0; --i) {
    edges[i] = right;
    right -= pane_widths_[i - 1];
  }
  edges[0] = std::max(right, 0);
  edges.back() = -1;
  SendMessageW(status_bar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void FrameWindow::UpdateToolbar() {
  if (!HasVisibleStyle(toolbar_)) return;
  App* app = App::Current();
  const auto count = static_cast<int>(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    SendMessageW(toolbar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & BTNS_SEP) continue;
    ToolbarCmdUI ui(toolbar_, static_cast<UINT>(b.idCommand));
    if (app == nullptr || !app->RouteUpdate(ui)) ui.Enable(false);
  }
}

namespace {

// A status bar pane whose text an update handler gives.
class PaneCmdUI final : public CmdUI {
 public:
  explicit PaneCmdUI(UINT id) : CmdUI(id) {}
  void Enable(bool) override {}
  void SetCheck(bool) override {}
  void SetText(const std::wstring& text) override { text_ = text; }
  const std::wstring& text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace

void FrameWindow::UpdateIndicators() {
  if (status_bar_ == nullptr) return;
  App* app = App::Current();
  bool grow = false;
  for (std::size_t i = 0; i < indicators_.size(); ++i) {
    PaneCmdUI pane(indicators_[i]);
    if (app != nullptr && app->RouteUpdate(pane)) {
      if (pane.text() != indicator_texts_[i]) {
        grow = grow || i >= pane_widths_.size() ||
               PaneTextWidths({pane.text()}).front() > pane_widths_[i];
        indicator_texts_[i] = pane.text();
        SendMessageW(status_bar_, SB_SETTEXTW, i + 1, reinterpret_cast<LPARAM>(pane.text().c_str()));
      }
      continue;
    }
    int key = 0;
    switch (indicators_[i]) {
      case ID_INDICATOR_KANA: key = VK_KANA; break;
      case ID_INDICATOR_CAPS: key = VK_CAPITAL; break;
      case ID_INDICATOR_NUM: key = VK_NUMLOCK; break;
      case ID_INDICATOR_SCRL: key = VK_SCROLL; break;
      default: break;
    }
    const bool on = key != 0 && (GetKeyState(key) & 1) != 0;
    const std::wstring text = on ? LoadResString(indicators_[i]) : std::wstring();
    if (text != indicator_texts_[i]) {
      indicator_texts_[i] = text;
      SendMessageW(status_bar_, SB_SETTEXTW, i + 1, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  if (grow) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    LayOutPanes(client.right);
  }
}

void FrameWindow::SetMessageText(const std::wstring& text) {
  if (status_bar_ != nullptr) {
    SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void FrameWindow::SetIdleMessage() { SetMessageText(LoadResString(IDS_IDLE_MESSAGE)); }

// The editor's context menu is the menu bar's own edit menu, found by its
// undo command, shown at the pointer or, from the keyboard, at the caret.
void FrameWindow::ShowEditMenu(LPARAM lp) {
  HMENU bar = GetMenu(hwnd_);
  HMENU edit = nullptr;
  for (int i = 0; bar != nullptr && i < GetMenuItemCount(bar) && edit == nullptr; ++i) {
    HMENU sub = GetSubMenu(bar, i);
    if (sub != nullptr && GetMenuState(sub, ID_EDIT_UNDO, MF_BYCOMMAND) != static_cast<UINT>(-1)) edit = sub;
  }
  if (edit == nullptr) return;
  POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  if (lp == -1) {
    const auto caret = view_->edit().GetSel().end;
    const LRESULT point = SendMessageW(view_->hwnd(), EM_POSFROMCHAR, caret, 0);
    at = {point == -1 ? 0 : static_cast<short>(LOWORD(point)), point == -1 ? 0 : static_cast<short>(HIWORD(point))};
    ClientToScreen(view_->hwnd(), &at);
  }
  TrackPopupMenu(edit, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

void FrameWindow::OnInitMenuPopup(HMENU menu) {
  App* app = App::Current();
  if (app == nullptr) return;
  UpdateRecentFileMenu(menu, resource_id_);
  const int count = GetMenuItemCount(menu);
  for (int pos = 0; pos < count; ++pos) {
    const UINT id = GetMenuItemID(menu, pos);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and pop-ups
    MenuCmdUI ui(menu, static_cast<UINT>(pos), id);
    if (!app->RouteUpdate(ui)) ui.Enable(false);
  }
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {
    SetIdleMessage();
  } else if (flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU)) {
    SetMessageText(L"");
  } else {
    SetMessageText(PromptOf(PromptString(item)));
  }
}

void FrameWindow::OnDropFiles(HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  DragQueryFileW(drop, 0, path.data(), length + 1);
  path.resize(length);
  DragFinish(drop);
  SetForegroundWindow(hwnd_);
  if (!path.empty() && App::Current() != nullptr) App::Current()->OpenDocumentFile(path);
}

LRESULT FrameWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      dpi_ = WindowDpi(hwnd_);
      return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lp));
    case WM_DPICHANGED:
      HandleDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_SIZE:
      // The first showing sends the size the window was laid out at already.
      if (LOWORD(lp) != laid_out_.cx || HIWORD(lp) != laid_out_.cy) RecalcLayout();
      return 0;
    case WM_SETFOCUS:
      if (view_ != nullptr && view_->hwnd() != nullptr) SetFocus(view_->hwnd());
      return 0;
    case WM_COMMAND: {
      const HWND control = reinterpret_cast<HWND>(lp);
      if (control != nullptr && view_ != nullptr && control == view_->hwnd()) return 0;
      if (App::Current() != nullptr) {
        RunGuarded(hwnd_, [&] { App::Current()->RouteCommand(LOWORD(wp)); });
      }
      RequestIdleUpdate();
      return 0;
    }
    case kIdleUpdateMessage:
      idle_update_posted_ = false;  // its arrival starts the idle work again
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wp) OnEndSession();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) PostMessageW(hwnd_, kCheckFileMessage, 0, 0);
      return Default(msg, wp, lp);
    case kCheckFileMessage:
      if (App::Current() != nullptr && App::Current()->document() != nullptr &&
          IsWindowEnabled(hwnd_)) {
        App::Current()->document()->CheckFileChanged();
      }
      return 0;
    case WM_CONTEXTMENU:
      if (view_ != nullptr && reinterpret_cast<HWND>(wp) == view_->hwnd()) {
        ShowEditMenu(lp);
        return 0;
      }
      return Default(msg, wp, lp);
    case WM_INITMENUPOPUP:
      if (!HIWORD(lp)) OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
      return 0;
    case WM_EXITMENULOOP:
      SetIdleMessage();
      return 0;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lp);
      if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        static std::wstring tip;
        tip = TooltipOf(PromptString(static_cast<UINT>(header.idFrom)));
        info.lpszText = tip.data();
        return 0;
      }
      if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == toolbar_) {
        const auto& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if (hot.dwFlags & HICF_LEAVING) {
          SetIdleMessage();
        } else {
          SetMessageText(PromptOf(PromptString(static_cast<UINT>(hot.idNew))));
        }
        return 0;
      }
      if (view_ != nullptr && header.hwndFrom == view_->hwnd() && view_->OnSurfaceNotify(lp)) {
        return 0;
      }
      LRESULT result = 0;
      if (OnNotify(header, &result)) return result;
      return Default(msg, wp, lp);
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wp));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const LRESULT r = Default(msg, wp, lp);
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      toolbar_ = nullptr;
      status_bar_ = nullptr;
      return r;
    }
    default:
      if (msg == FindReplaceMessage() && view_ != nullptr) {
        view_->OnFindReplace(*reinterpret_cast<const FINDREPLACEW*>(lp));
        return 0;
      }
      return Default(msg, wp, lp);
  }
}

}  // namespace fw
