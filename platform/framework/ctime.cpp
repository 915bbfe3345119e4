#include "framework/ctime.h"

#include "sys/system.h"

CTime CTime::GetCurrentTime() { return CTime(sys::NowSeconds()); }
