#pragma once

// Creation of items by their kind code, for the file reader and for copies.

#include "items/draw_item.h"

#include <cstdint>
#include <memory>
#include <string_view>

// A new, empty item of the kind typeCode with the given id, or nullptr for a
// code that names no kind. The item's reference count is 0: the caller either
// AddRefs it (and later Releases it) or deletes it.
DrawItem* CreateItem(std::int32_t typeCode, std::uint32_t id);

// The same, held by a unique_ptr for callers that never share the item.
std::unique_ptr<DrawItem> CreateOwnedItem(std::int32_t typeCode, std::uint32_t id);

// The name a new item of the kind typeCode has ("rectangle"), empty for a
// code that names no kind.
std::string_view KindName(std::int32_t typeCode);
