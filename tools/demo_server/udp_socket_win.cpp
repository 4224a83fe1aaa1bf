// Winsock for the demo server's UdpSocket. It runs inside test programs under Wine as well as in
// the demo server program, so it starts and cleans up its own Winsock reference.
#include "common/unique_handle_win.h"
#include "common/win32.h"
#include "tools/demo_server/join_text.h"
#include "tools/demo_server/udp_socket.h"

namespace tarnwick::demo {
namespace {

sockaddr_in ToSockaddr(const Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

Endpoint FromSockaddr(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

std::string ErrorText(const char* call) {
  return Join({call, ": Winsock error ", std::to_string(WSAGetLastError())});
}

}  // namespace

struct UdpSocket::Impl {
  Impl() { started = WSAStartup(MAKEWORD(2, 2), &data) == 0; }
  ~Impl() {
    socket.Reset();
    if (started) WSACleanup();
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
  WSADATA data{};
  bool started = false;
  UniqueSocket socket;
  Endpoint local;
};

UdpSocket::UdpSocket(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
UdpSocket::~UdpSocket() = default;

std::unique_ptr<UdpSocket> UdpSocket::Open(const Endpoint& local, std::string* error) {
  if (!IsLoopbackAddress(local.address)) {
    *error = Join({"refusing to bind to ", FormatIpv4(local.address), ": not a loopback address"});
    return nullptr;
  }
  auto impl = std::make_unique<Impl>();
  if (!impl->started) {
    *error = "WSAStartup failed";
    return nullptr;
  }
  impl->socket.Reset(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
  if (!impl->socket) {
    *error = ErrorText("socket");
    return nullptr;
  }
  sockaddr_in address = ToSockaddr(local);
  if (bind(impl->socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    *error = ErrorText("bind");
    return nullptr;
  }
  int length = sizeof(address);
  getsockname(impl->socket.Get(), reinterpret_cast<sockaddr*>(&address), &length);
  impl->local = FromSockaddr(address);
  return std::unique_ptr<UdpSocket>(new UdpSocket(std::move(impl)));
}

Endpoint UdpSocket::Local() const { return impl_->local; }

bool UdpSocket::SendTo(const Endpoint& destination, const uint8_t* bytes, size_t size) {
  if (!IsLoopbackAddress(destination.address)) return false;
  const sockaddr_in address = ToSockaddr(destination);
  return sendto(impl_->socket.Get(), reinterpret_cast<const char*>(bytes), static_cast<int>(size),
                0, reinterpret_cast<const sockaddr*>(&address),
                sizeof(address)) == static_cast<int>(size);
}

int UdpSocket::ReceiveFrom(uint8_t* buffer, size_t capacity, int timeout_ms, Endpoint* source) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(impl_->socket.Get(), &readable);
  timeval timeout{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
  if (select(0, &readable, nullptr, nullptr, &timeout) <= 0) return -1;
  sockaddr_in address{};
  int length = sizeof(address);
  const int received =
      recvfrom(impl_->socket.Get(), reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0,
               reinterpret_cast<sockaddr*>(&address), &length);
  // WSAECONNRESET reports an earlier send that met a closed port; WSAEMSGSIZE a datagram larger
  // than the buffer, whose first bytes are still there.
  if (received < 0 && WSAGetLastError() == WSAEMSGSIZE) {
    *source = FromSockaddr(address);
    return static_cast<int>(capacity);
  }
  if (received < 0) return -1;
  *source = FromSockaddr(address);
  return received;
}

}  // namespace tarnwick::demo
