#include "ddlib/registry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ddlib {

Registry::~Registry() = default;

namespace {

// One key per block: "[path]" then "name=s:text" or "name=n:number" lines. Backslash,
// line feed and '=' in names and texts are escaped so that any byte survives.
std::string escape(const std::string& s) {
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

std::string unescape(const std::string& s) {
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

std::string normalise(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

class FileRegistry : public Registry {
 public:
  explicit FileRegistry(std::string path) : m_path(std::move(path)) {}

  bool createKey(const std::string& path) override {
    Hive hive;
    if (!load(hive)) return false;
    std::string p = normalise(path);
    if (p.empty()) return false;
    for (std::size_t pos = 0; pos != std::string::npos;) {
      pos = p.find('\\', pos + 1);
      hive[p.substr(0, pos)];
    }
    return save(hive);
  }

  bool keyExists(const std::string& path) const override {
    Hive hive;
    return load(hive) && hive.count(normalise(path)) != 0;
  }

  bool setString(const std::string& key, const std::string& name, const std::string& value) override {
    return setValue(key, name, value);
  }

  bool setNumber(const std::string& key, const std::string& name, std::uint32_t value) override {
    return setValue(key, name, value);
  }

  std::optional<RegistryValue> getValue(const std::string& key, const std::string& name) const override {
    Hive hive;
    if (!load(hive)) return std::nullopt;
    auto k = hive.find(normalise(key));
    if (k == hive.end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
  }

  bool deleteKey(const std::string& path) override {
    Hive hive;
    if (!load(hive)) return false;
    std::string p = normalise(path);
    if (p.empty() || hive.count(p) == 0) return false;
    for (auto it = hive.begin(); it != hive.end();) {
      if (it->first == p || it->first.rfind(p + "\\", 0) == 0)
        it = hive.erase(it);
      else
        ++it;
    }
    return save(hive);
  }

  std::map<std::string, std::map<std::string, RegistryValue>> snapshot() const override {
    Hive hive;
    load(hive);
    return hive;
  }

 private:
  using Hive = std::map<std::string, std::map<std::string, RegistryValue>>;

  bool setValue(const std::string& key, const std::string& name, RegistryValue value) {
    Hive hive;
    if (!load(hive)) return false;
    auto k = hive.find(normalise(key));
    if (k == hive.end()) return false;  // values go into existing keys only
    k->second[name] = std::move(value);
    return save(hive);
  }

  // A missing file is an empty hive; an unreadable or malformed one is a failure.
  bool load(Hive& hive) const {
    std::ifstream in(m_path, std::ios::binary);
    if (!in) return !fileExists();
    std::string line;
    std::map<std::string, RegistryValue>* current = nullptr;
    while (std::getline(in, line)) {
      if (line.empty()) continue;
      if (line.front() == '[' && line.back() == ']') {
        current = &hive[unescape(line.substr(1, line.size() - 2))];
        continue;
      }
      auto eq = line.find('=');
      if (!current || eq == std::string::npos || line.size() < eq + 3 || line[eq + 2] != ':') return false;
      std::string name = unescape(line.substr(0, eq));
      char type = line[eq + 1];
      std::string body = line.substr(eq + 3);
      if (type == 's') {
        (*current)[name] = unescape(body);
      } else if (type == 'n') {
        char* end = nullptr;
        unsigned long n = std::strtoul(body.c_str(), &end, 10);
        if (end == body.c_str() || *end != '\0') return false;
        (*current)[name] = static_cast<std::uint32_t>(n);
      } else {
        return false;
      }
    }
    return true;
  }

  bool fileExists() const {
    std::error_code ec;
    return std::filesystem::exists(m_path, ec) || ec;
  }

  bool save(const Hive& hive) {
    std::ostringstream out;
    for (const auto& [key, values] : hive) {
      out << '[' << escape(key) << "]\n";
      for (const auto& [name, value] : values) {
        out << escape(name) << '=';
        if (const auto* s = std::get_if<std::string>(&value))
          out << "s:" << escape(*s) << '\n';
        else
          out << "n:" << std::get<std::uint32_t>(value) << '\n';
      }
    }
    std::string tmp = m_path + ".tmp";
    {
      std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
      if (!f) return false;
      f << out.str();
      if (!f.flush()) return false;
    }
    return std::rename(tmp.c_str(), m_path.c_str()) == 0;
  }

  std::string m_path;
};

Registry* g_override = nullptr;

}  // namespace

std::unique_ptr<Registry> OpenFileRegistry(const std::string& path) {
  return std::make_unique<FileRegistry>(path);
}

Registry* LocalMachineRegistry() {
  if (g_override) return g_override;
  static std::unique_ptr<Registry> fallback = [] {
    const char* env = std::getenv("DTM_REGISTRY");
    return OpenFileRegistry(env && *env ? env : "dtm-registry.txt");
  }();
  return fallback.get();
}

void SetLocalMachineRegistry(Registry* registry) { g_override = registry; }

}  // namespace ddlib
