#pragma once

#include <cstdint>

namespace korrin::standin {

// What a stand-in document is, as the host's document type number. The file
// spells it as a word (see DocumentWords.h).
enum class DocumentType : std::int32_t {
  Part = 12290,
  Assembly = 12291,
  Drawing = 12292,
  Presentation = 12293,
  DesignElement = 12294,
};

}  // namespace korrin::standin
