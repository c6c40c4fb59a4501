#include "platform/windows/RegistryKeys.h"

#include <string_view>

#include "platform/windows/SystemFailure.h"
#include "platform/windows/WideText.h"

namespace korrin {

RegistryKeyHandle& RegistryKeyHandle::operator=(RegistryKeyHandle&& other) noexcept {
  if (this != &other) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

RegistryKeyHandle::~RegistryKeyHandle() {
  if (key_ != nullptr) RegCloseKey(key_);
}

namespace registry_keys {
namespace {

// The registry's limits: key names and classes of 255 characters, value
// names of 16383; the buffers hold one more for the terminator.
constexpr DWORD kKeyNameBuffer = 256;
constexpr DWORD kValueNameBuffer = 16384;
// A value that grows between asking its size and reading it is asked again,
// a few times, never for ever.
constexpr int kReadAttempts = 4;

bool IsTextKind(DWORD kind) { return kind == REG_SZ || kind == REG_EXPAND_SZ || kind == REG_MULTI_SZ; }

}  // namespace

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

Status CheckKeyPath(const std::string& path) {
  std::string_view rest = path;
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  while (!path.empty()) {
    const std::size_t separator = rest.find('\\');
    const std::string_view level = rest.substr(0, separator);
    if (level.empty() || WideFromText(level).size() >= kKeyNameBuffer) {
      return SystemFailure(ERROR_BAD_PATHNAME);
    }
    if (separator == std::string_view::npos) break;
    rest.remove_prefix(separator + 1);
  }
  return {};
}

Result<RegistryKeyHandle> Open(RegistryRoot root, const std::string& path, REGSAM access) {
  if (Status checked = CheckKeyPath(path); !checked) return checked.failure();
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExW(RootKey(root), WideFromText(path).c_str(), 0, access, &key);
  if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
  return RegistryKeyHandle(key);
}

Result<bool> Create(RegistryRoot root, const std::string& path, const std::string& className) {
  if (Status checked = CheckKeyPath(path); !checked) return checked.failure();
  std::wstring wideClass = WideFromText(className);
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG status = RegCreateKeyExW(RootKey(root), WideFromText(path).c_str(), 0, wideClass.data(),
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
  RegistryKeyHandle created(key);
  const LONG flushed = RegFlushKey(created.get());
  if (flushed != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(flushed));
  return disposition == REG_CREATED_NEW_KEY;
}

Status DeleteTree(RegistryRoot root, const std::string& path) {
  if (Status checked = CheckKeyPath(path); !checked) return checked;
  // The root itself is not the program's to remove.
  if (path.empty()) return SystemFailure(ERROR_ACCESS_DENIED);
  auto parent = Open(root, "", KEY_ALL_ACCESS);
  if (!parent) return parent.failure();
  const LONG status = RegDeleteTreeW(parent.value().get(), WideFromText(path).c_str());
  if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
  // RegDeleteTreeW empties the key; the key itself goes with RegDeleteKeyW.
  const LONG removed = RegDeleteKeyW(parent.value().get(), WideFromText(path).c_str());
  if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND) return SystemFailure(static_cast<DWORD>(removed));
  return {};
}

Result<std::optional<RegistryData>> Read(HKEY key, const std::string& name) {
  const std::wstring wideName = WideFromText(name);
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    DWORD kind = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, wideName.c_str(), nullptr, &kind, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryData>();
    if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
    std::string bytes(size, '\0');
    status = RegQueryValueExW(key, wideName.c_str(), nullptr, &kind, reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryData>();
    if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
    bytes.resize(size);
    RegistryData data{kind, {}, {}};
    if (IsTextKind(kind)) {
      // An odd last byte is no character; it is dropped.
      data.characters.assign(bytes.size() / sizeof(wchar_t), L'\0');
      bytes.copy(reinterpret_cast<char*>(data.characters.data()), data.characters.size() * sizeof(wchar_t));
    } else {
      data.bytes = std::move(bytes);
    }
    return std::optional<RegistryData>(std::move(data));
  }
  return SystemFailure(ERROR_MORE_DATA);
}

Status Write(HKEY key, const std::string& name, const RegistryData& data) {
  const bool text = IsTextKind(data.kind);
  const BYTE* bytes = text ? reinterpret_cast<const BYTE*>(data.characters.data())
                           : reinterpret_cast<const BYTE*>(data.bytes.data());
  const std::size_t size = text ? data.characters.size() * sizeof(wchar_t) : data.bytes.size();
  const LONG status =
      RegSetValueExW(key, WideFromText(name).c_str(), 0, data.kind, bytes, static_cast<DWORD>(size));
  if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
  return {};
}

Result<std::vector<SubKeyRecord>> SubKeys(HKEY key) {
  std::vector<SubKeyRecord> records;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kKeyNameBuffer] = {};
    wchar_t className[kKeyNameBuffer] = {};
    DWORD nameLength = kKeyNameBuffer;
    DWORD classLength = kKeyNameBuffer;
    const LONG status =
        RegEnumKeyExW(key, index, name, &nameLength, nullptr, className, &classLength, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return records;
    if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
    records.push_back({TextBeforeNul(TextFromWide({name, nameLength})),
                       TextBeforeNul(TextFromWide({className, classLength}))});
  }
}

Result<std::vector<std::string>> ValueNames(HKEY key) {
  std::vector<std::string> names;
  std::wstring name(kValueNameBuffer, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = kValueNameBuffer;
    const LONG status = RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return names;
    if (status != ERROR_SUCCESS) return SystemFailure(static_cast<DWORD>(status));
    names.push_back(TextFromWide({name.data(), length}));
  }
}

}  // namespace registry_keys
}  // namespace korrin
