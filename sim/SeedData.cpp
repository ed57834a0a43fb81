#include "sim/SeedData.h"

#include <array>
#include <cstdio>
#include <random>
#include <string>

#include "platform/os/Charset.h"
#include "sim/GbkText.h"
#include "sim/PlateGenerator.h"
#include "sim/SimCamera.h"

namespace camsim {
namespace {

constexpr std::size_t kUtf8CjkBytes = 3;
constexpr char kLetters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr std::size_t kLetterCount = sizeof kLetters - 1;
constexpr std::size_t kPlateNumbers = 100000;
constexpr int kWhitelistColours = 9;
constexpr int kWhitelistTypes = 20;

std::vector<std::string> GbkProvinces() {
  const std::string& utf8 = ProvinceCharacters();
  std::vector<std::string> provinces;
  for (std::size_t at = 0; at + kUtf8CjkBytes <= utf8.size(); at += kUtf8CjkBytes) {
    provinces.push_back(os::Utf8ToGbk(utf8.substr(at, kUtf8CjkBytes)));
  }
  return provinces;
}

// Plate `index`: province, letter and number follow from the index alone, so plates never repeat;
// every fifth is a new-energy plate ("D" and five digits).
std::string SeedPlate(std::size_t index, const std::vector<std::string>& provinces) {
  const std::size_t rest = index / provinces.size();
  char tail[16];
  std::snprintf(tail, sizeof tail, "%c%s%05zu", kLetters[rest % kLetterCount], index % 5 == 4 ? "D" : "",
                (rest / kLetterCount) % kPlateNumbers);
  return provinces[index % provinces.size()] + tail;
}

void SetTime(std::int16_t (&time)[6], int year, int month, int day, int hour, int minute, int second) {
  const std::array<int, 6> values = {year, month, day, hour, minute, second};
  for (std::size_t i = 0; i < values.size(); ++i) time[i] = static_cast<std::int16_t>(values[i]);
}

// `entries` segments of varied days and hours; a full week's when asked.
void FillSchedule(TimeSegmentTable& table, int entries, bool fullWeek, std::mt19937_64& random) {
  table.enabled = 1;
  for (int k = 0; k < entries; ++k) {
    CameraClientTimeSegment& segment = table.entries[k];
    segment.enable = 1;
    const unsigned days = fullWeek ? 0x7Fu : static_cast<unsigned>(random() % 0x7F) + 1;
    for (int day = 0; day < 7; ++day) segment.days[day] = (days >> day) & 1u;
    segment.startHour = static_cast<std::int16_t>(k * 3 % 24);
    segment.startMinute = static_cast<std::int16_t>(random() % 4 * 15);
    segment.endHour = static_cast<std::int16_t>(segment.startHour + 1 + static_cast<int>(random() % 2));
    segment.endMinute = static_cast<std::int16_t>(random() % 60);
    segment.endSecond = static_cast<std::int16_t>(k % 2 == 0 ? 0 : 59);
  }
}

CameraClientWhiteListRecord SeedRecord(std::size_t index, const std::string& plate, std::mt19937_64& random) {
  static const std::array<std::string, 4> kCustomerWords = {os::Utf8ToGbk("业主"), os::Utf8ToGbk("访客"),
                                                            os::Utf8ToGbk("员工"), "VIP"};
  CameraClientWhiteListRecord record{};
  SetFieldText(record.plate, plate);
  record.enabled = index % 6 == 5 ? 0 : 1;
  record.createTimeSet = index % 10 == 9 ? 0 : 1;
  const int year = 2023 + static_cast<int>(random() % 3);
  const int month = 1 + static_cast<int>(random() % 12);
  const int day = 1 + static_cast<int>(random() % 28);
  if (record.createTimeSet != 0) {
    SetTime(record.createTime, year, month, day, static_cast<int>(random() % 24), static_cast<int>(random() % 60), 0);
  }
  record.expiryTimeSet = index % 4 == 3 ? 0 : 1;
  if (record.expiryTimeSet != 0) {
    SetTime(record.expiryTime, year + 1 + static_cast<int>(random() % 3), month, day, 23, 59, 59);
  }
  if (index % 3 == 0) {
    record.useTimeSegments = 1;
    const bool fullWeek = index % 24 == 0;
    FillSchedule(record.segments, fullWeek ? 8 : 1 + static_cast<int>(index / 3 % 8), fullWeek, random);
  }
  record.alarm = index % 4 == 0 ? 1 : 0;
  record.plateColor = static_cast<std::int32_t>(index % kWhitelistColours);
  record.plateType = static_cast<std::int32_t>(index % kWhitelistTypes);
  // The tool stores the plate as the customer code; some cameras were filled otherwise.
  SetFieldText(record.customerCode, index % 5 == 0 ? kCustomerWords[index / 5 % kCustomerWords.size()] : plate);
  char number[32];
  std::snprintf(number, sizeof number, "139%08u", static_cast<unsigned>(random() % 100000000));
  SetFieldText(record.customerNumber, index % 7 == 0 ? kCustomerWords[index % kCustomerWords.size()] + number
                                                     : std::string(number));
  return record;
}

os::LocalTime SecondOfDay(os::LocalTime day, long second) {
  day.hour = static_cast<int>(second / 3600);
  day.minute = static_cast<int>(second / 60 % 60);
  day.second = static_cast<int>(second % 60);
  day.millisecond = 0;
  return day;
}

}  // namespace

std::vector<CameraClientWhiteListRecord> MakeSeedWhitelist(std::size_t count, std::uint64_t seed) {
  const std::vector<std::string> provinces = GbkProvinces();
  std::mt19937_64 random(seed);
  std::vector<CameraClientWhiteListRecord> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) records.push_back(SeedRecord(i, SeedPlate(i, provinces), random));
  return records;
}

void SeedPlateRecords(SimCamera& camera, std::size_t count, std::uint64_t seed) {
  static constexpr int kTriggers[] = {CAMERACLIENT_TRIGGER_STABLE, CAMERACLIENT_TRIGGER_LOOP, CAMERACLIENT_TRIGGER_IO,
                                      CAMERACLIENT_TRIGGER_MANUAL,
                                      CAMERACLIENT_TRIGGER_STABLE | CAMERACLIENT_TRIGGER_LOOP};
  PlateGenerator generator(seed);
  const os::LocalTime now = camera.LocalNow();
  const long secondsToday = now.hour * 3600L + now.minute * 60L + now.second;
  for (std::size_t i = 0; i < count; ++i) {
    // Evenly between midnight and now, never at now itself.
    const long second = secondsToday * static_cast<long>(i) / static_cast<long>(count);
    camera.StorePlateRecord(generator.Next(), kTriggers[i % std::size(kTriggers)], i % 7 == 6,
                            SecondOfDay(now, second));
  }
}

}  // namespace camsim
