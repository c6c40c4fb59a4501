#include "engine/RunProgress.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "settings/PathConversion.h"

namespace korrin {
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerMinute = 60;

}  // namespace

std::int64_t FileSizeOf(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(PathFromText(path), error);
  return error ? 0 : static_cast<std::int64_t>(size);
}

std::int64_t TotalFileSize(const ConversionList& list) {
  std::int64_t total = 0;
  for (std::size_t row = 0; row < list.Count(); ++row) total += FileSizeOf(std::string(list.At(row)));
  return total;
}

std::optional<std::int64_t> ElapsedSeconds(WallClock::time_point start, WallClock::time_point now) {
  if (now < start) return std::nullopt;
  return std::chrono::duration_cast<std::chrono::seconds>(now - start).count();
}

std::string ElapsedTime(WallClock::time_point start, WallClock::time_point now) {
  const auto seconds = ElapsedSeconds(start, now);
  if (!seconds) return "ERROR";
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(*seconds / kSecondsPerHour),
                static_cast<long long>(*seconds % kSecondsPerHour / kSecondsPerMinute),
                static_cast<long long>(*seconds % kSecondsPerMinute));
  return text;
}

std::string ClockText(std::int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / kSecondsPerHour),
                static_cast<long long>(seconds % kSecondsPerHour / kSecondsPerMinute),
                static_cast<long long>(seconds % kSecondsPerMinute));
  return text;
}

std::optional<ProgressDisplay> ProgressAfterEntry(std::int64_t elapsedSeconds, std::int64_t doneBytes,
                                                  std::int64_t totalBytes, char decimalSeparator) {
  if (doneBytes <= 0 || totalBytes <= 0) return std::nullopt;
  const double percent = static_cast<double>(doneBytes) / static_cast<double>(totalBytes) * 100.0;
  // Tenths rounded half to even, as the system's rounding does.
  const long long tenths = std::llrint(percent * 10.0);
  std::string percentText = std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10) + " %";
  const double secondsPerByte = static_cast<double>(elapsedSeconds) / static_cast<double>(doneBytes);
  const double remaining = secondsPerByte * static_cast<double>(totalBytes - doneBytes);
  return ProgressDisplay{static_cast<int>(percent), std::move(percentText),
                         ClockText(static_cast<std::int64_t>(std::floor(std::max(0.0, remaining))))};
}

}  // namespace korrin
