// The index from object number to row that every kind of row uses (variables, menus,
// methods, commands), and the one check of its tables: every row names an object of
// its kind and no number has two rows. Tables kept in number order say so beside
// them with Ascending.
#pragma once
#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

#include "catalogue/catalogue.h"

// Ids ascending within one table, none twice; for a static_assert beside each table.
template <typename Row>
constexpr bool Ascending(std::span<const Row> rows) {
  for (std::size_t i = 1; i < rows.size(); ++i)
    if (rows[i - 1].id >= rows[i].id) return false;
  return true;
}
template <typename Row, std::size_t N>
constexpr bool Ascending(const Row (&rows)[N]) {
  return Ascending(std::span<const Row>(rows));
}

template <typename Row>
class RowIndex {
 public:
  // A row that names no object of `kind` or repeats a number is left out and counted
  // as a fault; a kind's index must have none (a static_assert where its tables are
  // constant, else a test).
  constexpr explicit RowIndex(enumDDObjectKind kind, std::initializer_list<std::span<const Row>> tables = {})
      : m_kind(kind) {
    for (std::span<const Row> table : tables) Add(table);
  }

  constexpr void Add(std::span<const Row> table) {
    for (const Row& row : table) {
      const int at = catalogue::IndexOf(row.id);
      const auto n = static_cast<std::size_t>(row.id);
      if (at < 0 || kCatalogue[at].kind != m_kind || m_taken[n]) {
        ++m_faults;
        continue;
      }
      m_rows[n] = &row;
      m_taken[n] = true;
    }
  }

  // The row of a number; null when none.
  constexpr const Row* Find(long number) const {
    return number < 1 || number > kObjectCount ? nullptr : m_rows[static_cast<std::size_t>(number)];
  }
  constexpr int faults() const { return m_faults; }

 private:
  enumDDObjectKind m_kind;
  std::array<const Row*, kTableSize> m_rows{};
  // Beside the pointers because some compilers cannot compare a row's address with
  // null at compile time under the sanitizers.
  std::array<bool, kTableSize> m_taken{};
  int m_faults = 0;
};
