// Calls through the automation channel to the test server in its own
// process: values both ways, properties, objects, the host's failures.
#include <gtest/gtest.h>

#include "AutomationFixture.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "support/windows/TestModel.h"

namespace korrin::testing {
namespace {

namespace m = host::members;
namespace own = model_members;
using host::DispatchArray;
using host::DispatchValue;
using host::InvokeKind;
using host::ObjectReference;

using ChannelCallsTest = AutomationTest;

TEST_F(ChannelCallsTest, EveryValueKindCrossesBothWaysUnchanged) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  const std::vector<DispatchValue> values{
      DispatchValue(),
      DispatchValue(true),
      DispatchValue(false),
      DispatchValue(std::int16_t{-7}),
      DispatchValue(std::int32_t{2147483647}),
      DispatchValue(std::int32_t{-12290}),
      DispatchValue(0.1),
      DispatchValue(-1.5e300),
      DispatchValue(""),
      DispatchValue("C:\\Konstruktion\\Träger ø 5 – 日本.ipt"),
      DispatchValue(DispatchArray{}),
      DispatchValue(DispatchArray{std::int32_t{1}, "two", DispatchArray{true, 2.5}, DispatchValue()}),
  };
  for (const DispatchValue& value : values) {
    Result<DispatchValue> echoed = Call(*channel, own::kEcho, {value});
    ASSERT_TRUE(echoed) << echoed.failure().description;
    EXPECT_EQ(echoed.value().kind(), value.kind()) << host::DispatchKindName(value.kind());
    EXPECT_EQ(echoed.value(), value) << host::DispatchKindName(value.kind());
  }
}

TEST_F(ChannelCallsTest, ObjectsGoOutAndComeBackAsTheSameReference) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  Result<DispatchValue> documents = Call(*channel, m::kDocuments, {}, InvokeKind::PropertyGet);
  ASSERT_TRUE(documents) << documents.failure().description;
  ASSERT_TRUE(documents.value().holds<ObjectReference>());
  const ObjectReference collection = documents.value().as<ObjectReference>();
  EXPECT_NE(collection, host::kApplicationObject);
  Result<DispatchValue> again = Call(*channel, m::kDocuments, {}, InvokeKind::PropertyGet);
  ASSERT_TRUE(again);
  EXPECT_EQ(again.value(), DispatchValue(collection));
  // An object passed as an argument reaches the host as its own object.
  Result<DispatchValue> echoed = Call(*channel, own::kEcho, {collection});
  ASSERT_TRUE(echoed) << echoed.failure().description;
  EXPECT_EQ(echoed.value(), DispatchValue(collection));

  const std::vector<std::string> names{"C:\\parts\\a.ipt", "C:\\parts\\Größe.iam"};
  std::vector<ObjectReference> opened;
  for (const std::string& name : names) {
    Result<DispatchValue> document = Call(*channel, m::kOpen, {name, true}, InvokeKind::Method, collection);
    ASSERT_TRUE(document) << document.failure().description;
    opened.push_back(document.value().as<ObjectReference>());
  }
  EXPECT_NE(opened[0], opened[1]);
  Result<DispatchValue> count = Call(*channel, m::kCount, {}, InvokeKind::PropertyGet, collection);
  ASSERT_TRUE(count) << count.failure().number << " " << count.failure().description;
  EXPECT_EQ(count.value(), DispatchValue(2));
  EXPECT_EQ(Call(*channel, m::kItem, {1}, InvokeKind::PropertyGet, collection).value(), DispatchValue(opened[0]));
  for (std::size_t index = 0; index < names.size(); ++index) {
    EXPECT_EQ(Call(*channel, m::kFullFileName, {}, InvokeKind::PropertyGet, opened[index]).value(),
              DispatchValue(names[index]));
  }
  ASSERT_TRUE(Call(*channel, m::kClose, {true}, InvokeKind::Method, opened[0]));
  EXPECT_EQ(Call(*channel, m::kCount, {}, InvokeKind::PropertyGet, collection).value(), DispatchValue(1));
}

TEST_F(ChannelCallsTest, PropertyPutSendsItsValueAsTheNamedArgument) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  EXPECT_EQ(Call(*channel, m::kUserName, {}, InvokeKind::PropertyGet).value(), DispatchValue("Jürgen Ölmann"));
  ASSERT_TRUE(Call(*channel, m::kUserName, {"Zoë Ångström"}, InvokeKind::PropertyPut));
  EXPECT_EQ(Call(*channel, m::kUserName, {}, InvokeKind::PropertyGet).value(), DispatchValue("Zoë Ångström"));
  // A put with no value to write is refused before anything is sent.
  Result<DispatchValue> empty = Call(*channel, m::kUserName, {}, InvokeKind::PropertyPut);
  ASSERT_FALSE(empty);
  EXPECT_EQ(empty.failure(), host::BadParameterCount());
}

TEST_F(ChannelCallsTest, TheHostsFailuresComeBackWithItsNumberAndDescription) {
  auto channel = StartHost();
  ASSERT_TRUE(channel);
  ObjectReference collection = Call(*channel, m::kDocuments, {}, InvokeKind::PropertyGet).value().as<ObjectReference>();
  ObjectReference document =
      Call(*channel, m::kOpen, {"C:\\a.ipt", true}, InvokeKind::Method, collection).value().as<ObjectReference>();
  struct Case {
    const char* what;
    ObjectReference object;
    std::int32_t member;
    std::vector<DispatchValue> arguments;
    Failure expected;
  };
  const std::vector<Case> cases{
      {"a failure of the host's own", host::kApplicationObject, own::kFail,
       {std::int32_t{-2147204556}, "Bohrung zu tief: ø 5 mm"}, {-2147204556, "Bohrung zu tief: ø 5 mm"}},
      {"a failing member of a document", document, m::kSave, {}, {-2147204556, "The document C:\\a.ipt is read-only."}},
      {"a member the object does not have", document, 0x6000099, {}, host::MemberNotFound()},
      {"an argument of the wrong kind", host::kApplicationObject, own::kHang, {"long"},
       host::TypeMismatch("argument 1")},
      {"a reference never handed out", ObjectReference{999}, m::kCount, {}, host::ObjectDisconnected()},
  };
  for (const Case& c : cases) {
    Result<DispatchValue> result = Call(*channel, c.member, c.arguments, InvokeKind::Method, c.object);
    ASSERT_FALSE(result) << c.what;
    EXPECT_EQ(result.failure(), c.expected) << c.what;
  }
  // Failures of single calls leave the channel whole.
  EXPECT_FALSE(channel->broken());
  EXPECT_EQ(Call(*channel, own::kEcho, {3}).value(), DispatchValue(3));
}

}  // namespace
}  // namespace korrin::testing
