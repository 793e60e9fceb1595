// The stored window description: a text format in the spirit of a form file.
//
//   object Form1: TForm1
//     Caption = 'Ballora Quorvane'        strings in single quotes, '' is a quote,
//     Width = 522                         #1057 appends a character by code
//     Font.Name = 'Tahoma'                dotted names reach property objects
//     Anchors = [akLeft, akBottom]        sets
//     Scale = 1.25                        decimals, always with '.'
//     OnCreate = FormCreate               identifiers: enum values, booleans,
//     Images = sAlphaImageList1             handlers and component references
//     Items.Strings = ('4-3-3' '3-4-3')   lists
//     InternalSkins = <                   collections of items
//       item
//         Data = {metroui.asz}            binary data by embedded resource name
//       end>
//     object Child: TClass ... end        owned objects, in stored order
//   end
//
// Comments run from "//" to the end of the line. This unit only reads and
// writes the text; building components from it is the component reader's job.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ustring.h"

namespace qv {

struct TDescProperty;

struct TDescValue {
  enum class Kind { String, Integer, Float, Ident, Set, List, Collection, Binary };
  Kind kind = Kind::Integer;
  ustring text;                                   // String
  std::int64_t integer = 0;                       // Integer
  double number = 0;                              // Float
  std::string ident;                              // Ident; Binary: the resource name
  std::vector<std::string> set;                   // Set
  std::vector<TDescValue> list;                   // List
  std::vector<std::vector<TDescProperty>> items;  // Collection
  int line = 0;
};

struct TDescProperty {
  std::string name;  // may be dotted: "Font.Name"
  TDescValue value;
  int line = 0;
};

struct TDescObject {
  std::string name;
  std::string class_name;
  std::vector<TDescProperty> properties;
  std::vector<TDescObject> children;
  int line = 0;
};

// A malformed description; the message names the file and the line.
class TDescriptionError : public std::runtime_error {
 public:
  TDescriptionError(const std::string& file, int line, const std::string& what);
  int line() const { return line_; }

 private:
  int line_;
};

// Parses UTF-8 text holding exactly one top-level object.
TDescObject ParseDescription(std::string_view text, std::string_view file_name);
// Writes the canonical text of an object tree; parsing it gives the same tree.
std::string WriteDescription(const TDescObject& root);

}  // namespace qv
