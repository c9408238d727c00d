#include "fw/scintilla_surface.h"

#include <Scintilla.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "fw/colouring.h"
#include "fw/dpi.h"
#include "base/line_endings.h"
#include "base/word_steps.h"

namespace fw {
namespace {

namespace sf = kestil::surface;

// FNV-1a over the bytes, eight at a time: enough to tell a changed text from
// the saved one of the same length.
std::uint64_t HashBytes(std::string_view text) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    for (int k = 0; k < 8; ++k) word |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[i + k])) << (8 * k);
    h = (h ^ word) * 0x100000001b3ull;
  }
  for (; i < text.size(); ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 0x100000001b3ull;
  return h;
}

bool HasLineBreak(std::u16string_view text) { return text.find_first_of(u"\r\n") != std::u16string_view::npos; }

// The keys the surface keeps from the component: movement and selection as
// a Windows editor has them, and deleting a character. Word steps are the
// surface's own (they stop at changes of script in Japanese text). Backspace
// works through the character it types, as in the EDIT control, so that the
// character sent alone deletes too. Keys that would
// change the text past what the menus offer (line cut, duplicate, case,
// transpose, indent) are left out; the edit commands come from the menus.
struct KeyBinding {
  int key;
  int modifiers;
  int command;
};
constexpr KeyBinding kKeys[] = {
    {SCK_DOWN, 0, SCI_LINEDOWN}, {SCK_DOWN, SCMOD_SHIFT, SCI_LINEDOWNEXTEND},
    {SCK_DOWN, SCMOD_CTRL, SCI_LINESCROLLDOWN}, {SCK_DOWN, SCMOD_CTRL | SCMOD_SHIFT, SCI_LINEDOWNEXTEND},
    {SCK_UP, 0, SCI_LINEUP}, {SCK_UP, SCMOD_SHIFT, SCI_LINEUPEXTEND},
    {SCK_UP, SCMOD_CTRL, SCI_LINESCROLLUP}, {SCK_UP, SCMOD_CTRL | SCMOD_SHIFT, SCI_LINEUPEXTEND},
    {SCK_LEFT, 0, SCI_CHARLEFT}, {SCK_LEFT, SCMOD_SHIFT, SCI_CHARLEFTEXTEND},
    {SCK_RIGHT, 0, SCI_CHARRIGHT}, {SCK_RIGHT, SCMOD_SHIFT, SCI_CHARRIGHTEXTEND},
    {SCK_HOME, 0, SCI_HOME}, {SCK_HOME, SCMOD_SHIFT, SCI_HOMEEXTEND},
    {SCK_HOME, SCMOD_CTRL, SCI_DOCUMENTSTART}, {SCK_HOME, SCMOD_CTRL | SCMOD_SHIFT, SCI_DOCUMENTSTARTEXTEND},
    {SCK_END, 0, SCI_LINEEND}, {SCK_END, SCMOD_SHIFT, SCI_LINEENDEXTEND},
    {SCK_END, SCMOD_CTRL, SCI_DOCUMENTEND}, {SCK_END, SCMOD_CTRL | SCMOD_SHIFT, SCI_DOCUMENTENDEXTEND},
    {SCK_PRIOR, 0, SCI_PAGEUP}, {SCK_PRIOR, SCMOD_SHIFT, SCI_PAGEUPEXTEND},
    {SCK_NEXT, 0, SCI_PAGEDOWN}, {SCK_NEXT, SCMOD_SHIFT, SCI_PAGEDOWNEXTEND},
    {SCK_DELETE, 0, SCI_CLEAR},
    {SCK_ESCAPE, 0, SCI_CANCEL},
};

constexpr wchar_t kClassName[] = L"Scintilla";

}  // namespace

// Counts a message or an operation under way; the changes it made become
// one step when the outermost one ends.
class ScintillaSurface::Changing {
 public:
  Changing(ScintillaSurface& s, bool typing) : s_(s) {
    if (s_.depth_++ == 0) s_.typing_ = typing;
  }
  ~Changing() {
    if (--s_.depth_ == 0 && s_.has_pending_) s_.Flush();
  }
  Changing(const Changing&) = delete;
  Changing& operator=(const Changing&) = delete;

 private:
  ScintillaSurface& s_;
};

bool ScintillaSurface::RegisterClass() {
  static const bool registered = Scintilla_RegisterClasses(GetModuleHandleW(nullptr)) != 0;
  return registered;
}

std::unique_ptr<ScintillaSurface> ScintillaSurface::Create(HWND parent, UINT id, DWORD style,
                                                           DWORD ex_style) {
  if (!RegisterClass()) return nullptr;
  HWND hwnd = CreateWindowExW(ex_style, kClassName, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) return nullptr;
  return std::unique_ptr<ScintillaSurface>(new ScintillaSurface(hwnd));
}

ScintillaSurface::ScintillaSurface(HWND hwnd) : hwnd_(hwnd) {
  fn_ = reinterpret_cast<Fn>(SendMessageW(hwnd_, SCI_GETDIRECTFUNCTION, 0, 0));
  ptr_ = static_cast<std::intptr_t>(SendMessageW(hwnd_, SCI_GETDIRECTPOINTER, 0, 0));
  write_text_ = [this](HWND, const std::u16string& text) { return WriteText(text); };
  Configure();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  component_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
}

ScintillaSurface::~ScintillaSurface() {
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WindowProc)) {
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(component_proc_));
    }
  }
}

void ScintillaSurface::Configure() {
  Call(SCI_SETCODEPAGE, SC_CP_UTF8);
  Call(SCI_SETTECHNOLOGY, SC_TECHNOLOGY_DEFAULT);  // GDI: raster fonts, and Wine draws it
  Call(SCI_SETUNDOCOLLECTION, 0);
  Call(SCI_EMPTYUNDOBUFFER);
  Call(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
  Call(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_MOD_BEFOREDELETE);
  Call(SCI_SETCOMMANDEVENTS, 0);
  Call(SCI_USEPOPUP, SC_POPUP_NEVER);  // the parent shows the program's menu
  Call(SCI_SETMULTIPLESELECTION, 0);
  Call(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 0);
  Call(SCI_SETRECTANGULARSELECTIONMODIFIER, SCMOD_SUPER);
  Call(SCI_SETMARGINWIDTHN, 1, 0);
  Call(SCI_SETWRAPMODE, SC_WRAP_NONE);
  Call(SCI_SETSCROLLWIDTH, 1);
  Call(SCI_SETSCROLLWIDTHTRACKING, 1);
  Call(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
  Call(SCI_SETEOLMODE, SC_EOL_CRLF);
  Call(SCI_SETPASTECONVERTENDINGS, 1);
  // The system's colours, as the EDIT control shows text.
  Call(SCI_STYLESETFORE, STYLE_DEFAULT, GetSysColor(COLOR_WINDOWTEXT));
  Call(SCI_STYLESETBACK, STYLE_DEFAULT, GetSysColor(COLOR_WINDOW));
  Call(SCI_STYLECLEARALL);
  Call(SCI_SETSELFORE, 1, GetSysColor(COLOR_HIGHLIGHTTEXT));
  Call(SCI_SETSELBACK, 1, GetSysColor(COLOR_HIGHLIGHT));
  // The tag marks: a box around the names, blue for a pair, red for a tag
  // without its partner, as a brace match shows.
  Call(SCI_INDICSETSTYLE, INDICATOR_CONTAINER, INDIC_STRAIGHTBOX);
  Call(SCI_INDICSETFORE, INDICATOR_CONTAINER, RGB(0x00, 0x60, 0xE0));
  Call(SCI_INDICSETALPHA, INDICATOR_CONTAINER, 60);
  Call(SCI_INDICSETOUTLINEALPHA, INDICATOR_CONTAINER, 160);
  Call(SCI_INDICSETSTYLE, INDICATOR_CONTAINER + 1, INDIC_STRAIGHTBOX);
  Call(SCI_INDICSETFORE, INDICATOR_CONTAINER + 1, RGB(0xE0, 0x00, 0x00));
  Call(SCI_INDICSETALPHA, INDICATOR_CONTAINER + 1, 60);
  Call(SCI_INDICSETOUTLINEALPHA, INDICATOR_CONTAINER + 1, 160);
  ConfigureFindingMarks();
  Call(SCI_CLEARALLCMDKEYS);
  for (const KeyBinding& k : kKeys) Call(SCI_ASSIGNCMDKEY, static_cast<std::uintptr_t>(k.key | k.modifiers << 16), k.command);
}

// ---- positions

std::size_t ScintillaSurface::ByteLength() const { return static_cast<std::size_t>(Call(SCI_GETLENGTH)); }

std::size_t ScintillaSurface::LineOfByte(std::size_t byte) const {
  return static_cast<std::size_t>(Call(SCI_LINEFROMPOSITION, byte));
}

std::size_t ScintillaSurface::LineStart(std::size_t line) const {
  const auto lines = static_cast<std::size_t>(Call(SCI_GETLINECOUNT));
  if (line >= lines) return ByteLength();
  return static_cast<std::size_t>(Call(SCI_POSITIONFROMLINE, line));
}

std::size_t ScintillaSurface::CoarseLineStart(std::size_t line) const {
  return static_cast<std::size_t>(Call(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16));
}

std::size_t ScintillaSurface::LineOfCoarse(std::size_t coarse) const {
  return static_cast<std::size_t>(Call(SCI_LINEFROMINDEXPOSITION, coarse, SC_LINECHARACTERINDEX_UTF16));
}

std::string_view ScintillaSurface::Bytes(std::size_t from, std::size_t to) const {
  if (to <= from) return {};
  const auto* p = reinterpret_cast<const char*>(Call(SCI_GETRANGEPOINTER, from, static_cast<std::intptr_t>(to - from)));
  return p != nullptr ? std::string_view(p, to - from) : std::string_view();
}

std::size_t ScintillaSurface::UnitOf(std::size_t byte) const { return sf::UnitOfByte(*this, forms_, byte); }

std::size_t ScintillaSurface::ByteOf(std::size_t unit) const {
  return std::min(sf::ByteOfUnit(*this, forms_, unit), ByteLength());
}

// ---- the history

void ScintillaSurface::Changed(std::size_t at, const std::string& removed, const std::string& inserted) {
  ++generation_;
  if (own_change_) return;
  // One more change within the same message becomes one replacement with
  // the pending step when it touches the text that step put in; otherwise
  // the pending step goes into the history first.
  const std::size_t a = pending_.at;
  const std::size_t b = pending_.at + pending_.inserted.size();
  const std::size_t c = at;
  const std::size_t d = at + removed.size();
  if (has_pending_ && c <= b && d >= a) {
    const std::size_t from = std::min(a, c);
    const std::string before = c < a ? removed.substr(0, a - c) : std::string();
    const std::string after = d > b ? removed.substr(removed.size() - (d - b)) : std::string();
    std::string now = before + pending_.inserted + after;
    now.replace(c - from, removed.size(), inserted);
    pending_.removed = before + pending_.removed + after;
    pending_.inserted = std::move(now);
    pending_.at = from;
  } else {
    Flush();
    pending_ = {};
    pending_.at = at;
    pending_.removed = removed;
    pending_.inserted = inserted;
    has_pending_ = true;
  }
  if (depth_ == 0) Flush();
}

void ScintillaSurface::Flush() {
  if (!has_pending_) return;
  has_pending_ = false;
  try {
    pending_.typing = typing_;
    pending_.time = clock_();
    history_.Record(std::move(pending_));
    BoundHistory();
  } catch (const std::bad_alloc&) {
    history_.Lose();  // the change is made; only its record is gone
  }
  pending_ = {};
}

void ScintillaSurface::BoundHistory() {
  history_.SetLimit(std::max(kHistoryBytes, kHistoryTimesText * ByteLength()));
}

void ScintillaSurface::RememberSavedText() {
  const std::size_t length = ByteLength();
  saved_length_ = length;
  saved_hash_ = HashBytes(Bytes(0, length));
  modified_generation_ = ~std::uint64_t{0};
}

void ScintillaSurface::MarkSaved() {
  history_.MarkSaved();
  RememberSavedText();
}

void ScintillaSurface::MarkUnsaved() {
  history_.Unsave();
  saved_length_ = kNeverSaved;
  modified_generation_ = ~std::uint64_t{0};
}

bool ScintillaSurface::IsModified() const {
  if (!history_.IsModified()) return false;
  if (saved_length_ == kNeverSaved) return true;
  if (modified_generation_ != generation_ || depth_ != 0) {
    const std::size_t length = ByteLength();
    modified_ = length != saved_length_ || HashBytes(Bytes(0, length)) != saved_hash_;
    modified_generation_ = depth_ == 0 ? generation_ : ~std::uint64_t{0};
  }
  return modified_;
}

void ScintillaSurface::ReplaceBytes(std::size_t from, std::size_t to, const std::string& bytes) {
  const bool locked = read_only();
  if (locked) Call(SCI_SETREADONLY, 0);
  Call(SCI_SETTARGETRANGE, from, static_cast<std::intptr_t>(to));
  Call(SCI_REPLACETARGET, bytes.size(), reinterpret_cast<std::intptr_t>(bytes.data()));
  if (locked) Call(SCI_SETREADONLY, 1);
}

void ScintillaSurface::ApplyStep(std::size_t at, std::size_t remove, const std::string& put, bool select_put) {
  own_change_ = true;
  ReplaceBytes(at, at + remove, put);
  own_change_ = false;
  const std::size_t end = at + put.size();
  Call(SCI_SETANCHOR, select_put ? at : end);
  Call(SCI_SETCURRENTPOS, end);
  Call(SCI_SCROLLCARET);
}

void ScintillaSurface::Undo() {
  if (!history_.CanUndo()) return;
  const auto& step = history_.Undo();
  if (step.setting_before >= 0) set_line_ending(static_cast<kestil::LineEnding>(step.setting_before));
  ApplyStep(step.at, step.inserted.size(), step.removed, true);
}

void ScintillaSurface::Redo() {
  if (!history_.CanRedo()) return;
  const auto& step = history_.Redo();
  if (step.setting_after >= 0) set_line_ending(static_cast<kestil::LineEnding>(step.setting_after));
  ApplyStep(step.at, step.removed.size(), step.inserted, false);
}

// ---- edit operations

kestil::Selection ScintillaSurface::GetSel() const {
  const std::size_t start = UnitOf(static_cast<std::size_t>(Call(SCI_GETSELECTIONSTART)));
  const std::size_t end = UnitOf(static_cast<std::size_t>(Call(SCI_GETSELECTIONEND)));
  return {std::min(start, end), std::max(start, end)};
}

void ScintillaSurface::SetSel(std::size_t start, std::size_t end) {
  if (start > end) std::swap(start, end);
  Call(SCI_SETANCHOR, ByteOf(start));
  Call(SCI_SETCURRENTPOS, ByteOf(end));
}

void ScintillaSurface::ReplaceSel(std::u16string_view text) {
  const Changing changing(*this, false);
  const auto from = static_cast<std::size_t>(Call(SCI_GETSELECTIONSTART));
  const auto to = static_cast<std::size_t>(Call(SCI_GETSELECTIONEND));
  const std::string bytes = sf::Encode(text);
  ReplaceBytes(from, to, bytes);
  Call(SCI_GOTOPOS, from + bytes.size());
}

void ScintillaSurface::ScrollCaret() { Call(SCI_SCROLLCARET); }

std::size_t ScintillaSurface::Caret() const { return UnitOf(static_cast<std::size_t>(Call(SCI_GETCURRENTPOS))); }

long long ScintillaSurface::LineIndex(long long line) const {
  if (line < 0 || line >= Call(SCI_GETLINECOUNT)) return -1;
  return static_cast<long long>(UnitOf(static_cast<std::size_t>(Call(SCI_POSITIONFROMLINE, static_cast<std::uintptr_t>(line)))));
}

std::size_t ScintillaSurface::LineLength(std::size_t pos) const {
  const std::size_t line = LineOfByte(ByteOf(pos));
  const std::size_t start = LineStart(line);
  const auto end = static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, line));
  return UnitOf(end) - UnitOf(start);
}

std::size_t ScintillaSurface::LineCount() const { return static_cast<std::size_t>(Call(SCI_GETLINECOUNT)); }

std::u16string ScintillaSurface::GetText() const { return sf::Decode(Bytes(0, ByteLength())); }

std::u16string ScintillaSurface::GetTextRange(std::size_t start, std::size_t end) const {
  if (end < start) std::swap(start, end);
  return sf::Decode(Bytes(ByteOf(start), ByteOf(end)));
}

void ScintillaSurface::SetText(std::u16string_view text) { TryLoad(std::u16string(text)); }

std::u16string ScintillaSurface::GetSelectedText() const {
  return sf::Decode(Bytes(static_cast<std::size_t>(Call(SCI_GETSELECTIONSTART)),
                          static_cast<std::size_t>(Call(SCI_GETSELECTIONEND))));
}

bool ScintillaSurface::WriteText(const std::u16string& text) {
  std::string bytes;
  try {
    bytes = sf::Encode(text);
  } catch (const std::bad_alloc&) {
    return false;
  }
  own_change_ = true;
  ReplaceBytes(0, ByteLength(), bytes);
  own_change_ = false;
  const bool taken = Call(SCI_GETSTATUS) == SC_STATUS_OK && ByteLength() == bytes.size();
  Call(SCI_SETSTATUS, SC_STATUS_OK);
  return taken;
}

bool ScintillaSurface::TryLoad(const std::u16string& text) {
  // Everything the new text replaces, to put back if the surface refuses it.
  const std::string old_bytes(Bytes(0, ByteLength()));
  const auto old_anchor = Call(SCI_GETANCHOR);
  const auto old_caret = Call(SCI_GETCURRENTPOS);
  if (!write_text_(hwnd_, text)) {
    own_change_ = true;
    ReplaceBytes(0, ByteLength(), old_bytes);
    own_change_ = false;
    forms_.Reset(old_bytes);
    Call(SCI_SETANCHOR, old_anchor);
    Call(SCI_SETCURRENTPOS, old_caret);
    return false;
  }
  Call(SCI_SETANCHOR, 0);
  Call(SCI_SETCURRENTPOS, 0);
  Call(SCI_SCROLLCARET);
  history_.Clear();
  RememberSavedText();
  return true;
}

void ScintillaSurface::ReplaceAllWithEnding(const std::u16string& text, kestil::LineEnding ending) {
  const kestil::LineEnding before = line_ending();
  set_line_ending(ending);
  {
    const Changing changing(*this, false);
    ReplaceBytes(0, ByteLength(), sf::Encode(text));
  }
  if (auto* step = history_.Newest(); step != nullptr && step->at == 0) {
    step->setting_before = static_cast<int>(before);
    step->setting_after = static_cast<int>(ending);
  }
  Call(SCI_GOTOPOS, 0);
}

void ScintillaSurface::LineEndingChanged() {
  switch (line_ending()) {
    case kestil::LineEnding::kCr: Call(SCI_SETEOLMODE, SC_EOL_CR); break;
    case kestil::LineEnding::kLf: Call(SCI_SETEOLMODE, SC_EOL_LF); break;
    default: Call(SCI_SETEOLMODE, SC_EOL_CRLF); break;
  }
}

bool ScintillaSurface::read_only() const { return Call(SCI_GETREADONLY) != 0; }

bool ScintillaSurface::HasSelection() const { return Call(SCI_GETSELECTIONSTART) != Call(SCI_GETSELECTIONEND); }

bool ScintillaSurface::CanPaste() const {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void ScintillaSurface::Copy() {
  if (!HasSelection()) return;
  const std::u16string text = GetSelectedText();
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t))) {
    if (auto* p = static_cast<char16_t*>(GlobalLock(data))) {
      std::copy(text.begin(), text.end(), p);
      p[text.size()] = 0;
      GlobalUnlock(data);
      if (SetClipboardData(CF_UNICODETEXT, data) == nullptr) GlobalFree(data);
    } else {
      GlobalFree(data);
    }
  }
  CloseClipboard();
}

void ScintillaSurface::Cut() {
  if (read_only() || !HasSelection()) return;
  Copy();
  Clear();
}

void ScintillaSurface::Clear() {
  if (read_only() || !HasSelection()) return;
  ReplaceSel(u"");
}

void ScintillaSurface::Paste() {
  if (read_only() || !IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(hwnd_)) return;
  std::u16string text;
  bool got = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
      std::size_t n = 0;
      while (n < limit && p[n] != 0) ++n;
      text.assign(p, n);
      got = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (!got) return;
  // A paste is one step, its line breaks in the document's line ending.
  if (HasLineBreak(text)) text = kestil::WithLineEnding(text, line_ending());
  ReplaceSel(text);
}

void ScintillaSurface::SelectAll() {
  Call(SCI_SETANCHOR, 0);
  Call(SCI_SETCURRENTPOS, ByteLength());
}

void ScintillaSurface::SetFont(HFONT font) {
  font_ = font;
  LOGFONTW lf{};
  if (font == nullptr || GetObjectW(font, sizeof lf, &lf) == 0) {
    lf = LOGFONTW{};
    GetObjectW(GetStockObject(SYSTEM_FIXED_FONT), sizeof lf, &lf);
    font = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
  }
  // The component sizes its fonts in points at the window's resolution;
  // the font's own character height gives the same font.
  int char_height = std::abs(lf.lfHeight);
  if (HDC dc = GetDC(hwnd_)) {
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) char_height = tm.tmHeight - tm.tmInternalLeading;
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
  }
  char_height = LegibleHeight(lf, char_height);
  const int dpi = WindowDpi(hwnd_);
  const std::wstring_view face_name(lf.lfFaceName);
  const std::string face = sf::Encode(std::u16string(face_name.begin(), face_name.end()));
  Call(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<std::intptr_t>(face.c_str()));
  Call(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT, std::lround(char_height * 72.0 * SC_FONT_SIZE_MULTIPLIER / dpi));
  Call(SCI_STYLESETWEIGHT, STYLE_DEFAULT, lf.lfWeight != 0 ? lf.lfWeight : FW_NORMAL);
  Call(SCI_STYLESETITALIC, STYLE_DEFAULT, lf.lfItalic != 0);
  Call(SCI_STYLESETCHARACTERSET, STYLE_DEFAULT, lf.lfCharSet);
  Call(SCI_STYLECLEARALL);
  // The glyphs of the editor font reach below the descent it reports (the
  // underscore, and g, j, p, q, y): the lines get room for them.
  Call(SCI_SETEXTRADESCENT, ScaleToDpi(2, dpi));
  SetLanguage(language_);
  number_digits_ = 0;
  SizeLineNumbers();
}

void ScintillaSurface::SetLanguage(kestil::Language language) {
  language_ = language;
  ApplyColouring(fn_, ptr_, language);
  // The margin's numbers in grey on the face of the window's frame.
  Call(SCI_STYLESETFORE, STYLE_LINENUMBER, GetSysColor(COLOR_GRAYTEXT));
  Call(SCI_STYLESETBACK, STYLE_LINENUMBER, GetSysColor(COLOR_BTNFACE));
}

std::uint32_t ScintillaSurface::ColourAt(std::size_t pos) const {
  const std::size_t byte = ByteOf(pos);
  // A word takes its style once the lexer has seen its end.
  Call(SCI_COLOURISE, 0, static_cast<std::intptr_t>(std::min(ByteLength(), byte + 4096)));
  // The component answers a style as a signed byte.
  const auto style = static_cast<unsigned char>(Call(SCI_GETSTYLEAT, byte));
  return static_cast<std::uint32_t>(Call(SCI_STYLEGETFORE, style));
}

namespace {

// The indicators of the tag marks, after the lexers' own.
constexpr int kMatchedTag = INDICATOR_CONTAINER;
constexpr int kUnmatchedTag = INDICATOR_CONTAINER + 1;

}  // namespace

void ScintillaSurface::MarkTags(const Ranges& matched, const Ranges& unmatched) {
  for (const auto& [from, to] : marked_) {
    for (int indicator : {kMatchedTag, kUnmatchedTag}) {
      Call(SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(indicator));
      Call(SCI_INDICATORCLEARRANGE, from, static_cast<std::intptr_t>(to - from));
    }
  }
  marked_ = FillIndicator(kMatchedTag, matched);
  const Ranges unmatched_bytes = FillIndicator(kUnmatchedTag, unmatched);
  marked_.insert(marked_.end(), unmatched_bytes.begin(), unmatched_bytes.end());
}

ScintillaSurface::Ranges ScintillaSurface::FillIndicator(int indicator, const Ranges& units) {
  Ranges filled;
  const std::size_t length = ByteLength();
  Call(SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(indicator));
  for (const auto& [start, end] : units) {
    const std::size_t from = std::min(ByteOf(start), length);
    const std::size_t to = std::min(ByteOf(end), length);
    if (to <= from) continue;
    Call(SCI_INDICATORFILLRANGE, from, static_cast<std::intptr_t>(to - from));
    filled.emplace_back(from, to);
  }
  return filled;
}

int ScintillaSurface::TagMarkAt(std::size_t pos) const {
  const std::size_t byte = ByteOf(pos);
  if (Call(SCI_INDICATORVALUEAT, kMatchedTag, static_cast<std::intptr_t>(byte)) != 0) return 1;
  if (Call(SCI_INDICATORVALUEAT, kUnmatchedTag, static_cast<std::intptr_t>(byte)) != 0) return 2;
  return 0;
}

// ---- the markup check's marks

// The markup check's marks: a squiggle under the text, red for an error,
// orange for a warning.
namespace {

constexpr int kErrorFinding = INDICATOR_CONTAINER + 2;
constexpr int kWarningFinding = INDICATOR_CONTAINER + 3;

}  // namespace

void ScintillaSurface::ConfigureFindingMarks() {
  Call(SCI_INDICSETSTYLE, kErrorFinding, INDIC_SQUIGGLEPIXMAP);
  Call(SCI_INDICSETFORE, kErrorFinding, RGB(0xE0, 0x00, 0x00));
  Call(SCI_INDICSETSTYLE, kWarningFinding, INDIC_SQUIGGLEPIXMAP);
  Call(SCI_INDICSETFORE, kWarningFinding, RGB(0xE8, 0x88, 0x00));
}

void ScintillaSurface::MarkFindings(const Ranges& errors, const Ranges& warnings) {
  ClearFindings();
  const bool errors_marked = !FillIndicator(kErrorFinding, errors).empty();
  const bool warnings_marked = !FillIndicator(kWarningFinding, warnings).empty();
  findings_marked_ = errors_marked || warnings_marked;
}

void ScintillaSurface::ClearFindings() {
  if (!findings_marked_) return;
  findings_marked_ = false;
  for (int indicator : {kErrorFinding, kWarningFinding}) {
    Call(SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(indicator));
    Call(SCI_INDICATORCLEARRANGE, 0, static_cast<std::intptr_t>(ByteLength()));
  }
}

void ScintillaSurface::ClearFindingsOnLines(std::size_t from, std::size_t to) {
  const std::size_t start = LineStart(LineOfByte(from));
  const auto end = static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, LineOfByte(to)));
  if (end <= start) return;
  for (int indicator : {kErrorFinding, kWarningFinding}) {
    Call(SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(indicator));
    Call(SCI_INDICATORCLEARRANGE, start, static_cast<std::intptr_t>(end - start));
  }
}

int ScintillaSurface::FindingAt(std::size_t pos) const {
  const auto byte = static_cast<std::intptr_t>(ByteOf(pos));
  if (Call(SCI_INDICATORVALUEAT, kErrorFinding, byte) != 0) return 1;
  if (Call(SCI_INDICATORVALUEAT, kWarningFinding, byte) != 0) return 2;
  return 0;
}

int ScintillaSurface::LineNumberWidth() const { return static_cast<int>(Call(SCI_GETMARGINWIDTHN, 0)); }

void ScintillaSurface::SetLineNumbers(bool shown) {
  line_numbers_ = shown;
  number_digits_ = 0;
  SizeLineNumbers();
}

// Wide enough for the largest line number and a little room on each side.
void ScintillaSurface::SizeLineNumbers() {
  // A little room between the numbers and the text.
  Call(SCI_SETMARGINLEFT, 0, line_numbers_ ? ScaleToDpi(4, WindowDpi(hwnd_)) : 1);
  if (!line_numbers_) {
    Call(SCI_SETMARGINWIDTHN, 0, 0);
    return;
  }
  int digits = 1;
  for (auto lines = Call(SCI_GETLINECOUNT); lines >= 10; lines /= 10) ++digits;
  digits = std::max(digits, 3);
  if (digits == number_digits_) return;
  number_digits_ = digits;
  const std::string nines(static_cast<std::size_t>(digits), '9');
  Call(SCI_SETMARGINTYPEN, 0, SC_MARGIN_NUMBER);
  const auto width = Call(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<std::intptr_t>(nines.c_str()));
  Call(SCI_SETMARGINWIDTHN, 0, width + ScaleToDpi(8, WindowDpi(hwnd_)));
}

namespace {

// Whether the font of that character height draws an underscore: at some
// sizes a font's bitmaps leave the row it stands on out.
bool DrawsUnderscore(LOGFONTW lf, int char_height) {
  lf.lfHeight = -char_height;
  lf.lfWidth = 0;
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  const int side = std::max(8, char_height * 3);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = side;
  info.bmiHeader.biHeight = -side;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool drawn = true;  // when the probe cannot be made, the font stays
  if (font != nullptr && dc != nullptr && bitmap != nullptr && bits != nullptr) {
    const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    const HGDIOBJ old_font = SelectObject(dc, font);
    const RECT all{0, 0, side, side};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE);
    ExtTextOutW(dc, 1, char_height * 2, 0, nullptr, L"_", 1, nullptr);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    drawn = std::any_of(p, p + side * side, [](std::uint32_t px) { return (px & 0xFF) < 0x80; });
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (dc != nullptr) DeleteDC(dc);
  if (font != nullptr) DeleteObject(font);
  return drawn;
}

}  // namespace

// The character height nearest to the asked one at which the font draws
// everything a page holds, the underscore being the first to go.
int ScintillaSurface::LegibleHeight(const LOGFONTW& lf, int char_height) {
  for (int step : {0, 1, -1, 2, -2}) {
    if (char_height + step > 0 && DrawsUnderscore(lf, char_height + step)) return char_height + step;
  }
  return char_height;
}

void ScintillaSurface::SetTabWidth(int chars) { Call(SCI_SETTABWIDTH, static_cast<std::uintptr_t>(std::clamp(chars, 1, 256))); }

void ScintillaSurface::KeepSelectionOffForms() {
  if (forms_.empty()) return;
  const auto caret = static_cast<std::size_t>(Call(SCI_GETCURRENTPOS));
  const auto anchor = static_cast<std::size_t>(Call(SCI_GETANCHOR));
  const std::size_t caret_start = forms_.FormStartOf(caret);
  const std::size_t anchor_start = forms_.FormStartOf(anchor);
  if (caret_start == caret && anchor_start == anchor) return;
  // Toward the edge that the caret came nearer to.
  auto edge = [&](std::size_t pos, std::size_t start) {
    return start == pos ? pos : (pos - start >= 2 ? start + sf::kFormBytes : start);
  };
  Call(SCI_SETANCHOR, edge(anchor, anchor_start));
  Call(SCI_SETCURRENTPOS, edge(caret, caret_start));
}

// ---- notifications

bool ScintillaSurface::DispatchNotify(LPARAM lp) {
  const auto* header = reinterpret_cast<const NMHDR*>(lp);
  if (header == nullptr || header->hwndFrom == nullptr) return false;
  if (GetWindowLongPtrW(header->hwndFrom, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(WindowProc)) {
    return false;
  }
  auto* surface = reinterpret_cast<ScintillaSurface*>(GetWindowLongPtrW(header->hwndFrom, GWLP_USERDATA));
  if (surface == nullptr) return false;
  surface->OnNotify(header);
  return true;
}

void ScintillaSurface::OnNotify(const void* notification) {
  const auto& n = *static_cast<const SCNotification*>(notification);
  try {
    if (n.nmhdr.code == SCN_MODIFIED) {
      const auto at = static_cast<std::size_t>(n.position);
      const auto length = static_cast<std::size_t>(n.length);
      if (n.modificationType & SC_MOD_BEFOREDELETE) {
        if (!own_change_) {
          const std::string removed(Bytes(at, at + length));
          Changed(at, removed, std::string());
        } else {
          ++generation_;
        }
      } else if (n.modificationType & SC_MOD_DELETETEXT) {
        if (findings_marked_) ClearFindingsOnLines(at, at);
        forms_.Replace(at, length, 0);
        const std::size_t from = at >= 2 ? at - 2 : 0;
        forms_.Rescan(from, Bytes(from, std::min(ByteLength(), at + 2)));
        if (n.linesAdded != 0) SizeLineNumbers();
      } else if (n.modificationType & SC_MOD_INSERTTEXT) {
        if (findings_marked_) ClearFindingsOnLines(at, at + length);
        if (n.linesAdded != 0) SizeLineNumbers();
        forms_.Replace(at, 0, length);
        const std::size_t from = at >= 2 ? at - 2 : 0;
        forms_.Rescan(from, Bytes(from, std::min(ByteLength(), at + length + 2)));
        Changed(at, std::string(), n.text != nullptr ? std::string(n.text, length) : std::string(Bytes(at, at + length)));
      }
    } else if (n.nmhdr.code == SCN_UPDATEUI && (n.updated & SC_UPDATE_SELECTION)) {
      KeepSelectionOffForms();
    }
  } catch (const std::bad_alloc&) {
    history_.Lose();
    has_pending_ = false;
  }
}

// ---- the window

LRESULT CALLBACK ScintillaSurface::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* s = reinterpret_cast<ScintillaSurface*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (s == nullptr || s->component_proc_ == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const WNDPROC proc = s->component_proc_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    s->hwnd_ = nullptr;
    return CallWindowProcW(proc, hwnd, msg, wp, lp);
  }
  try {
    return s->Handle(msg, wp, lp);
  } catch (const std::bad_alloc&) {
    s->history_.Lose();
    s->has_pending_ = false;
    return 0;
  }
}

LRESULT ScintillaSurface::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  const bool typing = ((msg == WM_CHAR || msg == WM_UNICHAR) && wp >= 0x20) || msg == WM_IME_CHAR ||
                      (msg == WM_IME_COMPOSITION && (lp & GCS_RESULTSTR)) || (msg == WM_CHAR && wp == '\t');
  const Changing changing(*this, typing);
  LRESULT result = 0;
  if (HandleEditMessage(msg, wp, lp, &result)) return result;
  if (HandleKey(msg, wp)) return 0;
  result = CallWindowProcW(component_proc_, hwnd_, msg, wp, lp);
  if (msg == WM_CHAR && wp >= 0x20 && wp <= 0xFFFF && typed_hook_ && !read_only()) {
    typed_hook_(static_cast<char16_t>(wp));
  }
  return result;
}

bool ScintillaSurface::HandleKey(UINT msg, WPARAM wp) {
  if (msg == WM_CHAR) {
    if (wp == '\r' || wp == '\n') {
      // Enter: a line break in the document's line ending, typed.
      if (!read_only()) {
        typing_ = true;
        Call(SCI_NEWLINE);
      }
      return true;
    }
    if (wp == 0x7F) return true;  // what Ctrl+Backspace types: the key did the work
    if (wp >= 0x20 || wp == '\t') return false;
    if (wp == '\b') {
      if (!read_only()) DeleteBack();
      return true;
    }
    // Control characters: the EDIT control's own shortcuts, nothing typed.
    switch (wp) {
      case 0x01: SelectAll(); break;
      case 0x03: Copy(); break;
      case 0x16: Paste(); break;
      case 0x18: Cut(); break;
      case 0x1A: Undo(); break;
      default: break;
    }
    return true;
  }
  if (msg != WM_KEYDOWN) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (wp == VK_DELETE && shift && !ctrl) {
    Cut();
    return true;
  }
  if (ctrl && (wp == VK_LEFT || wp == VK_RIGHT || wp == VK_BACK || wp == VK_DELETE)) {
    StepWord(wp == VK_RIGHT || wp == VK_DELETE, wp == VK_BACK || wp == VK_DELETE, shift);
    return true;
  }
  if (wp == VK_INSERT) {
    if (ctrl && !shift) Copy();
    if (shift && !ctrl) Paste();
    return true;  // no overtype
  }
  // A form is one unit: deleting before one deletes all of it.
  if (wp == VK_DELETE && !ctrl && !forms_.empty() && !HasSelection() && !read_only()) {
    const auto caret = static_cast<std::size_t>(Call(SCI_GETCURRENTPOS));
    if (sf::IsFormAt(Bytes(caret, std::min(ByteLength(), caret + sf::kFormBytes)), 0)) {
      Call(SCI_SETANCHOR, caret + sf::kFormBytes);
      Call(SCI_CLEAR);
      return true;
    }
  }
  return false;
}

void ScintillaSurface::StepWord(bool forward, bool erase, bool extend) {
  if (erase && HasSelection()) {
    if (!read_only()) ReplaceSel(u"");
    return;
  }
  const auto caret = static_cast<std::size_t>(Call(SCI_GETCURRENTPOS));
  const std::size_t line = LineOfByte(caret);
  const std::size_t start = LineStart(line);
  const auto end = static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, line));
  std::size_t to = caret;
  if (forward && caret >= end) {
    to = LineStart(line + 1);  // over the line break
  } else if (!forward && caret <= start) {
    to = line > 0 ? static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, line - 1)) : 0;
  } else {
    const std::u16string text = sf::Decode(Bytes(start, end));
    const std::size_t at = sf::UnitsOf(Bytes(start, caret));
    const std::size_t stop = forward ? kestil::NextWordStop(text, at) : kestil::PreviousWordStop(text, at);
    to = start + sf::BytesOfUnits(Bytes(start, end), stop);
  }
  if (erase) {
    if (read_only() || to == caret) return;
    Call(SCI_SETANCHOR, to);
    ReplaceSel(u"");
    return;
  }
  if (!extend) Call(SCI_SETANCHOR, to);
  Call(SCI_SETCURRENTPOS, to);
  Call(SCI_SCROLLCARET);
  Call(SCI_CHOOSECARETX);
}

void ScintillaSurface::DeleteBack() {
  const auto caret = static_cast<std::size_t>(Call(SCI_GETCURRENTPOS));
  if (!HasSelection() && caret > 0 && !forms_.empty()) {
    // A form is one unit: all of the one before the caret goes.
    const std::size_t start = forms_.FormStartOf(caret - 1);
    if (start + sf::kFormBytes == caret) Call(SCI_SETANCHOR, start);
  }
  Call(SCI_DELETEBACK);
}

bool ScintillaSurface::HandleEditMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_GETTEXTLENGTH:
      *result = static_cast<LRESULT>(UnitLength());
      return true;
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<wchar_t*>(lp);
      if (out == nullptr || wp == 0) {
        *result = 0;
        return true;
      }
      const std::u16string text = GetText();
      const std::size_t n = std::min<std::size_t>(text.size(), wp - 1);
      std::copy_n(text.begin(), n, out);
      out[n] = 0;
      *result = static_cast<LRESULT>(n);
      return true;
    }
    case WM_SETTEXT: {
      const auto* in = reinterpret_cast<const wchar_t*>(lp);
      std::u16string text;
      if (in != nullptr) text.assign(in, in + wcslen(in));
      ReplaceBytes(0, ByteLength(), sf::Encode(text));
      Call(SCI_SETANCHOR, 0);
      Call(SCI_SETCURRENTPOS, 0);
      *result = TRUE;
      return true;
    }
    case EM_GETSEL: {
      const kestil::Selection sel = GetSel();
      if (wp != 0) *reinterpret_cast<DWORD*>(wp) = static_cast<DWORD>(sel.start);
      if (lp != 0) *reinterpret_cast<DWORD*>(lp) = static_cast<DWORD>(sel.end);
      *result = MAKELRESULT(static_cast<WORD>(sel.start), static_cast<WORD>(sel.end));
      return true;
    }
    case EM_SETSEL: {
      const std::size_t length = UnitLength();
      auto clamp = [&](long long v) { return v < 0 ? length : std::min<std::size_t>(static_cast<std::size_t>(v), length); };
      const long long start = static_cast<int>(wp);
      const long long end = static_cast<int>(lp);
      if (start == -1) {
        const std::size_t caret = UnitOf(static_cast<std::size_t>(Call(SCI_GETCURRENTPOS)));
        SetSel(caret, caret);
      } else {
        // The caret goes to the end that was named second.
        const std::size_t a = ByteOf(clamp(start));
        const std::size_t c = ByteOf(clamp(end));
        Call(SCI_SETANCHOR, a);
        Call(SCI_SETCURRENTPOS, c);
      }
      *result = 0;
      return true;
    }
    case EM_REPLACESEL: {
      const auto* in = reinterpret_cast<const wchar_t*>(lp);
      if (in != nullptr) ReplaceSel(std::u16string(in, in + wcslen(in)));
      *result = 0;
      return true;
    }
    case EM_LINEINDEX: {
      long long line = static_cast<int>(wp);
      if (line < 0) line = static_cast<long long>(Call(SCI_LINEFROMPOSITION, Call(SCI_GETCURRENTPOS)));
      *result = static_cast<LRESULT>(LineIndex(line));
      return true;
    }
    case EM_LINELENGTH: {
      const long long pos = static_cast<int>(wp);
      if (pos < 0) {
        // The characters outside the selection on the lines it covers.
        const auto from = static_cast<std::size_t>(Call(SCI_GETSELECTIONSTART));
        const auto to = static_cast<std::size_t>(Call(SCI_GETSELECTIONEND));
        const std::size_t first = LineStart(LineOfByte(from));
        const auto last = static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, LineOfByte(to)));
        *result = static_cast<LRESULT>((UnitOf(from) - UnitOf(first)) + (UnitOf(last) - UnitOf(to)));
      } else {
        *result = static_cast<LRESULT>(LineLength(static_cast<std::size_t>(pos)));
      }
      return true;
    }
    case EM_LINEFROMCHAR: {
      const long long pos = static_cast<int>(wp);
      const std::size_t byte = pos < 0 ? static_cast<std::size_t>(Call(SCI_GETSELECTIONSTART))
                                       : ByteOf(static_cast<std::size_t>(pos));
      *result = static_cast<LRESULT>(LineOfByte(byte));
      return true;
    }
    case EM_GETLINECOUNT:
      *result = static_cast<LRESULT>(LineCount());
      return true;
    case EM_GETLINE: {
      // The buffer's first word says how many units it holds; nothing is
      // written past them, and no terminator.
      auto* out = reinterpret_cast<wchar_t*>(lp);
      *result = 0;
      const long long line = static_cast<int>(wp);
      if (out == nullptr || line < 0 || line >= Call(SCI_GETLINECOUNT)) return true;
      const std::size_t room = *reinterpret_cast<const WORD*>(out);
      const std::size_t start = LineStart(static_cast<std::size_t>(line));
      const auto end = static_cast<std::size_t>(Call(SCI_GETLINEENDPOSITION, static_cast<std::uintptr_t>(line)));
      const std::u16string text = sf::Decode(Bytes(start, end));
      const std::size_t n = std::min(room, text.size());
      std::copy_n(text.begin(), n, out);
      *result = static_cast<LRESULT>(n);
      return true;
    }
    case EM_POSFROMCHAR: {
      const std::size_t unit = static_cast<std::size_t>(wp);
      if (unit > UnitLength()) {
        *result = -1;
        return true;
      }
      const std::size_t byte = ByteOf(unit);
      const auto x = Call(SCI_POINTXFROMPOSITION, 0, static_cast<std::intptr_t>(byte));
      const auto y = Call(SCI_POINTYFROMPOSITION, 0, static_cast<std::intptr_t>(byte));
      *result = MAKELRESULT(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
      return true;
    }
    case EM_CHARFROMPOS: {
      const int x = static_cast<short>(LOWORD(lp));
      const int y = static_cast<short>(HIWORD(lp));
      const auto byte = static_cast<std::size_t>(Call(SCI_POSITIONFROMPOINT, static_cast<std::uintptr_t>(x), y));
      const std::size_t unit = UnitOf(byte);
      *result = MAKELRESULT(static_cast<WORD>(unit), static_cast<WORD>(LineOfByte(byte)));
      return true;
    }
    case EM_SCROLLCARET:
      ScrollCaret();
      *result = TRUE;
      return true;
    case EM_CANUNDO:
      *result = CanUndo() ? TRUE : FALSE;
      return true;
    case EM_UNDO: case WM_UNDO:
      *result = CanUndo() ? TRUE : FALSE;
      Undo();
      return true;
    case EM_EMPTYUNDOBUFFER:
      // Whoever empties the history, the edits are still unsaved.
      history_.Forget();
      *result = 0;
      return true;
    case EM_GETMODIFY:
      *result = IsModified() ? TRUE : FALSE;
      return true;
    case EM_SETMODIFY:
      // Only a file can make the text saved: a cleared flag from outside
      // never hides edits that no file holds.
      if (wp) MarkUnsaved();
      *result = 0;
      return true;
    case EM_SETREADONLY: {
      Call(SCI_SETREADONLY, wp ? 1 : 0);
      const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
      SetWindowLongW(hwnd_, GWL_STYLE, wp ? style | ES_READONLY : style & ~ES_READONLY);
      *result = TRUE;
      return true;
    }
    case WM_CUT: Cut(); *result = 0; return true;
    case WM_COPY: Copy(); *result = 0; return true;
    case WM_PASTE: Paste(); *result = 0; return true;
    case WM_CLEAR: Clear(); *result = 0; return true;
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wp));
      if (LOWORD(lp)) InvalidateRect(hwnd_, nullptr, TRUE);
      *result = 0;
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(font_);
      return true;
    case EM_SETTABSTOPS: {
      // Tab stops in dialog units, four to an average character.
      int units = 32;
      if (wp >= 1 && lp != 0) units = *reinterpret_cast<const INT*>(lp);
      SetTabWidth(std::max(1, units / 4));
      *result = TRUE;
      return true;
    }
    case EM_SETLIMITTEXT:
      *result = 0;
      return true;
    case EM_GETLIMITTEXT:
      *result = 0x7FFFFFFE;
      return true;
    case EM_GETHANDLE:
      *result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace fw
