// dtmhost check: the conformance sweep a host's certification run makes over a loaded
// plug-in.
#pragma once
#include <iosfwd>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dtmhost/host.h"

namespace dtmtool {

// A variable whose value steers the attributes of others, with the values it can take
// and one it cannot.
struct Steering {
  const char* name;
  std::vector<int> domain;
  int outside;
};
const std::vector<Steering>& SteeringParameters();

// Requests every registered object under a series of data sets and runs every method
// under scripted answers and abort points, checking what a host relies on. Prints a
// summary table (and each failure) to out; answers the number of failures. The
// store's values end as they were. Where commandsSent is given, it receives the name of
// every command that a method run read or wrote.
int Check(dtmhost::Host& host, std::ostream& out, std::set<std::string>* commandsSent = nullptr);

// An object of the class that objects of kind `cls` are made of, carrying the given
// definition (which may be of another kind, or name nothing).
std::unique_ptr<CDDObject> ObjectOfClass(enumDDObjectKind cls, const CDDDefinition& definition);

// The error reports a validity or execute request makes when it refuses a number that
// names no object of its kind: one, and none for a negative number.
inline std::size_t RefusalReports(long number) { return number < 0 ? 0 : 1; }

// Every attribute of an object as one text: equal texts, equal attributes.
std::string Canonical(const CDDObject& object);

// One object that another names (a menu item, an edit or menu action, a command's
// data item, a refresh member), with the kind it must have (none: any kind).
struct Reference {
  CDDDefinition named;
  const char* role;
  std::optional<enumDDObjectKind> kind;
};
std::vector<Reference> References(const CDDObject& object);
// What is wrong with a reference: it names no defined object, or one of another kind.
std::optional<std::string> ReferenceProblem(const dtmhost::Host& host, const Reference& reference);

// What the context of a method run answers last: the result the body set last in the
// run's own context (not in a nested run), else the context's normal result.
int ContextResult(const std::vector<dtmhost::TraceEntry>& trace, int normalResult);

}  // namespace dtmtool
