#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "OcctGeometryExchange.h"
#include "StandinConnector.h"
#include "documents/StandinDocumentWriter.h"
#include "host/HostInstallation.h"
#include "platform/linux/SqliteRegistry.h"
#include "support/TemporaryFolder.h"

namespace korrin::testing {

// A stand-in host installed into a temporary registry, with documents
// written into a temporary folder, a clock the test moves, and every call
// made through the host interface.
class StandinFixture : public ::testing::Test {
 protected:
  static constexpr const char* kTag = "RegistryVersion7.0";

  StandinFixture() {
    (void)registry_.CreateRegistryKey(RegistryRoot::LocalMachine, kHostVersionKey, "");
    (void)registry_.WriteRegistryValue(RegistryRoot::LocalMachine, kHostVersionKey, "RegistryVersion",
                                       std::string(kTag));
  }

  // Writes a document and gives its full file name.
  std::string Write(const std::string& name, const standin::StandinDocument& document) {
    const std::string path = (folder_ / name).string();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const Status written = standin::WriteStandinDocument(path, document);
    EXPECT_TRUE(written.ok()) << (written ? "" : written.failure().description);
    return path;
  }

  static standin::StandinDocument Part() {
    standin::StandinDocument part;
    part.type = standin::DocumentType::Part;
    part.release = {7, 0};
    part.environment = "Part";
    return part;
  }

  // An assembly of the files, each placed where it was made.
  static standin::StandinDocument Assembly(std::vector<std::string> references) {
    standin::StandinDocument assembly = Part();
    assembly.type = standin::DocumentType::Assembly;
    assembly.environment = "Assembly";
    for (std::string& reference : references) assembly.references.push_back({std::move(reference), std::nullopt});
    return assembly;
  }

  static standin::StandinDocument Drawing(std::vector<standin::StandinSheet> sheets) {
    standin::StandinDocument drawing;
    drawing.type = standin::DocumentType::Drawing;
    drawing.release = {7, 0};
    drawing.environment = "Drawing";
    drawing.sheets = std::move(sheets);
    return drawing;
  }

  static standin::StandinSheet Sheet(const std::string& name, double width, double height) {
    standin::StandinSheet sheet;
    sheet.name = name;
    sheet.widthCentimetres = width;
    sheet.heightCentimetres = height;
    return sheet;
  }

  host::Application& Host() {
    if (!host_) {
      auto created = connector_.Create();
      EXPECT_TRUE(created.ok()) << (created ? "" : created.failure().description);
      host_ = created.value();
    }
    return *host_;
  }

  host::DocumentHandle Open(const std::string& path) {
    auto opened = Host().OpenDocument(path, true);
    EXPECT_TRUE(opened.ok()) << path << ": " << (opened ? "" : opened.failure().description);
    return opened ? opened.value() : host::DocumentHandle{};
  }

  void Advance(std::chrono::milliseconds time) { now_ += time; }

  TemporaryFolder folder_;
  SqliteRegistry registry_{(folder_ / "registry").string()};
  std::chrono::steady_clock::time_point now_{};
  standin::OcctGeometryExchange geometry_;
  standin::StandinConnector connector_{registry_, &geometry_, [this] { return now_; }};
  std::shared_ptr<host::Application> host_;
};

}  // namespace korrin::testing
