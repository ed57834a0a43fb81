#include "batch/ConfigSections.h"

#include <exception>
#include <utility>

#include <json/reader.h>
#include <json/value.h>

#include "batch/BatchConstants.h"
#include "configformat/SerialPushJson.h"
#include "configformat/StyledJsonText.h"

namespace {

using namespace BatchConstants;

struct FlatSectionKey {
  FlatSection section;
  const char* key;
};

constexpr FlatSectionKey kFlatSections[] = {
    {FlatSection::Base, kBaseParam},     {FlatSection::Osd, kOsdParam},           {FlatSection::Video, kVideoParam},
    {FlatSection::VirtualLoop, kVirtualLoop}, {FlatSection::Wlist, kWlistParam},  {FlatSection::Net, kNetParam},
    {FlatSection::Province, kProvinceInfo},   {FlatSection::RealShow, kRealShow}, {FlatSection::Ntp, kNtpParam},
};

struct IndexedSectionKey {
  IndexedSection section;
  const char* key;
  const char* indexKey;
};

constexpr IndexedSectionKey kIndexedSections[] = {
    {IndexedSection::Output, kOutputConfig, kOutputInputType},
    {IndexedSection::Serial, kSerialParam, kSerialPort},
    {IndexedSection::Region, kRegionParam, kRegionVertexIndex},
};

const std::string kEmpty;

// Objects are walked in byte order of their member names and their path is dropped: a nested
// member lands under its bare name, and the first value met for a name stays. Arrays have no
// text, so they refuse the file.
bool FlattenConfigValue(const Json::Value& value, const std::string& name, ConfigStore& store) {
  if (value.isNull()) return true;
  if (value.isArray()) return false;
  if (!value.isObject()) {
    store.emplace(name, value.asString());
    return true;
  }
  for (const std::string& member : value.getMemberNames()) {
    if (!FlattenConfigValue(value[member], member, store)) return false;
  }
  return true;
}

// Elements are filed under their index member (absent: 0); elements with one index merge.
bool SplitConfigArray(const Json::Value& value, const char* indexKey, IndexedConfigStore& store) {
  if (!value.isArray()) return true;
  for (const Json::Value& element : value) {
    if (!element.isObject() && !element.isNull()) return false;
    const Json::Value& index = element[indexKey];
    if (!index.isConvertibleTo(Json::intValue)) return false;
    if (!FlattenConfigValue(element, indexKey, store[index.asInt()])) return false;
  }
  return true;
}

const std::string& Find(const ConfigStore& store, const std::string& name) {
  const auto it = store.find(name);
  return it == store.end() ? kEmpty : it->second;
}

}  // namespace

std::optional<ConfigSections> ConfigSections::Parse(const std::string& text) {
  Json::Value root;
  try {
    Json::Reader reader;
    if (!reader.parse(text, root, false)) return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;  // the reader refuses documents nested too deep by throwing
  }
  ConfigSections sections;
  if (!sections.Split(root)) return std::nullopt;
  return sections;
}

bool ConfigSections::Split(const Json::Value& root) {
  if (root.isNull()) return true;
  if (!root.isObject()) return false;
  for (const FlatSectionKey& flat : kFlatSections) {
    if (!FlattenConfigValue(root[flat.key], flat.key, m_flat[flat.section])) return false;
  }
  for (const IndexedSectionKey& indexed : kIndexedSections) {
    if (!SplitConfigArray(root[indexed.key], indexed.indexKey, m_indexed[indexed.section])) return false;
  }
  const Json::Value& push = root[kPushConfig];
  if (!push.isNull()) {
    if (!IsReadablePushConfig(push)) return false;
    m_pushText = StyledJsonText(push);
  }
  return true;
}

const std::string& ConfigSections::Value(FlatSection section, const std::string& name) const {
  const auto it = m_flat.find(section);
  return it == m_flat.end() ? kEmpty : Find(it->second, name);
}

const std::string& ConfigSections::Value(IndexedSection section, int index, const std::string& name) const {
  const auto it = m_indexed.find(section);
  if (it == m_indexed.end()) return kEmpty;
  const auto element = it->second.find(index);
  return element == it->second.end() ? kEmpty : Find(element->second, name);
}

std::size_t ConfigSections::Size(FlatSection section) const {
  const auto it = m_flat.find(section);
  return it == m_flat.end() ? 0 : it->second.size();
}

std::size_t ConfigSections::Size(IndexedSection section) const {
  const auto it = m_indexed.find(section);
  return it == m_indexed.end() ? 0 : it->second.size();
}

bool ConfigSections::HasNetAddress() const { return !Value(FlatSection::Net, kNetIp).empty(); }
