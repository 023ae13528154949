// Loading the plug-in as a shared library: clear errors for a missing file, a file
// that is no library, and a library without the entry points; the built plug-in loads.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dtmhost/host.h"

namespace {

using dtmhost::PluginLibrary;

TEST(Loader, ReportsWhyALibraryCannotServe) {
  std::string notLibrary = (std::filesystem::temp_directory_path() / ("dtm-not-a-library-" + std::to_string(getpid()) + ".so")).string();
  std::ofstream(notLibrary) << "text, not code\n";
  struct Case {
    std::string path;
    std::string expected;  // part of the one-line error
  };
  const Case cases[] = {
      {"/nonexistent/libdtmplugin.so", "plug-in not found: \"/nonexistent/libdtmplugin.so\""},
      {"", "plug-in not found: an empty path"},
      {notLibrary, "cannot load plug-in \"" + notLibrary + "\""},
      {DTM_DDLIB_PATH, "lacks the entry point GetAttributeCalculation"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::string error;
    EXPECT_FALSE(PluginLibrary::Open(c.path, &error));
    EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    std::string hostError;
    EXPECT_FALSE(dtmhost::Host::Open(c.path, &hostError));
    EXPECT_EQ(hostError, error);
  }
  std::filesystem::remove(notLibrary);
}

TEST(Loader, ResolvesEveryEntryPointOfThePlugin) {
  std::string error;
  auto library = PluginLibrary::Open(DTM_PLUGIN_PATH, &error);
  ASSERT_TRUE(library) << error;
  EXPECT_TRUE(library->GetAttributeCalculation);
  EXPECT_TRUE(library->GetInformation);
  EXPECT_TRUE(library->GetAttributeCalcDataCategory);
  EXPECT_TRUE(library->DllRegisterServer);
  EXPECT_TRUE(library->DllUnregisterServer);
}

TEST(Loader, HostOpensThePluginAndTakesItsCatalogue) {
  std::string error;
  auto host = dtmhost::Host::Open(DTM_PLUGIN_PATH, &error);
  ASSERT_TRUE(host) << error;
  std::vector<CDDDefinition> catalogue = host->Catalogue();
  EXPECT_EQ(catalogue.size(), 540u);
  ASSERT_FALSE(catalogue.empty());
  EXPECT_EQ(catalogue.front().getKind(), ObjectKindBlock);  // the block comes first
  EXPECT_EQ(dtmhost::ObjectStore::liveCopies(), 0);
  EXPECT_EQ(dtmhost::ScriptedContext::live(), 0);
}

TEST(Loader, DefaultPathFollowsTheEnvironment) {
  setenv("DTM_PLUGIN", "/somewhere/libx.so", 1);
  EXPECT_EQ(dtmhost::DefaultPluginPath(), "/somewhere/libx.so");
  unsetenv("DTM_PLUGIN");
  EXPECT_EQ(std::filesystem::path(dtmhost::DefaultPluginPath()).filename(), "libdtmplugin.so");
}

}  // namespace
