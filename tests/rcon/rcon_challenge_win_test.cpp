// The remote console against the demo server in the mode of today's servers, through a real main
// window and real sockets on 127.0.0.1: every command goes out in the challenge form, and refusals
// are handled without costing failed attempts.
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

class ModernConsole : public ConsoleTest {
 protected:
  ModernConsole() : ConsoleTest(ModernServer()) {}
  static demo::DemoConfig ModernServer() {
    demo::DemoConfig config = testing::QuietServer();
    config.modern = true;
    return config;
  }

  // The rcon requests that reached the server: the number each went with, and the password and
  // command after it. Every one of them must have the challenge form.
  std::vector<std::pair<uint32_t, std::string>> Commands() {
    std::vector<std::pair<uint32_t, std::string>> commands;
    for (const std::string& request : Requests()) {
      if (request.rfind("rcon ", 0) != 0) continue;
      size_t end = 5;
      while (end < request.size() && std::isdigit(static_cast<unsigned char>(request[end]))) ++end;
      if (end == 5 || end == request.size() || request[end] != ' ') {
        ADD_FAILURE() << "not in the challenge form: " << request;
        continue;
      }
      commands.emplace_back(static_cast<uint32_t>(std::stoul(request.substr(5, end - 5))),
                            request.substr(end + 1));
    }
    return commands;
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
  const auto command = std::find_if(requests.begin(), requests.end(), [](const std::string& r) {
    return r.rfind("rcon ", 0) == 0;
  });
  EXPECT_LT(ask, command) << "the challenge is asked for before the command goes out";
  EXPECT_EQ(Output().rfind("hostname:  Tarnwick Demo Server\r\n", 0), 0u) << Output();

  // Known now, the number serves the next commands, which go out at once: none waits for the
  // answer to the one before (the messages of the window are not even pumped in between).
  Send("echo again");
  Send("echo and again");
  EXPECT_TRUE(WaitWithoutPumping([&] { return Commands().size() == 3; }));
  ASSERT_TRUE(WaitForOutput("and again\r\n"));
  EXPECT_EQ(CountRequests("challenge rcon"), 1u) << "the number is kept for the next command";
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].second, "demo status");
  EXPECT_EQ(commands[2].first, commands[0].first);
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

TEST_F(ModernConsole, NoPasswordShowsInTheOutputOrTheSavedLogEvenAfterItChanged) {
  Connect();
  SetPassword("demo");
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server_.LogTargets().size() == 1; }));
  Send("status");
  SetPassword("guess");  // before the echo of "status" with "demo" comes back
  Send("echo with a wrong password");
  ASSERT_TRUE(WaitForOutput("Bad Rcon: \"rcon "));
  SetPassword("\"quoted\"");
  Send("echo third");
  SetPassword("demo");
  Send("echo last");
  ASSERT_TRUE(WaitForOutput("echo last\" from"));
  const std::string output = Output();
  // Today's servers echo "rcon <challenge> <password> <command>", the command line as it came.
  EXPECT_NE(output.find(" **** status\" from \"127.0.0.1:"), std::string::npos) << output;
  EXPECT_NE(output.find(" ***** echo with a wrong password\""), std::string::npos) << output;
  EXPECT_NE(output.find(" ******** echo third\""), std::string::npos) << output;
  for (const char* password : {"demo", "guess", "quoted"}) {
    EXPECT_EQ(output.find(password), std::string::npos) << password << " in " << output;
  }
  const std::string saved = SaveLogTo("masked");
  EXPECT_EQ(saved, output) << "the saved log is the text shown";
  EXPECT_EQ(server_.FailedRconAttempts(), 2) << "the wrong and the quoted password";
}

TEST_F(ModernConsole, AWrongPasswordIsSentOnceAndCountedOnce) {
  Connect();
  SetPassword("guess");
  Send("status");
  ASSERT_TRUE(WaitForOutput("Bad rcon_password.\r\n"));
  Settle();
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].second, "guess status") << "never repeated";
  EXPECT_EQ(server_.FailedRconAttempts(), 1);
  const std::string output = Output();
  EXPECT_EQ(output.find("Bad rcon_password."), output.rfind("Bad rcon_password.")) << output;
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
  EXPECT_EQ(CountRequests("challenge rcon"), 2u);
  const auto commands = Commands();
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].first, commands[1].first) << "the second command went with the old number";
  EXPECT_EQ(commands[1].second, "demo echo two");
  EXPECT_EQ(commands[2].second, "demo echo two") << "and once more with the new one";
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
  SendMessageA(Item(IDC_RCON_SHOW_LOG), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return server_.LogTargets().empty(); }));
  Settle();
  std::vector<std::string> sent;
  for (const auto& [number, command] : Commands()) sent.push_back(command);
  EXPECT_EQ(sent, (std::vector<std::string>{
                      "demo logaddress 127.0.0.1 " + std::to_string(WindowPort()),
                      "demo logaddress 127.0.0.1 " + std::to_string(server_.Port()),
                      "demo echo settled"}));
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

TEST_F(ModernConsole, ReconnectingForgetsTheChallenge) {
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
  EXPECT_EQ(CountRequests("challenge rcon"), 2u) << "a new connection asks again";
  EXPECT_EQ(Commands().size(), 2u);
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

// A server of today's kind whose every answer is lost: the console cannot tell its kind and never
// gets a challenge, so it must give up rather than fall back to the challenge-less form.
class SilentModernConsole : public ConsoleTest {
 protected:
  SilentModernConsole() : ConsoleTest(SilentServer()) {}
  static demo::DemoConfig SilentServer() {
    demo::DemoConfig config = testing::QuietServer();
    config.modern = true;
    config.faults.drop_every = 1;
    return config;
  }
};

TEST_F(SilentModernConsole, WithoutAChallengeTheConsoleSaysSoAndSendsNothing) {
  Connect();
  SetPassword("demo");
  for (size_t i = 0; i < kMaxWaitingCommands; ++i) Send("echo " + std::to_string(i));
  EXPECT_EQ(Output(), "");
  Send("status");
  EXPECT_NE(Output().find("Too many commands wait"), std::string::npos) << Output();
  ASSERT_TRUE(PumpUntil(
      [&] { return Output().find("did not answer \"challenge rcon\"") != std::string::npos; },
      10000));
  EXPECT_EQ(CountRequests("challenge rcon"), 2u);
  for (const std::string& request : Requests()) {
    EXPECT_NE(request.rfind("rcon ", 0), 0u) << "sent: " << request;
  }
  EXPECT_EQ(server_.FailedRconAttempts(), 0);
}

}  // namespace
}  // namespace tarnwick
