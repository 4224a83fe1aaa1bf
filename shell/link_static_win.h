// LinkStatic: turns a static control of a dialog into a web or mail link. The static's text is a
// caption, a line feed and a target ("Linux\nhttps://..."; without a line feed the text is both);
// the control shows the caption underlined in the browser's link colours, shows the target in a
// tooltip, and opens it with the shell's "open" verb on a click or when Space is released while it
// has the focus. Setting the window text later re-splits it, so a dialog changes a link simply by
// setting its text. A control with an empty caption is disabled.
//
// The dialog passes WM_CTLCOLORSTATIC on to its link controls through ReflectColour. Colours, the
// hand cursor and the visited links are shared by every link of the process.
#ifndef TARNWICK_SHELL_LINK_STATIC_WIN_H
#define TARNWICK_SHELL_LINK_STATIC_WIN_H

#include <functional>
#include <string>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "settings/key_store.h"
#include "shell/link_static_history_win.h"
#include "shell/link_static_text.h"

namespace tarnwick {

class LinkStatic {
 public:
  // The first link of the process reads the colours (from the registry) and loads the hand cursor.
  LinkStatic();
  ~LinkStatic();
  LinkStatic(const LinkStatic&) = delete;
  LinkStatic& operator=(const LinkStatic&) = delete;

  // Subclasses the static `control`. Attaching again first lets go of the previous control and
  // destroys its tooltip; a handle that is not a window changes nothing.
  void Attach(HWND control);
  HWND hwnd() const { return window_; }
  const std::string& Url() const { return url_; }
  HWND Tooltip() const { return tip_; }
  // Whether the target counts as visited (the colour the caption is drawn in).
  bool IsVisited() const;
  // Opens the target as a click does: beeps when the shell cannot open it.
  void Open();

  // For a dialog procedure: when `message` is WM_CTLCOLORSTATIC for a text link control, lets the
  // control choose its colours and returns true with the brush in `result`.
  static bool ReflectColour(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  // The colours every link uses; read once, by the first link constructed.
  static LinkColours Colours();
  // Reads the colours again from `store` over the system's defaults (tests give a store of their
  // own; the program reads the registry).
  static void LoadColours(KeyStore& store);
  static void SetColours(const LinkColours& colours);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
  // Lets go of the control; `dying`: it is being destroyed, so it is left as it is.
  void Detach(bool dying = false);
  LRESULT OnSetText(const char* text);
  void Fit(const std::string& caption);
  LRESULT OnColour(HDC dc);
  void OnMouseMove(LPARAM lParam);
  void OnEraseBackground(HDC dc);
  LRESULT OnNotify(NMHDR& header);
  void Repaint();

  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
  bool textStatic_ = false;
  RECT room_ = {};  // the rectangle the dialog gave the control, in its parent's co-ordinates
  std::string url_;
  UniqueFont font_;
  HWND tip_ = nullptr;
  LinkHistory history_;
};

}  // namespace tarnwick

#endif
