// The calculator core as the host sees it: dispatch by number, error reports, the
// catalogue's registration, the information object, the data categories and
// registration in the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "dtmhost/host.h"
#include "module/calculator.h"
#include "module/information.h"
#include "module/registration.h"
#include "support/plugin_host.h"

namespace {

using testsupport::OpenPlugin;

constexpr const char* kVariableReport = ":   0,  0 : illegal object ID (calculate Variable validity) for object ";
constexpr const char* kMethodReport = ":   0,  0 : illegal object ID (calculate Method validity) for object ";
constexpr const char* kMenuReport = ":   0,  0 : illegal object ID (calculate Menu validity) for object ";

TEST(CoreDispatch, NumbersThatNameNoObjectLeaveTheObjectUntouched) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  // Negative, zero, past the table, an unnamed number inside it.
  for (long number : {-5L, -1L, 0L, 661L, 100000L, 167L}) {
    ASSERT_FALSE(host->Find(number)) << number << " names an object";
    CDDVariable variable(CDDDefinition(number, "stray", ObjectKindVariable));
    EXPECT_EQ(host->calculator().Calculate(host->context(), &variable), &variable);
    EXPECT_FALSE(variable.getAttributesAvailable()) << number;
    EXPECT_FALSE(variable.getLabel().has_value()) << number;
  }
  EXPECT_TRUE(host->errors().reports().empty());
}

TEST(CoreDispatch, ValidityOfUnknownNumbersIsReportedWithTheObjectName) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  CDDVariable variable(CDDDefinition(661, "no_such_variable", ObjectKindVariable));
  CDDMethod method(CDDDefinition(700, "no_such_method", ObjectKindMethod));
  CDDMenu menu(CDDDefinition(0, "no_such_menu", ObjectKindMenu));
  EXPECT_FALSE(host->calculator().IsVariableValid(host->context(), &variable));
  EXPECT_FALSE(host->calculator().IsMethodValid(host->context(), &method));
  EXPECT_FALSE(host->calculator().IsMenuValid(host->context(), &menu));
  ASSERT_EQ(host->errors().reports().size(), 3u);
  EXPECT_EQ(host->errors().reports()[0], std::string(kVariableReport) + "no_such_variable");
  EXPECT_EQ(host->errors().reports()[1], std::string(kMethodReport) + "no_such_method");
  EXPECT_EQ(host->errors().reports()[2], std::string(kMenuReport) + "no_such_menu");
}

TEST(CoreDispatch, NegativeNumbersAreRefusedWithoutAReport) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  for (long number : {-1L, -660L, -2147483648L}) {
    CDDVariable variable(CDDDefinition(number, "stray", ObjectKindVariable));
    CDDMethod method(CDDDefinition(number, "stray", ObjectKindMethod));
    CDDMenu menu(CDDDefinition(number, "stray", ObjectKindMenu));
    EXPECT_FALSE(host->calculator().IsVariableValid(host->context(), &variable)) << number;
    EXPECT_FALSE(host->calculator().IsMethodValid(host->context(), &method)) << number;
    EXPECT_FALSE(host->calculator().IsMenuValid(host->context(), &menu)) << number;
    EXPECT_EQ(host->calculator().ExecuteMethod(host->context(), &method, 0, false), -1) << number;
  }
  EXPECT_TRUE(host->errors().reports().empty());
}

TEST(CoreDispatch, ANumberOfAnotherKindIsNotValidForThisKind) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  // A method object carrying a variable's number, and a variable carrying a menu's.
  CDDMethod method(*host->Find(static_cast<long>(id::manu_relay_function)));
  CDDVariable variable(*host->Find(static_cast<long>(id::download_variables)));
  EXPECT_FALSE(host->calculator().IsMethodValid(host->context(), &method));
  EXPECT_FALSE(host->calculator().IsVariableValid(host->context(), &variable));
  EXPECT_EQ(host->errors().reports().size(), 2u);
  // Calculate leaves an object of the wrong class untouched.
  CDDMenu menu(*host->Find(static_cast<long>(id::manu_relay_function)));
  host->calculator().Calculate(host->context(), &menu);
  EXPECT_FALSE(menu.getAttributesAvailable());
}

TEST(CoreDispatch, ExecutingAnUnknownMethodIsReportedAndAnswersMinusOne) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  CDDMethod stray(CDDDefinition(700, "stray", ObjectKindMethod));
  CDDMethod variable(*host->Find(static_cast<long>(id::manu_mode)));
  EXPECT_EQ(host->calculator().ExecuteMethod(host->context(), &stray, 0, false), -1);
  EXPECT_EQ(host->calculator().ExecuteMethod(host->context(), &variable, 0, false), -1);
  ASSERT_EQ(host->errors().reports().size(), 2u);
  EXPECT_EQ(host->errors().reports()[0], ":   0,  0 : illegal method ID (execute)");
}

TEST(CoreDispatch, EveryDefinedMethodIsValidAndEveryDefinedVariableAndMenu) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  for (const CDDDefinition& d : host->Catalogue()) {
    if (d.getKind() != ObjectKindMethod && d.getKind() != ObjectKindVariable && d.getKind() != ObjectKindMenu)
      continue;
    EXPECT_EQ(host->Valid(d), true) << d.getName();
  }
  EXPECT_TRUE(host->errors().reports().empty());
}

TEST(CoreDispatch, RequestsBeforeInitOrCatalogueDoNotCrash) {
  CDeviceAttributeCalculation calc;
  CDDVariable variable(CDDDefinition(id::manu_mode, "manu_mode", ObjectKindVariable));
  CDDMethod method(CDDDefinition(id::SEPARATOR, "SEPARATOR", ObjectKindMethod));
  CDDMenu menu(CDDDefinition(id::download_variables, "download_variables", ObjectKindMenu));
  EXPECT_EQ(calc.Calculate(nullptr, &variable), &variable);
  EXPECT_FALSE(calc.IsVariableValid(nullptr, &variable));
  EXPECT_FALSE(calc.IsMethodValid(nullptr, &method));
  EXPECT_FALSE(calc.IsMenuValid(nullptr, &menu));
  EXPECT_EQ(calc.ExecuteMethod(nullptr, &method, 0, false), -1);

  // Initialised but without a catalogue: still untouched, and reported.
  auto host = dtmhost::Host::Attach(&calc);
  CDeviceAttributeCalculation bare;
  bare.Init(host.get());
  EXPECT_EQ(bare.Calculate(nullptr, &variable), &variable);
  EXPECT_FALSE(variable.getAttributesAvailable());
  EXPECT_FALSE(bare.IsMethodValid(nullptr, &method));
  bare.Exit();
}

TEST(Catalogue, RegistersEveryObjectOnceInKindOrder) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  const auto& objects = host->store().objects();
  ASSERT_EQ(objects.size(), std::size(kCatalogue));
  std::map<int, int> perKind;
  const int order[] = {ObjectKindBlock, ObjectKindVariable, ObjectKindCommand, ObjectKindMenu,
                       ObjectKindMethod, ObjectKindRefresh, ObjectKindUnit};
  auto rank = [&](int kind) { return static_cast<int>(std::find(std::begin(order), std::end(order), kind) - order); };
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const CDDDefinition& d = *objects[i]->getcDefinition();
    ++perKind[d.getKind()];
    if (i == 0) continue;
    const CDDDefinition& prev = *objects[i - 1]->getcDefinition();
    ASSERT_TRUE(rank(prev.getKind()) < rank(d.getKind()) ||
                (prev.getKind() == d.getKind() && prev.getID() < d.getID()))
        << prev.getName() << " before " << d.getName();
  }
  EXPECT_EQ(perKind[ObjectKindBlock], 1);
  EXPECT_EQ(perKind[ObjectKindVariable], 208);
  EXPECT_EQ(perKind[ObjectKindCommand], 127);
  EXPECT_EQ(perKind[ObjectKindMenu], 117);
  EXPECT_EQ(perKind[ObjectKindMethod], 85);
  EXPECT_EQ(perKind[ObjectKindRefresh], 2);
}

TEST(Catalogue, CommandSetsNameTheCommandVariable) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  const auto& sets = host->store().commandSets();
  auto read = sets.find("read_manu_relay_number");
  auto write = sets.find("write_manu_relay_function");
  ASSERT_NE(read, sets.end());
  ASSERT_NE(write, sets.end());
  ASSERT_EQ(read->second.reply.size(), 1u);
  EXPECT_TRUE(read->second.request.empty());
  EXPECT_EQ(read->second.reply[0], *host->Find(static_cast<long>(id::manu_relay_number)));
  ASSERT_EQ(write->second.request.size(), 1u);
  EXPECT_TRUE(write->second.reply.empty());
  EXPECT_EQ(write->second.request[0], *host->Find(static_cast<long>(id::manu_relay_function)));
}

TEST(Catalogue, SplitRepliesNameEveryVariableTheReplyFills) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  const auto& sets = host->store().commandSets();
  auto numeric = sets.find("read_phys_software_rev_numeric");
  ASSERT_NE(numeric, sets.end());
  std::vector<std::string> names;
  for (const CDDDefinition& d : numeric->second.reply) names.push_back(d.getName());
  EXPECT_EQ(names, (std::vector<std::string>{"phys_software_rev_000", "phys_software_rev_001", "phys_software_rev_002",
                                             "phys_software_rev_003", "phys_software_rev_004", "phys_software_rev_005",
                                             "phys_software_rev_rest"}));
  auto ident = sets.find("read__MVX__phys_device_man_id");
  ASSERT_NE(ident, sets.end());
  ASSERT_EQ(ident->second.reply.size(), 1u);
  EXPECT_STREQ(ident->second.reply[0].getName(), "__MVX__phys_device_man_id");
}

TEST(Catalogue, ASecondBuildNeitherLeaksNorDuplicates) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  host->store().clearRegistrations();
  host->calculator().BuildCatalogue();
  EXPECT_EQ(host->store().objects().size(), std::size(kCatalogue));
  EXPECT_NE(host->Find("manu_relay_function"), nullptr);
}

TEST(Information, MenuNamesByRole) {
  CDeviceInformation info;
  const std::map<long, std::string> named = {
      {0, "download_variables"},      {1, "upload_variables"},      {2, "DTM_online_root_menu"},
      {4, "DTM_offline_root_menu"},   {6, "DTM_observe_menu"},      {9, "DTM_diagnosis_menu"},
      {14, "DTM_trend_menu"},         {15, "__MVX__CommunicationMenu"}, {10003, "DTM_Reset_menu"},
      {10004, "DTM_lock_unlock_menu"}, {10007, "DTM_trend_menu"}};
  for (long role : {-1L, 0L, 1L, 2L, 3L, 4L, 5L, 6L, 9L, 14L, 15L, 16L, 10003L, 10004L, 10005L, 10007L}) {
    auto it = named.find(role);
    EXPECT_EQ(std::string(info.GetMenuName(role)), it == named.end() ? "" : it->second) << role;
  }
}

TEST(Information, RootMenuNamesNameRegisteredMenus) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  std::unique_ptr<IDeviceInformation> info(host->library()->GetInformation());
  ASSERT_TRUE(info);
  // Role 15 names a generator menu that this description does not carry.
  EXPECT_EQ(host->Find(info->GetMenuName(15)), nullptr);
  for (long role : {0L, 1L, 2L, 4L, 6L, 9L, 14L, 10003L, 10004L, 10007L}) {
    const CDDDefinition* d = host->Find(info->GetMenuName(role));
    ASSERT_NE(d, nullptr) << role;
    EXPECT_EQ(d->getKind(), ObjectKindMenu);
  }
  EXPECT_STREQ(info->GetDeviceTypeText(), "Tessivar M CL / TQR2*3 / PA / 2.40");
}

TEST(Module, DataCategoriesMarkTheGsdVariables) {
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  const std::uint16_t* table = nullptr;
  long count = 0;
  host->library()->GetAttributeCalcDataCategory(&table, &count);
  ASSERT_EQ(count, 661);
  ASSERT_NE(table, nullptr);
  for (long n = 0; n < count; ++n) EXPECT_EQ(table[n], (n >= 641 && n <= 659) ? 3 : 0) << n;
}

class PluginRegistration : public ::testing::Test {
 protected:
  // A folder of its own, removed whole: the registry keeps its lock file beside the file.
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("dtm-core-registry-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ / "registry.txt";
    registry_ = ddlib::OpenFileRegistry(path_.string());
  }
  void TearDown() override {
    ddlib::SetLocalMachineRegistry(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_, path_;
  std::unique_ptr<ddlib::Registry> registry_;
};

// Unregister takes the device's key only: the parents a host already had stay.
TEST_F(PluginRegistration, RegisterThenUnregisterTakesTheDeviceKeyOnly) {
  registry_->createKey("SOFTWARE\\Other");
  registry_->setString("SOFTWARE\\Other", "Keep", "me");
  const std::string key = RegistrationKey();
  const std::string parent = key.substr(0, key.rfind('\\'));
  registry_->createKey(parent);
  auto before = registry_->snapshot();
  auto host = OpenPlugin();
  ASSERT_TRUE(host);
  ddlib::SetLocalMachineRegistry(registry_.get());
  ASSERT_EQ(host->library()->DllRegisterServer(), 0);
  auto path = registry_->getValue(key, "DLLPATH");
  ASSERT_TRUE(path);
  EXPECT_EQ(std::filesystem::path(std::get<std::string>(*path)), std::filesystem::canonical(DTM_PLUGIN_PATH));
  EXPECT_EQ(std::get<std::uint32_t>(*registry_->getValue(key, "BottomBarStyle")), 1u);
  EXPECT_EQ(std::get<std::uint32_t>(*registry_->getValue(key, "WriteNotAvailableVariablesToDevice")), 1u);
  EXPECT_TRUE(registry_->getValue(key, "Description"));
  EXPECT_TRUE(registry_->getValue(key, "TechnicalDescription"));
  ASSERT_EQ(host->library()->DllUnregisterServer(), 0);
  EXPECT_EQ(registry_->snapshot(), before);
  EXPECT_EQ(host->library()->DllUnregisterServer(), 0);  // nothing left to delete
}

// A registry that refuses any change that sets the registration's last value or
// deletes a key, and passes every other change through to a file registry: a
// registration made of several changes would leave part of itself behind.
class RefusingRegistry : public ddlib::Registry {
 public:
  explicit RefusingRegistry(ddlib::Registry& inner) : m_inner(inner) {}
  bool createKey(const std::string& path) override { return apply(ddlib::RegistryEdit().createKey(path)); }
  bool keyExists(const std::string& path) const override { return m_inner.keyExists(path); }
  bool setString(const std::string& key, const std::string& name, const std::string& value) override {
    return apply(ddlib::RegistryEdit().setString(key, name, value));
  }
  bool setNumber(const std::string& key, const std::string& name, std::uint32_t value) override {
    return apply(ddlib::RegistryEdit().setNumber(key, name, value));
  }
  std::optional<ddlib::RegistryValue> getValue(const std::string& key, const std::string& name) const override {
    return m_inner.getValue(key, name);
  }
  bool deleteKey(const std::string& path) override { return apply(ddlib::RegistryEdit().deleteKey(path)); }
  bool apply(const ddlib::RegistryEdit& edit) override {
    for (const ddlib::RegistryEdit::Step& step : edit.steps())
      if (step.kind == ddlib::RegistryEdit::Kind::DeleteKey || step.kind == ddlib::RegistryEdit::Kind::DeleteKeyIfPresent ||
          step.name == "WriteNotAvailableVariablesToDevice")
        return false;
    return m_inner.apply(edit);
  }
  std::optional<ddlib::RegistryKeys> snapshot() const override { return m_inner.snapshot(); }

 private:
  ddlib::Registry& m_inner;
};

// A registry that cannot be read or refuses a change makes both entry points answer
// the failure code; a refused registration leaves the registry as it was, also a key
// that was there before.
TEST_F(PluginRegistration, ARegistryFailureIsNotReportedAsSuccess) {
  const std::string key = RegistrationKey();
  auto unwritable = ddlib::OpenFileRegistry("/nonexistent-dir/for/sure/registry.txt");
  EXPECT_EQ(Register(*unwritable, "/x/libdtmplugin.so"), kRegistrationFailed);

  ASSERT_EQ(Register(*registry_, "/x/libdtmplugin.so"), 0);
  { std::ofstream(path_, std::ios::app) << "garbage\n"; }
  EXPECT_EQ(Register(*registry_, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_EQ(Unregister(*registry_), kRegistrationFailed);
  std::filesystem::remove(path_);

  RefusingRegistry refusing(*registry_);
  EXPECT_EQ(Register(refusing, "/x/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_FALSE(registry_->keyExists(key));
  ASSERT_EQ(Register(*registry_, "/x/libdtmplugin.so"), 0);
  auto before = registry_->snapshot();
  EXPECT_EQ(Register(refusing, "/y/libdtmplugin.so"), kRegistrationFailed);
  EXPECT_EQ(Unregister(refusing), kRegistrationFailed);
  EXPECT_EQ(registry_->snapshot(), before);
}

}  // namespace
