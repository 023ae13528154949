// Cost of the plug-in's answers as a host sees them: building the catalogue, one
// attribute request per object of each kind, the whole description and its floor, the
// longest method runs, and the memory held after 100,000 repeated requests.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "description_replay.h"
#include "dtmhost/host.h"

namespace {

dtmhost::Host& SharedHost() {
  static std::unique_ptr<dtmhost::Host> host = [] {
    std::string error;
    auto h = dtmhost::Host::Open(DTM_PLUGIN_PATH, &error);
    if (!h) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    return h;
  }();
  return *host;
}

std::vector<CDDDefinition> OfKind(enumDDObjectKind kind) {
  std::vector<CDDDefinition> out;
  for (const CDDDefinition& d : SharedHost().Catalogue())
    if (d.getKind() == kind) out.push_back(d);
  return out;
}

// One request as a host makes it: a fresh description object, filled, then dropped.
void RequestOnce(dtmhost::Host& host, const CDDDefinition& definition) {
  std::unique_ptr<CDDObject> object(MakeDescriptionObject(definition));
  benchmark::DoNotOptimize(host.calculator().Calculate(host.context(), object.get()));
}

void PerObject(benchmark::State& state, std::size_t objects) {
  state.counters["objects"] = static_cast<double>(objects);
  // Seconds per object, printed in the unit of the benchmark.
  state.counters["per_object"] = benchmark::Counter(
      static_cast<double>(objects), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Requests(benchmark::State& state, enumDDObjectKind kind) {
  dtmhost::Host& host = SharedHost();
  std::vector<CDDDefinition> definitions = OfKind(kind);
  for (auto _ : state)
    for (const CDDDefinition& d : definitions) RequestOnce(host, d);
  PerObject(state, definitions.size());
}
BENCHMARK_CAPTURE(BM_Requests, variables, ObjectKindVariable)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Requests, commands, ObjectKindCommand)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Requests, menus, ObjectKindMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Requests, methods, ObjectKindMethod)->Unit(benchmark::kMicrosecond);

// The catalogue is built again into the same store; the host is started afresh after
// the loop so that its lookups point into the new registrations.
void BM_BuildCatalogue(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  for (auto _ : state) {
    host.store().clearRegistrations();
    host.calculator().BuildCatalogue();
  }
  state.counters["objects"] = static_cast<double>(host.store().objects().size());
  host.Start();
}
BENCHMARK(BM_BuildCatalogue)->Unit(benchmark::kMicrosecond);

// The values of a fully equipped device, so that the relay methods reach their lists.
const std::pair<const char*, int> kEquipped[] = {
    {"manu_relay_number", 4},
    {"manu_pH_enabled", 1},
    {"manu_s_version_enabled", 1},
    {"manu_mode", 1},
    {"manu_cleaning_function_enabled", 1},
    {"manu_current_input_enabled", 1},
    {"manu_alarm_enable_code", 83},
};

void EquipDevice(dtmhost::Host& host) {
  for (const auto& [name, value] : kEquipped) host.store().setValue(name, CDDCommonVariant(value));
}

// The data set from the defaults alone, whichever benchmarks ran before.
void DefaultDevice(dtmhost::Host& host) {
  for (const auto& equipped : kEquipped) host.store().clearValue(equipped.first);
  host.Start();
}

// The whole description: the catalogue, then one request per registered object.
void BM_WholeDescription(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  DefaultDevice(host);
  std::size_t objects = 0;
  for (auto _ : state) {
    host.store().clearRegistrations();
    host.calculator().BuildCatalogue();
    objects = host.store().objects().size();
    for (const auto& registered : host.store().objects()) RequestOnce(host, *registered->getcDefinition());
  }
  PerObject(state, objects);
  host.Start();
}
BENCHMARK(BM_WholeDescription)->Unit(benchmark::kMicrosecond);

// The floor of the whole description: the library and store calls of one real run of
// BM_WholeDescription's work, recorded once and replayed with no plug-in code, each
// with the temporaries it needs. The ratio of the two is what the plug-in adds.
void BM_WholeDescriptionFloor(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  DefaultDevice(host);
  static const std::unique_ptr<bench::DescriptionReplay> replay = bench::DescriptionReplay::Record(host);
  for (auto _ : state) {
    host.store().clearRegistrations();
    replay->Run(host, host.context());
  }
  PerObject(state, replay->objects());
  host.Start();
}
BENCHMARK(BM_WholeDescriptionFloor)->Unit(benchmark::kMicrosecond);

dtmhost::Script ChoosingSecond() {
  dtmhost::Script script;
  script.selections = {1, 1};
  return script;
}

void BM_RunMethod(benchmark::State& state, const std::string& method) {
  dtmhost::Host& host = SharedHost();
  EquipDevice(host);
  std::size_t operations = 0;
  for (auto _ : state) {
    dtmhost::Host::Run run = host.RunMethod(method, ChoosingSecond());
    operations = run.trace.size();
    benchmark::DoNotOptimize(run.result);
  }
  state.counters["operations"] = static_cast<double>(operations);
}

// The methods whose runs make the most context calls, longest first.
std::vector<std::string> LongestMethods(std::size_t count) {
  dtmhost::Host& host = SharedHost();
  EquipDevice(host);
  std::vector<std::pair<std::size_t, std::string>> lengths;
  for (const CDDDefinition& d : OfKind(ObjectKindMethod))
    lengths.emplace_back(host.RunMethod(d.getName(), ChoosingSecond()).trace.size(), d.getName());
  std::stable_sort(lengths.begin(), lengths.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < lengths.size() && i < count; ++i) out.push_back(lengths[i].second);
  return out;
}

// Resident memory in kB.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// 100,000 requests over every registered object in turn: the resident memory after
// them is what it was after the first rounds, which bring the allocator's caches and
// the host's read log to their working size whether or not other benchmarks ran first.
void BM_RepeatedRequests(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  std::vector<CDDDefinition> all = host.Catalogue();
  constexpr long kRequests = 100000;
  constexpr int kWarmRounds = 4;
  long growth = 0;
  for (auto _ : state) {
    for (int round = 0; round < kWarmRounds; ++round)
      for (const CDDDefinition& d : all) RequestOnce(host, d);
    long before = ResidentKb();
    for (long n = 0; n < kRequests; ++n) RequestOnce(host, all[n % all.size()]);
    growth = ResidentKb() - before;
  }
  state.counters["requests"] = static_cast<double>(kRequests);
  state.counters["rss_growth_kB"] = static_cast<double>(growth);
  state.counters["live_copies"] = dtmhost::ObjectStore::liveCopies();
}
BENCHMARK(BM_RepeatedRequests)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const std::string& method : LongestMethods(5))
    benchmark::RegisterBenchmark(("BM_RunMethod/" + method).c_str(), BM_RunMethod, method);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
