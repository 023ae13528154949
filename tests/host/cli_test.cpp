// The dtmhost tool as a user meets it: wrong use and failures give one line on
// stderr, nothing on stdout and a non-zero status; answers are JSON on stdout.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Result {
  int status = -1;
  std::string out, err;
};

std::string ShellQuote(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The tool with stdin read from INPUT and stdout, unless OUTPUT names a file, answered.
Result Tool(const std::vector<std::string>& args, const std::string& input = "/dev/null",
            const std::string& output = "") {
  std::string errPath = (std::filesystem::temp_directory_path() / ("dtmhost-err-" + std::to_string(getpid()))).string();
  std::string command = ShellQuote(DTM_HOST_TOOL);
  for (const auto& a : args) (command += ' ') += ShellQuote(a);
  command += " 2>" + ShellQuote(errPath) + " <" + ShellQuote(input);
  if (!output.empty()) command += " >" + ShellQuote(output);
  Result r;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return r;
  std::array<char, 4096> buf;
  std::size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) r.out.append(buf.data(), n);
  int status = pclose(pipe);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream err(errPath);
  std::stringstream ss;
  ss << err.rdbuf();
  r.err = ss.str();
  std::filesystem::remove(errPath);
  return r;
}

// The tool with stdout a pipe whose reader is gone, as after `| head -c 1` has ended,
// and with SIGPIPE as a shell leaves it.
Result ToolIntoClosedPipe(const std::vector<std::string>& args) {
  Result r;
  int out[2], err[2];
  if (pipe(out) != 0) return r;
  close(out[0]);  // a write now fails (EPIPE) or, where not ignored, raises SIGPIPE
  if (pipe(err) != 0) return r;
  std::vector<char*> argv{const_cast<char*>(DTM_HOST_TOOL)};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    if (in < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out[1], STDOUT_FILENO) < 0 || dup2(err[1], STDERR_FILENO) < 0)
      _exit(127);
    std::signal(SIGPIPE, SIG_DFL);
    execv(DTM_HOST_TOOL, argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  std::array<char, 4096> buf;
  for (ssize_t n; (n = read(err[0], buf.data(), buf.size())) > 0;) r.err.append(buf.data(), static_cast<std::size_t>(n));
  close(err[0]);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid) r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return r;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++count;
  return count;
}

TEST(Cli, WrongUseAndFailuresGiveOneErrorLine) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;  // part of the one stderr line; with status 0, part of stdout
  };
  const Case cases[] = {
      {{}, 2, "no command given"},
      {{"frobnicate"}, 2, "unknown command \"frobnicate\""},
      {{"--verbose", "info"}, 2, "unknown option \"--verbose\""},
      {{"--plugin"}, 2, "option --plugin needs a value"},
      {{"show"}, 2, "show needs at least one OBJECT"},
      {{"show", "1", "--bogus"}, 2, "unknown option \"--bogus\" for show"},
      {{"show", "1", "--set"}, 2, "option --set needs a value"},
      {{"show", "1", "--set", "no_equals_sign"}, 2, "bad assignment: \"no_equals_sign\" (--set takes NAME=VALUE)"},
      {{"catalogue", "extra"}, 2, "catalogue takes no argument \"extra\""},
      {{"run"}, 2, "run needs exactly one METHOD"},
      // An option's refused value says what the option takes; an empty one is named so.
      {{"run", "method_set", "--abort-from", "0"}, 2, "bad call number: \"0\" (--abort-from takes integers from 1 to 1000000)"},
      {{"run", "method_set", "--select", "1.5"}, 2,
       "bad selection: \"1.5\" (--select takes decimal digits with an optional sign, no blank)"},
      {{"run", "method_set", "--select", "99999999999"}, 2,
       "bad selection: \"99999999999\" (--select takes integers from -2147483648 to 2147483647, a list's positions from 0)"},
      {{"run", "method_set", "--abort-from", "1e2"}, 2, "(--abort-from takes decimal digits with an optional sign, no blank)"},
      {{"run", "method_set", "--select", ""}, 2, "bad selection: an empty value (--select takes decimal digits"},
      {{"menu", "--role", "99999999999"}, 2, "bad role: \"99999999999\" (--role takes integers from -2147483648 to 2147483647)"},
      {{"show", "1", "--set", "=1"}, 2, "bad assignment: \"=1\", an empty name (--set takes NAME=VALUE)"},
      {{"show", "1", "--unset", ""}, 2, "bad variable: an empty name (--unset takes NAME)"},
      {{"show", " 1"}, 1, "unknown object: \" 1\""},  // numbers are read without blanks everywhere
      {{"--plugin", "", "info"}, 2, "option --plugin needs a file name"},
      // Options given twice or contradicting each other are wrong use, not a silent choice.
      {{"--plugin", "a.so", "--plugin", "b.so", "info"}, 2, "option --plugin given more than once"},
      {{"--registry", "a", "--registry", "b", "registry"}, 2, "option --registry given more than once"},
      {{"run", "method_set", "--abort-from", "1", "--abort-from", "2"}, 2, "option --abort-from given more than once"},
      {{"show", "1", "--set", "manu_mode=4", "--unset", "manu_mode"}, 2,
       "options --set \"manu_mode=4\" and --unset \"manu_mode\" contradict each other"},
      {{"show", "1", "--unset", "215", "--set", "manu_mode=4"}, 2, "options --set \"manu_mode=4\" and --unset \"215\" contradict"},
      {{"run", "method_set", "--interactive", "--edit", "manu_mode=1"}, 2, "options --interactive and --edit contradict"},
      {{"run", "method_set", "--select", "0", "--interactive"}, 2, "options --interactive and --select contradict"},
      {{"run", "method_message_no_access", "--interactive"}, 2, "--interactive needs a terminal on stdin"},
      {{"menu", "DTM_online_root_menu", "--role", "2"}, 2, "menu needs one OBJECT or one --role N"},
      {{"describe", "--lang", "xx"}, 2, "bad language: \"xx\" (--lang takes en, de, fr, it or es)"},
      {{"describe", "--lang", ""}, 2, "bad language: an empty value (--lang takes"},
      {{"describe", "--lang", "de", "--lang", "de"}, 2, "option --lang given more than once"},
      {{"menu", "--role", "15"}, 1,
       "the information object names the menu __MVX__CommunicationMenu for role 15, and no object bears that name"},
      {{"show", "no_such_object"}, 1, "unknown object: \"no_such_object\""},
      {{"show", "9999"}, 1, "unknown object: \"9999\""},
      {{"show", "1", "--set", "no_such_variable=1"}, 1, "unknown object: \"no_such_variable\""},
      // A refused value is wrong use; the refusal names what the variable takes.
      {{"show", "1", "--set", "manu_mode=abc"}, 2, "bad value for manu_mode: \"abc\" (manu_mode takes integers from 0 to 255)"},
      {{"show", "1", "--set", "manu_mode=1.5"}, 2, "bad value for manu_mode: \"1.5\" (manu_mode takes integers from 0 to 255)"},
      {{"run", "method_set", "--edit", "manu_mode=\"1\""}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=\"\xE2\x82\xAC\""}, 2, "manu_mode takes integers from 0 to 255"},  // no Latin-1 byte
      // Numbers that do not fit are refused with the range, never clamped.
      {{"show", "1", "--set", "manu_mode=99999999999"}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=99999999999999999999"}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=1e10"}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=-1e10"}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=256"}, 2, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=0x10"}, 2, "bad value for manu_mode: \"0x10\" (manu_mode takes"},
      // A single-precision variable takes what a float holds.
      {{"show", "1", "--set", "manu_temperature_offset=1e999"}, 2,
       "bad value for manu_temperature_offset: \"1e999\" (manu_temperature_offset takes numbers from "
       "-3.4028234663852886e+38 to 3.4028234663852886e+38)"},
      {{"show", "1", "--set", "manu_temperature_offset=3.5e38"}, 2, "manu_temperature_offset takes numbers from -3.40"},
      {{"run", "method_set", "--edit", "manu_temperature_offset=-1e39"}, 2, "manu_temperature_offset takes numbers from -3.40"},
      {{"show", "1", "--set", "manu_temperature_offset=3.4028236e38"}, 2, "manu_temperature_offset takes numbers from"},
      {{"show", "1", "--set", "manu_temperature_offset=-1e-46"}, 2,
       "bad value for manu_temperature_offset: \"-1e-46\" (a float holds it as 0)"},
      // Also where even a double holds it as 0.
      {{"show", "1", "--set", "manu_relay_pv_switch_on=1e-400"}, 2,
       "bad value for manu_relay_pv_switch_on: \"1e-400\" (a float holds it as 0)"},
      {{"run", "method_set", "--edit", "manu_temperature_offset=-0." + std::string(400, '0') + "1"}, 2,
       "(a float holds it as 0)"},
      {{"show", "1", "--set", "phys_tag_desc=\"" + std::string(33, 'x') + "\""}, 2,
       "a text of 33 characters (phys_tag_desc takes texts in quotes of at most 32 Latin-1 characters)"},
      {{"show", "1", "--set", "phys_tag_desc=3"}, 2, "phys_tag_desc takes texts in quotes of at most 32 Latin-1 characters"},
      // Without built attributes the host knows no type: any kind, only the form is checked.
      {{"show", "1", "--set", "manu_relay_number=abc"}, 2,
       "manu_relay_number takes integers from -2147483648 to 4294967295, numbers from"},
      {{"--registry", "", "registry"}, 2, "option --registry needs a file name"},
      {{"show", "a\x1B[31m\xFF\xC3\xA9"}, 1, "unknown object: \"a\\x1b[31m\\xff\xC3\xA9\"\n"},  // escaped, UTF-8 kept
      {{"show", "1", "--unset", "method_set"}, 1, "not a variable: \"method_set\" names the method method_set"},
      {{"run", "manu_mode"}, 1, "not a method: \"manu_mode\" names the variable manu_mode"},
      {{"menu", "manu_mode"}, 1, "not a menu: \"manu_mode\" names the variable manu_mode"},
      {{"--plugin", "/nonexistent/lib.so", "catalogue"}, 1, "plug-in not found: \"/nonexistent/lib.so\""},
      {{"--plugin", DTM_DDLIB_PATH, "info"}, 1, "lacks the entry point GetAttributeCalculation"},
      {{"--plugin", "/", "catalogue"}, 1, "plug-in is not a regular file: \"/\""},
      // A refused value is shown quoted as typed, so that blanks and quotes show; an empty
      // one is named so.
      {{"show", "1", "--set", "manu_mode= 1"}, 2, "bad value for manu_mode: \" 1\" (no blank may stand before or after a value)"},
      {{"show", "a\\xffb"}, 1, "unknown object: \"a\\\\xffb\""},  // a backslash typed is not an escape shown
      {{"show", "1", "--set", "manu_mode=\"1\""}, 2, "bad value for manu_mode: '\"1\"' (manu_mode takes"},
      {{"show", "1", "--set", "manu_mode=\"it's\""}, 2, "bad value for manu_mode: \"\\x22it's\\x22\" (manu_mode takes"},
      {{"show", "1", "--set", "manu_mode=\x1B"}, 2, "bad value for manu_mode: \"\\x1b\" (manu_mode takes"},
      {{"run", "method_set", "--select", " 1"}, 2, "bad selection: \" 1\" (--select takes"},
      {{"show", "1", "--set", ""}, 2, "bad assignment: an empty value (--set takes NAME=VALUE)"},
      {{"run", "method_set", "--edit", ""}, 2, "bad assignment: an empty value (--edit takes NAME=VALUE)"},
      // An option is given once, or once per variable, a name and a number alike.
      {{"show", "1", "--set", "manu_mode=1", "--set", "manu_mode=2"}, 2, "option --set given more than once for \"manu_mode\""},
      {{"show", "1", "--set", "manu_mode=1", "--set", "215=2"}, 2, "option --set given more than once for \"manu_mode\""},
      {{"show", "1", "--unset", "215", "--unset", "manu_mode"}, 2,
       "option --unset given more than once for \"215\" and \"manu_mode\", one variable"},
      {{"run", "method_set", "--edit", "161=1", "--edit", "phys_factory_reset=2"}, 2,
       "option --edit given more than once for \"161\" and \"phys_factory_reset\", one variable"},
      {{"show", "1", "--reads", "--reads"}, 2, "option --reads given more than once"},
      {{"run", "method_set", "--suppress-abort", "--suppress-abort"}, 2, "option --suppress-abort given more than once"},
      {{"run", "method_set", "--interactive", "--interactive"}, 2, "option --interactive given more than once"},
      {{"menu", "--role", "2", "--role", "3"}, 2, "option --role given more than once"},
      // Wrong use is found before the plug-in is loaded: whatever the plug-in, exit 2.
      {{"--plugin", "/nonexistent/lib.so", "show"}, 2, "show needs at least one OBJECT"},
      {{"--plugin", "/nonexistent/lib.so", "run"}, 2, "run needs exactly one METHOD"},
      {{"--plugin", "/nonexistent/lib.so", "menu"}, 2, "menu needs one OBJECT or one --role N"},
      {{"--plugin", "/nonexistent/lib.so", "show", "1", "--set", "manu_mode"}, 2, "bad assignment: \"manu_mode\""},
      {{"--plugin", "/nonexistent/lib.so", "show", "1", "--set", "215=1", "--set", "+0215=2"}, 2,
       "option --set given more than once for \"215\""},
      {{"--plugin", "/nonexistent/lib.so", "valid", "1", "--unset", "x", "--set", "x=1"}, 2,
       "options --set \"x=1\" and --unset \"x\" contradict each other"},
      {{"--plugin", "/nonexistent/lib.so", "run", "m", "--select", "x"}, 2, "bad selection: \"x\""},
      // A value no variable takes needs no type: refused also when the plug-in cannot load.
      {{"--plugin", "/nonexistent/lib.so", "show", "1", "--set", "manu_mode=abc"}, 2,
       "bad value for manu_mode: \"abc\" (no variable takes it"},
      {{"--plugin", "/nonexistent/lib.so", "run", "m", "--edit", "x=1e999"}, 2, "bad value for x: \"1e999\" (no variable"},
      {{"--plugin", "/nonexistent/lib.so", "show", "1", "--set", "x=1.5"}, 1, "plug-in not found"},
      {{"--plugin", "/nonexistent/lib.so", "run", "m", "--interactive", "--edit", "x=1"}, 2,
       "options --interactive and --edit contradict each other"},
      {{"--plugin", "/nonexistent/lib.so", "run", "m", "--interactive"}, 2, "--interactive needs a terminal on stdin"},
      {{"--plugin", "/nonexistent/lib.so", "menu", "--role", "x"}, 2, "bad role: \"x\""},
      {{"--plugin", "/", "menu", "m", "--lang", "x"}, 2, "bad language: \"x\""},
      // An integer is judged by the text's exact value: a fraction however near a whole.
      {{"show", "1", "--set", "manu_mode=1.9999999999999999"}, 2, "\"1.9999999999999999\" (manu_mode takes integers"},
      {{"show", "1", "--set", "manu_mode=254.99999999999999"}, 2, "\"254.99999999999999\" (manu_mode takes integers"},
      {{"show", "1", "--set", "manu_mode=1.0", "--set", "manu_sensor_type=1e2", "--set", "manu_unit_display=0.5e1"}, 0,
       "\"number\": 1,"},
      // Names and paths are echoed quoted, so that a blank shows.
      {{"show", " manu_mode"}, 1, "unknown object: \" manu_mode\"\n"},
      {{"show", "1", "--unset", " "}, 1, "unknown object: \" \"\n"},
      {{"show", "1", "--set", " X=1", "--set", " X=2"}, 2, "option --set given more than once for \" X\" ("},
      {{"--plugin", " ", "info"}, 1, "plug-in not found: \" \"\n"},
      // A word with a leading '-' that is no number is an option; a negative number an object.
      {{"show", "manu_mode", "-s"}, 2, "unknown option \"-s\" for show"},
      {{"show", "-5"}, 1, "unknown object: \"-5\""},
      {{"-x", "info"}, 2, "unknown option \"-x\""},
      {{"--set", "x=1", "show", "1"}, 2, "option --set goes after the command: dtmhost show --set NAME=VALUE"},
      {{"info", "--plugin", "/x"}, 2, "option --plugin goes before the command: dtmhost --plugin PATH info"},
      {{"registry", "--registry", "r"}, 2, "option --registry goes before the command: dtmhost --registry FILE registry"},
      // An object of the wrong kind is named alike by every command.
      {{"run", "2"}, 1, "not a method: \"2\" names the command read__MVX__phys_device_man_id\n"},
      {{"menu", "2"}, 1, "not a menu: \"2\" names the command read__MVX__phys_device_man_id\n"},
      // A refusal names the rule the value breaks, never a range that holds it.
      {{"show", "1", "--set", "manu_relay_number=1e-400"}, 2, "\"1e-400\" (a double holds it as 0)\n"},
      {{"show", "1", "--set", "manu_relay_number=99999999999999999999999"}, 2,
       "(manu_relay_number takes integers from -2147483648 to 4294967295)\n"},
      {{"--plugin", "/nonexistent/lib.so", "show", "1", "--set", "a=1e-400"}, 2,
       "\"1e-400\" (no variable takes it: a double holds it as 0)\n"},
      {{"show", "1", "--set", "phys_tag_desc=\"\xFF\""}, 2,
       "(not UTF-8: dtmhost reads the command line and typed answers as UTF-8)\n"},
      // A float variable holds the float the text rounds to, as the range built from it shows.
      {{"show", "manu_temperature_process_entry", "--set", "manu_meas_value_temperature=3.4028235677973366e+38", "--set",
        "manu_temperature_offset=0"},
       0, "\"value\": 3.4028234663852886e+38"},
      // A text in single quotes is a text too.
      {{"show", "1", "--set", "phys_tag_desc='x'"}, 0, "\"number\": 1,"},
      // Help: the usage, or the command's own, on stdout; nothing on stderr.
      {{"--help"}, 0, "usage: dtmhost [--plugin PATH] [--registry FILE] COMMAND\n"},
      {{"-h"}, 0, "usage: dtmhost [--plugin PATH] [--registry FILE] COMMAND\n"},
      {{"show", "--help"}, 0, "usage: dtmhost [--plugin PATH] [--registry FILE] show OBJECT... [--set NAME=VALUE]..."},
      {{"--plugin", "/nonexistent/lib.so", "show", "-h"}, 0, "  --reads "},
      {{"menu", "--help"}, 0, "  --lang en|de|fr|it|es  "},
      {{"run", "method_set", "--abort-from", "0", "-h"}, 0, "not with --edit or --select"},
      // A float takes what rounds from the text to a finite, non-zero float.
      {{"show", "1", "--set", "manu_temperature_offset=3.4028235677973366e+38"}, 0, "\"number\": 1,"},
      {{"show", "1", "--set", "manu_temperature_offset=7.006492321624086e-46"}, 0, "\"number\": 1,"},
      // Options for different variables, and --select once per list, are taken.
      {{"show", "1", "--set", "manu_mode=1", "--set", "214=2", "--unset", "manu_sensor_type"}, 0, "\"number\": 1,"},
      {{"run", "method_select_relay", "--set", "manu_relay_number=4", "--select", "2", "--select", "1"}, 0,
       "\"manu_relay_select_relay\": {\n      \"kind\": \"int\",\n      \"value\": 2\n"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    Result r = Tool(c.args);
    EXPECT_EQ(r.status, c.status);
    if (c.status == 0) {
      EXPECT_EQ(r.err, "");
      EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
      continue;
    }
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Count(r.err, "\n"), 1u) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  // A text as long as its variable is taken (one byte more is refused above), and so is
  // the largest float.
  EXPECT_EQ(Tool({"show", "1", "--set", "phys_tag_desc=\"" + std::string(32, 'x') + "\""}).status, 0);
  // the largest float in its usual forms, and the smallest above zero.
  for (const char* value : {"-3.4028234663852886e+38", "3.40282347e+38", "3.4028235e38", "1e-45"})
    EXPECT_EQ(Tool({"show", "1", "--set", std::string("manu_temperature_offset=") + value}).status, 0) << value;

  // Output that cannot be written is no answer: a short one flushed at the end, a long
  // one failing on the way, and help.
  for (const char* command : {"info", "describe", "--help"}) {
    SCOPED_TRACE(command);
    Result r = Tool({command}, "/dev/null", "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "dtmhost: cannot write the output\n");
  }
}

TEST(Cli, HelpListsTheCommands) {
  Result r = Tool({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* command : {"info", "catalogue", "show", "valid", "run", "menu", "describe", "register"})
    EXPECT_NE(r.out.find(command), std::string::npos) << command;
}

TEST(Cli, CatalogueListsEveryRegisteredObject) {
  Result r = Tool({"catalogue"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Count(r.out, "\"number\""), 540u);
  EXPECT_EQ(r.out.front(), '[');
  EXPECT_NE(r.out.find("\"name\": \"manu_relay_pv_switch_on\""), std::string::npos);
}

TEST(Cli, ShowAnswersOneObjectPerRequestWithItsReads) {
  Result r = Tool({"show", "manu_mode", "227", "--set", "manu_mode=1", "--unset", "manu_sensor_type", "--reads"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Count(r.out, "\"reads\""), 2u);
  EXPECT_EQ(Count(r.out, "\"available\""), 2u);
  EXPECT_NE(r.out.find("\"name\": \"manu_mode\""), std::string::npos);
  EXPECT_LT(r.out.find("\"manu_mode\""), r.out.find("\"manu_relay_pv_switch_on\""));

  // A command names the block its index is relative to, or null beside its slot.
  Result commands = Tool({"show", "write_phys_factory_reset", "read_manu_mode"});
  ASSERT_EQ(commands.status, 0) << commands.err;
  EXPECT_NE(commands.out.find("\"block\": \"physical_block\",\n    \"slot\": null,\n    \"index\": 19"),
            std::string::npos) << commands.out;
  EXPECT_NE(commands.out.find("\"block\": null,\n    \"slot\": 1,"), std::string::npos) << commands.out;
}

TEST(Cli, RegistrationPersistsInTheRegistryFileGiven) {
  std::string path = (std::filesystem::temp_directory_path() / ("dtmhost-registry-" + std::to_string(getpid()))).string();
  struct Step {
    const char* command;
    bool registered;  // the plug-in's key is in the registry afterwards
  };
  for (const Step& step : {Step{"registry", false}, Step{"register", true}, Step{"registry", true},
                           Step{"unregister", false}, Step{"registry", false}}) {
    SCOPED_TRACE(step.command);
    Result r = Tool({"--registry", path, step.command});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("\"DLLPATH\"") != std::string::npos, step.registered) << r.out;
  }
  // A change made whose output then fails is not taken for a failed change.
  Result unwritten = Tool({"--registry", path, "register"}, "/dev/null", "/dev/full");
  EXPECT_EQ(unwritten.status, 1);
  EXPECT_EQ(unwritten.err, "dtmhost: cannot write the output (the change itself was made)\n");
  // Nor is a reader that went away: the failed write is such an output failure.
  for (const char* command : {"unregister", "register"}) {
    SCOPED_TRACE(command);
    Result piped = ToolIntoClosedPipe({"--registry", path, command});
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.err, "dtmhost: cannot write the output (the change itself was made)\n");
  }
  EXPECT_EQ(Tool({"--registry", path, "unregister"}).status, 0);
  // No change, no claim: an unregistration with no key to delete, a registration that
  // finds its key as it would write it.
  Result none = Tool({"--registry", path, "unregister"}, "/dev/null", "/dev/full");
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "dtmhost: cannot write the output\n");
  ASSERT_EQ(Tool({"--registry", path, "register"}).status, 0);
  Result again = Tool({"--registry", path, "register"}, "/dev/null", "/dev/full");
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "dtmhost: cannot write the output\n");
  EXPECT_EQ(Tool({"--registry", path, "unregister"}).status, 0);
  // A file that cannot be parsed is no empty registry: every command fails with one line.
  std::ofstream(path, std::ios::app) << "garbage\n";
  for (const char* command : {"registry", "register", "unregister"}) {
    SCOPED_TRACE(command);
    Result r = Tool({"--registry", path, command});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Count(r.err, "\n"), 1u) << r.err;
  }
  std::filesystem::remove(path);
  std::string lock = ".";  // the registry's lock file beside it
  lock += std::filesystem::path(path).filename().string();
  lock += ".lock";
  std::filesystem::remove(std::filesystem::path(path).parent_path() / lock);

  // A missing folder reads as an empty registry, but no change goes into it; the code
  // is shown as the entry points name it.
  Result read = Tool({"--registry", path + ".d/registry", "registry"});
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "{}\n");
  Result refused = Tool({"--registry", path + ".d/registry", "register"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.rfind("dtmhost: registration failed with 0x80004005: ", 0), 0u) << refused.err;
}

// Names stand beside the codes for a person; the JSON that tools read keeps the codes.
TEST(Cli, DescribeAndMenuNameTheCodesThatShowKeepsBare) {
  Result describe = Tool({"describe"});
  ASSERT_EQ(describe.status, 0) << describe.err;
  for (const char* text : {"#1 __MVX__phys_device_man_id (variable)\n  available: true\n  label: \"\"\n"
                           "  class: 14 ClassContained\n  type: Integer 2\n    scaling: 1\n",
                           "  class: 9 ClassDynamic, 14 ClassContained\n", "qualifications: 1 ReadOnly\n",
                           "qualifications: 3 Code3\n", "  class: 14 MethodClassContained\n"})
    EXPECT_NE(describe.out.find(text), std::string::npos) << text;

  Result menu = Tool({"menu", "--role", "2"});
  ASSERT_EQ(menu.status, 0) << menu.err;
  EXPECT_NE(menu.out.find("[manu_mode_help] (qualification 3 Code3)\n"), std::string::npos);

  Result show = Tool({"show", "__MVX__phys_device_man_id", "Tab_m_QZ_Device_Matrix_v0"});
  ASSERT_EQ(show.status, 0) << show.err;
  for (const char* text : {"\"class\": [\n      14\n    ]", "\"code\": 2,\n      \"size\": 2,",
                           "\"qualifications\": [\n          1\n        ]"})
    EXPECT_NE(show.out.find(text), std::string::npos) << text;
  EXPECT_EQ(show.out.find("Class"), std::string::npos);
  EXPECT_EQ(show.out.find("ReadOnly"), std::string::npos);
}

TEST(Cli, InfoAndRunAnswerJson) {
  Result info = Tool({"info"});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("\"menuNames\": {"), std::string::npos);

  Result run = Tool({"run", "method_delay_1s", "--select", "1", "--abort-from", "1", "--suppress-abort"});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* key : {"\"result\": ", "\"trace\": [", "\"changed\": {"})
    EXPECT_NE(run.out.find(key), std::string::npos) << key;

  // Only variables, menus and methods have a validity condition; the other kinds answer null.
  Result valid = Tool({"valid", "manu_mode", "read_manu_mode", "refresh_temperature", "physical_block",
                       "DTM_online_root_menu", "method_set"});
  ASSERT_EQ(valid.status, 0) << valid.err;
  EXPECT_EQ(Count(valid.out, "\"valid\": true"), 3u) << valid.out;
  for (const char* name : {"read_manu_mode", "refresh_temperature", "physical_block"})
    EXPECT_NE(valid.out.find(std::string("\"name\": \"") + name + "\",\n    \"valid\": null"), std::string::npos) << name;
}

// The tool asked on a pseudo-terminal: ANSWERS are typed ahead on it, stdin is the
// terminal; what the tool wrote to the terminal (the echoed answers among it) is
// answered in Result::err, stderr must stay empty. The answers end with the end of
// input, so a tool that asks once too often ends instead of waiting for ever.
Result Typed(const std::vector<std::string>& args, std::string answers) {
  answers += "\x04";
  Result r;
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) return r;
  // Held open while the answers wait for the tool; once it is closed too, reads give
  // what the tool wrote and then end.
  int user = open(ptsname(terminal), O_RDWR | O_NOCTTY);
  if (write(terminal, answers.data(), answers.size()) == static_cast<ssize_t>(answers.size())) {
    r = Tool(args, ptsname(terminal));
    EXPECT_EQ(r.err, "");
  }
  close(user);
  std::array<char, 4096> buf;
  for (ssize_t n; (n = read(terminal, buf.data(), buf.size())) > 0;) r.err.append(buf.data(), n);
  close(terminal);
  return r;
}

// A typed answer is checked as an --edit value is, and a refused one is asked again
// with the reason; a selection must be a position of the list; the end of input
// (Ctrl-D) is the user's abort.
TEST(Cli, InteractiveAnswersAreCheckedAndAskedAgain) {
  const std::string reset = "method_phys_factory_reset_device_specific";
  // The same answer gives the same JSON as the script: a value as --edit, an empty
  // answer as no --edit (nothing put, nothing changed).
  Result edited = Typed({"run", reset, "--interactive"}, "70000\nabc\n5\n");
  EXPECT_EQ(edited.status, 0);
  EXPECT_NE(edited.out.find("\"phys_factory_reset\": {\n      \"kind\": \"int\",\n      \"value\": 5\n"),
            std::string::npos) << edited.out;
  EXPECT_EQ(edited.out, Tool({"run", reset, "--edit", "phys_factory_reset=5"}).out);
  for (const char* refused : {"70000", "abc"})
    EXPECT_NE(edited.err.find(std::string("bad value for phys_factory_reset: ") + refused +
                              " (phys_factory_reset takes integers from 0 to 65535)\r\nphys_factory_reset [int 0]: "),
              std::string::npos) << edited.err;

  Result kept = Typed({"run", reset, "--interactive"}, "\n");
  EXPECT_NE(kept.out.find("\"changed\": {}"), std::string::npos) << kept.out;
  EXPECT_EQ(kept.out, Tool({"run", reset}).out);

  Result ended = Typed({"run", reset, "--interactive"}, "");
  EXPECT_EQ(ended.status, 0);
  EXPECT_EQ(ended.out.substr(0, 16), "{\n  \"result\": -2") << ended.out;
  EXPECT_EQ(ended.out.find("\"write_phys_factory_reset\""), std::string::npos) << ended.out;

  Result selected = Typed({"run", "method_select_relay", "--set", "manu_relay_number=4", "--interactive"}, "x\n4\n\n2\n");
  EXPECT_EQ(selected.status, 0);
  EXPECT_NE(selected.out.find("\"manu_relay_select_relay\": {\n      \"kind\": \"int\",\n      \"value\": 2\n"),
            std::string::npos) << selected.out;
  for (const char* refused : {"x", "4", "an empty answer"})
    EXPECT_NE(selected.err.find(std::string("not a position: ") + refused + " (the positions are 0 to 3)"),
              std::string::npos) << selected.err;

  Result acknowledged = Typed({"run", "method_message_no_access", "--interactive"}, "\n");
  EXPECT_EQ(acknowledged.status, 0);
  EXPECT_EQ(acknowledged.out.find("[Enter]"), std::string::npos);
  EXPECT_NE(acknowledged.err.find("[Enter] "), std::string::npos) << acknowledged.err;

  // Only Enter alone acknowledges: anything else is asked again, and the end of input
  // then aborts before the write.
  const std::string params = "method_phys_factory_reset_params";
  for (const char* answers : {"no\n", "no\n\n"}) {
    SCOPED_TRACE(answers);
    Result r = Typed({"run", params, "--interactive"}, answers);
    bool goesOn = std::string(answers) == "no\n\n";
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("not Enter alone: no (Enter goes on, the end of input aborts)\r\n[Enter] "), std::string::npos)
        << r.err;
    EXPECT_EQ(r.out.find("\"write_phys_factory_reset\"") != std::string::npos, goesOn) << r.out;
    EXPECT_EQ(r.out.substr(0, 16), goesOn ? "{\n  \"result\": 0," : "{\n  \"result\": -2") << r.out;
  }
  // Where the run suppresses the abort, the end of input does not stop it, and the
  // prompt says so.
  Result suppressed = Typed({"run", params, "--interactive", "--suppress-abort"}, "no\n");
  EXPECT_NE(suppressed.err.find("not Enter alone: no (Enter goes on; the end of input aborts, but this run "
                                "suppresses the abort)"),
            std::string::npos) << suppressed.err;
}

}  // namespace
