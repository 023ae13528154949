// What a person gives the tool, checked alike wherever it is given.
#include "input.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>

namespace dtmtool {

using dtmhost::IsInteger;

namespace {

// An integer or a decimal number: digits with an optional point and exponent (no
// hexadecimal, no infinity, no blanks).
bool IsDecimal(const std::string& text) {
  std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++digits;
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i >= text.size()) return false;
    for (; i < text.size(); ++i)
      if (text[i] < '0' || text[i] > '9') return false;
  }
  return i == text.size();
}

// A value as typed: an integer, a decimal number, or a text in double or single quotes.
struct Given {
  enum class Form { Integer, Decimal, Text } form = Form::Integer;
  std::optional<long long> integer;  // an integer that fits 64 bits
  double number = 0;                 // either number form, infinite where it overflows
  bool underflow = false;            // a decimal not 0 that even a double holds as 0
  std::string text;                  // Latin-1
};

// Nothing for what is no value.
std::optional<Given> ParseValue(const std::string& text) {
  Given given;
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
    if (!dtmhost::Latin1(text.substr(1, text.size() - 2), &given.text)) return std::nullopt;
    given.form = Given::Form::Text;
    return given;
  }
  if (!IsDecimal(text)) return std::nullopt;
  errno = 0;
  given.number = std::strtod(text.c_str(), nullptr);
  bool lost = errno == ERANGE && given.number == 0;
  if (IsInteger(text)) {
    errno = 0;
    long long n = std::strtoll(text.c_str(), nullptr, 10);
    if (errno != ERANGE) given.integer = n;
    return given;
  }
  given.underflow = lost;
  given.form = Given::Form::Decimal;
  return given;
}

// The integers a variable of this type and size holds; 32 bits where the size is not
// one of 1, 2 or 4 bytes. Without a type: any 32-bit pattern, signed or not.
std::pair<long long, long long> IntegerRange(std::optional<enumDDVariableType> type, std::optional<int> size) {
  int bits = size && (*size == 1 || *size == 2 || *size == 4) ? *size * 8 : 32;
  if (!type) return {-2147483648LL, 4294967295LL};
  if (*type == VariableTypeInteger) return {-(1LL << (bits - 1)), (1LL << (bits - 1)) - 1};
  return {0, (1LL << bits) - 1};
}

// The size a variable's type gives, when it gives one.
std::optional<int> Size(dtmhost::Host& host, const CDDDefinition& variable) {
  std::unique_ptr<CDDObject> object = host.Request(variable);
  const auto* v = dynamic_cast<const CDDVariable*>(object.get());
  const CDDType* type = v ? v->typeInfo() : nullptr;
  return type ? type->getSize() : std::nullopt;
}

}  // namespace

std::string Echo(const std::string& typed) {
  if (typed.empty()) return "an empty value";
  bool doubles = typed.find('"') != std::string::npos, singles = typed.find('\'') != std::string::npos;
  if (doubles && !singles) return "'" + typed + "'";
  std::string out = "\"";
  for (char c : typed) out += c == '"' ? std::string("\\x22") : std::string(1, c);
  return out + "\"";
}

CDDCommonVariant TypedValue(dtmhost::Host& host, const std::string& name, const std::string& typed, bool quoted) {
  std::optional<enumDDVariableType> type = host.store().variableType(name);
  const CDDDefinition* variable = host.Find(name);
  std::optional<int> size = type && *type != VariableTypeFloat && variable ? Size(host, *variable) : std::nullopt;
  // What the variable takes, named in every refusal. Without a type the host knows
  // (attributes not built): any 32-bit integer, any finite number, any text.
  auto [low, high] = IntegerRange(type, size);
  std::string integers = "integers from " + std::to_string(low) + " to " + std::to_string(high);
  // A single-precision variable holds no more than a float, however the number is kept.
  char numbers[80];
  double most = type == VariableTypeFloat ? static_cast<double>(std::numeric_limits<float>::max())
                                          : std::numeric_limits<double>::max();
  std::snprintf(numbers, sizeof numbers, "numbers from %.17g to %.17g", -most, most);
  std::string texts = size ? "texts in quotes of at most " + std::to_string(*size) + " Latin-1 characters"
                           : "Latin-1 texts in quotes";
  std::string takes = !type                         ? integers + ", " + numbers + " and " + texts
                      : *type == VariableTypeString ? texts
                      : *type == VariableTypeFloat  ? numbers
                                                    : integers;
  // The value as typed, or what is wrong with it, and why it is refused.
  std::string shown = quoted ? Echo(typed) : typed.empty() ? "an empty value" : typed;
  auto refused = [&](const std::string& what, const std::string& why) {
    return Refused("bad value for " + name + ": " + what + " (" + why + ")");
  };
  Refused wrong = refused(shown, name + " takes " + takes);

  std::optional<Given> given = ParseValue(typed);
  if (!given) throw wrong;
  if (given->form == Given::Form::Text) {
    if (type && *type != VariableTypeString) throw wrong;
    if (size && given->text.size() > static_cast<std::size_t>(*size))
      throw refused("a text of " + std::to_string(given->text.size()) + " characters", name + " takes " + takes);
    return CDDCommonVariant::text(given->text);
  }
  if (type == VariableTypeString) throw wrong;
  // A decimal that a float holds only as 0, also one that even a double holds so.
  Refused zero = refused(shown, "a float holds it as 0");
  if (given->underflow) throw type == VariableTypeFloat ? zero : wrong;
  if (type == VariableTypeFloat) {
    // Rounded from the text straight to a float, not through a double, so that what
    // rounds to a finite float is taken (3.40282347e38, the largest float's usual form,
    // among them) and what rounds to a float's zero is lost, as an underflow is.
    float single = std::strtof(typed.c_str(), nullptr);
    if (std::isinf(single)) throw wrong;
    if (single == 0 && given->number != 0) throw zero;
    return CDDCommonVariant(given->number);
  }
  if (!type && given->form == Given::Form::Decimal) {
    if (!std::isfinite(given->number)) throw wrong;
    return CDDCommonVariant(given->number);
  }
  double n = given->integer ? static_cast<double>(*given->integer) : given->number;
  if (n != std::trunc(n) || !(n >= static_cast<double>(low) && n <= static_cast<double>(high)) ||
      (given->integer && (*given->integer < low || *given->integer > high)))
    throw wrong;
  long long whole = given->integer ? *given->integer : static_cast<long long>(n);
  return CDDCommonVariant(static_cast<int>(static_cast<std::uint32_t>(whole)));
}

void CheckValueForm(const std::string& name, const std::string& typed) {
  std::optional<Given> given = ParseValue(typed);
  if (given && !given->underflow && std::isfinite(given->number)) return;
  throw Refused("bad value for " + name + ": " + Echo(typed) +
                " (no variable takes it: an integer, a finite decimal number or a Latin-1 text in quotes)");
}

std::string Printable(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    unsigned point = 0;
    std::size_t length = dtmhost::Utf8Sequence(text, i, &point);
    bool control = point < 0x20 || (point >= 0x7F && point <= 0x9F);
    if (length == 0 || control) {
      unsigned c = static_cast<unsigned char>(text[i]);
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
      ++i;
      continue;
    }
    out.append(text, i, length);
    i += length;
  }
  return out;
}

// ------------------------------------------------------------------ the dialogue

TerminalDialogue::TerminalDialogue(dtmhost::Host& host, int terminal, bool suppressed)
    : m_host(host), m_terminal(terminal), m_suppressed(suppressed) {}

TerminalDialogue::~TerminalDialogue() { close(m_terminal); }

void TerminalDialogue::write(const std::string& utf8) {
  for (std::size_t done = 0; done < utf8.size();) {
    ssize_t n = ::write(m_terminal, utf8.data() + done, utf8.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a terminal gone: the answers still count
    done += static_cast<std::size_t>(n);
  }
}

std::optional<std::string> TerminalDialogue::ask(const std::string& prompt) {
  write(prompt);
  std::string line;
  if (std::getline(std::cin, line)) return line;
  write("\n");
  return std::nullopt;
}

void TerminalDialogue::show(const std::string& text) { write(dtmhost::Utf8(text) + "\n"); }

// Only Enter alone goes on: a "no" typed there must not be taken for a yes.
bool TerminalDialogue::confirm() {
  while (std::optional<std::string> line = ask("[Enter] ")) {
    if (line->empty()) return true;
    write(Printable("not Enter alone: " + *line +
                    (m_suppressed ? " (Enter goes on; the end of input aborts, but this run suppresses the abort)"
                                  : " (Enter goes on, the end of input aborts)")) +
          "\n");
  }
  return false;
}

dtmhost::Dialogue::Entry TerminalDialogue::value(const std::string& variable) {
  std::optional<CDDCommonVariant> now = m_host.store().value(variable);
  std::string prompt = dtmhost::Utf8(variable) + " [" + (now ? ddlib::describe(*now) : "no value") + "]: ";
  while (std::optional<std::string> line = ask(prompt)) {
    // An empty answer keeps the value shown, as a dialogue's unchanged field does.
    if (line->empty()) return {Entry::Is::Kept, {}};
    try {
      return {Entry::Is::Value, TypedValue(m_host, variable, *line)};
    } catch (const Refused& refusal) {
      write(Printable(refusal.what()) + "\n");
    }
  }
  return {Entry::Is::Ended, {}};
}

std::optional<long> TerminalDialogue::choice(const std::vector<std::string>& options) {
  for (std::size_t i = 0; i < options.size(); ++i)
    write("  " + std::to_string(i) + ": " + dtmhost::Utf8(options[i]) + "\n");
  long count = static_cast<long>(options.size());
  while (std::optional<std::string> line = ask("choice: ")) {
    std::optional<long> n = dtmhost::ParseInteger(*line);
    if (n && *n >= 0 && *n < count) return n;
    write(Printable("not a position: " + (line->empty() ? "an empty answer" : *line) + " (the positions are 0 to " +
                    std::to_string(count - 1) + ")") +
          "\n");
  }
  return std::nullopt;
}

}  // namespace dtmtool
