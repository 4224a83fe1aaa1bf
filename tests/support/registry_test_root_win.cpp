// A throw-away registry key per test.
#include "tests/support/registry_test_root_win.h"

#include "common/ansi_text.h"

namespace tarnwick {
namespace {

constexpr char kTestParent[] = "SOFTWARE\\Merrowind\\TarnwickTest";
constexpr char kMakerKey[] = "SOFTWARE\\Merrowind";

// Deletes the key only when it holds neither subkeys nor values.
void DeleteIfEmpty(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 1;
  DWORD values = 1;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

HKEY CreateKey(const std::string& path) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

}  // namespace

RegistryTestRoot::RegistryTestRoot() {
  static unsigned counter = 0;
  path_ = Format("%s\\%08lx-%lu-%u", kTestParent, static_cast<unsigned long>(GetTickCount()),
                 static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
  currentUser_.Reset(CreateKey(path_ + "\\HKCU"));
  localMachine_.Reset(CreateKey(path_ + "\\HKLM"));
  store_ = std::make_unique<RegistryKeyStore>(currentUser_.Get(), localMachine_.Get());
}

RegistryTestRoot::~RegistryTestRoot() {
  store_.reset();
  currentUser_.Reset();
  localMachine_.Reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
  // Only when empty: tests running in parallel may still have their keys there, and the maker's
  // key may hold the real settings.
  DeleteIfEmpty(kTestParent);
  DeleteIfEmpty(kMakerKey);
}

}  // namespace tarnwick
