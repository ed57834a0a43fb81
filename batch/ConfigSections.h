#pragma once
// One configuration file, split into per-section stores of texts for the section appliers.
// Built once by the loader and never changed afterwards, so that many import workers read it
// at once without a lock, and a later load cannot change it under them.

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include <json/forwards.h>

// Member name -> text, in byte order of the names.
using ConfigStore = std::map<std::string, std::string>;
// The element's index member -> the element's members.
using IndexedConfigStore = std::map<int, ConfigStore>;

enum class FlatSection { Base, Osd, Video, VirtualLoop, Wlist, Net, Province, RealShow, Ntp };
enum class IndexedSection { Output, Serial, Region };

class ConfigSections {
 public:
  // Splits the text of a configuration file; nullopt when it does not parse or has a shape
  // the stores cannot hold (a top level that is neither an object nor null, an array in a flat
  // section, an index that is not a number, an unreadable serial push-format section).
  static std::optional<ConfigSections> Parse(const std::string& text);

  // The member's text; empty when absent.
  const std::string& Value(FlatSection section, const std::string& name) const;
  const std::string& Value(IndexedSection section, int index, const std::string& name) const;
  std::size_t Size(FlatSection section) const;
  std::size_t Size(IndexedSection section) const;
  // The "rs485_push_cfg" section as styled JSON text; empty when the file has none.
  const std::string& PushText() const { return m_pushText; }

  // The network question is asked only for a file whose "net_param" holds an address.
  bool HasNetAddress() const;

 private:
  bool Split(const Json::Value& root);

  std::map<FlatSection, ConfigStore> m_flat;
  std::map<IndexedSection, IndexedConfigStore> m_indexed;
  std::string m_pushText;
};
