#include "ReportWriter.h"

ReportWriter::~ReportWriter() = default;
