#include "frame/encoding_commands.h"

#include <string>

#include "fw/text.h"
#include "res/resource.h"

namespace kestil {
namespace {

struct EncodingItem {
  unsigned id;
  Encoding encoding;
};

constexpr EncodingItem kEncodings[] = {
    {ID_ENCODING_SHIFT_JIS, Encoding::kShiftJis}, {ID_ENCODING_UTF8, Encoding::kUtf8},
    {ID_ENCODING_UTF8_BOM, Encoding::kUtf8Bom},   {ID_ENCODING_UTF16_LE, Encoding::kUtf16Le},
    {ID_ENCODING_UTF16_BE, Encoding::kUtf16Be},
};

struct LineEndingItem {
  unsigned id;
  LineEnding ending;
};

constexpr LineEndingItem kLineEndings[] = {
    {ID_LINE_ENDING_CRLF, LineEnding::kCrLf},
    {ID_LINE_ENDING_LF, LineEnding::kLf},
    {ID_LINE_ENDING_CR, LineEnding::kCr},
};

std::wstring EncodingPane(const fw::Document& doc) { return fw::AsWide(EncodingName(doc.encoding())); }

std::wstring LineEndingPane(const fw::Document& doc) {
  std::wstring text = fw::AsWide(Name(doc.line_ending()));
  if (doc.line_endings_mixed()) text += L" 混在";
  return text;
}

}  // namespace

void InstallEncodingCommands(fw::Document& doc) {
  doc.On(ID_REOPEN_SHIFT_JIS, [&doc] { doc.ReopenAs(Encoding::kShiftJis); });
  doc.On(ID_REOPEN_UTF8, [&doc] { doc.ReopenAs(Encoding::kUtf8); });
  for (unsigned id : {ID_REOPEN_SHIFT_JIS, ID_REOPEN_UTF8}) {
    doc.OnUpdate(id, [&doc](fw::CmdUI& ui) { ui.Enable(!doc.path_name().empty()); });
  }
  for (const EncodingItem& item : kEncodings) {
    doc.On(item.id, [&doc, e = item.encoding] { doc.ConvertEncoding(e); });
    doc.OnUpdate(item.id, [&doc, e = item.encoding](fw::CmdUI& ui) {
      ui.SetRadio(doc.encoding() == e);
    });
  }
  for (const LineEndingItem& item : kLineEndings) {
    doc.On(item.id, [&doc, ending = item.ending] { doc.ConvertLineEndings(ending); });
    doc.OnUpdate(item.id, [&doc, ending = item.ending](fw::CmdUI& ui) {
      ui.SetRadio(doc.line_ending() == ending);
    });
  }
  doc.OnUpdate(ID_INDICATOR_ENCODING, [&doc](fw::CmdUI& ui) { ui.SetText(EncodingPane(doc)); });
  doc.OnUpdate(ID_INDICATOR_LINE_ENDING,
               [&doc](fw::CmdUI& ui) { ui.SetText(LineEndingPane(doc)); });
}

}  // namespace kestil
