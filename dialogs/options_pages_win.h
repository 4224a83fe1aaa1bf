// The pages of the Options sheet that edit plain settings (General, Refresh, Tray, Misc) and the
// "Servers" page. Each value page sets its controls from its page values when it becomes the
// active page and reads them back when it stops being active; a number box left empty keeps the
// user on the page. The "Servers" page changes the recent servers list only when OK is pressed.
#ifndef TARNWICK_DIALOGS_OPTIONS_PAGES_WIN_H
#define TARNWICK_DIALOGS_OPTIONS_PAGES_WIN_H

#include <string>
#include <vector>

#include "dialogs/option_values.h"
#include "controls/property_page_win.h"
#include "settings/recent_servers.h"

namespace tarnwick {

class GeneralOptionsPage final : public PropertyPage {
 public:
  explicit GeneralOptionsPage(GeneralPageValues& values) : values_(values) {}

 protected:
  void OnInit() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool OnCommand(int id, int code) override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void EnableHeight();
  void Browse();
  GeneralPageValues& values_;
};

class RefreshOptionsPage final : public PropertyPage {
 public:
  explicit RefreshOptionsPage(RefreshPageValues& values) : values_(values) {}

 protected:
  void OnInit() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool OnCommand(int id, int code) override;

 private:
  void EnableIntervals();
  RefreshPageValues& values_;
};

class TrayOptionsPage final : public PropertyPage {
 public:
  explicit TrayOptionsPage(TrayPageValues& values) : values_(values) {}

 protected:
  void OnInit() override;
  void OnSetActive() override;
  bool OnKillActive() override;
  bool OnCommand(int id, int code) override;

 private:
  void EnableIntervals();
  TrayPageValues& values_;
};

class MiscOptionsPage final : public PropertyPage {
 public:
  explicit MiscOptionsPage(MiscPageValues& values) : values_(values) {}

 protected:
  void OnSetActive() override;
  bool OnKillActive() override;

 private:
  MiscPageValues& values_;
};

// The tray balloons: which events notify, and the tray's players interval while a rule notifies.
class NotifyOptionsPage final : public PropertyPage {
 public:
  explicit NotifyOptionsPage(NotifyPageValues& values) : values_(values) {}

 protected:
  void OnInit() override;
  void OnSetActive() override;
  bool OnKillActive() override;

 private:
  NotifyPageValues& values_;
};

// The recent servers, newest first, in a drag list with "&Up", "&Down" and "&Remove".
class ServersOptionsPage final : public PropertyPage {
 public:
  explicit ServersOptionsPage(RecentServers& servers) : servers_(servers) {}

  // The rows as the list shows them (empty while the page has no window).
  std::vector<std::string> Rows() const;

 protected:
  void OnInit() override;
  void OnApply() override;
  bool OnCommand(int id, int code) override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  HWND List() const;
  int Selected() const;
  void Move(int from, int to);
  void Remove();
  INT_PTR OnDragList(const DRAGLISTINFO& drag);

  RecentServers& servers_;
  int dragSource_ = -1;
};

}  // namespace tarnwick

#endif
