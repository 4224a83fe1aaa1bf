// MonitorPort: the platform under one window's server monitor: the name lookup, the UDP socket,
// the clock and the refresh timers. ServerSocket implements it on Windows Sockets and window
// timers; tests implement it in memory. The port reports back through the monitor's OnLookupDone,
// OnReceive and OnTimer. Everything runs on the window's thread.
#ifndef TARNWICK_ENGINE_MONITOR_PORT_H
#define TARNWICK_ENGINE_MONITOR_PORT_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ipv4.h"
#include "engine/refresh_plan.h"

namespace tarnwick {

// Names a pending name lookup; 0 is no lookup.
using LookupTask = uintptr_t;

// Socket errors the receive side tells apart (the Windows Sockets numbers).
inline constexpr int kSocketWouldBlock = 10035;
inline constexpr int kSocketMessageTooLong = 10040;
inline constexpr int kSocketConnectionReset = 10054;
inline constexpr int kSocketConnectionRefused = 10061;

// What one attempt to read a datagram gave.
struct ReceiveResult {
  int error = 0;  // 0, or the socket error
  Ipv4Endpoint from;
  const uint8_t* data = nullptr;  // the bytes read (for a cut datagram, its first part)
  size_t length = 0;
};

class MonitorPort {
 public:
  virtual ~MonitorPort() = default;

  // Starts resolving `host` without blocking; the result comes through the monitor's
  // OnLookupDone. Returns 0 when the lookup cannot even start.
  virtual LookupTask StartLookup(const std::string& host) = 0;
  virtual void CancelLookup(LookupTask task) = 0;
  // The address the finished lookup found (the first of its host entry); nothing when the entry
  // is not an IPv4 one of 4-byte addresses. Asked only for the lookup the monitor waits for, after
  // it reported success.
  virtual std::optional<Ipv4Address> LookupAddress() = 0;
  // Closes an open socket, then creates a UDP socket bound to any local address and to
  // `localPort` when it is not 0 and free, else to a port the system picks, associated with
  // `server` (so that only the server's datagrams arrive and the system reports a server host's
  // "nothing listens here" as a receive error), and has the arrival of datagrams reported without
  // ever blocking a read. False, and no socket, when a step fails; otherwise `localPort` is the
  // bound port.
  virtual bool OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) = 0;
  virtual void CloseSocket() = 0;
  // Sends to the server the socket is associated with. Errors are not looked at: a request that
  // cannot be sent is lost.
  virtual void Send(const std::vector<uint8_t>& datagram) = 0;

  // Milliseconds since some start; wraps.
  virtual uint32_t TickCount() = 0;
  virtual void StartTimer(TimerId id, uint32_t periodMs) = 0;
  virtual void StopTimer(TimerId id) = 0;
};

}  // namespace tarnwick

#endif
