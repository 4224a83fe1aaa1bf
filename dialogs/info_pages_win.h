// The four pages of the Server Info sheet. They live as long as the main window (the sheet is
// opened again and again) and show the window's ServerState and the rows of the last rules reply;
// each Fill/Refill does nothing while its page has no window, so the monitor's events may reach
// them at any time. Thread: the window's own, like the state they show; nothing is locked.
#ifndef TARNWICK_DIALOGS_INFO_PAGES_WIN_H
#define TARNWICK_DIALOGS_INFO_PAGES_WIN_H

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/property_page_win.h"
#include "engine/server_monitor.h"
#include "controls/link_static_win.h"

namespace tarnwick {

// "General": address, name, map, players, the OS as a link, the flags.
class InfoGeneralPage final : public PropertyPage {
 public:
  // Loads the texts "locked" and "dedicated". `state` is the window's, shown on activation.
  explicit InfoGeneralPage(const ServerState& state);
  void Fill(const ServerState& state);

 protected:
  void OnInit() override;
  void OnSetActive() override { Fill(state_); }

 private:
  const ServerState& state_;
  std::string locked_;
  std::string dedicated_;
  LinkStatic os_;
};

// "Rules": the variables of the last rules reply, one row each, sorted by name.
class InfoRulesPage final : public PropertyPage {
 public:
  // Refills the list from the kept rows (nothing while none are kept).
  void Refill();
  // A rules reply came: its rows are kept, and shown at once when the page is on screen. Nothing
  // (an empty reply) leaves the list as it is.
  void RulesChanged(const std::optional<std::vector<RuleRow>>& rows);
  const std::optional<std::vector<RuleRow>>& Rows() const { return rows_; }

 protected:
  void OnInit() override;
  void OnSetActive() override { Refill(); }

 private:
  std::optional<std::vector<RuleRow>> rows_;
};

// "Mod": the modification's name, size and version and its links, which are links only while
// the server's text is a web address.
class InfoModPage final : public PropertyPage {
 public:
  explicit InfoModPage(const ServerState& state) : state_(state) {}
  void Fill(const ServerState& state);

 protected:
  void OnInit() override;
  void OnSetActive() override { Fill(state_); }

 private:
  const ServerState& state_;
  LinkStatic url_;
  LinkStatic download_;
  LinkStatic folder_;
};

// "Ping statistic": the ping figures and the Reset button.
class InfoPingPage final : public PropertyPage {
 public:
  explicit InfoPingPage(ServerMonitor& monitor) : monitor_(monitor) {}
  void Fill(const ServerState& state);

 protected:
  void OnSetActive() override { Fill(monitor_.State()); }
  bool OnCommand(int id, int code) override;

 private:
  ServerMonitor& monitor_;
};

}  // namespace tarnwick

#endif
