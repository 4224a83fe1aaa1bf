#include "dialogs/page_exchange_win.h"

#include <vector>

#include "common/wide_text_win.h"
#include "dialogs/option_values.h"

namespace tarnwick {
namespace {

// A page's number boxes hold a few digits; paths and texts fit in the settings' limits.
constexpr int kTextRoom = 1024;

std::string ControlText(HWND control) {
  wchar_t text[kTextRoom] = {};
  GetWindowTextW(control, text, kTextRoom);
  return Narrow(text);
}

bool IsRadioButton(HWND control) {
  char className[16] = {};
  GetClassNameA(control, className, sizeof(className));
  if (lstrcmpiA(className, "Button") != 0) return false;
  const auto type = static_cast<UINT>(GetWindowLongPtrA(control, GWL_STYLE)) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::vector<HWND> RadioGroup(HWND first) {
  std::vector<HWND> buttons;
  for (HWND control = first; control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
    if (control != first && (GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) != 0) break;
    if (IsRadioButton(control)) buttons.push_back(control);
  }
  return buttons;
}

}  // namespace

int CheckedRadioIndex(HWND first) {
  const std::vector<HWND> buttons = RadioGroup(first);
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (SendMessageA(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

void CheckRadioIndex(HWND first, int index) {
  const std::vector<HWND> buttons = RadioGroup(first);
  for (size_t i = 0; i < buttons.size(); ++i) {
    const bool on = static_cast<int>(i) == index;
    SendMessageA(buttons[i], BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

int32_t CheckValue(HWND page, int id) {
  return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
}

void EnableControls(HWND page, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableWindow(GetDlgItem(page, id), enable ? TRUE : FALSE);
}

void SetControls(HWND page, ExchangeList controls) {
  for (const Exchange& control : controls) {
    HWND item = GetDlgItem(page, control.id);
    switch (control.kind) {
      case Exchange::Kind::kCheck:
        CheckDlgButton(page, control.id, *control.number != 0 ? BST_CHECKED : BST_UNCHECKED);
        break;
      case Exchange::Kind::kNumber:
        SetDlgItemInt(page, control.id, static_cast<UINT>(*control.number), TRUE);
        break;
      case Exchange::Kind::kText:
        SetWindowTextUtf8(item, *control.text);
        break;
      case Exchange::Kind::kRadioGroup:
        CheckRadioIndex(item, *control.number);
        break;
    }
  }
}

bool ReadControls(HWND page, ExchangeList controls) {
  for (const Exchange& control : controls) {
    HWND item = GetDlgItem(page, control.id);
    switch (control.kind) {
      case Exchange::Kind::kCheck:
        *control.number = CheckValue(page, control.id);
        break;
      case Exchange::Kind::kNumber: {
        const std::optional<int32_t> number = ReadNumberText(ControlText(item));
        // A disabled box cannot be filled in, and what it holds does not count while it is
        // disabled: it keeps its value rather than trapping the user on the page.
        if (!number && !IsWindowEnabled(item)) break;
        if (!number) {
          // An empty box would silently switch a timer off: the user stays to fill it in.
          SetFocus(item);
          MessageBeep(MB_OK);
          return false;
        }
        *control.number = *number;
        break;
      }
      case Exchange::Kind::kText:
        *control.text = ControlText(item);
        break;
      case Exchange::Kind::kRadioGroup: {
        // With no button checked (a stored value no button stands for) the value stays.
        const int index = CheckedRadioIndex(item);
        if (index >= 0) *control.number = index;
        break;
      }
    }
  }
  return true;
}

}  // namespace tarnwick
