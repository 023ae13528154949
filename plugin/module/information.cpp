#include "module/information.h"

#include "catalogue/catalogue.h"

namespace {
// The menu the host shows for a role: a described menu, answered by its name, or a
// menu the host knows by a name that no object here has.
struct RoleMenu {
  long role;
  ObjId menu = 0;
  const char* otherName = nullptr;
};
constexpr RoleMenu kRoleMenus[] = {
    {0, id::download_variables},     {1, id::upload_variables},    {2, id::DTM_online_root_menu},
    {4, id::DTM_offline_root_menu},  {6, id::DTM_observe_menu},    {9, id::DTM_diagnosis_menu},
    {14, id::DTM_trend_menu},        {.role = 15, .otherName = "__MVX__CommunicationMenu"},
    {10003, id::DTM_Reset_menu},     {10004, id::DTM_lock_unlock_menu}, {10007, id::DTM_trend_menu},
};

constexpr bool NamesDescribedMenus() {
  for (const RoleMenu& r : kRoleMenus) {
    const int at = catalogue::IndexOf(r.menu);
    if (r.otherName == nullptr && (at < 0 || kCatalogue[at].kind != ObjectKindMenu)) return false;
  }
  return true;
}
static_assert(NamesDescribedMenus());
}  // namespace

const char* CDeviceInformation::GetMenuName(long role) {
  for (const RoleMenu& r : kRoleMenus)
    if (r.role == role) return r.otherName ? r.otherName : catalogue::Find(r.menu)->name;
  return "";
}
