// A row of a table of texts in both languages, and the lookup every such table shares.
#pragma once

#include <span>

#include "framework/HostLanguage.h"

struct LocalizedText {
  int id;
  const char* japanese;  // either may be null
  const char* english;
};

// The row's text in that language, falling back to the other one; "" for an unknown id or
// language. Rows are searched in table order.
inline const char* lookUpLocalizedText(std::span<const LocalizedText> table, int id, HostLanguage language) {
  if (language != HostLanguage::Japanese && language != HostLanguage::English) return "";
  for (const LocalizedText& row : table) {
    if (row.id != id) continue;
    const char* preferred = language == HostLanguage::Japanese ? row.japanese : row.english;
    const char* other = language == HostLanguage::Japanese ? row.english : row.japanese;
    return preferred != nullptr ? preferred : (other != nullptr ? other : "");
  }
  return "";
}
