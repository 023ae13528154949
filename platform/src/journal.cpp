#include "ddlib/journal.h"

#include <cstdio>

namespace ddlib {
namespace {
bool g_enabled = false;
std::vector<std::string>& store() {
  static std::vector<std::string> lines;
  return lines;
}
}  // namespace

void Journal::enable(bool on) { g_enabled = on; }
bool Journal::enabled() { return g_enabled; }
void Journal::clear() { store().clear(); }
const std::vector<std::string>& Journal::lines() { return store(); }
void Journal::note(std::string line) {
  if (g_enabled) store().push_back(std::move(line));
}

std::string quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c >= 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace ddlib
