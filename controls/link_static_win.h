// LinkStatic: turns a static control of a dialog into a web or mail link. The static's text is a
// caption, a line feed and a target ("Linux\nhttps://..."; without a line feed the text is both);
// the control shows the caption underlined in the browser's link colours, shows the target in a
// tooltip, and opens it with the shell's "open" verb on a click or when Space is released while it
// has the focus. Setting the window text later re-splits it, so a dialog changes a link simply by
// setting its text. A control with an empty caption is disabled.
//
// A control attached for server text never splits: the text is the caption, and it is a link only
// when it is a web address (WebAddressFromServerText), whose checked form is then both what the
// control shows and what it opens. Any other text shows as a plain static (PlainServerText): no
// link font or colour, no hand, no click. A click opens only the target that was under the button when it went down, so
// a refill between press and release opens nothing.
//
// The dialog passes WM_CTLCOLORSTATIC on to its link controls through ReflectColour. Colours, the
// hand cursor and the visited links are shared by every link of the process.
// A link belongs to the thread of its dialog; only the colours and the hand cursor are shared by
// the process, behind a lock.
#ifndef TARNWICK_CONTROLS_LINK_STATIC_WIN_H
#define TARNWICK_CONTROLS_LINK_STATIC_WIN_H

#include <functional>
#include <string>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "settings/key_store.h"
#include "controls/link_static_history_win.h"
#include "controls/link_static_text.h"

namespace tarnwick {

// Where a link control's texts come from.
enum class LinkTexts {
  kProgram,  // the program's own resources: caption, line feed, target
  kServer,   // a server: a web address or plain text
};

class LinkStatic {
 public:
  // The first link of the process reads the colours (from the registry) and loads the hand cursor.
  LinkStatic();
  ~LinkStatic();
  LinkStatic(const LinkStatic&) = delete;
  LinkStatic& operator=(const LinkStatic&) = delete;

  // Subclasses the static `control`. Attaching again first lets go of the previous control and
  // destroys its tooltip; a handle that is not a window changes nothing.
  void Attach(HWND control, LinkTexts texts = LinkTexts::kProgram);
  HWND hwnd() const { return window_; }
  // The target; empty while the control shows plain text.
  const std::string& Url() const { return url_; }
  bool IsLink() const { return !url_.empty(); }
  HWND Tooltip() const { return tip_; }
  // Whether the target counts as visited (the colour the caption is drawn in).
  bool IsVisited() const;
  // Opens the target as a click does: beeps when the shell cannot open it.
  void Open();
  // The dialog moved to a screen of `dpi` and has scaled its controls and font: the link takes the
  // dialog's new font, scales the room it was given and fits its caption again. The control calls
  // it itself on WM_DPICHANGED_AFTERPARENT; a dialog that scales itself calls it after.
  void OnDpiChanged(UINT dpi);

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
  // Whether the control looks and acts as a link: always for the program's own texts (an empty
  // one is disabled), for server text only while it holds a web address.
  bool ShowsLink() const { return texts_ == LinkTexts::kProgram || !url_.empty(); }
  LRESULT OnSetText(const std::string& given);
  // The link font while the control is a link, the dialog's font while it shows plain text.
  // The underlined font of a link, made from the plain one.
  void MakeLinkFont();
  void ChooseFont();
  void Fit(const std::string& caption);
  LRESULT OnColour(HDC dc);
  void OnMouseMove(LPARAM lParam);
  void OnEraseBackground(HDC dc);
  LRESULT OnNotify(NMHDR& header);
  void Repaint();

  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
  bool textStatic_ = false;
  LinkTexts texts_ = LinkTexts::kProgram;
  HFONT plainFont_ = nullptr;  // the control's font before it was attached (not owned)
  std::string pressed_;        // the target under the button since it went down
  UINT dpi_ = 0;     // the DPI `room_` is measured at
  RECT room_ = {};  // the rectangle the dialog gave the control, in its parent's co-ordinates
  std::string url_;
  UniqueFont font_;
  HWND tip_ = nullptr;
  LinkHistory history_;
};

}  // namespace tarnwick

#endif
