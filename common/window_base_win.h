// WindowBase and DialogBase: the one place where a window procedure finds its C++ object.
// The object is stored with the window at WM_NCCREATE (WM_INITDIALOG for dialogs) and forgotten at
// WM_NCDESTROY, so no message after destruction reaches a dead object. Exceptions never leave a
// window procedure: user32 cannot unwind through them. Windows and dialogs are Unicode windows:
// their controls keep and report text in UTF-16, and notifications arrive in their W forms.
#ifndef TARNWICK_COMMON_WINDOW_BASE_WIN_H
#define TARNWICK_COMMON_WINDOW_BASE_WIN_H

#include "common/win32.h"

namespace tarnwick {

class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a window class whose procedure forwards to OnMessage, or finds it registered
  // (window threads may register at the same time); false when neither.
  static bool RegisterWindowClass(WNDCLASSEXW wc);

  // Creates the window with this object as its owner; the class must use StaticProc. The title
  // is UTF-8.
  HWND CreateOwnedWindow(DWORD exStyle, const wchar_t* className, const char* title, DWORD style,
                         int x, int y, int width, int height, HWND parent, HMENU menu,
                         HINSTANCE instance);

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
  // Called after the last message, when the window handle is already gone.
  virtual void OnFinalDestroy() {}

  static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND hwnd_ = nullptr;
};

class DialogBase {
 public:
  DialogBase() = default;
  virtual ~DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Runs the dialog template `id` modally; returns EndDialog's result, or -1 when it cannot run.
  INT_PTR RunModal(HINSTANCE instance, int id, HWND owner);
  // Creates the dialog template `id` modelessly; the dialog lives until DestroyWindow.
  HWND CreateModeless(HINSTANCE instance, int id, HWND parent);

  // The procedure of plain dialogs: WM_INITDIALOG carries the object.
  static INT_PTR CALLBACK StaticProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // The procedure to give a PROPSHEETPAGE whose lParam holds the object.
  static INT_PTR CALLBACK PageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Returns what a dialog procedure returns: TRUE when the message was handled. Results of
  // messages that need one are set with SetResult.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  void SetResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }
  virtual void OnFinalDestroy() {}

 private:
  static INT_PTR Dispatch(DialogBase* attach, HWND dialog, UINT message, WPARAM wParam,
                          LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace tarnwick

#endif
