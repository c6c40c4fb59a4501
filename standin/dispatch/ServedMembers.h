#pragma once

#include "MemberTable.h"

namespace korrin::standin {

// The members of each group of served objects, each the mirror of the
// client class that invokes them: same argument order, same value kinds,
// same shape of arrays.

// The application, its documents collection, command manager and environment.
void AddApplicationMembers(MemberTable& table);
// Documents, their sheets collections and file descriptors.
void AddDocumentMembers(MemberTable& table);
// Sheets, their borders and title blocks.
void AddSheetMembers(MemberTable& table);
// Views and their windows.
void AddViewMembers(MemberTable& table);
// The add-ins collection and the add-ins, translators among them.
void AddAddInMembers(MemberTable& table);
// The transient objects and what they make: contexts, media, option maps.
void AddTransientMembers(MemberTable& table);
void AddPrintManagerMembers(MemberTable& table);

}  // namespace korrin::standin
