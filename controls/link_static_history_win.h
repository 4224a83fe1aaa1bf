// LinkHistory: whether a link's target counts as visited. Where the system offers the URL-history
// service (IUrlHistoryStg) it is asked and told; a set kept in memory for the whole process is
// always kept as well, so a target opened here counts as visited also where that service is
// missing or records nothing.
#ifndef TARNWICK_CONTROLS_LINK_STATIC_HISTORY_WIN_H
#define TARNWICK_CONTROLS_LINK_STATIC_HISTORY_WIN_H

#include <string>

#include "common/win32.h"

struct IUrlHistoryStg;

namespace tarnwick {

class LinkHistory {
 public:
  // Creates the service on the calling thread (which must have COM); without it only the set
  // counts.
  LinkHistory();
  ~LinkHistory();
  LinkHistory(const LinkHistory&) = delete;
  LinkHistory& operator=(const LinkHistory&) = delete;

  bool HasService() const { return service_ != nullptr; }
  bool IsVisited(const std::string& url) const;
  void MarkVisited(const std::string& url);

  // Empties the process's set (tests start from nothing visited).
  static void ForgetRemembered();

 private:
  IUrlHistoryStg* service_ = nullptr;
};

}  // namespace tarnwick

#endif
