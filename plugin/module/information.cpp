#include "module/information.h"

namespace {
struct RoleName {
  long role;
  const char* name;
};
constexpr RoleName kRoleNames[] = {
    {0, "download_variables"},      {1, "upload_variables"},      {2, "DTM_online_root_menu"},
    {4, "DTM_offline_root_menu"},   {6, "DTM_observe_menu"},      {9, "DTM_diagnosis_menu"},
    {14, "DTM_trend_menu"},         {15, "__MVX__CommunicationMenu"}, {10003, "DTM_Reset_menu"},
    {10004, "DTM_lock_unlock_menu"}, {10007, "DTM_trend_menu"},
};
}  // namespace

const char* CDeviceInformation::GetMenuName(long role) {
  for (const RoleName& r : kRoleNames)
    if (r.role == role) return r.name;
  return "";
}
