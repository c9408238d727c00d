// The application object of the framework: one document in one frame with
// one view, the message loop with idle time, command routing (view,
// document, frame, application), the per-user profile and the recent files.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/profile.h"
#include "base/recent_files.h"
#include "fw/command.h"
#include "fw/registry_profile.h"
#include "fw/win.h"

namespace fw {

class Document;
class EditView;
class FrameWindow;

class App : public CommandTarget {
 public:
  App();
  ~App() override;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  static App* Current() { return current_; }

  // Start-up; false ends the program at once.
  virtual bool InitInstance(const std::wstring& command_line_file) = 0;
  // Runs the message loop until the main window is gone; the exit code.
  int Run();
  // Work at idle time: toolbar buttons and status indicators. True asks
  // for more idle calls.
  virtual bool OnIdle(long count);
  // Work that the window does not wait for: done at the next idle moment,
  // once the window is up.
  void WhenIdle(std::function<void()> task) { idle_tasks_.push_back(std::move(task)); }

  // Routes a command: view, document, frame, application.
  bool RouteCommand(UINT id);
  // Runs the update handler that routing would choose; false when no target
  // has the command (the item is then disabled).
  bool RouteUpdate(CmdUI& ui);

  // The profile under HKEY_CURRENT_USER\Software\<maker>\<application name>.
  void SetRegistryKey(const std::wstring& maker);
  kestil::Profile& profile() { return *profile_; }

  // The one document, frame and view, made by the template on first use.
  Document* document() const { return document_.get(); }
  FrameWindow* frame() const { return frame_.get(); }
  EditView* view() const { return view_; }
  // The resources (menu, accelerators, icon, title) of the template.
  UINT template_id() const { return resource_id_; }

  kestil::RecentFiles& recent_files() { return recent_; }
  void LoadStdProfileSettings();
  void SaveStdProfileSettings();

  // The framework's new and open steps: the save prompt for a modified
  // document, then a new empty document, or the file read into it.
  bool FileNewDefault();
  bool OpenDocumentFile(const std::wstring& path);

 protected:
  // Single-document template: the program gives the three objects; the
  // frame is created with the resources of resource_id on first use.
  void SetDocTemplate(std::unique_ptr<Document> document, std::unique_ptr<FrameWindow> frame,
                      std::unique_ptr<EditView> view, UINT resource_id);
  // Creates the frame and its view on first use.
  bool EnsureFrame();
  void ShowMainWindow(int show);
  // The toolbar, the indicators and the title as the commands' update
  // handlers and the document say.
  void UpdateUserInterface();

 private:
  static App* current_;
  std::unique_ptr<RegistryProfile> profile_;
  std::vector<std::function<void()>> idle_tasks_;
  std::unique_ptr<Document> document_;
  std::unique_ptr<FrameWindow> frame_;
  std::unique_ptr<EditView> pending_view_;  // until the frame takes it
  EditView* view_ = nullptr;
  UINT resource_id_ = 0;
  HACCEL accelerators_ = nullptr;
  kestil::RecentFiles recent_{16};
};

}  // namespace fw
