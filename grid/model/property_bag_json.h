// A property bag a host can keep: JSON with the entry names as keys. Booleans, numbers and texts
// are stored as themselves, a font as an object of its Name, Size, Weight, Italic, Underline,
// Strikethrough and Charset, and an empty value (no picture) as null.
#pragma once

#include <string>
#include <string_view>

#include "grid/model/property_bag.h"

namespace lattix {

std::string PropertyBagToJson(const PropertyBag& bag);
// Raises 514 for a text that is not a JSON object of such values; the bag is built whole first.
PropertyBag PropertyBagFromJson(std::string_view json);

// Files: raises "Path/File access error." (75) when the file cannot be written or read.
void SavePropertyBagFile(const std::string& path, const PropertyBag& bag);
PropertyBag LoadPropertyBagFile(const std::string& path);

} // namespace lattix
