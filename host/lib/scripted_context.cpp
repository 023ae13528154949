// The scripted method context: records every call, answers from the script, and
// puts values into the host's store at once.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include "dtmhost/host.h"

namespace dtmhost {

namespace {

std::atomic<int> g_liveContexts{0};

std::string Number(long value) { return std::to_string(value); }

std::string Float(float value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(value));
  return buf;
}

std::string Quoted(const CStrPP& text) { return ddlib::quote(text.str()); }

template <typename T>
T Next(std::deque<T>& answers, T otherwise) {
  if (answers.empty()) return otherwise;
  T answer = answers.front();
  answers.pop_front();
  return answer;
}

// The options of a selection list: separated by " \n  ", an empty last option ignored.
std::vector<std::string> Options(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    std::string option = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    option.erase(0, option.find_first_not_of(' '));
    option.erase(option.find_last_not_of(' ') + 1);
    out.push_back(option);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  if (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

}  // namespace

ScriptedContext::ScriptedContext(Host& host, Script& script, std::vector<TraceEntry>& trace, int depth)
    : m_host(host), m_script(script), m_trace(trace), m_depth(depth) {
  ++g_liveContexts;
}

ScriptedContext::~ScriptedContext() {
  m_trace.push_back({"~CMethodContext", {}});
  --g_liveContexts;
}

int ScriptedContext::live() { return g_liveContexts.load(); }

void ScriptedContext::record(std::string op, std::vector<std::string> args) {
  m_trace.push_back({std::move(op), std::move(args)});
  if (!m_script.throwAt || static_cast<int>(m_trace.size()) != *m_script.throwAt) return;
  switch (m_script.throwKind) {
    case Script::Throw::Integer: throw m_script.throwValue;
    case Script::Throw::StandardException: throw std::runtime_error("host fault " + std::to_string(m_script.throwValue));
    case Script::Throw::Other: throw HostFault{m_script.throwValue};
  }
}

bool ScriptedContext::put(const CStrPP& variable, const CDDCommonVariant& value) {
  const std::string& name = variable.str();
  const auto& refused = m_script.refusePuts;
  if (std::find(refused.begin(), refused.end(), name) != refused.end()) return false;
  store(name, value);
  return true;
}

void ScriptedContext::store(const std::string& name, const CDDCommonVariant& value) {
  CDDCommonVariant stored = m_host.store().coerce(name, value);
  if (stored.isEmpty()) stored = value;  // a kind the type cannot take: kept as given
  m_host.store().setValue(name, stored);
  m_host.notePut(name, stored);
}

void ScriptedContext::userAborts() {
  int next = m_script.abortChecks + 1;
  if (!m_script.abortFrom || *m_script.abortFrom > next) m_script.abortFrom = next;
}

void ScriptedContext::show(const CStrPP& text) {
  if (m_script.dialogue) m_script.dialogue->show(Segment(text.str(), "en"));
}

void ScriptedContext::begin(CHostContext* /*context*/, CHostServices* /*host*/, CDDDefinition* method,
                            std::int32_t executeArgument) {
  record("begin", {ddlib::quote(method ? method->getName() : ""), Number(executeArgument)});
}

void ScriptedContext::setLocalVariables(CVBCollection* locals) {
  m_locals.reset(locals);
  std::vector<std::string> args;
  if (locals)
    for (const auto& [name, value] : locals->entries()) args.push_back(name + "=" + ddlib::describe(value));
  record("setLocalVariables", std::move(args));
}

int ScriptedContext::getResult() {
  record("getResult", {});
  return m_result.value_or(m_script.normalResult);
}

void ScriptedContext::setResult(int result) {
  record("setResult", {Number(result)});
  m_result = result;
}

bool ScriptedContext::isAbortPending() {
  record("isAbortPending", {});
  int call = ++m_script.abortChecks;
  return m_script.abortFrom && call >= *m_script.abortFrom;
}

void ScriptedContext::abortWithMessage(const CStrPP& text) {
  record("abortWithMessage", {Quoted(text)});
  show(text);
}

void ScriptedContext::abortMethod(int code) { record("abortMethod", {Number(code)}); }

int ScriptedContext::acknowledge(const CStrPP& text, int flags) {
  record("acknowledge", {Quoted(text), Number(flags)});
  if (m_script.dialogue) {
    show(text);
    if (!m_script.dialogue->confirm()) userAborts();
    return 0;
  }
  return Next(m_script.acknowledgeAnswers, 0);
}

bool ScriptedContext::callMethod(const CStrPP& method) {
  record("callMethod", {Quoted(method)});
  const CDDDefinition* definition = m_host.Find(method.str());
  if (!definition || definition->getKind() != ObjectKindMethod || m_depth >= kMaxCallDepth) return false;
  return m_host.RunNested(method.str(), m_script, m_trace, m_depth + 1) != MethodResultAborted;
}

void ScriptedContext::delay(int seconds, const CStrPP& text, int flags) {
  record("delay", {Number(seconds), Quoted(text), Number(flags)});
  if (m_script.dialogue) {
    show(text);
    std::this_thread::sleep_for(std::chrono::seconds(std::clamp(seconds, 0, 60)));
  }
}

bool ScriptedContext::putFloatValue(const CStrPP& variable, float value) {
  record("putFloatValue", {Quoted(variable), Float(value)});
  return put(variable, CDDCommonVariant(static_cast<double>(value)));
}

int ScriptedContext::askVariableValue(const CStrPP& prompt, int flags, const CStrPP& variable) {
  record("askVariableValue", {Quoted(prompt), Number(flags), Quoted(variable)});
  if (m_script.dialogue) {
    show(prompt);
    Dialogue::Entry entered = m_script.dialogue->value(variable.str());
    if (entered.is == Dialogue::Entry::Is::Value) put(variable, entered.value);
    if (entered.is == Dialogue::Entry::Is::Ended) userAborts();
    return 0;
  }
  auto edit = m_script.edits.find(variable.str());
  if (edit != m_script.edits.end()) put(variable, edit->second);
  return Next(m_script.askAnswers, 0);
}

bool ScriptedContext::putIntegerValue(const CStrPP& variable, int value) {
  record("putIntegerValue", {Quoted(variable), Number(value)});
  return put(variable, CDDCommonVariant(value));
}

long ScriptedContext::getIntegerValue(const CStrPP& variable) {
  record("getIntegerValue", {Quoted(variable)});
  std::optional<CDDCommonVariant> value = m_host.store().value(variable.str());
  return value ? value->getInt() : 0;
}

bool ScriptedContext::assignIntegerValue(const CStrPP& variable, int value) {
  record("assignIntegerValue", {Quoted(variable), Number(value)});
  return put(variable, CDDCommonVariant(value));
}

void ScriptedContext::abort() { record("abort", {}); }

void ScriptedContext::saveValues() { record("saveValues", {}); }

long ScriptedContext::selectFromList(const CStrPP& prompt, int flags, const CStrPP& options) {
  record("selectFromList", {Quoted(prompt), Number(flags), Quoted(options)});
  if (m_script.dialogue) {
    show(prompt);
    if (std::optional<long> chosen = m_script.dialogue->choice(Options(Segment(options.str(), "en")))) return *chosen;
    userAborts();
    return -1;  // no position: with the abort suppressed, the run still stops
  }
  return Next(m_script.selections, 0L);
}

void ScriptedContext::readCommand(const CStrPP& command) {
  record("readCommand", {Quoted(command)});
  auto device = m_script.device.find(command.str());
  if (device == m_script.device.end()) return;
  for (const auto& [variable, value] : device->second) store(variable, value);
}

void ScriptedContext::writeCommand(const CStrPP& command) { record("writeCommand", {Quoted(command)}); }

}  // namespace dtmhost
