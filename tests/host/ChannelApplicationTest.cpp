#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <sstream>

#include "host/ChannelApplication.h"
#include "host/ChannelApprentice.h"
#include "host/ChannelFailures.h"
#include "host/DispatchMembers.h"
#include "host/HostCodes.h"

namespace korrin::host {
namespace {

using namespace std::chrono_literals;
namespace m = members;

struct Invocation {
  std::uint64_t object = 0;
  std::int32_t member = 0;
  InvokeKind kind = InvokeKind::Method;
  std::vector<DispatchValue> arguments;
  std::chrono::milliseconds deadline{0};

  bool operator==(const Invocation&) const = default;
};

std::string Describe(const DispatchValue& value) {
  std::ostringstream out;
  std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) out << "empty";
        else if constexpr (std::is_same_v<T, ObjectReference>) out << "object " << v.value;
        else if constexpr (std::is_same_v<T, DispatchArray>) {
          out << "[";
          for (const DispatchValue& element : v) out << Describe(element) << " ";
          out << "]";
        } else if constexpr (std::is_same_v<T, std::string>) out << '"' << v << '"';
        else out << DispatchKindName(value.kind()) << " " << +v;
      },
      value.storage);
  return out.str();
}

std::string Describe(const Invocation& call) {
  std::ostringstream out;
  out << "object " << call.object << " member 0x" << std::hex << call.member << std::dec << " kind "
      << static_cast<int>(call.kind) << " deadline " << call.deadline.count() << " (";
  for (const DispatchValue& argument : call.arguments) out << Describe(argument) << ", ";
  out << ")";
  return out.str();
}

// Answers each invoke with the next scripted answer and checks that the
// typed class asked exactly what the script expects, in that order.
class ScriptedChannel : public DispatchChannel {
 public:
  void Expect(Invocation call, DispatchValue answer) { script_.push_back({std::move(call), std::move(answer)}); }
  void Expect(Invocation call, Failure answer) { script_.push_back({std::move(call), std::move(answer)}); }

  Result<DispatchValue> Invoke(ObjectReference object, std::int32_t member, InvokeKind kind,
                               const std::vector<DispatchValue>& arguments,
                               std::chrono::milliseconds deadline) override {
    const Invocation call{object.value, member, kind, arguments, deadline};
    if (script_.empty()) {
      ADD_FAILURE() << "unexpected call: " << Describe(call);
      return Failure{1, "unexpected"};
    }
    auto [expected, answer] = std::move(script_.front());
    script_.pop_front();
    EXPECT_EQ(expected, call) << "expected " << Describe(expected) << "\n     got " << Describe(call);
    return answer;
  }

  bool Done() const { return script_.empty(); }

 private:
  std::deque<std::pair<Invocation, Result<DispatchValue>>> script_;
};

constexpr std::chrono::milliseconds kWork = 9000ms;
constexpr std::chrono::milliseconds kQuery = 700ms;
constexpr std::uint64_t kApp = kApplicationObject.value;
constexpr auto Get = InvokeKind::PropertyGet;
constexpr auto Put = InvokeKind::PropertyPut;
constexpr auto Method = InvokeKind::Method;

DispatchValue Obj(std::uint64_t value) { return ObjectReference{value}; }

class ChannelApplicationTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(channel_->Done()) << "calls the script expected were not made"; }

  std::shared_ptr<ScriptedChannel> channel_ = std::make_shared<ScriptedChannel>();
  ChannelApplication app_{channel_, CallDeadlines{kWork, kQuery}};
};

TEST_F(ChannelApplicationTest, OpenGoesThroughTheDocumentsCollectionWithTheWorkDeadline) {
  // A collection that could not be fetched is asked for again next time.
  channel_->Expect({kApp, m::kDocuments, Get, {}, kQuery}, CallTimedOut(kQuery));
  EXPECT_EQ(app_.DocumentCount().failure().number, kCallTimedOut);
  channel_->Expect({kApp, m::kDocuments, Get, {}, kQuery}, Obj(40));
  channel_->Expect({40, m::kOpen, Method, {"/d/a.ipt", true}, kWork}, Obj(77));
  Result<DocumentHandle> document = app_.OpenDocument("/d/a.ipt", true);
  ASSERT_TRUE(document) << document.failure().description;
  EXPECT_EQ(77u, document.value().value);

  // Once fetched, the collection is kept: a count is one call.
  channel_->Expect({40, m::kCount, Get, {}, kQuery}, std::int32_t{3});
  Result<std::int32_t> count = app_.DocumentCount();
  ASSERT_TRUE(count);
  EXPECT_EQ(3, count.value());
}

TEST_F(ChannelApplicationTest, WorkCallsGetTheWorkDeadlineAndQueriesTheQueryDeadline) {
  channel_->Expect({kApp, m::kQuit, Method, {}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.Quit());
  channel_->Expect({5, m::kSave, Method, {}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.documents().Save(DocumentHandle{5}));
  channel_->Expect({5, m::kSaveAs, Method, {"/o/b.ipt", false}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.documents().SaveAs(DocumentHandle{5}, "/o/b.ipt", false));
  channel_->Expect({6, m::kSaveAsBitmap, Method, {"/o/v.bmp", std::int32_t{640}, std::int32_t{480}}, kWork},
                   DispatchValue());
  EXPECT_TRUE(app_.SaveAsBitmap(ViewHandle{6}, "/o/v.bmp", 640, 480));
  channel_->Expect({8, m::kSubmitPrint, Method, {}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.printManagers().SubmitPrint(PrintManagerHandle{8}));
  channel_->Expect({9, m::kTranslatorSaveCopyAs, Method, {Obj(5), Obj(10), Obj(11), Obj(12)}, kWork},
                   DispatchValue());
  EXPECT_TRUE(app_.translators().SaveCopyAs(AddInHandle{9}, DocumentHandle{5}, ContextHandle{10},
                                            OptionMapHandle{11}, DataMediumHandle{12}));
  channel_->Expect({9, m::kTranslatorOpen, Method, {Obj(12), Obj(10), Obj(11)}, kWork}, Obj(13));
  Result<DocumentHandle> opened =
      app_.translators().Open(AddInHandle{9}, DataMediumHandle{12}, ContextHandle{10}, OptionMapHandle{11});
  ASSERT_TRUE(opened);
  EXPECT_EQ(13u, opened.value().value);
  channel_->Expect({9, m::kHasSaveCopyAsOptions, Method, {Obj(5), Obj(10), Obj(11)}, kQuery}, true);
  Result<bool> has = app_.translators().HasSaveCopyAsOptions(AddInHandle{9}, DocumentHandle{5}, ContextHandle{10},
                                                             OptionMapHandle{11});
  ASSERT_TRUE(has);
  EXPECT_TRUE(has.value());
}

TEST_F(ChannelApplicationTest, CloseWithoutAChoicePassesNoArgument) {
  channel_->Expect({5, m::kClose, Method, {}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.documents().Close(DocumentHandle{5}, std::nullopt));
  channel_->Expect({5, m::kClose, Method, {true}, kWork}, DispatchValue());
  EXPECT_TRUE(app_.documents().Close(DocumentHandle{5}, true));
}

TEST_F(ChannelApplicationTest, StartUpSettingsAndCommandManager) {
  channel_->Expect({kApp, m::kFirstStartUpSetting, Put, {true}, kQuery}, DispatchValue());
  channel_->Expect({kApp, m::kSecondStartUpSetting, Put, {false}, kQuery}, DispatchValue());
  EXPECT_TRUE(app_.SetStartUpSetting(StartUpSetting::First, true));
  EXPECT_TRUE(app_.SetStartUpSetting(StartUpSetting::Second, false));

  channel_->Expect({kApp, m::kCommandManager, Get, {}, kQuery}, Obj(30));
  channel_->Expect({30, m::kCommandState, Get, {}, kQuery}, std::int32_t{kCommandStateIdle});
  Result<std::int32_t> state = app_.CommandState();
  ASSERT_TRUE(state);
  EXPECT_EQ(kCommandStateIdle, state.value());

  channel_->Expect({30, m::kPostFileName, Method, {kFileNamePostType, "/o/x.dwg"}, kQuery}, DispatchValue());
  EXPECT_TRUE(app_.PostFileName(kFileNamePostType, "/o/x.dwg"));
}

TEST_F(ChannelApplicationTest, TransientObjectsAreMadeAndFilledIn) {
  channel_->Expect({kApp, m::kTransientObjects, Get, {}, kQuery}, Obj(20));
  channel_->Expect({20, m::kNewTranslationContext, Method, {}, kQuery}, Obj(21));
  channel_->Expect({21, m::kContextKind, Put, {kFileBrowseContext}, kQuery}, DispatchValue());
  Result<ContextHandle> context = app_.NewTranslationContext(kFileBrowseContext);
  ASSERT_TRUE(context);
  EXPECT_EQ(21u, context.value().value);

  channel_->Expect({20, m::kNewDataMedium, Method, {}, kQuery}, Obj(22));
  channel_->Expect({22, m::kMediumFileName, Put, {"/o/a.stp"}, kQuery}, DispatchValue());
  Result<DataMediumHandle> medium = app_.NewDataMedium("/o/a.stp");
  ASSERT_TRUE(medium);
  EXPECT_EQ(22u, medium.value().value);

  channel_->Expect({23, m::kOptionValue, Put, {"Resolution", 2.5}, kQuery}, DispatchValue());
  EXPECT_TRUE(app_.SetOption(OptionMapHandle{23}, "Resolution", 2.5));
  channel_->Expect({23, m::kOptionValue, Get, {"ApplicationProtocolType"}, kQuery}, std::int16_t{3});
  Result<OptionValue> value = app_.GetOption(OptionMapHandle{23}, "ApplicationProtocolType");
  ASSERT_TRUE(value);
  EXPECT_EQ(OptionValue(std::int32_t{3}), value.value());
  channel_->Expect({23, m::kOptionName, Get, {std::int32_t{2}}, kQuery}, "Author");
  Result<std::string> name = app_.OptionName(OptionMapHandle{23}, 2);
  ASSERT_TRUE(name);
  EXPECT_EQ("Author", name.value());
}

TEST_F(ChannelApplicationTest, AddInsAreWalkedByCountAndItemAndKeptOnceAWalkSucceeded) {
  channel_->Expect({kApp, m::kAddIns, Get, {}, kQuery}, Obj(50));
  // A walk that fails part way is not kept.
  channel_->Expect({50, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  channel_->Expect({50, m::kItem, Get, {std::int32_t{1}}, kQuery}, ServerUnavailable());
  EXPECT_EQ(app_.AddIns().failure().number, kServerUnavailable);
  channel_->Expect({50, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  channel_->Expect({50, m::kItem, Get, {std::int32_t{1}}, kQuery}, Obj(51));
  channel_->Expect({51, m::kAddInDisplayName, Get, {}, kQuery}, "Translator: STEP");
  channel_->Expect({50, m::kItem, Get, {std::int32_t{2}}, kQuery}, Obj(52));
  channel_->Expect({52, m::kAddInDisplayName, Get, {}, kQuery}, "Translator: IGES");
  Result<std::vector<AddInEntry>> addIns = app_.AddIns();
  ASSERT_TRUE(addIns) << addIns.failure().description;
  ASSERT_EQ(2u, addIns.value().size());
  EXPECT_EQ(51u, addIns.value()[0].addIn.value);
  EXPECT_EQ("Translator: STEP", addIns.value()[0].displayName);
  EXPECT_EQ(52u, addIns.value()[1].addIn.value);
  EXPECT_EQ("Translator: IGES", addIns.value()[1].displayName);
  // The next walk asks the count alone; a host that answers no count fails it.
  channel_->Expect({50, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  Result<std::vector<AddInEntry>> again = app_.AddIns();
  ASSERT_TRUE(again);
  ASSERT_EQ(2u, again.value().size());
  EXPECT_EQ(52u, again.value()[1].addIn.value);
  channel_->Expect({50, m::kCount, Get, {}, kQuery}, ObjectDisconnected());
  EXPECT_EQ(app_.AddIns().failure().number, kObjectDisconnected);
}

TEST_F(ChannelApplicationTest, ReferencedFilesAreWalkedInTheHostsOrder) {
  channel_->Expect({5, m::kReferencedFileDescriptors, Get, {}, kQuery}, Obj(60));
  channel_->Expect({60, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  channel_->Expect({60, m::kItem, Get, {std::int32_t{1}}, kQuery}, Obj(61));
  channel_->Expect({61, m::kReferencedDocumentType, Get, {}, kQuery}, std::int32_t{kPartDocument});
  channel_->Expect({61, m::kDescriptorFullFileName, Get, {}, kQuery}, "/d/p.ipt");
  channel_->Expect({60, m::kItem, Get, {std::int32_t{2}}, kQuery}, Obj(62));
  channel_->Expect({62, m::kReferencedDocumentType, Get, {}, kQuery}, std::int32_t{kUnknownDocument});
  channel_->Expect({62, m::kDescriptorFullFileName, Get, {}, kQuery}, "/d/gone.ipt");
  Result<std::vector<ReferencedFile>> files = app_.documents().ReferencedFiles(DocumentHandle{5});
  ASSERT_TRUE(files) << files.failure().description;
  const std::vector<ReferencedFile> expected{{DescriptorHandle{61}, kPartDocument, "/d/p.ipt"},
                                             {DescriptorHandle{62}, kUnknownDocument, "/d/gone.ipt"}};
  EXPECT_EQ(expected, files.value());
}

TEST_F(ChannelApplicationTest, SheetsAndTheirPartsReadThroughTheDrawing) {
  channel_->Expect({5, m::kSheets, Get, {}, kQuery}, Obj(70));
  channel_->Expect({70, m::kItem, Get, {std::int32_t{2}}, kQuery}, Obj(72));
  Result<SheetHandle> sheet = app_.documents().Sheet(DocumentHandle{5}, 2);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(72u, sheet.value().value);

  channel_->Expect({72, m::kBorder, Get, {}, kQuery}, DispatchValue());
  Result<bool> border = app_.sheets().HasBorder(SheetHandle{72});
  ASSERT_TRUE(border);
  EXPECT_FALSE(border.value());
  channel_->Expect({72, m::kTitleBlock, Get, {}, kQuery}, Obj(73));
  Result<bool> titleBlock = app_.sheets().HasTitleBlock(SheetHandle{72});
  ASSERT_TRUE(titleBlock);
  EXPECT_TRUE(titleBlock.value());
  channel_->Expect({72, m::kTitleBlock, Get, {}, kQuery}, Obj(73));
  channel_->Expect({73, m::kDeleteTitleBlock, Method, {}, kQuery}, DispatchValue());
  EXPECT_TRUE(app_.sheets().DeleteTitleBlock(SheetHandle{72}));
  // Deleting a part the sheet lacks fails as the host's own delete does.
  channel_->Expect({72, m::kBorder, Get, {}, kQuery}, DispatchValue());
  Status noBorder = app_.sheets().DeleteBorder(SheetHandle{72});
  ASSERT_FALSE(noBorder);
  EXPECT_EQ((Failure{kUnspecifiedFailure, "The sheet has no border."}), noBorder.failure());
  channel_->Expect({72, m::kTitleBlock, Get, {}, kQuery}, DispatchValue());
  Status noTitleBlock = app_.sheets().DeleteTitleBlock(SheetHandle{72});
  ASSERT_FALSE(noTitleBlock);
  EXPECT_EQ((Failure{kUnspecifiedFailure, "The sheet has no title block."}), noTitleBlock.failure());

  // An integer where a double is promised widens, as automation coerces it.
  channel_->Expect({72, m::kSheetWidth, Get, {}, kQuery}, std::int32_t{42});
  Result<double> width = app_.sheets().Width(SheetHandle{72});
  ASSERT_TRUE(width);
  EXPECT_EQ(42.0, width.value());
}

TEST_F(ChannelApplicationTest, WindowPlacementAndExtentsTravelAsIntegerArrays) {
  const WindowPlacement placement{kPlacementRestoreToMaximized, kRestoreWindow, 1, 2, 300, 400};
  channel_->Expect({90, m::kWindowPlacement, Put, {PlacementValue(placement)}, kQuery}, DispatchValue());
  EXPECT_TRUE(app_.SetWindowPlacement(WindowHandle{90}, placement));
  channel_->Expect({90, m::kWindowPlacement, Get, {}, kQuery}, PlacementValue(placement));
  Result<WindowPlacement> read = app_.GetWindowPlacement(WindowHandle{90});
  ASSERT_TRUE(read);
  EXPECT_EQ(placement, read.value());

  channel_->Expect({6, m::kWindowExtents, Get, {}, kQuery},
                   DispatchArray{std::int32_t{0}, std::int32_t{0}, std::int32_t{480}, std::int32_t{640}});
  Result<ViewExtents> extents = app_.ViewWindowExtents(ViewHandle{6});
  ASSERT_TRUE(extents);
  EXPECT_EQ(480, extents.value().height);
  EXPECT_EQ(640, extents.value().width);

  channel_->Expect({6, m::kWindowExtents, Get, {}, kQuery}, DispatchArray{std::int32_t{0}, std::int32_t{0}});
  Result<ViewExtents> shortExtents = app_.ViewWindowExtents(ViewHandle{6});
  ASSERT_FALSE(shortExtents);
  EXPECT_EQ((Failure{kTypeMismatch, "Type mismatch: expected 4 integers, got 2"}), shortExtents.failure());
}

TEST_F(ChannelApplicationTest, AnswersOfTheWrongKindFailWithTypeMismatch) {
  channel_->Expect({kApp, m::kUserName, Get, {}, kQuery}, std::int32_t{7});
  Result<std::string> user = app_.UserName();
  ASSERT_FALSE(user);
  EXPECT_EQ((Failure{kTypeMismatch, "Type mismatch: expected text, got 32-bit integer"}), user.failure());

  channel_->Expect({kApp, m::kActiveDocument, Get, {}, kQuery}, DispatchValue());
  Result<DocumentHandle> none = app_.ActiveDocument();
  ASSERT_FALSE(none);
  EXPECT_EQ((Failure{kTypeMismatch, "Type mismatch: expected object, got empty"}), none.failure());

  channel_->Expect({kApp, m::kActiveView, Get, {}, kQuery}, Obj(0));
  Result<ViewHandle> zero = app_.ActiveView();
  ASSERT_FALSE(zero);
  EXPECT_EQ((Failure{kTypeMismatch, "Type mismatch: expected object, got object 0"}), zero.failure());

  channel_->Expect({72, m::kExcludedFromPrinting, Get, {}, kQuery}, "yes");
  Result<bool> excluded = app_.sheets().ExcludedFromPrinting(SheetHandle{72});
  ASSERT_FALSE(excluded);
  EXPECT_EQ((Failure{kTypeMismatch, "Type mismatch: expected Boolean, got text"}), excluded.failure());
}

TEST_F(ChannelApplicationTest, AFailureOfAnyStepIsTheCallsFailure) {
  channel_->Expect({kApp, m::kDocuments, Get, {}, kQuery}, CallTimedOut(kQuery));
  Result<DocumentHandle> document = app_.OpenDocument("/d/a.ipt", true);
  ASSERT_FALSE(document);
  EXPECT_EQ((Failure{kCallTimedOut, "The host did not answer within 0.7 s"}), document.failure());

  channel_->Expect({5, m::kReferencedFileDescriptors, Get, {}, kQuery}, Obj(60));
  channel_->Expect({60, m::kCount, Get, {}, kQuery}, std::int32_t{3});
  channel_->Expect({60, m::kItem, Get, {std::int32_t{1}}, kQuery}, ServerUnavailable());
  Result<std::vector<ReferencedFile>> files = app_.documents().ReferencedFiles(DocumentHandle{5});
  ASSERT_FALSE(files);
  EXPECT_EQ((Failure{kServerUnavailable, "The RPC server is unavailable."}), files.failure());
}

// The document reader: its server object is the channel's application.
TEST(ChannelApprenticeTest, ReadsReleasesReferencesAndSheetsByTheReadersMembers) {
  auto channel = std::make_shared<ScriptedChannel>();
  ChannelApprentice reader(channel, CallDeadlines{kWork, kQuery});
  channel->Expect({kApp, m::kReaderOpen, Method, {"C:\\d\\a.idw"}, kWork}, Obj(20));
  Result<DocumentHandle> document = reader.Open("C:\\d\\a.idw");
  ASSERT_TRUE(document) << document.failure().description;
  EXPECT_EQ(20u, document.value().value);

  channel->Expect({kApp, m::kReaderSoftwareVersion, Get, {}, kQuery}, Obj(30));
  channel->Expect({30, m::kMajorVersion, Get, {}, kQuery}, std::int32_t{11});
  channel->Expect({30, m::kMinorVersion, Get, {}, kQuery}, std::int16_t{2});  // widened, as automation allows
  EXPECT_EQ(reader.SoftwareVersion().value(), (Release{11, 2}));
  channel->Expect({20, m::kCreatingRelease, Get, {}, kQuery}, Obj(31));
  channel->Expect({31, m::kMajorVersion, Get, {}, kQuery}, std::int32_t{9});
  channel->Expect({31, m::kMinorVersion, Get, {}, kQuery}, std::int32_t{0});
  EXPECT_EQ(reader.CreatingRelease(DocumentHandle{20}).value(), (Release{9, 0}));
  channel->Expect({20, m::kNeedsMigrating, Get, {}, kQuery}, true);
  EXPECT_TRUE(reader.NeedsMigrating(DocumentHandle{20}).value());
  channel->Expect({20, m::kComputeStatus, Get, {}, kQuery}, std::int32_t{3});
  EXPECT_EQ(reader.ComputeStatus(DocumentHandle{20}).value(), 3);
  channel->Expect({kApp, m::kReaderProjectManager, Get, {}, kQuery}, Obj(32));
  channel->Expect({32, m::kActiveProjectFile, Get, {}, kQuery}, "C:\\p\\Default.ipj");
  EXPECT_EQ(reader.ActiveProjectFile().value(), "C:\\p\\Default.ipj");

  channel->Expect({20, m::kReaderReferencedFileDescriptors, Get, {}, kQuery}, Obj(40));
  channel->Expect({40, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  channel->Expect({40, m::kItem, Get, {std::int32_t{1}}, kQuery}, Obj(41));
  channel->Expect({41, m::kReferencedDocumentType, Get, {}, kQuery}, std::int32_t{12290});
  channel->Expect({41, m::kDescriptorFullFileName, Get, {}, kQuery}, "C:\\d\\p.ipt");
  channel->Expect({40, m::kItem, Get, {std::int32_t{2}}, kQuery}, Obj(42));
  channel->Expect({42, m::kReferencedDocumentType, Get, {}, kQuery}, std::int32_t{12291});
  channel->Expect({42, m::kDescriptorFullFileName, Get, {}, kQuery}, "C:\\d\\s.iam");
  EXPECT_EQ(reader.ReferencedFiles(DocumentHandle{20}).value(),
            (std::vector<ReferencedFile>{{DescriptorHandle{41}, 12290, "C:\\d\\p.ipt"},
                                         {DescriptorHandle{42}, 12291, "C:\\d\\s.iam"}}));
  // A descriptor that does not resolve answers with no object: a failure.
  channel->Expect({42, m::kReferencedDocument, Get, {}, kQuery}, DispatchValue());
  EXPECT_FALSE(reader.ReferencedDocument(DescriptorHandle{42}));

  channel->Expect({20, m::kReaderSheets, Get, {}, kQuery}, Obj(50));
  channel->Expect({50, m::kCount, Get, {}, kQuery}, std::int32_t{2});
  EXPECT_EQ(reader.SheetCount(DocumentHandle{20}).value(), 2);
  channel->Expect({20, m::kReaderSheets, Get, {}, kQuery}, Obj(50));
  channel->Expect({50, m::kItem, Get, {std::int32_t{2}}, kQuery}, Obj(52));
  channel->Expect({52, m::kSheetWidth, Get, {}, kQuery}, 42.0);
  EXPECT_EQ(reader.SheetWidth(DocumentHandle{20}, 2).value(), 42.0);
  channel->Expect({20, m::kReaderSheets, Get, {}, kQuery}, Obj(50));
  channel->Expect({50, m::kItem, Get, {std::int32_t{2}}, kQuery}, Failure{-2147352565, "Invalid index."});
  EXPECT_EQ(reader.SheetSizeCode(DocumentHandle{20}, 2).failure(), (Failure{-2147352565, "Invalid index."}));

  channel->Expect({kApp, m::kReaderCloseAll, Method, {}, kQuery}, DispatchValue());
  EXPECT_TRUE(reader.CloseAll());
  // The host's failure of an open is the open's failure, number and text.
  channel->Expect({kApp, m::kReaderOpen, Method, {"C:\\d\\new.ipt"}, kWork},
                  Failure{-2147467259, "The file was saved by a later release."});
  EXPECT_EQ(reader.Open("C:\\d\\new.ipt").failure(), (Failure{-2147467259, "The file was saved by a later release."}));
  EXPECT_TRUE(channel->Done());
}

TEST(ChannelFailuresTest, TextsAndNumbers) {
  EXPECT_EQ((Failure{-2147417825, "The host did not answer within 30 s"}), CallTimedOut(30s));
  EXPECT_EQ((Failure{-2147417825, "The host did not answer within 600 s"}), CallTimedOut(600s));
  EXPECT_EQ((Failure{-2147417825, "The host did not answer within 0.5 s"}), CallTimedOut(500ms));
  EXPECT_EQ((Failure{-2147023174, "The RPC server is unavailable."}), ServerUnavailable());
  EXPECT_EQ((Failure{-2147221021, "Operation unavailable"}), OperationUnavailable());
}

TEST(DispatchMembersTest, OwnMembersStayOutOfTheHostsRange) {
  for (std::int32_t member : {m::kSaveAsBitmap, m::kCameraOrientation, m::kWindowPlacement, m::kShowWindow,
                              m::kPrintToFile}) {
    EXPECT_GT(member, m::kOwnMemberBase);
    EXPECT_LT(member, m::kOwnMemberBase + 0x10000);
  }
  EXPECT_LT(m::kRotate90Degrees, m::kOwnMemberBase);
}

}  // namespace
}  // namespace korrin::host
