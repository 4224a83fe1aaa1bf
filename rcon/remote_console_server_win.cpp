// The remote console's side of the conversation with the server: the connection's state, the
// enable rules, Send with its history, the log switch, the rcon session and the output.
#include <algorithm>

#include "controls/combo_box_win.h"
#include "common/string_resource_win.h"
#include "common/wide_text_win.h"
#include "rcon/console_log_file_win.h"
#include "rcon/console_rules.h"
#include "rcon/rcon_message_win.h"
#include "rcon/rcon_texts.h"
#include "rcon/remote_console_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

uint32_t Now() { return static_cast<uint32_t>(GetTickCount()); }

}  // namespace

void RemoteConsole::ConsoleConnected(uint16_t localPort, bool serverIsPrivate) {
  logPort_ = localPort;
  serverIsPrivate_ = serverIsPrivate;
  connected_ = true;
  // A new connection may lead to another server: nothing learnt about the last one holds.
  rcon_.Reset();
  if (hwnd() == nullptr) return;
  KillTimer(hwnd(), kRconTimer);
  ApplyEnableRules();
  const HWND password = GetDlgItem(hwnd(), IDC_RCON_PASSWORD);
  SendMessageA(password, EM_SETSEL, 0, -1);
  // Moving the focus into a hidden window would take the activation from the main window: a
  // hidden console gives it to the password box when it is shown.
  if (IsWindowVisible(hwnd())) {
    SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(password), TRUE);
  } else {
    focusPasswordOnShow_ = true;
  }
}

void RemoteConsole::ConsoleDisconnected() {
  connected_ = false;
  focusPasswordOnShow_ = false;
  rcon_.Reset();
  if (hwnd() == nullptr) return;
  KillTimer(hwnd(), kRconTimer);
  CheckDlgButton(hwnd(), IDC_RCON_SHOW_LOG, BST_UNCHECKED);
  ApplyEnableRules();
}

void RemoteConsole::ReceivePrint(const std::string& text, bool serverLogLine) {
  // Shown as written: UTF-8 from today's servers, the ANSI code page's reading of old ones.
  if (serverLogLine) {
    AppendConsoleText(ServerText(text));
    return;
  }
  const RconSteps steps = rcon_.AnswerReceived(text, Now());
  if (steps.showText) AppendConsoleText(ServerText(text));
  Apply(steps);
}

void RemoteConsole::RconChallengeReceived(uint32_t challenge) {
  Apply(rcon_.ChallengeReceived(challenge, Now()));
}

void RemoteConsole::SetServerKind(ServerKind kind) {
  // Told after every reply: the timer is only touched when the kind made a command go out.
  const RconSteps steps = rcon_.SetServerKind(kind, Now());
  if (!steps.send.empty()) Apply(steps);
}

void RemoteConsole::AppendConsoleText(const std::string& text) {
  const ConsoleOutput::Change change = output_.Append(text);
  const HWND output = OutputBox();
  if (output == nullptr) return;
  // The output box gets the same change, so that it shows exactly the text that is saved. The
  // box counts UTF-16 units: the change is placed from the box's end.
  const int length = GetWindowTextLengthW(output);
  const int from = std::max(0, length - static_cast<int>(change.replacedUnits));
  SendMessageW(output, EM_SETSEL, static_cast<WPARAM>(from), length);
  SendMessageW(output, EM_REPLACESEL, FALSE,
               reinterpret_cast<LPARAM>(Widen(change.replacement).c_str()));
  if (change.dropFrontUnits > 0) {
    SendMessageW(output, EM_SETSEL, 0, static_cast<LPARAM>(change.dropFrontUnits));
    SendMessageW(output, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
  }
  const int end = GetWindowTextLengthW(output);
  SendMessageW(output, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageA(output, EM_SCROLLCARET, 0, 0);
}

void RemoteConsole::ApplyEnableRules() {
  ConsoleFacts facts;
  facts.connected = connected_;
  facts.passwordEmpty = password_.empty();
  facts.serverIsPrivate = serverIsPrivate_;
  facts.logAddress = logAddress_;
  const ConsoleControlStates states = ConsoleEnableRules(facts);
  EnableControl(IDC_RCON_PASSWORD, states.passwordBox);
  EnableControl(IDC_RCON_SHOW_LOG, states.logSwitch);
  EnableControl(IDC_RCON_COMMAND, states.commandBox);
  EnableControl(IDOK, states.send);
}

void RemoteConsole::EnableControl(int id, bool enable) {
  const HWND control = GetDlgItem(hwnd(), id);
  if (control == nullptr) return;
  const HWND focus = GetFocus();
  if (!enable && focus != nullptr && (focus == control || IsChild(control, focus))) {
    // A disabled control keeps no keyboard focus: leave it on Close rather than nowhere.
    SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), IDCANCEL)),
                 TRUE);
  }
  EnableWindow(control, enable ? TRUE : FALSE);
}

void RemoteConsole::OnPasswordChange() {
  password_ = DialogItemTextUtf8(hwnd(), IDC_RCON_PASSWORD);
  ApplyEnableRules();
}

void RemoteConsole::OnLogSwitch() {
  if (IsDlgButtonChecked(hwnd(), IDC_RCON_SHOW_LOG) == BST_CHECKED) {
    if (logAddress_) SubmitCommand(LogAddressOnCommand(*logAddress_, logPort_));
  } else {
    const auto port =
        static_cast<uint16_t>(SendMessageA(mainWindow_, RConMessage(), kRConServerPort, 0));
    SubmitCommand(LogAddressOffCommand(port));
  }
}

void RemoteConsole::Send() {
  const HWND box = CommandBox();
  if (!IsWindowEnabled(GetDlgItem(hwnd(), IDOK))) return;
  const std::string command = ComboEditText(box, kMaxConsoleText);
  const auto found =
      static_cast<int>(SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(Widen(command).c_str())));
  // A command that sets a password goes out but stays out of the list and the settings; the box
  // keeps it until the next command is typed.
  if (ShouldAddToHistory(command, found)) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(command).c_str()));
  }
  SubmitCommand(command);
  if (IsWindowVisible(hwnd())) {
    SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
  }
}

void RemoteConsole::SendToServer(const std::string& text) {
  outbox_.Put(text);
  SendMessageA(mainWindow_, RConMessage(), kRConSendText, 0);
}

void RemoteConsole::SubmitCommand(const std::string& command) {
  // Servers echo the command with its password: hidden from now on, whatever the box holds later.
  if (output_.AddPassword(password_)) ShowWholeOutput();
  Apply(rcon_.Submit(password_, command, Now()));
}

void RemoteConsole::Apply(const RconSteps& steps) {
  for (const std::string& text : steps.send) SendToServer(text);
  if (steps.noChallenge) AppendConsoleText(LoadResourceString(IDS_RCON_NO_CHALLENGE));
  if (steps.refused) AppendConsoleText(LoadResourceString(IDS_RCON_TOO_MANY_WAITING));
  if (hwnd() == nullptr) return;
  if (const std::optional<uint32_t> wait = rcon_.WakeIn(Now())) {
    SetTimer(hwnd(), kRconTimer, std::max<UINT>(*wait, USER_TIMER_MINIMUM), nullptr);
  } else {
    KillTimer(hwnd(), kRconTimer);
  }
}

void RemoteConsole::OnRconTimer() { Apply(rcon_.Tick(Now())); }

void RemoteConsole::ClearHistory() {
  const HWND box = CommandBox();
  SendMessageA(box, CB_RESETCONTENT, 0, 0);
  SetWindowTextA(box, "");
  previousTyped_.clear();
}

void RemoteConsole::ShowWholeOutput() {
  const HWND output = OutputBox();
  SetWindowTextUtf8(output, output_.Text());
  const int end = GetWindowTextLengthW(output);
  SendMessageA(output, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageA(output, EM_SCROLLCARET, 0, 0);
}

void RemoteConsole::ClearLog() {
  output_.Clear();
  SetWindowTextA(OutputBox(), "");
}

void RemoteConsole::SaveLog() { SaveConsoleLog(hwnd(), output_.Text()); }

}  // namespace tarnwick
