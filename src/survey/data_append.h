// Appending the records of a received data file to a survey's data file of the same layout.
// The destination is rebuilt in a temporary file and renamed over the old one only when
// complete, so a refused or failed append leaves it as it was.
#pragma once

#include <string>

enum class AppendResult {
    Ok,
    DestinationCorrupt,  // its header does not pass the check
    SourceCorrupt,
    RecordSizeMismatch,
    FileTypeMismatch,    // samples files of different types
    TooLarge,            // the joined file would not fit the 32-bit header fields
    WriteFailed,
};

// Fixed-record files of measure 1 to 7, 9 or 10: both headers checked, same record size.
AppendResult AppendDataFile(const std::string& source, const std::string& destination, int measure);
