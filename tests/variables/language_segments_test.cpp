// The languages of every label, help and enumerator text of the identification,
// communication-error and physical-block variables, against what each group states.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "language_segments.h"
#include "variables/variable_frame.h"
#include "row_name.h"

namespace {

using namespace variables;

TEST(LanguageSegments, ParsesMarkersSegmentsAndFaults) {
  struct Case {
    const char* text;
    const char* languages;
    std::size_t faults;
  } cases[] = {
      {"Delay Read  |de|Lese  |fr|Retard  |it|Ritardo  |es|Retardo", "en de fr it es", 0},
      {"Error Reserved  |fr|Erreur  |it|Errore  |es|Error", "en fr it es", 0},
      {"pH/ORP|de|pH/Redox", "en de", 0},
      {"|en|QN-701", "en", 0},
      {"|es|Fallo", "es", 0},
      {"|it|x  |es|y", "it es", 0},
      {"AUTO", "", 0},
      {"", "", 0},
      {"a  |fr|b  |de|c", "en fr de", 1},
      {"a  |de|b  |de|c", "en de de", 1},
      {"a  |en|b", "en", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(langs::Languages(c.text), c.languages) << c.text;
    EXPECT_EQ(langs::Parse(c.text).faults.size(), c.faults) << c.text;
  }
  EXPECT_EQ(langs::SegmentOf("Diagnosis Mask   |de|Maske", "en"), "Diagnosis Mask ");
  EXPECT_EQ(langs::SegmentOf("a\n\n  |de|b\n\n", "de"), "b\n\n");
}

constexpr const char* kAll = "en de fr it es";

// Languages by object range; the first rule that covers a number holds. A null label or
// help: no text is put (only empty ones).
struct TextRule {
  ObjId first, last;
  const char* label;
  const char* help;
  const char* descriptions;
  const char* helps = "";  // of the enumerators or bits
};
constexpr TextRule kTextRules[] = {
    {id::MVX_phys_device_man_id, id::MVX_ident_number, nullptr, nullptr, ""},
    {id::CommError_0000_009F, id::CommError_00D0_00FF, "en fr it es", nullptr, kAll},
    {id::CommError_ShowIgnoredErrors, id::CommError_Delay_Write, kAll, kAll, kAll},
    {id::phys_software_rev_numeric, id::phys_software_rev_rest, kAll, nullptr, ""},
    {id::phys_tag_desc, id::phys_tag_desc, "en de fr it", kAll, ""},
    {id::phys_blk_reserve, id::phys_install_date, kAll, kAll, kAll},
    {id::phys_actual_error_code, id::phys_actual_error_code, "en de fr it", "en de", "en de", "en de"},
    {id::phys_device_bus_address, id::phys_device_bus_address, "en de fr it", "en de fr it", ""},
    {id::phys_device_software_number, id::phys_device_software_number, "", "", ""},
};

// Enumerators or bits (by value or mask) whose texts differ from their variable's rule.
struct ValueRule {
  ObjId id;
  std::int64_t from, to;
  const char* description;
  const char* help = "";
};
constexpr ValueRule kValueRules[] = {
    {id::phys_blk_profile_rev, 512, 512, ""},
    {id::phys_target_mode, 8, 8, ""},
    {id::phys_actual_mode, 8, 8, ""},
    {id::phys_permitted_mode, 8, 8, ""},
    {id::phys_normal_mode, 8, 8, ""},
    {id::phys_manufacturer_id, 1, 113, ""},
    {id::phys_diagnosis, 0x20000000, 0x20000000, kAll, "es"},
    {id::phys_diagnosis, 0x80000000, 0x80000000, kAll, "it es"},
    {id::phys_diagnosis, 0x00040000, 0x00080000, kAll, "es"},
    {id::phys_diagnosis_mask, 0x20000000, 0x20000000, kAll, "es"},
    {id::phys_diagnosis_mask, 0x80000000, 0x80000000, kAll, "it es"},
    {id::phys_diagnosis_mask, 0x00040000, 0x00080000, kAll, "es"},
};

const TextRule* RuleFor(ObjId id) {
  for (const TextRule& r : kTextRules)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

void CheckText(const char* text, const char* expected, const std::string& where) {
  if (!expected) {
    EXPECT_TRUE(!text) << where;
    return;
  }
  ASSERT_TRUE(text) << where;
  langs::Parsed parsed = langs::Parse(text);
  EXPECT_EQ(parsed.faults, std::vector<std::string>{}) << where;
  EXPECT_EQ(langs::Languages(text), expected) << where << ": " << text;
  for (const langs::Segment& s : parsed.segments)
    EXPECT_TRUE(s.language.empty() || s.language == "en" || !s.text.empty()) << where << " " << s.language;
}

void CheckEntry(const VariableRow& row, std::int64_t value, const char* description, const char* help,
                const TextRule& rule) {
  const char* wantDescription = rule.descriptions;
  const char* wantHelp = rule.helps;
  for (const ValueRule& v : kValueRules)
    if (v.id == row.id && value >= v.from && value <= v.to) {
      wantDescription = v.description;
      wantHelp = v.help;
    }
  std::string where = std::string(RowName(row)) + " " + std::to_string(value);
  CheckText(description, wantDescription, where + " description");
  CheckText(help, wantHelp, where + " help");
}

TEST(LanguageSegments, EveryTextCarriesItsRulesLanguagesInOrder) {
  int rows = 0;
  for (ObjId id = 1; id <= kObjectCount; ++id) {
    const TextRule* rule = RuleFor(id);
    const VariableRow* row = RowFor(id);
    if (!rule || !row) continue;
    ++rows;
    CheckText(row->label, rule->label, std::string(RowName(*row)) + " label");
    const char* help = nullptr;
    if (row->help.kind == Help::Kind::text) help = row->help.text;
    if (row->help.kind == Help::Kind::asLabel) help = row->label;
    CheckText(help, rule->help, std::string(RowName(*row)) + " help");
    for (const Enumerator& e : row->enums) CheckEntry(*row, e.value, e.description, e.help, *rule);
    for (const BitEnumerator& b : row->bits) CheckEntry(*row, b.mask, b.description, b.help, *rule);
  }
  EXPECT_EQ(rows, 92);
}

}  // namespace
