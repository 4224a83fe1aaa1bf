#include "controls/link_static_history_win.h"

#include <urlhist.h>

#include <mutex>
#include <set>
#include <vector>

namespace tarnwick {
namespace {

// The URL-history class the link control asks for.
const CLSID kUrlHistoryClass = {
    0x4CA300A1, 0x9B8D, 0x11D1, {0x8B, 0x22, 0x00, 0xC0, 0x4F, 0xD9, 0x18, 0xD0}};
const IID kUrlHistoryInterface = {
    0x3C374A41, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};

// Links live on several window threads; the set is shared by all of them.
std::mutex& RememberedLock() {
  static std::mutex lock;
  return lock;
}
std::set<std::string>& Remembered() {
  static std::set<std::string> urls;
  return urls;
}

std::vector<wchar_t> Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return wide;
}

}  // namespace

LinkHistory::LinkHistory() {
  void* service = nullptr;
  if (SUCCEEDED(CoCreateInstance(kUrlHistoryClass, nullptr, CLSCTX_ALL, kUrlHistoryInterface,
                                 &service))) {
    service_ = static_cast<IUrlHistoryStg*>(service);
  }
}

LinkHistory::~LinkHistory() {
  if (service_ != nullptr) service_->Release();
}

bool LinkHistory::IsVisited(const std::string& url) const {
  {
    std::lock_guard<std::mutex> guard(RememberedLock());
    if (Remembered().count(url) != 0) return true;
  }
  if (service_ == nullptr) return false;
  STATURL state = {};
  state.cbSize = sizeof(state);
  const std::vector<wchar_t> wide = Wide(url);
  return SUCCEEDED(
      service_->QueryUrl(wide.data(), STATURL_QUERYFLAG_NOURL | STATURL_QUERYFLAG_NOTITLE, &state));
}

void LinkHistory::MarkVisited(const std::string& url) {
  {
    std::lock_guard<std::mutex> guard(RememberedLock());
    Remembered().insert(url);
  }
  if (service_ != nullptr) service_->AddUrl(Wide(url).data(), nullptr, 0);
}

void LinkHistory::ForgetRemembered() {
  std::lock_guard<std::mutex> guard(RememberedLock());
  Remembered().clear();
}

}  // namespace tarnwick
