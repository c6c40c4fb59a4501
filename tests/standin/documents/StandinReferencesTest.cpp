#include <gtest/gtest.h>

#include "documents/StandinDocumentReader.h"
#include "documents/StandinDocumentWriter.h"
#include "documents/StandinReferences.h"
#include "support/TemporaryFolder.h"

namespace korrin::standin {
namespace {

TEST(StandinReferences, ResolveAgainstTheDocumentsFolder) {
  const struct {
    const char* document;
    const char* reference;
    const char* expected;
  } cases[] = {
      {"/samples/asm/Top.iam", "parts/Plate.ipt", "/samples/asm/parts/Plate.ipt"},
      {"/samples/asm/Top.iam", "../parts/Plate.ipt", "/samples/parts/Plate.ipt"},
      {"/samples/asm/Top.iam", "./sub/../Plate.ipt", "/samples/asm/Plate.ipt"},
      {"/samples/asm/Top.iam", "../../../../Plate.ipt", "/Plate.ipt"},
      {"/samples/asm/Top.iam", "name with blanks/\xC3\xA9.ipt", "/samples/asm/name with blanks/\xC3\xA9.ipt"},
      {"Top.iam", "parts/Plate.ipt", "parts/Plate.ipt"},
      {"asm/Top.iam", "../../Plate.ipt", "../Plate.ipt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveReference(c.document, StandinReference{c.reference, std::nullopt}).string(), c.expected)
        << c.document << " + " << c.reference;
  }
}

TEST(StandinReferences, AnAssemblyOnDiskLeadsToItsParts) {
  testing::TemporaryFolder folder;
  std::filesystem::create_directories(folder / "asm");
  std::filesystem::create_directories(folder / "parts");
  StandinDocument plate;
  plate.geometry = "plate shape\n";
  StandinDocument bolt;
  bolt.geometry = "bolt shape\n";
  StandinDocument top;
  top.type = DocumentType::Assembly;
  top.references = {{"../parts/Plate.ipt", StandinPlacement{{0, 0, 10}, {1, 0, 0}, 180}}, {"Bolt.ipt", std::nullopt}};
  ASSERT_TRUE(WriteStandinDocument(folder / "parts/Plate.ipt", plate).ok());
  ASSERT_TRUE(WriteStandinDocument(folder / "asm/Bolt.ipt", bolt).ok());
  ASSERT_TRUE(WriteStandinDocument(folder / "asm/Top.iam", top).ok());

  const Result<StandinDocument> read = ReadStandinDocument(folder / "asm/Top.iam");
  ASSERT_TRUE(read.ok()) << read.failure().description;
  const std::vector<std::filesystem::path> paths = ResolveReferences(folder / "asm/Top.iam", read.value());
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0], folder / "parts/Plate.ipt");
  EXPECT_EQ(paths[1], folder / "asm/Bolt.ipt");
  const std::string expected_geometry[] = {"plate shape\n", "bolt shape\n"};
  for (std::size_t index = 0; index < paths.size(); ++index) {
    const Result<StandinDocument> part = ReadStandinDocument(paths[index]);
    ASSERT_TRUE(part.ok()) << part.failure().description;
    EXPECT_EQ(part.value().geometry, expected_geometry[index]) << paths[index];
  }
}

}  // namespace
}  // namespace korrin::standin
