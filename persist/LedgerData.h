#pragma once

#include "model/LedgerContent.h"

// The readers and writers of the file formats fill and take the document's content as it is.
using CLedgerData = CLedgerContent;
