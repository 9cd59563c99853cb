// The view kind every child window carries from its creation, on which the main window routes
// its commands (app/command_routing.h): the setup editor, the ten measure views in measure order,
// the values sheet, the two reports and the sheet window.
#pragma once

enum class TViewKind : int {
    None = 0,  // no active child
    Setup = 1,
    Voltage = 11,
    Frequency = 12,
    Unbalance = 13,
    VoltageHarmonics = 14,
    Flicker = 15,
    EventsList = 16,
    Powers = 17,
    Samples = 18,
    CurrentHarmonics = 19,
    Energy = 20,
    ValuesSheet = 25,
    AnalysisReport = 26,
    SummaryReport = 27,
    Sheet = 28,
};

// The view of measure 1 to 10 is kind 10 + measure.
constexpr TViewKind MeasureViewKind(int measure) { return static_cast<TViewKind>(10 + measure); }

// The measure a measure view shows (the measure kind the values sheet is given); 0 for the
// other kinds.
constexpr int MeasureOfViewKind(TViewKind kind)
{
    const int k = static_cast<int>(kind);
    return k >= static_cast<int>(TViewKind::Voltage) && k <= static_cast<int>(TViewKind::Energy) ? k - 10 : 0;
}
