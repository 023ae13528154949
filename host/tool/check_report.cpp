// The summary table and the failures of a sweep.
#include "check_sweep.h"

#include <iomanip>

#include "describe.h"

namespace dtmtool::sweep {

namespace {

void Row(std::ostream& out, const std::string& name, const KindCount& c) {
  out << std::left << std::setw(14) << name << std::right << std::setw(9) << c.objects << std::setw(8) << c.built
      << std::setw(11) << c.notBuilt << std::setw(11) << c.requests << std::setw(10) << c.failures << "\n";
}

}  // namespace

void Sweep::Print(std::ostream& out) const {
  out << "conformance check: " << m_catalogue.size() << " objects, " << m_dataSets.size() << " data sets\n\n";
  out << std::left << std::setw(14) << "kind" << std::right << std::setw(9) << "objects" << std::setw(8) << "built"
      << std::setw(11) << "not built" << std::setw(11) << "requests" << std::setw(10) << "failures" << "\n";
  KindCount total;
  for (const auto& [kind, count] : m_kinds) {
    Row(out, KindName(kind), count);
    total.objects += count.objects;
    total.built += count.built;
    total.notBuilt += count.notBuilt;
    total.requests += count.requests;
    total.failures += count.failures;
  }
  Row(out, "all", total);
  out << "\nvalidity requests: " << m_validityRequests << "; references checked: " << m_references
      << "; requests for objects of the wrong class or numbers that name none: " << m_strayRequests << "\n";
  out << "methods: " << m_methods << " registered, " << m_methods - m_methodsNotBuilt << " run, "
      << m_methodsNotBuilt << " not built; " << m_methodRuns << " runs from " << m_methodStarts
      << " distinct starts; failures " << m_methodFailures << "\n";
  if (m_failures.empty()) {
    out << "\nno failure\n";
    return;
  }
  out << "\nfailures: " << m_failures.size() << "\n";
  constexpr std::size_t kShown = 200;
  for (std::size_t i = 0; i < m_failures.size() && i < kShown; ++i) {
    const Failure& f = m_failures[i];
    out << "  " << f.object << " [" << f.dataSet << "]: " << dtmhost::Utf8(f.what) << "\n";
  }
  if (m_failures.size() > kShown) out << "  ... and " << m_failures.size() - kShown << " more\n";
}

}  // namespace dtmtool::sweep
