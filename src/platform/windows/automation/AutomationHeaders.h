#pragma once

// The system's automation headers, without the macros of theirs that would
// rename Korrin's members (EventPump::Yield, ChannelCalls::GetObject).
#include <windows.h>
#include <objbase.h>
#include <oaidl.h>
#include <oleauto.h>

#undef Yield
#undef GetObject
