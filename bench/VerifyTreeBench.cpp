// Verifying an assembly tree of 10,041 documents with heavy sharing: the top
// assembly uses 20 subassemblies, each of which uses the same 20 lower
// subassemblies, each of those 500 parts of its own. The log writes every
// occurrence (200,000 part lines and more), but the document reader must
// read each file once. Target: reads = documents, the whole file in less
// than 10 s.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

#include "StandinConnector.h"
#include "documents/StandinDocumentWriter.h"
#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"
#include "verify/DocumentVerification.h"

namespace {

namespace fs = std::filesystem;

constexpr int kUpper = 20;
constexpr int kLower = 20;
constexpr int kPartsPerLower = 500;
constexpr std::size_t kDocuments = 1 + kUpper + kLower + kLower * kPartsPerLower;
constexpr double kLongestSeconds = 10;

class NoDialogs final : public korrin::Dialogs {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  bool AskOkCancel(const std::string&) override { return false; }
  std::optional<std::string> ChooseFile(const korrin::FileRequest&) override { return std::nullopt; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<std::string> AskText(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

class NoEvents final : public korrin::EventPump {
 public:
  void Yield() override {}
};

korrin::standin::StandinDocument Document(korrin::standin::DocumentType type, std::vector<std::string> references) {
  korrin::standin::StandinDocument document;
  document.type = type;
  document.release = {7, 0};
  for (std::string& reference : references) document.references.push_back({std::move(reference), std::nullopt});
  return document;
}

void Write(const fs::path& path, const korrin::standin::StandinDocument& document) {
  if (!korrin::standin::WriteStandinDocument(path.string(), document)) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

// The tree, the installed stand-in's registry and a connector over them.
class Tree {
 public:
  Tree() {
    std::random_device seed;
    folder_ = fs::temp_directory_path() / ("korrin-bench-verify-" + std::to_string(::getpid()) + "-" +
                                           std::to_string(std::mt19937_64(seed())()));
    fs::create_directories(folder_ / "parts");
    using korrin::standin::DocumentType;
    std::vector<std::string> lower;
    for (int l = 0; l < kLower; ++l) {
      std::vector<std::string> parts;
      for (int p = 0; p < kPartsPerLower; ++p) {
        const std::string name = "parts/p" + std::to_string(l) + "-" + std::to_string(p) + ".ipt";
        Write(folder_ / name, Document(DocumentType::Part, {}));
        parts.push_back(name);
      }
      lower.push_back("lower" + std::to_string(l) + ".iam");
      Write(folder_ / lower.back(), Document(DocumentType::Assembly, parts));
    }
    std::vector<std::string> upper;
    for (int u = 0; u < kUpper; ++u) {
      upper.push_back("upper" + std::to_string(u) + ".iam");
      Write(folder_ / upper.back(), Document(DocumentType::Assembly, lower));
    }
    Write(top(), Document(DocumentType::Assembly, upper));
    registry_ = std::make_unique<korrin::SqliteRegistry>((folder_ / "registry").string());
    (void)registry_->CreateRegistryKey(korrin::RegistryRoot::LocalMachine, korrin::kHostVersionKey, "");
    (void)registry_->WriteRegistryValue(korrin::RegistryRoot::LocalMachine, korrin::kHostVersionKey,
                                        "RegistryVersion", std::string("RegistryVersion7.0"));
    connector_ = std::make_unique<korrin::standin::StandinConnector>(*registry_, nullptr);
  }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;
  ~Tree() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path top() const { return folder_ / "top.iam"; }
  korrin::standin::StandinConnector& connector() { return *connector_; }

 private:
  fs::path folder_;
  std::unique_ptr<korrin::SqliteRegistry> registry_;
  std::unique_ptr<korrin::standin::StandinConnector> connector_;
};

double lastReadsPerDocument = 0;
bool lastClean = false;

void VerifySharedTree(benchmark::State& state) {
  static Tree tree;
  NoDialogs dialogs;
  NoEvents events;
  std::size_t lines = 0;
  korrin::VerificationPorts ports{tree.connector(), dialogs, events, [&lines](const std::string&) { ++lines; }, {}};
  for (auto _ : state) {
    lines = 0;
    const std::size_t readsBefore = tree.connector().DocumentReads();
    lastClean = korrin::VerifyDocumentFile(ports, tree.top().string());
    lastReadsPerDocument =
        static_cast<double>(tree.connector().DocumentReads() - readsBefore) / static_cast<double>(kDocuments);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["reads_per_document"] = lastReadsPerDocument;
}

BENCHMARK(VerifySharedTree)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3);

class TargetReporter : public benchmark::ConsoleReporter {
 public:
  double longestSeconds = 0;
  std::string failure;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred && failure.empty()) failure = run.error_message;
      if (run.run_type == Run::RT_Iteration) {
        longestSeconds = std::max(longestSeconds, run.GetAdjustedRealTime() / 1000.0);
      }
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TargetReporter reporter;
  try {
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } catch (const std::exception& error) {
    std::printf("verification of a shared tree: could not be set up: %s\n", error.what());
    return 1;
  }
  benchmark::Shutdown();
  const bool met = reporter.failure.empty() && lastClean && lastReadsPerDocument == 1.0 &&
                   reporter.longestSeconds < kLongestSeconds;
  std::printf(
      "verification of a shared tree of %zu documents: %.2f s at most, %.2f reads per document, %s (target: one "
      "read per document, under %.0f s): %s\n",
      kDocuments, reporter.longestSeconds, lastReadsPerDocument, lastClean ? "clean" : "NOT CLEAN", kLongestSeconds,
      met ? "met" : "NOT MET");
  return met ? 0 : 1;
}
