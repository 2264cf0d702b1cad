// The one form in which the server reads a stored value, whatever form the
// program that wrote it chose: packets carry it, and a save compares what
// the desk loaded with what is stored in it, so that a row another program
// wrote can be changed and deleted like one the server wrote itself.
#pragma once

#include <string>

#include "server/dataset_catalog.h"
#include "server/db_connection.h"

namespace zor::server {

// "yyyy-mm-ddThh:nn:ss" from a stored date or date-time: a date alone
// (midnight), a blank or a T between date and time, seconds left out,
// fractions of a second (dropped) and a trailing zone ("Z", "+03",
// "-03:00", ignored) are all read; "" when the text is no date at all.
std::string StoredDateTime(const std::string& text);

// A stored value of field f in its normal form: texts as text, with an
// empty text read as null (the desk cannot tell them apart); numbers as
// double; dates and date-times as StoredDateTime, null when unreadable.
// Any stored value as text (numbers in their shortest exact form; null: "").
std::string AsText(const SqlValue& v);

SqlValue NormalForm(const DatasetField& f, const SqlValue& stored);

// Whether two values of field f are the same once both are in normal form.
bool SameValue(const DatasetField& f, const SqlValue& a, const SqlValue& b);

}  // namespace zor::server
