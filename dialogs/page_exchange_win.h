// Data exchange between a page's controls and its page values: check boxes (0 or 1), number boxes
// (signed decimal, no range check), text boxes and radio groups (the index of the checked button).
#ifndef TARNWICK_DIALOGS_PAGE_EXCHANGE_WIN_H
#define TARNWICK_DIALOGS_PAGE_EXCHANGE_WIN_H

#include <cstdint>
#include <initializer_list>
#include <string>

#include "common/win32.h"

namespace tarnwick {

struct Exchange {
  enum class Kind { kCheck, kNumber, kText, kRadioGroup };
  Kind kind;
  int id;  // for a radio group: its first button, the one that starts the group
  int32_t* number = nullptr;
  std::string* text = nullptr;

  static Exchange Check(int id, int32_t& value) { return {Kind::kCheck, id, &value, nullptr}; }
  static Exchange Number(int id, int32_t& value) { return {Kind::kNumber, id, &value, nullptr}; }
  static Exchange Text(int id, std::string& value) { return {Kind::kText, id, nullptr, &value}; }
  static Exchange Radio(int id, int32_t& value) { return {Kind::kRadioGroup, id, &value, nullptr}; }
};

using ExchangeList = std::initializer_list<Exchange>;

// Sets the controls from the values, in order.
void SetControls(HWND page, ExchangeList controls);

// Reads the values back, in order; a radio group with no button checked keeps its value. A
// number box that holds no number stops the exchange: the box gets the keyboard focus, the
// default beep sounds, and the result is false (that value and the ones after it stay).
bool ReadControls(HWND page, ExchangeList controls);

// The radio buttons of the group that starts at `first`: `first` and the controls after it up to
// the next control that starts a group (or the last control), counting radio buttons only.
int CheckedRadioIndex(HWND first);
void CheckRadioIndex(HWND first, int index);

// Reads one check box.
int32_t CheckValue(HWND page, int id);
// Enables or disables the controls.
void EnableControls(HWND page, std::initializer_list<int> ids, bool enable);

}  // namespace tarnwick

#endif
