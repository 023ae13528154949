// dtmhost: loads the device plug-in like a host and shows what it answers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <map>
#include <new>
#include <set>
#include <stdexcept>

#include "check.h"
#include "describe.h"
#include "dtmhost/host.h"
#include "input.h"
#include "json.h"

namespace {

using dtmtool::Json;
using dtmtool::Printable;

constexpr const char* kUsage =
    "usage: dtmhost [--plugin PATH] [--registry FILE] COMMAND\n"
    "  info                                  the information object's answers\n"
    "  catalogue                             every registered object\n"
    "  show OBJECT... [--set NAME=VALUE]... [--unset NAME]... [--reads]\n"
    "  valid OBJECT... [--set NAME=VALUE]... [--unset NAME]...\n"
    "  run METHOD [--set NAME=VALUE]... [--unset NAME]... [--select N]... [--edit NAME=VALUE]...\n"
    "             [--abort-from K] [--suppress-abort] [--interactive]\n"
    "  menu OBJECT|--role N [--set NAME=VALUE]... [--unset NAME]... [--lang en|de|fr|it|es]\n"
    "  describe [--lang en|de|fr|it|es]\n"
    "  register | unregister | registry\n"
    "  check                                 conformance sweep over every object and method\n"
    "OBJECT is an object number or name; VALUE an integer, a decimal number or a quoted text.\n";

// Wrong use of the tool: exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// A request that cannot be answered: exit status 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// ------------------------------------------------------------------ arguments

struct Arguments {
  std::vector<std::string> positional;
  std::multimap<std::string, std::string> options;  // flags map to ""
  bool has(const std::string& name) const { return options.count(name) != 0; }
  std::vector<std::string> all(const std::string& name) const {
    std::vector<std::string> out;
    auto [from, to] = options.equal_range(name);
    for (auto it = from; it != to; ++it) out.push_back(it->second);
    return out;
  }
};

// Options of one command: name -> takes a value.
using OptionSpec = std::map<std::string, bool>;

Arguments Parse(const std::string& command, const std::vector<std::string>& words, const OptionSpec& spec) {
  Arguments args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("--", 0) != 0) {
      args.positional.push_back(word);
      continue;
    }
    auto option = spec.find(word);
    if (option == spec.end()) throw UsageError("unknown option " + word + " for " + command);
    if (!option->second) {
      args.options.emplace(word, "");
      continue;
    }
    if (i + 1 >= words.size()) throw UsageError("option " + word + " needs a value");
    args.options.emplace(word, words[++i]);
  }
  return args;
}

// The number given to OPTION, from LOW to HIGH; a refusal says what the option takes.
long OptionNumber(const std::string& text, const std::string& what, const std::string& option, long low, long high,
                  const std::string& more = "") {
  std::optional<long> n = dtmhost::ParseInteger(text);
  if (!n || *n < low || *n > high)
    throw dtmtool::Refused("bad " + what + ": " + (text.empty() ? "an empty value" : text) + " (" + option +
                           " takes integers from " + std::to_string(low) + " to " + std::to_string(high) + more + ")");
  return *n;
}

// A long of the plug-in's interface: 32 bits, as its hosts hold it.
constexpr long kLongLow = -2147483648L, kLongHigh = 2147483647L;

// An option that may be given once: its value, if given.
std::optional<std::string> Once(const Arguments& args, const std::string& name) {
  std::vector<std::string> given = args.all(name);
  if (given.size() > 1) throw UsageError("option " + name + " given more than once");
  if (given.empty()) return std::nullopt;
  return given.front();
}

std::string Language(const Arguments& args) {
  std::optional<std::string> given = Once(args, "--lang");
  if (!given) return "en";
  static const std::set<std::string> known = {"en", "de", "fr", "it", "es"};
  if (!known.count(*given))
    throw dtmtool::Refused("bad language: " + (given->empty() ? "an empty value" : *given) +
                           " (--lang takes en, de, fr, it or es)");
  return *given;
}

// ------------------------------------------------------------------ the host

struct Session {
  std::string pluginPath;
  std::string registryPath;
  std::unique_ptr<dtmhost::Host> host;

  dtmhost::Host& Open() {
    std::string error;
    host = dtmhost::Host::Open(pluginPath, &error);
    if (!host) throw Failure(error);
    return *host;
  }

  const CDDDefinition& Find(const std::string& object) const {
    const CDDDefinition* d = host->Find(object);
    if (!d) throw Failure("unknown object: " + (object.empty() ? "an empty name" : object));
    return *d;
  }

  const CDDDefinition& FindVariable(const std::string& name) const {
    const CDDDefinition& d = Find(name);
    if (d.getKind() != ObjectKindVariable) throw Failure("not a variable: " + name);
    return d;
  }

  // NAME=VALUE as the variable's kind.
  std::pair<std::string, CDDCommonVariant> Assignment(const std::string& text) const {
    auto eq = text.find('=');
    if (eq == std::string::npos) throw UsageError("expected NAME=VALUE: " + text);
    std::string name = FindVariable(text.substr(0, eq)).getName();
    return {name, dtmtool::TypedValue(*host, name, text.substr(eq + 1))};
  }

  // The data set for this run: --set and --unset on top of the defaults. Both for one
  // variable contradict each other, whatever the order.
  void ApplyValues(const Arguments& args) {
    std::map<std::string, std::string> setBy;  // variable name -> the --set text
    for (const std::string& text : args.all("--set")) {
      auto [name, value] = Assignment(text);
      host->store().setValue(name, value);
      setBy[name] = text;
    }
    for (const std::string& given : args.all("--unset")) {
      std::string name = FindVariable(given).getName();
      if (auto both = setBy.find(name); both != setBy.end())
        throw UsageError("options --set " + both->second + " and --unset " + given + " contradict each other");
      host->store().setNoValue(name);
    }
  }

  // Opens the host, finds the objects named and sets the values given.
  std::vector<const CDDDefinition*> Objects(const Arguments& args, const std::string& command) {
    Open();
    if (args.positional.empty()) throw UsageError(command + " needs at least one OBJECT");
    std::vector<const CDDDefinition*> out;
    for (const std::string& object : args.positional) out.push_back(&Find(object));
    ApplyValues(args);
    return out;
  }

  std::unique_ptr<dtmhost::PluginLibrary> Library() const {
    std::string error;
    auto library = dtmhost::PluginLibrary::Open(pluginPath, &error);
    if (!library) throw Failure(error);
    return library;
  }
};

const OptionSpec kValueOptions = {{"--set", true}, {"--unset", true}};

OptionSpec With(OptionSpec spec, const OptionSpec& more) {
  spec.insert(more.begin(), more.end());
  return spec;
}

// ------------------------------------------------------------------ commands

std::string Info(Session& s, const Arguments&) {
  auto library = s.Library();
  std::unique_ptr<IDeviceInformation> info(library->GetInformation());
  if (!info) throw Failure("plug-in answered no information object");
  return dtmtool::InformationJson(*info).dump();
}

std::string CatalogueCommand(Session& s, const Arguments&) {
  Json out = Json::Array();
  for (const CDDDefinition& d : s.Open().Catalogue()) out.push(dtmtool::DefinitionJson(d));
  return out.dump();
}

std::string Show(Session& s, const Arguments& args) {
  auto objects = s.Objects(args, "show");
  dtmhost::Host& host = *s.host;
  Json out = Json::Array();
  for (const CDDDefinition* d : objects) {
    std::unique_ptr<CDDObject> object = host.Request(*d);
    Json shown = object ? dtmtool::ObjectJson(*object, "") : dtmtool::DefinitionJson(*d).set("available", Json::Bool(false));
    if (args.has("--reads")) {
      Json reads = Json::Array();
      for (const std::string& name : host.store().readOrder()) reads.push(Json::String(name));
      shown.set("reads", std::move(reads));
    }
    out.push(std::move(shown));
  }
  return out.dump();
}

std::string Valid(Session& s, const Arguments& args) {
  auto objects = s.Objects(args, "valid");
  dtmhost::Host& host = *s.host;
  Json out = Json::Array();
  for (const CDDDefinition* d : objects) {
    std::optional<bool> valid = host.Valid(*d);
    out.push(Json::Object().set("name", Json::String(d->getName())).set("valid", Json::From(valid, Json::Bool)));
  }
  return out.dump();
}

// A recorded argument as JSON: a quoted text as the text itself, a number as a number,
// anything else (published locals) as it was recorded.
Json TraceArgument(const std::string& recorded) {
  if (std::optional<std::string> text = dtmhost::Unquote(recorded)) return Json::String(*text);
  char* end = nullptr;
  long long n = std::strtoll(recorded.c_str(), &end, 10);
  if (!recorded.empty() && *end == '\0') return Json::Number(n);
  double d = std::strtod(recorded.c_str(), &end);
  if (!recorded.empty() && *end == '\0') return Json::Number(d);
  return Json::String(recorded);
}

// A descriptor for writing to the terminal that stdin reads from, or -1. A terminal
// opened read-write on stdin is used as it is: reopening it by name fails for a user
// who runs as another (su, runuser) in someone else's terminal. Otherwise the name,
// then the controlling terminal, then stderr where it is that same terminal.
int AnsweringTerminal() {
  int flags = fcntl(STDIN_FILENO, F_GETFL);
  if (flags >= 0 && (flags & O_ACCMODE) == O_RDWR) return fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
  struct stat in {};
  if (fstat(STDIN_FILENO, &in) != 0) return -1;
  auto same = [&](int fd) {
    struct stat out {};
    if (fd >= 0 && fstat(fd, &out) == 0 && out.st_rdev == in.st_rdev && isatty(fd)) return fd;
    if (fd >= 0) close(fd);
    return -1;
  };
  const char* name = ttyname(STDIN_FILENO);
  int fd = same(name ? open(name, O_WRONLY | O_NOCTTY | O_CLOEXEC) : -1);
  if (fd < 0) fd = same(open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (fd < 0) fd = same(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0));
  return fd;
}

std::string Run(Session& s, const Arguments& args) {
  dtmhost::Host& host = s.Open();
  if (args.positional.size() != 1) throw UsageError("run needs exactly one METHOD");
  // Typed answers would leave scripted ones unused.
  for (const char* scripted : {"--edit", "--select"})
    if (args.has("--interactive") && args.has(scripted))
      throw UsageError(std::string("options --interactive and ") + scripted + " contradict each other");
  // Prompts and answers need a person at a terminal; without one the run would not be
  // the dialogue asked for. The prompts go to the terminal the answers come from.
  std::unique_ptr<dtmtool::TerminalDialogue> dialogue;
  if (args.has("--interactive")) {
    if (!isatty(STDIN_FILENO)) throw UsageError("--interactive needs a terminal on stdin");
    int terminal = AnsweringTerminal();
    if (terminal < 0) throw Failure("cannot open the terminal on stdin for the prompts");
    dialogue = std::make_unique<dtmtool::TerminalDialogue>(host, terminal, args.has("--suppress-abort"));
  }
  const CDDDefinition& method = s.Find(args.positional.front());
  if (method.getKind() != ObjectKindMethod) throw Failure("not a method: " + args.positional.front());
  s.ApplyValues(args);

  dtmhost::Script script;
  for (const std::string& n : args.all("--select"))
    script.selections.push_back(
        OptionNumber(n, "selection", "--select", kLongLow, kLongHigh, ", a list's positions from 0"));
  for (const std::string& text : args.all("--edit")) {
    auto [name, value] = s.Assignment(text);
    script.edits[name] = value;
  }
  if (std::optional<std::string> k = Once(args, "--abort-from"))
    script.abortFrom = static_cast<int>(OptionNumber(*k, "call number", "--abort-from", 1, 1000000));
  script.dialogue = dialogue.get();

  dtmhost::Host::Run run = host.RunMethod(method.getName(), script, args.has("--suppress-abort"));
  Json trace = Json::Array();
  for (const dtmhost::TraceEntry& entry : run.trace) {
    Json callArgs = Json::Array();
    for (const std::string& a : entry.args) callArgs.push(TraceArgument(a));
    trace.push(Json::Object().set("op", Json::String(entry.op)).set("args", std::move(callArgs)));
  }
  Json changed = Json::Object();
  for (const auto& [name, value] : run.changed) changed.set(name, dtmtool::ValueJson(value));
  return Json::Object()
      .set("result", Json::Number(static_cast<long long>(run.result)))
      .set("trace", std::move(trace))
      .set("changed", std::move(changed))
      .dump();
}

// ---- menu tree

std::string Label(const CDDObject* object, const std::string& language) {
  const std::optional<std::string>* label = nullptr;
  if (const auto* v = dynamic_cast<const CDDVariable*>(object)) label = &v->getLabel();
  if (const auto* m = dynamic_cast<const CDDMenu*>(object)) label = &m->getLabel();
  if (const auto* m = dynamic_cast<const CDDMethod*>(object)) label = &m->getLabel();
  return label && *label ? dtmhost::Utf8(dtmhost::Segment(**label, language)) : "";
}

void MenuTree(dtmhost::Host& host, const CDDDefinition& menu, const std::string& language, int depth,
              std::set<long>& open, std::string& out) {
  std::unique_ptr<CDDObject> object = host.Request(menu);
  std::string pad(depth * 2, ' ');
  out += pad + Label(object.get(), language) + "  [" + menu.getName() + "]\n";
  const auto* m = dynamic_cast<const CDDMenu*>(object.get());
  if (!m || !m->menuItems()) return;
  open.insert(menu.getID());
  for (const CDDMenuItem& item : m->menuItems()->entries()) {
    const CDDDefinition& d = item.getDefinition();
    if (d.getKind() == ObjectKindMenu && !open.count(d.getID())) {
      MenuTree(host, d, language, depth + 1, open, out);
      continue;
    }
    std::unique_ptr<CDDObject> shown = host.Request(d);
    std::string line = pad + "  " + Label(shown.get(), language) + "  [" + d.getName() + "]";
    for (int q : item.qualifications())
      line += q == QualificationReadOnly ? " (read only)" : " (qualification " + dtmtool::QualificationText(q) + ")";
    out += line + "\n";
  }
  open.erase(menu.getID());
}

std::string Menu(Session& s, const Arguments& args) {
  dtmhost::Host& host = s.Open();
  std::string language = Language(args);
  std::vector<std::string> roles = args.all("--role");
  if (roles.size() + args.positional.size() != 1) throw UsageError("menu needs one OBJECT or one --role N");
  const CDDDefinition* menu = nullptr;
  if (!roles.empty()) {
    long role = OptionNumber(roles.front(), "role", "--role", kLongLow, kLongHigh);
    std::unique_ptr<IDeviceInformation> info(host.library()->GetInformation());
    if (!info) throw Failure("plug-in answered no information object");
    const char* name = info->GetMenuName(role);
    if (!name || !*name) throw Failure("no menu for role " + roles.front());
    menu = host.Find(name);
    if (!menu)
      throw Failure("the information object names the menu " + std::string(name) + " for role " + roles.front() +
                    ", and no object bears that name");
  } else {
    menu = &s.Find(args.positional.front());
  }
  if (menu->getKind() != ObjectKindMenu) throw Failure(std::string("not a menu: ") + menu->getName());
  s.ApplyValues(args);
  std::set<long> open;
  std::string out;
  MenuTree(host, *menu, language, 0, open, out);
  return out;
}

std::string Describe(Session& s, const Arguments& args) {
  std::string language = Language(args);
  dtmhost::Host& host = s.Open();
  std::string out;
  if (std::unique_ptr<IDeviceInformation> info{host.library()->GetInformation()})
    out += "device\n" + dtmtool::Readable(dtmtool::InformationJson(*info), 2);
  for (const CDDDefinition& d : host.Catalogue()) {
    std::unique_ptr<CDDObject> object = host.Request(d);
    // Appended piece by piece: a literal + a temporary string inserts at the front,
    // which g++ 12 at -O3 misreads as an overlapping copy (-Wrestrict).
    out += '#';
    out += std::to_string(d.getID()) + " " + d.getName() + " (" + dtmtool::KindName(d.getKind()) + ")\n";
    if (!object) continue;
    Json shown = dtmtool::ObjectJson(*object, language, true);
    Json attributes = Json::Object();
    for (const auto& [key, value] : shown.members())
      if (key != "number" && key != "name" && key != "kind") attributes.set(key, value);
    out += dtmtool::Readable(attributes, 2);
  }
  return out;
}

// ---- registry

// The registry the plug-in sees: the file given with --registry, else the default one.
struct RegistryScope {
  std::unique_ptr<ddlib::Registry> file;
  explicit RegistryScope(const std::string& path) {
    if (path.empty()) return;
    file = ddlib::OpenFileRegistry(path);
    ddlib::SetLocalMachineRegistry(file.get());
  }
  ~RegistryScope() {
    if (file) ddlib::SetLocalMachineRegistry(nullptr);
  }
  RegistryScope(const RegistryScope&) = delete;
  RegistryScope& operator=(const RegistryScope&) = delete;
};

// The registry's word on its last operation, to follow a message: ": why", or nothing.
std::string Reason() {
  std::string why = ddlib::LocalMachineRegistry()->lastMessage();
  return why.empty() ? why : ": " + why;
}

// The local machine's registry as it is now; a file that cannot be read fails.
ddlib::RegistryKeys RegistryKeys(const Session& s) {
  std::optional<ddlib::RegistryKeys> keys = ddlib::LocalMachineRegistry()->snapshot();
  if (!keys)
    throw Failure((s.registryPath.empty() ? "cannot read the registry" : "cannot read the registry " + s.registryPath) + Reason());
  return std::move(*keys);
}

// Set once a registration or unregistration changed the registry, so that a failure
// after it does not read as a failed change.
bool changeMade = false;

// What a line on a failure adds once a change was made.
const char* Made() { return changeMade ? " (the change itself was made)" : ""; }

std::string Registration(Session& s, bool enter) {
  auto library = s.Library();
  RegistryScope registry(s.registryPath);
  long result = enter ? library->DllRegisterServer() : library->DllUnregisterServer();
  if (result != 0) {
    char code[16];  // as the entry points name it: 0x80004005
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
    throw Failure((enter ? "registration failed with " : "unregistration failed with ") + std::string(code) + Reason());
  }
  changeMade = ddlib::LocalMachineRegistry()->lastChanged();
  // A change that was made but whose flush failed: the answer stands, with a warning.
  if (std::string warning = ddlib::LocalMachineRegistry()->lastMessage(); !warning.empty())
    std::cerr << "dtmhost: " << Printable(warning) << "\n";
  return Json::Object()
      .set("result", Json::Number(static_cast<long long>(result)))
      .set("registry", dtmtool::RegistryJson(RegistryKeys(s)))
      .dump();
}

std::string RegistryCommand(Session& s, const Arguments&) {
  RegistryScope registry(s.registryPath);
  return dtmtool::RegistryJson(RegistryKeys(s)).dump();
}

std::string CheckCommand(Session& s, const Arguments&) {
  int failures = dtmtool::Check(s.Open(), std::cout);
  if (failures) throw Failure("conformance check failed: " + std::to_string(failures) + " failures");
  return "";
}

// ------------------------------------------------------------------ main

struct Command {
  OptionSpec options;
  bool takesObjects;
  std::string (*run)(Session&, const Arguments&);
};

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"info", {{}, false, Info}},
      {"catalogue", {{}, false, CatalogueCommand}},
      {"show", {With(kValueOptions, {{"--reads", false}}), true, Show}},
      {"valid", {kValueOptions, true, Valid}},
      {"run",
       {With(kValueOptions, {{"--select", true},
                             {"--edit", true},
                             {"--abort-from", true},
                             {"--suppress-abort", false},
                             {"--interactive", false}}),
        true, Run}},
      {"menu", {With(kValueOptions, {{"--role", true}, {"--lang", true}}), true, Menu}},
      {"describe", {{{"--lang", true}}, false, Describe}},
      {"register", {{}, false, [](Session& s, const Arguments&) { return Registration(s, true); }}},
      {"unregister", {{}, false, [](Session& s, const Arguments&) { return Registration(s, false); }}},
      {"registry", {{}, false, RegistryCommand}},
      {"check", {{}, false, CheckCommand}},
  };
  return commands;
}

int Main(int argc, char** argv) {
  std::vector<std::string> words(argv + 1, argv + argc);
  Session session;
  session.pluginPath = dtmhost::DefaultPluginPath();
  std::size_t i = 0;
  std::set<std::string> given;
  for (; i < words.size() && words[i].rfind("--", 0) == 0; i += 2) {
    if (words[i] == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (words[i] != "--plugin" && words[i] != "--registry") throw UsageError("unknown option " + words[i]);
    if (i + 1 >= words.size()) throw UsageError("option " + words[i] + " needs a value");
    if (words[i + 1].empty()) throw UsageError("option " + words[i] + " needs a file name");
    if (!given.insert(words[i]).second) throw UsageError("option " + words[i] + " given more than once");
    (words[i] == "--plugin" ? session.pluginPath : session.registryPath) = words[i + 1];
  }
  if (i >= words.size()) throw UsageError("no command given");
  auto command = Commands().find(words[i]);
  if (command == Commands().end()) throw UsageError("unknown command " + words[i]);
  Arguments args = Parse(words[i], {words.begin() + i + 1, words.end()}, command->second.options);
  if (!command->second.takesObjects && !args.positional.empty())
    throw UsageError(words[i] + " takes no argument " + args.positional.front());
  std::cout << command->second.run(session, args) << std::flush;
  if (session.host)
    for (const std::string& report : session.host->errors().reports())
      std::cerr << "dtmhost: the plug-in reported: " << Printable(dtmhost::Utf8(report)) << "\n";
  return 0;
}

// Main with every exception as one line on stderr and an exit status.
int Guarded(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const dtmtool::Refused& e) {
    // Wrong use, and the message already says what the variable takes.
    std::cerr << "dtmhost: " << Printable(e.what()) << "\n";
    return 2;
  } catch (const UsageError& e) {
    std::cerr << "dtmhost: " << Printable(e.what()) << " (dtmhost --help lists the commands)\n";
    return 2;
  } catch (const Failure& e) {
    std::cerr << "dtmhost: " << Printable(e.what()) << Made() << "\n";
    return 1;
  } catch (const std::bad_alloc&) {
    std::cerr << "dtmhost: out of memory" << Made() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "dtmhost: the plug-in failed: " << Printable(e.what()) << Made() << "\n";
  } catch (int code) {
    std::cerr << "dtmhost: the plug-in threw the integer " << code << Made() << "\n";
  } catch (...) {
    std::cerr << "dtmhost: the plug-in failed with an unknown exception" << Made() << "\n";
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A file size limit then fails the write (EFBIG), which is refused and cleaned up,
  // instead of killing the process midway.
  std::signal(SIGXFSZ, SIG_IGN);
  // A reader that is gone (a closed pipe) then fails the write (EPIPE) like any output
  // failure below, instead of ending the process without a word after a change.
  std::signal(SIGPIPE, SIG_IGN);
  int status = Guarded(argc, argv);
  // Output that could not be written in full (a full disk, a closed stdout) is no
  // answer: checked here once, for every command, on the stream and on stdout below it.
  std::cout.flush();
  bool written = std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written) return status;
  if (status == 0)
    std::cerr << "dtmhost: cannot write the output" << Made() << "\n";
  return status == 0 ? 1 : status;
}
