// Call journal: while enabled, every operation of the object library that changes an
// object appends one line ("CDDVariable::putLabel(\"Text\")"), so a test can check the
// exact order in which a calculation function calls the library.
#pragma once
#include <string>
#include <vector>

class CDDCommonVariant;
class CDDDefinition;

namespace ddlib {

class Journal {
 public:
  static void enable(bool on);
  static bool enabled();
  static void clear();
  static const std::vector<std::string>& lines();
  static void note(std::string line);
};

// Enables the journal for one scope and restores the previous state afterwards.
class JournalScope {
 public:
  JournalScope() : m_was(Journal::enabled()) {
    Journal::clear();
    Journal::enable(true);
  }
  ~JournalScope() { Journal::enable(m_was); }
  JournalScope(const JournalScope&) = delete;
  JournalScope& operator=(const JournalScope&) = delete;

 private:
  bool m_was;
};

// Printable forms used in journal lines.
std::string quote(const std::string& text);

// Builds and appends a line only while the journal is enabled.
template <typename MakeLine>
inline void note(MakeLine make) {
  if (Journal::enabled()) Journal::note(make());
}

// "int 1", "double 20", "text \"x\"", "empty", ...
std::string describe(const CDDCommonVariant& value);
// "#227 manu_relay_pv_switch_on", or "#-1" for an empty definition.
std::string describe(const CDDDefinition& definition);

}  // namespace ddlib
