#include "gradient/gradient_dlg.h"

#include "fw/dpi.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "res/resource.h"

namespace kestil {
namespace {

void FillSolidRect(HDC dc, int x, int y, int cx, int cy, COLORREF color) {
  SetBkColor(dc, color);
  RECT r{x, y, x + cx, y + cy};
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void Draw3dRect(HDC dc, const RECT& r, COLORREF top_left, COLORREF bottom_right) {
  const int x = r.left;
  const int y = r.top;
  const int cx = r.right - r.left;
  const int cy = r.bottom - r.top;
  FillSolidRect(dc, x, y, cx - 1, 1, top_left);
  FillSolidRect(dc, x, y, 1, cy - 1, top_left);
  FillSolidRect(dc, x + cx - 1, y, 1, cy, bottom_right);
  FillSolidRect(dc, x, y + cy - 1, cx, 1, bottom_right);
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT_PTR kPanelSubclass = 0x4752;

}  // namespace

void CColorButton::DrawItem(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const int saved = SaveDC(dc);
  if (item.itemState & ODS_FOCUS) {
    Draw3dRect(dc, r, kBlack, kBlack);
    InflateRect(&r, -1, -1);
  }
  const COLORREF shadow = ShadowColor(m_Color);
  if (item.itemState & ODS_SELECTED) {
    Draw3dRect(dc, r, shadow, shadow);
    InflateRect(&r, -1, -1);
  } else {
    Draw3dRect(dc, r, kWhite, kBlack);
    InflateRect(&r, -1, -1);
    Draw3dRect(dc, r, m_Color, shadow);
    InflateRect(&r, -1, -1);
  }
  FillSolidRect(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_Color);
  RestoreDC(dc, saved);
}

void CColorButton::Redraw() const {
  RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

CTitleDlg::CTitleDlg(HWND parent) : fw::Dialog(IDD_TITLE, parent) {}

void CTitleDlg::DoDataExchange(fw::DataExchange& dx) { dx.Text(IDC_TITLE_TEXT, m_Title); }

// The dialog asks for a title: the first keystroke belongs in its field.
bool CTitleDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  GotoControl(IDC_TITLE_TEXT);
  return false;
}

void CTitleDlg::OnOK() {
  if (!UpdateData(true)) return;
  if (m_Title.empty()) {
    fw::Message(hwnd(), fw::LoadResString(IDS_TITLE_EMPTY));
    return;
  }
  EndDialog(IDOK);
}

CGradientDlg::CGradientDlg(HWND parent, Profile& profile, int tag_case, bool css)
    : fw::Dialog(IDD_GRADIENT, parent), m_Profile(profile), m_TagCase(tag_case), m_Css(css) {}

CGradientDlg::~CGradientDlg() = default;

void CGradientDlg::DoDataExchange(fw::DataExchange& dx) {
  dx.Control(IDC_GRAD_LIST, m_RegList);
  dx.Control(IDC_GRAD_END, m_EdColorBtn.m_hWnd);
  dx.Control(IDC_GRAD_START, m_StColorBtn.m_hWnd);
  dx.Text(IDC_GRAD_TEXT, m_GradStr);
}

void CGradientDlg::LoadGradReg() {
  m_Reg.m_DefStColor = m_StColorBtn.m_Color;
  m_Reg.m_DefEdColor = m_EdColorBtn.m_Color;
  m_Reg.m_DefStr = m_GradStr;
  m_Reg.Load(m_Profile);
  m_StColorBtn.m_Color = m_Reg.m_DefStColor;
  m_EdColorBtn.m_Color = m_Reg.m_DefEdColor;
  m_GradStr = m_Reg.m_DefStr;
}

void CGradientDlg::SaveGradReg() {
  m_Reg.m_DefStColor = m_StColorBtn.m_Color;
  m_Reg.m_DefEdColor = m_EdColorBtn.m_Color;
  m_Reg.m_DefStr = m_GradStr;
  m_Reg.Save(m_Profile);
}

bool CGradientDlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  m_Preview = Item(IDC_GRAD_PREVIEW);
  SetWindowSubclass(m_Preview, PanelProc, kPanelSubclass, reinterpret_cast<DWORD_PTR>(this));
  m_StColorBtn.m_Color = kRed;
  m_EdColorBtn.m_Color = kBlue;
  LoadGradReg();
  SendMessageW(m_RegList, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < m_Reg.m_RegCount; ++i) {
    SendMessageW(m_RegList, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(fw::AsWide(m_Reg.m_RegTitle[i]).c_str()));
  }
  UpdateData(false);
  MakeGradient();
  m_Ready = true;
  // The caret in the text, the last text selected: typing starts a new one.
  GotoControl(IDC_GRAD_TEXT);
  return false;
}

bool CGradientDlg::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_GRAD_TEXT:
      if (code != EN_CHANGE) return false;
      OnChangeGradStr();
      return true;
    case IDC_GRAD_OK:
      if (code != BN_CLICKED) return false;
      EndDialog(IDOK);
      return true;
    case IDC_GRAD_START:
    case IDC_GRAD_END:
      if (code != BN_CLICKED) return false;
      OnPickColor(id == IDC_GRAD_START ? m_StColorBtn : m_EdColorBtn);
      return true;
    case IDC_GRAD_REGISTER:
      if (code != BN_CLICKED) return false;
      OnRegGrad();
      return true;
    case IDC_GRAD_DELETE:
      if (code != BN_CLICKED) return false;
      OnDelGrad();
      return true;
    case IDC_GRAD_LIST:
      if (code != LBN_SELCHANGE) return false;
      OnSelChangeRegList();
      return true;
    default:
      return false;
  }
}

INT_PTR CGradientDlg::OnMessage(UINT msg, WPARAM, LPARAM lp, bool* handled) {
  if (msg == WM_PAINT) {
    OnPaint();
    *handled = true;
    return 0;
  }
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.CtlID == IDC_GRAD_START) m_StColorBtn.DrawItem(item);
    if (item.CtlID == IDC_GRAD_END) m_EdColorBtn.DrawItem(item);
    *handled = item.CtlID == IDC_GRAD_START || item.CtlID == IDC_GRAD_END;
    return TRUE;
  }
  return 0;
}

void CGradientDlg::OnChangeGradStr() {
  if (!m_Ready) return;  // the first filling of the controls is no change
  UpdateData(true);
  MakeGradient();
}

void CGradientDlg::OnPickColor(CColorButton& button) {
  COLORREF color = button.m_Color;
  if (fw::Ui().PickColor(hwnd(), color)) button.m_Color = color;
  button.Redraw();
  MakeGradient();
}

void CGradientDlg::PanelSize(int* w, int* h) const {
  RECT r{};
  GetWindowRect(m_Preview, &r);
  *w = r.right - r.left - 3;
  *h = r.bottom - r.top - 3;
}

void CGradientDlg::MakeGradient() {
  m_GradHtml = GradientMarkup(m_GradStr, m_StColorBtn.m_Color, m_EdColorBtn.m_Color, m_TagCase, m_Css);
  if (m_Preview != nullptr) RedrawWindow(m_Preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CGradientDlg::OnPaint() {
  PAINTSTRUCT ps;
  BeginPaint(hwnd(), &ps);
  EndPaint(hwnd(), &ps);
  if (m_Preview == nullptr) return;
  int w = 0;
  int h = 0;
  PanelSize(&w, &h);
  HDC dc = GetDC(m_Preview);
  DrawPreview(dc, w, h);
  ReleaseDC(m_Preview, dc);
}

void CGradientDlg::DrawPreview(HDC dc, int w, int h) const {
  RECT area{0, 0, w, h};
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  const std::vector<std::u16string> chars = SplitCharacters(m_GradStr);
  if (chars.size() < 2) return;
  constexpr int kPreviewFontHeight = 16;  // at 96 dots per inch
  const int height = fw::ScaleToDpi(kPreviewFontHeight, fw::WindowDpi(m_Preview));
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                           0, 0, L"ＭＳ Ｐゴシック");
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  const std::wstring whole = fw::AsWide(m_GradStr);
  SIZE extent{};
  GetTextExtentPoint32W(dc, whole.c_str(), static_cast<int>(whole.size()), &extent);
  int x = (w - extent.cx) / 2;
  const int y = (h - extent.cy) / 2;
  const RECT clip{0, 0, w - 1, h - 1};
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const std::wstring ch = fw::AsWide(chars[i]);
    SetTextColor(dc, GradientColor(m_StColorBtn.m_Color, m_EdColorBtn.m_Color, i, chars.size()));
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, ch.c_str(), static_cast<UINT>(ch.size()), nullptr);
    SIZE one{};
    GetTextExtentPoint32W(dc, ch.c_str(), static_cast<int>(ch.size()), &one);
    x += one.cx;
  }
  if (old != nullptr) SelectObject(dc, old);
  if (font != nullptr) DeleteObject(font);
}

LRESULT CALLBACK CGradientDlg::PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self) {
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, PanelProc, id);
  const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  if (msg == WM_PAINT) {
    // The panel paints its own background; the preview goes on top again.
    const auto* dlg = reinterpret_cast<const CGradientDlg*>(self);
    int w = 0;
    int h = 0;
    dlg->PanelSize(&w, &h);
    HDC dc = GetDC(hwnd);
    dlg->DrawPreview(dc, w, h);
    ReleaseDC(hwnd, dc);
  }
  return result;
}

void CGradientDlg::OnRegGrad() {
  if (m_Reg.m_RegCount >= GradientStore::kSlots) {
    fw::Message(hwnd(), fw::LoadResString(IDS_GRAD_FULL));
    return;
  }
  CTitleDlg title(hwnd());
  if (title.DoModal() != IDOK) return;
  const int slot = m_Reg.m_RegCount;
  m_Reg.m_RegTitle[slot] = title.m_Title;
  m_Reg.m_RegStColor[slot] = m_StColorBtn.m_Color;
  m_Reg.m_RegEdColor[slot] = m_EdColorBtn.m_Color;
  ++m_Reg.m_RegCount;
  SendMessageW(m_RegList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fw::AsWide(title.m_Title).c_str()));
}

void CGradientDlg::OnDelGrad() {
  const auto i = static_cast<int>(SendMessageW(m_RegList, LB_GETCURSEL, 0, 0));
  if (i < 0 || i >= m_Reg.m_RegCount) return;
  SendMessageW(m_RegList, LB_DELETESTRING, i, 0);
  --m_Reg.m_RegCount;
  for (int k = i; k < m_Reg.m_RegCount; ++k) {
    m_Reg.m_RegTitle[k] = m_Reg.m_RegTitle[k + 1];
    m_Reg.m_RegStColor[k] = m_Reg.m_RegStColor[k + 1];
    m_Reg.m_RegEdColor[k] = m_Reg.m_RegEdColor[k + 1];
  }
}

void CGradientDlg::OnSelChangeRegList() {
  const auto i = static_cast<int>(SendMessageW(m_RegList, LB_GETCURSEL, 0, 0));
  if (i < 0 || i >= m_Reg.m_RegCount) return;
  m_StColorBtn.m_Color = m_Reg.m_RegStColor[i];
  m_StColorBtn.Redraw();
  m_EdColorBtn.m_Color = m_Reg.m_RegEdColor[i];
  m_EdColorBtn.Redraw();
  MakeGradient();
}

}  // namespace kestil
