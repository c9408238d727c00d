#include "view/edit_control.h"

#include <algorithm>

namespace kestil {
namespace {

// Walks text until bytes are consumed; a target inside a character stops at
// its start.
std::size_t UnitsForBytes(std::u16string_view text, std::size_t bytes) {
  std::size_t consumed = 0;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const std::size_t len = cp932::EncodedUnitLength(text, i);
    if (consumed + len > bytes) break;
    consumed += len;
  }
  return i;
}

}  // namespace

EditControlOps::EditControlOps(HWND edit) : hwnd_(edit) {
  SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
}

std::size_t EditControlOps::TextUnits() const {
  return static_cast<std::size_t>(SendMessageW(hwnd_, WM_GETTEXTLENGTH, 0, 0));
}

std::u16string EditControlOps::ReadPrefix(std::size_t count) const {
  count = std::min(count, TextUnits());
  std::u16string text(count + 1, u'\0');
  const LRESULT got = SendMessageW(hwnd_, WM_GETTEXT, count + 1,
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
  return text;
}

std::size_t EditControlOps::ToUnits(std::size_t bytes) const {
  // A surrogate pair gives one byte for two units, so read enough for that.
  const std::u16string text = ReadPrefix(bytes * 2 + 2);
  return UnitsForBytes(text, bytes);
}

std::size_t EditControlOps::ToBytes(std::size_t units) const {
  const std::u16string text = ReadPrefix(units);
  return cp932::EncodedLength(text);
}

Selection EditControlOps::GetSel() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start > end) std::swap(start, end);
  const std::u16string text = ReadPrefix(end);
  const std::u16string_view view(text);
  const std::size_t start_bytes = cp932::EncodedLength(view.substr(0, start));
  return {start_bytes, start_bytes + cp932::EncodedLength(view.substr(start))};
}

void EditControlOps::SetSel(std::size_t start, std::size_t end) {
  if (start > end) std::swap(start, end);
  const std::u16string text = ReadPrefix(end * 2 + 2);
  const std::size_t s = UnitsForBytes(text, start);
  const std::size_t e = UnitsForBytes(text, end);
  SendMessageW(hwnd_, EM_SETSEL, s, static_cast<LPARAM>(e));
}

void EditControlOps::ReplaceSel(std::string_view text) {
  const std::u16string wide = cp932::Decode(text, spellings_);
  SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void EditControlOps::ScrollCaret() { SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0); }

long long EditControlOps::LineIndex(long long line) const {
  if (line < 0) return -1;
  const LRESULT units = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  if (units < 0) return -1;
  return static_cast<long long>(ToBytes(static_cast<std::size_t>(units)));
}

std::size_t EditControlOps::LineLength(std::size_t pos) const {
  const std::size_t units = ToUnits(pos);
  const LRESULT line = SendMessageW(hwnd_, EM_LINEFROMCHAR, units, 0);
  const LRESULT first = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  const LRESULT length = SendMessageW(hwnd_, EM_LINELENGTH, static_cast<WPARAM>(first), 0);
  if (first < 0 || length <= 0) return 0;
  const std::u16string text = ReadPrefix(static_cast<std::size_t>(first + length));
  return cp932::EncodedLength(std::u16string_view(text).substr(static_cast<std::size_t>(first)));
}

std::size_t EditControlOps::LineCount() const {
  return static_cast<std::size_t>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
}

std::string EditControlOps::GetText() const {
  return cp932::Encode(ReadPrefix(TextUnits()), spellings_);
}

void EditControlOps::SetText(std::string_view text) {
  const std::u16string wide = cp932::Decode(text, spellings_);
  SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(wide.c_str()));
  SendMessageW(hwnd_, EM_SETSEL, 0, 0);
}

std::string EditControlOps::GetSelectedText() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (start > end) std::swap(start, end);
  const std::u16string text = ReadPrefix(end);
  return cp932::Encode(std::u16string_view(text).substr(std::min<std::size_t>(start, text.size())),
                       spellings_);
}

bool EditControlOps::CanUndo() const { return SendMessageW(hwnd_, EM_CANUNDO, 0, 0) != 0; }

void EditControlOps::Undo() { SendMessageW(hwnd_, EM_UNDO, 0, 0); }

void EditControlOps::LoadRaw(std::string_view bytes) {
  spellings_.Clear();
  SetText(bytes);
}

}  // namespace kestil
