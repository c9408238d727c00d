#include "fw/edit_control.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

#include "base/text16.h"

namespace kestil {
namespace {

// Messages after which the text is the same as before.
bool LeavesTextAlone(UINT msg) {
  switch (msg) {
    case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_GETFONT: case WM_SETFONT:
    case EM_GETSEL: case EM_SETSEL: case EM_LINEINDEX: case EM_LINELENGTH:
    case EM_LINEFROMCHAR: case EM_GETLINE: case EM_GETLINECOUNT: case EM_SCROLLCARET:
    case EM_GETHANDLE: case EM_CANUNDO: case EM_GETMODIFY: case EM_GETFIRSTVISIBLELINE:
    case EM_POSFROMCHAR: case EM_CHARFROMPOS: case EM_GETRECT: case EM_GETLIMITTEXT:
    case EM_SETLIMITTEXT: case EM_SETTABSTOPS: case EM_LINESCROLL: case EM_SCROLL:
    case WM_COPY: case WM_PAINT: case WM_NCPAINT: case WM_ERASEBKGND: case WM_PRINTCLIENT:
    case WM_NCHITTEST: case WM_SETCURSOR: case WM_MOUSEMOVE: case WM_NCMOUSEMOVE:
    case WM_MOUSEACTIVATE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_TIMER: case WM_HSCROLL: case WM_VSCROLL: case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_GETDLGCODE: case WM_SIZE: case WM_MOVE:
    case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_SHOWWINDOW:
    case WM_NCCALCSIZE: case WM_GETOBJECT: case WM_CAPTURECHANGED: case WM_KEYUP:
    case WM_NCACTIVATE: case WM_ACTIVATE:
      return true;
    default:
      return false;
  }
}

// Asks the control to break lines at a lone LF or CR as at CR LF (Windows 10
// 1809 and later; older systems and Wine ignore the message).
constexpr UINT kEmSetExtendedStyle = ECM_FIRST + 10;
constexpr LPARAM kAllowEolAll = 0x0001 | 0x0002;

// FNV-1a over the units, four at a time: enough to tell a changed text from
// the saved one of the same length.
std::uint64_t HashUnits(std::u16string_view text) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  std::size_t i = 0;
  for (; i + 4 <= text.size(); i += 4) {
    const std::uint64_t word = static_cast<std::uint64_t>(text[i]) |
                               static_cast<std::uint64_t>(text[i + 1]) << 16 |
                               static_cast<std::uint64_t>(text[i + 2]) << 32 |
                               static_cast<std::uint64_t>(text[i + 3]) << 48;
    h = (h ^ word) * 0x100000001b3ull;
  }
  for (; i < text.size(); ++i) h = (h ^ text[i]) * 0x100000001b3ull;
  return h;
}

bool WriteWholeText(HWND edit, const std::u16string& text) {
  SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(text.c_str()));
  return static_cast<std::size_t>(GetWindowTextLengthW(edit)) == text.size();
}

}  // namespace

// The whole text of the control, lent by the control where it allows it,
// copied otherwise.
class EditControlOps::TextAccess {
 public:
  explicit TextAccess(const EditControlOps& ops) {
    const auto length =
        static_cast<std::size_t>(SendMessageW(ops.hwnd_, WM_GETTEXTLENGTH, 0, 0));
    handle_ = reinterpret_cast<HLOCAL>(SendMessageW(ops.hwnd_, EM_GETHANDLE, 0, 0));
    if (handle_ != nullptr) {
      const auto* p = static_cast<const char16_t*>(LocalLock(handle_));
      if (p != nullptr && LocalSize(handle_) >= length * sizeof(char16_t)) {
        text_ = std::u16string_view(p, length);
        return;
      }
      if (p != nullptr) LocalUnlock(handle_);
      handle_ = nullptr;
    }
    ops.copy_.resize(length + 1);
    const LRESULT got = SendMessageW(ops.hwnd_, WM_GETTEXT, length + 1,
                                     reinterpret_cast<LPARAM>(ops.copy_.data()));
    text_ = std::u16string_view(ops.copy_.data(),
                                std::min(length, static_cast<std::size_t>(std::max<LRESULT>(got, 0))));
  }
  ~TextAccess() {
    if (handle_ != nullptr) LocalUnlock(handle_);
  }
  TextAccess(const TextAccess&) = delete;
  TextAccess& operator=(const TextAccess&) = delete;

  std::u16string_view text() const { return text_; }

 private:
  HLOCAL handle_ = nullptr;
  std::u16string_view text_;
};

EditControlOps::EditControlOps(HWND edit) : hwnd_(edit), write_text_(WriteWholeText) {
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(hwnd_, kEmSetExtendedStyle, kAllowEolAll, kAllowEolAll);
  // The window procedure itself is replaced, with the object in the
  // window's user data: the common controls' subclass chain looks up a
  // window property at every message, and under Wine each lookup is a
  // round trip to the server.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  control_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

EditControlOps::~EditControlOps() { Unsubclass(); }

void EditControlOps::Unsubclass() {
  if (control_proc_ == nullptr || !IsWindow(hwnd_)) return;
  // Only while nobody has subclassed the control after us.
  if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_proc_));
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    control_proc_ = nullptr;
  }
}

LRESULT EditControlOps::DefSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const {
  return CallWindowProcW(control_proc_, hwnd, msg, wp, lp);
}

LRESULT CALLBACK EditControlOps::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* ops = reinterpret_cast<EditControlOps*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (ops == nullptr || ops->control_proc_ == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const WNDPROC proc = ops->control_proc_;
    ops->Unsubclass();
    return CallWindowProcW(proc, hwnd, msg, wp, lp);
  }
  LRESULT handled = 0;
  if (ops->changing_depth_ == 0 && ops->HandleHistoryMessage(msg, wp, &handled)) return handled;
  if (LeavesTextAlone(msg)) return ops->DefSubclassProc(hwnd, msg, wp, lp);
  const bool record = ops->changing_depth_ == 0 && !ops->own_change_;
  Before before;
  if (record) before = ops->Capture();
  if (record && msg == WM_SETTEXT) {
    // A whole new text from outside: one step, old text against new.
    const TextAccess access(*ops);
    before.base = 0;
    before.window.assign(access.text());
  }
  std::u16string converted;
  const bool convert = (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) == 0 &&
                       ops->LineBreaksToConvert(msg, wp, &converted);
  ++ops->generation_;
  ++ops->changing_depth_;
  const LRESULT result =
      convert ? ops->DefSubclassProc(hwnd, EM_REPLACESEL, TRUE,
                                     reinterpret_cast<LPARAM>(converted.c_str()))
              : ops->DefSubclassProc(hwnd, msg, wp, lp);
  --ops->changing_depth_;
  ++ops->generation_;
  try {
    if (record && msg == WM_SETTEXT) {
      const TextAccess access(*ops);
      ops->history_.Record({0, before.window, std::u16string(access.text()), false, 0});
      ops->BoundHistory(access.text().size());
    } else if (record) {
      const bool typing = (msg == WM_CHAR && (wp >= 0x20 || wp == '\t' || wp == '\r')) ||
                          msg == WM_IME_CHAR;
      ops->RecordChange(before, typing);
    }
  } catch (const std::bad_alloc&) {
    ops->history_.Lose();  // the change is made; only its record is gone
  }
  return result;
}

bool EditControlOps::LineBreaksToConvert(UINT msg, WPARAM wp, std::u16string* text) const {
  if (msg == WM_CHAR && wp == '\r') {
    if (line_ending() == kestil::LineEnding::kCrLf) return false;
    text->assign(kestil::Spelling(line_ending()));
    return true;
  }
  if (msg != WM_PASTE || !IsClipboardFormatAvailable(CF_UNICODETEXT) ||
      !OpenClipboard(hwnd_)) {
    return false;
  }
  bool convert = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      const std::u16string_view pasted(p);
      convert = pasted.find_first_of(u"\r\n") != std::u16string_view::npos;
      if (convert) *text = kestil::WithLineEnding(pasted, line_ending());
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return convert;
}

EditControlOps::Before EditControlOps::Capture() const {
  Before b;
  const auto [start, end] = UnitSelection();
  b.start = start;
  b.end = end;
  const TextAccess access(*this);
  const std::u16string_view text = access.text();
  b.length = text.size();
  // Enough around the selection for any one keystroke's deletion.
  constexpr std::size_t kMargin = 256;
  b.base = start > kMargin ? start - kMargin : 0;
  const std::size_t last = std::min<std::size_t>(text.size(), std::size_t{end} + kMargin);
  b.window.assign(text.substr(b.base, last > b.base ? last - b.base : 0));
  return b;
}

void EditControlOps::RecordChange(const Before& before, bool typing) {
  const auto [start_after, end_after] = UnitSelection();
  const TextAccess access(*this);
  const std::u16string_view text = access.text();
  if (text.size() == before.length &&
      (start_after != end_after || text.substr(before.base, before.window.size()) == before.window)) {
    return;  // the selection or the caret moved, the text did not change
  }
  // One replaced range: it starts where the selection started, or where the
  // caret went back to, and the inserted text ends at the caret.
  const std::size_t caret = end_after;
  const std::size_t at = std::min<std::size_t>(before.start, caret);
  const std::size_t inserted = caret - at;
  const long long removed = static_cast<long long>(inserted) -
                            (static_cast<long long>(text.size()) - static_cast<long long>(before.length));
  if (removed < 0 || at < before.base || at + static_cast<std::size_t>(removed) > before.base + before.window.size() ||
      at + inserted > text.size()) {
    history_.Lose();  // more changed than one range near the selection
    return;
  }
  UndoHistory<std::u16string>::Step step;
  step.at = at;
  step.removed = before.window.substr(at - before.base, static_cast<std::size_t>(removed));
  step.inserted.assign(text.substr(at, inserted));
  step.typing = typing;
  step.time = clock_();
  history_.Record(std::move(step));
  BoundHistory(text.size());
}

void EditControlOps::BoundHistory(std::size_t text_units) {
  history_.SetLimit(std::max(kHistoryBytes, kHistoryTimesText * text_units * sizeof(char16_t)) /
                    sizeof(char16_t));
}

void EditControlOps::RememberSavedText() {
  const TextAccess access(*this);
  saved_length_ = access.text().size();
  saved_hash_ = HashUnits(access.text());
  modified_generation_ = ~std::uint64_t{0};
}

void EditControlOps::MarkSaved() {
  history_.MarkSaved();
  RememberSavedText();
}

void EditControlOps::MarkUnsaved() {
  history_.Unsave();
  saved_length_ = kNeverSaved;
  modified_generation_ = ~std::uint64_t{0};
}

bool EditControlOps::IsModified() const {
  if (!history_.IsModified()) return false;
  if (saved_length_ == kNeverSaved) return true;
  if (modified_generation_ != generation_ || changing_depth_ != 0) {
    const TextAccess access(*this);
    modified_ = access.text().size() != saved_length_ || HashUnits(access.text()) != saved_hash_;
    modified_generation_ = changing_depth_ == 0 ? generation_ : ~std::uint64_t{0};
  }
  return modified_;
}

void EditControlOps::ApplyStep(std::size_t at, const std::u16string& remove_length_of,
                               const std::u16string& put, bool select_put) {
  own_change_ = true;
  SendMessageW(hwnd_, EM_SETSEL, at, static_cast<LPARAM>(at + remove_length_of.size()));
  SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(put.c_str()));
  if (select_put) SendMessageW(hwnd_, EM_SETSEL, at, static_cast<LPARAM>(at + put.size()));
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
  own_change_ = false;
}

void EditControlOps::Undo() {
  if (!history_.CanUndo()) return;
  const auto& step = history_.Undo();
  if (step.setting_before >= 0) set_line_ending(static_cast<LineEnding>(step.setting_before));
  ApplyStep(step.at, step.inserted, step.removed, true);
}

void EditControlOps::Redo() {
  if (!history_.CanRedo()) return;
  const auto& step = history_.Redo();
  if (step.setting_after >= 0) set_line_ending(static_cast<LineEnding>(step.setting_after));
  ApplyStep(step.at, step.removed, step.inserted, false);
}

void EditControlOps::ReplaceAllWithEnding(const std::u16string& text, LineEnding ending) {
  const LineEnding before = line_ending();
  set_line_ending(ending);
  const std::size_t length = static_cast<std::size_t>(GetWindowTextLengthW(hwnd_));
  SendMessageW(hwnd_, EM_SETSEL, 0, static_cast<LPARAM>(length));
  ReplaceSel(text);
  if (auto* step = history_.Newest(); step != nullptr && step->at == 0 &&
                                      step->inserted.size() == text.size()) {
    step->setting_before = static_cast<int>(before);
    step->setting_after = static_cast<int>(ending);
  }
  SendMessageW(hwnd_, EM_SETSEL, 0, 0);
  SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

bool EditControlOps::HandleHistoryMessage(UINT msg, WPARAM wp, LRESULT* result) {
  switch (msg) {
    case WM_UNDO:
    case EM_UNDO:
      *result = history_.CanUndo() ? TRUE : FALSE;
      Undo();
      return true;
    case WM_CHAR:
      if (wp != 0x1A) return false;  // Ctrl+Z typed into the control
      Undo();
      *result = 0;
      return true;
    case EM_CANUNDO:
      *result = history_.CanUndo() ? TRUE : FALSE;
      return true;
    case EM_GETMODIFY:
      *result = IsModified() ? TRUE : FALSE;
      return true;
    case EM_EMPTYUNDOBUFFER:
      // Whoever empties the history, the edits are still unsaved.
      history_.Forget();
      *result = 0;
      return true;
    default:
      return false;
  }
}

std::pair<DWORD, DWORD> EditControlOps::UnitSelection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start > end) std::swap(start, end);
  return {start, end};
}

Selection EditControlOps::GetSel() const {
  const auto [start, end] = UnitSelection();
  return {start, end};
}

void EditControlOps::SetSel(std::size_t start, std::size_t end) {
  if (start > end) std::swap(start, end);
  const TextAccess access(*this);
  const std::u16string_view text = access.text();
  // Never between the halves of a surrogate pair.
  auto floor = [&](std::size_t pos) {
    pos = std::min(pos, text.size());
    if (pos > 0 && pos < text.size() && kestil::IsLowSurrogate(text[pos]) &&
        kestil::IsHighSurrogate(text[pos - 1])) {
      --pos;
    }
    return pos;
  };
  SendMessageW(hwnd_, EM_SETSEL, floor(start), static_cast<LPARAM>(floor(end)));
}

void EditControlOps::ReplaceSel(std::u16string_view text) {
  const std::u16string terminated(text);
  SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void EditControlOps::ScrollCaret() { SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0); }

long long EditControlOps::LineIndex(long long line) const {
  if (line < 0) return -1;
  const LRESULT units = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  return units < 0 ? -1 : static_cast<long long>(units);
}

std::size_t EditControlOps::LineLength(std::size_t pos) const {
  const LRESULT length = SendMessageW(hwnd_, EM_LINELENGTH, pos, 0);
  return length > 0 ? static_cast<std::size_t>(length) : 0;
}

std::size_t EditControlOps::LineCount() const {
  return static_cast<std::size_t>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
}

std::u16string EditControlOps::GetText() const {
  const TextAccess access(*this);
  return std::u16string(access.text());
}

std::u16string EditControlOps::GetTextRange(std::size_t start, std::size_t end) const {
  const TextAccess access(*this);
  const std::u16string_view text = access.text();
  start = std::min(start, text.size());
  end = std::clamp(end, start, text.size());
  return std::u16string(text.substr(start, end - start));
}

void EditControlOps::SetText(std::u16string_view text) { TryLoad(std::u16string(text)); }

std::u16string EditControlOps::GetSelectedText() const {
  const auto [start, end] = UnitSelection();
  return GetTextRange(start, end);
}

bool EditControlOps::TryLoad(const std::u16string& text) {
  // Everything the new text replaces, to put back if the control refuses it.
  const std::u16string old_text = GetText();
  const auto [old_start, old_end] = UnitSelection();
  UndoHistory<std::u16string> old_history = history_;
  const std::size_t old_length = saved_length_;
  const std::uint64_t old_hash = saved_hash_;

  own_change_ = true;
  const bool taken = write_text_(hwnd_, text);
  if (!taken) WriteWholeText(hwnd_, old_text);
  SendMessageW(hwnd_, EM_SETSEL, taken ? 0 : old_start, taken ? 0 : static_cast<LPARAM>(old_end));
  own_change_ = false;
  if (!taken) {
    history_ = std::move(old_history);
    saved_length_ = old_length;
    saved_hash_ = old_hash;
    modified_generation_ = ~std::uint64_t{0};
    return false;
  }
  history_.Clear();
  RememberSavedText();
  return true;
}

}  // namespace kestil
