// The round trip of a small host call over the host socket: one property
// read answered with a 32-bit integer, from the client's dispatch channel
// through the frames and the codec to a host socket server on another
// thread and back. Each call is timed on its own; the figure is the median.
// Target: at most 50 microseconds.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host/DispatchMembers.h"
#include "host/HostCodes.h"
#include "platform/linux/HostSocketServer.h"
#include "platform/linux/SocketDispatchChannel.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kTargetMicroseconds = 50;
constexpr std::chrono::seconds kDeadline{30};

class NoEvents final : public korrin::EventPump {
 public:
  void Yield() override {}
};

// A host socket server answering every call with the idle command state,
// and a channel connected to it.
class Host {
 public:
  Host() {
    folder_ = fs::temp_directory_path() / ("korrin-bench-round-trip-" + std::to_string(::getpid()));
    const std::string path = (folder_ / "hosts" / "1").string();
    fs::create_directories(folder_);
    auto server = korrin::HostSocketServer::Listen(
        path, [](const korrin::host::InvokeRequest&) -> korrin::Result<korrin::host::DispatchValue> {
          return korrin::host::DispatchValue(korrin::host::kCommandStateIdle);
        });
    if (!server) throw std::runtime_error(server.failure().description);
    server_ = std::move(server).value();
    serving_ = std::thread([this] { (void)server_->Serve(); });
    auto channel = korrin::SocketDispatchChannel::Connect(path, kDeadline, events_);
    if (!channel) {
      Stop();
      throw std::runtime_error(channel.failure().description);
    }
    channel_ = channel.value();
  }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host() { Stop(); }

  korrin::SocketDispatchChannel& channel() { return *channel_; }

 private:
  void Stop() {
    channel_.reset();
    if (serving_.joinable()) {
      server_->Stop();
      serving_.join();
    }
    server_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path folder_;
  NoEvents events_;
  std::unique_ptr<korrin::HostSocketServer> server_;
  std::thread serving_;
  std::shared_ptr<korrin::SocketDispatchChannel> channel_;
};

double lastMedianMicroseconds = 0;
std::string lastFailure;

void SmallCallRoundTrip(benchmark::State& state) {
  static Host host;
  std::vector<double> microseconds;
  microseconds.reserve(static_cast<std::size_t>(state.max_iterations));
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const auto answer = host.channel().Invoke(korrin::host::ObjectReference{7}, korrin::host::members::kCommandState,
                                              korrin::host::InvokeKind::PropertyGet, {}, kDeadline);
    const Clock::time_point end = Clock::now();
    const bool idle = answer && answer.value().holds<std::int32_t>() &&
                      answer.value().as<std::int32_t>() == korrin::host::kCommandStateIdle;
    if (!idle) {
      lastFailure = answer ? "the answer is not the command state" : answer.failure().description;
      state.SkipWithError(lastFailure.c_str());
      return;
    }
    microseconds.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::sort(microseconds.begin(), microseconds.end());
  lastMedianMicroseconds = microseconds[microseconds.size() / 2];
  state.counters["median_us"] = lastMedianMicroseconds;
  state.counters["slowest_us"] = microseconds.back();
}

BENCHMARK(SmallCallRoundTrip)->UseRealTime()->Iterations(50000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  try {
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& error) {
    std::printf("round trip of a small host call: could not be set up: %s\n", error.what());
    return 1;
  }
  benchmark::Shutdown();
  if (!lastFailure.empty()) {
    std::printf("round trip of a small host call: %s: NOT MET\n", lastFailure.c_str());
    return 1;
  }
  const bool met = lastMedianMicroseconds > 0 && lastMedianMicroseconds <= kTargetMicroseconds;
  std::printf("round trip of a small host call over the host socket: median %.1f us (target: at most %.0f us): %s\n",
              lastMedianMicroseconds, kTargetMicroseconds, met ? "met" : "NOT MET");
  return met ? 0 : 1;
}
