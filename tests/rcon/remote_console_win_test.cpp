// The remote console talking to the demo server through a real main window and real sockets:
// commands and their answers in both servers' forms, the log switch and the log stream with the
// passwords hidden, the enable rules, the focus, the history and completion.
#include <gtest/gtest.h>

#include <chrono>

#include "rcon/console_history.h"
#include "rcon/rcon_message_win.h"
#include "settings/settings_store.h"
#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using namespace testing;

constexpr size_t kAbsent = std::string::npos;

class ConsoleWithServer : public ConsoleTest {};

// Today's servers count every rcon attempt without a good challenge as a failed one.
class ConsoleWithModernServer : public ConsoleTest {
 protected:
  ConsoleWithModernServer() : ConsoleTest(Modern(false)) {}
  static demo::DemoConfig Modern(bool answersNothing) {
    demo::DemoConfig config = testing::QuietServer();
    config.modern = true;
    config.faults.drop_every = answersNothing ? 1 : 0;
    return config;
  }
};

TEST_F(ConsoleWithModernServer, ChallengeFormHiddenPasswordsAndNothingSentWithoutAChallenge) {
  Connect();
  SetPassword("demo");
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server_.LogTargets().size() == 1; }));
  EXPECT_EQ(server_.LogTargets()[0].port, WindowPort()) << "the log comes to the window's socket";
  Send("status");
  SetPassword("guess");  // before the echo of "status" with "demo" comes back
  Send("echo with a wrong password");
  ASSERT_TRUE(WaitForOutput("Bad Rcon: \"rcon "));
  // A stale challenge: the refused command goes once more with a new one, and the refusal that
  // was put right is not shown.
  server_.ExpireChallenges();
  SetPassword("demo");
  Send("say last");
  ASSERT_TRUE(WaitForOutput(": Server say \"last\"\r\n"));
  const std::string output = Output();
  EXPECT_NE(output.find("players :  3 active (16 max)"), kAbsent) << output;
  // The server echoes "rcon <challenge> <password> <command>" into its log: the console hides it.
  EXPECT_NE(output.find(" **** status\" from \"127.0.0.1:"), kAbsent) << output;
  EXPECT_NE(output.find(" ***** echo with a wrong password\""), kAbsent) << output;
  EXPECT_NE(output.find("\r\nL 12/06/2026 - "), kAbsent) << output;
  EXPECT_EQ(output.find("log "), kAbsent) << "the log prefix is taken off";
  EXPECT_EQ(output.find("Bad challenge"), kAbsent) << output;
  for (const char* password : {"demo", "guess"}) EXPECT_EQ(output.find(password), kAbsent);
  // It counts a command without a challenge as a failed attempt too.
  EXPECT_EQ(server_.FailedRconAttempts(), 1) << "the wrong password only";
  EXPECT_EQ(CountRequests("challenge rcon"), 2u) << "asked first, and again once stale";
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return server_.LogTargets().empty(); }));
  EXPECT_TRUE(boxes_.Boxes().empty());

  // A new connection, to a server of today's kind that answers nothing: what was learnt about the
  // last server is forgotten, and the console gives up rather than send the challenge-less form.
  demo::DemoServer silent(Modern(true));
  ASSERT_TRUE(silent.Start());
  window->Monitor().Connect("127.0.0.1:" + std::to_string(silent.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  for (size_t i = 0; i < kMaxWaitingCommands; ++i) Send("echo " + std::to_string(i));
  Send("status");
  EXPECT_NE(Output().find("Too many commands wait"), kAbsent);
  ASSERT_TRUE(PumpUntil(
      [&] { return Output().find("did not answer \"challenge rcon\"") != kAbsent; }, 10000));
  size_t asked = 0;
  for (const demo::ReceivedRequest& request : silent.ReceivedRequests()) {
    EXPECT_NE(request.Text().rfind("rcon ", 0), 0u) << request.Text();
    asked += request.Text() == "challenge rcon";
  }
  EXPECT_EQ(asked, 2u);
}

TEST_F(ConsoleWithServer, ControlsAndFocusFollowTheConnectionAndThePassword) {
  // Enabled or not: the password box, the log switch, the command box, Send.
  const auto states = [&] {
    std::string enabled;
    for (int id : {IDC_RCON_PASSWORD, IDC_RCON_SHOW_LOG, IDC_RCON_COMMAND, IDOK})
      enabled += IsWindowEnabled(Item(id)) ? '1' : '0';
    return enabled;
  };
  Console().Show();
  EXPECT_EQ(states(), "0000") << "before connecting";
  Connect();
  EXPECT_EQ(states(), "1000") << "connected, no password";
  // The connection brings the main window to the front; the console keeps its focus for when it
  // is active again.
  SetActiveWindow(Console().hwnd());
  EXPECT_EQ(GetFocus(), Item(IDC_RCON_PASSWORD));
  SetPassword("demo");
  EXPECT_EQ(states(), "1111");
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForRequest("rcon demo logaddress 127.0.0.1 " + std::to_string(WindowPort())));
  const size_t before = server_.ReceivedRequests().size();
  window->Monitor().Disconnect();
  EXPECT_EQ(states(), "0000") << "disconnected";
  EXPECT_EQ(IsDlgButtonChecked(Console().hwnd(), IDC_RCON_SHOW_LOG), BST_UNCHECKED);
  EXPECT_EQ(WindowTextUtf8(Item(IDC_RCON_PASSWORD)), "demo") << "the password stays";
  PumpPending();
  EXPECT_FALSE(server_.WaitForRequests(before + 1, std::chrono::milliseconds(300)))
      << "disconnecting sends no logaddress command";

  Console().Hide();
  window->Monitor().Connect("127.0.0.1:" + std::to_string(server_.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  EXPECT_NE(GetFocus(), Item(IDC_RCON_PASSWORD)) << "a hidden console takes no focus";
  Console().Show();
  EXPECT_EQ(GetFocus(), Item(IDC_RCON_PASSWORD)) << "it gets it when shown";
}

TEST_F(ConsoleWithServer, EnterSendsInTheOldFormAndTheHistoryKeepsOneItemWhateverTheCase) {
  Connect();
  // A server known to be of 2001 gets its own form at once, without a challenge.
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().Kind() == ServerKind::Old; }));
  SetPassword("demo");
  SetCommand("status");
  SendCommand(window.hwnd(), ID_TOOLS_REMOTE_CONSOLE);
  SetFocus(CommandEdit());
  PostMessageA(CommandEdit(), WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(WaitForOutput("players :  3 active (16 max)"));
  EXPECT_TRUE(WaitForRequest("rcon demo status"));
  EXPECT_EQ(CountRequests("challenge rcon"), 0u);
  EXPECT_EQ(Output().rfind("hostname:  Tarnwick Demo Server\r\n", 0), 0u) << Output();
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "status") << "the command stays in the box";

  // "RConMsg" carries no text: one sent with a pointer, as any process can, sends nothing.
  const char forged[] = "rcon demo echo forged";
  EXPECT_EQ(SendMessageA(window.hwnd(), RConMessage(), kRConSendText,
                         reinterpret_cast<LPARAM>(forged)),
            0);

  // The history keeps one item whatever the case, completes typing and is stored on closing,
  // without the commands that set a password.
  for (const char* command : {"status", "Status", "echo hi", "say \u00DCber \u2665",
                              "sv_password x", "RCON_PASSWORD y"}) {
    Send(command);
  }
  EXPECT_TRUE(WaitForRequest("rcon demo RCON_PASSWORD y")) << "sent all the same";
  EXPECT_EQ(CountRequests("rcon demo status"), 2u) << "every Send sends, in the list or not";
  EXPECT_EQ(CountRequests("rcon demo echo forged"), 0u);
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "RCON_PASSWORD y") << "and left in the box";
  EXPECT_EQ(History(), (std::vector<std::string>{"echo hi", "say \u00DCber \u2665", "status"}));

  // (How completion selects and when it stops is the address box's test: they share it.)
  SetCommand("");
  SetFocus(CommandEdit());
  for (char key : {'s', 't'}) SendMessageA(CommandEdit(), WM_CHAR, static_cast<WPARAM>(key), 1);
  PumpPending();
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "status");
  // Closing stores the history (without the password commands: the history's own test).
  window.Close();
  KeyValue stored;
  EXPECT_EQ(window.Registry().store().Root(RootKey::kCurrentUser)
                .OpenSubkey(kSettingsKeyPath, KeyAccess::kRead)
                ->QueryValue("Rcon recent list", kAnySize, stored),
            KeyStatus::kSuccess);
  EXPECT_EQ(DecodeMultiString(stored.data),
            (std::vector<std::string>{"echo hi", "say \u00DCber \u2665", "status"}));
}

}  // namespace
}  // namespace tarnwick
