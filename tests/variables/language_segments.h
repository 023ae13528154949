// Reads a multilingual literal back into its language segments, so a test can check
// which languages a text carries and that they come in the fixed order.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace langs {

struct Segment {
  std::string language;  // "en", "de", "fr", "it", "es"
  std::string text;      // without the two blanks that close it
};

// A text without any marker is one plain segment with the language "".
struct Parsed {
  std::vector<Segment> segments;
  std::vector<std::string> faults;  // markers out of order or repeated, "|en|" not first
};

inline Parsed Parse(std::string_view text) {
  static constexpr std::string_view kOrder[] = {"en", "de", "fr", "it", "es"};
  auto rank = [](std::string_view lang) {
    for (int i = 0; i < 5; ++i)
      if (kOrder[i] == lang) return i;
    return -1;
  };
  Parsed out;
  std::string current = "en";
  std::size_t start = 0;
  bool marked = false;
  for (std::size_t at = 0; at + 4 <= text.size(); ++at) {
    if (text[at] != '|' || text[at + 3] != '|') continue;
    std::string_view marker = text.substr(at + 1, 2);
    int r = rank(marker);
    if (r < 0) continue;
    if (r == 0) {
      if (at != 0) out.faults.push_back("|en| after the start");
      start = at + 4;
      marked = true;
      continue;
    }
    if (r <= rank(current)) out.faults.push_back("marker out of order: |" + std::string(marker) + "|");
    std::string before(text.substr(start, at - start));
    if (before.size() >= 2 && before.compare(before.size() - 2, 2, "  ") == 0) before.resize(before.size() - 2);
    out.segments.push_back({current, before});
    current = std::string(marker);
    start = at + 4;
    marked = true;
  }
  out.segments.push_back({marked ? current : "", std::string(text.substr(start))});
  return out;
}

// The languages as "en de fr it es"; an empty English segment before the first marker
// is left out ("|es|x" gives "es"), a plain text gives "".
inline std::string Languages(std::string_view text) {
  std::string list;
  for (const Segment& s : Parse(text).segments) {
    if (s.language.empty()) continue;
    if (s.language == "en" && s.text.empty() && text.substr(0, 4) != "|en|") continue;
    if (!list.empty()) list += ' ';
    list += s.language;
  }
  return list;
}

// The segment of one language, empty when absent.
inline std::string SegmentOf(std::string_view text, std::string_view language) {
  for (const Segment& s : Parse(text).segments)
    if (s.language == language) return s.text;
  return {};
}

}  // namespace langs
