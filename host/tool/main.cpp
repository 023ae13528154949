// dtmhost: loads the device plug-in like a host and shows what it answers.
#include <csignal>
#include <cstdio>
#include <exception>
#include <iostream>
#include <new>
#include <stdexcept>

#include "commands.h"
#include "dtmhost/host.h"
#include "input.h"
#include "options.h"

namespace {

using dtmtool::CommandLine;
using dtmtool::Failure;
using dtmtool::Printable;
using dtmtool::UsageError;

// What a line on a failure adds once a change was made.
const char* Made() { return dtmtool::ChangeMade() ? " (the change itself was made)" : ""; }

int Main(int argc, char** argv) {
  // Every wrong use the command line shows is found here, before the plug-in is loaded.
  CommandLine line = dtmtool::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.help) {
    std::cout << (line.command ? dtmtool::CommandHelp(*line.command) : dtmtool::Usage());
    return 0;
  }
  dtmtool::Session session;
  session.pluginPath = dtmhost::DefaultPluginPath();
  if (const dtmtool::Given* plugin = line.findGlobal("--plugin")) session.pluginPath = plugin->text;
  if (const dtmtool::Given* registry = line.findGlobal("--registry")) session.registryPath = registry->text;
  std::cout << line.command->run(session, line) << std::flush;
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
  } catch (const dtmtool::ToolFault& e) {
    std::cerr << "dtmhost: a fault of dtmhost itself: " << Printable(e.what()) << Made() << "\n";
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
