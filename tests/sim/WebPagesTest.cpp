// The camera's pages under /htmldata/ and the "sessionID" cookie.

#include "sim/WebPages.h"

#include <gtest/gtest.h>

#include "SimulatorFixture.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/SessionMessages.h"

namespace camsim::test {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

constexpr const char* kPageFiles[] = {"SetNetPort.htm",       "SetPlateDeviceIO.htm", "StorgeDeviceMana.htm",
                                      "SetAlarm.htm",         "PlatePictureView.htm", "AddEditUsers.htm",
                                      "Support.htm"};

TEST(CookieValue, FindsTheNamedCookieAmongOthers) {
  struct Case {
    const char* header;
    const char* value;
  };
  const Case cases[] = {{"sessionID=abc", "abc"},         {"a=1; sessionID=abc; b=2", "abc"},
                        {"sessionIDx=1; sessionID=z", "z"}, {"xsessionID=1", ""},
                        {"", ""},                            {"sessionID=", ""}};
  for (const Case& c : cases) EXPECT_EQ(CookieValue(c.header, "sessionID"), c.value) << c.header;
}

class WebPagesTest : public SimulatorFixture {
 protected:
  void SetUp() override {
    SimulatorFixture::SetUp();
    m_camera = AddCamera();
    ASSERT_TRUE(m_client.Open(m_camera->Ip(), m_camera->Port()));
  }

  std::string SessionId() {
    const auto answer = m_client.Call(Operation::GetWebSessionId);
    if (!answer || answer->status != Status::Ok) return {};
    return camera::protocol::WebSessionIdReply::Decode(answer->payload).value_or(camera::protocol::WebSessionIdReply{}).id;
  }

  HttpResult Get(const std::string& page, const std::string& cookie) {
    return HttpGet(m_camera->Ip(), m_camera->Port(), "/htmldata/" + page, cookie);
  }

  std::shared_ptr<SimCamera> m_camera;
  ProtocolClient m_client;
};

TEST_F(WebPagesTest, EveryPageWantsTheSessionCookie) {
  const std::string id = SessionId();
  ASSERT_EQ(id.size(), 32u);
  EXPECT_EQ(SessionId(), id);  // a connection keeps its id while it is valid
  for (const char* page : kPageFiles) {
    EXPECT_EQ(Get(page, "").status, 403) << page;
    EXPECT_EQ(Get(page, "sessionID=0123456789abcdef0123456789abcdef").status, 403) << page;
    const HttpResult ok = Get(page, "lang=zh; sessionID=" + id);
    EXPECT_EQ(ok.status, 200) << page;
    EXPECT_NE(ok.headers.find("text/html"), std::string::npos) << page;
    EXPECT_NE(ok.body.find("<html>"), std::string::npos) << page;
  }
  EXPECT_NE(Get("SetNetPort.htm", "sessionID=" + id).body.find(m_camera->Ip()), std::string::npos);
  EXPECT_NE(Get("Support.htm", "sessionID=" + id).body.find("5.1.6.20"), std::string::npos);
  EXPECT_EQ(Get("Other.htm", "sessionID=" + id).status, 404);
  EXPECT_EQ(HttpGet(m_camera->Ip(), m_camera->Port(), "/SetNetPort.htm", "sessionID=" + id).status, 404);
  // The control protocol goes on on the same port.
  EXPECT_EQ(m_client.StatusOf(Operation::KeepAlive), Status::Ok);
}

TEST_F(WebPagesTest, IdsExpireOnTheCameraClockAndDieWithAReboot) {
  const std::string id = SessionId();
  Advance(std::chrono::minutes(4));
  EXPECT_EQ(Get("Support.htm", "sessionID=" + id).status, 200);
  EXPECT_EQ(SessionId(), id);  // asking again renews it
  Advance(std::chrono::minutes(4));
  EXPECT_EQ(Get("Support.htm", "sessionID=" + id).status, 200);
  Advance(std::chrono::minutes(6));
  EXPECT_EQ(Get("Support.htm", "sessionID=" + id).status, 403);

  const std::string fresh = SessionId();
  EXPECT_NE(fresh, id);
  m_camera->Reboot();
  Advance(std::chrono::seconds(20));
  EXPECT_EQ(Get("Support.htm", "sessionID=" + fresh).status, 403);
}

TEST_F(WebPagesTest, PrepareTellsLifetimeAndSessionsHeld) {
  ProtocolClient anonymous;
  ASSERT_TRUE(anonymous.Connect(m_camera->Ip(), m_camera->Port()));
  SessionId();
  const auto answer = anonymous.Call(Operation::PrepareWebSession);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->payload, camera::protocol::EncodeInt32s({300, 1}));
}

}  // namespace
}  // namespace camsim::test
