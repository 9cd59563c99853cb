// Books the sheet tests share: a formatted sheet in the shape of an events list.
#pragma once

#include "sheet/sheet_book.h"

// A bold header row on silver with a medium outline and thin inner lines, typed numbers, a
// coloured row, a custom number format and a font colour outside the default palette.
TF1Book SampleFormattedBook();
