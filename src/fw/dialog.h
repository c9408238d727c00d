// Modal dialogs from templates, with data exchange between controls and
// members. A failed check shows the standard message through Ui(), puts the
// focus back in the field and refuses the OK.
#pragma once

#include <string>

#include "fw/win.h"

namespace fw {

class Dialog;

class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : dialog_(dialog), save_(save) {}
  bool save() const { return save_; }
  bool failed() const { return failed_; }

  // Text of a control and a string.
  void Text(int id, std::u16string& value);
  // Text of a control and an integer; text that is no integer fails.
  void Text(int id, int& value);
  // The index of the checked button of a radio group starting at first_id
  // (-1 when none is checked).
  void Radio(int first_id, int& index);
  // The selected item of a drop-down list (-1 when none is).
  void ComboIndex(int id, int& index);
  // A check box and a flag (0 clear, 1 checked).
  void Check(int id, int& checked);
  void Control(int id, HWND& control);
  // After Text(id, value) on save: the value must lie in min..max.
  void MinMaxInt(int id, int value, int min, int max);

 private:
  void Fail(int id, const std::wstring& message);

  Dialog& dialog_;
  bool save_;
  bool failed_ = false;
  int overflow_id_ = 0;  // a field whose integer did not fit, for MinMaxInt
};

// Parses a whole field as an integer: optional spaces, an optional sign and
// decimal digits. A whole number beyond an int is accepted with *overflow set
// (and *value clamped), so that a range check can name the range.
bool ParseInt(const std::wstring& text, int* value, bool* overflow);

class Dialog {
 public:
  Dialog(UINT template_id, HWND parent) : template_id_(template_id), parent_(parent) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // IDOK, IDCANCEL, or -1 when the dialog could not be made.
  INT_PTR DoModal();
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // Moves values from the controls (save) or to them; false when a check failed.
  bool UpdateData(bool save);
  // Puts the focus on a control as the dialog manager does, selecting the
  // whole text of an edit field, so that typing replaces it. An
  // OnInitDialog that calls it returns false.
  void GotoControl(int id);
  void EndDialog(INT_PTR result);

 protected:
  // True to let the dialog manager set the focus.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(DataExchange&) {}
  virtual void OnOK();
  virtual void OnCancel();
  // Commands from controls other than OK and Cancel; true when handled.
  virtual bool OnCommand(UINT id, UINT code, HWND control);
  // Any other message; set *handled to give a result.
  virtual INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  UINT template_id_;
  HWND parent_;
  HWND hwnd_ = nullptr;
};

}  // namespace fw
