// Packing of the program-wide records, field by field.
#include "survey/records.h"

#include "platform/prog_dirs.h"
#include "platform/text_encoding.h"

// Offsets of TMeasureFileInfo: FileName 0, Selected 256, RecordCount 257, RecordSize 261,
// FirstTime 265, LastTime 273, Nominal 281, Rate 285.
static_assert(1 + kShortStringCapacity + 1 + 4 + 4 + 8 + 8 + 4 + 4 == TMeasureFileInfo::kPackedSize);
// TSurveySelection: four short strings, Start, Stop, 14 slots.
static_assert(4 * (1 + kShortStringCapacity) + 8 + 8 + kMeasureSlots * TMeasureFileInfo::kPackedSize ==
              TSurveySelection::kPackedSize);
static_assert(4 * (1 + kShortStringCapacity) + 8 + 8 + 6 * TMeasureFileInfo::kPackedSize ==
              TSurveySelection::kReportPartSize);

bool TMeasureFileInfo::Pack(ByteWriter& out) const
{
    out.ShortString(FileName, kShortStringCapacity);
    out.Bool(Selected);
    out.I32(RecordCount);
    out.I32(RecordSize);
    out.F64(FirstTime);
    out.F64(LastTime);
    out.Bytes(Nominal.data(), Nominal.size());
    out.I32(Rate);
    return out.Ok();
}

TMeasureFileInfo TMeasureFileInfo::Unpack(ByteReader& in)
{
    TMeasureFileInfo info;
    info.FileName = in.ShortString(kShortStringCapacity);
    info.Selected = in.Bool();
    info.RecordCount = in.I32();
    info.RecordSize = in.I32();
    info.FirstTime = in.F64();
    info.LastTime = in.F64();
    in.Bytes(info.Nominal.data(), info.Nominal.size());
    info.Rate = in.I32();
    return info;
}

bool TSurveySelection::PackPart(ByteWriter& out, int slots) const
{
    out.ShortString(Name, kShortStringCapacity);
    out.ShortString(Description, kShortStringCapacity);
    out.ShortString(Site, kShortStringCapacity);
    out.ShortString(Operator, kShortStringCapacity);
    out.F64(Start);
    out.F64(Stop);
    for (int k = 0; k < slots && k < kMeasureSlots; ++k) Files[static_cast<std::size_t>(k)].Pack(out);
    return out.Ok();
}

bool TSurveySelection::Pack(ByteWriter& out) const { return PackPart(out, kMeasureSlots); }

std::optional<Bytes> TSurveySelection::PackBytes(std::string* tooLong) const
{
    ByteWriter out;
    if (Pack(out)) return out.Take();
    if (tooLong) *tooLong = out.TooLong();
    return std::nullopt;
}

std::string ShortStringTooLongMessage(const std::string& text)
{
    return "The text \"" + text + "\" is longer than 255 characters and cannot be stored.";
}

std::string CutToShortString(const std::string& text)
{
    if (text.size() <= kShortStringCapacity) return text;
    std::size_t size = kShortStringCapacity;
    if (IsValidUtf8(text))
        while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return text.substr(0, size);
}

TSurveySelection TSurveySelection::Unpack(ByteReader& in, int slots)
{
    TSurveySelection s;
    s.Name = in.ShortString(kShortStringCapacity);
    s.Description = in.ShortString(kShortStringCapacity);
    s.Site = in.ShortString(kShortStringCapacity);
    s.Operator = in.ShortString(kShortStringCapacity);
    s.Start = in.F64();
    s.Stop = in.F64();
    for (int k = 0; k < slots && k < kMeasureSlots; ++k) s.Files[static_cast<std::size_t>(k)] = TMeasureFileInfo::Unpack(in);
    return s;
}

TSurveySelection& SurveySelection()
{
    static TSurveySelection selection;
    return selection;
}

TLastPath& LastPath()
{
    static TLastPath lastPath;
    return lastPath;
}

std::string FirstDataFolder() { return LastPath().DataPathSet ? LastPath().DataPath : DataDir(); }
std::string FirstSheetFolder() { return LastPath().SheetPathSet ? LastPath().SheetPath : SheetDir(); }
