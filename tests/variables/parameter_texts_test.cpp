// The labels of the manufacturer parameters: every language segment starts with the
// operating-matrix position, the segments come in their fixed order, and the setpoints
// carry no Italian segment.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "variables/variable_frame.h"

namespace {

struct Segment {
  std::string language, text;
};

std::vector<Segment> Segments(const std::string& literal) {
  static const std::regex marker(R"(\|(en|de|fr|it|es)\|)");
  std::vector<Segment> segments;
  std::string language = "en";
  std::size_t start = 0;
  for (std::sregex_iterator it(literal.begin(), literal.end(), marker), end; it != end; ++it) {
    if (it->position() > 0 || language != "en")
      segments.push_back({language, literal.substr(start, static_cast<std::size_t>(it->position()) - start)});
    language = (*it)[1];
    start = static_cast<std::size_t>(it->position() + it->length());
  }
  segments.push_back({language, literal.substr(start)});
  return segments;
}

bool IsSetpoint(ObjId id) {
  return id == id::manu_relay_PID_nominal_value || id == id::manu_relay_PID_sv_nominal_value ||
         id == id::manu_relay_3Pstep_nominal_value || id == id::manu_check_limit_value;
}

TEST(ParameterTexts, LabelsCarryThePositionInEveryLanguage) {
  static const std::regex position("^V[0-9]H[0-9]   \\S");
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
        EXPECT_TRUE(std::regex_search(text, position)) << row.name << ": " << text;
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
