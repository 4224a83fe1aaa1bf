#include "engine/server_socket_win.h"

#include <cstring>

namespace tarnwick {

UINT LookupDoneMessage() {
  static const UINT message = RegisterWindowMessageA("WSAAsyncGetHostByNameMsg");
  return message;
}

UINT SocketReadMessage() {
  static const UINT message = RegisterWindowMessageA("WSARecvMsg");
  return message;
}

LookupTask ServerSocket::StartLookup(const std::string& host) {
  lookupBuffer_.fill(0);
  HANDLE task = WSAAsyncGetHostByName(window_, LookupDoneMessage(), host.c_str(),
                                      lookupBuffer_.data(), static_cast<int>(lookupBuffer_.size()));
  return reinterpret_cast<LookupTask>(task);
}

void ServerSocket::CancelLookup(LookupTask task) {
  if (task != 0) WSACancelAsyncRequest(reinterpret_cast<HANDLE>(task));
}

namespace {

// Whether `count` bytes at `p` lie inside the buffer.
bool Inside(const char* buffer, size_t size, const void* p, size_t count) {
  const auto at = reinterpret_cast<uintptr_t>(p);
  const auto begin = reinterpret_cast<uintptr_t>(buffer);
  return at >= begin && count <= size && at - begin <= size - count;
}

}  // namespace

std::optional<Ipv4Address> ReadHostEntryAddress(const char* buffer, size_t size) {
  if (size < sizeof(hostent)) return std::nullopt;
  hostent entry;
  std::memcpy(&entry, buffer, sizeof(entry));
  if (entry.h_addrtype != AF_INET || entry.h_length != 4) return std::nullopt;
  if (!Inside(buffer, size, entry.h_addr_list, sizeof(char*))) return std::nullopt;
  const char* first = nullptr;
  std::memcpy(&first, entry.h_addr_list, sizeof(first));
  if (first == nullptr || !Inside(buffer, size, first, 4)) return std::nullopt;
  Ipv4Address address;
  std::memcpy(address.octets.data(), first, 4);
  return address;
}

std::optional<Ipv4Address> ServerSocket::LookupAddress() {
  return ReadHostEntryAddress(lookupBuffer_.data(), lookupBuffer_.size());
}

namespace {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(endpoint.port);
  std::memcpy(&address.sin_addr, endpoint.address.octets.data(), 4);
  return address;
}

}  // namespace

bool ServerSocket::OpenSocket(const Ipv4Endpoint& server, uint16_t& localPort) {
  socket_.Reset();
  UniqueSocket candidate(socket(AF_INET, SOCK_DGRAM, 0));
  if (!candidate) return false;
  sockaddr_in any = {};
  any.sin_family = AF_INET;
  any.sin_addr.s_addr = htonl(INADDR_ANY);
  any.sin_port = htons(localPort);
  if (bind(candidate.Get(), reinterpret_cast<const sockaddr*>(&any), sizeof(any)) != 0) {
    any.sin_port = 0;
    if (localPort == 0 ||
        bind(candidate.Get(), reinterpret_cast<const sockaddr*>(&any), sizeof(any)) != 0)
      return false;
  }
  // Associated with the server, the socket takes datagrams from it alone, and a server host that
  // answers "port unreachable" makes the next read fail instead of leaving the window waiting.
  const sockaddr_in peer = ToSockaddr(server);
  if (connect(candidate.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof(peer)) != 0) {
    return false;
  }
  sockaddr_in bound = {};
  int size = sizeof(bound);
  if (getsockname(candidate.Get(), reinterpret_cast<sockaddr*>(&bound), &size) != 0) return false;
  // Before anything is sent: without notifications no reply would ever be read.
  if (WSAAsyncSelect(candidate.Get(), window_, SocketReadMessage(), FD_READ) != 0) return false;
  localPort = ntohs(bound.sin_port);
  socket_ = std::move(candidate);
  return true;
}

void ServerSocket::Send(const std::vector<uint8_t>& datagram) {
  // The socket is associated with the server, which is the only destination it sends to.
  if (!socket_) return;
  send(socket_.Get(), reinterpret_cast<const char*>(datagram.data()),
       static_cast<int>(datagram.size()), 0);
}

void ServerSocket::StartTimer(TimerId id, uint32_t periodMs) {
  SetTimer(window_, static_cast<UINT_PTR>(id), periodMs, nullptr);
}

void ServerSocket::StopTimer(TimerId id) { KillTimer(window_, static_cast<UINT_PTR>(id)); }

bool ServerSocket::Dispatch(ServerMonitor& monitor, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LookupDoneMessage()) {
    monitor.OnLookupDone(static_cast<LookupTask>(wParam), WSAGETASYNCERROR(lParam));
    return true;
  }
  if (message == SocketReadMessage()) {
    if (monitor.IsConnected() && static_cast<SOCKET>(wParam) == socket_.Get()) {
      monitor.OnReceive(Receive());
    }
    return true;
  }
  if (message != WM_TIMER) return false;
  if (monitor.IsConnected()) {
    if (const int error = PendingError()) {
      ReceiveResult failed;
      failed.error = error;
      monitor.OnReceive(failed);
      // A monitor that keeps watching a refusing server still wants its tick.
      if (!monitor.IsConnected()) return true;
    }
  }
  monitor.OnTimer(static_cast<uint32_t>(wParam));
  return true;
}

int ServerSocket::PendingError() const {
  if (!socket_) return 0;
  int error = 0;
  int size = sizeof(error);
  if (getsockopt(socket_.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
    return 0;
  }
  return error;
}

ReceiveResult ServerSocket::Receive() {
  ReceiveResult result;
  receiveBuffer_.fill(0);
  sockaddr_in from = {};
  int fromSize = sizeof(from);
  const int received = recvfrom(socket_.Get(), reinterpret_cast<char*>(receiveBuffer_.data()),
                                static_cast<int>(receiveBuffer_.size()), 0,
                                reinterpret_cast<sockaddr*>(&from), &fromSize);
  if (received == SOCKET_ERROR) {
    result.error = WSAGetLastError();
    // A datagram longer than the buffer arrives cut; its first part is still worth reading.
    result.length = result.error == kSocketMessageTooLong ? receiveBuffer_.size() : 0;
  } else {
    result.length = static_cast<size_t>(received);
  }
  std::memcpy(result.from.address.octets.data(), &from.sin_addr, 4);
  result.from.port = ntohs(from.sin_port);
  result.data = receiveBuffer_.data();
  return result;
}

}  // namespace tarnwick
