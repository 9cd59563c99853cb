// Program-wide records: the survey being worked on (TSurveySelection with one TMeasureFileInfo per
// measure), the dialogs' folder memory (TLastPath), and their packed little-endian images as
// stored in hand-over and report files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_io.h"
#include "platform/little_endian.h"

// Measures are numbered 1 to 10; survey structures keep 14 slots (11 to 14 never filled).
constexpr int kMeasureCount = 10;
constexpr int kMeasureSlots = 14;
constexpr std::size_t kShortStringCapacity = 255;

enum Measure : int {
    MeasureVoltage = 1,
    MeasureFrequency = 2,
    MeasureUnbalance = 3,
    MeasureVoltageHarmonics = 4,
    MeasureFlicker = 5,
    MeasureEvents = 6,
    MeasurePowers = 7,
    MeasureSamples = 8,
    MeasureCurrentHarmonics = 9,
    MeasureEnergy = 10,
};

struct TMeasureFileInfo {
    static constexpr std::size_t kPackedSize = 289;

    std::string FileName;       // full path of the data file
    bool Selected = false;
    std::int32_t RecordCount = 0;
    std::int32_t RecordSize = 0; // 0 for the variable-record samples file
    double FirstTime = 0;
    double LastTime = 0;
    std::array<std::uint8_t, 4> Nominal{}; // the first record's nominal field, raw bytes
    std::int32_t Rate = 0;

    float NominalValue() const { return FieldView(Nominal).F32(0); }
    // False when FileName does not fit its short string (see TSurveySelection::Pack).
    bool Pack(ByteWriter& out) const;
    static TMeasureFileInfo Unpack(ByteReader& in);
    bool operator==(const TMeasureFileInfo&) const = default;
};

struct TSurveySelection {
    static constexpr std::size_t kPackedSize = 5086;
    // The head and slots 1 to 6, as stored in report files.
    static constexpr std::size_t kReportPartSize = 2774;

    std::string Name;        // survey file name without folder
    std::string Description;
    std::string Site;
    std::string Operator;
    double Start = 0;        // chosen start minute
    double Stop = 0;         // chosen stop minute + 59.999 s
    std::array<TMeasureFileInfo, kMeasureSlots> Files{}; // Files[k-1] describes measure k

    TMeasureFileInfo& File(int measure) { return Files.at(static_cast<std::size_t>(measure - 1)); }
    const TMeasureFileInfo& File(int measure) const { return Files.at(static_cast<std::size_t>(measure - 1)); }

    // Packs every field. A text longer than its short string holds (255 bytes) is never cut:
    // packing fails, `out` has failed with out.TooLong() the text, and the caller shows
    // ShortStringTooLongMessage(out.TooLong()) and stores nothing.
    bool Pack(ByteWriter& out) const;
    // All 5086 bytes, or nothing when a text does not fit (*tooLong := that text).
    std::optional<Bytes> PackBytes(std::string* tooLong = nullptr) const;
    // Packs only the first `slots` measure slots (6 for report files).
    bool PackPart(ByteWriter& out, int slots) const;
    static TSurveySelection Unpack(ByteReader& in, int slots = kMeasureSlots);
    bool operator==(const TSurveySelection&) const = default;
};

struct TLastPath {
    bool DataPathSet = false;
    std::string DataPath;
    bool SheetPathSet = false;
    std::string SheetPath;
};

// The program-wide instances: the survey being worked on and the dialogs' folder memory.
TSurveySelection& SurveySelection();
TLastPath& LastPath();
// The folder a data-file dialog or survey list starts in: the data folder last used in this run,
// else DataDir.
std::string FirstDataFolder();
// The same for sheets: the last sheet folder, else SheetDir().
std::string FirstSheetFolder();

// What the user is told when a record cannot be stored because a text, a path mostly, does not
// fit its short string.
std::string ShortStringTooLongMessage(const std::string& text);
// The first 255 bytes of a text that is only shown and stored, never looked up (a survey's
// description, site and operator); a UTF-8 text loses the whole of a character that would not fit.
std::string CutToShortString(const std::string& text);

// The interval convention: the stop minute is inclusive, so 59.999 s are added to it.
constexpr double kStopMinuteExtraDays = 59.999 / 86400.0;
