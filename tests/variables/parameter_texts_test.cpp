// The labels of the manufacturer parameters: every language segment starts with the
// operating-matrix position, the segments come in their fixed order, and the setpoints
// carry no Italian segment.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "variables/variable_frame.h"

namespace {

struct Segment {
  std::string language, text;
};

// Splits a literal at its markers "|en|", "|de|", "|fr|", "|it|", "|es|".
std::vector<Segment> Segments(const std::string& literal) {
  std::vector<Segment> segments;
  std::string language = "en";
  std::size_t start = 0;
  for (std::size_t at = literal.find('|'); at != std::string::npos; at = literal.find('|', at + 1)) {
    const std::string marker = literal.substr(at, 4);
    if (marker != "|en|" && marker != "|de|" && marker != "|fr|" && marker != "|it|" && marker != "|es|") continue;
    if (at > 0 || language != "en") segments.push_back({language, literal.substr(start, at - start)});
    language = marker.substr(1, 2);
    start = at + 4;
  }
  segments.push_back({language, literal.substr(start)});
  return segments;
}

// "V", row, "H", column, three blanks, then the text.
bool StartsWithPosition(const std::string& text) {
  auto digit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(text[i])) != 0; };
  return text.size() > 7 && text[0] == 'V' && digit(1) && text[2] == 'H' && digit(3) && text.substr(4, 3) == "   " &&
         text[7] != ' ';
}

bool IsSetpoint(ObjId id) {
  return id == id::manu_relay_PID_nominal_value || id == id::manu_relay_PID_sv_nominal_value ||
         id == id::manu_relay_3Pstep_nominal_value || id == id::manu_check_limit_value;
}

TEST(ParameterTexts, LabelsCarryThePositionInEveryLanguage) {
  int checked = 0;
  for (const variables::RowTable* table : variables::RowTables())
    for (const variables::VariableRow& row : *table) {
      // Relay selection, switching points and alarm thresholds are not among these.
      if (row.id < id::manu_mode_help || row.id > id::manu_s_version_enabled ||
          (row.id >= id::manu_relay_select_relay && row.id <= id::manu_relay_temp_alarm_threshold))
        continue;
      ++checked;
      ASSERT_TRUE(row.label) << row.name;
      std::vector<Segment> segments = Segments(row.label);
      std::string languages;
      for (const Segment& s : segments) languages += s.language + " ";
      EXPECT_EQ(languages, IsSetpoint(row.id) ? "en de fr " : "en de fr it ") << row.name;
      const std::string where = segments[0].text.substr(0, 4);
      for (std::size_t i = 0; i < segments.size(); ++i) {
        const std::string& text = segments[i].text;
        EXPECT_TRUE(StartsWithPosition(text)) << row.name << ": " << text;
        EXPECT_EQ(text.substr(0, 4), where) << row.name;
        // Two blanks close every segment but the last.
        if (i + 1 < segments.size()) {
          EXPECT_EQ(text.substr(text.size() - 2), "  ") << row.name;
        }
      }
    }
  EXPECT_EQ(checked, (292 - 217 + 1) - (237 - 224 + 1));
}

}  // namespace
