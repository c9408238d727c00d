#include "fw/edit_view.h"

#include <algorithm>
#include <iterator>

#include "fw/app.h"
#include "fw/document.h"
#include "fw/frame.h"
#include "fw/ui.h"
#include "fw/ids.h"
#include "fw/scintilla_surface.h"

namespace fw {

// The standard editing commands, each enabled only when it can act.
EditView::EditView() {
  On(ID_EDIT_UNDO, [this] { edit_->Undo(); });
  On(ID_EDIT_REDO, [this] { edit_->Redo(); });
  On(ID_EDIT_CUT, [this] { edit_->Cut(); });
  On(ID_EDIT_COPY, [this] { edit_->Copy(); });
  On(ID_EDIT_PASTE, [this] { edit_->Paste(); });
  On(ID_EDIT_SELECT_ALL, [this] { edit_->SelectAll(); });
  OnUpdate(ID_EDIT_UNDO, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->CanUndo()); });
  OnUpdate(ID_EDIT_REDO, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->CanRedo()); });
  OnUpdate(ID_EDIT_CUT, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->HasSelection()); });
  OnUpdate(ID_EDIT_COPY, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->HasSelection()); });
  OnUpdate(ID_EDIT_PASTE, [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && edit_->CanPaste()); });
  OnUpdate(ID_EDIT_SELECT_ALL,
           [this](CmdUI& ui) { ui.Enable(edit_ != nullptr && !edit_->GetTextRange(0, 1).empty()); });
  On(ID_FILE_PRINT, [this] {
    if (auto job = MakePrintJob(true)) {
      PrintPages(GetParent(hwnd_), *job, document_ != nullptr ? document_->Title() : L"");
    }
  });
  On(ID_FILE_PRINT_PREVIEW, [this] {
    if (auto job = MakePrintJob(false)) {
      job->CloseDevice();
      ShowPrintPreview(GetParent(hwnd_), std::move(job),
                       [] { App::Current()->RouteCommand(ID_FILE_PRINT); });
    }
  });
  On(ID_EDIT_FIND, [this] { OpenFindDialog(false); });
  On(ID_EDIT_REPLACE, [this] { OpenFindDialog(true); });
  On(ID_EDIT_REPEAT, [this] {
    if (what_.empty()) {
      OpenFindDialog(false);
    } else {
      FindNext();
    }
  });
}

std::unique_ptr<PrintJob> EditView::MakePrintJob(bool ask) {
  PrintTarget target;
  const PrinterResult result = Ui().OpenPrintTarget(GetParent(hwnd_), ask, &target);
  if (result == PrinterResult::kNoPrinter) {
    Message(GetParent(hwnd_), LoadResString(IDS_NO_PRINTER), MB_OK | MB_ICONEXCLAMATION);
  }
  if (result != PrinterResult::kOk) return nullptr;
  return std::make_unique<PrintJob>(
      edit_->GetText(), target, edit_->font(), TabChars());
}

void EditView::OpenFindDialog(bool replace) {
  if (find_dialog_ != nullptr) DestroyWindow(find_dialog_);
  find_dialog_ = nullptr;
  // Start from the selection's first line, else the last search.
  const auto [start, end] = edit_->GetSel();
  std::u16string seed = what_;
  if (start != end) {
    const std::u16string line =
        kestil::FindFieldText(edit_->GetTextRange(start, end), std::size(find_what_) - 1);
    if (!line.empty()) seed = line;
  }
  std::fill(std::begin(find_what_), std::end(find_what_), L'\0');
  std::copy_n(seed.begin(), std::min<std::size_t>(seed.size(), std::size(find_what_) - 1),
              find_what_);
  find_ = FINDREPLACEW{};
  find_.lStructSize = sizeof find_;
  find_.hwndOwner = GetParent(hwnd_);
  find_.lpstrFindWhat = find_what_;
  find_.wFindWhatLen = 512;
  find_.lpstrReplaceWith = replace_with_;
  find_.wReplaceWithLen = 512;
  find_.Flags = (options_.down ? FR_DOWN : 0) | (options_.match_case ? FR_MATCHCASE : 0) |
                (options_.whole_word ? FR_WHOLEWORD : 0);
  find_dialog_ = replace ? ReplaceTextW(&find_) : FindTextW(&find_);
  SetModelessDialog(find_dialog_);
}

void EditView::OnFindReplace(const FINDREPLACEW& request) {
  if (request.Flags & FR_DIALOGTERM) {
    find_dialog_ = nullptr;
    SetModelessDialog(nullptr);
    return;
  }
  what_.assign(request.lpstrFindWhat, request.lpstrFindWhat + wcslen(request.lpstrFindWhat));
  if (request.lpstrReplaceWith != nullptr) {
    with_.assign(request.lpstrReplaceWith,
                 request.lpstrReplaceWith + wcslen(request.lpstrReplaceWith));
  }
  options_.down = (request.Flags & FR_DOWN) != 0;
  options_.match_case = (request.Flags & FR_MATCHCASE) != 0;
  options_.whole_word = (request.Flags & FR_WHOLEWORD) != 0;
  if (request.Flags & FR_FINDNEXT) FindNext();
  if (request.Flags & FR_REPLACE) ReplaceCurrent();
  if (request.Flags & FR_REPLACEALL) ReplaceAll();
}

bool EditView::FindNext() {
  const auto [start, end] = edit_->GetSel();
  const std::u16string text = edit_->GetText();
  const auto match = kestil::FindWrapping(text, what_, options_.down ? end : start, options_);
  if (!match) {
    NotFound();
    return false;
  }
  edit_->SetSel(match->begin, match->end);
  edit_->ScrollCaret();
  if (App* app = App::Current(); app != nullptr && app->frame() != nullptr) {
    if (match->wrapped) {
      app->frame()->SetMessageText(
          LoadResString(options_.down ? IDS_FIND_WRAPPED_DOWN : IDS_FIND_WRAPPED_UP));
    } else {
      app->frame()->SetIdleMessage();
    }
  }
  MoveDialogOff(match->begin);
  return true;
}

// The dialog stays where the user put it unless it hides the line of the
// match; then it goes below that line, or above it where there is no room.
void EditView::MoveDialogOff(std::size_t position) {
  if (find_dialog_ == nullptr || !IsWindowVisible(find_dialog_)) return;
  const LRESULT at = SendMessageW(hwnd_, EM_POSFROMCHAR, position, 0);
  if (at == -1) return;
  POINT top{0, static_cast<short>(HIWORD(at))};
  ClientToScreen(hwnd_, &top);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  RECT edit_screen{};
  GetWindowRect(hwnd_, &edit_screen);
  const RECT line{edit_screen.left, top.y, edit_screen.right, top.y + metrics.tmHeight};
  RECT dialog{};
  GetWindowRect(find_dialog_, &dialog);
  RECT overlap{};
  if (!IntersectRect(&overlap, &dialog, &line)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromRect(&line, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int height = dialog.bottom - dialog.top;
  const int margin = metrics.tmHeight / 2;
  int y = line.bottom + margin;
  if (y + height > work.bottom) y = std::max<int>(work.top, line.top - margin - height);
  SetWindowPos(find_dialog_, nullptr, dialog.left, y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditView::ReplaceCurrent() {
  const auto [start, end] = edit_->GetSel();
  const std::u16string selected = edit_->GetTextRange(start, end);
  if (kestil::IsMatch(selected, what_, options_)) {
    edit_->ReplaceSel(with_);
    if (!options_.down) edit_->SetSel(start, start);
  }
  FindNext();
}

void EditView::ReplaceAll() {
  std::size_t count = 0;
  std::size_t begin = 0;
  std::size_t end = 0;
  const std::u16string replaced =
      kestil::ReplaceAllIn(edit_->GetText(), what_, with_, options_, &count, &begin, &end);
  if (count == 0) {
    NotFound();
    return;
  }
  // One replacement of the whole span: one step of the history.
  edit_->SetSel(begin, end);
  edit_->ReplaceSel(replaced);
  Message(find_dialog_ != nullptr ? find_dialog_ : GetParent(hwnd_),
          Format(LoadResString(IDS_REPLACED_COUNT), {std::to_wstring(count)}),
          MB_OK | MB_ICONINFORMATION);
}

void EditView::NotFound() {
  const std::wstring what(what_.begin(), what_.end());
  Message(find_dialog_ != nullptr ? find_dialog_ : GetParent(hwnd_),
          Format(LoadResString(IDS_NOT_FOUND), {what}), MB_OK);
}

void EditView::PreCreateWindow(CREATESTRUCTW&) {}

bool EditView::Create(HWND parent, UINT id) {
  CREATESTRUCTW cs{};
  cs.hwndParent = parent;
  cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
  cs.hInstance = GetModuleHandleW(nullptr);
  cs.lpszName = L"";
  cs.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL;
  cs.dwExStyle = WS_EX_CLIENTEDGE;
  PreCreateWindow(cs);
  auto surface = ScintillaSurface::Create(parent, id, cs.style, cs.dwExStyle);
  if (surface == nullptr) return false;
  hwnd_ = surface->hwnd();
  edit_ = std::move(surface);
  return true;
}

bool EditView::OnSurfaceNotify(LPARAM lp) { return ScintillaSurface::DispatchNotify(lp); }

void EditView::InitialUpdate() {
  for (const auto& handler : new_text_handlers_) handler();
  OnInitialUpdate();
}

}  // namespace fw
