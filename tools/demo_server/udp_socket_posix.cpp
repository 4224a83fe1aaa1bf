// POSIX sockets for the demo server's UdpSocket.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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

}  // namespace

struct UdpSocket::Impl {
  explicit Impl(int descriptor) : fd(descriptor) {}
  ~Impl() {
    if (fd >= 0) close(fd);
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
  int fd;
  Endpoint local;
};

UdpSocket::UdpSocket(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
UdpSocket::~UdpSocket() = default;

std::unique_ptr<UdpSocket> UdpSocket::Open(const Endpoint& local, std::string* error) {
  if (!IsLoopbackAddress(local.address)) {
    *error = Join({"refusing to bind to ", FormatIpv4(local.address), ": not a loopback address"});
    return nullptr;
  }
  auto impl = std::make_unique<Impl>(socket(AF_INET, SOCK_DGRAM, 0));
  if (impl->fd < 0) {
    *error = Join({"socket: ", std::strerror(errno)});
    return nullptr;
  }
  sockaddr_in address = ToSockaddr(local);
  if (bind(impl->fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    *error = Join({"bind to ", FormatEndpoint(local), ": ", std::strerror(errno)});
    return nullptr;
  }
  socklen_t length = sizeof(address);
  getsockname(impl->fd, reinterpret_cast<sockaddr*>(&address), &length);
  impl->local = FromSockaddr(address);
  return std::unique_ptr<UdpSocket>(new UdpSocket(std::move(impl)));
}

Endpoint UdpSocket::Local() const { return impl_->local; }

bool UdpSocket::SendTo(const Endpoint& destination, const uint8_t* bytes, size_t size) {
  if (!IsLoopbackAddress(destination.address)) return false;
  const sockaddr_in address = ToSockaddr(destination);
  return sendto(impl_->fd, bytes, size, 0, reinterpret_cast<const sockaddr*>(&address),
                sizeof(address)) == static_cast<ssize_t>(size);
}

int UdpSocket::ReceiveFrom(uint8_t* buffer, size_t capacity, int timeout_ms, Endpoint* source) {
  pollfd waiting{impl_->fd, POLLIN, 0};
  if (poll(&waiting, 1, timeout_ms) <= 0) return -1;
  sockaddr_in address{};
  socklen_t length = sizeof(address);
  const ssize_t received = recvfrom(impl_->fd, buffer, capacity, MSG_TRUNC,
                                    reinterpret_cast<sockaddr*>(&address), &length);
  if (received < 0) return -1;
  *source = FromSockaddr(address);
  return static_cast<int>(std::min(static_cast<size_t>(received), capacity));
}

}  // namespace tarnwick::demo
