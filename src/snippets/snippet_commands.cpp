#include "snippets/snippet_commands.h"

#include "fw/text.h"
#include "res/resource.h"
#include "snippets/regstr_dialogs.h"
#include "snippets/snippet_menu.h"
#include "view/insert_engine.h"

namespace kestil {
namespace {

int SlotOf(UINT id) { return static_cast<int>(id - ID_REGSTR_0); }

// The body goes in exactly as written, whatever the tag case.
void InsertRegStr(fw::EditView& view, const KestilOptions& options, int slot) {
  view.edit().ReplaceSel(InDocumentEndings(view.edit(), options.m_RegStr[slot]));
}

void OnUpdateRegStr(const KestilOptions& options, fw::CmdUI& ui) {
  const int slot = SlotOf(ui.id());
  const SnippetMenuItem item =
      SnippetMenuText(slot, options.m_RegTitle[slot], options.m_RegStr[slot]);
  ui.SetText(fw::AsWide(item.text));
  ui.Enable(item.enabled);
}

void OnRegStrSetting(const fw::EditView& view, KestilOptions& options,
                     const fw::FontHandle& editor_font) {
  CRegStrListDlg list(GetParent(view.hwnd()), options, editor_font);
  list.DoModal();
}

}  // namespace

void InstallSnippetCommands(fw::EditView& view, KestilOptions& options,
                            const fw::FontHandle& editor_font) {
  view.OnRange(ID_REGSTR_0, ID_REGSTR_F,
               [&view, &options](UINT id) { InsertRegStr(view, options, SlotOf(id)); });
  view.OnUpdateRange(ID_REGSTR_0, ID_REGSTR_F,
                     [&options](fw::CmdUI& ui) { OnUpdateRegStr(options, ui); });
  view.On(ID_REGSTR_SETTING, [&view, &options, &editor_font] {
    OnRegStrSetting(view, options, editor_font);
  });
}

}  // namespace kestil
