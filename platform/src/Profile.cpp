// Settings files (.ini) with the Windows profile functions' rules. The file is read whole on
// every call and, for a change, written whole to a temporary file renamed over it.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "NativePath.h"
#include "win32standin/Environment.h"

namespace fs = std::filesystem;
using win32standin::detail::nativePath;

namespace {

// One reader or writer at a time in this process, as Windows serialises profile access: two
// threads writing different keys must not lose one another's change.
std::mutex gProfileMutex;
std::atomic<bool> gCrashBeforeRename{false};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\f\v";

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// "[name]" (blanks around and inside the brackets ignored); a missing ']' ends at the line's end.
std::optional<std::string_view> sectionHeader(std::string_view line) {
  line = trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  return trim(line.substr(0, line.find(']')));
}

struct KeyLine {
  std::string_view key;
  std::string_view rawValue;  // after '=', untrimmed
};

// "key=value"; comment lines (';') and lines without '=' are no keys and are only carried along.
std::optional<KeyLine> keyLine(std::string_view line) {
  const std::string_view trimmed = trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, equals)), line.substr(equals + 1)};
}

// Trimmed, and one pair of matching enclosing quotes removed.
std::string_view cookedValue(std::string_view raw) {
  std::string_view value = trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

struct IniFile {
  std::string bom;  // a UTF-8 byte-order mark is kept on rewrite and never read as text
  std::vector<std::string> lines;
};

enum class LoadResult { Missing, Loaded, Failed };

LoadResult load(const fs::path& path, IniFile& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return LoadResult::Missing;
  if (ec || !fs::is_regular_file(status)) return LoadResult::Failed;

  std::ifstream in(path, std::ios::binary);
  if (!in) return LoadResult::Failed;
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return LoadResult::Failed;

  if (std::string_view(text).starts_with(kUtf8Bom)) {
    file.bom = kUtf8Bom;
    text.erase(0, kUtf8Bom.size());
  }
  // LF or CRLF; the final line may lack its line end.
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    file.lines.push_back(std::move(line));
    start = end + 1;
  }
  return LoadResult::Loaded;
}

// The lines of a section: its header's index and one past its last line. Only the first section
// of a name counts, as on Windows.
struct SectionRange {
  std::size_t header;
  std::size_t end;
};

std::optional<SectionRange> findSection(const IniFile& file, std::string_view name) {
  const std::string_view wanted = trim(name);
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    const auto header = sectionHeader(file.lines[i]);
    if (!header || !equalsIgnoreCase(*header, wanted)) continue;
    std::size_t end = i + 1;
    while (end < file.lines.size() && !sectionHeader(file.lines[end])) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const IniFile& file, const SectionRange& section, std::string_view name) {
  const std::string_view wanted = trim(name);
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    const auto line = keyLine(file.lines[i]);
    if (line && equalsIgnoreCase(line->key, wanted)) return i;
  }
  return std::nullopt;
}

// Reads the file, or gives an empty one when it is missing or unreadable (then every lookup falls
// back to its default).
IniFile loadForReading(LPCSTR fileName) {
  IniFile file;
  if (fileName != nullptr && fileName[0] != '\0' && load(nativePath(fileName), file) != LoadResult::Loaded) {
    file = IniFile{};
  }
  return file;
}

std::optional<std::string> lookUp(const IniFile& file, LPCSTR section, LPCSTR key) {
  const auto range = findSection(file, section);
  if (!range) return std::nullopt;
  const auto index = findKey(file, *range, key);
  if (!index) return std::nullopt;
  return std::string(cookedValue(keyLine(file.lines[*index])->rawValue));
}

// A string, cut to size - 1 characters and terminated.
DWORD copyString(std::string_view text, LPSTR out, DWORD size) {
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// Names, each terminated, then one more terminator. When they do not fit, the list is cut and
// ends in two terminators, and the count is size - 2, as Windows reports it.
DWORD copyList(const std::vector<std::string>& names, LPSTR out, DWORD size) {
  std::string list;
  for (const std::string& name : names) {
    list += name;
    list += '\0';
  }
  if (list.size() + 1 <= size) {
    std::memcpy(out, list.data(), list.size());
    out[list.size()] = '\0';
    if (list.empty() && size >= 2) out[1] = '\0';
    return static_cast<DWORD>(list.size());
  }
  if (size < 2) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, list.data(), size - 2);
  out[size - 2] = '\0';
  out[size - 1] = '\0';
  return size - 2;
}

void addUnique(std::vector<std::string>& names, std::string_view name) {
  const bool known = std::any_of(names.begin(), names.end(),
                                 [&](const std::string& existing) { return equalsIgnoreCase(existing, name); });
  if (!known) names.emplace_back(name);
}

// Applies a change to the lines. False when there is nothing to change.
bool applyWrite(IniFile& file, LPCSTR section, LPCSTR key, LPCSTR value) {
  if (key == nullptr) {  // delete the section, every copy of it
    bool removed = false;
    while (const auto range = findSection(file, section)) {
      file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(range->header),
                       file.lines.begin() + static_cast<std::ptrdiff_t>(range->end));
      removed = true;
    }
    return removed;
  }

  const auto range = findSection(file, section);
  if (value == nullptr) {  // delete the key, every line of it in the section
    if (!range) return false;
    bool removed = false;
    for (std::size_t i = range->end; i-- > range->header + 1;) {
      const auto line = keyLine(file.lines[i]);
      if (line && equalsIgnoreCase(line->key, trim(key))) {
        file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(i));
        removed = true;
      }
    }
    return removed;
  }

  if (!range) {
    file.lines.push_back("[" + std::string(section) + "]");
    file.lines.push_back(std::string(key) + "=" + value);
    return true;
  }
  if (const auto index = findKey(file, *range, key)) {
    // Rewritten in place; the key keeps the spelling it has in the file.
    std::string line = std::string(keyLine(file.lines[*index])->key) + "=" + value;
    if (line == file.lines[*index]) return false;
    file.lines[*index] = std::move(line);
    return true;
  }
  // After the section's last key line, so that comments and blank lines before the next
  // section stay where they are.
  std::size_t insertAt = range->header + 1;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    if (keyLine(file.lines[i])) insertAt = i + 1;
  }
  file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::string(key) + "=" + value);
  return true;
}

std::string temporaryNameSuffix() {
  static std::atomic<std::uint64_t> counter{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(counter.fetch_add(0x9E3779B97F4A7C15ull)));
  return suffix;
}

// Writes the whole file next to the original and renames it over it: readers see the old file
// or the new one, never a mixture, whatever happens in between.
bool saveAtomically(const fs::path& path, const IniFile& file) {
  std::string text = file.bom;
  for (const std::string& line : file.lines) {
    text += line;
    text += "\r\n";
  }

  fs::path temporary;
  std::FILE* out = nullptr;
  for (int attempt = 0; attempt < 8 && out == nullptr; ++attempt) {
    temporary = path;
    temporary += temporaryNameSuffix();
    out = std::fopen(temporary.c_str(), "wbx");  // never clobbers another writer's temporary file
    if (out == nullptr && !fs::exists(temporary)) return false;  // e.g. the folder is missing
  }
  if (out == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = std::fclose(out) == 0;
  std::error_code ec;
  if (!written || !closed) {
    fs::remove(temporary, ec);
    return false;
  }
  // The new file takes the old one's permissions.
  if (const fs::file_status status = fs::status(path, ec); !ec && fs::exists(status)) {
    fs::permissions(temporary, status.permissions(), ec);
  }
  if (gCrashBeforeRename.load()) return false;  // as if the process died here: the temporary file stays
  fs::rename(temporary, path, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace

namespace win32standin {

void setProfileWriteCrashBeforeRename(bool crash) { gCrashBeforeRename.store(crash); }

}  // namespace win32standin

DWORD WINAPI GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returnedString,
                                      DWORD size, LPCSTR fileName) {
  if (returnedString == nullptr || size == 0) return 0;
  const std::lock_guard lock(gProfileMutex);
  const IniFile file = loadForReading(fileName);

  if (appName == nullptr) {  // every section name
    std::vector<std::string> names;
    for (const std::string& line : file.lines) {
      if (const auto header = sectionHeader(line)) addUnique(names, *header);
    }
    return copyList(names, returnedString, size);
  }
  if (keyName == nullptr) {  // every key name of the section
    std::vector<std::string> names;
    if (const auto range = findSection(file, appName)) {
      for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (const auto line = keyLine(file.lines[i])) addUnique(names, line->key);
      }
    }
    return copyList(names, returnedString, size);
  }
  if (const auto value = lookUp(file, appName, keyName)) return copyString(*value, returnedString, size);
  // Windows drops the default's trailing blanks.
  std::string_view fallback = defaultValue != nullptr ? defaultValue : "";
  fallback = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
  return copyString(fallback, returnedString, size);
}

UINT WINAPI GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName) {
  const auto fallback = static_cast<UINT>(defaultValue);
  if (appName == nullptr || keyName == nullptr) return fallback;
  std::optional<std::string> value;
  {
    const std::lock_guard lock(gProfileMutex);
    value = lookUp(loadForReading(fileName), appName, keyName);
  }
  if (!value || value->empty()) return fallback;  // "key=" counts as absent

  // An optional sign, then decimal digits up to the first other character; none gives 0. The
  // digits accumulate modulo 2^32, and a negative value comes back in its unsigned form.
  std::size_t i = 0;
  bool negative = false;
  if ((*value)[0] == '-' || (*value)[0] == '+') {
    negative = (*value)[0] == '-';
    ++i;
  }
  std::uint32_t result = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    result = result * 10u + static_cast<std::uint32_t>((*value)[i] - '0');
  }
  return negative ? 0u - result : result;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName) {
  if (fileName == nullptr || fileName[0] == '\0') return FALSE;
  if (appName == nullptr) return keyName == nullptr && value == nullptr ? TRUE : FALSE;  // a flush: nothing is cached
  const fs::path path = nativePath(fileName);

  const std::lock_guard lock(gProfileMutex);
  IniFile file;
  const LoadResult loaded = load(path, file);
  if (loaded == LoadResult::Failed) return FALSE;  // never replace a file that could not be read
  if (!applyWrite(file, appName, keyName, value)) {
    // Nothing to change. A deletion in a missing file still succeeds without creating it.
    return TRUE;
  }
  return saveAtomically(path, file) ? TRUE : FALSE;
}
