// The registry file's text form: "[key]" lines, each followed by its "name=s:text" and
// "name=n:number" lines.
#include <algorithm>
#include <string_view>

#include "ddlib/registry.h"

namespace ddlib {
namespace {

// Backslash, line feed, carriage return and '=' in names and texts are escaped (and a
// leading '[') so that any byte survives.
std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '=') out += "\\e";
    else if (c == '[' && out.empty()) out += "\\[";
    else out += c;
  }
  return out;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[++i];
      out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'e' ? '=' : n;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Decimal digits only, up to 4294967295.
std::optional<std::uint32_t> ParseNumber(std::string_view s) {
  if (s.empty() || s.size() > 10) return std::nullopt;
  std::uint64_t n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (n > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(n);
}

}  // namespace

// Read line by line in place, without a stream: a stream would take a memory failure
// for the end of its input, and so a part of the hive for the whole.
std::optional<RegistryKeys> ParseRegistryFile(const std::string& bytes) {
  RegistryKeys keys;
  std::map<std::string, RegistryValue>* current = nullptr;
  for (std::size_t from = 0; from < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', from), bytes.size());
    const std::string_view line(bytes.data() + from, end - from);
    from = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &keys[Unescape(line.substr(1, line.size() - 2))];
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos || line.size() < eq + 3 || line[eq + 2] != ':') return std::nullopt;
    std::string name = Unescape(line.substr(0, eq));
    const char type = line[eq + 1];
    const std::string_view body = line.substr(eq + 3);
    if (type == 's') {
      (*current)[name] = Unescape(body);
    } else if (type == 'n') {
      std::optional<std::uint32_t> n = ParseNumber(body);
      if (!n) return std::nullopt;
      (*current)[name] = *n;
    } else {
      return std::nullopt;
    }
  }
  return keys;
}

std::string FormatRegistryFile(const RegistryKeys& keys) {
  std::string out;
  for (const auto& [key, values] : keys) {
    out += '[' + Escape(key) + "]\n";
    for (const auto& [name, value] : values) {
      out += Escape(name) + '=';
      if (const auto* s = std::get_if<std::string>(&value))
        out += "s:" + Escape(*s) + '\n';
      else
        out += "n:" + std::to_string(std::get<std::uint32_t>(value)) + '\n';
    }
  }
  return out;
}

}  // namespace ddlib
