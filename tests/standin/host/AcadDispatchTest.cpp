#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AcadDispatcher.h"
#include "DispatchTranscript.h"
#include "StandinAcad.h"
#include "StandinFixture.h"
#include "host/ChannelAcad.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"

namespace korrin {
namespace {

using host::DispatchValue;
using host::InvokeKind;
using testing::DispatchTranscript;
namespace members = host::members;

// Forwards every invoke straight to the dispatcher, as the socket's server
// does once a frame is read.
class ForwardingChannel : public host::DispatchChannel {
 public:
  explicit ForwardingChannel(standin::AcadDispatcher& dispatcher) : dispatcher_(dispatcher) {}
  Result<DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, InvokeKind kind,
                               const std::vector<DispatchValue>& arguments, std::chrono::milliseconds) override {
    return dispatcher_.Invoke(object, member, kind, arguments);
  }

 private:
  standin::AcadDispatcher& dispatcher_;
};

constexpr const char* kDrawing =
    "KORRIN STAND-IN CONTAINER\r\nformat 1\r\nkind DWG\r\nsource /drawings/plate.idw\r\ndocument drawing\r\n";

class AcadDispatchTest : public testing::StandinFixture {
 protected:
  // The post-processing's calls and a few that fail, on either AutoCAD.
  DispatchTranscript Drive(host::Acad& acad, const std::string& folder) {
    DispatchTranscript out;
    out.Note("visible", acad.SetVisible(true));
    out.Note("close with none open", acad.CloseActiveDocument(false));
    out.Note("lineweights with none open", acad.SetLineweightDisplay(false));
    out.Note("open missing", acad.OpenDocument(folder + "/missing.dwg"));
    out.Note("open first", acad.OpenDocument(folder + "/first.dwg"));
    for (int read = 1; read <= standin::StandinAcad::kBusyReadsAfterOpen + 1; ++read) {
      out.Note("quiescent " + std::to_string(read), acad.IsQuiescent());
    }
    out.Note("open second", acad.OpenDocument(folder + "/second.dwg"));
    out.Note("count", acad.DocumentCount());
    out.Note("lineweights", acad.SetLineweightDisplay(false));
    out.Note("update", acad.Update());
    out.Note("close saving", acad.CloseActiveDocument(true));
    out.Note("close unsaved", acad.CloseActiveDocument(false));
    out.Note("count after", acad.DocumentCount());
    return out;
  }

  void WriteDrawings(const std::string& folder) {
    std::filesystem::create_directories(folder_ / folder);
    folder_.Write(folder + "/first.dwg", kDrawing);
    folder_.Write(folder + "/second.dwg", kDrawing);
  }
};

TEST_F(AcadDispatchTest, ThroughTheChannelAutocadAnswersAndSavesAsWhenCalledDirectly) {
  WriteDrawings("direct");
  WriteDrawings("channel");
  standin::StandinAcad direct;
  standin::StandinAcad served;
  standin::AcadDispatcher dispatcher(served);
  host::ChannelAcad channel(std::make_shared<ForwardingChannel>(dispatcher), {});

  const DispatchTranscript expected = Drive(direct, (folder_ / "direct").string());
  const DispatchTranscript got = Drive(channel, (folder_ / "channel").string());
  ASSERT_EQ(got.lines().size(), expected.lines().size());
  for (std::size_t i = 0; i < expected.lines().size(); ++i) {
    const std::string& step = expected.lines()[i].first;
    std::string want = expected.lines()[i].second;
    // The file names differ by their folder only.
    for (std::size_t at; (at = want.find("/direct/")) != std::string::npos;) want.replace(at, 8, "/channel/");
    EXPECT_EQ(got.lines()[i].second, want) << step;
  }
  EXPECT_EQ(got.At("quiescent 1"), "false");
  EXPECT_EQ(got.At("quiescent 4"), "true");
  EXPECT_EQ(got.At("close with none open"), "failed -2147467259 No drawing is open in AutoCAD.");
  // The second drawing was saved with what was set on it; the first closed unsaved.
  EXPECT_EQ(folder_.Read("channel/second.dwg"), folder_.Read("direct/second.dwg"));
  EXPECT_EQ(folder_.Read("channel/second.dwg"),
            std::string(kDrawing) + "lineweight-display off\r\nupdated-before-save yes\r\nsaved-by AutoCAD\r\n");
  EXPECT_EQ(folder_.Read("channel/first.dwg"), kDrawing);
}

TEST_F(AcadDispatchTest, InvokesThatDoNotFitAutocadsObjectsFailByName) {
  standin::StandinAcad acad;
  standin::AcadDispatcher dispatcher(acad);
  const host::ObjectReference app = host::kApplicationObject;
  const auto documents = dispatcher.Invoke(app, members::kAcadDocuments, InvokeKind::PropertyGet, {});
  ASSERT_TRUE(documents.ok());
  const host::ObjectReference docs = documents.value().as<host::ObjectReference>();
  const struct {
    const char* what;
    host::ObjectReference object;
    std::int32_t member;
    InvokeKind kind;
    std::vector<DispatchValue> arguments;
    Failure failure;
  } cases[] = {
      {"unknown object", {99}, members::kCount, InvokeKind::PropertyGet, {}, host::ObjectDisconnected()},
      {"no object", {0}, members::kAcadUpdate, InvokeKind::Method, {}, host::ObjectDisconnected()},
      {"host member", app, members::kQuit, InvokeKind::Method, {}, host::MemberNotFound()},
      {"visible read", app, members::kAcadVisible, InvokeKind::PropertyGet, {}, host::MemberNotFound()},
      {"open on the application", app, members::kAcadOpen, InvokeKind::Method, {DispatchValue(std::string("a.dwg"))},
       host::MemberNotFound()},
      {"count with an argument", docs, members::kCount, InvokeKind::PropertyGet, {DispatchValue(true)},
       host::BadParameterCount()},
      {"open without a file", docs, members::kAcadOpen, InvokeKind::Method, {}, host::BadParameterCount()},
      {"open with a number", docs, members::kAcadOpen, InvokeKind::Method, {DispatchValue(std::int32_t{3})},
       host::TypeMismatch("expected a text, got 32-bit integer")},
      {"visible as text", app, members::kAcadVisible, InvokeKind::PropertyPut, {DispatchValue(std::string("yes"))},
       host::TypeMismatch("expected a Boolean, got text")},
      {"update with an argument", app, members::kAcadUpdate, InvokeKind::Method, {DispatchValue(true)},
       host::BadParameterCount()},
  };
  for (const auto& c : cases) {
    const auto answer = dispatcher.Invoke(c.object, c.member, c.kind, c.arguments);
    ASSERT_FALSE(answer.ok()) << c.what;
    EXPECT_EQ(answer.failure().number, c.failure.number) << c.what;
    EXPECT_EQ(answer.failure().description, c.failure.description) << c.what;
  }
}

TEST_F(AcadDispatchTest, AnAutocadThatExitedAnswersNoMemberThroughTheChannel) {
  standin::StandinAcad acad;
  standin::AcadDispatcher dispatcher(acad);
  host::ChannelAcad channel(std::make_shared<ForwardingChannel>(dispatcher), {});
  acad.Exit();
  const std::string gone = "The object invoked has disconnected from its clients.";
  EXPECT_EQ(channel.DocumentCount().failure().description, gone);
  EXPECT_EQ(channel.IsQuiescent().failure().description, gone);
  EXPECT_EQ(channel.SetVisible(true).failure().description, gone);
  EXPECT_EQ(channel.CloseActiveDocument(false).failure().description, gone);
  EXPECT_EQ(channel.SetLineweightDisplay(false).failure().description, gone);
}

}  // namespace
}  // namespace korrin
