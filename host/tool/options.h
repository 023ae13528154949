// dtmhost's command line: one table per command of its options and positional
// arguments, the parser that reads it, and the usage and help printed from it.
#pragma once
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dtmtool {

// Wrong use of the tool (exit status 2); the message is followed by a pointer to the help.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A fault of dtmhost itself, not of its user or the plug-in: a table or a lookup that
// names an option the command does not have.
struct ToolFault : std::logic_error {
  using std::logic_error::logic_error;
};

struct CommandLine;
struct Session;

// What a command does: runs on the session and answers what it prints.
using Runner = std::string (*)(Session&, const CommandLine&);

// What an option takes.
enum class Kind {
  Flag,        // nothing
  Integer,     // an integer from low to high
  Language,    // one of dtmhost::kLanguages
  Assignment,  // NAME=VALUE: a variable (name or number) and its value
  Variable,    // NAME: a variable (name or number)
  Path,        // a file name, not empty
};

// How often an option may be given.
enum class Repeat {
  Once,         // at most once (every flag)
  PerVariable,  // once per variable, by name or number alike
  PerList,      // any number of times, one per selection list
};

struct Option {
  std::string name;     // "--set"
  Kind kind = Kind::Flag;
  std::string metavar;  // what the usage shows after the name: "NAME=VALUE", "N"
  Repeat repeat = Repeat::Once;
  std::string help;     // what it does, for the command's help
  // Integer: the range, the word a refusal names the value with ("selection") and
  // what a refusal adds after the range.
  long low = 0, high = 0;
  std::string noun;
  std::string more;
  // Options it cannot go with at all, and options it cannot go with for the same
  // variable (both of Kind Assignment or Variable).
  std::vector<std::string> contradicts;
  std::vector<std::string> contradictsForVariable;
  // Given only with a terminal on stdin.
  bool needsTerminal = false;
};

// The words that are not options: between least and most of them, named metavar
// ("OBJECT"); or, where instead names an option, exactly one of the two.
struct Positional {
  std::string metavar;  // "" for none
  std::size_t least = 0, most = 0;
  std::string help;
  std::string instead;  // "--role": that option or one word, not both
  static constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();
};

struct CommandSpec {
  std::string name;
  Runner run = nullptr;
  Positional positional;
  std::vector<Option> options;
  std::string help;  // what it prints, for its own help
  // Beside it in the usage. Commands that follow one another without this, without
  // options and without positional arguments share one usage line ("a | b").
  std::string note;
};

// The options before the command (--plugin, --registry) and the commands, in the
// usage's order.
const std::vector<Option>& GlobalOptions();
const std::vector<CommandSpec>& Commands();

// Throws ToolFault where a table names what is not there: an option that contradicts
// or stands in for one the command does not have, a command without a runner, a name
// given twice. The tables above are checked so when first read.
void CheckTables(const std::vector<Option>& global, const std::vector<CommandSpec>& commands);

// One option as given.
struct Given {
  const Option* option = nullptr;
  std::string text;          // as typed
  long number = 0;           // Integer
  std::string name, value;   // Assignment: the parts around the first '='; Variable: name
};

// A command line read and checked against the tables. Every lookup names an option of
// the command (of the options before it, for findGlobal); any other name is a
// ToolFault, so that a misspelt name cannot quietly read as not given.
struct CommandLine {
  std::vector<Given> global;
  const CommandSpec* command = nullptr;  // null where the whole usage was asked for
  bool help = false;                     // help asked for: the usage, or the command's own
  std::vector<std::string> positional;
  std::vector<Given> options;            // in the order given

  bool has(const std::string& option) const;
  std::vector<const Given*> all(const std::string& option) const;
  const Given* find(const std::string& option) const;  // the one given, or null
  const Given* findGlobal(const std::string& option) const;
  std::string language() const;  // --lang's, else "en"
};

// Reads the words after the program's name. Every wrong use that the words show
// (an unknown command or option, a missing or refused option value, an option given
// more often than the table allows, counting a variable's name and number alike where
// both are numbers or both names, options that contradict each other, a wrong number
// of positional arguments, --interactive without a terminal) throws UsageError or
// Refused; nothing needs the plug-in. Help asked for comes back with help set.
CommandLine ParseCommandLine(const std::vector<std::string>& words);

// The checks of the options that name variables once the catalogue is known: a name
// and a number of one variable count as that one variable. NAME gives a variable's
// name for a name or number of the catalogue, else nothing (an unknown object, which
// the command itself reports). Throws UsageError.
void CheckVariablesNamed(const CommandLine& line,
                         const std::function<std::optional<std::string>(const std::string&)>& name);

// The whole usage, and one command's help.
std::string Usage();
std::string CommandHelp(const CommandSpec& command);

}  // namespace dtmtool
