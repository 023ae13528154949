// Sweeps over every variable row: references, type consistency, lock census and the
// multilingual text format.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "variables/variable_frame.h"
#include "row_name.h"

namespace {

using namespace variables;

template <typename Visit>
void ForEachRow(Visit visit) {
  for (const RowTable* table : RowTables())
    for (const VariableRow& row : *table) visit(row);
}

TEST(Rows, NameTheirCataloguedVariableOnceAndAreReachable) {
  std::set<ObjId> seen;
  ForEachRow([&](const VariableRow& row) {
    const CatalogueEntry* entry = catalogue::Find(row.id);
    ASSERT_TRUE(entry) << RowName(row);
    EXPECT_EQ(entry->kind, ObjectKindVariable) << RowName(row);
    EXPECT_TRUE(seen.insert(row.id).second) << "twice: " << RowName(row);
    EXPECT_EQ(RowFor(row.id), &row) << RowName(row);
    for (std::span<const ObjId> actions : {row.preEdit, row.postEdit})
      for (ObjId method : actions) {
        const CatalogueEntry* m = catalogue::Find(method);
        ASSERT_TRUE(m) << RowName(row);
        EXPECT_EQ(m->kind, ObjectKindMethod) << RowName(row) << " " << m->name;
      }
  });
  EXPECT_FALSE(RowFor(0));
  EXPECT_FALSE(RowFor(kObjectCount + 1));
}

TEST(Rows, TypeDataFitsTheType) {
  ForEachRow([](const VariableRow& row) {
    const TypeSpec& t = row.type;
    bool arithmetic = t.code == VariableTypeFloat || t.code == VariableTypeInteger || t.code == VariableTypeUnsigned;
    SCOPED_TRACE(RowName(row));
    EXPECT_EQ(t.size == 0, t.code == VariableTypeFloat);
    if (t.code == VariableTypeFloat) {
      EXPECT_FALSE(t.edit);
    }
    if (!arithmetic) {
      EXPECT_FALSE(t.display || t.edit || t.range || row.rules.format);
    }
    bool hasMin = t.min.present() || row.rules.min, hasMax = t.max.present() || row.rules.max;
    EXPECT_EQ(hasMin, t.range);
    EXPECT_EQ(hasMax, t.range);
    EXPECT_EQ(!row.enums.empty(), t.code == VariableTypeEnumerated);
    EXPECT_EQ(!row.bits.empty(), t.code == VariableTypeBitEnumerated);
    if (t.code == VariableTypeString) {
      EXPECT_TRUE(!t.deflt.present() || t.deflt.kind == Const::Kind::Text);
    }
    if (t.code == VariableTypeEnumerated || t.code == VariableTypeInteger || t.code == VariableTypeUnsigned) {
      EXPECT_NE(t.deflt.kind, Const::Kind::Double);
    }
    if (t.code == VariableTypeEnumerated && t.size > 0 && t.size < 4) {
      const long limit = 1L << (8 * t.size);
      for (const Enumerator& e : row.enums) {
        EXPECT_TRUE(e.value >= 0 && e.value < limit) << e.value;
      }
    }
    if (row.rules.writable) {
      EXPECT_EQ(row.handling, Handling::locked);
    }
  });
}

// The variables that carry exactly the access-code lock; manu_check_select carries a variant.
bool CarriesTheLock(ObjId id) {
  static const std::set<ObjId> outside = {id::manu_temperature_process_entry_ref,
                                          id::manu_temperature_offset_ref,
                                          id::manu_check_select,
                                          id::manu_check_select_help,
                                          id::manu_alarm_error_state,
                                          id::manu_alarm_enable_code,
                                          id::manu_s_version_enabled};
  static const std::set<ObjId> physical = {id::phys_tag_desc, id::phys_device_certification, id::phys_descriptor,
                                           id::phys_message, id::phys_install_date};
  if (physical.count(id)) return true;
  if (id >= id::manu_sensor_type && id <= id::manu_mode) return true;
  return id >= id::manu_ph_compensation && id <= id::manu_s_version_enabled && !outside.count(id);
}

TEST(Rows, LockCensus) {
  int locked = 0;
  ForEachRow([&](const VariableRow& row) {
    bool plain = row.handling == Handling::locked && !row.rules.writable;
    EXPECT_EQ(plain, CarriesTheLock(row.id)) << RowName(row);
    locked += plain;
  });
  EXPECT_LE(locked, 80);
}

// "V4H0   " at the start of a manufacturer parameter's text, else empty.
std::string MatrixPosition(const std::string& s) {
  bool at = s.size() > 7 && s[0] == 'V' && std::isalnum(static_cast<unsigned char>(s[1])) && s[2] == 'H' &&
            std::isdigit(static_cast<unsigned char>(s[3])) && s.compare(4, 3, "   ") == 0;
  return at ? s.substr(0, 7) : std::string();
}

// Checks one literal: markers in the order de, fr, it, es, each closing the segment
// before it with two blanks or none; "|en|" only at the start; a matrix position at the
// start of the English segment starts every other segment too.
void CheckText(const char* text, const std::string& where) {
  if (!text) return;
  std::string s = text;
  if (s.rfind("|en|", 0) == 0) s = s.substr(4);
  EXPECT_EQ(s.find("|en|"), std::string::npos) << where;
  std::vector<std::string> segments;
  std::size_t start = 0, lastOrder = 0;
  const char* markers[] = {"|de|", "|fr|", "|it|", "|es|"};
  for (std::size_t i = 0; i < 4; ++i) {
    std::size_t at = s.find(markers[i], start);
    if (at == std::string::npos) continue;
    EXPECT_GT(i + 1, lastOrder) << where;
    lastOrder = i + 1;
    std::string before = s.substr(start, at - start);
    std::size_t blanks = before.size() - before.find_last_not_of(' ') - 1;
    if (before.find_last_not_of(' ') == std::string::npos) blanks = before.size();
    EXPECT_TRUE(blanks == 0 || blanks >= 2) << where << ": " << before;  // a segment may end in blanks
    segments.push_back(before);
    start = at + 4;
  }
  segments.push_back(s.substr(start));
  std::string position = MatrixPosition(segments.front());
  if (position.empty()) return;
  for (const std::string& seg : segments) {
    EXPECT_EQ(seg.rfind(position, 0), 0u) << where << ": " << seg;
  }
}

TEST(Rows, TextsUseTheMultilingualFormat) {
  ForEachRow([](const VariableRow& row) {
    CheckText(row.label, std::string(RowName(row)) + " label");
    CheckText(row.help.text, std::string(RowName(row)) + " help");
    for (const Enumerator& e : row.enums) CheckText(e.description, std::string(RowName(row)) + " enumerator");
    for (const BitEnumerator& b : row.bits) CheckText(b.description, std::string(RowName(row)) + " bit");
    if (row.help.kind == Help::Kind::asLabel) {
      EXPECT_TRUE(row.label) << RowName(row);
    }
  });
}

}  // namespace
