// A main window with its remote console, watching the in-process demo server on 127.0.0.1, for
// the console's window tests. The console is given 127.0.0.1 as this host's only address, so the
// log switch announces nothing but loopback.
#ifndef TARNWICK_TESTS_RCON_CONSOLE_FIXTURE_WIN_H
#define TARNWICK_TESTS_RCON_CONSOLE_FIXTURE_WIN_H

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/combo_box_win.h"
#include "common/wide_text_win.h"
#include "rcon/host_addresses_win.h"
#include "resources/resource.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::testing {

inline demo::DemoConfig QuietServer() {
  demo::DemoConfig config;
  config.log_interval_seconds = 0;  // log lines only for what the console does
  return config;
}

class ConsoleTest : public ::testing::Test {
 protected:
  explicit ConsoleTest(demo::DemoConfig config = QuietServer()) : server_(config) {}

  void Connect() {
    std::string error;
    ASSERT_TRUE(server_.Start(&error)) << error;
    window->Monitor().Connect("127.0.0.1:" + std::to_string(server_.Port()), false);
    ASSERT_TRUE(PumpUntil([&] { return window->Monitor().IsConnected(); }));
  }

  RemoteConsole& Console() { return window->Console(); }
  HWND Item(int id) { return GetDlgItem(Console().hwnd(), id); }

  void SetPassword(const std::string& password) {
    SetWindowTextA(Item(IDC_RCON_PASSWORD), password.c_str());
  }
  // The edit field of the command box, its only child.
  HWND CommandEdit() { return GetWindow(Console().CommandBox(), GW_CHILD); }
  void SetCommand(const std::string& command) {
    SetWindowTextUtf8(Console().CommandBox(), command);
  }
  void ClickSend() { SendMessageA(Item(IDOK), BM_CLICK, 0, 0); }
  void Send(const std::string& command) {
    SetCommand(command);
    ClickSend();
  }

  std::string Output() { return WindowTextUtf8(Console().OutputBox()); }
  bool WaitForOutput(const std::string& part) {
    return PumpUntil([&] { return Output().find(part) != std::string::npos; });
  }

  std::vector<std::string> History() {
    std::vector<std::string> items;
    const HWND box = Console().CommandBox();
    for (LRESULT i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
      items.push_back(ComboItemText(box, static_cast<int>(i)));
    }
    return items;
  }

  // The requests that reached the server, as texts.
  std::vector<std::string> Requests() {
    std::vector<std::string> texts;
    for (const demo::ReceivedRequest& request : server_.ReceivedRequests())
      texts.push_back(request.Text());
    return texts;
  }
  size_t CountRequests(const std::string& text) {
    return static_cast<size_t>(std::ranges::count(Requests(), text));
  }
  bool WaitForRequest(const std::string& text) {
    return PumpUntil([&] { return CountRequests(text) > 0; });
  }
  // The local port of the window's socket, as the server saw it.
  uint16_t WindowPort() {
    const auto requests = server_.ReceivedRequests();
    return requests.empty() ? 0 : requests.front().source.port;
  }

  // 127.0.0.1 as this host's only address, for as long as the console (made with the window) lives.
  struct LoopbackHost {
    LoopbackHost() {
      SetHostAddressSource([] { return std::vector{Ipv4Address{{127, 0, 0, 1}}}; });
    }
    ~LoopbackHost() { SetHostAddressSource(nullptr); }
  } host_;
  BoxRecorder boxes_;
  demo::DemoServer server_;
  WindowUnderTest window;
};

}  // namespace tarnwick::testing

#endif
