// The floor of a whole description: the library and store calls that a real run of the
// plug-in made, recorded once and replayed with no plug-in code at all, so that what
// the plug-in adds to them shows as the difference.
#pragma once
#include <cstddef>
#include <memory>

#include "dtmhost/host.h"

namespace bench {

class DescriptionReplay {
 public:
  // Records the catalogue and one request per registered object, as the host's
  // calculator answers them now; then starts the host afresh, and aborts unless a
  // replay makes exactly the recorded calls.
  static std::unique_ptr<DescriptionReplay> Record(dtmhost::Host& host);
  ~DescriptionReplay();
  DescriptionReplay(const DescriptionReplay&) = delete;
  DescriptionReplay& operator=(const DescriptionReplay&) = delete;

  // The catalogue's hand-over into the services' store, then every request on a fresh
  // description object: the same calls with the same arguments, each with fresh
  // temporaries (a new text for every put, a new entry for every list addition).
  void Run(CHostServices& services, CHostContext* context) const;
  std::size_t objects() const;

 private:
  struct Recording;
  explicit DescriptionReplay(std::unique_ptr<Recording> recording);
  std::unique_ptr<Recording> m_recording;
};

}  // namespace bench
