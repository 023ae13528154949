// dtmhost's command line read from its tables.
#include "options.h"

#include <unistd.h>

#include <algorithm>

#include "commands.h"
#include "dtmhost/host.h"
#include "input.h"

namespace dtmtool {

namespace {

// A long of the plug-in's interface: 32 bits, as its hosts hold it.
constexpr long kLongLow = -2147483648L, kLongHigh = 2147483647L;

// "a, b or c"
std::string Listed(const std::vector<std::string>& items, const std::string& last = " or ") {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i)
    out += (i == 0 ? "" : i + 1 == items.size() ? last : ", ") + items[i];
  return out;
}

std::vector<std::string> Languages() { return {dtmhost::kLanguages.begin(), dtmhost::kLanguages.end()}; }

// ------------------------------------------------------------------ the tables

Option Valued(std::string name, Kind kind, std::string metavar, Repeat repeat, std::string help) {
  Option o;
  o.name = std::move(name);
  o.kind = kind;
  o.metavar = std::move(metavar);
  o.repeat = repeat;
  o.help = std::move(help);
  return o;
}

Option Flag(std::string name, std::string help) {
  return Valued(std::move(name), Kind::Flag, "", Repeat::Once, std::move(help));
}

Option Integer(std::string name, std::string metavar, Repeat repeat, long low, long high, std::string noun,
               std::string help, std::string more = "") {
  Option o = Valued(std::move(name), Kind::Integer, std::move(metavar), repeat, std::move(help));
  o.low = low;
  o.high = high;
  o.noun = std::move(noun);
  o.more = std::move(more);
  return o;
}

Option Set() {
  return Valued("--set", Kind::Assignment, "NAME=VALUE", Repeat::PerVariable,
                "the variable's value, on top of the defaults");
}

Option Unset() {
  Option o = Valued("--unset", Kind::Variable, "NAME", Repeat::PerVariable, "the variable without a value");
  o.contradictsForVariable = {"--set"};
  return o;
}

Option Lang() {
  std::string metavar;
  for (const char* language : dtmhost::kLanguages) {
    if (!metavar.empty()) metavar += '|';
    metavar += language;
  }
  return Valued("--lang", Kind::Language, metavar, Repeat::Once,
                "the language of the texts shown (else " + std::string(dtmhost::kLanguages.front()) + ")");
}

Positional Objects() {
  return {"OBJECT", 1, Positional::kAny, "the objects, each by number or name", ""};
}

}  // namespace

const std::vector<Option>& GlobalOptions() {
  static const std::vector<Option> options = {
      Valued("--plugin", Kind::Path, "PATH", Repeat::Once,
             "the plug-in (else $DTM_PLUGIN, else libdtmplugin.so beside the tool)"),
      Valued("--registry", Kind::Path, "FILE", Repeat::Once,
             "the registry file (else $DTM_REGISTRY, else dtm-registry.txt in the working directory)"),
  };
  return options;
}

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = [] {
    Option interactive = Flag("--interactive", "a person at the terminal answers the method instead of the options");
    interactive.contradicts = {"--edit", "--select"};
    interactive.needsTerminal = true;
    std::vector<CommandSpec> out = {
        {"info", Info, {}, {}, "prints the information object's answers, JSON", "the information object's answers"},
        {"catalogue", CatalogueCommand, {}, {}, "prints every registered object: number, name, kind, JSON", "every registered object"},
        {"show",
         Show,
         Objects(),
         {Set(), Unset(), Flag("--reads", "adds the names of the variables that each request read, in the order read")},
         "prints each object's attributes, JSON, in the order given",
         ""},
        {"valid", Valid, Objects(), {Set(), Unset()}, "prints whether each object is valid, JSON", ""},
        {"run",
         Run,
         {"METHOD", 1, 1, "the method, by number or name", ""},
         {Set(), Unset(),
          Integer("--select", "N", Repeat::PerList, kLongLow, kLongHigh, "selection",
                  "answers the next selection list with its position N (0 is the first entry; a list with no "
                  "--select left is answered 0)",
                  ", a list's positions from 0"),
          Valued("--edit", Kind::Assignment, "NAME=VALUE", Repeat::PerVariable,
                 "what the user enters when the method asks for the variable NAME"),
          Integer("--abort-from", "K", Repeat::Once, 1, 1000000, "call number",
                  "the user's abort is pending from the Kth abort check of the run on"),
          Flag("--suppress-abort", "runs the method with the abort suppressed"), interactive},
         "runs the method and prints its result, every call it made to the method context and the values it "
         "changed, JSON",
         ""},
        {"menu",
         Menu,
         {"OBJECT", 1, 1, "the menu, by number or name", "--role"},
         {Integer("--role", "N", Repeat::Once, kLongLow, kLongHigh, "role",
                  "the menu that the information object names for the role N"),
          Set(), Unset(), Lang()},
         "prints the menu tree as indented text, item qualifications named",
         ""},
        {"describe", Describe, {}, {Lang()}, "prints the whole description as readable text, codes with their names beside them", ""},
        {"register", Register, {}, {}, "registers the plug-in and prints the entry point's answer and the registry, JSON", ""},
        {"unregister", Unregister, {}, {}, "unregisters the plug-in and prints the entry point's answer and the registry, JSON", ""},
        {"registry", RegistryCommand, {}, {}, "prints the registry, JSON", ""},
        {"check", CheckCommand, {}, {}, "runs the conformance sweep and prints a summary table; exit status 1 on any failure",
         "conformance sweep over every object and method"},
    };
    CheckTables(GlobalOptions(), out);
    return out;
  }();
  return commands;
}

// ------------------------------------------------------------------ the parsed line

namespace {

const Option* Lookup(const std::vector<Option>& options, const std::string& name) {
  for (const Option& option : options)
    if (option.name == name) return &option;
  return nullptr;
}

// The option as the usage writes it: "--set NAME=VALUE", "--reads".
std::string Spelled(const Option& o) { return o.name + (o.metavar.empty() ? "" : " " + o.metavar); }

// The option NAME of a table, which must have it.
const Option& Named(const std::vector<Option>& options, const std::string& name, const std::string& where) {
  const Option* option = Lookup(options, name);
  if (!option) throw ToolFault(where + " has no option " + name);
  return *option;
}

const Option& OfCommand(const CommandSpec& c, const std::string& name) {
  return Named(c.options, name, "the command " + c.name);
}

std::vector<const Given*> AllOf(const std::vector<Given>& given, const Option& option) {
  std::vector<const Given*> out;
  for (const Given& g : given)
    if (g.option == &option) out.push_back(&g);
  return out;
}

const Given* FirstOf(const std::vector<Given>& given, const Option& option) {
  std::vector<const Given*> all = AllOf(given, option);
  return all.empty() ? nullptr : all.front();
}

}  // namespace

bool CommandLine::has(const std::string& option) const { return find(option) != nullptr; }

std::vector<const Given*> CommandLine::all(const std::string& option) const {
  return AllOf(options, OfCommand(*command, option));
}

const Given* CommandLine::find(const std::string& option) const {
  return FirstOf(options, OfCommand(*command, option));
}

const Given* CommandLine::findGlobal(const std::string& option) const {
  return FirstOf(global, Named(GlobalOptions(), option, "the options before the command"));
}

std::string CommandLine::language() const {
  const Given* given = find("--lang");
  return given ? given->text : dtmhost::kLanguages.front();
}

void CheckTables(const std::vector<Option>& global, const std::vector<CommandSpec>& commands) {
  auto unique = [](const std::vector<Option>& options, const std::string& where) {
    for (std::size_t i = 0; i < options.size(); ++i)
      for (std::size_t k = 0; k < i; ++k)
        if (options[k].name == options[i].name) throw ToolFault(where + " names the option " + options[i].name + " twice");
  };
  unique(global, "the options before the command");
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const CommandSpec& c = commands[i];
    for (std::size_t k = 0; k < i; ++k)
      if (commands[k].name == c.name) throw ToolFault("the command " + c.name + " is named twice");
    if (!c.run) throw ToolFault("the command " + c.name + " has no runner");
    unique(c.options, "the command " + c.name);
    for (const Option& o : c.options) {
      if (Lookup(global, o.name)) throw ToolFault("the command " + c.name + " repeats the option " + o.name);
      for (const std::string& other : o.contradicts) OfCommand(c, other);
      for (const std::string& other : o.contradictsForVariable) OfCommand(c, other);
    }
    if (!c.positional.instead.empty()) OfCommand(c, c.positional.instead);
  }
}

// ------------------------------------------------------------------ the parser

namespace {

Given Taken(const Option* option, const std::string& text) {
  Given given;
  given.option = option;
  given.text = text;
  return given;
}

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h"; }

// The value given to an option, checked as its kind takes it.
void CheckValue(Given& given) {
  const Option& o = *given.option;
  switch (o.kind) {
    case Kind::Flag:
      return;
    case Kind::Variable:
      if (given.text.empty())
        throw Refused("bad variable: an empty name (" + o.name + " takes " + o.metavar + ")");
      given.name = given.text;
      return;
    case Kind::Path:
      if (given.text.empty()) throw UsageError("option " + o.name + " needs a file name");
      return;
    case Kind::Integer: {
      // Numbers are read one way everywhere: decimal digits, nothing else.
      std::string bad = "bad " + o.noun + ": " + Echo(given.text) + " (" + o.name + " takes ";
      if (!dtmhost::IsInteger(given.text)) throw Refused(bad + "decimal digits with an optional sign, no blank)");
      std::optional<long> n = dtmhost::ParseInteger(given.text);
      if (!n || *n < o.low || *n > o.high)
        throw Refused(bad + "integers from " + std::to_string(o.low) + " to " + std::to_string(o.high) + o.more + ")");
      given.number = *n;
      return;
    }
    case Kind::Language: {
      std::vector<std::string> known = Languages();
      if (std::find(known.begin(), known.end(), given.text) == known.end())
        throw Refused("bad language: " + Echo(given.text) + " (" + o.name + " takes " + Listed(known) + ")");
      return;
    }
    case Kind::Assignment: {
      auto bad = [&](const std::string& what) {
        return Refused("bad assignment: " + what + " (" + o.name + " takes " + o.metavar + ")");
      };
      std::size_t eq = given.text.find('=');
      if (eq == std::string::npos) throw bad(Echo(given.text));
      given.name = given.text.substr(0, eq);
      given.value = given.text.substr(eq + 1);
      if (given.name.empty()) throw bad(Echo(given.text) + ", an empty name");
      return;
    }
  }
}

// Values and what may be given once, in the order given: the first wrong one counts.
void CheckGiven(std::vector<Given>& options) {
  for (std::size_t i = 0; i < options.size(); ++i) {
    CheckValue(options[i]);
    const Option& o = *options[i].option;
    if (o.repeat != Repeat::Once) continue;
    for (std::size_t k = 0; k < i; ++k)
      if (options[k].option == &o) throw UsageError("option " + o.name + " given more than once");
  }
}

bool NamesVariable(const Given& given) {
  return given.option->kind == Kind::Assignment || given.option->kind == Kind::Variable;
}

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Options naming variables, with the variable each names by KEY (nothing: unknown):
// one option given twice for a variable, and two that contradict each other for it.
void CheckVariables(const std::vector<Given>& options,
                    const std::function<std::optional<std::string>(const std::string&)>& key) {
  std::vector<std::optional<std::string>> keys;
  for (const Given& given : options) keys.push_back(NamesVariable(given) ? key(given.name) : std::nullopt);
  for (std::size_t b = 0; b < options.size(); ++b) {
    for (std::size_t a = 0; a < b; ++a) {
      if (!keys[a] || !keys[b] || *keys[a] != *keys[b]) continue;
      const Given& first = options[a];
      const Given& second = options[b];
      if (first.option == second.option && first.option->repeat == Repeat::PerVariable)
        throw UsageError("option " + first.option->name + " given more than once for " + EchoName(first.name) +
                         (first.name == second.name ? "" : " and " + EchoName(second.name) + ", one variable"));
      // Named in the table's order: the option that names the contradiction second.
      const Given* one = nullptr;
      const Given* other = nullptr;
      if (Lists(second.option->contradictsForVariable, first.option->name)) one = &first, other = &second;
      if (Lists(first.option->contradictsForVariable, second.option->name)) one = &second, other = &first;
      if (one)
        throw UsageError("options " + one->option->name + " " + Echo(one->text) + " and " + other->option->name + " " +
                         Echo(other->text) + " contradict each other");
    }
  }
}

void CheckPositional(const CommandLine& line) {
  const CommandSpec& c = *line.command;
  const Positional& p = c.positional;
  std::size_t given = line.positional.size();
  if (p.metavar.empty()) {
    if (given) throw UsageError(c.name + " takes no argument " + Echo(line.positional.front()));
    return;
  }
  if (!p.instead.empty()) {
    const Option& instead = OfCommand(c, p.instead);
    if (given + (line.has(p.instead) ? 1 : 0) != 1)
      throw UsageError(c.name + " needs one " + p.metavar + " or one " + Spelled(instead));
    return;
  }
  if (given >= p.least && given <= p.most) return;
  if (p.most == Positional::kAny) throw UsageError(c.name + " needs at least one " + p.metavar);
  if (p.least == p.most) throw UsageError(c.name + " needs exactly one " + p.metavar);
  throw UsageError(c.name + " needs from " + std::to_string(p.least) + " to " + std::to_string(p.most) + " " +
                   p.metavar);
}

void CheckContradictions(const CommandLine& line) {
  for (const Option& o : line.command->options) {
    if (!line.has(o.name)) continue;
    for (const std::string& other : o.contradicts)
      if (line.has(other)) throw UsageError("options " + o.name + " and " + other + " contradict each other");
  }
}

// A variable as named before the catalogue is known: a number by its value, so that
// 215 and +0215 are one, and a name as it is.
std::optional<std::string> TypedKey(const std::string& name) {
  if (std::optional<long> n = dtmhost::ParseInteger(name)) return std::to_string(*n);
  return name;
}

}  // namespace

namespace {

// A word that begins with '-' and is not a number (a negative object number) is an option.
bool IsOption(const std::string& word) { return !word.empty() && word[0] == '-' && !IsNumber(word); }

// The option at WORDS[I] of OPTIONS, the options of COMMAND or, for none, those before
// the command, with its value where it takes one; I ends on the last word taken.
Given ReadOption(const std::vector<std::string>& words, std::size_t& i, const std::vector<Option>& options,
                 const CommandSpec* command) {
  const std::string& word = words[i];
  const Option* o = Lookup(options, word);
  // An option in the wrong place is named with where it goes.
  if (!o && command) {
    if (const Option* global = Lookup(GlobalOptions(), word))
      throw UsageError("option " + word + " goes before the command: dtmhost " + Spelled(*global) + " " +
                       command->name);
    throw UsageError("unknown option " + Echo(word) + " for " + command->name);
  }
  if (!o) {
    for (const CommandSpec& c : Commands())
      if (const Option* after = Lookup(c.options, word))
        throw UsageError("option " + word + " goes after the command: dtmhost " + c.name + " " + Spelled(*after));
    throw UsageError("unknown option " + Echo(word));
  }
  if (o->kind == Kind::Flag) return Taken(o, "");
  if (i + 1 >= words.size()) throw UsageError("option " + word + " needs a value");
  return Taken(o, words[++i]);
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words) {
  CommandLine line;
  std::size_t i = 0;
  for (; i < words.size() && IsOption(words[i]); ++i) {
    if (IsHelp(words[i])) {
      line.help = true;
      return line;
    }
    line.global.push_back(ReadOption(words, i, GlobalOptions(), nullptr));
  }
  CheckGiven(line.global);
  if (i >= words.size()) throw UsageError("no command given");
  for (const CommandSpec& c : Commands())
    if (c.name == words[i]) line.command = &c;
  if (!line.command) throw UsageError("unknown command " + EchoName(words[i]));
  const CommandSpec& command = *line.command;
  for (++i; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (IsHelp(word)) {
      line.help = true;
      return line;
    }
    if (IsOption(word))
      line.options.push_back(ReadOption(words, i, command.options, &command));
    else
      line.positional.push_back(word);
  }

  CheckGiven(line.options);
  CheckPositional(line);
  CheckVariables(line.options, TypedKey);
  CheckContradictions(line);
  for (const Option& o : command.options)
    if (o.needsTerminal && line.has(o.name) && !isatty(STDIN_FILENO))
      throw UsageError(o.name + " needs a terminal on stdin");
  return line;
}

void CheckVariablesNamed(const CommandLine& line,
                         const std::function<std::optional<std::string>(const std::string&)>& name) {
  CheckVariables(line.options, name);
}

// ------------------------------------------------------------------ usage and help

namespace {

constexpr std::size_t kWidth = 100;  // where the usage wraps
constexpr std::size_t kNoteColumn = 40;

std::string Bracketed(const Option& o) {
  // Appended piece by piece: a literal + a temporary string inserts at the front, which
  // g++ 12 at -O3 misreads as an overlapping copy (-Wrestrict).
  std::string out = "[";
  out += Spelled(o);
  out += o.repeat == Repeat::Once ? "]" : "]...";
  return out;
}

// The command with its positional arguments: "show OBJECT...", "menu OBJECT|--role N".
std::string Head(const CommandSpec& c) {
  const Positional& p = c.positional;
  if (p.metavar.empty()) return c.name;
  std::string words = p.metavar + (p.most > 1 ? "..." : "");
  if (!p.instead.empty()) {
    const Option& o = OfCommand(c, p.instead);
    words += '|';
    words += Spelled(o);
  }
  return c.name + " " + (p.least == 0 ? "[" + words + "]" : words);
}

// HEAD and the options as usage words; an option that stands in for the positional
// arguments is shown there.
std::vector<std::string> Synopsis(const CommandSpec& c) {
  std::vector<std::string> words = {Head(c)};
  for (const Option& o : c.options)
    if (o.name != c.positional.instead) words.push_back(Bracketed(o));
  return words;
}

// WORDS after PREFIX, wrapped at kWidth; a continuation line starts at INDENT.
std::string Wrap(const std::string& prefix, const std::vector<std::string>& words, std::size_t indent) {
  std::string out = prefix, current = prefix;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0 && current.size() + 1 + words[i].size() > kWidth) {
      out += '\n';
      out.append(indent, ' ');
      current = std::string(indent, ' ');
    } else if (i > 0) {
      out += ' ';
      current += ' ';
    }
    out += words[i];
    current += words[i];
  }
  return out + "\n";
}

// Blank-separated words of TEXT.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// What the table says of an option of command C.
std::string Rules(const CommandSpec& c, const Option& o) {
  std::vector<std::string> rules = {o.help};
  if (o.kind == Kind::Integer) rules.push_back("an integer from " + std::to_string(o.low) + " to " + std::to_string(o.high));
  if (o.kind == Kind::Language) rules.push_back("one of " + Listed(Languages()));
  if (o.kind == Kind::Path) rules.push_back("not empty");
  if (o.repeat == Repeat::Once) rules.push_back("at most once");
  if (o.repeat == Repeat::PerVariable) rules.push_back("once per variable, by name or number alike");
  if (o.repeat == Repeat::PerList) rules.push_back("one per list, in the order the lists come");
  // Contradictions both ways, as either option's table entry gives them.
  std::vector<std::string> against = o.contradicts, forVariable = o.contradictsForVariable;
  for (const Option& other : c.options) {
    if (Lists(other.contradicts, o.name)) against.push_back(other.name);
    if (Lists(other.contradictsForVariable, o.name)) forVariable.push_back(other.name);
  }
  if (!against.empty()) rules.push_back("not with " + Listed(against));
  if (!forVariable.empty()) rules.push_back("not with " + Listed(forVariable) + " of the same variable");
  if (o.needsTerminal) rules.push_back("needs a terminal on stdin");
  std::string out;
  for (const std::string& rule : rules) out += (out.empty() ? "" : "; ") + rule;
  return out;
}

// Rows of two columns: the first padded to the widest, the second wrapped beside it.
std::string Rows(const std::vector<std::pair<std::string, std::string>>& rows) {
  std::size_t column = 0;
  for (const auto& [left, right] : rows) column = std::max(column, left.size());
  column += 4;  // two blanks before, two after
  std::string out;
  for (const auto& [left, right] : rows) {
    std::string prefix = "  " + left + std::string(column - 2 - left.size(), ' ');
    out += Wrap(prefix, Words(right), column);
  }
  return out;
}

std::string GlobalUsage() {
  std::string out = "dtmhost";
  for (const Option& o : GlobalOptions()) {
    out += ' ';
    out += Bracketed(o);
  }
  return out;
}

}  // namespace

std::string Usage() {
  std::string out = "usage: " + GlobalUsage() + " COMMAND\n";
  const std::vector<CommandSpec>& commands = Commands();
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const CommandSpec& c = commands[i];
    auto bare = [](const CommandSpec& s) { return s.note.empty() && s.options.empty() && s.positional.metavar.empty(); };
    if (bare(c)) {
      std::string joined = c.name;
      while (i + 1 < commands.size() && bare(commands[i + 1])) joined += " | " + commands[++i].name;
      out += "  " + joined + "\n";
      continue;
    }
    std::vector<std::string> words = Synopsis(c);
    if (!c.note.empty()) {
      std::string head = "  " + words.front();
      out += head + std::string(head.size() < kNoteColumn ? kNoteColumn - head.size() : 1, ' ') + c.note + "\n";
      continue;
    }
    out += Wrap("  ", words, 2 + words.front().size() + 1);
  }
  return out + "OBJECT is an object number or name; VALUE an integer, a decimal number or a quoted text.\n";
}

std::string CommandHelp(const CommandSpec& c) {
  std::vector<std::string> words = Synopsis(c);
  words.insert(words.begin(), GlobalUsage());
  std::string out = Wrap("usage: ", words, 7);
  out += Wrap("", Words(c.help), 0);
  std::vector<std::pair<std::string, std::string>> rows;
  const Positional& p = c.positional;
  if (!p.metavar.empty()) {
    std::string count = !p.instead.empty()       ? "one, or " + p.instead + " instead"
                        : p.most == Positional::kAny ? "one or more"
                        : p.least == p.most          ? "exactly one"
                                                     : std::to_string(p.least) + " to " + std::to_string(p.most);
    rows.push_back({p.metavar, p.help + "; " + count});
  }
  for (const Option& o : c.options) rows.push_back({Spelled(o), Rules(c, o)});
  for (const Option& o : GlobalOptions())
    rows.push_back({Spelled(o), Rules(c, o) + "; before the command"});
  out += Rows(rows);
  bool values = false;
  for (const Option& o : c.options) values = values || o.kind == Kind::Assignment;
  if (values) out += "NAME is a variable's number or name; VALUE an integer, a decimal number or a quoted text.\n";
  return out;
}

}  // namespace dtmtool
