// What a person gives the tool: values on the command line and answers typed at the
// terminal, checked alike, and texts shown back safely.
#pragma once
#include <stdexcept>
#include <string>

#include "dtmhost/host.h"

namespace dtmtool {

// A value refused for a variable or an option; the message names what it takes.
struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// VALUE as typed (an integer, a decimal number or a quoted text) as the kind of the
// variable NAME. A value that does not fit the variable's kind (a fraction for an
// integer, judged by its exact decimal value), what its type and size hold (a float's
// range for a single-precision one, which then holds the float the text rounds to) or
// its text size is refused, never clamped. The variable's own ranges are not checked: a device may hold any value its
// kind can. A refusal shows the value quoted (Echo) where QUOTED is true, as the command
// line's are; an answer typed at the terminal, just above the refusal, is shown bare.
CDDCommonVariant TypedValue(dtmhost::Host& host, const std::string& name, const std::string& typed,
                            bool quoted = false);

// Refuses, as wrong use, a VALUE that no variable takes: none of the forms above, a
// text that is not UTF-8, or a decimal that even a double holds only as infinite or as
// 0. For when the variable's type cannot be known.
void CheckValueForm(const std::string& name, const std::string& typed);

// Whether TEXT is a number as a value is typed: digits with an optional sign, point and
// exponent.
bool IsNumber(const std::string& text);

// A value as typed, for a refusal, as dtmhost::Echo shows it ("an empty value").
std::string Echo(const std::string& typed);

// A name or path as typed, for a message: as Echo shows a value ("an empty name").
std::string EchoName(const std::string& typed);

// A message for the terminal: control characters and bytes that are not UTF-8 are
// shown escaped (\xff), so that what the user typed cannot steer the terminal.
std::string Printable(const std::string& text);

// Answers read from stdin, a terminal, with messages and prompts written to that same
// terminal (TERMINAL, open for writing, owned); a refused answer is asked again with
// the reason.
class TerminalDialogue : public dtmhost::Dialogue {
 public:
  // suppressed: the run suppresses the abort, so the end of input does not stop it.
  TerminalDialogue(dtmhost::Host& host, int terminal, bool suppressed);
  ~TerminalDialogue() override;
  TerminalDialogue(const TerminalDialogue&) = delete;
  TerminalDialogue& operator=(const TerminalDialogue&) = delete;

  void show(const std::string& text) override;
  bool confirm() override;
  Entry value(const std::string& variable) override;
  std::optional<long> choice(const std::vector<std::string>& options) override;

 private:
  void write(const std::string& utf8);
  std::optional<std::string> ask(const std::string& prompt);  // nothing at the end of input

  dtmhost::Host& m_host;
  int m_terminal;
  bool m_suppressed;
};

}  // namespace dtmtool
