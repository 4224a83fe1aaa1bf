#include "launch/game_launcher_win.h"

#include <optional>

#include "common/ansi_text.h"
#include "common/message_box_win.h"
#include "common/string_resource_win.h"
#include "common/unique_handle_win.h"
#include "common/wide_text_win.h"
#include "common/win32.h"
#include "launch/game_command_line.h"
#include "launch/game_priority.h"
#include "launch/game_window_win.h"
#include "launch/password_prompt_win.h"
#include "launch/working_folder_win.h"
#include "resources/resource.h"

namespace tarnwick {
namespace {

constexpr DWORD kInputIdleWaitMs = 2000;

JoinFacts FactsOf(const ServerState& state, const Ipv4Endpoint& server) {
  // The checks of the game folder run on the very text that reaches the command line.
  return JoinFacts{ServerText(state.address), server, state.isMod, ServerText(state.gameDir)};
}

}  // namespace

void GameLauncher::LaunchGame(const ServerState& state, const Ipv4Endpoint& server) {
  if (prompting_) return;
  const std::string clientPath = host_.CurrentSettings().gameClientPath;
  SetWorkingFolder(clientPath);
  // A game folder that cannot be used is refused before anyone is asked for a password.
  JoinFacts facts = FactsOf(state, server);
  if (GameArgument(facts) && state.password != 0 && !AskForPassword()) return;
  // Replies handled while the prompt was open may have changed the state: read it again.
  facts = FactsOf(state, server);
  const std::optional<std::string> commandLine =
      BuildGameCommandLine(LoadResourceString(IDS_GAME_COMMAND_LINE), facts, gamePassword_);
  if (!commandLine) {
    RefuseGameFolder(facts.gameDir);
    return;
  }
  StartGameClient(clientPath, *commandLine);
}

bool GameLauncher::AskForPassword() {
  prompting_ = true;
  PasswordPrompt prompt(gamePassword_);
  const bool ok = prompt.Run(host_.Instance(), GetActiveWindow());
  prompting_ = false;
  if (!ok) return false;
  gamePassword_ = prompt.Password();
  return true;
}

void GameLauncher::RefuseGameFolder(const std::string& gameDir) {
  const std::string format = LoadResourceString(IDS_BAD_GAME_FOLDER);
  host_.ShowBox(Format(format.c_str(), FolderNameForMessage(gameDir).c_str()), MB_ICONERROR);
}

void GameLauncher::StartGameClient(const std::string& clientPath, const std::string& commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  // CreateProcessW may write into the command line it is given.
  std::wstring writable = Widen(commandLine);
  if (!CreateProcessW(Widen(clientPath).c_str(), writable.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process)) {
    const std::string format = LoadResourceString(IDS_CANT_EXEC);
    host_.ShowBox(Format(format.c_str(), clientPath.c_str()), MB_ICONERROR);
    return;
  }
  // Nothing watches the game once it runs: both handles go when the priority is set.
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  WaitForInputIdle(processHandle.Get(), kInputIdleWaitMs);
  SetPriorityClass(processHandle.Get(), GamePriorityClass(host_.CurrentSettings().gamePriority));
}

void GameLauncher::CheckAutojoin(const ServerState& state, const Ipv4Endpoint& server) {
  const std::string title = AutojoinQuestionTitle(host_.ProgramName(), GetCurrentProcessId());
  AutojoinSituation situation;
  situation.armed = autojoinOn_;
  situation.gameRunning = IsGameRunning();
  situation.confirmJoin = host_.CurrentSettings().confirmJoin;
  situation.questionOpen = FindWindowExA(nullptr, nullptr, nullptr, title.c_str()) != nullptr;

  AutojoinOutcome outcome;
  switch (DecideAutojoin(situation)) {
    case AutojoinStep::kNothing:
    case AutojoinStep::kWait:
      return;
    case AutojoinStep::kJoin:
      outcome = OutcomeOf(AutojoinAnswer::kYes);
      break;
    case AutojoinStep::kAsk: {
      // Read after the box has closed: its message loop may have changed both.
      const AutojoinAnswer answer = AskToJoin(title);
      outcome = OutcomeOf(answer, autojoinOn_, IsGameRunning());
      break;
    }
  }
  // Disarmed before the join starts: a password prompt's message loop may see further replies
  // with a free slot, and they must not start a second join.
  if (!outcome.staysArmed) DisarmAutojoin();
  if (outcome.join) LaunchGame(state, server);
}

void GameLauncher::OfferJoin(const ServerState& state, const Ipv4Endpoint& server) {
  const std::string title = AutojoinQuestionTitle(host_.ProgramName(), GetCurrentProcessId());
  if (IsGameRunning() || FindWindowExA(nullptr, nullptr, nullptr, title.c_str()) != nullptr) return;
  const AutojoinOutcome outcome = OutcomeOf(AskToJoin(title), true, IsGameRunning());
  if (!outcome.staysArmed) DisarmAutojoin();
  // The box's loop may have seen the connection end or the slot taken again.
  if (outcome.join && host_.Monitor().IsConnected() && HasFreeSlot(state)) LaunchGame(state, server);
}

AutojoinAnswer GameLauncher::AskToJoin(const std::string& title) {
  const std::string question = LoadResourceString(IDS_AUTOJOIN_QUESTION);
  UINT type = MB_YESNOCANCEL | MB_ICONQUESTION;
  HWND owner = host_.Window();
  if (!host_.IsShown()) {
    owner = nullptr;
    type |= MB_SYSTEMMODAL;
  }
  switch (ShowMessageBox(owner, question, title, type)) {
    case IDYES: return AutojoinAnswer::kYes;
    case IDCANCEL: return AutojoinAnswer::kCancel;
    default: return AutojoinAnswer::kNo;
  }
}

void GameLauncher::ToggleAutojoin() {
  autojoinOn_ = !autojoinOn_;
  host_.AutojoinChanged(autojoinOn_);
  if (host_.Monitor().IsConnected()) host_.Monitor().SendQuery("info");
}

void GameLauncher::DisarmAutojoin() {
  autojoinOn_ = false;
  host_.AutojoinChanged(false);
}

}  // namespace tarnwick
