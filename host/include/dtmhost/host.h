// The reference host: what a device-type-manager host does with a loaded plug-in,
// reduced to what tests and the dtmhost tool need. Everything it is asked is recorded.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ddlib/ddlib.h"

namespace dtmhost {

// ------------------------------------------------------------------ object store

// Current values by variable name, the registered objects and the catalogue's sets.
// Counts getValueCopy calls, records their order and counts copies still alive. The
// order is kept for the last reads only, so a host that never clears it (one calling
// Calculate directly) does not grow with the number of requests.
class ObjectStore : public CHostObjectStore {
 public:
  ObjectStore();
  ~ObjectStore() override;

  // CHostObjectStore
  void addObject(const CDDObject& object) override;
  void putRequestSet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) override;
  void putReplySet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) override;
  void putDependentSet(const CDDDefinition& variable, const CDDDefinitionSet& set) override;
  CDDBlock* getBlockCopy(CHostContext* context, const CDDDefinition& block) override;
  CDDCommonVariant* getValueCopy(CHostContext* context, const CDDDefinition& variable) override;

  // Values. setValue keeps the kind given; "no value" makes getValueCopy answer null.
  void setValue(const std::string& name, const CDDCommonVariant& value);
  void setNoValue(const std::string& name);
  void clearValue(const std::string& name);  // back to "never set": zero of its kind
  std::optional<CDDCommonVariant> value(const std::string& name) const;
  // The kind getValueCopy answers for a variable never set: from its type when the
  // host knows it (setVariableType), else int.
  void setVariableType(const std::string& name, enumDDVariableType type);
  std::optional<enumDDVariableType> variableType(const std::string& name) const;
  // Converts a value to the kind of the variable's type (int, double or text).
  CDDCommonVariant coerce(const std::string& name, const CDDCommonVariant& value) const;

  // Reads since the last clearReads: how many, and the names of at least the last
  // kReadLogKept in order (a request reads a few dozen at most).
  static constexpr std::size_t kReadLogKept = 128;
  int readCount() const { return m_readCount; }
  const std::vector<std::string>& readOrder() const { return m_reads; }
  void clearReads() {
    m_reads.clear();
    m_readCount = 0;
  }
  static int liveCopies();  // value copies handed out and not yet deleted

  // What the catalogue handed over.
  const std::vector<std::unique_ptr<CDDObject>>& objects() const { return m_objects; }
  const CDDObject* object(const std::string& name) const;
  struct CommandSets {
    std::vector<CDDDefinition> request, reply;
  };
  // By command name.
  const std::map<std::string, CommandSets>& commandSets() const { return m_sets; }
  const std::map<std::string, std::vector<CDDDefinition>>& dependentSets() const { return m_dependents; }
  void clearRegistrations();

 private:
  struct Slot {
    std::optional<CDDCommonVariant> value;  // empty optional with noValue=false: never set
    bool noValue = false;
  };
  std::map<std::string, Slot> m_values;
  std::map<std::string, enumDDVariableType> m_types;
  std::vector<std::string> m_reads;
  int m_readCount = 0;
  std::vector<std::unique_ptr<CDDObject>> m_objects;
  std::map<std::string, CommandSets> m_sets;
  std::map<std::string, std::vector<CDDDefinition>> m_dependents;
};

// ------------------------------------------------------------------ error handler

class ErrorHandler : public CHostErrorHandler {
 public:
  void reportError(const CStrPP& message) override { m_reports.push_back(message.str()); }
  const std::vector<std::string>& reports() const { return m_reports; }
  void clear() { m_reports.clear(); }

 private:
  std::vector<std::string> m_reports;
};

// ------------------------------------------------------------------ method context

// One recorded context call: its name and its arguments as printable texts (texts
// quoted as in the journal, numbers plain).
struct TraceEntry {
  std::string op;
  std::vector<std::string> args;
};

// A person who answers a method's dialogues in place of the script. Texts are Latin-1,
// in one language. An answer of nothing (false, Ended) means that the input ended: the
// context takes it as the user's abort.
class Dialogue {
 public:
  // What is entered for a variable: a new value, or the value kept as it is, which
  // puts nothing (as a script without an edit for it).
  struct Entry {
    enum class Is { Value, Kept, Ended } is = Is::Ended;
    CDDCommonVariant value;  // where is == Value
  };
  virtual ~Dialogue() = default;
  virtual void show(const std::string& text) = 0;
  virtual bool confirm() = 0;  // the acknowledgement of what was shown
  virtual Entry value(const std::string& variable) = 0;
  virtual std::optional<long> choice(const std::vector<std::string>& options) = 0;  // a position
};

// Answers of the scripted context; shared by nested runs started with callMethod.
struct Script {
  // isAbortPending answers true from the Kth call on (1-based) when set.
  std::optional<int> abortFrom;
  // Answers of selectFromList, in order; when used up, 0.
  std::deque<long> selections;
  // Values askVariableValue leaves in the variable, by variable name.
  std::map<std::string, CDDCommonVariant> edits;
  std::deque<int> acknowledgeAnswers;  // default 0
  std::deque<int> askAnswers;          // default 0
  // Puts of these variables are refused: answer false, value unchanged.
  std::vector<std::string> refusePuts;
  // A command read sets these values (by command name, then variable name).
  std::map<std::string, std::map<std::string, CDDCommonVariant>> device;
  // When set, the context throws from the operation with this 1-based index in the
  // trace: the integer throwValue (a host-side abort), a standard exception, or a
  // value of another type (HostFault).
  std::optional<int> throwAt;
  int throwValue = 0;
  enum class Throw { Integer, StandardException, Other } throwKind = Throw::Integer;
  // Result getResult answers on a run that was not stopped.
  int normalResult = 0;
  // When set, a person answers instead of the script (not owned).
  Dialogue* dialogue = nullptr;

  // Run state, shared by nested runs: isAbortPending calls so far.
  int abortChecks = 0;
};

// What a scripted context throws for Script::Throw::Other.
struct HostFault {
  int code = 0;
};

class Host;

class ScriptedContext : public CMethodContext {
 public:
  ScriptedContext(Host& host, Script& script, std::vector<TraceEntry>& trace, int depth);
  ~ScriptedContext() override;
  static int live();  // contexts not yet deleted

  void begin(CHostContext* context, CHostServices* host, CDDDefinition* method,
             std::int32_t executeArgument) override;
  void setLocalVariables(CVBCollection* locals) override;
  int getResult() override;
  void setResult(int result) override;
  bool isAbortPending() override;
  void abortWithMessage(const CStrPP& text) override;
  void abortMethod(int code) override;
  int acknowledge(const CStrPP& text, int flags) override;
  bool callMethod(const CStrPP& method) override;
  void delay(int seconds, const CStrPP& text, int flags) override;
  bool putFloatValue(const CStrPP& variable, float value) override;
  int askVariableValue(const CStrPP& prompt, int flags, const CStrPP& variable) override;
  bool putIntegerValue(const CStrPP& variable, int value) override;
  long getIntegerValue(const CStrPP& variable) override;
  bool assignIntegerValue(const CStrPP& variable, int value) override;
  void abort() override;
  void saveValues() override;
  long selectFromList(const CStrPP& prompt, int flags, const CStrPP& options) override;
  void readCommand(const CStrPP& command) override;
  void writeCommand(const CStrPP& command) override;

  const CVBCollection* locals() const { return m_locals.get(); }
  // Nested callMethod runs deeper than this answer false without running.
  static constexpr int kMaxCallDepth = 16;

 private:
  // Appends to the trace; throws the scripted integer when this is the scripted operation.
  void record(std::string op, std::vector<std::string> args);
  bool put(const CStrPP& variable, const CDDCommonVariant& value);  // false when refused
  void store(const std::string& name, const CDDCommonVariant& value);
  void userAborts();  // the abort is pending from the next check on
  void show(const CStrPP& text);  // to the dialogue, when there is one

  Host& m_host;
  Script& m_script;
  std::vector<TraceEntry>& m_trace;
  int m_depth;
  std::optional<int> m_result;
  std::unique_ptr<CVBCollection> m_locals;
};

// ------------------------------------------------------------------ plug-in library

// Opens the plug-in as a shared library and resolves its exported entry points.
class PluginLibrary {
 public:
  // Null with a one-line reason in *error when the file or an entry point is missing.
  static std::unique_ptr<PluginLibrary> Open(const std::string& path, std::string* error);
  ~PluginLibrary();

  GetAttributeCalculationFn GetAttributeCalculation = nullptr;
  GetInformationFn GetInformation = nullptr;
  GetAttributeCalcDataCategoryFn GetAttributeCalcDataCategory = nullptr;
  DllRegisterServerFn DllRegisterServer = nullptr;
  DllUnregisterServerFn DllUnregisterServer = nullptr;
  const std::string& path() const { return m_path; }

 private:
  PluginLibrary() = default;
  void* m_handle = nullptr;
  std::string m_path;
};

// The default plug-in path: DTM_PLUGIN, else libdtmplugin.so beside the running program.
std::string DefaultPluginPath();

// ------------------------------------------------------------------ the host

// Services, store and error handler around one calculator. Create with Open (loads the
// shared library) or Attach (a calculator the caller made, e.g. linked into a test).
class Host : public CHostServices {
 public:
  static std::unique_ptr<Host> Open(const std::string& pluginPath, std::string* error);
  // Uses the given calculator (not owned); no library.
  static std::unique_ptr<Host> Attach(IDeviceAttributeCalculation* calculator);
  ~Host() override;

  // CHostServices
  CMethodContext* createMethodContext(CHostContext* context) override;
  CHostObjectStore* getObjectStore() override { return m_null.store ? nullptr : &m_store; }
  CHostErrorHandler* getErrorHandler() override { return m_null.errors ? nullptr : &m_errors; }

  // Services that answer null from now on, as a failing host may.
  struct NullAnswers {
    bool store = false, errors = false, context = false;
  };
  void answerNull(NullAnswers answers) { m_null = answers; }

  ObjectStore& store() { return m_store; }
  ErrorHandler& errors() { return m_errors; }
  IDeviceAttributeCalculation& calculator() { return *m_calculator; }
  PluginLibrary* library() { return m_library.get(); }
  CHostContext* context() { return &m_context; }

  // Init + BuildCatalogue + the data set from defaults (each variable asked once,
  // ascending; its default, else zero of its kind). Open and Attach do this.
  void Start();

  // Catalogue lookups (from the objects the catalogue registered).
  const CDDDefinition* Find(const std::string& nameOrNumber) const;
  const CDDDefinition* Find(long number) const;
  std::vector<CDDDefinition> Catalogue() const;  // in registration order

  // A fresh description object for a definition, filled by Calculate. The store's
  // read log is cleared first, so store().readOrder() tells what this request read.
  std::unique_ptr<CDDObject> Request(const CDDDefinition& definition);
  std::unique_ptr<CDDObject> Request(const std::string& nameOrNumber);
  // Validity through the dispatcher matching the definition's kind; nothing for a kind
  // that has none (commands, refresh relations, the block), since it carries no condition.
  std::optional<bool> Valid(const CDDDefinition& definition);

  // Runs a method through ExecuteMethod with a scripted context.
  struct Run {
    int result = 0;
    std::vector<TraceEntry> trace;
    std::map<std::string, CDDCommonVariant> changed;  // values put during the run
  };
  Run RunMethod(const std::string& nameOrNumber, Script script, bool suppressAbort = false,
                std::int32_t executeArgument = 0);
  // Used by ScriptedContext::callMethod: a nested run on the same script and trace.
  int RunNested(const std::string& methodName, Script& script, std::vector<TraceEntry>& trace, int depth);

  // Values put by method contexts in the current run (by name).
  void notePut(const std::string& name, const CDDCommonVariant& value);

 private:
  Host() = default;

  struct Context : CHostContext {};
  std::unique_ptr<PluginLibrary> m_library;
  IDeviceAttributeCalculation* m_calculator = nullptr;
  bool m_ownsCalculator = false;
  ObjectStore m_store;
  ErrorHandler m_errors;
  Context m_context;
  NullAnswers m_null;
  Script* m_currentScript = nullptr;
  std::vector<TraceEntry>* m_currentTrace = nullptr;
  std::map<std::string, CDDCommonVariant>* m_changed = nullptr;
  int m_depth = 0;
  // Script and trace of contexts created outside RunMethod.
  Script m_idleScript;
  std::vector<TraceEntry> m_idleTrace;
  // The registered objects' definitions (owned by the store).
  std::map<std::string, const CDDDefinition*> m_byName;
  std::map<long, const CDDDefinition*> m_byNumber;
};

// Latin-1 to UTF-8, for everything the host prints.
std::string Utf8(const std::string& latin1);
// UTF-8 to Latin-1, for what the user types; false when a character does not fit.
bool Latin1(const std::string& utf8, std::string* latin1);
// The length of the well-formed UTF-8 sequence at `pos` (0 where there is none: a stray
// byte, an overlong form, a surrogate), and its code point.
std::size_t Utf8Sequence(const std::string& text, std::size_t pos, unsigned* point);
bool IsUtf8(const std::string& text);
// Decimal digits with an optional sign, nothing else (no blank): how every number a
// person gives is read. A leading zero is still decimal.
bool IsInteger(const std::string& text);
// Such a number as a long; nothing for any other text and for one beyond a long.
std::optional<long> ParseInteger(const std::string& text);
// A text as a person typed it, for a message: in double quotes, so that blanks show (in
// single quotes where it holds a double quote and no single one; a double quote inside
// double quotes is shown as \x22, a backslash as \\, so that an escape shown for a
// byte cannot be mistaken for one typed); an empty one is named by EMPTY.
std::string Echo(const std::string& typed, const char* empty = "an empty value");
// The text of a form that ddlib::quote made (as trace arguments are); nothing for
// any other form.
std::optional<std::string> Unquote(const std::string& quoted);
// The languages of the plug-in's multilingual texts, English first: the markers a
// literal carries ("|de|") and what dtmhost's --lang takes.
inline constexpr std::array<const char*, 5> kLanguages = {"en", "de", "fr", "it", "es"};
// One language segment of a multilingual literal (one of kLanguages): the segment when
// present, else the English one.
std::string Segment(const std::string& text, const std::string& language);

}  // namespace dtmhost
