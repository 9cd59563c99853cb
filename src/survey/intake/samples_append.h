// Appending a received voltage-samples file (.tme) to a survey's samples file of the same type,
// beside AppendDataFile for the fixed-record files.
#pragma once

#include "survey/data_append.h"

#include <string>

// Keeps the destination's type byte; end offset and count become the sums (less one header).
AppendResult AppendSamplesFile(const std::string& source, const std::string& destination);
