// The text gradient dialog, its colour buttons and the title dialog of a
// stored colour pair.
#pragma once

#include <string>

#include "base/profile.h"
#include "fw/dialog.h"
#include "gradient/gradient.h"

namespace kestil {

// An owner-drawn button that shows a colour.
class CColorButton {
 public:
  COLORREF m_Color = 0;
  HWND m_hWnd = nullptr;

  void DrawItem(const DRAWITEMSTRUCT& item) const;
  // Invalidates, erases and repaints at once.
  void Redraw() const;
};

class CTitleDlg : public fw::Dialog {
 public:
  explicit CTitleDlg(HWND parent);
  std::u16string m_Title;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  void OnOK() override;
};

class CGradientDlg : public fw::Dialog {
 public:
  // profile: where the stored pairs and the last state live; tag_case: the
  // case of the markup (the option's value).
  // css: the markup as HTML5 with CSS writes it.
  CGradientDlg(HWND parent, Profile& profile, int tag_case, bool css = false);
  ~CGradientDlg() override;

  std::u16string m_GradHtml;
  GradientStore m_Reg;  // the stored pairs (colours and text of the last closing on load/save)
  HWND m_RegList = nullptr;
  CColorButton m_EdColorBtn;
  CColorButton m_StColorBtn;
  std::u16string m_GradStr;

  void LoadGradReg();
  void SaveGradReg();
  // Rebuilds the markup from the text and the two colours, and has the
  // preview drawn again; runs whenever one of the three changes.
  void MakeGradient();

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled) override;

 private:
  void OnChangeGradStr();
  void OnPickColor(CColorButton& button);
  void OnRegGrad();
  void OnDelGrad();
  void OnSelChangeRegList();
  // Painting draws what MakeGradient computed, never computes it.
  void OnPaint();
  // The preview in the panel's client area of width w and height h.
  void DrawPreview(HDC dc, int w, int h) const;
  void PanelSize(int* w, int* h) const;
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR self);

  Profile& m_Profile;
  int m_TagCase;
  bool m_Css;
  bool m_Ready = false;  // false while the controls are first filled
  HWND m_Preview = nullptr;
};

}  // namespace kestil
