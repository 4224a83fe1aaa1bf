// LaunchHost: what the game launcher needs of the window it joins from. The main window implements
// it; every call comes on that window's thread.
#ifndef TARNWICK_LAUNCH_LAUNCH_HOST_H
#define TARNWICK_LAUNCH_LAUNCH_HOST_H

#include <string>

#include "common/win32.h"
#include "engine/server_monitor.h"
#include "settings/settings.h"

namespace tarnwick {

class LaunchHost {
 public:
  // The game client's path and priority and "ConfirmJoin" come from the window's settings.
  virtual Settings& CurrentSettings() = 0;
  // The watched server: its state and address for the command line, "info" for autojoin.
  virtual ServerMonitor& Monitor() = 0;
  virtual HINSTANCE Instance() const = 0;
  virtual HWND Window() const = 0;
  virtual bool IsShown() const = 0;
  virtual const std::string& ProgramName() const = 0;
  // A box titled with the program name, owned as the window's boxes are (none while in the tray).
  virtual int ShowBox(const std::string& text, UINT type) = 0;
  // Autojoin was armed or disarmed: the window shows it on its command.
  virtual void AutojoinChanged(bool armed) = 0;

 protected:
  ~LaunchHost() = default;
};

}  // namespace tarnwick

#endif
