// The demo server program: starts a DemoServer from the command line, prints where it listens and
// runs until Ctrl+C (SIGINT), SIGTERM or, on Windows, Ctrl+Break.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/demo_server/command_line.h"
#include "tools/demo_server/demo_server.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnSignal(int) { g_stop = 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace tarnwick::demo;
  CommandLine command_line;
  std::string error;
  if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &command_line, &error)) {
    std::fprintf(stderr, "tarnwick_demo_server: %s\n\n%s", error.c_str(), UsageText().c_str());
    return 2;
  }
  if (command_line.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  DemoServer server(command_line.config);
  if (!server.Start(&error)) {
    std::fprintf(stderr, "tarnwick_demo_server: %s\n", error.c_str());
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
#ifdef SIGBREAK
  std::signal(SIGBREAK, OnSignal);
#endif
  if (!command_line.port_file.empty()) {
    if (std::FILE* file = std::fopen(command_line.port_file.c_str(), "w")) {
      std::fprintf(file, "%u\n", server.Port());
      std::fclose(file);
    }
  }
  std::printf("tarnwick_demo_server: %s server \"%s\" on %s:%u\n",
              command_line.config.modern ? "modern" : "classic",
              command_line.config.host_name.c_str(),
              FormatIpv4(command_line.config.bind_address).c_str(), server.Port());
  if (server.AlternatePort() != 0)
    std::printf("tarnwick_demo_server: second socket on port %u\n", server.AlternatePort());
  std::fflush(stdout);
  // The flood's start and end are printed so that a benchmark can measure exactly that span.
  FloodStage::Phase flood = server.FloodPhase();
  while (!g_stop) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const FloodStage::Phase now = server.FloodPhase();
    if (now == flood) continue;
    if (now == FloodStage::Phase::kRunning) std::printf("tarnwick_demo_server: flood started\n");
    if (now == FloodStage::Phase::kDone) {
      std::printf("tarnwick_demo_server: flood ended, %llu datagrams\n",
                  static_cast<unsigned long long>(server.FloodSent()));
    }
    std::fflush(stdout);
    flood = now;
  }
  server.Stop();
  std::printf("tarnwick_demo_server: stopped\n");
  return 0;
}
