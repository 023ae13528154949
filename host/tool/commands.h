// dtmhost's commands: what each does with the host once its command line is read. The
// command table (options.cpp) names each one's runner beside its options.
#pragma once
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dtmhost/host.h"
#include "options.h"

namespace dtmtool {

// A request that cannot be answered: exit status 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One run of the tool: the plug-in and registry it was given, and the host once the
// plug-in is loaded.
struct Session {
  std::string pluginPath;
  std::string registryPath;
  std::unique_ptr<dtmhost::Host> host;

  // Loads the plug-in. The options that name variables are then checked again with
  // the catalogue, where a name and a number of one variable count as one.
  dtmhost::Host& Open(const CommandLine& line);
  // The object named, of KIND where one is given; anything else fails, named as typed.
  const CDDDefinition& Find(const std::string& object, std::optional<enumDDObjectKind> kind = std::nullopt) const;
  // NAME=VALUE (split by the parser) as the variable's kind.
  std::pair<std::string, CDDCommonVariant> Assignment(const Given& given) const;
  // The data set for this run: --set and --unset on top of the defaults.
  void ApplyValues(const CommandLine& line);
  // Opens the host, finds the objects named and sets the values given.
  std::vector<const CDDDefinition*> Objects(const CommandLine& line);
  // The plug-in loaded alone, for the entry points that need no host.
  std::unique_ptr<dtmhost::PluginLibrary> Library() const;
};

// The runners: each answers what its command prints on stdout.
std::string Info(Session& s, const CommandLine& line);
std::string CatalogueCommand(Session& s, const CommandLine& line);
std::string Show(Session& s, const CommandLine& line);
std::string Valid(Session& s, const CommandLine& line);
std::string Run(Session& s, const CommandLine& line);
std::string Menu(Session& s, const CommandLine& line);
std::string Describe(Session& s, const CommandLine& line);
std::string Register(Session& s, const CommandLine& line);
std::string Unregister(Session& s, const CommandLine& line);
std::string RegistryCommand(Session& s, const CommandLine& line);
std::string CheckCommand(Session& s, const CommandLine& line);

// Whether a register or unregister of this run changed the registry, so that a failure
// after it does not read as a failed change.
bool ChangeMade();

}  // namespace dtmtool
