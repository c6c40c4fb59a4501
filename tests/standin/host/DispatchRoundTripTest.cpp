#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "DispatchTranscript.h"
#include "HostDispatcher.h"
#include "StandinApplication.h"
#include "StandinFixture.h"
#include "geometry/GeometryFileText.h"
#include "geometry/SampleParts.h"
#include "geometry/ShapeText.h"
#include "host/ChannelApplication.h"
#include "host/ChannelFailures.h"
#include "host/HostCodes.h"
#include "platform/linux/HostSocketServer.h"
#include "platform/linux/SocketDispatchChannel.h"
#include "support/FileBytes.h"
#include "support/RecordingEventPump.h"

namespace korrin {
namespace {

using testing::DispatchTranscript;

// Forwards every invoke straight to a dispatcher, as a transport would once
// its frames are read.
class ForwardingChannel : public host::DispatchChannel {
 public:
  explicit ForwardingChannel(standin::HostDispatcher& dispatcher) : dispatcher_(dispatcher) {}

  Result<host::DispatchValue> Invoke(host::ObjectReference object, std::int32_t member, host::InvokeKind kind,
                                     const std::vector<host::DispatchValue>& arguments,
                                     std::chrono::milliseconds) override {
    ++invokes;
    return dispatcher_.Invoke(object, member, kind, arguments);
  }

  std::size_t invokes = 0;

 private:
  standin::HostDispatcher& dispatcher_;
};

struct Inputs {
  std::string part;
  std::string drawing;
  std::string missing;
  std::filesystem::path output;
};

std::string Same(bool same) { return same ? "same" : "different"; }

host::DocumentHandle OpenThePart(host::Application& host, const Inputs& in, DispatchTranscript& out) {
  out.Note("first start-up setting", host.SetStartUpSetting(host::StartUpSetting::First, true));
  out.Note("second start-up setting", host.SetStartUpSetting(host::StartUpSetting::Second, false));
  out.Note("user name", host.UserName());
  out.Note("environment without documents", host.ActiveEnvironmentName());
  out.Note("missing open", host.OpenDocument(in.missing, true));
  const Result<host::DocumentHandle> part = host.OpenDocument(in.part, true);
  out.Note("part open", part);
  if (!part) return {};
  const Result<host::DocumentHandle> again = host.OpenDocument(in.part, false);
  out.Note("part opened again", Same(again && again.value() == part.value()));
  out.Note("part type", host.documents().DocumentType(part.value()));
  out.Note("part name", host.documents().FullFileName(part.value()));
  out.Note("document count", host.DocumentCount());
  out.Note("active document type", host.ActiveDocumentType());
  const Result<host::DocumentHandle> active = host.ActiveDocument();
  out.Note("active document", Same(active && active.value() == part.value()));
  out.Note("environment", host.ActiveEnvironmentName());
  out.Note("part sheet count", host.documents().SheetCount(part.value()));
  return part.value();
}

void ViewAndCommands(host::Application& host, const Inputs& in, DispatchTranscript& out) {
  const Result<host::ViewHandle> view = host.ActiveView();
  out.Note("view", view);
  if (!view) return;
  const Result<host::WindowHandle> window = host.ViewWindow(view.value());
  out.Note("window", window);
  if (!window) return;
  out.Note("placement", host.GetWindowPlacement(window.value()));
  out.Note("set placement", host.SetWindowPlacement(window.value(), {3, 9, 10, 20, 810, 620}));
  out.Note("set empty placement", host.SetWindowPlacement(window.value(), {0, 1, 50, 50, 50, 50}));
  out.Note("show", host.ShowWindow(window.value(), host::kShowWindow));
  out.Note("placement shown", host.GetWindowPlacement(window.value()));
  out.Note("extents", host.ViewWindowExtents(view.value()));
  out.Note("display mode", host.SetDisplayMode(view.value(), host::kShadedDisplay));
  out.Note("update", host.UpdateView(view.value()));
  out.Note("camera", host.SetCameraOrientation(view.value(), host::kIsometricViewOrientation));
  out.Note("bitmap", host.SaveAsBitmap(view.value(), (in.output / "view.bmp").string(), 64, 48));
  out.Note("command state", host.CommandState());
  out.Note("command without a posted name", host.StartCommand(host::kSaveCopyAsCommand));
  out.Note("unknown post type", host.PostFileName(1, "x"));
  out.Note("post", host.PostFileName(host::kFileNamePostType, (in.output / "copy.bmp").string()));
  out.Note("save copy command", host.StartCommand(host::kSaveCopyAsCommand));
  out.Note("unknown command", host.StartCommand(12345));
}

void ExportStep(host::Application& host, host::DocumentHandle part, const Inputs& in, DispatchTranscript& out) {
  const auto addIns = host.AddIns();
  out.Note("add-ins", addIns);
  if (!addIns) return;
  host::AddInHandle step;
  for (const host::AddInEntry& entry : addIns.value()) {
    if (entry.displayName == "Autodesk STEP Translator") step = entry.addIn;
  }
  const auto again = host.AddIns();
  out.Note("add-ins again", Same(again && again.value().size() == addIns.value().size() &&
                                 again.value().back().addIn == addIns.value().back().addIn));
  out.Note("activate", host.ActivateAddIn(step));
  const auto context = host.NewTranslationContext(host::kFileBrowseContext);
  const auto options = host.NewOptionMap();
  out.Note("context", context);
  out.Note("options", options);
  if (!context || !options) return;
  out.Note("has options", host.translators().HasSaveCopyAsOptions(step, part, context.value(), options.value()));
  const Result<std::int32_t> count = host.OptionCount(options.value());
  out.Note("option count", count);
  for (std::int32_t number = 1; count && number <= count.value(); ++number) {
    const Result<std::string> name = host.OptionName(options.value(), number);
    out.Note("option " + std::to_string(number), name);
    if (name) out.Note("value of " + name.value(), host.GetOption(options.value(), name.value()));
  }
  out.Note("set author", host.SetOption(options.value(), "Author", std::string("Korrin Tester")));
  out.Note("set protocol", host.SetOption(options.value(), "ApplicationProtocolType", std::int32_t{5}));
  out.Note("author", host.GetOption(options.value(), "Author"));
  out.Note("protocol", host.GetOption(options.value(), "ApplicationProtocolType"));
  out.Note("unknown option", host.GetOption(options.value(), "Colour"));
  const auto medium = host.NewDataMedium((in.output / "washer.stp").string());
  out.Note("medium", medium);
  if (!medium) return;
  out.Note("has open options",
           host.translators().HasOpenOptions(step, medium.value(), context.value(), options.value()));
  out.Note("step export",
           host.translators().SaveCopyAs(step, part, context.value(), options.value(), medium.value()));
}

void ReadSheet(host::Application& host, host::SheetHandle sheet, const std::string& name, DispatchTranscript& out) {
  out.Note(name + " width", host.sheets().Width(sheet));
  out.Note(name + " height", host.sheets().Height(sheet));
  out.Note(name + " size code", host.sheets().SizeCode(sheet));
  out.Note(name + " border", host.sheets().HasBorder(sheet));
  out.Note(name + " title block", host.sheets().HasTitleBlock(sheet));
  out.Note(name + " excluded", host.sheets().ExcludedFromPrinting(sheet));
  for (int read = 1; read <= 3; ++read) {
    out.Note(name + " status read " + std::to_string(read), host.sheets().StatusWord(sheet));
  }
}

host::DocumentHandle ReadTheDrawing(host::Application& host, const Inputs& in, DispatchTranscript& out) {
  const Result<host::DocumentHandle> drawing = host.OpenDocument(in.drawing, true);
  out.Note("drawing open", drawing);
  if (!drawing) return {};
  host::Documents& documents = host.documents();
  out.Note("drawing type", documents.DocumentType(drawing.value()));
  out.Note("document count with the drawing", host.DocumentCount());
  out.Note("sheet count", documents.SheetCount(drawing.value()));
  out.Note("sheet 3", documents.Sheet(drawing.value(), 3));
  const auto first = documents.Sheet(drawing.value(), 1);
  const auto second = documents.Sheet(drawing.value(), 2);
  if (!first || !second) return drawing.value();
  ReadSheet(host, first.value(), "sheet 1", out);
  ReadSheet(host, second.value(), "sheet 2", out);
  auto active = documents.ActiveSheet(drawing.value());
  out.Note("active sheet first", Same(active && active.value() == first.value()));
  out.Note("activate sheet 2", host.sheets().Activate(second.value()));
  active = documents.ActiveSheet(drawing.value());
  out.Note("active sheet after", Same(active && active.value() == second.value()));
  out.Note("delete border", host.sheets().DeleteBorder(first.value()));
  out.Note("border after delete", host.sheets().HasBorder(first.value()));
  out.Note("delete border again", host.sheets().DeleteBorder(first.value()));
  out.Note("delete title block", host.sheets().DeleteTitleBlock(second.value()));
  out.Note("delete missing title block", host.sheets().DeleteTitleBlock(first.value()));

  const auto files = documents.ReferencedFiles(drawing.value());
  out.Note("referenced files", files);
  if (files && files.value().size() == 2) {
    const auto referenced = documents.ReferencedDocument(files.value()[0].descriptor);
    out.Note("referenced document", referenced);
    if (referenced) out.Note("referenced type", documents.DocumentType(referenced.value()));
    out.Note("unresolved reference", documents.ReferencedDocument(files.value()[1].descriptor));
  }
  return drawing.value();
}

void PrintSettings(host::Application& host, host::DocumentHandle part, host::DocumentHandle drawing,
                   const Inputs& in, DispatchTranscript& out) {
  host::PrintManagers& print = host.printManagers();
  const auto manager = print.PrintManager(drawing);
  out.Note("print manager", manager);
  if (!manager) return;
  const host::PrintManagerHandle m = manager.value();
  out.Note("printer", print.SetPrinter(m, "Office"));
  out.Note("orientation", print.Orientation(m));
  out.Note("set orientation", print.SetOrientation(m, host::kLandscapeOrientation));
  out.Note("orientation after", print.Orientation(m));
  out.Note("paper", print.PaperSize(m));
  out.Note("set paper", print.SetPaperSize(m, host::kCustomPaperSize));
  out.Note("paper after", print.PaperSize(m));
  out.Note("paper width", print.SetCustomPaperWidth(m, 42.0));
  out.Note("paper height", print.SetCustomPaperHeight(m, 29.7));
  out.Note("colour", print.SetColorMode(m, host::kGrayScalePrint));
  out.Note("mode", print.SetPrintMode(m, host::kDrawingPrintMode));
  out.Note("range", print.SetPrintRange(m, host::kDrawingPrintRange));
  out.Note("scale", print.Scale(m));
  out.Note("set scale", print.SetScale(m, 0.5));
  out.Note("scale after", print.Scale(m));
  out.Note("rotate", print.Rotate90Degrees(m));
  out.Note("set rotate", print.SetRotate90Degrees(m, true));
  out.Note("rotate after", print.Rotate90Degrees(m));
  out.Note("print to file", print.PrintToFile(m, (in.output / "drawing.pdf").string()));
  const auto partManager = print.PrintManager(part);
  out.Note("part print manager", partManager);
  if (partManager) out.Note("part print mode", print.SetPrintMode(partManager.value(), host::kDrawingPrintMode));
}

void SaveCloseAndQuit(host::Application& host, host::DocumentHandle part, host::DocumentHandle drawing,
                      const Inputs& in, DispatchTranscript& out) {
  out.Note("save as copy", host.documents().SaveAs(part, (in.output / "washer-copy.ipt").string(), true));
  out.Note("part name after copy", host.documents().FullFileName(part));
  out.Note("close drawing", host.documents().Close(drawing, true));
  out.Note("count after closing the drawing", host.DocumentCount());
  out.Note("close part", host.documents().Close(part, std::nullopt));
  out.Note("count after closing the part", host.DocumentCount());
  out.Note("closed part name", host.documents().FullFileName(part));
  out.Note("quit", host.Quit());
  out.Note("count after quit", host.DocumentCount());
  out.Note("open after quit", host.OpenDocument(in.part, true));
  out.Note("add-ins after quit", host.AddIns());
  out.Note("environment after quit", host.ActiveEnvironmentName());
  out.Note("quit again", host.Quit());
}

DispatchTranscript Drive(host::Application& host, const Inputs& in) {
  DispatchTranscript out;
  std::filesystem::create_directories(in.output);
  const host::DocumentHandle part = OpenThePart(host, in, out);
  ViewAndCommands(host, in, out);
  ExportStep(host, part, in, out);
  const host::DocumentHandle drawing = ReadTheDrawing(host, in, out);
  PrintSettings(host, part, drawing, in, out);
  SaveCloseAndQuit(host, part, drawing, in, out);
  return out;
}

class DispatchRoundTripTest : public testing::StandinFixture {
 protected:
  void SetUp() override {
    auto washer = standin::MakeWasher();
    ASSERT_TRUE(washer.ok());
    standin::StandinDocument part = Part();
    part.geometry = standin::BrepText(washer.value());
    inputs_.part = Write("parts/washer.ipt", part);
    standin::StandinSheet first = Sheet("Sheet:1", 42.0, 29.7);
    first.sizeCode = 9990;
    first.titleBlock = false;
    first.computingReads = 2;
    standin::StandinSheet second = Sheet("Sheet:2", 59.4, 42.0);
    second.border = false;
    second.excludedFromPrinting = true;
    standin::StandinDocument drawing = Drawing({first, second});
    drawing.references = {{"../parts/washer.ipt", std::nullopt}, {"../parts/gone.ipt", std::nullopt}};
    inputs_.drawing = Write("drawings/washer.idw", drawing);
    inputs_.missing = (folder_ / "parts/missing.ipt").string();
  }

  static standin::StandinSettings Settings(standin::GeometryExchange* geometry) {
    standin::StandinSettings settings;
    settings.userName = "drafter";
    settings.geometry = geometry;
    return settings;
  }

  Inputs InputsWritingTo(const std::string& folder) const {
    Inputs inputs = inputs_;
    inputs.output = folder_ / folder;
    return inputs;
  }

  Inputs inputs_;
  standin::StandinApplication direct_{Settings(&geometry_), std::make_shared<standin::FirstOpenRecord>()};
  standin::StandinApplication served_{Settings(&geometry_), std::make_shared<standin::FirstOpenRecord>()};
  standin::HostDispatcher dispatcher_{served_};
  std::shared_ptr<ForwardingChannel> channel_ = std::make_shared<ForwardingChannel>(dispatcher_);
  host::ChannelApplication client_{channel_, host::CallDeadlines{}};
};

TEST_F(DispatchRoundTripTest, EveryTypedCallAnswersThroughTheChannelAsItDoesDirectly) {
  const DispatchTranscript direct = Drive(direct_, InputsWritingTo("direct"));
  const DispatchTranscript channel = Drive(client_, InputsWritingTo("channel"));

  ASSERT_EQ(direct.lines().size(), channel.lines().size());
  for (std::size_t i = 0; i < direct.lines().size(); ++i) {
    EXPECT_EQ(direct.lines()[i], channel.lines()[i]) << "step " << i << ": " << direct.lines()[i].first;
  }
  EXPECT_GT(channel_->invokes, 150u);
  EXPECT_TRUE(served_.quit());
}

// The whole way a host program's calls take: encoded, framed, across a real
// socket, decoded and served by the dispatcher on the host's own thread.
TEST_F(DispatchRoundTripTest, EveryTypedCallAnswersOverTheHostSocketAsItDoesDirectly) {
  const std::string socketPath = (folder_ / "hosts/1").string();
  Result<std::unique_ptr<HostSocketServer>> server =
      HostSocketServer::Listen(socketPath, [this](const host::InvokeRequest& request) {
        return dispatcher_.Invoke(request.object, request.member, request.kind, request.arguments);
      });
  ASSERT_TRUE(server.ok()) << server.failure().description;
  Status served;
  std::thread serving([&] { served = server.value()->Serve(); });
  testing::RecordingEventPump pump;
  const Result<std::shared_ptr<SocketDispatchChannel>> channel =
      SocketDispatchChannel::Connect(socketPath, std::chrono::seconds(10), pump);
  if (channel) {
    host::ChannelApplication overSocket{channel.value(), host::CallDeadlines{}};
    const DispatchTranscript direct = Drive(direct_, InputsWritingTo("direct"));
    const DispatchTranscript socket = Drive(overSocket, InputsWritingTo("socket"));
    ASSERT_EQ(direct.lines().size(), socket.lines().size());
    for (std::size_t i = 0; i < direct.lines().size(); ++i) {
      EXPECT_EQ(direct.lines()[i], socket.lines()[i]) << "step " << i << ": " << direct.lines()[i].first;
    }
    EXPECT_FALSE(channel.value()->broken());
  }
  server.value()->Stop();
  serving.join();
  ASSERT_TRUE(channel.ok()) << channel.failure().description;
  EXPECT_TRUE(served.ok());
  EXPECT_TRUE(served_.quit());
}

// The same values, told exactly: a step both hosts got wrong alike would
// pass the comparison above.
TEST_F(DispatchRoundTripTest, TheChannelsAnswersAreTheHostsValues) {
  const Inputs inputs = InputsWritingTo("channel");
  const DispatchTranscript out = Drive(client_, inputs);
  const Result<host::DocumentHandle> missing = direct_.OpenDocument(inputs.missing, true);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.failure().description, inputs.missing + ": No such file or directory");
  const std::string disconnected = "failed " + std::to_string(host::kObjectDisconnected) +
                                   " The object invoked has disconnected from its clients.";
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"user name", "\"drafter\""},
      {"missing open", "failed " + std::to_string(missing.failure().number) + " " + missing.failure().description},
      {"part open", "handle"},
      {"part opened again", "same"},
      {"part type", std::to_string(host::kPartDocument)},
      {"part name", '"' + inputs.part + '"'},
      {"document count", "1"},
      {"active document", "same"},
      {"environment", "\"Part\""},
      {"set placement", "ok"},
      {"set empty placement", "failed -2147024809 A window placement needs a rectangle of some size."},
      {"placement shown", "3 5 10 20 810 620"},
      {"extents", "20 10 569 788"},
      {"command state", std::to_string(host::kCommandStateIdle)},
      {"unknown command", "failed -2147024809 The stand-in host has no command 12345."},
      {"add-ins again", "same"},
      {"has options", "true"},
      {"option count", "5"},
      {"option 1", "\"ApplicationProtocolType\""},
      {"value of ApplicationProtocolType", "2"},
      {"author", "\"Korrin Tester\""},
      {"protocol", "5"},
      {"has open options", "false"},
      {"step export", "ok"},
      {"sheet count", "2"},
      {"sheet 1 width", "42"},
      {"sheet 1 height", "29.7"},
      {"sheet 1 size code", "9990"},
      {"sheet 1 border", "true"},
      {"sheet 1 title block", "false"},
      {"sheet 1 status read 1", std::to_string(host::kViewsComputingBit)},
      {"sheet 1 status read 2", std::to_string(host::kViewsComputingBit)},
      {"sheet 1 status read 3", "0"},
      {"sheet 2 border", "false"},
      {"sheet 2 excluded", "true"},
      {"active sheet first", "same"},
      {"active sheet after", "same"},
      {"border after delete", "false"},
      {"delete border again", "failed -2147467259 The sheet has no border."},
      {"delete title block", "ok"},
      {"delete missing title block", "failed -2147467259 The sheet has no title block."},
      {"referenced files", std::to_string(host::kPartDocument) + " " + inputs.part + ", " +
                               std::to_string(host::kUnknownDocument) + " " + (folder_ / "parts/gone.ipt").string()},
      {"referenced type", std::to_string(host::kPartDocument)},
      {"orientation after", std::to_string(host::kLandscapeOrientation)},
      {"paper after", std::to_string(host::kCustomPaperSize)},
      {"scale after", "0.5"},
      {"rotate after", "true"},
      {"count after closing the drawing", "1"},
      {"count after closing the part", "0"},
      {"quit", "ok"},
      {"count after quit", disconnected},
      {"open after quit", disconnected},
      {"add-ins after quit", disconnected},
      {"quit again", disconnected},
  };
  for (const auto& [step, text] : expected) EXPECT_EQ(out.At(step), text) << step;
  EXPECT_EQ(out.At("add-ins").substr(0, 49), "Content Library Browser, Autodesk DWF Translator,");

  const std::string step = testing::FileBytes((inputs.output / "washer.stp").string());
  ASSERT_FALSE(step.empty());
  const auto header = testing::StepHeaderStrings(step, "FILE_NAME");
  ASSERT_GE(header.size(), 3u);
  EXPECT_EQ(header[2], "Korrin Tester");
  EXPECT_TRUE(std::filesystem::exists(inputs.output / "washer-copy.ipt"));
  EXPECT_TRUE(std::filesystem::exists(inputs.output / "view.bmp"));
  EXPECT_TRUE(std::filesystem::exists(inputs.output / "copy.bmp"));
}

}  // namespace
}  // namespace korrin
