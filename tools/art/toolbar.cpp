#include "tools/art/toolbar.h"

#include "tools/art/palette.h"
#include "tools/art/sprite.h"

namespace tarnwick::art {

namespace {

constexpr Ink kInks[] = {
    {'K', vga::kBlack}, {'g', vga::kGray},  {'s', vga::kSilver}, {'W', vga::kWhite},
    {'Y', vga::kYellow}, {'o', vga::kOlive}, {'R', vga::kRed},   {'m', vga::kMaroon},
    {'L', vga::kLime},  {'G', vga::kGreen}, {'B', vga::kBlue},   {'N', vga::kNavy},
    {'T', vga::kTeal},  {'A', vga::kAqua},
};

using Rows = std::initializer_list<const char*>;

Image Tile() { return Image(kButtonWidth, kButtonHeight); }

Image SpriteTile(Rows rows) {
  Image tile = Tile();
  DrawSprite(tile, 0, 0, rows, kInks);
  return tile;
}

// Every opaque pixel casts a one-pixel shadow down and to the right.
void AddShadow(Image& tile, Rgba colour) {
  const Image before = tile;
  for (int y = 0; y < tile.height(); ++y)
    for (int x = 0; x < tile.width(); ++x)
      if (before.At(x, y).a == 0 && before.At(x - 1, y - 1).a != 0) tile.Set(x, y, colour);
}

// clang-format off
Image Connect() {  // the plug pressed home in the wall socket
  return SpriteTile({
    "................",
    "................",
    "..........KKKKK.",
    "..........KWWWgK",
    "...KKKKKK.KWgggK",
    "..KWWWWWgKKWgggK",
    "..KWggggggKWKKgK",
    "KKKWggggggKWgggK",
    "..KWggggggKWKKgK",
    "..KggggggKKWgggK",
    "...KKKKKK.KWgggK",
    "..........KggggK",
    "..........KKKKK.",
    "................",
    "................",
  });
}

Image Clone() {  // a second window like the first
  return SpriteTile({
    "................",
    ".KKKKKKKKK......",
    ".KNNNNNNNK......",
    ".KWWWWWWWK......",
    ".KWWWWWWWK......",
    ".KWWWKKKKKKKKK..",
    ".KWWWKBBBBBBBK..",
    ".KWWWKWWWWWWWK..",
    ".KKKKKWWWWWWWK..",
    ".....KWWWWWWWK..",
    ".....KWWWWWWWK..",
    ".....KWWWWWWWK..",
    ".....KKKKKKKKK..",
    "................",
    "................",
  });
}

Image Disconnect() {  // the plug pulled out of the socket, sparks in the gap
  return SpriteTile({
    "................",
    "................",
    ".........RKKKKK.",
    "........R.KWWWgK",
    "KKKK...R..KWgggK",
    "WWWWK.....KWgggK",
    "ggggKYYo..KWKKgK",
    "ggggK.....KWgggK",
    "ggggKYYo..KWKKgK",
    "ggggK.....KWgggK",
    "KKKK...R..KWgggK",
    "........R.KggggK",
    ".........RKKKKK.",
    "................",
    "................",
  });
}

Image Join() {  // play
  return SpriteTile({
    "................",
    "....KK..........",
    "....KLKK........",
    "....KLLLKK......",
    "....KLLLLLKK....",
    "....KLLLLLLLKK..",
    "....KLLLLLLLLLK.",
    "....KLLLLLLLGGK.",
    "....KLLLLLGGKK..",
    "....KLLLGGKK....",
    "....KLGGKK......",
    "....KGKK........",
    "....KK..........",
    "................",
    "................",
  });
}

Image AutoJoin() {  // a clock with a play mark: join when the time comes
  return SpriteTile({
    "....KKKKK.......",
    "..KKWWWWWKK.....",
    ".KWWWWKWWWWK....",
    ".KWWWWKWWWWK....",
    "KWWWWWKWWWWWK...",
    "KWWWWWKWWWWWK...",
    "KWWWWWKKKKWWK...",
    "KWWWWWWWWWWWK...",
    "KWWWWWWWWKK.....",
    ".KWWWWWWKLKK....",
    ".KWWWWWWKLLLKK..",
    "..KKWWWWKLLLLLK.",
    "....KKKKKLLLGGK.",
    "........KLGGKK..",
    "........KKK.....",
  });
}

Image RemoteConsole() {  // a prompt on a terminal
  return SpriteTile({
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KggggggggggggK.",
    ".KKKKKKKKKKKKKK.",
    ".KKKKKKKKKKKKKK.",
    ".KKLKKKKKKKKKKK.",
    ".KKKLKKKKKKKKKK.",
    ".KKKKLKKKKKKKKK.",
    ".KKKLKKKKKKKKKK.",
    ".KKLKKKLLLLKKKK.",
    ".KKKKKKKKKKKKKK.",
    ".KKKKKKKKKKKKKK.",
    ".KKKKKKKKKKKKKK.",
    "................",
    "................",
  });
}

Image ServerInfo() {
  return SpriteTile({
    "................",
    ".....KKKKKK.....",
    "...KKBBBBBBKK...",
    "..KBBBBWWBBBBK..",
    "..KBBBBWWBBBBK..",
    ".KBBBBBBBBBBBBK.",
    ".KBBBBWWWBBBBBK.",
    ".KBBBBBWWBBBBBK.",
    ".KBBBBBWWBBBBBK.",
    ".KBBBBBWWBBBBBK.",
    "..KBBBBWWBBBBK..",
    "..KBBBWWWWBBBK..",
    "...KKBBBBBBKK...",
    ".....KKKKKK.....",
    "................",
  });
}

Image GoToTray() {  // the window goes down into the corner of the task bar
  return SpriteTile({
    "KKKKKKKKKK......",
    "KNNNNNNNNK......",
    "KWWWWWWWWK......",
    "KWWWWWWWWK......",
    "KKKKKKKKKK......",
    "...GG...........",
    "....GG.....G....",
    ".....GG...GG....",
    "......GG.GGG....",
    ".......GGGGG....",
    ".......GGGGG....",
    "KKKKKKKKKKKKKKKK",
    "KWWWWWWWgggggggK",
    "KgggggggWLL.YY.K",
    "KKKKKKKKKKKKKKKK",
  });
}

Image About() {  // a question mark
  Image tile = SpriteTile({
    "................",
    ".....BBBBB......",
    "....BBBBBBB.....",
    "...BBB...BBB....",
    "...BB.....BB....",
    "..........BB....",
    ".........BBB....",
    "........BBB.....",
    ".......BBB......",
    "......BBB.......",
    "......BB........",
    "................",
    "......BB........",
    "......BB........",
    "................",
  });
  AddShadow(tile, vga::kNavy);
  return tile;
}
// clang-format on

// clang-format off
Image Refresh() {  // two arrows chasing each other round, clockwise
  return SpriteTile({
    "................",
    ".....GGGGG......",
    "...GGGGGGGGG....",
    "..GGG.....GGG...",
    ".GGG.......GG...",
    ".GG......GGGGGG.",
    "..........GGGG..",
    "...GG......GG...",
    "..GGGG..........",
    ".GGGGGG......GG.",
    "...GG.......GGG.",
    "...GGG.....GGG..",
    "....GGGGGGGGG...",
    "......GGGGG.....",
    "................",
  });
}

Image Options() {  // a gear, lit from the upper left
  return SpriteTile({
    "................",
    ".......KKK......",
    "...KK..KsK..KK..",
    "...KsKKKsKKKgK..",
    "....KsssssssK...",
    "...KKssKKKsgKK..",
    ".KKKssK...KggKKK",
    ".KssssK...KggggK",
    ".KKKssK...KggKKK",
    "...KKsgKKKggKK..",
    "....KgggggggK...",
    "...KgKKKgKKKgK..",
    "...KK..KgK..KK..",
    ".......KKK......",
    "................",
  });
}
// clang-format on

}  // namespace

Image ToolbarStrip() {
  Image strip(kButtonWidth * kButtonCount, kButtonHeight, vga::kSilver);
  const Image glyphs[kButtonCount] = {Connect(), Clone(),   Disconnect(), Join(),    AutoJoin(),
                                      RemoteConsole(), Refresh(), ServerInfo(), GoToTray(),
                                      Options(), About()};
  for (int i = 0; i < kButtonCount; ++i) strip.Draw(glyphs[i], i * kButtonWidth, 0);
  return strip;
}

}  // namespace tarnwick::art
