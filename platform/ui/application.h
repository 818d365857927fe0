// The application object: title, the main form, the message loop, and the one seam through
// which the programs show modal dialogs (message boxes, the folder browser), so that tests can
// answer them. The main form is also the program's taskbar window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ui {

class Form;

// What a message box was asked to show; a test responder gets this and returns the answer.
struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;
};

struct FolderBrowseCall {
  HWND owner;
  std::string title;
  std::string initialFolder;
};

class Application {
 public:
  static Application& Instance();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  HICON Icon() const;
  std::string ExeName() const;  // full path of the running executable

  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form);
  // Whether Run shows the main form when the loop starts.
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }

  // A program's whole life: common controls, the title, the main form that create builds (its
  // construction runs its creation handler), the message loop. An error that escapes is shown
  // in the standard error box. Returns the exit code.
  int Execute(const std::string& title, const std::function<std::unique_ptr<Form>()>& create);

  // Shows the main form (unless switched off) and dispatches messages until Terminate; then
  // destroys the main form's window (which runs its destroy handler).
  void Run();
  // Dispatches every waiting message and returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // For a new run in the same process (tests).
  void ResetTerminated() { terminated_ = false; }

  void Minimize();
  void Restore();
  // The taskbar window (the main form's window).
  HWND TaskbarHandle() const;

  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
  // The chosen folder, or nothing when cancelled.
  std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title,
                                             const std::string& initialFolder);

  using MessageBoxResponder = std::function<int(const MessageBoxCall&)>;
  using FolderResponder = std::function<std::optional<std::string>(const FolderBrowseCall&)>;
  void SetMessageBoxResponder(MessageBoxResponder responder) { messageBoxResponder_ = std::move(responder); }
  void SetFolderResponder(FolderResponder responder) { folderResponder_ = std::move(responder); }

  // An error that escaped an event handler: shown in the standard error box, then the
  // program ends.
  void HandleException(const std::string& what);

 private:
  Application() = default;
  bool Dispatch(MSG& msg);

  std::string title_;
  Form* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  MessageBoxResponder messageBoxResponder_;
  FolderResponder folderResponder_;
};

}  // namespace ui
