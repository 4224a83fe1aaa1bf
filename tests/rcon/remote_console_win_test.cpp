// The remote console talking to the demo server through a real main window: commands and their
// answers, the log switch and the log stream, the enable rules, the history and completion.
#include <gtest/gtest.h>

#include "rcon/rcon_message_win.h"
#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using testing::ConsoleTest;
using testing::PumpPending;
using testing::PumpUntil;
using testing::SendCommand;

class ConsoleWithServer : public ConsoleTest {};

TEST_F(ConsoleWithServer, EnterSendsAndShowsTheServersAnswerOrRefusal) {
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
  for (const std::string& request : Requests()) EXPECT_NE(request, "challenge rcon");
  const std::string output = Output();
  EXPECT_EQ(output.rfind("hostname:  Tarnwick Demo Server\r\n", 0), 0u) << output;
  EXPECT_EQ(output.find('\n'), output.find("\r\n") + 1) << "line feeds arrive as CR LF";
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "status") << "the command stays in the box";

  SetPassword("guess");
  Send("status");
  ASSERT_TRUE(WaitForOutput("Bad rcon_password.\r\n"));
  EXPECT_TRUE(WaitForRequest("rcon guess status"));
  EXPECT_EQ(server_.FailedRconAttempts(), 1);
  EXPECT_TRUE(boxes_.Boxes().empty()) << "the program adds no message of its own";

  // Commands go out at once, without waiting for the answer to the one before (the window's
  // messages are not pumped in between).
  SetPassword("demo");
  Send("echo one");
  Send("echo two");
  EXPECT_TRUE(WaitWithoutPumping([&] { return CountRequests("rcon demo echo two") == 1; }));

  // "RConMsg" carries no text: one sent with a pointer, as any process can, sends nothing.
  const char forged[] = "rcon demo echo forged";
  EXPECT_EQ(SendMessageA(window.hwnd(), RConMessage(), kRConSendText,
                         reinterpret_cast<LPARAM>(forged)),
            0);
  Send("echo after");
  ASSERT_TRUE(WaitForRequest("rcon demo echo after"));
  EXPECT_EQ(CountRequests("rcon demo echo forged"), 0u);
}

TEST_F(ConsoleWithServer, LogSwitchStreamsTheServerLogWithoutItsPrefix) {
  Connect();
  SetPassword("demo");
  ASSERT_TRUE(Enabled(IDC_RCON_SHOW_LOG));
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  const uint16_t port = WindowPort();
  ASSERT_TRUE(WaitForRequest("rcon demo logaddress 127.0.0.1 " + std::to_string(port)));
  ASSERT_EQ(server_.LogTargets().size(), 1u);
  EXPECT_EQ(server_.LogTargets()[0].port, port);

  Send("say hello from the console");
  ASSERT_TRUE(WaitForOutput(": Server say \"hello from the console\"\r\n"));
  const std::string output = Output();
  EXPECT_NE(output.find("\r\nL 12/06/2026 - "), std::string::npos) << output;
  EXPECT_EQ(output.find("log "), std::string::npos) << "the prefix is taken off";
  // The server echoes every command with its password; the console hides it.
  EXPECT_NE(output.find("Rcon: \"rcon **** logaddress 127.0.0.1 " + std::to_string(port)),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("Rcon: \"rcon **** say hello from the console\""), std::string::npos);
  EXPECT_EQ(output.find("rcon demo"), std::string::npos);

  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitForRequest("rcon demo logaddress 127.0.0.1 " + std::to_string(server_.Port())));
  EXPECT_TRUE(PumpUntil([&] { return server_.LogTargets().empty(); }));
}

TEST_F(ConsoleWithServer, ControlsFollowTheConnectionAndThePassword) {
  struct Expect {
    bool password, logSwitch, command, send;
  };
  const auto check = [&](const char* when, Expect e) {
    EXPECT_EQ(Enabled(IDC_RCON_PASSWORD), e.password) << when;
    EXPECT_EQ(Enabled(IDC_RCON_SHOW_LOG), e.logSwitch) << when;
    EXPECT_EQ(Enabled(IDC_RCON_COMMAND), e.command) << when;
    EXPECT_EQ(Enabled(IDOK), e.send) << when;
  };
  check("before connecting", {false, false, false, false});
  Connect();
  check("connected, no password", {true, false, false, false});
  SetPassword("demo");
  check("with a password", {true, true, true, true});
  SetPassword("");
  check("password emptied", {true, false, false, false});
  SetPassword("demo");
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_EQ(IsDlgButtonChecked(Console().hwnd(), IDC_RCON_SHOW_LOG), BST_CHECKED);
  ASSERT_TRUE(WaitForRequest("rcon demo logaddress 127.0.0.1 " + std::to_string(WindowPort())));
  const size_t before = server_.ReceivedRequests().size();
  window->Monitor().Disconnect();
  check("disconnected", {false, false, false, false});
  EXPECT_EQ(IsDlgButtonChecked(Console().hwnd(), IDC_RCON_SHOW_LOG), BST_UNCHECKED);
  char password[32] = {};
  GetWindowTextA(Item(IDC_RCON_PASSWORD), password, sizeof(password));
  EXPECT_STREQ(password, "demo") << "the password stays";
  PumpPending();
  EXPECT_FALSE(server_.WaitForRequests(before + 1, std::chrono::milliseconds(300)))
      << "disconnecting sends no logaddress command";
}

TEST_F(ConsoleWithServer, ConnectingFocusesThePasswordWhenTheConsoleIsShown) {
  Console().Show();
  Connect();
  // The connection brings the main window to the front; the console keeps its focus for when it
  // is active again.
  SetActiveWindow(Console().hwnd());
  EXPECT_EQ(GetFocus(), Item(IDC_RCON_PASSWORD));
  window->Monitor().Disconnect();
  Console().Hide();
  window->Monitor().Connect("127.0.0.1:" + std::to_string(server_.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  EXPECT_NE(GetFocus(), Item(IDC_RCON_PASSWORD)) << "a hidden console takes no focus";
  Console().Show();
  EXPECT_EQ(GetFocus(), Item(IDC_RCON_PASSWORD)) << "it gets it when shown";
}

TEST_F(ConsoleWithServer, HistoryKeepsOneItemWhateverTheCase) {
  Connect();
  SetPassword("demo");
  Send("status");
  Send("status");
  Send("Status");
  Send("echo hi");
  EXPECT_TRUE(WaitForRequest("rcon demo echo hi"));
  EXPECT_EQ(History(), (std::vector<std::string>{"echo hi", "status"}));
  EXPECT_EQ(CountRequests("rcon demo status"), 2u)
      << "every Send sends, whether it joins the history or not";
  EXPECT_TRUE(WaitForRequest("rcon demo Status"));
}

void Type(HWND edit, const std::string& keys) {
  for (char key : keys) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
  PumpPending();
}

TEST_F(ConsoleWithServer, TypingCompletesFromTheHistoryButNotAfterBackspace) {
  Connect();
  SetPassword("demo");
  Send("status");
  Send("echo hi");
  SetCommand("");
  Console().Show();
  const HWND edit = CommandEdit();
  SetFocus(edit);
  Type(edit, "st");
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "status");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 6u);
  Type(edit, "\b");
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "st") << "deleting does not complete again";
  Type(edit, "\b");
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "s");
  Type(edit, "X");
  EXPECT_EQ(ComboEditText(Console().CommandBox()), "sX") << "no item begins with it";
}

class ConsoleWithoutHostAddress : public ConsoleTest {
 protected:
  ConsoleWithoutHostAddress() : ConsoleTest(testing::QuietServer(), {}) {}
};

TEST_F(ConsoleWithoutHostAddress, LogSwitchStaysDisabled) {
  EXPECT_FALSE(Console().LogAddress().has_value());
  Connect();
  SetPassword("demo");
  EXPECT_FALSE(Enabled(IDC_RCON_SHOW_LOG));
  EXPECT_TRUE(Enabled(IDOK));
}

}  // namespace
}  // namespace tarnwick
