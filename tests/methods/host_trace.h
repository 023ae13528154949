// Reading the reference host's method traces in tests.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "dtmhost/host.h"
#include "support/plugin_host.h"

namespace testing_support {

using testsupport::OpenPlugin;

// "op(arg, arg)" per call.
inline std::vector<std::string> Lines(const std::vector<dtmhost::TraceEntry>& trace) {
  std::vector<std::string> out;
  for (const auto& entry : trace) {
    std::string line = entry.op + "(";
    for (std::size_t i = 0; i < entry.args.size(); ++i) line += (i ? ", " : "") + entry.args[i];
    out.push_back(line + ")");
  }
  return out;
}

inline std::vector<std::string> Ops(const std::vector<dtmhost::TraceEntry>& trace) {
  std::vector<std::string> out;
  for (const auto& entry : trace) out.push_back(entry.op);
  return out;
}

inline std::string Unquoted(const std::string& arg) {
  return arg.size() >= 2 && arg.front() == '"' ? arg.substr(1, arg.size() - 2) : arg;
}

// The names an operation was called with, in order (commands for "readCommand", ...).
inline std::vector<std::string> Named(const std::vector<dtmhost::TraceEntry>& trace, const std::string& op) {
  std::vector<std::string> out;
  for (const auto& entry : trace)
    if (entry.op == op) out.push_back(Unquoted(entry.args.at(0)));
  return out;
}

inline int Count(const std::vector<dtmhost::TraceEntry>& trace, const std::string& op) {
  int n = 0;
  for (const auto& entry : trace) n += entry.op == op;
  return n;
}

}  // namespace testing_support
