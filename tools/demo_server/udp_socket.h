// The demo server's UDP socket: POSIX sockets on Linux (udp_socket_posix.cpp), Winsock on Windows
// (udp_socket_win.cpp); CMake compiles exactly one of them. It binds only to, and sends only to,
// loopback addresses: anything else is refused before the system is asked.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_UDP_SOCKET_H
#define TARNWICK_TOOLS_DEMO_SERVER_UDP_SOCKET_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "tools/demo_server/endpoint.h"

namespace tarnwick::demo {

class UdpSocket {
 public:
  // Binds a new socket to `local` (port 0 for an ephemeral one). Null with a message in `error`
  // when the address is not loopback or the system refuses.
  static std::unique_ptr<UdpSocket> Open(const Endpoint& local, std::string* error);
  ~UdpSocket();
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // The bound address and port.
  Endpoint Local() const;

  // One datagram to a loopback address; false, without sending, for any other address.
  bool SendTo(const Endpoint& destination, const uint8_t* bytes, size_t size);

  // Waits at most `timeout_ms` for one datagram. Returns its length (cut to `capacity`) and its
  // source, or -1 when none came or the system reported an error for an earlier send.
  int ReceiveFrom(uint8_t* buffer, size_t capacity, int timeout_ms, Endpoint* source);

 private:
  struct Impl;
  explicit UdpSocket(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarnwick::demo

#endif
