// The dialog declarations live in the stand-in's windows.h.
#pragma once
#include <windows.h>
