// The sixteen colours of a 4-bit Windows picture, in the order of the standard colour table that
// the system and the tool bar's colour mapping expect.
#ifndef TARNWICK_TOOLS_ART_PALETTE_H
#define TARNWICK_TOOLS_ART_PALETTE_H

#include <array>
#include <optional>

#include "tools/art/image.h"

namespace tarnwick::art {

namespace vga {
constexpr Rgba kBlack = Opaque(0, 0, 0);
constexpr Rgba kMaroon = Opaque(128, 0, 0);
constexpr Rgba kGreen = Opaque(0, 128, 0);
constexpr Rgba kOlive = Opaque(128, 128, 0);
constexpr Rgba kNavy = Opaque(0, 0, 128);
constexpr Rgba kPurple = Opaque(128, 0, 128);
constexpr Rgba kTeal = Opaque(0, 128, 128);
constexpr Rgba kSilver = Opaque(192, 192, 192);  // the classic button face
constexpr Rgba kGray = Opaque(128, 128, 128);
constexpr Rgba kRed = Opaque(255, 0, 0);
constexpr Rgba kLime = Opaque(0, 255, 0);
constexpr Rgba kYellow = Opaque(255, 255, 0);
constexpr Rgba kBlue = Opaque(0, 0, 255);
constexpr Rgba kFuchsia = Opaque(255, 0, 255);
constexpr Rgba kAqua = Opaque(0, 255, 255);
constexpr Rgba kWhite = Opaque(255, 255, 255);
}  // namespace vga

constexpr std::array<Rgba, 16> kVgaPalette = {
    vga::kBlack, vga::kMaroon, vga::kGreen, vga::kOlive,  vga::kNavy, vga::kPurple,
    vga::kTeal,  vga::kSilver, vga::kGray,  vga::kRed,    vga::kLime, vga::kYellow,
    vga::kBlue,  vga::kFuchsia, vga::kAqua, vga::kWhite};

// The palette index of an opaque colour of the table; nothing for any other colour.
std::optional<int> VgaIndex(Rgba colour);

}  // namespace tarnwick::art

#endif
