// Feeds arbitrary bytes to the layout reader and, when they read, to the loader with a
// factory that accepts every class, so both reject hostile input without crashing.
#include "framework/Font.h"
#include "framework/Layout.h"
#include "framework/LayoutLoader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

class TAnyComponent : public TComponent {
public:
  TPropertyResult ReadProperty(const std::string& name, const TLayoutValue& value) override {
    if (name.rfind("Font.", 0) == 0) {
      return ReadFontProperty(Font, name.substr(5), value);
    }
    if (name == "Left") {
      return LayoutInt(value, -32768, 32767) ? TPropertyResult::Ok() : TPropertyResult::Bad("int");
    }
    if (name == "Caption") {
      return LayoutString(value) ? TPropertyResult::Ok() : TPropertyResult::Bad("string");
    }
    return TPropertyResult::Unknown();
  }
  TFontData Font;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  TLayoutReadResult read = ReadLayout(text);
  if (!read.Ok()) {
    if (read.Error.Message.empty()) {
      __builtin_trap(); // every rejection must say why
    }
    return 0;
  }
  TAnyComponent root;
  TLoadResult loaded =
      ReadComponents(root, read.Root->ClassName, *read.Root,
                     [](const std::string&, TComponent&) { return std::make_unique<TAnyComponent>(); });
  if (loaded.Ok()) {
    FinishLoading(loaded);
  }
  return 0;
}
