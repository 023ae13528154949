// The conformance sweep behind dtmhost check, shared by the files that make it up: one
// for each thing it checks (data sets, requests and references, validity and unknown
// numbers, methods) and one for the report.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "check.h"

namespace dtmtool::sweep {

// A value a data set gives a variable; nothing: no value in the store.
using Value = std::optional<CDDCommonVariant>;

struct DataSet {
  std::string name;
  std::map<std::string, Value> values;  // on top of the defaults
};

struct Failure {
  std::string object;
  std::string dataSet;
  std::string what;
};

struct KindCount {
  int objects = 0;
  int built = 0;
  int notBuilt = 0;
  long requests = 0;
  int failures = 0;
};

class Sweep {
 public:
  explicit Sweep(dtmhost::Host& host);

  void Run();
  void Print(std::ostream& out) const;  // check_report.cpp
  int failures() const { return static_cast<int>(m_failures.size()); }
  const std::set<std::string>& commandsSent() const { return m_commandsSent; }

 private:
  void Fail(const CDDDefinition& d, const std::string& dataSet, const std::string& what) {
    m_failures.push_back({d.getName(), dataSet, what});
    ++m_kinds[d.getKind()].failures;
  }

  // ---- data sets: check_data_sets.cpp
  bool Registered(const std::string& name) const;
  CDDCommonVariant Number(const std::string& name, int value) const;
  CDDCommonVariant WrongKind(const std::string& name) const;
  void MakeDataSets();
  void Put(const std::string& name, const Value& value);
  void Apply(const DataSet& set);
  void Restore(const DataSet& set, const std::map<std::string, CDDCommonVariant>& changed);

  // ---- attribute requests and references: check_requests.cpp
  const std::string& FreshCanonical(const CDDDefinition& d);
  std::unique_ptr<CDDObject> Request(const CDDDefinition& d, const std::string& set);
  void RequestObject(const CDDDefinition& d, const DataSet& set);
  void CheckReferences(const CDDObject& object, const std::string& set);

  // ---- validity, objects of another class, numbers that name nothing: check_validity.cpp
  void CheckValidity(const CDDDefinition& d, const std::string& set);
  void Untouched(const CDDDefinition& owner, std::unique_ptr<CDDObject> object, const std::string& what);
  void WrongClasses(const CDDDefinition& d);
  template <typename Ask>
  void Refused(const CDDDefinition& d, const std::string& what, Ask ask);
  void UnknownNumbers();

  // ---- methods: check_methods.cpp
  struct Attempt {
    std::vector<long> selections;
    std::optional<int> abortFrom;
    bool suppressAbort = false;
    int normalResult = 0;
  };
  std::string Describe(const Attempt& a) const;
  dtmhost::Host::Run RunMethod(const CDDDefinition& method, const DataSet& set, const Attempt& a);
  void Explore(const CDDDefinition& method, const DataSet& set);
  std::string StartKey(const dtmhost::Host::Run& run, const DataSet& set) const;
  void Methods();

  dtmhost::Host& m_host;
  std::vector<CDDDefinition> m_catalogue;
  std::map<std::string, Value> m_defaults;  // every registered variable's starting value
  std::set<std::string> m_strays;           // names method runs put that are no registered variable
  std::vector<DataSet> m_dataSets;
  std::map<long, std::string> m_fresh;  // dumps of untouched objects, by number
  std::set<std::string> m_untouchedEverywhere;
  std::map<enumDDObjectKind, KindCount> m_kinds;
  std::vector<Failure> m_failures;
  long m_validityRequests = 0;
  long m_references = 0;
  long m_strayRequests = 0;
  int m_methods = 0;
  int m_methodsNotBuilt = 0;
  std::set<std::string> m_methodsWithoutBody;
  std::set<std::string> m_commandsSent;
  long m_methodRuns = 0;
  long m_methodStarts = 0;
  long m_methodFailures = 0;
};

}  // namespace dtmtool::sweep
