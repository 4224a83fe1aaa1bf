// "History": what the window saw of its server over the last 24 hours, as a graph that follows
// every new point while the page is on screen, and "Export..." to a CSV file of the user's
// choice. The page object keeps the history for the window's whole life: a reconnection to the
// same server address goes on with it, a connection to another address starts a new one.
#ifndef TARNWICK_DIALOGS_HISTORY_PAGE_WIN_H
#define TARNWICK_DIALOGS_HISTORY_PAGE_WIN_H

#include <cstdint>
#include <optional>
#include <string>

#include "controls/property_page_win.h"
#include "dialogs/history_graph_win.h"
#include "engine/server_history.h"
#include "engine/server_monitor.h"

namespace tarnwick {

class InfoHistoryPage final : public PropertyPage {
 public:
  // Loads the graph's texts. `monitor` is the window's, read for the server's address and name.
  explicit InfoHistoryPage(const ServerMonitor& monitor);

  // A connection opened (its address is resolved): another server than the last starts a new
  // history; until a ping comes back on this connection the points carry none.
  void Connected();
  // The server stopped answering: nothing is known until it answers again.
  void NotAnswering() {
    history_.BreakLine();
    latestPing_.reset();
  }
  void PingAnswered(uint32_t rtt) { latestPing_ = rtt; }
  // An information or details reply: a point at the present time, drawn at once when the page
  // has a window.
  void ServerInfoChanged(const ServerState& state);
  const ServerHistory& History() const { return history_; }

 protected:
  bool OnCommand(int id, int code) override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item) const;
  // The save dialog, then the CSV; a file that cannot be written is said in a message box.
  void Export() const;
  std::string DefaultFileName() const;

  const ServerMonitor& monitor_;
  ServerHistory history_;
  std::optional<uint32_t> latestPing_;
  std::optional<Ipv4Endpoint> server_;
  HistoryGraphTexts texts_;
};

}  // namespace tarnwick

#endif
