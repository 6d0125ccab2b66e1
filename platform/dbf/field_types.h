#pragma once
// The kinds of data a table holds: field definitions and field values.
#include <string>
#include <string_view>
#include <variant>

namespace platform::dbf {

// One field of a table, as a dBase III descriptor names it. Types: 'C'
// character, 'N' numeric ('F' is read as numeric), 'D' date, 'L' logical.
struct FieldDef {
  std::string name;  // up to 10 characters, stored upper case
  char type = 'C';
  int length = 0;    // bytes in the record
  int decimals = 0;  // numeric fields only
  bool operator==(const FieldDef&) const = default;
};

// A calendar date; the blank (empty) date is all zeros.
struct Date {
  int year = 0;
  int month = 0;
  int day = 0;
  bool empty() const { return year == 0 && month == 0 && day == 0; }
  bool operator==(const Date&) const = default;
};

// A field's value in the language's types. A character field gives its text
// with the padding blanks (as the runtime does); numeric fields a double;
// date fields a Date; logical fields a bool.
class Value {
 public:
  Value() : v_(std::string()) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(double n) : v_(n) {}
  Value(int n) : v_(static_cast<double>(n)) {}
  Value(Date d) : v_(d) {}
  Value(bool b) : v_(b) {}

  // 'C', 'N', 'D' or 'L'.
  char type() const { return "CNDL"[v_.index()]; }

  // The value of the named kind; a value of another kind gives the blank
  // value of the kind asked for ("", 0, the empty date, false).
  std::string text() const;
  double number() const;
  Date date() const;
  bool logical() const;

  bool operator==(const Value&) const = default;

 private:
  std::variant<std::string, double, Date, bool> v_;
};

}  // namespace platform::dbf
