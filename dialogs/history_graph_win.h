// The History page's graph: players, slots and ping over time, drawn with GDI. The time axis is
// labelled in local time; the smallest and largest players and ping are marked with their values.
// Every size is scaled for the DPI the page is drawn at; the texts come in the font selected into
// the device context.
#ifndef TARNWICK_DIALOGS_HISTORY_GRAPH_WIN_H
#define TARNWICK_DIALOGS_HISTORY_GRAPH_WIN_H

#include <string>

#include "common/win32.h"
#include "engine/server_history.h"

namespace tarnwick {

inline constexpr COLORREF kHistoryPlayersColour = RGB(0, 90, 200);
inline constexpr COLORREF kHistoryMaxPlayersColour = RGB(140, 170, 220);
inline constexpr COLORREF kHistoryPingColour = RGB(220, 100, 0);

struct HistoryGraphTexts {
  std::string empty;       // shown while no point is kept
  std::string players;     // the legend's names of the three lines
  std::string maxPlayers;
  std::string ping;
  std::string minFormat;   // "min %d" and "max %d", the marks' labels
  std::string maxFormat;
};

// Draws the whole of `area` (background included) on `dc`.
void DrawHistoryGraph(HDC dc, const RECT& area, const ServerHistory& history, UINT dpi,
                      const HistoryGraphTexts& texts, UtcOffsetAt offsetAt);

// The offset of the system's local time from UTC at `time`, by the system's time zone rules.
int32_t LocalUtcOffsetAt(int64_t time);

}  // namespace tarnwick

#endif
