#include "runtime/registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "runtime/gbk_text.h"
#include "runtime/strings.h"

namespace rt {
namespace {

HKEY root_key(RegistryRoot root) { return root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE; }

// The key's path and the value's name: split at the last backslash, which a double-byte
// character's trail byte never is.
struct Place {
  std::string key, value;
};
Place split(std::string_view path) {
  int last = -1;
  for (size_t i = 0; i < path.size();) {
    size_t n = char_size_at(path, i);
    if (n == 1 && path[i] == '\\') last = static_cast<int>(i);
    i += n;
  }
  if (last < 0) return {{}, std::string(path)};
  return {std::string(path.substr(0, static_cast<size_t>(last))),
          std::string(path.substr(static_cast<size_t>(last) + 1))};
}

// The value name as the API takes it: null for the default value.
const wchar_t* value_name(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

// Keys and values in UTF-16, as the registry holds them: a value naming the program's path
// keeps every character of it.
struct WidePlace {
  std::wstring key, value;
};
WidePlace wide(const Place& p) { return {wide_path(p.key), wide_path(p.value)}; }

}  // namespace

bool registry_write(RegistryRoot root, std::string_view path, std::string_view value) {
  WidePlace p = wide(split(path));
  HKEY key = nullptr;
  if (RegCreateKeyExW(root_key(root), p.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  std::wstring data = wide_path(value);
  LONG r = RegSetValueExW(key, value_name(p.value), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

bool registry_delete(RegistryRoot root, std::string_view path) {
  WidePlace p = wide(split(path));
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_key(root), p.key.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | DELETE,
                    &key) != ERROR_SUCCESS)
    return false;
  bool done = RegDeleteValueW(key, value_name(p.value)) == ERROR_SUCCESS;
  if (!done && !p.value.empty()) {
    // Only a key without subkeys goes, as RegDeleteKey does on every system.
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, p.value.c_str(), 0, KEY_READ, &sub) == ERROR_SUCCESS) {
      DWORD subkeys = 0;
      bool leaf = RegQueryInfoKeyW(sub, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                  subkeys == 0;
      RegCloseKey(sub);
      done = leaf && RegDeleteKeyW(key, p.value.c_str()) == ERROR_SUCCESS;
    }
  }
  RegCloseKey(key);
  return done;
}

std::optional<std::string> registry_read(RegistryRoot root, std::string_view path) {
  WidePlace p = wide(split(path));
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_key(root), p.key.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::string> out;
  if (RegQueryValueExW(key, value_name(p.value), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, value_name(p.value), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS) {
      std::wstring s(data.data(), std::min<size_t>(size / sizeof(wchar_t), data.size()));
      while (!s.empty() && s.back() == L'\0') s.pop_back();
      out = path_from_wide(s);
    }
  }
  RegCloseKey(key);
  return out;
}

}  // namespace rt
