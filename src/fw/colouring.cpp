#include "fw/colouring.h"

#include <ILexer.h>
#include <Lexilla.h>
#include <SciLexer.h>
#include <Scintilla.h>
#include <LexerModule.h>

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
      lexer = lmHTML.Create();
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
    // JavaScript within a page takes the same look as in a page's script.
  } else if (language == kestil::Language::kScript) {
    send(SCI_SETKEYWORDS, 0, reinterpret_cast<std::intptr_t>(kScriptWords));
  } else if (language == kestil::Language::kCss) {
    send(SCI_SETKEYWORDS, 0, reinterpret_cast<std::intptr_t>(kCssProperties));
    send(SCI_SETKEYWORDS, 1, reinterpret_cast<std::intptr_t>(kCssPseudoClasses));
  }
  for (std::size_t i = 0; i < count; ++i) {
    const Colour& c = ColourOf(styles[i].role);
    send(SCI_STYLESETFORE, static_cast<std::uintptr_t>(styles[i].style), static_cast<std::intptr_t>(c.fore));
    send(SCI_STYLESETBOLD, static_cast<std::uintptr_t>(styles[i].style), c.bold);
  }
}

}  // namespace fw
