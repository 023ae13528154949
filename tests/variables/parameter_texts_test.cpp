// The languages of the manufacturer parameters' labels: English, German, French and
// Italian, no Spanish; the setpoints carry no Italian segment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "variables/variable_frame.h"
#include "row_name.h"

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

bool IsSetpoint(ObjId id) {
  return id == id::manu_relay_PID_nominal_value || id == id::manu_relay_PID_sv_nominal_value ||
         id == id::manu_relay_3Pstep_nominal_value || id == id::manu_check_limit_value;
}

TEST(ParameterTexts, LabelsCarryTheirLanguages) {
  int checked = 0;
  for (const variables::RowTable* table : variables::RowTables())
    for (const variables::VariableRow& row : *table) {
      // Relay selection, switching points and alarm thresholds are not among these.
      if (row.id < id::manu_mode_help || row.id > id::manu_s_version_enabled ||
          (row.id >= id::manu_relay_select_relay && row.id <= id::manu_relay_temp_alarm_threshold))
        continue;
      ++checked;
      ASSERT_TRUE(row.label) << RowName(row);
      std::vector<Segment> segments = Segments(row.label);
      std::string languages;
      for (const Segment& s : segments) languages += s.language + " ";
      EXPECT_EQ(languages, IsSetpoint(row.id) ? "en de fr " : "en de fr it ") << RowName(row);
    }
  EXPECT_EQ(checked, (292 - 217 + 1) - (237 - 224 + 1));
}

}  // namespace
