// FrameBars: the rebar at the top of the main window with its two bands, the tool bar and the
// "Server" address box (the recent servers, a text field to type a server into).
// Its state belongs to the thread of the window that owns it and is touched only there.
#ifndef TARNWICK_SHELL_FRAME_BARS_WIN_H
#define TARNWICK_SHELL_FRAME_BARS_WIN_H

#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "common/window_dpi_win.h"
#include "shell/command_states.h"

namespace tarnwick {

class FrameBars {
 public:
  // Creates the rebar and the tool bar (bitmap 128) as its first band.
  bool Create(HWND frame, HINSTANCE instance);
  // Creates the address box (a permanent list when `showList`, else a drop-down list), adds its
  // "Server" band and subclasses its edit field so Enter connects. True when box and field exist.
  bool CreateAddressBox(bool showList, uint32_t height);
  // Removes the "Server" band and destroys the address box.
  void DestroyAddressBox();

  HWND Rebar() const { return rebar_; }
  HWND Toolbar() const { return toolbar_; }
  HWND AddressBox() const { return addressBox_; }
  HWND AddressEdit() const { return addressEdit_; }

  // The selected item's text when one is selected, else the edit field's (at most 255).
  std::string AddressText() const;
  // Empties the box and adds `servers` (newest first); the box keeps them sorted.
  void FillAddressBox(const std::vector<std::string>& servers);
  void SelectAddress(const std::string& text);
  // CBN_EDITCHANGE: completion while typing.
  void OnAddressEditChange();

  void ApplyToToolbar(const CommandStates& states);
  // The window moved from a screen of `fromDpi` to one of `toDpi`: the tool bar's pictures are
  // drawn again, the band titles and the address box get fonts of the new size and the bands fit
  // them.
  void OnDpiChanged(UINT fromDpi, UINT toDpi);
  // The "Server" band title's access-key underline (rebar custom draw).
  LRESULT OnRebarCustomDraw(NMCUSTOMDRAW& draw);

  // Whether the system draws access keys only while Alt is held (Windows 2000 and later).
  static bool HidesAccessKeys();

 private:
  // The button pictures enlarged for `dpi`.
  void SetButtonImages(UINT dpi);
  REBARBANDINFOA ToolbarBandSizes() const;
  // The "Server" band's least size: the address box as it now stands, its width for `dpi`.
  void FitAddressBand(UINT dpi);

  HWND frame_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HWND rebar_ = nullptr;
  HWND toolbar_ = nullptr;
  UniqueImageList buttonImages_;
  HWND addressBox_ = nullptr;
  HWND addressEdit_ = nullptr;
  DpiFont rebarFont_;
  DpiFont addressFont_;
  std::string lastAddressText_;
};

}  // namespace tarnwick

#endif
