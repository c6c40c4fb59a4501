#include <memory>

#include "HostDispatcher.h"
#include "StandinApplication.h"
#include "StandinFailures.h"
#include "StandinFixture.h"
#include "documents/FailurePrinter.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "host/HostCodes.h"

namespace korrin {
namespace {

namespace m = host::members;
using host::DispatchArray;
using host::DispatchValue;
using host::InvokeKind;
using host::ObjectReference;

constexpr auto kGet = InvokeKind::PropertyGet;
constexpr auto kPut = InvokeKind::PropertyPut;
constexpr auto kMethod = InvokeKind::Method;
constexpr ObjectReference kApp = host::kApplicationObject;

// The dispatcher over a stand-in host with a part and a two-sheet drawing
// open, reached only through invokes.
class HostDispatcherTest : public testing::StandinFixture {
 protected:
  void SetUp() override {
    standin::StandinSheet bare = Sheet("Sheet:2", 42.0, 29.7);
    bare.border = false;
    standin::StandinDocument drawing = Drawing({Sheet("Sheet:1", 42.0, 29.7), bare});
    drawing.references = {{"../parts/plate.ipt", std::nullopt}, {"../parts/gone.ipt", std::nullopt}};
    const std::string partPath = Write("parts/plate.ipt", Part());
    const std::string drawingPath = Write("drawings/plate.idw", drawing);
    documents_ = Object(kApp, m::kDocuments, kGet);
    part_ = Object(documents_, m::kOpen, kMethod, {partPath, true});
    drawing_ = Object(documents_, m::kOpen, kMethod, {drawingPath, true});
    sheets_ = Object(drawing_, m::kSheets, kGet);
    sheet_ = Object(sheets_, m::kItem, kGet, {std::int32_t{1}});
    bareSheet_ = Object(sheets_, m::kItem, kGet, {std::int32_t{2}});
    descriptors_ = Object(drawing_, m::kReferencedFileDescriptors, kGet);
    view_ = Object(kApp, m::kActiveView, kGet);
    window_ = Object(view_, m::kViewWindow, kGet);
    printManager_ = Object(drawing_, m::kPrintManager, kGet);
    addIns_ = Object(kApp, m::kAddIns, kGet);
    step_ = Object(addIns_, m::kItem, kGet, {std::int32_t{9}});
    transient_ = Object(kApp, m::kTransientObjects, kGet);
    context_ = Object(transient_, m::kNewTranslationContext, kMethod);
    options_ = Object(transient_, m::kNewOptionMap, kMethod);
  }

  Result<DispatchValue> Invoke(ObjectReference object, std::int32_t member, InvokeKind kind,
                               const std::vector<DispatchValue>& arguments = {}) {
    return dispatcher_.Invoke(object, member, kind, arguments);
  }

  ObjectReference Object(ObjectReference object, std::int32_t member, InvokeKind kind,
                         const std::vector<DispatchValue>& arguments = {}) {
    Result<DispatchValue> result = Invoke(object, member, kind, arguments);
    EXPECT_TRUE(result.ok()) << std::hex << member << ": " << (result ? "" : result.failure().description);
    if (!result || !result.value().holds<ObjectReference>()) {
      ADD_FAILURE() << std::hex << member << " gave no object";
      return {};
    }
    return result.value().as<ObjectReference>();
  }

  standin::StandinApplication app_{standin::StandinSettings{}, std::make_shared<standin::FirstOpenRecord>()};
  standin::HostDispatcher dispatcher_{app_};
  ObjectReference documents_, part_, drawing_, sheets_, sheet_, bareSheet_, descriptors_, view_, window_,
      printManager_, addIns_, step_, transient_, context_, options_;
};

struct FailureCase {
  const char* name;
  ObjectReference object;
  std::int32_t member;
  InvokeKind kind;
  std::vector<DispatchValue> arguments;
  Failure expected;
};

void ExpectFailures(standin::HostDispatcher& dispatcher, const std::vector<FailureCase>& cases) {
  for (const FailureCase& c : cases) {
    Result<DispatchValue> result = dispatcher.Invoke(c.object, c.member, c.kind, c.arguments);
    ASSERT_FALSE(result.ok()) << c.name;
    EXPECT_EQ(c.expected, result.failure()) << c.name;
  }
}

TEST_F(HostDispatcherTest, ReferencesMembersAndCountsItDoesNotServeFail) {
  const Failure disconnected = host::ObjectDisconnected();
  const Failure notFound = host::MemberNotFound();
  const Failure badCount = host::BadParameterCount();
  ExpectFailures(dispatcher_, {
      {"never handed out", ObjectReference{9999}, m::kCount, kGet, {}, disconnected},
      {"object 0", ObjectReference{0}, m::kUserName, kGet, {}, disconnected},
      {"unknown member", kApp, 0x1234, kGet, {}, notFound},
      {"a member of another kind", kApp, m::kOpen, kMethod, {"/x.ipt", true}, notFound},
      {"the sheet's default member on a document", part_, m::kSheetSizeCode, kGet, {}, notFound},
      {"a read-only property written", kApp, m::kActiveDocumentType, kPut, {std::int32_t{1}}, notFound},
      {"a method read as a property", kApp, m::kQuit, kGet, {}, notFound},
      {"a write-only property read", view_, m::kDisplayMode, kGet, {}, notFound},
      {"a way of invoking that is none", kApp, m::kUserName, static_cast<InvokeKind>(7), {}, notFound},
      {"quit with an argument", kApp, m::kQuit, kMethod, {true}, badCount},
      {"open without visibility", documents_, m::kOpen, kMethod, {"/x.ipt"}, badCount},
      {"close with two arguments", part_, m::kClose, kMethod, {true, true}, badCount},
      {"a write without its value", kApp, m::kFirstStartUpSetting, kPut, {}, badCount},
      {"an option write without its value", options_, m::kOptionValue, kPut, {"Author"}, badCount},
      {"a read with an argument", kApp, m::kUserName, kGet, {std::int32_t{1}}, badCount},
  });
}

TEST_F(HostDispatcherTest, ArgumentsOfTheWrongKindNameWhatWasExpectedAndWhatCame) {
  auto mismatch = [](const std::string& detail) { return host::TypeMismatch(detail); };
  const DispatchArray five{std::int32_t{0}, std::int32_t{1}, std::int32_t{0}, std::int32_t{0}, std::int32_t{9}};
  const DispatchArray withText{std::int32_t{0}, std::int32_t{1}, "left", std::int32_t{0}, std::int32_t{9},
                               std::int32_t{9}};
  ExpectFailures(dispatcher_, {
      {"open name", documents_, m::kOpen, kMethod, {std::int32_t{5}, true},
       mismatch("argument 1: expected text, got 32-bit integer")},
      {"open visibility", documents_, m::kOpen, kMethod, {"/x.ipt", std::int16_t{1}},
       mismatch("argument 2: expected Boolean, got 16-bit integer")},
      {"start-up setting", kApp, m::kSecondStartUpSetting, kPut, {"yes"},
       mismatch("argument 1: expected Boolean, got text")},
      {"sheet number", sheets_, m::kItem, kGet, {1.0}, mismatch("argument 1: expected 32-bit integer, got double")},
      {"scale", printManager_, m::kScale, kPut, {"half"}, mismatch("argument 1: expected double, got text")},
      {"empty close argument", part_, m::kClose, kMethod, {DispatchValue()},
       mismatch("argument 1: expected Boolean, got empty")},
      {"placement kind", window_, m::kWindowPlacement, kPut, {std::int32_t{3}},
       mismatch("argument 1: expected array, got 32-bit integer")},
      {"placement size", window_, m::kWindowPlacement, kPut, {DispatchValue(five)},
       mismatch("argument 1: expected 6 integers, got 5")},
      {"placement element", window_, m::kWindowPlacement, kPut, {DispatchValue(withText)},
       mismatch("argument 1: expected 32-bit integer in the array, got text")},
      {"option value", options_, m::kOptionValue, kPut, {"Author", DispatchArray{}},
       mismatch("argument 2: expected an option value, got array")},
      {"translator document", step_, m::kHasSaveCopyAsOptions, kMethod, {sheet_, context_, options_},
       mismatch("argument 1: expected document, got sheet")},
      {"translator object 0", step_, m::kHasSaveCopyAsOptions, kMethod, {ObjectReference{0}, context_, options_},
       mismatch("argument 1: expected document, got object 0")},
      {"translator context", step_, m::kHasSaveCopyAsOptions, kMethod, {part_, options_, options_},
       mismatch("argument 2: expected translation context, got option map")},
      {"translator medium", step_, m::kTranslatorSaveCopyAs, kMethod, {part_, context_, options_, "/o/x.stp"},
       mismatch("argument 4: expected data medium, got text")},
      {"translator unknown object", step_, m::kHasOpenOptions, kMethod, {ObjectReference{9999}, context_, options_},
       host::ObjectDisconnected()},
  });
}

TEST_F(HostDispatcherTest, ItemNumbersOutsideACollectionAndTheHostsOwnFailures) {
  ExpectFailures(dispatcher_, {
      {"add-in 0", addIns_, m::kItem, kGet, {std::int32_t{0}}, host::BadIndex()},
      {"add-in past the end", addIns_, m::kItem, kGet, {std::int32_t{11}}, host::BadIndex()},
      {"descriptor past the end", descriptors_, m::kItem, kGet, {std::int32_t{3}}, host::BadIndex()},
      {"descriptor -1", descriptors_, m::kItem, kGet, {std::int32_t{-1}}, host::BadIndex()},
      {"sheet past the end", sheets_, m::kItem, kGet, {std::int32_t{5}},
       standin::InvalidArgument("The drawing has no sheet 5.")},
      {"a part's sheets", Object(part_, m::kSheets, kGet), m::kCount, kGet, {},
       standin::InvalidArgument("Only drawings have sheets.")},
      {"a part's print mode", Object(part_, m::kPrintManager, kGet), m::kPrintMode, kPut,
       {std::int32_t{host::kDrawingPrintMode}},
       standin::Unspecified(
           "Only a drawing's print manager has a print mode; this one prints a document that is no drawing.")},
  });
}

TEST_F(HostDispatcherTest, NarrowerNumbersWidenAsTheClientWidensThem) {
  EXPECT_EQ(Object(sheets_, m::kItem, kGet, {std::int16_t{1}}), sheet_);
  ASSERT_TRUE(Invoke(printManager_, m::kScale, kPut, {std::int32_t{2}}).ok());
  EXPECT_EQ(Invoke(printManager_, m::kScale, kGet).value(), DispatchValue(2.0));
  ASSERT_TRUE(Invoke(printManager_, m::kScale, kPut, {std::int16_t{3}}).ok());
  EXPECT_EQ(Invoke(printManager_, m::kScale, kGet).value(), DispatchValue(3.0));
  ASSERT_TRUE(Invoke(options_, m::kOptionValue, kPut, {"Resolution", std::int16_t{5}}).ok());
  EXPECT_EQ(Invoke(options_, m::kOptionValue, kGet, {"Resolution"}).value(), DispatchValue(std::int32_t{5}));
  ASSERT_TRUE(Invoke(window_, m::kShowWindow, kMethod, {std::int16_t{host::kRestoreWindow}}).ok());
  const DispatchArray placement{std::int16_t{0}, std::int16_t{1}, std::int32_t{10}, std::int16_t{20},
                                std::int32_t{810}, std::int16_t{620}};
  Result<DispatchValue> placed = Invoke(window_, m::kWindowPlacement, kPut, {DispatchValue(placement)});
  ASSERT_TRUE(placed.ok()) << placed.failure().description;
  EXPECT_EQ(Invoke(window_, m::kWindowPlacement, kGet).value(),
            DispatchValue(DispatchArray{std::int32_t{0}, std::int32_t{1}, std::int32_t{10}, std::int32_t{20},
                                        std::int32_t{810}, std::int32_t{620}}));
  EXPECT_EQ(Invoke(view_, m::kWindowExtents, kGet).value(),
            DispatchValue(DispatchArray{std::int32_t{20}, std::int32_t{10}, std::int32_t{569}, std::int32_t{788}}));
}

TEST_F(HostDispatcherTest, AnObjectHandedOutAgainKeepsItsReference) {
  const std::size_t objects = dispatcher_.objectCount();
  for (int fetch = 0; fetch < 5; ++fetch) {
    EXPECT_EQ(Object(kApp, m::kDocuments, kGet), documents_);
    EXPECT_EQ(Object(drawing_, m::kSheets, kGet), sheets_);
    EXPECT_EQ(Object(sheets_, m::kItem, kGet, {std::int32_t{1}}), sheet_);
    EXPECT_EQ(Object(kApp, m::kActiveDocument, kGet), drawing_);
    EXPECT_EQ(Object(sheet_, m::kBorder, kGet), Object(sheet_, m::kBorder, kGet));
  }
  // The border is the only object met for the first time.
  EXPECT_EQ(dispatcher_.objectCount(), objects + 1);
  // A sheet without a border reads it as empty.
  EXPECT_EQ(Invoke(bareSheet_, m::kBorder, kGet).value(), DispatchValue());
  // Transient objects are new on every request.
  EXPECT_NE(Object(transient_, m::kNewTranslationContext, kMethod),
            Object(transient_, m::kNewTranslationContext, kMethod));
  EXPECT_NE(Object(transient_, m::kNewOptionMap, kMethod), options_);
}

TEST_F(HostDispatcherTest, ContextsAndMediaNeverSetTakeTheHostsDefaults) {
  // A context without a kind is not one for browsing files: no options.
  EXPECT_EQ(Invoke(step_, m::kHasSaveCopyAsOptions, kMethod, {part_, context_, options_}).value(),
            DispatchValue(false));
  const ObjectReference browsing = Object(transient_, m::kNewTranslationContext, kMethod);
  ASSERT_TRUE(Invoke(browsing, m::kContextKind, kPut, {std::int32_t{host::kFileBrowseContext}}).ok());
  EXPECT_EQ(Invoke(step_, m::kHasSaveCopyAsOptions, kMethod, {part_, browsing, options_}).value(),
            DispatchValue(true));
  EXPECT_EQ(Invoke(options_, m::kCount, kGet).value(), DispatchValue(std::int32_t{5}));
  EXPECT_EQ(Invoke(options_, m::kOptionName, kGet, {std::int32_t{2}}).value(), DispatchValue("Author"));

  const ObjectReference unnamed = Object(transient_, m::kNewDataMedium, kMethod);
  Result<DispatchValue> saved = Invoke(step_, m::kTranslatorSaveCopyAs, kMethod, {part_, browsing, options_, unnamed});
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.failure(), standin::InvalidArgument("The data medium names no file."));
}

TEST_F(HostDispatcherTest, AfterQuitEveryCallFailsAsTheHostFailsIt) {
  ASSERT_EQ(Invoke(kApp, m::kQuit, kMethod).value(), DispatchValue());
  const Failure gone = app_.DocumentCount().failure();
  EXPECT_EQ(gone, standin::Disconnected());
  for (const auto& [name, object, member] : std::vector<std::tuple<const char*, ObjectReference, std::int32_t>>{
           {"count", documents_, m::kCount},
           {"name", part_, m::kFullFileName},
           {"sheet width", sheet_, m::kSheetWidth},
           {"add-ins", addIns_, m::kCount},
           {"user", kApp, m::kUserName},
       }) {
    Result<DispatchValue> result = Invoke(object, member, kGet);
    ASSERT_FALSE(result.ok()) << name;
    EXPECT_EQ(result.failure(), gone) << name;
  }
  // The references stay known: the host, not the dispatcher, refuses.
  EXPECT_EQ(Invoke(ObjectReference{9999}, m::kCount, kGet).failure(), host::ObjectDisconnected());
  EXPECT_EQ(Invoke(kApp, m::kQuit, kMethod).failure(), gone);
}

// Every member on every object with arguments of every kind: each answer is
// a value or a failure with a number and a text, never a crash. Quit and
// print submissions are left out, so the sweep keeps a running host and
// reaches no printer.
TEST_F(HostDispatcherTest, AnyInvokeAnswersWithAValueOrAFailure) {
  const std::vector<std::int32_t> members = {
      m::kItem, m::kCount, m::kActiveDocument, m::kActiveDocumentType, m::kDocuments, m::kActiveView,
      m::kFirstStartUpSetting, m::kAddIns, m::kCommandManager, m::kSecondStartUpSetting, m::kTransientObjects,
      m::kActiveEnvironment, m::kUserName, m::kOpen, m::kFullFileName, m::kSave, m::kSaveAs,
      m::kDocumentType, m::kReferencedFileDescriptors, m::kPrintManager, m::kActiveSheet, m::kSheets, m::kSheetWidth,
      m::kSheetHeight, m::kSheetStatus, m::kActivateSheet, m::kExcludedFromPrinting, m::kTitleBlock, m::kBorder,
      m::kDeleteBorder, m::kDeleteTitleBlock, m::kReferencedDocumentType, m::kDescriptorFullFileName,
      m::kReferencedDocument, m::kUpdateView, m::kWindowExtents, m::kDisplayMode, m::kViewWindow, m::kActivateAddIn,
      m::kAddInDisplayName, m::kHasOpenOptions, m::kTranslatorOpen, m::kHasSaveCopyAsOptions,
      m::kTranslatorSaveCopyAs, m::kStartCommand, m::kCommandState, m::kPostFileName, m::kEnvironmentName,
      m::kNewTranslationContext, m::kNewDataMedium, m::kNewOptionMap, m::kContextKind, m::kMediumFileName,
      m::kOptionValue, m::kOptionName, m::kPrinter, m::kOrientation, m::kPaperSize, m::kCustomPaperHeight,
      m::kCustomPaperWidth, m::kColorMode, m::kPrintMode, m::kScale, m::kPrintRange, m::kRotate90Degrees,
      m::kSaveAsBitmap, m::kCameraOrientation, m::kWindowPlacement, m::kShowWindow, m::kPrintToFile,
      0x7FFFFFFF, -1, m::kClose};
  const std::string inside = (folder_ / "sweep.out").string();
  const std::vector<std::vector<DispatchValue>> argumentLists = {
      {}, {true}, {std::int16_t{-1}}, {std::int32_t{1}}, {std::int32_t{2147483647}}, {-0.5}, {inside},
      {DispatchValue()}, {DispatchValue(DispatchArray{DispatchValue(DispatchArray{})})}, {inside, true},
      {inside, std::int32_t{1}}, {std::int32_t{host::kFileNamePostType}, inside}, {part_, context_, options_},
      {part_, context_, options_, ObjectReference{9999}}};
  // The documents come last and close last: the objects that belong to
  // them are swept while they are open.
  const std::vector<ObjectReference> objects = {
      kApp, documents_, sheets_, sheet_, bareSheet_, Object(sheet_, m::kBorder, kGet), descriptors_,
      Object(descriptors_, m::kItem, kGet, {std::int32_t{1}}), view_, window_, printManager_, addIns_, step_,
      transient_, context_, options_, ObjectReference{0}, ObjectReference{9999}, part_, drawing_};
  std::size_t answered = 0;
  for (const ObjectReference object : objects) {
    for (const std::int32_t member : members) {
      for (const InvokeKind kind : {kGet, kPut, kMethod}) {
        for (const std::vector<DispatchValue>& arguments : argumentLists) {
          Result<DispatchValue> result = dispatcher_.Invoke(object, member, kind, arguments);
          if (result) {
            ++answered;
            continue;
          }
          ASSERT_NE(result.failure().number, 0) << object.value << " " << std::hex << member;
          ASSERT_FALSE(result.failure().description.empty()) << object.value << " " << std::hex << member;
        }
      }
    }
  }
  // Well-formed invokes among them are served, not refused wholesale.
  EXPECT_GT(answered, 50u);
}

}  // namespace
}  // namespace korrin
