// The export wizard's check of its workbook names before an accepted Finish: it asks before
// existing workbooks are replaced, and tries each name the way the exporter will write it,
// without emptying or deleting an existing workbook (that happens only once the new one is
// complete).
#pragma once

#include "export/export_params.h"

enum class OutputCheck {
    Accepted,
    Declined,    // "No" to the overwrite question
    InvalidName  // a workbook cannot be written under its name ("Invalid file name." shown)
};

OutputCheck CheckOutputFiles(const TExportParams& params);
