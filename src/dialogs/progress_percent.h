// The progress window's arithmetic: the percentage of a job done and a bar position that only
// moves forward until it is reset.
#pragma once

// Done / Total x 100 rounded to the nearest integer, halves to the even one (1 of 8 is 12).
// A total of zero or less gives 0: there is nothing to measure progress against.
int ProgressPercent(int done, int total);

class ProgressBarState {
public:
    void Reset() { position = 0; }
    // Stores the new percentage; returns true when it moved the bar forward.
    bool Set(int done, int total);

    int Percent() const { return percent; }
    int Position() const { return position; }

private:
    int percent = 0;
    int position = 0;
};
