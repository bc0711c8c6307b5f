#include "ZanDebug.h"

int __Zandemar_Debug_Level = 0;
