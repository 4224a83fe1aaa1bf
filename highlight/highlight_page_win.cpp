#include "highlight/highlight_page_win.h"

#include <algorithm>
#include <string>

#include "controls/list_view_win.h"
#include "common/wide_text_win.h"
#include "highlight/highlight_edits.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr int kMaskColumnWidth = 100;
constexpr int kPriorityColumnWidth = 60;
constexpr int kListVersion = 5;
// Room for a label when the rules are read back from the list.
constexpr int kLabelRoom = 1024;
constexpr int kCustomColourCount = 16;

// The colour dialog's custom colours, shared by every colour dialog of the process while it runs;
// all white at start and never saved.
COLORREF* CustomColours() {
  static COLORREF colours[kCustomColourCount] = {
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
      0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  return colours;
}

void SetPriorityCell(HWND list, int index, uint32_t attributes) {
  SetListItemText(list, index, 1, PriorityText(attributes));
}

void CheckButton(HWND page, int id, bool on) {
  CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

HighlightPage::HighlightPage(std::vector<HighlightRule> rules, const HighlightFonts& fonts)
    : rules_(std::move(rules)), fonts_(fonts) {}

HWND HighlightPage::List() const { return GetDlgItem(hwnd(), IDC_HIGHLIGHT_LIST); }

int HighlightPage::Selected() const {
  return static_cast<int>(
      SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

uint32_t HighlightPage::Attributes(int index) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return static_cast<uint32_t>(item.lParam);
}

void HighlightPage::SetAttributes(int index, uint32_t attributes) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(attributes);
  SendMessageA(List(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SetPriorityCell(List(), index, attributes);
  SendMessageA(List(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
}

int HighlightPage::AppendItem(const HighlightRule& rule) {
  const int count = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
  const int index = InsertListItem(List(), count, rule.mask, static_cast<LPARAM>(rule.attributes));
  if (index < 0) return index;
  SetPriorityCell(List(), index, rule.attributes);
  notify_.insert(notify_.begin() + std::min<ptrdiff_t>(index, std::ssize(notify_)), rule.notify);
  return index;
}

void HighlightPage::SelectItem(int index) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&item));
  SendMessageA(List(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

INT_PTR HighlightPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      return HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.idFrom != IDC_HIGHLIGHT_LIST) return FALSE;
      SetResult(OnListNotify(header));
      return TRUE;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) != GetDlgItem(hwnd(), IDC_HIGHLIGHT_PRIORITY))
        return FALSE;
      OnPriorityMoved();
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

void HighlightPage::OnInit() {
  HWND list = List();
  AddListColumn(list, 0, "Mask", LVCFMT_LEFT, kMaskColumnWidth);
  AddListColumn(list, 1, "Priority", LVCFMT_RIGHT, kPriorityColumnWidth);
  SendMessageA(list, CCM_SETVERSION, kListVersion, 0);
  const LPARAM styles = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_LABELTIP;
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, static_cast<WPARAM>(styles), styles);
  notify_.clear();
  for (const HighlightRule& rule : rules_) AppendItem(rule);
  HWND priority = GetDlgItem(hwnd(), IDC_HIGHLIGHT_PRIORITY);
  SendMessageA(priority, TBM_SETRANGE, FALSE, MAKELPARAM(0, kHighlightMaxPriority));
  SendMessageA(priority, TBM_SETTICFREQ, 1, 0);
  // With no rule there is nothing for the rule controls to change until one is added.
  if (rules_.empty())
    EnableRuleControls(false, 0, false);
  else
    SelectItem(0);
}

bool HighlightPage::OnCommand(int id) {
  switch (id) {
    case IDC_HIGHLIGHT_ADD:
      Add();
      return true;
    case IDC_HIGHLIGHT_REMOVE:
      Remove();
      return true;
    case IDC_HIGHLIGHT_COLOR:
      ChooseColour();
      return true;
    case IDC_HIGHLIGHT_BOLD:
      PressStyle(id, kHighlightBold);
      return true;
    case IDC_HIGHLIGHT_ITALIC:
      PressStyle(id, kHighlightItalic);
      return true;
    case IDC_HIGHLIGHT_UNDERLINE:
      PressStyle(id, kHighlightUnderline);
      return true;
    case IDC_HIGHLIGHT_NOTIFY:
      PressNotify();
      return true;
    default:
      return false;
  }
}

LRESULT HighlightPage::OnListNotify(NMHDR& header) {
  switch (header.code) {
    case NM_CUSTOMDRAW:
      return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case LVN_ITEMCHANGED:
      OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
      return 0;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2 && Selected() >= 0) {
        SendMessageA(List(), LVM_EDITLABELW, static_cast<WPARAM>(Selected()), 0);
      }
      return 0;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
      return FALSE;
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW:
      // Any text is a mask, the empty one included; only a cancelled edit keeps the label.
      return reinterpret_cast<const NMLVDISPINFOW&>(header).item.pszText != nullptr ? TRUE : FALSE;
    default:
      return 0;
  }
}

LRESULT HighlightPage::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const auto attributes = static_cast<uint32_t>(draw.nmcd.lItemlParam);
      draw.clrText = RuleColour(attributes);
      if (HFONT font = fonts_.Get(RuleStyleIndex(attributes))) SelectObject(draw.nmcd.hdc, font);
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void HighlightPage::OnItemChanged(const NMLISTVIEW& change) {
  if ((change.uChanged & LVIF_STATE) == 0 || change.iItem < 0) return;
  const bool focused = (change.uNewState & LVIS_FOCUSED) != 0;
  const auto item = static_cast<size_t>(change.iItem);
  EnableRuleControls(focused, focused ? Attributes(change.iItem) : 0,
                     focused && item < notify_.size() && notify_[item]);
}

void HighlightPage::EnableRuleControls(bool enable, uint32_t attributes, bool notify) {
  for (int id : {IDC_HIGHLIGHT_PRIORITY, IDC_HIGHLIGHT_REMOVE, IDC_HIGHLIGHT_COLOR,
                 IDC_HIGHLIGHT_BOLD, IDC_HIGHLIGHT_ITALIC, IDC_HIGHLIGHT_UNDERLINE,
                 IDC_HIGHLIGHT_NOTIFY}) {
    EnableWindow(GetDlgItem(hwnd(), id), enable ? TRUE : FALSE);
  }
  SendMessageA(GetDlgItem(hwnd(), IDC_HIGHLIGHT_PRIORITY), TBM_SETPOS, TRUE,
               static_cast<LPARAM>(RulePriority(attributes)));
  CheckButton(hwnd(), IDC_HIGHLIGHT_BOLD, (attributes & kHighlightBold) != 0);
  CheckButton(hwnd(), IDC_HIGHLIGHT_ITALIC, (attributes & kHighlightItalic) != 0);
  CheckButton(hwnd(), IDC_HIGHLIGHT_UNDERLINE, (attributes & kHighlightUnderline) != 0);
  CheckButton(hwnd(), IDC_HIGHLIGHT_NOTIFY, notify);
}

void HighlightPage::OnPriorityMoved() {
  const int selected = Selected();
  if (selected < 0) return;
  const auto position = static_cast<uint32_t>(
      SendMessageA(GetDlgItem(hwnd(), IDC_HIGHLIGHT_PRIORITY), TBM_GETPOS, 0, 0));
  SetAttributes(selected, WithRulePriority(Attributes(selected), position));
}

void HighlightPage::Add() {
  SetFocus(List());
  const int index = AppendItem(NewHighlightRule());
  if (index < 0) return;
  SelectItem(index);
  SendMessageA(List(), LVM_EDITLABELW, static_cast<WPARAM>(index), 0);
}

void HighlightPage::Remove() {
  const int selected = Selected();
  if (selected < 0) return;
  if (!SendMessageA(List(), LVM_DELETEITEM, static_cast<WPARAM>(selected), 0)) return;
  if (static_cast<size_t>(selected) < notify_.size()) notify_.erase(notify_.begin() + selected);
  const int count = static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0));
  const int next = SelectionAfterRemoval(selected, count);
  if (next >= 0)
    SelectItem(next);
  else
    EnableRuleControls(false, 0, false);
}

void HighlightPage::ChooseColour() {
  const int selected = Selected();
  CHOOSECOLORA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = hwnd();
  dialog.rgbResult = selected >= 0 ? RuleColour(Attributes(selected)) : 0;
  dialog.lpCustColors = CustomColours();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&dialog) || selected < 0) return;
  SetAttributes(selected, WithRuleColour(Attributes(selected), dialog.rgbResult));
}

void HighlightPage::PressStyle(int button, uint32_t bit) {
  const bool wasChecked = IsDlgButtonChecked(hwnd(), button) == BST_CHECKED;
  CheckButton(hwnd(), button, !wasChecked);
  const int selected = Selected();
  if (selected >= 0)
    SetAttributes(selected, AfterStyleButton(Attributes(selected), bit, wasChecked));
}

void HighlightPage::PressNotify() {
  const bool wasChecked = IsDlgButtonChecked(hwnd(), IDC_HIGHLIGHT_NOTIFY) == BST_CHECKED;
  CheckButton(hwnd(), IDC_HIGHLIGHT_NOTIFY, !wasChecked);
  const int selected = Selected();
  if (selected >= 0 && static_cast<size_t>(selected) < notify_.size())
    notify_[static_cast<size_t>(selected)] = !wasChecked;
}

void HighlightPage::OnDestroy() {
  rules_.clear();
  HWND list = List();
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    wchar_t label[kLabelRoom] = {};
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = label;
    item.cchTextMax = kLabelRoom;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    label[kLabelRoom - 1] = L'\0';
    const auto at = static_cast<size_t>(index);
    const bool notify = at < notify_.size() && notify_[at];
    rules_.push_back(HighlightRule{static_cast<uint32_t>(item.lParam), Narrow(label), notify});
  }
}

}  // namespace tarnwick
