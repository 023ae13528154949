// The reference host on the plug-in loaded as a shared library, as a real host runs it.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "dtmhost/host.h"

namespace testsupport {

// Throws when the plug-in does not load, so a test that needs it fails with the reason.
inline std::unique_ptr<dtmhost::Host> OpenPlugin() {
  std::string error;
  auto host = dtmhost::Host::Open(DTM_PLUGIN_PATH, &error);
  if (!host) throw std::runtime_error(error);
  return host;
}

// A fixture with a freshly loaded plug-in per test.
class PluginHostTest : public testing::Test {
 protected:
  void SetUp() override { host = OpenPlugin(); }
  std::unique_ptr<dtmhost::Host> host;
};

}  // namespace testsupport
