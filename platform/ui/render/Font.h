#pragma once
// A font as layouts and programs name it: a family (GBK, for example the Chinese name of SimSun or
// SimHei), a character height in pixels and a style. Family names of the original platform are mapped
// to installed fonts (FontFamilyMap.h); every font falls back to a CJK font for Chinese characters.

#include <memory>
#include <mutex>
#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace ui {

struct FontSpec {
  std::string family;  // GBK; empty means the default family
  int size = 12;       // character (em) height in pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

class Font {
 public:
  // Never null: an unknown family resolves to the default CJK font.
  static std::shared_ptr<const Font> Create(const FontSpec& spec);
  // The font used when a control names none: the default family, 12 pixels.
  static std::shared_ptr<const Font> Default();

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const FontSpec& Spec() const { return m_spec; }
  // Height of one line of text in pixels (ascent + descent), as an edit box or list row needs it.
  // Measured at the first call (loading a font costs; a font made is not always measured).
  int Height() const;
  int Ascent() const;
  // The Pango description behind this font; for the renderer and the hosts only.
  const PangoFontDescription* Description() const { return m_description; }

 private:
  Font(const FontSpec& spec, PangoFontDescription* description);
  void Measure() const;

  FontSpec m_spec;
  PangoFontDescription* m_description = nullptr;
  mutable std::once_flag m_measured;
  mutable int m_height = 0;
  mutable int m_ascent = 0;
};

}  // namespace ui
