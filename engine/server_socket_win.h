// ServerSocket: the Windows Sockets and window-timer side of one window's server monitor (its
// MonitorPort). Name lookups, datagram arrival and timer ticks come to the window as messages,
// so nothing ever blocks its thread; the window hands every message to Dispatch, which carries the
// socket's and the timers' to the monitor. Thread: the window's own; nothing is locked.
#ifndef TARNWICK_ENGINE_SERVER_SOCKET_WIN_H
#define TARNWICK_ENGINE_SERVER_SOCKET_WIN_H

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "engine/monitor_port.h"
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

class ServerSocket final : public MonitorPort {
 public:
  ServerSocket() = default;
  ServerSocket(const ServerSocket&) = delete;
  ServerSocket& operator=(const ServerSocket&) = delete;

  // The window that gets the lookup, socket and timer messages; set before the first Connect.
  void Attach(HWND window) { window_ = window; }
  // A message of the window: the lookup's and the socket's (which any process may post, so they
  // only make the monitor look at its own lookup and read a non-blocking socket) and WM_TIMER.
  // True when it was one of them.
  bool Dispatch(ServerMonitor& monitor, UINT message, WPARAM wParam, LPARAM lParam);

  // ---- MonitorPort
  LookupTask StartLookup(const std::string& host) override;
  void CancelLookup(LookupTask task) override;
  std::optional<Ipv4Address> LookupAddress() override;
  bool OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) override;
  void CloseSocket() override { socket_.Reset(); }
  void Send(const std::vector<uint8_t>& datagram) override;
  uint32_t TickCount() override { return GetTickCount(); }
  void StartTimer(TimerId id, uint32_t periodMs) override;
  void StopTimer(TimerId id) override;

 private:
  // Reads one datagram (at most the receive buffer's size) into the buffer.
  ReceiveResult Receive();
  // An error the system keeps for the socket without signalling a read (0 when none). Some socket
  // layers report a server host's "port unreachable" only this way.
  int PendingError() const;

  HWND window_ = nullptr;
  UniqueSocket socket_;
  alignas(8) std::array<char, MAXGETHOSTSTRUCT> lookupBuffer_{};
  std::array<uint8_t, kReceiveBufferSize> receiveBuffer_{};
};

}  // namespace tarnwick

#endif
