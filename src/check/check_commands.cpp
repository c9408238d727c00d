#include "check/check_commands.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "base/text_width.h"
#include "check/check_window.h"
#include "check/markup_check.h"
#include "fw/ui.h"
#include "res/resource.h"
#include "view/tools.h"

namespace kestil {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The check of the view's text: one run at a time on a thread of its own,
// which hands its progress and its result to the results window; the
// findings of the last run, their marks, and the finding gone to last.
class MarkupChecker {
 public:
  MarkupChecker(fw::EditView& view, const KestilOptions& options)
      : view_(view),
        options_(options),
        window_({[this](std::size_t i) { GoTo(i, true); }, [this] { OnNext(); }, [this] { Run(); },
                 [this] { cancel_ = true; },
                 [this](UINT msg, WPARAM wp, LPARAM lp) { OnPosted(msg, wp, lp); }}) {}
  ~MarkupChecker() { Stop(); }
  MarkupChecker(const MarkupChecker&) = delete;
  MarkupChecker& operator=(const MarkupChecker&) = delete;

  // F8: the next finding while the findings are those of the text as it is,
  // else a new check.
  void OnCheck() {
    if (!running_ && checked_ == view_.edit().generation() && !findings_.empty()) {
      OnNext();
    } else if (running_) {
      window_.Show(MainWindow());
    } else {
      Run();
    }
  }

  void OnNext() {
    fw::EditSurface& edit = view_.edit();
    const std::size_t caret = edit.Caret();
    const std::size_t line = edit.LineOf(caret);
    const auto start = static_cast<std::size_t>(std::max<long long>(edit.LineIndex(static_cast<long long>(line)), 0));
    const std::size_t column = ColumnAfter(edit.GetTextRange(start, caret));
    if (const auto next = NextFinding(findings_, at_, line + 1, column)) GoTo(*next, false);
  }

  bool HasFindings() const { return !findings_.empty(); }

  void Run() {
    Stop();
    fw::EditSurface& edit = view_.edit();
    edit.ClearFindings();
    findings_.clear();
    at_ = kNone;
    if (!window_.Show(MainWindow())) return;
    window_.ShowRunning(0);
    started_ = edit.generation();
    checked_ = ~std::uint64_t{0};
    running_ = true;
    cancel_ = false;
    const WPARAM run = ++run_;
    HWND target = window_.hwnd();
    const bool classic = options_.m_MarkupStyle != 1;
    worker_ = std::thread([this, text = edit.GetText(), run, target, classic] {
      int shown = -1;
      CheckControl control;
      control.classic = classic;
      control.cancelled = [this] { return cancel_.load(); };
      control.progress = [&shown, run, target](std::size_t done, std::size_t total) {
        const int percent = total != 0 ? static_cast<int>(done * 100 / total) : 100;
        if (percent == shown) return;
        shown = percent;
        PostMessageW(target, CCheckResultsWnd::kProgress, run, percent);
      };
      CheckResult result;
      try {
        result = CheckMarkup(text, control);
      } catch (const std::exception&) {
        result = CheckResult{};
        result.outcome = CheckOutcome::kOutOfMemory;
      }
      {
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
      }
      PostMessageW(target, CCheckResultsWnd::kDone, run, 0);
    });
  }

  // A new or opened document: what was found in the text before goes.
  void Forget() {
    Stop();
    findings_.clear();
    at_ = kNone;
    checked_ = ~std::uint64_t{0};
    view_.edit().ClearFindings();
    window_.ShowMessage(std::wstring());
  }

 private:
  HWND MainWindow() const { return GetParent(view_.hwnd()); }

  // Ends a run under way; what it would have said is not wanted.
  void Stop() {
    if (!worker_.joinable()) return;
    cancel_ = true;
    worker_.join();
    running_ = false;
    ++run_;
  }

  void OnPosted(UINT msg, WPARAM run, LPARAM lp) {
    if (run != run_) return;  // from a run that was stopped
    if (msg == CCheckResultsWnd::kProgress) {
      window_.ShowRunning(static_cast<int>(lp));
      return;
    }
    if (worker_.joinable()) worker_.join();
    running_ = false;
    CheckResult result;
    {
      const std::lock_guard lock(mutex_);
      result = std::move(result_);
    }
    Show(std::move(result));
  }

  void Show(CheckResult result) {
    switch (result.outcome) {
      case CheckOutcome::kCancelled: window_.ShowMessage(fw::LoadResString(IDS_CHECK_CANCELLED)); return;
      case CheckOutcome::kOutOfMemory: window_.ShowMessage(fw::LoadResString(IDS_CHECK_NO_MEMORY)); return;
      case CheckOutcome::kDone: case CheckOutcome::kTooDeep: break;
    }
    const bool too_deep = result.outcome == CheckOutcome::kTooDeep;
    findings_ = std::move(result.findings);
    const bool unchanged = view_.edit().generation() == started_;
    checked_ = started_;
    if (findings_.empty()) {
      window_.ShowMessage(fw::LoadResString(too_deep ? IDS_CHECK_TOO_DEEP : IDS_CHECK_NONE));
      return;
    }
    const std::wstring errors = std::to_wstring(result.errors);
    const std::wstring warnings = std::to_wstring(result.warnings);
    std::wstring summary = result.errors + result.warnings > findings_.size()
                               ? fw::Format(fw::LoadResString(IDS_CHECK_SUMMARY_MORE), {errors, warnings, std::to_wstring(findings_.size())})
                               : fw::Format(fw::LoadResString(IDS_CHECK_SUMMARY), {errors, warnings});
    if (too_deep) summary += L"  " + fw::LoadResString(IDS_CHECK_TOO_DEEP);
    if (unchanged) {
      fw::EditSurface::Ranges error_marks;
      fw::EditSurface::Ranges warning_marks;
      for (const Finding& f : findings_) {
        (f.level == FindingLevel::kError ? error_marks : warning_marks).emplace_back(f.position, f.mark_end);
      }
      view_.edit().MarkFindings(error_marks, warning_marks);
    } else {
      summary += L"  " + fw::LoadResString(IDS_CHECK_CHANGED);
    }
    window_.ShowFindings(findings_, summary);
  }

  // The caret to a finding's place as the list gives it (the jump dialog's
  // line and column), and the finding chosen in the list.
  void GoTo(std::size_t index, bool to_editor) {
    if (index >= findings_.size()) return;
    const Finding& f = findings_[index];
    fw::EditSurface& edit = view_.edit();
    const auto target = JumpTarget(edit, static_cast<int>(std::min<std::size_t>(f.line, INT_MAX)),
                                   static_cast<int>(std::min<std::size_t>(f.column, INT_MAX)));
    const std::size_t place = target ? *target : f.position;
    edit.SetSel(place, place);
    edit.ScrollCaret();
    at_ = index;
    window_.Select(index);
    if (to_editor) {
      SetActiveWindow(MainWindow());
      SetFocus(view_.hwnd());
    }
  }

  fw::EditView& view_;
  const KestilOptions& options_;
  CCheckResultsWnd window_;
  std::vector<Finding> findings_;
  std::size_t at_ = kNone;
  std::uint64_t started_ = 0;
  std::uint64_t checked_ = ~std::uint64_t{0};  // the generation the findings are of
  bool running_ = false;
  WPARAM run_ = 0;
  std::atomic<bool> cancel_{false};
  std::thread worker_;
  std::mutex mutex_;
  CheckResult result_;  // from the worker, under the mutex
};

}  // namespace

void InstallCheckCommands(fw::EditView& view, const KestilOptions& options) {
  auto checker = std::make_shared<MarkupChecker>(view, options);
  view.On(ID_CHECK_MARKUP, [checker] { checker->OnCheck(); });
  view.On(ID_CHECK_NEXT, [checker] { checker->OnNext(); });
  view.OnUpdate(ID_CHECK_NEXT, [checker](fw::CmdUI& ui) { ui.Enable(checker->HasFindings()); });
  view.OnNewText([checker] { checker->Forget(); });
}

}  // namespace kestil
