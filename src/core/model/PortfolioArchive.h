// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"

#include <QByteArray>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class ArchiveReader;

// The portfolio stream: an item count, then the items with their quotation lists. Files and
// the clipboard carry the same stream. Every stream written is item version 8; 1 to 8 are read.
namespace PortfolioArchive {

constexpr int kWrittenVersion = 8;
// The class names the stream carries for an item and a quotation.
constexpr const char* kItemClassName = "CWPapier";
constexpr const char* kQuotationClassName = "CKurs";
constexpr const char* kFormatError = "Unexpected file format.";
constexpr const char* kClipboardReadError = "Clipboard data could not be read!";

// Refused when a time of an item does not fit the stream's 32 bits.
Result<QByteArray> write(const std::vector<const PortfolioItem*>& items);
// False on any malformed stream, also one with bytes after its last item. `lastItemVersion`, when given, receives the
// version of the last item read (0 for an empty list).
bool read(const char* data, size_t size, std::vector<PortfolioItem>& items, int* lastItemVersion);
bool read(ArchiveReader& in, std::vector<PortfolioItem>& items, int* lastItemVersion);
// The same, handing each item to `onItem` as soon as it is read (it may move from it); items already handed over
// stay handed over when a later part of the stream turns out malformed.
bool read(ArchiveReader& in, const std::function<void(PortfolioItem&)>& onItem, int* lastItemVersion);

// Refused with a message naming the item and time when one of the item's times does not fit 32 bits.
Status checkTimes(const PortfolioItem& item);

} // namespace PortfolioArchive
