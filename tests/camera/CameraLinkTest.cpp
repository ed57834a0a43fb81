// One handle's link on the shared I/O threads, with short timeouts: a login that never comes back,
// the reconnect timetable on the library's clock, a stop while a login is under way, and events
// that keep their order with a reply between them.

#include "platform/camera/CameraLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <vector>

#include "Eventually.h"
#include "ScriptedCamera.h"
#include "platform/camera/ClockTimers.h"
#include "platform/camera/IoPool.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/os/Clock.h"

namespace camera::test {
namespace {

using namespace std::chrono_literals;
using protocol::Frame;
using protocol::Operation;
using protocol::Status;

constexpr LinkTimeouts kQuick{std::chrono::milliseconds(300), std::chrono::milliseconds(300),
                              std::chrono::milliseconds(2000), std::chrono::milliseconds(500),
                              std::chrono::milliseconds(4000)};

class CameraLinkTest : public testing::Test {
 protected:
  CameraLinkTest()
      : m_camera([](const Frame& request) {
          return request.header.operation == Operation::GetLedMode
                     ? Answer::Reply(request.header, protocol::EncodeInt32s({1}))
                     : Answer::Reply(request.header);
        }) {}
  ~CameraLinkTest() override {
    m_timers.Stop();
    m_io.Stop();
  }

  std::unique_ptr<CameraLink> MakeLink(EventHandler onEvent = {}, CameraLink::SessionSetup setup = {}) {
    return std::make_unique<CameraLink>(LinkThreads{m_io.Next(), m_timers}, CameraAddress{"127.0.0.1", m_camera.Port()},
                                        Credentials{"qorvt", "qorvt"}, std::move(onEvent), std::move(setup), kQuick);
  }

  ScriptedCamera m_camera;
  IoPool m_io;
  ClockTimers m_timers;
};

TEST_F(CameraLinkTest, ALoginThatIsNeverAnsweredFailsAfterTheTimeout) {
  m_camera.SetLoginAnswer([](const Frame&) { return Answer::Nothing(); });
  const auto link = MakeLink();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link->Start());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, kQuick.io - 50ms);
  EXPECT_LT(waited, kQuick.io + 2s);
  EXPECT_FALSE(link->Connected());
  // Nothing runs on after a failed start: no reconnect comes.
  std::this_thread::sleep_for(kQuick.firstBackoff + 200ms);
  EXPECT_EQ(m_camera.Connections(), 1);
}

// The session's requests are sent after the login; one the camera never answers fails the
// connection after the same timeout.
TEST_F(CameraLinkTest, AnUnansweredSessionRequestFailsTheConnection) {
  ScriptedCamera silent([](const Frame& request) {
    return request.header.operation == Operation::PlateSubscribe ? Answer::Nothing() : Answer::Reply(request.header);
  });
  CameraLink link(LinkThreads{m_io.Next(), m_timers}, CameraAddress{"127.0.0.1", silent.Port()},
                  Credentials{"qorvt", "qorvt"}, {},
                  [] { return std::vector<Request>{{Operation::PlateSubscribe, protocol::EncodeInt32s({0})}}; }, kQuick);
  EXPECT_FALSE(link.Start());
  const auto requests = silent.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].operation, Operation::PlateSubscribe);
}

// A dropped connection is made again after 0.5 s of the library's clock, then after twice as long
// each time up to 4 s while the camera refuses the login; once it accepts, the link is back.
TEST_F(CameraLinkTest, ReconnectsWaitLongerEachTimeOnTheLibrarysClock) {
  os::VirtualClock clock;
  os::SetClock(&clock);
  {
    const auto link = MakeLink();
    ASSERT_TRUE(link->Start());
    m_camera.SetLoginAnswer([](const Frame& login) { return Answer::Reply(login.header, {}, Status::LoginFailed); });
    m_camera.DropConnections();
    ASSERT_TRUE(Eventually([&] { return !link->Connected(); }));
    int connections = 1;
    for (const auto wait : {500ms, 1000ms, 2000ms, 4000ms, 4000ms}) {
      ASSERT_TRUE(clock.WaitForSleepers(1));
      clock.Advance(wait - 1ms);
      std::this_thread::sleep_for(30ms);
      EXPECT_EQ(m_camera.Connections(), connections) << "too early, before " << wait.count() << " ms";
      clock.Advance(1ms);
      ASSERT_TRUE(Eventually([&] { return m_camera.Connections() == connections + 1; })) << wait.count() << " ms";
      ++connections;
    }
    ASSERT_TRUE(clock.WaitForSleepers(1));  // the last attempt has failed
    m_camera.SetLoginAnswer([](const Frame& login) { return Answer::Reply(login.header); });
    clock.Advance(4000ms);
    EXPECT_TRUE(Eventually([&] { return link->Connected(); }));
    const auto reply = link->Call(Operation::GetLedMode, {});
    ASSERT_TRUE(reply);
    const auto mode = protocol::DecodeInt32s<1>(*reply);
    ASSERT_TRUE(mode);
    EXPECT_EQ((*mode)[0], 1);
    link->Stop();
  }
  m_timers.Stop();
  os::SetClock(nullptr);
}

// Stop while the login waits for its answer: it returns at once, the attempt ends, and neither
// the session setup nor an event handler runs afterwards.
TEST_F(CameraLinkTest, AStopDuringTheLoginEndsTheAttempt) {
  std::promise<void> loginSeen;
  m_camera.SetLoginAnswer([&](const Frame&) {
    loginSeen.set_value();
    return Answer::Nothing();
  });
  std::atomic<int> afterStop{0};
  std::atomic<bool> stopped{false};
  const auto link = MakeLink([&](Frame&&) { afterStop += stopped; },
                             [&] {
                               afterStop += stopped;
                               return std::vector<Request>{};
                             });
  auto starting = std::async(std::launch::async, [&] { return link->Start(); });
  loginSeen.get_future().wait();
  const auto start = std::chrono::steady_clock::now();
  link->Stop();
  stopped = true;
  EXPECT_FALSE(starting.get());
  EXPECT_LT(std::chrono::steady_clock::now() - start, kQuick.io / 2);
  EXPECT_FALSE(link->Call(Operation::GetLedMode, {}));
  EXPECT_EQ(afterStop, 0);
}

// Events before and after a reply on one connection reach the handler in the order they came, on
// one thread at a time.
TEST_F(CameraLinkTest, EventsKeepTheirOrderAroundAReply) {
  ScriptedCamera chatty([](const Frame& request) {
    Answer answer;
    for (int i = 0; i < 50; ++i) answer.writes.push_back(EventFrame(Operation::PlateEvent, protocol::EncodeInt32s({i})));
    answer.writes.push_back(ReplyFrame(request.header));
    for (int i = 50; i < 100; ++i) answer.writes.push_back(EventFrame(Operation::PlateEvent, protocol::EncodeInt32s({i})));
    return answer;
  });
  std::mutex mutex;
  std::vector<int> seen;
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false};
  CameraLink link(LinkThreads{m_io.Next(), m_timers}, CameraAddress{"127.0.0.1", chatty.Port()},
                  Credentials{"qorvt", "qorvt"},
                  [&](Frame&& event) {
                    if (++inside > 1) overlapped = true;
                    const auto number = protocol::DecodeInt32s<1>(event.payload);
                    {
                      std::lock_guard lock(mutex);
                      seen.push_back(number ? (*number)[0] : -1);
                    }
                    --inside;
                  },
                  {}, kQuick);
  ASSERT_TRUE(link.Start());
  ASSERT_TRUE(link.Call(Operation::KeepAlive, {}));
  ASSERT_TRUE(Eventually([&] {
    std::lock_guard lock(mutex);
    return seen.size() == 100;
  }));
  EXPECT_FALSE(overlapped);
  std::lock_guard lock(mutex);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
}

}  // namespace
}  // namespace camera::test
