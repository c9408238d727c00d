#include "fw/colouring.h"

#include <ILexer.h>
#include <Lexilla.h>
#include <SciLexer.h>
#include <Scintilla.h>
#include <LexerModule.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "fw/win.h"

// The lexers' modules, as Lexilla's own catalogue names them.
extern Lexilla::LexerModule lmHTML;
extern Lexilla::LexerModule lmCss;
extern Lexilla::LexerModule lmCPP;

namespace fw {
namespace {

struct Colour {
  Role role;
  COLORREF fore;
  bool bold;
};

// The program's palette, readable on a light window colour.
constexpr Colour kPalette[] = {
    {Role::kTag, RGB(0x00, 0x00, 0xA0), false},
    {Role::kUnknownTag, RGB(0xC0, 0x00, 0x00), false},
    {Role::kAttribute, RGB(0x00, 0x70, 0x70), false},
    {Role::kUnknownAttribute, RGB(0xC0, 0x40, 0x00), false},
    {Role::kValue, RGB(0x90, 0x00, 0x90), false},
    {Role::kComment, RGB(0x00, 0x80, 0x00), false},
    {Role::kEntity, RGB(0x80, 0x50, 0x00), false},
    {Role::kDoctype, RGB(0x60, 0x60, 0x60), false},
    {Role::kScriptKeyword, RGB(0x00, 0x00, 0xFF), true},
    {Role::kScriptString, RGB(0xA0, 0x20, 0x20), false},
    {Role::kScriptComment, RGB(0x00, 0x80, 0x00), false},
    {Role::kScriptNumber, RGB(0x00, 0x80, 0x80), false},
    {Role::kScriptRegex, RGB(0x80, 0x40, 0x00), false},
    {Role::kCssSelector, RGB(0x80, 0x00, 0x00), false},
    {Role::kCssProperty, RGB(0x00, 0x50, 0xC0), false},
    {Role::kCssUnknownProperty, RGB(0xC0, 0x40, 0x00), false},
    {Role::kCssValue, RGB(0x90, 0x00, 0x90), false},
    {Role::kCssComment, RGB(0x00, 0x80, 0x00), false},
    {Role::kCssAtRule, RGB(0x60, 0x00, 0xA0), true},
};

const Colour& ColourOf(Role role) {
  for (const Colour& c : kPalette) {
    if (c.role == role) return c;
  }
  return kPalette[0];
}

struct StyleRole {
  int style;
  Role role;
};

constexpr StyleRole kHtmlStyles[] = {
    {SCE_H_TAG, Role::kTag}, {SCE_H_TAGEND, Role::kTag}, {SCE_H_TAGUNKNOWN, Role::kUnknownTag},
    {SCE_H_ATTRIBUTE, Role::kAttribute}, {SCE_H_ATTRIBUTEUNKNOWN, Role::kUnknownAttribute},
    {SCE_H_DOUBLESTRING, Role::kValue}, {SCE_H_SINGLESTRING, Role::kValue}, {SCE_H_VALUE, Role::kValue},
    {SCE_H_NUMBER, Role::kValue}, {SCE_H_COMMENT, Role::kComment}, {SCE_H_ENTITY, Role::kEntity},
    {SCE_H_SGML_DEFAULT, Role::kDoctype}, {SCE_H_SGML_COMMAND, Role::kDoctype},
    {SCE_H_SGML_1ST_PARAM, Role::kDoctype}, {SCE_H_SGML_DOUBLESTRING, Role::kDoctype},
    {SCE_H_SGML_SIMPLESTRING, Role::kDoctype}, {SCE_H_SGML_ERROR, Role::kDoctype},
    {SCE_H_SGML_COMMENT, Role::kComment}, {SCE_H_XMLSTART, Role::kDoctype}, {SCE_H_XMLEND, Role::kDoctype},
    {SCE_H_CDATA, Role::kDoctype},
    {SCE_HJ_KEYWORD, Role::kScriptKeyword}, {SCE_HJ_DOUBLESTRING, Role::kScriptString},
    {SCE_HJ_SINGLESTRING, Role::kScriptString}, {SCE_HJ_STRINGEOL, Role::kScriptString},
    {SCE_HJ_COMMENT, Role::kScriptComment}, {SCE_HJ_COMMENTLINE, Role::kScriptComment},
    {SCE_HJ_COMMENTDOC, Role::kScriptComment}, {SCE_HJ_NUMBER, Role::kScriptNumber},
    {SCE_HJ_REGEX, Role::kScriptRegex},
};

constexpr StyleRole kCssStyles[] = {
    {SCE_CSS_TAG, Role::kCssSelector}, {SCE_CSS_CLASS, Role::kCssSelector}, {SCE_CSS_ID, Role::kCssSelector},
    {SCE_CSS_PSEUDOCLASS, Role::kCssSelector}, {SCE_CSS_EXTENDED_PSEUDOCLASS, Role::kCssSelector},
    {SCE_CSS_PSEUDOELEMENT, Role::kCssSelector}, {SCE_CSS_EXTENDED_PSEUDOELEMENT, Role::kCssSelector},
    {SCE_CSS_UNKNOWN_PSEUDOCLASS, Role::kCssSelector}, {SCE_CSS_ATTRIBUTE, Role::kCssSelector},
    {SCE_CSS_IDENTIFIER, Role::kCssProperty}, {SCE_CSS_IDENTIFIER2, Role::kCssProperty},
    {SCE_CSS_IDENTIFIER3, Role::kCssProperty}, {SCE_CSS_EXTENDED_IDENTIFIER, Role::kCssProperty},
    {SCE_CSS_UNKNOWN_IDENTIFIER, Role::kCssUnknownProperty}, {SCE_CSS_VALUE, Role::kCssValue},
    {SCE_CSS_DOUBLESTRING, Role::kCssValue}, {SCE_CSS_SINGLESTRING, Role::kCssValue},
    {SCE_CSS_IMPORTANT, Role::kCssAtRule}, {SCE_CSS_DIRECTIVE, Role::kCssAtRule},
    {SCE_CSS_GROUP_RULE, Role::kCssAtRule}, {SCE_CSS_COMMENT, Role::kCssComment},
};

constexpr StyleRole kScriptStyles[] = {
    {SCE_C_WORD, Role::kScriptKeyword}, {SCE_C_WORD2, Role::kScriptKeyword},
    {SCE_C_STRING, Role::kScriptString}, {SCE_C_CHARACTER, Role::kScriptString},
    {SCE_C_STRINGEOL, Role::kScriptString}, {SCE_C_STRINGRAW, Role::kScriptString},
    {SCE_C_COMMENT, Role::kScriptComment}, {SCE_C_COMMENTLINE, Role::kScriptComment},
    {SCE_C_COMMENTDOC, Role::kScriptComment}, {SCE_C_COMMENTLINEDOC, Role::kScriptComment},
    {SCE_C_NUMBER, Role::kScriptNumber}, {SCE_C_REGEX, Role::kScriptRegex},
};

// HTML's elements and attributes as the HTML Standard lists them, with the
// classic ones that pages still hold; data-* and aria-* by their prefixes.
constexpr char kHtmlWords[] =
    "a abbr acronym address applet area article aside audio b base basefont bdi bdo big blink "
    "blockquote body br button canvas caption center cite code col colgroup data datalist dd del "
    "details dfn dialog dir div dl dt em embed fieldset figcaption figure font footer form frame "
    "frameset h1 h2 h3 h4 h5 h6 head header hgroup hr html i iframe img input ins kbd keygen label "
    "legend li link main map mark marquee menu meta meter nav nobr noframes noscript object ol "
    "optgroup option output p param picture pre progress q rb rp rt rtc ruby s samp script search "
    "section select slot small source span strike strong style sub summary sup table tbody td "
    "template textarea tfoot th thead time title tr track tt u ul var video wbr xmp "
    "abbr accept accept-charset accesskey action align alink allow allowfullscreen alt archive "
    "async autocapitalize autocomplete autofocus autoplay background bgcolor border bordercolor "
    "bordercolordark bordercolorlight capture cellpadding cellspacing char charoff charset checked "
    "cite class classid clear code codebase codetype color cols colspan compact content "
    "contenteditable controls coords crossorigin data datetime decoding declare default defer dir "
    "dirname disabled download draggable enctype enterkeyhint face for form formaction formenctype "
    "formmethod formnovalidate formtarget frame frameborder headers height hidden high href "
    "hreflang hspace http-equiv id inert inputmode integrity is ismap itemid itemprop itemref "
    "itemscope itemtype kind label lang language leftmargin link list loading longdesc loop low "
    "marginheight marginwidth max maxlength media method min minlength multiple muted name "
    "nohref noresize noshade novalidate nowrap onabort onblur onchange onclick ondblclick onerror "
    "onfocus oninput onkeydown onkeypress onkeyup onload onmousedown onmousemove onmouseout "
    "onmouseover onmouseup onreset onresize onscroll onselect onsubmit onunload open optimum "
    "pattern ping placeholder playsinline popover poster preload profile readonly referrerpolicy "
    "rel required rev reversed role rows rowspan rules sandbox scheme scope scrolling selected "
    "shape size sizes slot span spellcheck src srcdoc srclang srcset standby start step style "
    "summary tabindex target text title topmargin translate type usemap valign value valuetype "
    "version vlink vspace width wrap ^data- ^aria- ^on";

constexpr char kScriptWords[] =
    "abstract async await boolean break byte case catch char class const continue debugger "
    "default delete do double else enum export extends false final finally float for function "
    "goto if implements import in instanceof int interface let long native new null of package "
    "private protected public return short static super switch synchronized this throw throws "
    "transient true try typeof undefined var void volatile while with yield";

// CSS's properties that pages use, and its pseudo-classes and elements.
constexpr char kCssProperties[] =
    "align-content align-items align-self all animation animation-delay animation-direction "
    "animation-duration animation-fill-mode animation-iteration-count animation-name "
    "animation-timing-function aspect-ratio backdrop-filter backface-visibility background "
    "background-attachment background-clip background-color background-image background-origin "
    "background-position background-repeat background-size block-size border border-bottom "
    "border-bottom-color border-bottom-left-radius border-bottom-right-radius border-bottom-style "
    "border-bottom-width border-collapse border-color border-image border-left border-left-color "
    "border-left-style border-left-width border-radius border-right border-right-color "
    "border-right-style border-right-width border-spacing border-style border-top border-top-color "
    "border-top-left-radius border-top-right-radius border-top-style border-top-width border-width "
    "bottom box-shadow box-sizing break-after break-before caption-side caret-color clear clip "
    "clip-path color column-count column-gap column-rule column-width columns content counter-increment "
    "counter-reset cursor direction display empty-cells filter flex flex-basis flex-direction "
    "flex-flow flex-grow flex-shrink flex-wrap float font font-family font-feature-settings "
    "font-size font-stretch font-style font-variant font-weight gap grid grid-area grid-auto-columns "
    "grid-auto-flow grid-auto-rows grid-column grid-column-end grid-column-start grid-row "
    "grid-row-end grid-row-start grid-template grid-template-areas grid-template-columns "
    "grid-template-rows height hyphens inline-size inset isolation justify-content justify-items "
    "justify-self left letter-spacing line-break line-height list-style list-style-image "
    "list-style-position list-style-type margin margin-block margin-bottom margin-inline margin-left "
    "margin-right margin-top mask max-height max-width min-height min-width mix-blend-mode "
    "object-fit object-position opacity order orphans outline outline-color outline-offset "
    "outline-style outline-width overflow overflow-wrap overflow-x overflow-y padding padding-block "
    "padding-bottom padding-inline padding-left padding-right padding-top page-break-after "
    "page-break-before perspective place-content place-items pointer-events position quotes resize "
    "right rotate row-gap scale scroll-behavior scroll-margin scroll-padding tab-size table-layout "
    "text-align text-align-last text-decoration text-decoration-color text-decoration-line "
    "text-decoration-style text-emphasis text-indent text-orientation text-overflow text-shadow "
    "text-transform text-underline-offset top transform transform-origin transition "
    "transition-delay transition-duration transition-property transition-timing-function translate "
    "unicode-bidi user-select vertical-align visibility white-space widows width will-change "
    "word-break word-spacing word-wrap writing-mode z-index zoom";

constexpr char kCssPseudoClasses[] =
    "active after before checked default disabled empty enabled first first-child first-letter "
    "first-line first-of-type focus focus-visible focus-within has hover in-range indeterminate "
    "invalid is lang last-child last-of-type link not nth-child nth-last-child nth-last-of-type "
    "nth-of-type only-child only-of-type optional out-of-range placeholder-shown read-only "
    "read-write required root selection target valid visited where";

// Within a page, CSS's styles stand after every style of HTML's lexer (its
// PHP ones end at 127), and the styles of script in event attributes after
// CSS's.
constexpr int kCssInPage = 128;
constexpr int kScriptInPage = 160;
constexpr int kIslandStyles = 32;

bool IsIsland(int style) { return style >= kCssInPage; }

// Whether HTML's lexer counts a style as inside a tag.
bool InTagStyle(int style) {
  return style == SCE_H_TAG || style == SCE_H_TAGUNKNOWN || style == SCE_H_SCRIPT || style == SCE_H_ATTRIBUTE ||
         style == SCE_H_ATTRIBUTEUNKNOWN || style == SCE_H_NUMBER || style == SCE_H_OTHER ||
         style == SCE_H_DOUBLESTRING || style == SCE_H_SINGLESTRING;
}

// Another lexer's view of a page: the same text, its own styles moved past
// HTML's by `offset`, and no line states or fold levels of its own, which
// the page's lexer keeps.
class IslandView final : public Scintilla::IDocument {
 public:
  IslandView(Scintilla::IDocument& page, int offset) : page_(page), offset_(offset) {}
  int SCI_METHOD Version() const override { return page_.Version(); }
  void SCI_METHOD SetErrorStatus(int status) override { page_.SetErrorStatus(status); }
  Sci_Position SCI_METHOD Length() const override { return page_.Length(); }
  void SCI_METHOD GetCharRange(char* buffer, Sci_Position position, Sci_Position length) const override {
    page_.GetCharRange(buffer, position, length);
  }
  char SCI_METHOD StyleAt(Sci_Position position) const override {
    const int style = static_cast<unsigned char>(page_.StyleAt(position)) - offset_;
    return static_cast<char>(style >= 0 && style < kIslandStyles ? style : 0);
  }
  Sci_Position SCI_METHOD LineFromPosition(Sci_Position position) const override { return page_.LineFromPosition(position); }
  Sci_Position SCI_METHOD LineStart(Sci_Position line) const override { return page_.LineStart(line); }
  int SCI_METHOD GetLevel(Sci_Position line) const override { return page_.GetLevel(line); }
  int SCI_METHOD SetLevel(Sci_Position, int) override { return 0; }
  int SCI_METHOD GetLineState(Sci_Position) const override { return 0; }
  int SCI_METHOD SetLineState(Sci_Position, int) override { return 0; }
  void SCI_METHOD StartStyling(Sci_Position position) override { page_.StartStyling(position); }
  bool SCI_METHOD SetStyleFor(Sci_Position length, char style) override {
    return page_.SetStyleFor(length, Moved(style));
  }
  bool SCI_METHOD SetStyles(Sci_Position length, const char* styles) override {
    std::string moved(styles, static_cast<std::size_t>(length));
    for (char& s : moved) s = Moved(s);
    return page_.SetStyles(length, moved.data());
  }
  void SCI_METHOD DecorationSetCurrentIndicator(int indicator) override { page_.DecorationSetCurrentIndicator(indicator); }
  void SCI_METHOD DecorationFillRange(Sci_Position position, int value, Sci_Position length) override {
    page_.DecorationFillRange(position, value, length);
  }
  void SCI_METHOD ChangeLexerState(Sci_Position start, Sci_Position end) override { page_.ChangeLexerState(start, end); }
  int SCI_METHOD CodePage() const override { return page_.CodePage(); }
  bool SCI_METHOD IsDBCSLeadByte(char ch) const override { return page_.IsDBCSLeadByte(ch); }
  const char* SCI_METHOD BufferPointer() override { return page_.BufferPointer(); }
  int SCI_METHOD GetLineIndentation(Sci_Position line) override { return page_.GetLineIndentation(line); }
  Sci_Position SCI_METHOD LineEnd(Sci_Position line) const override { return page_.LineEnd(line); }
  Sci_Position SCI_METHOD GetRelativePosition(Sci_Position start, Sci_Position offset) const override {
    return page_.GetRelativePosition(start, offset);
  }
  int SCI_METHOD GetCharacterAndWidth(Sci_Position position, Sci_Position* width) const override {
    return page_.GetCharacterAndWidth(position, width);
  }

 private:
  char Moved(char style) const {
    const int s = static_cast<unsigned char>(style);
    return static_cast<char>((s < kIslandStyles ? s : 0) + offset_);
  }
  Scintilla::IDocument& page_;
  int offset_;
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The page's bytes read forwards a block at a time.
class PageBytes {
 public:
  explicit PageBytes(Scintilla::IDocument& doc) : doc_(doc), length_(doc.Length()) {}
  Sci_Position length() const { return length_; }
  // The byte at pos, or 0 outside the page.
  char At(Sci_Position pos) {
    if (pos < 0 || pos >= length_) return 0;
    if (pos < base_ || pos >= base_ + filled_) {
      base_ = pos;
      filled_ = std::min<Sci_Position>(sizeof buffer_, length_ - pos);
      doc_.GetCharRange(buffer_, base_, filled_);
    }
    return buffer_[pos - base_];
  }
  // Whether the bytes at pos spell `lower` in any case.
  bool Spells(Sci_Position pos, std::string_view lower) {
    for (std::size_t i = 0; i < lower.size(); ++i) {
      if (LowerAscii(At(pos + static_cast<Sci_Position>(i))) != lower[i]) return false;
    }
    return true;
  }

 private:
  Scintilla::IDocument& doc_;
  Sci_Position length_;
  Sci_Position base_ = 0;
  Sci_Position filled_ = 0;
  char buffer_[4096] = {};
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// A page: HTML's lexer, then CSS's over the content of each <style> block
// and each style attribute's value, and the script lexer over the values of
// event attributes (onclick, onload, ...).
class PageLexer final : public Scintilla::ILexer5 {
 public:
  PageLexer() : html_(lmHTML.Create()), css_(lmCss.Create()), script_(lmCPP.Create()) {}
  ~PageLexer() {
    html_->Release();
    css_->Release();
    script_->Release();
  }
  PageLexer(const PageLexer&) = delete;
  PageLexer& operator=(const PageLexer&) = delete;

  int SCI_METHOD Version() const override { return Scintilla::lvRelease5; }
  void SCI_METHOD Release() override { delete this; }
  const char* SCI_METHOD PropertyNames() override { return html_->PropertyNames(); }
  int SCI_METHOD PropertyType(const char* name) override { return html_->PropertyType(name); }
  const char* SCI_METHOD DescribeProperty(const char* name) override { return html_->DescribeProperty(name); }
  Sci_Position SCI_METHOD PropertySet(const char* key, const char* val) override {
    css_->PropertySet(key, val);
    script_->PropertySet(key, val);
    return html_->PropertySet(key, val);
  }
  const char* SCI_METHOD DescribeWordListSets() override { return html_->DescribeWordListSets(); }
  // Word lists 0-5 are HTML's (1 its script keywords, which event
  // attributes share); 6 and 7 CSS's properties and pseudo-classes.
  Sci_Position SCI_METHOD WordListSet(int n, const char* wl) override {
    if (n >= 6) return css_->WordListSet(n - 6, wl);
    if (n == 1) script_->WordListSet(0, wl);
    return html_->WordListSet(n, wl);
  }
  void SCI_METHOD Lex(Sci_PositionU startPos, Sci_Position lengthDoc, int initStyle, Scintilla::IDocument* doc) override {
    auto start = static_cast<Sci_Position>(startPos);
    const Sci_Position end = start + lengthDoc;
    // Back to where HTML's lexer knows its state: out of an island and out
    // of the tag that holds it, at a line's start.
    const Sci_Position asked = start;
    for (;;) {
      while (start > 0 && IsIsland(Style(*doc, start - 1))) --start;
      if (start == 0 || !InTagStyle(Style(*doc, start - 1))) break;
      start = doc->LineStart(doc->LineFromPosition(start - 1));
    }
    if (start != asked) initStyle = start > 0 ? Style(*doc, start - 1) : 0;
    html_->Lex(static_cast<Sci_PositionU>(start), end - start, initStyle, doc);
    PageBytes bytes(*doc);
    LexStyleBlocks(*doc, bytes, start, end);
    LexAttributes(*doc, bytes, start, end);
    // The islands' passes leave the styled end at their own; the whole range
    // is styled.
    doc->StartStyling(end);
  }
  void SCI_METHOD Fold(Sci_PositionU, Sci_Position, int, Scintilla::IDocument*) override {}
  void* SCI_METHOD PrivateCall(int operation, void* pointer) override { return html_->PrivateCall(operation, pointer); }
  int SCI_METHOD LineEndTypesSupported() override { return html_->LineEndTypesSupported(); }
  int SCI_METHOD AllocateSubStyles(int, int) override { return -1; }
  int SCI_METHOD SubStylesStart(int) override { return -1; }
  int SCI_METHOD SubStylesLength(int) override { return 0; }
  int SCI_METHOD StyleFromSubStyle(int sub) override { return sub; }
  int SCI_METHOD PrimaryStyleFromStyle(int style) override { return style; }
  void SCI_METHOD FreeSubStyles() override {}
  void SCI_METHOD SetIdentifiers(int, const char*) override {}
  int SCI_METHOD DistanceToSecondaryStyles() override { return 0; }
  const char* SCI_METHOD GetSubStyleBases() override { return ""; }
  int SCI_METHOD NamedStyles() override { return html_->NamedStyles(); }
  const char* SCI_METHOD NameOfStyle(int style) override { return html_->NameOfStyle(style); }
  const char* SCI_METHOD TagsOfStyle(int style) override { return html_->TagsOfStyle(style); }
  const char* SCI_METHOD DescriptionOfStyle(int style) override { return html_->DescriptionOfStyle(style); }
  const char* SCI_METHOD GetName() override { return "kestil-page"; }
  int SCI_METHOD GetIdentifier() override { return SCLEX_HTML; }
  const char* SCI_METHOD PropertyGet(const char* key) override { return html_->PropertyGet(key); }

 private:
  static int Style(Scintilla::IDocument& doc, Sci_Position pos) { return static_cast<unsigned char>(doc.StyleAt(pos)); }
  static bool IsTagStyle(Scintilla::IDocument& doc, Sci_Position pos) {
    const int style = Style(doc, pos);
    return style == SCE_H_TAG || style == SCE_H_TAGUNKNOWN;
  }
  static bool IsAttributeStyle(int style) { return style == SCE_H_ATTRIBUTE || style == SCE_H_ATTRIBUTEUNKNOWN; }

  void LexIsland(Scintilla::ILexer5* lexer, int offset, int init, Sci_Position from, Sci_Position to,
                 Scintilla::IDocument& doc) {
    if (to <= from) return;
    IslandView view(doc, offset);
    lexer->Lex(static_cast<Sci_PositionU>(from), to - from, init, &view);
  }

  // CSS over each <style> block's content in [start, end): a block open
  // where the range starts, then every block that opens in it.
  void LexStyleBlocks(Scintilla::IDocument& doc, PageBytes& bytes, Sci_Position start, Sci_Position end) {
    for (Sci_Position i = start; i + 6 < end; ++i) {
      if (bytes.At(i) != '<' || !bytes.Spells(i, "<style") || !IsTagStyle(doc, i + 1)) continue;
      const char after = bytes.At(i + 6);
      if (after != '>' && !IsSpace(after)) continue;
      Sci_Position content = i + 6;
      while (content < end && bytes.At(content) != '>') ++content;
      if (content >= end) break;
      ++content;
      Sci_Position close = content;
      while (close < end && !(bytes.At(close) == '<' && bytes.Spells(close, "</style"))) ++close;
      LexIsland(css_, kCssInPage, SCE_CSS_DEFAULT, content, close, doc);
      i = close;
    }
  }

  // CSS over the values of style attributes and script over those of event
  // attributes in [start, end). The lexer has styled each attribute's name.
  void LexAttributes(Scintilla::IDocument& doc, PageBytes& bytes, Sci_Position start, Sci_Position end) {
    constexpr Sci_Position kLongestName = 32;
    for (Sci_Position i = start; i < end; ++i) {
      if (bytes.At(i) != '=') continue;
      Sci_Position name_end = i;
      while (name_end > start && IsSpace(bytes.At(name_end - 1)) && i - name_end < kLongestName) --name_end;
      if (name_end == start || !IsAttributeStyle(Style(doc, name_end - 1))) continue;
      Sci_Position name_start = name_end - 1;
      while (name_start > start && name_end - name_start < kLongestName && IsAttributeStyle(Style(doc, name_start - 1))) {
        --name_start;
      }
      const Sci_Position name_length = name_end - name_start;
      const bool css = name_length == 5 && bytes.Spells(name_start, "style");
      const bool script = name_length > 2 && bytes.Spells(name_start, "on");
      if (!css && !script) continue;
      Sci_Position value = i + 1;
      while (value < end && IsSpace(bytes.At(value))) ++value;
      if (value >= end) break;
      const char quote = bytes.At(value);
      Sci_Position value_end = value;
      if (quote == '"' || quote == '\'') {
        ++value;
        value_end = value;
        while (value_end < end && bytes.At(value_end) != quote) ++value_end;
      } else {
        while (value_end < end && !IsSpace(bytes.At(value_end)) && bytes.At(value_end) != '>') ++value_end;
      }
      if (css) {
        LexIsland(css_, kCssInPage, SCE_CSS_IDENTIFIER, value, value_end, doc);
      } else {
        LexIsland(script_, kScriptInPage, SCE_C_DEFAULT, value, value_end, doc);
      }
      i = value_end;
    }
  }

  Scintilla::ILexer5* html_;
  Scintilla::ILexer5* css_;
  Scintilla::ILexer5* script_;
};

bool HighContrast() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

std::uint32_t PaletteColour(Role role) { return ColourOf(role).fore; }

void ApplyColouring(SurfaceCall call, std::intptr_t surface, kestil::Language language) {
  auto send = [&](unsigned msg, std::uintptr_t wp = 0, std::intptr_t lp = 0) { return call(surface, msg, wp, lp); };
  if (HighContrast()) language = kestil::Language::kPlain;
  Scintilla::ILexer5* lexer = nullptr;
  const StyleRole* styles = nullptr;
  std::size_t count = 0;
  switch (language) {
    case kestil::Language::kHtml:
      lexer = new PageLexer();
      styles = kHtmlStyles;
      count = std::size(kHtmlStyles);
      break;
    case kestil::Language::kCss:
      lexer = lmCss.Create();
      styles = kCssStyles;
      count = std::size(kCssStyles);
      break;
    case kestil::Language::kScript:
      lexer = lmCPP.Create();
      styles = kScriptStyles;
      count = std::size(kScriptStyles);
      break;
    case kestil::Language::kPlain:
      break;
  }
  // Every style back to the default one (the editor font, the window's
  // colours), then the palette's.
  send(SCI_STYLECLEARALL);
  send(SCI_SETILEXER, 0, reinterpret_cast<std::intptr_t>(lexer));
  // Styling goes on in idle time once a lexer styles; without one the
  // component would wait for styles that never come.
  send(SCI_SETIDLESTYLING, lexer != nullptr ? SC_IDLESTYLING_ALL : SC_IDLESTYLING_NONE);
  if (lexer == nullptr) return;
  send(SCI_SETPROPERTY, reinterpret_cast<std::uintptr_t>("fold"), reinterpret_cast<std::intptr_t>("0"));
  if (language == kestil::Language::kHtml) {
    send(SCI_SETKEYWORDS, 0, reinterpret_cast<std::intptr_t>(kHtmlWords));
    send(SCI_SETKEYWORDS, 1, reinterpret_cast<std::intptr_t>(kScriptWords));
    send(SCI_SETKEYWORDS, 5, reinterpret_cast<std::intptr_t>("DOCTYPE ELEMENT ATTLIST ENTITY NOTATION doctype"));
    send(SCI_SETKEYWORDS, 6, reinterpret_cast<std::intptr_t>(kCssProperties));
    send(SCI_SETKEYWORDS, 7, reinterpret_cast<std::intptr_t>(kCssPseudoClasses));
    // JavaScript within a page takes the same look as in a page's script.
  } else if (language == kestil::Language::kScript) {
    send(SCI_SETKEYWORDS, 0, reinterpret_cast<std::intptr_t>(kScriptWords));
  } else if (language == kestil::Language::kCss) {
    send(SCI_SETKEYWORDS, 0, reinterpret_cast<std::intptr_t>(kCssProperties));
    send(SCI_SETKEYWORDS, 1, reinterpret_cast<std::intptr_t>(kCssPseudoClasses));
  }
  auto paint = [&](const StyleRole* table, std::size_t n, int base) {
    for (std::size_t i = 0; i < n; ++i) {
      const Colour& c = ColourOf(table[i].role);
      const std::uintptr_t style = static_cast<std::uintptr_t>(table[i].style) + static_cast<std::uintptr_t>(base);
      send(SCI_STYLESETFORE, style, static_cast<std::intptr_t>(c.fore));
      send(SCI_STYLESETBOLD, style, c.bold);
    }
  };
  paint(styles, count, 0);
  if (language == kestil::Language::kHtml) {
    paint(kCssStyles, std::size(kCssStyles), kCssInPage);
    paint(kScriptStyles, std::size(kScriptStyles), kScriptInPage);
  }
}

}  // namespace fw
