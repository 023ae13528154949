#include <iostream>

#include "dtmhost/host.h"

int main() {
  std::string error;
  auto host = dtmhost::Host::Open(dtmhost::DefaultPluginPath(), &error);
  if (!host) {
    std::cerr << "dtmhost: " << error << "\n";
    return 1;
  }
  std::cout << host->Catalogue().size() << "\n";
  return 0;
}
