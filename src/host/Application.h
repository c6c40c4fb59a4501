#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Documents.h"
#include "host/HostHandles.h"
#include "host/HostValues.h"
#include "host/PrintManagers.h"
#include "ports/Result.h"

namespace korrin::host {

// The two Boolean settings the program switches on after every start of or
// connection to the host. What they do is the host's matter.
enum class StartUpSetting { First, Second };

// One running CAD host as the program drives it. Every call returns its
// value or a failure with the host's number and description; none throws,
// and none is fatal to the host. Calls come from the user-interface thread.
// The documents, sheets, translator add-ins and print managers of this host
// are reached through the interfaces it hands out, which live as long as it
// does.
class Application {
 public:
  virtual ~Application() = default;

  virtual Documents& documents() = 0;
  virtual Sheets& sheets() = 0;
  virtual Translators& translators() = 0;
  virtual PrintManagers& printManagers() = 0;

  virtual Status SetStartUpSetting(StartUpSetting setting, bool value) = 0;
  // Ends the host; a failure means it did not end.
  virtual Status Quit() = 0;

  // The open documents.
  virtual Result<std::int32_t> DocumentCount() = 0;
  virtual Result<DocumentHandle> OpenDocument(const std::string& fullFileName, bool visible) = 0;
  virtual Result<DocumentHandle> ActiveDocument() = 0;
  virtual Result<std::int32_t> ActiveDocumentType() = 0;

  // The active view and the window that shows it.
  virtual Result<ViewHandle> ActiveView() = 0;
  virtual Result<WindowHandle> ViewWindow(ViewHandle view) = 0;
  // Writes a bitmap of the view, width by height pixels.
  virtual Status SaveAsBitmap(ViewHandle view, const std::string& fileName, std::int32_t width,
                              std::int32_t height) = 0;
  virtual Result<ViewExtents> ViewWindowExtents(ViewHandle view) = 0;
  virtual Status SetDisplayMode(ViewHandle view, std::int32_t displayMode) = 0;
  virtual Status UpdateView(ViewHandle view) = 0;
  // Turns the view's camera to the orientation and applies it.
  virtual Status SetCameraOrientation(ViewHandle view, std::int32_t orientation) = 0;
  virtual Result<WindowPlacement> GetWindowPlacement(WindowHandle window) = 0;
  virtual Status SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) = 0;
  virtual Status ShowWindow(WindowHandle window, std::int32_t showCommand) = 0;

  // The command manager: kCommandStateIdle while no command runs.
  virtual Result<std::int32_t> CommandState() = 0;
  virtual Status StartCommand(std::int32_t command) = 0;
  // Pre-fills the next file dialog of the given kind with a file name.
  virtual Status PostFileName(std::int32_t postType, const std::string& fileName) = 0;

  // The name of the active environment ("NOTEBOOK" is one the run tests).
  virtual Result<std::string> ActiveEnvironmentName() = 0;
  // The host's user name.
  virtual Result<std::string> UserName() = 0;

  virtual Result<std::vector<AddInEntry>> AddIns() = 0;
  virtual Status ActivateAddIn(AddInHandle addIn) = 0;

  // Transient objects for translator calls.
  virtual Result<ContextHandle> NewTranslationContext(std::int32_t kind) = 0;
  virtual Result<OptionMapHandle> NewOptionMap() = 0;
  virtual Result<DataMediumHandle> NewDataMedium(const std::string& fileName) = 0;
  virtual Result<std::int32_t> OptionCount(OptionMapHandle map) = 0;
  // Names count from 1.
  virtual Result<std::string> OptionName(OptionMapHandle map, std::int32_t number) = 0;
  virtual Result<OptionValue> GetOption(OptionMapHandle map, const std::string& name) = 0;
  virtual Status SetOption(OptionMapHandle map, const std::string& name, const OptionValue& value) = 0;
};

}  // namespace korrin::host
