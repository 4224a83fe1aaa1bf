#include "tools/art/art_set.h"

#include <cstdio>

#include "resources/resource.h"
#include "tools/art/bitmaps.h"
#include "tools/art/icons.h"
#include "tools/art/picture_files.h"
#include "tools/art/toolbar.h"

namespace tarnwick::art {

namespace {

Bytes SixteenColourIcon(Image image) { return EncodeIcon({{std::move(image), 4}}); }

std::string Numbered(const char* prefix, int number) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s%02d.ico", prefix, number);
  return name;
}

}  // namespace

std::vector<ArtFile> DrawAllArt() {
  std::vector<ArtFile> files;
  // The program icon has 16-colour images for the tray and old displays and true-colour ones
  // that every later display picks.
  files.push_back({"tarnwick.ico", IDR_MAINFRAME,
                   EncodeIcon({{ProgramIcon(16, Edge::kCrisp), 4},
                               {ProgramIcon(32, Edge::kCrisp), 4},
                               {ProgramIcon(16, Edge::kSmooth), 32},
                               {ProgramIcon(32, Edge::kSmooth), 32}})});
  files.push_back({"state_connected.ico", IDI_STATE_CONNECTED,
                   SixteenColourIcon(StateIcon(StateMark::kCheck))});
  files.push_back({"state_not_connected.ico", IDI_STATE_NOT_CONNECTED,
                   SixteenColourIcon(StateIcon(StateMark::kCross))});
  files.push_back({"state_connecting.ico", IDI_STATE_CONNECTING,
                   SixteenColourIcon(StateIcon(StateMark::kStar))});
  files.push_back({"tray_stripes_empty.ico", IDI_TRAY_STRIPES_EMPTY,
                   SixteenColourIcon(StripesIcon(0, false))});
  for (int fifths = 0; fifths <= 4; ++fifths)
    files.push_back({Numbered("tray_stripes_", fifths), IDI_TRAY_STRIPES_FIRST + fifths,
                     SixteenColourIcon(StripesIcon(fifths, true))});
  files.push_back({"tray_stripes_full.ico", IDI_TRAY_STRIPES_FULL,
                   SixteenColourIcon(StripesIcon(5, true))});
  for (int players = 0; players <= IDI_TRAY_NUMBER_LAST - IDI_TRAY_NUMBER_FIRST; ++players)
    files.push_back({Numbered("tray_number_", players), IDI_TRAY_NUMBER_FIRST + players,
                     SixteenColourIcon(NumberIcon(players))});
  files.push_back({"tray_question.ico", IDI_TRAY_QUESTION, SixteenColourIcon(QuestionIcon())});
  files.push_back({"tray_blank.ico", IDI_TRAY_BLANK, SixteenColourIcon(BlankIcon())});
  files.push_back({"toolbar.bmp", IDR_MAINFRAME, EncodeBitmap(ToolbarStrip(), 4)});
  files.push_back({"sort_marks.bmp", IDB_SORT_MARKS, EncodeBitmap(SortMarks(), 4)});
  files.push_back({"about_banner.bmp", IDB_ABOUT_BANNER, EncodeBitmap(AboutBanner(), 24)});
  return files;
}

}  // namespace tarnwick::art
