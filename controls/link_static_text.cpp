#include "controls/link_static_text.h"

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

// Browser colour strings live in buffers of 260 bytes.
constexpr size_t kColourRoom = 260;

bool ReadText(Key& key, std::string_view name, std::string& text) {
  KeyValue value;
  if (key.QueryValue(name, kColourRoom, value) != KeyStatus::kSuccess) return false;
  text = TextFromBytes(value.data);
  return true;
}

void ReadColour(Key& key, std::string_view name, uint32_t& colour) {
  std::string text;
  if (ReadText(key, name, text)) colour = ParseLinkColour(text);
}

}  // namespace

LinkText SplitLinkText(std::string_view text) {
  const size_t feed = text.find('\n');
  if (feed == std::string_view::npos) return {std::string(text), std::string(text)};
  return {std::string(text.substr(0, feed)), std::string(text.substr(feed + 1))};
}

std::string WebAddressFromServerText(std::string_view text) {
  const bool www = StartsWithNoCase(text, "www.");
  std::string address = www ? "http://" + std::string(text) : std::string(text);
  if (address.size() > kMaxWebAddress) return std::string();
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte > '~') return std::string();
  }
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (StartsWithNoCase(address, scheme) && address.size() > scheme.size()) return address;
  }
  return std::string();
}

std::string PlainServerText(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < ' ' || byte == 0x7F) c = ' ';
  }
  return shown;
}

std::string LinkTipText(std::string_view url) {
  return std::string(url.substr(0, kLinkTipRoom - 1));
}

uint32_t ParseLinkColour(std::string_view text) {
  const size_t first = text.find(',');
  if (first == std::string_view::npos) return kBadLinkColour;
  const size_t second = text.find(',', first + 1);
  if (second == std::string_view::npos || second + 1 >= text.size()) return kBadLinkColour;
  const auto red = static_cast<uint32_t>(ParseDecimal(text.substr(0, first)));
  const std::string_view greenText = text.substr(first + 1, second - first - 1);
  const auto green = static_cast<uint32_t>(ParseDecimal(greenText));
  const auto blue = static_cast<uint32_t>(ParseDecimal(text.substr(second + 1)));
  return red + (green << 8) + ((blue & 0xFFu) << 16);
}

bool ReadLinkColours(KeyStore& store, LinkColours& colours) {
  std::unique_ptr<Key> key =
      store.Root(RootKey::kCurrentUser).OpenSubkey(kBrowserSettingsPath, KeyAccess::kRead);
  if (!key) return false;
  std::string hover;
  colours.useHover = ReadText(*key, "Use Anchor Hover Color", hover) && hover == "yes";
  ReadColour(*key, "Anchor Color Hover", colours.hover);
  ReadColour(*key, "Anchor Color Visited", colours.visited);
  ReadColour(*key, "Anchor Color", colours.normal);
  return true;
}

LinkRect FitLinkRect(LinkRect control, int textWidth, int textHeight, uint32_t style) {
  LinkRect fitted = control;
  const int height = control.bottom - control.top;
  if ((style & kStaticCenterImage) != 0) {
    fitted.top = control.top + (height - textHeight) / 2;
    fitted.bottom = fitted.top + textHeight;
  } else {
    fitted.bottom = control.top + textHeight;
  }
  const int width = control.right - control.left;
  if ((style & kStaticCenter) != 0) {
    fitted.left = control.left + (width - textWidth) / 2;
    fitted.right = fitted.left + textWidth;
  } else if ((style & kStaticRight) != 0) {
    fitted.left = control.right - textWidth;
  } else {
    fitted.right = control.left + textWidth;
  }
  return fitted;
}

bool IsTextStaticStyle(uint32_t style) {
  const uint32_t kind = style & 0x1F;
  return kind <= 2 || kind == 11 || kind == 12;
}

}  // namespace tarnwick
