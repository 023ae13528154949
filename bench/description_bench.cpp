// Cost of the plug-in's answers as a host sees them: building the catalogue, one
// attribute request per object of each kind, the whole description, and method runs.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "dtmhost/host.h"

namespace {

dtmhost::Host& SharedHost() {
  static std::unique_ptr<dtmhost::Host> host = [] {
    std::string error;
    auto h = dtmhost::Host::Open(DTM_PLUGIN_PATH, &error);
    if (!h) {
      fprintf(stderr, "%s\n", error.c_str());
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

// Fresh description objects made once; each iteration fills all of them again.
void RequestAll(benchmark::State& state, const std::vector<CDDDefinition>& definitions) {
  dtmhost::Host& host = SharedHost();
  std::vector<std::unique_ptr<CDDObject>> objects;
  for (const CDDDefinition& d : definitions) objects.emplace_back(MakeDescriptionObject(d));
  for (auto _ : state) {
    for (auto& object : objects) benchmark::DoNotOptimize(host.calculator().Calculate(host.context(), object.get()));
  }
  state.counters["objects"] = static_cast<double>(objects.size());
  state.counters["per_object"] = benchmark::Counter(static_cast<double>(objects.size()),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void BM_BuildCatalogue(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  for (auto _ : state) {
    host.store().clearRegistrations();
    host.calculator().BuildCatalogue();
  }
}
BENCHMARK(BM_BuildCatalogue);

void BM_Variables(benchmark::State& state) { RequestAll(state, OfKind(ObjectKindVariable)); }
void BM_Commands(benchmark::State& state) { RequestAll(state, OfKind(ObjectKindCommand)); }
void BM_Menus(benchmark::State& state) { RequestAll(state, OfKind(ObjectKindMenu)); }
void BM_Methods(benchmark::State& state) { RequestAll(state, OfKind(ObjectKindMethod)); }
BENCHMARK(BM_Variables);
BENCHMARK(BM_Commands);
BENCHMARK(BM_Menus);
BENCHMARK(BM_Methods);

// The whole description: the catalogue, then one request per registered object.
void BM_WholeDescription(benchmark::State& state) {
  dtmhost::Host& host = SharedHost();
  for (auto _ : state) {
    host.store().clearRegistrations();
    host.calculator().BuildCatalogue();
    for (const auto& registered : host.store().objects()) {
      std::unique_ptr<CDDObject> object(registered->clone());
      benchmark::DoNotOptimize(host.calculator().Calculate(host.context(), object.get()));
    }
  }
}
BENCHMARK(BM_WholeDescription)->Unit(benchmark::kMicrosecond);

void BM_RunMethod(benchmark::State& state, const char* method) {
  dtmhost::Host& host = SharedHost();
  for (auto _ : state) {
    dtmhost::Script script;
    script.selections = {1, 1};
    benchmark::DoNotOptimize(host.RunMethod(method, script));
  }
}
BENCHMARK_CAPTURE(BM_RunMethod, pre_read_dependencies_level_1, "pre_read_dependencies_level_1");
BENCHMARK_CAPTURE(BM_RunMethod, CommError_DefaultHandling, "CommError_DefaultHandling");
BENCHMARK_CAPTURE(BM_RunMethod, method_select_relay, "method_select_relay");
BENCHMARK_CAPTURE(BM_RunMethod, pre_write_upload_variables, "pre_write_upload_variables");

}  // namespace

BENCHMARK_MAIN();
