#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <string>

#include "ddlib/journal.h"
#include "host_trace.h"

namespace {

using testsupport::OpenPlugin;

const CDDMethod& AsMethod(const std::unique_ptr<CDDObject>& object) { return dynamic_cast<const CDDMethod&>(*object); }

// The attributes of every method of the catalogue, and the one call order each request
// follows (access either right after label and help, or right after the class).
TEST(MethodAttributes, EveryMethodFollowsTheFrame) {
  auto host = OpenPlugin();
  std::set<std::string> accessFirst;
  for (const CDDDefinition& d : host->Catalogue()) {
    if (d.getKind() != ObjectKindMethod) continue;
    SCOPED_TRACE(d.getName());
    std::unique_ptr<CDDObject> object(MakeDescriptionObject(d));
    ddlib::JournalScope journal;
    host->calculator().Calculate(host->context(), object.get());
    const CDDMethod& method = AsMethod(object);
    ASSERT_TRUE(method.getAttributesAvailable());
    ASSERT_TRUE(method.getLabel() && method.getAccess());
    EXPECT_EQ(method.getValidity(), true);
    EXPECT_EQ(std::popcount(method.classInfo().mask()), 1);
    EXPECT_TRUE(method.classInfo().isSet(MethodClassCode2) || method.classInfo().isSet(MethodClassContained));

    std::vector<std::string> lines = ddlib::Journal::lines();
    ASSERT_GE(lines.size(), 15u);
    EXPECT_EQ(lines[0].rfind("CDDMethod::putLabel(", 0), 0u);
    std::size_t at = method.getHelp() ? 2 : 1;
    if (method.getHelp()) {
      EXPECT_EQ(lines[1].rfind("CDDMethod::putHelp(", 0), 0u);
    }
    const std::string access = "CDDMethod::putAccess(" + std::to_string(*method.getAccess()) + ")";
    if (lines[at] == access) {
      accessFirst.insert(d.getName());
      lines.erase(lines.begin() + static_cast<long>(at));
    } else {
      lines.erase(lines.begin() + static_cast<long>(at) + 11);  // after the reset and the class
    }
    std::vector<std::string> rest(lines.begin() + static_cast<long>(at), lines.end());
    std::vector<std::string> expected;
    for (int code : {2, 15, 14, 9, 10, 11, 16, 13, 18, 12})
      expected.push_back("CDDMethodClass::putClassInfo(" + std::to_string(code) + ", false)");
    expected.push_back("CDDMethodClass::putClassInfo(" +
                       std::to_string(method.classInfo().isSet(MethodClassCode2) ? 2 : 14) + ", true)");
    expected.push_back("CDDMethod::putValidity(true)");
    expected.push_back("CDDObject::putAttributesAvailable(true)");
    EXPECT_EQ(rest, expected);
  }
  EXPECT_EQ(accessFirst, (std::set<std::string>{"CommError_IgnoreAllErrors", "CommError_CheckAllErrors",
                                                "CommError_DefaultHandling", "method_phys_factory_reset_params",
                                                "pre_read_download_variables", "pre_write_upload_variables",
                                                "pre_write_upload_variables_lock",
                                                "method_manu_sensor_type_remember"}));
}

// Labels and help reach the host byte for byte: blanks, tabs and Latin-1 letters.
TEST(MethodAttributes, TextsAreKeptByteExact) {
  auto host = OpenPlugin();
  auto label = [&](const char* name) { return *AsMethod(host->Request(name)).getLabel(); };
  EXPECT_EQ(label("SEPARATOR"), " ");
  EXPECT_EQ(label("pre_read_download_variables"), " ");
  EXPECT_EQ(label("method_write_manu_sensor_type"), "");
  EXPECT_EQ(label("meth_read_function_params_3Pstep"), "meth_read_function_params_neutra");
  EXPECT_EQ(label("std_Save").substr(0, 14), "&Save \tCtrl+S ");
  EXPECT_NE(label("std_Eigenschaften").find("&Propri\xE9t\xE9s..."), std::string::npos);
  EXPECT_EQ(AsMethod(host->Request("CommError_CheckAllErrors")).getHelp(), std::string());
  const std::string help = *AsMethod(host->Request("method_set")).getHelp();
  EXPECT_NE(help.find("|de|\xDC" "bertragen: \xDC" "bertr\xE4gt Eingaben zum Feldger\xE4t."), std::string::npos);
  EXPECT_FALSE(AsMethod(host->Request("std_Print")).getHelp().has_value());
}

// The class is reset on every request, so codes the host set in between are cleared.
TEST(MethodAttributes, ClassIsResetOnEveryRequest) {
  auto host = OpenPlugin();
  for (const char* name : {"std_Save", "pre_write_upload_variables_lock"}) {
    auto object = host->Request(name);
    auto& method = dynamic_cast<CDDMethod&>(*object);
    const unsigned own = method.classInfo().mask();
    for (int code : {2, 9, 10, 11, 12, 13, 14, 15, 16, 18})
      method.getClass()->putClassInfo(static_cast<enumDDMethodClass>(code), true);
    host->calculator().Calculate(host->context(), object.get());
    EXPECT_EQ(method.classInfo().mask(), own) << name;
  }
}

}  // namespace
