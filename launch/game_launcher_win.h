// GameLauncher: the Join command (start the game client so that it joins the watched server),
// autojoin (join as soon as a slot frees) and the game password kept for the window's lifetime.
//
// LaunchGame makes the game client's folder current, asks for the server password when the server
// wants one (the prompt is modal; Cancel starts nothing), builds the command line from string 132
// and starts the client path with it (the program name is not repeated in front), waits until the
// game takes input (at most 2 s) and gives it the priority class of "HLPriority". It keeps nothing
// of the process. It refuses, with a message box, a mod whose game folder is not a plain folder
// name, and reports "Can't exec %s" when the process cannot be started.
//
// Thread: the window's own, which owns the launcher's state and the server state it reads, so
// nothing is locked. The prompt and the question box run message loops in which replies and timer
// ticks keep coming, so both calls may be entered again from inside them. A Join given while the
// password prompt is open (from the tray menu) does nothing: one prompt at a time.
#ifndef TARNWICK_LAUNCH_GAME_LAUNCHER_WIN_H
#define TARNWICK_LAUNCH_GAME_LAUNCHER_WIN_H

#include <string>

#include "engine/ipv4.h"
#include "engine/server_state.h"
#include "launch/autojoin.h"
#include "launch/launch_host.h"

namespace tarnwick {

class GameLauncher {
 public:
  explicit GameLauncher(LaunchHost& host) : host_(host) {}
  GameLauncher(const GameLauncher&) = delete;
  GameLauncher& operator=(const GameLauncher&) = delete;

  // The Join command, for the server of `state` at `server` (the address the connection
  // resolved). Both are the window's own records, read again after the password prompt.
  void LaunchGame(const ServerState& state, const Ipv4Endpoint& server);
  // An information reply showed a free slot in `state`: joins, asks (a "%s PID %d" box, unless
  // one is open already) or does nothing, by the autojoin decision table.
  void CheckAutojoin(const ServerState& state, const Ipv4Endpoint& server);
  // The user clicked a balloon that told of a free slot: the autojoin question (the same box, and
  // none while one is open or the game runs), whether autojoin is armed or not. Yes joins; Yes
  // and Cancel disarm autojoin, as the box says.
  void OfferJoin(const ServerState& state, const Ipv4Endpoint& server);
  // The Auto join command: arms or disarms; while connected it asks for "info" at once.
  void ToggleAutojoin();
  void DisarmAutojoin();
  bool AutojoinOn() const { return autojoinOn_; }
  // Empty until the password prompt's OK sets it; never stored.
  const std::string& GamePassword() const { return gamePassword_; }

 private:
  // The prompt over the active window; false when it was cancelled.
  bool AskForPassword();
  void StartGameClient(const std::string& clientPath, const std::string& commandLine);
  AutojoinAnswer AskToJoin(const std::string& title);
  void RefuseGameFolder(const std::string& gameDir);

  LaunchHost& host_;
  bool autojoinOn_ = false;
  bool prompting_ = false;
  std::string gamePassword_;
};

}  // namespace tarnwick

#endif
