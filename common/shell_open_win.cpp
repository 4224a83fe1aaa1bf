#include "common/shell_open_win.h"

#include "common/process_hook.h"
#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

ProcessHook<ShellActions>& Actions() {
  static ProcessHook<ShellActions> actions;
  return actions;
}

}  // namespace

void SetShellActions(ShellActions actions) { Actions().Set(std::move(actions)); }

bool OpenWithShellOrBeep(const std::string& target) {
  const ShellActions actions = Actions().Get();
  const INT_PTR result = actions.open
                             ? actions.open(target)
                             : reinterpret_cast<INT_PTR>(ShellExecuteW(
                                   nullptr, L"open", Widen(target).c_str(), nullptr, nullptr,
                                   SW_SHOWNORMAL));
  if (result > 32) return true;
  if (actions.beep) {
    actions.beep();
  } else {
    MessageBeep(MB_ICONEXCLAMATION);
  }
  return false;
}

}  // namespace tarnwick
