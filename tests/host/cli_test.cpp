// The dtmhost tool as a user meets it: wrong use and failures give one line on
// stderr, nothing on stdout and a non-zero status; answers are JSON on stdout.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
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

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++count;
  return count;
}

TEST(Cli, WrongUseAndFailuresGiveOneErrorLine) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;  // part of the one stderr line
  };
  const Case cases[] = {
      {{}, 2, "no command given"},
      {{"frobnicate"}, 2, "unknown command frobnicate"},
      {{"--verbose", "info"}, 2, "unknown option --verbose"},
      {{"--plugin"}, 2, "option --plugin needs a value"},
      {{"show"}, 2, "show needs at least one OBJECT"},
      {{"show", "1", "--bogus"}, 2, "unknown option --bogus for show"},
      {{"show", "1", "--set"}, 2, "option --set needs a value"},
      {{"show", "1", "--set", "no_equals_sign"}, 2, "expected NAME=VALUE"},
      {{"catalogue", "extra"}, 2, "catalogue takes no argument extra"},
      {{"run"}, 2, "run needs exactly one METHOD"},
      {{"run", "method_set", "--abort-from", "0"}, 2, "bad call number: 0"},
      {{"run", "method_set", "--select", "x"}, 2, "bad selection: x"},
      {{"run", "method_message_no_access", "--interactive"}, 2, "--interactive needs a terminal on stdin"},
      {{"menu", "DTM_online_root_menu", "--role", "2"}, 2, "menu needs one OBJECT or one --role N"},
      {{"describe", "--lang", "xx"}, 2, "bad language: xx"},
      {{"show", "no_such_object"}, 1, "unknown object: no_such_object"},
      {{"show", "9999"}, 1, "unknown object: 9999"},
      {{"show", "1", "--set", "no_such_variable=1"}, 1, "unknown object: no_such_variable"},
      {{"show", "1", "--set", "manu_mode=abc"}, 1, "bad value for manu_mode: abc"},
      {{"show", "1", "--set", "manu_mode=99999999999"}, 1, "bad value for manu_mode"},
      {{"show", "1", "--set", "manu_mode=\"\xE2\x82\xAC\""}, 1, "bad value for manu_mode"},  // no Latin-1 byte
      // Numbers that do not fit are refused with the range, never clamped.
      {{"show", "1", "--set", "manu_mode=99999999999999999999"}, 1, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=1e10"}, 1, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=-1e10"}, 1, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=256"}, 1, "manu_mode takes integers from 0 to 255"},
      {{"show", "1", "--set", "manu_mode=0x10"}, 1, "bad value for manu_mode: 0x10"},
      {{"show", "1", "--set", "manu_relay_pv_switch_on=1e-400"}, 1, "bad value for manu_relay_pv_switch_on"},
      {{"show", "1", "--set", "manu_relay_pv_switch_on=1e400"}, 1, "bad value for manu_relay_pv_switch_on"},
      {{"show", "1", "--set", "manu_temperature_offset=1e999"}, 1,
       "manu_temperature_offset takes numbers from -1.7976931348623157e+308 to 1.7976931348623157e+308"},
      {{"show", "1", "--set", "phys_tag_desc=\"" + std::string(33, 'x') + "\""}, 1,
       "a text of 33 characters (phys_tag_desc takes texts of at most 32 characters)"},
      {{"--registry", "", "registry"}, 2, "option --registry needs a file name"},
      {{"show", "a\x1B[31m\xFF\xC3\xA9"}, 1, "unknown object: a\\x1b[31m\\xff\xC3\xA9\n"},  // escaped, UTF-8 kept
      {{"show", "1", "--unset", "method_set"}, 1, "not a variable: method_set"},
      {{"run", "manu_mode"}, 1, "not a method: manu_mode"},
      {{"menu", "manu_mode"}, 1, "not a menu: manu_mode"},
      {{"--plugin", "/nonexistent/lib.so", "catalogue"}, 1, "plug-in not found: /nonexistent/lib.so"},
      {{"--plugin", DTM_DDLIB_PATH, "info"}, 1, "lacks the entry point GetAttributeCalculation"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    Result r = Tool(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Count(r.err, "\n"), 1u) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
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
  std::filesystem::remove(path + ".lock");
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

  // Asked on a terminal: the message and prompt go to stderr, stdout keeps the JSON.
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  ASSERT_EQ(write(terminal, "\n\n", 2), 2);  // Enter for the acknowledgement, and one to spare
  Result asked = Tool({"run", "method_message_no_access", "--interactive"}, ptsname(terminal));
  close(terminal);
  ASSERT_EQ(asked.status, 0) << asked.err;
  EXPECT_EQ(asked.out.substr(0, 2), "{\n");
  EXPECT_EQ(asked.out.find("[Enter]"), std::string::npos);
  EXPECT_NE(asked.err.find("[Enter] "), std::string::npos) << asked.err;
}

}  // namespace
