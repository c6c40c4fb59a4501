#include "platform/windows/SpoolerPrinters.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string_view>

#include "platform/windows/WideText.h"

namespace korrin {
namespace {

// The printer list may grow between asking its size and reading it; it is
// asked again a few times, never for ever.
constexpr int kListAttempts = 4;

}  // namespace

std::vector<std::string> SpoolerPrinters::InstalledPrinters() const {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  for (int attempt = 0; attempt < kListAttempts; ++attempt) {
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersW(kFlags, nullptr, 4, nullptr, 0, &needed, &returned);
    if (needed == 0) return {};
    // PRINTER_INFO_4W holds pointers: the buffer must be aligned for them.
    std::vector<PRINTER_INFO_4W> buffer(needed / sizeof(PRINTER_INFO_4W) + 1);
    if (!EnumPrintersW(kFlags, nullptr, 4, reinterpret_cast<BYTE*>(buffer.data()),
                       static_cast<DWORD>(buffer.size() * sizeof(PRINTER_INFO_4W)), &needed, &returned)) {
      if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) continue;
      return {};
    }
    std::vector<std::string> names;
    for (DWORD i = 0; i < returned; ++i) {
      if (buffer[i].pPrinterName != nullptr) names.push_back(TextFromWide(buffer[i].pPrinterName));
    }
    return names;
  }
  return {};
}

std::string SpoolerPrinters::DefaultPrinter() const {
  for (int attempt = 0; attempt < kListAttempts; ++attempt) {
    DWORD size = 0;
    // No default printer: the call fails with ERROR_FILE_NOT_FOUND.
    if (GetDefaultPrinterW(nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return {};
    std::wstring name(size, L'\0');
    if (GetDefaultPrinterW(name.data(), &size)) return TextFromWide(name.c_str());
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
  }
  return {};
}

std::vector<std::string> SpoolerPrinters::SupportedMedia(const std::string& printer) const {
  const std::wstring name = WideFromText(printer);
  const int count = DeviceCapabilitiesW(name.c_str(), nullptr, DC_PAPERNAMES, nullptr, nullptr);
  if (count <= 0) return {};
  std::wstring records(static_cast<std::size_t>(count) * kPaperNameLength, L'\0');
  const int filled = DeviceCapabilitiesW(name.c_str(), nullptr, DC_PAPERNAMES, records.data(), nullptr);
  if (filled <= 0) return {};
  return PaperNamesFromRecords(records.data(), std::min(static_cast<std::size_t>(filled), static_cast<std::size_t>(count)));
}

std::vector<std::string> PaperNamesFromRecords(const wchar_t* records, std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) {
    const std::wstring_view record(records + i * kPaperNameLength, kPaperNameLength);
    names.push_back(TextFromWide(record.substr(0, record.find(L'\0'))));
  }
  return names;
}

}  // namespace korrin
