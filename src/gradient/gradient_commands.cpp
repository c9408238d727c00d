#include "gradient/gradient_commands.h"

#include "base/text16.h"
#include "fw/ui.h"
#include "gradient/gradient.h"
#include "gradient/gradient_dlg.h"
#include "res/resource.h"
#include "view/insert_engine.h"

namespace kestil {
namespace {

// The colour dialog opens on the colour inserted last.
void OnInsertColor(fw::EditView& view, KestilOptions& options) {
  COLORREF color = options.m_LastColor;
  if (!fw::Ui().PickColor(GetParent(view.hwnd()), color)) return;
  InsertText(view.edit(), Widen(ColorText(color)), kCaretNone, options.m_TagStrType);
  options.m_LastColor = color;
}

// The stored pairs are written however the dialog closes. The markup comes
// in the tag case already, so the insertion leaves the user's letters alone.
void OnInsertGradient(fw::EditView& view, const KestilOptions& options, Profile& profile) {
  // HTML5 with CSS writes each colour as a style.
  CGradientDlg dlg(GetParent(view.hwnd()), profile, options.m_TagStrType, options.m_MarkupStyle == 1);
  const INT_PTR result = dlg.DoModal();
  if (result == -1) return;  // never loaded the stored state: nothing to save
  if (result == IDOK) InsertText(view.edit(), dlg.m_GradHtml, kCaretNone, 0);
  dlg.SaveGradReg();
}

}  // namespace

void InstallGradientCommands(fw::EditView& view, KestilOptions& options, Profile& profile) {
  view.On(ID_INSERT_COLOR, [&view, &options] { OnInsertColor(view, options); });
  view.On(ID_GRADIENT, [&view, &options, &profile] { OnInsertGradient(view, options, profile); });
}

}  // namespace kestil
