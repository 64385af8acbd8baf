#pragma once
// TSfSkinSource: the contents of a skin file in memory (header texts, named bitmaps, the
// top-level object trees and the theme tables), and the four skin filters that read and
// write it. Loads never half-succeed: a failed load answers false, keeps the previous
// contents and says why (LastError).
#include "skins/SfSkinObject.h"
#include "theme/records/SkThemeColors.h"
#include "theme/records/SkThemeFonts.h"
#include "theme/records/SkThemeSysColors.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// The theme tables a skin may carry: 22 element colours, 26 system colours, 66 fonts.
struct TSfThemeTables {
  std::array<TColor, 22> Colors{};
  std::array<TColor, 26> SysColors{};
  std::array<TSfFont, 66> Fonts{};
};
// Entry names of the stored tables: the theme's element-colour, system-colour and font names.
inline const auto& kSfColorNames = kSkThemeColorNames;
inline const auto& kSfFontNames = kSkThemeFontNames;
inline std::string_view SfSysColorName(std::size_t row) { return kSkSysColorRows[row].Name; }
// The system colour index behind each of the 26 system-colour rows (-1: the default colour).
extern const int kSfSysColorIndex[26];
// Font text of the stored tables: face, size, character set, red, green, blue, then styles.
std::string SfFontToText(const TSfFont& f, TskSysColorFunc sys = nullptr);
TSfFont SfFontFromText(std::string text);

enum TSfFilterKind : std::uint8_t { fkUncompressed, fkCompressed, fkUltraCompressed, fkMaxCompression };

class TSfSkinSource;

// One stored form of a skin: its five-byte signature, extension and compression.
class TSfSkinFilter {
public:
  virtual ~TSfSkinFilter() = default;
  virtual const char* Signature() const { return "0000"; }
  virtual const char* Extension() const { return ""; }
  virtual const char* Description() const { return ""; }
  virtual TSfFilterKind Kind() const = 0;
  // 0 uncompressed; otherwise the zlib level (1 or -1).
  virtual int Level() const { return 0; }
  // Reads a whole skin into `source` (which should be empty); false leaves the reason in `in`.
  [[nodiscard]] bool ReadSkin(TSfReader& in, TSfSkinSource& source) const;
  // False (with the reason) when the source holds what the format cannot.
  [[nodiscard]] bool WriteSkin(TSfWriter& out, const TSfSkinSource& source, std::string& why) const;

protected:
  virtual bool ReadContents(TSfReader& in, TSfSkinSource& source) const;
  virtual bool WriteContents(TSfWriter& out, const TSfSkinSource& source, std::string& why) const;
};

class TSfSkinFilterUncompressed : public TSfSkinFilter {
public:
  const char* Signature() const override { return "_UCT"; }
  const char* Extension() const override { return "uskn"; }
  const char* Description() const override { return "Uncompressed Skin"; }
  TSfFilterKind Kind() const override { return fkUncompressed; }
};
class TSfSkinFilterCompressed : public TSfSkinFilter {
public:
  const char* Signature() const override { return "_DCT"; }
  const char* Extension() const override { return "cskn"; }
  const char* Description() const override { return "Compressed Skin"; }
  TSfFilterKind Kind() const override { return fkCompressed; }
  int Level() const override { return 1; }
};
class TSfSkinFilterUltraCompressed : public TSfSkinFilter {
public:
  const char* Signature() const override { return "_TCT"; }
  const char* Extension() const override { return "xskn"; }
  const char* Description() const override { return "Ultra Compressed Skin"; }
  TSfFilterKind Kind() const override { return fkUltraCompressed; }
  int Level() const override { return -1; }
};
class TSfSkinFilterMaxCompression : public TSfSkinFilterUltraCompressed {
public:
  const char* Signature() const override { return "_MCT"; }
  const char* Extension() const override { return "mskn"; }
  const char* Description() const override { return "Maximum Compressed"; }
  TSfFilterKind Kind() const override { return fkMaxCompression; }

protected:
  bool ReadContents(TSfReader& in, TSfSkinSource& source) const override;
  bool WriteContents(TSfWriter& out, const TSfSkinSource& source, std::string& why) const override;
};

// The registered filters in order (Uncompressed, Compressed, UltraCompressed, MaxCompression
// after start-up). Filters are not owned and must outlive their registration.
const std::vector<const TSfSkinFilter*>& SfSkinFilters();
void RegisterSkinFilter(const TSfSkinFilter* filter);
void UnregisterSkinFilter(const TSfSkinFilter* filter);
const TSfSkinFilter& SfSkinFilter(TSfFilterKind kind);
// The filter whose signature the bytes start with, or none.
const TSfSkinFilter* FilterBySignature(std::span<const std::uint8_t> bytes);
// The filter whose extension equals the file name's (whole extension, any case), or none.
const TSfSkinFilter* FilterByExtension(const std::string& fileName);
// "Description (*.ext)|*.ext" for every filter, joined by "|".
std::string SkinFileFilter();
// The filter used for writing when a file name's extension does not decide.
TSfFilterKind DefaultSkinFilter();
void SetDefaultSkinFilter(TSfFilterKind kind);

class TSfSkinSource {
public:
  explicit TSfSkinSource(TskSysColorFunc sysColors = nullptr);
  TSfSkinSource(TSfSkinSource&&) noexcept = default;
  TSfSkinSource& operator=(TSfSkinSource&&) noexcept = default;

  std::string FSkinName = "Untitled Tabira skin";
  std::string FSkinVersion = "3.5";
  std::string FAuthor = "Tabira";
  std::string FAuthorEMail;
  std::string FAuthorURL;
  TSfBitmapList FBitmaps;
  TSfThemeTables FTables;

  void Clear();
  std::size_t ObjectCount() const { return FObjects.size(); }
  TSfSkinObject* Object(std::size_t i) const { return i < FObjects.size() ? FObjects[i].get() : nullptr; }
  TSfSkinObject* ObjectByName(std::string_view name) const;
  TSfSkinObject* AddObject(std::unique_ptr<TSfSkinObject> obj);
  TSfBitmap* AddBitmap(std::string name, TskPixels pixels, bool transparent = false, bool alphaBlend = false);
  void Assign(const TSfSkinSource& other);
  void ChangeHue(std::int64_t delta);
  void ChangeBrightness(std::int64_t delta);
  // Fills the tables from the objects (files without stored tables).
  void DeriveThemeTables();
  TskSysColorFunc SysColors() const { return FSys; }

  // Loading: by signature; without one, "QVLZ" means the compressed text form and anything
  // else the uncompressed form. Files: signature first, then the extension.
  [[nodiscard]] bool LoadFromStream(std::span<const std::uint8_t> bytes, const TSfLimits& limits = {});
  [[nodiscard]] bool LoadFromFile(const std::string& fileName, const TSfLimits& limits = {});
  // Saving: the bytes are built first; a file is written beside the target and renamed over
  // it only when complete.
  [[nodiscard]] bool SaveToStream(std::vector<std::uint8_t>& out) const;
  [[nodiscard]] bool SaveToStream(std::vector<std::uint8_t>& out, TSfFilterKind kind) const;
  [[nodiscard]] bool SaveToFile(const std::string& fileName) const;
  const std::string& LastError() const { return FError; }
  // The filter of the last successful load.
  TSfFilterKind LoadedKind() const { return FLoadedKind; }

private:
  friend class TSfSkinFilter;
  friend class TSfSkinFilterMaxCompression;
  bool Load(std::span<const std::uint8_t> bytes, const TSfSkinFilter& filter, const TSfLimits& limits);
  // Appends a top-level object read from a file: bitmap references resolved.
  void AdoptObject(std::unique_ptr<TSfSkinObject> obj);

  TskSysColorFunc FSys = nullptr;
  std::vector<std::unique_ptr<TSfSkinObject>> FObjects;
  mutable std::string FError;
  TSfFilterKind FLoadedKind = fkCompressed;
};
