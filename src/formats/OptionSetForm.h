#pragma once

#include "formats/OptionValues.h"

namespace korrin {

// The tabs of the export settings window as the option sets see them: Read
// fills a set with what its tab shows now, Show puts a set into its tab.
class OptionSetForm {
 public:
  virtual ~OptionSetForm() = default;

#define KORRIN_OPTION_SET_FORM(Options)         \
  virtual void Read(Options& options) const = 0; \
  virtual void Show(const Options& options) = 0;
  KORRIN_OPTION_SET_FORM(IptOptions)
  KORRIN_OPTION_SET_FORM(BmpOptions)
  KORRIN_OPTION_SET_FORM(SatOptions)
  KORRIN_OPTION_SET_FORM(IgsOptions)
  KORRIN_OPTION_SET_FORM(StpOptions)
  KORRIN_OPTION_SET_FORM(StlOptions)
  KORRIN_OPTION_SET_FORM(PtpOptions)
  KORRIN_OPTION_SET_FORM(AmpOptions)
  KORRIN_OPTION_SET_FORM(DwpOptions)
  KORRIN_OPTION_SET_FORM(PrinterOptions)
#undef KORRIN_OPTION_SET_FORM
};

// The form without a window: the option sets held as plain values. The
// headless program reads the template through it.
class OptionSetsInMemory final : public OptionSetForm {
 public:
  OptionSets values;

#define KORRIN_OPTION_SET_MEMBER(Options, member)                           \
  void Read(Options& options) const override { options = values.member; } \
  void Show(const Options& options) override { values.member = options; }
  KORRIN_OPTION_SET_MEMBER(IptOptions, ipt)
  KORRIN_OPTION_SET_MEMBER(BmpOptions, bmp)
  KORRIN_OPTION_SET_MEMBER(SatOptions, sat)
  KORRIN_OPTION_SET_MEMBER(IgsOptions, igs)
  KORRIN_OPTION_SET_MEMBER(StpOptions, stp)
  KORRIN_OPTION_SET_MEMBER(StlOptions, stl)
  KORRIN_OPTION_SET_MEMBER(PtpOptions, ptp)
  KORRIN_OPTION_SET_MEMBER(AmpOptions, amp)
  KORRIN_OPTION_SET_MEMBER(DwpOptions, dwp)
  KORRIN_OPTION_SET_MEMBER(PrinterOptions, printer)
#undef KORRIN_OPTION_SET_MEMBER
};

}  // namespace korrin
