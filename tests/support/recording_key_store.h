// RecordingKeyStore: a KeyStore that passes every call on to another store and writes one line
// per call into a log ("query <key>|<value>", "set ...", "delete ...", "enum ...", "open <key>",
// "create <key>", "delete-key <key>"), so tests can check the order in which code uses the
// registry. Key paths in the log are the paths from the root, as they were asked for.
#ifndef TARNWICK_TESTS_SUPPORT_RECORDING_KEY_STORE_H
#define TARNWICK_TESTS_SUPPORT_RECORDING_KEY_STORE_H

#include <memory>
#include <string>
#include <vector>

#include "settings/key_store.h"

namespace tarnwick {

class RecordingKeyStore final : public KeyStore {
 public:
  explicit RecordingKeyStore(KeyStore& inner);
  ~RecordingKeyStore() override;

  Key& Root(RootKey root) override;

  const std::vector<std::string>& log() const { return log_; }
  void ClearLog() { log_.clear(); }
  // The value names of the log lines that start with `operation` on the key `keyPath`.
  std::vector<std::string> ValueNames(const std::string& operation,
                                      const std::string& keyPath) const;

 private:
  std::vector<std::string> log_;
  std::unique_ptr<Key> currentUser_;
  std::unique_ptr<Key> localMachine_;
};

}  // namespace tarnwick

#endif
