// Interfaces that the host hands the plug-in. The plug-in only calls them; the host
// implements them.
#pragma once
#include <cstdint>

#include "ddlib/objects.h"

class CMethodContext;
class CHostObjectStore;
class CHostErrorHandler;

// Opaque per-request handle of the host; the plug-in hands it on unchanged.
class CHostContext {
 public:
  virtual ~CHostContext();
};

class CHostServices {
 public:
  virtual ~CHostServices();
  virtual CMethodContext* createMethodContext(CHostContext* context) = 0;
  virtual CHostObjectStore* getObjectStore() = 0;
  virtual CHostErrorHandler* getErrorHandler() = 0;
};

class CHostObjectStore {
 public:
  virtual ~CHostObjectStore();
  // The host keeps its own copy of every argument.
  virtual void addObject(const CDDObject& object) = 0;
  virtual void putRequestSet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) = 0;
  virtual void putReplySet(const CDDTransactionRef& transaction, const CDDDefinitionSet& set) = 0;
  virtual void putDependentSet(const CDDDefinition& variable, const CDDDefinitionSet& set) = 0;
  // New objects, owned and deleted by the caller; null when the host has no value.
  virtual CDDBlock* getBlockCopy(CHostContext* context, const CDDDefinition& block) = 0;
  virtual CDDCommonVariant* getValueCopy(CHostContext* context, const CDDDefinition& variable) = 0;
};

class CHostErrorHandler {
 public:
  virtual ~CHostErrorHandler();
  virtual void reportError(const CStrPP& message) = 0;
};

// The host's environment for one run of a method body, in the host's slot order.
class CMethodContext {
 public:
  virtual ~CMethodContext();
  virtual void begin(CHostContext* context, CHostServices* host, CDDDefinition* method,
                     std::int32_t executeArgument) = 0;
  virtual void setLocalVariables(CVBCollection* locals) = 0;  // takes the collection over
  virtual int getResult() = 0;
  virtual void setResult(int result) = 0;
  virtual bool isAbortPending() = 0;
  virtual void abortWithMessage(const CStrPP& text) = 0;
  virtual void abortMethod(int code) = 0;
  virtual int acknowledge(const CStrPP& text, int flags) = 0;
  virtual bool callMethod(const CStrPP& method) = 0;
  virtual void delay(int seconds, const CStrPP& text, int flags) = 0;
  virtual bool putFloatValue(const CStrPP& variable, float value) = 0;
  virtual int askVariableValue(const CStrPP& prompt, int flags, const CStrPP& variable) = 0;
  virtual bool putIntegerValue(const CStrPP& variable, int value) = 0;
  virtual long getIntegerValue(const CStrPP& variable) = 0;
  virtual bool assignIntegerValue(const CStrPP& variable, int value) = 0;
  virtual void abort() = 0;
  virtual void saveValues() = 0;
  virtual long selectFromList(const CStrPP& prompt, int flags, const CStrPP& options) = 0;
  virtual void readCommand(const CStrPP& command) = 0;
  virtual void writeCommand(const CStrPP& command) = 0;
};
