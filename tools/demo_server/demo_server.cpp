#include "tools/demo_server/demo_server.h"

#include <algorithm>

#include "tools/demo_server/udp_socket.h"

namespace tarnwick::demo {
namespace {

// The longest the loop waits for a datagram before it looks at the stop flag and the clock again.
constexpr int kLoopTickMs = 20;
constexpr size_t kReceiveCapacity = 65536;

}  // namespace

DemoServer::DemoServer(DemoConfig config) : config_(std::move(config)) {}

DemoServer::~DemoServer() { Stop(); }

bool DemoServer::Start(std::string* error) {
  std::string message;
  std::string& text = error != nullptr ? *error : message;
  if (thread_.joinable() || socket_) {
    text = "the demo server already runs";
    return false;
  }
  socket_ = UdpSocket::Open({config_.bind_address, config_.port}, &text);
  if (!socket_) return false;
  if (config_.faults.alternate != AlternateSource::kOff) {
    alternate_ = UdpSocket::Open({config_.bind_address, 0}, &text);
    if (!alternate_) {
      socket_.reset();
      return false;
    }
    alternate_port_ = alternate_->Local().port;
  }
  port_ = socket_->Local().port;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    responder_ = std::make_unique<Responder>(config_, socket_->Local());
  }
  flood_ = std::make_unique<FloodStage>(config_.faults, config_.seed);
  flood_phase_ = flood_->PhaseAt(0);
  flood_sent_ = 0;
  started_ = std::chrono::steady_clock::now();
  stopping_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void DemoServer::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  socket_.reset();
  alternate_.reset();
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.clear();
}

int64_t DemoServer::Now() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               started_)
      .count();
}

void DemoServer::Run() {
  std::vector<uint8_t> buffer(kReceiveCapacity);
  while (!stopping_) {
    int64_t now = Now();
    int64_t wake;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (Outgoing& datagram : responder_->Poll(now))
        queue_.emplace(datagram.send_at_ms, std::move(datagram));
      wake = std::min(responder_->NextPollAt(),
                      queue_.empty() ? Responder::kNever : queue_.begin()->first);
    }
    SendDue(now);
    SendFlood(now);
    wake = std::min(wake, flood_->NextAt());
    const int wait = static_cast<int>(std::clamp<int64_t>(wake - now, 0, kLoopTickMs));
    Endpoint source;
    const int size = socket_->ReceiveFrom(buffer.data(), buffer.size(), wait, &source);
    if (size < 0) continue;
    now = Now();
    flood_->NoteRequest(source, now);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto replies = responder_->HandleDatagram(
          std::span<const uint8_t>(buffer.data(), static_cast<size_t>(size)), source, now);
      for (const Outgoing& datagram : replies) queue_.emplace(datagram.send_at_ms, datagram);
    }
    received_.notify_all();
    SendDue(now);
  }
}

void DemoServer::SendDue(int64_t now_ms) {
  std::vector<Outgoing> due;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto end = queue_.upper_bound(now_ms);
    for (auto it = queue_.begin(); it != end; ++it) due.push_back(std::move(it->second));
    queue_.erase(queue_.begin(), end);
  }
  for (const Outgoing& datagram : due) {
    UdpSocket* from = datagram.from_alternate && alternate_ ? alternate_.get() : socket_.get();
    from->SendTo(datagram.destination, datagram.bytes.data(), datagram.bytes.size());
  }
}

// The flood skips the reply queue: tens of thousands of datagrams a second go straight out.
void DemoServer::SendFlood(int64_t now_ms) {
  std::vector<Outgoing> junk;
  flood_->Poll(now_ms, &junk);
  for (const Outgoing& datagram : junk) {
    socket_->SendTo(datagram.destination, datagram.bytes.data(), datagram.bytes.size());
  }
  flood_phase_ = flood_->PhaseAt(now_ms);
  flood_sent_ = flood_->Sent();
}

void DemoServer::SetPlayers(std::vector<DemoPlayer> players) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (responder_) {
    responder_->SetPlayers(std::move(players), Now());
  } else {
    config_.players = std::move(players);
  }
}

void DemoServer::SetMaxPlayers(int max_players) {
  std::lock_guard<std::mutex> lock(mutex_);
  config_.max_players = max_players;
  if (responder_) responder_->SetMaxPlayers(max_players);
}

void DemoServer::SetHostName(std::string name) {
  std::lock_guard<std::mutex> lock(mutex_);
  config_.host_name = name;
  if (responder_) responder_->SetHostName(std::move(name));
}

void DemoServer::SetMap(std::string map) {
  std::lock_guard<std::mutex> lock(mutex_);
  config_.map = map;
  if (responder_) responder_->SetMap(std::move(map));
}

void DemoServer::SetPasswordFlag(bool password) {
  std::lock_guard<std::mutex> lock(mutex_);
  config_.password = password;
  if (responder_) responder_->SetPasswordFlag(password);
}

void DemoServer::SetRules(std::vector<DemoRule> rules) {
  std::lock_guard<std::mutex> lock(mutex_);
  config_.rules = rules;
  if (responder_) responder_->SetRules(std::move(rules));
}

void DemoServer::ExpireChallenges() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (responder_) responder_->ExpireChallenges();
}

std::vector<ReceivedRequest> DemoServer::ReceivedRequests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return responder_ ? responder_->ReceivedRequests() : std::vector<ReceivedRequest>{};
}

bool DemoServer::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return received_.wait_for(
      lock, timeout, [&] { return responder_ && responder_->ReceivedRequests().size() >= count; });
}

int DemoServer::FailedRconAttempts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return responder_ ? responder_->FailedRconAttempts() : 0;
}

std::vector<Endpoint> DemoServer::LogTargets() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return responder_ ? responder_->LogTargets() : std::vector<Endpoint>{};
}

std::vector<DemoPlayer> DemoServer::Players() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return responder_ ? responder_->PlayersAt(Now()) : config_.players;
}

}  // namespace tarnwick::demo
