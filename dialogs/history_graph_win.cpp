// Drawing the History page's graph. The plot sits between the legend (top), the players scale
// (left), the ping scale (right) and the time labels (bottom), each as wide as its texts in the
// page's font; lines, marks and gaps are 96-DPI pixels scaled for the page.
#include "dialogs/history_graph_win.h"

#include <algorithm>
#include <vector>

#include "common/ansi_text.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/window_dpi_win.h"
#include "dialogs/history_axes.h"

namespace tarnwick {
namespace {

constexpr COLORREF kGridColour = RGB(225, 225, 225);
constexpr COLORREF kAxisColour = RGB(128, 128, 128);

class Painter {
 public:
  Painter(HDC dc, UINT dpi) : dc_(dc), dpi_(dpi) {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    textHeight_ = metrics.tmHeight;
    SetBkMode(dc, TRANSPARENT);
  }

  int Px(int pixels) const { return ScaleForDpi(pixels, dpi_); }
  int TextHeight() const { return textHeight_; }
  int TextWidth(const std::string& text) const {
    const std::wstring wide = Widen(text);
    SIZE size = {};
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
  }
  // Text whose top left corner is at (x, y).
  void Text(int x, int y, const std::string& text, COLORREF colour) const {
    const std::wstring wide = Widen(text);
    SetTextColor(dc_, colour);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
  }
  void Fill(const RECT& rect, COLORREF colour) const {
    const UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(brush.Get()));
  }
  // A line through `points`, `width` 96-DPI pixels wide.
  void Line(const std::vector<POINT>& points, COLORREF colour, int width) const {
    if (points.size() < 2) return;
    const UniqueGdiObject pen(CreatePen(PS_SOLID, Px(width), colour));
    ScopedSelectObject select(dc_, pen.Get());
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
  }

 private:
  HDC dc_;
  UINT dpi_;
  int textHeight_ = 0;
};

// Maps the history's times and values into the plot.
struct Scale {
  RECT area;
  RECT plot;
  HistoryRange time;
  int64_t playersTop;
  int64_t pingTop;

  int X(int64_t t) const {
    return plot.left + static_cast<int>((t - time.low) * (plot.right - 1 - plot.left) /
                                        (time.high - time.low));
  }
  int Y(int64_t value, int64_t top) const {
    const int64_t clamped = std::clamp<int64_t>(value, 0, top);
    return plot.bottom - 1 - static_cast<int>(clamped * (plot.bottom - 1 - plot.top) / top);
  }
};

void DrawLegend(const Painter& paint, int x, int y, const HistoryGraphTexts& texts) {
  const std::pair<const std::string*, COLORREF> entries[] = {
      {&texts.players, kHistoryPlayersColour},
      {&texts.maxPlayers, kHistoryMaxPlayersColour},
      {&texts.ping, kHistoryPingColour}};
  const int middle = y + paint.TextHeight() / 2;
  for (const auto& [text, colour] : entries) {
    paint.Line({{x, middle}, {x + paint.Px(14), middle}}, colour, 2);
    x += paint.Px(18);
    paint.Text(x, y, *text, GetSysColor(COLOR_WINDOWTEXT));
    x += paint.TextWidth(*text) + paint.Px(12);
  }
}

void DrawTimeAxis(const Painter& paint, const Scale& scale, UtcOffsetAt offsetAt) {
  const int labelWidth = paint.TextWidth("00:00") + paint.Px(16);
  const int maxLabels = std::max<int>(1, (scale.plot.right - scale.plot.left) / labelWidth);
  const int64_t step = TimeLabelStep(scale.time.high - scale.time.low, maxLabels);
  for (const int64_t t : TimeLabels(scale.time, step, offsetAt)) {
    const int x = scale.X(t);
    paint.Line({{x, scale.plot.top}, {x, scale.plot.bottom}}, kGridColour, 1);
    paint.Line({{x, scale.plot.bottom}, {x, scale.plot.bottom + paint.Px(3)}}, kAxisColour, 1);
    const std::string label = ClockText(t, offsetAt(t));
    const int width = paint.TextWidth(label);
    const int left = std::clamp<int>(x - width / 2, scale.area.left,
                                     std::max<int>(scale.area.left, scale.area.right - width));
    paint.Text(left, scale.plot.bottom + paint.Px(4), label, GetSysColor(COLOR_WINDOWTEXT));
  }
}

// Horizontal grid lines at 0, half and the top, labelled left (players) and right (ping).
void DrawValueAxes(const Painter& paint, const Scale& scale, bool hasPing) {
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  for (const int64_t half : {0, 1, 2}) {
    const int y = scale.Y(scale.playersTop * half / 2, scale.playersTop);
    paint.Line({{scale.plot.left, y}, {scale.plot.right, y}}, kGridColour, 1);
    const std::string players = std::to_string(scale.playersTop * half / 2);
    const int top = y - paint.TextHeight() / 2;
    paint.Text(scale.plot.left - paint.Px(4) - paint.TextWidth(players), top, players, text);
    if (hasPing) {
      paint.Text(scale.plot.right + paint.Px(4), top, std::to_string(scale.pingTop * half / 2),
                 kHistoryPingColour);
    }
  }
  paint.Line({{scale.plot.left, scale.plot.top},
              {scale.plot.left, scale.plot.bottom},
              {scale.plot.right, scale.plot.bottom}},
             kAxisColour, 1);
}

// A square on the point and its value beside it: above for a largest, below for a smallest value,
// or on the other side, or further out, where a label already drawn (in `labels`) would be hit.
void Mark(const Painter& paint, const Scale& scale, POINT at, const std::string& label,
          bool above, COLORREF colour, std::vector<RECT>& labels) {
  const int half = paint.Px(3);
  paint.Fill({at.x - half, at.y - half, at.x + half + 1, at.y + half + 1}, colour);
  const int width = paint.TextWidth(label);
  const int height = paint.TextHeight();
  const int x = std::clamp<int>(at.x + half + paint.Px(2), scale.plot.left,
                                std::max<int>(scale.plot.left, scale.plot.right - width));
  const auto placed = [&](bool up, int further) {
    const int y = up ? std::max<int>(scale.plot.top, at.y - half - height - further * height)
                     : std::min<int>(scale.plot.bottom - height, at.y + half + further * height);
    return RECT{x, y, x + width, y + height};
  };
  const auto free = [&](const RECT& place) {
    return std::none_of(labels.begin(), labels.end(), [&](const RECT& taken) {
      RECT overlap;
      return IntersectRect(&overlap, &place, &taken) != FALSE;
    });
  };
  RECT place = placed(above, 0);
  for (int further = 0; further < 3 && !free(place); ++further) {
    place = placed(!above, further);
    if (!free(place)) place = placed(above, further + 1);
  }
  labels.push_back(place);
  paint.Text(place.left, place.top, label, colour);
}

// Marks the first point holding the smallest and the first holding the largest value; one mark
// when every value is the same.
void MarkExtremes(const Painter& paint, const Scale& scale, const std::vector<POINT>& points,
                  const std::vector<int64_t>& values, const HistoryGraphTexts& texts,
                  COLORREF colour, std::vector<RECT>& labels) {
  if (values.empty()) return;
  const auto low = std::min_element(values.begin(), values.end());
  const auto high = std::max_element(values.begin(), values.end());
  const auto at = [&](auto it) { return points[static_cast<size_t>(it - values.begin())]; };
  Mark(paint, scale, at(high), Format(texts.maxFormat.c_str(), static_cast<int>(*high)), true,
       colour, labels);
  if (*low != *high) {
    Mark(paint, scale, at(low), Format(texts.minFormat.c_str(), static_cast<int>(*low)), false,
         colour, labels);
  }
}

}  // namespace

void DrawHistoryGraph(HDC dc, const RECT& area, const ServerHistory& history, UINT dpi,
                      const HistoryGraphTexts& texts, UtcOffsetAt offsetAt) {
  Painter paint(dc, dpi);
  paint.Fill(area, GetSysColor(COLOR_WINDOW));
  const std::optional<HistoryRange> time = history.TimeRange();
  if (!time) {
    RECT box = area;
    const std::wstring empty = Widen(texts.empty);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, empty.c_str(), static_cast<int>(empty.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  const std::optional<HistoryRange> ping = history.PingRange();
  Scale scale{};
  scale.area = area;
  scale.time = *time;
  if (scale.time.high == scale.time.low) {  // one point: a minute around it
    scale.time.low -= 30;
    scale.time.high += 30;
  }
  scale.playersTop = AxisTop(std::max<int64_t>(1, history.PlayersRange()->high));
  scale.pingTop = AxisTop(std::max<int64_t>(1, ping ? ping->high : 1));
  const int gap = paint.Px(6);
  scale.plot = {area.left + gap + paint.TextWidth(std::to_string(scale.playersTop)) + gap,
                area.top + gap + paint.TextHeight() + gap,
                area.right - gap - paint.TextWidth(std::to_string(scale.pingTop)) - gap,
                area.bottom - gap - paint.TextHeight() - paint.Px(4)};
  if (scale.plot.right - scale.plot.left < paint.Px(20) ||
      scale.plot.bottom - scale.plot.top < paint.Px(20)) {
    return;  // too small to show anything
  }

  DrawLegend(paint, area.left + gap, area.top + gap, texts);
  DrawValueAxes(paint, scale, ping.has_value());
  DrawTimeAxis(paint, scale, offsetAt);

  // Each line is drawn in runs: a gap in the history, or a point without a ping, breaks it.
  using Runs = std::vector<std::vector<POINT>>;
  Runs slots(1);
  Runs players(1);
  Runs pings(1);
  std::vector<POINT> playerPoints;
  std::vector<int64_t> playerValues;
  std::vector<POINT> pingPoints;
  std::vector<int64_t> pingValues;
  const auto breakRun = [](Runs& runs) {
    if (!runs.back().empty()) runs.emplace_back();
  };
  for (const HistoryPoint& point : history.Points()) {
    if (point.afterGap) {
      for (Runs* runs : {&slots, &players, &pings}) breakRun(*runs);
    }
    const int x = scale.X(point.time);
    slots.back().push_back({x, scale.Y(point.maxPlayers, scale.playersTop)});
    players.back().push_back({x, scale.Y(point.players, scale.playersTop)});
    playerPoints.push_back(players.back().back());
    playerValues.push_back(point.players);
    if (point.pingMs) {
      pings.back().push_back({x, scale.Y(*point.pingMs, scale.pingTop)});
      pingPoints.push_back(pings.back().back());
      pingValues.push_back(*point.pingMs);
    } else {
      breakRun(pings);
    }
  }
  // A run of one point (a single reply between gaps) is drawn as a dot.
  const auto draw = [&](const Runs& runs, COLORREF colour, int width) {
    for (const std::vector<POINT>& run : runs) {
      if (run.size() == 1) {
        paint.Line({run[0], {run[0].x + 1, run[0].y}}, colour, width);
      } else {
        paint.Line(run, colour, width);
      }
    }
  };
  draw(slots, kHistoryMaxPlayersColour, 1);
  draw(pings, kHistoryPingColour, 2);
  draw(players, kHistoryPlayersColour, 2);
  std::vector<RECT> labels;
  MarkExtremes(paint, scale, pingPoints, pingValues, texts, kHistoryPingColour, labels);
  MarkExtremes(paint, scale, playerPoints, playerValues, texts, kHistoryPlayersColour, labels);
}

int32_t LocalUtcOffsetAt(int64_t time) {
  constexpr int64_t kUnixEpochAsFileTime = 116444736000000000;  // 100 ns units since 1601
  const uint64_t ticks = static_cast<uint64_t>(time * 10000000 + kUnixEpochAsFileTime);
  const FILETIME utcFile = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc = {};
  SYSTEMTIME local = {};
  FILETIME localFile = {};
  if (!FileTimeToSystemTime(&utcFile, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !SystemTimeToFileTime(&local, &localFile)) {
    return 0;
  }
  const uint64_t localTicks =
      (static_cast<uint64_t>(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime;
  return static_cast<int32_t>((static_cast<int64_t>(localTicks) - static_cast<int64_t>(ticks)) /
                              10000000);
}

}  // namespace tarnwick
