#include "platform/dbf/field_types.h"

namespace platform::dbf {

std::string Value::text() const {
  auto* s = std::get_if<std::string>(&v_);
  return s ? *s : std::string();
}
double Value::number() const {
  auto* n = std::get_if<double>(&v_);
  return n ? *n : 0.0;
}
Date Value::date() const {
  auto* d = std::get_if<Date>(&v_);
  return d ? *d : Date{};
}
bool Value::logical() const {
  auto* b = std::get_if<bool>(&v_);
  return b ? *b : false;
}

}  // namespace platform::dbf
