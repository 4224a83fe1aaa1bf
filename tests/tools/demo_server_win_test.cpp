// The demo server linked into a Win32 program: started in-process and asked over a real Winsock
// socket on 127.0.0.1, as the program's own tests under Wine will use it.
#include <gtest/gtest.h>

#include <string>

#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "tests/tools/demo_test_bytes.h"
#include "tools/demo_server/demo_server.h"

namespace tarnwick::demo {
namespace {

using namespace demo_test;

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

// Sends one request to 127.0.0.1:`port` and waits up to five seconds for the reply.
Bytes Exchange(SOCKET socket, uint16_t port, const Bytes& request) {
  const sockaddr_in to = Loopback(port);
  sendto(socket, reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0,
         reinterpret_cast<const sockaddr*>(&to), sizeof(to));
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(socket, &readable);
  timeval timeout{5, 0};
  if (select(0, &readable, nullptr, nullptr, &timeout) != 1) return {};
  char buffer[8192];
  const int size = recv(socket, buffer, sizeof(buffer), 0);
  return size < 0 ? Bytes{} : Bytes(buffer, buffer + size);
}

TEST(DemoServerWinsock, AnswersPingAndDetailsOnLoopback) {
  DemoConfig config;
  config.host_name = "Wine Server";
  config.map = "snark_pit";
  config.players = {{"Freeman", 2, 30.0f}};
  config.max_players = 8;
  config.os = 'w';
  DemoServer server(config);
  std::string error;
  ASSERT_TRUE(server.Start(&error)) << error;

  UniqueSocket client(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  ASSERT_TRUE(client);
  const sockaddr_in local = Loopback(0);
  ASSERT_EQ(bind(client.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof(local)), 0);
  EXPECT_EQ(Exchange(client.Get(), server.Port(), Request("ping")),
            B({0xFF, 0xFF, 0xFF, 0xFF, 'j', 0}));
  const std::string address = "127.0.0.1:" + std::to_string(server.Port());
  EXPECT_EQ(Exchange(client.Get(), server.Port(), Request("details")),
            Cat({kPrefix, B({'m'}), Z(address), Z("Wine Server"), Z("snark_pit"), Z("valve"),
                 Z("Half-Life"), B({1, 8, 47, 'd', 'w', 0, 0, 1, 0})}));
  EXPECT_EQ(server.ReceivedRequests().size(), 2u);
}

}  // namespace
}  // namespace tarnwick::demo
