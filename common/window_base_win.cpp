#include "common/window_base_win.h"

#include <prsht.h>

#include "common/wide_text_win.h"

namespace tarnwick {

bool WindowBase::RegisterWindowClass(WNDCLASSEXW wc) {
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowBase::StaticProc;
  if (RegisterClassExW(&wc) != 0) return true;
  // Registered already: by an earlier window, or by another window thread a moment ago (which
  // is why this is asked only after the registration failed).
  WNDCLASSEXW existing = {};
  existing.cbSize = sizeof(existing);
  return GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing) != 0;
}

HWND WindowBase::CreateOwnedWindow(DWORD exStyle, const wchar_t* className, const char* title,
                                   DWORD style, int x, int y, int width, int height, HWND parent,
                                   HMENU menu, HINSTANCE instance) {
  return CreateWindowExW(exStyle, className, Widen(title).c_str(), style, x, y, width, height,
                         parent, menu, instance, this);
}

LRESULT CALLBACK WindowBase::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<WindowBase*>(create->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    result = DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnFinalDestroy();
  }
  return result;
}

INT_PTR DialogBase::RunModal(HINSTANCE instance, int id, HWND owner) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, &DialogBase::StaticProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND DialogBase::CreateModeless(HINSTANCE instance, int id, HWND parent) {
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(id), parent, &DialogBase::StaticProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::StaticProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogBase* attach = message == WM_INITDIALOG ? reinterpret_cast<DialogBase*>(lParam) : nullptr;
  return Dispatch(attach, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK DialogBase::PageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogBase* attach = nullptr;
  if (message == WM_INITDIALOG) {
    const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    attach = reinterpret_cast<DialogBase*>(page->lParam);
  }
  return Dispatch(attach, dialog, message, wParam, lParam);
}

INT_PTR DialogBase::Dispatch(DialogBase* attach, HWND dialog, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  DialogBase* self = attach;
  if (self != nullptr) {
    self->hwnd_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
  }
  if (self == nullptr) return FALSE;

  INT_PTR handled = FALSE;
  try {
    handled = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    handled = TRUE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnFinalDestroy();
  }
  return handled;
}

}  // namespace tarnwick
