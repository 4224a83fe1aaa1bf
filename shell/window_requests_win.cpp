#include "shell/window_requests_win.h"

#include <atomic>
#include <cstring>

namespace tarnwick {
namespace {

std::atomic<DWORD> requestThread{0};

}  // namespace

void SetRequestThreadId(DWORD threadId) { requestThread = threadId; }

DWORD RequestThreadId() { return requestThread; }

bool PostWindowRequest(const std::string& serverText) {
  const DWORD thread = requestThread;
  if (thread == 0) return false;
  const std::string line = "-new " + serverText;
  char* text = new char[line.size() + 1];
  std::memcpy(text, line.c_str(), line.size() + 1);
  if (!PostThreadMessageA(thread, kWindowRequestMessage, 0, reinterpret_cast<LPARAM>(text))) {
    delete[] text;
    return false;
  }
  return true;
}

std::string TakeWindowRequestText(LPARAM lParam) {
  char* text = reinterpret_cast<char*>(lParam);
  if (text == nullptr) return std::string();
  std::string line(text);
  delete[] text;
  return line;
}

}  // namespace tarnwick
