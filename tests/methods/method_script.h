// Building expected trace lines and scripted values for method runs.
#pragma once
#include <cstdio>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host_trace.h"

namespace testing_support {

using Lines_t = std::vector<std::string>;

inline std::string Get(const std::string& variable) { return "getIntegerValue(\"" + variable + "\")"; }
inline std::string PutI(const std::string& variable, int value) {
  return "putIntegerValue(\"" + variable + "\", " + std::to_string(value) + ")";
}
// The value as the context prints a single-precision float.
inline std::string PutF(const std::string& variable, float value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(value));
  return "putFloatValue(\"" + variable + "\", " + buf + ")";
}
inline std::string ReadC(const std::string& command) { return "readCommand(\"" + command + "\")"; }
inline std::string WriteC(const std::string& command) { return "writeCommand(\"" + command + "\")"; }
inline const std::string kCheck = "isAbortPending()";

// The lines of the calls named, in trace order.
inline Lines_t Only(const std::vector<dtmhost::TraceEntry>& trace, std::set<std::string> ops) {
  Lines_t out;
  const Lines_t all = Lines(trace);
  for (std::size_t i = 0; i < trace.size(); ++i)
    if (ops.count(trace[i].op)) out.push_back(all[i]);
  return out;
}

inline Lines_t Puts(const std::vector<dtmhost::TraceEntry>& trace) {
  return Only(trace, {"putIntegerValue", "putFloatValue", "assignIntegerValue"});
}

// The parts one after the other.
inline Lines_t Cat(std::initializer_list<Lines_t> parts) {
  Lines_t out;
  for (const Lines_t& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// The frame around a body's calls: what every run of a method shows first and last.
inline Lines_t Framed(const std::string& method, const Lines_t& body, bool stopped = false) {
  Lines_t out = {"createMethodContext()", "begin(\"" + method + "\", 0)"};
  out.insert(out.end(), body.begin(), body.end());
  if (stopped) out.push_back("setResult(-2)");
  out.push_back("getResult()");
  out.push_back("~CMethodContext()");
  return out;
}

// The text of a quoted trace argument, bytes as the plug-in passed them.
inline std::string Raw(const std::string& quoted) {
  std::string out;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    if (quoted[i] != '\\') {
      out += quoted[i];
      continue;
    }
    const char c = quoted[++i];
    if (c == 'n') out += '\n';
    else if (c == 't') out += '\t';
    else if (c == 'x') {
      out += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else out += c;
  }
  return out;
}

// The options of one language segment of a selection list, each without the blanks
// around it: one before each line feed, and the text after the last one unless blank.
inline std::vector<std::string> Options(const std::string& segment) {
  auto trimmed = [](const std::string& option) {
    const std::size_t first = option.find_first_not_of(' ');
    return first == std::string::npos ? "" : option.substr(first, option.find_last_not_of(' ') + 1 - first);
  };
  std::vector<std::string> options;
  std::size_t start = 0;
  for (std::size_t end; (end = segment.find('\n', start)) != std::string::npos; start = end + 1)
    options.push_back(trimmed(segment.substr(start, end - start)));
  if (segment.find_first_not_of(' ', start) != std::string::npos) options.push_back(trimmed(segment.substr(start)));
  return options;
}

// The number of options each language of a selection list offers; -1 when the
// languages disagree.
inline int OptionCount(const std::string& options) {
  int count = -1;
  for (const char* language : {"en", "de", "fr", "it"}) {
    const int n = static_cast<int>(Options(dtmhost::Segment(options, language)).size());
    if (count != -1 && n != count) return -1;
    count = n;
  }
  return count;
}

// Lines, with each selection list shown as its prompt and its number of options.
inline Lines_t Masked(const std::vector<dtmhost::TraceEntry>& trace) {
  Lines_t out = Lines(trace);
  for (std::size_t i = 0; i < trace.size(); ++i)
    if (trace[i].op == "selectFromList")
      out[i] = "selectFromList(" + trace[i].args[0] + ", " + trace[i].args[1] + ", " +
               std::to_string(OptionCount(Raw(trace[i].args[2]))) + " options)";
  return out;
}

// Integer values by variable name.
inline void SetValues(dtmhost::Host& host, const std::map<std::string, int>& values) {
  for (const auto& [name, value] : values) host.store().setValue(name, CDDCommonVariant(value));
}

}  // namespace testing_support
