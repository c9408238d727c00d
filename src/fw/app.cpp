#include "fw/app.h"

#include <commctrl.h>

#include <utility>

#include "fw/document.h"
#include "fw/edit_view.h"
#include "fw/frame.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {

App* App::current_ = nullptr;

namespace {
// The system's timer message that blinks the caret (WM_SYSTIMER, which the
// headers do not define): it changes nothing that idle work shows.
constexpr UINT kCaretBlinkMessage = 0x0118;
}  // namespace

App::App() : profile_(std::make_unique<RegistryProfile>(L"", AppName())) {
  current_ = this;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  On(ID_FILE_PRINT_SETUP, [this] {
    HWND owner = frame_ != nullptr ? frame_->hwnd() : nullptr;
    if (Ui().PrinterSetup(owner) == PrinterResult::kNoPrinter) {
      Message(owner, LoadResString(IDS_NO_PRINTER), MB_OK | MB_ICONEXCLAMATION);
    }
  });
  On(ID_APP_EXIT, [this] {
    if (frame_ != nullptr && frame_->hwnd() != nullptr) PostMessageW(frame_->hwnd(), WM_CLOSE, 0, 0);
  });
  OnRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [this](UINT id) {
    const std::size_t index = id - ID_FILE_MRU_FIRST;
    if (index >= recent_.entries().size()) return;
    const std::wstring path = AsWide(recent_.entries()[index]);
    if (!OpenDocumentFile(path) && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
      recent_.Remove(index);  // a file that is gone leaves the list
    }
  });
  OnUpdateRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [this](CmdUI& ui) {
    ui.Enable(ui.id() - ID_FILE_MRU_FIRST < recent_.entries().size());
  });
}

App::~App() {
  if (frame_ != nullptr && frame_->hwnd() != nullptr) DestroyWindow(frame_->hwnd());
  frame_.reset();
  document_.reset();
  if (current_ == this) current_ = nullptr;
}

void App::SetRegistryKey(const std::wstring& maker) {
  profile_ = std::make_unique<RegistryProfile>(maker, AppName());
}

void App::LoadStdProfileSettings() { recent_.Load(*profile_); }

void App::SaveStdProfileSettings() { recent_.Save(*profile_); }

void App::SetDocTemplate(std::unique_ptr<Document> document, std::unique_ptr<FrameWindow> frame,
                         std::unique_ptr<EditView> view, UINT resource_id) {
  document_ = std::move(document);
  frame_ = std::move(frame);
  pending_view_ = std::move(view);
  resource_id_ = resource_id;
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id));
}

bool App::EnsureFrame() {
  if (view_ != nullptr) return true;
  if (frame_ == nullptr || document_ == nullptr || pending_view_ == nullptr) return false;
  if (!frame_->LoadFrame(resource_id_, std::move(pending_view_))) return false;
  view_ = frame_->view();
  document_->AttachView(view_);
  view_->set_document(document_.get());
  // The view's first set-up (font, tab stops) before any text is in it: the
  // same end state, without laying out a large first file twice.
  view_->InitialUpdate();
  return true;
}

bool App::RouteCommand(UINT id) {
  if (view_ != nullptr && view_->HandleCommand(id)) return true;
  if (document_ != nullptr && document_->HandleCommand(id)) return true;
  if (frame_ != nullptr && frame_->HandleCommand(id)) return true;
  return HandleCommand(id);
}

bool App::RouteUpdate(CmdUI& ui) {
  if (view_ != nullptr && view_->HandleUpdate(ui)) return true;
  if (document_ != nullptr && document_->HandleUpdate(ui)) return true;
  if (frame_ != nullptr && frame_->HandleUpdate(ui)) return true;
  return HandleUpdate(ui);
}

bool App::FileNewDefault() {
  if (document_ == nullptr) return false;
  if (view_ != nullptr && !document_->SaveModified()) return false;
  // The first document makes the frame and the view.
  if (!EnsureFrame()) return false;
  if (!document_->OnNewDocument()) return false;
  view_->InitialUpdate();
  document_->UpdateFrameTitle();
  return true;
}

bool App::OpenDocumentFile(const std::wstring& path) {
  if (document_ == nullptr) return false;
  if (view_ != nullptr && !document_->SaveModified()) return false;
  if (!EnsureFrame()) return false;
  if (!document_->OnOpenDocument(path)) return false;
  document_->SetPathName(path);
  view_->InitialUpdate();
  document_->UpdateFrameTitle();
  return true;
}

void App::ShowMainWindow(int show) {
  if (frame_ == nullptr || frame_->hwnd() == nullptr) return;
  // The bars show the right state in their first painting, and the first
  // idle moment finds nothing to change.
  UpdateUserInterface();
  ShowWindow(frame_->hwnd(), show);
  UpdateWindow(frame_->hwnd());
}

bool App::OnIdle(long count) {
  if (count == 0) {
    // The keys read while the messages were handled are closed.
    profile_->ForgetKeys();
    UpdateUserInterface();
    // What a task asks for in turn waits for the next idle moment.
    for (auto& task : std::exchange(idle_tasks_, {})) task();
  }
  return false;
}

void App::UpdateUserInterface() {
  if (frame_ == nullptr || frame_->hwnd() == nullptr) return;
  frame_->UpdateToolbar();
  frame_->UpdateIndicators();
  if (document_ != nullptr) document_->UpdateFrameTitle();
}

int App::Run() {
  MSG msg{};
  long idle = 0;
  for (;;) {
    while (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idle++)) {
        WaitMessage();
        break;
      }
    }
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    HWND modeless = ModelessDialog();
    if (modeless != nullptr && IsWindow(modeless) && IsDialogMessageW(modeless, &msg)) continue;
    HWND main = frame_ != nullptr ? frame_->hwnd() : nullptr;
    if (main != nullptr && accelerators_ != nullptr &&
        TranslateAcceleratorW(main, accelerators_, &msg)) {
      idle = 0;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    // Idle work again after input and after the messages that change state.
    if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != kCaretBlinkMessage) {
      idle = 0;
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace fw
