// The fixed menus as the host sees them: counts and access, the tree below the roots,
// the rules that tie twins and views together, and the labels' bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "menu_fixture.h"
#include "menus/menu_frame.h"

namespace {

constexpr auto On = AccessOnline;
constexpr auto Off = AccessOffline;

bool ReadOnly(const CDDMenuItem& item) { return item.qualifications() == std::vector<int>{QualificationReadOnly}; }

// Every fixed menu, filled once by the host on the loaded plug-in.
class FixedMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    host = menutest::OpenPlugin().release();
    for (const menus::MenuRow& row : menus::FixedMenus())
      filled[row.id] = menutest::AsMenu(host->Request(*host->Find(row.id)));
  }
  static void TearDownTestSuite() {
    filled.clear();
    delete host;
  }
  static std::string NameOf(long number) { return host->Find(number)->getName(); }
  static ObjId NumberOf(const std::string& name) { return static_cast<ObjId>(host->Find(name)->getID()); }
  static bool IsMenu(long number) { return host->Find(number)->getKind() == ObjectKindMenu; }
  static bool IsVariable(long number) { return host->Find(number)->getKind() == ObjectKindVariable; }
  static const CDDMenu* Menu(const std::string& name) {
    auto it = filled.find(NumberOf(name));
    return it == filled.end() ? nullptr : it->second.get();
  }
  static const std::vector<CDDMenuItem>& Items(const CDDMenu& menu) { return menu.menuItems()->entries(); }

  static inline dtmhost::Host* host = nullptr;
  static inline std::map<ObjId, std::unique_ptr<CDDMenu>> filled;
};

struct Summary {
  ObjId menu;
  enumDDAccessType access;
  std::size_t items;
};

// The summary table of all menus with a fixed item list.
constexpr Summary kSummary[] = {
    {id::Menu_CommError, Off, 26}, {id::Menu_CommError_Delay, Off, 2},
    {id::OfflineDialog_CommErrorHandling, Off, 5}, {id::Page_CommError_General, Off, 6},
    {id::Page_CommError_Application, Off, 7}, {id::Page_CommError_Access, Off, 11},
    {id::Page_CommError_Resource, Off, 6}, {id::Page_CommError_Other, Off, 2}, {id::Menu_File, Off, 13},
    {id::Menu_S_Device, Off, 7}, {id::Menu_M_Device, Off, 2}, {id::Menu_S_View, On, 2}, {id::Menu_M_View, Off, 5},
    {id::Menu_Help, Off, 7}, {id::Menu_Options, Off, 1}, {id::Menu_S_Options, Off, 4}, {id::Menu_M_Options, Off, 2},
    {id::Page_diagnosis_phys_block, On, 9}, {id::OnlineDialog_reset, Off, 4}, {id::Page_reset, Off, 4},
    {id::Tab_s_ident, Off, 2}, {id::Tab_s_ident_opunit, Off, 3}, {id::Tab_m_ident, Off, 2},
    {id::Tab_m_ident_opunit, Off, 3}, {id::Tab_s_certificates, Off, 1}, {id::Page_diagnosis_general, On, 8},
    {id::Tab_s_ident_device, Off, 7}, {id::Tab_m_ident_device, Off, 7}, {id::OnlineWindow_yt, Off, 1},
    {id::Page_yt_unavailable, Off, 1}, {id::Bar_yt_unavailable, Off, 1}, {id::Menu_Main_Specialist, On, 3},
    {id::Menu_Main_Maintenance, On, 3}, {id::OnlineWindow_display, On, 3}, {id::BarVal_manu_meas_value_main, On, 3},
    {id::BarVal_manu_meas_value_second, On, 3}, {id::BarVal_manu_meas_value_temperature, On, 3},
    {id::OnlineWindow_diagnosis, On, 2}, {id::Page_diagnosis_status, On, 2}, {id::OnlineDialog_manu_mode, On, 1},
    {id::OnlineDialog_manu_sensor_type, On, 1}, {id::OnlineDialog_temperature, On, 2},
    {id::Page_set_temperature_absolute, On, 2}, {id::Page_set_temperature_relative, On, 2},
    {id::Menu_contact_output, On, 2}, {id::OnlineDialog_select_relay_function, On, 6},
    {id::OnlineDialog_alarm_relays, On, 2}, {id::Page_diagnose_code, On, 1}, {id::Page_alarm_status, On, 4},
    {id::OnlineDialog_access_code, On, 1}, {id::OnlineDialog_reset_device, On, 1},
    {id::Table_Main_Specialist, Off, 2}, {id::Table_Main_Maintenance, Off, 2}, {id::Tab_s_PA_Profil, Off, 2},
    {id::Tab_m_PA_Profil, Off, 2}, {id::Tab_s_QZ_Std_Matrix, Off, 8}, {id::Tab_m_QZ_Std_Matrix, Off, 9},
    {id::Tab_s_QZ_Device_Matrix_v0, Off, 11}, {id::Tab_m_QZ_Device_Matrix_v0, Off, 10},
    {id::Tab_s_QZ_Device_Matrix_v1, Off, 5}, {id::Tab_m_QZ_Device_Matrix_v1, Off, 5},
    {id::Tab_s_QZ_Device_Matrix_v3, Off, 43}, {id::Tab_m_QZ_Device_Matrix_v3, Off, 3},
    {id::Tab_s_QZ_Device_Matrix_v4, Off, 40}, {id::Tab_m_QZ_Device_Matrix_v4, Off, 40},
    {id::Tab_s_QZ_Device_Matrix_v5, Off, 7}, {id::Tab_m_QZ_Device_Matrix_v5, Off, 7},
    {id::Tab_s_QZ_Device_Matrix_v7, Off, 10}, {id::Tab_m_QZ_Device_Matrix_v7, Off, 9},
    {id::Tab_s_QZ_Device_Matrix_v8, Off, 9}, {id::Tab_m_QZ_Device_Matrix_v8, Off, 9},
    {id::Tab_s_QZ_Device_Matrix_v9, Off, 4}, {id::Tab_m_QZ_Device_Matrix_v9, Off, 4},
    {id::Tab_s_QZ_Device_Matrix_vA, Off, 4}, {id::Tab_m_QZ_Device_Matrix_vA, Off, 4},
    {id::Tab_s_QZ_Device_Matrix_v0_ONLINE, On, 11}, {id::Tab_m_QZ_Device_Matrix_v0_ONLINE, On, 10},
    {id::Tab_s_QZ_Device_Matrix_v1_ONLINE, On, 5}, {id::Tab_m_QZ_Device_Matrix_v1_ONLINE, On, 5},
    {id::Tab_s_QZ_Device_Matrix_v3_ONLINE, On, 43}, {id::Tab_m_QZ_Device_Matrix_v3_ONLINE, On, 3},
    {id::Tab_s_QZ_Device_Matrix_v4_ONLINE, On, 40}, {id::Tab_m_QZ_Device_Matrix_v4_ONLINE, On, 40},
    {id::Tab_s_QZ_Device_Matrix_v5_ONLINE, On, 7}, {id::Tab_m_QZ_Device_Matrix_v5_ONLINE, On, 7},
    {id::Tab_s_QZ_Device_Matrix_v7_ONLINE, On, 10}, {id::Tab_m_QZ_Device_Matrix_v7_ONLINE, On, 9},
    {id::Tab_s_QZ_Device_Matrix_v8_ONLINE, On, 9}, {id::Tab_m_QZ_Device_Matrix_v8_ONLINE, On, 9},
    {id::Tab_s_QZ_Device_Matrix_v9_ONLINE, On, 5}, {id::Tab_m_QZ_Device_Matrix_v9_ONLINE, On, 4},
    {id::Tab_s_QZ_Device_Matrix_vA_ONLINE, On, 4}, {id::Tab_m_QZ_Device_Matrix_vA_ONLINE, On, 4},
    {id::Tab_s_ident_opunit_ONLINE, On, 3}, {id::Tab_m_ident_opunit_ONLINE, On, 3},
    {id::Tab_s_ident_device_ONLINE, On, 7}, {id::Tab_m_ident_device_ONLINE, On, 7},
    {id::Tab_s_certificates_ONLINE, On, 1}, {id::Table_Main_Specialist_ONLINE, On, 2},
    {id::Table_Main_Maintenance_ONLINE, On, 2}, {id::Tab_s_QZ_Std_Matrix_ONLINE, On, 8},
    {id::Tab_m_QZ_Std_Matrix_ONLINE, On, 9}, {id::Tab_s_PA_Profil_ONLINE, On, 2},
    {id::Tab_m_PA_Profil_ONLINE, On, 1}, {id::Tab_s_ident_ONLINE, On, 2}, {id::Tab_m_ident_ONLINE, On, 2},
    {id::DTM_offline_root_menu, Off, 2}, {id::DTM_online_root_menu, On, 2}, {id::DTM_observe_menu, On, 3},
    {id::DTM_trend_menu, On, 3}, {id::DTM_diagnosis_menu, On, 2}, {id::DTM_Reset_menu, On, 1},
    {id::DTM_lock_unlock_menu, On, 1}, {id::MVXGSD_channel_module_setup, Off, 3},
};

TEST_F(FixedMenus, AccessAndItemCountOfEveryMenuMatchTheSummary) {
  ASSERT_EQ(std::size(kSummary), filled.size());
  for (const Summary& s : kSummary) {
    SCOPED_TRACE(NameOf(s.menu));
    ASSERT_EQ(filled.count(s.menu), 1u);
    const CDDMenu& menu = *filled[s.menu];
    EXPECT_EQ(menu.getAccess(), s.access);
    EXPECT_EQ(Items(menu).size(), s.items);
    EXPECT_TRUE(menu.getAttributesAvailable());
    // Only the two master-reset menus carry a help text.
    bool resetMenu = s.menu == id::OnlineDialog_reset || s.menu == id::Page_reset;
    EXPECT_EQ(menu.getHelp().has_value(), resetMenu);
    for (const CDDMenuItem& item : Items(menu)) EXPECT_LE(item.qualifications().size(), 1u);
  }
}

// Menus that no menu holds and no role names; the host reaches them only by asking
// for them.
const char* const kOwnRequestOnly[] = {
    "Menu_Main_Specialist",     "Menu_Main_Maintenance",         "Menu_File",
    "Menu_Help",                "Table_Main_Specialist",         "Table_Main_Maintenance",
    "Table_Main_Specialist_ONLINE", "Table_Main_Maintenance_ONLINE", "Menu_CommError",
    "Menu_CommError_Delay",     "Menu_S_Options",                "Page_diagnosis_phys_block",
    "OnlineDialog_reset",       "Page_reset",                    "OnlineWindow_yt",
    "Tab_s_QZ_Device_Matrix_v4", "Tab_s_QZ_Device_Matrix_v4_ONLINE", "_MVXGSD_channel_module_setup",
};

TEST_F(FixedMenus, EveryMenuLiesBelowARootOrIsReachedOnlyByItsOwnRequest) {
  std::unique_ptr<IDeviceInformation> info(host->library()->GetInformation());
  ASSERT_NE(info, nullptr);
  std::vector<ObjId> pending;
  for (long role = 0; role <= 10010; role = role == 20 ? 10000 : role + 1) {
    std::string name = info->GetMenuName(role);
    if (!name.empty() && host->Find(name)) pending.push_back(NumberOf(name));
  }
  ASSERT_EQ(pending.size(), 10u);  // role 15 names no object; the trend menu has two roles

  // Menus without a fixed list (they choose items from values) end a path here.
  std::set<ObjId> reached;
  auto walk = [&] {
    while (!pending.empty()) {
      ObjId n = pending.back();
      pending.pop_back();
      if (!reached.insert(n).second || !filled.count(n)) continue;
      for (const CDDMenuItem& item : Items(*filled[n]))
        if (IsMenu(item.getDefinition().getID())) pending.push_back(static_cast<ObjId>(item.getDefinition().getID()));
    }
  };
  walk();
  std::set<ObjId> held;
  for (const auto& [n, menu] : filled)
    for (const CDDMenuItem& item : Items(*menu)) held.insert(static_cast<ObjId>(item.getDefinition().getID()));

  std::set<ObjId> ownRequest;
  for (const char* name : kOwnRequestOnly) ownRequest.insert(NumberOf(name));
  for (ObjId n : ownRequest) {
    EXPECT_FALSE(reached.count(n)) << NameOf(n) << " lies below a root";
    EXPECT_FALSE(held.count(n)) << NameOf(n) << " is an item of a menu";
  }
  // What the own-request menus hold is then reachable as well.
  for (ObjId n : ownRequest) pending.push_back(n);
  walk();
  for (const auto& [n, menu] : filled) EXPECT_TRUE(reached.count(n)) << NameOf(n) << " is unreachable";
  EXPECT_EQ(reached.size(), 117u);  // with the three value-dependent menus
}

// How an offline tab and its online twin may differ: qualifications changed, and one
// item the online twin adds or lacks at the end.
struct TwinDifference {
  const char* offline;
  int qualifications;
  const char* onlineAdds = nullptr;
  const char* onlineLacks = nullptr;
};
constexpr TwinDifference kTwinDifferences[] = {
    {"Tab_s_QZ_Device_Matrix_v1", 2},
    {"Tab_s_QZ_Device_Matrix_v3", 42},
    {"Tab_s_QZ_Device_Matrix_v4", 39},
    {"Tab_s_QZ_Device_Matrix_v8", 4},
    {"Tab_m_QZ_Device_Matrix_v8", 1},
    {"Tab_s_QZ_Device_Matrix_v9", 2, "manu_reset_device"},
    {"Tab_m_PA_Profil", 0, nullptr, "Tab_s_certificates"},
};

TEST_F(FixedMenus, OnlineTwinsDifferFromTheirOfflineTabOnlyWhereExpected) {
  int twins = 0;
  for (const auto& [n, online] : filled) {
    std::string name = NameOf(n);
    const std::string suffix = "_ONLINE";
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    std::string base = name.substr(0, name.size() - suffix.size());
    const CDDMenu* offline = Menu(base);
    ASSERT_NE(offline, nullptr) << name;
    SCOPED_TRACE(base);
    ++twins;
    TwinDifference expected{base.c_str(), 0};
    for (const TwinDifference& d : kTwinDifferences)
      if (base == d.offline) expected = d;

    EXPECT_EQ(offline->getAccess(), AccessOffline);
    EXPECT_EQ(online->getAccess(), AccessOnline);
    EXPECT_EQ(offline->getLabel(), online->getLabel());

    const auto& off = Items(*offline);
    const auto& on = Items(*online);
    std::size_t common = std::min(off.size(), on.size());
    int qualifications = 0;
    for (std::size_t i = 0; i < common; ++i) {
      std::string a = off[i].getDefinition().getName(), b = on[i].getDefinition().getName();
      // An item that is a menu is replaced by that menu's own online twin.
      EXPECT_TRUE(b == a || (IsMenu(on[i].getDefinition().getID()) && b == a + suffix)) << a << " / " << b;
      if (off[i].qualifications() != on[i].qualifications()) ++qualifications;
    }
    EXPECT_EQ(qualifications, expected.qualifications);
    std::string adds = on.size() > common ? on.back().getDefinition().getName() : "";
    std::string lacks = off.size() > common ? off.back().getDefinition().getName() : "";
    EXPECT_EQ(adds, expected.onlineAdds ? expected.onlineAdds : "");
    EXPECT_EQ(lacks, expected.onlineLacks ? expected.onlineLacks : "");
    EXPECT_LE(on.size() + off.size() - 2 * common, 1u);
  }
  EXPECT_EQ(twins, 31);  // every offline tab and main table
}

TEST_F(FixedMenus, MaintenanceTabsListNoVariableTheSpecialistTabLacksAndKeepItsReadOnlyMarks) {
  int compared = 0;
  for (const auto& [n, maintenance] : filled) {
    std::string name = NameOf(n);
    if (name.rfind("Tab_m_", 0) != 0) continue;
    const CDDMenu* specialist = Menu("Tab_s_" + name.substr(6));
    if (!specialist) continue;
    SCOPED_TRACE(name);
    std::map<long, bool> specialistReadOnly;
    for (const CDDMenuItem& item : Items(*specialist))
      if (IsVariable(item.getDefinition().getID())) specialistReadOnly[item.getDefinition().getID()] = ReadOnly(item);
    for (const CDDMenuItem& item : Items(*maintenance)) {
      long v = item.getDefinition().getID();
      if (!IsVariable(v)) continue;
      ASSERT_TRUE(specialistReadOnly.count(v)) << item.getDefinition().getName() << " only in the maintenance tab";
      EXPECT_TRUE(!specialistReadOnly[v] || ReadOnly(item)) << item.getDefinition().getName();
      ++compared;
    }
  }
  EXPECT_GT(compared, 200);
}

// Read-only items of a menu, by name.
std::set<std::string> ReadOnlyItems(const CDDMenu& menu) {
  std::set<std::string> out;
  for (const CDDMenuItem& item : menu.menuItems()->entries())
    if (ReadOnly(item)) out.insert(item.getDefinition().getName());
  return out;
}

TEST_F(FixedMenus, MaintenanceViewShowsItsMatrixReadOnlyAndMarksTagAndInstallDate) {
  for (const auto& [n, menu] : filled) {
    std::string name = NameOf(n);
    if (name.rfind("Tab_m_QZ_Device_Matrix_", 0) != 0) continue;
    // The security locking code stays open to entry online.
    bool lockingOpen = name == "Tab_m_QZ_Device_Matrix_v8_ONLINE";
    EXPECT_EQ(ReadOnlyItems(*menu).size() + (lockingOpen ? 1 : 0), Items(*menu).size()) << name;
    EXPECT_TRUE(!lockingOpen || !ReadOnly(Items(*menu).back())) << name;
  }
  for (const char* suffix : {"", "_ONLINE"}) {
    std::string s = suffix;
    EXPECT_EQ(ReadOnlyItems(*Menu("Tab_m_ident_opunit" + s)), std::set<std::string>{"phys_tag_desc"});
    EXPECT_EQ(ReadOnlyItems(*Menu("Tab_m_ident_device" + s)), std::set<std::string>{"phys_install_date"});
    EXPECT_TRUE(ReadOnlyItems(*Menu("Tab_s_ident_opunit" + s)).empty());
    EXPECT_TRUE(ReadOnlyItems(*Menu("Tab_s_ident_device" + s)).empty());
  }
}

TEST_F(FixedMenus, Code3MarksOnlyTheLastItemOfTheSpecialistV0AndV7Tabs) {
  std::set<std::string> marked;
  for (const auto& [n, menu] : filled) {
    const auto& items = Items(*menu);
    for (std::size_t i = 0; i < items.size(); ++i)
      for (int q : items[i].qualifications()) {
        EXPECT_TRUE(q == QualificationReadOnly || q == QualificationCode3) << q;
        if (q != QualificationCode3) continue;
        EXPECT_EQ(i + 1, items.size()) << NameOf(n);
        marked.insert(NameOf(n) + " " + items[i].getDefinition().getName());
      }
  }
  EXPECT_EQ(marked, (std::set<std::string>{
                        "Tab_s_QZ_Device_Matrix_v0 manu_mode_help",
                        "Tab_s_QZ_Device_Matrix_v0_ONLINE manu_mode_help",
                        "Tab_s_QZ_Device_Matrix_v7 manu_check_select_help",
                        "Tab_s_QZ_Device_Matrix_v7_ONLINE manu_check_select_help",
                    }));
}

TEST_F(FixedMenus, SeparatorsStandAtTheirOwnPlaces) {
  auto separators = [](const CDDMenu& menu) {
    std::vector<int> at;
    for (std::size_t i = 0; i < Items(menu).size(); ++i)
      if (Items(menu)[i].getDefinition().getID() == id::SEPARATOR) at.push_back(static_cast<int>(i) + 1);
    return at;
  };
  EXPECT_EQ(separators(*Menu("Menu_File")), (std::vector<int>{2, 4, 6, 12}));
  EXPECT_EQ(separators(*Menu("Menu_Help")), (std::vector<int>{3, 5}));
  EXPECT_EQ(separators(*Menu("Menu_S_Options")), (std::vector<int>{3}));
  EXPECT_EQ(separators(*Menu("OnlineDialog_select_relay_function")), (std::vector<int>{4}));
}

struct LabelCase {
  const char* menu;
  const char* bytes;
};

TEST_F(FixedMenus, LabelsKeepTheirBytesAndQuirks) {
  const LabelCase cases[] = {
      {"DTM_observe_menu", "Observe  |de| Beobachten"},
      {"DTM_trend_menu", "Observe  |de| Beobachten"},
      {"DTM_Reset_menu", "Reset|de|Reset"},
      {"DTM_lock_unlock_menu", "Write Locking|de|Schreibschutz"},
      {"Table_Main_Maintenance_ONLINE", "Tessivar M - TQR 2x3"},
      {"Menu_CommError", " "},
      {"Menu_CommError_Delay", " "},
      {"BarVal_manu_meas_value_second", " "},
      {"Page_diagnosis_status",
       "Diagnosis  |de|Diagnose  |fr|Diagnostic de l'appareil   |it|Stato del dispositivo  |es|Estado del aparato"},
      {"DTM_diagnosis_menu",
       "Device Status  |de|Ger\xE4tezustand  |fr|Etat de l'appareil  |it|Stato del dispositivo  |es|Estado del aparato"},
      {"OnlineWindow_display",
       "Display  |de|Me\xDFwertanzeige  |fr|Affichage des valeurs de mesure  |it|Visualizza valori di "
       "misura/processo  |es|Visualizar valores medidos"},
      {"Menu_Main_Specialist",
       "&Main Menu  |de|&Hauptmen\xFC  |fr|Menu &principal  |it|Menu P&rincipale  |es|&Men\xFA principal"},
      {"Bar_yt_unavailable", "Y t diagram not available !  |de|Verlaufskurve nicht verf\xFCgbar !"},
      {"_MVXGSD_channel_module_setup", "Channel Module Setup"},
      {"Tab_m_ident_device_ONLINE", "Device  |de|Ger\xE4t  |fr|Appareil  |it|Dispositivo  |es|Aparato"},
      {"Tab_s_QZ_Device_Matrix_v5", "V5 Current input  |de|V5 Stromeingang  |fr|V5 Entree courant  |it|V5 Corr. "
                                    "ingresso"},
  };
  for (const LabelCase& c : cases) EXPECT_EQ(Menu(c.menu)->getLabel(), std::string(c.bytes)) << c.menu;

  const CDDMenu& dialog = *Menu("OnlineDialog_reset");
  EXPECT_EQ(dialog.getHelp(), Menu("Page_reset")->getHelp());
  EXPECT_NE(dialog.getHelp()->find("|de|Bewirkt ein R\xFC""cksetzen der Feldger\xE4te-Elektronik.  |fr|"),
            std::string::npos);
  EXPECT_NE(dialog.getHelp()->find("|es|Efect\xFA""a un reset de la electr\xF3nica del aparato de campo."),
            std::string::npos);
}

TEST_F(FixedMenus, EveryLabelIsLatin1AndBeginsWithEnglishFollowedByLanguagesInOrder) {
  for (const auto& [n, menu] : filled) {
    SCOPED_TRACE(NameOf(n));
    for (const std::string& text : {*menu->getLabel(), menu->getHelp().value_or("")}) {
      // A UTF-8 lead byte before a continuation byte means the text was not converted.
      for (std::size_t i = 0; i + 1 < text.size(); ++i)
        EXPECT_FALSE(static_cast<unsigned char>(text[i]) == 0xC3 &&
                     (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80);
      EXPECT_NE(text.rfind("|", 0), 0u);
      std::size_t last = 0;
      for (const char* tag : {"|de|", "|fr|", "|it|", "|es|"}) {
        std::size_t at = text.find(tag);
        if (at == std::string::npos) continue;
        EXPECT_GT(at, last) << tag;
        last = at;
      }
    }
    EXPECT_FALSE(menu->getLabel()->empty());
  }
}

}  // namespace

namespace {

// The offline tree as the command-line host prints it: menus only, by indentation.
TEST(MenuTool, PrintsTheOfflineTreeOfRole4) {
  std::string command = std::string("'") + DTM_HOST_TOOL + "' --plugin '" + DTM_PLUGIN_PATH + "' menu --role 4";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ASSERT_EQ(pclose(pipe), 0);

  auto host = menutest::OpenPlugin();
  std::vector<std::string> menus;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = out.substr(start, end - start);
    std::size_t open = line.rfind('['), close = line.rfind(']');
    if (open == std::string::npos || close < open) continue;
    std::string name = line.substr(open + 1, close - open - 1);
    const CDDDefinition* definition = host->Find(name);
    if (!definition || definition->getKind() != ObjectKindMenu) continue;  // variables and methods
    menus.push_back(std::string(line.find_first_not_of(' '), ' ') + "[" + name + "]");
  }
  EXPECT_EQ(menus, (std::vector<std::string>{
                       "[DTM_offline_root_menu]",
                       "  [Tab_s_QZ_Std_Matrix]",
                       "    [Tab_s_QZ_Device_Matrix_v0]",
                       "    [Tab_s_QZ_Device_Matrix_v1]",
                       "    [Tab_s_QZ_Device_Matrix_v3]",
                       "    [Tab_s_QZ_Device_Matrix_v5]",
                       "    [Tab_s_QZ_Device_Matrix_v7]",
                       "    [Tab_s_QZ_Device_Matrix_v8]",
                       "    [Tab_s_QZ_Device_Matrix_v9]",
                       "    [Tab_s_QZ_Device_Matrix_vA]",
                       "  [Tab_s_PA_Profil]",
                       "    [Tab_s_ident]",
                       "      [Tab_s_ident_opunit]",
                       "      [Tab_s_ident_device]",
                       "    [Tab_s_certificates]",
                   }));
}

}  // namespace
