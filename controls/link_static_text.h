// The portable half of the link control (link_static_win.h): how a static's text splits into the
// caption it shows and the target it opens, the tip text, where a fitted link goes in its dialog,
// and the browser's link colours read from "Software\Microsoft\Internet Explorer\Settings".
#ifndef TARNWICK_CONTROLS_LINK_STATIC_TEXT_H
#define TARNWICK_CONTROLS_LINK_STATIC_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/key_store.h"

namespace tarnwick {

// Caption and target of one of the program's own link texts (from its resources): the text
// splits at its first line feed; without one the whole text is both caption and target. Never for
// text from a server, which would choose what a click starts.
struct LinkText {
  std::string caption;
  std::string url;
};
LinkText SplitLinkText(std::string_view text);

// Text a server sent, as a link target. A web address is "http://" or "https://" in any case,
// followed by at least one character, all of it printable ASCII without blanks (so no control
// character and no line feed), at most kMaxWebAddress characters; it is its own target. A text
// starting with "www." (any case) that would be such an address with "http://" in front gets
// it. Anything else gives an empty target: the text is plain, never opened, so no server can
// have a click start a local program, a file on a share or another protocol's handler.
inline constexpr size_t kMaxWebAddress = 2048;
std::string WebAddressFromServerText(std::string_view text);

// Server text that is no web address, as a link control shows it: on one line, every control
// character a blank, so that all of it is seen (a line feed would hide what follows it).
std::string PlainServerText(std::string_view text);

// The tooltip shows the target in a buffer of 80 bytes: at most 79 characters.
inline constexpr size_t kLinkTipRoom = 80;
std::string LinkTipText(std::string_view url);

// A colour string of the browser settings: "R,G,B" in decimal. The first two numbers end at a
// comma, the third runs to the end; the result is R + (G << 8) + ((B & 0xFF) << 16). A string
// without two commas, or with nothing after the second, gives kBadLinkColour.
inline constexpr uint32_t kBadLinkColour = 0xFFFFFFFFu;
uint32_t ParseLinkColour(std::string_view text);

// The colours of every link of the process (COLORREF values) and whether hovering shows a colour.
struct LinkColours {
  uint32_t normal = 0;
  uint32_t visited = 0;
  uint32_t hover = 0;
  bool useHover = false;
};

inline constexpr char kBrowserSettingsPath[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// Reads the browser's settings over `colours`, which hold the system's defaults on entry: each of
// "Anchor Color Hover", "Anchor Color Visited" and "Anchor Color" that is present (at most 259
// characters) replaces its colour; "Use Anchor Hover Color" turns hovering on exactly when it is
// "yes". False, with `colours` untouched, when the settings key cannot be opened.
bool ReadLinkColours(KeyStore& store, LinkColours& colours);

// A rectangle in the parent's client co-ordinates.
struct LinkRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const LinkRect&) const = default;
};

// Static control style bits the fitting looks at (the SS_* values).
inline constexpr uint32_t kStaticCenter = 0x1;
inline constexpr uint32_t kStaticRight = 0x2;
inline constexpr uint32_t kStaticCenterImage = 0x200;

// Shrinks a text link's rectangle to its caption: vertically to the caption height (centred with
// SS_CENTERIMAGE, else kept at the top), horizontally to the caption width (centred with
// SS_CENTER, kept at the right with SS_RIGHT, else at the left).
LinkRect FitLinkRect(LinkRect control, int textWidth, int textHeight, uint32_t style);

// True for the static styles that show text (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE,
// SS_LEFTNOWORDWRAP): those get an underlined font and are fitted to their caption.
bool IsTextStaticStyle(uint32_t style);

}  // namespace tarnwick

#endif
