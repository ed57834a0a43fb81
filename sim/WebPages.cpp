#include "sim/WebPages.h"

#include <array>
#include <cstdio>
#include <functional>

#include "platform/os/Charset.h"
#include "sim/GbkText.h"

namespace camsim {
namespace {

std::string Escape(std::string_view utf8) {
  std::string out;
  for (const char c : utf8) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string FromGbk(std::string_view gbk) { return Escape(os::GbkToUtf8(gbk)); }

std::string Row(std::string_view name, std::string_view value) {
  return "<tr><th>" + std::string(name) + "</th><td>" + std::string(value) + "</td></tr>\n";
}

std::string Number(long long value) { return std::to_string(value); }

std::string Page(std::string_view title, std::string_view rows) {
  std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
  html += title;
  html += "</title></head>\n<body><h1>";
  html += title;
  html += "</h1>\n<table>\n";
  html += rows;
  html += "</table></body></html>\n";
  return html;
}

std::string NetworkPage(const CameraState& s) {
  return Page("网络参数", Row("IP", FromGbk(FieldText(s.net.ip))) + Row("子网掩码", FromGbk(FieldText(s.net.netmask))) +
                              Row("默认网关", FromGbk(FieldText(s.net.gateway))) +
                              Row("DNS", FromGbk(FieldText(s.net.dns))) + Row("端口", Number(s.net.port)));
}

std::string InputOutputPage(const CameraState& s) {
  std::string rows;
  for (const auto& entry : s.settings.ioOutput.entries) {
    char text[96];
    std::snprintf(text, sizeof text, "%d %d %d %d / %d %d / %d %d", entry.switchout[0], entry.switchout[1],
                  entry.switchout[2], entry.switchout[3], entry.levelout[0], entry.levelout[1], entry.rs485out[0],
                  entry.rs485out[1]);
    rows += Row("输入 " + Number(entry.eInputType), text);
  }
  for (std::size_t port = 0; port < s.settings.serial.size(); ++port) {
    const auto& serial = s.settings.serial[port];
    rows += Row("串口 " + Number(static_cast<long long>(port)),
                Number(serial.uBaudRate) + " " + Number(serial.uDataBits) + " " + Number(serial.uParity) + " " +
                    Number(serial.uStopBit));
  }
  return Page("输入输出", rows);
}

std::string StoragePage(const CameraState& s) {
  return Page("存储管理", Row("车牌记录", Number(static_cast<long long>(s.plates.Size()))) +
                              Row("白名单", Number(static_cast<long long>(s.whitelist.Size()))) +
                              Row("白名单容量", Number(static_cast<long long>(s.whitelist.Capacity()))));
}

std::string BasicPage(const CameraState& s) {
  const auto& province = s.settings.province;
  const std::string_view list = FieldText(province.list);
  std::string current = "无";
  if (province.currentIndex >= 0 && static_cast<std::size_t>(province.currentIndex) * 2 + 2 <= list.size()) {
    current = FromGbk(list.substr(static_cast<std::size_t>(province.currentIndex) * 2, 2));
  }
  return Page("基本配置", Row("识别类型", Number(s.settings.recognitionType)) +
                              Row("触发类型", Number(s.settings.triggerType)) +
                              Row("白名单启用", Number(s.settings.whiteListEnable)) + Row("默认省份", current));
}

std::string PlateRecordPage(const CameraState& s) {
  std::string rows;
  const auto& records = s.plates.Records();
  constexpr std::size_t kShown = 20;
  for (std::size_t i = 0; i < records.size() && i < kShown; ++i) {
    const auto& r = records[records.size() - 1 - i].result;
    char time[32];
    std::snprintf(time, sizeof time, "%d-%02d-%02d %02d:%02d:%02d", r.year, r.month, r.day, r.hour, r.minute, r.second);
    rows += Row(time, FromGbk(FieldText(r.plate)) + " " + FromGbk(FieldText(r.colorText)));
  }
  return Page("车牌历史记录", rows);
}

std::string UsersPage(const CameraState& s) {
  std::string rows;
  for (const auto& [user, password] : s.accounts) rows += Row("用户", Escape(user));
  return Page("用户管理", rows);
}

std::string AboutPage(const CameraState& s) {
  char model[16];
  std::snprintf(model, sizeof model, "0x%04X", static_cast<unsigned>(s.modelId));
  const auto& v = s.firmwareVersion;
  char version[48];
  std::snprintf(version, sizeof version, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
  return Page("关于", Row("型号", model) + Row("硬件类型", Number(s.hardwareType)) + Row("固件版本", version) +
                          Row("设备编号", Number(s.idHigh) + ":" + Number(s.idLow)));
}

struct PageEntry {
  std::string_view file;
  std::string (*render)(const CameraState&);
};

constexpr std::array<PageEntry, 7> kPages = {{
    {"SetNetPort.htm", NetworkPage},
    {"SetPlateDeviceIO.htm", InputOutputPage},
    {"StorgeDeviceMana.htm", StoragePage},
    {"SetAlarm.htm", BasicPage},
    {"PlatePictureView.htm", PlateRecordPage},
    {"AddEditUsers.htm", UsersPage},
    {"Support.htm", AboutPage},
}};

WebReply Plain(unsigned status, std::string body) {
  return WebReply{status, "text/plain; charset=utf-8", std::move(body)};
}

}  // namespace

std::string_view CookieValue(std::string_view cookies, std::string_view name) {
  while (!cookies.empty()) {
    const std::size_t end = cookies.find(';');
    std::string_view pair = cookies.substr(0, end);
    cookies = end == std::string_view::npos ? std::string_view() : cookies.substr(end + 1);
    while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
    const std::size_t equals = pair.find('=');
    if (equals != std::string_view::npos && pair.substr(0, equals) == name) return pair.substr(equals + 1);
  }
  return {};
}

WebReply ServeWebPage(std::string_view method, std::string_view target, std::string_view cookies,
                      const CameraState& state, std::chrono::milliseconds now) {
  if (method != "GET" && method != "HEAD") return Plain(405, "method not allowed\n");
  const std::string_view path = target.substr(0, target.find('?'));
  constexpr std::string_view kFolder = "/htmldata/";
  if (path.substr(0, kFolder.size()) != kFolder) return Plain(404, "not found\n");
  const std::string_view file = path.substr(kFolder.size());
  for (const PageEntry& page : kPages) {
    if (page.file != file) continue;
    if (!state.webSessions.IsValid(CookieValue(cookies, "sessionID"), now)) {
      return Plain(403, "login required\n");
    }
    return WebReply{200, "text/html; charset=utf-8", page.render(state)};
  }
  return Plain(404, "not found\n");
}

}  // namespace camsim
