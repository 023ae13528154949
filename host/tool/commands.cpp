// dtmhost's commands, each run on a session once its command line is read.
#include "commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>

#include "check.h"
#include "describe.h"
#include "input.h"
#include "json.h"

namespace dtmtool {

// ------------------------------------------------------------------ the session

dtmhost::Host& Session::Open(const CommandLine& line) {
  std::string error;
  host = dtmhost::Host::Open(pluginPath, &error);
  if (!host) {
    // Without the plug-in no value can be checked against its variable's type; a
    // value that no variable takes is wrong use all the same.
    for (const Given& given : line.options)
      if (given.option->kind == Kind::Assignment) CheckValueForm(given.name, given.value);
    throw Failure(error);
  }
  CheckVariablesNamed(line, [&](const std::string& name) -> std::optional<std::string> {
    const CDDDefinition* d = host->Find(name);
    if (!d) return std::nullopt;
    return d->getName();
  });
  return *host;
}

namespace {

// The wrong kind named alike by every command: as typed (SHOWN), then what it names.
[[noreturn]] void WrongKind(enumDDObjectKind wanted, const std::string& shown, const CDDDefinition& d) {
  throw Failure("not a " + KindName(wanted) + ": " + shown + " names the " + KindName(d.getKind()) + " " +
                d.getName());
}

}  // namespace

const CDDDefinition& Session::Find(const std::string& object, std::optional<enumDDObjectKind> kind) const {
  const CDDDefinition* d = host->Find(object);
  if (!d) throw Failure("unknown object: " + EchoName(object));
  if (kind && d->getKind() != *kind) WrongKind(*kind, EchoName(object), *d);
  return *d;
}

std::pair<std::string, CDDCommonVariant> Session::Assignment(const Given& given) const {
  std::string name = Find(given.name, ObjectKindVariable).getName();
  return {name, TypedValue(*host, name, given.value, true)};
}

// The parser and Open have made sure that no variable has both --set and --unset.
void Session::ApplyValues(const CommandLine& line) {
  for (const Given* given : line.all("--set")) {
    auto [name, value] = Assignment(*given);
    host->store().setValue(name, value);
  }
  for (const Given* given : line.all("--unset"))
    host->store().setNoValue(Find(given->name, ObjectKindVariable).getName());
}

std::vector<const CDDDefinition*> Session::Objects(const CommandLine& line) {
  Open(line);
  std::vector<const CDDDefinition*> out;
  for (const std::string& object : line.positional) out.push_back(&Find(object));
  ApplyValues(line);
  return out;
}

std::unique_ptr<dtmhost::PluginLibrary> Session::Library() const {
  std::string error;
  auto library = dtmhost::PluginLibrary::Open(pluginPath, &error);
  if (!library) throw Failure(error);
  return library;
}

// ------------------------------------------------------------------ commands

std::string Info(Session& s, const CommandLine&) {
  auto library = s.Library();
  std::unique_ptr<IDeviceInformation> info(library->GetInformation());
  if (!info) throw Failure("plug-in answered no information object");
  return InformationJson(*info).dump();
}

std::string CatalogueCommand(Session& s, const CommandLine& line) {
  Json out = Json::Array();
  for (const CDDDefinition& d : s.Open(line).Catalogue()) out.push(DefinitionJson(d));
  return out.dump();
}

namespace {

// The objects named, each as ANSWER gives it, in a JSON array in the order given.
template <class Answer>
std::string EachObject(Session& s, const CommandLine& line, Answer answer) {
  Json out = Json::Array();
  for (const CDDDefinition* d : s.Objects(line)) out.push(answer(*s.host, *d));
  return out.dump();
}

}  // namespace

std::string Show(Session& s, const CommandLine& line) {
  bool reads = line.has("--reads");
  return EachObject(s, line, [&](dtmhost::Host& host, const CDDDefinition& d) {
    std::unique_ptr<CDDObject> object = host.Request(d);
    Json shown = object ? ObjectJson(*object, "") : DefinitionJson(d).set("available", Json::Bool(false));
    if (reads) {
      Json names = Json::Array();
      for (const std::string& name : host.store().readOrder()) names.push(Json::String(name));
      shown.set("reads", std::move(names));
    }
    return shown;
  });
}

std::string Valid(Session& s, const CommandLine& line) {
  return EachObject(s, line, [](dtmhost::Host& host, const CDDDefinition& d) {
    std::optional<bool> valid = host.Valid(d);
    return Json::Object().set("name", Json::String(d.getName())).set("valid", Json::From(valid, Json::Bool));
  });
}

namespace {

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

}  // namespace

std::string Run(Session& s, const CommandLine& line) {
  dtmhost::Host& host = s.Open(line);
  // Prompts and answers need a person at a terminal (the parser has made sure that
  // stdin is one, and that no scripted answer would be left unused). The prompts go to
  // the terminal the answers come from.
  std::unique_ptr<TerminalDialogue> dialogue;
  if (line.has("--interactive")) {
    int terminal = AnsweringTerminal();
    if (terminal < 0) throw Failure("cannot open the terminal on stdin for the prompts");
    dialogue = std::make_unique<TerminalDialogue>(host, terminal, line.has("--suppress-abort"));
  }
  const CDDDefinition& method = s.Find(line.positional.front(), ObjectKindMethod);
  s.ApplyValues(line);

  dtmhost::Script script;
  for (const Given* n : line.all("--select")) script.selections.push_back(n->number);
  for (const Given* given : line.all("--edit")) {
    auto [name, value] = s.Assignment(*given);
    script.edits[name] = value;
  }
  if (const Given* k = line.find("--abort-from")) script.abortFrom = static_cast<int>(k->number);
  script.dialogue = dialogue.get();

  dtmhost::Host::Run run = host.RunMethod(method.getName(), script, line.has("--suppress-abort"));
  Json trace = Json::Array();
  for (const dtmhost::TraceEntry& entry : run.trace) {
    Json callArgs = Json::Array();
    for (const std::string& a : entry.args) callArgs.push(TraceArgument(a));
    trace.push(Json::Object().set("op", Json::String(entry.op)).set("args", std::move(callArgs)));
  }
  Json changed = Json::Object();
  for (const auto& [name, value] : run.changed) changed.set(name, ValueJson(value));
  return Json::Object()
      .set("result", Json::Number(static_cast<long long>(run.result)))
      .set("trace", std::move(trace))
      .set("changed", std::move(changed))
      .dump();
}

// ---- menu tree

namespace {

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
      line += q == QualificationReadOnly ? " (read only)" : " (qualification " + QualificationText(q) + ")";
    out += line + "\n";
  }
  open.erase(menu.getID());
}

}  // namespace

std::string Menu(Session& s, const CommandLine& line) {
  dtmhost::Host& host = s.Open(line);
  std::string language = line.language();
  const CDDDefinition* menu = nullptr;
  if (const Given* role = line.find("--role")) {
    std::unique_ptr<IDeviceInformation> info(host.library()->GetInformation());
    if (!info) throw Failure("plug-in answered no information object");
    const char* name = info->GetMenuName(role->number);
    if (!name || !*name) throw Failure("no menu for role " + role->text);
    menu = host.Find(name);
    if (!menu)
      throw Failure("the information object names the menu " + std::string(name) + " for role " + role->text +
                    ", and no object bears that name");
    if (menu->getKind() != ObjectKindMenu) WrongKind(ObjectKindMenu, "role " + role->text, *menu);
  } else {
    menu = &s.Find(line.positional.front(), ObjectKindMenu);
  }
  s.ApplyValues(line);
  std::set<long> open;
  std::string out;
  MenuTree(host, *menu, language, 0, open, out);
  return out;
}

std::string Describe(Session& s, const CommandLine& line) {
  std::string language = line.language();
  dtmhost::Host& host = s.Open(line);
  std::string out;
  if (std::unique_ptr<IDeviceInformation> info{host.library()->GetInformation()})
    out += "device\n" + Readable(InformationJson(*info), 2);
  for (const CDDDefinition& d : host.Catalogue()) {
    std::unique_ptr<CDDObject> object = host.Request(d);
    // Appended piece by piece: a literal + a temporary string inserts at the front,
    // which g++ 12 at -O3 misreads as an overlapping copy (-Wrestrict).
    out += '#';
    out += std::to_string(d.getID()) + " " + d.getName() + " (" + KindName(d.getKind()) + ")\n";
    if (!object) continue;
    Json shown = ObjectJson(*object, language, true);
    Json attributes = Json::Object();
    for (const auto& [key, value] : shown.members())
      if (key != "number" && key != "name" && key != "kind") attributes.set(key, value);
    out += Readable(attributes, 2);
  }
  return out;
}

// ---- registry

namespace {

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
    throw Failure((s.registryPath.empty() ? "cannot read the registry" : "cannot read the registry " + EchoName(s.registryPath)) + Reason());
  return std::move(*keys);
}

// Set once a registration or unregistration changed the registry.
bool changeMade = false;

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
      .set("registry", RegistryJson(RegistryKeys(s)))
      .dump();
}

}  // namespace

bool ChangeMade() { return changeMade; }

std::string Register(Session& s, const CommandLine&) { return Registration(s, true); }

std::string Unregister(Session& s, const CommandLine&) { return Registration(s, false); }

std::string RegistryCommand(Session& s, const CommandLine&) {
  RegistryScope registry(s.registryPath);
  return RegistryJson(RegistryKeys(s)).dump();
}

std::string CheckCommand(Session& s, const CommandLine& line) {
  int failures = Check(s.Open(line), std::cout);
  if (failures) throw Failure("conformance check failed: " + std::to_string(failures) + " failures");
  return "";
}

}  // namespace dtmtool
