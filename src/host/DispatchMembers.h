#pragma once

#include <cstdint>

// The members of the host's objects by dispatch id. Where the host publishes
// an id, it is the host's own, so a transport that reaches the host through
// automation passes it unchanged. Members the host reaches only by name (or
// that are window calls of the platform rather than automation members) have
// ids of our own in the range from kOwnMemberBase, which the host never uses.
namespace korrin::host::members {

// Every collection.
inline constexpr std::int32_t kItem = 0;  // the default member: item by 1-based number
inline constexpr std::int32_t kCount = 0x7F000006;

// Application.
inline constexpr std::int32_t kActiveDocument = 0x3000101;
inline constexpr std::int32_t kActiveDocumentType = 0x3000102;
inline constexpr std::int32_t kDocuments = 0x3000103;
inline constexpr std::int32_t kActiveView = 0x3000106;
inline constexpr std::int32_t kQuit = 0x3000109;
inline constexpr std::int32_t kFirstStartUpSetting = 0x300010C;
inline constexpr std::int32_t kAddIns = 0x3000125;
inline constexpr std::int32_t kCommandManager = 0x300012D;
inline constexpr std::int32_t kSecondStartUpSetting = 0x3000132;
inline constexpr std::int32_t kTransientObjects = 0x3000139;
inline constexpr std::int32_t kActiveEnvironment = 0x300013C;
inline constexpr std::int32_t kUserName = 0x300013D;

// Documents collection.
inline constexpr std::int32_t kOpen = 0x3000302;

// Document.
inline constexpr std::int32_t kFullFileName = 0x3000202;
inline constexpr std::int32_t kClose = 0x3000207;
inline constexpr std::int32_t kSave = 0x3000209;
inline constexpr std::int32_t kSaveAs = 0x300020A;
inline constexpr std::int32_t kDocumentType = 0x300020C;
inline constexpr std::int32_t kReferencedFileDescriptors = 0x3000213;
inline constexpr std::int32_t kPrintManager = 0x3000231;

// Drawing and sheet.
inline constexpr std::int32_t kActiveSheet = 0x7000102;
inline constexpr std::int32_t kSheets = 0x7000103;
inline constexpr std::int32_t kSheetWidth = 0x7000307;
inline constexpr std::int32_t kSheetHeight = 0x7000308;
inline constexpr std::int32_t kSheetStatus = 0x700030B;
inline constexpr std::int32_t kActivateSheet = 0x700030E;
inline constexpr std::int32_t kExcludedFromPrinting = 0x7000310;
inline constexpr std::int32_t kTitleBlock = 0x7000311;
inline constexpr std::int32_t kBorder = 0x7000312;
inline constexpr std::int32_t kDeleteBorder = 0x7001802;
inline constexpr std::int32_t kDeleteTitleBlock = 0x7001B04;
inline constexpr std::int32_t kSheetSizeCode = kItem;  // the sheet's default member

// Referenced file descriptor.
inline constexpr std::int32_t kReferencedDocumentType = 0x3001701;
inline constexpr std::int32_t kDescriptorFullFileName = 0x3001708;
inline constexpr std::int32_t kReferencedDocument = 0x300170B;

// The document reader (its server object, and its documents where they
// differ from the host's). The reader's version object and a document's
// migration flag share one id on different objects.
inline constexpr std::int32_t kReaderOpen = 0x3002502;
inline constexpr std::int32_t kReaderCloseAll = 0x3002504;
inline constexpr std::int32_t kReaderProjectManager = 0x3002505;
inline constexpr std::int32_t kReaderSoftwareVersion = 0x300250E;
inline constexpr std::int32_t kActiveProjectFile = 0x3001F0F;  // project manager
inline constexpr std::int32_t kNeedsMigrating = 0x300250E;     // reader document
inline constexpr std::int32_t kComputeStatus = 0x3002318;
inline constexpr std::int32_t kCreatingRelease = 0x3002311;
inline constexpr std::int32_t kMajorVersion = 0x3003701;  // version object
inline constexpr std::int32_t kMinorVersion = 0x3003702;
inline constexpr std::int32_t kReaderReferencedFileDescriptors = 0x300238A;
inline constexpr std::int32_t kReaderSheets = 0x7000201;

// View.
inline constexpr std::int32_t kUpdateView = 0x3000402;
inline constexpr std::int32_t kWindowExtents = 0x3000409;
inline constexpr std::int32_t kDisplayMode = 0x300040D;
inline constexpr std::int32_t kViewWindow = 0x300040F;
// The host's camera of a view, which the Windows program turns itself; the
// stand-in turns it through a member of ours (kCameraOrientation).
inline constexpr std::int32_t kViewCamera = 0x300040E;
inline constexpr std::int32_t kCameraApply = 0x3003609;
inline constexpr std::int32_t kCameraViewOrientation = 0x300360A;

// Add-in, and the translator add-ins among them.
inline constexpr std::int32_t kActivateAddIn = 0x3001106;
inline constexpr std::int32_t kAddInDisplayName = 0x3001109;
inline constexpr std::int32_t kHasOpenOptions = 0x3003006;
inline constexpr std::int32_t kTranslatorOpen = 0x3003008;
inline constexpr std::int32_t kHasSaveCopyAsOptions = 0x3003009;
inline constexpr std::int32_t kTranslatorSaveCopyAs = 0x300300B;

// Command manager.
inline constexpr std::int32_t kStartCommand = 0x3003301;
inline constexpr std::int32_t kCommandState = 0x3003302;
inline constexpr std::int32_t kPostFileName = 0x3003307;

// Environment.
inline constexpr std::int32_t kEnvironmentName = 0x3007E06;

// Transient objects and the objects they make.
inline constexpr std::int32_t kNewTranslationContext = 0x3004901;
inline constexpr std::int32_t kNewDataMedium = 0x3004902;
inline constexpr std::int32_t kNewOptionMap = 0x3004903;
inline constexpr std::int32_t kContextKind = 0x3004A01;
inline constexpr std::int32_t kMediumFileName = 0x3004B01;
inline constexpr std::int32_t kOptionValue = 0x3004C02;
inline constexpr std::int32_t kOptionName = 0x3004C05;

// Print manager; the drawing print manager's properties from 0x3004E01.
inline constexpr std::int32_t kPrinter = 0x3004D01;
inline constexpr std::int32_t kOrientation = 0x3004D03;
inline constexpr std::int32_t kPaperSize = 0x3004D04;
inline constexpr std::int32_t kCustomPaperHeight = 0x3004D05;
inline constexpr std::int32_t kCustomPaperWidth = 0x3004D06;
inline constexpr std::int32_t kColorMode = 0x3004D08;
inline constexpr std::int32_t kSubmitPrint = 0x3004D09;
inline constexpr std::int32_t kPrintMode = 0x3004E01;
inline constexpr std::int32_t kScale = 0x3004E02;
inline constexpr std::int32_t kPrintRange = 0x3004E03;
inline constexpr std::int32_t kRotate90Degrees = 0x3004E07;

// Our own range: members reached by name, and window calls.
inline constexpr std::int32_t kOwnMemberBase = 0x4B000000;
inline constexpr std::int32_t kSaveAsBitmap = kOwnMemberBase + 1;        // view: (file, width, height)
inline constexpr std::int32_t kCameraOrientation = kOwnMemberBase + 2;  // view: turn the camera and apply
inline constexpr std::int32_t kWindowPlacement = kOwnMemberBase + 3;    // window: get or put the placement
inline constexpr std::int32_t kShowWindow = kOwnMemberBase + 4;         // window: (show command)
inline constexpr std::int32_t kPrintToFile = kOwnMemberBase + 5;        // print manager: (file name)

// AutoCAD, whose automation interface is reached by member name: ids of our
// own for the names the program uses, from kAcadMemberBase. The objects keep
// AutoCAD's shape: the application, its documents collection, the active
// document with its preferences, and the state object of the idle query.
inline constexpr std::int32_t kAcadMemberBase = kOwnMemberBase + 0x100;
inline constexpr std::int32_t kAcadVisible = kAcadMemberBase + 1;           // application: put Boolean
inline constexpr std::int32_t kAcadDocuments = kAcadMemberBase + 2;         // application: the documents
inline constexpr std::int32_t kAcadActiveDocument = kAcadMemberBase + 3;    // application: a document
inline constexpr std::int32_t kAcadGetAcadState = kAcadMemberBase + 4;      // application: () the state
inline constexpr std::int32_t kAcadUpdate = kAcadMemberBase + 5;            // application: ()
inline constexpr std::int32_t kAcadIsQuiescent = kAcadMemberBase + 7;       // state: get Boolean
inline constexpr std::int32_t kAcadOpen = kAcadMemberBase + 8;              // documents: (file name)
inline constexpr std::int32_t kAcadClose = kAcadMemberBase + 9;             // document: (save changes)
inline constexpr std::int32_t kAcadPreferences = kAcadMemberBase + 10;      // document: its preferences
inline constexpr std::int32_t kAcadLineWeightDisplay = kAcadMemberBase + 11;  // preferences: put Boolean

}  // namespace korrin::host::members
