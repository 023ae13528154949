// dtmhost's command tables and the lookups into a parsed line name only what is there:
// a misspelt name fails loudly instead of reading as an option not given.
#include <gtest/gtest.h>

#include <functional>

#include "options.h"

namespace {

using dtmtool::CommandSpec;
using dtmtool::Option;
using dtmtool::ToolFault;

CommandSpec& Named(std::vector<CommandSpec>& commands, const std::string& name) {
  for (CommandSpec& c : commands)
    if (c.name == name) return c;
  throw std::logic_error("no command " + name);
}

Option& OptionOf(CommandSpec& c, const std::string& name) {
  for (Option& o : c.options)
    if (o.name == name) return o;
  throw std::logic_error("no option " + name);
}

TEST(CommandTables, NameOnlyOptionsAndRunnersThatAreThere) {
  EXPECT_NO_THROW(dtmtool::CheckTables(dtmtool::GlobalOptions(), dtmtool::Commands()));

  const std::vector<std::pair<const char*, std::function<void(std::vector<CommandSpec>&)>>> faults = {
      {"a contradiction with no such option",
       [](auto& t) { OptionOf(Named(t, "run"), "--interactive").contradicts.push_back("--selekt"); }},
      {"a contradiction for a variable with no such option",
       [](auto& t) { OptionOf(Named(t, "show"), "--unset").contradictsForVariable = {"--sett"}; }},
      {"an option standing in with no such option", [](auto& t) { Named(t, "menu").positional.instead = "--rol"; }},
      {"a command without a runner", [](auto& t) { Named(t, "info").run = nullptr; }},
      {"a command named twice", [](auto& t) {
         CommandSpec copy = Named(t, "check");
         t.push_back(copy);
       }},
      {"an option named twice", [](auto& t) {
         Option copy = OptionOf(Named(t, "show"), "--reads");
         Named(t, "show").options.push_back(copy);
       }},
      {"a command's option that goes before the command",
       [](auto& t) { Named(t, "valid").options.push_back(dtmtool::GlobalOptions().front()); }},
  };
  for (const auto& [what, fault] : faults) {
    SCOPED_TRACE(what);
    std::vector<CommandSpec> table = dtmtool::Commands();
    fault(table);
    EXPECT_THROW(dtmtool::CheckTables(dtmtool::GlobalOptions(), table), ToolFault);
  }
}

TEST(CommandTables, ALookupOfAnOptionTheCommandLacksFails) {
  dtmtool::CommandLine line = dtmtool::ParseCommandLine({"--plugin", "p.so", "show", "1", "--reads"});
  EXPECT_TRUE(line.has("--reads"));
  EXPECT_TRUE(line.all("--set").empty());
  ASSERT_TRUE(line.findGlobal("--plugin"));
  EXPECT_EQ(line.findGlobal("--plugin")->text, "p.so");
  EXPECT_THROW(line.has("--read"), ToolFault);
  EXPECT_THROW(line.all("--edit"), ToolFault);  // run's, not show's
  EXPECT_THROW(line.find("--lang"), ToolFault);
  EXPECT_THROW(line.findGlobal("--plugins"), ToolFault);
  EXPECT_THROW(line.findGlobal("--reads"), ToolFault);
}

}  // namespace
