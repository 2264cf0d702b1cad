// Reading packets and deltas strictly: a document that does not match its
// own field list is refused whole (DecodeError, Portuguese message naming
// the row or change and the field), never read in part.
//
// A packet's text is parsed once: its rows go straight from the parser
// into values of the caller's type (no document tree is built for them),
// everything else into a small tree. The same parse serves a packet carried
// inside a larger document, such as the result of a call.
//
// Every reader is a template over the value type (value_codec.h); the
// neutral value's readers are compiled here, another type's where its codec
// lives (packet_reader_impl.h).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "wire/packet.h"
#include "wire/value_codec.h"

namespace zor::wire {

// A document parsed once, with the "rows" list of the object at `Path`
// (keys from the top; empty: the top object) taken out of the tree: the
// tree keeps an empty list there and Rows holds its rows, untyped (a
// date-time is still a text). RowsFound says whether that list was there.
template <class V>
struct BasicParsedDocument {
  nlohmann::json Tree;
  std::vector<std::vector<V>> Rows;
  bool RowsFound = false;
  std::vector<size_t> RowsNotLists;                       // positions of rows that are not lists
  std::vector<std::pair<size_t, size_t>> NestedValues;    // (row, column) holding a list or an object
};
using ParsedDocument = BasicParsedDocument<Value>;

// False when `text` is not JSON; `error` then holds the parser's position.
template <class V>
bool ParseDocument(std::string_view text, const std::vector<std::string>& path, BasicParsedDocument<V>& out,
                   std::string& error);

// The packet whose tree (fields, an empty rows list) and rows were parsed
// apart by ParseDocument; `rows` are typed in place and moved into it.
template <class V>
BasicPacket<V> PacketFromParts(const nlohmann::json& tree, BasicParsedDocument<V>& parts);

// A packet's JSON text.
template <class V = Value>
BasicPacket<V> DecodePacket(std::string_view text);

// The rows list of a tree put back, for callers that want the document
// whole after all.
template <class V>
void RestoreRows(nlohmann::json& tree, const BasicParsedDocument<V>& parts);

// How a delta's declared fields are read: called with each declared
// field's name and its declared type (null when the field gives none), it
// returns the definition to read the values with, or throws DecodeError.
using FieldResolver = std::function<FieldDef(const FieldDef& declared, bool typeGiven)>;

// The field as declared; a field without a type is refused.
FieldDef DeclaredField(const FieldDef& declared, bool typeGiven);

// A delta, from the tree a request was parsed into or from its text.
template <class V = Value>
BasicDelta<V> DecodeDelta(const nlohmann::json& doc, const FieldResolver& resolve = DeclaredField);
template <class V = Value>
BasicDelta<V> DecodeDelta(const nlohmann::ordered_json& doc, const FieldResolver& resolve = DeclaredField);
template <class V = Value>
BasicDelta<V> DecodeDeltaText(std::string_view text, const FieldResolver& resolve = DeclaredField);

}  // namespace zor::wire
