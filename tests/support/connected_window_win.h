// A real main window for the dialog tests, watching the in-process demo server once connected
// (and waited on until the server has answered a ping, which enables the Server Info commands).
#ifndef TARNWICK_TESTS_SUPPORT_CONNECTED_WINDOW_WIN_H
#define TARNWICK_TESTS_SUPPORT_CONNECTED_WINDOW_WIN_H

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

#include "resources/resource.h"
#include "tests/support/modal_driver_win.h"
#include "tests/support/window_test_support_win.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::testing {

class ConnectedWindow : public ::testing::Test {
 protected:
  // Starts the server and connects the window to it; returns whether the first ping came back.
  bool Connect(demo::DemoConfig config = demo::DemoConfig()) {
    server = std::make_unique<demo::DemoServer>(config);
    std::string error;
    if (!server->Start(&error)) {
      ADD_FAILURE() << error;
      return false;
    }
    window->Monitor().Connect(ServerText(), false);
    return PumpUntil([&] {
      return window->Monitor().IsConnected() && window->Commands().IsEnabled(ID_VIEW_SERVER_INFO);
    });
  }
  // Sends `command` and runs one action in each dialog it opens; fails when one did not run.
  void Open(int command, std::deque<ModalDriver::Action> actions) {
    ModalDriver driver(std::move(actions));
    SendCommand(window.hwnd(), command);
    EXPECT_TRUE(driver.AllRan()) << command;
  }
  std::string ServerText() const { return "127.0.0.1:" + std::to_string(server->Port()); }

  BoxRecorder boxes;  // answers any box a dialog would show
  std::unique_ptr<demo::DemoServer> server;
  WindowUnderTest window;
};

}  // namespace tarnwick::testing

#endif
