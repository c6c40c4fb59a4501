#include "ServedObject.h"

namespace korrin::standin {

const char* ServedKindName(ServedKind kind) {
  switch (kind) {
    case ServedKind::Application: return "application";
    case ServedKind::Documents: return "documents collection";
    case ServedKind::Document: return "document";
    case ServedKind::Sheets: return "sheets collection";
    case ServedKind::Sheet: return "sheet";
    case ServedKind::Border: return "border";
    case ServedKind::TitleBlock: return "title block";
    case ServedKind::FileDescriptors: return "file descriptors collection";
    case ServedKind::FileDescriptor: return "file descriptor";
    case ServedKind::View: return "view";
    case ServedKind::Window: return "window";
    case ServedKind::AddIns: return "add-ins collection";
    case ServedKind::AddIn: return "add-in";
    case ServedKind::CommandManager: return "command manager";
    case ServedKind::Environment: return "environment";
    case ServedKind::TransientObjects: return "transient objects";
    case ServedKind::TranslationContext: return "translation context";
    case ServedKind::OptionMap: return "option map";
    case ServedKind::DataMedium: return "data medium";
    case ServedKind::PrintManager: return "print manager";
  }
  return "unknown object";
}

}  // namespace korrin::standin
