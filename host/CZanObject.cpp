#include "CZanObject.h"

CZanObject::~CZanObject() = default;
