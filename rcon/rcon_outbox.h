// RconOutbox: the texts the remote console hands its main window to send to the server. The
// console puts them here and then only signals the main window ("RConMsg" without a pointer),
// which takes them out; a message from any other process therefore finds nothing it did not put
// there and carries nothing the program would read.
#ifndef TARNWICK_RCON_RCON_OUTBOX_H
#define TARNWICK_RCON_RCON_OUTBOX_H

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

class RconOutbox {
 public:
  void Put(std::string text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    texts_.push_back(std::move(text));
  }
  // Every text put since the last call, in order.
  std::vector<std::string> TakeAll() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(texts_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> texts_;
};

}  // namespace tarnwick

#endif
