// Build tool: writes the analysis report's template (report_template.h) as the Excel 5.0 file
// named by its one argument; the build puts it beside the program as "template.xls".
#include "analysis/report_template.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <template.xls>\n", argv[0]);
        return 2;
    }
    // A failed write has said why on standard error (no message seam is installed).
    return ReportTemplateBook().WriteFile(argv[1], kFileTypeExcel5) ? 0 : 1;
}
