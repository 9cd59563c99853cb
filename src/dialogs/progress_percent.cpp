// The progress window's arithmetic.
#include "dialogs/progress_percent.h"

#include <algorithm>
#include <cmath>

int ProgressPercent(int done, int total)
{
    if (total <= 0) return 0;
    // Rounding by hand: std::nearbyint would follow whatever rounding mode is current.
    const double exact = static_cast<double>(done) / total * 100.0;
    double whole = std::floor(exact);
    const double rest = exact - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<int>(whole);
}

bool ProgressBarState::Set(int done, int total)
{
    percent = ProgressPercent(done, total);
    // The bar's range is 0 to 100; a caller that overshoots leaves it full.
    const int target = std::clamp(percent, 0, 100);
    if (target <= position) return false;
    position = target;
    return true;
}
