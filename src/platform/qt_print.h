// Sets a QPrinter up from the print choice the message seam returned.
#pragma once

#include "platform/messages.h"

class QPrinter;
void ConfigurePrinter(QPrinter& printer, const PrintChoice& choice);
