#pragma once

namespace korrin::text_file_faults {

// Faults on purpose in the text-file module's system calls, so tests show
// what a save does on a full disk or a failing device without either. The
// state is the process's own; nothing fails unless a test asks.
enum class Call { Write, Sync, Rename };

// The nth call of that kind from now on (1 for the next) fails with the
// errno value error, once; the calls before it and after it go through.
void FailCall(Call call, int nth, int error);

// Every fault asked for and not yet happened is dropped.
void ClearFaults();

// For the module: the errno value the call must fail with now, or 0.
int FaultFor(Call call);

}  // namespace korrin::text_file_faults
