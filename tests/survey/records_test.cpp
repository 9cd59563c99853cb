#include "survey/records.h"
#include "survey/text_tables.h"

#include <gtest/gtest.h>

namespace {
TSurveySelection FilledSelection()
{
    TSurveySelection s;
    s.Name = "site.orv";
    s.Description = "Feeder 3";
    s.Site = "Substation";
    s.Operator = "A. Engineer";
    s.Start = 45000.25;
    s.Stop = 45001.25 + kStopMinuteExtraDays;
    for (int k = 1; k <= kMeasureCount; ++k) {
        auto& f = s.File(k);
        f.FileName = "/data/site" + std::string(DataFileExts[static_cast<std::size_t>(k)]);
        f.Selected = k % 2 == 1;
        f.RecordCount = 100 * k;
        f.RecordSize = k == MeasureSamples ? 0 : 30 + k;
        f.FirstTime = 45000 + k;
        f.LastTime = 45010 + k;
        f.Nominal = {0, 0, 0x66, 0x43};  // 230.0f
        f.Rate = -k;
    }
    return s;
}
}  // namespace

TEST(Records, PackedSizesAndOffsets)
{
    TSurveySelection s = FilledSelection();
    Bytes bytes = s.PackBytes().value();
    ASSERT_EQ(bytes.size(), TSurveySelection::kPackedSize);
    // Slot 1 starts at 1040; its RecordCount at +257, little-endian.
    EXPECT_EQ(LoadU32(&bytes[1040 + 257]), 100u);
    // Slot 2's Rate (at +285) is -2 as a signed 32-bit value.
    EXPECT_EQ(static_cast<std::int32_t>(LoadU32(&bytes[1040 + 289 + 285])), -2);
    EXPECT_EQ(bytes[0], 8);  // length byte of "site.orv"
    EXPECT_EQ(s.File(1).NominalValue(), 230.0f);

    ByteWriter part;
    EXPECT_TRUE(s.PackPart(part, 6));
    EXPECT_EQ(part.Size(), TSurveySelection::kReportPartSize);
}

TEST(Records, RoundTripKeepsEveryField)
{
    TSurveySelection s = FilledSelection();
    s.File(3).FileName = "/" + std::string(254, 'p');  // 255 bytes: the most a short string holds
    Bytes bytes = s.PackBytes().value();
    ByteReader in(bytes);
    TSurveySelection back = TSurveySelection::Unpack(in);
    EXPECT_TRUE(in.Ok());
    EXPECT_EQ(back, s);
}

TEST(Records, TruncatedImageFails)
{
    Bytes bytes = FilledSelection().PackBytes().value();
    bytes.resize(3000);
    ByteReader in(bytes);
    TSurveySelection::Unpack(in);
    EXPECT_FALSE(in.Ok());
}

TEST(Records, TextLongerThanItsShortStringIsRefusedNeverCut)
{
    const std::string path = "/" + std::string(255, 'p');  // 256 bytes
    TSurveySelection s = FilledSelection();
    s.File(3).FileName = path;
    std::string tooLong;
    EXPECT_FALSE(s.PackBytes(&tooLong));
    EXPECT_EQ(tooLong, path);
    EXPECT_EQ(ShortStringTooLongMessage(tooLong), "The text \"" + path + "\" is longer than 255 characters and cannot be stored.");

    // Report files: the head and slots 1 to 6, a name in the head too long.
    s = FilledSelection();
    s.Name = std::string(256, 'n');
    ByteWriter part;
    EXPECT_FALSE(s.PackPart(part, 6));
    EXPECT_FALSE(part.Ok());
    EXPECT_EQ(part.TooLong(), s.Name);
    // Slot 7 is not part of a report: its path is not refused there.
    s = FilledSelection();
    s.File(7).FileName = path;
    ByteWriter report;
    EXPECT_TRUE(s.PackPart(report, 6));
}

TEST(Tables, MeasureTablesAndChannelOrders)
{
    EXPECT_EQ(MeasureNames[6], "Events");
    EXPECT_EQ(DataFileExts[8], ".tme");
    EXPECT_EQ(TempFileNames[8], "tr.tmp");
    EXPECT_EQ(ArchiveFileNames[0], "datainfo._tn");
    EXPECT_EQ(MeasureNames[11], "");
    EXPECT_EQ(PhaseNames[4], "3Ph.");
    EXPECT_EQ(ChannelHarmonicOrder[0], 0);
    EXPECT_EQ(ChannelHarmonicOrder[5], 1);
    EXPECT_EQ(ChannelHarmonicOrder[155], 51);
    EXPECT_EQ(DefaultHarmonicLimits[0], 8.0f);
    EXPECT_EQ(DefaultHarmonicLimits[25], 1.5f);
    EXPECT_EQ(DefaultCurrentHarmonicLimits[1], 0.0f);
    EXPECT_EQ(DefaultCurrentHarmonicLimits[2], 100.0f);
    EXPECT_EQ(ObservationPeriods[6], 60);
}
