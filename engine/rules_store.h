// RulesStore keeps the body of the last rules reply (rule count included) for the Server Info
// sheet's Rules page. It has a lock of its own because the page reads it while replies replace it.
#ifndef TARNWICK_ENGINE_RULES_STORE_H
#define TARNWICK_ENGINE_RULES_STORE_H

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace tarnwick {

class RulesStore {
 public:
  void Store(const uint8_t* body, size_t length) {
    std::lock_guard<std::mutex> guard(lock_);
    body_.assign(body, body + length);
  }
  // A copy of the stored body; empty until the first rules reply.
  std::vector<uint8_t> Copy() const {
    std::lock_guard<std::mutex> guard(lock_);
    return body_;
  }

 private:
  mutable std::mutex lock_;
  std::vector<uint8_t> body_;
};

}  // namespace tarnwick

#endif
