#include "settings/Registry.h"

namespace korrin {

std::string TextBeforeNul(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

}  // namespace korrin
