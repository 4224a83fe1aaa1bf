// ServerSocket: the Windows Sockets side of one window's connection. Name lookups and datagram
// arrival are reported to the window as registered messages, so nothing ever blocks its thread.
#ifndef TARNWICK_ENGINE_SERVER_SOCKET_WIN_H
#define TARNWICK_ENGINE_SERVER_SOCKET_WIN_H

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "engine/monitor_host.h"
#include "engine/query_protocol.h"
#include "engine/server_monitor.h"

namespace tarnwick {

// The process-wide numbers of the messages that carry socket events; registered on first use.
UINT LookupDoneMessage();  // "WSAAsyncGetHostByNameMsg"
UINT SocketReadMessage();  // "WSARecvMsg"

// The first address of the host entry that WSAAsyncGetHostByName wrote into `buffer`; nothing
// unless it is an IPv4 entry with 4-byte addresses whose list and first address lie inside the
// buffer (which is where the lookup puts them).
std::optional<Ipv4Address> ReadHostEntryAddress(const char* buffer, size_t size);

class ServerSocket {
 public:
  ServerSocket() = default;
  ServerSocket(const ServerSocket&) = delete;
  ServerSocket& operator=(const ServerSocket&) = delete;

  // Starts WSAAsyncGetHostByName for `host`, reported to `window`; 0 when it cannot start.
  LookupTask StartLookup(HWND window, const std::string& host);
  void CancelLookup(LookupTask task);
  // The first address of the host entry the finished lookup wrote (read after success only).
  std::optional<Ipv4Address> LookupAddress() const;

  // Binds a new socket to any local address and associates it with `server`; false (and no
  // socket) when a step fails.
  bool Open(const Ipv4Endpoint& server, uint16_t& localPort);
  void Close() { socket_.Reset(); }
  bool IsOpen() const { return static_cast<bool>(socket_); }
  SOCKET Handle() const { return socket_.Get(); }

  void Send(const Ipv4Endpoint& to, const std::vector<uint8_t>& datagram);
  // Has FD_READ reported to `window`, which also makes the socket non-blocking; false on failure.
  bool RequestReadNotifications(HWND window);

  // Reads one datagram (at most the receive buffer's size) into the buffer.
  ReceiveResult Receive();
  // An error the system keeps for the socket without signalling a read (0 when none). Some socket
  // layers report a server host's "port unreachable" only this way.
  int PendingError() const;

 private:
  UniqueSocket socket_;
  alignas(8) std::array<char, MAXGETHOSTSTRUCT> lookupBuffer_{};
  std::array<uint8_t, kReceiveBufferSize> receiveBuffer_{};
};

}  // namespace tarnwick

#endif
