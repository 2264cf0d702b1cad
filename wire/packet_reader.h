// Reading packets and deltas strictly: a document that does not match its
// own field list is refused whole (DecodeError, Portuguese message naming
// the row or change and the field), never read in part.
//
// A packet's text is parsed once: its rows go straight from the parser
// into neutral values (no document tree is built for them), everything
// else into a small tree. The same parse serves a packet carried inside a
// larger document, such as the result of a call.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "wire/packet.h"

namespace wire {

// A document parsed once, with the "rows" list of the object at `Path`
// (keys from the top; empty: the top object) taken out of the tree: the
// tree keeps an empty list there and Rows holds its rows, untyped (a
// date-time is still a text). RowsFound says whether that list was there.
struct ParsedDocument {
  nlohmann::json Tree;
  std::vector<std::vector<Value>> Rows;
  bool RowsFound = false;
  std::vector<size_t> RowsNotLists;                       // positions of rows that are not lists
  std::vector<std::pair<size_t, size_t>> NestedValues;    // (row, column) holding a list or an object
};

// False when `text` is not JSON; `error` then holds the parser's position.
bool ParseDocument(std::string_view text, const std::vector<std::string>& path, ParsedDocument& out,
                   std::string& error);

// The packet whose tree (fields, an empty rows list) and rows were parsed
// apart by ParseDocument; `rows` are typed in place and moved into it.
Packet PacketFromParts(const nlohmann::json& tree, ParsedDocument& parts);

// A packet's JSON text.
Packet DecodePacket(std::string_view text);

// The rows list of a tree put back, for callers that want the document
// whole after all.
void RestoreRows(nlohmann::json& tree, const ParsedDocument& parts);

// How a delta's declared fields are read: called with each declared
// field's name and its declared type (null when the field gives none), it
// returns the definition to read the values with, or throws DecodeError.
using FieldResolver = std::function<FieldDef(const FieldDef& declared, bool typeGiven)>;

// The field as declared; a field without a type is refused.
FieldDef DeclaredField(const FieldDef& declared, bool typeGiven);

// A delta, from the tree a request was parsed into or from its text.
Delta DecodeDelta(const nlohmann::json& doc, const FieldResolver& resolve = DeclaredField);
Delta DecodeDelta(const nlohmann::ordered_json& doc, const FieldResolver& resolve = DeclaredField);
Delta DecodeDeltaText(std::string_view text, const FieldResolver& resolve = DeclaredField);

}  // namespace wire
