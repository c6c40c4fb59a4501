#pragma once

namespace korrin::standin {

// The numbers of the failures that reading and writing stand-in documents
// give besides the system's own (errno values, which a failed open, read or
// write keeps). They lie far above the errno values so the two never meet.
inline constexpr long kNotAStandinDocument = 2101;     // the first line is not the signature
inline constexpr long kDamagedStandinDocument = 2102;  // a line or the whole breaks a rule of the format
inline constexpr long kNewerStandinFormat = 2103;      // written for a later format version
inline constexpr long kInvalidStandinDocument = 2104;  // a model the writer refuses: it would not read back

}  // namespace korrin::standin
