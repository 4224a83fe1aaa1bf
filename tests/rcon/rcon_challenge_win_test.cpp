// The remote console against the demo server in the mode of today's servers, through a real main
// window and real sockets on 127.0.0.1: every command goes out in the challenge form, refusals are
// handled without costing failed attempts, and a server of 2001 still gets the form it knows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/rcon/console_fixture_win.h"

namespace tarnwick {
namespace {

using testing::ConsoleTest;
using testing::PumpUntil;

demo::DemoConfig QuietModernServer() {
  demo::DemoConfig config = testing::QuietServer();
  config.modern = true;
  return config;
}

// "rcon <number> <rest>": the number, when the text has the challenge form.
std::optional<uint32_t> ChallengeOf(const std::string& request) {
  if (request.rfind("rcon ", 0) != 0) return std::nullopt;
  size_t end = 5;
  while (end < request.size() && std::isdigit(static_cast<unsigned char>(request[end]))) ++end;
  if (end == 5 || end >= request.size() || request[end] != ' ') return std::nullopt;
  return static_cast<uint32_t>(std::stoul(request.substr(5, end - 5)));
}

// The command of a rcon request in either form, without its number and password.
std::string CommandOf(const std::string& request, const std::string& password) {
  std::string rest = request.substr(5);
  if (ChallengeOf(request)) rest = rest.substr(rest.find(' ') + 1);
  return rest.rfind(password + " ", 0) == 0 ? rest.substr(password.size() + 1) : std::string();
}

class ModernConsole : public ConsoleTest {
 protected:
  ModernConsole() : ConsoleTest(QuietModernServer()) {}

  size_t Count(const std::string& text) {
    size_t count = 0;
    for (const std::string& request : Requests()) count += request == text;
    return count;
  }
  // The rcon commands that reached the server, and the numbers they went with.
  std::vector<std::pair<uint32_t, std::string>> ChallengedCommands(const std::string& password) {
    std::vector<std::pair<uint32_t, std::string>> commands;
    for (const std::string& request : Requests()) {
      if (const std::optional<uint32_t> number = ChallengeOf(request))
        commands.emplace_back(*number, CommandOf(request, password));
    }
    return commands;
  }
  // Every "rcon" request went out with a number.
  void ExpectOnlyTheChallengeForm() {
    for (const std::string& request : Requests()) {
      if (request.rfind("rcon ", 0) == 0) {
        EXPECT_TRUE(ChallengeOf(request)) << request;
      }
    }
  }
  // Sends a last command and waits for its answer: the server answers in order, so whatever the
  // console sent before it has been answered by then.
  void Settle() {
    SetPassword("demo");
    Send("echo settled");
    ASSERT_TRUE(WaitForOutput("settled\r\n"));
  }
};

TEST_F(ModernConsole, StatusAsksForAChallengeFirstAndCostsNoAttempt) {
  Connect();
  SetPassword("demo");
  Send("status");
  ASSERT_TRUE(WaitForOutput("players :  3 active (16 max)"));
  const std::vector<std::string> requests = Requests();
  const auto ask = std::find(requests.begin(), requests.end(), "challenge rcon");
  ASSERT_NE(ask, requests.end());
  const auto command = std::find_if(requests.begin(), requests.end(), [](const std::string& r) {
    return r.rfind("rcon ", 0) == 0;
  });
  ASSERT_NE(command, requests.end());
  EXPECT_LT(ask, command) << "the challenge is asked for before the command goes out";
  EXPECT_EQ(ChallengedCommands("demo"),
            (std::vector<std::pair<uint32_t, std::string>>{{*ChallengeOf(*command), "status"}}));
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
  EXPECT_EQ(Output().rfind("hostname:  Tarnwick Demo Server\r\n", 0), 0u) << Output();

  Send("echo again");
  ASSERT_TRUE(WaitForOutput("again\r\n"));
  EXPECT_EQ(Count("challenge rcon"), 1u) << "the number is kept for the next command";
  ExpectOnlyTheChallengeForm();
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

TEST_F(ModernConsole, AWrongPasswordIsSentOnceAndCountedOnce) {
  Connect();
  SetPassword("guess");
  Send("status");
  ASSERT_TRUE(WaitForOutput("Bad rcon_password.\r\n"));
  Settle();
  size_t guesses = 0;
  for (const auto& [number, command] : ChallengedCommands("guess")) guesses += command == "status";
  EXPECT_EQ(guesses, 1u) << "never repeated";
  EXPECT_EQ(server_.FailedRconAttempts(), 1);
  const std::string output = Output();
  EXPECT_EQ(output.find("Bad rcon_password."), output.rfind("Bad rcon_password.")) << output;
  ExpectOnlyTheChallengeForm();
  EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(ModernConsole, AnExpiredChallengeIsRefreshedAndTheCommandRepeated) {
  Connect();
  SetPassword("demo");
  Send("echo one");
  ASSERT_TRUE(WaitForOutput("one\r\n"));
  server_.ExpireChallenges();
  Send("echo two");
  ASSERT_TRUE(WaitForOutput("two\r\n"));
  EXPECT_EQ(Count("challenge rcon"), 2u);
  const auto commands = ChallengedCommands("demo");
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].first, commands[1].first) << "the second command went with the old number";
  EXPECT_EQ(commands[1].second, "echo two");
  EXPECT_EQ(commands[2].second, "echo two") << "and once more with the new one";
  EXPECT_NE(commands[2].first, commands[1].first);
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
  EXPECT_EQ(Output().find("Bad challenge"), std::string::npos)
      << "the refusal that was put right is not shown";
}

TEST_F(ModernConsole, TheLogSwitchGoesThroughTheChallengeForm) {
  Connect();
  SetPassword("demo");
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server_.LogTargets().size() == 1; }));
  const uint16_t port = WindowPort();
  EXPECT_EQ(server_.LogTargets()[0].port, port);

  Send("say hello from today");
  ASSERT_TRUE(WaitForOutput(": Server say \"hello from today\"\r\n"));
  EXPECT_NE(Output().find("Console: hello from today\r\n"), std::string::npos) << Output();

  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server_.LogTargets().empty(); }));
  Settle();
  std::vector<std::string> commands;
  for (const auto& [number, command] : ChallengedCommands("demo")) commands.push_back(command);
  EXPECT_EQ(commands, (std::vector<std::string>{
                          "logaddress 127.0.0.1 " + std::to_string(port), "say hello from today",
                          "logaddress 127.0.0.1 " + std::to_string(server_.Port()),
                          "echo settled"}));
  ExpectOnlyTheChallengeForm();
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

TEST_F(ModernConsole, ReconnectingForgetsTheChallengeAndTheServer) {
  Connect();
  SetPassword("demo");
  Send("echo first");
  ASSERT_TRUE(WaitForOutput("first\r\n"));
  window->Monitor().Disconnect();
  window->Monitor().Connect("127.0.0.1:" + std::to_string(server_.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  SetPassword("demo");
  Send("echo second");
  ASSERT_TRUE(WaitForOutput("second\r\n"));
  EXPECT_EQ(Count("challenge rcon"), 2u) << "a new connection asks again";

  // The same window then watches a server of 2001: it gets the form it knows.
  demo::DemoServer classic(testing::QuietServer());
  ASSERT_TRUE(classic.Start());
  window->Monitor().Connect("127.0.0.1:" + std::to_string(classic.Port()), false);
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  SetPassword("demo");
  Send("echo third");
  ASSERT_TRUE(WaitForOutput("third\r\n"));
  bool classicForm = false;
  for (const demo::ReceivedRequest& request : classic.ReceivedRequests()) {
    EXPECT_FALSE(ChallengeOf(request.Text())) << request.Text();
    classicForm = classicForm || request.Text() == "rcon demo echo third";
  }
  EXPECT_TRUE(classicForm);
  EXPECT_EQ(classic.FailedRconAttempts(), 0);
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

class ClassicConsole : public ConsoleTest {};

TEST_F(ClassicConsole, AServerKnownToBeOldGetsTheChallengeLessFormAtOnce) {
  Connect();
  ASSERT_TRUE(PumpUntil([&] { return window->Monitor().Kind() == ServerKind::Old; }));
  SetPassword("demo");
  Send("status");
  ASSERT_TRUE(WaitForOutput("players :  3 active (16 max)"));
  EXPECT_TRUE(WaitForRequest("rcon demo status"));
  for (const std::string& request : Requests()) EXPECT_NE(request, "challenge rcon");
}

TEST_F(ClassicConsole, CommandsSentRightAfterConnectingReachIt) {
  Connect();
  SetPassword("demo");
  Send("echo early");
  Send("echo behind it");
  ASSERT_TRUE(WaitForOutput("early\r\nbehind it\r\n"));
  EXPECT_TRUE(WaitForRequest("rcon demo echo early"));
  EXPECT_TRUE(WaitForRequest("rcon demo echo behind it"));
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

}  // namespace
}  // namespace tarnwick
