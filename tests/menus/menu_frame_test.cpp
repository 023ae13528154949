// The menu frame: call order and its departures, fresh lists on every request, and
// the cases where a menu must be left untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_fixture.h"
#include "menus/menu_frame.h"
#include "module/subsystems.h"

namespace {

using menutest::AttachedHost;
using dtmhost::ObjectStore;
using Lines = std::vector<std::string>;

// The journal with class names dropped and non-empty texts shortened to "text", so
// the order is compared, not the literals.
Lines CallOrder() {
  Lines out;
  for (std::string line : ddlib::Journal::lines()) {
    line = line.substr(line.find("::") + 2);
    for (const char* call : {"putLabel(", "putHelp("}) {
      std::string prefix = call;
      if (line.rfind(prefix, 0) == 0 && line != prefix + "\"\")") line = prefix + "text)";
    }
    out.push_back(line);
  }
  return out;
}

struct OrderCase {
  ObjId menu;
  Lines calls;
};

TEST(MenuFrame, CallsTheLibraryInTheFrameOrderWithTheNamedDepartures) {
  const OrderCase cases[] = {
      {id::Page_alarm_status,
       {"putAccess(0)", "putLabel(\"\")", "putLabel(text)", "setMenuItems()", "putQualification(1, true)",
        "Add(#285 manu_alarm_error_code_select, -1, -1)", "Add(#286 manu_alarm_error_state, -1, -1)",
        "Add(#287 manu_alarm_contact_enabled, -1, -1)", "Add(#288 manu_alarm_cleaning_trigger, -1, -1)",
        "putAttributesAvailable(true)"}},
      {id::Page_reset,
       {"putAccess(1)", "putLabel(\"\")", "putLabel(text)", "putHelp(\"\")", "putHelp(text)", "setMenuItems()",
        "Add(#155 phys_diagnosis, -1, -1)", "Add(#104 method_phys_factory_reset_params, -1, -1)",
        "Add(#105 method_phys_factory_reset_warm, -1, -1)", "Add(#106 method_phys_factory_reset_address, -1, -1)",
        "putAttributesAvailable(true)"}},
      {id::Table_Main_Maintenance_ONLINE,
       {"putLabel(\"\")", "putLabel(text)", "putAccess(0)", "setMenuItems()",
        "Add(#611 Tab_m_QZ_Std_Matrix_ONLINE, -1, -1)", "Add(#613 Tab_m_PA_Profil_ONLINE, -1, -1)",
        "putAttributesAvailable(true)"}},
      {id::MVXGSD_channel_module_setup,
       {"putLabel(\"\")", "putLabel(text)", "putAccess(1)", "setMenuItems()",
        "Add(#654 _MVXGSD_ChannelSetup01, -1, -1)", "Add(#656 _MVXGSD_ChannelSetup02, -1, -1)",
        "Add(#658 _MVXGSD_ChannelSetup03, -1, -1)", "putAttributesAvailable(true)"}},
      {id::Page_diagnosis_general,
       {"putLabel(\"\")", "putLabel(text)", "setMenuItems()", "putQualification(1, true)",
        "Add(#139 phys_tag_desc, -1, -1)", "Add(#152 phys_manufacturer_id, -1, -1)",
        "Add(#153 phys_device_id, -1, -1)", "Add(#154 phys_serial_num, -1, -1)",
        "Add(#150 phys_software_rev, -1, -1)", "Add(#151 phys_hardware_rev, -1, -1)", "putQualification(1, true)",
        "Add(#164 phys_install_date, -1, -1)", "Add(#200 phys_actual_error_code, -1, -1)", "putAccess(0)",
        "putAttributesAvailable(true)"}},
      {id::Tab_s_QZ_Device_Matrix_v7_ONLINE,
       {"putAccess(0)", "putLabel(\"\")", "putLabel(text)", "setMenuItems()", "Add(#272 manu_check_select, -1, -1)",
        "Add(#274 manu_check_threshold_enabled, -1, -1)", "Add(#275 manu_check_error_delay, -1, -1)",
        "Add(#276 manu_check_threshold_low, -1, -1)", "Add(#277 manu_check_threshold_high, -1, -1)",
        "Add(#278 manu_check_monitoring_enabled, -1, -1)", "Add(#279 manu_check_low_alarm_time_max, -1, -1)",
        "Add(#280 manu_check_high_alarm_time_max, -1, -1)", "Add(#281 manu_check_limit_value, -1, -1)",
        "putQualification(3, true)", "Add(#273 manu_check_select_help, -1, -1)", "putAttributesAvailable(true)"}},
  };
  AttachedHost f;
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.menu);
    ddlib::JournalScope journal;
    f.Request(c.menu);
    EXPECT_EQ(CallOrder(), c.calls);
  }
}

// Everything the host can see of a filled menu, in one comparable text.
std::string Snapshot(const CDDMenu& menu) {
  std::string out = "access " + (menu.getAccess() ? std::to_string(*menu.getAccess()) : "-");
  out += " label " + menu.getLabel().value_or("-") + " help " + menu.getHelp().value_or("-");
  out += menu.getAttributesAvailable() ? " available" : " unavailable";
  if (menu.menuItems())
    for (const CDDMenuItem& item : menu.menuItems()->entries()) {
      out += " | " + std::to_string(item.getDefinition().getID());
      for (int q : item.qualifications()) out += " q" + std::to_string(q);
    }
  return out;
}

TEST(MenuFrame, EveryMenuAnswersAgainWithTheSameMenuAndNoAccumulatedItemsAndReadsNothing) {
  auto host = menutest::OpenPlugin();
  for (const menus::MenuRow& row : menus::FixedMenus()) {
    SCOPED_TRACE(row.id);
    const CDDDefinition& definition = *host->Find(row.id);
    auto first = menutest::AsMenu(host->Request(definition));
    std::string once = Snapshot(*first);
    EXPECT_EQ(host->calculator().Calculate(host->context(), first.get()), first.get());  // the same object again
    EXPECT_EQ(Snapshot(*first), once);
    EXPECT_EQ(Snapshot(*menutest::AsMenu(host->Request(definition))), once);
    EXPECT_TRUE(first->getAttributesAvailable());
    EXPECT_EQ(host->store().readCount(), 0);
  }
  EXPECT_EQ(ObjectStore::liveCopies(), 0);
}

TEST(MenuFrame, CalculatorReachesTheFrameForEveryRowAndForNothingElse) {
  AttachedHost f;
  int answered = 0;
  for (ObjId n = 1; n <= kObjectCount; ++n) {
    const menus::MenuRow* row = menus::FindRow(n);
    EXPECT_EQ(menus::CalcFunctionFor(n), row ? &menus::CalcMenu : nullptr) << n;
    if (row) {
      EXPECT_EQ(row->id, n);
      const CDDDefinition* definition = f.host->Find(static_cast<long>(n));
      ASSERT_NE(definition, nullptr) << n;
      EXPECT_EQ(definition->getKind(), ObjectKindMenu) << definition->getName();
      ++answered;
    }
  }
  EXPECT_EQ(answered, 117);
  for (long n : {-1L, 0L, 661L, 100000L}) EXPECT_EQ(menus::FindRow(n), nullptr);
}

TEST(MenuFrame, ObjectOfAnotherClassOrWithoutARowIsReturnedUntouched) {
  AttachedHost f;
  // A variable object carrying a menu's number.
  CDDVariable variable(f.calc.Definition(id::Menu_File));
  ddlib::JournalScope journal;
  EXPECT_EQ(f.calc.Calculate(f.host->context(), &variable), &variable);
  // A menu object carrying a variable's number.
  CDDMenu stray(f.calc.Definition(id::manu_mode));
  EXPECT_EQ(menus::CalcMenu(f.calc, f.host->context(), &stray), &stray);
  EXPECT_TRUE(ddlib::Journal::lines().empty());
  EXPECT_FALSE(variable.getAttributesAvailable());
  EXPECT_FALSE(stray.getAttributesAvailable());
}

TEST(MenuFrame, MenuNamingAnObjectWithoutDefinitionIsLeftUntouched) {
  AttachedHost f;
  f.Forget(id::manu_alarm_contact_enabled);  // the catalogue lost one item of the alarm page

  ddlib::JournalScope journal;
  auto page = f.Request(id::Page_alarm_status);
  EXPECT_TRUE(ddlib::Journal::lines().empty());
  EXPECT_FALSE(page->getAttributesAvailable());
  EXPECT_EQ(page->menuItems(), nullptr);
  // Menus that do not name it are unaffected.
  EXPECT_TRUE(f.Request(id::Page_diagnose_code)->getAttributesAvailable());
}

// The services an item rule gets: reads go to the store each time and live to the end
// of the request; objects without a definition are skipped and spoil the menu.
TEST(MenuBuild, ReadsFreshlyAppendsWithQualificationsAndFlagsMissingDefinitions) {
  AttachedHost f;
  f.Forget(id::manu_relay_PID_Kp);
  f.host->store().setValue("manu_relay_function", CDDCommonVariant(4));
  f.host->store().clearReads();
  CDDMenu menu(f.calc.Definition(id::OnlineDialog_set_function_param));
  menu.setMenuItems(new CDDMenuItemList());
  {
    CAutoDeleteList owned;
    menus::MenuBuild build(f.calc, f.host->context(), menu, owned);
    EXPECT_TRUE(build.Read(id::manu_relay_function) == CDDCommonVariant(4));
    f.host->store().setValue("manu_relay_function", CDDCommonVariant(5));
    EXPECT_TRUE(build.Read(id::manu_relay_function) == CDDCommonVariant(5));
    EXPECT_EQ(ObjectStore::liveCopies(), 2);
    build.Append({id::manu_relay_select_relay, menus::Qual::readOnly});
    build.Append(std::vector<menus::MenuItem>{{id::manu_relay_enabled}, {id::manu_relay_limit_switch_state,
                                                                           menus::Qual::code3}});
    EXPECT_TRUE(build.complete());

    EXPECT_TRUE(build.Read(id::manu_relay_PID_Kp).isEmpty());
    EXPECT_FALSE(build.complete());
    build.Append({id::manu_relay_PID_Kp});
  }
  EXPECT_EQ(ObjectStore::liveCopies(), 0);
  EXPECT_EQ(f.host->store().readOrder(), (std::vector<std::string>{"manu_relay_function", "manu_relay_function"}));
  const auto& items = menu.menuItems()->entries();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].qualifications(), std::vector<int>{QualificationReadOnly});
  EXPECT_TRUE(items[1].qualifications().empty());
  EXPECT_EQ(items[2].qualifications(), std::vector<int>{QualificationCode3});
}

}  // namespace
