// The four pages of the Server Info sheet. They live as long as the main window (the sheet is
// opened again and again) and show the window's ServerState, read under its state lock; each
// Fill/Refill does nothing while its page has no window, so the engine may push at any time.
#ifndef TARNWICK_DIALOGS_INFO_PAGES_WIN_H
#define TARNWICK_DIALOGS_INFO_PAGES_WIN_H

#include <array>
#include <string>

#include "controls/property_page_win.h"
#include "engine/server_monitor.h"
#include "controls/link_static_win.h"

namespace tarnwick {

// "General": address, name, map, players, the OS as a link, the flags.
class InfoGeneralPage final : public PropertyPage {
 public:
  // Loads the texts "locked" and "dedicated".
  explicit InfoGeneralPage(ServerMonitor& monitor);
  void Fill();

 protected:
  void OnInit() override;
  void OnSetActive() override { Fill(); }

 private:
  ServerMonitor& monitor_;
  std::string locked_;
  std::string dedicated_;
  LinkStatic os_;
};

// "Rules": the variables of the last rules reply, one row each, sorted by name.
class InfoRulesPage final : public PropertyPage {
 public:
  explicit InfoRulesPage(ServerMonitor& monitor) : monitor_(monitor) {}
  // Refills the list from the stored rules body (nothing while none is stored).
  void Refill();
  // A rules reply was stored: refills when the page is on screen.
  void RulesChanged();

 protected:
  void OnInit() override;
  void OnSetActive() override { Refill(); }

 private:
  ServerMonitor& monitor_;
};

// "Mod": the modification's name, size and version and its links, which are links only while
// the server's text is a web address.
class InfoModPage final : public PropertyPage {
 public:
  explicit InfoModPage(ServerMonitor& monitor) : monitor_(monitor) {}
  void Fill();

 protected:
  void OnInit() override;
  void OnSetActive() override { Fill(); }

 private:
  ServerMonitor& monitor_;
  LinkStatic url_;
  LinkStatic download_;
  LinkStatic folder_;
};

// "Ping statistic": the ping figures and the Reset button.
class InfoPingPage final : public PropertyPage {
 public:
  explicit InfoPingPage(ServerMonitor& monitor) : monitor_(monitor) {}
  void Fill();

 protected:
  void OnSetActive() override { Fill(); }
  bool OnCommand(int id, int code) override;

 private:
  ServerMonitor& monitor_;
};

}  // namespace tarnwick

#endif
