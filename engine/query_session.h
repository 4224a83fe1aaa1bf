// QuerySession decides, for one connection, which requests ask the server for its information,
// players and rules, and keeps the challenge number today's servers want.
//
// Servers of 2001 answer the text queries "info", "details", "players" and "rules". Today's servers
// answer only "ping" of those, and answer the binary queries instead: 'T' "Source Engine Query"
// (info), 'U' + challenge (players) and 'V' + challenge (rules); they may answer any of the three
// with 'A' + a challenge number, after which the request is sent again with that number appended.
// Those servers also limit queries to about three a second per address, so the session sends only
// what the server is known or likely to answer:
//
// - Unknown (the connection is new): text queries only, exactly as for a server of 2001.
// - TextSilent: the server answered a "ping" while a text query sent before it was still
//   unanswered. From then on every query goes out in both forms, and the binary forms of the text
//   queries still unanswered go out at once.
// - Old: the server answered a text query ('C', or 'm', 'D', 'E' while no binary query of that
//   kind was sent on this connection). Text only, for the rest of the connection.
// - Modern: the server answered a binary query ('I' or 'A'). Binary only, for the rest of the
//   connection; the text queries would only count against its limit.
//
// Challenges: the number of the last 'A' is kept for the connection and sent with every binary
// query ('T' carries it after its text once one is known; 'U' and 'V' send 0xFFFFFFFF to ask for
// one). A binary query the program asked for is sent again at most once, when an 'A' arrives before
// its answer and carries a number other than the one the query was sent with, so a server that
// keeps answering 'A' never gets more than two requests for one query.
//
// Details and information: once an 'm' reply came on this connection, 'I' replies are not read
// (TakesSourceInfo), so a server that answers 'T' with both never makes the window switch between
// the two versions of its facts.
//
// Thread: a plain value of its ServerMonitor, used only on that window's thread.
#ifndef TARNWICK_ENGINE_QUERY_SESSION_H
#define TARNWICK_ENGINE_QUERY_SESSION_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick {

enum class QueryKind : uint8_t { Info, Players, Rules };

// "info" and "details" ask for Info, "players" for Players, "rules" for Rules; other texts are no
// query of these kinds.
std::optional<QueryKind> QueryKindOf(std::string_view text);

enum class ServerKind : uint8_t { Unknown, TextSilent, Old, Modern };

class QuerySession {
 public:
  using Datagram = std::vector<uint8_t>;

  // Forgets the server: a new connection starts Unknown, without a challenge.
  void Reset() { *this = QuerySession(); }

  // The datagrams that ask for `kind`, in order; `text` is the text query of 2001 for it.
  std::vector<Datagram> Ask(QueryKind kind, std::string_view text);

  // Every reply the connection dispatches, by its type letter, with the body after the letter.
  // Returns the requests to send in answer (the repeat after a challenge, or the binary queries
  // after a "ping" showed the server ignores text).
  std::vector<Datagram> OnReply(uint8_t type, const uint8_t* body, size_t length);

  ServerKind Kind() const { return kind_; }
  // True once the server has shown itself to be of the old kind, answering the text queries.
  bool AnsweredTextQueries() const { return kind_ == ServerKind::Old; }
  std::optional<uint32_t> Challenge() const { return challenge_; }
  bool TakesSourceInfo() const { return !detailsSeen_; }

 private:
  static size_t Slot(QueryKind kind) { return static_cast<size_t>(kind); }

  // A binary query sent for the program and not yet answered; it may be repeated once.
  struct Awaiting {
    bool waiting = false;
    std::optional<uint32_t> sentWith;
  };

  Datagram BuildBinary(QueryKind kind) const;
  void SendBinary(QueryKind kind, std::vector<Datagram>& out);
  void Answered(QueryKind kind);
  void Become(ServerKind kind);

  ServerKind kind_ = ServerKind::Unknown;
  std::optional<uint32_t> challenge_;
  bool detailsSeen_ = false;
  std::array<bool, 3> textPending_{};  // text queries sent while Unknown, not answered yet
  std::array<bool, 3> binarySent_{};   // a binary query of this kind went out on the connection
  std::array<Awaiting, 3> awaiting_{};
};

}  // namespace tarnwick

#endif
