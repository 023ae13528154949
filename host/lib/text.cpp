// Text conversions for what the host prints and reads from its user.
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "dtmhost/host.h"

namespace dtmhost {

std::string Utf8(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::size_t Utf8Sequence(const std::string& text, std::size_t pos, unsigned* point) {
  auto byte = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
  unsigned c = byte(pos);
  std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
  unsigned code = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(pos + k) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(pos + k) & 0x3F);
  }
  bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  if (length == 0 || pos >= text.size() || overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
  if (point) *point = code;
  return length;
}

bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0, n = 0; i < text.size(); i += n)
    if ((n = Utf8Sequence(text, i, nullptr)) == 0) return false;
  return true;
}

bool IsInteger(const std::string& text) {
  std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

std::optional<long> ParseInteger(const std::string& text) {
  if (!IsInteger(text)) return std::nullopt;
  errno = 0;
  long n = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return n;
}

bool Latin1(const std::string& utf8, std::string* latin1) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // Only U+0080..U+00FF fit one byte: lead byte C2 or C3 and one continuation byte.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size()) return false;
    unsigned char n = static_cast<unsigned char>(utf8[++i]);
    if ((n & 0xC0) != 0x80) return false;
    out += static_cast<char>(((c & 0x03) << 6) | (n & 0x3F));
  }
  if (latin1) *latin1 = std::move(out);
  return true;
}

std::string Echo(const std::string& typed, const char* empty) {
  if (typed.empty()) return empty;
  // Single quotes where they spare escaping a double quote.
  const char quote = typed.find('"') != std::string::npos && typed.find('\'') == std::string::npos ? '\'' : '"';
  std::string out(1, quote);
  for (char c : typed) out += c == '\\' ? std::string("\\\\") : c == quote ? std::string("\\x22") : std::string(1, c);
  return out + quote;
}

std::optional<std::string> Unquote(const std::string& quoted) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    char c = quoted[i];
    if (c == '"') return std::nullopt;  // an inner quote is always escaped
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i + 2 >= quoted.size()) return std::nullopt;
    char e = quoted[++i];
    if (e == 'n') {
      text += '\n';
    } else if (e == 't') {
      text += '\t';
    } else if (e == '"' || e == '\\') {
      text += e;
    } else if (e == 'x' && i + 3 < quoted.size() && std::isxdigit(static_cast<unsigned char>(quoted[i + 1])) &&
               std::isxdigit(static_cast<unsigned char>(quoted[i + 2]))) {
      text += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

namespace {

// The language of a marker "|xx|" at pos, or "" when there is none.
std::string MarkerAt(const std::string& text, std::size_t pos) {
  if (pos + 4 > text.size() || text[pos] != '|' || text[pos + 3] != '|') return "";
  std::string code = text.substr(pos + 1, 2);
  for (const char* language : kLanguages)
    if (code == language) return code;
  return "";
}

}  // namespace

std::string Segment(const std::string& text, const std::string& language) {
  // Split into segments; the English one comes first unless the text starts with a marker.
  std::string current = "en", english, wanted;
  bool haveWanted = false, haveEnglish = false;
  std::size_t start = 0;
  auto close = [&](std::size_t end) {
    std::string segment = text.substr(start, end - start);
    // The two blanks before a marker close the segment and are not part of it.
    if (end < text.size()) {
      for (int i = 0; i < 2 && !segment.empty() && segment.back() == ' '; ++i) segment.pop_back();
    }
    if (current == "en" && !haveEnglish) {
      english = segment;
      haveEnglish = true;
    }
    if (current == language && !haveWanted) {
      wanted = segment;
      haveWanted = true;
    }
  };
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    std::string marker = MarkerAt(text, pos);
    if (marker.empty()) continue;
    if (pos > 0) close(pos);  // a leading marker opens the first segment
    current = marker;
    start = pos + 4;
    pos += 3;
  }
  close(text.size());
  return haveWanted ? wanted : english;
}

}  // namespace dtmhost
