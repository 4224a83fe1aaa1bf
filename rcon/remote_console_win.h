// RemoteConsole: the "Remote console" window of one main window: the rcon password, the server log
// switch, the command box with its history, the Send button with its menu and the output. It is a
// modeless dialog owned by its main window, created hidden with it and only ever shown or hidden;
// the output, the password and the history last as long as the main window.
//
// Everything it sends goes to the server through its main window: the texts wait in its outbox
// and "RConMsg" tells the main window to take them (TakeOutgoing). What the server prints comes
// back through ReceivePrint and is kept, with every password sent since the console opened
// hidden, in a bounded output that the output box shows and Save log writes. Which form each
// command goes out in (asking for a challenge first, or the challenge-less form of servers of
// 2001) is RconSession's decision; the console feeds it the server's challenges, answers and
// kind, and runs the challenge's time limit on a window timer. The controls follow the main
// window's connection: disabled until ConsoleConnected, disabled again by ConsoleDisconnected.
//
// The class is split over two files: remote_console_win.cpp (the window: creation, routing,
// layout, background) and remote_console_server_win.cpp (talking to the server: connection
// state, Send, the log switch, the history and the output).
#ifndef TARNWICK_RCON_REMOTE_CONSOLE_WIN_H
#define TARNWICK_RCON_REMOTE_CONSOLE_WIN_H

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/window_base_win.h"
#include "engine/ipv4.h"
#include "rcon/console_layout.h"
#include "rcon/console_output.h"
#include "controls/menu_button_win.h"
#include "rcon/rcon_outbox.h"
#include "rcon/rcon_session.h"

namespace tarnwick {

class RemoteConsole : public DialogBase {
 public:
  RemoteConsole() = default;
  ~RemoteConsole() override;

  // Creates the console (hidden) as a window owned by `mainWindow`, chooses the log address from
  // this host's addresses and puts the console's keyboard handling into the thread's message
  // loop. False when the dialog cannot be created.
  bool Create(HINSTANCE instance, HWND mainWindow);
  // Shows the window in its normal state (and activates it); Hide only hides it.
  void Show();
  void Hide();

  // The main window's connection opened (its socket's local port, host byte order) or closed.
  void ConsoleConnected(uint16_t localPort, bool serverIsPrivate);
  void ConsoleDisconnected();
  // A print reply from the server: a server log line, or the answer to a command, which the rcon
  // session may act on (a refused challenge is not shown when the command goes out again).
  void ReceivePrint(const std::string& text, bool serverLogLine);
  // The server answered "challenge rcon".
  void RconChallengeReceived(uint32_t challenge);
  // What the connection knows about the server now; the main window tells after every reply.
  void SetServerKind(ServerKind kind);
  // Adds text at the end of the output, with the passwords hidden and CR LF line ends; also while
  // the window is hidden.
  void AppendConsoleText(const std::string& text);
  // The texts to send to the server that the console has put out since the last call.
  std::vector<std::string> TakeOutgoing() { return outbox_.TakeAll(); }

  // The command box, whose list is the command history the settings load and save.
  HWND CommandBox() const;
  // The Send button, the output box and the log address (for tests and the settings).
  const MenuButton& SendButton() const { return sendButton_; }
  HWND OutputBox() const;
  const std::optional<Ipv4Address>& LogAddress() const { return logAddress_; }

 protected:
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The window timer of the rcon session's time limits.
  static constexpr UINT_PTR kRconTimer = 1;

  // ---- The window (remote_console_win.cpp)
  void OnInitDialog();
  void OnDestroy();
  bool OnCommand(int id, int code);
  void OnMinMaxInfo(MINMAXINFO& info) const;
  void Layout(int clientWidth, int clientHeight, bool maximized);
  void EraseBackground(HDC dc);
  bool FilterMessage(MSG& message);

  // ---- Talking to the server (remote_console_server_win.cpp)
  void ApplyEnableRules();
  void EnableControl(int id, bool enable);
  void OnPasswordChange();
  void OnLogSwitch();
  void Send();
  void SendToServer(const std::string& text);
  void SubmitCommand(const std::string& command);
  void Apply(const RconSteps& steps);
  void OnRconTimer();
  void ClearHistory();
  void ShowWholeOutput();
  void ClearLog();
  void SaveLog();

  HINSTANCE instance_ = nullptr;
  HWND mainWindow_ = nullptr;
  MenuButton sendButton_;
  int filterId_ = 0;

  // The template's sizes: the smallest window, and the client size the control rules start from.
  SIZE minimumSize_ = {};
  SIZE initialClient_ = {};
  std::vector<std::pair<ControlRule, ControlBox>> initialBoxes_;

  std::string password_;
  std::string previousTyped_;
  std::optional<Ipv4Address> logAddress_;
  uint16_t logPort_ = 0;
  bool serverIsPrivate_ = false;
  bool connected_ = false;
  bool focusPasswordOnShow_ = false;
  RconSession rcon_;
  RconOutbox outbox_;
  ConsoleOutput output_;
};

}  // namespace tarnwick

#endif
