#pragma once

#include <cstdint>

namespace korrin::standin {

// The words of a stand-in document file, shared by its reader and writer.

inline constexpr const char* kDocumentSignature = "KORRIN STAND-IN DOCUMENT";
// Raised whenever a key or a rule is added, so an older host refuses the file
// instead of misreading it.
inline constexpr std::int32_t kDocumentFormatVersion = 1;

inline constexpr const char* kFormatKey = "format";
inline constexpr const char* kTypeKey = "type";
inline constexpr const char* kReleaseKey = "release";
inline constexpr const char* kStatusKey = "status";
inline constexpr const char* kNeedsMigratingKey = "needs-migrating";
inline constexpr const char* kEnvironmentKey = "environment";
inline constexpr const char* kDescriptionKey = "description";
inline constexpr const char* kReferenceKey = "reference";
inline constexpr const char* kSheetKey = "sheet";
inline constexpr const char* kFailFirstOpenKey = "fail-first-open";
inline constexpr const char* kFailEveryOpenKey = "fail-every-open";
inline constexpr const char* kFailEverySaveKey = "fail-every-save";
inline constexpr const char* kCrashFirstOpenKey = "crash-first-open";
inline constexpr const char* kCrashEveryOpenKey = "crash-every-open";
inline constexpr const char* kCrashEverySaveKey = "crash-every-save";
inline constexpr const char* kHangFirstOpenKey = "hang-first-open";
inline constexpr const char* kHangEveryOpenKey = "hang-every-open";
inline constexpr const char* kHangEverySaveKey = "hang-every-save";
inline constexpr const char* kExitFirstOpenKey = "exit-first-open";
inline constexpr const char* kBusyAfterOpenKey = "busy-after-open";
inline constexpr const char* kBusyAfterSaveKey = "busy-after-save";
inline constexpr const char* kGeometryKey = "geometry";

// The placement that may follow a reference's path.
inline constexpr const char* kTranslationWord = "at";
inline constexpr const char* kRotationAxisWord = "axis";
inline constexpr const char* kRotationAngleWord = "angle";

// The sheet's fields after its name, in this order.
inline constexpr const char* kSheetWidthWord = "width";
inline constexpr const char* kSheetHeightWord = "height";
inline constexpr const char* kSheetSizeCodeWord = "size-code";
inline constexpr const char* kSheetBorderWord = "border";
inline constexpr const char* kSheetTitleBlockWord = "title-block";
inline constexpr const char* kSheetExcludedWord = "excluded-from-printing";
inline constexpr const char* kSheetComputingReadsWord = "computing-reads";

// A hang's length instead of its milliseconds.
inline constexpr const char* kForeverWord = "forever";

inline constexpr const char* kYesWord = "yes";
inline constexpr const char* kNoWord = "no";

// Every line inside the geometry block starts with this character, so no
// line of the geometry can be taken for the block's end.
inline constexpr char kGeometryLinePrefix = '|';
inline constexpr const char* kGeometryEndFirstWord = "end";
inline constexpr const char* kGeometryEndLine = "end geometry";

inline constexpr char kCommentMarker = '#';

}  // namespace korrin::standin
