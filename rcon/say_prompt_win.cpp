#include "rcon/say_prompt_win.h"

#include "common/wide_text_win.h"
#include "rcon/admin_actions.h"
#include "resources/resource.h"

namespace tarnwick {

bool SayPrompt::Run(HINSTANCE instance, HWND owner) {
  return RunModal(instance, IDD_SAY_TO_ALL, owner) == IDOK;
}

INT_PTR SayPrompt::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageW(hwnd(), IDC_SAY_TEXT, EM_SETLIMITTEXT, kMaxSayText, 0);
      return TRUE;  // the focus goes to the text box
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        text_ = DialogItemTextUtf8(hwnd(), IDC_SAY_TEXT);
        EndDialog(hwnd(), IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd(), IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick
