// The setup's print: the template "stpRef.txt" of the program folder, one paragraph a line,
// whose value lines are patterns filled with the setup's values (a number as a floating value,
// so the pattern decides its decimals, the Plt window as a whole number, a switch as "Yes" or
// "No", a choice as its text). Lines are counted from 0; the ones no value goes into stay as
// they are. The editor prints the filled lines (setup/setup_print_document.h).
#pragma once

#include "setup/format_pattern.h"
#include "setup/setup_record.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kSetupTemplateName = "stpRef.txt";

// What the print shows besides the record.
struct TSetupPrintInputs {
    std::string Path;       // the setup file's, "untitled" for a new setup
    std::string Title;      // the print title
    int SamplesChoice = 0;  // the voltage samples choice the editor shows
};

struct TTemplateLine {
    int Line = 0;
    std::vector<FormatValue> Values;
};
// The lines of the template that take values, in order, with their values.
std::vector<TTemplateLine> SetupPrintValues(const TSetupRecord& setup, const TSetupPrintInputs& inputs);

// The template's lines with the values filled in; nothing, with the reason in *error, when the
// template has too few lines or a line's pattern does not match its values.
std::optional<std::vector<std::string>> FillSetupTemplate(std::vector<std::string> lines, const TSetupRecord& setup,
                                                          const TSetupPrintInputs& inputs, std::string* error);

// A text file's lines (LF or CR LF); nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTemplateLines(const std::string& path);
