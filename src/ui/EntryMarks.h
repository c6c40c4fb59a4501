#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <vector>

#include "engine/BatchRun.h"

namespace korrin {

// How the window shows what a run made of an entry. An entry that was not
// converted for a reason other than a failure (an up-to-date one among
// them) reads as skipped.
enum class EntryMark { Converted, Skipped, Failed, NotReached };

EntryMark MarkOf(EntryOutcome outcome);
// "converted", "skipped", "failed", "not reached", as korrin-batch's summary
// and CSV name them.
QString MarkWord(EntryMark mark);
QColor MarkColour(EntryMark mark);
QIcon MarkIcon(EntryMark mark);

}  // namespace korrin
