#pragma once

#include <string>

namespace korrin::testing {

// Why the tests of the German locale cannot run here; empty when the process
// runs under de_DE.UTF-8 (set up by the executable's main before Qt starts).
const std::string& GermanLocaleUnavailable();

}  // namespace korrin::testing
