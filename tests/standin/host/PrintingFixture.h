#pragma once

#include <string>
#include <vector>

#include "StandinApplication.h"
#include "StandinFixture.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "host/HostCodes.h"

namespace korrin::testing {

// A stand-in host with a part of real geometry (the spacer block: 40 mm
// along X, 30 along Y, 20 along Z, a hole along Z) and drawings of it, all
// printed through the host interface.
class PrintingFixture : public StandinFixture {
 protected:
  standin::StandinApplication& Standin() {
    Host();
    return static_cast<standin::StandinApplication&>(*host_);
  }

  host::PrintManagers& Printing() { return Host().printManagers(); }

  std::string WriteSpacerPart(const std::string& name = "parts/spacer.ipt") {
    standin::StandinDocument part = Part();
    part.geometry = standin::BrepText(standin::MakeSpacerBlock().value());
    return Write(name, part);
  }

  // A drawing of the sheets, referring to the models (paths from the
  // drawing's folder).
  std::string WriteDrawing(const std::string& name, std::vector<standin::StandinSheet> sheets,
                           const std::vector<std::string>& models = {}) {
    standin::StandinDocument drawing = Drawing(std::move(sheets));
    for (const std::string& model : models) drawing.references.push_back({model, std::nullopt});
    return Write(name, drawing);
  }

  static standin::StandinSheet A4Sheet(bool border = true, bool titleBlock = true) {
    standin::StandinSheet sheet = Sheet("Sheet:1", 29.7, 21);
    sheet.border = border;
    sheet.titleBlock = titleBlock;
    return sheet;
  }

  host::PrintManagerHandle Manager(host::DocumentHandle document) {
    auto manager = Printing().PrintManager(document);
    EXPECT_TRUE(manager.ok()) << (manager ? "" : manager.failure().description);
    return manager ? manager.value() : host::PrintManagerHandle{};
  }

  // Submits one page into the file (in the test's folder) and gives its path.
  std::string PrintInto(host::PrintManagerHandle manager, const std::string& name) {
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(Printing().PrintToFile(manager, path).ok());
    const Status printed = Printing().SubmitPrint(manager);
    EXPECT_TRUE(printed.ok()) << name << ": " << (printed ? "" : printed.failure().description);
    return path;
  }
};

}  // namespace korrin::testing
