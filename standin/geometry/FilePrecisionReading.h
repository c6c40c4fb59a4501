#pragma once

namespace korrin::standin {

// Open CASCADE's STEP and IGES translators fix every shape they read, and
// by default widen tolerances by up to a millimetre to do it: that is
// healing the host may have switched off. While an instance lives, those
// fixes stay within the precision the file declares, so a file reaches the
// host's own repair (or, with repair off, the document) with the faults it
// was written with. The settings are process-wide: the readers' one-thread
// rule covers them. Create after the translator's controller is set up;
// the settings found are restored at the end.
class FilePrecisionReading {
 public:
  FilePrecisionReading();
  FilePrecisionReading(const FilePrecisionReading&) = delete;
  FilePrecisionReading& operator=(const FilePrecisionReading&) = delete;
  ~FilePrecisionReading();

 private:
  double widestTolerance_ = 0;
  int toleranceMode_ = 0;
};

}  // namespace korrin::standin
