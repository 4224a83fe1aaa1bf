// MenuButton: a push button of a dialog that the program draws itself, with a drop-down arrow in
// its right part that opens a menu: the flat button of the remote console's Send command.
//
// The button keeps its command: a click on the left part is an ordinary click. A press on the
// arrow part (or Up or Down while the button has the focus) opens the menu below the button's
// lower left corner; the menu's choice goes to the dialog as WM_COMMAND, and mouse presses that
// queued for the button while the menu was open are dropped, so the click that closes the menu
// does not also press the button. The menu is the given menu resource's first popup with the
// button's own caption put in front as its default item, carrying the button's command.
//
// The dialog hands its WM_DRAWITEM for the button to Draw. The dialog manager's default-button
// changes (BM_SETSTYLE) are kept as a flag while the button stays owner-drawn.
// A button belongs to the thread of the window it sits in.
#ifndef TARNWICK_CONTROLS_MENU_BUTTON_WIN_H
#define TARNWICK_CONTROLS_MENU_BUTTON_WIN_H

#include "common/unique_handle_win.h"
#include "common/win32.h"

namespace tarnwick {

class MenuButton {
 public:
  MenuButton() = default;
  ~MenuButton();
  MenuButton(const MenuButton&) = delete;
  MenuButton& operator=(const MenuButton&) = delete;

  // Takes over `button` (a push button of a dialog) with the menu resource `menuId`; false when
  // the menu cannot be loaded or the button cannot be subclassed.
  bool Attach(HWND button, HINSTANCE instance, int menuId);
  // Gives the button back its own window procedure; done at the latest when it is destroyed.
  void Detach();

  // Paints the button for the dialog's WM_DRAWITEM.
  void Draw(const DRAWITEMSTRUCT& item) const;

  // Opens the menu and returns when it has closed.
  void OpenMenu();

  HWND hwnd() const { return button_; }
  HMENU Menu() const { return popup_; }
  bool IsMenuOpen() const { return menuOpen_; }
  bool IsDefault() const { return isDefault_; }
  // The arrow part, in the button's client coordinates.
  RECT ArrowPart() const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnMouseDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void SetStyle(WPARAM style, BOOL redraw);

  HWND button_ = nullptr;
  UniqueMenu menuBar_;
  HMENU popup_ = nullptr;
  bool isDefault_ = false;
  bool menuOpen_ = false;
};

}  // namespace tarnwick

#endif
