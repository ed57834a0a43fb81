#include "platform/camera/ProbeSchedule.h"

#include <arpa/inet.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace camera::test {
namespace {

using Time = ProbeSchedule::Time;

sockaddr_in Address(const char* ip, unsigned short port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  ::inet_pton(AF_INET, ip, &address.sin_addr);
  return address;
}

std::vector<std::string> Names(const std::vector<sockaddr_in>& targets) {
  std::vector<std::string> names;
  for (const sockaddr_in& target : targets) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &target.sin_addr, text, sizeof text);
    names.push_back(std::string(text) + ":" + std::to_string(ntohs(target.sin_port)));
  }
  return names;
}

// The times at which a target is probed between 0 and `end`, stepping one millisecond.
std::vector<long> ProbeTimes(ProbeSchedule& schedule, long end, long answerAt = -1) {
  std::vector<long> times;
  for (long now = 0; now <= end; ++now) {
    if (now == answerAt) schedule.Answered(Address("127.0.10.1", 8080));
    if (!schedule.TakeDue(Time{now}).empty()) times.push_back(now);
  }
  return times;
}

TEST(ProbeSchedule, ATargetWithoutAnswerIsProbedSoonerEachTimeUpToTheInterval) {
  ProbeSchedule schedule({Address("127.0.10.1", 8080)}, Time{0});
  EXPECT_EQ(ProbeTimes(schedule, 3600), (std::vector<long>{0, 100, 300, 700, 1500, 2500, 3500}));
}

TEST(ProbeSchedule, ATargetThatAnsweredIsProbedOnceAnInterval) {
  struct Case {
    long answerAt;
    std::vector<long> probes;
  };
  const Case cases[] = {
      {5, {0, 1000, 2000}},          // answered the first probe
      {150, {0, 100, 1100, 2100}},   // answered the second: a second from that one
      {1200, {0, 100, 300, 700, 1700}},  // late: a second from the probe it answered
  };
  for (const Case& c : cases) {
    ProbeSchedule schedule({Address("127.0.10.1", 8080)}, Time{0});
    EXPECT_EQ(ProbeTimes(schedule, 2600, c.answerAt), c.probes) << "answer at " << c.answerAt;
  }
}

TEST(ProbeSchedule, EachTargetKeepsItsOwnTimes) {
  ProbeSchedule schedule({Address("127.0.10.1", 8080), Address("127.0.10.2", 8080), Address("127.0.10.1", 8081)},
                         Time{0});
  EXPECT_EQ(Names(schedule.TakeDue(Time{0})),
            (std::vector<std::string>{"127.0.10.1:8080", "127.0.10.2:8080", "127.0.10.1:8081"}));
  schedule.Answered(Address("127.0.10.1", 8080));
  schedule.Answered(Address("127.0.10.9", 8080));  // a camera behind a broadcast: no target
  EXPECT_EQ(schedule.NextDue(), Time{100});
  EXPECT_EQ(Names(schedule.TakeDue(Time{100})), (std::vector<std::string>{"127.0.10.2:8080", "127.0.10.1:8081"}));
  EXPECT_EQ(schedule.NextDue(), Time{300});
  EXPECT_EQ(Names(schedule.TakeDue(Time{999})), (std::vector<std::string>{"127.0.10.2:8080", "127.0.10.1:8081"}));
  EXPECT_EQ(Names(schedule.TakeDue(Time{1000})), (std::vector<std::string>{"127.0.10.1:8080"}));
}

TEST(ProbeSchedule, ATargetListedTwiceIsProbedOnce) {
  ProbeSchedule schedule({Address("127.0.10.1", 8080), Address("127.0.10.1", 8080)}, Time{0});
  EXPECT_EQ(schedule.TakeDue(Time{0}).size(), 1u);
}

TEST(ProbeSchedule, NoTargetsNeverFallDue) {
  ProbeSchedule schedule({}, Time{0});
  EXPECT_TRUE(schedule.TakeDue(Time{0}).empty());
  EXPECT_EQ(schedule.NextDue(), Time::max());
}

}  // namespace
}  // namespace camera::test
