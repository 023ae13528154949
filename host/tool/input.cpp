// What a person gives the tool, checked alike wherever it is given.
#include "input.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>

namespace dtmtool {

namespace {

// Where a typed exponent stops counting: far beyond any number a variable holds, and
// no overflow however many digits are typed.
constexpr long kExponentBound = 100000;

// A value as typed: an integer, a decimal number, or a text in double or single quotes.
struct Typed {
  enum class Form { Integer, Decimal, Text } form = Form::Integer;
  // Either number form: whether its exact decimal value is a whole number, and that
  // number where it fits 64 bits.
  bool whole = false;
  std::optional<long long> integer;
  bool zero = false;   // its exact value is 0
  double number = 0;   // infinite where it overflows
  bool utf8 = true;        // Text: whether it is UTF-8, as the command line is read
  std::string text;        // Text: Latin-1 (empty where it has a character beyond it)
  bool latin1 = true;      // Text: whether every character is one of Latin-1

  // A number not 0 that even a double holds as 0.
  bool lost() const { return form != Form::Text && number == 0 && !zero; }
};

// Digits with an optional sign, point and exponent (no hexadecimal, no infinity, no
// blanks), judged by their exact decimal value: 1.0, 1e2 and 0.5e1 are whole,
// 1.9999999999999999 is not, however near it comes. Nothing for another text.
std::optional<Typed> ParseNumber(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string digits;  // integer and fraction digits, the point left out
  long point = 0;      // how many of them stand before the point
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++point) digits += text[i];
  bool decimal = false;
  if (i < text.size() && text[i] == '.') {
    decimal = true;
    for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) digits += text[i];
  }
  if (digits.empty()) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    decimal = true;
    ++i;
    bool down = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i >= text.size()) return std::nullopt;
    long exponent = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentBound);
    }
    point += down ? -exponent : exponent;
  }
  if (i != text.size()) return std::nullopt;

  Typed typed;
  typed.form = decimal ? Typed::Form::Decimal : Typed::Form::Integer;
  typed.number = std::strtod(text.c_str(), nullptr);
  // The significant digits, and where the point stands among them.
  std::size_t lead = std::min(digits.find_first_not_of('0'), digits.size());
  digits.erase(0, lead);
  point -= static_cast<long>(lead);
  digits.erase(digits.find_last_not_of('0') + 1);
  if (digits.empty()) {
    typed.whole = typed.zero = true;
    typed.integer = 0;
    return typed;
  }
  typed.whole = point >= static_cast<long>(digits.size());
  if (typed.whole && point <= 19) {
    std::string shown = (negative ? "-" : "") + digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    errno = 0;
    long long n = std::strtoll(shown.c_str(), nullptr, 10);
    if (errno != ERANGE) typed.integer = n;
  }
  return typed;
}

// Nothing for what is no value.
std::optional<Typed> ParseValue(const std::string& text) {
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
    Typed typed;
    typed.form = Typed::Form::Text;
    std::string inner = text.substr(1, text.size() - 2);
    typed.utf8 = dtmhost::IsUtf8(inner);
    typed.latin1 = typed.utf8 && dtmhost::Latin1(inner, &typed.text);
    return typed;
  }
  return ParseNumber(text);
}

// What a refusal says of a text that is not UTF-8.
constexpr const char* kNotUtf8 = "not UTF-8: dtmhost reads the command line and typed answers as UTF-8";

// What a refusal says of a value that would be one but for a blank before or after it.
constexpr const char* kPadded = "no blank may stand before or after a value";

bool Padded(const std::string& text) {
  std::size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
  return first != std::string::npos && (first > 0 || last + 1 < text.size()) &&
         ParseValue(text.substr(first, last + 1 - first)).has_value();
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

bool IsNumber(const std::string& text) { return ParseNumber(text).has_value(); }

std::string Echo(const std::string& typed) { return dtmhost::Echo(typed); }

std::string EchoName(const std::string& typed) { return dtmhost::Echo(typed, "an empty name"); }

CDDCommonVariant TypedValue(dtmhost::Host& host, const std::string& name, const std::string& typed, bool quoted) {
  std::optional<enumDDVariableType> type = host.store().variableType(name);
  const CDDDefinition* variable = host.Find(name);
  std::optional<int> size = type && *type != VariableTypeFloat && variable ? Size(host, *variable) : std::nullopt;
  // What the variable takes. Without a type the host knows (attributes not built): any
  // 32-bit integer, any finite number, any text.
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
  // The value as typed, or what is wrong with it, and the rule it breaks.
  std::string shown = quoted ? Echo(typed) : typed.empty() ? "an empty value" : typed;
  auto refused = [&](const std::string& what, const std::string& why) {
    return Refused("bad value for " + name + ": " + what + " (" + why + ")");
  };
  auto breaks = [&](const std::string& rule) { return refused(shown, name + " takes " + rule); };

  std::optional<Typed> given = ParseValue(typed);
  if (!given) throw Padded(typed) ? refused(shown, kPadded) : breaks(takes);
  if (given->form == Typed::Form::Text) {
    if (type && *type != VariableTypeString) throw breaks(takes);
    if (!given->utf8) throw refused(shown, kNotUtf8);
    if (!given->latin1) throw breaks(texts);
    if (size && given->text.size() > static_cast<std::size_t>(*size))
      throw refused("a text of " + std::to_string(given->text.size()) + " characters", name + " takes " + takes);
    return CDDCommonVariant::text(given->text);
  }
  if (type == VariableTypeString) throw breaks(takes);
  if (type == VariableTypeFloat) {
    // Rounded from the text straight to a float, not through a double, so that what
    // rounds to a finite float is taken (3.40282347e38, the largest float's usual form,
    // among them) and what rounds to a float's zero is lost, as an underflow is. The
    // variable then holds that float, as the device would.
    float single = std::strtof(typed.c_str(), nullptr);
    if (std::isinf(single)) throw breaks(takes);
    if (single == 0 && !given->zero) throw refused(shown, "a float holds it as 0");
    return CDDCommonVariant(static_cast<double>(single));
  }
  if (!type && given->form == Typed::Form::Decimal) {
    if (given->lost()) throw refused(shown, "a double holds it as 0");
    if (!std::isfinite(given->number)) throw breaks(numbers);
    return CDDCommonVariant(given->number);
  }
  // An integer kind, or an integer typed for a variable without a type.
  if (!given->whole || !given->integer || *given->integer < low || *given->integer > high)
    throw breaks(type ? takes : integers);
  return CDDCommonVariant(static_cast<int>(static_cast<std::uint32_t>(*given->integer)));
}

void CheckValueForm(const std::string& name, const std::string& typed) {
  std::optional<Typed> given = ParseValue(typed);
  std::string why;
  if (!given && Padded(typed))
    why = kPadded;
  else if (!given || (given->form == Typed::Form::Text && given->utf8 && !given->latin1))
    why = "an integer, a finite decimal number or a Latin-1 text in quotes";
  else if (given->form == Typed::Form::Text && !given->utf8)
    why = kNotUtf8;
  else if (given->lost())
    why = "a double holds it as 0";
  else if (given->form != Typed::Form::Text && !std::isfinite(given->number))
    why = "beyond a double's range";
  else
    return;
  throw Refused("bad value for " + name + ": " + Echo(typed) + " (no variable takes it: " + why + ")");
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
