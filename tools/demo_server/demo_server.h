// DemoServer: a small UDP game server on 127.0.0.1 that answers like a Half-Life server, for the
// demo script and for tests that run it in-process (natively and under Wine).
//
//   DemoConfig config;                 // see demo_config.h; the defaults are a classic server
//   config.players = {{"Alice", 3, 60.0f}};
//   DemoServer server(config);
//   if (!server.Start()) ...;          // binds 127.0.0.1, port config.port or an ephemeral one
//   SendTo(127.0.0.1, server.Port()) ...
//   server.SetMaxPlayers(1);           // fields can change while it runs
//   server.WaitForRequests(2, 5000ms); // wait until two datagrams arrived
//   server.ReceivedRequests()[0].Text() == "details"
//   server.Stop();                     // also done by the destructor
//
// A background thread receives datagrams, hands each to the Responder (responder.h) under a lock
// and sends what it returns, at the times it asks for (the delay fault). Every public member is
// safe to call from any thread. The server binds to, answers and streams its log to loopback
// addresses only: Start fails for any other bind address.
#ifndef TARNWICK_TOOLS_DEMO_SERVER_DEMO_SERVER_H
#define TARNWICK_TOOLS_DEMO_SERVER_DEMO_SERVER_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/demo_server/demo_config.h"
#include "tools/demo_server/faults.h"
#include "tools/demo_server/responder.h"

namespace tarnwick::demo {

class UdpSocket;

class DemoServer {
 public:
  explicit DemoServer(DemoConfig config);
  ~DemoServer();
  DemoServer(const DemoServer&) = delete;
  DemoServer& operator=(const DemoServer&) = delete;

  // Binds the socket (and the second one of the alternate-port fault) and starts answering.
  // False, with a message in `error` when given, if the bind address is not loopback, the port is
  // taken, or the server already runs.
  bool Start(std::string* error = nullptr);
  // Stops the thread and closes the sockets; the records stay readable. Safe to call twice.
  void Stop();

  // The bound port (0 before Start), and the second socket's port (0 without that fault).
  uint16_t Port() const { return port_; }
  uint16_t AlternatePort() const { return alternate_port_; }

  // Run-time changes; players' connected times count on from their given seconds.
  void SetPlayers(std::vector<DemoPlayer> players);
  void SetMaxPlayers(int max_players);
  void SetHostName(std::string name);
  void SetMap(std::string map);
  void SetPasswordFlag(bool password);
  void SetRules(std::vector<DemoRule> rules);
  // Every query and rcon challenge given out so far stops being good.
  void ExpireChallenges();

  // Every datagram received so far, in order, with its source and time.
  std::vector<ReceivedRequest> ReceivedRequests() const;
  // Waits until at least `count` datagrams were received; false when `timeout` passed first.
  bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;
  // Failed rcon attempts from every address: wrong passwords, and in modern mode also requests
  // without a challenge or with one the server never gave.
  int FailedRconAttempts() const;
  // Where the log is streamed to (empty while it is off).
  std::vector<Endpoint> LogTargets() const;
  // The players as the next reply would list them.
  std::vector<DemoPlayer> Players() const;
  // Where the flood fault stands, and how many junk datagrams it has sent so far.
  FloodStage::Phase FloodPhase() const { return flood_phase_; }
  uint64_t FloodSent() const { return flood_sent_; }

 private:
  int64_t Now() const;
  void Run();
  void Queue(std::vector<Outgoing> datagrams);
  void SendDue(int64_t now_ms);
  void SendFlood(int64_t now_ms);

  DemoConfig config_;
  std::unique_ptr<UdpSocket> socket_;
  std::unique_ptr<UdpSocket> alternate_;
  uint16_t port_ = 0;
  uint16_t alternate_port_ = 0;
  std::chrono::steady_clock::time_point started_;

  mutable std::mutex mutex_;  // guards responder_ and queue_
  mutable std::condition_variable received_;
  std::unique_ptr<Responder> responder_;
  std::multimap<int64_t, Outgoing> queue_;  // by send time; equal times keep their order
  // The flood belongs to the socket thread alone; the two atomics report on it.
  std::unique_ptr<FloodStage> flood_;
  std::atomic<FloodStage::Phase> flood_phase_{FloodStage::Phase::kOff};
  std::atomic<uint64_t> flood_sent_{0};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace tarnwick::demo

#endif
