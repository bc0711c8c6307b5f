#include "CZanPointer.h"

// The data is not the entry's: it stays where it is.
CZanPointer::~CZanPointer() = default;
