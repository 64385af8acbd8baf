#pragma once
// The class registry of skin objects and their stored records (binary and text object records).
// Implemented in SfSkinObjectRecords.cpp.
#include "skins/SfSkinObject.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

using TSfSkinObjectFactory = std::unique_ptr<TSfSkinObject> (*)();
// The registered classes in registry order.
std::span<const char* const> SfSkinObjectClassNames();
// A new object of the registered class `name` (exact, case-sensitive), or none.
std::unique_ptr<TSfSkinObject> FindSkinObjectClass(std::string_view name);
// As FindSkinObjectClass, retrying with "Sf" as the second and third characters.
std::unique_ptr<TSfSkinObject> SfCreateSkinObject(std::string_view name);

// The stored properties of one node (values that differ from a new node of its class) and,
// with `nested`, its children as inner blocks; otherwise the children go into "Objects".
// False (with the reason) when the tree cannot be stored: more than 65535 children, a name
// that is not an identifier, a tree deeper than the readers accept.
[[nodiscard]] bool SfObjectToData(const TSfSkinObject& obj, bool nested, TSfObjectData& out,
                                  std::string& why);
// Builds a node (and its subtree) from stored data. Unknown properties are ignored; children
// whose class is not registered are dropped. False only when the reader failed.
[[nodiscard]] bool SfDataToObject(const TSfObjectData& data, TSfReader& in,
                                  std::unique_ptr<TSfSkinObject>& out);
// One object record: class name and the object text (text form) or the object stream's size
// and bytes (binary form). `out` stays empty for a dropped record.
[[nodiscard]] bool SfReadObjectRecord(TSfReader& in, bool binary, std::unique_ptr<TSfSkinObject>& out);
[[nodiscard]] bool SfWriteObjectRecord(TSfWriter& out, const TSfSkinObject& obj, bool binary,
                                       std::string& why);
