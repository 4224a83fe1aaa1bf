// A real main window watching the in-process demo server, for the dialog tests: connected, and
// waited on until the server has answered a ping (which enables the Server Info commands).
#ifndef TARNWICK_TESTS_DIALOGS_CONNECTED_WINDOW_WIN_H
#define TARNWICK_TESTS_DIALOGS_CONNECTED_WINDOW_WIN_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/resource.h"
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
  std::string ServerText() const { return "127.0.0.1:" + std::to_string(server->Port()); }
  // Whether the server received `text` as one of its requests.
  bool Received(const std::string& text) const {
    for (const auto& request : server->ReceivedRequests()) {
      if (request.Text() == text) return true;
    }
    return false;
  }

  BoxRecorder boxes;
  std::unique_ptr<demo::DemoServer> server;
  WindowUnderTest window;
};

}  // namespace tarnwick::testing

#endif
