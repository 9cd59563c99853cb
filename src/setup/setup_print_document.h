// The filled setup template as a printable document. Each line is a paragraph, its first
// characters saying how it shows: "= " the title, "# " a section heading, "+ " a table's
// heading row and "| " a table row (cells between tabs), any other line a label and its value
// (the value after a tab, leading blanks indenting the line).
#pragma once

#include "platform/messages.h"

#include <string>
#include <vector>

class QTextDocument;

// Replaces the document's content with the lines.
void BuildSetupDocument(QTextDocument& document, const std::vector<std::string>& lines);
// Prints the document as `documentName` on the chosen printer (a PDF file when one is named);
// false when the printer cannot be used.
bool PrintSetupDocument(QTextDocument& document, const PrintChoice& choice, const std::string& documentName);
