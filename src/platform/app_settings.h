// The one setting kept between runs: whether the start-up notice shows.
// QSettings("Tarn", "Orv"), group "Warning", key "StartUp".
#pragma once

#include <optional>

// The stored value, or nothing when it was never written (first run).
std::optional<bool> ReadStartUpSetting();
bool WriteStartUpSetting(bool show);
